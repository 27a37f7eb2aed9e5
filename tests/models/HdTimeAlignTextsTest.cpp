// The time/level alignment display's axes, bars and readout texts.
#include "models/HdTimeAlignTexts.h"

#include <gtest/gtest.h>

TEST(HdTimeAlignTexts, AxesAndBarHalfWidthsByResolution)
{
    const struct
    {
        int index;
        double samples, ms;
        int avgHalf, fastHalf;
    } cases[] = {
        {0, 256.01, 6.01, 6, 3}, {1, 512.01, 12.01, 13, 6}, {6, 16384.01, 372.01, 410, 205},
        {9, 0.01, 0.01, 0, 0},   {-1, 0.01, 0.01, 0, 0},
    };
    for (const auto& c : cases) {
        const THdTaAxes a = HdTaAxes(c.index);
        EXPECT_DOUBLE_EQ(a.samples, c.samples) << c.index;
        EXPECT_DOUBLE_EQ(a.ms, c.ms) << c.index;
        if (c.index >= 0 && c.index < HdTaResolutionCount) {
            EXPECT_DOUBLE_EQ(a.samplesIncrement, (c.samples - 0.01) / 4) << c.index;
            EXPECT_DOUBLE_EQ(a.msIncrement, (c.ms - 0.01) / 4) << c.index;
        } else {
            EXPECT_EQ(a.samplesIncrement, 0.0);
            EXPECT_EQ(a.msIncrement, 0.0);
        }
        const THdTaTimeBars b = HdTaTimeBars(a.samples, 0, 0);
        EXPECT_EQ(b.avgHalfWidth, c.avgHalf) << c.index;
        EXPECT_EQ(b.fastHalfWidth, c.fastHalf) << c.index;
    }
}

TEST(HdTimeAlignTexts, TimeBarsClampButTitlesDoNot)
{
    const THdTaTimeBars b = HdTaTimeBars(256.01, 500, -1000);
    EXPECT_EQ(b.avg, (THdTaSpan{250, 262}));
    EXPECT_EQ(b.fast, (THdTaSpan{-259, -253}));
    EXPECT_EQ(HdTaTimeAvgTitle(500), "AVG    +500 samples    11.3 ms      ");
    EXPECT_EQ(HdTaTimeFastTitle(-44), "FAST     -44 samples    -1.0 ms");
    EXPECT_EQ(HdTaTimeBars(0.01, 500, -500).avg, (THdTaSpan{0, 0}));
}

TEST(HdTimeAlignTexts, LevelBarsAndTitles)
{
    EXPECT_EQ(HdTaLevelAvgBar(-15), (THdTaSpan{-2.0, -1.0}));
    EXPECT_EQ(HdTaLevelAvgTitle(-15), "AVG    -1.5 dB  ");
    const THdTaSpan fast = HdTaLevelFastBar(7);
    EXPECT_DOUBLE_EQ(fast.from, 0.45);
    EXPECT_DOUBLE_EQ(fast.to, 0.95);
    EXPECT_EQ(HdTaLevelFastTitle(7), "FAST     0.7 dB");

    const THdTaChartTitles inverted = HdTaChartTitles(true, true);
    EXPECT_EQ(inverted.level, "Level Alignment:  Audio Polarity Inverted");
    EXPECT_EQ(inverted.time, "Time Alignment:  Audio Polarity Inverted");
    EXPECT_TRUE(inverted.red);
    const THdTaChartTitles normal = HdTaChartTitles(true, false);
    EXPECT_EQ(normal.level, "Level Alignment:  Audio Polarity Normal");
    EXPECT_EQ(normal.time, "Time Alignment:  Audio Polarity Normal");
    EXPECT_FALSE(normal.red);
    const THdTaChartTitles out = HdTaChartTitles(false, false);
    EXPECT_EQ(out.level, "Level Alignment:  Out of Range");
    EXPECT_EQ(out.time, "Time Alignment:  Out of Range");
    EXPECT_TRUE(out.red);
}

TEST(HdTimeAlignTexts, StatesDelaysErrorsAndCaptions)
{
    EXPECT_EQ(HdTaStateText(2), "  Active       ");
    EXPECT_EQ(HdTaStateText(3), " Apply Required");
    EXPECT_EQ(HdTaStateText(17), "  No Device    ");
    EXPECT_EQ(HdTaStateText(18), "");
    EXPECT_EQ(HdTaStateText(255), "");
    EXPECT_EQ(HdTaStateText(-1), "");

    EXPECT_EQ(HdTaDeviceDelayText(2, 1234567), " 1.234567 sec");
    EXPECT_EQ(HdTaDeviceDelayText(5, 1234567), " 1.234567 sec");
    EXPECT_EQ(HdTaDeviceDelayText(9, 1234567), " 1.234567 sec");
    EXPECT_EQ(HdTaDeviceDelayText(3, 1234567), QString(16, ' '));
    EXPECT_EQ(HdTaErrorText(1500), " 0.000001500 sec");

    THdServiceRec s;
    s.TaState = 2;
    s.AutoHours = 7;
    s.AutoMinutes = 5;
    s.DelayCorrectionUs = -2500;
    s.RampPercent = 42;
    const struct
    {
        qint32 mode, rampActive;
        const char* caption;
        QString correction;
    } cases[] = {
        {0, 0, " Update Device ", QString(13, ' ')}, {1, 0, " Update Device ", "-0.002500 sec"},
        {1, 1, " Ramp ( 42%) ", "-0.002500 sec"},    {2, 0, " Auto ( 7:05) ", "-0.002500 sec"},
        {2, 1, " Ramp ( 42%) ", "-0.002500 sec"},    {3, 0, "", ""},
    };
    for (const auto& c : cases) {
        s.RampActive = c.rampActive;
        const THdTaUpdateTexts t = HdTaUpdateTexts(c.mode, s);
        EXPECT_EQ(t.caption, c.caption) << c.mode << c.rampActive;
        EXPECT_EQ(t.delayCorrection, c.correction) << c.mode << c.rampActive;
    }
    s.TaState = 3;
    EXPECT_EQ(HdTaUpdateTexts(1, s).delayCorrection, QString(16, ' '));

    EXPECT_EQ(HdTaMultiScanCaption(true, 12, 30), " Multi-Scan (12:30) ");
    EXPECT_EQ(HdTaMultiScanCaption(false, 12, 30), " Multi-Scan ");
    EXPECT_EQ(HdTaAutoItem(4), " Auto( 4 )");
}
