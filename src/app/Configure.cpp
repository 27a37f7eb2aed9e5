#include "app/Configure.h"

#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Pass.h"
#include "app/PathSelect.h"
#include "common/BaseDirectory.h"
#include "common/Enums.h"
#include "link/Frame2.h"
#include "widgets/MessageBoxService.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <class W>
W* named(W* w, const char* name)
{
    w->setObjectName(name);
    return w;
}

QStringList comPorts()
{
    QStringList l;
    for (int i = 1; i <= 9; ++i)
        l << QString("COM%1").arg(i);
    return l;
}

} // namespace

TConfigure::TConfigure(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("Configure");
    setWindowTitle("Configure Connection");
    setModal(true);
    buildUi();
}

void TConfigure::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    // All six pages' tabs in view: the tab bar sets the dialog's least width
    // instead of hiding tabs behind scroll arrows.
    PageControl1->setUsesScrollButtons(false);
    PageControl1->setElideMode(Qt::ElideNone);
    layout->addWidget(PageControl1);

    // Hardware Type
    {
        auto* page = new QWidget;
        auto* v = new QVBoxLayout(page);
        RadioGroupHT = named(new QGroupBox("Hardware", page), "RadioGroupHT");
        RadioGroupHTButtons = new QButtonGroup(this);
        auto* rv = new QVBoxLayout(RadioGroupHT);
        const char* items[] = {"Quelda System", "Bry-1", "HD System", "Tavr-1"};
        for (int i = 0; i < 4; ++i) {
            auto* r = new QRadioButton(items[i], RadioGroupHT);
            r->setObjectName(QString("RadioGroupHT%1").arg(i));
            RadioGroupHTButtons->addButton(r, i);
            rv->addWidget(r);
        }
        v->addWidget(RadioGroupHT);
        auto* form = new QFormLayout;
        EditPass = named(new QLineEdit(page), "EditPass");
        EditPass->setMaxLength(12);
        EditPass->setEchoMode(QLineEdit::Password);
        form->addRow("Password:", EditPass);
        v->addLayout(form);
        ChangePassButton = named(new QPushButton("Change Password", page), "ChangePassButton");
        v->addWidget(ChangePassButton, 0, Qt::AlignLeft);
        v->addStretch();
        PageControl1->addTab(page, "Hardware Type");
    }
    // Connection Type
    {
        auto* page = new QWidget;
        auto* v = new QVBoxLayout(page);
        RadioGroupCT = named(new QGroupBox("Connection", page), "RadioGroupCT");
        RadioGroupCTButtons = new QButtonGroup(this);
        auto* rv = new QVBoxLayout(RadioGroupCT);
        for (int i = 0; i < 3; ++i) {
            RadioCT[i] = new QRadioButton(RadioGroupCT);
            RadioCT[i]->setObjectName(QString("RadioGroupCT%1").arg(i));
            RadioGroupCTButtons->addButton(RadioCT[i], i);
            rv->addWidget(RadioCT[i]);
        }
        v->addWidget(RadioGroupCT);
        CheckBox1 = named(new QCheckBox("Connect on Startup", page), "CheckBox1");
        v->addWidget(CheckBox1);
        auto* form = new QFormLayout;
        EditCName = named(new QLineEdit(page), "EditCName");
        EditCName->setMaxLength(10);
        EditRName = named(new QLineEdit(page), "EditRName");
        EditRName->setMaxLength(10);
        form->addRow("Connection Name:", EditCName);
        form->addRow("Rack Name:", EditRName);
        v->addLayout(form);
        v->addStretch();
        PageControl1->addTab(page, "Connection Type");
    }
    // RS-232
    {
        auto* page = new QWidget;
        auto* v = new QVBoxLayout(page);
        auto* form = new QFormLayout;
        ComboBox1 = named(new QComboBox(page), "ComboBox1");
        ComboBox1->addItems(comPorts());
        ComboBox2 = named(new QComboBox(page), "ComboBox2");
        form->addRow("COM  PORT", ComboBox1);
        form->addRow("BAUD RATE", ComboBox2);
        v->addLayout(form);
        const char* notes[] = {"Vren-1 Baud Rate ", "Vesion 4.0 and higher   115200",
                               "All other versions    57600", "Vesion 6.3 and higher   230400"};
        for (int i = 0; i < 4; ++i) {
            HdBaudNotes[i] = new QLabel(notes[i], page);
            HdBaudNotes[i]->setObjectName(QString("HdBaudNote%1").arg(i + 1));
            v->addWidget(HdBaudNotes[i]);
        }
        v->addStretch();
        PageControl1->addTab(page, "RS-232");
    }
    // MODEM
    {
        auto* page = new QWidget;
        auto* form = new QFormLayout(page);
        ComboBox3 = named(new QComboBox(page), "ComboBox3");
        ComboBox3->addItems(comPorts());
        EditNumber = named(new QLineEdit(page), "EditNumber");
        form->addRow("Modem", ComboBox3);
        form->addRow("Phone Number ", EditNumber);
        PageControl1->addTab(page, "MODEM");
    }
    // Network
    {
        auto* page = new QWidget;
        auto* form = new QFormLayout(page);
        Edit1 = named(new QLineEdit("169.254.128.128", page), "Edit1");
        Edit1->setMaxLength(15);
        Edit2 = named(new QLineEdit("10001", page), "Edit2");
        Edit3 = named(new QLineEdit(page), "Edit3");
        Edit3->setMaxLength(64);
        HostName_CB = named(new QCheckBox("Use Host Name", page), "HostName_CB");
        form->addRow("IP ADDRESS", Edit1);
        form->addRow("PORT", Edit2);
        form->addRow("Host Name", Edit3);
        form->addRow(HostName_CB);
        PageControl1->addTab(page, "Network");
    }
    // Logging
    {
        auto* page = new QWidget;
        auto* form = new QFormLayout(page);
        EditPath = named(new QLineEdit(page), "EditPath");
        EditPath->setReadOnly(true);
        Button1 = named(new QPushButton("Change Path", page), "Button1");
        EditPre = named(new QLineEdit(page), "EditPre");
        CheckBox2 = named(new QCheckBox("Enable Logging", page), "CheckBox2");
        form->addRow("Log File Path", EditPath);
        form->addRow(QString(), Button1);
        form->addRow("Log Filename Prefix", EditPre);
        form->addRow(CheckBox2);
        PageControl1->addTab(page, "Logging");
    }

    auto* buttons = new QHBoxLayout;
    ButtonApply = named(new QPushButton("Apply", this), "ButtonApply");
    ButtonCancel = named(new QPushButton("Cancel", this), "ButtonCancel");
    ButtonSave = named(new QPushButton("Save", this), "ButtonSave");
    buttons->addStretch();
    buttons->addWidget(ButtonApply);
    buttons->addWidget(ButtonCancel);
    buttons->addWidget(ButtonSave);
    layout->addLayout(buttons);

    connect(RadioGroupHTButtons, &QButtonGroup::idClicked, this, [this] { RadioGroupHTClick(); });
    connect(ButtonApply, &QPushButton::clicked, this, &TConfigure::ButtonApplyClick);
    connect(ButtonSave, &QPushButton::clicked, this, &TConfigure::ButtonSaveClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &TConfigure::ButtonCancelClick);
    connect(Button1, &QPushButton::clicked, this, &TConfigure::Button1Click);
    connect(ChangePassButton, &QPushButton::clicked, this, &TConfigure::ChangePassButtonClick);
}

