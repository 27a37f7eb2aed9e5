#pragma once

#include "panels/ChildWindow.h"

#include <array>

class QLabel;
class QTabWidget;

// The program associated data (header values and song information) of the
// eight programs HD1..HD8. The tab of a program decoder 1 can play is
// highlighted; an absent program shows blanks of its fields' widths.
//
// Object names: PageControl1, sheets HD1..HD8, value labels LPort_ID1 ...
// LComment8 (the field name with the program number).
class THDPADData : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 4;
    static constexpr int FieldCount = 12; // seven header values, five strings
    explicit THDPADData(const TChildWindowArgs& args);

    QTabWidget* PageControl1 = nullptr;
    // [program 0..7][field], fields in the order of the designed names.
    std::array<std::array<QLabel*, FieldCount>, 8> Values{};

protected:
    void RefreshWindow(qintptr lParam) override;
};
