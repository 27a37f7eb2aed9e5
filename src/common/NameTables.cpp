#include "common/NameTables.h"

#include "common/Enums.h"

#include <array>
#include <span>

namespace {

constexpr int instrumentsPerFamily = 8;

using InstrumentRow = std::array<const char*, instrumentsPerFamily>;

// By family 1..5; nullptr where a family has no such instrument.
constexpr std::array<InstrumentRow, 5> instrumentNames = {{
    {"Kelb-1", "Nuva-1", "Lyn-1", "Varn-1(0)", "Varn-1(1)"},
    {"GryA-1", "Gry230", "Gry250"},
    {"Pelo-1", "Pelo-2"},
    {"Vren-1"},
    {"Tavr-1"},
}};

constexpr const char* kelb1[] = {"TOTAL",   "LOOP#1",   "LOOP#2",     "PILOT MOD", "PILOT INJ",
                                 "SCA INJ", "AM NOISE", "SYNC NOISE", "RF LEVEL"};
constexpr const char* nuva1[] = {"TOTAL", "LEFT",      "RIGHT",    "L + R",
                                 "L - R", "PILOT INJ", "PILOT MOD"};
constexpr const char* lyn1[] = {"TOTAL", "RDS INJ", "RDS PHASE", "PILOT INJ"};
constexpr const char* varn1[] = {"TOTAL", "MAIN", "SCA MOD", "SCA INJ"};
constexpr const char* gryA1[] = {"TOTAL"};
constexpr const char* gry230[] = {"TOTAL", "STEREO", "LEFT",     "RIGHT",
                                  "L + R", "L - R",  "PILOT INJ"};
constexpr const char* gry250[] = {"TOTAL", "SAP DEV", "PRO DEV", "SAP INJ", "PRO INJ"};
constexpr const char* pelo1[] = {"POS MOD", "NEG MOD", "CAR LEVEL", "CAR SHIFT"};
constexpr const char* pelo2[] = {"POS MOD",  "NEG MOD", "CAR LEVEL", "CAR REF",
                                 "CAR HIGH", "CAR LOW", "CAR RATIO", "NOISE"};

// From the HD3 L-R entry on the blank after the colon is missing; the names are
// kept exactly as they stand, not tidied.
constexpr const char* vren1[] = {"TOTAL",
                                 "LEFT",
                                 "RIGHT",
                                 "L + R",
                                 "L - R",
                                 "PILOT INJ",
                                 "RDS INJ",
                                 "HD Audio: ANL L",
                                 "HD Audio: ANL R",
                                 "HD Audio: ANL L+R",
                                 "HD Audio: ANL L-R",
                                 "HD Audio: HD1 L",
                                 "HD Audio: HD1 R",
                                 "HD Audio: HD1 L+R",
                                 "HD Audio: HD1 L-R",
                                 "HD Audio: HD2 L",
                                 "HD Audio: HD2 R",
                                 "HD Audio: HD2 L+R",
                                 "HD Audio: HD2 L-R",
                                 "HD Audio: HD3 L",
                                 "HD Audio: HD3 R",
                                 "HD Audio: HD3 L+R",
                                 "HD Audio:HD3 L-R",
                                 "HD Audio:HD4 L",
                                 "HD Audio:HD4 R",
                                 "HD Audio:HD4 L+R",
                                 "HD Audio:HD4 L-R",
                                 "HD Audio:HD5 L",
                                 "HD Audio:HD5 R",
                                 "HD Audio:HD5 L+R",
                                 "HD Audio:HD5 L-R",
                                 "HD Audio:HD6 L",
                                 "HD Audio:HD6 R",
                                 "HD Audio:HD6 L+R",
                                 "HD Audio:HD6 L-R",
                                 "HD Audio:HD7 L",
                                 "HD Audio:HD7 R",
                                 "HD Audio:HD7 L+R",
                                 "HD Audio:HD7 L-R",
                                 "HD Audio:HD8 L",
                                 "HD Audio:HD8 R",
                                 "HD Audio:HD8 L+R",
                                 "HD Audio:HD8 L-R",
                                 "Level Align",
                                 "Time Align",
                                 "Device Delay",
                                 "Delay Error",
                                 "Delay Correction"};
static_assert(std::size(vren1) == 48);

constexpr const char* tavr1[] = {"TOTAL",     "LEFT",      "RIGHT",    "L + R",        "L - R",
                                 "PILOT INJ", "PILOT MOD", "RDS INJ",  "SCA#1 INJ",    "SCA#1 MOD",
                                 "SCA#2 INJ", "SCA#2 MOD", "AM Noise", "Sync AM Noise"};

std::span<const char* const> channelList(int family, int instrument)
{
    switch (family) {
    case pfFMRack:
        switch (instrument) {
        case 0:
            return kelb1;
        case 1:
            return nuva1;
        case 2:
            return lyn1;
        case 3: // the two Varn-1 units measure the same quantities
        case 4:
            return varn1;
        }
        break;
    case pfTVRack:
        switch (instrument) {
        case 0:
            return gryA1;
        case 1:
            return gry230;
        case 2:
            return gry250;
        }
        break;
    case pfAMRack:
        switch (instrument) {
        case 0:
            return pelo1;
        case 1:
            return pelo2;
        }
        break;
    case pfVren1:
        if (instrument == 0)
            return vren1;
        break;
    case pfTavr1:
        if (instrument == 0)
            return tavr1;
        break;
    }
    return {};
}

} // namespace

QString InstrumentName(int family, int instrument)
{
    if (family < pfFMRack || family > pfTavr1 || instrument < 0 ||
        instrument >= instrumentsPerFamily)
        return QStringLiteral(" ");
    const char* name = instrumentNames[family - pfFMRack][instrument];
    return name ? QString::fromLatin1(name) : QStringLiteral(" ");
}

QString ChannelName(int family, int instrument, int channel)
{
    const auto list = channelList(family, instrument);
    if (channel < 0 || std::size_t(channel) >= list.size())
        return QStringLiteral(" ");
    return QString::fromLatin1(list[channel]);
}
