#include "protocol/rack/RackDecoder.h"
#include "protocol/rack/RackMenuTables.h"
#include "sim/rack/RackRecords.h"
#include "sim/rack/RackUnit.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// A module seen anew takes its numeric settings from its settings page: the
// simulated rack writes the page, the decoder reads it, and the state record
// must hold what the simulated module holds.

namespace {

struct SeedCase
{
    const char* name;
    int family;
    SimModule sim;
    TRackModule module;
    const TModuleMenuTable& (*table)();
    TRackModuleState& (*state)(TRackData&);
};

const SeedCase seedCases[] = {
    {"Nuva1", rkFM, SimModule::Nuva1, TRackModule::Nuva1, Nuva1MenuTable,
     [](TRackData& d) -> TRackModuleState& { return d.Nuva1State; }},
    {"Varn1Unit0", rkFM, SimModule::Varn1Unit0, TRackModule::Varn1, Varn1MenuTable,
     [](TRackData& d) -> TRackModuleState& { return d.Varn1State[0]; }},
    {"Varn1Unit1", rkFM, SimModule::Varn1Unit1, TRackModule::Varn1, Varn1MenuTable,
     [](TRackData& d) -> TRackModuleState& { return d.Varn1State[1]; }},
    {"Gry230", rkTV, SimModule::Gry230, TRackModule::Gry230, Gry230MenuTable,
     [](TRackData& d) -> TRackModuleState& { return d.Gry230State; }},
    {"Gry250", rkTV, SimModule::Gry250, TRackModule::Gry250, Gry250MenuTable,
     [](TRackData& d) -> TRackModuleState& { return d.Gry250State; }},
    {"Pelo1", rkAM, SimModule::Pelo1, TRackModule::Pelo1, Pelo1MenuTable,
     [](TRackData& d) -> TRackModuleState& { return d.Pelo1State; }},
    {"Pelo2", rkAM, SimModule::Pelo2, TRackModule::Pelo2, Pelo2MenuTable,
     [](TRackData& d) -> TRackModuleState& { return d.Pelo2State; }},
};

class RackSettingsPageTest : public ::testing::TestWithParam<SeedCase>
{
protected:
    // Decodes the simulated rack's records until the module's settings page
    // has been seen (two turns of the page rotation at most).
    void run(RackRecords& rack) { seed(rack, d, c); }
    static void seed(RackRecords& rack, TRackData& d, TConnectionState& c)
    {
        c.RackFamily = GetParam().family;
        TRackModuleState& s = GetParam().state(d);
        for (int i = 0; i < 400 && !s.SettingsSeen; ++i) {
            c.BlockNumber = i % 10;
            d.RackBlock.Records[std::size_t(c.BlockNumber)] = rack.nextRecord();
            DecodeRackStatus(d, c);
        }
        ASSERT_TRUE(s.SettingsSeen);
    }

    TRackData d;
    TConnectionState c;
};

} // namespace

TEST_P(RackSettingsPageTest, ANewModuleTakesEverySettingOnItsPage)
{
    const SeedCase& p = GetParam();
    const auto words = RackSettingsPageWords(p.module);
    ASSERT_FALSE(words.empty());

    // A value of its own for each setting, within the item's bounds, and one
    // that no other setting on the page holds.
    RackRecords rack(p.family);
    SimModuleState& m = rack.module(p.sim);
    int n = 0;
    for (const TPageSetting& w : words) {
        const TValueRow* row = FindValueRow(p.table(), w.item);
        ASSERT_NE(row, nullptr) << w.item;
        const int span = row->high - row->low + 1;
        m.settings[std::size_t(w.item)] = row->low + (3 + 5 * n++) % span;
    }
    run(rack);

    const TRackModuleState& s = p.state(d);
    for (const TPageSetting& w : words)
        EXPECT_EQ(s.Settings[std::size_t(w.item)], m.settings[std::size_t(w.item)])
            << "item " << w.item;
}

