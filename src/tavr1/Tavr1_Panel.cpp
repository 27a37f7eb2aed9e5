#include "tavr1/Tavr1_Panel.h"

#include "common/Enums.h"
#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/tavr1/Tavr1Commands.h"
#include "widgets/FillGuard.h"
#include "widgets/Lamp.h"
#include "widgets/ReadoutLabel.h"
#include "widgets/SetIfChanged.h"

#include <QKeyEvent>
#include <QMenu>
#include <QSlider>

namespace {

constexpr int TuningItem = 2;
constexpr int RfInputItem = 4;
constexpr int HighLevelAttenuatorItem = 5;
constexpr int AntennaAttenuatorItem = 6;
constexpr int DisplayUnitsItem = 93;
constexpr int TuningCode = 15;
constexpr int AttenuatorCode = 16;

const char* const barGraphCaptions[Tavr1BarGraphCount] = {"Stereo", "RDS/SCA", "Total dB",
                                                          "Separation", "Crosstalk"};
const char* const histogramCaptions[Tavr1HistogramCount] = {
    "Total",     "Left",    "Right",     "L + R",     "L - R",     "Pilot Inj",
    "Pilot Mod", "RDS Inj", "SCA#1 Inj", "SCA#1 MOD", "SCA#2 Inj", "SCA#2MOD"};
const char* const dataTimeCaptions[Tavr1DataTimePlotCount] = {
    "Total",   "Left",      "Right",     "L + R",     "L - R",     "Pilot Inj", "Pilot Mod",
    "RDS Inj", "SCA#1 Inj", "SCA#1 Mod", "SCA#2 Inj", "SCA#2 Mod", "AM Noise",  "Sync AM Noise"};

} // namespace

TTavr1Panel::TTavr1Panel(QWidget* owner)
    : TVFPanel_Tavr1(owner)
    , m_classes(Tavr1WindowClasses())
{
    setObjectName("Tavr1Panel");
    buildForm();
}

TTavr1Panel::TTavr1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                         TFrame2* frame, int index)
    : TVFPanel_Tavr1(ownerRack, parentRack, componentName, frame, index)
    , m_classes(Tavr1WindowClasses())
{
    buildForm();
}

void TTavr1Panel::buildForm()
{
    buildUi();
    buildMenu();
    setDrawsWhiteFrame(true);
    setDesignedSize(600, 255);
    FormCreate();
}

void TTavr1Panel::FormCreate()
{
    setAttribute(Qt::WA_DeleteOnClose);

    QPalette pal = Tuning_TB->palette();
    pal.setColor(QPalette::Window, Olive);
    pal.setColor(QPalette::Button, Olive);
    Tuning_TB->setPalette(pal);
    Tuning_TB->setAutoFillBackground(true);

    {
        FillGuard guard(Filling);
        showTuning(1001);
        Tuning_TB->setValue(1001 - TuningBase);
    }

    // An observer may not tune the unit; the attenuator stays at hand.
    if (Frame && Frame->ReadOnlyAccess)
        Tuning_TB->setEnabled(false);
    // Decided once: a basic unit has no spectrum.
    m_basicUnit = Frame && Frame->Tavr1Options == "Basic";
    updateMenuEntries();

    // Signals are connected once the controls hold their first values, so
    // building the form sends nothing.
    connect(Tuning_TB, &QSlider::valueChanged, this, &TTavr1Panel::Tuning_TBChange);
    connect(Atten_TB, &QSlider::valueChanged, this, &TTavr1Panel::Atten_TBChange);
    Atten_TB->installEventFilter(this);
    for (QWidget* halfPanel : {Panel1, Panel2}) {
        halfPanel->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(
            halfPanel, &QWidget::customContextMenuRequested, this,
            [this, halfPanel](const QPoint& at) { PopupMenu1->popup(halfPanel->mapToGlobal(at)); });
    }
}

// ---- Menu -------------------------------------------------------------------

