#include "common/TDateTime.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

namespace {
const QDate epoch(1899, 12, 30);
constexpr double msPerDay = 86400000.0;
// The day numbers a unit's clock can hold: 1899-12-31 .. 9999-12-31.
constexpr double firstDay = 1.0;
constexpr double lastDay = 2958465.0;
} // namespace

double ToTDateTime(const QDateTime& t)
{
    const QDateTime local = t.toLocalTime();
    return double(epoch.daysTo(local.date())) + local.time().msecsSinceStartOfDay() / msPerDay;
}

QDateTime FromTDateTime(double days)
{
    const double whole = std::floor(days);
    qint64 ms = qint64(std::llround((days - whole) * msPerDay));
    qint64 d = qint64(whole);
    if (ms >= qint64(msPerDay)) {
        ms -= qint64(msPerDay);
        ++d;
    }
    const QDate date = epoch.addDays(d);
    const QDateTime t(date, QTime::fromMSecsSinceStartOfDay(int(ms)));
    if (t.isValid())
        return t;
    // A clock time the spring change to summer time skips (a unit's clock
    // need not keep the computer's zone): as far into the day as it says,
    // which lands just after the change, never on an invalid time.
    return date.startOfDay().addMSecs(ms);
}

QByteArray TDateTimeBytes(const QDateTime& t)
{
    const double v = ToTDateTime(t);
    quint64 bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    QByteArray out(8, '\0');
    qToLittleEndian(bits, out.data());
    return out;
}

std::optional<double> TDateTimeDaysFromBytes(const char* eightBytes)
{
    const quint64 bits = qFromLittleEndian<quint64>(eightBytes);
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v) || v < firstDay || v >= lastDay + 1)
        return std::nullopt;
    return v;
}

std::optional<QDateTime> TDateTimeFromBytes(const QByteArray& eightBytes)
{
    if (eightBytes.size() != 8)
        return std::nullopt;
    const std::optional<double> v = TDateTimeDaysFromBytes(eightBytes.constData());
    if (!v)
        return std::nullopt;
    // The rounding to whole milliseconds carries the last half millisecond of
    // the last day into a day the range does not have.
    const QDateTime last(epoch.addDays(qint64(lastDay)), QTime(23, 59, 59, 999));
    const QDateTime t = FromTDateTime(*v);
    return t.date() > last.date() ? last : t;
}
