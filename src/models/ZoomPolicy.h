#pragma once

// The rules the plot windows apply when the user zooms or scrolls a chart,
// and how an axis picks its label spacing. Free of widgets, so each window's
// limits can be checked without a mouse.

struct AxisRange
{
    double min = 0;
    double max = 0;

    double span() const { return max - min; }
    bool operator==(const AxisRange&) const = default;
};

// A range of minSpan or less widened to minSpan around its centre; when the
// widened range would start below floor it becomes floor .. floor + minSpan.
AxisRange widenToSpan(AxisRange r, double minSpan, double floor);

// Whether moving r by delta keeps it inside limits. A refused scroll leaves the
// axis where it was.
bool scrollAllowed(AxisRange r, double delta, AxisRange limits);

// The spacing of an axis's labels: the smallest of increment times 1, 2, 5,
// 10, 20, ... that leaves at most maxIntervals intervals across the range. An
// increment of 0 or less lets the spacing be any such step of a power of ten.
double tickInterval(AxisRange r, double increment, int maxIntervals = 10);

// Decimals the labels need at that spacing: none from 1 up, one for 0.1 to
// 0.5, and so on.
int labelDecimals(double interval);

// A range no narrower than step: an empty or inverted range grows upwards by
// one step, or downwards where that would pass the upper limit.
AxisRange atLeastOneStep(AxisRange r, double step, AxisRange limits);

// Zoom rules of the windows. Each takes the range the user dragged on one axis.

// Bar graph, along the axis the bars stand on: at least 5 wide, never below
// the axis's initial minimum.
AxisRange barAxisZoom(AxisRange requested, AxisRange initial);
// Histogram, value axis: a minimum below 1 becomes 0; at least 5 wide, never
// below 0.
AxisRange histogramValueZoom(AxisRange requested);
// Histogram, percentage axis: a minimum below 0 becomes 0; at least 5 wide,
// never below 0.
AxisRange histogramPercentZoom(AxisRange requested);
// Time plot, time axis: a minimum below 0 becomes 0; at least 30 seconds wide,
// never below 0.
AxisRange timeAxisZoom(AxisRange requested);
// Day history, time axis in hours: a minimum below 0 becomes 0; a span of an
// hour or less becomes the half hour around its centre, or 0 .. 1 where that
// would start below 0.
AxisRange historyTimeZoom(AxisRange requested);
