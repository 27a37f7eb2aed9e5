#include "tavr1/Tavr1_PanelWindows.h"

#include "plots/DataTimePlot.h"
#include "plots/Histogram.h"
#include "tavr1/Tavr1_AlarmRelay.h"
#include "tavr1/Tavr1_BarGraphs.h"
#include "tavr1/Tavr1_Config.h"
#include "tavr1/Tavr1_RDSBasic.h"
#include "tavr1/Tavr1_RawData.h"
#include "tavr1/Tavr1_Settings.h"
#include "tavr1/Tavr1_Spectrum.h"
#include "tavr1/Tavr1_dBRead.h"

TTavr1WindowClasses Tavr1WindowClasses()
{
    TTavr1WindowClasses c;
    // Each window the panel opens is listed here once it exists, as
    //     c.histogram = makeChildWindow<THistogram>;
    // (a window whose constructor takes other arguments gets a small lambda).
    // Until then its menu entry stays disabled.
    c.stereoBarGraph = makeChildWindow<TTavr1StereoBG>;
    c.scaBarGraph = makeChildWindow<TTavr1SCABG>;
    c.totalDbBarGraph = makeChildWindow<TTavr1TotaldBBG>;
    c.separationBarGraph = makeChildWindow<TTavr1SepBG>;
    c.crosstalkBarGraph = makeChildWindow<TTavr1XTalkBG>;
    c.histogram = makeChildWindow<THistogram>;
    c.dataTimePlot = makeChildWindow<TDataTimePlot>;
    c.dbReadings = makeChildWindow<TTavr1dBRead>;
    c.spectrum = makeChildWindow<TTavr1Spectrum>;
    c.rdsBasic = makeChildWindow<TTavr1RDSBasic>;
    c.alarmRelay = makeChildWindow<TTavr1AlarmRelay>;
    c.alarmRelaySnmp = makeChildWindow<TTavr1AlarmRelaySNMP>;
    c.settings = makeChildWindow<TTavr1Settings>;
    c.unitConfig = makeChildWindow<TTavr1Config>;
    c.rawData = makeChildWindow<TTavr1RawData>;
    return c;
}
