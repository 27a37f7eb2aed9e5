#pragma once

#include "tavr1/Tavr1_PanelWindows.h"
#include "panels/Tavr1_frontpanel.h"

#include "widgets/NamedColours.h"

#include <QColor>
#include <array>
#include <vector>

class Lamp;
class QAction;
class QMenu;
class QSlider;
class ReadoutLabel;

// Kinds of the windows the Tavr1 panel opens, as they post them back in
// UM_CHILD_CLOSED.
enum TTavr1ChildKind : int
{
    t1kBarGraph = 0,
    t1kHistogram = 1,
    t1kDataTimePlot = 2,
    t1kDbReadings = 3,
    t1kSpectrum = 4,
    t1kRdsBasic = 5,
    t1kSettings = 6,
    t1kAlarmRelay = 7,
    t1kUnitConfig = 98,
    t1kRawData = 99,
};
constexpr int Tavr1BarGraphCount = 5;
constexpr int Tavr1HistogramCount = 12;
constexpr int Tavr1DataTimePlotCount = 14;

// The front-panel strip of a Tavr1 unit in its connection's rack window: the
// tuning, RF level and attenuator, the peak, pilot, RDS and SCA readings and
// eight lamps, read in place from the frame on every UM_TAVR1_REFRESH. Two
// track bars tune the unit and set its attenuator; the popup menu opens the
// unit's other windows.
//
// Object names: the designed component names (FreqLabel, LD_Total_Peak,
// LED_Pilot, RF_Lev_Bar1, Tuning_TB, PopupMenu1, ...); the two halves are
// Panel1 (top) and Panel2 (bottom); the bar strips RF_Lev_Strip and
// Atten_Strip; the captions "Cap_" + the reading they name; the menu entries
// BarGraph1, Histogram1, DatavsTime1, dBReadings1, Spectrums1, RDSBasicData1,
// AlarmRelay1, Settings1, UnitConfig1, RawData1 and the sub-entries
// BarGraph_<i>, Histogram_<i>, DataVsTime_<i> by index.
class TTavr1Panel : public TVFPanel_Tavr1
{
    Q_OBJECT
public:
    // Plain constructor: a top-level form without a frame.
    explicit TTavr1Panel(QWidget* owner);
    // Rack-child constructor, with the windows of this build on the menu.
    TTavr1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                TFrame2* frame, int index);

    void RefreshPanel() override;
    void ForwardRefresh() override;
    void ChildClosed(int kind, int index) override;

    // Replaces the classes behind the menu entries and enables the entries
    // that now have one.
    void setWindowClasses(const TTavr1WindowClasses& classes);

    bool Filling = false;

    // Components.
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    ReadoutLabel* FreqLabel = nullptr;
    ReadoutLabel* LD_Total_Peak = nullptr;
    ReadoutLabel* LD_Left_Peak = nullptr;
    ReadoutLabel* LD_Right_Peak = nullptr;
    ReadoutLabel* LD_LPR_Peak = nullptr;
    ReadoutLabel* LD_LMR_Peak = nullptr;
    ReadoutLabel* LD_Pilot_Inj = nullptr;
    ReadoutLabel* LD_Pilot_Mod = nullptr;
    ReadoutLabel* LD_RDS_Inj = nullptr;
    ReadoutLabel* LD_RDS_Ph = nullptr;
    ReadoutLabel* LD_SCA1_Inj = nullptr;
    ReadoutLabel* LD_SCA1_Peak = nullptr;
    ReadoutLabel* LD_SCA2_Inj = nullptr;
    ReadoutLabel* LD_SCA2_Peak = nullptr;
    ReadoutLabel* LD_RF_Lev = nullptr;
    ReadoutLabel* LD_RF_Atten = nullptr;
    Lamp* LED_Total_Peak = nullptr;
    Lamp* LED_Pilot = nullptr;
    Lamp* LED_RDS = nullptr;
    Lamp* LED_RDS_SYNC = nullptr;
    Lamp* LED_SCA1_Inj = nullptr;
    Lamp* LED_SCA1_Peak = nullptr;
    Lamp* LED_SCA2_INJ = nullptr;
    Lamp* LED_SCA2_Peak = nullptr;
    QWidget* RF_Lev_Strip = nullptr;
    std::array<Lamp*, 7> RF_Lev_Bar{}; // RF_Lev_Bar1 .. RF_Lev_Bar7
    QWidget* Atten_Strip = nullptr;
    Lamp* Atten_Bar1 = nullptr;
    Lamp* Atten_Bar2 = nullptr;
    QSlider* Tuning_TB = nullptr;
    QSlider* Atten_TB = nullptr;
    QMenu* PopupMenu1 = nullptr;

    // The menu entry that opens the window of that kind and index (the
    // alarm/relay entry for kind 7); nullptr for a pair the menu lacks.
    QAction* menuEntry(int kind, int index) const;

    // Lowest and highest tuning, tenths of MHz.
    static constexpr int TuningBase = 873;
    static constexpr int TuningSteps = 208;
    static constexpr int AttenuatorMax = 63;

    // The designed lamp colours, from the shared set.
    static constexpr const QColor& Red = NamedColour::Red;
    static constexpr const QColor& Maroon = NamedColour::Maroon;
    static constexpr const QColor& Lime = NamedColour::Lime;
    static constexpr const QColor& Green = NamedColour::Green;
    static constexpr const QColor& Yellow = NamedColour::Yellow;
    static constexpr const QColor& Olive = NamedColour::Olive;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct MenuEntry
    {
        QAction* action;
        int kind;
        int index;
    };

    void buildForm();
    void buildUi();
    void buildMenu();
    void FormCreate();
    void updateMenuEntries();
    void openWindow(int kind, int index);
    const TChildFactory& factoryFor(int kind, int index) const;
    // The registry slot of a window: the alarm/relay variants share kind and
    // index but are two windows.
    int registryIndex(int kind, int index) const;
    bool usesSnmpAlarmWindow() const;

    void Tuning_TBChange();
    void Atten_TBChange();
    void Atten_TBKeyUp();
    void Atten_TBMouseUp();
    void sendAttenuator();

    int attenuatorWord() const;
    void setAttenuatorWord(int a);
    void showAttenuator(int a);
    void showTuning(int tuning);

    TTavr1WindowClasses m_classes;
    std::vector<MenuEntry> m_entries;
    bool m_basicUnit = false;
};
