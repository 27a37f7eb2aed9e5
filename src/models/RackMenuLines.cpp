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

} // namespace RackLines
