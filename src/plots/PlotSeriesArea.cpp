#include "plots/PlotSeriesArea.h"

#include "plots/ChartKit.h"
#include "plots/ChartMapping.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QGraphicsItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QStyleOptionGraphicsItem>
#include <QLineSeries>
#include <QPaintEvent>
#include <QPainterPath>
#include <QPainter>
#include <QValueAxis>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>

namespace {

bool finite(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// A changed region made of more rectangles than this is repainted as their
// bounding rectangle: a region of many costs more to work out than the
// pixels it spares.
constexpr int maxDirtyRects = 24;

} // namespace

TPlotSeriesArea::TPlotSeriesArea(QChartView* view, QValueAxis* x, QValueAxis* y)
    : QWidget(view->viewport())
    , m_view(view)
    , m_chart(view->chart())
    , m_x(x)
    , m_y(y)
{
    setObjectName("SeriesArea");
    // Opaque: a repaint here never reaches the chart beneath, which this
    // area asks for the pixels it needs.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(m_chart, &QChart::plotAreaChanged, this, &TPlotSeriesArea::relayout);
    for (QValueAxis* axis : {x, y})
        connect(axis, &QValueAxis::rangeChanged, this, &TPlotSeriesArea::relayout);
    // The view places the chart anew when it is resized, after the chart
    // has laid itself out; the plot area is then found where it went.
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    relayout();
    show();
}

bool TPlotSeriesArea::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::Resize && !m_relayoutDue) {
        m_relayoutDue = true;
        QMetaObject::invokeMethod(this, &TPlotSeriesArea::relayout, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, e);
}

QLineSeries* TPlotSeriesArea::addLine(const QString& name, const QColor& colour)
{
    // The twin takes the legend entry and the chart's look for a line.
    QLineSeries* twin = addLineSeries(m_chart, name, colour, m_x, m_y);
    auto* line = new QLineSeries(this);
    line->setName(name);
    line->setPen(twin->pen());
    m_drawn.append({line, nullptr, {}, {}, {}});
    watch(int(m_drawn.size()) - 1);
    return line;
}

QAreaSeries* TPlotSeriesArea::addFilled(const QString& name, const QColor& colour, QPointF closingPoint)
{
    QAreaSeries* twin = addFilledSeries(m_chart, name, colour, m_x, m_y, closingPoint);
    QAreaSeries* area = newFilledSeries(closingPoint, this);
    area->setName(name);
    area->setPen(twin->pen());
    area->setBrush(twin->brush());
    m_drawn.append({area->upperSeries(), area, {}, {}, {}});
    watch(int(m_drawn.size()) - 1);
    return area;
}

void TPlotSeriesArea::watch(int index)
{
    Drawn& d = m_drawn[index];
    auto changed = [this, index] { seriesChanged(index); };
    QList<QXYSeries*> lines{d.line};
    if (d.area && d.area->lowerSeries())
        lines << d.area->lowerSeries();
    for (QXYSeries* s : lines) {
        connect(s, &QXYSeries::pointsReplaced, this, changed);
        connect(s, &QXYSeries::pointReplaced, this, changed);
        connect(s, &QXYSeries::pointAdded, this, changed);
        connect(s, &QXYSeries::pointRemoved, this, changed);
        connect(s, &QXYSeries::pointsRemoved, this, changed);
    }
    // A new colour or pen: the whole area, as rarely as that happens.
    if (d.area) {
        connect(d.area, &QAreaSeries::colorChanged, this, qOverload<>(&QWidget::update));
        connect(d.area, &QAreaSeries::borderColorChanged, this, qOverload<>(&QWidget::update));
    } else {
        connect(d.line, &QXYSeries::penChanged, this, qOverload<>(&QWidget::update));
    }
    place(d);
    update();
}

namespace {

// The corners of a series' outline in drawing order: a line's points, or a
// shape's outline and then its lower line backwards, the last corner joined
// to the first.
QList<QPointF> corners(const QList<QPointF>& points, const QList<QPointF>& closing)
{
    QList<QPointF> all = points;
    for (qsizetype i = closing.size() - 1; i >= 0; --i)
        all << closing[i];
    return all;
}

QPainterPath pathThrough(const QList<QPointF>& points)
{
    QPainterPath path;
    bool started = false;
    for (const QPointF& p : points) {
        // A point that is not finite is left out, as a path leaves it out.
        if (!finite(p))
            continue;
        if (started)
            path.lineTo(p);
        else
            path.moveTo(p);
        started = true;
    }
    return path;
}

// The rectangle round the finite points taken; empty if none is.
class TFiniteBounds
{
public:
    void take(QPointF p)
    {
        if (!finite(p))
            return;
        m_left = m_any ? std::min(m_left, p.x()) : p.x();
        m_right = m_any ? std::max(m_right, p.x()) : p.x();
        m_top = m_any ? std::min(m_top, p.y()) : p.y();
        m_bottom = m_any ? std::max(m_bottom, p.y()) : p.y();
        m_any = true;
    }
    bool any() const { return m_any; }
    qreal left() const { return m_left; }
    qreal right() const { return m_right; }
    QRectF rect() const
    {
        return m_any ? QRectF(QPointF(m_left, m_top), QPointF(m_right, m_bottom)) : QRectF();
    }

private:
    bool m_any = false;
    qreal m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
};

QRectF around(std::initializer_list<QPointF> points)
{
    TFiniteBounds b;
    for (const QPointF& p : points)
        b.take(p);
    return b.rect();
}

} // namespace

