#pragma once

#include "data/FrameState.h"
#include "models/RackMenuModel.h"
#include "protocol/rack/RackRecordLayout.h"

#include <QString>

// The menus of the two AM modulation monitor modules as their panels drive
// them. Each reads its own series area: one rack may hold both, reporting in
// turns.
class TPelo1Menu : public TRackMenuModel
{
public:
    static constexpr int SeriesArea = RackLayout::Pelo1SeriesSlot;

    TPelo1Menu();

    static QString MenuText(int item, const TPelo1State& state, const TMeasurementHistory& history);
};

class TPelo2Menu : public TRackMenuModel
{
public:
    static constexpr int SeriesArea = RackLayout::Pelo2SeriesSlot;

    TPelo2Menu();

    // The frequency item's rule: the value to send, -1 for nothing.
    static int FrequencyKey(TPelo2State& state, bool up);
    static QString MenuText(int item, const TPelo2State& state, const TMeasurementHistory& history);
};

// Negative modulation, the big readout of both, from the module's area.
QString PeloReadout(const TMeasurementHistory& history, int area);
