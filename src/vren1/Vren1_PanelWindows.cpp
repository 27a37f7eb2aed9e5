#include "vren1/Vren1_PanelWindows.h"

#include "plots/DataTimePlot.h"
#include "plots/Histogram.h"
#include "vren1/HD_BERData.h"
#include "vren1/HD_BarGraph.h"
#include "vren1/HD_ProgramSel.h"

TVren1WindowClasses Vren1WindowClasses()
{
    TVren1WindowClasses c;
    // Each window the panel opens is listed here once it exists, as
    //     c.spectrum = makeChildWindow<THDSpectrum>;
    // Until then its menu entry stays disabled.
    c.barGraph = makeChildWindow<THDBarGraph>;
    c.analogBarGraph = makeChildWindow<THDAnalogBG>;
    c.histogram = makeChildWindow<THistogram>;
    c.dataTimePlot = makeChildWindow<TDataTimePlot>;
    c.programSel = makeChildWindow<THDProgramSel>;
    c.berData = makeChildWindow<THDBERData>;
    return c;
}
