#pragma once

#include <QtGlobal>

// Readings that move as on air: a slow drift over about half a minute of
// blocks, the same for every reading, and a jitter of each reading's own
// from block to block. A small generator of our own, so every run sends the
// same values.
class SimDrift
{
public:
    // Starts the next block: the drift moves on one step.
    void nextBlock() { ++m_block; }
    // v moved by the drift and a jitter, both a share of v's size (so a 9 %
    // pilot stays near 9 % while the modulation swings by points), kept
    // within lo..hi.
    qint32 moved(qint32 v, qint32 lo, qint32 hi);
    // v moved by a drift and a jitter of the given sizes, kept within lo..hi.
    qint32 moved(qint32 v, int drift, int jitter, qint32 lo, qint32 hi);

private:
    int next();
    double phase() const;

    quint32 m_seed = 12345;
    int m_block = 0;
};
