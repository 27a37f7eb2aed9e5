#pragma once

#include "panels/ChildWindow.h"

#include <array>

class QComboBox;
class QTabWidget;
class QWidget;
class TSettingsTable;
class TTA_Config_Frame;
class TTA_Scan_Frame;

// The unit's time alignment against external audio processors: the
// multi-scan list of up to six stations and six configurations, each a link
// to one processor. Every change is stored in the frame's TimeAlignConfigs
// and queued as one request; the unit's report refills the window through its
// page flag, and each refresh shows the apply states and whether the unit
// asks for an Apply. Observers see every value but can change none.
class TVren1TASettings : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 6;
    static constexpr int Index = 1;

    explicit TVren1TASettings(const TChildWindowArgs& args);

    // Set while the window copies the frame's values into its controls.
    bool Filling = false;

    QTabWidget* PageControl1 = nullptr;
    QWidget* MultiScan_Tab = nullptr;
    QComboBox* ScanMode_CB = nullptr;
    std::array<TTA_Scan_Frame*, 6> ScanFrames{}; // TA_Scan_Frame1..6
    std::array<QWidget*, 6> Config_Tab{};
    std::array<TTA_Config_Frame*, 6> ConfigFrames{}; // TTA_Config_Frame1..6

    // The scan mode, every scan entry and every configuration from the frame.
    void Refill();

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    void applyAccess();
    void showApplyStates();

    TSettingsTable* m_table = nullptr;
};
