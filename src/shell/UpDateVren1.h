#pragma once

#include "shell/VersionUpdateDialog.h"

// The firmware update dialog of a Vren1 with front-panel display: the main
// firmware file by display type and version, and the Lantronix network
// module. One instance for the program.
class TUpDateVren1 : public TVersionUpdateDialog
{
    Q_OBJECT
public:
    explicit TUpDateVren1(QWidget* parent = nullptr);

    void FormActivate() override;
    void Button1Click();
    void Button2Click();
    void Button3Click();

    QString MainFileName, AltMainFileName, NetworkFileName, TransferFileName;
    QString FileBootVersion, FileMainVersion;
    bool BootNotNewer = false, MainNotNewer = false, UseAltMainFile = false;
};
