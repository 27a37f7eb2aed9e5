#include "models/ZoomPolicy.h"
#include "models/HdHistoryChart.h"

#include <gtest/gtest.h>
#include <limits>

TEST(ZoomPolicy, BarAxisZoomWidensToFiveNeverBelowItsInitialMinimum)
{
    const AxisRange initial{0, 3};
    struct Case
    {
        AxisRange requested, expected;
    } cases[] = {
        {{1, 3}, {0, 5}},       // a span of 2 around 2 would start at -0.5
        {{6, 8}, {4.5, 9.5}},   // widened around its centre
        {{2, 7}, {2, 7}},       // exactly 5 stays
        {{1, 9}, {1, 9}},       // wider stays
        {{0.2, 0.4}, {0, 5}},   // at the bottom
        {{2.5, 2.5}, {0.0, 5}}, // no span at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.requested.min << ".." << c.requested.max);
        EXPECT_EQ(barAxisZoom(c.requested, initial), c.expected);
    }
    EXPECT_EQ(barAxisZoom({-8, -7}, {-10, 10}), (AxisRange{-10, -5}));
}

TEST(ZoomPolicy, HistogramZoomRaisesSmallMinimaAndWidens)
{
    EXPECT_EQ(histogramValueZoom({0.5, 20}), (AxisRange{0, 20})); // below 1 becomes 0
    EXPECT_EQ(histogramValueZoom({1, 20}), (AxisRange{1, 20}));
    EXPECT_EQ(histogramValueZoom({10, 12}), (AxisRange{8.5, 13.5}));
    EXPECT_EQ(histogramValueZoom({1.5, 2}), (AxisRange{0, 5}));
    EXPECT_EQ(histogramPercentZoom({-3, 40}), (AxisRange{0, 40}));
    EXPECT_EQ(histogramPercentZoom({0.5, 2}), (AxisRange{0, 5}));
    EXPECT_EQ(histogramPercentZoom({50, 53}), (AxisRange{49, 54}));
}

TEST(ZoomPolicy, TimeAxisZoomKeepsThirtySeconds)
{
    EXPECT_EQ(timeAxisZoom({-20, 100}), (AxisRange{0, 100}));
    EXPECT_EQ(timeAxisZoom({100, 110}), (AxisRange{90, 120}));
    EXPECT_EQ(timeAxisZoom({5, 20}), (AxisRange{0, 30}));
    EXPECT_EQ(timeAxisZoom({100, 130}), (AxisRange{100, 130}));
}

TEST(ZoomPolicy, ScrollIsRefusedPastTheLimits)
{
    const AxisRange limits{0, 200};
    EXPECT_TRUE(scrollAllowed({10, 50}, -10, limits));
    EXPECT_FALSE(scrollAllowed({10, 50}, -10.5, limits));
    EXPECT_TRUE(scrollAllowed({150, 200}, 0, limits));
    EXPECT_FALSE(scrollAllowed({150, 200}, 0.1, limits));
    // A range wider than its limits can never move.
    EXPECT_FALSE(scrollAllowed({0, 5}, 0.5, {0, 3}));
}

TEST(ZoomPolicy, LabelSpacingStaysReadable)
{
    EXPECT_DOUBLE_EQ(tickInterval({0, 200}, 1), 20);
    EXPECT_DOUBLE_EQ(tickInterval({0, 100}, 5), 10);
    EXPECT_DOUBLE_EQ(tickInterval({0, 10}, 5), 5);
    EXPECT_DOUBLE_EQ(tickInterval({0, 1800}, 60), 300);
    EXPECT_DOUBLE_EQ(tickInterval({0, 3}, 1), 1);
    EXPECT_DOUBLE_EQ(tickInterval({0.001, 0.0017}, 0), 0.0001);
    EXPECT_DOUBLE_EQ(tickInterval({-63, 57}, 0), 20);
    // No span, or no finite one, still gives a usable step.
    EXPECT_DOUBLE_EQ(tickInterval({5, 5}, 1), 1);
    EXPECT_DOUBLE_EQ(tickInterval({5, 5}, 0), 1);
    EXPECT_DOUBLE_EQ(tickInterval({0, std::numeric_limits<double>::infinity()}, 0), 1);

    EXPECT_EQ(labelDecimals(20), 0);
    EXPECT_EQ(labelDecimals(1), 0);
    EXPECT_EQ(labelDecimals(0.5), 1);
    EXPECT_EQ(labelDecimals(0.1), 1);
    EXPECT_EQ(labelDecimals(0.05), 2);
    EXPECT_EQ(labelDecimals(0.0001), 4);
    EXPECT_EQ(labelDecimals(0), 0);
    // A quarter-hour increment thinned to 2.5 h, or kept at 0.25 h when zoomed.
    EXPECT_EQ(labelDecimals(2.5), 1);
    EXPECT_EQ(labelDecimals(0.25), 2);
    EXPECT_EQ(labelDecimals(25), 0);
}

TEST(ZoomPolicy, AnAxisIsAtLeastOneStepWide)
{
    EXPECT_EQ(atLeastOneStep({40, 40}, 1, {0, 200}), (AxisRange{40, 41}));
    EXPECT_EQ(atLeastOneStep({200, 200}, 1, {0, 200}), (AxisRange{199, 200}));
    EXPECT_EQ(atLeastOneStep({0, 2}, 5, {0, 100}), (AxisRange{0, 5}));
    EXPECT_EQ(atLeastOneStep({3, 9}, 5, {0, 100}), (AxisRange{3, 9}));
}

TEST(ZoomPolicy, HistoryTimeZoom)
{
    const struct
    {
        AxisRange requested, expected;
    } cases[] = {
        {{2.0, 2.6}, {2.05, 2.55}}, // an hour or less: the half hour around it
        {{-0.5, 0.3}, {0, 1}},      // it would start below 0
        {{3, 10}, {3, 10}},
        {{-2, 5}, {0, 5}},
        {{23.5, 24}, {23.5, 24}},
    };
    for (const auto& c : cases) {
        const AxisRange r = historyTimeZoom(c.requested);
        EXPECT_NEAR(r.min, c.expected.min, 1e-9) << c.requested.min << ".." << c.requested.max;
        EXPECT_NEAR(r.max, c.expected.max, 1e-9) << c.requested.min << ".." << c.requested.max;
    }
    // Kind 1 has no Vren1 series; its scroll limits reach past its axis.
    const THistoryAxisSet kind1 = HistoryAxisSet(1);
    EXPECT_TRUE(scrollAllowed(kind1.range, 25, kind1.scrollLimits));
    EXPECT_FALSE(scrollAllowed(kind1.range, 26, kind1.scrollLimits));
    EXPECT_FALSE(scrollAllowed(kind1.range, -1, kind1.scrollLimits));
}
