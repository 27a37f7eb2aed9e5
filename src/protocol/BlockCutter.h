#pragma once

#include <QByteArray>
#include <optional>

// Cutting fixed-length blocks that start with the marker FF FE FD out of a
// received byte stream; the Tavr1 and HD links share it.
//
// Takes the first whole block out of rx: bytes before its marker are dropped
// (they are no block), a block is cut only when all its bytes are there, and a
// stream without any marker is never taken for a block (the last two bytes
// stay, as they may begin a marker). Blocks waiting beyond maxWaiting are
// dropped, oldest first, so a unit that sends faster than they are taken cannot
// grow the buffer without bound.
std::optional<QByteArray> CutMarkedBlock(QByteArray& rx, int blockLength, int maxWaiting);
