// The simulated Kelb1's menu follows the panel's commands as the module does:
// a position shown, the settings page entered and left, a value echoed once.
#include "sim/rack/RackUnit.h"

#include "protocol/rack/RackCommands.h"
#include "protocol/rack/RackRecordLayout.h"

#include <gtest/gtest.h>

namespace {

using namespace RackLayout;

struct SimKelb1Menu : ::testing::Test
{
    RackUnit unit{rkFM};
    SimModuleState& kelb1() { return unit.records.module(SimModule::Kelb1); }
    // The item and value words of the next record.
    std::pair<int, int> menuWords()
    {
        const TRackModuleRecord r = unit.records.nextRecord();
        return {r[Kelb1Section.menuItem],
                r[Kelb1Section.menuValueHigh] * 256 + r[Kelb1Section.menuValue]};
    }
};

TEST_F(SimKelb1Menu, APositionShowsTheItemOfTheModulesOwnOrder)
{
    kelb1().optionBits = 0x0F;
    unit.take(Kelb1ShowItemCmd(12));
    EXPECT_EQ(kelb1().menuItem, 55);
    unit.take(Kelb1ShowItemCmd(40));
    EXPECT_EQ(kelb1().menuItem, 24);
    kelb1().optionBits = 0;
    unit.take(Kelb1ShowItemCmd(7));
    EXPECT_EQ(kelb1().menuItem, 23);
    EXPECT_EQ(menuWords(), std::make_pair(23, 0xFFFF));
}

TEST_F(SimKelb1Menu, TheSettingsPageIsEnteredAndLeftToWhereItWasEntered)
{
    kelb1().menuItem = 23;
    unit.take(Kelb1SelectPageCmd(1));
    EXPECT_EQ(kelb1().menuItem, 1);
    unit.take(Kelb1ShowItemCmd(36));
    unit.take(Kelb1SelectPageCmd(0));
    EXPECT_EQ(kelb1().menuItem, 23);
}

TEST_F(SimKelb1Menu, AValueIsStoredAndEchoedOnce)
{
    kelb1().menuItem = 3;
    unit.take(Kelb1SetValueCmd(3, 1));
    EXPECT_EQ(kelb1().settings[3], 1);
    EXPECT_EQ(kelb1().settingsBits & 0x01, 0x01);
    EXPECT_EQ(menuWords(), std::make_pair(3, 1));
    EXPECT_EQ(menuWords(), std::make_pair(3, 0xFFFF));
}

} // namespace
