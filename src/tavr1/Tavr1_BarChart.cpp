#include "tavr1/Tavr1_BarChart.h"

#include "plots/ChartKit.h"
#include "widgets/SetIfChanged.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QFontDatabase>
#include <QGraphicsLayout>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QLegendMarker>
#include <QValueAxis>
#include <cmath>

namespace {

// The chart lays its plot out around the row's name and the legend. Both are
// drawn as rich text in a fixed-pitch font; padded to one length with
// non-breaking blanks (which rich text keeps) they take the same room in every
// row, so the scales of a window line up.
constexpr int leftTitleLength = 7;
constexpr int legendTitleLength = 13;
// Room the plot leaves beside the legend (which has margins of its own).
constexpr int legendGap = 4;

QString shownText(QString text, int length, bool alignRight)
{
    text = alignRight ? text.rightJustified(length) : text.leftJustified(length);
    text.replace(QLatin1Char(' '), QChar(0x00A0));
    return text;
}

} // namespace

TTavr1BarChart::TTavr1BarChart(const QString& leftTitle, const QList<QColor>& colours,
                               QWidget* parent)
    : QChartView(parent)
{
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundBrush(Qt::black);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);

    m_series = new QHorizontalBarSeries(chart);
    m_series->setBarWidth(0.9);
    for (const QColor& colour : colours) {
        auto* set = new QBarSet(QString(), m_series);
        set->setColor(colour);
        set->setBorderColor(colour);
        m_series->append(set);
        m_sets << set;
    }
    chart->addSeries(m_series);

    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(9);
    QFont bold = font;
    bold.setBold(true);

    // The row's name reads across, beside its bars.
    m_leftAxis = new QBarCategoryAxis(chart);
    m_leftAxis->append(shownText(leftTitle, leftTitleLength, true));
    m_leftAxis->setLabelsColor(Qt::white);
    m_leftAxis->setLabelsFont(bold);
    m_leftAxis->setGridLineVisible(false);
    m_leftAxis->setLinePenColor(Qt::gray);
    chart->addAxis(m_leftAxis, Qt::AlignLeft);
    m_series->attachAxis(m_leftAxis);

    m_valueAxis = new QValueAxis(chart);
    m_valueAxis->setLabelsColor(Qt::white);
    m_valueAxis->setLabelsFont(font);
    m_valueAxis->setLabelFormat("%.0f");
    m_valueAxis->setGridLineColor(QColor(64, 64, 64));
    m_valueAxis->setLinePenColor(Qt::gray);
    chart->addAxis(m_valueAxis, Qt::AlignBottom);
    m_series->attachAxis(m_valueAxis);
    useHairlines(m_leftAxis);
    useHairlines(m_valueAxis);

    QLegend* legend = chart->legend();
    legend->setAlignment(Qt::AlignRight);
    legend->setLabelColor(Qt::white);
    legend->setFont(bold);
    legend->setMarkerShape(QLegend::MarkerShapeRectangle);
    // The legend carries the readings, so its labels change with every block.
    // Attached, each change lays the whole chart out again, axes and all;
    // detached, only the legend is laid out, and the chart keeps room for it
    // at its right edge (placeLegend).
    legend->detachFromChart();
    legend->setBackgroundVisible(false);

    // The view made a chart of its own and lets go of it here without
    // deleting it: every bar-graph window opened would leak one.
    QChart* made = this->chart();
    setChart(chart);
    delete made;
    setRenderHint(QPainter::Antialiasing, false);
    setBackgroundBrush(Qt::black);
    setFrameShape(QFrame::NoFrame);
}

void TTavr1BarChart::setValueAxis(double min, double max, double increment)
{
    setRangeIfChanged(m_valueAxis, min, max);
    m_valueAxis->setTickType(QValueAxis::TicksDynamic);
    m_valueAxis->setTickAnchor(0);
    setIfChanged(
        increment, [&] { return m_valueAxis->tickInterval(); },
        [&](double i) { m_valueAxis->setTickInterval(i); });
}

void TTavr1BarChart::setBar(int bar, double value, const QString& title)
{
    QBarSet* set = m_sets.value(bar);
    if (!set)
        return;
    // A reading that did not change costs nothing: no repaint, no relayout.
    if (set->count() == 1 && set->at(0) == value && set->label() == title)
        return;
    if (set->count() == 0)
        set->append(value);
    else
        setIfChanged(
            value, [&] { return set->at(0); }, [&](double v) { set->replace(0, v); });
    setLegendTitle(bar, title);
}

void TTavr1BarChart::setTitleOnly(int bar, const QString& title)
{
    QBarSet* set = m_sets.value(bar);
    if (!set)
        return;
    if (set->count() > 0)
        set->remove(0, set->count());
    setLegendTitle(bar, title);
}

// The set keeps the title as written; its legend entry shows it padded.
void TTavr1BarChart::setLegendTitle(int bar, const QString& title)
{
    QBarSet* set = m_sets[bar];
    if (!setIfChanged(
            title, [&] { return set->label(); }, [&](const QString& t) { set->setLabel(t); }))
        return;
    const QList<QLegendMarker*> markers = chart()->legend()->markers(m_series);
    if (QLegendMarker* m = markers.value(bar))
        m->setLabel(shownText(title, legendTitleLength, false));
    // The padded titles keep one width; only a longer one moves the legend.
    if (title.size() > m_longestTitle) {
        m_longestTitle = int(title.size());
        placeLegend();
    }
}

void TTavr1BarChart::resizeEvent(QResizeEvent* e)
{
    QChartView::resizeEvent(e);
    placeLegend();
}

// The legend at the chart's right edge, its entries centred in the chart's
// height, and the plot kept clear of it, as an attached legend would lie.
void TTavr1BarChart::placeLegend()
{
    QChart* c = chart();
    QLegend* legend = c->legend();
    const qreal width = legend->effectiveSizeHint(Qt::PreferredSize).width();
    const QMargins margins = c->margins();
    const int reserved = int(std::ceil(width)) + legendGap;
    if (margins.right() != reserved)
        c->setMargins(QMargins(margins.left(), margins.top(), reserved, margins.bottom()));
    // Laid out over the whole height first, the entries show how much of it
    // they take (with the legend's own margin above and below them); then the
    // legend moves down by half of what is left. It keeps the whole height,
    // so no entry is ever pushed into a second column.
    const QSizeF size = c->size();
    const qreal x = size.width() - width;
    legend->setGeometry(QRectF(x, 0, width, size.height()));
    legend->layout()->activate();
    const QRectF entries = legend->childrenBoundingRect();
    const qreal top = std::max<qreal>(0, (size.height() - entries.height()) / 2 - entries.top());
    if (top > 0)
        legend->setGeometry(QRectF(x, top, width, size.height()));
}
