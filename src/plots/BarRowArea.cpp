#include "plots/BarRowArea.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QPaintEvent>
#include <QPainter>
#include <QValueAxis>
#include <cmath>
#include <optional>

namespace {

// Pixels a bar's outline may reach beyond its rectangle, on either side.
constexpr int outlineReach = 2;

QRect outerPixels(const QRectF& r)
{
    if (r.isEmpty())
        return {};
    return r.toAlignedRect().adjusted(-outlineReach, -outlineReach, outlineReach, outlineReach);
}

// The pixels sure to be the bar's fill, whatever its outline does.
QRect innerPixels(const QRectF& r)
{
    const QRectF inner = r.adjusted(outlineReach, outlineReach, -outlineReach, -outlineReach);
    if (inner.width() <= 0 || inner.height() <= 0)
        return {};
    return QRect(QPoint(int(std::ceil(inner.left())), int(std::ceil(inner.top()))),
                 QPoint(int(std::floor(inner.right())) - 1, int(std::floor(inner.bottom())) - 1));
}

// A bar outlined in its own colour by a pen one pixel wide is a block of
// solid pixels, from the pixel each left or top edge lies in to the pixel
// each right or bottom edge lies in, as the raster engine strokes it. Filled
// as such, the bar costs a rectangle fill rather than a fill and a stroke.
std::optional<QRect> solidPixels(const QRectF& r, const QPen& pen, const QBrush& brush)
{
    if (brush.style() != Qt::SolidPattern || pen.style() != Qt::SolidLine ||
        pen.brush().style() != Qt::SolidPattern || pen.color() != brush.color() ||
        pen.widthF() != 1 || !brush.color().isValid() || brush.color().alpha() != 255)
        return std::nullopt;
    auto edge = [](qreal v) { return int(std::floor(v)); };
    return QRect(QPoint(edge(r.left()), edge(r.top())), QPoint(edge(r.right()), edge(r.bottom())));
}

} // namespace

TBarRowArea::TBarRowArea(QChartView* view, QAbstractBarSeries* series, QValueAxis* valueAxis)
    : QWidget(view->viewport())
    , m_view(view)
    , m_series(series)
    , m_valueAxis(valueAxis)
{
    setObjectName("BarArea");
    // Opaque: a repaint here never reaches the chart beneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);

    const QList<QBarSet*> sets = series->barSets();
    m_shown.resize(sets.size());
    for (int i = 0; i < sets.size(); ++i) {
        QBarSet* set = sets[i];
        auto changed = [this, i] { barChanged(i); };
        connect(set, &QBarSet::valueChanged, this, changed);
        connect(set, &QBarSet::valuesAdded, this, changed);
        connect(set, &QBarSet::valuesRemoved, this, changed);
        // Colour or outline: the whole area, as rarely as that happens.
        connect(set, &QBarSet::penChanged, this, qOverload<>(&QWidget::update));
        connect(set, &QBarSet::brushChanged, this, qOverload<>(&QWidget::update));
    }
    QChart* chart = view->chart();
    connect(chart, &QChart::plotAreaChanged, this, &TBarRowArea::relayout);
    // The view moves the chart to its place only after the chart laid out
    // its plot for the new size: the bars follow once the view is done.
    view->installEventFilter(this);
    connect(valueAxis, &QValueAxis::rangeChanged, this, &TBarRowArea::relayout);
    connect(valueAxis, &QValueAxis::tickIntervalChanged, this, &TBarRowArea::relayout);
    connect(valueAxis, &QValueAxis::tickAnchorChanged, this, &TBarRowArea::relayout);
    connect(valueAxis, &QValueAxis::tickTypeChanged, this, &TBarRowArea::relayout);
    connect(valueAxis, &QValueAxis::gridLinePenChanged, this, qOverload<>(&QWidget::update));
    relayout();
}

QRectF TBarRowArea::barRect(int set) const
{
    QBarSet* s = m_series->barSets().value(set);
    const double min = m_valueAxis->min();
    const double max = m_valueAxis->max();
    if (!s || s->count() == 0 || m_plot.isEmpty() || !(max > min) || !std::isfinite(s->at(0)))
        return {};
    // As the chart lays out its bars: from 0 to the value, each set a slice
    // of the category's width, the first at the bottom.
    const int sets = int(m_series->count());
    const double width = m_series->barWidth();
    const double low = -width / 2 + double(set) / sets * width;
    const double high = -width / 2 + double(set + 1) / sets * width;
    auto x = [&](double v) { return m_plot.left() + (v - min) * m_plot.width() / (max - min); };
    auto y = [&](double c) { return m_plot.bottom() - (c + 0.5) * m_plot.height(); };
    const QRectF r = QRectF(QPointF(x(0), y(high)), QPointF(x(s->at(0)), y(low))).normalized();
    if (!(r.width() > 0) || !(r.height() > 0))
        return {};
    return r;
}

