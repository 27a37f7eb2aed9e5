#include "vren1/HD_TimeAlign.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "models/HdTimeAlignTexts.h"
#include "platform/UserMessages.h"
#include "plots/ChartKit.h"
#include "protocol/hd/HdRequests.h"
#include "widgets/FillGuard.h"
#include "widgets/FixedFont.h"
#include "widgets/NamedColours.h"
#include "widgets/SetIfChanged.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

constexpr int ResolutionWord = 177;
constexpr int SetResolutionId = 171;
constexpr int SetSampleResolutionId = 198;
constexpr int UpdateDeviceAction = 533;

// The bars stand across these bands of the hidden vertical axis (0 .. 2).
constexpr double AvgLo = 1.1, AvgHi = 1.8, FastLo = 0.2, FastHi = 0.9;

QChartView* chartPanel(QWidget* panel, QChart* chart, const char* name)
{
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* view = new QChartView(chart, panel);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing, false);
    layout->addWidget(view);
    return view;
}

QValueAxis* hiddenBandAxis(QChart* chart)
{
    QValueAxis* y = addValueAxis(chart, Qt::AlignLeft, QString());
    setFixedAxis(y, 0, 2, 1);
    y->setVisible(false);
    return y;
}

void setChartTitle(QChart* chart, const QString& text, const QColor& colour)
{
    setTitleIfChanged(chart, text);
    if (chart->titleBrush().color() != colour)
        chart->setTitleBrush(colour);
}

} // namespace

THDTimeAlign::THDTimeAlign(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH)
{
    setDesignedName(WindowToken::HdTimeAlign, " Vren-1 Time/Level Alignment");
    FillGuard fill(Filling);

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Chart1 = makePlotChart(QString());
    Chart1->setObjectName("Chart1");
    LevelAxis = addValueAxis(Chart1, Qt::AlignBottom, "dB");
    setFixedAxis(LevelAxis, -20.1, 20, 2);
    QValueAxis* levelY = hiddenBandAxis(Chart1);
    SeriesLA1 = addFilledSeries(Chart1, HdTaBlankLevelAvgTitle(), plotSeriesColour(1), LevelAxis,
                                levelY, {0, AvgLo});
    SeriesLA1->setObjectName("SeriesLA1");
    SeriesLA2 = addFilledSeries(Chart1, HdTaBlankLevelFastTitle(), plotSeriesColour(0), LevelAxis,
                                levelY, {0, FastLo});
    SeriesLA2->setObjectName("SeriesLA2");
    useFixedPitchLegend(Chart1);
    chartPanel(Panel1, Chart1, "Chart1View");

    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    Chart2 = makePlotChart(QString());
    Chart2->setObjectName("Chart2");
    // The axis draws its title as rich text, which folds runs of blanks: the
    // no-break spaces keep the two captions spread to the axis's ends.
    SamplesAxis = addValueAxis(Chart2, Qt::AlignBottom,
                               QString("Analog Lagging                    samples                    "
                                       "Analog Leading")
                                   .replace(' ', QChar(0x00A0)));
    MsAxis = addValueAxis(Chart2, Qt::AlignTop, "time(ms)");
    QValueAxis* timeY = hiddenBandAxis(Chart2);
    SeriesTA1 = addFilledSeries(Chart2, HdTaBlankTimeAvgTitle(), plotSeriesColour(1), SamplesAxis,
                                timeY, {0, AvgLo});
    SeriesTA1->setObjectName("SeriesTA1");
    SeriesTA2 = addFilledSeries(Chart2, HdTaBlankTimeFastTitle(), plotSeriesColour(0), SamplesAxis,
                                timeY, {0, FastLo});
    SeriesTA2->setObjectName("SeriesTA2");
    // Never filled: it holds the top axis to the chart, which draws an axis
    // only while a series is attached to it.
    SeriesTA3 = addLineSeries(Chart2, QString(), plotSeriesColour(2), MsAxis, timeY);
    SeriesTA3->setObjectName("SeriesTA3");
    for (QLegendMarker* m : Chart2->legend()->markers(SeriesTA3))
        m->setVisible(false);
    useFixedPitchLegend(Chart2);
    chartPanel(Panel2, Chart2, "Chart2View");

    Panel3 = new QWidget(this);
    Panel3->setObjectName("Panel3");
    auto* grid = new QGridLayout(Panel3);
    const QFont fixed = FixedPitchBoldFont(12);
    auto caption = [&](const char* text, int row, int column) {
        grid->addWidget(new QLabel(text, Panel3), row, column);
    };
    auto value = [&](const char* name, int row, int column) {
        auto* l = new QLabel(Panel3);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        l->setFont(fixed);
        grid->addWidget(l, row, column);
        return l;
    };
    caption("HR:", 0, 0);
    HRComboBox = new QComboBox(Panel3);
    HRComboBox->setObjectName("HRComboBox");
    HRComboBox->addItems(
        {" 5.8 ms", "  12 ms", "  23 ms", "  46 ms", "  93 ms ", " 186 ms", " 372 ms"});
    grid->addWidget(HRComboBox, 0, 1);
    caption("Resolution:", 1, 0);
    SampleResComboBox = new QComboBox(Panel3);
    SampleResComboBox->setObjectName("SampleResComboBox");
    SampleResComboBox->addItem("    Auto ");
    for (int k = 1; k <= 8; ++k)
        SampleResComboBox->addItem(QString(" %1 samples").arg(k));
    grid->addWidget(SampleResComboBox, 1, 1);
    caption("Active Config:", 2, 0);
    Active_ST = value("Active_ST", 2, 1);
    caption("Status: ", 0, 2);
    StatusStaticText = value("StatusStaticText", 0, 3);
    caption("Device Delay: ", 1, 2);
    DeviceDelayStaticText = value("DeviceDelayStaticText", 1, 3);
    caption("Delay Correction:", 2, 2);
    DelayCorrectStaticText = value("DelayCorrectStaticText", 2, 3);
    caption("Average Error:", 0, 4);
    AverageErrorStaticText = value("AverageErrorStaticText", 0, 5);
    caption("Fast Error:", 1, 4);
    FastErrorStaticText = value("FastErrorStaticText", 1, 5);
    UpdateButton = new QPushButton("Update Device", Panel3);
    UpdateButton->setObjectName("UpdateButton");
    grid->addWidget(UpdateButton, 3, 1);
    MScanButton = new QPushButton("Mult-Scan(XX:XX)", Panel3);
    MScanButton->setObjectName("MScanButton");
    grid->addWidget(MScanButton, 3, 3);
    grid->setColumnStretch(6, 1);

    connect(HRComboBox, &QComboBox::activated, this, &THDTimeAlign::HRComboBoxChange);
    connect(SampleResComboBox, &QComboBox::activated, this, &THDTimeAlign::SampleResComboBoxChange);
    connect(UpdateButton, &QPushButton::clicked, this, &THDTimeAlign::UpdateButtonClick);

    if (TFrame2* f = frame()) {
        if (f->ReadOnlyAccess)
            for (QWidget* w :
                 {static_cast<QWidget*>(HRComboBox), static_cast<QWidget*>(SampleResComboBox),
                  static_cast<QWidget*>(UpdateButton)})
                w->setEnabled(false);
        HRComboBox->setCurrentIndex(f->HdLocalConfig[ResolutionWord]);
        // The configuration in use, as every refresh shows it.
        showSampleResolution();
    }
    rescaleTimeAxes();
    for (QChart* chart : {Chart1, Chart2}) {
        // The named green is dark on the chart's background: a bold, larger
        // title keeps it readable.
        QFont font = chart->titleFont();
        font.setBold(true);
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() + 2);
        chart->setTitleFont(font);
    }
    // Tall enough for the time chart's two axes to show their labels.
    resize(900, 760);
}

