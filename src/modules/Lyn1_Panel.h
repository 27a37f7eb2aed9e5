#pragma once

#include "models/Lyn1_Menu.h"
#include "panels/VFPanel.h"

class Lamp;
class QLabel;
class QMenu;
class QToolButton;

// The remote front panel of the Lyn1 RDS decoder module: the LCD menu line
// with its four keys, the PILOT, RDS and SYNC lamps, and the right-click menu
// of its plots and the RDS Data window. It shows Lyn1State and sends each key
// as a command; its menu page and saved position are its own.
//
// Component names besides the module's own: Label_Menu, Label_LED1..3 (the
// captions), and in PopupMenu1 the entries BarGraph1 (BarGraph_0..3),
// Histogram1 (Histogram_0, _1, _3), DatavsTime1 (DataVsTime_0, _1, _3) and
// RDSData1.
class TLyn1Panel : public TVFPanel
{
    Q_OBJECT
public:
    enum : int
    {
        kBarGraph = 0,
        kHistogram = 1,
        kDataTimePlot = 2,
        kRdsData = 99,
    };
    // The module's channels: total, RDS injection, RDS phase (bar graph only),
    // pilot injection.
    static constexpr int Channels = 4;
    static constexpr int PhaseChannel = 2;

    TLyn1Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
               TFrame2* frame, int index);

    QLabel* UnitName = nullptr;
    QLabel* MenuString = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    Lamp* LED1 = nullptr;
    Lamp* LED2 = nullptr;
    Lamp* LED3 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    const TLyn1Menu& menuModel() const { return m_menu; }

    void RefreshPanel() override;
    void ForwardRefresh() override;
    void ChildClosed(int kind, int index) override;

    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();

    // Opens (or raises) the window of that kind and channel.
    void openWindow(int kind, int index);

protected:
    bool event(QEvent* e) override;

private:
    void FormCreate();
    void buildForm();
    void buildMenu();
    void send(const QByteArray& command);

    TLyn1Menu m_menu;
};
