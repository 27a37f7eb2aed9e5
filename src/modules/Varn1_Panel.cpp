#include "modules/Varn1_Panel.h"

#include "common/Enums.h"
#include "link/Frame2.h"
#include "protocol/rack/RackCommands.h"

namespace {

TRackPanelDesign varn1Design(int unit)
{
    const std::vector<const char*> channels = {"Total", "Main", "SCA Mod", "SCA Inj"};
    return {
        600,
        117,
        {"MODULATION"},
        "100",
        {{"LED1", "CAR", GreenLampPair, false, 0x01}, {"LED2", "PEAK ", RedLampPair, false, 0x02}},
        {{"Bar Graph", "BarGraph1", "BarGraph_", TRackModulePanel::kBarGraph, channels},
         {"Histogram", "Histogram1", "Histogram_", TRackModulePanel::kHistogram, channels},
         {"Data vs Time", "DatavsTime1", "DataVsTime_", TRackModulePanel::kDataTimePlot, channels}},
        false,
        pfFMRack,
        3 + unit,
        true,
    };
}

} // namespace

TVarn1Panel::TVarn1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                         TFrame2* frame, int index)
    : TRackModulePanel(varn1Design(index == 1 ? 1 : 0), ownerRack, parentRack, componentName, frame,
                       index)
    , m_menu(index == 1 ? 1 : 0)
{
    buildForm(QString("Varn-1 [%1]").arg(unit()));
    FormCreate();
}

void TVarn1Panel::FormCreate()
{
    if (Frame)
        Frame->SendCommand(Varn1PanelOpenCmd(unit()));
}

TRackModuleState* TVarn1Panel::moduleState()
{
    return Frame ? &Frame->Varn1State[std::size_t(unit())] : nullptr;
}

QString TVarn1Panel::menuText()
{
    const TVarn1UnitState& s = Frame->Varn1State[std::size_t(unit())];
    return TVarn1Menu::MenuText(s.MenuIndex, s, Frame->MeasurementHistory, unit());
}

QString TVarn1Panel::readoutText(int)
{
    return TVarn1Menu::Readout(Frame->Varn1State[std::size_t(unit())], Frame->MeasurementHistory,
                               unit());
}
