#include "modules/Pelo_Panels.h"

#include "common/Enums.h"
#include "link/Frame2.h"
#include "protocol/rack/RackCommands.h"

namespace {

std::vector<TRackPanelLamp> ledWordLamps()
{
    return {{"LED1", "NEG PEAK", RedLampPair, true, 0x80},
            {"LED2", "NEG PPM", RedLampPair, true, 0x40},
            {"LED3", "NORMAL", GreenLampPair, true, 0x20},
            {"LED4", "GENERAL", RedLampPair, true, 0x10},
            {"LED5", "POS PEAK", RedLampPair, true, 0x08},
            {"LED6", "POS PPM", RedLampPair, true, 0x04},
            {"LED7", "CAR SHIFT", RedLampPair, true, 0x02},
            {"LED8", "REMOTE", YellowLampPair, true, 0x01}};
}

std::vector<TRackPopupGroup> plotGroups(const std::vector<const char*>& bars,
                                        const std::vector<const char*>& others)
{
    return {
        {"Bar Graph", "BarGraph1", "BarGraph_", TRackModulePanel::kBarGraph, bars},
        {"Histogram", "Histogram1", "Histogram_", TRackModulePanel::kHistogram, others},
        {"Data vs Time", "DatavsTime1", "DataVsTime_", TRackModulePanel::kDataTimePlot, others}};
}

TRackPanelDesign pelo1Design()
{
    const std::vector<const char*> channels = {"Positive", "Negative", "Carrier Level",
                                               "Carrier Shift"};
    return {600,
            118,
            {"NEG MODULATION"},
            "100",
            ledWordLamps(),
            plotGroups(channels, channels),
            true,
            pfAMRack,
            0,
            true};
}

TRackPanelDesign pelo2Design()
{
    const std::vector<const char*> channels = {"Positive",          "Negative",     "Carrier Level",
                                               "Carrier Reference", "Carrier High", "Carrier Low",
                                               "Carrier Ratio",     "Noise"};
    std::vector<TRackPanelLamp> lamps = ledWordLamps();
    lamps.push_back({"LEDCAR1", "", RedLampPair, false, 0x40});
    lamps.push_back({"LEDCAR2", "", YellowLampPair, false, 0x10});
    lamps.push_back({"LEDCAR3", "", GreenLampPair, false, 0x20});
    return {600,
            125,
            {"NEG MODULATION"},
            "100",
            lamps,
            plotGroups(channels, std::vector<const char*>(channels.begin(), channels.begin() + 6)),
            true,
            pfAMRack,
            1,
            true};
}

} // namespace

TPelo1Panel::TPelo1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                         TFrame2* frame, int index)
    : TRackModulePanel(pelo1Design(), ownerRack, parentRack, componentName, frame, index)
{
    buildForm("Pelo-1");
    if (Frame)
        Frame->SendCommand(Pelo1PanelOpenCmd());
}

TRackModuleState* TPelo1Panel::moduleState()
{
    return Frame ? &Frame->Pelo1State : nullptr;
}

QString TPelo1Panel::menuText()
{
    return TPelo1Menu::MenuText(Frame->Pelo1State.MenuIndex, Frame->Pelo1State,
                                Frame->MeasurementHistory);
}

QString TPelo1Panel::readoutText(int)
{
    return PeloReadout(Frame->MeasurementHistory, TPelo1Menu::SeriesArea);
}

TPelo2Panel::TPelo2Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                         TFrame2* frame, int index)
    : TRackModulePanel(pelo2Design(), ownerRack, parentRack, componentName, frame, index)
{
    buildForm("Pelo-2");
    if (Frame)
        Frame->SendCommand(Pelo2PanelOpenCmd());
}

TRackModuleState* TPelo2Panel::moduleState()
{
    return Frame ? &Frame->Pelo2State : nullptr;
}

QString TPelo2Panel::menuText()
{
    return TPelo2Menu::MenuText(Frame->Pelo2State.MenuIndex, Frame->Pelo2State,
                                Frame->MeasurementHistory);
}

QString TPelo2Panel::readoutText(int)
{
    return PeloReadout(Frame->MeasurementHistory, TPelo2Menu::SeriesArea);
}
