#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

// The fourteen alarms of a Tavr1 unit as its alarm/relay windows show them:
// which items each alarm keeps, how its threshold reads, which command
// carries a change, and what the action byte's lists mean. Free of widgets,
// so the two window variants only lay it out.

constexpr int Tavr1AlarmCount = 14;

// The window for units with SNMP (option letter "C") adds a trap column and a
// test button; every other unit gets the plain one.
enum class TAlarmVariant
{
    Plain,
    Trap,
};

// What one variant does with a row's up-downs.
struct TTavr1AlarmLimits
{
    const char* label;
    int min;
    int max;
    int step;
    int thresholdCode;  // -1: the threshold up-down sends nothing
    quint8 thresholdB3; // the SCA channel of a settings code
    int timeCode;       // -1: the time up-down sends nothing
};

struct TTavr1AlarmRow
{
    TTavr1AlarmLimits trap;
    TTavr1AlarmLimits plain;
    const char* suffix;
    // The settings item the row shows as its threshold; -1 for none. The plain
    // window edits that setting itself, the trap window the alarm's own item.
    int settingsItem;
    bool thresholdNotShown;    // the threshold reads "  N/A " after a refill
    const char* fixedTimeText; // shown after a refill in place of the time; nullptr for none

    const TTavr1AlarmLimits& limits(TAlarmVariant v) const
    {
        return v == TAlarmVariant::Trap ? trap : plain;
    }
};

// Alarm n is row n - 1.
const std::array<TTavr1AlarmRow, Tavr1AlarmCount>& Tavr1AlarmRows();

// Items of alarm n (1..14) in Tavr1ConfigRecord; the command that carries an
// item has the item's number minus 2.
constexpr int Tavr1AlarmThresholdItem(int n)
{
    return 116 + 3 * (n - 1);
}
constexpr int Tavr1AlarmTimeItem(int n)
{
    return Tavr1AlarmThresholdItem(n) + 1;
}
constexpr int Tavr1AlarmActionItem(int n)
{
    return Tavr1AlarmThresholdItem(n) + 2;
}
constexpr int Tavr1AlarmCodeOf(int item)
{
    return item - 2;
}
// The action that makes the unit raise an alarm for a test.
constexpr int Tavr1AlarmTestAction = 202;

// A threshold up-down holds the low 16 bits of its item, read as signed.
qint32 Tavr1AlarmThresholdPosition(qint32 item);

// The threshold as a refill shows it: tenths with one decimal and the row's
// suffix, or "  N/A " for the row that has no readable threshold.
QString Tavr1AlarmThresholdText(int n, qint32 value);
// The time as a refill shows it: whole seconds with ".0" and " sec", or the
// row's fixed text.
QString Tavr1AlarmTimeText(int n, qint32 seconds);
// The time as a click shows it, whatever the row.
QString Tavr1AlarmSecondsText(qint32 seconds);

// A lamp: yellow when the alarm's bit is set in the second mask word, else
// red when set in the first, else lime.
enum class TAlarmLamp
{
    Lime,
    Red,
    Yellow,
};
// The rule for alarm n (bit n - 1 of each word, n from 1 to 32), whatever the unit.
TAlarmLamp AlarmMaskLamp(quint32 first, quint32 second, int n);
TAlarmLamp Tavr1AlarmLamp(const std::array<quint16, 2>& masks, int n);

// The lists of the action byte: relay (bits 0-2), e-mail group (bits 3-5),
// display and trap. The plain window reads bits 6-7 together as its display
// field, so a byte with the trap bit set shows no display choice there.
enum class TAlarmList
{
    Relay,
    Email,
    Display,
    Trap,
};
int Tavr1AlarmListIndex(TAlarmList list, TAlarmVariant v, qint32 action);
// The action with the list's field set to index and the other bits kept; the
// plain window's display choice clears the trap bit.
qint32 Tavr1AlarmActionWith(TAlarmList list, TAlarmVariant v, qint32 action, int index);