QPainterPath TPlotSeriesArea::shapeOf(const Drawn& d) const
{
    // The outline, then back along the lower line, closed: the chart's shape
    // of a filled series.
    QPainterPath path = pathThrough(d.points);
    if (!d.closing.isEmpty()) {
        path.connectPath(pathThrough(d.closing).toReversed());
    } else if (!path.isEmpty()) {
        const QPointF first = path.pointAtPercent(0);
        const QPointF last = path.pointAtPercent(1);
        path.lineTo(last.x(), m_plot.height());
        path.lineTo(first.x(), m_plot.height());
    }
    path.closeSubpath();
    return path;
}

qreal TPlotSeriesArea::reach(const Drawn& d)
{
    const QPen pen = d.area ? d.area->pen() : d.line->pen();
    return std::max<qreal>(pen.widthF(), 1) + 2;
}

QRect TPlotSeriesArea::pixelsOf(QRectF plotRect, qreal reach) const
{
    // Inside the plot area, give or take a pen's reach; in the view's
    // coordinates.
    const QRectF r = plotRect.translated(m_plot.topLeft()).adjusted(-reach, -reach, reach, reach);
    return (r & m_plot.adjusted(-reach, -reach, reach, reach)).toAlignedRect();
}

void TPlotSeriesArea::place(Drawn& d) const
{
    const TChartMapping m = TChartMapping::of(*m_x, *m_y, m_plot.size());
    d.points = m.toPlot(d.line->points());
    d.closing.clear();
    if (d.area && d.area->lowerSeries())
        d.closing = m.toPlot(d.area->lowerSeries()->points());
    // Round every corner, and for a shape without a lower line the foot of
    // the plot area it is closed along.
    TFiniteBounds b;
    for (const QPointF& p : d.points)
        b.take(p);
    for (const QPointF& p : d.closing)
        b.take(p);
    if (d.area && d.closing.isEmpty() && b.any()) {
        b.take({b.left(), m_plot.height()});
        b.take({b.right(), m_plot.height()});
    }
    d.bounds = d.points.isEmpty() || !b.any() ? QRect() : pixelsOf(b.rect(), reach(d));
}

QRectF TPlotSeriesArea::plotRectNow() const
{
    return m_view->viewportTransform().mapRect(m_chart->mapRectToScene(m_chart->plotArea()));
}

void TPlotSeriesArea::relayout()
{
    m_relayoutDue = false;
    m_itemPos = m_chart->plotArea().topLeft();
    m_plot = plotRectNow();
    // A pixel to spare on every side: the chart's series may reach a pixel
    // past the plot area's edge, and what lies there comes from the chart.
    const QRect area = m_plot.toAlignedRect().adjusted(-1, -1, 1, 1) & m_view->viewport()->rect();
    setGeometry(m_plot.isEmpty() ? QRect() : area);
    for (Drawn& d : m_drawn)
        place(d);
    update();
}

void TPlotSeriesArea::seriesChanged(int index)
{
    if (index >= m_drawn.size())
        return;
    Drawn& d = m_drawn[index];
    const QList<QPointF> before = corners(d.points, d.closing);
    const QRect beforeBounds = d.bounds;
    place(d);
    const QList<QPointF> after = corners(d.points, d.closing);
    if (before == after)
        return;
    QRegion dirty = QRegion(beforeBounds) + QRegion(d.bounds);
    if (before.size() == after.size() && !d.points.isEmpty()) {
        // Only where an edge moved: an edge sweeps no pixel outside the
        // rectangle round its ends before and after, neither of a line nor
        // of a fill, give or take the pen.
        const bool closed = d.area != nullptr;
        const qsizetype n = after.size();
        const qsizetype edges = closed ? n : n - 1;
        QRegion moved;
        int rects = 0;
        for (qsizetype i = 0; i < edges && rects <= maxDirtyRects; ++i) {
            const qsizetype j = (i + 1) % n;
            if (before[i] == after[i] && before[j] == after[j])
                continue;
            moved += pixelsOf(around({before[i], before[j], after[i], after[j]}), reach(d));
            ++rects;
        }
        if (rects <= maxDirtyRects)
            dirty = moved;
    }
    update(dirty.translated(-pos()));
}

