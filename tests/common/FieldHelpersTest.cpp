#include "common/FieldHelpers.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

struct TextRow
{
    const char* call;
    QString got;
    QString want;
};

struct NumberRow
{
    const char* call;
    qint64 got;
    qint64 want;
};

#define ROW(call, want)                                                                            \
    {                                                                                              \
#call, call, want                                                                          \
    }

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

} // namespace

TEST(FieldHelpers, TextFields)
{
    const TextRow rows[] = {
        // Signed integers: "+" only above 0, w + 1 characters, "**" when the text
        // with its sign is longer than w.
        ROW(SignedIntField(0, 3), "   0"),
        ROW(SignedIntField(12, 3), " +12"),
        ROW(SignedIntField(-12, 3), " -12"),
        ROW(SignedIntField(-123, 3), "**"),
        ROW(SignedIntField(123, 3), "**"),
        ROW(SignedIntField(1234, 3), "**"),
        ROW(SignedIntField(99, 3), " +99"),

        // Fixed point in i + d + 1 characters, "*.*" when longer.
        ROW(FixedField(3, 1, 12.3), " 12.3"),
        ROW(FixedField(2, 1, 123.45), "*.*"),
        ROW(FixedField(3, 1, 123.45), "123.5"),
        ROW(FixedField(3, 1, 999.96), "*.*"), // rounding carries into a fourth digit
        ROW(FixedField(3, 1, -12.3), "-12.3"),
        ROW(FixedField(3, 1, -123.4), "*.*"),
        ROW(FixedField(3, 0, 12.5), "  13"),
        ROW(FixedField(3, 2, 0.005), "  0.01"),
        ROW(FixedField(3, 1, -0.0), "  0.0"),
        ROW(FixedField(3, 1, -0.04), "  0.0"),
        ROW(FixedField(3, 1, notANumber), "*.*"),
        ROW(FixedField(3, 1, infinity), "*.*"),
        ROW(FixedField(3, 1, -infinity), "*.*"),
        ROW(FixedField(3, -1, 12.3), "  12"), // no decimals below zero
        ROW(FixedField(3, 1, 1e300), "*.*"),

        // Halves round away from zero on the printed decimal, not on the binary value.
        ROW(FixedField(3, 1, 1.05), "  1.1"),
        ROW(FixedField(3, 1, 0.15), "  0.2"),
        ROW(FixedField(3, 1, -2.25), " -2.3"),
        ROW(FixedField(3, 1, 2.25), "  2.3"),
        ROW(FixedField(3, 1, 0.05), "  0.1"),
        ROW(FixedField(3, 1, 0.04999), "  0.0"),
        ROW(FixedField(3, 0, 0.5), "   1"),
        ROW(FixedField(3, 0, -0.5), "  -1"),

        ROW(SignedFixedField(3, 1, 12.3), "+12.3"),
        ROW(SignedFixedField(3, 1, -12.3), "-12.3"),
        ROW(SignedFixedField(3, 1, 0.0), "  0.0"),
        // Above zero keeps its "+" even when it rounds to zero; below zero
        // never shows "-0.0".
        ROW(SignedFixedField(3, 1, 0.04), " +0.0"),
        ROW(SignedFixedField(3, 1, 1e-300), " +0.0"),
        ROW(SignedFixedField(3, 0, 0.4), "  +0"),
        ROW(SignedFixedField(3, 1, -0.04), "  0.0"),
        ROW(SignedFixedField(3, 1, -0.0), "  0.0"),
        ROW(SignedFixedField(3, 1, 0.05), " +0.1"),
        ROW(SignedFixedField(2, 1, 12.3), "*.*"),
        ROW(SignedFixedField(3, 1, notANumber), "*.*"),

        ROW(ByteToHex2(171), "AB"),
        ROW(ByteToHex2(0), "00"),
        ROW(ByteToHex2(10), "0A"),
        ROW(ByteToHex2(255), "FF"),

        ROW(IntField(42, 5), "   42"),
        ROW(IntField(-42, 3), "-42"),
        ROW(IntField(-420, 3), "***"),
        ROW(IntField(12345, 4), "****"),
        ROW(IntField(0, 1), "0"),
        ROW(IntField(5, 0), ""),
        ROW(IntField(5, -2), ""),

        ROW(RealField(6, 2, 3.14159), "  3.14"),
        ROW(RealField(4, 2, 3.14159), "3.14"),
        ROW(RealField(3, 2, 3.14159), "***"),
        ROW(RealField(5, 1, -0.04), "  0.0"),
        ROW(RealField(5, 1, -0.0), "  0.0"),
        ROW(RealField(5, 1, -1.25), " -1.3"),
        ROW(RealField(5, 0, 2.5), "    3"),
        ROW(RealField(5, 1, notANumber), "*****"),
        ROW(RealField(4, 1, -infinity), "****"),
        ROW(RealField(0, 1, 1.0), ""),
        ROW(RealField(20, 3, 123456789.0625), "       123456789.063"),

        ROW(ZeroPadInt(7, 3), "007"),
        ROW(ZeroPadInt(123, 3), "123"),
        ROW(ZeroPadInt(1234, 3), "000"),
        ROW(ZeroPadInt(-5, 3), "-05"),
        ROW(ZeroPadInt(-5, 2), "-5"),
        ROW(ZeroPadInt(-5, 1), "0"),
        ROW(ZeroPadInt(std::numeric_limits<qint64>::min(), 21), "-09223372036854775808"),
        ROW(ZeroPadInt(7, 0), ""),
        ROW(ZeroPadInt(7, -1), ""),

        ROW(SpacePadInt(7, 3), "  7"),
        ROW(SpacePadInt(-7, 3), " -7"),
        ROW(SpacePadInt(1234, 3), "   "),
        ROW(SpacePadInt(7, 0), ""),

        // C strings in received blocks: stop at the first NUL, at most count + 1
        // characters, never past the end.
        ROW(CopyCField(1, QByteArray("AB\0C", 4), 5), "AB"),
        ROW(CopyCField(2, QByteArray("ABCDEF"), 2), "BCD"),
        ROW(CopyCField(1, QByteArray("ABCDEF"), 10), "ABCDEF"),
        ROW(CopyCField(4, QByteArray("AB\0CDE", 6), 10), "CDE"),
        ROW(CopyCField(3, QByteArray("AB\0CDE", 6), 10), ""),
        ROW(CopyCField(0, QByteArray("ABC"), 1), "AB"),
        ROW(CopyCField(-5, QByteArray("ABC"), 0), "A"),
        ROW(CopyCField(4, QByteArray("ABC"), 5), ""),
        ROW(CopyCField(100, QByteArray("ABC"), 5), ""),
        ROW(CopyCField(1, QByteArray("ABC"), -1), ""),
        ROW(CopyCField(1, QByteArray("ABC"), -10), ""),
        ROW(CopyCField(1, QByteArray(), 5), ""),
        ROW(CopyCField(1, QByteArray("ABC"), std::numeric_limits<int>::max()), "ABC"),
        ROW(CopyCField(1, QByteArray("\xC4\xE9"), 5), QString::fromUtf8("Äé")),
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.got.toStdString(), r.want.toStdString()) << r.call;
}

