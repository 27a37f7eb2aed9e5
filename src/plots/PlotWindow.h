#pragma once

#include "data/MeasurementSeries.h"
#include "panels/ChildWindow.h"

#include <QPointF>
#include <QRectF>

class PlotChartView;
class QAction;
class QChart;
class TLiveChartText;
class QVBoxLayout;

// What the bar graph, histogram and time plot share: the series they follow
// (looked up once, when the window opens), a chart view that reports zoom and
// scroll requests, and the refresh on UM_PANEL_REFRESH.
class TPlotWindow : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    const TMeasurementSeries& series() const { return m_series; }
    PlotChartView* chartView() const { return m_view; }
    QChart* chart() const { return m_chart; }
    // Model and measurement, as chart titles begin: "Tavr-1 TOTAL".
    QString measurementName() const { return m_name; }
    // The chart's title as shown, drawn by the chart or held live.
    QString chartTitle() const;

public slots:
    // The rectangle is in chart values: x along the horizontal axis, y along
    // the vertical one.
    virtual void zoomTo(const QRectF& values) = 0;
    virtual void undoZoom() = 0;
    virtual void scrollBy(const QPointF& valueDelta) = 0;
    void print();

protected:
    // kind is the number the panel is told on close; the chart title is the
    // measurement name + titleSuffix.
    TPlotWindow(const TChildWindowArgs& args, int kind, const TWindowToken& token,
                const QString& titleSuffix);

    // The current value behind the series' peak (0), average (1) or minimum
    // (2) pointer; 0 for a pointer the series does not have.
    qint32 reading(int which) const;
    void setChartTitle(const QString& title);
    // For a title that changes every second: from here on it is drawn by an
    // item of its own and a new text lays nothing out.
    void holdLiveTitle();
    // The "Print" menu item (the histogram has one).
    void addPrintMenu();

    QVBoxLayout* m_layout = nullptr;

private:
    TMeasurementSeries m_series;
    QString m_name;
    QChart* m_chart = nullptr;
    PlotChartView* m_view = nullptr;
    QAction* m_printAction = nullptr;
    TLiveChartText* m_liveTitle = nullptr;
};
