#include "tavr1/Tavr1_BarChart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QFontDatabase>
#include <QGraphicsLayout>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QLegendMarker>
#include <QValueAxis>

namespace {

// The chart lays its plot out around the row's name and the legend. Both are
// drawn as rich text in a fixed-pitch font; padded to one length with
// non-breaking blanks (which rich text keeps) they take the same room in every
// row, so the scales of a window line up.
constexpr int leftTitleLength = 7;
constexpr int legendTitleLength = 13;

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

    QLegend* legend = chart->legend();
    legend->setAlignment(Qt::AlignRight);
    legend->setLabelColor(Qt::white);
    legend->setFont(bold);
    legend->setMarkerShape(QLegend::MarkerShapeRectangle);

    setChart(chart);
    setRenderHint(QPainter::Antialiasing, false);
    setBackgroundBrush(Qt::black);
    setFrameShape(QFrame::NoFrame);
}

void TTavr1BarChart::setValueAxis(double min, double max, double increment)
{
    m_valueAxis->setRange(min, max);
    m_valueAxis->setTickType(QValueAxis::TicksDynamic);
    m_valueAxis->setTickAnchor(0);
    m_valueAxis->setTickInterval(increment);
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
        set->replace(0, value);
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
    m_sets[bar]->setLabel(title);
    const QList<QLegendMarker*> markers = chart()->legend()->markers(m_series);
    if (QLegendMarker* m = markers.value(bar))
        m->setLabel(shownText(title, legendTitleLength, false));
}