int TConfigure::ShowFor(TFrame2& frame)
{
    FillFrom(frame);
    return exec();
}

void TConfigure::FillFrom(TFrame2& frame)
{
    m_frame = &frame;
    if (auto* b = RadioGroupHTButtons->button(frame.HardwareType))
        b->setChecked(true);
    EditPass->setText(frame.DevicePassword);
    // A password change is a rack-system dialogue, and only the classic protocol has it.
    ChangePassButton->setEnabled(frame.HardwareType == htRackSystem && !frame.SProtocol);
    CheckBox1->setChecked(frame.ConnectOnStartup);
    EditCName->setText(frame.ConnectionCaption);
    EditRName->setText(frame.RackCaption);
    ComboBox1->setCurrentIndex(frame.SerialPort < ComboBox1->count() ? frame.SerialPort : -1);
    ComboBox3->setCurrentIndex(frame.ModemPort < ComboBox3->count() ? frame.ModemPort : -1);
    EditNumber->setText(frame.PhoneNumber);
    Edit1->setText(frame.IpAddress);
    Edit2->setText(QString::number(frame.TcpPort));
    Edit3->setText(frame.HostName);
    HostName_CB->setChecked(frame.UseHostName);
    EditPath->setText(frame.LogPath);
    EditPre->setText(frame.LogPrefix);
    CheckBox2->setChecked(frame.LoggingEnabled);
    rebuildTypeLists(frame.HardwareType, frame.Transport, frame.BaudChoice);
}

