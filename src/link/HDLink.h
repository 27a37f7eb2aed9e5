#pragma once

class QByteArray;
class TFrame2;

// The state machine of an HD connection (Vren1, Prak1), one step per tick of
// the frame's timer: identify and log in, poll the unit's blocks and send one
// queued request a tick; the Connect, Disconnect and exit sequences.
void RunHdStateMachine(TFrame2& f);

// The identification reply to "UI" into the frame's HD members; returns the
// login step that follows (6 poll, 8 or 9 an update is due), or 0 when the
// reply names no HD unit.
unsigned HdIdentify(TFrame2& f, const QByteArray& reply);

// Cut every complete block waiting from the transport's bytes, each decoded in
// order; return how many the rack is to hear of (the decoded ones and the
// first of a run of refused ones).
int ReceiveHdBlockSerial(TFrame2& f);
int ReceiveHdBlockNetwork(TFrame2& f);

// Decodes the current block when one awaits decoding, then tells the rack
// window.
void DecodeAndNotify(TFrame2& f);

// Sends the oldest queued request, if any, as its line.
void SendNextRequest(TFrame2& f);
