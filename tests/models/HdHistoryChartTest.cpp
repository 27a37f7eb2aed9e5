#include "models/HdHistoryChart.h"

#include <gtest/gtest.h>

TEST(HdHistoryChart, AxisSetsOfTheScaleKinds)
{
    const struct
    {
        int kind;
        AxisRange range;
        double increment;
        AxisRange scroll;
        const char* title;
    } cases[] = {
        {0, {0, 200}, 10, {0, 200}, "Percent"},
        {7, {-131072, 131072}, 10, {-131072, 131072}, "samples"},
        {8, {0, 15}, 1, {0, 16}, "Delay(sec)"},
        {42, {0, 200}, 10, {0, 200}, "Percent"},
    };
    for (const auto& c : cases) {
        const THistoryAxisSet a = HistoryAxisSet(c.kind);
        EXPECT_EQ(a.range, c.range) << c.kind;
        EXPECT_EQ(a.increment, c.increment) << c.kind;
        EXPECT_EQ(a.scrollLimits, c.scroll) << c.kind;
        EXPECT_EQ(a.title, c.title) << c.kind;
    }
}

TEST(HdHistoryChart, SeriesLookOfTheDisplayModes)
{
    const THistorySeriesLook six = HistorySeriesLook(6);
    EXPECT_TRUE(six.legend);
    EXPECT_EQ(six.titles, (QStringList{" PEAK", " AVE ", " MIN "}));
    EXPECT_EQ(six.active, (std::array<bool, 3>{true, true, true}));
    const THistorySeriesLook eight = HistorySeriesLook(8);
    EXPECT_FALSE(eight.legend);
    EXPECT_EQ(eight.titles[0], " TIME");
    EXPECT_EQ(eight.active, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(HistorySeriesLook(9).titles.mid(0, 2), (QStringList{" Fast", " Ave"}));
    EXPECT_FALSE(HistorySeriesLook(10).known);
}

TEST(HdHistoryChart, FitRoundsHalvesToEvenOverTheUsedSeriesOnly)
{
    std::array<std::vector<double>, 3> v;
    v[0].assign(1440, 30.0);
    v[0][5] = 25.0;
    v[1].assign(1440, 45.0);
    v[2].assign(1440, 190.0); // not a series of a two-series Type
    EXPECT_EQ(HistoryFitRange(HistoryAxisSet(0), v, 2), (AxisRange{10, 50}));
    EXPECT_EQ(HistoryFitRange(HistoryAxisSet(0), v, 3), (AxisRange{10, 200}));
    // A flat day still gets a step either side.
    std::array<std::vector<double>, 3> flat;
    flat[0].assign(1440, -50.0);
    EXPECT_EQ(HistoryFitRange(HistoryAxisSet(3), flat, 1), (AxisRange{-60, -40}));
}