void TTavr1Panel::buildMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");

    auto entry = [this](QMenu* menu, const QString& text, const QString& name, int kind,
                        int index) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        m_entries.push_back({a, kind, index});
        connect(a, &QAction::triggered, this, [this, kind, index] { openWindow(kind, index); });
    };
    auto group = [&](const QString& text, const QString& name, const QString& subName, int kind,
                     const char* const* captions, int count) {
        QMenu* sub = PopupMenu1->addMenu(text);
        sub->setObjectName(name);
        sub->menuAction()->setObjectName(name);
        for (int i = 0; i < count; ++i)
            entry(sub, captions[i], subName + QString::number(i), kind, i);
    };

    group("BarGraph", "BarGraph1", "BarGraph_", t1kBarGraph, barGraphCaptions, Tavr1BarGraphCount);
    group("Histogram", "Histogram1", "Histogram_", t1kHistogram, histogramCaptions,
          Tavr1HistogramCount);
    group("Data vs. Time", "DatavsTime1", "DataVsTime_", t1kDataTimePlot, dataTimeCaptions,
          Tavr1DataTimePlotCount);
    entry(PopupMenu1, "dB Readings", "dBReadings1", t1kDbReadings, 0);
    entry(PopupMenu1, "Spectrums", "Spectrums1", t1kSpectrum, 0);
    entry(PopupMenu1, "RDS Basic Data", "RDSBasicData1", t1kRdsBasic, 0);
    entry(PopupMenu1, "Alarm/Relay", "AlarmRelay1", t1kAlarmRelay, 0);
    entry(PopupMenu1, "Settings", "Settings1", t1kSettings, 0);
    entry(PopupMenu1, "Unit Config", "UnitConfig1", t1kUnitConfig, 0);
    entry(PopupMenu1, "Raw Data", "RawData1", t1kRawData, 0);
    menuEntry(t1kRawData, 0)->setVisible(false); // designed hidden

    // The alarm/relay variant follows the unit's option letter at each click.
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TTavr1Panel::updateMenuEntries);
}

QAction* TTavr1Panel::menuEntry(int kind, int index) const
{
    for (const MenuEntry& e : m_entries) {
        if (e.kind == kind && e.index == index)
            return e.action;
    }
    return nullptr;
}

void TTavr1Panel::setWindowClasses(const TTavr1WindowClasses& classes)
{
    m_classes = classes;
    updateMenuEntries();
}

void TTavr1Panel::updateMenuEntries()
{
    for (const MenuEntry& e : m_entries)
        e.action->setEnabled(bool(factoryFor(e.kind, e.index)));
    if (m_basicUnit) {
        QAction* spectrums = menuEntry(t1kSpectrum, 0);
        spectrums->setEnabled(false);
        spectrums->setVisible(false);
    }
}

bool TTavr1Panel::usesSnmpAlarmWindow() const
{
    return Frame && Frame->Tavr1OptionLetter == "C";
}

const TChildFactory& TTavr1Panel::factoryFor(int kind, int index) const
{
    static const TChildFactory none;
    switch (kind) {
    case t1kBarGraph: {
        const TChildFactory* bars[Tavr1BarGraphCount] = {
            &m_classes.stereoBarGraph, &m_classes.scaBarGraph, &m_classes.totalDbBarGraph,
            &m_classes.separationBarGraph, &m_classes.crosstalkBarGraph};
        return index >= 0 && index < Tavr1BarGraphCount ? *bars[index] : none;
    }
    case t1kHistogram:
        return m_classes.histogram;
    case t1kDataTimePlot:
        return m_classes.dataTimePlot;
    case t1kDbReadings:
        return m_classes.dbReadings;
    case t1kSpectrum:
        return m_classes.spectrum;
    case t1kRdsBasic:
        return m_classes.rdsBasic;
    case t1kSettings:
        return m_classes.settings;
    case t1kAlarmRelay:
        return usesSnmpAlarmWindow() ? m_classes.alarmRelaySnmp : m_classes.alarmRelay;
    case t1kUnitConfig:
        return m_classes.unitConfig;
    case t1kRawData:
        return m_classes.rawData;
    default:
        return none;
    }
}

int TTavr1Panel::registryIndex(int kind, int index) const
{
    if (kind == t1kAlarmRelay)
        return usesSnmpAlarmWindow() ? 1 : 0;
    return index;
}

void TTavr1Panel::openWindow(int kind, int index)
{
    const TChildFactory& create = factoryFor(kind, index);
    if (!create || !Frame)
        return;
    Children.openOrRaise<QWidget>(kind, registryIndex(kind, index), [&]() -> QWidget* {
        return create(childArgs(pfTavr1, 0, index));
    });
}

// ---- Child windows ----------------------------------------------------------

