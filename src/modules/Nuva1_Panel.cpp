#include "modules/Nuva1_Panel.h"

#include "common/Enums.h"
#include "link/Frame2.h"
#include "protocol/rack/RackCommands.h"

namespace {

const std::vector<const char*> channels = {"Total", "Left",      "Right",    "L + R",
                                           "L - R", "Pilot Inj", "Pilot Mod"};

const TRackPanelDesign nuva1Design{
    600,
    117,
    {"LEFT CHANNEL", "RIGHT CHANNEL"},
    "100",
    {{"LED1", "PILOT", GreenLampPair, false, 0x01}},
    {{"Bar Graph", "BarGraph1", "BarGraph_", TRackModulePanel::kBarGraph, channels},
     {"Histogram", "Histogram1", "Histogram_", TRackModulePanel::kHistogram, channels},
     {"Data vs Time", "DatavsTime1", "DataVsTime_", TRackModulePanel::kDataTimePlot, channels}},
    false,
    pfFMRack,
    1,
    true,
};

} // namespace

TNuva1Panel::TNuva1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                         TFrame2* frame, int index)
    : TRackModulePanel(nuva1Design, ownerRack, parentRack, componentName, frame, index)
{
    buildForm("Nuva-1");
    FormCreate();
}

void TNuva1Panel::FormCreate()
{
    if (Frame)
        Frame->SendCommand(Nuva1PanelOpenCmd());
}

TRackModuleState* TNuva1Panel::moduleState()
{
    return Frame ? &Frame->Nuva1State : nullptr;
}

QString TNuva1Panel::menuText()
{
    return TNuva1Menu::MenuText(Frame->Nuva1State.MenuIndex, Frame->Nuva1State,
                                Frame->MeasurementHistory);
}

QString TNuva1Panel::readoutText(int which)
{
    return TNuva1Menu::Readout(which, Frame->Nuva1State, Frame->MeasurementHistory);
}
