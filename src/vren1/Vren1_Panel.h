#pragma once

#include "panels/HD_frontpanel.h"
#include "vren1/Vren1_PanelWindows.h"

#include "widgets/NamedColours.h"

#include <QColor>
#include <array>
#include <vector>

class Lamp;
class QAction;
class QLabel;
class QMenu;
class QSlider;
class QToolButton;
class ReadoutLabel;

// Kinds of the windows the Vren1 panel opens, as they post them back in
// UM_CHILD_CLOSED.
enum TVren1ChildKind : int
{
    v1kBarGraph = 0, // 0..8 audio sources, 9 the analog readings
    v1kHistogram = 1,
    v1kDataTimePlot = 2,
    v1kSisData = 3,
    v1kPadData = 4,
    v1kSpectrum = 5,
    v1kTimeAlign = 6, // 0 display, 1 settings
    v1kProgramSel = 7,
    v1kSettings = 8,
    v1kBerData = 9,
    v1kAlarmRelay = 10,
    v1kSigInfo = 11,
    v1kArtistExperience = 12, // 0 artist experience, 1 LOT event log
    v1kHistoricalData = 20,
    v1kUnitConfig = 98,
    v1kRawData = 99,
};
constexpr int Vren1AnalogBarGraphIndex = 9;
constexpr int Vren1MenuMeasurements = 27;     // 0..26 on the measurement sub-menus
constexpr int Vren1AlignmentFirst = 43;       // 43..47: the alignment measurements
constexpr int Vren1MeasurementCount = 48;     // registry slots 0..47
constexpr int Vren1AlarmRelayCreateIndex = 3; // named "_VREN1AR3", registered as (10, 0)

// The front-panel strip of a Vren1 HD Radio monitor in its connection's rack
// window: HD status lamps, the tuned frequency with its slider, the RF level,
// the six presets, the eight program buttons of decoder 1 and the service
// readouts, read in place from the frame on every UM_HD_REFRESH. Its popup
// menu opens the unit's other windows.
//
// Object names: the designed component names (LED1, FreqLabel, Tuning_TB,
// LD_RF_Lev, RF_Lev_Bar1, P1_Label, PS_HD1_D1, LService_Mode, PopupMenu1,
// ...); the RF bar's strip RF_Lev_Strip; the captions "Cap_" + what they name
// (Cap_LED1, Cap_MHz, Cap_RF_Level, Cap_HD1 ..., Cap_LService_Mode ...); the
// menu's sub-menus BarGraph1, Histogram1, DataVsTime1, Historical1, AASLOT1,
// TimeAlign1, TA_Histogram1, TA_DataVsTime1, TA_Historical1, Presets1,
// Recall1, Save1, and its entries SISData1, PADData1, SIGInfo1, Spectrum1,
// ProgramSelect1, BER1, RelayAlarms1, Settings1, UnitConfig1, RawData1,
// ArtistExperience1, EventLog1, TA_BarGraph1, TA_Settings1, the sub-entries
// BarGraph_<i>, Histogram_<i>, DataVsTime_<i>, Historical_<i> by index,
// TA_Histogram_<i>, PRecall<n>, PSave<n>.
class TVren1Panel : public TVFPanel_HD
{
    Q_OBJECT
public:
    explicit TVren1Panel(QWidget* owner);
    TVren1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                TFrame2* frame, int index);

    void RefreshPanel() override;
    void ForwardRefresh() override;
    void ChildClosed(int kind, int index) override;

    // Replaces the classes behind the menu entries and enables the entries
    // that now have one.
    void setWindowClasses(const TVren1WindowClasses& classes);
    // The menu entry that opens the window of that kind and index; nullptr
    // for a pair no entry opens.
    QAction* menuEntry(int kind, int index) const;
    // The registry slot of a window: (10, 0) for the alarm/relay window, the
    // pair itself for every other pair of the table; (-1, -1) outside it.
    static QPair<int, int> registryKey(int kind, int index);

    bool Filling = false;
    // What the program buttons were last drawn from.
    qint32 PanelProgramsMaskSeen = 0;
    qint32 PanelCurrentProgramSeen = 0;
    // How often the program buttons were drawn (tests count redraws).
    int ProgramDrawCount = 0;
    // The tuning shown last, tenths of MHz.
    int LastTuning = 1001;

    // Components.
    Lamp* LED1 = nullptr;
    Lamp* LED2 = nullptr;
    Lamp* LED3 = nullptr;
    ReadoutLabel* FreqLabel = nullptr;
    QSlider* Tuning_TB = nullptr;
    QLabel* LRFLevel = nullptr;
    ReadoutLabel* LD_RF_Lev = nullptr;
    QWidget* RF_Lev_Strip = nullptr;
    std::array<Lamp*, 7> RF_Lev_Bar{};      // RF_Lev_Bar1 .. RF_Lev_Bar7
    std::array<ReadoutLabel*, 6> P_Label{}; // P1_Label .. P6_Label
    QLabel* StereoLabel = nullptr;
    std::array<QToolButton*, 8> PS_HD_D1{}; // PS_HD1_D1 .. PS_HD8_D1
    ReadoutLabel* LService_Mode = nullptr;
    ReadoutLabel* LCODEC_Mode = nullptr;
    ReadoutLabel* LCD_NO = nullptr;
    ReadoutLabel* LQI = nullptr;
    ReadoutLabel* LDAAI = nullptr;
    ReadoutLabel* LAcq_Time_Data = nullptr;
    ReadoutLabel* LAcq_Time_Audio = nullptr;
    QMenu* PopupMenu1 = nullptr;

    static constexpr int TuningBase = 875;
    static constexpr int TuningSteps = 102;
    // The designed lamp and text colours, from the shared set.
    static constexpr const QColor& Lime = NamedColour::Lime;
    static constexpr const QColor& Green = NamedColour::Green;
    static constexpr const QColor& Yellow = NamedColour::Yellow;
    static constexpr const QColor& Red = NamedColour::Red;
    static constexpr const QColor& Gray = NamedColour::Gray;
    static constexpr const QColor& Olive = NamedColour::Olive;

    // Handlers, named as designed; n is 1 .. 8 or 1 .. 6.
    void Tuning_TBChange();
    void PS_HD_D1Click(int n);
    void PRecallClick(int n);
    void PSaveClick(int n);

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
    void drawProgramButtons();
    void colourRfBar(bool highLevel);
    void showTuning(int tuning);

    TVren1WindowClasses m_classes;
    std::vector<MenuEntry> m_entries;
};