QList<qreal> TBarRowArea::gridPositions() const
{
    QList<qreal> xs;
    const double min = m_valueAxis->min();
    const double max = m_valueAxis->max();
    if (!(max > min) || !m_valueAxis->isGridLineVisible())
        return xs;
    const double scale = m_plot.width() / (max - min);
    auto add = [&](double v) { xs << m_plot.left() + (v - min) * scale; };
    if (m_valueAxis->tickType() == QValueAxis::TicksDynamic) {
        const double interval = m_valueAxis->tickInterval();
        if (!(interval > 0) || (max - min) / interval > 1000)
            return xs;
        const double anchor = m_valueAxis->tickAnchor();
        for (double v = anchor - std::floor((anchor - min) / interval) * interval; v <= max;
             v += interval)
            add(v);
    } else {
        const int count = m_valueAxis->tickCount();
        for (int i = 0; i < count && count > 1; ++i)
            add(min + i * (max - min) / (count - 1));
    }
    return xs;
}

bool TBarRowArea::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_view && e->type() == QEvent::Resize)
        QMetaObject::invokeMethod(this, &TBarRowArea::relayout, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, e);
}

void TBarRowArea::relayout()
{
    QChart* chart = m_view->chart();
    m_plot = m_view->viewportTransform().mapRect(chart->mapRectToScene(chart->plotArea()));
    // The pixels inside the axis lines, which the chart draws on the area's
    // left and bottom edges and keeps.
    const QRect inside(QPoint(int(std::floor(m_plot.left())) + 1, int(std::floor(m_plot.top())) + 1),
                       QPoint(int(std::ceil(m_plot.right())) - 1,
                              int(std::floor(m_plot.bottom())) - 1));
    setGeometry(inside.isValid() ? inside : QRect());
    for (int i = 0; i < m_shown.size(); ++i)
        m_shown[i] = barRect(i);
    update();
}

void TBarRowArea::barChanged(int set)
{
    if (set >= m_shown.size())
        return;
    const QRectF before = m_shown[set];
    const QRectF after = barRect(set);
    if (after == before)
        return;
    m_shown[set] = after;
    // Only where either outline lies and not where both are solid fill: for
    // a bar that grew or shrank, the strip between its two ends.
    QRegion changed = QRegion(outerPixels(before)) + QRegion(outerPixels(after));
    const QRect solidBefore = innerPixels(before);
    const QRect solidAfter = innerPixels(after);
    if (!solidBefore.isEmpty() && !solidAfter.isEmpty())
        changed -= QRegion(solidBefore & solidAfter);
    update(changed.translated(-pos()));
}

void TBarRowArea::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    // In the view's coordinates, moved by whole pixels, so every edge falls
    // on the pixel the chart would have drawn it on.
    p.translate(-pos());
    const QRect dirty = e->region().boundingRect().translated(pos());
    p.fillRect(dirty, m_view->chart()->backgroundBrush());

    p.setPen(m_valueAxis->gridLinePen());
    for (qreal x : gridPositions()) {
        if (x >= dirty.left() - 1 && x <= dirty.right() + 1)
            p.drawLine(QLineF(x, m_plot.top(), x, m_plot.bottom()));
    }

    p.setClipRect(m_plot, Qt::IntersectClip);
    const QList<QBarSet*> sets = m_series->barSets();
    for (int i = 0; i < sets.size() && i < m_shown.size(); ++i) {
        if (!outerPixels(m_shown[i]).intersects(dirty))
            continue;
        const QPen pen = sets[i]->pen();
        const QBrush brush = sets[i]->brush();
        if (const std::optional<QRect> solid = solidPixels(m_shown[i], pen, brush)) {
            p.fillRect(*solid, brush.color());
        } else {
            p.setPen(pen);
            p.setBrush(brush);
            p.drawRect(m_shown[i]);
        }
    }
}
