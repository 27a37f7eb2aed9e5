#include "models/Pelo_Menu.h"
#include "models/RackMenuFixture.h"
#include "protocol/rack/RackCommands.h"
#include "protocol/rack/RackDecoder.h"

#include <gtest/gtest.h>

namespace {

struct PeloMenuTest : RackMenuFixture<>
{
    TPelo1Menu m1;
    TPelo2Menu m2;

    QString line1() const { return TPelo1Menu::MenuText(s.MenuIndex, s, *hist); }
    QString line2() const { return TPelo2Menu::MenuText(s.MenuIndex, s, *hist); }
};

TEST_F(PeloMenuTest, Pelo1PagesAndDurations)
{
    s.MenuIndex = 14;
    s.Settings[31] = 0;
    EXPECT_EQ(m1.key3(s, 3), Cmds{bytes({0x19, 0x03, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 31);
    EXPECT_FALSE(s.Flags[31]); // entering does not set the modulation mode
    s.MenuIndex = 35;
    EXPECT_EQ(m1.key3(s, 3), Cmds{bytes({0x19, 0x00, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 14);
    s.MenuIndex = 12;
    m1.key3(s, 3);
    EXPECT_EQ(s.MenuIndex, 16);
    EXPECT_EQ(s.Settings[16], 0); // no + peak raised

    s.MenuIndex = 22;
    s.Settings[22] = 5;
    EXPECT_EQ(m1.key3(s, 3), Cmds{bytes({0x50, 0x16, 0x30, 0x35, 0xFE})});
    EXPECT_EQ(line1(), "NORM DUR  500 MS");
    s.Settings[22] = 6; // echoed by the module
    EXPECT_EQ(line1(), "NORM DUR - TRACK");

    // Remote is up only; save sends 1 on up only.
    s.MenuIndex = 39;
    EXPECT_TRUE(m1.key4(s, 3).isEmpty());
    EXPECT_EQ(m1.key3(s, 3), Cmds{bytes({0x50, 0x27, 0x30, 0x31, 0xFE})});
    EXPECT_EQ(line1(), "  REMOTE -  ON  ");
    s.MenuIndex = 40;
    EXPECT_TRUE(m1.key4(s, 3).isEmpty());
    EXPECT_EQ(m1.key3(s, 3).size(), 1);

    const struct
    {
        int item;
        qint32 v;
        const char* line;
    } cases[] = {
        {25, 8, "PK WEIGHT 45 CYC"},  {25, 0, "PK WEIGHT - OFF "},  {25, 77, "PK WEIGHT - OFF "},
        {41, 25, " MOD ADJ + 2.5% "}, {41, 15, " MOD ADJ - 2.5% "}, {18, 200, "+PPM DUR - TRACK"},
        {200, 0, "  RESERVED     "},
    };
    for (const auto& c : cases) {
        s.MenuIndex = c.item;
        if (c.item < RackSettingItems)
            s.Settings[std::size_t(c.item)] = c.v;
        EXPECT_EQ(line1(), c.line) << c.item;
    }
}

TEST_F(PeloMenuTest, Pelo2FrequencyKeys)
{
    const struct
    {
        qint32 f;
        bool increment;
        bool up;
        qint32 result;
    } cases[] = {
        {1995, true, true, 2000},   {2000, true, false, 1990},   {150, false, false, 150},
        {30000, true, true, 30000}, {1989, true, true, 2000},    {2003, true, false, 2000},
        {500, false, true, 501},    {29999, false, true, 30000},
    };
    for (const auto& c : cases) {
        s = {};
        s.MenuIndex = 49;
        s.Settings[49] = c.f;
        s.Flags[51] = c.increment;
        const Cmds sent = c.up ? m2.key3(s, 2) : m2.key4(s, 2);
        EXPECT_EQ(s.Settings[49], c.result) << c.f;
        ASSERT_EQ(sent.size(), 1);
        EXPECT_EQ(sent[0], bytes({0x50, 0x31}) +
                               QByteArray::number(c.result, 16).rightJustified(4, '0').toUpper() +
                               QByteArray(1, char(0xFE)));
    }
    s.Settings[49] = 1995;
    s.Flags[51] = true;
    m2.key3(s, 2);
    EXPECT_EQ(s.LastValue, 2000);
    s.Settings[49] = 1995;
    EXPECT_EQ(m2.key3(s, 2), Cmds{bytes({0x50, 0x31, 0x30, 0x37, 0x44, 0x30, 0xFE})});

    s.Settings[50] = 1;
    EXPECT_EQ(m2.key3(s, 2), Cmds{bytes({0x50, 0x31, 0x30, 0x30, 0x30, 0x31, 0xFE})});
    EXPECT_EQ(m2.key4(s, 2), Cmds{bytes({0x50, 0x31, 0x30, 0x30, 0x30, 0x31, 0xFE})});
    for (int mode : {2, 3, 9}) {
        s.Settings[50] = mode;
        EXPECT_TRUE(m2.key3(s, 2).isEmpty());
        EXPECT_TRUE(m2.key4(s, 2).isEmpty());
    }

    s.Settings[49] = 2000;
    EXPECT_EQ(line2(), "FREQ   2000 KHZ");
    s.Settings[49] = 2500;
    EXPECT_EQ(line2(), "FREQ  2.500 MHZ");
    s.MenuIndex = 51;
    EXPECT_EQ(m2.key1(s), Cmds{bytes({0x18, 0x34, 0xFE})});
}

TEST_F(PeloMenuTest, Pelo2LinesAndCodesOutsideTheirTables)
{
    (*hist)[TPelo2Menu::SeriesArea + 13][1] = -25;
    (*hist)[TPelo2Menu::SeriesArea + 12][1] = 63;
    const struct
    {
        int item;
        qint32 v;
        const char* line;
    } cases[] = {
        {6, 0, "NOISE  - 2.5 DB "},  {5, 0, "CAR RATIO 6.3 DB"},  {35, 5, "MOD MODE- NORM8K"},
        {35, 6, "MOD MODE- ******"}, {50, 3, "FREQ MODE - LOCK"}, {50, 4, "FREQ MODE - ****"},
        {23, 6, "+PPM DUR - TRACK"}, {27, 2, "NORM DUR   50 MS"}, {38, 30, "CAR TIME  30 SEC"},
        {16, 0, "  POS SETTINGS  "}, {52, 0, "     EXIT ?     "}, {200, 0, "  RESERVED     "},
    };
    for (const auto& c : cases) {
        s.MenuIndex = c.item;
        if (c.item < RackSettingItems)
            s.Settings[std::size_t(c.item)] = c.v;
        EXPECT_EQ(line2(), c.line) << c.item;
    }
    s.MenuIndex = 16;
    EXPECT_EQ(m2.key3(s, 3), Cmds{bytes({0x19, 0x01, 0xFE})});
    EXPECT_EQ(s.Settings[21], 0);
    s.MenuIndex = 30;
    m2.key3(s, 3);
    EXPECT_EQ(s.MenuIndex, 16);
    s.MenuIndex = 18;
    s.Settings[35] = 0;
    m2.key3(s, 3);
    EXPECT_EQ(s.MenuIndex, 35);
    EXPECT_EQ(s.Settings[35], 0); // no modulation mode changed
}

// A setting the module has not reported shows no value until the module's
// echo or the first key press; the key steps from the frame's copy.
TEST_F(PeloMenuTest, UnreportedSettingsShowNoValueUntilEchoedOrStepped)
{
    const struct
    {
        int item;
        const char* blank;
        const char* stepped;
    } pelo1[] = {
        {24, " SENTRY      SEC", " SENTRY    6 SEC"}, {25, "PK WEIGHT    CYC", "PK WEIGHT 20 CYC"},
        {27, "- PEAK MOD     %", "- PEAK MOD   6 %"}, {29, "-PPM DUR      MS", "-PPM DUR - TRACK"},
        {33, "CAR TIME     SEC", "CAR TIME   6 SEC"}, {34, "SHIFT THRES    %", "SHIFT THRES   6%"},
        {36, "   HOLD      SEC", "   HOLD  3.0 SEC"}, {41, " MOD ADJ      % ", " MOD ADJ - 7.0% "},
    };
    for (const auto& c : pelo1) {
        s.MenuIndex = c.item;
        s.Settings[std::size_t(c.item)] = 5;
        s.HoldTime = 5;
        s.Unreported[std::size_t(c.item)] = true;
        EXPECT_EQ(line1(), c.blank) << c.item;
        EXPECT_EQ(m1.key3(s, 3), Cmds{Pelo1SetValueCmd(c.item, 6)}) << c.item;
        EXPECT_FALSE(s.Unreported[std::size_t(c.item)]) << c.item;
        EXPECT_EQ(line1(), c.stepped) << c.item;
    }

    // The module's echo makes the carrier time known.
    s.MenuIndex = 33;
    s.Unreported[33] = true;
    ApplyRackMenuEcho(TRackModule::Pelo1, s, 33, 40, true);
    EXPECT_EQ(line1(), "CAR TIME  40 SEC");
    EXPECT_EQ(m1.key3(s, 3), Cmds{Pelo1SetValueCmd(33, 41)});

    // A Boolean key sets a value of its own: it goes, and the item is known.
    TRackModuleState p2;
    p2.Unreported[47] = true;
    p2.MenuIndex = 47;
    EXPECT_EQ(m2.key3(p2, 3), Cmds{Pelo2SetValueCmd(47, 1)});
    EXPECT_FALSE(p2.Unreported[47]);
}

TEST_F(PeloMenuTest, Pelo2FrequencyKeysStepFromTheFramesCopy)
{
    s.MenuIndex = Pelo2FrequencyItem;
    s.Settings[Pelo2FrequencyItem] = 2000;
    s.Settings[Pelo2FrequencyModeItem] = 0;
    s.Unreported[Pelo2FrequencyItem] = true;
    s.Unreported[Pelo2FrequencyModeItem] = true;
    EXPECT_EQ(line2(), "FREQ        KHZ");
    s.MenuIndex = Pelo2FrequencyModeItem;
    EXPECT_EQ(line2(), "FREQ MODE -     ");
    s.MenuIndex = 35;
    s.Unreported[35] = true;
    EXPECT_EQ(line2(), "MOD MODE-       ");

    // Direct mode in the copy, increment 1/1 kHz: a step of 1.
    s.MenuIndex = Pelo2FrequencyItem;
    EXPECT_EQ(m2.key3(s, 3), Cmds{Pelo2SetValueCmd(Pelo2FrequencyItem, 2001)});
    EXPECT_FALSE(s.Unreported[Pelo2FrequencyItem]);
    EXPECT_EQ(line2(), "FREQ  2.001 MHZ");

    // In auto mode a key only tells the module to tune.
    ApplyRackMenuEcho(TRackModule::Pelo2, s, Pelo2FrequencyModeItem, 1, true);
    EXPECT_EQ(m2.key3(s, 3), Cmds{Pelo2SetValueCmd(Pelo2FrequencyItem, 1)});
    ApplyRackMenuEcho(TRackModule::Pelo2, s, Pelo2FrequencyModeItem, 0, true);
    ApplyRackMenuEcho(TRackModule::Pelo2, s, Pelo2FrequencyItem, 1995, true);
    EXPECT_EQ(line2(), "FREQ   1995 KHZ");
    EXPECT_EQ(m2.key3(s, 3), Cmds{Pelo2SetValueCmd(Pelo2FrequencyItem, 1996)});
}

} // namespace
