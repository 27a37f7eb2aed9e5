#include "models/TimePlotModel.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(TimePlotModel, ScalesByDisplayMode)
{
    struct Case
    {
        int mode;
        qint32 raw;
        double shown;
    } cases[] = {
        {0, 1234, 123.4}, {1, -5, -0.5},   {6, 20, 2.0},    {7, 99, 9.9},      {10, -600, -60.0},
        {3, -600, 60.0},  {3, 250, -25.0}, {5, 4711, 4711}, {8, 1500000, 1.5}, {9, 2500, 0.0025},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " raw " << c.raw);
        EXPECT_DOUBLE_EQ(TTimePlotModel::scaleValue(c.mode, c.raw), c.shown);
    }
}

TEST(TimePlotModel, SamplesOfOneSecondMakeOnePointWithTheSampleThatClosesIt)
{
    TTimePlotModel m(1);
    EXPECT_TRUE(m.addSample(100, 0, 0, 10)); // the first refresh makes a point
    EXPECT_EQ(m.count(), 1);
    EXPECT_FALSE(m.addSample(300, 50, 10, 10)); // same second: gathered only
    EXPECT_FALSE(m.addSample(200, 70, 30, 10));
    EXPECT_EQ(m.count(), 1);
    EXPECT_TRUE(m.addSample(250, 90, 20, 11)); // the next second closes the point
    EXPECT_EQ(m.count(), 2);
    const auto p = m.point(0);
    EXPECT_DOUBLE_EQ(p.peak, 30.0);
    EXPECT_DOUBLE_EQ(p.average, (5.0 + 7.0 + 9.0) / 3);
    EXPECT_DOUBLE_EQ(p.minimum, 1.0);
    EXPECT_DOUBLE_EQ(m.point(1).peak, 10.0);
}

TEST(TimePlotModel, SixteenSamplesInOneSecondAreAllUsed)
{
    // After a point, fifteen samples of one second fill the gathering to its
    // end; the sixteenth, in the next second, wraps its index to 0. All
    // sixteen were taken since the last point and make the new one.
    TTimePlotModel m(5);
    m.addSample(0, 0, 0, 1);
    for (int i = 1; i <= 15; ++i)
        ASSERT_FALSE(m.addSample(i, i, i, 1));
    ASSERT_TRUE(m.addSample(16, 16, 16, 2));
    const auto p = m.point(0);
    EXPECT_DOUBLE_EQ(p.peak, 16);
    EXPECT_DOUBLE_EQ(p.average, 8.5);
    EXPECT_DOUBLE_EQ(p.minimum, 1);
}

TEST(TimePlotModel, TheRingKeepsTheNewest1800Points)
{
    TTimePlotModel m(5);
    EXPECT_EQ(m.position(), 0);
    m.addSample(0, 0, 0, 0);
    EXPECT_EQ(m.position(), 1799) << "the first point goes to the end of the ring";
    for (int i = 1; i <= 1800; ++i)
        m.addSample(i, i, i, i % 60);
    EXPECT_EQ(m.count(), 1800);
    EXPECT_EQ(m.position(), 1799) << "1801 points: once round the ring";
    EXPECT_DOUBLE_EQ(m.point(0).peak, 1800);
    EXPECT_DOUBLE_EQ(m.point(1799).peak, 1) << "point 0 was overwritten";
    EXPECT_DOUBLE_EQ(m.point(1800).peak, 0) << "beyond the count there is nothing";

    std::array<QList<QPointF>, 3> series;
    AxisRange values;
    ASSERT_TRUE(m.seriesPoints(0b001, series, values));
    ASSERT_EQ(series[0].size(), 1800);
    EXPECT_TRUE(series[1].isEmpty());
    EXPECT_EQ(series[0][0], QPointF(0, 1800));
    EXPECT_EQ(series[0][1799], QPointF(1799, 1));
    EXPECT_EQ(values, (AxisRange{1, 1800}));
}

TEST(TimePlotModel, ResetClearsRingCountAndGathering)
{
    TTimePlotModel m(5);
    for (int i = 0; i < 30; ++i)
        m.addSample(i, i, i, i % 60);
    m.addSample(999, 999, 999, 29); // gathered, not yet a point
    m.reset();
    EXPECT_EQ(m.count(), 0);
    EXPECT_EQ(m.position(), 0);
    std::array<QList<QPointF>, 3> series;
    AxisRange values;
    EXPECT_FALSE(m.seriesPoints(0b111, series, values));
    // The gathered sample is gone: the next point holds only the new one.
    EXPECT_TRUE(m.addSample(5, 5, 5, 29));
    EXPECT_DOUBLE_EQ(m.point(0).peak, 5);
}

TEST(TimePlotModel, FlatDataGetsAnAxisOfItsOwn)
{
    const AxisRange flat = fitValueAxis({50, 50});
    EXPECT_LT(flat.min, 50);
    EXPECT_GT(flat.max, 50);
    EXPECT_EQ(fitValueAxis({0, 0}), (AxisRange{-1, 1}));
    EXPECT_EQ(fitValueAxis({-400, -400}), (AxisRange{-420, -380}));
    const AxisRange normal = fitValueAxis({10, 30});
    EXPECT_DOUBLE_EQ(normal.min, 9);
    EXPECT_DOUBLE_EQ(normal.max, 31);
}
