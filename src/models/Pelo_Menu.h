#pragma once

#include "data/FrameState.h"
#include "models/RackMenuModel.h"

#include <QString>

// The menus of the two AM modulation monitor modules as their panels drive
// them. Both read the AM series area (a rack carries one of them per record).
class TPelo1Menu : public TRackMenuModel
{
public:
    static constexpr int SeriesArea = 0;

    TPelo1Menu();

    static QString MenuText(int item, const TPelo1State& state, const TMeasurementHistory& history);
};

class TPelo2Menu : public TRackMenuModel
{
public:
    static constexpr int SeriesArea = 0;

    TPelo2Menu();

    // The frequency item's rule: the value to send, -1 for nothing.
    static int FrequencyKey(TPelo2State& state, bool up);
    static QString MenuText(int item, const TPelo2State& state, const TMeasurementHistory& history);
};

// Negative modulation, the big readout of both.
QString PeloReadout(const TMeasurementHistory& history);
