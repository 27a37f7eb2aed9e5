#include "plots/DataTimePlot.h"

#include "common/BaseDirectory.h"
#include "common/WindowNames.h"
#include "link/Frame2.h"
#include "models/PlotTexts.h"
#include "plots/ChartKit.h"
#include "plots/PlotChartView.h"
#include "plots/PlotReadoutLabel.h"
#include "plots/PlotSeriesArea.h"
#include "widgets/MessageBoxService.h"
#include "widgets/SetIfChanged.h"
#include "widgets/ShellOpen.h"

#include <QChart>
#include <QHBoxLayout>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {
const char* const seriesNames[] = {"PeakSeries", "AverageSeries", "MinimumSeries"};
const char* const readoutNames[] = {"PeakReadout", "AverageReadout", "MinimumReadout"};
constexpr double timeIncrement = 60;

// Every plot of a connection makes its point on the same refresh, the first
// of a new second. Drawn then, a connection with all its plots open would
// stall the program for that one refresh every second; instead each plot
// draws on one of the next few refreshes, by the order it was opened in.
constexpr int drawTurns = 4;
int plotsOpen = 0;
} // namespace

TDataTimePlot::TDataTimePlot(const TChildWindowArgs& args)
    : TPlotWindow(args, Kind, WindowToken::DTPlot, " vs Time")
    , m_model(series().DisplayMode)
    , m_phase(plotsOpen++ % drawTurns)
{
    const int kind = series().ScaleKind;
    const int mode = series().DisplayMode;
    const QStringList titles = timePlotSeriesTitles(mode);

    m_clock = [this]() {
        const TFrame2* f = frame();
        return f ? f->LastBlockTime : QDateTime();
    };

    m_timeInitial = {0, TTimePlotModel::RingSize};
    m_valueInitial = timePlotValueAxis(kind);
    m_timeAxis = addValueAxis(chart(), Qt::AlignBottom, "    Seconds");
    m_timeAxis->setObjectName("TimeAxis");
    m_valueAxis = addValueAxis(chart(), Qt::AlignLeft, timePlotValueAxisTitle(kind));
    m_valueAxis->setObjectName("ValueAxis");
    undoZoom();

    // The lines move every second: drawn by an area of their own, the chart
    // keeps the axes, the titles and the legend.
    m_area = new TPlotSeriesArea(chartView(), m_timeAxis, m_valueAxis);
    for (int i = 0; i < titles.size() && i < TTimePlotModel::SeriesCount; ++i) {
        QLineSeries* line = m_area->addLine(titles[i], plotSeriesColour(i));
        line->setObjectName(seriesNames[i]);
        m_lines.append(line);
        m_mask |= 1u << i;
    }
    chart()->legend()->setVisible(true);

    auto* row = new QWidget(this);
    row->setObjectName("ReadoutPanel");
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(6, 2, 6, 2);
    rowLayout->setSpacing(24);
    const int shown = int(timePlotReadouts(mode, 0, 0, 0).size());
    for (int i = 0; i < 3; ++i) {
        m_readouts[i] = new PlotReadoutLabel(readoutNames[i], row);
        m_readouts[i]->setVisible(i < shown);
        connect(m_readouts[i], &PlotReadoutLabel::doubleClicked, this, &TDataTimePlot::reset);
        rowLayout->addWidget(m_readouts[i]);
    }
    rowLayout->addStretch(1);
    auto* clear = new QPushButton("Clear", row);
    clear->setObjectName("ClearButton");
    connect(clear, &QPushButton::clicked, this, &TDataTimePlot::reset);
    rowLayout->addWidget(clear);
    auto* help = new QPushButton("Help", row);
    help->setObjectName("HelpButton");
    connect(help, &QPushButton::clicked, this, &TDataTimePlot::showHelp);
    rowLayout->addWidget(help);
    m_layout->addWidget(row);

    connect(chartView(), &PlotChartView::doubleClicked, this, &TDataTimePlot::toggleFrozen);
    resize(720, 440);
}

