#pragma once

#include <QString>

// Seeds for the Bry1 fuzz target, written into dir/Bry1StreamFuzz/ (one file a
// seed). A seed is one byte of path (0 the network gatherer, 1 the serial
// rule, 2 the "U" answer), one byte that sets the sizes of the pieces the
// stream is fed in, then the stream. Returns false with a reason when a file
// cannot be written.
bool writeBry1Corpus(const QString& dir, QString* error = nullptr);
