#include "models/Kelb1_Menu.h"

#include "common/FieldHelpers.h"
#include "protocol/rack/RackCommands.h"

namespace {

// The Kelb1 series in the measurement history: its first slot, word 1.
qint32 h(const TMeasurementHistory& history, int series)
{
    return history[std::size_t(series)][1];
}

qint32 setting(const TKelb1State& s, int item)
{
    return item >= 0 && item < RackSettingItems ? s.Settings[std::size_t(item)] : 0;
}

bool flag(const TKelb1State& s, int item)
{
    return item >= 0 && item < RackSettingItems && s.Flags[std::size_t(item)];
}

QString onOff(bool on, const char* onText, const char* offText)
{
    return QString::fromLatin1(on ? onText : offText);
}

QString real(int w, int d, double x)
{
    return RealField(w, d, x);
}

// Numeric items: step, lower and upper bound. A value outside the bounds is
// left where it is on a step away from them, as the module does.
struct NumericRule
{
    int item;
    int step;
    int below; // up only while below this
    int above; // down only while above this
};
constexpr NumericRule numericRules[] = {
    {1, 1, 20, 1}, {2, 5, 1995, 4}, {5, 1, 100, 0}, {7, 1, 6, 0},  {8, 10, 1000, 9},
    {9, 1, 60, 0}, {14, 1, 40, 0},  {15, 1, 40, 0}, {19, 1, 8, 0},
};
// Items that saturate at their bounds instead.
struct SaturatingRule
{
    int item;
    int step;
    int max;
};
constexpr SaturatingRule saturatingRules[] = {{42, 2, 255}, {43, 2, 255}, {44, 1, 255}};

const char* const ppmDurationTrack = "PPM DURA - TRACK";
constexpr int ppmDurations[] = {10, 20, 50, 100, 250, 500};
constexpr int weightingCycles[] = {0, 3, 5, 7, 9, 15, 20, 30, 45};

} // namespace

TKelb1Menu::TKelb1Menu(int optionBits)
    : m_menu(PositionCount, ItemCount)
{
    m_menu.addPage(0, {0, 20, 21, 22, 6, 17, 18, ModifySettingsItem});
    m_menu.addPage(20, {1, 2, 3, 4, 13, 12, 19, 7, 5, 9, 8, 14, 15, 10, 11, 16, ExitItem});
    if (optionBits & 0x01)
        m_menu.insertAtPageEnd(PageB, {40});
    if (optionBits & 0x02) {
        m_menu.insertAtPageEnd(PageA, {47, 45, 46});
        m_menu.insertAtPageEnd(PageB, {44, 42, 43});
    }
    if (optionBits & 0x04)
        m_menu.insertAtPageEnd(PageA, {51, 50});
    if (optionBits & 0x08)
        m_menu.insertAtPageEnd(PageA, {55});
    m_cursor.ActivePage = PageA;
    m_cursor.ReturnPosition = pageALast();
}

int TKelb1Menu::BooleanBit(int item)
{
    switch (item) {
    case 3:
        return 0x01;
    case 4:
        return 0x02;
    case 12:
        return 0x04;
    case 13:
        return 0x08;
    case 10:
        return 0x10;
    case 40:
        return 0x20;
    default:
        return 0;
    }
}

void TKelb1Menu::follow(const TKelb1State& state)
{
    m_cursor.MenuPosition = m_menu.positionOf(state.MenuIndex);
    const int page = m_menu.pageOf(m_cursor.MenuPosition);
    if (page >= 0)
        m_cursor.ActivePage = page;
}

QByteArray TKelb1Menu::step(TKelb1State& state, bool forward)
{
    follow(state);
    m_cursor.MenuPosition = forward ? m_menu.next(m_cursor.ActivePage, m_cursor.MenuPosition)
                                    : m_menu.previous(m_cursor.ActivePage, m_cursor.MenuPosition);
    state.MenuIndex = m_menu.itemAt(m_cursor.MenuPosition);
    return Kelb1ShowItemCmd(m_cursor.MenuPosition);
}

QByteArray TKelb1Menu::MenuNext(TKelb1State& state)
{
    return step(state, true);
}

QByteArray TKelb1Menu::MenuPrevious(TKelb1State& state)
{
    return step(state, false);
}

