#include "models/Kelb1_Menu.h"
#include "models/RackMenuFixture.h"

#include <gtest/gtest.h>

namespace {

struct Kelb1MenuTest : RackMenuFixture<TKelb1State>
{
    TKelb1Menu menu{0};

    QString line() const { return TKelb1Menu::MenuText(s.MenuIndex, s, *hist); }
};

TEST_F(Kelb1MenuTest, KeysOneAndTwoWrapWithinPageAAndSendThePosition)
{
    s.MenuIndex = 23; // " MODIFY SETTINGS", position 7
    EXPECT_EQ(menu.key1(s), QList<QByteArray>{bytes({0x18, 0x00, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 0);
    EXPECT_EQ(menu.key2(s), QList<QByteArray>{bytes({0x18, 0x07, 0xFE})});
    EXPECT_EQ(line(), " MODIFY SETTINGS");
    // Position 3 (item 22) steps to 4 (item 6): the byte is the position.
    s.MenuIndex = 22;
    EXPECT_EQ(menu.key1(s), QList<QByteArray>{bytes({0x18, 0x04, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 6);
}

TEST_F(Kelb1MenuTest, KeyThreeOnModifySettingsOnlyEntersTheSettingsPage)
{
    s.MenuIndex = 23;
    s.Settings[1] = 5;
    EXPECT_EQ(menu.key3(s, 2), QList<QByteArray>{bytes({0x19, 0x01, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 1);
    EXPECT_EQ(s.Settings[1], 5); // the hold time is not raised by the same press
    EXPECT_EQ(line(), "   HOLD  2.5 SEC");
}

TEST_F(Kelb1MenuTest, ValueKeysSendTheItemAndTheBoundedValue)
{
    struct Case
    {
        int item;
        int before;
        bool up;
        QByteArray sent;
        int after;
    };
    const Case cases[] = {
        {1, 20, true, bytes({0x50, 0x01, '0', '0', '1', '4', 0xFE}), 20},
        {1, 1, false, bytes({0x50, 0x01, '0', '0', '0', '1', 0xFE}), 1},
        {2, 1995, true, bytes({0x50, 0x02, '0', '7', 'C', 'B', 0xFE}), 1995},
        {7, 5, true, bytes({0x50, 0x07, '0', '0', '0', '6', 0xFE}), 6},
        {8, 10, false, bytes({0x50, 0x08, '0', '0', '0', '0', 0xFE}), 0},
        {42, 254, true, bytes({0x50, 0x2A, '0', '0', 'F', 'F', 0xFE}), 255},
        {44, 0, false, bytes({0x50, 0x2C, '0', '0', '0', '0', 0xFE}), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        s.MenuIndex = c.item;
        s.Settings[std::size_t(c.item)] = c.before;
        const auto sent = c.up ? menu.key3(s, 3) : menu.key4(s, 3);
        EXPECT_EQ(sent, QList<QByteArray>{c.sent});
        EXPECT_EQ(s.Settings[std::size_t(c.item)], c.after);
        EXPECT_EQ(s.LastValue, c.after);
    }
}

TEST_F(Kelb1MenuTest, BooleanAndActionItems)
{
    s.MenuIndex = 3;
    EXPECT_EQ(menu.key3(s, 3), QList<QByteArray>{bytes({0x50, 0x03, '0', '0', '0', '1', 0xFE})});
    EXPECT_EQ(s.SettingsBits & 0x01, 0x01);
    EXPECT_TRUE(s.Flags[3]);
    EXPECT_EQ(line(), " INFINITE -  ON ");
    EXPECT_EQ(menu.key4(s, 3), QList<QByteArray>{bytes({0x50, 0x03, '0', '0', '0', '0', 0xFE})});
    EXPECT_EQ(line(), " INFINITE - OFF ");

    s.MenuIndex = 11;
    EXPECT_EQ(menu.key3(s, 3), QList<QByteArray>{bytes({0x50, 0x0B, '0', '0', '0', '1', 0xFE})});
    EXPECT_TRUE(menu.key4(s, 3).isEmpty());
    // Remote is shown, never set from here.
    s.MenuIndex = 10;
    EXPECT_TRUE(menu.key3(s, 3).isEmpty());
}

TEST_F(Kelb1MenuTest, ExitReturnsToThePositionTheSettingsPageWasEnteredFrom)
{
    // Entered from the panel's own keys.
    s.MenuIndex = 23;
    menu.key3(s, 3);
    s.MenuIndex = 24;
    EXPECT_EQ(menu.key3(s, 3), QList<QByteArray>{bytes({0x19, 0x00, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 23);
    EXPECT_EQ(s.LastValue, 0);

    // The panel's last key left the menu at item 0; the module's own keys then
    // walked it to " MODIFY SETTINGS": the way back is position 7.
    TKelb1Menu fresh(0);
    TKelb1State t;
    t.MenuIndex = 23;
    fresh.key1(t);    // shows item 0
    t.MenuIndex = 23; // the module's keys
    fresh.key3(t, 2);
    EXPECT_EQ(fresh.cursor().ReturnPosition, 7);
    t.MenuIndex = 24;
    fresh.key3(t, 2);
    EXPECT_EQ(t.MenuIndex, 23);
}

TEST_F(Kelb1MenuTest, AnObserverStepsAndSelectsButChangesNothing)
{
    s.MenuIndex = 23;
    EXPECT_EQ(menu.key3(s, 1), QList<QByteArray>{bytes({0x19, 0x01, 0xFE})});
    s.Settings[1] = 5;
    EXPECT_TRUE(menu.key3(s, 1).isEmpty());
    EXPECT_TRUE(menu.key4(s, 1).isEmpty());
    EXPECT_EQ(s.Settings[1], 5);
    s.MenuIndex = 24;
    EXPECT_EQ(menu.key3(s, 1), QList<QByteArray>{bytes({0x19, 0x00, 0xFE})});
}

TEST_F(Kelb1MenuTest, KeysFollowAnItemTheModuleReportedByItself)
{
    s.MenuIndex = 0;
    menu.key1(s);    // item 20
    s.MenuIndex = 9; // the module now shows the sentry time (position 29)
    EXPECT_EQ(menu.key1(s), QList<QByteArray>{bytes({0x18, 30, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 8);
    // Page B wraps at its own ends.
    s.MenuIndex = 24;
    EXPECT_EQ(menu.key1(s), QList<QByteArray>{bytes({0x18, 20, 0xFE})});
}

TEST_F(Kelb1MenuTest, AnItemOutsideTheTablesCountsAsPositionZero)
{
    for (int echoed : {200, 254, -1, 63}) {
        SCOPED_TRACE(echoed);
        s.MenuIndex = echoed;
        EXPECT_EQ(line(), "  RESERVED     ");
        TKelb1State t = s;
        EXPECT_EQ(menu.key1(t), QList<QByteArray>{bytes({0x18, 0x01, 0xFE})});
        t = s;
        EXPECT_EQ(menu.key2(t), QList<QByteArray>{bytes({0x18, 0x07, 0xFE})});
        t = s;
        EXPECT_TRUE(menu.key3(t, 3).isEmpty());
        t = s;
        EXPECT_TRUE(menu.key4(t, 3).isEmpty());
    }
}

TEST(Kelb1MenuOptions, AllOptionBitsInsertTheirItemsBeforeThePageItems)
{
    const TKelb1Menu menu(0x0F);
    const int pageA[] = {0, 20, 21, 22, 6, 17, 18, 47, 45, 46, 51, 50, 55, 23};
    for (int p = 0; p < int(std::size(pageA)); ++p) {
        EXPECT_EQ(menu.menu().itemAt(p), pageA[p]) << p;
        EXPECT_EQ(menu.menu().positionOf(pageA[p]), p);
    }
    EXPECT_EQ(menu.pageALast(), 13);
    EXPECT_EQ(menu.pageBLast(), 40);
    EXPECT_EQ(menu.menu().itemAt(40), 24);
    EXPECT_EQ(menu.menu().itemAt(36), 40);
    EXPECT_EQ(menu.menu().itemAt(37), 44);
    EXPECT_EQ(menu.cursor().ReturnPosition, 13);

    // A second panel builds the same tables, not grown ones.
    const TKelb1Menu second(0x0F);
    for (int p = 0; p < TKelb1Menu::PositionCount; ++p)
        EXPECT_EQ(second.menu().itemAt(p), menu.menu().itemAt(p)) << p;
    EXPECT_EQ(second.pageBLast(), 40);

    const TKelb1Menu scaOnly(0x08);
    EXPECT_EQ(scaOnly.menu().itemAt(7), 55);
    EXPECT_EQ(scaOnly.menu().itemAt(8), 23);
}

TEST(PagedMenu, InsertionNeverRunsPastTheTableOrIntoTheNextPage)
{
    TPagedMenu m(6, 10);
    m.addPage(0, {1, 2});
    const int b = m.addPage(3, {4, 5});
    m.insertAtPageEnd(0, {6, 7, 8}); // room for one (position 2)
    EXPECT_EQ(m.pageLast(0), 2);
    EXPECT_EQ(m.itemAt(2), 2);
    EXPECT_EQ(m.itemAt(1), 6);
    m.insertAtPageEnd(b, {9, 9, 9}); // room for one (position 5)
    EXPECT_EQ(m.pageLast(b), 5);
    EXPECT_EQ(m.itemAt(5), 5);
    EXPECT_EQ(m.itemAt(99), 0);
    EXPECT_EQ(m.positionOf(99), 0);
}

TEST(Kelb1MenuText, LinesByItemAndState)
{
    auto hist = std::make_unique<TMeasurementHistory>();
    struct Case
    {
        int item;
        int v;
        int extra; // history value, resolution flag or calibration state
        const char* text;
    };
    const Case cases[] = {
        {0, 0, 1, "   DEV    75 KHZ"},   {0, 0, 0, "   DEV  75.0 KHZ"},
        {1, 20, 0, "   HOLD 10.0 SEC"},  {2, 1000, 0, "PEAK MOD 100.0 %"},
        {7, 3, 0, "PPM DURA  100 MS"},   {7, 7, 0, "PPM DURA - TRACK"},
        {7, 6, 0, "PPM DURA - TRACK"},   {7, 99, 0, "PPM DURA - TRACK"},
        {14, 19, 0, "MOD ADJ#1 - 0.5%"}, {14, 20, 0, "MOD ADJ#1 + 0.0%"},
        {15, 40, 0, "MOD ADJ#2 +10.0%"}, {16, 0, 0, "SELF CALIBRATION"},
        {16, 0, 1, "  CALIBRATING   "},  {16, 0, 2, "CALIBRATE FAILED"},
        {19, 0, 0, "PK WEIGHT - OFF "},  {19, 8, 0, "PK WEIGHT 45 CYC"},
        {19, 9, 0, "PK WEIGHT - OFF "},  {19, -1, 0, "PK WEIGHT - OFF "},
        {42, 1, 0, "AM THRES-17.3 DB"},  {44, 200, 0, "RF THRES 100.0 %"},
        {20, 0, 0, "PEAK AVE   0.0 % "}, {23, 0, 0, " MODIFY SETTINGS"},
        {24, 0, 0, "     EXIT  ?    "},  {25, 0, 0, "  RESERVED     "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        TKelb1State s;
        s.Settings[std::size_t(c.item)] = c.v;
        if (c.item == 0) {
            (*hist)[0][1] = 1000;
            s.Flags[13] = c.extra != 0;
        }
        if (c.item == 16)
            s.CalibrationState = c.extra;
        EXPECT_EQ(TKelb1Menu::MenuText(c.item, s, *hist), QString::fromLatin1(c.text));
    }
}

} // namespace
