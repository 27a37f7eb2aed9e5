#include "models/HistogramModel.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {
constexpr unsigned allSeries = 0b111;
}

TEST(HistogramModel, BinsByScaleKind)
{
    struct Case
    {
        int scaleKind;
        qint32 value;
        int bin;
    } cases[] = {
        {0, 1000, 200},  {0, 2500, 400}, {1, 999, 99},     {1, 2000, 200},
        {2, 2500, 2000}, {2, 137, 137},  {3, 600, 60},     {4, 125, 125},
        {4, -1, 0},      {0, -32768, 0}, {2, 65535, 2000}, // a large reading is clamped, not
                                                           // wrapped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.scaleKind << " value " << c.value);
        THistogramModel m(c.scaleKind);
        ASSERT_TRUE(m.addSample(c.value, 0, 0));
        EXPECT_EQ(m.count(0, c.bin), 1);
        EXPECT_EQ(m.count(1, 0), 1) << "an absent average counts as 0";
        EXPECT_EQ(m.total(), 1);
    }
}

TEST(HistogramModel, NegativeReadingsCountAtZeroNotInTheTopBin)
{
    THistogramModel m(2);
    m.addSample(-1, -255, -2000);
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(m.count(s, 0), 1);
        EXPECT_EQ(m.count(s, 2000), 0);
    }
}

TEST(HistogramModel, ScaleKindsWithoutBinsCountNothing)
{
    for (int kind : {-1, 5, 6, 7, 8, 9}) {
        SCOPED_TRACE(kind);
        THistogramModel m(kind);
        EXPECT_FALSE(m.addSample(100, 100, 100));
        EXPECT_EQ(m.total(), 0);
        EXPECT_EQ(m.percent(0, 0), 0);
        EXPECT_EQ(m.largestPercent(allSeries), 0);
        QList<QPointF> outline;
        m.outline(0, 0, 1, outline);
        EXPECT_TRUE(outline.isEmpty());
        const THistogramAxes initial{{0, 100}, {0, 100}};
        const THistogramAxes next = followData(m, allSeries, initial, initial);
        EXPECT_TRUE(std::isfinite(next.value.min) && std::isfinite(next.value.max));
        EXPECT_TRUE(std::isfinite(next.percent.max));
        EXPECT_GT(next.percent.span(), 0);
        EXPECT_EQ(m.elapsedText(), "00:00:00");
    }
}

TEST(HistogramModel, AgeingKeepsTheShapeAndFoldsTheTotalToAHundred)
{
    THistogramModel m(1);
    // Three quarters of the peaks at 50 %, a quarter at 80 %; every minimum at
    // 200 %, a bin beyond the 127 drawn ones.
    for (int i = 0; i < 172800; ++i)
        m.addSample(i % 4 == 3 ? 800 : 500, 500, 2000);
    EXPECT_EQ(m.total(), 172800);
    EXPECT_EQ(m.elapsedText(), "24:00:00");
    EXPECT_DOUBLE_EQ(m.percent(0, 50), 75);

    m.addSample(500, 500, 2000); // the 172,801st
    EXPECT_EQ(m.total(), 100);
    EXPECT_EQ(m.elapsedText(), "00:00:50");
    EXPECT_EQ(m.count(0, 50), 75);
    EXPECT_EQ(m.count(0, 80), 25);
    EXPECT_EQ(m.count(1, 50), 100);
    // Counters of undrawn bins are folded too, or they would outweigh the
    // folded ones for days.
    EXPECT_EQ(m.count(2, 200), 100);

    // Counting goes on on top of the percentages.
    m.addSample(800, 500, 2000);
    EXPECT_EQ(m.total(), 101);
    EXPECT_EQ(m.count(0, 80), 26);
}

TEST(HistogramModel, OutlineDrawsSideBySideBandsOfOccupiedBinsOnly)
{
    THistogramModel m(0); // width 0.5
    m.addSample(1000, 1000, 1000);
    m.addSample(1005, 1000, 1000);
    QList<QPointF> outline;
    m.outline(1, 1, 3, outline);
    ASSERT_EQ(outline.size(), 4); // one occupied bin
    EXPECT_DOUBLE_EQ(outline[0].x(), 0);
    EXPECT_DOUBLE_EQ(outline[1].x(), 100);
    EXPECT_DOUBLE_EQ(outline[1].y(), 100 + 0.5 / 3);
    EXPECT_DOUBLE_EQ(outline[2].y(), 100 + 1.0 / 3);
    m.outline(0, 0, 3, outline);
    ASSERT_EQ(outline.size(), 8); // bins 200 and 201
    EXPECT_DOUBLE_EQ(outline[1].x(), 50);
    EXPECT_DOUBLE_EQ(outline[5].y(), 100.5);
    // Counts past the drawn bins are kept, never drawn.
    m.addSample(2000, 0, 0);
    m.outline(0, 0, 3, outline);
    EXPECT_EQ(outline.size(), 12);
}

