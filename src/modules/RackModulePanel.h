#pragma once

#include "models/RackMenuKit.h"
#include "models/RackMenuModel.h"
#include "panels/VFPanel.h"

#include <QString>
#include <vector>

class Lamp;
class QLabel;
class QMenu;
class QToolButton;

// What a rack-module panel's form is made of. Every designed name is the
// object name of its widget.
struct TRackPanelLamp
{
    const char* name;    // "LED1"
    const char* caption; // the text under it
    TLampPair pair;
    bool fromLedWord; // false: the status word
    quint8 bit;
};

struct TRackPopupGroup
{
    const char* caption;              // "Bar Graph"
    const char* name;                 // "BarGraph1"
    const char* subName;              // "BarGraph_" + index
    int kind;                         // the child kind (0 bar graph, 1 histogram, 2 plot)
    std::vector<const char*> entries; // by channel
};

struct TRackPanelDesign
{
    int width;
    int height;
    std::vector<const char*> readoutCaptions; // zero, one or two readouts
    const char* readoutDesignedText;
    std::vector<TRackPanelLamp> lamps;
    std::vector<TRackPopupGroup> groups;
    bool alarmsEntry;
    int family;              // plot family code
    int instrument;          // plot instrument code
    bool entriesOpenWindows; // false: the entries are shown but open nothing
};

// The rack-module panel pattern: big readouts, the LCD menu line between the
// four keys, lamps and the right-click menu of plot windows, all from a
// design table. A module's panel gives its state, its menu model and its
// texts; the panel holds none of the module's settings itself.
//
// Names besides the designed ones: Label_Modulation1/2 (readout captions),
// Label_Menu, Label_Parameter, Label_<lamp name> (lamp captions).
class TRackModulePanel : public TVFPanel
{
    Q_OBJECT
public:
    enum : int
    {
        kBarGraph = 0,
        kHistogram = 1,
        kDataTimePlot = 2,
        kAlarms = 99,
    };

    TRackModulePanel(const TRackPanelDesign& design, QWidget* ownerRack, QWidget* parentRack,
                     const QString& componentName, TFrame2* frame, int index);

    QLabel* UnitName = nullptr;
    QLabel* ModulationString = nullptr;  // one readout
    QLabel* ModulationString1 = nullptr; // two readouts
    QLabel* ModulationString2 = nullptr;
    QLabel* MenuString = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    std::vector<Lamp*> Leds;
    QMenu* PopupMenu1 = nullptr;

    void RefreshPanel() override;
    void ForwardRefresh() override;
    void ChildClosed(int kind, int index) override;

    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();

    // Opens (or raises) the window of that kind and channel.
    void openWindow(int kind, int index);

    // The codes its plot and alarm windows are opened with.
    int PlotFamilyCode() const { return m_design.family; }
    int PlotInstrumentCode() const { return m_design.instrument; }

protected:
    // Builds the form; the module's constructor calls it once its own members
    // are ready, then sends its panel-open command.
    void buildForm(const QString& unitName);

    virtual TRackModuleState* moduleState() = 0;
    virtual TRackMenuModel& menuModel() = 0;
    virtual QString menuText() = 0;
    virtual QString readoutText(int which) = 0;
    // A lamp's state; the default reads the design's word and bit.
    virtual bool lampLit(int lamp);
    // The alarm window (of the design's family and instrument).
    virtual QWidget* makeAlarms(const TChildWindowArgs& args);

    void send(const QList<QByteArray>& commands);

    const TRackPanelDesign m_design;

private:
    void buildPopup();
    bool hasKind(int kind, int index) const;
    std::vector<QLabel*> m_readouts;
};
