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

void setAutomaticAxis(QValueAxis* axis, AxisRange r)
{
    applyRange(axis, r, tickInterval(r, 0));
}

AxisRange axisRange(const QValueAxis* axis)
{
    return {axis->min(), axis->max()};
}

QAreaSeries* addFilledSeries(QChart* chart, const QString& name, const QColor& colour,
                             QValueAxis* x, QValueAxis* y, QPointF closingPoint)
{
    auto* series = new QAreaSeries;
    auto* upper = new QLineSeries(series);
    auto* lower = new QLineSeries(series);
    lower->append(closingPoint);
    series->setUpperSeries(upper);
    series->setLowerSeries(lower);
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
