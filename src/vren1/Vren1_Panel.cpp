#include "vren1/Vren1_Panel.h"

#include "common/Enums.h"
#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/hd/HdRequests.h"
#include "vren1/HD_Glyphs.h"
#include "widgets/FillGuard.h"
#include "widgets/Lamp.h"
#include "widgets/ReadoutLabel.h"

#include <QMenu>
#include <QSlider>
#include <QToolButton>
#include <cmath>

namespace {

constexpr int TuningWord = 2;
constexpr int RfInputWord = 4;
constexpr int SelectedProgramWord = 162;
constexpr int PresetWord = 1;
constexpr int TuningId = 15;
constexpr int RecallId = 232;
constexpr int SaveId = 233;
constexpr int SelectD1Action = 517;

using Classes = TVren1WindowClasses;

// Every window the panel can hold, in the order refreshes are forwarded to
// them. A later window joins by its class in Vren1_PanelWindows.cpp; its row
// is already here.
struct TRegistryRow
{
    int kind;
    int first, last; // indices
    int message;
    TChildFactory Classes::*cls;
};

const TRegistryRow registry[] = {
    {v1kBarGraph, 0, 8, UM_HD_REFRESH, &Classes::barGraph},
    {v1kBarGraph, Vren1AnalogBarGraphIndex, Vren1AnalogBarGraphIndex, UM_HD_REFRESH,
     &Classes::analogBarGraph},
    {v1kHistogram, 0, Vren1MeasurementCount - 1, UM_PANEL_REFRESH, &Classes::histogram},
    {v1kDataTimePlot, 0, Vren1MeasurementCount - 1, UM_PANEL_REFRESH, &Classes::dataTimePlot},
    {v1kHistoricalData, 0, Vren1MenuMeasurements - 1, UM_PANEL_REFRESH, &Classes::historicalData},
    {v1kHistoricalData, Vren1AlignmentFirst, Vren1MeasurementCount - 1, UM_PANEL_REFRESH,
     &Classes::historicalData},
    {v1kSisData, 0, 0, UM_HD_REFRESH, &Classes::sisData},
    {v1kPadData, 0, 0, UM_HD_REFRESH, &Classes::padData},
    {v1kSigInfo, 0, 0, UM_HD_REFRESH, &Classes::sigInfo},
    {v1kArtistExperience, 0, 0, UM_HD_REFRESH, &Classes::artistExperience},
    {v1kArtistExperience, 1, 1, UM_HD_REFRESH, &Classes::aeEventLog},
    {v1kProgramSel, 0, 0, UM_HD_REFRESH, &Classes::programSel},
    {v1kSettings, 0, 0, UM_HD_REFRESH, &Classes::settings},
    {v1kSpectrum, 0, 0, UM_HD_REFRESH, &Classes::spectrum},
    {v1kTimeAlign, 0, 0, UM_HD_REFRESH, &Classes::timeAlign},
    {v1kTimeAlign, 1, 1, UM_HD_REFRESH, &Classes::taSettings},
    {v1kBerData, 0, 0, UM_HD_REFRESH, &Classes::berData},
    {v1kAlarmRelay, 0, 0, UM_HD_REFRESH, &Classes::alarmRelay},
    {v1kRawData, 0, 0, UM_HD_REFRESH, &Classes::rawData},
    {v1kUnitConfig, 0, 0, UM_HD_REFRESH, &Classes::unitConfig},
};

const TRegistryRow* rowFor(int kind, int index)
{
    for (const TRegistryRow& r : registry)
        if (r.kind == kind && index >= r.first && index <= r.last)
            return &r;
    return nullptr;
}

const char* const barGraphCaptions[10] = {
    "HD Audio: Analog", "HD Audio: HD1", "HD Audio: HD2", "HD Audio: HD3", "HD Audio: HD4",
    "HD Audio: HD5",    "HD Audio: HD6", "HD Audio: HD7", "HD Audio: HD8", "Analog Readings"};

const char* const histogramCaptions[Vren1MenuMeasurements] = {
    "Total",      "Left",        "Right",       "L + R",         "L - R",         "Pilot Inj",
    "RDS Inj",    "HD Analog L", "HD Analog R", "HD Analog L+R", "HD Analog L-R", "HD1  L",
    "HD1  R",     "HD1  L + R",  "HD1  L - R",  "HD2  L",        "HD2  R",        "HD2  L + R",
    "HD2  L - R", "HD3  L",      "HD3  R",      "HD3  L + R",    "HD3  L - R",    "HD4  L",
    "HD4  R",     "HD4  L + R",  "HD4  L - R"};

// The time-plot menu writes a few captions its own way.
QString dataTimeCaption(int i)
{
    switch (i) {
    case 4:
        return QStringLiteral("L-R");
    case 13:
        return QStringLiteral("HD1  L+R");
    case 15:
        return QStringLiteral("HD2   L");
    default:
        return QString::fromLatin1(histogramCaptions[i]);
    }
}

const char* const alignmentCaptions[5] = {"Level Alignment", "Time Alignment", "Device Delay",
                                          "Delay Error", "Delay Correction"};
const char* const alignmentHistogramCaptions[5] = {
    "Level Alignment", "Time Alignment", " Device Delay", " Delay Error", " Delay Correction"};

void setIfChanged(QLabel* l, const QString& text)
{
    if (l->text() != text)
        l->setText(text);
}

void setFontColour(QLabel* l, const QColor& c)
{
    if (l->palette().color(QPalette::WindowText) == c)
        return;
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, c);
    l->setPalette(pal);
}

} // namespace

