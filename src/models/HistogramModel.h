#pragma once

#include "models/ZoomPolicy.h"

#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QString>
#include <QtGlobal>
#include <array>

// How often each value of one measurement occurred: three arrays of counters
// (peak, average, minimum) over value bins, and the number of samples. After
// two days of samples (at two a second) the counts are folded into
// percentages, so old samples weigh less and the counters never overflow.
class THistogramModel
{
public:
    static constexpr int SeriesCount = 3;
    static constexpr int CounterCount = 2001; // one per tenth from 0 to 2000
    static constexpr int MaxValue = 2000;
    static constexpr double AgeingLimit = 172800;

    struct BinSetup
    {
        bool counts = false; // false: this scale kind has no bins, nothing is counted
        int bins = 0;        // bins 0 .. bins are drawn
        double width = 1;    // axis value of one bin index
        int divisor = 1;     // bin index = value / divisor
    };
    static BinSetup binSetup(int scaleKind);

    // A value read from the history as it is counted: 0 .. 2000.
    static int clampValue(qint32 v);

    explicit THistogramModel(int scaleKind);

    const BinSetup& setup() const { return m_setup; }

    // Counts one sample of the three values (tenths; the absent ones as 0),
    // taken at `time` (the block's time stamp; invalid when there is none).
    // Returns false, counting nothing, for a scale kind without bins.
    bool addSample(qint32 peak, qint32 average, qint32 minimum, const QDateTime& time = {});
    void reset();

    double total() const { return m_total; }
    double count(int series, int bin) const;
    // Share of the samples in that bin, 0 while nothing is counted.
    double percent(int series, int bin) const;
    // The first and last drawn bin that any of the series in mask (bit 0 peak,
    // 1 average, 2 minimum) has counts in; false when they have none.
    bool occupiedBins(unsigned mask, int& first, int& last) const;
    // The largest share of any drawn bin of those series.
    double largestPercent(unsigned mask) const;

    // The time the samples cover as the window's title shows it, "hh:mm:ss":
    // the time from the first stamp to the last and one sample's share more,
    // so n samples a period apart read n periods, and never less than a
    // second once one is counted. The unit sends as many blocks a second as it
    // likes, so the count of samples is no clock. A clock set back adds
    // nothing; folding the counts changes nothing. Only samples without
    // stamps are read as two a second.
    QString elapsedText() const;

    // The outline of one series as horizontal bars: for every drawn bin with
    // counts a rectangle from 0 to its share across the values the bin counts
    // (i * width up to (i + 1) * width), narrowed to band `band` of `bands`
    // equal bands so the series sit side by side. Where a band would be
    // narrower than minBand (axis units), the bin is widened about its middle
    // to bands of minBand, so that a bin stays in sight on an axis much
    // longer than a bin.
    void outline(int series, int band, int bands, QList<QPointF>& points, double minBand = 0) const;

private:
    BinSetup m_setup;
    std::array<std::array<double, CounterCount>, SeriesCount> m_counts{};
    double m_total = 0;
    QDateTime m_lastTime;
    qint64 m_timedSamples = 0;
    qint64 m_coveredMs = 0;
};

// Axis limits of the histogram window that follow the data.
struct THistogramAxes
{
    AxisRange value;
    AxisRange percent;
};

// The value axis fitted to the occupied bins and the percentage axis to the
// largest share, each rounded outward to whole steps (1 on the value axis, 5
// on the percentage axis), moved a fifth of the way from the previous limits,
// kept within the initial limits and at least one step wide.
THistogramAxes followData(const THistogramModel& model, unsigned mask,
                          const THistogramAxes& previous, const THistogramAxes& initial);

// The limits the chart shows for limits that follow the data: the followed
// limits rounded outward to whole steps (1 on the value axis, 5 on the
// percentage axis), within a twentieth of a step counting as on the step.
// Followed limits move a little on nearly every sample; the shown ones stay
// put until a followed limit passes a step, so the chart, which lays itself
// out anew on every change of an axis, does so a few times while the data
// settle instead of on every sample.
THistogramAxes steppedAxes(const THistogramAxes& followed, const THistogramAxes& initial);
