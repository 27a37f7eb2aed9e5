#include "modules/Lyn1_Panel.h"

#include "common/Enums.h"
#include "link/Frame2.h"
#include "modules/Lyn1_RDSData.h"
#include "modules/RackPanelKit.h"
#include "platform/UserMessages.h"
#include "protocol/rack/RackCommands.h"
#include "protocol/rack/RackRecordLayout.h"
#include "widgets/Lamp.h"

#include <QLabel>
#include <QMenu>

using namespace RackPanelKit;

namespace {

constexpr int PanelWidth = 600;
constexpr int PanelHeight = 117;
constexpr int Lyn1Instrument = 2;

struct Channel
{
    int index;
    const char* caption;
};
constexpr Channel barChannels[] = {
    {0, "Total"}, {1, "RDS Inj"}, {2, "RDS Phase"}, {3, "Pilot Inj"}};
constexpr Channel plotChannels[] = {{0, "Total"}, {1, "RDS Inj"}, {3, "Pilot Inj"}};

} // namespace

TLyn1Panel::TLyn1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                       TFrame2* frame, int index)
    : TVFPanel(ownerRack, parentRack, componentName, frame, index)
{
    setDesignedSize(PanelWidth, PanelHeight);
    paintBlack(this);
    buildForm();
    buildMenu();
    FormCreate();
}

void TLyn1Panel::buildForm()
{
    UnitName = caption(this, "UnitName", "Lyn-1", QRect(10, 6, 80, 18), 13,
                       Qt::AlignLeft | Qt::AlignVCenter);
    buildMenuStrip(this, 110, 236, false);
    ledRow(this, {&LED1, &LED2, &LED3}, {"PILOT", "RDS", "SYNC"},
           {GreenLampPair, GreenLampPair, YellowLampPair}, {430, 55, 20, 56});
}

void TLyn1Panel::buildMenu()
{
    PopupMenu1 = panelPopup(this);
    auto entry = [this](QMenu* menu, const QString& text, const QString& name, int kind,
                        int index) {
        windowEntry(menu, text, name, [this, kind, index] { openWindow(kind, index); });
    };
    auto group = [&](const QString& text, const QString& name, const QString& subName, int kind,
                     const auto& channels) {
        QMenu* sub = windowGroup(PopupMenu1, text, name);
        for (const Channel& c : channels)
            entry(sub, c.caption, subName + QString::number(c.index), kind, c.index);
    };
    group("Bar Graph", "BarGraph1", "BarGraph_", kBarGraph, barChannels);
    group("Histogram", "Histogram1", "Histogram_", kHistogram, plotChannels);
    group("Data vs Time", "DatavsTime1", "DataVsTime_", kDataTimePlot, plotChannels);
    entry(PopupMenu1, "RDS Data", "RDSData1", kRdsData, 0);
}

void TLyn1Panel::FormCreate()
{
    if (Frame)
        Frame->SendCommand(Lyn1PanelOpenCmd());
}

void TLyn1Panel::send(const QByteArray& command)
{
    if (Frame && !command.isEmpty())
        Frame->SendCommand(command);
}

void TLyn1Panel::RefreshPanel()
{
    if (!Frame)
        return;
    const TLyn1State& s = Frame->Lyn1State;
    setTextIfChanged(MenuString, TLyn1Menu::text(s, Lyn1Readings(Frame->MeasurementHistory,
                                                                 Frame->RdsPhaseValid)));
    setLed(LED1, GreenLampPair, s.StatusBits & RackLayout::Lyn1PilotBit);
    setLed(LED2, GreenLampPair, s.StatusBits & RackLayout::Lyn1RdsBit);
    setLed(LED3, YellowLampPair, s.StatusBits & RackLayout::Lyn1SyncBit);
    ForwardRefresh();
}

void TLyn1Panel::ForwardRefresh()
{
    // The RDS window refreshes on its groups, not here.
    for (const Channel& c : plotChannels)
        Children.post(kDataTimePlot, c.index, UM_PANEL_REFRESH);
    for (const Channel& c : plotChannels)
        Children.post(kHistogram, c.index, UM_PANEL_REFRESH);
    for (const Channel& c : barChannels)
        Children.post(kBarGraph, c.index, UM_PANEL_REFRESH);
}

void TLyn1Panel::ChildClosed(int kind, int index)
{
    switch (kind) {
    case kBarGraph:
    case kHistogram:
    case kDataTimePlot:
    case kRdsData:
        Children.forget(kind, index);
        break;
    default:
        break;
    }
}

bool TLyn1Panel::event(QEvent* e)
{
    if (UserMessageEvent::isUserMessage(e) &&
        static_cast<UserMessageEvent*>(e)->msg() == UM_RDS_GROUPS) {
        // Only an open RDS window wants the groups; without one they are dropped.
        Children.post(kRdsData, 0, UM_RDS_GROUPS);
        return true;
    }
    return TVFPanel::event(e);
}

void TLyn1Panel::openWindow(int kind, int index)
{
    if (!Frame)
        return;
    if (kind != kRdsData &&
        (index < 0 || index >= Channels || (kind != kBarGraph && index == PhaseChannel)))
        return;
    Children.openOrRaise<QWidget>(kind, index, [&]() -> QWidget* {
        const TChildWindowArgs args = childArgs(pfFMRack, Lyn1Instrument, index);
        return kind == kRdsData ? new TRDS(args) : newPlotWindow(kind, args);
    });
}

void TLyn1Panel::SpeedButton1Click()
{
    if (!Frame)
        return;
    send(m_menu.up(Frame->Lyn1State));
    RefreshPanel();
}

void TLyn1Panel::SpeedButton2Click()
{
    if (!Frame)
        return;
    send(m_menu.down(Frame->Lyn1State));
    RefreshPanel();
}

void TLyn1Panel::SpeedButton3Click()
{
    if (!Frame)
        return;
    send(m_menu.select(Frame->Lyn1State, Frame->AccessLevel));
    RefreshPanel();
}

void TLyn1Panel::SpeedButton4Click()
{
    if (!Frame || !RackMayChange(Frame->AccessLevel))
        return;
    send(m_menu.minus(Frame->Lyn1State, Frame->AccessLevel));
    RefreshPanel();
}
