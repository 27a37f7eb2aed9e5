#pragma once

#include "protocol/hd/HdData.h"

#include <QString>
#include <QStringList>

// The unit's diagnostic text as the settings window lists it: a header of the
// record's fields, then the text walked into lines of at most 80 bytes, CR and
// LF written out, and each "***" marker turned into a separator line.

// The separator line: 48 asterisks.
QString HdDiagnosticSeparator();

// The header lines and the walked text. The unit reports Len as a 32-bit
// value; the walk covers at most the bytes the record holds (the 2,384-byte
// area), never past it, and nothing for a negative Len.
QStringList HdDiagnosticLines(const THistoryDataRec& d);

// How far the download is, 0..100: (Index + 340) / Len of the whole, 0 while
// Len is 0.
double HdDiagnosticProgress(const THistoryDataRec& d);
// "Complete" at 100, else "Downloading(" + the progress + "%)".
QString HdDiagnosticLabel(const THistoryDataRec& d);
