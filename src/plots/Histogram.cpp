#include "plots/Histogram.h"

#include "common/WindowNames.h"
#include "link/Frame2.h"
#include "models/PlotTexts.h"
#include "plots/ChartKit.h"
#include "plots/LiveChartText.h"
#include "plots/PlotChartView.h"
#include "plots/PlotReadoutLabel.h"
#include "plots/PlotSeriesArea.h"
#include "widgets/SetIfChanged.h"

#include <QAreaSeries>
#include <QChart>
#include <QHBoxLayout>
#include <QLegend>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {
const char* const seriesNames[] = {"PeakSeries", "AverageSeries", "MinimumSeries"};
const char* const readoutNames[] = {"PeakReadout", "AverageReadout", "MinimumReadout"};
constexpr int readoutHeight = 25;
} // namespace

THistogram::THistogram(const TChildWindowArgs& args)
    : TPlotWindow(args, Kind, WindowToken::HistPlot, " Histogram")
    , m_model(series().ScaleKind)
{
    addPrintMenu();
    const int kind = series().ScaleKind;
    const int mode = series().DisplayMode;
    const QStringList titles = histogramSeriesTitles(mode);

    m_initial = {histogramValueAxis(kind), {0, 100}};
    m_axes = m_initial;
    m_percentAxis = addValueAxis(chart(), Qt::AlignBottom, "  % Distribution");
    m_percentAxis->setObjectName("PercentAxis");
    m_valueAxis = addValueAxis(chart(), Qt::AlignLeft, histogramValueAxisTitle(kind));
    m_valueAxis->setObjectName("ValueAxis");
    undoZoom();
    // The title's elapsed time and the stamp under the bars change every
    // second; set on the chart, each would lay the whole chart out again.
    holdLiveTitle();
    m_stampTitle = new TLiveChartText(chart(), m_percentAxis);

    // The bars change with every block: drawn by an area of their own, the
    // chart keeps the axes, the titles and the legend.
    m_area = new TPlotSeriesArea(chartView(), m_percentAxis, m_valueAxis);
    for (int i = 0; i < titles.size() && i < THistogramModel::SeriesCount; ++i) {
        QAreaSeries* bar = m_area->addFilled(titles[i], plotSeriesColour(i), {0, 0});
        bar->setObjectName(seriesNames[i]);
        m_bars.append(bar);
        m_mask |= 1u << i;
    }
    chart()->legend()->setVisible(histogramShowsLegend(mode));

    // The readouts take the bottom of the window; the chart the rest.
    auto* row = new QWidget(this);
    row->setObjectName("ReadoutPanel");
    row->setFixedHeight(readoutHeight);
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(6, 0, 6, 0);
    rowLayout->setSpacing(24);
    const int shown = int(histogramReadouts(mode, 0, 0, 0).size());
    // Sized for the longest reading, negative or not.
    const QStringList high = histogramReadouts(mode, 8888, 8888, 8888);
    const QStringList low = histogramReadouts(mode, -8888, -8888, -8888);
    for (int i = 0; i < 3; ++i) {
        m_readouts[i] = new PlotReadoutLabel(readoutNames[i], row);
        m_readouts[i]->setVisible(i < shown);
        if (i < shown)
            holdReadoutSize(m_readouts[i], high[i].size() >= low[i].size() ? high[i] : low[i]);
        connect(m_readouts[i], &PlotReadoutLabel::doubleClicked, this, &THistogram::reset);
        rowLayout->addWidget(m_readouts[i]);
    }
    rowLayout->addStretch(1);
    m_layout->addWidget(row);

    connect(chartView(), &PlotChartView::doubleClicked, this, &THistogram::toggleFrozen);
    // The bars' least thickness is in pixels: a new size or a new value axis
    // outlines them again.
    auto reoutline = [this] {
        if (!m_frozen && m_model.total() > 0)
            outlineBars();
    };
    connect(chart(), &QChart::plotAreaChanged, this, reoutline);
    connect(m_valueAxis, &QValueAxis::rangeChanged, this, reoutline);
    if (TFrame2* f = args.frame)
        connect(f, &TFrame2::measurementDecoded, this, &THistogram::countBlock);
    resize(640, 480);
}

