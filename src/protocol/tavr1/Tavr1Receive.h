#pragma once

#include "protocol/BlockCutter.h"
#include "protocol/tavr1/Tavr1BlockLayout.h"

#include <QByteArray>
#include <optional>

// Cutting Tavr1 blocks out of the received byte stream. A block starts with the
// marker FF FE FD and has a fixed length (Tavr1BlockLength, or
// Tavr1StampedBlockLength when the unit stamps its blocks). It carries no
// checksum, so its place in the stream is all that tells a block from the
// same three bytes inside readings: a spectrum that packs to FF FE FD is an
// ordinary sight.

// What the cutter knows of one connection's stream. The frame keeps one and
// starts it afresh when polling starts.
struct TTavr1Cutter
{
    // The last block taken stood where the one before it ended. A new stream
    // is not in step yet; the flag is cleared again when bytes have to be
    // dropped before a marker or a block turns out cut short. While it is
    // clear, a block is taken only when the next marker stands exactly one
    // block length after its own.
    bool Aligned = false;
    // Times the stream fell out of step, markers that proved to be no block's
    // start, and the bytes dropped on the way.
    qint64 Resyncs = 0;
    qint64 FalseMarkers = 0;
    qint64 DroppedBytes = 0;
    // The same losses as the link reports them: whole blocks the backlog had
    // no room for, every byte dropped, and the current run.
    TBlockDrops Drops;
    // For the link's event log: the current loss of step has been reported; a
    // block with a tail kind the decoder does not know has been reported.
    bool OutOfStepLogged = false;
    bool UnknownTailLogged = false;
};

// Takes the next block out of rx, or nothing while no block can be taken yet.
// While the stream is in step a whole block at the front is taken at once,
// unless what follows it already shows that it was cut short. After a
// resynchronisation a block waits for the next marker, which must stand
// exactly one block length after its own; a marker that fails this is no
// block and the search goes on past it. Bytes that can never become part of a
// block are dropped, and the backlog is kept to the newest maxWaiting blocks'
// worth of bytes, so a unit that sends faster than blocks are taken cannot
// grow the buffer without bound.
std::optional<QByteArray> CutTavr1Block(QByteArray& rx, TTavr1Cutter& cutter, int blockLength,
                                        int maxWaiting = 8);
