#include "plots/SeriesArea.h"

#include "plots/ChartMapping.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QValueAxis>
#include <QXYSeries>
#include <cmath>

namespace {

bool finite(const QPointF& p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

} // namespace

TSeriesArea::TSeriesArea(QChartView* view, QValueAxis* x, QValueAxis* y)
    : QWidget(view->viewport())
    , m_view(view)
    , m_x(x)
    , m_y(y)
{
    setObjectName("SeriesArea");
    // Opaque: a repaint here never reaches the chart beneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QChart* chart = view->chart();
    connect(chart, &QChart::plotAreaChanged, this, &TSeriesArea::relayout);
    // The view moves the chart to its place only after the chart laid out
    // its plot for the new size: the area follows once the view is done.
    view->installEventFilter(this);
    for (QValueAxis* a : {x, y})
        connect(a, &QValueAxis::rangeChanged, this, qOverload<>(&QWidget::update));
    if (QGraphicsScene* scene = chart->scene())
        connect(scene, &QGraphicsScene::changed, this, &TSeriesArea::sceneChanged);
    relayout();
}

void TSeriesArea::watch(QXYSeries* s)
{
    auto repaint = qOverload<>(&QWidget::update);
    connect(s, &QXYSeries::pointsReplaced, this, repaint);
    connect(s, &QXYSeries::pointReplaced, this, repaint);
    connect(s, &QXYSeries::pointAdded, this, repaint);
    connect(s, &QXYSeries::pointRemoved, this, repaint);
    connect(s, &QXYSeries::pointsRemoved, this, repaint);
    connect(s, &QXYSeries::penChanged, this, repaint);
    connect(s, &QXYSeries::colorChanged, this, repaint);
    connect(s, &QAbstractSeries::visibleChanged, this, repaint);
    connect(s, &QAbstractSeries::opacityChanged, this, repaint);
}

void TSeriesArea::addLine(QXYSeries* series)
{
    m_items.append({series, nullptr});
    watch(series);
    update();
}

void TSeriesArea::addFill(QAreaSeries* series)
{
    m_items.append({nullptr, series});
    auto repaint = qOverload<>(&QWidget::update);
    connect(series, &QAreaSeries::colorChanged, this, repaint);
    connect(series, &QAreaSeries::borderColorChanged, this, repaint);
    connect(series, &QAbstractSeries::visibleChanged, this, repaint);
    connect(series, &QAbstractSeries::opacityChanged, this, repaint);
    if (series->upperSeries())
        watch(series->upperSeries());
    if (series->lowerSeries())
        watch(series->lowerSeries());
    update();
}

void TSeriesArea::relayout()
{
    QChart* chart = m_view->chart();
    m_itemPos = chart->plotArea().topLeft();
    m_plot = m_view->viewportTransform().mapRect(chart->mapRectToScene(chart->plotArea()));
    // Every pixel a series may touch: the chart clips a line up to a pixel
    // past the plot area's right and bottom edges.
    const QRect covered =
        m_plot.isEmpty() ? QRect()
                         : m_plot.adjusted(-1, -1, 1, 1).toAlignedRect() & m_view->viewport()->rect();
    if (covered != geometry())
        setGeometry(covered);
    m_beneathValid = false;
    update();
}

bool TSeriesArea::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_view && e->type() == QEvent::Resize)
        QMetaObject::invokeMethod(this, &TSeriesArea::relayout, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, e);
}

void TSeriesArea::sceneChanged(const QList<QRectF>& region)
{
    const QTransform t = m_view->viewportTransform();
    for (const QRectF& r : region) {
        if (t.mapRect(r).intersects(QRectF(geometry()))) {
            m_beneathValid = false;
            update();
            return;
        }
    }
}

void TSeriesArea::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    // A page out of sight holds no picture.
    m_beneath = QPixmap();
    m_beneathValid = false;
}

void TSeriesArea::takeBeneath()
{
    const qreal dpr = devicePixelRatioF();
    if (m_beneath.size() != size() * dpr || m_beneath.devicePixelRatio() != dpr) {
        m_beneath = QPixmap(size() * dpr);
        m_beneath.setDevicePixelRatio(dpr);
    }
    // The view alone, without this area, as it paints itself on screen.
    m_view->viewport()->render(&m_beneath, QPoint(), QRegion(geometry()),
                               QWidget::DrawWindowBackground);
    m_beneathValid = true;
}