TEST(HistogramModel, AxesFollowTheDataSmoothlyWithinTheirLimits)
{
    THistogramModel m(1);
    const THistogramAxes initial{{0, 128}, {0, 100}};
    m.addSample(503, 0, 0);
    // One occupied bin: the value axis is still a whole step wide.
    THistogramAxes axes = initial;
    for (int i = 0; i < 200; ++i)
        axes = followData(m, 0b001, axes, initial);
    EXPECT_NEAR(axes.value.min, 50, 1e-6);
    EXPECT_NEAR(axes.value.max, 51, 1e-6);
    EXPECT_NEAR(axes.percent.max, 100, 1e-6);

    // One step moves a fifth of the way.
    const THistogramAxes once = followData(m, 0b001, initial, initial);
    EXPECT_DOUBLE_EQ(once.value.min, 0.2 * 50);
    EXPECT_DOUBLE_EQ(once.value.max, 0.2 * 51 + 0.8 * 128);

    // The limits hold even when a smoothed edge would pass them.
    const THistogramAxes narrow{{40, 60}, {0, 100}};
    m.addSample(1270, 0, 0);
    axes = followData(m, 0b001, narrow, narrow);
    EXPECT_LE(axes.value.max, 60);
    EXPECT_GE(axes.value.min, 40);

    // Limits that meet at the top are widened downwards.
    THistogramModel single(1);
    single.addSample(600, 0, 0);
    const THistogramAxes top = followData(single, 0b001, {{60, 60}, {0, 100}}, narrow);
    EXPECT_DOUBLE_EQ(top.value.max - top.value.min, 1);
    EXPECT_LE(top.value.max, 60);
}

TEST(HistogramModel, ResetClearsEveryCounter)
{
    THistogramModel m(0);
    for (int i = 0; i < 10; ++i)
        m.addSample(i * 200, 5, 2000);
    m.reset();
    EXPECT_EQ(m.total(), 0);
    int first = 0, last = 0;
    EXPECT_FALSE(m.occupiedBins(allSeries, first, last));
    EXPECT_EQ(m.count(2, 400), 0);
}

// Followed limits creep towards the data on every sample; the limits shown
// move only when a followed one passes a whole step, so a settling axis moves
// a few times, not on every sample.
TEST(HistogramModel, ShownAxesMoveInWholeStepsAsTheFollowedOnesSettle)
{
    const THistogramAxes initial{{0, 201}, {0, 100}};
    struct Case
    {
        THistogramAxes followed;
        THistogramAxes shown;
    } cases[] = {
        {{{99.2, 100.4}, {0, 37.5}}, {{99, 101}, {0, 40}}},
        {{{99.96, 101.04}, {0, 40.2}}, {{100, 101}, {0, 40}}}, // within a twentieth: on the step
        {{{-3, 250}, {0, 120}}, {{0, 201}, {0, 100}}},         // never beyond the initial limits
        {{{50.5, 50.5}, {0, 0}}, {{50, 51}, {0, 5}}},          // at least one step wide
    };
    for (const Case& c : cases) {
        const THistogramAxes shown = steppedAxes(c.followed, initial);
        EXPECT_EQ(shown.value, c.shown.value) << c.followed.value.min << " " << c.followed.value.max;
        EXPECT_EQ(shown.percent, c.shown.percent) << c.followed.percent.max;
    }

    // A hundred samples of one value: the followed limits move every time,
    // the shown ones only a few times and end on the data.
    THistogramModel m(0);
    THistogramAxes followed = initial;
    THistogramAxes shown = initial;
    int moves = 0;
    int followedMoves = 0;
    for (int i = 0; i < 100; ++i) {
        m.addSample(1000, 1000, 1000);
        const THistogramAxes next = followData(m, allSeries, followed, initial);
        followedMoves += !(next.value == followed.value);
        followed = next;
        const THistogramAxes nextShown = steppedAxes(followed, initial);
        moves += !(nextShown.value == shown.value && nextShown.percent == shown.percent);
        shown = nextShown;
    }
    EXPECT_EQ(followedMoves, 100);
    EXPECT_LT(moves, 40);
    EXPECT_EQ(shown.value, (AxisRange{100, 101}));
}

// The title's elapsed time comes from the samples' own time stamps, however
// many samples a second the unit sends; only samples without stamps are
// counted as two a second.
TEST(HistogramModel, ElapsedTimeComesFromTheSampleTimes)
{
    THistogramModel m(0);
    const QDateTime start(QDate(2026, 1, 5), QTime(3, 0, 0, 500));
    for (int i = 0; i < 8 * 90; ++i) // 90 s at eight blocks a second
        m.addSample(1000, 1000, 1000, start.addMSecs(125 * i));
    EXPECT_EQ(m.elapsedText(), "00:01:30");

    // The counts fold after a long run; the time does not.
    THistogramModel day(0);
    const QDateTime t0(QDate(2026, 1, 5), QTime(0, 0));
    for (int i = 0; i <= int(THistogramModel::AgeingLimit); ++i)
        day.addSample(500, 500, 500, t0.addMSecs(125 * qint64(i)));
    EXPECT_EQ(day.total(), 100);
    EXPECT_EQ(day.elapsedText(), "06:00:00");

    // A clock set back adds no time, never a negative one; reset starts over.
    THistogramModel back(0);
    for (int i = 0; i < 4; ++i)
        back.addSample(1, 1, 1, start.addSecs(i));
    back.addSample(1, 1, 1, start.addSecs(-3600));
    back.addSample(1, 1, 1, start.addSecs(-3599));
    EXPECT_EQ(back.elapsedText(), "00:00:04") << "3 s and 1 s, over six samples";
    back.reset();
    EXPECT_EQ(back.elapsedText(), "00:00:00");
    // Samples of one stamp cover its second, however many there are.
    for (int i = 0; i < 5; ++i)
        back.addSample(1, 1, 1, start);
    EXPECT_EQ(back.elapsedText(), "00:00:01");
}
