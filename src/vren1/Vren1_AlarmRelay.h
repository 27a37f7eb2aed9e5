#pragma once

#include "models/Vren1AlarmRows.h"
#include "panels/AlarmRelayGrid.h"
#include "panels/ChildWindow.h"

#include <array>

// The twenty-three alarms of a Vren1 unit: threshold, persistence time and
// the action byte's lists per alarm, a test button and a status lamp. Every
// control stores its value in the frame's HdLocalConfig first and then queues
// the request that carries it; the unit's report of its alarm settings refills
// the window. Observers see the alarms but can change none.
//
// Object names: AR<n>_Thres_ST, _Thres_UD, _Time_ST, _Time_UD, _RA_CB, _EA_CB,
// _DA_CB, _LED and the test button AR<n>_TB (Button11 on row 11); AR<n>_Event.
class TVren1AlarmRelay : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 10;
    // The panel creates the window with this index (it names the window) and
    // keeps it under index 0, which the close notice carries.
    static constexpr int CreateIndex = 3;

    explicit TVren1AlarmRelay(const TChildWindowArgs& args);

    // Set while the window copies the working copy into its controls.
    bool Filling = false;

    using TRow = TAlarmRelayRow;
    const TRow& row(int n) const { return m_rows[size_t(n - 1)]; }

    void Refill();

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    void fillRow(int n);
    void showLamps();

    template <class W>
    friend TAlarmRelayHandlers AlarmRelayHandlersOf(W* w);
    void thresholdClicked(int n);
    void timeClicked(int n);
    void listChosen(int n, TAlarmList list, int index);
    void testClicked(int n);

    std::array<TRow, Vren1AlarmCount> m_rows;
};
