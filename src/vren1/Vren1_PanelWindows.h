#pragma once

#include "tavr1/Tavr1_PanelWindows.h" // TChildFactory, makeChildWindow

// The class behind each kind of window the Vren1 panel opens. An entry whose
// factory is empty stays in the menu, disabled, so no entry pretends to open
// a window this build does not have.
struct TVren1WindowClasses
{
    TChildFactory barGraph;         // THDBarGraph, kind 0, index 0..8
    TChildFactory analogBarGraph;   // THDAnalogBG, kind 0, index 9
    TChildFactory histogram;        // THistogram, kind 1, index 0..47
    TChildFactory dataTimePlot;     // TDataTimePlot, kind 2, index 0..47
    TChildFactory sisData;          // THDSISData, kind 3
    TChildFactory padData;          // THDPADData, kind 4
    TChildFactory spectrum;         // THDSpectrum, kind 5
    TChildFactory timeAlign;        // THDTimeAlign, kind 6, index 0
    TChildFactory taSettings;       // TVren1TASettings, kind 6, index 1
    TChildFactory programSel;       // THDProgramSel, kind 7
    TChildFactory settings;         // TVren1Settings, kind 8
    TChildFactory berData;          // THDBERData, kind 9
    TChildFactory alarmRelay;       // TVren1AlarmRelay, kind 10 (created with index 3)
    TChildFactory sigInfo;          // THDSIGInfo, kind 11
    TChildFactory artistExperience; // TArtistExperience, kind 12, index 0
    TChildFactory aeEventLog;       // TAEEventLog, kind 12, index 1
    TChildFactory historicalData;   // THData, kind 20, index 0..26 and 43..47
    TChildFactory unitConfig;       // THDConfig, kind 98
    TChildFactory rawData;          // THDRawData, kind 99
};

// The windows of this build. A window class joins the panel by one line in
// Vren1_PanelWindows.cpp.
TVren1WindowClasses Vren1WindowClasses();
