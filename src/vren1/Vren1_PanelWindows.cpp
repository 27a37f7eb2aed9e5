#include "vren1/Vren1_PanelWindows.h"

#include "plots/DataTimePlot.h"
#include "plots/Histogram.h"
#include "vren1/HD_BERData.h"
#include "vren1/HD_BarGraph.h"
#include "vren1/HD_Config.h"
#include "vren1/HD_Data.h"
#include "vren1/HD_ProgramSel.h"
#include "vren1/HD_Spectrum.h"
#include "vren1/Vren1_AlarmRelay.h"

TVren1WindowClasses Vren1WindowClasses()
{
    TVren1WindowClasses c;
    // Each window the panel opens is listed here once it exists; until then
    // its menu entry stays disabled.
    c.spectrum = makeChildWindow<THDSpectrum>;
    c.barGraph = makeChildWindow<THDBarGraph>;
    c.analogBarGraph = makeChildWindow<THDAnalogBG>;
    c.histogram = makeChildWindow<THistogram>;
    c.dataTimePlot = makeChildWindow<TDataTimePlot>;
    c.programSel = makeChildWindow<THDProgramSel>;
    c.berData = makeChildWindow<THDBERData>;
    c.unitConfig = makeChildWindow<THDConfig>;
    c.historicalData = makeChildWindow<THData>;
    c.alarmRelay = makeChildWindow<TVren1AlarmRelay>;
    return c;
}
