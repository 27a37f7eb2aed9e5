// A module's echo of an item must leave exactly the state its panel's key
// left, or the panel's line would jump back at the next record. Both read the
// module's menu table; this walks every row of it from a few starting states.
#include "protocol/rack/RackMenuTables.h"
#include "models/RackMenuModel.h"
#include "protocol/rack/RackDecoder.h"

#include <gtest/gtest.h>

namespace {

std::vector<TRackModuleState> startingStates(const TValueRow& row)
{
    std::vector<TRackModuleState> states;
    TRackModuleState s;
    states.push_back(s);
    s.Settings[std::size_t(row.item)] = row.high;
    s.HoldTime = row.high;
    states.push_back(s);
    s.Settings[std::size_t(row.item)] = row.low;
    s.HoldTime = row.low;
    if (row.timeModeItem >= 0)
        s.Flags[std::size_t(row.timeModeItem)] = true;
    states.push_back(s);
    s.HoldExternal = true;
    s.HoldIsZero = true;
    states.push_back(s);
    return states;
}

void expectEchoMatchesKey(TRackModule module, const TModuleMenuTable& table, const char* name)
{
    for (const TValueRow& row : table.rows) {
        for (bool up : {true, false}) {
            for (const TRackModuleState& start : startingStates(row)) {
                TRackModuleState keyed = start;
                const int sent = TRackMenuModel::applyRow(row, keyed, up);
                if (sent < 0)
                    continue;
                TRackModuleState echoed = start;
                ApplyRackMenuEcho(module, echoed, row.item, sent, false);
                const std::string at = std::string(name) + " item " + std::to_string(row.item) +
                                       (up ? " up" : " down");
                // Items the module only acts on (save) store nothing either way.
                if (row.kind == TValueKind::SendOnly || row.kind == TValueKind::SendBoth)
                    continue;
                EXPECT_EQ(keyed.Settings[std::size_t(row.item)],
                          echoed.Settings[std::size_t(row.item)])
                    << at;
                EXPECT_EQ(keyed.Flags, echoed.Flags) << at;
                EXPECT_EQ(keyed.SettingsBits, echoed.SettingsBits) << at;
                EXPECT_EQ(keyed.SettingsBits2, echoed.SettingsBits2) << at;
                EXPECT_EQ(keyed.HoldExternal, echoed.HoldExternal) << at;
                EXPECT_EQ(keyed.HoldIsZero, echoed.HoldIsZero) << at;
                EXPECT_EQ(keyed.HoldTime, echoed.HoldTime) << at;
            }
        }
    }
}

TEST(RackMenuTables, EchoOfEveryRowLeavesTheStateItsKeyLeft)
{
    expectEchoMatchesKey(TRackModule::Nuva1, Nuva1MenuTable(), "Nuva1");
    expectEchoMatchesKey(TRackModule::Varn1, Varn1MenuTable(), "Varn1");
    expectEchoMatchesKey(TRackModule::Gry230, Gry230MenuTable(), "Gry230");
    expectEchoMatchesKey(TRackModule::Gry250, Gry250MenuTable(), "Gry250");
    expectEchoMatchesKey(TRackModule::Pelo1, Pelo1MenuTable(), "Pelo1");
    expectEchoMatchesKey(TRackModule::Pelo2, Pelo2MenuTable(), "Pelo2");
}

TEST(RackMenuTables, PagesAreWellFormed)
{
    for (const TModuleMenuTable* t : {&Nuva1MenuTable(), &Varn1MenuTable(), &Gry230MenuTable(),
                                      &Gry250MenuTable(), &Pelo1MenuTable(), &Pelo2MenuTable()}) {
        ASSERT_FALSE(t->pages.empty());
        EXPECT_EQ(t->pages[0].entryItem, -1);
        for (std::size_t i = 1; i < t->pages.size(); ++i) {
            const TMenuPage& p = t->pages[i];
            EXPECT_EQ(MenuPageOf(*t, p.entryItem), 0) << i;
            EXPECT_EQ(MenuPageEnteredBy(*t, p.entryItem), int(i));
            EXPECT_LE(p.first, p.last);
            EXPECT_EQ(FindValueRow(*t, p.entryItem), nullptr) << "an entry item changes nothing";
            EXPECT_EQ(FindValueRow(*t, p.last), nullptr) << "an exit changes nothing";
        }
    }
}

} // namespace
