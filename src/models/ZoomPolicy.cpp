#include "models/ZoomPolicy.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

AxisRange widenToSpan(AxisRange r, double minSpan, double floor)
{
    if (r.span() > minSpan)
        return r;
    const double centre = (r.min + r.max) / 2;
    AxisRange w{centre - minSpan / 2, centre + minSpan / 2};
    if (w.min < floor)
        w = {floor, floor + minSpan};
    return w;
}

bool scrollAllowed(AxisRange r, double delta, AxisRange limits)
{
    return r.min + delta >= limits.min && r.max + delta <= limits.max;
}

double tickInterval(AxisRange r, double increment, int maxIntervals)
{
    const double span = r.span();
    if (maxIntervals < 1)
        maxIntervals = 1;
    if (!std::isfinite(span) || span <= 0)
        return increment > 0 ? increment : 1;
    const double wanted = span / maxIntervals;
    // Steps of 1, 2 and 5 in each decade, counted from the increment when
    // there is one, else from the decade of the wanted spacing.
    double decade = increment > 0 ? increment : std::pow(10.0, std::floor(std::log10(wanted)));
    for (int guard = 0; guard < 64; ++guard) {
        for (double m : {1.0, 2.0, 5.0}) {
            if (decade * m >= wanted * (1 - 1e-9))
                return decade * m;
        }
        decade *= 10;
    }
    return wanted;
}

int labelDecimals(double interval)
{
    if (!std::isfinite(interval) || interval <= 0)
        return 0;
    // As many decimals as the interval has, so that every label names its
    // tick: 2.5 and 0.25 are not rounded to 3 and 0.3.
    for (int d = 0; d < 9; ++d) {
        const double scaled = interval * std::pow(10.0, d);
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled))
            return d;
    }
    return 9;
}

AxisRange atLeastOneStep(AxisRange r, double step, AxisRange limits)
{
    if (r.span() >= step)
        return r;
    if (r.min + step <= limits.max)
        return {r.min, r.min + step};
    return {limits.max - step, limits.max};
}

AxisRange barAxisZoom(AxisRange requested, AxisRange initial)
{
    return widenToSpan(requested, 5, initial.min);
}

AxisRange histogramValueZoom(AxisRange requested)
{
    if (requested.min < 1)
        requested.min = 0;
    return widenToSpan(requested, 5, 0);
}

AxisRange histogramPercentZoom(AxisRange requested)
{
    if (requested.min < 0)
        requested.min = 0;
    return widenToSpan(requested, 5, 0);
}

AxisRange timeAxisZoom(AxisRange requested)
{
    if (requested.min < 0)
        requested.min = 0;
    return widenToSpan(requested, 30, 0);
}

AxisRange historyTimeZoom(AxisRange requested)
{
    if (requested.min < 0)
        requested.min = 0;
    if (requested.span() > 1)
        return requested;
    const double centre = (requested.min + requested.max) / 2;
    if (centre - 0.25 < 0)
        return {0, 1};
    return {centre - 0.25, centre + 0.25};
}
