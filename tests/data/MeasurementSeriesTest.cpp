#include "data/MeasurementSeries.h"
#include "common/Enums.h"
#include "link/Frame2.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int none = -1;

struct Row
{
    int family, instrument, channel;
    bool found;
    int scaleKind, displayMode;
    int peak, average, minimum; // slots, none for a null pointer
};

// The slot a pointer addresses, none for null; -2 for a pointer that is not
// word 1 of a slot of this history.
int slotOf(const TMeasurementHistory& h, const qint32* p)
{
    if (!p)
        return none;
    const qint32* base = &h[0][0];
    const std::ptrdiff_t word = p - base;
    if (word < 0 || word >= std::ptrdiff_t(HistorySlotCount) * HistorySlotWords ||
        word % HistorySlotWords != 1)
        return -2;
    return int(word / HistorySlotWords);
}

void expectRow(const TMeasurementHistory& h, const Row& r)
{
    SCOPED_TRACE(testing::Message() << "family " << r.family << " instrument " << r.instrument
                                    << " channel " << r.channel);
    const TMeasurementSeries s = GetMeasurementSeries(h, r.family, r.instrument, r.channel);
    EXPECT_EQ(s.Found, r.found);
    EXPECT_EQ(s.ScaleKind, r.scaleKind);
    EXPECT_EQ(s.DisplayMode, r.displayMode);
    EXPECT_EQ(slotOf(h, s.Peak), r.peak);
    EXPECT_EQ(slotOf(h, s.Average), r.average);
    EXPECT_EQ(slotOf(h, s.Minimum), r.minimum);
}

// Nothing found: the outputs are cleared, not left as they were.
Row missing(int family, int instrument, int channel)
{
    return {family, instrument, channel, false, -1, 1, none, none, none};
}

} // namespace

TEST(MeasurementSeries, EveryTavr1Channel)
{
    auto h = std::make_unique<TMeasurementHistory>();
    const Row rows[] = {
        {pfTavr1, 0, 0, true, 0, 6, 4, 5, 6},
        {pfTavr1, 0, 1, true, 0, 6, 7, 8, 9},
        {pfTavr1, 0, 2, true, 0, 6, 10, 11, 12},
        {pfTavr1, 0, 3, true, 0, 6, 13, 14, 15},
        {pfTavr1, 0, 4, true, 0, 6, 16, 17, 18},
        {pfTavr1, 0, 5, true, 2, 7, 19, none, none},
        {pfTavr1, 0, 6, true, 1, 1, 20, none, none},
        {pfTavr1, 0, 7, true, 2, 7, 44, none, none},
        {pfTavr1, 0, 8, true, 2, 7, 42, none, none},
        {pfTavr1, 0, 9, true, 0, 6, 36, 37, 38},
        {pfTavr1, 0, 10, true, 2, 7, 43, none, none},
        {pfTavr1, 0, 11, true, 0, 6, 39, 40, 41},
        {pfTavr1, 0, 12, true, 3, 10, 2, none, none},
        {pfTavr1, 0, 13, true, 3, 10, 3, none, none},
        missing(pfTavr1, 0, 14),
        missing(pfTavr1, 0, 255),
        missing(pfTavr1, 1, 0),
    };
    for (const Row& r : rows)
        expectRow(*h, r);
}

