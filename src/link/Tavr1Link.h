#pragma once

class QByteArray;
class QString;
class TFrame2;

// The state machine of a Tavr1 connection, one step per tick of the frame's
// timer: wake the unit, log in, identify it, poll its blocks and send the one
// pending command; the Connect, Disconnect and exit sequences.
void Tavr1Step(TFrame2& f);

// The DEBUG line of the password step: the tick count, then the reply.
QString Tavr1PasswordTrace(int tickCount, const QByteArray& reply);

// Decodes the current block if it is new; true when it was decoded. The poll
// decodes every block waiting this way, then tells the rack window once.
bool Tavr1Decode(TFrame2& f);

// The identification reply to "UI" into the frame's Tavr1 members.
void Tavr1Identify(TFrame2& f, const QByteArray& reply);
