#include "models/Tavr1AlarmRelayRows.h"

#include "common/FieldHelpers.h"

namespace {

constexpr int none = -1;

} // namespace

const std::array<TTavr1AlarmRow, Tavr1AlarmCount>& Tavr1AlarmRows()
{
    // Trap variant, plain variant: label, range and step, threshold code
    // (with its SCA channel), time code.
    static const std::array<TTavr1AlarmRow, Tavr1AlarmCount> rows = {{
        {{"Loss of RF(ANT)", -800, -100, 10, 114, 0, 115},
         {"Loss of RF(ANT)", -800, -100, 10, 114, 0, 115},
         " dB",
         none,
         false,
         nullptr},
        {{"Loss of RF(HL)", 0, 1000, 10, 117, 0, 118},
         {"Loss of RF(HL)", 0, 1500, 10, 117, 0, 118},
         " %",
         none,
         false,
         nullptr},
        {{"High AM Noise", -800, -200, 10, 120, 0, 121},
         {"High AM Noise", -800, -200, 10, 120, 0, 121},
         " dB",
         none,
         false,
         nullptr},
        {{"High SYNC AM", -800, -100, 10, 123, 0, 124},
         {"High SYNC Noise", -800, -200, 10, 123, 0, 124},
         " dB",
         none,
         false,
         nullptr},
        {{"Loss of Total", 0, 1500, 10, 126, 0, 127},
         {"Loss of Total", 0, 1500, 10, 126, 0, 127},
         " %",
         none,
         false,
         nullptr},
        {{"Total Peak", 0, 1500, 10, 129, 0, 130},
         {"Total Peak LED", 0, 1500, 10, 22, 0, none},
         " %",
         11,
         false,
         "  N/A   "},
        {{"Loss of ANL L+R", 0, 1000, 10, 132, 0, 133},
         {"Loss of L+R", 0, 1000, 10, 132, 0, 133},
         " %",
         none,
         false,
         nullptr},
        {{"Loss of Pilot", 0, 100, 1, 135, 0, 136},
         {"Loss of Pilot", 0, 150, 1, 135, 0, 136},
         " %",
         none,
         false,
         nullptr},
        {{"Loss of RDS", 0, 100, 1, 138, 0, 139},
         {"Loss of RDS", 0, 100, 1, 138, 0, 139},
         " %",
         none,
         false,
         nullptr},
        {{"Loss of RDS SYNC", 0, 15, 1, 141, 0, 142},
         {"Loss RDS SYNC", 0, 1500, 10, none, 0, 142},
         "",
         none,
         true,
         nullptr},
        {{"Loss of SCA#1", 0, 250, 1, 144, 0, 145},
         {"Loss of SCA#1 ", 0, 250, 1, 33, 0, 145},
         " %",
         87,
         false,
         nullptr},
        {{"SCA#1 Peak", 0, 1500, 10, 147, 0, 148},
         {"SCA#1 Peak LED", 0, 1500, 10, 31, 0, none},
         " %",
         83,
         false,
         "  N/A "},
        {{"Loss of SCA#2", 0, 250, 1, 150, 0, 151},
         {"Loss of SCA#2 ", 0, 250, 1, 33, 1, 151},
         " %",
         88,
         false,
         nullptr},
        {{"SCA#2 Peak", 0, 1500, 10, 153, 0, 154},
         {"SCA#2 Peak LED", 0, 1500, 10, 31, 1, none},
         " %",
         84,
         false,
         "  N/A  "},
    }};
    return rows;
}

qint32 Tavr1AlarmThresholdPosition(qint32 item)
{
    return qint16(quint16(quint32(item) & 0xFFFF));
}

QString Tavr1AlarmThresholdText(int n, qint32 value)
{
    if (n < 1 || n > Tavr1AlarmCount)
        return {};
    const TTavr1AlarmRow& row = Tavr1AlarmRows()[n - 1];
    if (row.thresholdNotShown)
        return "  N/A ";
    return RealField(5, 1, value / 10.0) + row.suffix;
}

QString Tavr1AlarmSecondsText(qint32 seconds)
{
    return RealField(5, 1, seconds) + " sec";
}

QString Tavr1AlarmTimeText(int n, qint32 seconds)
{
    if (n < 1 || n > Tavr1AlarmCount)
        return {};
    if (const char* fixed = Tavr1AlarmRows()[n - 1].fixedTimeText)
        return fixed;
    return Tavr1AlarmSecondsText(seconds);
}

TAlarmLamp AlarmMaskLamp(quint32 first, quint32 second, int n)
{
    if (n < 1 || n > 32)
        return TAlarmLamp::Lime;
    const quint32 bit = 1u << (n - 1);
    if (second & bit)
        return TAlarmLamp::Yellow;
    if (first & bit)
        return TAlarmLamp::Red;
    return TAlarmLamp::Lime;
}

TAlarmLamp Tavr1AlarmLamp(const std::array<quint16, 2>& masks, int n)
{
    return n <= 16 ? AlarmMaskLamp(masks[0], masks[1], n) : TAlarmLamp::Lime;
}

int Tavr1AlarmListIndex(TAlarmList list, TAlarmVariant v, qint32 action)
{
    const quint32 a = quint32(action);
    switch (list) {
    case TAlarmList::Relay:
        return int(a & 7);
    case TAlarmList::Email:
        return int((a >> 3) & 7);
    case TAlarmList::Display:
        return v == TAlarmVariant::Trap ? int((a >> 6) & 1) : int((a >> 6) & 3);
    case TAlarmList::Trap:
        return int((a >> 7) & 1);
    }
    return -1;
}

qint32 Tavr1AlarmActionWith(TAlarmList list, TAlarmVariant v, qint32 action, int index)
{
    const quint32 a = quint32(action);
    const quint32 i = quint32(index);
    switch (list) {
    case TAlarmList::Relay:
        return qint32((a & 0xF8) | (i & 7));
    case TAlarmList::Email:
        return qint32((a & 0xC7) | ((i & 7) << 3));
    case TAlarmList::Display:
        if (v == TAlarmVariant::Trap)
            return qint32((a & 0xBF) | ((i & 1) << 6));
        return qint32((a & 0x3F) | ((i & 3) << 6));
    case TAlarmList::Trap:
        return qint32((a & 0x7F) | ((i & 1) << 7));
    }
    return action;
}
