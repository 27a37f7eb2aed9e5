#pragma once

#include "data/FrameState.h"
#include "models/RackMenuModel.h"

#include <QString>

// The menu of one Varn1 SCA analyser unit as its panel drives it. The unit
// (0 or 1) goes into every command as its raw byte and chooses the unit's
// series area; each panel has its own model, so the two units' pages never
// mix.
class TVarn1Menu : public TRackMenuModel
{
public:
    static constexpr int SeriesArea = 1024; // unit 0; unit 1 the next 256

    explicit TVarn1Menu(int unit);
    int unit() const { return m_unit; }

    static QString MenuText(int item, const TVarn1UnitState& state,
                            const TMeasurementHistory& history, int unit);
    static QString Readout(const TVarn1UnitState& state, const TMeasurementHistory& history,
                           int unit);

private:
    int m_unit;
};
