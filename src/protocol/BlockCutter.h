#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

// Cutting fixed-length blocks that start with the marker FF FE FD out of a
// received byte stream; the HD and rack links share it.

// What a receiver had to throw away, and where the current run of losses
// stands. A run begins with the first loss after a whole block and ends at the
// next whole block taken; the link says so once at each end, never per block.
struct TBlockDrops
{
    quint64 Blocks = 0; // whole blocks dropped, since polling started
    quint64 Bytes = 0;  // every byte dropped, those blocks' included
    quint64 RunBlocks = 0;
    quint64 RunBytes = 0;
    bool InRun = false;
    // Bytes ahead of the first block are the end of the login dialogue, not
    // a loss.
    bool StreamStarted = false;
};

enum class TDropEdge
{
    None,
    Started, // a run of losses began with this cut: RunBlocks and RunBytes tell so far
    Ended,   // a whole block came after a run: RunBlocks and RunBytes tell the run
};

// Takes the first whole block out of rx: bytes before its marker are dropped
// (they are no block), a block is cut only when all its bytes are there, and a
// stream without any marker is never taken for a block (the last two bytes
// stay, as they may begin a marker). When more than maxWaiting whole blocks
// (and the one still arriving) wait, the oldest are dropped, so a unit that
// sends faster than they are taken cannot grow the buffer without bound.
// What is dropped is added to drops when given.
std::optional<QByteArray> CutMarkedBlock(QByteArray& rx, int blockLength, int maxWaiting,
                                         TBlockDrops* drops = nullptr);

// After one cut: adds what it dropped (the counts grew from blocksBefore and
// bytesBefore) to the run, and tells whether a run began or ended.
TDropEdge NoteDrops(TBlockDrops& d, quint64 blocksBefore, quint64 bytesBefore, bool blockTaken);

// The event-log line for the edge of a run (empty for none), the unit named
// as its other lines name it ("HD", "QEL"). A run that starts is an error; the
// one that ends gives the count.
QString DropEdgeText(const QString& unit, const TBlockDrops& d, TDropEdge edge);
