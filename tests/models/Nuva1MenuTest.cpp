#include "models/Nuva1_Menu.h"
#include "models/RackMenuFixture.h"

#include <gtest/gtest.h>

namespace {

struct Nuva1MenuTest : RackMenuFixture<TNuva1State>
{
    TNuva1Menu menu;

    QString line() const { return TNuva1Menu::MenuText(s.MenuIndex, s, *hist); }
    void setH(int series, qint32 v)
    {
        (*hist)[std::size_t(TNuva1Menu::SeriesArea + series)][1] = v;
    }
};

TEST_F(Nuva1MenuTest, StepsWrapInsideEachPage)
{
    s.MenuIndex = 14;
    EXPECT_EQ(menu.key1(s), Cmds{bytes({0x14, 0x00, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 0);
    s.MenuIndex = 15;
    EXPECT_EQ(menu.key2(s), Cmds{bytes({0x14, 0x15, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 21);
}

TEST_F(Nuva1MenuTest, EnteringTheSettingsOnlySelectsAndTheExitReturns)
{
    s.MenuIndex = 14;
    s.HoldTime = 4;
    EXPECT_EQ(menu.key3(s, 3), Cmds{bytes({0x1A, 0x01, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 15);
    EXPECT_EQ(s.HoldTime, 4);
    EXPECT_EQ(line(), "   HOLD  2.0 SEC");
    s.MenuIndex = 21;
    EXPECT_EQ(menu.key3(s, 3), Cmds{bytes({0x1A, 0x00, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 14);
    EXPECT_EQ(s.LastValue, 0);
}

TEST_F(Nuva1MenuTest, HoldRowSendsTheHoldCountAndGoesExternalInPastTimeMode)
{
    // Real time mode: at 1 the key sends the hold count, not a zero last value.
    s.MenuIndex = 15;
    s.HoldTime = 1;
    s.LastValue = 0;
    EXPECT_EQ(menu.key4(s, 2), Cmds{bytes({0x4C, 0x0F, 0x30, 0x31, 0xFE})});
    EXPECT_EQ(line(), "   HOLD  0.5 SEC");

    // Past time mode: below 1 is hold external.
    s.MenuIndex = 16;
    EXPECT_EQ(menu.key3(s, 2), Cmds{bytes({0x4C, 0x10, 0x30, 0x31, 0xFE})});
    EXPECT_EQ(line(), "TIME MODE - PAST");
    s.MenuIndex = 15;
    EXPECT_EQ(menu.key4(s, 2), Cmds{bytes({0x4C, 0x0F, 0x30, 0x30, 0xFE})});
    EXPECT_EQ(line(), "   HOLD - EXT   ");
    EXPECT_TRUE(s.HoldIsZero);
    // Up leaves hold external at the shortest hold.
    EXPECT_EQ(menu.key3(s, 2), Cmds{bytes({0x4C, 0x0F, 0x30, 0x31, 0xFE})});
    EXPECT_EQ(line(), "   HOLD  0.5 SEC");

    // At 20 up sends 20 again.
    s.HoldTime = 20;
    EXPECT_EQ(menu.key3(s, 2), Cmds{bytes({0x4C, 0x0F, 0x31, 0x34, 0xFE})});
    EXPECT_EQ(s.HoldTime, 20);

    // Time mode back to real clears hold external; turning it past again while
    // hold is off brings it back.
    s.HoldExternal = true;
    s.HoldIsZero = true;
    s.MenuIndex = 16;
    menu.key4(s, 2);
    EXPECT_FALSE(s.HoldExternal);
    menu.key3(s, 2);
    EXPECT_TRUE(s.HoldExternal);
}

TEST_F(Nuva1MenuTest, AnObserverMovesAndEntersPagesButSendsNoValue)
{
    s.MenuIndex = 14;
    EXPECT_EQ(menu.key3(s, 0).size(), 1);
    for (int i = 0; i < 8; ++i) {
        for (const QByteArray& c : menu.key3(s, 0) + menu.key4(s, 0) + menu.key1(s))
            EXPECT_NE(c.at(0), 'L') << s.MenuIndex;
    }
}

TEST_F(Nuva1MenuTest, Lines)
{
    const struct
    {
        int item;
        int series;
        qint32 h;
        const char* line;
    } cases[] = {
        {0, 0, 1005, "  TOTAL   100 % "}, {0, 0, 1015, "  TOTAL   102 % "},
        {1, 9, 996, "  L + R   100 % "},  {3, 15, 93, "PILOT INJ  9.3 %"},
        {4, 16, 104, "PILOT MOD   10 %"}, {5, 17, 9, " LEFT  - 1.0 DB "},
        {6, 18, 3, " RIGHT + 2.0 DB "},   {13, 18, 7, "38 KHZ + 0.0 DB "},
        {7, 19, 81, "  SEP  -40.5 DB "},  {10, 19, 80, "XTALK  -40.0 DB "},
    };
    for (const auto& c : cases) {
        hist = std::make_unique<TMeasurementHistory>();
        setH(c.series, c.h);
        s.MenuIndex = c.item;
        EXPECT_EQ(line(), c.line) << c.item;
    }
    setH(17, 9);
    s.SettingsBits = 0x10;
    s.MenuIndex = 5;
    EXPECT_EQ(line(), " LEFT  - 1.0 DB*");
    s.MenuIndex = 10;
    EXPECT_EQ(line().at(15), '*');
    s.MenuIndex = 200;
    EXPECT_EQ(line(), "  RESERVED     ");
    EXPECT_TRUE(menu.key3(s, 3).isEmpty());
    EXPECT_EQ(menu.key1(s), Cmds{bytes({0x14, 0x00, 0xFE})});
}

TEST_F(Nuva1MenuTest, ReadoutsShowSumAndDifferenceOnTheCrosstalkLine)
{
    setH(3, 504);
    setH(6, 496);
    setH(9, 1000);
    setH(12, 15);
    s.MenuIndex = 0;
    EXPECT_EQ(TNuva1Menu::Readout(0, s, *hist), " 50");
    EXPECT_EQ(TNuva1Menu::Readout(1, s, *hist), " 50");
    s.MenuIndex = 10;
    EXPECT_EQ(TNuva1Menu::Readout(0, s, *hist), "100");
    EXPECT_EQ(TNuva1Menu::Readout(1, s, *hist), "  2");
}

} // namespace
