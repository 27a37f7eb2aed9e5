#include "models/HdTaSettingsTexts.h"

#include <gtest/gtest.h>
#include <limits>

TEST(HdTaSettingsTexts, DelayCentreFromTheDeviceDelay)
{
    using C = THdTaDelayCentre;
    const struct
    {
        qint32 state, delay;
        std::optional<C> centre;
    } cases[] = {
        {2, 1234567, C{1, 234, 567}},
        {5, 0, C{0, 0, 0}},
        {9, 15999999, C{15, 999, 999}}, // the largest centre the up-downs hold
        {2, 999, C{0, 0, 999}},
        {2, 1000000, C{1, 0, 0}},
        {2, 16000000, std::nullopt}, // seconds would pass 15
        {2, 20000000, std::nullopt},
        {2, -1, std::nullopt},
        {2, std::numeric_limits<qint32>::min(), std::nullopt},
        {0, 1234567, std::nullopt}, // no device delay reported
        {3, 1234567, std::nullopt},
        {1, 1234567, std::nullopt},
        {255, 1234567, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HdTaDelayCentreFromDevice(c.state, c.delay), c.centre)
            << c.state << " " << c.delay;
}

TEST(HdTaSettingsTexts, ApplyStatesAndNotice)
{
    EXPECT_EQ(HdTaApplyStateText(0), "  Idle         ");
    EXPECT_EQ(HdTaApplyStateText(3), "  Success      ");
    EXPECT_EQ(HdTaApplyStateText(7), "  No Device    ");
    for (qint32 outside : {8, -1, 255, std::numeric_limits<qint32>::min()})
        EXPECT_EQ(HdTaApplyStateText(outside), "") << outside;

    EXPECT_EQ(HdTaApplyNotice(3).text, "*** APPLY REQUIRED ***");
    EXPECT_TRUE(HdTaApplyNotice(3).required);
    for (qint32 other : {0, 2, 4, 5, 9, -3}) {
        EXPECT_EQ(HdTaApplyNotice(other).text, "Changes to these paramters may require APPLY");
        EXPECT_FALSE(HdTaApplyNotice(other).required);
    }
}

TEST(HdTaSettingsTexts, ListsAsTheUnitNumbersThem)
{
    const QStringList devices = {"None",         "Omnia 6 FM",    "Omnia .7.9 FM", "Omnia .7.9 HD",
                                 "Omnia.11 FM",  "Orban FM",      "Wheatstone FM", "GatesAir FM",
                                 "GatesAir HD",  "Nautel FM",     "Nautel HD",     "Universal FM",
                                 "Universal HD", "Omnia.9 CF FM", "Omnia.9 CF HD", "Sonifex FM",
                                 "Sonifex HD"};
    ASSERT_EQ(HdTaDeviceItems().size(), HdTaDeviceCount);
    for (int i = 0; i < HdTaDeviceCount; ++i) {
        EXPECT_EQ(HdTaDeviceItems()[i].trimmed(), devices[i]) << i;
        EXPECT_TRUE(HdTaDeviceItems()[i].startsWith(' ')) << i;
    }
    ASSERT_EQ(HdTaRateItems().size(), HdTaRateCount);
    EXPECT_EQ(HdTaRateItems().first().trimmed(), "0.5 min");
    EXPECT_EQ(HdTaRateItems().last().trimmed(), "60.0 min");
    EXPECT_EQ(HdTaModeItems(), (QStringList{"  Direct", " Manual", "   Auto"}));
    EXPECT_EQ(HdTaConnectItems(), (QStringList{"  Disable", "  Enable  "}));
    EXPECT_EQ(HdTaScanModeItems(), (QStringList{" Disable", " Enable"}));
}

TEST(HdTaSettingsTexts, ScanEntriesAndFieldTexts)
{
    EXPECT_EQ(HdTaScanFreqText(1079), "107.9 MHz");
    EXPECT_EQ(HdTaScanFreqText(875), " 87.5 MHz");
    EXPECT_EQ(HdTaScanFreqPosition(875), 0);
    EXPECT_EQ(HdTaScanFreqPosition(1079), 102);
    EXPECT_EQ(HdTaScanFreqPosition(880), 2); // 2.5: halves go to the even neighbour
    EXPECT_EQ(HdTaScanFreqPosition(882), 4); // 3.5
    EXPECT_EQ(HdTaScanFreqPosition(0), -1);  // bounded; the up-down clamps it
    EXPECT_EQ(HdTaScanFreqPosition(std::numeric_limits<qint32>::max()), 1000);
    EXPECT_EQ(HdTaScanFreqValue(0), 875);
    EXPECT_EQ(HdTaScanFreqValue(102), 1079);
    EXPECT_EQ(HdTaScanTimeText(7), "  7");

    EXPECT_EQ(HdTaDelaySecondsText(1), "  1 sec");
    EXPECT_EQ(HdTaDelayMsText(234), "234 ms");
    EXPECT_EQ(HdTaDelayUsText(567), "567 us");
    // The refill writes the ramp without a blank and a port digit in width 1.
    EXPECT_EQ(HdTaRampText(12), " 12 ms");
    EXPECT_EQ(HdTaRampFillText(12), " 12ms");
    EXPECT_EQ(HdTaPortDigitText(8), "  8");
    EXPECT_EQ(HdTaPortDigitFillText(8), "8");
    EXPECT_EQ(HdTaOffsetText(100), "100 samples");
    EXPECT_EQ(HdTaOffsetText(1000), "1000 samples"); // the top of its range, not asterisks
    EXPECT_EQ(HdTaOctetText(192), "192");
    // A unit value wider than its field shows asterisks rather than a wrong number.
    EXPECT_EQ(HdTaPortDigitFillText(12), "*");
}