void TTavr1Panel::ForwardRefresh()
{
    Children.post(t1kDbReadings, 0, UM_TAVR1_REFRESH);
    for (int i = 0; i < Tavr1BarGraphCount; ++i)
        Children.post(t1kBarGraph, i, UM_TAVR1_REFRESH);
    Children.post(t1kSpectrum, 0, UM_TAVR1_REFRESH);
    Children.post(t1kRdsBasic, 0, UM_TAVR1_REFRESH);
    Children.post(t1kAlarmRelay, 0, UM_TAVR1_REFRESH); // plain
    Children.post(t1kAlarmRelay, 1, UM_TAVR1_REFRESH); // trap variant
    Children.post(t1kSettings, 0, UM_TAVR1_REFRESH);
    for (int i = 0; i < Tavr1HistogramCount; ++i)
        Children.post(t1kHistogram, i, UM_PANEL_REFRESH);
    for (int i = 0; i < Tavr1DataTimePlotCount; ++i)
        Children.post(t1kDataTimePlot, i, UM_PANEL_REFRESH);
    Children.post(t1kRawData, 0, UM_TAVR1_REFRESH);
    Children.post(t1kUnitConfig, 0, UM_TAVR1_REFRESH);
}

void TTavr1Panel::ChildClosed(int kind, int index)
{
    switch (kind) {
    case t1kBarGraph:
        if (index >= 0 && index < Tavr1BarGraphCount)
            Children.forget(kind, index);
        break;
    case t1kHistogram:
        if (index >= 0 && index < Tavr1HistogramCount)
            Children.forget(kind, index);
        break;
    case t1kDataTimePlot:
        if (index >= 0 && index < Tavr1DataTimePlotCount)
            Children.forget(kind, index);
        break;
    case t1kDbReadings:
    case t1kSpectrum:
    case t1kRdsBasic:
    case t1kSettings:
    case t1kUnitConfig:
    case t1kRawData:
        Children.forget(kind, 0);
        break;
    case t1kAlarmRelay:
        // Both variants post the same kind and index; only the one that
        // closed is forgotten, so an open one keeps its refreshes.
        Children.forgetClosed(kind);
        break;
    default:
        break;
    }
}

// ---- Refresh ----------------------------------------------------------------

void TTavr1Panel::RefreshPanel()
{
    TFrame2& f = *Frame;
    const Tavr1ConfigRecord& c = f.Tavr1LocalConfig;

    // The track bars are refilled only when the unit or the settings window
    // reported new values, so the user's own dragging is not undone by
    // every block.
    if (f.PageRefresh.take(prTuning)) {
        FillGuard guard(Filling);
        showTuning(c[TuningItem]);
        Tuning_TB->setValue(c[TuningItem] - TuningBase);
        const int a = attenuatorWord();
        Atten_TB->setValue(AttenuatorMax - qBound(0, a, AttenuatorMax));
        showAttenuator(a);
        const bool highLevel = c[RfInputItem] != 0;
        for (int i = 0; i < 7; ++i) {
            const int segment = i + 1;
            QColor colour;
            if (highLevel)
                colour = segment <= 4 ? Yellow : segment <= 6 ? Lime : Red;
            else
                colour = segment <= 2 ? Yellow : segment <= 5 ? Lime : Red;
            RF_Lev_Bar[i]->setColor(colour);
        }
    }

    const QString u = c[DisplayUnitsItem] == 0 ? QStringLiteral("%") : QStringLiteral("khz");
    const Tavr1MeasurementBlock& m = f.Tavr1Measurements;
    auto show = [&](ReadoutLabel* l, int width, int channel, int slot, const QString& suffix) {
        setTextIfChanged(l, RealField(width, 1, m[channel][slot] / 10.0) + suffix);
    };
    show(LD_Total_Peak, 5, tcTotal, tsPeak, u);
    show(LD_Left_Peak, 5, tcLeft, tsPeak, u);
    show(LD_Right_Peak, 5, tcRight, tsPeak, u);
    show(LD_LPR_Peak, 5, tcLPlusR, tsPeak, u);
    show(LD_LMR_Peak, 5, tcLMinusR, tsPeak, u);
    show(LD_Pilot_Inj, 4, tcPilot, tsInjection, u);
    show(LD_Pilot_Mod, 5, tcPilot, tsPeak, "%");
    show(LD_RDS_Inj, 4, tcRds, tsInjection, u);
    show(LD_SCA1_Inj, 4, tcSca1, tsInjection, u);
    show(LD_SCA1_Peak, 5, tcSca1, tsPeak, u);
    show(LD_SCA2_Inj, 4, tcSca2, tsInjection, u);
    show(LD_SCA2_Peak, 5, tcSca2, tsPeak, u);
    setTextIfChanged(LD_RDS_Ph, QString());

    // RF level, by the input selected now.
    qint64 v;
    if (c[RfInputItem] != 0) {
        show(LD_RF_Lev, 6, tcRfLevel, tsPeak, "%");
        v = m[tcRfLevel][tsPeak];
    } else {
        show(LD_RF_Lev, 6, tcRfLevel, tsRmsDb, "dB");
        v = qint64(m[tcRfLevel][tsRmsDb]) + 1000; // tenths of dB above -100 dB
    }
    // Each segment grows from its own left edge and covers the ones before;
    // the strip clips what passes its right edge.
    const qint64 b = v / 10;
    static constexpr int thresholds[7] = {0, 20, 40, 60, 80, 100, 110};
    for (int i = 0; i < 7; ++i) {
        Lamp* s = RF_Lev_Bar[i];
        const int w = b > thresholds[i] ? int(qMin<qint64>(b - thresholds[i], 4096)) : 0;
        setSizeIfChanged(s, QSize(w, s->height()));
    }

    struct LampBit
    {
        Lamp* lamp;
        quint8 bit;
        QColor on, off;
    };
    const LampBit lamps[] = {
        {LED_Total_Peak, 0x80, Red, Maroon}, {LED_Pilot, 0x40, Lime, Green},
        {LED_RDS, 0x20, Lime, Green},        {LED_RDS_SYNC, 0x10, Yellow, Olive},
        {LED_SCA1_Inj, 0x08, Lime, Green},   {LED_SCA1_Peak, 0x04, Red, Maroon},
        {LED_SCA2_INJ, 0x02, Lime, Green},   {LED_SCA2_Peak, 0x01, Red, Maroon},
    };
    for (const LampBit& l : lamps)
        l.lamp->setColor((f.Tavr1Leds & l.bit) ? l.on : l.off);

    ForwardRefresh();
}