TVren1Panel::TVren1Panel(QWidget* owner)
    : TVFPanel_HD(owner)
    , m_classes(Vren1WindowClasses())
{
    setObjectName("Vren1Panel");
    buildForm();
}

TVren1Panel::TVren1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                         TFrame2* frame, int index)
    : TVFPanel_HD(ownerRack, parentRack, componentName, frame, index)
    , m_classes(Vren1WindowClasses())
{
    buildForm();
}

void TVren1Panel::buildForm()
{
    buildUi();
    buildMenu();
    setDrawsWhiteFrame(false);
    setDesignedSize(600, 260);
    FormCreate();
}

void TVren1Panel::FormCreate()
{
    setAttribute(Qt::WA_DeleteOnClose);

    QPalette pal = Tuning_TB->palette();
    pal.setColor(QPalette::Window, Olive);
    pal.setColor(QPalette::Button, Olive);
    Tuning_TB->setPalette(pal);
    Tuning_TB->setAutoFillBackground(true);

    {
        FillGuard guard(Filling);
        LastTuning = 1001;
        showTuning(LastTuning);
        Tuning_TB->setValue(int(RoundHalfEven((LastTuning - TuningBase) / 2.0)));
    }

    // An observer may not tune the unit; presets and programs stay at hand.
    if (Frame && Frame->ReadOnlyAccess)
        Tuning_TB->setEnabled(false);

    // A new panel draws its buttons from what the frame holds now.
    if (Frame) {
        PanelProgramsMaskSeen = Frame->HdService.ProgramsMask[0];
        PanelCurrentProgramSeen = Frame->HdService.CurrentProgram[0];
    }
    drawProgramButtons();

    connect(Tuning_TB, &QSlider::valueChanged, this, &TVren1Panel::Tuning_TBChange);
    for (int n = 1; n <= 8; ++n)
        connect(PS_HD_D1[size_t(n - 1)], &QToolButton::clicked, this,
                [this, n] { PS_HD_D1Click(n); });
    for (int n = 1; n <= 6; ++n)
        connect(P_Label[size_t(n - 1)], &ReadoutLabel::clicked, this,
                [this, n] { PRecallClick(n); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(mapToGlobal(at)); });
}

// ---- Menu -------------------------------------------------------------------

