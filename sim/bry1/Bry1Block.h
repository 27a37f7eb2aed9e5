#pragma once

#include <QByteArray>

// The blocks a Bry1 unit sends: FF FE FD FC, data, the low byte of the sum of
// bytes 0..352, CR LF. The data are a pattern of the block number that never
// holds the marker, with the kind in the low nibble of byte 49.
QByteArray buildBry1Block(int kind, int number);
// The same block with its sum byte off by one.
QByteArray withWrongBry1Sum(QByteArray block);

// The unit's answers to "T" and "U", each ended by F0 F1.
QByteArray bry1Answer(const QByteArray& text);
