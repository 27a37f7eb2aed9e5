#include "models/RackMenuModel.h"

#include "models/RackMenuKit.h"

TRackMenuModel::TRackMenuModel(const TModuleMenuTable& table, TMenuCommands commands, Hook hook)
    : m_table(table)
    , m_commands(std::move(commands))
    , m_hook(std::move(hook))
{}

QList<QByteArray> TRackMenuModel::one(const QByteArray& c)
{
    if (c.isEmpty())
        return {};
    return {c};
}

void TRackMenuModel::follow(const TRackModuleState& state)
{
    const int page = MenuPageOf(m_table, state.MenuIndex);
    if (page >= 0)
        m_activePage = page;
}

QList<QByteArray> TRackMenuModel::step(TRackModuleState& state, bool forward)
{
    follow(state);
    if (m_table.pages.empty())
        return {};
    const TMenuPage& p = m_table.pages[std::size_t(m_activePage)];
    const int at = state.MenuIndex;
    int n;
    if (at < p.first || at > p.last)
        n = forward ? p.first : p.last; // an item of no page: into the active page
    else if (forward)
        n = at + 1 > p.last ? p.first : at + 1;
    else
        n = at - 1 < p.first ? p.last : at - 1;
    state.MenuIndex = n;
    return one(m_commands.showItem(n));
}

QList<QByteArray> TRackMenuModel::key1(TRackModuleState& state)
{
    return step(state, true);
}

QList<QByteArray> TRackMenuModel::key2(TRackModuleState& state)
{
    return step(state, false);
}

QList<QByteArray> TRackMenuModel::key3(TRackModuleState& state, int accessLevel)
{
    follow(state);
    const int item = state.MenuIndex;
    if (const int page = MenuPageEnteredBy(m_table, item); page > 0) {
        m_activePage = page;
        state.MenuIndex = m_table.pages[std::size_t(page)].first;
        state.LastValue = 0;
        return one(m_commands.selectPage(m_table.pages[std::size_t(page)].selectPage));
    }
    const int page = MenuPageOf(m_table, item);
    if (page > 0 && item == m_table.pages[std::size_t(page)].last) {
        m_activePage = 0;
        state.MenuIndex = m_table.pages[std::size_t(page)].entryItem;
        state.LastValue = 0;
        return one(m_commands.selectPage(0));
    }
    if (!RackMayChange(accessLevel))
        return {};
    return value(state, true);
}

QList<QByteArray> TRackMenuModel::key4(TRackModuleState& state, int accessLevel)
{
    follow(state);
    if (!RackMayChange(accessLevel))
        return {};
    return value(state, false);
}

QList<QByteArray> TRackMenuModel::value(TRackModuleState& state, bool up)
{
    const int item = state.MenuIndex;
    const TValueRow* row = FindValueRow(m_table, item);
    if (!row || (row->locked && row->locked(state)))
        return {};
    // A setting the module has not reported steps from the frame's copy
    // (the decoder starts it at the item's lowest value); the module's echo
    // then shows what it took.
    const int v = row->kind == TValueKind::Custom ? (m_hook ? m_hook(*row, state, up) : -1)
                                                  : applyRow(*row, state, up);
    if (v < 0)
        return {};
    // What the key set is what the module now holds.
    state.Unreported[std::size_t(item)] = false;
    if (row->kind == TValueKind::CyclicClears && row->timeModeItem >= 0 &&
        row->timeModeItem < RackSettingItems)
        state.Unreported[std::size_t(row->timeModeItem)] = false;
    state.LastValue = v;
    return one(m_commands.setValue(item, v));
}

namespace {

quint16& bitWord(TRackModuleState& s, int word)
{
    return word == 1 ? s.SettingsBits2 : s.SettingsBits;
}

void setBoolean(const TValueRow& row, TRackModuleState& s, bool on)
{
    quint16& w = bitWord(s, row.bitWord);
    w = on ? quint16(w | row.bit) : quint16(w & ~row.bit);
    s.Flags[std::size_t(row.item)] = on;
}

bool flag(const TRackModuleState& s, int item)
{
    return item >= 0 && item < RackSettingItems && s.Flags[std::size_t(item)];
}

} // namespace

int TRackMenuModel::applyRow(const TValueRow& row, TRackModuleState& s, bool up)
{
    if (row.item < 0 || row.item >= RackSettingItems)
        return -1;
    qint32& v = s.Settings[std::size_t(row.item)];
    switch (row.kind) {
    case TValueKind::Step:
        if (up && v + row.step <= row.high)
            v += row.step;
        else if (!up && v - row.step >= row.low)
            v -= row.step;
        return v;
    case TValueKind::Cyclic:
        if (up)
            v = v + row.step > row.high ? row.low : v + row.step;
        else
            v = v - row.step < row.low ? row.high : v - row.step;
        return v;
    case TValueKind::CyclicClears:
        if (up)
            v = v + row.step > row.high ? row.low : v + row.step;
        else
            v = v - row.step < row.low ? row.high : v - row.step;
        if (row.timeModeItem >= 0 && row.timeModeItem < RackSettingItems)
            s.Settings[std::size_t(row.timeModeItem)] = 0;
        return v;
    case TValueKind::Boolean:
        setBoolean(row, s, up);
        return up ? 1 : 0;
    case TValueKind::SendOnly:
        return up ? 1 : -1;
    case TValueKind::SendBoth:
        return up ? 1 : 0;
    case TValueKind::UpOnlyBoolean:
        if (!up)
            return -1;
        setBoolean(row, s, true);
        return 1;
    case TValueKind::Hold: {
        // A count outside the bounds (none reported yet) is the nearest one:
        // zero on the wire would turn the hold off.
        if (!s.HoldExternal)
            s.HoldTime = qBound(row.low, s.HoldTime, row.high);
        if (up) {
            if (s.HoldExternal) {
                s.HoldExternal = false;
                s.HoldIsZero = false;
                s.HoldTime = row.low;
            } else if (s.HoldTime < row.high) {
                s.HoldTime = qMax(s.HoldTime + 1, row.low);
            }
        } else if (s.HoldTime <= row.low && !s.HoldExternal && flag(s, row.timeModeItem)) {
            // Below the shortest hold a module in past time mode holds until
            // told: hold off.
            s.HoldExternal = true;
            s.HoldIsZero = true;
        } else if (!s.HoldExternal && s.HoldTime > row.low) {
            s.HoldTime -= 1;
        }
        // A key at a bound sends the hold as it stands, never a stale value.
        v = s.HoldExternal ? 0 : s.HoldTime;
        return v;
    }
    case TValueKind::TimeMode:
        setBoolean(row, s, up);
        if (up && s.HoldIsZero)
            s.HoldExternal = true;
        if (!up)
            s.HoldExternal = false;
        return up ? 1 : 0;
    case TValueKind::Custom:
        return -1;
    }
    return -1;
}
