#pragma once

#include "panels/ChildWindow.h"

#include <functional>

// Makes one window the panel opens, from what the panel hands every window.
using TChildFactory = std::function<QWidget*(const TChildWindowArgs&)>;

// The factory of a window class whose constructor takes the panel's record.
template <class T>
QWidget* makeChildWindow(const TChildWindowArgs& args)
{
    return new T(args);
}

// The class behind each entry of the Tavr1 panel's menu. An entry whose
// factory is empty is in the menu but disabled, so no entry pretends to open a
// window this build does not have.
struct TTavr1WindowClasses
{
    // "BarGraph": kind 0, index 0..4.
    TChildFactory stereoBarGraph;     // TTavr1StereoBG
    TChildFactory scaBarGraph;        // TTavr1SCABG
    TChildFactory totalDbBarGraph;    // TTavr1TotaldBBG
    TChildFactory separationBarGraph; // TTavr1SepBG
    TChildFactory crosstalkBarGraph;  // TTavr1XTalkBG
    // "Histogram" and "Data vs. Time": kinds 1 and 2; the index is the Tavr1
    // measurement the plot shows (family pfTavr1, instrument 0).
    TChildFactory histogram;      // THistogram
    TChildFactory dataTimePlot;   // TDataTimePlot
    TChildFactory dbReadings;     // TTavr1dBRead, kind 3
    TChildFactory spectrum;       // TTavr1Spectrum, kind 4
    TChildFactory rdsBasic;       // TTavr1RDSBasic, kind 5
    TChildFactory settings;       // TTavr1Settings, kind 6
    TChildFactory alarmRelay;     // TTavr1AlarmRelay, kind 7
    TChildFactory alarmRelaySnmp; // TTavr1AlarmRelaySNMP, kind 7, units with option letter "C"
    TChildFactory unitConfig;     // TTavr1Config, kind 98
    TChildFactory rawData;        // TTavr1RawData, kind 99
};

// The windows of this build. A window class joins the panel by one line in
// Tavr1_PanelWindows.cpp.
TTavr1WindowClasses Tavr1WindowClasses();
