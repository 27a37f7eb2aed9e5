// The shared menu model of the rack-module panels over a small module of
// three pages, and the shared line forms.
#include "models/RackMenuModel.h"
#include "models/RackMenuLines.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Commands as readable strings: "show n", "page k", "set e=v".
TMenuCommands recording()
{
    return {[](int n) { return QByteArray("show ") + QByteArray::number(n); },
            [](int k) { return QByteArray("page ") + QByteArray::number(k); },
            [](int e, int v) {
                return QByteArray("set ") + QByteArray::number(e) + "=" + QByteArray::number(v);
            }};
}

bool calibratorOn(const TRackModuleState& s)
{
    return (s.SettingsBits & 0x80) != 0;
}

// Page A 0..6 with entry items 5 and 6; page 1 is 10..14, page 2 is 20..23.
constexpr TMenuPage pages[] = {{0, 6, -1, 0}, {10, 14, 5, 3}, {20, 23, 6, 2}};
constexpr TValueRow rows[] = {
    {10, TValueKind::Step, 2, 8, 2},
    {11, TValueKind::Cyclic, 0, 3, 1},
    {12, TValueKind::Boolean, 0, 1, 1, 0x80},
    {13, TValueKind::SendOnly},
    {20, TValueKind::SendBoth},
    {21, TValueKind::UpOnlyBoolean, 0, 1, 1, 0x01, 1},
    {22, TValueKind::Step, 0, 9, 1, 0, 0, -1, calibratorOn},
    {1, TValueKind::Custom},
};
const TModuleMenuTable table{pages, rows};

struct RackMenuModelTest : ::testing::Test
{
    TRackMenuModel menu{table, recording(), [](const TValueRow&, TRackModuleState& s, bool up) {
                            s.Settings[1] += up ? 100 : -100;
                            return s.Settings[1];
                        }};
    TRackModuleState s;
};

using Cmds = QList<QByteArray>;

TEST_F(RackMenuModelTest, NextAndPreviousWrapInsideThePageHoldingTheItem)
{
    const struct
    {
        int from;
        bool forward;
        int to;
    } cases[] = {
        {6, true, 0},    {0, false, 6},  {3, true, 4},    {14, true, 10},
        {10, false, 14}, {23, true, 20}, {20, false, 23},
    };
    for (const auto& c : cases) {
        s.MenuIndex = c.from;
        const Cmds sent = c.forward ? menu.key1(s) : menu.key2(s);
        EXPECT_EQ(s.MenuIndex, c.to) << c.from;
        EXPECT_EQ(sent, Cmds{"show " + QByteArray::number(c.to)}) << c.from;
    }
}

TEST_F(RackMenuModelTest, AnItemOfNoPageKeepsTheActivePage)
{
    s.MenuIndex = 12;
    menu.key1(s); // page 1 active
    s.MenuIndex = 200;
    EXPECT_EQ(menu.key1(s), Cmds{"show 10"});
    s.MenuIndex = 200;
    EXPECT_EQ(menu.key2(s), Cmds{"show 14"});
    s.MenuIndex = 200;
    EXPECT_TRUE(menu.key3(s, 3).isEmpty());
    EXPECT_TRUE(menu.key4(s, 3).isEmpty());
    EXPECT_EQ(menu.activePage(), 1);
}

TEST_F(RackMenuModelTest, EntryAndExitOnlySelectAndReturnToTheEntryItem)
{
    s.Settings[5] = 4;
    s.LastValue = 7;
    s.MenuIndex = 5;
    EXPECT_EQ(menu.key3(s, 3), Cmds{"page 3"});
    EXPECT_EQ(s.MenuIndex, 10);
    EXPECT_EQ(s.LastValue, 0);
    EXPECT_EQ(s.Settings[5], 4);
    EXPECT_EQ(menu.activePage(), 1);
    s.MenuIndex = 14;
    EXPECT_EQ(menu.key3(s, 3), Cmds{"page 0"});
    EXPECT_EQ(s.MenuIndex, 5);
    EXPECT_EQ(menu.activePage(), 0);

    // Each exit goes back to its own entry item, also at observer level.
    s.MenuIndex = 6;
    EXPECT_EQ(menu.key3(s, 0), Cmds{"page 2"});
    EXPECT_EQ(s.MenuIndex, 20);
    s.MenuIndex = 23;
    EXPECT_EQ(menu.key3(s, 0), Cmds{"page 0"});
    EXPECT_EQ(s.MenuIndex, 6);
    // Key 4 on an entry or exit item changes nothing.
    EXPECT_TRUE(menu.key4(s, 3).isEmpty());
}

