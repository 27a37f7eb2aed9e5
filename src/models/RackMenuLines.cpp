#include "models/RackMenuLines.h"

#include "common/FieldHelpers.h"

#include <cmath>

namespace RackLines {

QString tableText(std::span<const char* const> table, qint64 code, const QString& fallback)
{
    if (code < 0 || code >= qint64(table.size()))
        return fallback;
    return QString::fromLatin1(table[std::size_t(code)]);
}

QString unknownCode(int width)
{
    return QString(qMax(width, 0), QLatin1Char('*'));
}

qint32 h(const TMeasurementHistory& history, int area, int s)
{
    const int slot = area + s;
    if (slot < 0 || slot >= int(history.size()))
        return 0;
    return history[std::size_t(slot)][1];
}

QString percentLine(const QString& label, double h)
{
    return label + IntField(RoundHalfEven(h / 10), 3) + " % ";
}

QString markSixteenth(QString line, QChar mark)
{
    if (line.size() >= 16)
        line[15] = mark;
    return line;
}

QString dbLine(const QString& label, double h, bool marked)
{
    const double a = 3.5 - h / 2;
    // h is whole, so a is a multiple of 0.5 and the sign never shows "-0.0".
    const QString line = label + (a >= 0 ? "+" : "-") + RealField(4, 1, std::fabs(a)) + " DB ";
    return marked ? markSixteenth(line, '*') : line;
}

QString holdLine(const TRackModuleState& s)
{
    if (s.HoldExternal)
        return QStringLiteral("   HOLD - EXT   ");
    return "   HOLD " + RealField(4, 1, s.HoldTime * 0.5) + " SEC";
}

QString holdLine(const TRackModuleState& s, int item)
{
    if (unreported(s, item))
        return QStringLiteral("   HOLD      SEC");
    return holdLine(s);
}

bool flag(const TRackModuleState& s, int item)
{
    return item >= 0 && item < RackSettingItems && s.Flags[std::size_t(item)];
}

qint32 setting(const TRackModuleState& s, int item)
{
    return item >= 0 && item < RackSettingItems ? s.Settings[std::size_t(item)] : 0;
}

bool unreported(const TRackModuleState& s, int item)
{
    return item >= 0 && item < RackSettingItems && s.Unreported[std::size_t(item)];
}

QString valueField(const TRackModuleState& s, int item, const QString& field)
{
    return unreported(s, item) ? QString(field.size(), QLatin1Char(' ')) : field;
}

QString onOffLine(bool on, const char* onText, const char* offText)
{
    return QString::fromLatin1(on ? onText : offText);
}

QString durationLine(const QString& label, qint64 code, const QString& trackLine)
{
    static constexpr int ms[] = {10, 20, 50, 100, 250, 500};
    if (code < 0 || code >= qint64(std::size(ms)))
        return trackLine;
    return label + IntField(ms[code], 4) + " MS";
}

QString weightingLine(const QString& label, qint64 code, const QString& offLine)
{
    static constexpr int cycles[] = {0, 3, 5, 7, 9, 15, 20, 30, 45};
    if (code <= 0 || code >= qint64(std::size(cycles)))
        return offLine;
    return label + IntField(cycles[code], 2) + " CYC";
}

QString separationLine(int n, const TMeasurementHistory& history, int area, int first, bool marked,
                       const char* lastLabel)
{
    struct Row
    {
        const char* label; // nullptr: the module's own
        int series;
        bool separation;
    };
    static constexpr Row rows[] = {
        {" LEFT  ", 0, false}, {" RIGHT ", 1, false}, {"  SEP  -", 2, true},
        {" L + R ", 0, false}, {" L - R ", 1, false}, {"XTALK  -", 2, true},
        {" TOTAL ", 0, false}, {" PILOT ", 0, false}, {nullptr, 1, false},
    };
    if (n < 0 || n >= int(std::size(rows)))
        return reservedLine;
    const Row& r = rows[n];
    const double v = h(history, area, first + r.series);
    if (r.separation)
        return markSixteenth(r.label + RealField(4, 1, v / 2) + " DB ", marked ? '*' : ' ');
    return dbLine(r.label ? r.label : lastLabel, v, marked);
}

QString stereoReadout(const TMeasurementHistory& history, int area, int first, int which)
{
    return IntField(RoundHalfEven(h(history, area, first + (which == 0 ? 0 : 3)) / 10.0), 3);
}

QString unitLine(int n, bool on)
{
    static const char* const lines[][2] = {
        {"TIME MODE - PAST", "TIME MODE - REAL"},
        {" INFINITE -  ON ", " INFINITE - OFF "},
        {"  REMOTE -  ON  ", "  REMOTE - OFF  "},
    };
    if (n < 0 || n >= int(std::size(lines)))
        return reservedLine;
    return onOffLine(on, lines[n][0], lines[n][1]);
}

QString saveLine(bool saving)
{
    return onOffLine(saving, "    SAVING      ", "  SAVE CONFIG   ");
}

} // namespace RackLines
