#include "plots/PlotChartView.h"

#include "plots/PlotSeriesArea.h"

#include <QGraphicsScene>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <algorithm>

PlotChartView::PlotChartView(QChart* chart, QWidget* parent)
    : QChartView(chart, parent)
{
    // The base's own rubber band would zoom the chart itself, past the
    // window's limits; this view draws its own and only reports.
    setRubberBand(QChartView::NoRubberBand);
    setRenderHint(QPainter::Antialiasing, false);
    // A chart's items move and are made anew with every change of an axis;
    // the scene's index of them would be rebuilt as often, and it costs
    // more to keep than the hundred or so items cost to look through.
    scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
    m_band = new QRubberBand(QRubberBand::Rectangle, viewport());
    m_band->hide();
}

QPointF PlotChartView::valueAt(const QPoint& viewportPos) const
{
    const QPointF scenePos = mapToScene(viewportPos);
    return chart()->mapToValue(chart()->mapFromScene(scenePos));
}

void PlotChartView::renderTo(QPainter& painter, const QRectF& target)
{
    const QRect source = viewport()->rect();
    render(&painter, target, source);
    // The series drawn over the chart, scaled as the chart was: to fit, kept
    // in proportion, from the target's corner.
    const qreal scale =
        std::min(target.width() / source.width(), target.height() / source.height());
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    painter.translate(-source.topLeft());
    for (const TPlotSeriesArea* area : viewport()->findChildren<TPlotSeriesArea*>(Qt::FindDirectChildrenOnly))
        area->drawSeries(painter);
    painter.restore();
}

bool PlotChartView::beyondThreshold(const QPoint& p) const
{
    const QPoint d = p - m_pressPos;
    return qAbs(d.x()) >= DragThreshold || qAbs(d.y()) >= DragThreshold;
}

void PlotChartView::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) {
        QGraphicsView::mousePressEvent(e);
        return;
    }
    m_button = e->button();
    m_pressPos = e->position().toPoint();
    m_lastPos = m_pressPos;
    m_dragging = false;
    e->accept();
}

void PlotChartView::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    if (m_button == Qt::NoButton) {
        QGraphicsView::mouseMoveEvent(e);
        return;
    }
    if (!m_dragging && !beyondThreshold(pos)) {
        e->accept();
        return;
    }
    m_dragging = true;
    if (m_button == Qt::LeftButton) {
        m_band->setGeometry(QRect(m_pressPos, pos).normalized());
        // Above the areas laid over the chart.
        m_band->raise();
        m_band->show();
    } else {
        const QPointF delta = valueAt(m_lastPos) - valueAt(pos);
        m_lastPos = pos;
        if (!delta.isNull())
            emit scrollRequested(delta);
    }
    e->accept();
}

void PlotChartView::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != m_button) {
        QGraphicsView::mouseReleaseEvent(e);
        return;
    }
    const QPoint pos = e->position().toPoint();
    const Qt::MouseButton button = m_button;
    const bool dragged = m_dragging || beyondThreshold(pos);
    m_button = Qt::NoButton;
    m_dragging = false;
    m_band->hide();
    e->accept();

    if (button == Qt::RightButton) {
        if (!dragged)
            emit undoZoomRequested();
        return;
    }
    if (!dragged)
        return;
    if (pos.x() > m_pressPos.x() && pos.y() > m_pressPos.y())
        emit zoomRequested(QRectF(valueAt(m_pressPos), valueAt(pos)).normalized());
    else
        emit undoZoomRequested();
}

void PlotChartView::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        e->accept();
        emit doubleClicked();
        return;
    }
    QGraphicsView::mouseDoubleClickEvent(e);
}