TEST_P(RackSettingsPageTest, AHoldOfZeroOnThePageIsHoldOff)
{
    const SeedCase& p = GetParam();
    int holdItem = -1;
    for (const TPageSetting& w : RackSettingsPageWords(p.module)) {
        const TValueRow* row = FindValueRow(p.table(), w.item);
        if (row && row->kind == TValueKind::Hold)
            holdItem = w.item;
    }
    if (holdItem < 0)
        GTEST_SKIP() << "the module's hold count is not on its page";

    RackRecords rack(p.family);
    rack.module(p.sim).settings[std::size_t(holdItem)] = 0;
    run(rack);
    EXPECT_TRUE(p.state(d).HoldExternal);
    EXPECT_TRUE(p.state(d).HoldIsZero);

    RackRecords rack2(p.family);
    rack2.module(p.sim).settings[std::size_t(holdItem)] = 7;
    auto d2 = std::make_unique<TRackData>();
    auto c2 = std::make_unique<TConnectionState>();
    seed(rack2, *d2, *c2);
    EXPECT_FALSE(p.state(*d2).HoldExternal);
    EXPECT_EQ(p.state(*d2).HoldTime, 7);
}

TEST_P(RackSettingsPageTest, TheMenuStartsAtTheItemThePageNames)
{
    // The last item of the module's last page: no default lands there.
    const SeedCase& p = GetParam();
    const int item = p.table().pages.back().last;
    RackRecords rack(p.family);
    rack.module(p.sim).menuItem = item;
    run(rack);
    EXPECT_EQ(p.state(d).MenuIndex, item);
}

// What the page has no room for is learnt from the module's echo alone. The
// lists are written out, so a change of a table or of the page shows here.
TEST_P(RackSettingsPageTest, SettingsOffThePageAreUnreportedUntilTheModuleEchoesThem)
{
    const SeedCase& p = GetParam();
    const std::map<std::string, std::vector<int>> offPage = {
        {"Nuva1", {}},
        {"Varn1Unit0", {20}},
        {"Varn1Unit1", {20}},
        {"Gry230", {27}},
        {"Gry250", {18, 20, 22}},
        // An AM record has room for every AM setting.
        {"Pelo1", {}},
        {"Pelo2", {}},
    };
    const std::vector<int>& expected = offPage.at(p.name);

    RackRecords rack(p.family);
    run(rack);
    TRackModuleState& s = p.state(d);
    std::vector<int> unreported;
    for (int item = 0; item < RackSettingItems; ++item) {
        if (s.Unreported[std::size_t(item)])
            unreported.push_back(item);
    }
    EXPECT_EQ(unreported, expected);

    // The module changes each from its own keys: every echo makes it known.
    SimModuleState& m = rack.module(p.sim);
    for (int item : expected) {
        const TValueRow* row = FindValueRow(p.table(), item);
        ASSERT_NE(row, nullptr) << item;
        const int value = row->kind == TValueKind::Boolean ? 1 : row->high;
        SimApplySetting(p.sim, m, item, value);
        for (int i = 0; i < 3; ++i) {
            c.BlockNumber = (c.BlockNumber + 1) % 10;
            d.RackBlock.Records[std::size_t(c.BlockNumber)] = rack.nextRecord();
            DecodeRackStatus(d, c);
        }
        EXPECT_FALSE(s.Unreported[std::size_t(item)]) << item;
        if (row->kind == TValueKind::Boolean)
            EXPECT_TRUE(s.Flags[std::size_t(item)]) << item;
        else if (row->kind == TValueKind::Hold)
            EXPECT_EQ(s.HoldTime, value) << item;
        else
            EXPECT_EQ(s.Settings[std::size_t(item)], value) << item;
    }
}

// A Boolean set-value changes the module's bit word, and its settings page
// then carries the bit: a panel that connects later seeds the same flag.
TEST_P(RackSettingsPageTest, BooleanSetValuesReachTheBitWordsOfThePage)
{
    const SeedCase& p = GetParam();
    for (const TValueRow& row : p.table().rows) {
        if (row.kind != TValueKind::Boolean && row.kind != TValueKind::UpOnlyBoolean &&
            row.kind != TValueKind::TimeMode)
            continue;
        if (!RackPageCarries(p.module, row))
            continue;
        RackRecords rack(p.family);
        SimApplySetting(p.sim, rack.module(p.sim), row.item, 1);
        auto d2 = std::make_unique<TRackData>();
        auto c2 = std::make_unique<TConnectionState>();
        seed(rack, *d2, *c2);
        const TRackModuleState& s = p.state(*d2);
        EXPECT_TRUE(s.Flags[std::size_t(row.item)]) << "item " << row.item;
        EXPECT_EQ((row.bitWord == 1 ? s.SettingsBits2 : s.SettingsBits) & row.bit, row.bit)
            << "item " << row.item;

        SimApplySetting(p.sim, rack.module(p.sim), row.item, 0);
        EXPECT_EQ((row.bitWord == 1 ? rack.module(p.sim).settingsBits2
                                    : rack.module(p.sim).settingsBits) &
                      row.bit,
                  0)
            << "item " << row.item;
    }
}

