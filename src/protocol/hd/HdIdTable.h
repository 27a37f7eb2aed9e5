#pragma once

#include "data/FrameState.h"
#include "protocol/hd/HdData.h"

// The one table of the HD set-parameter ids: which item an id names, how many
// hex digits carry it and which window pages its change refreshes. The "CC"
// sender reads the item, the block echo and the echo line write it, the type-0
// parser and the simulated unit use the same widths.

enum class THdIdSource
{
    Word,        // HdLocalConfig word
    WordByInput, // one of two words chosen by word 4 (the RF input)
    UnitRecord,  // an item of the 20-byte unit record
    BarScale,    // word 168 + the source 0..8 (the selector)
    EmailGroup,  // an e-mail group word
    TaCurrent,   // field 7 of the table's current configuration
    TaField,     // a field of configuration selector 1..6
    ScanWord,    // a multi-scan word
    Selector,    // the selector itself, no item
};

struct THdIdRow
{
    int firstId;
    int lastId;
    THdIdSource source;
    int first;       // word, item, field or scan word of firstId (see lookup rules)
    int digits;      // 2 or 4
    quint16 refresh; // bit n: page flag n
};

// The row of a "CC" id, or null for an id with no item.
const THdIdRow* HdIdRowFor(int id);

// How many hex digits a "CC" id's value takes (0 for no item).
int HdIdDigits(int id);

// The item a "CC" id names in d, for the given selector (the request's B3):
// null when the id has no item or the selector or the table's current
// configuration is out of range. Never indexes with an unchecked value.
qint32* HdIdItem(THdData& d, int id, int selector);

// The value an id's item takes from the low 8 or 16 bits: 16-bit items are
// sign-extended above 0x8000, the item of id 24 from 8 bits.
qint32 HdIdValue(int id, quint32 bits);

// Raises the page flags an id's change concerns ("CC" ids, and the "PB"
// program-select actions 514 and 517..520).
void HdRaiseRefresh(int id, TPageRefreshFlags& flags);
