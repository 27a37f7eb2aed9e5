#pragma once

#include "models/Tavr1AlarmRelayRows.h" // TAlarmLamp, TAlarmList

#include <QString>
#include <functional>
#include <span>

class Lamp;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;
class UpDown;

// The rows of an alarm/relay window, as the Tavr1 and the Vren1 units show
// them: per alarm its name, the threshold and time up-downs with their texts,
// the relay, e-mail and display lists (and a trap list on a unit with SNMP), a
// status lamp and a Test button, on one grid under the column headings. The
// windows keep what each row means; this piece only builds, fills and lights.
//
// Row n's components are named ARn_Event, ARn_Thres_ST, ARn_Thres_UD,
// ARn_Time_ST, ARn_Time_UD, ARn_RA_CB, ARn_EA_CB, ARn_DA_CB, ARn_TA_CB,
// ARn_LED and ARn_TB (Button11 on row 11).
struct TAlarmRelayRow
{
    QLabel* Event = nullptr;
    QLabel* Thres_ST = nullptr;
    UpDown* Thres_UD = nullptr;
    QLabel* Time_ST = nullptr;
    UpDown* Time_UD = nullptr;
    QComboBox* RA_CB = nullptr;
    QComboBox* EA_CB = nullptr;
    QComboBox* DA_CB = nullptr;
    QComboBox* TA_CB = nullptr; // with a trap column only
    Lamp* LED = nullptr;
    QPushButton* TB = nullptr; // with test buttons only
};

// How one unit's window looks.
struct TAlarmRelayLook
{
    int fontPoints = 12; // the fixed-pitch value texts
    int rowSpacing = 2;
    int lampSize = 14;
    bool trapColumn = false;
    bool testButtons = true;
};

// What row n's name and threshold up-down are.
struct TAlarmRowLimits
{
    const char* label;
    int min;
    int max;
    int step;
};

// Lays the headings and one row per entry of rows (row n is rows[n - 1]) out
// on a new grid of window.
void BuildAlarmRelayRows(QWidget* window, const TAlarmRelayLook& look,
                         std::span<TAlarmRelayRow> rows,
                         const std::function<TAlarmRowLimits(int n)>& limits);

// What the user does on row n.
struct TAlarmRelayHandlers
{
    std::function<void(int n)> threshold;
    std::function<void(int n)> time;
    std::function<void(int n, TAlarmList list, int index)> list;
    std::function<void(int n)> test;
};
// The handlers of a window that names them as the alarm windows do (it makes
// this function its friend).
template <class Window>
TAlarmRelayHandlers AlarmRelayHandlersOf(Window* w)
{
    return {[w](int n) { w->thresholdClicked(n); }, [w](int n) { w->timeClicked(n); },
            [w](int n, TAlarmList list, int index) { w->listChosen(n, list, index); },
            [w](int n) { w->testClicked(n); }};
}

// After the first fill: enables the controls unless the user only observes
// (an observer may look at every alarm but change nothing), binds their
// user-only signals to handlers (last, so building and the first fill cannot
// reach them), and sizes and centres the window.
void StartAlarmRelayWindow(QWidget* window, std::span<const TAlarmRelayRow> rows, bool enabled,
                           const TAlarmRelayHandlers& handlers);

// What row n shows after a refill; a list index past its list shows no choice.
struct TAlarmRowShown
{
    QString thresholdText;
    int thresholdPosition = 0;
    QString timeText;
    int timePosition = 0;
    int relay = 0, email = 0, display = 0;
    int trap = 0; // read only with a trap column
};
void ShowAlarmRow(const TAlarmRelayRow& row, const TAlarmRowShown& shown);

// Every lamp by the two alarm-mask words (bit n - 1 for row n).
void ShowAlarmLamps(std::span<const TAlarmRelayRow> rows, quint32 firstMask, quint32 secondMask);