TDataTimePlot::~TDataTimePlot()
{
    --plotsOpen;
}

void TDataTimePlot::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

QString TDataTimePlot::helpPagePath()
{
    return DataFolder("HELP") + "Plot_Help.htm";
}

void TDataTimePlot::RefreshWindow(qintptr)
{
    const QDateTime stamp = m_clock ? m_clock() : QDateTime();
    const int second = stamp.isValid() ? stamp.time().second() : -1;
    if (m_model.addSample(reading(0), reading(1), reading(2), second)) {
        const TTimePlotModel::Point p = m_model.point(0);
        const QStringList texts =
            timePlotReadouts(series().DisplayMode, p.peak, p.average, p.minimum);
        for (int i = 0; i < int(m_readouts.size()) && i < texts.size(); ++i)
            setTextIfChanged(m_readouts[i], texts[i]);
        // A point still waiting keeps its turn.
        if (m_drawIn < 0)
            m_drawIn = m_phase;
    }
    if (m_drawIn < 0)
        return;
    if (m_drawIn > 0) {
        --m_drawIn;
        return;
    }
    m_drawIn = -1;
    drawPoints();
}

void TDataTimePlot::drawPoints()
{
    if (m_frozen)
        return;
    // x = 0 is the newest point, so a new second moves every point of the
    // line. One replace() of the whole line is then the cheapest draw: the
    // chart maps all points anew once. Appending the new point and removing
    // the oldest would tell it twice, and each mapping still has to place
    // every point; keeping the points where they were and sliding the time
    // axis instead would re-lay out the axis and its labels every second on
    // top of mapping every point of every line.
    AxisRange values;
    const bool any = m_model.seriesPoints(m_mask, m_points, values);
    for (int i = 0; i < m_lines.size(); ++i)
        setPointsIfChanged(m_lines[i], m_points[i]);
    if (!m_zoomed && any) {
        setAutomaticAxis(m_valueAxis, followValueAxis(values, axisRange(m_valueAxis)));
        setFixedAxis(m_timeAxis, 0, m_model.count(), 1);
    }
}

void TDataTimePlot::zoomTo(const QRectF& values)
{
    m_zoomed = true;
    setAutomaticAxis(m_timeAxis, timeAxisZoom({values.left(), values.right()}));
    // A rectangle without height would leave the value axis without a range.
    const AxisRange value{values.top(), values.bottom()};
    setAutomaticAxis(m_valueAxis, value.span() > 0 ? value : fitValueAxis(value));
}

void TDataTimePlot::undoZoom()
{
    m_zoomed = false;
    setFixedAxis(m_timeAxis, m_timeInitial, timeIncrement);
    setFixedAxis(m_valueAxis, m_valueInitial, 1);
}

void TDataTimePlot::scrollBy(const QPointF& valueDelta)
{
    // A step that would leave an axis's initial limits is refused, not clamped.
    const AxisRange time = axisRange(m_timeAxis);
    if (scrollAllowed(time, valueDelta.x(), m_timeInitial))
        setAutomaticAxis(m_timeAxis, {time.min + valueDelta.x(), time.max + valueDelta.x()});
    const AxisRange value = axisRange(m_valueAxis);
    if (scrollAllowed(value, valueDelta.y(), m_valueInitial))
        setAutomaticAxis(m_valueAxis, {value.min + valueDelta.y(), value.max + valueDelta.y()});
}

void TDataTimePlot::toggleFrozen()
{
    m_frozen = !m_frozen;
}

void TDataTimePlot::reset()
{
    m_model.reset();
    m_drawIn = -1;
    for (QLineSeries* line : m_lines)
        line->replace(QList<QPointF>());
    for (PlotReadoutLabel* r : m_readouts)
        r->clear();
    m_frozen = false;
    undoZoom();
}

void TDataTimePlot::showHelp()
{
    const QString page = helpPagePath();
    if (!ShellOpenFile(page))
        ShowMessageBox(this, {QMessageBox::Warning, "Help",
                              "The help page " + page + " could not be opened.", QMessageBox::Ok});
}
