#pragma once

#include "models/ZoomPolicy.h"

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

    // Counts one sample of the three values (tenths; the absent ones as 0).
    // Returns false, counting nothing, for a scale kind without bins.
    bool addSample(qint32 peak, qint32 average, qint32 minimum);
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

    // Elapsed time as the window's title shows it, assuming two samples a
    // second: "hh:mm:ss".
    QString elapsedText() const;

    // The outline of one series as horizontal bars: for every drawn bin with
    // counts a rectangle from 0 to its share across the values the bin counts
    // (i * width up to (i + 1) * width), narrowed to band `band` of `bands`
    // equal bands so the series sit side by side.
    void outline(int series, int band, int bands, QList<QPointF>& points) const;

private:
    BinSetup m_setup;
    std::array<std::array<double, CounterCount>, SeriesCount> m_counts{};
    double m_total = 0;
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
