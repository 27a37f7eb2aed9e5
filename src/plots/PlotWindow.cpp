#include "plots/PlotWindow.h"

#include "common/NameTables.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "plots/ChartKit.h"
#include "plots/LiveChartText.h"
#include "plots/PlotChartView.h"
#include "plots/PlotPrint.h"
#include "widgets/SetIfChanged.h"

#include <QChart>
#include <QMenuBar>
#include <QVBoxLayout>

TPlotWindow::TPlotWindow(const TChildWindowArgs& args, int kind, const TWindowToken& token,
                         const QString& titleSuffix)
    : TInstrumentChildWindow(args, kind, UM_PANEL_REFRESH)
{
    if (args.frame)
        m_series = args.frame->GetMeasurementSeries(args.family, args.instrument, args.index);
    m_name = InstrumentName(args.family, args.instrument) + " " +
             ChannelName(args.family, args.instrument, args.index);
    setDesignedName(token, "  " + m_name);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);

    m_chart = makePlotChart(m_name + titleSuffix);
    m_view = new PlotChartView(m_chart, this);
    m_view->setObjectName("Chart1");
    m_layout->addWidget(m_view, 1);

    connect(m_view, &PlotChartView::zoomRequested, this, &TPlotWindow::zoomTo);
    connect(m_view, &PlotChartView::undoZoomRequested, this, &TPlotWindow::undoZoom);
    connect(m_view, &PlotChartView::scrollRequested, this, &TPlotWindow::scrollBy);
}

void TPlotWindow::addPrintMenu()
{
    auto* menu = new QMenuBar(this);
    menu->setObjectName("MainMenu1");
    m_printAction = menu->addAction("Print");
    m_printAction->setObjectName("Print1");
    connect(m_printAction, &QAction::triggered, this, &TPlotWindow::print);
    m_layout->setMenuBar(menu);
}

qint32 TPlotWindow::reading(int which) const
{
    const qint32* p = which == 0 ? m_series.Peak : which == 1 ? m_series.Average : m_series.Minimum;
    return p ? *p : 0;
}

void TPlotWindow::setChartTitle(const QString& title)
{
    if (m_liveTitle)
        m_liveTitle->setText(title);
    else
        setTitleIfChanged(m_chart, title);
}

void TPlotWindow::holdLiveTitle()
{
    if (!m_liveTitle)
        m_liveTitle = new TLiveChartText(m_chart);
}

QString TPlotWindow::chartTitle() const
{
    return m_liveTitle ? m_liveTitle->text() : m_chart->title();
}

void TPlotWindow::print()
{
    PrintPlot(*m_view, chartTitle());
}
