#include "models/Lyn1_Menu.h"

#include "common/FieldHelpers.h"
#include "models/RackMenuKit.h"
#include "protocol/rack/RackCommands.h"

#include <cstdlib>

namespace {

constexpr int Lyn1Series = 768;

bool pastMode(const TLyn1State& s)
{
    return (s.SettingsBits & TLyn1Menu::TimeModeBit) != 0;
}

int hold(const TLyn1State& s)
{
    return s.HoldTime;
}

} // namespace

TLyn1Readings Lyn1Readings(const TMeasurementHistory& h, bool phaseValid)
{
    auto v = [&](int series) { return h[Lyn1Series + series][1]; };
    return {v(0), v(1), v(2), phaseValid, v(3), v(4)};
}

QByteArray TLyn1Menu::step(TLyn1State& s, int delta)
{
    int item = s.MenuIndex;
    if (item >= MainFirst && item <= MainLast) {
        m_first = MainFirst;
        m_last = MainLast;
    } else if (item >= SettingsFirst && item <= SettingsLast) {
        m_first = SettingsFirst;
        m_last = SettingsLast;
    } else {
        // An item on no page: the active page's first item, as if shown.
        s.MenuIndex = m_first;
        return Lyn1ShowItemCmd(m_first);
    }
    item += delta;
    if (item > m_last)
        item = m_first;
    if (item < m_first)
        item = m_last;
    s.MenuIndex = item;
    return Lyn1ShowItemCmd(item);
}

QByteArray TLyn1Menu::up(TLyn1State& s)
{
    return step(s, 1);
}

QByteArray TLyn1Menu::down(TLyn1State& s)
{
    return step(s, -1);
}

QByteArray TLyn1Menu::select(TLyn1State& s, int accessLevel)
{
    switch (s.MenuIndex) {
    case ModifySettings:
        m_first = SettingsFirst;
        m_last = SettingsLast;
        m_saved = s.MenuIndex;
        s.MenuIndex = SettingsFirst;
        s.LastValue = 0;
        return Lyn1SelectPageCmd(1);
    case Exit:
        m_first = MainFirst;
        m_last = MainLast;
        s.MenuIndex = m_saved;
        s.LastValue = 0;
        return Lyn1SelectPageCmd(0);
    default:
        break;
    }
    if (RackKey3Action(s.MenuIndex, {ModifySettings, Exit}, accessLevel) == TKey3Action::ValueUp)
        return plus(s);
    return {};
}

QByteArray TLyn1Menu::setValue(TLyn1State& s, int item, int value)
{
    s.LastValue = value;
    if (item >= 0 && item < RackSettingItems)
        s.Settings[item] = value;
    return Lyn1SetValueCmd(item, value);
}

QByteArray TLyn1Menu::plus(TLyn1State& s)
{
    switch (s.MenuIndex) {
    case Hold:
        if (s.HoldExternal) {
            s.HoldExternal = false;
            s.HoldIsZero = false;
            s.HoldTime = 1;
        } else if (hold(s) < HoldMax) {
            s.HoldTime = hold(s) + 1;
        }
        // At the bound the current hold goes again: a stale last value of 0
        // would turn the hold off.
        return setValue(s, Hold, s.HoldTime);
    case TimeMode:
        s.SettingsBits |= TimeModeBit;
        s.Flags[TimeMode] = true;
        s.HoldExternal = s.HoldIsZero;
        return setValue(s, TimeMode, 1);
    case Infinite:
        s.SettingsBits |= InfiniteBit;
        s.Flags[Infinite] = true;
        return setValue(s, Infinite, 1);
    case SaveConfig:
        return setValue(s, SaveConfig, 1);
    default:
        return {};
    }
}

QByteArray TLyn1Menu::minus(TLyn1State& s, int accessLevel)
{
    if (!RackMayChange(accessLevel))
        return {};
    switch (s.MenuIndex) {
    case Hold:
        if (s.HoldExternal)
            return setValue(s, Hold, 0);
        if (hold(s) <= 1 && pastMode(s)) {
            s.HoldExternal = true;
            s.HoldIsZero = true;
            return setValue(s, Hold, 0);
        }
        if (hold(s) > 1)
            s.HoldTime = hold(s) - 1;
        return setValue(s, Hold, s.HoldTime);
    case TimeMode:
        s.SettingsBits &= quint16(~TimeModeBit);
        s.Flags[TimeMode] = false;
        s.HoldExternal = false;
        return setValue(s, TimeMode, 0);
    case Infinite:
        s.SettingsBits &= quint16(~InfiniteBit);
        s.Flags[Infinite] = false;
        return setValue(s, Infinite, 0);
    default:
        return {};
    }
}

QString TLyn1Menu::text(const TLyn1State& s, const TLyn1Readings& r)
{
    switch (s.MenuIndex) {
    case 0:
        return "   TOTAL   " + IntField(RoundHalfEven(r.total / 10.0), 4) + " %   ";
    case 1:
        return "   RDS INJ " + RealField(4, 1, r.rdsInjection / 10.0) + " %   ";
    case 2:
        if (r.phaseValid)
            return QString(r.rdsPhase < 0 ? "   RDS PH -" : "   RDS PH +") +
                   IntField(std::abs(r.rdsPhase), 2) + " DEG  ";
        if (r.rdsPhase == -255)
            return "   RDS PH  *** DEG  ";
        return r.rdsPhase < 0 ? "   RDS PH  -** DEG  " : "   RDS PH  +** DEG  ";
    case 3:
        return "  PILOT INJ " + RealField(4, 1, r.pilotInjection / 10.0) + " %  ";
    case 4:
        return "  BLK ERROR " + RealField(5, 1, r.blockErrors / 10.0) + "%  ";
    case 5:
        return " DISPLAY BASIC DATA ";
    case 6:
        return " DISPLAY TDC/IH DATA";
    case 7:
        return " DISPLAY PAGING DATA";
    case 8:
        return " DISPLAY GROUP DATA ";
    case 9:
        return "  MODIFY SETTINGS   ";
    case 10:
        if (s.HoldExternal)
            return "   HOLD - EXT       ";
        return "   HOLD " + RealField(4, 1, s.HoldTime * 0.5) + " SEC    ";
    case 11:
        return pastMode(s) ? "  TIME MODE - PAST  " : "  TIME MODE - REAL  ";
    case 12:
        return (s.SettingsBits & InfiniteBit) ? "   INFINITE -  ON   " : "   INFINITE - OFF   ";
    case 13:
        return (s.SettingsBits & RemoteBit) ? "    REMOTE -  ON    " : "    REMOTE - OFF    ";
    case 14:
        return s.Saving ? "       SAVING       " : "    SAVE CONFIG     ";
    case 15:
        return "      EXIT   ?      ";
    default:
        return "      RESERVED      ";
    }
}
