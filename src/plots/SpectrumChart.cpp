#include "plots/SpectrumChart.h"

#include "models/SpectrumModel.h"
#include "plots/SeriesArea.h"

#include <QAreaSeries>
#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

namespace {

// "###0.###": at most three decimals, no trailing zeros.
const QString labelFormat = QStringLiteral("%.7g");

QValueAxis* axis(QChart* chart, Qt::Alignment side, const QString& title)
{
    QValueAxis* a = addValueAxis(chart, side, title);
    a->setLabelsColor(Qt::white);
    a->setTitleBrush(Qt::white);
    a->setLinePenColor(Qt::white);
    QPen grid(QColor(0xC0, 0xC0, 0xC0));
    grid.setStyle(Qt::DotLine);
    a->setGridLinePen(grid);
    a->setLabelFormat(labelFormat);
    return a;
}

QLineSeries* namedLine(QChart* chart, const QString& name, const QColor& c, QValueAxis* x,
                       QValueAxis* y)
{
    QLineSeries* s = addLineSeries(chart, name, c, x, y);
    s->setObjectName(name);
    return s;
}

// Floor of the fill: far below any level a unit reports.
constexpr double fillFloor = -2000;

} // namespace

TSpectrumChart::TSpectrumChart(const QString& name, const QColor& cursorColour,
                               const QColor& maskColour, QWidget* parent)
    : QChartView(parent)
{
    setObjectName(name);
    setRenderHint(QPainter::Antialiasing, false);
    // Every block repaints the plot area: no painter state to save, no
    // margin for antialiased edges, which the chart never draws.
    setOptimizationFlags(QGraphicsView::DontSavePainterState |
                         QGraphicsView::DontAdjustForAntialiasing);
    QChart* c = makePlotChart(QString());
    c->setBackgroundBrush(Qt::black);
    c->setPlotAreaBackgroundVisible(false);
    c->legend()->hide();
    // The view made a chart of its own and lets go of it here without
    // deleting it: every spectrum window opened would leak one.
    QChart* made = chart();
    setChart(c);
    delete made;
    setBackgroundBrush(Qt::black);

    m_left = axis(c, Qt::AlignLeft, QString());
    m_bottom = axis(c, Qt::AlignBottom, QStringLiteral("Frequency(kHz)"));
    m_top = axis(c, Qt::AlignTop, QString());

    // The series are drawn by the area over the plot, not by the chart. They
    // are made on a chart of their own, which gives them the look the plot
    // charts have, and taken from it: a series once the view's chart would
    // leave an item behind in its scene.
    QChart* maker = makePlotChart(QString());
    QValueAxis* x = addValueAxis(maker, Qt::AlignBottom, QString());
    QValueAxis* y = addValueAxis(maker, Qt::AlignLeft, QString());
    m_fill = addFilledSeries(maker, QStringLiteral("Fill"), QColor(0x00, 0xFF, 0x00), x, y,
                             QPointF(0, fillFloor));
    m_fill->setObjectName(QStringLiteral("Fill"));
    // The fill is its own outline: stroking 501 segments again would double
    // the cost of painting it.
    m_fill->setPen(Qt::NoPen);
    m_fill->lowerSeries()->clear();
    m_c1 = namedLine(maker, QStringLiteral("C1"), cursorColour, x, y);
    m_c2 = namedLine(maker, QStringLiteral("C2"), cursorColour, x, y);
    m_line = std::make_unique<TBandLine>(maker, x, y, QStringLiteral("Line"));
    m_mask = namedLine(maker, QStringLiteral("Mask"), maskColour, x, y);
    // The top axis only repeats the frequencies; no series is drawn against it.
    setFixedAxis(m_left, -120, 0, 10);

    // Drawn in the order the chart would have stacked them.
    m_area = new TSeriesArea(this, m_bottom, m_left);
    for (QAbstractSeries* s : maker->series()) {
        maker->removeSeries(s);
        s->setParent(this);
        if (auto* fill = qobject_cast<QAreaSeries*>(s))
            m_area->addFill(fill);
        else if (auto* line = qobject_cast<QXYSeries*>(s))
            m_area->addLine(line);
    }
    delete maker;
    // The chart keeps an empty line that holds the two axes to it.
    QLineSeries* holder = addLineSeries(c, QString(), Qt::black, m_bottom, m_left);
    holder->setObjectName(QStringLiteral("AxisHolder"));
}

void TSpectrumChart::setVerticalAxis(double bottom, double top, double increment)
{
    setFixedAxis(m_left, bottom, top, increment, labelFormat);
}

void TSpectrumChart::setHorizontalAxis(double min, double max, double increment)
{
    setFixedAxis(m_bottom, min, max, increment, labelFormat);
    setFixedAxis(m_top, min, max, increment, labelFormat);
}

void TSpectrumChart::setC1(double level)
{
    if (level == m_c1Level)
        return;
    m_c1Level = level;
    m_c1->replace({QPointF(-1000, level), QPointF(1000, level)});
}

void TSpectrumChart::setC2(double kHz)
{
    if (kHz == m_c2KHz)
        return;
    m_c2KHz = kHz;
    m_c2->replace({QPointF(kHz, 1000), QPointF(kHz, -1500)});
}

void TSpectrumChart::setMask(const QList<QPointF>& points)
{
    if (m_mask->points() != points)
        m_mask->replace(points);
}

void TSpectrumChart::setMaskVisible(bool visible)
{
    if (m_mask->isVisible() != visible)
        m_mask->setVisible(visible);
}

void TSpectrumChart::drawTrace(const TSpectrumTrace& trace, bool fillMode)
{
    static const QList<QColor> bandColours = {QColor(0x00, 0xFF, 0x00), QColor(0xFF, 0xFF, 0x00),
                                              QColor(0xFF, 0x00, 0x00)};
    if (fillMode) {
        m_line->clear();
        m_fill->upperSeries()->replace(trace.points);
        m_fillPoints = int(trace.points.size());
        if (!trace.points.isEmpty()) {
            const QPointF first(trace.points.first().x(), fillFloor);
            const QPointF last(trace.points.last().x(), fillFloor);
            if (first != m_fillFirst || last != m_fillLast) {
                m_fillFirst = first;
                m_fillLast = last;
                m_fill->lowerSeries()->replace({first, last});
            }
        }
    } else {
        if (m_fillPoints != 0) {
            m_fill->upperSeries()->clear();
            m_fillPoints = 0;
        }
        m_line->setPoints(trace.points, trace.bands, bandColours);
    }
}

void TSpectrumChart::clearTrace()
{
    m_line->clear();
    if (m_fillPoints != 0) {
        m_fill->upperSeries()->clear();
        m_fillPoints = 0;
    }
}