void TConfigure::rebuildTypeLists(int hardwareType, int transport, int baudChoice)
{
    const bool rack = hardwareType == htRackSystem;
    RadioCT[0]->setText("RS-232  - Serial");
    RadioCT[1]->setText("Network - Ethernet");
    RadioCT[2]->setText("MODEM");
    RadioCT[2]->setVisible(rack);
    const int t = rack ? transport : qMin(transport, 1);
    if (t >= 0 && t <= 2)
        RadioCT[t]->setChecked(true);

    ComboBox2->clear();
    switch (hardwareType) {
    case htRackSystem:
        ComboBox2->addItems({"1200", "2400", "4800", "9600"});
        break;
    case htBry1:
        ComboBox2->addItems({"57600"});
        break;
    case htHDSystem:
        ComboBox2->addItems({"57600", "115200", "230400"});
        break;
    case htTavr1:
        ComboBox2->addItems({"115200"});
        break;
    default:
        break;
    }
    // A single-rate family shows its one rate; a choice the list lacks starts
    // on the first item instead of leaving no selection.
    const bool choose = hardwareType == htRackSystem || hardwareType == htHDSystem;
    ComboBox2->setCurrentIndex(
        choose && baudChoice >= 0 && baudChoice < ComboBox2->count() ? baudChoice : 0);
    for (QLabel* note : HdBaudNotes)
        note->setVisible(hardwareType == htHDSystem);
}

void TConfigure::RadioGroupHTClick()
{
    // The lists start again from the connection's own rate and link, so a
    // type clicked away from and back to shows what the connection holds.
    const int transport = m_frame ? m_frame->Transport : RadioGroupCTButtons->checkedId();
    const int baudChoice = m_frame ? m_frame->BaudChoice : ComboBox2->currentIndex();
    rebuildTypeLists(RadioGroupHTButtons->checkedId(), transport, baudChoice);
}

TConnectionSettings TConfigure::readControls() const
{
    TConnectionSettings s = *m_frame;
    // A group or list with nothing selected keeps the member's value.
    if (RadioGroupHTButtons->checkedId() >= 0)
        s.HardwareType = RadioGroupHTButtons->checkedId();
    if (RadioGroupCTButtons->checkedId() >= 0)
        s.Transport = RadioGroupCTButtons->checkedId();
    if (s.HardwareType != htRackSystem && s.Transport > trNetwork)
        s.Transport = trNetwork;
    s.DevicePassword = EditPass->text().toUpper();
    s.ConnectOnStartup = CheckBox1->isChecked();
    s.ConnectionCaption = EditCName->text();
    s.RackCaption = EditRName->text();
    if (ComboBox1->currentIndex() >= 0)
        s.SerialPort = quint8(ComboBox1->currentIndex());
    if (ComboBox2->currentIndex() >= 0)
        s.BaudChoice = ComboBox2->currentIndex();
    if (ComboBox3->currentIndex() >= 0)
        s.ModemPort = quint8(ComboBox3->currentIndex());
    s.PhoneNumber = EditNumber->text();
    s.IpAddress = Edit1->text();
    bool ok = false;
    const qlonglong port = Edit2->text().trimmed().toLongLong(&ok);
    s.TcpPort = (ok && port >= 0 && port <= 65535) ? int(port) : 0;
    s.HostName = Edit3->text();
    s.UseHostName = HostName_CB->isChecked();
    s.LogPath = EditPath->text();
    s.LogPrefix = EditPre->text();
    s.LoggingEnabled = CheckBox2->isChecked();
    return s;
}

