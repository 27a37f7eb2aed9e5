#pragma once

#include "data/FrameState.h"
#include "models/RackMenuModel.h"

#include <QString>

// The Gry230 TV stereo aural monitor module's menu as its panel drives it.
class TGry230Menu : public TRackMenuModel
{
public:
    static constexpr int SeriesArea = 256;
    static constexpr int PilotItem = 6;

    TGry230Menu();

    static QString MenuText(int item, const TGry230State& state,
                            const TMeasurementHistory& history);
    // Left and right, or L+R and L-R on the pilot line.
    static QString Readout(int which, const TGry230State& state,
                           const TMeasurementHistory& history);
};
