#pragma once

#include "models/ZoomPolicy.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

class QAbstractAxis;
class QAbstractSeries;
class QAreaSeries;
class QChart;
class QLineSeries;
class QObject;
class QValueAxis;

// Building blocks of the program's charts. Every series is refilled with one
// replace() per refresh: appending point by point costs a hundred times more.
// Charts never animate, and no series uses OpenGL (there is none offscreen).

// The plot colours: peak red, average lime, minimum yellow.
QColor plotSeriesColour(int series);

// A chart with the program's look, no animation, its legend at the bottom.
QChart* makePlotChart(const QString& title);
// A value axis attached to the chart on the given side.
QValueAxis* addValueAxis(QChart* chart, Qt::Alignment side, const QString& title);
// The axis line, its ticks and its grid drawn with hairline pens, one pixel at
// any scale. A line of a wider pen has its outline worked out every time the
// scene looks for what to repaint, which made the grid the dearest part of
// redrawing a bar.
void useHairlines(QAbstractAxis* axis);

// Fixed limits and labels every increment, or every 2, 5, 10 ... increments
// where labels would otherwise crowd. Unchanged limits are not set again.
void setFixedAxis(QValueAxis* axis, double min, double max, double increment);
inline void setFixedAxis(QValueAxis* axis, AxisRange r, double increment)
{
    setFixedAxis(axis, r.min, r.max, increment);
}
// The same with a label format of the window's own ("%.7g" prints at most
// the digits a value has: "###0.###").
void setFixedAxis(QValueAxis* axis, double min, double max, double increment,
                  const QString& labelFormat);
// Limits with a label spacing of its own (1, 2 or 5 of a power of ten).
void setAutomaticAxis(QValueAxis* axis, AxisRange r);
AxisRange axisRange(const QValueAxis* axis);

// A filled shape drawn from an outline (the points of its upper line); the
// outline is closed through closingPoint, which lies on the line the shapes
// stand on, so rectangles from a non-zero origin close along that origin.
// newFilledSeries makes one with an empty outline, in no chart;
// addFilledSeries adds one to the chart in the given colour.
QAreaSeries* newFilledSeries(QPointF closingPoint, QObject* parent = nullptr);
QAreaSeries* addFilledSeries(QChart* chart, const QString& name, const QColor& colour,
                             QValueAxis* x, QValueAxis* y, QPointF closingPoint);
void setOutline(QAreaSeries* series, const QList<QPointF>& outline);
// The outline of a horizontal bar from origin to end across lo .. hi of the
// axis the bars stand on.
QList<QPointF> horizontalBar(double origin, double end, double lo, double hi);
// A bar that floats: from .. to across lo .. hi, its closing point moved with
// it, so no sliver reaches back to where the series was created. A bar is
// cleared with setOutline(series, {}).
void setFloatingBar(QAreaSeries* series, double from, double to, double lo, double hi);

// A series title that is a readout of fixed-width fields: the legend shows it
// in a fixed-pitch font with its blanks kept, so the fields stay in line.
void setReadoutTitle(QChart* chart, QAbstractSeries* series, const QString& text);
void useFixedPitchLegend(QChart* chart);

QLineSeries* addLineSeries(QChart* chart, const QString& name, const QColor& colour, QValueAxis* x,
                           QValueAxis* y);

// A line whose points take their colour by band, drawn as one series per
// contiguous run of one band: a pen per series costs nothing where a colour
// per point makes the chart rebuild every point's style. Neighbouring runs
// share their boundary point, so the trace has no gaps. Each run is refilled
// with one replace(); runs left over are emptied once and then not touched.
class TBandLine
{
public:
    static constexpr int MaxRuns = 7; // the spectrum's bands give at most seven

    TBandLine(QChart* chart, QValueAxis* x, QValueAxis* y, const QString& name);

    // bands[i] indexes bandColours. Past MaxRuns runs the rest of the points
    // join the last run.
    void setPoints(const QList<QPointF>& points, const QList<quint8>& bands,
                   const QList<QColor>& bandColours);
    void clear();
    const QList<QLineSeries*>& runs() const { return m_runs; }
    // Points of all runs, the shared boundary points counted once.
    int pointCount() const;

private:
    void setRun(int run, const QList<QPointF>& points, const QColor& colour);

    QList<QLineSeries*> m_runs;
    QList<int> m_sizes;
};