QByteArray TKelb1Menu::MenuSelect(TKelb1State& state)
{
    follow(state);
    if (state.MenuIndex == ModifySettingsItem) {
        m_cursor.ActivePage = PageB;
        m_cursor.ReturnPosition = m_cursor.MenuPosition;
        m_cursor.MenuPosition = m_menu.pageFirst(PageB);
        state.MenuIndex = m_menu.itemAt(m_cursor.MenuPosition);
        return Kelb1SelectPageCmd(1);
    }
    if (state.MenuIndex == ExitItem) {
        m_cursor.ActivePage = PageA;
        m_cursor.MenuPosition = m_cursor.ReturnPosition;
        state.MenuIndex = m_menu.itemAt(m_cursor.MenuPosition);
        state.LastValue = 0;
        return Kelb1SelectPageCmd(0);
    }
    return {};
}

QByteArray TKelb1Menu::setValue(TKelb1State& state, int item, int value)
{
    state.LastValue = value & 0xFFFF;
    return Kelb1SetValueCmd(item, state.LastValue);
}

QByteArray TKelb1Menu::ValueUp(TKelb1State& state)
{
    const int item = state.MenuIndex;
    if (item < 0 || item >= RackSettingItems)
        return {};
    if (const int bit = BooleanBit(item); bit && item != 10) {
        state.SettingsBits |= quint16(bit);
        state.Flags[std::size_t(item)] = true;
        return setValue(state, item, 1);
    }
    if (item == 11 || item == 16)
        return setValue(state, item, 1);
    for (const NumericRule& r : numericRules) {
        if (r.item != item)
            continue;
        qint32& v = state.Settings[std::size_t(item)];
        if (v < r.below)
            v += r.step;
        return setValue(state, item, v);
    }
    for (const SaturatingRule& r : saturatingRules) {
        if (r.item != item)
            continue;
        qint32& v = state.Settings[std::size_t(item)];
        v = qMin(v + r.step, r.max);
        return setValue(state, item, v);
    }
    return {};
}

QByteArray TKelb1Menu::ValueDown(TKelb1State& state)
{
    const int item = state.MenuIndex;
    if (item < 0 || item >= RackSettingItems)
        return {};
    if (const int bit = BooleanBit(item); bit && item != 10) {
        state.SettingsBits &= quint16(~bit);
        state.Flags[std::size_t(item)] = false;
        return setValue(state, item, 0);
    }
    for (const NumericRule& r : numericRules) {
        if (r.item != item)
            continue;
        qint32& v = state.Settings[std::size_t(item)];
        if (v > r.above)
            v -= r.step;
        return setValue(state, item, v);
    }
    for (const SaturatingRule& r : saturatingRules) {
        if (r.item != item)
            continue;
        qint32& v = state.Settings[std::size_t(item)];
        v = qMax(v - r.step, 0);
        return setValue(state, item, v);
    }
    return {};
}

QList<QByteArray> TKelb1Menu::key1(TKelb1State& state)
{
    return {MenuNext(state)};
}

QList<QByteArray> TKelb1Menu::key2(TKelb1State& state)
{
    return {MenuPrevious(state)};
}

QList<QByteArray> TKelb1Menu::key3(TKelb1State& state, int accessLevel)
{
    follow(state);
    QByteArray c;
    switch (RackKey3Action(state.MenuIndex, {ModifySettingsItem, ExitItem}, accessLevel)) {
    case TKey3Action::Select:
        c = MenuSelect(state);
        break;
    case TKey3Action::ValueUp:
        c = ValueUp(state);
        break;
    case TKey3Action::Nothing:
        break;
    }
    if (c.isEmpty())
        return {};
    return {c};
}

QList<QByteArray> TKelb1Menu::key4(TKelb1State& state, int accessLevel)
{
    follow(state);
    if (!RackMayChange(accessLevel))
        return {};
    const QByteArray c = ValueDown(state);
    if (c.isEmpty())
        return {};
    return {c};
}

