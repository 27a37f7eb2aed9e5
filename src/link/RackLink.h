#pragma once

#include <QString>

class QByteArray;
class TFrame2;

// The state machine of a rack-system connection, one step per tick of the
// frame's timer: the modem dial, the login with the controller's
// identification and its module-program download, the poll with the receive
// and decode of every waiting block, and the rack password change.
void RackStep(TFrame2& f);

// The steps of each state (RackLink.cpp, RackModem.cpp, RackPassword.cpp).
void RackLogin(TFrame2& f);
void RackPollStep(TFrame2& f);
void RackModemDial(TFrame2& f);
void RackPasswordStep(TFrame2& f);

// A password as the rack takes it: Latin-1, without the FE and FF bytes that
// would end the command or look like a poll (each dropped one is noted).
QByteArray RackPasswordBytes(TFrame2& f, const QString& password);

// Cuts, receives and decodes every whole block waiting, in order, and posts
// the rack window its messages. Returns the number of blocks taken.
int RackTakeBlocks(TFrame2& f);
