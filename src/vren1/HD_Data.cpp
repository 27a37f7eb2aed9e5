#include "vren1/HD_Data.h"

#include "common/BaseDirectory.h"
#include "common/FieldHelpers.h"
#include "common/NameTables.h"
#include "common/WindowNames.h"
#include "data/MeasurementSeries.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "plots/ChartKit.h"
#include "plots/PlotChartView.h"
#include "protocol/hd/HdHistoryExport.h"
#include "protocol/hd/HdRequests.h"
#include "widgets/MessageBoxService.h"
#include "widgets/SetIfChanged.h"
#include "widgets/ShellOpen.h"

#include <QChart>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLegend>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace {

constexpr int Vren1Family = 4;
constexpr int Vren1Instrument = 0;

QString measurementTitle(int index)
{
    return InstrumentName(Vren1Family, Vren1Instrument) + " " +
           ChannelName(Vren1Family, Vren1Instrument, index);
}

void setCellIfChanged(QTableWidget* grid, int row, int column, const QString& text)
{
    QTableWidgetItem* item = grid->item(row, column);
    if (item && item->text() != text)
        item->setText(text);
}

} // namespace

THData::THData(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_PANEL_REFRESH, TRefreshPolicy::AnyLParam)
    , MeasurementIndex(args.index)
    , Title(measurementTitle(args.index))
{
    setDesignedName(WindowToken::HdHistoricalData, "  " + Title);
    for (auto& v : SeriesValues)
        v.assign(HdHistoryMinutes, 0.0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* top = new QHBoxLayout;
    top->addStretch(1);
    Load_Button = new QPushButton("Refresh Data", this);
    Load_Button->setObjectName("Load_Button");
    Save_Button = new QPushButton("Save Data", this);
    Save_Button->setObjectName("Save_Button");
    BitBtn1 = new QPushButton("Help", this);
    BitBtn1->setObjectName("BitBtn1");
    top->addWidget(Load_Button);
    top->addWidget(Save_Button);
    top->addWidget(BitBtn1);
    layout->addLayout(top);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    layout->addWidget(PageControl1, 1);

    QChart* chart = makePlotChart(Title + " vs Time");
    BottomAxis = addValueAxis(chart, Qt::AlignBottom, QString());
    LeftAxis = addValueAxis(chart, Qt::AlignLeft, QString());
    for (int s = 0; s < 3; ++s) {
        Series[size_t(s)] =
            addLineSeries(chart, QString(), plotSeriesColour(s), BottomAxis, LeftAxis);
        Series[size_t(s)]->setObjectName(QString("Series%1").arg(s + 1));
    }
    Chart1 = new PlotChartView(chart, PageControl1);
    Chart1->setObjectName("Chart1");
    PageControl1->addTab(Chart1, "Data vs. Time");
    connect(Chart1, &PlotChartView::zoomRequested, this, &THData::zoomTo);
    connect(Chart1, &PlotChartView::undoZoomRequested, this, &THData::undoZoom);
    connect(Chart1, &PlotChartView::scrollRequested, this, &THData::scrollBy);

    // The histogram page stays empty: the unit sends no histogram of a day.
    Chart2 = new PlotChartView(makePlotChart(QString()), PageControl1);
    Chart2->setObjectName("Chart2");
    PageControl1->addTab(Chart2, "Histogram");

    auto* tabular = new QWidget(PageControl1);
    auto* tabLayout = new QHBoxLayout(tabular);
    ListBox1 = new QListWidget(tabular);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setUniformItemSizes(true);
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    ListBox1->setFont(fixed);
    // Wide enough for the longest line (three values of type 7), no wider.
    ListBox1->setFixedWidth(QFontMetrics(fixed).horizontalAdvance(QString(41, '0')) + 30);
    StringGrid1 = new QTableWidget(HdHistoryMinutes + 1, HdHistoryColumns, tabular);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->setVisible(false);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(20);
    // Row 0 holds the titles; the header shows them, so they stay in view
    // as the minutes scroll by.
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    StringGrid1->setHorizontalHeaderLabels(QStringList(HdHistoryColumns, QString()));
    StringGrid1->setRowHidden(0, true);
    for (int r = 0; r <= HdHistoryMinutes; ++r) {
        for (int c = 0; c < HdHistoryColumns; ++c) {
            auto* item = new QTableWidgetItem;
            // The texts are padded numbers: right-aligned they line up.
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            StringGrid1->setItem(r, c, item);
        }
    }
    tabLayout->addWidget(ListBox1);
    tabLayout->addWidget(StringGrid1, 1);
    PageControl1->addTab(tabular, "Tablular");

    connect(Load_Button, &QPushButton::clicked, this, &THData::Load_ButtonClick);
    connect(Save_Button, &QPushButton::clicked, this, &THData::Export);
    connect(BitBtn1, &QPushButton::clicked, this, &THData::showHelp);

    setUpChart();
    resize(860, 560);
    Request();
}

QString THData::helpPagePath()
{
    return DataFolder("HELP") + "Historical_Help.htm";
}

void THData::Request()
{
    TFrame2* f = frame();
    if (!f)
        return;
    QueueHistoryRequest(*f, 0, 0, 0, 0, quint8(MeasurementIndex));
    THistoryDataRec& h = f->HistoryData;
    h.New = false;
    // This index's last download would read "Complete" until the unit
    // answers, and for ever if it never does.
    if (h.Id == MeasurementIndex) {
        h.Index = 0;
        h.Len = 0;
    }
    HasData = false;
}

void THData::Load_ButtonClick()
{
    Request();
    // Until the unit answers, and also while another window's download holds
    // the frame, the caption must not read "Complete" from the last day.
    setCaption(progressText(0));
}

void THData::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f)
        return;
    THistoryDataRec& h = f->HistoryData;
    if (h.Id != MeasurementIndex)
        return; // another window's download
    double percent = 0;
    if (h.Len != 0)
        percent = std::min(100.0, (double(h.Index) + 340.0) / double(h.Len) * 100.0);
    if (h.New) {
        h.New = false;
        Rebuild();
    }
    setCaption(progressText(percent));
}

