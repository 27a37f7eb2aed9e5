#pragma once

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QValueAxis>

// How a chart maps a value into its plot area, operation for operation, so a
// point our own areas draw lands where the chart would put it, to the last
// bit: a different order of the same arithmetic moves a line by a pixel now
// and then.
struct TChartMapping
{
    qreal minX, minY, deltaX, deltaY, height;

    static TChartMapping of(const QValueAxis& x, const QValueAxis& y, QSizeF plot)
    {
        return {x.min(), y.min(), plot.width() / (x.max() - x.min()),
                plot.height() / (y.max() - y.min()), plot.height()};
    }
    QPointF toPlot(QPointF value) const
    {
        return {(value.x() - minX) * deltaX, (value.y() - minY) * -deltaY + height};
    }
    QList<QPointF> toPlot(const QList<QPointF>& values) const
    {
        QList<QPointF> out(values.size());
        for (qsizetype i = 0; i < values.size(); ++i)
            out[i] = toPlot(values[i]);
        return out;
    }
};