QString THistogram::stampTitle() const
{
    return m_stampTitle->text();
}

void THistogram::countBlock()
{
    m_blocksAnnounced = true;
    countCurrent();
}

void THistogram::countCurrent()
{
    const TFrame2* f = frame();
    // Counted also while frozen: freezing stops the drawing only.
    m_model.addSample(reading(0), reading(1), reading(2), f ? f->LastBlockTime : QDateTime());
}

void THistogram::RefreshWindow(qintptr)
{
    const TFrame2* f = frame();
    const QDateTime stamp = f ? f->LastBlockTime : QDateTime();
    const qint32 raw[3] = {reading(0), reading(1), reading(2)};
    if (!m_blocksAnnounced)
        countCurrent();
    if (!m_frozen && m_model.total() > 0)
        redraw();

    const QStringList texts =
        histogramReadouts(series().DisplayMode, THistogramModel::clampValue(raw[0]),
                          THistogramModel::clampValue(raw[1]), THistogramModel::clampValue(raw[2]));
    for (int i = 0; i < int(m_readouts.size()) && i < texts.size(); ++i)
        setTextIfChanged(m_readouts[i], texts[i]);
    const QString shownStamp = stamp.isValid() ? stamp.toString("yyyy-MM-dd hh:mm:ss") : QString();
    m_stampTitle->setText(shownStamp + "  % Distribution");
    setChartTitle(measurementName() + " Histogram  - Infinite: " + m_model.elapsedText());
}

void THistogram::redraw()
{
    if (!m_zoomed) {
        m_axes = followData(m_model, m_mask, m_axes, m_initial);
        const THistogramAxes shown = steppedAxes(m_axes, m_initial);
        setFixedAxis(m_valueAxis, shown.value, 1);
        setFixedAxis(m_percentAxis, shown.percent, 5);
    }
    outlineBars();
}

void THistogram::outlineBars()
{
    // A bin is a sliver of an axis that spans many of them: a steady reading
    // fills one bin per series, which would show as a line a pixel thin. Each
    // bar is at least a few pixels thick on the axis as it stands.
    const double pixels = chart()->plotArea().height();
    const double span = m_valueAxis->max() - m_valueAxis->min();
    const double minBand = pixels > 0 && span > 0 ? MinBarPixels * span / pixels : 0;
    const int bands = int(m_bars.size());
    for (int i = 0; i < bands; ++i) {
        m_model.outline(i, i, bands, m_outline, minBand);
        setOutline(m_bars[i], m_outline);
    }
}

void THistogram::zoomTo(const QRectF& values)
{
    m_zoomed = true;
    setAutomaticAxis(m_percentAxis, histogramPercentZoom({values.left(), values.right()}));
    setAutomaticAxis(m_valueAxis, histogramValueZoom({values.top(), values.bottom()}));
}

void THistogram::undoZoom()
{
    m_zoomed = false;
    m_axes = m_initial;
    setFixedAxis(m_valueAxis, m_initial.value, 1);
    setFixedAxis(m_percentAxis, m_initial.percent, 5);
}

void THistogram::scrollBy(const QPointF& valueDelta)
{
    const AxisRange pct = axisRange(m_percentAxis);
    if (scrollAllowed(pct, valueDelta.x(), m_initial.percent))
        setAutomaticAxis(m_percentAxis, {pct.min + valueDelta.x(), pct.max + valueDelta.x()});
    const AxisRange val = axisRange(m_valueAxis);
    if (scrollAllowed(val, valueDelta.y(), m_initial.value))
        setAutomaticAxis(m_valueAxis, {val.min + valueDelta.y(), val.max + valueDelta.y()});
}

void THistogram::toggleFrozen()
{
    m_frozen = !m_frozen;
}

void THistogram::reset()
{
    m_model.reset();
    for (QAreaSeries* bar : m_bars)
        setOutline(bar, {});
    m_frozen = false;
    undoZoom();
}