QString TKelb1Menu::MenuText(int item, const TKelb1State& s, const TMeasurementHistory& hist)
{
    const double v = setting(s, item);
    switch (item) {
    case 0:
        return "   DEV " +
               (flag(s, 13) ? IntField(RoundHalfEven(h(hist, 0) * 0.075), 5)
                            : real(5, 1, h(hist, 0) * 0.075)) +
               " KHZ";
    case 1:
        return "   HOLD " + real(4, 1, v * 0.5) + " SEC";
    case 2:
        return "PEAK MOD " + real(5, 1, v / 10) + " %";
    case 3:
        return onOff(flag(s, 3), " INFINITE -  ON ", " INFINITE - OFF ");
    case 4:
        return onOff(flag(s, 4), "  BLANK -  ON   ", "  BLANK - OFF   ");
    case 5:
        return "PPM THRESH " + IntField(qint64(v), 4) + " ";
    case 6:
        return "PPM COUNT  " + IntField(h(hist, 12), 4) + " ";
    case 7: {
        // Code 6 is reachable with the keys and any code may be echoed: both
        // read as tracking, as code 7 does.
        bool found = false;
        const int ms = BoundedValue(ppmDurations, qint64(v), &found);
        if (!found)
            return QString::fromLatin1(ppmDurationTrack);
        return "PPM DURA " + IntField(ms, 4) + " MS";
    }
    case 8:
        return " SENTRY " + real(5, 1, v / 10) + " % ";
    case 9:
        return " SENTRY " + real(4, 1, v) + " SEC";
    case 10:
        return onOff(flag(s, 10), "  REMOTE -  ON  ", "  REMOTE - OFF  ");
    case 11:
        return QString::fromLatin1(s.Saving ? "    SAVING      " : "  SAVE CONFIG   ");
    case 12:
        return onOff(flag(s, 12), "TIME MODE - PAST", "TIME MODE - REAL");
    case 13:
        return onOff(flag(s, 13), "RESOLUTION- 1.0%", "RESOLUTION- 0.1%");
    case 14:
    case 15: {
        const QString name = item == 14 ? "MOD ADJ#1 " : "MOD ADJ#2 ";
        if (v >= 20)
            return name + "+" + real(4, 1, (v - 20) / 2) + "%";
        return name + "-" + real(4, 1, (20 - v) / 2) + "%";
    }
    case 16:
        if (s.CalibrationState == 0)
            return "SELF CALIBRATION";
        if (s.CalibrationState == 1)
            return "  CALIBRATING   ";
        return "CALIBRATE FAILED";
    case 17:
        return "  LOOP#1  " + real(5, 1, h(hist, 4) / 10.0) + "%";
    case 18:
        return "  LOOP#2  " + real(5, 1, h(hist, 5) / 10.0) + "%";
    case 19: {
        bool found = false;
        const int cycles = BoundedValue(weightingCycles, qint64(v), &found);
        if (!found || cycles == 0)
            return "PK WEIGHT - OFF ";
        return "PK WEIGHT " + IntField(cycles, 2) + " CYC";
    }
    case 20:
        return "PEAK AVE " + real(5, 1, h(hist, 1) / 10.0) + " % ";
    case 21:
        return "AVE/PEAK   " + real(4, 2, h(hist, 3) / 100.0) + " ";
    case 22:
        return "PEAK MIN " + real(5, 1, h(hist, 2) / 10.0) + " % ";
    case 23:
        return " MODIFY SETTINGS";
    case 24:
        return "     EXIT  ?    ";
    case 40:
        return onOff(flag(s, 40), "CALIBRATOR - ON ", "CALIBRATOR - OFF");
    case 42:
        return "AM THRES-" + real(4, 1, (v * 5 / 2 + 170) / 10) + " DB";
    case 43:
        return "SY THRES-" + real(4, 1, (v * 5 / 2 + 170) / 10) + " DB";
    case 44:
        return "RF THRES " + real(5, 1, v * 5 / 10) + " %";
    case 45:
        return "AM NOISE-" + real(4, 1, h(hist, 9) / 10.0) + " DB";
    case 46:
        return "SYNC AM -" + real(4, 1, h(hist, 10) / 10.0) + " DB";
    case 47:
        return "RF LEVEL " + real(5, 1, h(hist, 11) / 10.0) + " %";
    case 50:
        return "PILOT MOD " + real(5, 1, h(hist, 6) / 10.0) + "%";
    case 51:
        return "PILOT INJ " + real(4, 1, h(hist, 7) / 10.0) + " %";
    case 55:
        return " SCA INJ " + real(4, 1, h(hist, 8) / 10.0) + " % ";
    default:
        return "  RESERVED     ";
    }
}