TEST(FieldHelpers, NumberConversions)
{
    const NumberRow rows[] = {
        ROW(PackBytes32(0x12, 0x34, 0x56, 0x78), 0x12345678),
        ROW(PackBytes32(0xFF, 0xFF, 0xFF, 0xFF), 0xFFFFFFFF),
        ROW(PackBytes32(0x80, 0, 0, 0), 0x80000000),
        ROW(PackBytes32(0, 0, 0, 1), 1),

        ROW(HexPairToByte('A', 'B'), 0xAB),
        ROW(HexPairToByte('F', 'F'), 0xFF),
        ROW(HexPairToByte('0', '9'), 0x09),
        ROW(HexPairToByte('a', '1'), 1),
        ROW(HexPairToByte('G', 'z'), 0),
        ROW(HexPairToByte('1', QChar(0)), 0x10),
        ROW(HexPairToByte(QChar(0x0661), '2'), 2), // a non-ASCII digit is no digit

        ROW(DecPairToByte('4', '2'), 42),
        ROW(DecPairToByte('9', '9'), 99),
        ROW(DecPairToByte('x', '7'), 7),
        ROW(DecPairToByte('3', ' '), 30),
        ROW(DecPairToByte('5', QChar(0)), 50),

        ROW(RoundHalfEven(0.5), 0),
        ROW(RoundHalfEven(1.5), 2),
        ROW(RoundHalfEven(2.5), 2),
        ROW(RoundHalfEven(-2.5), -2),
        ROW(RoundHalfEven(-3.5), -4),
        ROW(RoundHalfEven(2.4999), 2),
        ROW(RoundHalfEven(-0.6), -1),
        ROW(RoundHalfEven(notANumber), 0),
        ROW(RoundHalfEven(infinity), std::numeric_limits<qint64>::max()),
        ROW(RoundHalfEven(-infinity), std::numeric_limits<qint64>::min()),
        ROW(RoundHalfEven(1e30), std::numeric_limits<qint64>::max()),
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.got, r.want) << r.call;
}
