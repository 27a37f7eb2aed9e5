#include "vren1/Vren1_PanelWindows.h"

#include "plots/DataTimePlot.h"
#include "plots/Histogram.h"
#include "vren1/HD_AEEventLog.h"
#include "vren1/HD_ArtistExperience.h"
#include "vren1/HD_BERData.h"
#include "vren1/HD_BarGraph.h"
#include "vren1/HD_Config.h"
#include "vren1/HD_Data.h"
#include "vren1/HD_PADData.h"
#include "vren1/HD_ProgramSel.h"
#include "vren1/HD_RawData.h"
#include "vren1/HD_SIGInfo.h"
#include "vren1/HD_SISData.h"
#include "vren1/HD_Spectrum.h"
#include "vren1/Vren1_AlarmRelay.h"
#include "vren1/Vren1_Settings.h"
#include "vren1/Vren1_TASettings.h"
#include "vren1/HD_TimeAlign.h"

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
    c.settings = makeChildWindow<TVren1Settings>;
    c.sisData = makeChildWindow<THDSISData>;
    c.padData = makeChildWindow<THDPADData>;
    c.sigInfo = makeChildWindow<THDSIGInfo>;
    c.rawData = makeChildWindow<THDRawData>;
    c.aeEventLog = makeChildWindow<TAEEventLog>;
    c.artistExperience = makeChildWindow<TArtistExperience>;
    c.timeAlign = makeChildWindow<THDTimeAlign>;
    c.taSettings = makeChildWindow<TVren1TASettings>;
    return c;
}
