#pragma once

#include "data/FrameState.h"
#include "protocol/rack/RackData.h"

// Turning rack records into the module states, the presence of each module,
// the sample series and the RDS groups. Plain functions over the frame's
// records; the link calls them after each received block and posts the
// messages.

enum class TRackModule
{
    Kelb1,
    Nuva1,
    Lyn1,
    Varn1,
    Gry230,
    Gry250,
    Pelo1,
    Pelo2,
};

// The check rule of every section and page: the low byte of the 16-bit sum of
// words first..last equals word check.
bool RackSectionValid(const TRackModuleRecord& r, int first, int last, int check);

// The module reports its menu: item 255 nothing; a value absent (0xFFFF, or
// 255 for an 8-bit value) moves the menu index; a value present is the
// setting of that item, when the module has such an item.
void ApplyRackMenuEcho(TRackModule module, TRackModuleState& s, int item, int value, bool wide);

// The status sections and the information channel of the current record
// (slot BlockNumber), by RackFamily; AM by the record's module kind.
void DecodeRackStatus(TRackData& d, TConnectionState& c);

// Every record queued in RackSlotList into entries 1..n of the series; the
// list is then empty.
void DecodeRackSamples(TRackData& d, TConnectionState& c);

// The six RDS groups of sample slot LastSampleSlot into RdsGroups, and a copy
// onto RdsQueue for the RDS window.
void UnpackRdsGroups(TRackData& d);

// The part-number text of an identification page: prefix and four digits.
QString RackPartNumber(const char* prefix, int high, int low);
// Ten characters of device text from word first; control bytes become blanks.
QString RackDeviceText(const TRackModuleRecord& r, int first, int count);