TEST(MeasurementSeries, SpotRowsOfEveryOtherFamily)
{
    auto h = std::make_unique<TMeasurementHistory>();
    const Row rows[] = {
        // Kelb-1.
        {pfFMRack, 0, 0, true, 0, 0, 0, 1, 2},
        {pfFMRack, 0, 3, true, 1, 1, 6, none, none},
        {pfFMRack, 0, 8, true, 1, 1, 11, none, none},
        {pfFMRack, 0, 5, true, 2, 2, 8, none, none},
        {pfFMRack, 0, 6, true, 3, 3, 9, none, none},
        missing(pfFMRack, 0, 9),
        // Nuva-1.
        {pfFMRack, 1, 4, true, 1, 0, 268, 269, 270},
        {pfFMRack, 1, 5, true, 2, 2, 271, none, none},
        {pfFMRack, 1, 6, true, 1, 1, 272, none, none},
        // Lyn-1.
        {pfFMRack, 2, 2, true, 5, 4, 770, none, none},
        {pfFMRack, 2, 1, true, 4, 2, 769, none, none},
        missing(pfFMRack, 2, 4),
        // Varn-1, both units.
        {pfFMRack, 3, 2, true, 1, 1, 1026, none, none},
        {pfFMRack, 4, 0, true, 1, 1, 1280, none, none},
        {pfFMRack, 4, 3, true, 2, 2, 1283, none, none},
        missing(pfFMRack, 5, 0),
        // TV rack: answered although no window asks for it.
        {pfTVRack, 0, 0, true, 1, 0, 0, 1, 2},
        {pfTVRack, 1, 5, true, 1, 0, 271, 272, 273},
        {pfTVRack, 1, 6, true, 4, 2, 274, none, none},
        {pfTVRack, 2, 4, true, 2, 2, 516, none, none},
        // AM rack.
        {pfAMRack, 0, 1, true, 1, 0, 4, 5, 6},
        {pfAMRack, 0, 3, true, 1, 1, 9, none, none},
        // The Pelo-2's own area: a rack may hold both AM modules.
        {pfAMRack, 1, 0, true, 1, 0, 256, 257, 258},
        {pfAMRack, 1, 7, true, 1, 1, 269, none, none},
        missing(pfAMRack, 1, 8),
        // Vren-1: the delay rows have an average but no minimum.
        {pfVren1, 0, 4, true, 0, 6, 14, 15, 16},
        {pfVren1, 0, 6, true, 2, 7, 18, none, none},
        {pfVren1, 0, 7, true, 0, 6, 20, 21, 22},
        {pfVren1, 0, 42, true, 0, 6, 125, 126, 127},
        {pfVren1, 0, 43, true, 6, 4, 200, 201, none},
        {pfVren1, 0, 44, true, 7, 5, 202, 203, none},
        {pfVren1, 0, 45, true, 8, 8, 204, 204, none},
        {pfVren1, 0, 46, true, 9, 9, 206, 205, none},
        {pfVren1, 0, 47, true, 8, 8, 207, 207, none},
        missing(pfVren1, 0, 48),
        // Unknown families and bad channels.
        missing(0, 0, 0),
        missing(6, 0, 0),
        missing(pfFMRack, 0, -1),
        missing(pfVren1, 0, 65535),
    };
    for (const Row& r : rows)
        expectRow(*h, r);
}

TEST(MeasurementSeries, EveryPointerIsWordOneOfASlotOfTheHistory)
{
    auto h = std::make_unique<TMeasurementHistory>();
    int found = 0;
    for (int family = -1; family <= 6; ++family) {
        for (int instrument = -1; instrument <= 8; ++instrument) {
            for (int channel = -1; channel <= 300; ++channel) {
                const auto s = GetMeasurementSeries(*h, family, instrument, channel);
                if (!s.Found) {
                    EXPECT_FALSE(s.Peak || s.Average || s.Minimum);
                    continue;
                }
                ++found;
                ASSERT_NE(s.Peak, nullptr);
                EXPECT_GE(slotOf(*h, s.Peak), 0);
                if (s.Average) {
                    EXPECT_GE(slotOf(*h, s.Average), 0);
                }
                if (s.Minimum) {
                    EXPECT_GE(slotOf(*h, s.Minimum), 0);
                }
            }
        }
    }
    // 9 + 7 + 4 + 4 + 4 rack FM, 1 + 7 + 5 TV, 4 + 8 AM, 48 Vren-1, 14 Tavr-1.
    EXPECT_EQ(found, 28 + 13 + 12 + 48 + 14);
}

TEST(MeasurementSeries, TheFrameHandsOutItsOwnHistory)
{
    TFrame2 f("Connect1");
    const TMeasurementSeries s = f.GetMeasurementSeries(pfTavr1, 0, 9);
    ASSERT_TRUE(s.Found);
    // The window reads in place: a value the decoder writes later shows.
    f.MeasurementHistory[36][1] = 512;
    f.MeasurementHistory[38][1] = -3;
    EXPECT_EQ(*s.Peak, 512);
    EXPECT_EQ(*s.Minimum, -3);
    EXPECT_EQ(s.Average, &f.MeasurementHistory[37][1]);
}
