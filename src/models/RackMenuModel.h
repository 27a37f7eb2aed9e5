#pragma once

#include "protocol/rack/RackMenuTables.h"

#include <QByteArray>
#include <QList>
#include <functional>

// The module's command builders a menu model sends through. A builder that
// gets an argument out of its range returns an empty command, which is not
// sent.
struct TMenuCommands
{
    std::function<QByteArray(int item)> showItem;
    std::function<QByteArray(int page)> selectPage;
    std::function<QByteArray(int item, int value)> setValue;
};

// One panel's menu of a module whose positions are its item numbers, driven
// by the four keys. It takes the position from the module's reported item at
// every key, since the module may have moved its own menu, and keeps the
// active page for itself: two panels of one module kind never share it.
//
// Key 1 / 2: next / previous item, wrapping inside the page that holds the
// item (the active page stays when the item lies in none).
// Key 3: on an entry item opens its page; on the last item of any other page
// returns to the entry item that opened it; on any other item raises the
// value, at operator level only. Entering or leaving a page never changes a
// setting. Key 4: lowers the value, at operator level only.
class TRackMenuModel
{
public:
    // A module's own value rule: changes the state and returns the value to
    // send, or -1 to send nothing.
    using Hook = std::function<int(const TValueRow& row, TRackModuleState& state, bool up)>;

    TRackMenuModel(const TModuleMenuTable& table, TMenuCommands commands, Hook hook = {});

    QList<QByteArray> key1(TRackModuleState& state);
    QList<QByteArray> key2(TRackModuleState& state);
    QList<QByteArray> key3(TRackModuleState& state, int accessLevel);
    QList<QByteArray> key4(TRackModuleState& state, int accessLevel);

    int activePage() const { return m_activePage; }
    const TModuleMenuTable& table() const { return m_table; }

    // The value a row's key leaves in the state, and the value to send (-1:
    // nothing). Exposed for the module's hook to fall back on.
    static int applyRow(const TValueRow& row, TRackModuleState& state, bool up);

private:
    void follow(const TRackModuleState& state);
    QList<QByteArray> step(TRackModuleState& state, bool forward);
    QList<QByteArray> value(TRackModuleState& state, bool up);
    static QList<QByteArray> one(const QByteArray& c);

    const TModuleMenuTable& m_table;
    TMenuCommands m_commands;
    Hook m_hook;
    int m_activePage = 0;
};