void TPlotSeriesArea::drawSeries(QPainter& p) const
{
    const QSizeF size = m_plot.size();
    for (const Drawn& d : m_drawn) {
        if (d.points.isEmpty())
            continue;
        p.save();
        // In the plot area's coordinates, as the chart's series items paint.
        p.translate(m_plot.topLeft());
        if (d.area) {
            p.setPen(d.area->pen());
            p.setBrush(d.area->brush());
            p.setClipRect(QRectF(QPointF(0, 0), size), Qt::IntersectClip);
            p.drawPath(shapeOf(d));
        } else {
            // The chart takes its clip half a pixel further where the plot
            // area's edges fall between pixels, so a line along an edge shows.
            QRectF clip(QPointF(0, 0), size);
            const qreal x1 = m_itemPos.x() - int(m_itemPos.x());
            const qreal y1 = m_itemPos.y() - int(m_itemPos.y());
            const qreal x2 = (clip.width() + 0.5) - int(clip.width() + 0.5);
            const qreal y2 = (clip.height() + 0.5) - int(clip.height() + 0.5);
            clip.adjust(-x1, -y1, std::max(x1, x2), std::max(y1, y2));
            p.setClipRect(clip, Qt::IntersectClip);
            p.setPen(d.line->pen());
            QVarLengthArray<QLineF, 256> segments;
            segments.reserve(d.points.size());
            for (qsizetype i = 1; i < d.points.size(); ++i) {
                // A point that is not finite breaks the line.
                if (finite(d.points[i - 1]) && finite(d.points[i]))
                    segments.append(QLineF(d.points[i - 1], d.points[i]));
            }
            p.drawLines(segments.constData(), int(segments.size()));
        }
        p.restore();
    }
}

void TPlotSeriesArea::paintEvent(QPaintEvent* e)
{
    if (m_relayoutDue || plotRectNow() != m_plot) {
        // Painted before the area followed the chart: this paint would be in
        // the wrong place, the next one is not.
        relayout();
        return;
    }
    QPainter p(this);
    p.setRenderHints(m_view->renderHints());
    const QRect dirty = e->region().boundingRect();
    p.translate(-pos());
    drawBeneath(p, dirty.translated(pos()));
    drawSeries(p);
}

bool TPlotSeriesArea::fillInside(QPainter& p, QGraphicsItem* item, const QRect& dirty,
                                 const QTransform& toView) const
{
    // The chart's background is a rectangle with rounded corners and a
    // gradient, which as a path costs a dozen times what its brush alone
    // does; well inside its edge, where the plot area lies, it is its brush.
    // The whole rectangle is filled, clipped to what is repainted, so a
    // brush spread over the rectangle is spread the same.
    auto* box = qgraphicsitem_cast<QGraphicsRectItem*>(item);
    if (!box)
        return false;
    const qreal edge = box->pen().widthF() + m_chart->backgroundRoundness() + 2;
    const QRectF inside = box->rect().adjusted(edge, edge, -edge, -edge);
    const QRectF dirtyInItem = (box->sceneTransform() * toView).inverted().mapRect(QRectF(dirty));
    if (!inside.contains(dirtyInItem))
        return false;
    p.fillRect(box->rect(), box->brush());
    return true;
}

void TPlotSeriesArea::drawBeneath(QPainter& p, const QRect& dirty) const
{
    // What the chart draws here beneath the series, each item as the view
    // would paint it: the background, the grid and the axis lines. Text is
    // left out: no label reaches into the plot area, and a label's box that
    // touches it would be laid out and drawn whole for nothing.
    const QTransform toView = m_view->viewportTransform();
    const QTransform base = p.worldTransform();
    const QList<QGraphicsItem*> items = m_view->scene()->items(
        toView.inverted().mapRect(QRectF(dirty)), Qt::IntersectsItemBoundingRect, Qt::AscendingOrder);
    QStyleOptionGraphicsItem option;
    option.palette = m_view->palette();
    for (QGraphicsItem* item : items) {
        if (!item->isVisible() || item->effectiveOpacity() <= 0 ||
            dynamic_cast<QGraphicsTextItem*>(item) || dynamic_cast<QGraphicsSimpleTextItem*>(item))
            continue;
        p.save();
        p.setWorldTransform(item->sceneTransform() * toView * base);
        p.setOpacity(item->effectiveOpacity());
        if (fillInside(p, item, dirty, toView)) {
            p.restore();
            continue;
        }
        option.rect = item->boundingRect().toAlignedRect();
        option.exposedRect = item->boundingRect();
        item->paint(&p, &option, m_view->viewport());
        p.restore();
    }
}
