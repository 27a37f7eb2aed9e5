#pragma once

#include "models/Tavr1AlarmRelayRows.h"
#include "panels/AlarmRelayGrid.h"
#include "panels/ChildWindow.h"
#include "protocol/tavr1/Tavr1Data.h"

#include <array>

// The fourteen alarms of a Tavr1 unit: threshold, persistence time and the
// action byte's lists per alarm, and a status lamp. Every control stores its
// value in the frame's working copy first and then asks for the one command
// that carries it; the unit's report of its alarm settings refills the window.
// Observers see the alarms but can change none.
class TTavr1AlarmRelayWindow : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 7;

    TTavr1AlarmRelayWindow(const TChildWindowArgs& args, TAlarmVariant variant);

    TAlarmVariant variant() const { return m_variant; }

    // Set while the window copies the working copy into its controls.
    bool Filling = false;

    // Row n of the window is m_rows[n - 1]; each has the components
    // ARn_Thres_ST, ARn_Thres_UD, ARn_Time_ST, ARn_Time_UD, ARn_RA_CB,
    // ARn_EA_CB, ARn_DA_CB and ARn_LED, the trap variant also ARn_TA_CB and
    // its "Test" button.
    using TRow = TAlarmRelayRow;
    const TRow& row(int n) const { return m_rows[size_t(n - 1)]; }

    // Every control from the working copy.
    void Refill();

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    void fillRow(int n);
    bool sent(bool posted, int n, const Tavr1ConfigRecord& before);
    void showLamps();

    template <class W>
    friend TAlarmRelayHandlers AlarmRelayHandlersOf(W* w);
    void thresholdClicked(int n);
    void timeClicked(int n);
    void listChosen(int n, TAlarmList list, int index);
    void testClicked(int n);

    TAlarmVariant m_variant;
    std::array<TRow, Tavr1AlarmCount> m_rows;
};

// The window for units without SNMP.
class TTavr1AlarmRelay : public TTavr1AlarmRelayWindow
{
    Q_OBJECT
public:
    explicit TTavr1AlarmRelay(const TChildWindowArgs& args)
        : TTavr1AlarmRelayWindow(args, TAlarmVariant::Plain)
    {}
};

// The window for units with SNMP (option letter "C"): a trap column and a
// test button per alarm.
class TTavr1AlarmRelaySNMP : public TTavr1AlarmRelayWindow
{
    Q_OBJECT
public:
    explicit TTavr1AlarmRelaySNMP(const TChildWindowArgs& args)
        : TTavr1AlarmRelayWindow(args, TAlarmVariant::Trap)
    {}
};
