#pragma once

#include "shell/VersionUpdateDialog.h"

// The Tavr1 firmware update dialog: the unit's versions beside those of the
// files shipped for it, and the buttons that start the main firmware and the
// network-module (Lantronix or SOM) transfers on the frame it is bound to.
// One instance for the program.
class TUpDateTavr1 : public TVersionUpdateDialog
{
    Q_OBJECT
public:
    explicit TUpDateTavr1(QWidget* parent = nullptr);

    void FormActivate() override;
    void Button1Click();
    void Button2Click();
    void Button3Click();

    // What FormActivate found.
    QString MainFileName, NetworkFileName;
    QString FileBootVersion, FileMainVersion, NetworkFileVersion;
    bool BootNotNewer = false, MainNotNewer = false, MainAtLeast118 = false;
};
