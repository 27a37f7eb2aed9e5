#pragma once

#include "panels/ChildWindow.h"

#include <QList>

class QGroupBox;
class QLabel;
class TTavr1BarChart;
class UpDown;

// The legend titles of the HD bar-graph rows, for a reading v in percent.
enum class THdBarText
{
    Peak,      // "PEAK " + FixedField(3, 1) + "%"
    Average,   // "AVE  " ...
    Minimum,   // "MIN  " ...
    Injection, // "INJ_ " ...
};
QString HdBarTitle(THdBarText text, double v);

// Peak, average and minimum of L, R, L+R and L-R of one audio source (index 0
// the receiver's analog audio, 1..8 the programs HD1..HD8), with the scale
// the unit applies to that source's bar graph.
//
// Object names: GroupBox3, Chart1 .. Chart4, GroupScale (" Scale Factor "),
// BGScaleText, UpDown1.
class THDBarGraph : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 0;
    explicit THDBarGraph(const TChildWindowArgs& args);

    // The first of the source's four records (L, R, L+R, L-R) and its scale
    // word; -1 for an index outside 0..8.
    static int firstRecord(int index);
    static int scaleWord(int index);

    QGroupBox* GroupBox3 = nullptr;
    QList<TTavr1BarChart*> Charts; // Chart1 .. Chart4
    QLabel* BGScaleText = nullptr;
    UpDown* UpDown1 = nullptr;
    bool Filling = false;

    void UpDown1Click();

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    void reloadScale();
};

// The FM analog readings of the HD receiver: L, R, L+R, L-R and Total with
// peak, average and minimum, the pilot and RDS injections on their own scale.
// Refreshed only by lParam 0.
//
// Object names: Chart1 .. Chart7.
class THDAnalogBG : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 0;
    explicit THDAnalogBG(const TChildWindowArgs& args);

    QList<TTavr1BarChart*> Charts;

protected:
    void RefreshWindow(qintptr lParam) override;
};