TEST_F(RackMenuModelTest, ValueRowsOfEachKind)
{
    const struct
    {
        int item;
        qint32 before;
        bool up;
        qint32 after;
        QByteArray sent; // empty: nothing
    } cases[] = {
        {10, 4, true, 6, "set 10=6"},  {10, 8, true, 8, "set 10=8"}, // at the bound: unchanged
        {10, 2, false, 2, "set 10=2"}, {11, 3, true, 0, "set 11=0"}, // wraps
        {11, 0, false, 3, "set 11=3"}, {13, 0, true, 0, "set 13=1"},
        {13, 0, false, 0, ""},         {20, 0, true, 0, "set 20=1"},
        {20, 0, false, 0, "set 20=0"}, {1, 5, true, 105, "set 1=105"}, // the module's own rule
        {3, 5, true, 5, ""},                                           // no row
    };
    for (const auto& c : cases) {
        s = {};
        s.MenuIndex = c.item;
        s.Settings[std::size_t(c.item)] = c.before;
        const Cmds sent = c.up ? menu.key3(s, 2) : menu.key4(s, 2);
        EXPECT_EQ(s.Settings[std::size_t(c.item)], c.after) << c.item;
        EXPECT_EQ(sent, c.sent.isEmpty() ? Cmds{} : Cmds{c.sent}) << c.item;
        if (!c.sent.isEmpty()) {
            EXPECT_EQ(QByteArray::number(s.LastValue), c.sent.mid(c.sent.indexOf('=') + 1));
        }
    }
}

TEST_F(RackMenuModelTest, BooleansLocksAndAccessLevel)
{
    s.MenuIndex = 12;
    EXPECT_TRUE(menu.key3(s, 1).isEmpty()); // below operator level
    EXPECT_EQ(s.SettingsBits, 0);
    EXPECT_EQ(menu.key3(s, 2), Cmds{"set 12=1"});
    EXPECT_EQ(s.SettingsBits, 0x80);
    EXPECT_TRUE(s.Flags[12]);

    // Item 22 is locked while bit 0x80 is set: nothing changes or goes out.
    s.MenuIndex = 22;
    s.Settings[22] = 3;
    EXPECT_TRUE(menu.key3(s, 3).isEmpty());
    EXPECT_TRUE(menu.key4(s, 3).isEmpty());
    EXPECT_EQ(s.Settings[22], 3);

    s.MenuIndex = 12;
    EXPECT_EQ(menu.key4(s, 2), Cmds{"set 12=0"});
    EXPECT_FALSE(s.Flags[12]);
    s.MenuIndex = 22;
    EXPECT_EQ(menu.key4(s, 2), Cmds{"set 22=2"});

    // Up-only Boolean in the second bit word.
    s.MenuIndex = 21;
    EXPECT_TRUE(menu.key4(s, 2).isEmpty());
    EXPECT_EQ(menu.key3(s, 2), Cmds{"set 21=1"});
    EXPECT_EQ(s.SettingsBits2, 0x01);
    EXPECT_TRUE(menu.key4(s, 2).isEmpty());
    EXPECT_EQ(s.SettingsBits2, 0x01);
}

TEST_F(RackMenuModelTest, TwoModelsOfOneModuleKeepTheirOwnPages)
{
    TRackMenuModel other{table, recording()};
    TRackModuleState t;
    s.MenuIndex = 5;
    menu.key3(s, 3);
    t.MenuIndex = 6;
    other.key3(t, 3);
    s.MenuIndex = 14;
    EXPECT_EQ(menu.key3(s, 3), Cmds{"page 0"});
    EXPECT_EQ(s.MenuIndex, 5);
    EXPECT_EQ(other.activePage(), 2);
}

TEST(RackMenuLines, SharedLineForms)
{
    using namespace RackLines;
    EXPECT_EQ(percentLine("  TOTAL   ", 1005), "  TOTAL   100 % ");
    EXPECT_EQ(percentLine("  TOTAL   ", 1015), "  TOTAL   102 % ");
    EXPECT_EQ(dbLine(" LEFT  ", 9, false), " LEFT  - 1.0 DB ");
    EXPECT_EQ(dbLine(" LEFT  ", 9, true), " LEFT  - 1.0 DB*");
    EXPECT_EQ(dbLine(" LEFT  ", 7, false), " LEFT  + 0.0 DB ");
    EXPECT_EQ(dbLine(" LEFT  ", 0, false), " LEFT  + 3.5 DB ");

    const QString track = " ST DUR - TRACK";
    EXPECT_EQ(durationLine(" ST DUR ", 0, track), " ST DUR   10 MS");
    EXPECT_EQ(durationLine(" ST DUR ", 5, track), " ST DUR  500 MS");
    for (qint64 code : {6, 9, 255, -1})
        EXPECT_EQ(durationLine(" ST DUR ", code, track), track) << code;
    EXPECT_EQ(weightingLine("PK WEIGHT ", 8, "OFF"), "PK WEIGHT 45 CYC");
    for (qint64 code : {0, 9, 200, -3})
        EXPECT_EQ(weightingLine("PK WEIGHT ", code, "OFF"), "OFF") << code;

    static const char* const names[] = {"A", "B"};
    EXPECT_EQ(tableText(names, 1, unknownCode(3)), "B");
    EXPECT_EQ(tableText(names, 2, unknownCode(3)), "***");
    EXPECT_EQ(tableText(names, -1, unknownCode(3)), "***");

    TRackModuleState s;
    s.HoldTime = 3;
    EXPECT_EQ(holdLine(s), "   HOLD  1.5 SEC");
    s.HoldExternal = true;
    EXPECT_EQ(holdLine(s), "   HOLD - EXT   ");

    auto hist = std::make_unique<TMeasurementHistory>();
    (*hist)[260][1] = 42;
    EXPECT_EQ(h(*hist, 256, 4), 42);
    EXPECT_EQ(h(*hist, 256, 1 << 20), 0);
}

} // namespace
