#pragma once

#include "data/FrameState.h"
#include "models/RackMenuModel.h"

#include <QString>

// The Gry250 TV SAP and PRO channel analyser module's menu as its panel
// drives it.
class TGry250Menu : public TRackMenuModel
{
public:
    static constexpr int SeriesArea = 512;

    TGry250Menu();

    static QString MenuText(int item, const TGry250State& state,
                            const TMeasurementHistory& history);
    // SAP and PRO modulation, "- - -" without the channel's carrier.
    static QString Readout(int which, const TGry250State& state,
                           const TMeasurementHistory& history);
};
