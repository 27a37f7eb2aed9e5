#pragma once

#include "models/Tavr1AlarmRelayRows.h" // TAlarmLamp

#include <QString>
#include <QtGlobal>
#include <array>

// The twenty-three alarms of a Vren1 unit as its alarm/relay window shows
// them: the row table, the ids and items each alarm keeps, the texts of
// thresholds and times, and the lamp rule. Free of widgets.

constexpr int Vren1AlarmCount = 23;
constexpr int Vren1AlarmTestAction = 538;

// How a row's threshold reads.
enum class TVren1ThresholdForm
{
    NotUsed, // "  N/A  "; the up-down only keeps its value locally
    Tenths,  // stored tenths with one decimal, then the suffix
    Whole,   // the integer in width 5, then the suffix
};

struct TVren1AlarmRow
{
    const char* label;
    int min, max, step;
    TVren1ThresholdForm form;
    const char* suffix;
    bool timeUsed; // false: the time reads "  N/A  " and sends nothing
};

const std::array<TVren1AlarmRow, Vren1AlarmCount>& Vren1AlarmRows();

// Parameter ids of alarm n (1..23); the record item is always id - 8.
inline int Vren1AlarmThresholdId(int n) { return 101 + 3 * (n - 1); }
inline int Vren1AlarmTimeId(int n) { return 102 + 3 * (n - 1); }
inline int Vren1AlarmActionId(int n) { return 103 + 3 * (n - 1); }
inline int Vren1AlarmItemOf(int id) { return id - 8; }

// The unit keeps a threshold in the low 16 bits, signed: rows 1 and 21 are
// negative. Position and text both come from this value.
qint32 Vren1AlarmThresholdValue(qint32 item);
QString Vren1AlarmThresholdText(int n, qint32 value);
// "  N/A  " for a row whose time is not used.
QString Vren1AlarmTimeText(int n, qint32 seconds);

// The action byte's lists: relay (bits 0-2), e-mail group (bits 3-5) and
// display (bit 6).
int Vren1AlarmListIndex(TAlarmList list, qint32 action);
qint32 Vren1AlarmActionWith(TAlarmList list, qint32 action, int index);

// Second mask word yellow, else first mask word red, else lime.
TAlarmLamp Vren1AlarmLamp(const std::array<qint32, 2>& masks, int n);
