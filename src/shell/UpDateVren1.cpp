#include "shell/UpDateVren1.h"

#include "common/BaseDirectory.h"
#include "common/ProgramInfo.h"
#include "link/Frame2.h"
#include "protocol/firmware/DldFile.h"
#include "protocol/hd/HdFirmware.h"
#include "widgets/MessageBoxService.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TUpDateVren1::TUpDateVren1(QWidget* parent)
    : TVersionUpdateDialog(parent, "UpDateVren1", true)
{
    connect(Button1, &QPushButton::clicked, this, &TUpDateVren1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TUpDateVren1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TUpDateVren1::Button3Click);
}

void TUpDateVren1::FormActivate()
{
    Button1->setEnabled(false);
    Button2->setEnabled(false);
    Button3->setEnabled(true);
    TFrame2* f = m_frame;
    if (!f)
        return;
    StaticText1->setText(f->HdModelName);
    StaticText2->setText(f->HdBootVersion + "    " + f->SoftwareVersion);
    LAN_Ver1_ST->setText(f->HdLanVersion);
    StaticText4->setText("  FILE ");
    StaticText5->clear();
    LAN_Ver2_ST->clear();
    CountText->clear();
    BadChecksumText->clear();
    DisplayText->clear();
    MessageText->clear();
    StaticText7->setText(" Idle  ");
    ProgressBar1->setValue(0);

    const auto unitBoot = ParseVersionText(f->HdBootVersion);
    const auto unitMain = ParseVersionText(f->SoftwareVersion);
    if (!unitBoot || !unitMain) {
        errorBox("Invaild Unit Software Version, Please Contact Korsa" + MainFileName);
        return;
    }
    const QString dld = DataFolder("DLD");
    QString display;
    if (f->HdLcdType == 1) {
        display = "HANTRONIX";
        MainFileName = FindFileIgnoringCase(dld, "VREN1_HAN.DLD");
        AltMainFileName = FindFileIgnoringCase(dld, "VREN1_HANB.DLD");
    } else if (f->HdLcdType == 2) {
        display = "KYOCERA";
        MainFileName = FindFileIgnoringCase(dld, "VREN1_KYO.DLD");
        AltMainFileName = FindFileIgnoringCase(dld, "VREN1_KYOB.DLD");
    } else {
        errorBox("Invaild LCD Type, Please Contact Korsa");
        return;
    }
    // The check compares with the plain file, also for units that are sent
    // the alternative one.
    TDldHeader h;
    const TDldError e = ReadDldHeader(MainFileName, &h);
    if (e == TDldError::NotFound) {
        errorBox("Download File Not Found:" + MainFileName);
        return;
    }
    FileBootVersion = h.BootVersion;
    FileMainVersion = h.MainVersion;
    StaticText5->setText(FileBootVersion + "  " + FileMainVersion);
    DisplayText->setText("DISPLAY: " + display);
    const auto fileBoot = ParseVersionText(FileBootVersion);
    const auto fileMain = ParseVersionText(FileMainVersion);
    if (e != TDldError::None || !fileBoot || !fileMain) {
        errorBox("Invaild File Software Version, Please Contact Korsa" + MainFileName);
        return;
    }
    BootNotNewer = !(*fileBoot > *unitBoot);
    MainNotNewer = !(*fileMain > *unitMain);
    UseAltMainFile = *unitMain >= 4.03;
    Button1->setEnabled(true);

    NetworkFileName = FindFileIgnoringCase(dld, "XPORT.DLD");
    TDldHeader nh;
    if (ReadDldHeader(NetworkFileName, &nh, TDldHeaderForm::NetworkModule) == TDldError::NotFound) {
        errorBox("Download File Not Found:" + NetworkFileName);
    } else {
        LAN_Ver2_ST->setText(nh.MainVersion);
        Button2->setEnabled(*unitMain >= 4.03);
    }
    if (f->HdFirmwareUpToDate) {
        MessageText->setStyleSheet("color: rgb(0, 128, 0);");
        MessageText->setText("Vren-1 EEPROM firmware is up to date.");
    } else {
        MessageText->setStyleSheet("color: rgb(255, 0, 0);");
        MessageText->setText("Please update the Vren-1 EEPROM firmware.");
    }
}

void TUpDateVren1::Button1Click()
{
    if (!m_frame || anotherTransferRunning())
        return;
    // A file not newer than the unit means this program is older than the
    // unit's firmware: the user is sent to the update page instead.
    bool warned = false;
    if (BootNotNewer)
        warned = ShowMessageBox(this, {QMessageBox::Warning, windowTitle(),
                                       "Update BOOT Software Version is the same or older then "
                                       "Current Software. Please download latest Tolvex for " +
                                           QString(UpdatePageUrl),
                                       QMessageBox::Ok}) == QMessageBox::Ok;
    if (MainNotNewer && !warned)
        warned = ShowMessageBox(this, {QMessageBox::Warning, windowTitle(),
                                       "Update MAIN Software Version is the same or older then "
                                       "Current Software.Please download latest Tolvex for " +
                                           QString(UpdatePageUrl),
                                       QMessageBox::Ok}) == QMessageBox::Ok;
    if (warned) {
        reject();
        return;
    }
    TransferFileName = UseAltMainFile ? AltMainFileName : MainFileName;
    if (!takeFile(TransferFileName, false))
        return;
    transferStarted();
    m_frame->StartFirmwareTransfer();
    disableButtons();
}

void TUpDateVren1::Button2Click()
{
    if (!m_frame || anotherTransferRunning())
        return;
    if (ShowMessageBox(this, {QMessageBox::Warning, windowTitle(),
                              "Updating the Lantronix Network Device will take 20 minutes. "
                              "During this process the network connection will be lost. If DHCP "
                              "is being used the IP address may change.",
                              QMessageBox::Ok | QMessageBox::Cancel}) != QMessageBox::Ok)
        return;
    TransferFileName = NetworkFileName;
    if (!m_frame || !takeFile(TransferFileName, true))
        return;
    transferStarted();
    m_frame->StartNetworkModuleTransfer();
    disableButtons();
}

void TUpDateVren1::Button3Click()
{
    reject();
}
