#include "tavr1/Tavr1_BarChart.h"

#include "plots/BarRowArea.h"
#include "plots/ChartKit.h"
#include "widgets/SetIfChanged.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QFontDatabase>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLegend>
#include <QPen>
#include <QValueAxis>
#include <algorithm>

namespace {

// The chart lays its plot out around the row's name, drawn as rich text in a
// fixed-pitch font; padded to one length with non-breaking blanks (which rich
// text keeps) it takes the same room in every row, so the scales of a window
// line up. The readouts beside the plot are plain-text labels of one fixed
// width for the same reason.
constexpr int leftTitleLength = 7;
constexpr int readoutLength = 13;
// Room the plot leaves beside the readouts, and their margin from the edge.
constexpr int readoutGap = 4;
constexpr int readoutMargin = 4;
constexpr int markerSize = 10;

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

    // The series holds the bars' values and colours but is not the chart's:
    // the bar area below draws it, and the chart is left with what changes
    // rarely (axes, grid, the row's name).
    m_series = new QHorizontalBarSeries(chart);
    m_series->setBarWidth(0.9);
    for (const QColor& colour : colours) {
        auto* set = new QBarSet(QString(), m_series);
        set->setColor(colour);
        set->setPen(QPen(colour, 1));
        m_series->append(set);
        m_sets << set;
    }

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

    m_valueAxis = new QValueAxis(chart);
    m_valueAxis->setLabelsColor(Qt::white);
    m_valueAxis->setLabelsFont(font);
    m_valueAxis->setLabelFormat("%.0f");
    m_valueAxis->setGridLineColor(QColor(64, 64, 64));
    m_valueAxis->setLinePenColor(Qt::gray);
    chart->addAxis(m_valueAxis, Qt::AlignBottom);
    useHairlines(m_leftAxis);
    useHairlines(m_valueAxis);

    // The readings change with every block. Drawn as legend entries, each
    // change laid the legend out again and, through the chart's scene, cost
    // the window a repaint of the chart; as labels of a fixed size on an
    // opaque column of their own, a change repaints only the label.
    // The sets keep their titles as labels, for whoever reads the series.
    chart->legend()->detachFromChart();
    chart->legend()->setVisible(false);
    m_readoutColumn = new QWidget(this);
    m_readoutColumn->setObjectName("Readouts");
    m_readoutColumn->setAutoFillBackground(true);
    QPalette column = m_readoutColumn->palette();
    column.setColor(QPalette::Window, Qt::black);
    column.setColor(QPalette::WindowText, Qt::white);
    m_readoutColumn->setPalette(column);
    auto* grid = new QGridLayout(m_readoutColumn);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    const QFontMetrics metrics(bold);
    const QSize readoutSize(metrics.horizontalAdvance(QString(readoutLength, QLatin1Char('0'))),
                            metrics.height());
    for (int i = 0; i < colours.size(); ++i) {
        auto* marker = new QWidget(m_readoutColumn);
        marker->setObjectName(QString("Marker%1").arg(i + 1));
        marker->setFixedSize(markerSize, markerSize);
        marker->setAutoFillBackground(true);
        QPalette p = marker->palette();
        p.setColor(QPalette::Window, colours[i]);
        marker->setPalette(p);
        auto* label = new QLabel(m_readoutColumn);
        label->setObjectName(QString("Readout%1").arg(i + 1));
        label->setTextFormat(Qt::PlainText);
        label->setFont(bold);
        // A fixed size: a new text then asks no layout for room. Opaque:
        // a new text repaints the label alone, not the column behind it.
        label->setFixedSize(readoutSize);
        label->setAutoFillBackground(true);
        grid->addWidget(marker, i, 0, Qt::AlignVCenter);
        grid->addWidget(label, i, 1, Qt::AlignVCenter);
        m_markers << marker;
        m_readouts << label;
    }
    m_readoutColumn->setFixedSize(grid->sizeHint());

    // The view made a chart of its own and lets go of it here without
    // deleting it: every bar-graph window opened would leak one.
    QChart* made = this->chart();
    setChart(chart);
    delete made;
    setRenderHint(QPainter::Antialiasing, false);
    setBackgroundBrush(Qt::black);
    setFrameShape(QFrame::NoFrame);
    new TBarRowArea(this, m_series, m_valueAxis);
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
    if (set->count() == 0)
        set->append(value);
    else
        setIfChanged(
            value, [&] { return set->at(0); }, [&](double v) { set->replace(0, v); });
    setReadout(bar, title);
}

void TTavr1BarChart::setTitleOnly(int bar, const QString& title)
{
    QBarSet* set = m_sets.value(bar);
    if (!set)
        return;
    if (set->count() > 0)
        set->remove(0, set->count());
    setReadout(bar, title);
}

void TTavr1BarChart::setReadout(int bar, const QString& title)
{
    QBarSet* set = m_sets[bar];
    setIfChanged(
        title, [&] { return set->label(); }, [&](const QString& t) { set->setLabel(t); });
    QLabel* label = m_readouts[bar];
    if (!setTextIfChanged(label, title))
        return;
    // The width holds the longest reading a bar has; a longer text widens
    // the column once rather than lose its end.
    const int needed = label->fontMetrics().horizontalAdvance(title);
    if (needed > label->width()) {
        for (QLabel* l : std::as_const(m_readouts))
            l->setFixedWidth(needed);
        m_readoutColumn->setFixedSize(m_readoutColumn->layout()->sizeHint());
        placeReadouts();
    }
}

void TTavr1BarChart::resizeEvent(QResizeEvent* e)
{
    QChartView::resizeEvent(e);
    placeReadouts();
}

// The readouts at the right edge, centred in the height, and the plot kept
// clear of them.
void TTavr1BarChart::placeReadouts()
{
    QChart* c = chart();
    const QSize column = m_readoutColumn->size();
    const QMargins margins = c->margins();
    const int reserved = column.width() + readoutMargin + readoutGap;
    if (margins.right() != reserved)
        c->setMargins(QMargins(margins.left(), margins.top(), reserved, margins.bottom()));
    m_readoutColumn->move(width() - column.width() - readoutMargin,
                          std::max(0, (height() - column.height()) / 2));
}
