#include "common/FieldHelpers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// x with d decimals, rounded half away from zero on its 15 significant digits,
// so that 0.15 shows as "0.2" although its binary value lies just below. A
// value that rounds to zero loses its sign: a reading never shows "-0.0".
// A null text for NaN and infinity.
QString decimalText(double x, int d)
{
    if (!std::isfinite(x))
        return {};
    if (d < 0)
        d = 0;

    char buf[32];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(x));
    // buf is "D.DDDDDDDDDDDDDDe±XX": 15 digits, then the power of ten of the first.
    QByteArray digits;
    digits.append(buf[0]);
    digits.append(buf + 2, 14);
    const qint64 exponent = std::atoi(buf + 17);

    // The digits of round(|x| * 10^d), most significant first.
    const qint64 keep = exponent + 1 + d;
    QByteArray scaled;
    if (keep <= 0) {
        scaled = (keep == 0 && digits[0] >= '5') ? "1" : "0";
    } else if (keep >= digits.size()) {
        scaled = digits + QByteArray(keep - digits.size(), '0');
    } else {
        scaled = digits.left(keep);
        if (digits[keep] >= '5') {
            qsizetype i = scaled.size() - 1;
            while (i >= 0 && scaled[i] == '9')
                scaled[i--] = '0';
            if (i >= 0)
                scaled[i] = char(scaled[i] + 1);
            else
                scaled.prepend('1');
        }
    }
    qsizetype lead = 0;
    while (lead < scaled.size() - 1 && scaled[lead] == '0')
        ++lead;
    scaled.remove(0, lead);
    const bool zero = scaled == "0";

    if (scaled.size() < d + 1)
        scaled.prepend(QByteArray(d + 1 - scaled.size(), '0'));
    if (d > 0)
        scaled.insert(scaled.size() - d, '.');
    if (x < 0 && !zero)
        scaled.prepend('-');
    return QString::fromLatin1(scaled);
}

QString fixedField(int i, int d, double x, bool plus)
{
    const QString stars = QStringLiteral("*.*");
    QString text = decimalText(x, d);
    if (text.isNull())
        return stars;
    // "+" before every value above zero, also one that rounds to "0.0", so a
    // small positive reading is told apart from a small negative one.
    if (plus && x > 0)
        text.prepend('+');
    const qint64 width = qint64(i) + qMax(d, 0) + 1;
    if (text.size() > width)
        return stars;
    return text.rightJustified(qsizetype(width));
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return 0;
}

int decDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') ? u - '0' : 0;
}

// Magnitude digits of n without its sign; safe for the most negative value.
QString magnitudeText(qint64 n)
{
    const quint64 m = n < 0 ? quint64(0) - quint64(n) : quint64(n);
    return QString::number(m);
}

} // namespace

quint32 PackBytes32(quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    return (quint32(b0) << 24) | (quint32(b1) << 16) | (quint32(b2) << 8) | quint32(b3);
}

QString SignedIntField(qint64 n, int w)
{
    QString text = QString::number(n);
    if (n > 0)
        text.prepend('+');
    if (text.size() > w)
        return QStringLiteral("**");
    return text.rightJustified(qsizetype(w) + 1);
}

QString FixedField(int i, int d, double x)
{
    return fixedField(i, d, x, false);
}

QString SignedFixedField(int i, int d, double x)
{
    return fixedField(i, d, x, true);
}

quint8 HexPairToByte(QChar high, QChar low)
{
    return quint8(hexDigit(high) * 16 + hexDigit(low));
}

quint8 DecPairToByte(QChar tens, QChar units)
{
    return quint8(decDigit(tens) * 10 + decDigit(units));
}

QString ByteToHex2(quint8 b)
{
    return QString::number(b, 16).toUpper().rightJustified(2, '0');
}

QString Hex4(quint32 v)
{
    return QString::number(v, 16).toUpper().rightJustified(4, '0');
}

QString Hex8(quint32 v)
{
    return QString::number(v, 16).toUpper().rightJustified(8, '0');
}

QString IntField(qint64 n, int w)
{
    if (w <= 0)
        return {};
    const QString text = QString::number(n);
    if (text.size() > w)
        return QString(w, '*');
    return text.rightJustified(w);
}

QString RealField(int w, int d, double x)
{
    if (w <= 0)
        return {};
    const QString text = decimalText(x, d);
    if (text.isNull() || text.size() > w)
        return QString(w, '*');
    return text.rightJustified(w);
}

QString ZeroPadInt(qint64 n, int w)
{
    if (w <= 0)
        return {};
    // The sign goes before the zeros: -5 in three places is "-05".
    const QString sign = n < 0 ? QStringLiteral("-") : QString();
    const QString digits = magnitudeText(n);
    if (sign.size() + digits.size() > w)
        return QString(w, '0');
    return sign + digits.rightJustified(w - sign.size(), '0');
}

QString SpacePadInt(qint64 n, int w)
{
    if (w <= 0)
        return {};
    const QString text = QString::number(n);
    if (text.size() > w)
        return QString(w, ' ');
    return text.rightJustified(w);
}

QString CopyCField(int start, const QByteArray& text, int count)
{
    const qsizetype from = qMax(start, 1) - 1;
    const qint64 most = qint64(count) + 1;
    if (from >= text.size() || most <= 0)
        return {};
    qsizetype n = qMin<qint64>(most, text.size() - from);
    const qsizetype nul = text.indexOf('\0', from);
    if (nul >= 0 && nul - from < n)
        n = nul - from;
    return QString::fromLatin1(text.constData() + from, n);
}

qint64 RoundHalfEven(double x)
{
    if (std::isnan(x))
        return 0;
    // Beyond 2^63 the conversion is undefined; such a value is no reading anyway.
    constexpr double limit = 9223372036854775808.0;
    if (x >= limit)
        return std::numeric_limits<qint64>::max();
    if (x < -limit)
        return std::numeric_limits<qint64>::min();
    return qint64(std::nearbyint(x));
}
