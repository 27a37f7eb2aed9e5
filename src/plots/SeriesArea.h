#pragma once

#include <QList>
#include <QPixmap>
#include <QRectF>
#include <QWidget>

class QAreaSeries;
class QChartView;
class QValueAxis;
class QXYSeries;

// The plot area of a chart whose line and filled series are drawn by a
// widget of its own laid over the chart's, as the chart would draw them. The
// series are not the chart's, which keeps its axes, grid, frame and labels,
// things that change rarely.
//
// A series of the chart that changes with every block is laid out again as a
// whole: its outline stroked into a shape, its bounds handed to the scene's
// index, the plot area repainted through every item beneath it. Here a new
// trace costs the trace: what the chart draws beneath the series is kept as
// a picture, taken again only when the scene changes there, and each repaint
// lays that picture down and draws the series over it.
class TSeriesArea : public QWidget
{
    Q_OBJECT
public:
    // The series are drawn against x and y, which must be axes of the view's chart.
    TSeriesArea(QChartView* view, QValueAxis* x, QValueAxis* y);

    // Drawn in the order added, as the chart stacks series added in that
    // order. Any change of a series' points, pens, brush or visibility
    // repaints the area.
    void addLine(QXYSeries* series);
    void addFill(QAreaSeries* series);

    // The chart's plot area, in the view's coordinates.
    QRectF plotRect() const { return m_plot; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct TItem
    {
        QXYSeries* line = nullptr;
        QAreaSeries* fill = nullptr;
    };

    void relayout();
    void sceneChanged(const QList<QRectF>& region);
    void watch(QXYSeries* series);
    void takeBeneath();
    // A series' points in the plot area's own coordinates, as the chart maps them.
    QList<QPointF> geometryPoints(const QXYSeries* series) const;
    void drawLine(QPainter& p, const QXYSeries* series) const;
    void drawFill(QPainter& p, const QAreaSeries* series) const;

    QChartView* m_view;
    QValueAxis* m_x;
    QValueAxis* m_y;
    QList<TItem> m_items;
    QRectF m_plot;
    QPointF m_itemPos; // where the chart would place its series, in the chart
    // What the chart draws under this area, and whether it is still so.
    QPixmap m_beneath;
    bool m_beneathValid = false;
};
