#pragma once

#include "data/FrameState.h"
#include "protocol/rack/RackData.h"

#include <QString>
#include <span>

// The line forms the rack modules' LCD lines share, and the bounded lookups
// every text chosen by a device value goes through.
namespace RackLines {

// The shown text for a code that comes from the module: fallback when the code
// has no entry.
QString tableText(std::span<const char* const> table, qint64 code, const QString& fallback);

// Asterisks of the field's width, for a code that has no name.
QString unknownCode(int width);

// Entry 1 of series s of the module's area (first slot `area`); 0 outside the
// history.
qint32 h(const TMeasurementHistory& history, int area, int s);

// label + IntField(RoundHalfEven(h / 10), 3) + " % "
QString percentLine(const QString& label, double h);

// a := 3.5 - h / 2; label + "+" or "-" + RealField(4, 1, |a|) + " DB ", with
// the sixteenth character replaced by '*' when marked.
QString dbLine(const QString& label, double h, bool marked);

// Replaces the sixteenth character (when the line has one).
QString markSixteenth(QString line, QChar mark);

// "   HOLD - EXT   " or "   HOLD " + RealField(4, 1, hold x 0.5) + " SEC".
QString holdLine(const TRackModuleState& s);
// The same for the hold of that item, with no value while it is unreported.
QString holdLine(const TRackModuleState& s, int item);

// The item's Boolean copy and numeric setting; false and 0 for an item
// outside the state, since a module may echo any byte as its item.
bool flag(const TRackModuleState& s, int item);
qint32 setting(const TRackModuleState& s, int item);

// Whether the module has not reported the item's setting yet.
bool unreported(const TRackModuleState& s, int item);
// The value field of the item's line, or blanks of its width while the
// module has not reported the item: the line never shows a value the module
// did not give.
QString valueField(const TRackModuleState& s, int item, const QString& field);

QString onOffLine(bool on, const char* onText, const char* offText);

// The duration codes 0..5 (10..500 ms) as "<label>" + IntField(ms, 4) + " MS";
// any other code (6 and what the module echoes) is the tracking line.
QString durationLine(const QString& label, qint64 code, const QString& trackLine);

// The weighting codes 1..8 (3..45 cycles) as "<label>" + IntField(c, 2) +
// " CYC"; 0 and any code outside the table is the off line.
QString weightingLine(const QString& label, qint64 code, const QString& offLine);

// Line n (0..8) of a stereo module's separation lines, over the three series
// from first: left, right and their separation, then sum, difference and
// their crosstalk, then total, pilot and the module's own last line
// (lastLabel, of the second series). A marked module shows '*' as every
// line's sixteenth character.
QString separationLine(int n, const TMeasurementHistory& history, int area, int first, bool marked,
                       const char* lastLabel);

// A stereo module's big readout which (0, or else the second) over the pair
// of series from first; the pair's second stands three series on.
QString stereoReadout(const TMeasurementHistory& history, int area, int first, int which);

// The unit settings' on/off lines, alike on every module: n 0 the time mode
// (on: past), 1 the infinite hold, 2 the remote control.
QString unitLine(int n, bool on);
// "    SAVING      " while the module saves, else the save line.
QString saveLine(bool saving);

inline const QString exitLine = QStringLiteral("     EXIT ?     ");
inline const QString reservedLine = QStringLiteral("  RESERVED     ");

} // namespace RackLines