int THDTimeAlign::currentConfig() const
{
    const TFrame2* f = frame();
    if (!f)
        return 0;
    const int c = f->TimeAlignConfigs.CurrentConfig;
    return (c >= 1 && c <= HdTaConfigCount) ? c : 0;
}

void THDTimeAlign::showSampleResolution()
{
    const int c = currentConfig();
    if (c == 0)
        return;
    const int index = frame()->TimeAlignConfigs.Field7[size_t(c - 1)];
    if (index >= 0 && index < SampleResComboBox->count() &&
        SampleResComboBox->currentIndex() != index)
        SampleResComboBox->setCurrentIndex(index);
}

void THDTimeAlign::rescaleTimeAxes()
{
    const THdTaAxes a = HdTaAxes(HRComboBox->currentIndex());
    setFixedAxis(SamplesAxis, -a.samples, a.samples, a.samplesIncrement);
    setFixedAxis(MsAxis, -a.ms, a.ms, a.msIncrement);
}

void THDTimeAlign::resizeEvent(QResizeEvent* e)
{
    TInstrumentChildWindow::resizeEvent(e);
    const int h = height();
    const int top = int(RoundHalfEven((h - Panel3Height) * 0.43));
    Panel1->setGeometry(0, 0, width(), top);
    Panel2->setGeometry(0, top, width(), h - top - Panel3Height);
    Panel3->setGeometry(0, h - Panel3Height, width(), Panel3Height);
}

void THDTimeAlign::HRComboBoxChange(int index)
{
    TFrame2* f = frame();
    if (Filling || !f)
        return;
    f->HdLocalConfig[ResolutionWord] = index;
    QueueSetParameter(*f, SetResolutionId);
    AxisDirty = true;
}

