#include "models/RackMenuFixture.h"
#include "models/Varn1_Menu.h"
#include "protocol/rack/RackCommands.h"
#include "protocol/rack/RackDecoder.h"

#include <gtest/gtest.h>

namespace {

struct Varn1MenuTest : RackMenuFixture<TVarn1UnitState>
{
    TVarn1Menu menu{1};

    QString line() const { return TVarn1Menu::MenuText(s.MenuIndex, s, *hist, 1); }
};

TEST_F(Varn1MenuTest, PagesCarryTheUnitByteAndReturnToTheirEntryItems)
{
    s.MenuIndex = 5;
    s.Settings[8] = 0;
    EXPECT_EQ(menu.key3(s, 3), Cmds{bytes({0x20, 0x01, 0x01, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 8);
    EXPECT_FALSE(s.Flags[8]); // entering does not switch the filter in
    s.MenuIndex = 11;
    EXPECT_EQ(menu.key3(s, 3), Cmds{bytes({0x20, 0x01, 0x00, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 5);

    // Entering the detector page leaves the modulation type alone.
    s.MenuIndex = 6;
    EXPECT_EQ(menu.key3(s, 3), Cmds{bytes({0x20, 0x01, 0x02, 0xFE})});
    EXPECT_EQ(s.Settings[12], 0);
    s.MenuIndex = 16;
    menu.key3(s, 3);
    EXPECT_EQ(s.MenuIndex, 6);
    s.MenuIndex = 7;
    menu.key3(s, 3);
    EXPECT_EQ(s.MenuIndex, 17);
    s.MenuIndex = 27;
    menu.key3(s, 3);
    EXPECT_EQ(s.MenuIndex, 7);

    s.MenuIndex = 7;
    EXPECT_EQ(menu.key1(s), Cmds{bytes({0x1F, 0x01, 0x00, 0xFE})});
}

TEST_F(Varn1MenuTest, ChannelWrapsAndIsLockedByTheCalibrator)
{
    s.MenuIndex = 2;
    s.Settings[2] = 5;
    EXPECT_EQ(menu.key3(s, 2), Cmds{bytes({0x52, 0x01, 0x02, 0x30, 0x31, 0xFE})});
    EXPECT_EQ(s.Settings[2], 1);
    EXPECT_EQ(line().left(10), "SCA#1 INJ ");

    (*hist)[1024 + 256 + 3][1] = 87;
    s.SettingsBits |= 0x80;
    EXPECT_EQ(line(), "SCA#* INJ  8.7 %");
    EXPECT_TRUE(menu.key3(s, 3).isEmpty());
    EXPECT_TRUE(menu.key4(s, 3).isEmpty());
    EXPECT_EQ(s.Settings[2], 1);
}

TEST_F(Varn1MenuTest, RdsModeLocksFrequencyBandwidthAndMute)
{
    s.Settings[12] = 1;
    s.Settings[9] = 100;
    s.Settings[10] = 4;
    s.Settings[23] = 1;
    const struct
    {
        int item;
        const char* line;
    } cases[] = {{9, "FREQ<RDS> 57 KHZ"}, {10, " BPF BW - RDS   "}, {23, " MUTE<RDS> - ON "}};
    for (const auto& c : cases) {
        s.MenuIndex = c.item;
        EXPECT_EQ(line(), c.line);
        EXPECT_TRUE(menu.key3(s, 3).isEmpty()) << c.item;
        EXPECT_TRUE(menu.key4(s, 3).isEmpty()) << c.item;
    }
    EXPECT_EQ(s.Settings[9], 100);
    s.Settings[12] = 0;
    s.MenuIndex = 9;
    EXPECT_EQ(line(), "FREQ -  50.0 KHZ");
    EXPECT_EQ(menu.key3(s, 3), Cmds{bytes({0x52, 0x01, 0x09, 0x36, 0x35, 0xFE})});
}

TEST_F(Varn1MenuTest, LinesAndDeviceCodesOutsideTheirTables)
{
    (*hist)[1024 + 256 + 4][1] = 9;
    const struct
    {
        int item;
        qint32 value;
        const char* line;
    } cases[] = {
        {4, 0, " SCA   - 1.0 DB "},   {4, 1, " SCA   - 1.0 DB*"},     {4, 2, " SCA   - 1.0 DB+"},
        {13, 0, "DET RESP - FLAT "},  {13, 1, "DET RESP - 75US "},    {13, 2, "DET RESP - 150US "},
        {13, 3, "DET RESP - 150US "}, {13, 255, "DET RESP - 150US "}, {23, 0, "  MUTE -  OFF   "},
        {23, 2, "  MUTE - AUTO   "},  {23, 9, "  MUTE - ****   "},    {14, 7, " DET BW -  8 KHZ"},
        {15, 60, " NORM -  7.0 KHZ"}, {18, 150, " PEAK MOD 150  %"},  {24, 15, "  MUTE    1.5 % "},
        {200, 0, "  RESERVED     "},
    };
    for (const auto& c : cases) {
        s.MenuIndex = c.item;
        if (c.item < RackSettingItems)
            s.Settings[std::size_t(c.item)] = c.value;
        EXPECT_EQ(line(), c.line) << c.item << " " << c.value;
    }
    s.MenuIndex = 200;
    EXPECT_TRUE(menu.key3(s, 3).isEmpty());
    EXPECT_EQ(menu.key2(s), Cmds{bytes({0x1F, 0x01, 0x07, 0xFE})});

    s.StatusBits = 0x40;
    EXPECT_EQ(TVarn1Menu::Readout(s, *hist, 1), "- - -");
}

TEST_F(Varn1MenuTest, InfiniteAndFilterKeepSeparateBits)
{
    s.MenuIndex = 20;
    menu.key3(s, 2);
    EXPECT_FALSE(s.Flags[8]);
    EXPECT_EQ(s.SettingsBits & 0x01, 0);
    s.MenuIndex = 8;
    menu.key3(s, 2);
    s.MenuIndex = 20;
    menu.key4(s, 2);
    EXPECT_TRUE(s.Flags[8]);
    EXPECT_EQ(s.SettingsBits & 0x01, 0x01);
}

// Infinite lives in the module's second bit word, which its settings page
// does not carry: no state is shown until the module or a key sets it.
TEST_F(Varn1MenuTest, InfiniteShowsNoStateUntilReported)
{
    s.MenuIndex = 20;
    s.Unreported[20] = true;
    EXPECT_EQ(line(), " INFINITE -     ");
    EXPECT_EQ(menu.key4(s, 3), Cmds{Varn1SetValueCmd(1, 20, 0)});
    EXPECT_EQ(line(), " INFINITE - OFF ");
}

// The unit's status word set one bit at a time: only bit 5 is its saving
// flag (bit 1 lights the PEAK lamp, bit 6 blanks the readout).
TEST(Varn1Saving, OnlyStatusBit5ShowsSaving)
{
    auto hist = std::make_unique<TMeasurementHistory>();
    for (int bit = 0; bit < 8; ++bit) {
        auto d = std::make_unique<TRackData>();
        auto c = std::make_unique<TConnectionState>();
        c->RackFamily = rkFM;
        TRackModuleRecord r;
        r.w[26] = 255; // Kelb1, Nuva1, Lyn1: no menu report
        r.w[51] = 255;
        r.w[61] = 255;
        r.w[75] = 0xF0; // no information page
        r.w[63] = '0';
        r.w[69] = 1 << bit;
        int sum = 0;
        for (int w = 63; w <= 69; ++w)
            sum += r.w[w];
        r.w[70] = sum & 0xFF;
        r.w[71] = 22; // the unit's menu shows item 22, no value
        r.w[72] = 255;
        d->RackBlock.Records[0] = r;
        c->BlockNumber = 0;
        DecodeRackStatus(*d, *c);
        const TVarn1UnitState& s = d->Varn1State[0];
        ASSERT_EQ(s.StatusBits, 1 << bit) << bit;
        ASSERT_EQ(s.MenuIndex, 22);
        const QString line = TVarn1Menu::MenuText(22, s, *hist, 0);
        if (bit == 5)
            EXPECT_EQ(line, "    SAVING  #0  ") << bit;
        else
            EXPECT_EQ(line, " SAVE CONFIG #0 ") << bit;
    }
}

} // namespace
