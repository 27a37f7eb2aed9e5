#include "plots/BarGraph.h"

#include "common/WindowNames.h"
#include "models/PlotTexts.h"
#include "plots/ChartKit.h"
#include "plots/PlotChartView.h"
#include "plots/PlotReadoutLabel.h"
#include "plots/PlotSeriesArea.h"
#include "widgets/SetIfChanged.h"

#include <QAreaSeries>
#include <QChart>
#include <QHBoxLayout>
#include <QLegend>
#include <QValueAxis>

namespace {
const char* const seriesNames[] = {"PeakSeries", "AverageSeries", "MinimumSeries"};
const char* const readoutNames[] = {"PeakReadout", "AverageReadout", "MinimumReadout"};
constexpr int readoutHeight = 25;
constexpr int swatchSize = 12;
} // namespace

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
    // The bars are told apart by their readouts' colours; positions along
    // this axis mean nothing.
    m_barAxis->setLabelsVisible(false);
    m_barAxis->setGridLineVisible(false);
    undoZoom();

    // The bars move with every block: drawn by an area of their own, the
    // chart keeps the axes and the title.
    m_area = new TPlotSeriesArea(chartView(), m_valueAxis, m_barAxis);
    const double origin = barOrigin(kind);
    for (int i = 0; i < titles.size(); ++i) {
        QAreaSeries* bar =
            m_area->addFilled(titles[i], plotSeriesColour(i), {origin, barBand(i).min});
        bar->setObjectName(seriesNames[i]);
        m_bars.append(bar);
    }
    // The readings change with every block. As legend entries each change
    // laid the chart out again; as labels of their own a change repaints the
    // label alone. The series drawn keep the readouts as their names (for
    // whoever reads the series); they are not in the chart, and the legend,
    // hidden and detached, holds their twins.
    chart()->legend()->detachFromChart();
    chart()->legend()->setVisible(false);
    auto* row = new QWidget(this);
    row->setObjectName("ReadoutPanel");
    row->setFixedHeight(readoutHeight);
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(6, 0, 6, 0);
    rowLayout->setSpacing(6);
    for (int i = 0; i < m_bars.size(); ++i) {
        auto* swatch = new QWidget(row);
        swatch->setObjectName(QString("Swatch%1").arg(i + 1));
        swatch->setFixedSize(swatchSize, swatchSize);
        swatch->setAutoFillBackground(true);
        QPalette p = swatch->palette();
        p.setColor(QPalette::Window, plotSeriesColour(i));
        swatch->setPalette(p);
        auto* label = new PlotReadoutLabel(readoutNames[i], row);
        label->setTextFormat(Qt::PlainText);
        label->setText(titles[i]);
        rowLayout->addWidget(swatch);
        rowLayout->addWidget(label);
        rowLayout->addSpacing(18);
        m_readouts.append(label);
    }
    rowLayout->addStretch(1);
    m_layout->addWidget(row);
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
        if (i < readouts.size()) {
            setNameIfChanged(m_bars[i], readouts[i]);
            setTextIfChanged(m_readouts[i], readouts[i]);
        }
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