void TConfigure::apply()
{
    if (!m_frame)
        return;
    TFrame2& f = *m_frame;
    const TConnectionSettings s = readControls();

    bool closed = false;
    if (f.PortOpen) {
        // The rate actually used is compared, not the list position: a
        // single-rate family is the same link whatever choice the file held.
        const bool changed = s.HardwareType != f.HardwareType || s.Transport != f.Transport ||
                             s.SerialPort != f.SerialPort ||
                             BaudCodeFor(s.HardwareType, s.Transport, s.BaudChoice) !=
                                 BaudCodeFor(f.HardwareType, f.Transport, f.BaudChoice) ||
                             s.ModemPort != f.ModemPort || s.PhoneNumber != f.PhoneNumber ||
                             s.IpAddress != f.IpAddress || s.TcpPort != f.TcpPort ||
                             s.UseHostName != f.UseHostName || s.HostName != f.HostName;
        if (changed) {
            f.CloseConnection();
            closed = true;
        }
    }

    // The log settings the frame held before the new ones are stored. A log
    // of another family is closed too: left open, a rack connection would
    // never write its records (an HD log skips the 04:00 rollover, a Tavr1
    // log holds no file).
    const bool logChanged = s.LogPath != f.LogPath || s.LogPrefix != f.LogPrefix ||
                            !s.LoggingEnabled || (f.LogOpen && f.LogKind != s.HardwareType);
    static_cast<TConnectionSettings&>(f) = s;
    f.BaudCode = BaudCodeFor(f.HardwareType, f.Transport, f.BaudChoice);
    if (logChanged)
        f.StopLog();
    if (f.LoggingEnabled && !f.LogOpen)
        f.StartLog();

    if (closed || (!f.TransportOpen() && !f.PortOpen && f.ConnectOnStartup))
        f.OpenConnection();
    else
        f.RefreshConnectionList();
}

void TConfigure::ButtonApplyClick()
{
    accept();
    apply();
    if (Connects)
        Connects->UpdateTabCaptions();
}

void TConfigure::ButtonSaveClick()
{
    accept();
    apply();
    if (m_frame) {
        QString error;
        if (!m_frame->SaveConfigurationByUser(&error)) {
            ShowMessageBox(this, {QMessageBox::Warning, "Configure Connection",
                                  QString("The settings could not be saved to %1:\n%2")
                                      .arg(m_frame->ConfigFilePath(), error),
                                  QMessageBox::Ok});
        }
    }
    if (Connects)
        Connects->UpdateTabCaptions();
}

void TConfigure::ButtonCancelClick()
{
    reject();
}

void TConfigure::Button1Click()
{
    if (!PathSelect)
        return;
    if (!PathSelect->SetDirectory(EditPath->text())) {
        EditPath->setText(DataFolder("LOG"));
        QDir().mkpath(EditPath->text());
        PathSelect->SetDirectory(EditPath->text());
    }
    if (PathSelect->exec() == QDialog::Accepted)
        EditPath->setText(PathSelect->Directory());
}

void TConfigure::ChangePassButtonClick()
{
    if (!Pass)
        return;
    if (Pass->Ask() == QDialog::Accepted) {
        if (m_frame) {
            m_frame->NewPassword = Pass->NewPassword;
            m_frame->StartPasswordChange();
        }
        accept();
    }
}

TFrame2* TConfigure::frame() const
{
    return m_frame;
}
