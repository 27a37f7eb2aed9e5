#pragma once

#include "data/FrameState.h"
#include "protocol/bry1/Bry1Data.h"

#include <QByteArray>

// The Bry1 block store, its two ways in (serial by the count of bytes waiting,
// network by gathering the stream) and the "U" answer, as plain functions.

// Whether bytes begin with the block marker FF FE FD FC.
bool StartsWithBry1Marker(const QByteArray& bytes);
// Whether byte 353 of a whole block is the low byte of the sum of bytes 0..352.
bool Bry1SumGood(const QByteArray& block);

// Stores a whole block that begins with the marker: the next slot of the ring
// (the words past the block zeroed), and by its kind into the record ring or a
// table when its sum is good; a bad sum is counted instead. Sets BlockPending,
// Status active and counts the block for the status text. Anything that is not
// a whole marked block is refused (false) and nothing changes.
bool StoreBry1Block(const QByteArray& block, TBry1Data& d, TConnectionState& s);

// Serial: how many bytes to read when waiting are waiting. 0 while a block is
// still coming; a whole block's length when exactly one block waits; a burst
// longer than that is read away (at most Bry1SerialDiscardLimit a tick) so the
// next block starts on a clean queue.
int Bry1SerialReadCount(int waiting);
// Serial: what was read by that count. Exactly one marked block is stored;
// anything else is dropped. Returns whether a block was stored.
bool TakeBry1SerialBytes(const QByteArray& bytes, TBry1Data& d, TConnectionState& s);

// Appends fresh to buffer and stores every whole block in it, in order (the
// network's stream, and what a serial read found waiting). Bytes before a
// marker are dropped; with no marker in sight only the last three bytes are
// kept, as they may begin one. buffer never keeps more than one partial block;
// more than Bry1BacklogBlocks whole blocks at once lose the oldest. What is
// dropped is added to drops when given. Returns the number of blocks stored.
int GatherBry1Blocks(QByteArray& buffer, const QByteArray& fresh, TBry1Data& d,
                     TConnectionState& s, TBlockDrops* drops = nullptr);

// The answer to "U" (its end marker removed). A short answer leaves the texts
// it does not reach empty, and a number that does not read is 0.
TBry1Versions ParseBry1Versions(const QByteArray& answer);
