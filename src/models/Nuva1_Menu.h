#pragma once

#include "data/FrameState.h"
#include "models/RackMenuModel.h"

#include <QString>

// The Nuva1 FM stereo analyser module's menu as its panel drives it: the
// shared menu model over the module's table, and the LCD line of each item.
class TNuva1Menu : public TRackMenuModel
{
public:
    static constexpr int SeriesArea = 256; // the module's first history slot
    static constexpr int CrosstalkItem = 10;

    TNuva1Menu();

    static QString MenuText(int item, const TNuva1State& state, const TMeasurementHistory& history);
    // The two readouts: left and right, or L+R and L-R on the crosstalk line.
    static QString Readout(int which, const TNuva1State& state, const TMeasurementHistory& history);
};
