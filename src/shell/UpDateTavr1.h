#pragma once

#include "shell/UpdateDialogBase.h"

class QLabel;
class QPushButton;

// The Tavr1 firmware update dialog: the unit's versions beside those of the
// files shipped for it, and the buttons that start the main firmware and the
// network-module (Lantronix or SOM) transfers on the frame it is bound to.
// One instance for the program.
class TUpDateTavr1 : public TUpdateDialogBase
{
    Q_OBJECT
public:
    explicit TUpDateTavr1(QWidget* parent = nullptr);

    QLabel* StaticText1 = nullptr; // model
    QLabel* StaticText2 = nullptr; // unit versions
    QLabel* StaticText4 = nullptr; // "  FILE "
    QLabel* StaticText5 = nullptr; // file versions
    QLabel* LAN_Ver1_ST = nullptr; // unit network-module version
    QLabel* LAN_Ver2_ST = nullptr; // file network-module version
    QLabel* MessageText = nullptr;
    QPushButton* Button1 = nullptr; // Update EEPROM
    QPushButton* Button2 = nullptr; // Update Lantronix / Update SOM
    QPushButton* Button3 = nullptr; // Cancel

    void FormActivate() override;
    void Button1Click();
    void Button2Click();
    void Button3Click();

    // What FormActivate found.
    QString MainFileName, NetworkFileName;
    QString FileBootVersion, FileMainVersion, NetworkFileVersion;
    bool BootNotNewer = false, MainNotNewer = false, MainAtLeast118 = false;

private:
    void disableButtons();
};