void TTavr1Panel::showTuning(int tuning)
{
    setTextIfChanged(FreqLabel, RealField(5, 1, tuning / 10.0));
}

int TTavr1Panel::attenuatorWord() const
{
    const Tavr1ConfigRecord& c = Frame->Tavr1LocalConfig;
    return c[RfInputItem] != 0 ? c[HighLevelAttenuatorItem] : c[AntennaAttenuatorItem];
}

void TTavr1Panel::setAttenuatorWord(int a)
{
    Tavr1ConfigRecord& c = Frame->Tavr1LocalConfig;
    c[c[RfInputItem] != 0 ? HighLevelAttenuatorItem : AntennaAttenuatorItem] = a;
}

void TTavr1Panel::showAttenuator(int a)
{
    // The text shows the word as the unit holds it; only the bar, which
    // cannot be drawn outside 0..63, is held to that range.
    const double dB = a == 0 ? 0.0 : a * -0.5;
    setTextIfChanged(LD_RF_Atten, RealField(6, 1, dB) + "dB");
    const int shown = qBound(0, a, AttenuatorMax);
    const int w = int(RoundHalfEven((64 - shown) / 64.0 * 120));
    setSizeIfChanged(Atten_Bar1, QSize(w, Atten_Bar1->height()));
    setGeometryIfChanged(Atten_Bar2, QRect(w + 4, Atten_Bar2->y(), 120 - w, Atten_Bar2->height()));
}

// ---- Track bars -------------------------------------------------------------

void TTavr1Panel::Tuning_TBChange()
{
    if (Filling || !Frame)
        return;
    const int tuning = Tuning_TB->value() + TuningBase;
    Frame->Tavr1LocalConfig[TuningItem] = tuning;
    showTuning(tuning);
    // Every position sends; the slot takes the value when the line leaves, so
    // a request dropped while one is pending still ends on the last position.
    PostTavr1SetParameter(*Frame, TuningCode, 0, 0, 0, 0);
    Frame->PageRefresh.raise(prSettings);
}

void TTavr1Panel::Atten_TBChange()
{
    if (Filling || !Frame)
        return;
    const int a = AttenuatorMax - Atten_TB->value();
    setAttenuatorWord(a);
    showAttenuator(a);
}

void TTavr1Panel::Atten_TBKeyUp()
{
    sendAttenuator();
}

void TTavr1Panel::Atten_TBMouseUp()
{
    sendAttenuator();
}

void TTavr1Panel::sendAttenuator()
{
    if (Filling || !Frame)
        return;
    PostTavr1SetParameter(*Frame, AttenuatorCode, 0, 0, 0, 0);
    Frame->PageRefresh.raise(prSettings);
}

bool TTavr1Panel::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == Atten_TB && Atten_TB->isEnabled()) {
        if (e->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(e)->isAutoRepeat())
            Atten_TBKeyUp();
        else if (e->type() == QEvent::MouseButtonRelease)
            Atten_TBMouseUp();
    }
    return TVFPanel_Tavr1::eventFilter(watched, e);
}
