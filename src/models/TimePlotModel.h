#pragma once

#include "models/ZoomPolicy.h"

#include <QList>
#include <QPointF>
#include <QtGlobal>
#include <array>
#include <climits>

// The last 30 minutes of one measurement: one point a second of the unit's
// time stamp, made from the samples gathered during that second (largest
// peak, mean average, smallest minimum), kept in a ring of 1800 points.
class TTimePlotModel
{
public:
    static constexpr int RingSize = 1800;
    static constexpr int GatherSize = 16;
    static constexpr int SeriesCount = 3;

    struct Point
    {
        double peak = 0;
        double average = 0;
        double minimum = 0;
    };

    // A raw reading in the unit the plot shows, by display mode.
    static double scaleValue(int displayMode, qint32 raw);

    explicit TTimePlotModel(int displayMode);

    // One refresh: the three readings (tenths; absent ones as 0) and the
    // seconds field of the unit's time stamp (-1 when there is none). Returns
    // true when the second changed and a point was made.
    bool addSample(qint32 peak, qint32 average, qint32 minimum, int second);
    void reset();

    int count() const { return m_count; }
    int position() const { return m_position; }
    // Point n, 0 the newest .. count() - 1 the oldest.
    Point point(int n) const;

    // The series as the chart draws them, x = 0 the newest point; the smallest
    // and largest value of the series in mask (bit 0 peak, 1 average,
    // 2 minimum). Returns false when there is no point.
    bool seriesPoints(unsigned mask, std::array<QList<QPointF>, SeriesCount>& series,
                      AxisRange& values) const;

private:
    int m_displayMode;
    std::array<std::array<double, GatherSize>, SeriesCount> m_gather{};
    int m_sampleIndex = 0;
    std::array<std::array<double, RingSize>, SeriesCount> m_ring{};
    int m_position = 0;
    int m_count = 0;
    // No second yet, so the first refresh makes a point.
    int m_lastSecond = INT_MIN;
};

// The value axis around the data, with a margin of 5 % of the span each side;
// flat data (all values equal) get a margin of 5 % of the value, at least 1.
AxisRange fitValueAxis(AxisRange data);

// The value axis for the data, given the one shown: kept while the data lie
// inside it and fill at least half of it, else fitted anew (fitValueAxis). A
// line that wanders a little so leaves the axis, and the chart's layout, alone.
AxisRange followValueAxis(AxisRange data, AxisRange shown);
