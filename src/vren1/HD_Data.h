#pragma once

#include "models/HdHistoryChart.h"
#include "panels/ChildWindow.h"
#include "protocol/hd/HdHistoryRows.h"

#include <QRectF>
#include <array>
#include <functional>
#include <vector>

class QChart;
class QLineSeries;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTabWidget;
class QValueAxis;
class PlotChartView;

// The last 24 hours of one measurement, a value set a minute, fetched from
// the unit: a chart against time, a table and a list, and a text file. The
// caption follows the download ("Downloading(…%)", "Complete").
//
// Object names: Load_Button, Save_Button, BitBtn1,
// PageControl1 (tabs "Data vs. Time", "Histogram", "Tablular"), Chart1 with
// Series1..Series3, Chart2, ListBox1, StringGrid1.
class THData : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 20;
    explicit THData(const TChildWindowArgs& args);

    QPushButton* Load_Button = nullptr;
    QPushButton* Save_Button = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    PlotChartView* Chart1 = nullptr;
    PlotChartView* Chart2 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QTableWidget* StringGrid1 = nullptr; // row 0 the titles, row k minute k
    std::array<QLineSeries*, 3> Series{};
    QValueAxis* LeftAxis = nullptr;
    QValueAxis* BottomAxis = nullptr;

    int MeasurementIndex = 0;
    QString Title;
    int ScaleKind = 0;
    int DisplayMode = 0;
    int SeriesCount = 1;
    std::array<std::vector<double>, 3> SeriesValues;
    THistoryAxisSet Axes;
    bool Zoomed = false;
    AxisRange ZoomLimits;
    bool HasData = false;

    // Queues the history request; the data shown stay until new data arrive.
    void Request();
    // "Refresh Data": a request, and the caption starts again at 0 %.
    void Load_ButtonClick();
    void Export();
    void showHelp();
    void zoomTo(const QRectF& values);
    void undoZoom();
    void scrollBy(const QPointF& valueDelta);

    static QString helpPagePath();

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    static QString progressText(double percent);
    void setCaption(const QString& caption);
    void Rebuild();
    void setUpChart();
    void fillChart();

    THdHistoryRows m_table; // what the table shows, for the file
};