void TVren1Panel::buildMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");

    auto sub = [](QMenu* parent, const QString& text, const QString& name) {
        QMenu* m = parent->addMenu(text);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };
    auto entry = [this](QMenu* menu, const QString& text, const QString& name, int kind,
                        int index) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        m_entries.push_back({a, kind, index});
        connect(a, &QAction::triggered, this, [this, kind, index] { openWindow(kind, index); });
        return a;
    };
    auto measurements = [&](QMenu* menu, const QString& prefix, int kind, bool dataTime) {
        for (int i = 0; i < Vren1MenuMeasurements; ++i)
            entry(menu, dataTime ? dataTimeCaption(i) : QString(histogramCaptions[i]),
                  prefix + QString::number(i), kind, i);
    };
    auto alignment = [&](QMenu* menu, const QString& prefix, int kind) {
        for (int i = 0; i < 5; ++i)
            entry(menu, alignmentCaptions[i], prefix + QString::number(Vren1AlignmentFirst + i),
                  kind, Vren1AlignmentFirst + i);
    };

    QMenu* bars = sub(PopupMenu1, "BarGraph", "BarGraph1");
    for (int i = 0; i < 10; ++i)
        entry(bars, barGraphCaptions[i], "BarGraph_" + QString::number(i), v1kBarGraph, i);
    measurements(sub(PopupMenu1, "Histogram", "Histogram1"), "Histogram_", v1kHistogram, false);
    measurements(sub(PopupMenu1, "Data Vs Time Graph", "DataVsTime1"), "DataVsTime_",
                 v1kDataTimePlot, true);
    measurements(sub(PopupMenu1, "Historical Data 24 hr", "Historical1"), "Historical_",
                 v1kHistoricalData, false);
    entry(PopupMenu1, "SIS Data", "SISData1", v1kSisData, 0);
    entry(PopupMenu1, "PAD Data", "PADData1", v1kPadData, 0);
    entry(PopupMenu1, "SIG Information", "SIGInfo1", v1kSigInfo, 0);
    QMenu* aas = sub(PopupMenu1, "AAS/LOT Data", "AASLOT1");
    entry(aas, "Artist Experience", "ArtistExperience1", v1kArtistExperience, 0);
    entry(aas, "Event Log", "EventLog1", v1kArtistExperience, 1);
    entry(PopupMenu1, "Spectrum", "Spectrum1", v1kSpectrum, 0);

    QMenu* ta = sub(PopupMenu1, "Time/ Level  Alignment", "TimeAlign1");
    entry(ta, "BarGraph and Status", "TA_BarGraph1", v1kTimeAlign, 0);
    // Designed hidden; its items open nothing.
    QMenu* taHistogram = sub(ta, "Histogram", "TA_Histogram1");
    for (int i = 0; i < 5; ++i)
        taHistogram->addAction(alignmentHistogramCaptions[i])
            ->setObjectName("TA_Histogram_" + QString::number(Vren1AlignmentFirst + i));
    taHistogram->menuAction()->setVisible(false);
    alignment(sub(ta, "Data vs Time Graph", "TA_DataVsTime1"), "TA_DataVsTime_", v1kDataTimePlot);
    alignment(sub(ta, "Historical Data 24 hr", "TA_Historical1"), "TA_Historical_",
              v1kHistoricalData);
    entry(ta, "Settings", "TA_Settings1", v1kTimeAlign, 1);

    entry(PopupMenu1, "Program Select", "ProgramSelect1", v1kProgramSel, 0);
    entry(PopupMenu1, "BER", "BER1", v1kBerData, 0);
    entry(PopupMenu1, "Relay Alarms", "RelayAlarms1", v1kAlarmRelay, 0);
    entry(PopupMenu1, "Settings", "Settings1", v1kSettings, 0);

    QMenu* presets = sub(PopupMenu1, "Presets", "Presets1");
    QMenu* recall = sub(presets, "Recall", "Recall1");
    QMenu* save = sub(presets, " Save", "Save1");
    for (int n = 1; n <= 6; ++n) {
        QAction* r = recall->addAction(QString::number(n));
        r->setObjectName("PRecall" + QString::number(n));
        connect(r, &QAction::triggered, this, [this, n] { PRecallClick(n); });
        QAction* s = save->addAction(QString::number(n));
        s->setObjectName("PSave" + QString::number(n));
        connect(s, &QAction::triggered, this, [this, n] { PSaveClick(n); });
    }

    entry(PopupMenu1, "Unit Config", "UnitConfig1", v1kUnitConfig, 0);
    entry(PopupMenu1, "Raw Data", "RawData1", v1kRawData, 0)->setVisible(false);

    updateMenuEntries();
}

QAction* TVren1Panel::menuEntry(int kind, int index) const
{
    for (const MenuEntry& e : m_entries) {
        if (e.kind == kind && e.index == index)
            return e.action;
    }
    return nullptr;
}

