#include "modules/Gry_Panels.h"

#include "common/Enums.h"
#include "link/Frame2.h"
#include "protocol/rack/RackCommands.h"

namespace {

const std::vector<TRackPopupGroup> inertEntries = {
    {"Bar Graph", "BarGraph1", "", TRackModulePanel::kBarGraph, {}},
    {"Histogram", "Histogram1", "", TRackModulePanel::kHistogram, {}},
    {"Data vs Time", "DatavsTime1", "", TRackModulePanel::kDataTimePlot, {}},
};

const TRackPanelDesign gry230Design{
    600,
    117,
    {"LEFT CHANNEL", "RIGHT CHANNEL"},
    "100",
    {{"LED1", "STEREO PPM", RedLampPair, false, 0x01},
     {"LED2", "L+R PPM", RedLampPair, false, 0x02},
     {"LED3", "PILOT", GreenLampPair, false, 0x04},
     {"LED4", "TEST", YellowLampPair, false, 0x08}},
    inertEntries,
    false,
    pfTVRack,
    1,
    false,
};

const TRackPanelDesign gry250Design{
    600,
    116,
    {"SAP", "PRO"},
    "100",
    {{"LED1", "SAP CAR", GreenLampPair, false, 0x01},
     {"LED2", "SAP PEAK", RedLampPair, false, 0x02},
     {"LED3", "PRO CAR", GreenLampPair, false, 0x04},
     {"LED4", "PRO PEAK", RedLampPair, false, 0x08}},
    inertEntries,
    false,
    pfTVRack,
    2,
    false,
};

} // namespace

TGry230Panel::TGry230Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                           TFrame2* frame, int index)
    : TRackModulePanel(gry230Design, ownerRack, parentRack, componentName, frame, index)
{
    buildForm("Gry-230");
    if (Frame)
        Frame->SendCommand(Gry230PanelOpenCmd());
}

TRackModuleState* TGry230Panel::moduleState()
{
    return Frame ? &Frame->Gry230State : nullptr;
}

QString TGry230Panel::menuText()
{
    return TGry230Menu::MenuText(Frame->Gry230State.MenuIndex, Frame->Gry230State,
                                 Frame->MeasurementHistory);
}

QString TGry230Panel::readoutText(int which)
{
    return TGry230Menu::Readout(which, Frame->Gry230State, Frame->MeasurementHistory);
}

TGry250Panel::TGry250Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                           TFrame2* frame, int index)
    : TRackModulePanel(gry250Design, ownerRack, parentRack, componentName, frame, index)
{
    buildForm("Gry-250");
    if (Frame)
        Frame->SendCommand(Gry250PanelOpenCmd());
}

TRackModuleState* TGry250Panel::moduleState()
{
    return Frame ? &Frame->Gry250State : nullptr;
}

QString TGry250Panel::menuText()
{
    return TGry250Menu::MenuText(Frame->Gry250State.MenuIndex, Frame->Gry250State,
                                 Frame->MeasurementHistory);
}

QString TGry250Panel::readoutText(int which)
{
    return TGry250Menu::Readout(which, Frame->Gry250State, Frame->MeasurementHistory);
}
