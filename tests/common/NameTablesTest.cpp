#include "common/NameTables.h"

#include "common/Enums.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

struct NameRow
{
    const char* call;
    QString got;
    QString want;
};

#define ROW(call, want)                                                                            \
    {                                                                                              \
#call, call, want                                                                          \
    }

// Number of channels before the first " ".
int channelCount(int family, int instrument)
{
    int n = 0;
    while (ChannelName(family, instrument, n) != " ")
        ++n;
    return n;
}

} // namespace

TEST(NameTables, InstrumentNames)
{
    const NameRow rows[] = {
        ROW(InstrumentName(pfFMRack, 0), "Kelb-1"),
        ROW(InstrumentName(pfFMRack, 2), "Lyn-1"),
        ROW(InstrumentName(pfFMRack, 3), "Varn-1(0)"),
        ROW(InstrumentName(pfFMRack, 4), "Varn-1(1)"),
        ROW(InstrumentName(pfFMRack, 5), " "),
        ROW(InstrumentName(pfTVRack, 0), "GryA-1"),
        ROW(InstrumentName(pfTVRack, 2), "Gry250"),
        ROW(InstrumentName(pfTVRack, 3), " "),
        ROW(InstrumentName(pfAMRack, 0), "Pelo-1"),
        ROW(InstrumentName(pfAMRack, 1), "Pelo-2"),
        ROW(InstrumentName(pfVren1, 0), "Vren-1"),
        ROW(InstrumentName(pfVren1, 1), " "),
        ROW(InstrumentName(pfTavr1, 0), "Tavr-1"),
        ROW(InstrumentName(pfTavr1, 7), " "),
        // Outside the table: a blank, never a read past it.
        ROW(InstrumentName(pfFMRack, 8), " "),
        ROW(InstrumentName(pfFMRack, -1), " "),
        ROW(InstrumentName(0, 0), " "),
        ROW(InstrumentName(6, 0), " "),
        ROW(InstrumentName(std::numeric_limits<int>::min(), 0), " "),
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.got.toStdString(), r.want.toStdString()) << r.call;
}

TEST(NameTables, ChannelNames)
{
    const NameRow rows[] = {
        ROW(ChannelName(pfFMRack, 0, 0), "TOTAL"),
        ROW(ChannelName(pfFMRack, 0, 7), "SYNC NOISE"),
        ROW(ChannelName(pfFMRack, 0, 8), "RF LEVEL"),
        ROW(ChannelName(pfFMRack, 1, 3), "L + R"),
        ROW(ChannelName(pfFMRack, 1, 6), "PILOT MOD"),
        ROW(ChannelName(pfFMRack, 2, 2), "RDS PHASE"),
        ROW(ChannelName(pfFMRack, 2, 3), "PILOT INJ"),
        ROW(ChannelName(pfFMRack, 3, 3), "SCA INJ"),
        ROW(ChannelName(pfFMRack, 4, 1), "MAIN"),
        ROW(ChannelName(pfTVRack, 0, 0), "TOTAL"),
        ROW(ChannelName(pfTVRack, 1, 1), "STEREO"),
        ROW(ChannelName(pfTVRack, 1, 6), "PILOT INJ"),
        ROW(ChannelName(pfTVRack, 2, 4), "PRO INJ"),
        ROW(ChannelName(pfAMRack, 0, 0), "POS MOD"),
        ROW(ChannelName(pfAMRack, 0, 3), "CAR SHIFT"),
        ROW(ChannelName(pfAMRack, 1, 3), "CAR REF"),
        ROW(ChannelName(pfAMRack, 1, 7), "NOISE"),
        ROW(ChannelName(pfTavr1, 0, 0), "TOTAL"),
        ROW(ChannelName(pfTavr1, 0, 8), "SCA#1 INJ"),
        ROW(ChannelName(pfTavr1, 0, 12), "AM Noise"),
        ROW(ChannelName(pfTavr1, 0, 13), "Sync AM Noise"),

        ROW(ChannelName(pfVren1, 0, 0), "TOTAL"),
        ROW(ChannelName(pfVren1, 0, 6), "RDS INJ"),
        ROW(ChannelName(pfVren1, 0, 7), "HD Audio: ANL L"),
        ROW(ChannelName(pfVren1, 0, 10), "HD Audio: ANL L-R"),
        ROW(ChannelName(pfVren1, 0, 11), "HD Audio: HD1 L"),
        // The blank after the colon ends with HD3 L+R.
        ROW(ChannelName(pfVren1, 0, 21), "HD Audio: HD3 L+R"),
        ROW(ChannelName(pfVren1, 0, 22), "HD Audio:HD3 L-R"),
        ROW(ChannelName(pfVren1, 0, 23), "HD Audio:HD4 L"),
        ROW(ChannelName(pfVren1, 0, 42), "HD Audio:HD8 L-R"),
        ROW(ChannelName(pfVren1, 0, 43), "Level Align"),
        ROW(ChannelName(pfVren1, 0, 47), "Delay Correction"),

        // Outside the lists.
        ROW(ChannelName(pfVren1, 1, 0), " "),
        ROW(ChannelName(pfVren1, 0, 48), " "),
        ROW(ChannelName(pfFMRack, 0, 9), " "),
        ROW(ChannelName(pfFMRack, 0, -1), " "),
        ROW(ChannelName(pfFMRack, 5, 0), " "),
        ROW(ChannelName(pfTVRack, 0, 1), " "),
        ROW(ChannelName(pfAMRack, 2, 0), " "),
        ROW(ChannelName(0, 0, 0), " "),
        ROW(ChannelName(6, 0, 0), " "),
        ROW(ChannelName(pfTavr1, 0, 14), " "),
        ROW(ChannelName(pfTavr1, -1, 0), " "),
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.got.toStdString(), r.want.toStdString()) << r.call;
}

TEST(NameTables, EveryListHasItsLengthAndFitsItsField)
{
    struct Source
    {
        int family, instrument, channels;
    };
    const Source sources[] = {
        {pfFMRack, 0, 9}, {pfFMRack, 1, 7}, {pfFMRack, 2, 4}, {pfFMRack, 3, 4},
        {pfFMRack, 4, 4}, {pfTVRack, 0, 1}, {pfTVRack, 1, 7}, {pfTVRack, 2, 5},
        {pfAMRack, 0, 4}, {pfAMRack, 1, 8}, {pfVren1, 0, 48}, {pfTavr1, 0, 14},
    };
    for (const auto& s : sources) {
        EXPECT_EQ(channelCount(s.family, s.instrument), s.channels)
            << "family " << s.family << " instrument " << s.instrument;
        EXPECT_LE(InstrumentName(s.family, s.instrument).size(), 9);
        for (int c = 0; c < s.channels; ++c)
            EXPECT_LE(ChannelName(s.family, s.instrument, c).size(), 35);
    }
}
