#pragma once

#include <QChartView>
#include <QPoint>
#include <QPointF>
#include <QRectF>

class QRubberBand;

// The chart view of every plot window. It keeps the mouse to itself and tells
// the window what the user asked for, in the chart's value coordinates; the
// window decides what its axes do.
//
// - Left-drag down and to the right: zoomRequested(the dragged rectangle).
// - Left-drag in any other direction, or a right-click: undoZoomRequested.
// - Right-drag: scrollRequested(the values moved) at every step, so the
//   window can refuse a step that leaves its limits.
// - Double-click: doubleClicked.
class PlotChartView : public QChartView
{
    Q_OBJECT
public:
    explicit PlotChartView(QChart* chart, QWidget* parent = nullptr);

    // The chart value under a point of the viewport.
    QPointF valueAt(const QPoint& viewportPos) const;
    // Draws the whole chart into target (printing).
    void renderTo(QPainter& painter, const QRectF& target);

    // Movement below this many pixels is a click, not a drag.
    static constexpr int DragThreshold = 4;

signals:
    void zoomRequested(const QRectF& values);
    void undoZoomRequested();
    void scrollRequested(const QPointF& valueDelta);
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    bool beyondThreshold(const QPoint& p) const;

    QRubberBand* m_band = nullptr;
    Qt::MouseButton m_button = Qt::NoButton;
    QPoint m_pressPos;
    QPoint m_lastPos;
    bool m_dragging = false;
};
