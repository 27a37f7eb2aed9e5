#include "protocol/tavr1/Tavr1CodeTable.h"

#include "data/FrameState.h"

namespace {

using F = TTavr1ValueForm;

constexpr quint16 flag(int n)
{
    return quint16(1u << n);
}
constexpr quint16 fTuning = flag(prTuning);
constexpr quint16 fSpectrum = flag(prSpectrum);
constexpr quint16 fSettings = flag(prSettings);
constexpr quint16 fAlarms = flag(prAlarms);

// Consecutive codes that carry consecutive items (pairs: consecutive pairs of
// items) in one form.
struct Run
{
    int firstCode;
    int lastCode;
    int firstItem;
    F form;
    quint16 flags;
};

constexpr Run runs[] = {
    {0, 0, 0, F::Byte, fSpectrum}, // spectrum page
    {15, 15, 2, F::Word, fTuning | fSettings},
    {16, 16, 5, F::Byte, fTuning | fSettings}, // attenuator, item by RF input (below)
    {17, 17, 4, F::Byte, fTuning | fSettings},
    {18, 21, 7, F::Byte, fSettings},
    {22, 22, 11, F::Word, fSettings | fAlarms},
    {23, 23, 12, F::Byte, fSettings},
    // SCA#1/SCA#2 pairs 69/70 ... 87/88.
    {24, 24, 69, F::Pair8, fSettings},
    {25, 25, 71, F::Pair16, fSettings},
    {26, 30, 73, F::Pair8, fSettings},
    {31, 31, 83, F::Pair16, fSettings | fAlarms},
    {32, 32, 85, F::Pair8, fSettings},
    {33, 33, 87, F::Pair16, fSettings | fAlarms},
    // RF spectrum page.
    {34, 34, 13, F::SignedByte, fSpectrum},
    {35, 36, 14, F::Byte, fSpectrum},
    {37, 37, 17, F::Byte, fSpectrum},
    {38, 38, 16, F::SignedWord, fSpectrum},
    {39, 39, 18, F::SignedWord, fSpectrum},
    {40, 40, 22, F::Word, fSpectrum},
    {41, 43, 24, F::Byte, fSpectrum},
    {44, 44, 27, F::SignedWord, fSpectrum},
    {45, 48, 28, F::Byte, fSpectrum},
    // Composite spectrum page.
    {49, 49, 32, F::SignedByte, fSpectrum},
    {50, 51, 33, F::Byte, fSpectrum},
    {52, 52, 36, F::Byte, fSpectrum},
    {53, 53, 35, F::SignedWord, fSpectrum},
    {54, 54, 37, F::SignedWord, fSpectrum},
    {55, 55, 40, F::Word, fSpectrum},
    {56, 58, 42, F::Byte, fSpectrum},
    {59, 59, 45, F::SignedWord, fSpectrum},
    {60, 62, 46, F::Byte, fSpectrum},
    // Audio spectrum page.
    {63, 63, 49, F::SignedByte, fSpectrum},
    {64, 65, 50, F::Byte, fSpectrum},
    {66, 66, 53, F::Byte, fSpectrum},
    {67, 67, 52, F::SignedWord, fSpectrum},
    {68, 68, 54, F::SignedWord, fSpectrum},
    {69, 69, 58, F::Byte, 0}, // refreshes through its reload of the audio page only
    {70, 71, 59, F::Byte, fSpectrum},
    {72, 74, 62, F::Byte, fSpectrum},
    {75, 75, 65, F::SignedWord, fSpectrum},
    {76, 78, 66, F::Byte, fSpectrum},
    // Outputs and unit-wide settings.
    {79, 97, 97, F::Byte, fSettings},
    {98, 105, 89, F::Byte, fSettings},
};

constexpr int alarmCount = 14;
constexpr int firstAlarmCode = 114;
constexpr int firstAlarmItem = 116;

// Alarm thresholds that are also unit settings: the composite peak and the SCA
// levels. Their echo refreshes the settings page too.
struct Mirror
{
    int code;
    int item;
};
constexpr Mirror mirrors[] = {{129, 11}, {144, 87}, {147, 83}, {150, 88}, {153, 84}};

struct ReloadCode
{
    int code;
    TTavr1Reload reload;
};
constexpr ReloadCode reloadCodes[] = {
    {37, rlResolution}, {52, rlResolution}, {66, rlResolution}, {39, rlZoom},
    {54, rlZoom},       {68, rlZoom},       {69, rlAudioPage},
};

constexpr int resolutionItems[] = {16, 18, 35, 37, 52, 54};
constexpr int zoomItems[] = {20, 21, 38, 39, 56, 57};
constexpr int audioPageItems[] = {49, 51, 52, 54, 56, 57, 61};

struct Table
{
    std::array<TTavr1CodeEntry, 256> entries{};
    std::array<bool, 256> present{};

    Table()
    {
        for (const Run& r : runs) {
            const int itemStep = isTavr1Pair(r.form) ? 2 : 1;
            for (int code = r.firstCode; code <= r.lastCode; ++code) {
                TTavr1CodeEntry& e = add(code);
                e.form = r.form;
                e.item = qint16(r.firstItem + itemStep * (code - r.firstCode));
                if (isTavr1Pair(r.form))
                    e.otherItem = qint16(e.item + 1);
                e.flags = r.flags;
            }
        }
        TTavr1CodeEntry& attenuator = entries[16];
        attenuator.byRfInput = true;
        attenuator.otherItem = 6;

        for (int n = 0; n < alarmCount; ++n) {
            const F forms[] = {F::SignedWord, F::Word, F::Byte}; // threshold, time, action
            for (int k = 0; k < 3; ++k) {
                TTavr1CodeEntry& e = add(firstAlarmCode + 3 * n + k);
                e.form = forms[k];
                e.item = qint16(firstAlarmItem + 3 * n + k);
                e.flags = fAlarms;
            }
        }
        for (const Mirror& m : mirrors) {
            entries[m.code].mirrorItem = qint16(m.item);
            entries[m.code].flags |= fSettings;
        }
        for (const ReloadCode& r : reloadCodes)
            entries[r.code].reload = r.reload;
    }

    TTavr1CodeEntry& add(int code)
    {
        present[code] = true;
        return entries[code];
    }
};

const Table& table()
{
    static const Table t;
    return t;
}

} // namespace

const TTavr1CodeEntry* Tavr1CodeFor(int code)
{
    if (code < 0 || code > 255 || !table().present[code])
        return nullptr;
    return &table().entries[code];
}

int Tavr1CodeItem(const TTavr1CodeEntry& entry, const Tavr1ConfigRecord& record, int selector)
{
    if (entry.byRfInput)
        return record[Tavr1RfInputItem] != 0 ? entry.item : entry.otherItem;
    if (isTavr1Pair(entry.form)) {
        if (selector == 0)
            return entry.item;
        if (selector == 1)
            return entry.otherItem;
        return -1;
    }
    return entry.item;
}

std::span<const int> Tavr1ReloadItems(TTavr1Reload reload)
{
    switch (reload) {
    case rlResolution:
        return resolutionItems;
    case rlZoom:
        return zoomItems;
    case rlAudioPage:
        return audioPageItems;
    case rlNone:
        break;
    }
    return {};
}
