#include "models/PlotTexts.h"

#include "common/FieldHelpers.h"
#include "models/HistogramModel.h"

#include <algorithm>
#include <cmath>

namespace {

const QStringList threeSeries = {" PEAK", " AVE ", " MIN "};

// A value with three integer digits and one decimal, the field of most readouts.
QString f31(double v)
{
    return FixedField(3, 1, v);
}

} // namespace

QString barValueAxisTitle(int scaleKind)
{
    switch (scaleKind) {
    case 3:
        return " dB";
    case 5:
        return " Degrees";
    default:
        return "Percent";
    }
}

AxisRange barValueAxis(int scaleKind)
{
    switch (scaleKind) {
    case 1:
        return {0, 130};
    case 2:
        return {0, 26};
    case 3:
        return {-90, 0};
    case 4:
        return {0, 13};
    case 5:
        return {-30, 30};
    default:
        return {0, 200};
    }
}

double barOrigin(int scaleKind)
{
    switch (scaleKind) {
    case 3:
        return -90;
    case 5:
        return -30;
    default:
        return 0;
    }
}

QStringList barSeriesTitles(int displayMode)
{
    return displayMode == 0 ? threeSeries : QStringList{" PEAK"};
}

double barValue(int scaleKind, qint32 raw)
{
    switch (scaleKind) {
    case 3:
        return std::clamp<qint32>(raw, 0, 2000) / -10.0;
    case 5:
        // The decoder reports no phase as -255 and out of range as -127 or
        // +127, so negative phases must come through.
        return std::clamp<qint32>(raw, -2000, 2000);
    default:
        return std::clamp<qint32>(raw, 0, 2000) / 10.0;
    }
}

QStringList barReadouts(int displayMode, double peak, double average, double minimum)
{
    switch (displayMode) {
    case 0:
        return {"PEAK " + f31(peak) + "%", "AVE  " + f31(average) + "%",
                "MIN  " + f31(minimum) + "%"};
    case 2:
        return {"RMS " + f31(peak) + "%"};
    case 3:
        return {"RMS " + f31(peak) + "dB"};
    case 4:
        if (peak == 255 || peak == -255)
            return {"   *.* DEG"};
        if (peak == 127)
            return {"  +*.* DEG"};
        if (peak == -127)
            return {"  -*.* DEG"};
        return {" " + f31(peak) + " DEG"};
    default:
        return {"PEAK " + f31(peak) + "%"};
    }
}

double barEnd(int scaleKind, double value)
{
    if (scaleKind == 5)
        return std::clamp(value, -30.0, 30.0);
    return value;
}

QString histogramValueAxisTitle(int scaleKind)
{
    switch (scaleKind) {
    case 3:
        return " dB";
    case 5:
        return " Degrees";
    case 6:
        return " dB    ";
    case 7:
        return "samples";
    case 8:
    case 9:
        return "Delay";
    default:
        return "Percent";
    }
}

QStringList histogramSeriesTitles(int displayMode)
{
    switch (displayMode) {
    case 0:
    case 6:
        return threeSeries;
    case 4:
    case 5:
        return {" Fast", " AVE "};
    case 7:
        return {" INJ"};
    case 8:
        return {" TIME"};
    case 9:
        return {" Fast", " Ave"};
    case 10:
        return {" RMS"};
    default:
        return {" PEAK"};
    }
}

bool histogramShowsLegend(int displayMode)
{
    return displayMode == 0 || displayMode == 6;
}

QStringList histogramReadouts(int displayMode, int peak, int average, int minimum)
{
    switch (displayMode) {
    case 0:
    case 6:
        return {"PEAK: " + f31(peak / 10.0) + "%", "AVE: " + f31(average / 10.0) + "%",
                "MIN: " + f31(minimum / 10.0) + "%"};
    case 1:
        return {"PEAK: " + f31(peak / 10.0) + "%"};
    case 2:
    case 4:
    case 7:
        return {"RMS: " + f31(peak / 10.0) + "%"};
    case 3:
        return {"RMS: " + f31(peak / 10.0) + " dB"};
    case 5:
        return {"FAST: " + IntField(peak, 5), "AVE: " + IntField(average, 5)};
    case 8:
        return {"TIME: " + FixedField(3, 6, peak) + " sec "};
    case 9:
        return {"FAST: " + FixedField(2, 6, peak), "AVE: " + FixedField(2, 6, average)};
    case 10:
        return {"RMS: " + f31(peak / 10.0)};
    default:
        return {};
    }
}

AxisRange histogramValueAxis(int scaleKind)
{
    const auto setup = THistogramModel::binSetup(scaleKind);
    if (!setup.counts)
        return {0, 100};
    return {0, std::ceil((setup.bins + 1) * setup.width - 1e-9)};
}

QString timePlotValueAxisTitle(int scaleKind)
{
    switch (scaleKind) {
    case 8:
        return "Delay(sec)";
    case 9:
        return "Delay(ms)";
    default:
        return histogramValueAxisTitle(scaleKind);
    }
}

QStringList timePlotSeriesTitles(int displayMode)
{
    switch (displayMode) {
    case 0:
    case 6:
        return threeSeries;
    case 3:
    case 10:
        return {" RMS"};
    case 4:
    case 5:
        return {" Fast", " AVE "};
    case 7:
        return {" INJ"};
    case 8:
        return {" TIME"};
    case 9:
        return {" Fast", " Ave"};
    default:
        return {" PEAK"};
    }
}

QStringList timePlotReadouts(int displayMode, double peak, double average, double minimum)
{
    switch (displayMode) {
    case 0:
    case 6:
        return {"PEAK: " + f31(peak) + "%", "AVE: " + f31(average) + "%",
                "MIN: " + f31(minimum) + "%"};
    case 1:
        return {"PEAK: " + f31(peak) + "%"};
    case 2:
    case 7:
        return {"RMS: " + f31(peak) + "%"};
    case 3:
        return {"RMS: " + f31(peak) + " dB"};
    case 4:
        return {"FAST: " + f31(peak) + " dB", "AVE: " + f31(average) + " dB"};
    case 5:
        return {"FAST: " + IntField(RoundHalfEven(peak), 5),
                "AVE: " + IntField(RoundHalfEven(average), 5)};
    case 8:
        return {"TIME: " + FixedField(3, 6, peak) + " sec "};
    case 9:
        return {"FAST: " + FixedField(4, 3, peak), "AVE: " + FixedField(4, 3, average)};
    case 10:
        return {"RMS: " + f31(peak)};
    default:
        return {};
    }
}

AxisRange timePlotValueAxis(int scaleKind)
{
    switch (scaleKind) {
    case 3:
    case 5:
    case 6:
        return {-200, 200};
    case 7:
        return {0, 100000};
    case 8:
        return {0, 10};
    case 9:
        return {0, 10000};
    default:
        return {0, 200};
    }
}
