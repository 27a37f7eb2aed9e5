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
    return QDateTime(epoch.addDays(d), QTime::fromMSecsSinceStartOfDay(int(ms)));
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
    return FromTDateTime(*v);
}
