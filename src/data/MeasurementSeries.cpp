#include "data/MeasurementSeries.h"

#include "common/Enums.h"

#include <array>
#include <climits>

namespace {

constexpr int none = INT_MIN;

// One run of channels that share a scale kind and display mode. The peak of
// channel c is slot firstSlot + slotStep * (c - firstChannel); average and
// minimum sit at the given offsets from the peak, or are absent (none).
struct SeriesRow
{
    int family;
    int instrument;
    int firstChannel;
    int lastChannel;
    int scaleKind;
    int displayMode;
    int firstSlot;
    int slotStep;
    int averageOffset;
    int minimumOffset;
};

// clang-format off
constexpr std::array rows = {
    // FM rack: Kelb-1 (channel 9 and above are not series).
    SeriesRow{pfFMRack, 0, 0, 0, 0, 0, 0, 0, 1, 2},
    SeriesRow{pfFMRack, 0, 1, 3, 1, 1, 4, 1, none, none},
    SeriesRow{pfFMRack, 0, 8, 8, 1, 1, 11, 0, none, none},
    SeriesRow{pfFMRack, 0, 4, 5, 2, 2, 7, 1, none, none},
    SeriesRow{pfFMRack, 0, 6, 7, 3, 3, 9, 1, none, none},
    // Nuva-1.
    SeriesRow{pfFMRack, 1, 0, 4, 1, 0, 256, 3, 1, 2},
    SeriesRow{pfFMRack, 1, 5, 5, 2, 2, 271, 0, none, none},
    SeriesRow{pfFMRack, 1, 6, 6, 1, 1, 272, 0, none, none},
    // Lyn-1.
    SeriesRow{pfFMRack, 2, 0, 0, 1, 1, 768, 0, none, none},
    SeriesRow{pfFMRack, 2, 1, 1, 4, 2, 769, 0, none, none},
    SeriesRow{pfFMRack, 2, 2, 2, 5, 4, 770, 0, none, none},
    SeriesRow{pfFMRack, 2, 3, 3, 2, 2, 771, 0, none, none},
    // Varn-1 units 0 and 1: the second unit's slots lie 256 above the first's.
    SeriesRow{pfFMRack, 3, 0, 2, 1, 1, 1024, 1, none, none},
    SeriesRow{pfFMRack, 3, 3, 3, 2, 2, 1027, 0, none, none},
    SeriesRow{pfFMRack, 4, 0, 2, 1, 1, 1280, 1, none, none},
    SeriesRow{pfFMRack, 4, 3, 3, 2, 2, 1283, 0, none, none},
    // TV rack.
    SeriesRow{pfTVRack, 0, 0, 0, 1, 0, 0, 0, 1, 2},
    SeriesRow{pfTVRack, 1, 0, 5, 1, 0, 256, 3, 1, 2},
    SeriesRow{pfTVRack, 1, 6, 6, 4, 2, 274, 0, none, none},
    SeriesRow{pfTVRack, 2, 0, 2, 1, 1, 512, 1, none, none},
    SeriesRow{pfTVRack, 2, 3, 4, 2, 2, 515, 1, none, none},
    // AM rack: Pelo-1 and Pelo-2. Both can sit in one rack and report in
    // turns, so the Pelo-2 keeps its series 256 slots above the Pelo-1's.
    SeriesRow{pfAMRack, 0, 0, 1, 1, 0, 0, 4, 1, 2},
    SeriesRow{pfAMRack, 0, 2, 3, 1, 1, 8, 1, none, none},
    SeriesRow{pfAMRack, 1, 0, 1, 1, 0, 256, 4, 1, 2},
    SeriesRow{pfAMRack, 1, 2, 7, 1, 1, 264, 1, none, none},
    // Vren-1: audio levels, injections, then the alignment and delay figures,
    // which have no minimum (45 and 47 show one value as peak and average).
    SeriesRow{pfVren1, 0, 0, 4, 0, 6, 2, 3, 1, 2},
    SeriesRow{pfVren1, 0, 5, 6, 2, 7, 17, 1, none, none},
    SeriesRow{pfVren1, 0, 7, 42, 0, 6, 20, 3, 1, 2},
    SeriesRow{pfVren1, 0, 43, 43, 6, 4, 200, 0, 1, none},
    SeriesRow{pfVren1, 0, 44, 44, 7, 5, 202, 0, 1, none},
    SeriesRow{pfVren1, 0, 45, 45, 8, 8, 204, 0, 0, none},
    SeriesRow{pfVren1, 0, 46, 46, 9, 9, 206, 0, -1, none},
    SeriesRow{pfVren1, 0, 47, 47, 8, 8, 207, 0, 0, none},
    // Tavr-1.
    SeriesRow{pfTavr1, 0, 0, 4, 0, 6, 4, 3, 1, 2},
    SeriesRow{pfTavr1, 0, 9, 9, 0, 6, 36, 0, 1, 2},
    SeriesRow{pfTavr1, 0, 11, 11, 0, 6, 39, 0, 1, 2},
    SeriesRow{pfTavr1, 0, 5, 5, 2, 7, 19, 0, none, none},
    SeriesRow{pfTavr1, 0, 7, 7, 2, 7, 44, 0, none, none},
    SeriesRow{pfTavr1, 0, 8, 8, 2, 7, 42, 0, none, none},
    SeriesRow{pfTavr1, 0, 10, 10, 2, 7, 43, 0, none, none},
    SeriesRow{pfTavr1, 0, 6, 6, 1, 1, 20, 0, none, none},
    SeriesRow{pfTavr1, 0, 12, 13, 3, 10, 2, 1, none, none},
};
// clang-format on

constexpr bool slotInHistory(int slot)
{
    return slot >= 0 && slot < HistorySlotCount;
}

// Every slot the table can name lies inside the history, checked when the
// program is built rather than when a window opens.
constexpr bool tableInBounds()
{
    for (const SeriesRow& r : rows) {
        for (int c = r.firstChannel; c <= r.lastChannel; ++c) {
            const int peak = r.firstSlot + r.slotStep * (c - r.firstChannel);
            if (!slotInHistory(peak))
                return false;
            if (r.averageOffset != none && !slotInHistory(peak + r.averageOffset))
                return false;
            if (r.minimumOffset != none && !slotInHistory(peak + r.minimumOffset))
                return false;
        }
    }
    return true;
}
static_assert(tableInBounds(), "a measurement series names a slot outside the history");

const qint32* currentValue(const TMeasurementHistory& history, int slot)
{
    Q_ASSERT(slotInHistory(slot));
    return slotInHistory(slot) ? &history[std::size_t(slot)][1] : nullptr;
}

} // namespace

TMeasurementSeries GetMeasurementSeries(const TMeasurementHistory& history, int family,
                                        int instrument, int channel)
{
    for (const SeriesRow& r : rows) {
        if (r.family != family || r.instrument != instrument || channel < r.firstChannel ||
            channel > r.lastChannel)
            continue;
        const int peak = r.firstSlot + r.slotStep * (channel - r.firstChannel);
        TMeasurementSeries s;
        s.Found = true;
        s.ScaleKind = r.scaleKind;
        s.DisplayMode = r.displayMode;
        s.Peak = currentValue(history, peak);
        if (r.averageOffset != none)
            s.Average = currentValue(history, peak + r.averageOffset);
        if (r.minimumOffset != none)
            s.Minimum = currentValue(history, peak + r.minimumOffset);
        return s;
    }
    return {};
}
