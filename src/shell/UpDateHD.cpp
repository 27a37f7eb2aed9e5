#include "shell/UpDateHD.h"

#include "common/BaseDirectory.h"
#include "link/Frame2.h"
#include "protocol/firmware/DldFile.h"
#include "protocol/hd/HdFirmware.h"
#include "widgets/MessageBoxService.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox* digits(QWidget* parent, const char* name)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    for (int d = 0; d <= 9; ++d)
        c->addItem(QString::number(d));
    return c;
}

} // namespace

TUpDateHD::TUpDateHD(QWidget* parent)
    : TUpdateDialogBase(parent)
{
    setObjectName("UpDateHD");
    const QList<int> columns = {200, 250};
    HeaderControl1 = makeHeader({"Source", "EEPROM Version"}, columns);
    StaticText1 = makeLabel("StaticText1");
    StaticText2 = makeLabel("StaticText2");
    StaticText3 = makeLabel("StaticText3");
    StaticText4 = makeLabel("StaticText4", "  FILE ");
    StaticText5 = makeLabel("StaticText5");
    DisplayText = makeLabel("DisplayText");
    auto* note1 = makeLabel("Label1", "     In order to use this version of Tolvex the Vren-1 most "
                                      "be updated to version 4.0 or higher.  ");
    auto* note2 =
        makeLabel("Label2", "    The update process will take about 20 minutes. Please enter the "
                            "last  3 digits on the units serial number below, then press the "
                            "Confirm button to start the update process. ");
    note1->setWordWrap(true);
    note2->setWordWrap(true);
    auto* serialLabel = makeLabel("Label3", "Vren-1 SERIAL # 450");
    Serial100_CB = digits(this, "Serial100_CB");
    Serial10_CB = digits(this, "Serial10_CB");
    Serial1_CB = digits(this, "Serial1_CB");
    Button1 = makeButton("Button1", "Confirm");
    Button2 = makeButton("Button2", "Cancel");

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(0);
    for (int i = 0; i < 2; ++i)
        grid->setColumnMinimumWidth(i, columns[i]);
    grid->addWidget(StaticText1, 0, 0);
    grid->addWidget(StaticText2, 0, 1);
    grid->addWidget(StaticText4, 1, 0);
    grid->addWidget(StaticText5, 1, 1);
    grid->addWidget(StaticText3, 2, 0, 1, 2);

    auto* serial = new QHBoxLayout;
    serial->addWidget(serialLabel);
    serial->addWidget(Serial100_CB);
    serial->addWidget(Serial10_CB);
    serial->addWidget(Serial1_CB);
    serial->addStretch();

    auto* counts = new QHBoxLayout;
    counts->addWidget(StaticText7);
    counts->addStretch();
    counts->addWidget(CountText);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(11, 11, 11, 11);
    layout->addWidget(HeaderControl1);
    layout->addLayout(grid);
    layout->addWidget(DisplayText);
    layout->addWidget(note1);
    layout->addWidget(note2);
    layout->addLayout(serial);
    layout->addLayout(counts);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    setFixedWidth(columns[0] + columns[1] + 22);

    connect(Button1, &QPushButton::clicked, this, &TUpDateHD::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TUpDateHD::Button2Click);
}

void TUpDateHD::FormActivate()
{
    // Confirm only once everything below has gone through.
    Button1->setEnabled(false);
    Button2->setEnabled(true);
    for (QComboBox* c : {Serial100_CB, Serial10_CB, Serial1_CB})
        c->setCurrentIndex(0);
    TFrame2* f = m_frame;
    if (!f)
        return;
    StaticText1->setText(f->HdModelName);
    StaticText2->setText(f->SoftwareVersion);
    StaticText3->clear();
    StaticText5->clear();
    CountText->clear();
    DisplayText->clear();
    StaticText4->setText("  FILE ");
    StaticText7->setText(" Idle  ");
    ProgressBar1->setValue(0);

    const QString& text = f->SoftwareVersion;
    std::optional<double> unit;
    if (text.indexOf('.') < 2) // no "." at position 3 or later
        unit = text.contains("BETA") ? std::optional<double>(2.18) : std::nullopt;
    else
        unit = ParseVersionText(text);
    if (!unit) {
        errorBox("Invaild Unit Software Version, Please Contact Korsa" + MainFileName);
        return;
    }
    QString display;
    const QString dld = DataFolder("DLD");
    if (*unit >= 3.0) {
        display = "KYOCERA";
        MainFileName = FindFileIgnoringCase(dld, "VREN1_KYO.DLD");
    } else if (*unit >= 2.15) {
        display = "HANTRONIX";
        MainFileName = FindFileIgnoringCase(dld, "VREN1_HAN.DLD");
    } else {
        errorBox("Unit Cannot Be Updated In Field, Please Contact Korsa" + MainFileName);
        return;
    }
    TDldHeader h;
    const TDldError e = ReadDldHeader(MainFileName, &h);
    if (e == TDldError::NotFound) {
        errorBox("Download File Not Found:" + MainFileName);
        return;
    }
    FileBootVersion = h.BootVersion;
    StaticText5->setText(FileBootVersion);
    DisplayText->setText("DISPLAY: " + display);
    const auto fileVersion = ParseVersionText(FileBootVersion);
    if (e != TDldError::None || !fileVersion) {
        errorBox("Invaild File Software Version, Please Contact Korsa" + MainFileName);
        return;
    }
    if (!(*fileVersion > *unit))
        ShowMessageBox(this, {QMessageBox::Warning, windowTitle(),
                              "Update Software Version is the same or older then Current Software",
                              QMessageBox::Ok});
    Button1->setEnabled(true);
}

void TUpDateHD::Button1Click()
{
    if (!m_frame || anotherTransferRunning())
        return;
    if (!takeFile(MainFileName, false))
        return;
    transferStarted();
    m_frame->StartFirmwareTransfer();
    Button1->setEnabled(false);
    Button2->setEnabled(false);
}

void TUpDateHD::Button2Click()
{
    reject();
}

QByteArray TUpDateHD::SerialRecord()
{
    auto digit = [](QComboBox* c) { return std::clamp(c->currentIndex(), 0, 9); };
    return BuildSerialRecord(digit(Serial100_CB), digit(Serial10_CB), digit(Serial1_CB));
}