void TVren1Panel::setWindowClasses(const TVren1WindowClasses& classes)
{
    m_classes = classes;
    updateMenuEntries();
}

void TVren1Panel::updateMenuEntries()
{
    for (const MenuEntry& e : m_entries)
        e.action->setEnabled(bool(factoryFor(e.kind, e.index)));
}

const TChildFactory& TVren1Panel::factoryFor(int kind, int index) const
{
    static const TChildFactory none;
    const TRegistryRow* r = rowFor(kind, kind == v1kAlarmRelay ? 0 : index);
    return r ? m_classes.*(r->cls) : none;
}

QPair<int, int> TVren1Panel::registryKey(int kind, int index)
{
    if (kind == v1kAlarmRelay && (index == 0 || index == Vren1AlarmRelayCreateIndex))
        return {kind, 0};
    if (!rowFor(kind, index))
        return {-1, -1};
    return {kind, index};
}

void TVren1Panel::openWindow(int kind, int index)
{
    const TChildFactory& create = factoryFor(kind, index);
    const QPair<int, int> key = registryKey(kind, index);
    if (!create || !Frame || key.first < 0)
        return;
    // The alarm/relay window is made with its own index, 3, which its name
    // carries; it reports its closing as (10, 0), the slot it is kept in.
    const int createIndex = kind == v1kAlarmRelay ? Vren1AlarmRelayCreateIndex : index;
    Children.openOrRaise<QWidget>(key.first, key.second, [&]() -> QWidget* {
        return create(childArgs(pfVren1, 0, createIndex));
    });
}

// ---- Child windows ----------------------------------------------------------

void TVren1Panel::ForwardRefresh()
{
    for (const TRegistryRow& r : registry)
        for (int i = r.first; i <= r.last; ++i)
            Children.post(r.kind, i, r.message);
}

void TVren1Panel::ChildClosed(int kind, int index)
{
    // A pair outside the table names no window of this panel.
    if (kind == v1kAlarmRelay ? index != 0 : !rowFor(kind, index))
        return;
    Children.forget(kind, index);
}

// ---- Refresh ----------------------------------------------------------------

void TVren1Panel::RefreshPanel()
{
    TFrame2& f = *Frame;
    const HdConfigRecord& c = f.HdLocalConfig;
    const THdServiceRec& sv = f.HdService;

    // The slider is refilled only when the unit or the settings window
    // reported new values, so the user's own dragging is not undone.
    if (f.PageRefresh.take(prTuning)) {
        FillGuard guard(Filling);
        const int tuning = c[TuningWord];
        showTuning(tuning);
        Tuning_TB->setValue(int(RoundHalfEven((tuning - TuningBase) / 2.0)));
        colourRfBar(c[RfInputWord] != 0);
        PanelProgramsMaskSeen = sv.ProgramsMask[0];
        PanelCurrentProgramSeen = sv.CurrentProgram[0];
        drawProgramButtons();
    }

    LED1->setColor((f.HdStatus & 1) ? Lime : Green);
    LED2->setColor((f.HdStatus & 2) ? Lime : Green);
    LED3->setColor((f.HdStatus & 4) ? Lime : Green);

    if (f.HdStatus & 1) {
        setIfChanged(LService_Mode, sv.ServiceModeText);
        setIfChanged(LCODEC_Mode, ByteToHex2(quint8(sv.CodecMode)));
        setIfChanged(LCD_NO, RealField(5, 2, sv.CdNo) + " dB");
        setIfChanged(LQI, IntField(sv.QualityIndicator, 2));
        setIfChanged(LDAAI, RealField(5, 2, sv.Daai));
        setIfChanged(LAcq_Time_Audio, IntField(sv.AcqTimeAudio, 4) + " ms");
        setIfChanged(LAcq_Time_Data, IntField(sv.AcqTimeData, 4) + " ms");
    } else {
        setIfChanged(LService_Mode, QString());
        setIfChanged(LCODEC_Mode, QString());
        setIfChanged(LCD_NO, QStringLiteral("      dB"));
        setIfChanged(LQI, QString());
        setIfChanged(LDAAI, QString());
        setIfChanged(LAcq_Time_Audio, QStringLiteral("     ms"));
        setIfChanged(LAcq_Time_Data, QStringLiteral("     ms"));
    }

    // RF level, by the input selected now; v in whole percent or dB + 100.
    const THdMeasurementRec& rf = f.HdMeasurements[0];
    qint64 v;
    if (c[RfInputWord] != 0) {
        setIfChanged(LD_RF_Lev, RealField(6, 1, rf.Peak / 10.0) + "%");
        v = rf.Peak / 10;
    } else {
        setIfChanged(LD_RF_Lev, RealField(6, 1, rf.Db / 10.0) + "dB");
        v = (qint64(rf.Db) + 1000) / 10;
    }
    static constexpr int thresholds[7] = {0, 20, 40, 60, 80, 100, 110};
    static constexpr int maxWidths[7] = {20, 20, 20, 20, 20, 10, 11};
    for (int i = 0; i < 7; ++i) {
        Lamp* s = RF_Lev_Bar[size_t(i)];
        const int w = v > thresholds[i] ? int(qMin<qint64>(v - thresholds[i], maxWidths[i])) : 0;
        if (s->width() != w)
            s->resize(w, s->height());
    }

    if (sv.ProgramsMask[0] != PanelProgramsMaskSeen ||
        sv.CurrentProgram[0] != PanelCurrentProgramSeen) {
        PanelProgramsMaskSeen = sv.ProgramsMask[0];
        PanelCurrentProgramSeen = sv.CurrentProgram[0];
        drawProgramButtons();
    }

    for (int n = 1; n <= 6; ++n)
        setFontColour(P_Label[size_t(n - 1)], f.HdUnitConfig[PresetWord] == n ? Lime : Gray);

    ForwardRefresh();
}

