#pragma once

#include <QByteArray>
#include <optional>

// Cutting Tavr1 blocks out of the received byte stream. A block starts with the
// marker FF FE FD and has a fixed length: 1501 bytes, 1509 when the unit stamps
// its blocks (the S protocol).

constexpr int Tavr1BlockLength = 1501;
constexpr int Tavr1StampedBlockLength = 1509;

// Takes the first whole block out of rx: bytes before its marker are dropped
// (they are no block), a block is cut only when all its bytes are there, and a
// stream without any marker is never taken for a block. Nothing is cut while
// no whole block waits. Blocks waiting beyond maxWaiting are dropped, oldest
// first, so a unit that sends faster than they are taken cannot grow the
// buffer without bound.
std::optional<QByteArray> CutTavr1Block(QByteArray& rx, int blockLength, int maxWaiting = 8);
