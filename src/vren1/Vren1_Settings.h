#pragma once

#include "panels/ChildWindow.h"

#include <QString>
#include <array>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class TEmailGroupFrame;
class TSettingsTable;

// The settings of a Vren1 unit, page by page, and its diagnostic text. Every
// control stores its value in the frame's HdLocalConfig or HdEmailSettings
// first and then queues the one request that carries it; the unit's echo
// raises the settings flag (2) or the e-mail flag (8) and the window refills
// that part. The controls stay enabled for an observer: the unit itself
// refuses what an observer may not change.
class TVren1Settings : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 8;
    static constexpr int MaxWidth = 735;
    static constexpr int MaxHeight = 500;

    explicit TVren1Settings(const TChildWindowArgs& args);

    // Set while the window copies the working copies into its controls.
    bool Filling = false;

    QTabWidget* PageControl1 = nullptr;
    QWidget* RF_Tab = nullptr;
    QWidget* Composite_Tab = nullptr;
    QWidget* Unit_Tab = nullptr;
    QWidget* Outputs_Tab = nullptr;
    QWidget* Email_Tab = nullptr;
    QWidget* Decoders_Tab = nullptr;
    QWidget* Info_Tab = nullptr;
    QWidget* Diag_Tab = nullptr;

    QGroupBox* RF_Filter_GB = nullptr;
    QGroupBox* RF_Atten_GB = nullptr;
    QPushButton* Reset_Def_Button = nullptr;
    QPushButton* Reboot_Button = nullptr;
    std::array<QPushButton*, 4> DecoderReset{};  // Decoder1_Reset_Button..
    std::array<QPushButton*, 4> DecoderReboot{}; // Decoder1_Reboot_Button..
    QPushButton* Proxy_Apply_Button = nullptr;
    std::array<TEmailGroupFrame*, 4> EmailGroups{};
    QLabel* Serial_ST = nullptr;
    QLabel* A2Version_ST = nullptr;
    QLabel* DiagLabel = nullptr;
    QPushButton* LoadData_Button = nullptr;
    QListWidget* Diag_LB = nullptr;

    // The settings pages from HdLocalConfig (flag 2).
    void RefillSettings();
    // The Email page and its four groups from HdEmailSettings (flag 8).
    void RefillEmail();

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    void buildRfPage();
    void buildCompositePage();
    void buildUnitPage();
    void buildOutputsPage();
    void buildEmailPage();
    void buildDecodersPage();
    void buildInfoPage();
    void buildDiagnosticsPage();
    void connectButtons();

    // The attenuator's word follows the RF input.
    int wordOf(int word) const;
    void action(int id, quint8 b3 = 0);
    void loadDiagnostics();
    void refreshDiagnostics();

    TSettingsTable* m_settings = nullptr; // the settings pages
    TSettingsTable* m_email = nullptr;    // address book and proxy
};
