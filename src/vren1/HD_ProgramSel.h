#pragma once

#include "panels/ChildWindow.h"

#include <array>

class QGroupBox;
class QLabel;
class QToolButton;

// Which HD program each of the unit's four audio decoders plays: one column
// of eight program buttons per decoder, with the program types beside them.
// The D1 column does what the panel's own program buttons do.
//
// Object names: the designed ones (GroupBox1 .. GroupBox8, PS_HD1_D1 ..
// PS_HD8_D4, PT_HD1 .. PT_HD8, PT_HD1_V .. PT_HD8_V); the column labels
// Label_D1 .. Label_D4 and Label_ProgramType.
class THDProgramSel : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 7;
    explicit THDProgramSel(const TChildWindowArgs& args);

    // What each column was last drawn from.
    std::array<qint32, 4> ProgramsMaskSeen{};
    std::array<qint32, 4> CurrentProgramSeen{};
    // How often each column was drawn (tests count redraws).
    std::array<int, 4> ColumnDrawCount{};

    std::array<QGroupBox*, 8> GroupBox{};
    // [program n - 1][decoder d - 1]
    std::array<std::array<QToolButton*, 4>, 8> PS_HD{};
    std::array<QLabel*, 8> PT_HD{};
    std::array<QLabel*, 8> PT_HD_V{};

    // Program n (1 .. 8) for decoder d (1 .. 4).
    void PS_HDClick(int n, int d);

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    void FormCreate();
    void drawColumn(int d); // 0 .. 3
};
