#pragma once

#include "data/FrameState.h"

#include <QtGlobal>

// Where the connection keeps one measurement, and how the plots show it. The
// pointers address word 1 (the current value) of slots of the measurement
// history; the history is a fixed array of the frame, so they stay valid for
// as long as the frame lives. A measurement without such a value has a null
// pointer: a caller tests every pointer on its own.
struct TMeasurementSeries
{
    bool Found = false;
    int ScaleKind = -1;  // how the plots scale their value axis
    int DisplayMode = 1; // how the plots label and show the values
    const qint32* Peak = nullptr;
    const qint32* Average = nullptr;
    const qint32* Minimum = nullptr;
};

// The series of a measurement, by plot family code, instrument code and
// channel. An unknown family, instrument or channel gives a series with Found
// false, scale kind -1, display mode 1 and no pointers.
TMeasurementSeries GetMeasurementSeries(const TMeasurementHistory& history, int family,
                                        int instrument, int channel);
