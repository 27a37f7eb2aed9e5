#include "models/Vren1AlarmRows.h"

#include "common/FieldHelpers.h"

namespace {

using F = TVren1ThresholdForm;

const QString NotApplicable = QStringLiteral("  N/A  ");

bool validRow(int n) { return n >= 1 && n <= Vren1AlarmCount; }

} // namespace

const std::array<TVren1AlarmRow, Vren1AlarmCount>& Vren1AlarmRows()
{
    static const std::array<TVren1AlarmRow, Vren1AlarmCount> rows = {{
        {"Loss of RF(ANT)", -800, -100, 10, F::Tenths, " dB", true},
        {"Loss of RF(HL)", 0, 1000, 10, F::Tenths, " %", true},
        {"Loss of Total", 0, 1500, 10, F::Tenths, " %", true},
        {"Total Peak", 0, 1500, 1, F::Tenths, " %", false},
        {"Loss of ANL L+R", 0, 1500, 10, F::Tenths, " %", true},
        {"Loss of Pilot", 0, 150, 1, F::Tenths, " %", true},
        {"HD Station LED", 0, 100, 10, F::NotUsed, "", true},
        {"HD Audio LED", 0, 100, 1, F::NotUsed, "", true},
        {"SIS CRC LED", 0, 100, 1, F::NotUsed, "", true},
        {"QI Value", 0, 15, 1, F::Whole, "", true},
        {"CD/NO", 300, 800, 10, F::Tenths, " dB", true},
        {"Loss of HD1 L+R", 0, 1500, 10, F::Tenths, " %", true},
        {"Loss of HD2 L+R", 0, 1500, 10, F::Tenths, " %", true},
        {"Loss of HD3 L+R", 0, 1500, 10, F::Tenths, " %", true},
        {"Loss of HD4 L+R", 0, 1500, 10, F::Tenths, " %", true},
        {"Loss of HD5 L+R", 0, 1500, 10, F::Tenths, " %", true},
        {"Loss of HD6 L+R", 0, 1500, 10, F::Tenths, " %", true},
        {"Loss of HD7 L+R", 0, 1500, 10, F::Tenths, " %", true},
        {"Loss of HD8 L+R", 0, 1500, 10, F::Tenths, " %", true},
        {"Time Align +", 0, 250, 1, F::Whole, " sam", true},
        {"Time Align -", -250, 0, 1, F::Whole, " sam", true},
        {"Audio Polarity LED", 0, 10, 1, F::NotUsed, "", true},
        {"Loss of RDS", 0, 100, 1, F::Tenths, " %", true},
    }};
    return rows;
}

qint32 Vren1AlarmThresholdValue(qint32 item)
{
    return qint16(quint16(quint32(item) & 0xFFFF));
}

QString Vren1AlarmThresholdText(int n, qint32 value)
{
    if (!validRow(n))
        return {};
    const TVren1AlarmRow& r = Vren1AlarmRows()[size_t(n - 1)];
    switch (r.form) {
    case F::NotUsed:
        return NotApplicable;
    case F::Tenths:
        return RealField(5, 1, value / 10.0) + r.suffix;
    case F::Whole:
        break;
    }
    return IntField(value, 5) + r.suffix;
}

QString Vren1AlarmTimeText(int n, qint32 seconds)
{
    if (!validRow(n))
        return {};
    if (!Vren1AlarmRows()[size_t(n - 1)].timeUsed)
        return NotApplicable;
    return RealField(5, 1, seconds) + " sec";
}

int Vren1AlarmListIndex(TAlarmList list, qint32 action)
{
    int index = -1;
    switch (list) {
    case TAlarmList::Relay:
        index = action & 7;
        break;
    case TAlarmList::Email:
        index = (action >> 3) & 7;
        break;
    case TAlarmList::Display:
        index = (action >> 6) & 1;
        break;
    case TAlarmList::Trap:
        return -1;
    }
    // Relay and e-mail lists hold " N" and "#1".."#4"; 5..7 show no choice.
    return index <= 4 ? index : -1;
}

qint32 Vren1AlarmActionWith(TAlarmList list, qint32 action, int index)
{
    switch (list) {
    case TAlarmList::Relay:
        return (action & 0xF8) + (index & 7);
    case TAlarmList::Email:
        return (action & 0xC7) | ((index & 7) << 3);
    case TAlarmList::Display:
        return (action & 0xBF) | ((index & 1) << 6);
    case TAlarmList::Trap:
        break;
    }
    return action;
}

TAlarmLamp Vren1AlarmLamp(const std::array<qint32, 2>& masks, int n)
{
    if (!validRow(n))
        return TAlarmLamp::Lime;
    return AlarmMaskLamp(quint32(masks[0]), quint32(masks[1]), n);
}
