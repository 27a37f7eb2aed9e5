#pragma once

#include <QList>
#include <QRectF>
#include <QWidget>

class QAbstractBarSeries;
class QChartView;
class QValueAxis;

// The plot area of a chart of horizontal bars on one category, drawn by a
// widget of its own laid over the chart's: background, value grid and bars,
// as the chart would draw them. The series is not added to the chart, which
// keeps its axes, titles and labels, things that change rarely.
//
// Bars that move with every block were the dearest thing the program drew:
// the chart repaints its whole plot area for any bar that changes, each chart
// in a pass of its own, every item there walked again. This area repaints
// only the strip where a bar's end moved, in one opaque widget, and nothing
// beneath it is asked to draw.
class TBarRowArea : public QWidget
{
    Q_OBJECT
public:
    // The series' sets hold the values and colours; a change to any of them
    // repaints the strip it moved.
    TBarRowArea(QChartView* view, QAbstractBarSeries* series, QValueAxis* valueAxis);

    // Where each bar is drawn, in the view's coordinates; empty for a bar
    // that has no value or no length.
    QRectF barRect(int set) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void relayout();
    void barChanged(int set);
    QList<qreal> gridPositions() const;

    QChartView* m_view;
    QAbstractBarSeries* m_series;
    QValueAxis* m_valueAxis;
    QRectF m_plot; // the chart's plot area, in the view's coordinates
    QList<QRectF> m_shown;
};
