#pragma once

#include "protocol/BlockCutter.h"

#include <QString>
#include <array>

// A Bry1 block: FF FE FD FC, 349 data bytes, the low byte of the sum of bytes
// 0..352, two end bytes.
constexpr int Bry1BlockLength = 356;
constexpr int Bry1SumOffset = 353;
constexpr int Bry1KindOffset = 49; // low nibble: 0 record, 1 first table, 2 second table
// The page the unit offers next is named in the high nibble of this word of
// a slot, which lies beyond the 356 bytes a block brings. The words past the
// block are zeroed on every store, so it reads 0 (the request for the second
// page) rather than whatever an earlier use of the slot left there.
constexpr int Bry1PageWord = 376;
constexpr int Bry1SlotWords = 512;
constexpr int Bry1RingSize = 10;
// A serial burst longer than one block is read away at most this much a tick
// (the rule of reading by the count waiting).
constexpr int Bry1SerialDiscardLimit = 1024;
// Blocks that may wait before the oldest are dropped: ten seconds of the
// unit's answers to a page request every tick of 125 ms.
constexpr int Bry1BacklogBlocks = 80;

using TBry1Slot = std::array<qint32, Bry1SlotWords>; // one byte a word

// The two version texts of the "U" answer and the numbers inside them
// (01.23 gives 1 and 23).
struct TBry1Versions
{
    QString Text1; // characters 4..13
    QString Text2; // characters 18..27
    std::array<int, 4> Numbers{};
};

// Lines 2 and 3 of a firmware file shipped for the unit; empty when the file
// is missing or its header does not read.
struct TBry1FileVersions
{
    QString BootVersion;
    QString MainVersion;
};

// What a Bry1 connection keeps. The program shows none of it; it is kept as
// the unit sends it.
struct TBry1Data
{
    QString Bry1Ident; // the last answer to "T"
    TBry1Versions Bry1Versions;
    TBry1FileVersions Bry1HC11File; // DLD/BRYHC11.DLD
    TBry1FileVersions Bry1DSPFile;  // DLD/BRYDSP.DLD

    qint32 Bry1RingIndex = 0; // newest slot
    std::array<TBry1Slot, Bry1RingSize> Bry1Slots{};
    std::array<TBry1Slot, Bry1RingSize> Bry1Records{}; // kind 0, at the index of their slot
    TBry1Slot Bry1Table1{};                            // kind 1
    TBry1Slot Bry1Table2{};                            // kind 2

    bool Bry1BlockHandled = false;
    qint32 Bry1IdleTicks = 0;
    qint32 Bry1PageNext = 0;
    qint32 Bry1ChecksumErrors = 0;
    // Blocks stored since the connection was made (what a load figure counts).
    quint64 Bry1BlocksDecoded = 0;
    // What the receiver had to throw away since polling started.
    TBlockDrops Bry1Drops;
};
