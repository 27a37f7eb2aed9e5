#pragma once

#include "data/FrameState.h"
#include "models/RackMenuKit.h"
#include "protocol/rack/RackData.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The Kelb1 module's menu as its panel drives it, without widgets: the menu
// order with the option items of the module, the four keys as command bytes
// and changes of the module's state, and the LCD line of each item. Every
// panel builds its own, so two racks (or a rack window made again) never share
// or grow one another's tables.
class TKelb1Menu
{
public:
    static constexpr int PositionCount = 41;
    static constexpr int ItemCount = 64;
    static constexpr int PageA = 0;
    static constexpr int PageB = 1;
    static constexpr int ModifySettingsItem = 23;
    static constexpr int ExitItem = 24;

    // Builds the designed order and inserts the items of the option bits
    // (bits 0..3 of the module's option word).
    explicit TKelb1Menu(int optionBits);

    const TPagedMenu& menu() const { return m_menu; }
    const TMenuCursor& cursor() const { return m_cursor; }
    int pageALast() const { return m_menu.pageLast(PageA); }
    int pageBLast() const { return m_menu.pageLast(PageB); }

    // The keys. Each starts from the item the module last reported
    // (state.MenuIndex), changes the state as the module will, and returns the
    // commands to send, in order.
    QList<QByteArray> key1(TKelb1State& state);
    QList<QByteArray> key2(TKelb1State& state);
    QList<QByteArray> key3(TKelb1State& state, int accessLevel);
    QList<QByteArray> key4(TKelb1State& state, int accessLevel);

    QByteArray MenuNext(TKelb1State& state);
    QByteArray MenuPrevious(TKelb1State& state);
    QByteArray MenuSelect(TKelb1State& state);
    QByteArray ValueUp(TKelb1State& state);
    QByteArray ValueDown(TKelb1State& state);

    // The sixteen-character LCD line of the item (the texts keep the lengths
    // the module's own display uses; a few are longer).
    static QString MenuText(int item, const TKelb1State& state, const TMeasurementHistory& history);

    // The bit of the settings word a Boolean item stands for, 0 for others.
    static int BooleanBit(int item);

private:
    // The position of the item the module reports, and the page it is on.
    void follow(const TKelb1State& state);
    QByteArray step(TKelb1State& state, bool forward);
    QByteArray setValue(TKelb1State& state, int item, int value);

    TPagedMenu m_menu;
    TMenuCursor m_cursor;
};
