#pragma once

#include "data/FrameState.h"
#include "protocol/rack/RackData.h"

#include <QByteArray>
#include <QString>

// The Lyn1 module's current readings, tenths, as the panel's menu shows them.
struct TLyn1Readings
{
    qint32 total = 0;
    qint32 rdsInjection = 0;
    qint32 rdsPhase = 0; // degrees; -255, -127 and 127 are the module's "no phase" values
    bool phaseValid = false;
    qint32 pilotInjection = 0;
    qint32 blockErrors = 0;
};
// Entry 1 (the current value) of the Lyn1 series.
TLyn1Readings Lyn1Readings(const TMeasurementHistory& h, bool phaseValid);

// The Lyn1 panel's menu: items 0-9 the main page, 10-15 the settings page.
// Each panel keeps its own page and the position to come back to. A key
// changes the module state first and returns the bytes to send; the module's
// echo confirms it later.
class TLyn1Menu
{
public:
    static constexpr int MainFirst = 0, MainLast = 9, SettingsFirst = 10, SettingsLast = 15;
    static constexpr int ModifySettings = 9, Exit = 15;
    static constexpr int Hold = 10, TimeMode = 11, Infinite = 12, Remote = 13, SaveConfig = 14;
    static constexpr int HoldMax = 20;
    // Settings bits of the module.
    static constexpr quint16 InfiniteBit = 0x01, TimeModeBit = 0x04, RemoteBit = 0x10;

    // Key 1 and key 2: the next or previous item of the page, wrapping.
    QByteArray up(TLyn1State& s);
    QByteArray down(TLyn1State& s);
    // Key 3: enters or leaves the settings page on its page items; on any
    // other item it is the plus key for an operator or supervisor.
    QByteArray select(TLyn1State& s, int accessLevel);
    // Key 4: the minus key, for an operator or supervisor.
    QByteArray minus(TLyn1State& s, int accessLevel);
    QByteArray plus(TLyn1State& s);

    bool onSettingsPage() const { return m_first == SettingsFirst; }
    int savedItem() const { return m_saved; }

    // The twenty-character LCD line of the module's current item (the phase
    // line is nineteen, as the module shows it).
    static QString text(const TLyn1State& s, const TLyn1Readings& r);

private:
    QByteArray step(TLyn1State& s, int delta);
    QByteArray setValue(TLyn1State& s, int item, int value);

    int m_first = MainFirst, m_last = MainLast;
    int m_saved = ModifySettings;
};
