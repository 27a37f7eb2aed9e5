#pragma once

#include <QString>

// Writes the seeds of the HD fuzz targets under dir: dir/HdBlockFuzz/ (blocks
// of every type and message kind, every chunk of both images, an S network
// frame), dir/HdEchoLineFuzz/ (echo lines), dir/HdHistoryRowsFuzz/ (history
// downloads of every row layout) and dir/HdDiagnosticsFuzz/ (diagnostic
// records). Returns how many, or -1.
int WriteHdCorpus(const QString& dir);
