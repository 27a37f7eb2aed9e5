#pragma once

#include "shell/UpdateDialogBase.h"

class QLabel;
class QPushButton;

// The firmware update dialog of a Vren1 with front-panel display: the main
// firmware file by display type and version, and the Lantronix network
// module. One instance for the program.
class TUpDateVren1 : public TUpdateDialogBase
{
    Q_OBJECT
public:
    explicit TUpDateVren1(QWidget* parent = nullptr);

    QLabel* StaticText1 = nullptr; // model
    QLabel* StaticText2 = nullptr; // unit versions
    QLabel* StaticText4 = nullptr; // "  FILE "
    QLabel* StaticText5 = nullptr; // file versions
    QLabel* LAN_Ver1_ST = nullptr;
    QLabel* LAN_Ver2_ST = nullptr;
    QLabel* DisplayText = nullptr;
    QLabel* MessageText = nullptr;
    QPushButton* Button1 = nullptr; // Update EEPROM
    QPushButton* Button2 = nullptr; // Update Lantronix
    QPushButton* Button3 = nullptr; // Cancel

    void FormActivate() override;
    void Button1Click();
    void Button2Click();
    void Button3Click();

    QString MainFileName, AltMainFileName, NetworkFileName, TransferFileName;
    QString FileBootVersion, FileMainVersion;
    bool BootNotNewer = false, MainNotNewer = false, UseAltMainFile = false;

private:
    void disableButtons();
};
