#pragma once

#include "models/ZoomPolicy.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The fixed texts and scales of the three plot windows, by the scale kind and
// display mode of the series they follow. Series titles come in the order of
// the series' pointers: peak, average, minimum.

// Bar graph.
QString barValueAxisTitle(int scaleKind);
// The value axis: fixed limits and where the bars start.
AxisRange barValueAxis(int scaleKind);
double barOrigin(int scaleKind);
// Display mode 0 shows peak, average and minimum; every other mode the peak.
QStringList barSeriesTitles(int displayMode);

// A reading as the bar graph shows it: limited to 0 .. 2000 tenths (the phase
// of scale kind 5 to -2000 .. 2000, whose marks lie outside its degrees), then
// scaled by the scale kind.
double barValue(int scaleKind, qint32 raw);
// The readouts the bar graph writes into its series titles, one per series.
QStringList barReadouts(int displayMode, double peak, double average, double minimum);
// Where a bar ends on the axis: a phase bar stays within its axis.
double barEnd(int scaleKind, double value);

// Histogram.
QString histogramValueAxisTitle(int scaleKind);
QStringList histogramSeriesTitles(int displayMode);
bool histogramShowsLegend(int displayMode);
// The readouts under the chart, from the counted (0 .. 2000) values.
QStringList histogramReadouts(int displayMode, int peak, int average, int minimum);
// Initial limits of the value axis: the drawn bins of the scale kind.
AxisRange histogramValueAxis(int scaleKind);

// Time plot.
QString timePlotValueAxisTitle(int scaleKind);
QStringList timePlotSeriesTitles(int displayMode);
// The readouts under the chart, from the values of the newest point.
QStringList timePlotReadouts(int displayMode, double peak, double average, double minimum);
// Initial limits of the value axis, the bounds of scrolling.
AxisRange timePlotValueAxis(int scaleKind);
