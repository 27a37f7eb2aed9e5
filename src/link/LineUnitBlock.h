#pragma once

#include <QtGlobal>

class QByteArray;
class TFrame2;

// A whole block of the HD or Tavr1 unit, just cut from the stream, into the
// frame: counted, numbered, its time taken (the unit's own stamp at stampAt
// under the S protocol, else the PC's, appended), and kept both in the ring
// of recent blocks and in the family's current slot. The family marks it for
// its decoder.
void KeepLineUnitBlock(TFrame2& f, QByteArray& block, qsizetype stampAt, int currentSlot);
