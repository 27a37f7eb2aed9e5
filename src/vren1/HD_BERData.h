#pragma once

#include "panels/ChildWindow.h"

#include <array>

class QLabel;
class QPushButton;

// The three texts of one bit-error counter pair: tested, errors and rate,
// or "N/A" three times while nothing was tested. The unit counts unsigned
// 32-bit, so a count past 2^31 still reads as the count it is.
struct THdBerTexts
{
    QString tested, errors, rate;
};
THdBerTexts HdBerTexts(quint32 tested, quint32 errors);

// The unit's bit-error counters of the P1, P2 and P3 logical channels and the
// PIDS blocks, with the commands that start and reset a measurement.
//
// Object names: the designed ones (P1_BT ... PIDS_BLER, Button1, Button2); the
// groups GroupP1, GroupP2, GroupP3, GroupPIDS.
class THDBERData : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 9;
    explicit THDBERData(const TChildWindowArgs& args);

    // [group][0 tested, 1 errors, 2 rate], groups P1, P2, P3, PIDS.
    std::array<std::array<QLabel*, 3>, 4> Texts{};
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    void Button1Click();
    void Button2Click();

protected:
    void RefreshWindow(qintptr lParam) override;
};
