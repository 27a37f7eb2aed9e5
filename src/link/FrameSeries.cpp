#include "link/Frame2.h"
#include "data/MeasurementSeries.h"

TMeasurementSeries TFrame2::GetMeasurementSeries(int family, int instrument, int channel) const
{
    return ::GetMeasurementSeries(MeasurementHistory, family, instrument, channel);
}