void TVren1Panel::colourRfBar(bool highLevel)
{
    static const QColor* const dB[7] = {&Yellow, &Yellow, &Lime, &Lime, &Lime, &Red, &Red};
    static const QColor* const percent[7] = {&Yellow, &Yellow, &Yellow, &Yellow,
                                             &Lime,   &Lime,   &Red};
    for (int i = 0; i < 7; ++i)
        RF_Lev_Bar[size_t(i)]->setColor(highLevel ? *percent[i] : *dB[i]);
}

void TVren1Panel::drawProgramButtons()
{
    ++ProgramDrawCount;
    const qint32 selection = Frame ? Frame->HdLocalConfig[SelectedProgramWord] : 0;
    const THdProgramGlyphs g =
        HdProgramGlyphs(PanelProgramsMaskSeen, PanelCurrentProgramSeen, selection);
    for (int n = 0; n < 8; ++n) {
        QToolButton* b = PS_HD_D1[size_t(n)];
        // Once available a program stays selectable: a program that drops out
        // for a moment keeps its button, shown black.
        if (g.available[n])
            b->setEnabled(true);
        SetHdGlyph(b, g.glyph[n], 14);
    }
}

void TVren1Panel::showTuning(int tuning)
{
    setIfChanged(FreqLabel, RealField(5, 1, tuning / 10.0));
}

// ---- Controls ---------------------------------------------------------------

void TVren1Panel::Tuning_TBChange()
{
    if (Filling || !Frame)
        return;
    const int tuning = Tuning_TB->value() * 2 + TuningBase;
    LastTuning = tuning;
    Frame->HdLocalConfig[TuningWord] = tuning;
    showTuning(tuning);
    QueueSetParameter(*Frame, TuningId, 0, 0, 0, 0);
    Frame->PageRefresh.raise(prSettings);
}

void TVren1Panel::PS_HD_D1Click(int n)
{
    if (!Frame || n < 1 || n > 8)
        return;
    Frame->HdLocalConfig[SelectedProgramWord] = 1 << (n - 1);
    drawProgramButtons();
    QueueAction(*Frame, SelectD1Action, 0, 0, 0, quint8(n - 1));
}

void TVren1Panel::PRecallClick(int n)
{
    if (Filling || !Frame || n < 1 || n > 6)
        return;
    QueueSetParameter(*Frame, RecallId, 0, 0, 0, quint8(n));
}

void TVren1Panel::PSaveClick(int n)
{
    if (Filling || !Frame || n < 1 || n > 6)
        return;
    QueueSetParameter(*Frame, SaveId, 0, 0, 0, quint8(n));
}
