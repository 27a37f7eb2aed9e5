#include "plots/ChartKit.h"

#include "widgets/SetIfChanged.h"

#include <QAreaSeries>
#include <QChart>
#include <QFontDatabase>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>

QColor plotSeriesColour(int series)
{
    switch (series) {
    case 0:
        return QColor(0xFF, 0x00, 0x00);
    case 1:
        return QColor(0x00, 0xFF, 0x00);
    default:
        return QColor(0xFF, 0xFF, 0x00);
    }
}

QChart* makePlotChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTheme(QChart::ChartThemeDark);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

QValueAxis* addValueAxis(QChart* chart, Qt::Alignment side, const QString& title)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    chart->addAxis(axis, side);
    useHairlines(axis);
    return axis;
}

void useHairlines(QAbstractAxis* axis)
{
    // After the axis joined its chart: the chart's theme sets the pens then.
    auto hairline = [](QPen pen) {
        pen.setWidth(0);
        return pen;
    };
    axis->setLinePen(hairline(axis->linePen()));
    axis->setGridLinePen(hairline(axis->gridLinePen()));
    axis->setMinorGridLinePen(hairline(axis->minorGridLinePen()));
}

namespace {

void applyRange(QValueAxis* axis, AxisRange r, double interval)
{
    setRangeIfChanged(axis, r.min, r.max);
    setIfChanged(
        interval, [&] { return axis->tickInterval(); },
        [&](double i) {
            axis->setTickInterval(i);
            axis->setLabelFormat(QString("%.%1f").arg(labelDecimals(i)));
        });
}

} // namespace

void setFixedAxis(QValueAxis* axis, double min, double max, double increment)
{
    const AxisRange r{min, max};
    applyRange(axis, r, tickInterval(r, increment));
}

void setFixedAxis(QValueAxis* axis, double min, double max, double increment,
                  const QString& labelFormat)
{
    const AxisRange r{min, max};
    applyRange(axis, r, tickInterval(r, increment));
    if (axis->labelFormat() != labelFormat)
        axis->setLabelFormat(labelFormat);
}

void setAutomaticAxis(QValueAxis* axis, AxisRange r)
{
    applyRange(axis, r, tickInterval(r, 0));
}

AxisRange axisRange(const QValueAxis* axis)
{
    return {axis->min(), axis->max()};
}

QAreaSeries* newFilledSeries(QPointF closingPoint, QObject* parent)
{
    auto* series = new QAreaSeries(parent);
    auto* upper = new QLineSeries(series);
    auto* lower = new QLineSeries(series);
    lower->append(closingPoint);
    series->setUpperSeries(upper);
    series->setLowerSeries(lower);
    return series;
}

QAreaSeries* addFilledSeries(QChart* chart, const QString& name, const QColor& colour,
                             QValueAxis* x, QValueAxis* y, QPointF closingPoint)
{
    QAreaSeries* series = newFilledSeries(closingPoint);
    series->setName(name);
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    // After addSeries, which paints the series in the theme's colours.
    series->setColor(colour);
    series->setBorderColor(colour.darker(150));
    return series;
}

void setOutline(QAreaSeries* series, const QList<QPointF>& outline)
{
    setPointsIfChanged(series->upperSeries(), outline);
}

QList<QPointF> horizontalBar(double origin, double end, double lo, double hi)
{
    return {{origin, lo}, {end, lo}, {end, hi}, {origin, hi}};
}

void setFloatingBar(QAreaSeries* series, double from, double to, double lo, double hi)
{
    setPointsIfChanged(series->lowerSeries(), {QPointF(from, lo)});
    setPointsIfChanged(series->upperSeries(), horizontalBar(from, to, lo, hi));
}

void setReadoutTitle(QChart* chart, QAbstractSeries* series, const QString& text)
{
    setNameIfChanged(series, text);
    // The legend draws its labels as rich text, which folds runs of blanks.
    QString shown = text;
    shown.replace(' ', QChar(0x00A0));
    for (QLegendMarker* m : chart->legend()->markers(series))
        setIfChanged(
            shown, [&] { return m->label(); }, [&](const QString& l) { m->setLabel(l); });
}

void useFixedPitchLegend(QChart* chart)
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setBold(true);
    chart->legend()->setFont(f);
}

QLineSeries* addLineSeries(QChart* chart, const QString& name, const QColor& colour, QValueAxis* x,
                           QValueAxis* y)
{
    auto* series = new QLineSeries;
    series->setName(name);
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    QPen pen(colour);
    pen.setWidth(1);
    series->setPen(pen);
    return series;
}

TBandLine::TBandLine(QChart* chart, QValueAxis* x, QValueAxis* y, const QString& name)
{
    for (int i = 0; i < MaxRuns; ++i) {
        QLineSeries* s = addLineSeries(chart, name, QColor(Qt::green), x, y);
        s->setObjectName(QString("%1Run%2").arg(name).arg(i));
        m_runs << s;
        m_sizes << 0;
    }
}

void TBandLine::setRun(int run, const QList<QPointF>& points, const QColor& colour)
{
    QLineSeries* s = m_runs[run];
    if (!points.isEmpty() && s->color() != colour) {
        QPen pen(colour);
        pen.setWidth(1);
        s->setPen(pen);
    }
    if (points.isEmpty() && m_sizes[run] == 0)
        return; // an unused run stays as it is
    s->replace(points);
    m_sizes[run] = int(points.size());
}

void TBandLine::setPoints(const QList<QPointF>& points, const QList<quint8>& bands,
                          const QList<QColor>& bandColours)
{
    const qsizetype n = std::min(points.size(), bands.size());
    auto colourOf = [&](qsizetype i) {
        const int b = bands[i];
        return b < bandColours.size() ? bandColours[b] : QColor(Qt::green);
    };
    int run = 0;
    qsizetype start = 0;
    while (start < n && run < MaxRuns) {
        qsizetype end = start + 1;
        if (run == MaxRuns - 1)
            end = n;
        else
            while (end < n && bands[end] == bands[start])
                ++end;
        // The run takes the next run's first point too, closing the gap.
        const qsizetype last = std::min(end + 1, n);
        setRun(run, points.mid(start, last - start), colourOf(start));
        ++run;
        start = end;
    }
    for (; run < MaxRuns; ++run)
        setRun(run, {}, QColor());
}

void TBandLine::clear()
{
    for (int run = 0; run < MaxRuns; ++run)
        setRun(run, {}, QColor());
}

int TBandLine::pointCount() const
{
    int total = 0;
    int used = 0;
    for (int s : m_sizes) {
        total += s;
        used += s > 0;
    }
    return used > 1 ? total - (used - 1) : total;
}