QList<QPointF> TSeriesArea::geometryPoints(const QXYSeries* series) const
{
    return TChartMapping::of(*m_x, *m_y, m_plot.size()).toPlot(series->points());
}

void TSeriesArea::drawLine(QPainter& p, const QXYSeries* series) const
{
    const QList<QPointF> points = geometryPoints(series);
    if (points.size() < 2)
        return;
    // The chart clips a line to its plot area widened to whole pixels on the
    // left and top and by up to a pixel on the right and bottom.
    QRectF clip(QPointF(0, 0), m_plot.size());
    const qreal x1 = m_itemPos.x() - int(m_itemPos.x());
    const qreal y1 = m_itemPos.y() - int(m_itemPos.y());
    const qreal x2 = (clip.width() + 0.5) - int(clip.width() + 0.5);
    const qreal y2 = (clip.height() + 0.5) - int(clip.height() + 0.5);
    clip.adjust(-x1, -y1, qMax(x1, x2), qMax(y1, y2));
    p.save();
    p.setClipRect(clip, Qt::IntersectClip);
    p.setPen(series->pen());
    p.setBrush(Qt::NoBrush);
    if (series->pen().style() == Qt::SolidLine) {
        // A point that is not finite leaves a gap: no segment reaches it.
        for (qsizetype i = 1; i < points.size(); ++i)
            if (finite(points[i - 1]) && finite(points[i]))
                p.drawLine(points[i - 1], points[i]);
    } else {
        QPainterPath path;
        bool open = false;
        for (const QPointF& pt : points) {
            if (!finite(pt))
                open = false;
            else if (!open) {
                path.moveTo(pt);
                open = true;
            } else {
                path.lineTo(pt);
            }
        }
        p.drawPath(path);
    }
    p.restore();
}

void TSeriesArea::drawFill(QPainter& p, const QAreaSeries* series) const
{
    const QXYSeries* upper = series->upperSeries();
    if (!upper)
        return;
    // The outline as the chart builds it: along the upper line, back along
    // the lower one (or down to the bottom of the plot), and closed. A point
    // that is not finite is passed over.
    QPainterPath path;
    for (const QPointF& pt : geometryPoints(upper)) {
        if (!finite(pt))
            continue;
        if (path.elementCount() == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    if (path.elementCount() == 0)
        return;
    if (const QXYSeries* lower = series->lowerSeries()) {
        const QList<QPointF> low = geometryPoints(lower);
        for (qsizetype i = low.size() - 1; i >= 0; --i)
            if (finite(low[i]))
                path.lineTo(low[i]);
    } else {
        const QPointF first = path.elementAt(0);
        const QPointF last = path.currentPosition();
        path.lineTo(last.x(), m_plot.height());
        path.lineTo(first.x(), m_plot.height());
    }
    path.closeSubpath();
    p.save();
    p.setClipRect(QRectF(QPointF(0, 0), m_plot.size()), Qt::IntersectClip);
    p.setPen(series->pen());
    p.setBrush(series->brush());
    p.drawPath(path);
    p.restore();
}

void TSeriesArea::paintEvent(QPaintEvent*)
{
    if (!m_beneathValid)
        takeBeneath();
    QPainter p(this);
    p.drawPixmap(0, 0, m_beneath);
    if (m_plot.isEmpty() || !(m_x->max() > m_x->min()) || !(m_y->max() > m_y->min()))
        return;
    // In the plot area's coordinates, as the chart places its series there.
    p.translate(-pos());
    p.translate(m_plot.topLeft());
    for (const TItem& item : std::as_const(m_items)) {
        const QAbstractSeries* s = item.line ? static_cast<QAbstractSeries*>(item.line)
                                             : static_cast<QAbstractSeries*>(item.fill);
        if (!s->isVisible())
            continue;
        p.setOpacity(s->opacity());
        if (item.line)
            drawLine(p, item.line);
        else
            drawFill(p, item.fill);
    }
}
