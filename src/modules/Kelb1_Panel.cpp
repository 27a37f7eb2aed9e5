#include "modules/Kelb1_Panel.h"

#include "common/Enums.h"
#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "modules/DisplayAlarms.h"
#include "modules/RackPanelKit.h"
#include "platform/UserMessages.h"
#include "protocol/rack/RackCommands.h"
#include "widgets/Lamp.h"

#include <QLabel>
#include <QMenu>

using namespace RackPanelKit;

namespace {

const char* const measurementNames[9] = {"Total",     "Loop #1",    "Loop #2",
                                         "Pilot Mod", "Pilot Inj",  "SCA Inj",
                                         "AM Noise",  "SYNC Noise", "RF LEVEL"};

constexpr int PanelWidth = 600;
constexpr int PanelHeight = 117;

} // namespace

TKelb1Panel::TKelb1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                         TFrame2* frame, int index)
    : TVFPanel(ownerRack, parentRack, componentName, frame, index)
{
    setDesignedSize(PanelWidth, PanelHeight);
    paintBlack(this);
    buildForm();
    buildMenu();
    FormCreate();
}

void TKelb1Panel::buildForm()
{
    UnitName = caption(this, "UnitName", "Kelb-1", QRect(10, 6, 80, 18), 13,
                       Qt::AlignLeft | Qt::AlignVCenter);
    ModulationString = readout(this, "ModulationString", "100.0", QRect(10, 28, 120, 44), 32);
    caption(this, "Label_Modulation", "MODULATION", QRect(10, 74, 120, 16));

    buildMenuStrip(this, 146, 184, true);
    ledRow(this, {&LED1, &LED2, &LED3}, {"PEAK MOD", "PPM", "GENERAL"},
           {RedLampPair, RedLampPair, RedLampPair}, {420, 60, 22, 60});
}

void TKelb1Panel::buildMenu()
{
    PopupMenu1 = panelPopup(this);
    auto entry = [this](QMenu* menu, const QString& text, const QString& name, int kind,
                        int index) {
        windowEntry(menu, text, name, [this, kind, index] { openWindow(kind, index); });
    };
    auto group = [&](const QString& text, const QString& name, const QString& subName, int kind,
                     int count, bool dataTime) {
        QMenu* sub = windowGroup(PopupMenu1, text, name);
        for (int i = 0; i < count; ++i) {
            const QString caption = dataTime && i == 8 ? QString("RF Level") : measurementNames[i];
            entry(sub, caption, subName + QString::number(i), kind, i);
        }
    };
    group("Bar Graph", "BarGraph1", "BarGraph_", kBarGraph, BarGraphCount, false);
    group("Histogram", "Histogram1", "Histogram_", kHistogram, HistogramCount, false);
    group("Data vs. Time", "DatavsTime1", "DataVsTime_", kDataTimePlot, DataTimePlotCount, true);
    entry(PopupMenu1, "Alarms", "Alarms1", kAlarms, 0);
}

void TKelb1Panel::FormCreate()
{
    m_menu = std::make_unique<TKelb1Menu>(Frame ? Frame->Kelb1State.OptionBits : 0);
    if (Frame)
        Frame->SendCommand(Kelb1PanelOpenCmd());
}

void TKelb1Panel::send(const QList<QByteArray>& commands)
{
    if (!Frame)
        return;
    for (const QByteArray& c : commands)
        Frame->SendCommand(c);
}

void TKelb1Panel::RefreshPanel()
{
    if (!Frame)
        return;
    const TKelb1State& s = Frame->Kelb1State;
    const TMeasurementHistory& h = Frame->MeasurementHistory;
    setTextIfChanged(ModulationString, RealField(5, 1, h[0][1] / 10.0));
    setTextIfChanged(MenuString, TKelb1Menu::MenuText(s.MenuIndex, s, h));
    setLed(LED1, RedLampPair, s.LedBits & 0x80);
    setLed(LED2, RedLampPair, s.LedBits & 0x40);
    setLed(LED3, RedLampPair, s.LedBits & 0x20);
    ForwardRefresh();
}

void TKelb1Panel::ForwardRefresh()
{
    for (int i = 0; i < DataTimePlotCount; ++i)
        Children.post(kDataTimePlot, i, UM_PANEL_REFRESH);
    for (int i = 0; i < HistogramCount; ++i)
        Children.post(kHistogram, i, UM_PANEL_REFRESH);
    for (int i = 0; i < BarGraphCount; ++i)
        Children.post(kBarGraph, i, UM_PANEL_REFRESH);
    Children.post(kAlarms, 0, UM_PANEL_REFRESH);
}

void TKelb1Panel::ChildClosed(int kind, int index)
{
    switch (kind) {
    case kBarGraph:
    case kHistogram:
    case kDataTimePlot:
    case kAlarms:
        Children.forget(kind, index);
        break;
    default:
        break;
    }
}

void TKelb1Panel::openWindow(int kind, int index)
{
    if (!Frame)
        return;
    Children.openOrRaise<QWidget>(kind, index, [&]() -> QWidget* {
        const TChildWindowArgs args = childArgs(pfFMRack, 0, index);
        return kind == kAlarms ? new TDisplayAlarms(args) : newPlotWindow(kind, args);
    });
}

void TKelb1Panel::SpeedButton1Click()
{
    if (!Frame)
        return;
    send(m_menu->key1(Frame->Kelb1State));
    RefreshPanel();
}

void TKelb1Panel::SpeedButton2Click()
{
    if (!Frame)
        return;
    send(m_menu->key2(Frame->Kelb1State));
    RefreshPanel();
}

void TKelb1Panel::SpeedButton3Click()
{
    if (!Frame)
        return;
    send(m_menu->key3(Frame->Kelb1State, Frame->AccessLevel));
    RefreshPanel();
}

void TKelb1Panel::SpeedButton4Click()
{
    if (!Frame || !RackMayChange(Frame->AccessLevel))
        return;
    send(m_menu->key4(Frame->Kelb1State, Frame->AccessLevel));
    RefreshPanel();
}
