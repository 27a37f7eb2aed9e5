#pragma once

#include "models/ZoomPolicy.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// How the day-history chart shows a measurement: the axes of its scale kind,
// the series titles of its display mode, and the value range a fill fits.

struct THistoryAxisSet
{
    AxisRange range;        // the value axis before a fill fits it
    double increment = 1;   // label spacing and fitting step
    AxisRange scrollLimits; // the value axis never scrolls past these
    QString title;
};

// Kinds 0..9; any other kind gets kind 0's.
THistoryAxisSet HistoryAxisSet(int scaleKind);

constexpr AxisRange HistoryTimeRange{0, 24}; // hours
constexpr double HistoryTimeIncrement = 0.25;

struct THistorySeriesLook
{
    bool known = false; // false: the mode leaves titles and legend as they are
    bool legend = false;
    QStringList titles;            // Series1 .. Series3
    std::array<bool, 3> active{}; // which series are shown
};
THistorySeriesLook HistorySeriesLook(int displayMode);

// The value axis that fits the first seriesCount series: from the step below
// the smallest value to the step above the largest, counted from the axis set
// (rounded to the nearest step, halves to even).
AxisRange HistoryFitRange(const THistoryAxisSet& axes,
                          const std::array<std::vector<double>, 3>& values, int seriesCount);
