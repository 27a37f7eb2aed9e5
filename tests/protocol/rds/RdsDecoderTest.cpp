#include "protocol/rds/RdsDecoder.h"
#include "models/RdsBasicPage.h"
#include "protocol/rds/RdsTestGroups.h"

#include <gtest/gtest.h>

using namespace Rds;

namespace {

class RdsDecoderTest : public ::testing::Test
{
protected:
    void SetUp() override { d.setUp(); }
    void feed(const std::vector<TRdsGroupRec>& groups)
    {
        for (const TRdsGroupRec& g : groups)
            d.feed(g);
    }
    void feed(const QStringList& lines) { feed(rdsGroups(lines)); }
    TRdsBasicPage page() const { return RdsBasicPage(d); }

    TRdsDecoder d;
};

constexpr quint16 Pi = 0x4569; // KUFX
constexpr quint16 OtherPi = 0x54A7;

TEST_F(RdsDecoderTest, FirstGroupAfterResetIsTakenWithAnyPi)
{
    EXPECT_TRUE(d.resetPending());
    d.feed(rdsGroup(Pi, gt0A, 0x0400 | 0x0120, 0xE000, 0x4142));
    EXPECT_EQ(d.pi(), Pi);
    EXPECT_TRUE(d.tp());
    EXPECT_EQ(d.pty(), 9);
    EXPECT_FALSE(d.resetPending());
    EXPECT_EQ(page().piCall.text, "KUFX");
}

TEST_F(RdsDecoderTest, AnotherPiResetsAndDropsItsGroupAndTheNextGroupSkipsTheHandOff)
{
    d.feed(rdsGroup(Pi, gt0A, 0x03, 0, 0x4142));
    d.feed(rdsGroup(Pi, gt14A, 0));
    EXPECT_EQ(d.handOffs(), 1);

    d.setMode(1);
    d.feed(rdsGroup(OtherPi, gt14A, 0)); // dropped: not decoded, the flag stays set
    EXPECT_EQ(d.mode(), 1) << "a reset keeps the mode";
    EXPECT_EQ(d.pi(), 0);
    EXPECT_EQ(d.seenTypes(), 0u);
    EXPECT_TRUE(d.resetPending());
    EXPECT_EQ(page().ps.text, "*       ");

    d.feed(rdsGroup(OtherPi, gt7A, 0)); // first decoded: no hand-off
    EXPECT_EQ(d.pi(), OtherPi);
    EXPECT_EQ(d.handOffs(), 0);
    d.feed(rdsGroup(OtherPi, gt7A, 0));
    EXPECT_EQ(d.handOffs(), 1);
}

TEST_F(RdsDecoderTest, SixEmptyEntriesInARowResetFiveDoNot)
{
    const TRdsGroupRec empty{};
    const TRdsGroupRec blankedA{0, 0x1234, 0x5678, 0x9ABC}; // a module blanking a bad block A
    d.feed(rdsGroup(Pi, gt0A, 0x03, 0, 0x4142));
    for (int i = 0; i < 5; ++i)
        d.feed(i % 2 ? empty : blankedA);
    EXPECT_EQ(d.pi(), Pi) << "five empty entries keep the station";
    EXPECT_EQ(d.ps()[6], 'A');
    EXPECT_EQ(d.lastGroup(gt0A).D, 0x4142) << "an entry without block A is never decoded";

    d.feed(rdsGroup(Pi, gt0B, 0x03, 0, 0x4142)); // a group between restarts the count
    for (int i = 0; i < 5; ++i)
        d.feed(empty);
    EXPECT_EQ(d.pi(), Pi);
    d.feed(blankedA);
    EXPECT_EQ(d.pi(), 0);
    EXPECT_TRUE(d.resetPending());
    EXPECT_FALSE(page().piHex.known);
}

TEST_F(RdsDecoderTest, WalkTakesSixGroupsInOrderAndTwoDecodersKeepTheirOwnStations)
{
    TRdsDecoder other;
    other.setUp();
    std::array<TRdsGroupRec, 6> mine{}, theirs{};
    for (int a = 0; a < 4; ++a) {
        mine[a] = rdsGroup(Pi, gt0A, quint16(a), 0, quint16(0x4100 + 'A' + a));
        theirs[a] = rdsGroup(OtherPi, gt0A, quint16(a), 0, quint16(0x5A00 + 'A' + a));
    }
    d.walk(mine);
    other.walk(theirs);
    d.walk(mine);
    EXPECT_EQ(page().ps.text, "AAABACAD");
    EXPECT_EQ(RdsBasicPage(other).ps.text, "ZAZBZCZD");
    EXPECT_EQ(d.emptyCount(), 2) << "the two empty entries of the batch";
}

TEST(RdsGroupQueue, KeepsTheNewestBatchesAndCountsTheDropped)
{
    TRdsGroupQueue q;
    for (int i = 0; i < TRdsGroupQueue::Capacity + 3; ++i) {
        TRdsGroupQueue::Batch b{};
        b[0].A = quint16(i + 1);
        q.push(b);
    }
    EXPECT_EQ(q.size(), TRdsGroupQueue::Capacity);
    EXPECT_EQ(q.dropped(), 3);
    TRdsGroupQueue::Batch b;
    ASSERT_TRUE(q.pop(b));
    EXPECT_EQ(b[0].A, 4) << "the oldest went first";
    int n = 1;
    while (q.pop(b))
        ++n;
    EXPECT_EQ(n, TRdsGroupQueue::Capacity);
    EXPECT_EQ(b[0].A, TRdsGroupQueue::Capacity + 3);
}

TEST(RdsCallLetters, FromPiInBothModes)
{
    struct Row
    {
        quint16 pi;
        const char* call;
    };
    const Row rows[] = {
        {4096, "KAAA"}, {21671, "KZZZ"},  {21672, "WAAA"}, {39247, "WZZZ"}, {0x9950, "KEX "},
        {0x998A, ""},   {0x99BB, "WWL "}, {39356, "****"}, {4095, "****"},  {0x4569, "KUFX"},
    };
    for (const Row& r : rows) {
        TRdsDecoder d;
        d.setUp();
        d.feed(rdsGroup(r.pi, gt0A, 0));
        EXPECT_EQ(RdsBasicPage(d).piCall.text, r.call) << r.pi;
        d.setMode(1);
        EXPECT_EQ(RdsBasicPage(d).piCall.text, "****") << r.pi;
        EXPECT_EQ(RdsBasicPage(d).piHex.text, PiHexText(r.pi));
    }
    TRdsDecoder none;
    none.setUp();
    EXPECT_EQ(RdsBasicPage(none).piCall, (TRdsField{"****", false}));
    EXPECT_EQ(RdsBasicPage(none).piHex, (TRdsField{"****", false}));
}

TEST_F(RdsDecoderTest, PsAssemblesInAnyOrderWithDiTaAndMs)
{
    const char* ps = "ABCDEFGH";
    for (int a : {3, 0, 2, 1}) {
        const quint16 diBit = a == 3 ? 0x04 : 0;
        d.feed(rdsGroup(Pi, gt0A, quint16(0x10 | diBit | a), 0,
                        quint16(ps[2 * a] << 8 | ps[2 * a + 1])));
    }
    const TRdsBasicPage p = page();
    EXPECT_EQ(p.ps, (TRdsField{"ABCDEFGH", true}));
    EXPECT_EQ(p.diNumber.text, "01");
    EXPECT_EQ(p.diText.text, "STEREO    ");
    EXPECT_EQ(p.ta.text, "ON(1) ");
    EXPECT_EQ(p.ms.text, "SPEECH(0)");
}

TEST_F(RdsDecoderTest, RealStationBasicsInBothModes)
{
    feed(QStringList{"6204 0130 966B 594C", "6204 0131 93CD 4520", "6204 0132 E472 5833",
                     "6204 0137 966B 4D20"});
    TRdsBasicPage p = page();
    EXPECT_EQ(p.ps.text, "YLE X3M ");
    EXPECT_EQ(d.di(), 1);
    EXPECT_EQ(p.ta.text, "ON(1) ");
    EXPECT_EQ(p.ptyNumber.text, "09");
    EXPECT_EQ(p.ptyName.text, "TOP_40  ");
    EXPECT_EQ(p.piCall.text, "WFBO");
    d.setMode(1);
    p = page();
    EXPECT_EQ(p.ptyName.text, "VARIED  ");
    EXPECT_EQ(p.piCall.text, "****");
}

TEST_F(RdsDecoderTest, RadioTextLinesByFlagAndVersion)
{
    d.feed(rdsGroup(Pi, gt2A, 0x0F, 0x5758, 0x595A)); // address 15, flag 0
    EXPECT_EQ(page().rtA.text, QString(60, ' ') + "WXYZ");
    d.feed(rdsGroup(Pi, gt2A, 0x10, 0x4142, 0x4344)); // flag 1: the other line, both kept
    EXPECT_EQ(page().rtA.text, QString(60, ' ') + "WXYZ");
    EXPECT_EQ(page().rtB.text, "ABCD" + QString(60, ' '));

    d.feed(rdsGroup(Pi, gt2B, 0x01, 0, 0x4546));
    EXPECT_EQ(d.radioText(0)[60], ' ') << "a 2B blanks both 2A lines";
    EXPECT_EQ(d.radioText(1)[0], ' ');
    EXPECT_EQ(page().rtA.text, QString(64, ' ')) << "the 2A lines stay shown, now blank";
    d.feed(rdsGroup(Pi, gt2A, 0x00, 0x4142, 0x4344));
    EXPECT_EQ(d.radioText(2)[2], ' ') << "a 2A blanks both 2B lines";

    TRdsDecoder only2B;
    only2B.setUp();
    only2B.feed(rdsGroup(Pi, gt2B, 0x11, 0, 0x4546));
    EXPECT_EQ(RdsBasicPage(only2B).rtB.text, "  EF" + QString(60, ' '));
}

TEST_F(RdsDecoderTest, RealRadioTextWithCrAndNulKeepsItsWidth)
{
    feed(QStringList{"C954 24F0 4A41 434B", "C954 24F1 2039 362E", "C954 24F2 390D 0000"});
    const TRdsBasicPage p = page();
    EXPECT_EQ(p.rtB.text, "JACK 96.9" + QString(55, ' '));
    EXPECT_EQ(p.tp.text, "ON(1) ");
    EXPECT_EQ(p.ptyNumber.text, "07");
    EXPECT_EQ(p.ptyName.text, "ADLT_HIT");
    EXPECT_EQ(p.piCall.text, "****");
    EXPECT_EQ(p.piHex.text, "C954");
    EXPECT_EQ(d.radioText(1)[10], 0x00) << "the device byte stays raw in the state";
}

// What Latin-1 cannot print shows as a blank; the rest as it came.
TEST(RdsDeviceChars, UnprintableBytesShowAsBlanks)
{
    const quint8 bytes[] = {0x00, 0x0D, 0x1F, 0x20, 0x41, 0x7E, 0x7F,
                            0x80, 0x85, 0x9F, 0xA0, 0xAD, 0xC9, 0xFF};
    const QString shown = DeviceChars(bytes, int(std::size(bytes)));
    EXPECT_EQ(shown, QString::fromUtf8("    A~    \u00A0 \u00C9\u00FF"));
    EXPECT_EQ(DeviceChars(bytes, 0), QString());
}

TEST_F(RdsDecoderTest, EccPinPtynSecondPsCityAndState)
{
    EXPECT_EQ(page().ecc, (TRdsField{"  ", false}));
    d.feed(rdsGroup(Pi, gt1A, 0, 0x80A0, quint16(5 << 11 | 0 << 6 | 7)));
    EXPECT_EQ(page().ecc.text, "A0") << "the linkage bit does not hide the ECC";
    EXPECT_EQ(page().pin.text, "05 12:07 AM");
    d.feed(rdsGroup(Pi, gt1A, 0, 0x10A4, 0)); // variant 1: no ECC
    EXPECT_EQ(page().ecc.text, "A0");

    d.feed(rdsGroup(Pi, gt10A, 1, 0x4546, 0x4748));
    d.feed(rdsGroup(Pi, gt10A, 0, 0x4142, 0x4344));
    EXPECT_EQ(page().ptyn.text, "ABCDEFGH");

    d.feed(rdsGroup(Pi, gt3A, 0x08 | 0x07, 0x4F4E, 0x2020)); // second half, state low 7
    d.feed(rdsGroup(Pi, gt3A, 0x07, 0x4C4F, 0x4E44));        // first half, state high 7
    EXPECT_EQ(page().city.text, "LONDON  ");
    EXPECT_EQ(page().stateNumber.text, "63");
    EXPECT_EQ(page().stateName.text, "**");
    d.feed(rdsGroup(Pi, gt3A, 0x00, 0x4C4F, 0x4E44));
    d.feed(rdsGroup(Pi, gt3A, 0x08 | 0x04, 0x4F4E, 0x2020));
    EXPECT_EQ(page().stateName.text, "CA");
    d.feed(rdsGroup(Pi, gt3A, 0x10 | 0x08, 0x5858, 0x5858)); // bit 4: not a city group
    EXPECT_EQ(page().city.text, "LONDON  ");
}

TEST_F(RdsDecoderTest, FifteenBAloneShowsTheSecondPsUntilAZeroAComes)
{
    d.feed(rdsGroup(Pi, gt15A, 0x10, 0x4641, 0x5354));
    d.feed(rdsGroup(Pi, gt15A, 0x11, 0x2050, 0x5321));
    EXPECT_FALSE(page().ps.known);
    d.feed(rdsGroup(Pi, gt15B, 0x18, 0, 0x0018));
    EXPECT_EQ(page().ps, (TRdsField{"FAST PS!", true}));
    EXPECT_EQ(page().ms.text, "MUSIC(1) ");
    d.feed(rdsGroup(Pi, gt0A, 0x00, 0, 0x4142));
    EXPECT_EQ(page().ps.text, "AB      ");
}

TEST(RdsClock, LocalTimeAndTheDateThatBelongsToIt)
{
    auto clock = [](int mjd, int hour, int minute, int halfHours, bool negative) {
        const quint16 b = quint16(mjd >> 15);
        const quint16 c = quint16(((mjd & 0x7FFF) << 1) | (hour >> 4));
        const quint16 d =
            quint16(((hour & 0x0F) << 12) | (minute << 6) | (negative ? 0x20 : 0) | halfHours);
        return TRdsGroupRec{Pi, quint16(gt4A << 11 | b), c, d};
    };
    struct Row
    {
        TRdsGroupRec g;
        const char* time;
        const char* date;
    };
    const Row rows[] = {
        {clock(45218, 12, 0, 0, false), "12:00 PM", "09/06/82"},
        {clock(45218, 23, 45, 11, false), " 5:15 AM", "09/07/82"},
        {clock(45218, 2, 0, 10, true), " 9:00 PM", "09/05/82"},
        {clock(45218, 0, 30, 24, true), "12:30 PM", "09/05/82"},
        {clock(45218, 0, 5, 0, false), "12:05 AM", "09/06/82"},
        {clock(0, 12, 0, 0, false), "  :     ", "  /  /  "},
        {clock(15078, 12, 0, 0, false), "  :     ", "  /  /  "},
        {clock(88128, 12, 0, 0, false), "  :     ", "  /  /  "},
        {clock(45218, 24, 0, 0, false), "  :     ", "  /  /  "},
        {rdsGroups({"C202 41E1 C565 1802"})[0], " 6:32 PM", "10/08/17"},
        {rdsGroups({"D314 41C1 C3EF 5AC4"})[0], "11:43 PM", "04/04/17"},
        {rdsGroups({"22E1 4581 C1E7 4280"})[0], " 8:10 PM", "07/18/16"},
        {rdsGroups({"4569 40DD CD92 3BAE"})[0], " 8:46 PM", "08/19/20"},
    };
    for (const Row& r : rows) {
        TRdsDecoder d;
        d.setUp();
        d.feed(r.g);
        const TRdsBasicPage p = RdsBasicPage(d);
        EXPECT_EQ(p.time.text, r.time) << r.time << " " << r.date;
        EXPECT_EQ(p.date.text, r.date) << r.time << " " << r.date;
        EXPECT_EQ(p.time.known, QString(r.time) != "  :     ");
    }
}

TEST(RdsGroupTypes, AscendingTypesPaddedForTheWindow)
{
    TRdsDecoder d;
    d.setUp();
    for (int type : {gt14A, gt2B, gt0A, gt2A, gt0A})
        d.feed(rdsGroup(Pi, type, 0));
    const QString text = RdsBasicPage(d).groupTypes.text;
    EXPECT_EQ(text, QString(" 0A 2A 2B 14A").leftJustified(71));
    EXPECT_EQ(GroupTypesText(0xFFFFFFFFu).size(), 108);
}

} // namespace