void THDTimeAlign::SampleResComboBoxChange(int index)
{
    TFrame2* f = frame();
    const int c = currentConfig();
    if (Filling || !f || c == 0)
        return;
    f->TimeAlignConfigs.Field7[size_t(c - 1)] = index;
    QueueSetParameter(*f, SetSampleResolutionId);
}

void THDTimeAlign::UpdateButtonClick()
{
    if (TFrame2* f = frame())
        QueueAction(*f, UpdateDeviceAction);
}

void THDTimeAlign::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f)
        return;
    FillGuard fill(Filling);
    const THdServiceRec& s = f->HdService;

    if (f->PageRefresh.take(prHdTimeAlignDisplay)) {
        const int word = f->HdLocalConfig[ResolutionWord];
        if (HRComboBox->currentIndex() != word)
            HRComboBox->setCurrentIndex(word);
        showSampleResolution();
        rescaleTimeAxes();
    }
    setTextIfChanged(Active_ST, " #" + QString::number(f->ActiveConfigNumber + 1));
    if (s.AutoSampleResolution != LastAutoSampleResolution) {
        const QString item = HdTaAutoItem(s.AutoSampleResolution);
        if (SampleResComboBox->itemText(0) != item)
            SampleResComboBox->setItemText(0, item);
        LastAutoSampleResolution = s.AutoSampleResolution;
    }
    if (AxisDirty) {
        AxisDirty = false;
        rescaleTimeAxes();
    }

    const bool valid = s.TaValid == 1;
    const THdTaChartTitles titles = HdTaChartTitles(valid, s.TaPolarityInverted == 1);
    const QColor colour = titles.red ? NamedColour::Red : NamedColour::Green;
    setChartTitle(Chart1, titles.level, colour);
    setChartTitle(Chart2, titles.time, colour);
    if (valid) {
        const THdTaSpan la = HdTaLevelAvgBar(s.LevelAvg);
        const THdTaSpan lf = HdTaLevelFastBar(s.LevelFast);
        setFloatingBar(SeriesLA1, la.from, la.to, AvgLo, AvgHi);
        setFloatingBar(SeriesLA2, lf.from, lf.to, FastLo, FastHi);
        setReadoutTitle(Chart1, SeriesLA1, HdTaLevelAvgTitle(s.LevelAvg));
        setReadoutTitle(Chart1, SeriesLA2, HdTaLevelFastTitle(s.LevelFast));
        // The limit comes from the resolution shown, not read back from the axis.
        const THdTaTimeBars t =
            HdTaTimeBars(HdTaAxes(HRComboBox->currentIndex()).samples, s.TimeAvg, s.TimeFast);
        setFloatingBar(SeriesTA1, t.avg.from, t.avg.to, AvgLo, AvgHi);
        setFloatingBar(SeriesTA2, t.fast.from, t.fast.to, FastLo, FastHi);
        setReadoutTitle(Chart2, SeriesTA1, HdTaTimeAvgTitle(s.TimeAvg));
        setReadoutTitle(Chart2, SeriesTA2, HdTaTimeFastTitle(s.TimeFast));
    } else {
        for (QAreaSeries* bar : {SeriesLA1, SeriesLA2, SeriesTA1, SeriesTA2})
            setOutline(bar, {});
        setReadoutTitle(Chart1, SeriesLA1, HdTaBlankLevelAvgTitle());
        setReadoutTitle(Chart1, SeriesLA2, HdTaBlankLevelFastTitle());
        setReadoutTitle(Chart2, SeriesTA1, HdTaBlankTimeAvgTitle());
        setReadoutTitle(Chart2, SeriesTA2, HdTaBlankTimeFastTitle());
    }

    setTextIfChanged(StatusStaticText, HdTaStateText(s.TaState));
    setTextIfChanged(DeviceDelayStaticText, HdTaDeviceDelayText(s.TaState, s.DeviceDelayUs));
    setTextIfChanged(AverageErrorStaticText, HdTaErrorText(s.AvgErrorNs));
    setTextIfChanged(FastErrorStaticText, HdTaErrorText(s.FastErrorNs));

    const int c = currentConfig();
    const qint32 mode = c == 0 ? -1 : f->TimeAlignConfigs.Mode[size_t(c - 1)];
    const THdTaUpdateTexts u = HdTaUpdateTexts(mode, s);
    setIfChanged(
        u.caption, [&] { return UpdateButton->text(); },
        [&](const QString& t) { UpdateButton->setText(t); });
    if (mode >= 0 && mode <= 2)
        setTextIfChanged(DelayCorrectStaticText, u.delayCorrection);
    const QString scan = HdTaMultiScanCaption(f->TimeAlignConfigs.ScanMode != 0, s.MultiScanHours,
                                              s.MultiScanMinutes);
    setIfChanged(
        scan, [&] { return MScanButton->text(); },
        [&](const QString& t) { MScanButton->setText(t); });
}
