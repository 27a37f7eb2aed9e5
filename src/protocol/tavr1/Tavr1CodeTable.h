#pragma once

#include "protocol/tavr1/Tavr1Data.h"

#include <QtGlobal>
#include <span>

// Which configuration item a Tavr1 command code carries and in what form. One
// table serves both directions: the "CC" line takes its value from the item,
// and the unit's echo of the same code writes the item back.

enum class TTavr1ValueForm : quint8
{
    Byte,
    SignedByte,
    Word,
    SignedWord,
    Pair8,  // SCA#1/SCA#2 item chosen by a selector, 8-bit value
    Pair16, // the same with a 16-bit value
};

enum TTavr1Reload : quint8
{
    rlNone = 0,
    rlResolution, // a horizontal resolution changed
    rlZoom,       // a zoom index changed
    rlAudioPage,  // the audio page was reset
};

struct TTavr1CodeEntry
{
    TTavr1ValueForm form = TTavr1ValueForm::Byte;
    qint16 item = -1;       // the item; SCA#1 of a pair; High Level attenuator of code 16
    qint16 otherItem = -1;  // SCA#2 of a pair; Antenna attenuator of code 16
    qint16 mirrorItem = -1; // a settings item that holds the same alarm threshold
    quint16 flags = 0;      // PageRefresh flags to raise, bit n = flag n
    TTavr1Reload reload = rlNone;
    bool byRfInput = false; // item when the RF input (item 4) is High Level, else otherItem
};

constexpr int Tavr1RfInputItem = 4;

// The entry of a code; nullptr for a code that carries no item (1-14,
// 106-113, above 155, outside 0..255).
const TTavr1CodeEntry* Tavr1CodeFor(int code);

inline bool isTavr1Pair(TTavr1ValueForm f)
{
    return f == TTavr1ValueForm::Pair8 || f == TTavr1ValueForm::Pair16;
}
inline bool isTavr1Wide(TTavr1ValueForm f)
{
    return f == TTavr1ValueForm::Word || f == TTavr1ValueForm::SignedWord ||
           f == TTavr1ValueForm::Pair16;
}

// The item the code addresses in record, -1 when a pair's selector is neither 0
// nor 1.
int Tavr1CodeItem(const TTavr1CodeEntry& entry, const Tavr1ConfigRecord& record, int selector);

// The items a reload request copies from the unit's record.
std::span<const int> Tavr1ReloadItems(TTavr1Reload reload);
