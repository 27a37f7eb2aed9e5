#include "models/HdHistoryChart.h"

#include "common/FieldHelpers.h"

#include <algorithm>

THistoryAxisSet HistoryAxisSet(int kind)
{
    switch (kind) {
    case 1:
        return {{0, 125}, 10, {0, 150}, "Percent"};
    case 2:
        return {{0, 25}, 1, {0, 25}, "Percent"};
    case 3:
        return {{-90, 0}, 10, {-90, 0}, " dB"};
    case 4:
        return {{0, 12.5}, 1, {0, 15}, "Percent"};
    case 5:
        return {{-30, 30}, 5, {-30, 30}, " Degrees"};
    case 6:
        return {{-15, 15}, 1, {-15, 15}, " dB    "};
    case 7:
        return {{-131072, 131072}, 10, {-131072, 131072}, "samples"};
    case 8:
        return {{0, 15}, 1, {0, 16}, "Delay(sec)"};
    case 9:
        return {{-2500, 2500}, 1, {-3000, 3000}, "Delay(ms)"};
    default:
        return {{0, 200}, 10, {0, 200}, "Percent"};
    }
}

THistorySeriesLook HistorySeriesLook(int mode)
{
    switch (mode) {
    case 0:
    case 6:
        return {true, true, {" PEAK", " AVE ", " MIN "}, {true, true, true}};
    case 1:
    case 2:
    case 3:
        return {true, false, {" PEAK", " AVE ", " MIN "}, {true, false, false}};
    case 4:
    case 5:
        return {true, true, {" Fast", " AVE ", " MIN "}, {true, true, false}};
    case 7:
        return {true, false, {" INJ", " AVE ", " MIN "}, {true, false, false}};
    case 8:
        return {true, false, {" TIME", " AVE ", " MIN "}, {true, false, false}};
    case 9:
        return {true, true, {" Fast", " Ave", " MIN "}, {true, true, false}};
    default:
        return {};
    }
}

AxisRange HistoryFitRange(const THistoryAxisSet& axes,
                          const std::array<std::vector<double>, 3>& values, int seriesCount)
{
    double largest = axes.range.min;
    double smallest = axes.range.max;
    for (int s = 0; s < std::clamp(seriesCount, 0, 3); ++s) {
        for (double v : values[size_t(s)]) {
            largest = std::max(largest, v);
            smallest = std::min(smallest, v);
        }
    }
    const double step = axes.increment;
    return {double(RoundHalfEven(smallest / step) - 1) * step,
            double(RoundHalfEven(largest / step) + 1) * step};
}
