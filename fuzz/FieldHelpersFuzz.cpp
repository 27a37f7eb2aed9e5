// The field helpers against the contracts their header states: a field is
// exactly its width or its stars, a value that fits reads back as itself,
// and no helper reads outside the text it is given.
#include "FuzzCheck.h"

#include "common/FieldHelpers.h"

#include <cmath>
#include <cstring>

namespace {

template <typename T>
T take(const uint8_t*& data, size_t& size)
{
    T v{};
    const size_t n = size < sizeof v ? size : sizeof v;
    std::memcpy(&v, data, n);
    data += n;
    size -= n;
    return v;
}

bool allOf(const QString& s, QChar c)
{
    for (QChar x : s)
        if (x != c)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const qint64 n = take<qint64>(data, size);
    const double x = take<double>(data, size);
    const int w = take<quint8>(data, size) % 24;
    const int d = take<quint8>(data, size) % 10;
    const int i = take<quint8>(data, size) % 16;
    const int start = take<qint8>(data, size);
    const int count = take<qint8>(data, size);
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));

    const QString sif = SignedIntField(n, w);
    FUZZ_CHECK(sif == "**" || sif.size() == w + 1);
    if (sif != "**")
        FUZZ_CHECK(sif.trimmed().toLongLong() == n);

    for (bool plus : {false, true}) {
        const QString fixed = plus ? SignedFixedField(i, d, x) : FixedField(i, d, x);
        FUZZ_CHECK(fixed == "*.*" || fixed.size() == i + d + 1);
        if (fixed != "*.*") {
            bool ok = false;
            const double back = fixed.trimmed().toDouble(&ok);
            FUZZ_CHECK(ok && std::isfinite(x));
            const double step = std::pow(10.0, -d);
            FUZZ_CHECK(std::fabs(back - x) <= 0.5 * step * (1 + 1e-9) + std::fabs(x) * 1e-14);
            // A value that shows as zero shows no "-"; a value above zero
            // keeps its "+" even when it rounds to zero ("  +0.0").
            if (back == 0)
                FUZZ_CHECK(!fixed.contains('-'));
            FUZZ_CHECK(fixed.contains('+') == (plus && x > 0));
        }
    }

    const QString intField = IntField(n, w);
    FUZZ_CHECK(intField.size() == w);
    if (w > 0 && !allOf(intField, '*'))
        FUZZ_CHECK(intField.trimmed().toLongLong() == n);

    const QString real = RealField(w, d, x);
    FUZZ_CHECK(real.size() == w);

    const QString zeros = ZeroPadInt(n, w);
    FUZZ_CHECK(zeros.size() == w);
    if (w > 0 && !allOf(zeros, '0'))
        FUZZ_CHECK(zeros.toLongLong() == n);
    const QString blanks = SpacePadInt(n, w);
    FUZZ_CHECK(blanks.size() == w);
    if (w > 0 && !allOf(blanks, ' '))
        FUZZ_CHECK(blanks.trimmed().toLongLong() == n);

    const quint8 b = quint8(n);
    const QString hex = ByteToHex2(b);
    FUZZ_CHECK(hex.size() == 2 && HexPairToByte(hex[0], hex[1]) == b);
    if (text.size() >= 2) {
        (void)HexPairToByte(QChar::fromLatin1(text[0]), QChar::fromLatin1(text[1]));
        FUZZ_CHECK(DecPairToByte(QChar::fromLatin1(text[0]), QChar::fromLatin1(text[1])) <= 99);
    }
    FUZZ_CHECK(PackBytes32(quint8(n >> 24), quint8(n >> 16), quint8(n >> 8), quint8(n)) ==
               quint32(n));

    const QString c = CopyCField(start, text, count);
    FUZZ_CHECK(c.size() <= qMax(count + 1, 0));
    FUZZ_CHECK(!c.contains(QChar(0)));
    if (!c.isEmpty())
        FUZZ_CHECK(text.mid(qMax(start, 1) - 1).startsWith(c.toLatin1()));

    const qint64 r = RoundHalfEven(x);
    if (std::isfinite(x) && std::fabs(x) < 9e18) {
        FUZZ_CHECK(std::fabs(double(r) - x) <= 0.5);
        if (std::fabs(double(r) - x) == 0.5)
            FUZZ_CHECK(r % 2 == 0);
    }
    return 0;
}
