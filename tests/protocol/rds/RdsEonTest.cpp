#include "protocol/rds/RdsDecoder.h"
#include "protocol/rds/RdsTestGroups.h"

#include <gtest/gtest.h>

using namespace Rds;

namespace {

constexpr quint16 Pi = 0x4569;
constexpr quint16 OnPi = 0x54A7;

class RdsEonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        d.setUp();
        // The first group after a reset is never handed to the EON decoder.
        d.feed(rdsGroup(Pi, gt0A, 0));
    }
    void eon(int variant, quint16 c, quint16 on = OnPi)
    {
        d.feed(rdsGroup(Pi, gt14A, quint16(variant), c, on));
    }
    const TRdsEonState& s() const { return d.eon(); }
    static QByteArray line(const QByteArray& text)
    {
        return text.leftJustified(TRdsEonState::LineWidth, ' ');
    }

    TRdsDecoder d;
};

TEST_F(RdsEonTest, NewOnPiSetsTheStateBackBeforeItsOwnVariant)
{
    eon(0, 0x4142);
    eon(4, 0xE341);
    eon(5, 0x4155);
    eon(12, 0xD123);
    ASSERT_TRUE(s().Seen[4] || s().Seen[5]);
    eon(1, 0x4344, OnPi + 1);
    EXPECT_EQ(s().LastEonPi, OnPi + 1);
    EXPECT_EQ(s().EonVariant, 1);
    EXPECT_EQ(s().OnPs, "**CD****");
    EXPECT_EQ(s().AfLines[0], line(""));
    EXPECT_EQ(s().AfPositions, (std::array<int, 2>{1, 1}));
    EXPECT_EQ(s().MappedLines[0], line(" tuned frequency:"));
    EXPECT_EQ(s().MappedLines[1], line(""));
    EXPECT_EQ(s().MappedPosition, 1);
    EXPECT_FALSE(s().EonAfStarted || s().EonMappedStarted || s().EonLfMf);
    EXPECT_EQ(s().EonAfLastCount, 0);
    EXPECT_EQ(s().Lsn, 0);
    for (int v = 0; v < 16; ++v)
        EXPECT_EQ(s().Seen[v], v == 1) << v;

    for (int v = 0; v < 4; ++v)
        eon(v, quint16(0x4142 + 0x0202 * v), OnPi + 1);
    EXPECT_EQ(s().OnPs, "ABCDEFGH");
}

TEST_F(RdsEonTest, AfOnListIsWrittenOnceAndRestartsOnANewCount)
{
    eon(4, 0xE341);
    EXPECT_EQ(s().AfLines[0], line(" 94.0"));
    EXPECT_TRUE(s().Seen[4]);
    eon(4, 0xE341); // the same count again: the list is already written
    EXPECT_EQ(s().AfLines[0], line(" 94.0"));
    eon(4, 0xE5FA); // new count, then LF/MF follows
    eon(4, 0x1041); // 530 kHz, then FM again
    EXPECT_EQ(s().AfLines[0], line(" 530 94.0"));
    EXPECT_FALSE(s().EonLfMf);
    eon(4, 0x00CD); // no frequencies
    EXPECT_EQ(s().AfLines[0], line(" 530 94.0"));
}

TEST_F(RdsEonTest, LongAfOnListFillsBothLinesAndDropsWhatDoesNotFitWhole)
{
    eon(4, quint16((0xE0 + 25) << 8 | 125)); // count 25, 100.0 MHz
    for (int i = 0; i < 20; ++i)
        eon(4, quint16((126 + 2 * i) << 8 | (127 + 2 * i)));
    // Eleven six-character texts fill characters 1-66; a text starts in the
    // first line only when it ends by character 71.
    QByteArray first;
    for (int i = 0; i < 11; ++i)
        first += EonFrequency(125 + i, false).toLatin1();
    EXPECT_EQ(s().AfLines[0], line(first));
    EXPECT_EQ(s().AfPositions[0], 67);
    QByteArray second;
    for (int i = 11; i < 22; ++i)
        second += EonFrequency(125 + i, false).toLatin1();
    EXPECT_EQ(s().AfLines[1], line(second));
    EXPECT_EQ(s().AfLines[1].size(), TRdsEonState::LineWidth);
    EXPECT_LE(s().AfPositions[1], TRdsEonState::LineWidth + 1);
}