INSTANTIATE_TEST_SUITE_P(Modules, RackSettingsPageTest, ::testing::ValuesIn(seedCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The page carries the settings in item order, one word each (two past 255),
// right after the bit words, and never past the words its check covers.
TEST(RackSettingsPageLayout, SettingsFollowTheBitWordsInItemOrderWithinTheCheck)
{
    // Words from the page's first word: FM pages put the first setting at 3
    // and end at 16 (Nuva1) or 14 (Varn1); TV and AM pages start at 4; TV
    // pages end at 11 (Gry250: 10), AM pages at word 98 of the record: 68
    // past word 30 (Pelo1), 26 past word 72 (Pelo2).
    const struct
    {
        TRackModule module;
        int first;
        int last;
    } pages[] = {
        {TRackModule::Nuva1, 3, 16},  {TRackModule::Varn1, 3, 14}, {TRackModule::Gry230, 4, 11},
        {TRackModule::Gry250, 4, 10}, {TRackModule::Pelo1, 4, 68}, {TRackModule::Pelo2, 4, 26},
    };
    for (const auto& page : pages) {
        const auto words = RackSettingsPageWords(page.module);
        ASSERT_FALSE(words.empty());
        int next = page.first, item = -1;
        for (const TPageSetting& w : words) {
            EXPECT_EQ(w.offset, next);
            EXPECT_GT(w.item, item);
            item = w.item;
            next += w.wide ? 2 : 1;
        }
        EXPECT_LE(next - 1, page.last);
    }
    EXPECT_TRUE(RackSettingsPageWords(TRackModule::Kelb1).empty());

    // Spot checks written out by hand: the Nuva1's only numeric setting is
    // its hold; the Varn1's twelve fill its page exactly; the Gry230's eight
    // are items 18..25.
    ASSERT_EQ(RackSettingsPageWords(TRackModule::Nuva1).size(), 1u);
    EXPECT_EQ(RackSettingsPageWords(TRackModule::Nuva1)[0].item, 15);
    const auto varn1 = RackSettingsPageWords(TRackModule::Varn1);
    ASSERT_EQ(varn1.size(), 12u);
    EXPECT_EQ(varn1.front().item, 2);
    EXPECT_EQ(varn1.back().item, 24);
    EXPECT_EQ(varn1.back().offset, 14);
    const auto gry230 = RackSettingsPageWords(TRackModule::Gry230);
    ASSERT_EQ(gry230.size(), 8u);
    EXPECT_EQ(gry230.front().item, 18);
    EXPECT_EQ(gry230.back().item, 25);

    // Every numeric AM setting is on its page: Pelo1 items 16..25, 27..29,
    // 32..34, the hold 36 and 41 (offsets 4..21); Pelo2 items 21..29,
    // 31..33, 35, 37..39, the hold 41, the frequency 49 in two words and the
    // frequency mode 50 (offsets 4..23).
    const auto items = [](TRackModule m) {
        std::vector<int> v;
        for (const TPageSetting& w : RackSettingsPageWords(m))
            v.push_back(w.item);
        return v;
    };
    EXPECT_EQ(items(TRackModule::Pelo1),
              (std::vector<int>{16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 27, 28, 29, 32, 33, 34,
                                36, 41}));
    EXPECT_EQ(items(TRackModule::Pelo2),
              (std::vector<int>{21, 22, 23, 24, 25, 26, 27, 28, 29, 31, 32, 33, 35, 37, 38, 39,
                                41, 49, 50}));
    const auto pelo2 = RackSettingsPageWords(TRackModule::Pelo2);
    EXPECT_EQ(pelo2[17].offset, 21);
    EXPECT_TRUE(pelo2[17].wide);
    EXPECT_EQ(pelo2[18].offset, 23);
}
