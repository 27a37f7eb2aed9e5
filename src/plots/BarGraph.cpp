#include "plots/BarGraph.h"

#include "common/WindowNames.h"
#include "models/PlotTexts.h"
#include "plots/ChartKit.h"

#include <QAreaSeries>
#include <QChart>
#include <QLegend>
#include <QValueAxis>

namespace {
const char* const seriesNames[] = {"PeakSeries", "AverageSeries", "MinimumSeries"};
}

TBarGraph::TBarGraph(const TChildWindowArgs& args)
    : TPlotWindow(args, Kind, WindowToken::BarPlot, " Bar Graph")
{
    const int kind = series().ScaleKind;
    const QStringList titles = barSeriesTitles(series().DisplayMode);

    m_valueInitial = barValueAxis(kind);
    m_barInitial = {0, double(titles.size())};
    m_valueAxis = addValueAxis(chart(), Qt::AlignBottom, barValueAxisTitle(kind));
    m_valueAxis->setObjectName("ValueAxis");
    m_barAxis = addValueAxis(chart(), Qt::AlignLeft, QString());
    m_barAxis->setObjectName("BarAxis");
    // The bars are told apart by the legend; positions along this axis mean nothing.
    m_barAxis->setLabelsVisible(false);
    m_barAxis->setGridLineVisible(false);
    undoZoom();

    const double origin = barOrigin(kind);
    for (int i = 0; i < titles.size(); ++i) {
        auto* bar = addFilledSeries(chart(), titles[i], plotSeriesColour(i), m_valueAxis, m_barAxis,
                                    {origin, barBand(i).min});
        bar->setObjectName(seriesNames[i]);
        m_bars.append(bar);
    }
    // The series titles are the readouts, so the legend shows in every mode.
    chart()->legend()->setVisible(true);
    useFixedPitchLegend(chart());
    resize(520, 300);
}

AxisRange TBarGraph::barBand(int i) const
{
    // No margin above the top bar or below the bottom one.
    const double top = m_barInitial.max - i;
    return {top - 0.9, top - 0.1};
}

void TBarGraph::RefreshWindow(qintptr)
{
    const int kind = series().ScaleKind;
    const double values[3] = {barValue(kind, reading(0)), barValue(kind, reading(1)),
                              barValue(kind, reading(2))};
    const QStringList readouts = barReadouts(series().DisplayMode, values[0], values[1], values[2]);
    const double origin = barOrigin(kind);
    for (int i = 0; i < m_bars.size(); ++i) {
        const AxisRange band = barBand(i);
        setOutline(m_bars[i], horizontalBar(origin, barEnd(kind, values[i]), band.min, band.max));
        if (i < readouts.size())
            setReadoutTitle(chart(), m_bars[i], readouts[i]);
    }
}

void TBarGraph::zoomTo(const QRectF& values)
{
    // Only the bar axis zooms; the value axis keeps its limits.
    setFixedAxis(m_barAxis, barAxisZoom({values.top(), values.bottom()}, m_barInitial), 1);
}

void TBarGraph::undoZoom()
{
    setFixedAxis(m_valueAxis, m_valueInitial, 1);
    setFixedAxis(m_barAxis, m_barInitial, 1);
}

void TBarGraph::scrollBy(const QPointF& valueDelta)
{
    const AxisRange bars = axisRange(m_barAxis);
    if (scrollAllowed(bars, valueDelta.y(), m_barInitial))
        setFixedAxis(m_barAxis, bars.min + valueDelta.y(), bars.max + valueDelta.y(), 1);
}