QString THData::progressText(double percent)
{
    return percent >= 100 ? QString("Complete") : "Downloading(" + RealField(4, 1, percent) + "%)";
}

void THData::setCaption(const QString& caption)
{
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

void THData::Rebuild()
{
    const THdHistoryRows rows = DecodeHdHistoryRows(frame()->HistoryData);
    // A day fetched again differs from the last in its newest minutes: the
    // lines that read as before are left alone.
    while (ListBox1->count() > rows.listLines.size())
        delete ListBox1->takeItem(ListBox1->count() - 1);
    for (int i = 0; i < rows.listLines.size(); ++i) {
        if (i >= ListBox1->count())
            ListBox1->addItem(rows.listLines[i]);
        else if (ListBox1->item(i)->text() != rows.listLines[i])
            ListBox1->item(i)->setText(rows.listLines[i]);
    }
    if (rows.known) {
        for (int c = 0; c < HdHistoryColumns; ++c) {
            setCellIfChanged(StringGrid1, 0, c, rows.titles.value(c));
            QTableWidgetItem* header = StringGrid1->horizontalHeaderItem(c);
            if (header && header->text() != rows.titles.value(c))
                header->setText(rows.titles.value(c));
        }
        for (int k = 0; k < HdHistoryMinutes; ++k) {
            for (int c = 0; c < HdHistoryColumns; ++c)
                setCellIfChanged(StringGrid1, k + 1, c, rows.cells[size_t(k)][size_t(c)]);
        }
        SeriesCount = rows.seriesCount;
        SeriesValues = rows.values;
        m_table = rows;
    }
    // A Type without a layout redraws the values kept from before.
    fillChart();
}

void THData::setUpChart()
{
    TFrame2* f = frame();
    const TMeasurementSeries m =
        f ? f->GetMeasurementSeries(Vren1Family, Vren1Instrument, MeasurementIndex)
          : TMeasurementSeries{};
    ScaleKind = m.ScaleKind;
    DisplayMode = m.DisplayMode;
    Title = measurementTitle(MeasurementIndex);
    setCaption(" " + (f ? f->RackCaption : QString()) + "  " + Title);
    QChart* chart = Chart1->chart();
    setTitleIfChanged(chart, Title + " vs Time");

    Axes = HistoryAxisSet(ScaleKind);
    setFixedAxis(LeftAxis, Axes.range, Axes.increment);
    setTitleIfChanged(LeftAxis, Axes.title);
    setFixedAxis(BottomAxis, HistoryTimeRange, HistoryTimeIncrement);

    const THistorySeriesLook look = HistorySeriesLook(DisplayMode);
    if (look.known) {
        chart->legend()->setVisible(look.legend);
        for (int s = 0; s < 3; ++s) {
            setNameIfChanged(Series[size_t(s)], look.titles.value(s));
            Series[size_t(s)]->setVisible(look.active[size_t(s)]);
        }
    }
    Zoomed = false;
}

void THData::fillChart()
{
    setUpChart();
    HasData = true;
    for (int s = 0; s < 3; ++s) {
        QList<QPointF> points;
        points.reserve(HdHistoryMinutes);
        const std::vector<double>& v = SeriesValues[size_t(s)];
        for (int i = 0; i < HdHistoryMinutes; ++i)
            points.append(QPointF(i / 60.0, v[size_t(i)]));
        setPointsIfChanged(Series[size_t(s)], points);
    }
    if (!Zoomed) {
        ZoomLimits = HistoryFitRange(Axes, SeriesValues, SeriesCount);
        setFixedAxis(LeftAxis, ZoomLimits, Axes.increment);
    }
    setTitleIfChanged(BottomAxis, HdHistoryStampText(frame()->LastBlockTime) + "    Hours");
}

void THData::zoomTo(const QRectF& values)
{
    Zoomed = true;
    setFixedAxis(BottomAxis, historyTimeZoom({values.left(), values.right()}),
                 HistoryTimeIncrement);
    const AxisRange value{std::min(values.top(), values.bottom()),
                          std::max(values.top(), values.bottom())};
    if (value.span() > 0)
        setAutomaticAxis(LeftAxis, value);
}

void THData::undoZoom()
{
    Zoomed = false;
    setFixedAxis(LeftAxis, ZoomLimits, Axes.increment);
    setFixedAxis(BottomAxis, HistoryTimeRange, HistoryTimeIncrement);
}

void THData::scrollBy(const QPointF& valueDelta)
{
    // A step that would leave the limits is refused, not clamped.
    const AxisRange time = axisRange(BottomAxis);
    if (scrollAllowed(time, valueDelta.x(), HistoryTimeRange))
        setAutomaticAxis(BottomAxis, {time.min + valueDelta.x(), time.max + valueDelta.x()});
    const AxisRange value = axisRange(LeftAxis);
    if (scrollAllowed(value, valueDelta.y(), Axes.scrollLimits))
        setAutomaticAxis(LeftAxis, {value.min + valueDelta.y(), value.max + valueDelta.y()});
}

void THData::Export()
{
    TFrame2* f = frame();
    if (!HasData || !f)
        return;
    const QDateTime stamp = f->LastBlockTime;
    const QString folder = DataFolder("HISTORICAL");
    const QString name = HdHistoryFileName(Title, stamp);
    QString error;
    if (!WriteHdHistoryExport(folder, name, HdHistoryExportLines(stamp, m_table),
                              &error)) {
        ShowMessageBox(this, {QMessageBox::Warning, "Save Data",
                              "The file " + folder + name + " could not be written: " + error,
                              QMessageBox::Ok});
    }
}

void THData::showHelp()
{
    const QString page = helpPagePath();
    if (!ShellOpenFile(page))
        ShowMessageBox(this, {QMessageBox::Warning, "Help",
                              "The help page " + page + " could not be opened.", QMessageBox::Ok});
}
