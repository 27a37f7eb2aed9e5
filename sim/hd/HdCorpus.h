#pragma once

#include <QString>

// Writes the seeds of the HD fuzz targets under dir: dir/HdBlockFuzz/ (blocks
// of every type and message kind, every chunk of both images, an S network
// frame) and dir/HdEchoLineFuzz/ (echo lines). Returns how many, or -1.
int WriteHdCorpus(const QString& dir);
