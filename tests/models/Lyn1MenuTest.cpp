#include "models/Lyn1_Menu.h"
#include "protocol/rack/RackCommands.h"
#include "protocol/rack/RackDecoder.h"

#include <memory>

#include <gtest/gtest.h>

namespace {

QByteArray q(int item, const char* value)
{
    return QByteArray("Q") + char(item) + value + char(0xFE);
}

class Lyn1MenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        s.MenuIndex = 9;
        s.HoldTime = 3;
    }
    QString text() const { return TLyn1Menu::text(s, r); }

    TLyn1State s;
    TLyn1Readings r;
    TLyn1Menu menu;
};

TEST_F(Lyn1MenuTest, KeysWalkThePagesAndEnterAndLeaveTheSettings)
{
    EXPECT_EQ(menu.up(s), QByteArray("\x17\x00\xFE", 3));
    EXPECT_EQ(s.MenuIndex, 0) << "up from item 9 wraps to 0";
    EXPECT_EQ(menu.down(s), Lyn1ShowItemCmd(9));
    EXPECT_EQ(menu.select(s, 3), QByteArray("\x1B\x01\xFE")) << "select only: no value sent";
    EXPECT_EQ(s.MenuIndex, 10);
    EXPECT_EQ(text(), "   HOLD  1.5 SEC    ");
    EXPECT_EQ(menu.down(s), Lyn1ShowItemCmd(15));
    EXPECT_EQ(s.MenuIndex, 15) << "down from 10 wraps to 15";
    EXPECT_EQ(menu.select(s, 3), QByteArray("\x1B\x00\xFE", 3));
    EXPECT_EQ(s.MenuIndex, 9);
}

TEST_F(Lyn1MenuTest, HoldAtItsBoundsSendsTheCurrentSetting)
{
    s.MenuIndex = TLyn1Menu::Hold;
    s.HoldTime = 20;
    s.LastValue = 0; // left so by a page change
    EXPECT_EQ(menu.select(s, 3), q(10, "14"));
    EXPECT_EQ(s.HoldTime, 20);

    s.HoldTime = 1;
    EXPECT_EQ(menu.minus(s, 3), q(10, "01")) << "real time mode: stays at 1";
    EXPECT_EQ(text(), "   HOLD  0.5 SEC    ");

    s.SettingsBits |= TLyn1Menu::TimeModeBit;
    EXPECT_EQ(menu.minus(s, 3), q(10, "00"));
    EXPECT_EQ(text(), "   HOLD - EXT       ");
    EXPECT_EQ(menu.select(s, 2), q(10, "01")) << "plus leaves EXT at 1";
    EXPECT_FALSE(s.HoldExternal);

    s.MenuIndex = TLyn1Menu::TimeMode;
    EXPECT_EQ(menu.minus(s, 2), q(11, "00"));
    EXPECT_EQ(text(), "  TIME MODE - REAL  ");
    s.MenuIndex = TLyn1Menu::Infinite;
    EXPECT_EQ(menu.select(s, 2), q(12, "01"));
    EXPECT_EQ(text(), "   INFINITE -  ON   ");
}

TEST_F(Lyn1MenuTest, AnObserverMovesButChangesNothing)
{
    EXPECT_EQ(menu.select(s, 1), Lyn1SelectPageCmd(1));
    EXPECT_EQ(menu.up(s), Lyn1ShowItemCmd(11));
    EXPECT_TRUE(menu.select(s, 1).isEmpty());
    EXPECT_TRUE(menu.minus(s, 1).isEmpty());
    s.MenuIndex = TLyn1Menu::Hold;
    EXPECT_TRUE(menu.minus(s, 1).isEmpty());
    EXPECT_EQ(s.HoldTime, 3);
}

TEST_F(Lyn1MenuTest, ReservedItemKeepsTheActivePage)
{
    menu.select(s, 3); // settings page
    s.MenuIndex = 200; // echoed by the module
    EXPECT_EQ(text(), "      RESERVED      ");
    EXPECT_EQ(menu.up(s), Lyn1ShowItemCmd(10));
    EXPECT_EQ(s.MenuIndex, 10);
    s.MenuIndex = 200;
    EXPECT_EQ(menu.down(s), Lyn1ShowItemCmd(10));
}

TEST(Lyn1MenuTexts, Readings)
{
    struct Row
    {
        int item;
        TLyn1Readings r;
        const char* text;
    };
    const Row rows[] = {
        {0, {1005, 0, 0, false, 0, 0}, "   TOTAL    100 %   "},
        {0, {1015, 0, 0, false, 0, 0}, "   TOTAL    102 %   "},
        {1, {0, 45, 0, false, 0, 0}, "   RDS INJ  4.5 %   "},
        {2, {0, 0, -5, true, 0, 0}, "   RDS PH - 5 DEG  "},
        {2, {0, 0, 17, true, 0, 0}, "   RDS PH +17 DEG  "},
        {2, {0, 0, -255, false, 0, 0}, "   RDS PH  *** DEG  "},
        {2, {0, 0, -127, false, 0, 0}, "   RDS PH  -** DEG  "},
        {2, {0, 0, 127, false, 0, 0}, "   RDS PH  +** DEG  "},
        {3, {0, 0, 0, false, 92, 0}, "  PILOT INJ  9.2 %  "},
        {4, {0, 0, 0, false, 0, 123}, "  BLK ERROR  12.3%  "},
        {15, {}, "      EXIT   ?      "},
    };
    for (const Row& row : rows) {
        TLyn1State s;
        s.MenuIndex = row.item;
        EXPECT_EQ(TLyn1Menu::text(s, row.r), row.text);
    }
}

// The module's status word set one bit at a time: only bit 6 is its saving
// flag (bits 0-2 are its lamps, bit 7 new samples).
TEST(Lyn1Saving, OnlyStatusBit6ShowsSaving)
{
    for (int bit = 0; bit < 8; ++bit) {
        auto d = std::make_unique<TRackData>();
        auto c = std::make_unique<TConnectionState>();
        c->RackFamily = rkFM;
        TRackModuleRecord r;
        r.w[26] = 255; // Kelb1, Nuva1, Varn1: no menu report
        r.w[51] = 255;
        r.w[71] = 255;
        r.w[75] = 0xF0; // no information page
        r.w[59] = 1 << bit;
        int sum = 0;
        for (int w = 53; w <= 59; ++w)
            sum += r.w[w];
        r.w[60] = sum & 0xFF;
        r.w[61] = 14; // the module's menu shows item 14, no value
        r.w[62] = 255;
        d->RackBlock.Records[0] = r;
        c->BlockNumber = 0;
        DecodeRackStatus(*d, *c);
        const TLyn1State& s = d->Lyn1State;
        ASSERT_EQ(s.StatusBits, 1 << bit) << bit;
        ASSERT_EQ(s.MenuIndex, 14);
        const QString line = TLyn1Menu::text(s, TLyn1Readings{});
        if (bit == 6)
            EXPECT_EQ(line, "       SAVING       ") << bit;
        else
            EXPECT_EQ(line, "    SAVE CONFIG     ") << bit;
    }
}

} // namespace
