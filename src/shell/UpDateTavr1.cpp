#include "shell/UpDateTavr1.h"

#include "common/BaseDirectory.h"
#include "link/Frame2.h"
#include "protocol/firmware/DldFile.h"
#include "protocol/tavr1/Tavr1Firmware.h"
#include "widgets/MessageBoxService.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TUpDateTavr1::TUpDateTavr1(QWidget* parent)
    : TVersionUpdateDialog(parent, "UpDateTavr1", false)
{
    connect(Button1, &QPushButton::clicked, this, &TUpDateTavr1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TUpDateTavr1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TUpDateTavr1::Button3Click);
}

void TUpDateTavr1::FormActivate()
{
    Button1->setEnabled(false);
    Button2->setEnabled(false);
    Button3->setEnabled(true);
    TFrame2* f = m_frame;
    if (!f)
        return;
    StaticText1->setText(f->Tavr1ModelText);
    // Tavr1SoftwareVersion holds the unit's boot version, Tavr1BootVersion
    // its main version (the names are the identification's order).
    StaticText2->setText(f->Tavr1SoftwareVersion + "   " + f->Tavr1BootVersion);
    const bool som = f->Tavr1OptionLetter == "C";
    LAN_Ver1_ST->setText(som ? f->Tavr1SomVersion : f->Tavr1LanVersion);
    Button2->setText(som ? "Update SOM" : "Update Lantronix");
    HeaderControl1->model()->setHeaderData(2, Qt::Horizontal, som ? "SOM" : "Lantronix");
    StaticText4->setText("  FILE ");
    StaticText5->clear();
    LAN_Ver2_ST->clear();
    CountText->clear();
    BadChecksumText->clear();
    StaticText7->setText(" Idle  ");
    ProgressBar1->setValue(0);
    MessageText->clear();

    const TTavr1FirmwareCheck c =
        CheckTavr1Firmware({f->Tavr1SoftwareVersion, f->Tavr1BootVersion, f->Tavr1OptionLetter,
                            f->Tavr1RevisionLetter2, f->Tavr1RevisionLetter3},
                           DataFolder("DLD"));
    MainAtLeast118 = c.MainAtLeast118;
    MainFileName = c.MainFileName;
    f->Tavr1FirmwareUpToDate = c.UpToDate;
    if (c.Result >= 1 && c.Result <= 4) {
        errorBox("Invaild Unit Software Version, Please Contact Korsa" + MainFileName);
        return;
    }
    bool mainUsable = false;
    if (c.Result == 5) {
        errorBox("Download File Not Found:" + MainFileName);
    } else {
        TDldHeader h;
        ReadDldHeader(MainFileName, &h);
        FileBootVersion = h.BootVersion;
        FileMainVersion = h.MainVersion;
        StaticText5->setText(FileBootVersion + "  " + FileMainVersion);
        if (c.Result != 0) {
            errorBox("Invaild File Software Version, Please Contact Korsa" + MainFileName);
            return;
        }
        BootNotNewer = c.BootNotNewer;
        MainNotNewer = c.MainNotNewer;
        f->FirmwareLineCount = quint16(c.LineCount);
        mainUsable = true;
    }
    Button1->setEnabled(mainUsable);

    const QString networkName = Tavr1NetworkFirmwareName(f->Tavr1OptionLetter);
    NetworkFileName =
        networkName.isEmpty() ? QString() : FindFileIgnoringCase(DataFolder("DLD"), networkName);
    TDldHeader nh;
    if (NetworkFileName.isEmpty() ||
        ReadDldHeader(NetworkFileName, &nh, TDldHeaderForm::NetworkModule) == TDldError::NotFound) {
        errorBox("Download File Not Found:" + NetworkFileName);
    } else {
        NetworkFileVersion = nh.MainVersion;
        LAN_Ver2_ST->setText(NetworkFileVersion);
        Button2->setEnabled(MainAtLeast118);
    }
    if (f->Tavr1FirmwareUpToDate) {
        MessageText->setStyleSheet("color: rgb(0, 128, 0);");
        MessageText->setText("Tavr-1 EEPROM firmware is up to date.");
    } else {
        MessageText->setStyleSheet("color: rgb(255, 0, 0);");
        MessageText->setText("Please update the Tavr-1 EEPROM firmware.");
    }
}

void TUpDateTavr1::Button1Click()
{
    if (!m_frame)
        return;
    if (anotherTransferRunning())
        return;
    if (BootNotNewer)
        ShowMessageBox(this, {QMessageBox::Warning, windowTitle(),
                              "Update BOOT Software Version is the same or older then Current "
                              "Software",
                              QMessageBox::Ok});
    if (MainNotNewer)
        ShowMessageBox(this, {QMessageBox::Warning, windowTitle(),
                              "Update MAIN Software Version is the same or older then Current "
                              "Software",
                              QMessageBox::Ok});
    if (!m_frame || !takeFile(MainFileName, false))
        return;
    transferStarted();
    m_frame->StartFirmwareTransfer();
    disableButtons();
}

void TUpDateTavr1::Button2Click()
{
    if (!m_frame)
        return;
    if (anotherTransferRunning())
        return;
    const QString letter = m_frame->Tavr1OptionLetter;
    QString text;
    if (letter == "B")
        text = "Updating the Lantronix Network Device will take 20 minutes. During this process "
               "the network connection will be lost. If DHCP is being used the IP address may "
               "change.";
    else if (letter == "C")
        text = "Updating the SOM Network Device. During this process the network connection "
               "will be lost. If DHCP is being used the IP address may change.";
    else
        return; // no network module file exists for other letters
    if (ShowMessageBox(this, {QMessageBox::Warning, windowTitle(), text,
                              QMessageBox::Ok | QMessageBox::Cancel}) != QMessageBox::Ok)
        return;
    if (!m_frame || !takeFile(NetworkFileName, true))
        return;
    transferStarted();
    if (letter == "B")
        m_frame->StartNetworkModuleTransfer();
    else
        m_frame->StartSomTransfer();
    disableButtons();
}

void TUpDateTavr1::Button3Click()
{
    reject();
}
