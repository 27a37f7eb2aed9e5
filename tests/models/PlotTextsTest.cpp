#include "models/PlotTexts.h"

#include <gtest/gtest.h>

TEST(PlotTexts, BarValuesAreClampedAndScaledByScaleKind)
{
    struct Case
    {
        int scaleKind;
        qint32 raw;
        double shown;
    } cases[] = {
        {1, -5, 0},    {1, 2500, 200.0}, {0, 1234, 123.4},  {2, 2001, 200.0},
        {4, 7, 0.7},   {3, 600, -60.0},  {3, -50, 0},       {3, 2500, -200},
        {5, 255, 255}, {5, -255, -255},  {5, -3000, -2000}, {5, 12, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.scaleKind << " raw " << c.raw);
        EXPECT_DOUBLE_EQ(barValue(c.scaleKind, c.raw), c.shown);
    }
}

TEST(PlotTexts, BarReadouts)
{
    EXPECT_EQ(barReadouts(0, 200.0, 99.5, 0),
              (QStringList{"PEAK 200.0%", "AVE   99.5%", "MIN    0.0%"}));
    EXPECT_EQ(barReadouts(1, 0, 0, 0), QStringList{"PEAK   0.0%"});
    EXPECT_EQ(barReadouts(2, 12.3, 0, 0), QStringList{"RMS  12.3%"});
    EXPECT_EQ(barReadouts(3, -60.0, 0, 0), QStringList{"RMS -60.0dB"});
    // 0 / -10 is a negative zero, which must not show its sign.
    EXPECT_EQ(barReadouts(3, barValue(3, 0), 0, 0), QStringList{"RMS   0.0dB"});
    // The phase and the unit's marks for no phase and out of range.
    EXPECT_EQ(barReadouts(4, 255, 0, 0), QStringList{"   *.* DEG"});
    EXPECT_EQ(barReadouts(4, -255, 0, 0), QStringList{"   *.* DEG"});
    EXPECT_EQ(barReadouts(4, 127, 0, 0), QStringList{"  +*.* DEG"});
    EXPECT_EQ(barReadouts(4, -127, 0, 0), QStringList{"  -*.* DEG"});
    EXPECT_EQ(barReadouts(4, 12, 0, 0), QStringList{"  12.0 DEG"});
    EXPECT_EQ(barReadouts(4, -31, 0, 0), QStringList{" -31.0 DEG"});
}

TEST(PlotTexts, PhaseBarsStayOnTheirAxis)
{
    EXPECT_EQ(barOrigin(5), -30);
    EXPECT_EQ(barEnd(5, 255), 30);
    EXPECT_EQ(barEnd(5, -255), -30);
    EXPECT_EQ(barEnd(5, -12), -12);
    EXPECT_EQ(barOrigin(3), -90);
    EXPECT_EQ(barValueAxis(5), (AxisRange{-30, 30}));
}

TEST(PlotTexts, HistogramReadouts)
{
    EXPECT_EQ(histogramReadouts(6, 1000, 995, 0),
              (QStringList{"PEAK: 100.0%", "AVE:  99.5%", "MIN:   0.0%"}));
    EXPECT_EQ(histogramReadouts(3, 600, 0, 0), QStringList{"RMS:  60.0 dB"});
    EXPECT_EQ(histogramReadouts(7, 95, 0, 0), QStringList{"RMS:   9.5%"});
    EXPECT_EQ(histogramReadouts(5, 42, 7, 0), (QStringList{"FAST:    42", "AVE:     7"}));
    EXPECT_TRUE(histogramReadouts(99, 1, 2, 3).isEmpty());
}

TEST(PlotTexts, TimePlotReadoutsShowPositiveDbForLevelsBelowTheReference)
{
    EXPECT_EQ(timePlotReadouts(3, 60.0, 0, 0), QStringList{"RMS:  60.0 dB"});
    EXPECT_EQ(timePlotReadouts(6, 100.0, 98.24, -0.04),
              (QStringList{"PEAK: 100.0%", "AVE:  98.2%", "MIN:   0.0%"}));
    EXPECT_EQ(timePlotReadouts(8, 0.0123, 0, 0), QStringList{"TIME:   0.012300 sec "});
    EXPECT_EQ(timePlotReadouts(9, 1.5, 0.25, 0), (QStringList{"FAST:    1.500", "AVE:    0.250"}));
    EXPECT_EQ(timePlotReadouts(10, -62.5, 0, 0), QStringList{"RMS: -62.5"});
}

TEST(PlotTexts, SeriesAndAxisTitles)
{
    EXPECT_EQ(barSeriesTitles(0), (QStringList{" PEAK", " AVE ", " MIN "}));
    EXPECT_EQ(barSeriesTitles(4), QStringList{" PEAK"});
    EXPECT_EQ(histogramSeriesTitles(9), (QStringList{" Fast", " Ave"}));
    EXPECT_EQ(timePlotSeriesTitles(10), QStringList{" RMS"});
    EXPECT_EQ(timePlotSeriesTitles(4), (QStringList{" Fast", " AVE "}));
    EXPECT_EQ(histogramValueAxisTitle(6), " dB    ");
    EXPECT_EQ(histogramValueAxisTitle(9), "Delay");
    EXPECT_EQ(timePlotValueAxisTitle(9), "Delay(ms)");
    EXPECT_EQ(timePlotValueAxisTitle(4), "Percent");
    EXPECT_EQ(barValueAxisTitle(3), " dB");
    // The value axis covers every drawn bin.
    EXPECT_EQ(histogramValueAxis(0), (AxisRange{0, 201}));
    EXPECT_EQ(histogramValueAxis(2), (AxisRange{0, 26}));
    EXPECT_EQ(histogramValueAxis(8), (AxisRange{0, 100}));
}
