#pragma once

#include <QList>
#include <QRectF>
#include <QWidget>

class QAreaSeries;
class QChart;
class QChartView;
class QColor;
class QGraphicsItem;
class QTransform;
class QLineSeries;
class QPainterPath;
class QValueAxis;
class QXYSeries;

// The plot area of a chart whose lines and filled shapes are drawn by a
// widget of its own laid over the chart's, as the chart would draw them.
// What the chart draws there beneath its series (background, grid, axis
// lines) is asked of the chart at each paint, so it stays the chart's own.
//
// A series the chart draws costs it, at each change of a point, a mapping of
// every point, a path, and the outline of that path stroked for the mouse to
// find, before any pixel is painted; 1,800 points a second on three lines,
// or 400 bins eight times a second, in every window open. Here a change maps
// the points once and repaints.
//
// The series drawn here are not in the chart. Each has a twin in the chart,
// empty, that gives the legend its entry; the twin draws nothing.
class TPlotSeriesArea : public QWidget
{
    Q_OBJECT
public:
    TPlotSeriesArea(QChartView* view, QValueAxis* x, QValueAxis* y);

    // A line of the given name and colour, drawn here; its twin joins the
    // chart. Series are drawn in the order they were added, the last on top.
    QLineSeries* addLine(const QString& name, const QColor& colour);
    // A filled shape drawn from an outline (the points of its upper line),
    // closed through closingPoint, in the chart's colours for the shape.
    QAreaSeries* addFilled(const QString& name, const QColor& colour, QPointF closingPoint);

    // Where the chart's plot area lies, in the view's coordinates.
    QRectF plotRect() const { return m_plot; }
    // Draws the series into a painter set to the view's coordinates
    // (printing).
    void drawSeries(QPainter& p) const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    struct Drawn
    {
        QXYSeries* line = nullptr;   // a line, or the upper line of a shape
        QAreaSeries* area = nullptr; // the shape, if it is one
        // Where the chart would place the points, in the plot area.
        QList<QPointF> points;
        QList<QPointF> closing; // the lower line of a shape
        QRect bounds;           // the pixels it may touch, in the view's coordinates
    };

    void watch(int index);
    void relayout();
    QRectF plotRectNow() const;
    bool fillInside(QPainter& p, QGraphicsItem* item, const QRect& dirty,
                    const QTransform& toView) const;
    void drawBeneath(QPainter& p, const QRect& dirty) const;
    void seriesChanged(int index);
    void place(Drawn& d) const;
    static qreal reach(const Drawn& d);
    QPainterPath shapeOf(const Drawn& d) const;
    QRect pixelsOf(QRectF plotRect, qreal reach) const;

    QChartView* m_view;
    QChart* m_chart;
    QValueAxis* m_x;
    QValueAxis* m_y;
    QRectF m_plot; // the plot area, in the view's coordinates
    QPointF m_itemPos; // where the chart places its series items, in its own coordinates
    QList<Drawn> m_drawn;
    bool m_relayoutDue = false;
};
