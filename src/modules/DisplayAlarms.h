#pragma once

#include "panels/ChildWindow.h"

#include <QString>
#include <array>

class Lamp;
class QLabel;

// Eight lamps with a label each showing the alarm bits a rack module reports
// (bits 0..7 of its alarm word). The Kelb1, Pelo1 and Pelo2 panels open it;
// it follows the module on each of the panel's refreshes and sends nothing.
class TDisplayAlarms : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    // The kind posted with UM_CHILD_CLOSED.
    static constexpr int Kind = 99;

    explicit TDisplayAlarms(const TChildWindowArgs& args);

    QString Title;
    std::array<Lamp*, 8> LED{};
    std::array<QLabel*, 8> Label{};

    // Bits 0..7 of the alarm word of the module the window was opened for; 0
    // for a pair of codes that names no module with alarms.
    static int AlarmByte(const TFrame2* frame, int family, int instrument);

protected:
    void RefreshWindow(qintptr lParam) override;
};
