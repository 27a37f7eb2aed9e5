#pragma once

#include "models/Kelb1_Menu.h"
#include "panels/VFPanel.h"

#include <memory>

class Lamp;
class QLabel;
class QMenu;
class QToolButton;

// The remote front panel of the Kelb1 FM modulation monitor module: its big
// modulation readout, the LCD menu line with the four menu keys, three LEDs
// and the right-click menu of its plots and alarm window. It holds none of the
// module's settings: it shows Kelb1State and sends each key as a command.
//
// Component names besides the module's own: Label_Modulation, Label_Menu,
// Label_Parameter, Label_LED1..3 (the captions), and in PopupMenu1 the
// entries BarGraph1 (BarGraph_0..8), Histogram1 (Histogram_0..5),
// DatavsTime1 (DataVsTime_0..8) and Alarms1.
class TKelb1Panel : public TVFPanel
{
    Q_OBJECT
public:
    // The kinds of the windows it opens, as their closed-messages name them.
    enum : int
    {
        kBarGraph = 0,
        kHistogram = 1,
        kDataTimePlot = 2,
        kAlarms = 99,
    };
    static constexpr int BarGraphCount = 9;
    static constexpr int HistogramCount = 6;
    static constexpr int DataTimePlotCount = 9;

    TKelb1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                TFrame2* frame, int index);

    QLabel* UnitName = nullptr;
    QLabel* ModulationString = nullptr;
    QLabel* MenuString = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    Lamp* LED1 = nullptr;
    Lamp* LED2 = nullptr;
    Lamp* LED3 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    const TKelb1Menu& menuModel() const { return *m_menu; }

    void RefreshPanel() override;
    void ForwardRefresh() override;
    void ChildClosed(int kind, int index) override;

    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();

    // Opens (or raises) the window of that kind and index.
    void openWindow(int kind, int index);

private:
    void FormCreate();
    void buildForm();
    void buildMenu();
    void send(const QList<QByteArray>& commands);

    std::unique_ptr<TKelb1Menu> m_menu;
};
