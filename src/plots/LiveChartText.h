#pragma once

#include <QGraphicsTextItem>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>

class QAbstractAxis;
class QChart;

// A chart's title, or a horizontal axis's title, whose text changes every
// second (an elapsed time, a time stamp). Set on the chart, each new text
// lays the whole chart out again: every axis relabelled and the whole view
// repainted, for a few characters. Held here, the chart keeps a blank title
// of the same height in its layout, and an item of our own draws the text
// where the chart would draw it, in the chart's font and colour, so a new
// text repaints the text alone.
//
// The chart still draws what our item could not draw as it would: an empty
// text (which takes no room), a text too wide for the chart (which the chart
// shortens), a chart not yet laid out. Those go back to the chart itself.
class TLiveChartText : public QObject
{
    Q_OBJECT
public:
    // The chart's title, or with an axis (of the chart) the axis's title.
    explicit TLiveChartText(QChart* chart, QAbstractAxis* axis = nullptr);

    void setText(const QString& text);
    // The text shown, wherever it is drawn.
    const QString& text() const { return m_text; }
    // True while our item draws the text.
    bool drawnLive() const { return m_live; }

private:
    // The chart laid out anew: the text moves with its room, or goes back
    // to the chart when the room is too narrow for it.
    void follow();
    QString chartText() const;
    void setChartText(const QString& text);
    bool findChartItem();
    QRectF room() const;
    bool fits() const;
    // Our item hidden, the text set on the chart.
    void drawByChart();
    void place();

    QChart* m_chart;
    QAbstractAxis* m_axis = nullptr;
    // The chart's own item for the text, and ours beside it.
    QPointer<QGraphicsTextItem> m_chartItem;
    QPointer<QGraphicsTextItem> m_item;
    QString m_text;
    // What our item holds.
    QString m_shown;
    bool m_live = false;
};