TEST_F(RdsEonTest, MappedFrequencies)
{
    eon(4, 0xE341); // an AF(ON) list begins
    eon(6, 0x4155);
    EXPECT_FALSE(s().EonMappedStarted);
    EXPECT_EQ(s().MappedLines[1], line(""));
    eon(5, 0x4155);
    EXPECT_EQ(s().MappedLines[0], line(" tuned frequency: 94.0"));
    EXPECT_EQ(s().MappedLines[1], line(" 96.0"));
    EXPECT_TRUE(s().Seen[5]);
    eon(9, 0x4110);
    EXPECT_EQ(s().MappedLines[1], line(" 96.0 530"));
    EXPECT_TRUE(s().Seen[9]);
    // LF/MF covered that one frequency: the AF(ON) list goes on in FM.
    EXPECT_FALSE(s().EonLfMf);
    eon(4, 0x4D55);
    EXPECT_EQ(s().AfLines[0], line(" 94.0 95.2 96.0"));
    // Codes that are no frequency write nothing.
    for (quint16 code : {0, 205, 224, 250, 255})
        eon(7, quint16(0x4100 | code));
    EXPECT_EQ(s().MappedLines[1], line(" 96.0 530"));
    for (int i = 0; i < 40; ++i)
        eon(8, quint16(0x4100 | (125 + i)));
    EXPECT_EQ(s().MappedLines[1].size(), TRdsEonState::LineWidth);
    EXPECT_LE(s().MappedPosition, TRdsEonState::LineWidth + 1);
    // Ten more texts end at character 69; the next would not fit whole.
    EXPECT_EQ(s().MappedLines[1].mid(63), " 100.9  ");
    EXPECT_EQ(s().MappedPosition, 70);
}

TEST_F(RdsEonTest, LinkagePtyTaAndPin)
{
    eon(12, 0xD123);
    EXPECT_EQ(s().La, 1);
    EXPECT_EQ(s().Eg, 1);
    EXPECT_EQ(s().Ils, 1);
    EXPECT_EQ(s().Lsn, 0x123);
    eon(13, quint16(9 << 11 | 1));
    EXPECT_EQ(s().OnPty, 9);
    EXPECT_TRUE(d.eonTa());
    eon(13, quint16(9 << 11));
    EXPECT_FALSE(d.eonTa());

    struct Row
    {
        int day, hour, minute;
        const char *h, *ampm;
    } rows[] = {{2, 0, 5, "12", "AM"},
                {31, 9, 59, " 9", "AM"},
                {7, 12, 0, "12", "PM"},
                {7, 13, 30, " 1", "PM"}};
    for (const Row& r : rows) {
        eon(14, quint16(r.day << 11 | r.hour << 6 | r.minute));
        EXPECT_EQ(s().PinDay, QByteArray::number(r.day).rightJustified(2, '0'));
        EXPECT_EQ(s().PinHour, r.h);
        EXPECT_EQ(s().PinMinute, QByteArray::number(r.minute).rightJustified(2, '0'));
        EXPECT_EQ(s().PinAmPm, r.ampm);
    }
    EXPECT_TRUE(s().Seen[12] && s().Seen[13] && s().Seen[14]);
}

TEST_F(RdsEonTest, DecoderResetAnd14BLeaveTheStateAlone)
{
    eon(0, 0x4142);
    d.feed(rdsGroup(Pi, gt14B, 0x0018, 0, OnPi + 7));
    EXPECT_EQ(s().LastEonPi, OnPi);
    EXPECT_EQ(d.eonPi(), OnPi + 7);
    for (int i = 0; i < 6; ++i)
        d.feed({0, 0, 0, 0});
    EXPECT_EQ(s().OnPs, "AB******");
    d.feed(rdsGroup(Pi, gt0A, 0));
    d.feed(rdsGroup(Pi + 1, gt14A, 1, 0x4344, OnPi)); // another tuned station: reset
    EXPECT_EQ(s().OnPs, "AB******");
    d.feed(rdsGroup(Pi + 1, gt14A, 1, 0x4344, OnPi)); // first after reset: not handed over
    EXPECT_EQ(s().OnPs, "AB******");
    d.feed(rdsGroup(Pi + 1, gt14A, 1, 0x4344, OnPi));
    EXPECT_EQ(s().OnPs, "ABCD****");
}

} // namespace
