#pragma once

class TFrame2;

// The state machine of a Bry1 connection, one step per tick of the frame's
// timer: detect the unit, read its versions, then take its blocks and ask for
// the next page after each.
void Bry1Step(TFrame2& f);

// The socket's data event while polling: every whole block that has arrived
// is stored at once; the next tick asks for the next page.
void Bry1SocketData(TFrame2& f);
