#include "vren1/Vren1_Settings.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "models/Vren1SettingTexts.h"
#include "panels/SettingsTable.h"
#include "platform/UserMessages.h"
#include "protocol/hd/HdDiagnostics.h"
#include "protocol/hd/HdRequests.h"
#include "protocol/hd/HdSettingTexts.h"
#include "vren1/Vren1_EmailGroupFrame.h"
#include "widgets/FillGuard.h"
#include "widgets/RadioGroup.h"
#include "widgets/SetIfChanged.h"
#include "widgets/UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr quint16 flagBit(int n)
{
    return quint16(1u << n);
}

constexpr int tuningWord = 2;
constexpr int rfInputWord = 4;
constexpr int highLevelAttenWord = 5;
constexpr int antennaAttenWord = 6;
constexpr int rfFilterWord = 7;
constexpr int remoteWord = 74;
constexpr int a2VersionWord = 180;
constexpr int attenuatorWord = -1; // chosen by the RF input

constexpr int resetDefaultsAction = 512;
constexpr int decoderResetAction = 524;
constexpr int decoderRebootAction = 525;
constexpr int rebootAction = 526;
constexpr int proxyApplyAction = 537;

constexpr int firstAddressId = 1024;
constexpr int proxyIpId = 1032;
constexpr int proxyPortId = 1033;

const QStringList& muteItems()
{
    static const QStringList l = {"         OFF", "         ON", "      AUTO"};
    return l;
}

QGridLayout* pageGrid(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(8);
    return grid;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

TVren1Settings::TVren1Settings(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH, TRefreshPolicy::ZeroLParam)
{
    setDesignedName(WindowToken::Vren1Settings, " Vren1-1 Settings");

    TSettingsTable::THooks hooks;
    hooks.read = [this](int word) { return frame()->HdLocalConfig[wordOf(word)]; };
    hooks.store = [this](int word, qint32 value) { frame()->HdLocalConfig[wordOf(word)] = value; };
    hooks.send = [this](int id, quint8 b3) { QueueSetParameter(*frame(), id, 0, 0, 0, b3); };
    hooks.raise = [this](int flag) { frame()->PageRefresh.raise(flag); };
    m_settings = new TSettingsTable(this, Filling, hooks);

    TSettingsTable::THooks text;
    text.readText = [this](int id) {
        const QString* s = frame()->HdEmailSettings.stringFor(id);
        return s ? *s : QString();
    };
    text.storeText = [this](int id, const QString& value) {
        if (QString* s = frame()->HdEmailSettings.stringFor(id))
            *s = value;
    };
    text.sendText = [this](int id, quint8 b3) { QueueStringParameter(*frame(), id, 0, 0, 0, b3); };
    m_email = new TSettingsTable(this, Filling, text);

    PageControl1 = AddSettingsBook(this);

    buildRfPage();
    buildCompositePage();
    buildUnitPage();
    buildOutputsPage();
    buildEmailPage();
    buildDecodersPage();
    buildInfoPage();
    buildDiagnosticsPage();
    PageControl1->setCurrentWidget(RF_Tab);

    if (frame()) {
        RefillSettings();
        RefillEmail();
        // Handlers are bound last, so building and the first fill cannot reach them.
        m_settings->connectAll();
        m_email->connectAll();
    }
    connectButtons();

    resize(MaxWidth, MaxHeight);
    setMaximumSize(MaxWidth, MaxHeight);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

// ---- Pages --------------------------------------------------------------------

void TVren1Settings::buildRfPage()
{
    RF_Tab = AddSettingsPage(PageControl1, "RF_Tab", "RF");
    QGridLayout* g = pageGrid(RF_Tab);
    m_settings->addRadio(g, 0, 0, "RF_Input_RG", " RF Input", {"Antenna", "High Level"},
                         {rfInputWord, 16, 0, flagBit(prSettings)});
    UpDown* tuning = m_settings->addUpDown(g, 1, 0, "TuningFreq_UD", " Tuning Freq ", 0, 102, 1,
                                           {tuningWord, 15, 0, flagBit(prTuning)}, Vren1TuningText,
                                           FmTuningScale, "_ST");
    tuning->setWrap(true);
    UpDown* atten =
        m_settings->addUpDown(g, 2, 0, "RF_Atten_UD", " RF Attenuator ", 0, 63, 1,
                              {attenuatorWord, 19}, Vren1AttenuatorText, RfAttenuatorScale, "_ST");
    RF_Atten_GB = qobject_cast<QGroupBox*>(atten->parentWidget());
    RF_Atten_GB->setObjectName("RF_Atten_GB");

    m_settings->addCombo(g, 0, 1, "Calibrator_CB", " Calibrator ",
                         {"             OFF", "           ZERO", "        Mono 1 KHz",
                          "        Left  1 Khz", "        Left 5 kHz", "        Left  11 kHz",
                          "        Left  15 kHz"},
                         {179, 17});
    // Shown only: this unit's filter follows its board, not the user.
    QComboBox* filter = m_settings->addCombo(g, 1, 1, "RF_Filter_CB", " RF Filter ",
                                             {"     Wideband", "   HD -25dB MP1", "   HD -25dB MP3",
                                              "   HD -50dB MP1", "   HD -50dB MP3"},
                                             {rfFilterWord, -1});
    RF_Filter_GB = qobject_cast<QGroupBox*>(filter->parentWidget());
    RF_Filter_GB->setObjectName("RF_Filter_GB");
    RF_Filter_GB->setVisible(false);
    m_settings->addCombo(g, 2, 1, "RF_Mute_CB", " Mute ", muteItems(), {8, 18});
    g->setRowStretch(3, 1);
    g->setColumnStretch(2, 1);
}

void TVren1Settings::buildCompositePage()
{
    Composite_Tab = AddSettingsPage(PageControl1, "Composite_Tab", "Composite");
    QGridLayout* g = pageGrid(Composite_Tab);
    m_settings->addCombo(g, 0, 0, "CMP_BW_CB", " Filter BW ",
                         {"     Stereo + RDS", "     Stereo + 67 kHz", "     Stereo + 92 kHz"},
                         {9, 21});
    m_settings->addUpDown(g, 1, 0, "CMP_Peak_UD", " Peak Mod ", 0, 1500, 1, {10, 22}, Vren1PeakText,
                          {}, "_ST");
    m_settings->addCombo(g, 2, 0, "CMP_PW_CB", " Peak Weighting ",
                         {"      OFF", "    3 cycles", "    5 cycles", "    7 cycles",
                          "    9 cycles", "   15 cycles", "   20 cycles", "   30 cycles",
                          "   45 cycles"},
                         {11, 23});
    g->setColumnStretch(1, 1);
    g->setRowStretch(3, 1);
}

void TVren1Settings::buildUnitPage()
{
    Unit_Tab = AddSettingsPage(PageControl1, "Unit_Tab", "Unit");
    QGridLayout* g = pageGrid(Unit_Tab);
    // The fourth byte 1 of the mode switches travels in the request only.
    m_settings->addRadio(g, 0, 0, "Unit_TM_RG", " Time Mode ", {" Real", " Past"}, {71, 88, 1});
    m_settings->addUpDown(g, 1, 0, "Unit_HT_UD", " Hold Time", 0, 10, 1, {72, 89},
                          Vren1HoldTimeText, {}, "_ST");
    m_settings->addRadio(g, 2, 0, "Unit_INF_RG", " Infinite ", {" OFF", " ON"}, {73, 90, 1});
    RadioGroup* remote =
        m_settings->addRadio(g, 0, 1, "Unit_REM_RG", " Remote  ", {" OFF", " ON"}, {remoteWord});
    remote->setEnabled(false);
    m_settings->addUpDown(g, 1, 1, "Unit_SS_UD", " Screen Saver ", 0, 12, 1, {75, 92},
                          Vren1ScreenSaverText, {}, "_ST");

    auto* buttons = new QVBoxLayout;
    Reset_Def_Button = button(Unit_Tab, "Reset_Def_Button", "Reset Defaults");
    Reboot_Button = button(Unit_Tab, "Reboot_Button", "Reboot");
    buttons->addWidget(Reset_Def_Button);
    buttons->addWidget(Reboot_Button);
    buttons->addStretch(1);
    g->addLayout(buttons, 0, 2, 3, 1);
    g->setRowStretch(3, 1);
    g->setColumnStretch(3, 1);
}

void TVren1Settings::buildOutputsPage()
{
    Outputs_Tab = AddSettingsPage(PageControl1, "Outputs_Tab", "Outputs");
    auto* row = new QHBoxLayout(Outputs_Tab);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(8);

    auto bank = [this, row](const QString& caption, const char* prefix, int count, int firstWord,
                            int firstId) {
        auto* box = new QGroupBox(caption, Outputs_Tab);
        auto* g = new QGridLayout(box);
        g->setVerticalSpacing(4);
        for (int n = 0; n < count; ++n) {
            const QByteArray name = QByteArray(prefix) + QByteArray::number(n + 1) + "_CB";
            m_settings->addComboRow(g, n, name.constData(), QString("Channel #%1").arg(n + 1),
                                    Vren1OutputSources(), {firstWord + n, firstId + n});
        }
        row->addWidget(box, 0, Qt::AlignTop);
        return g;
    };
    bank(" Analog Outputs ", "ANL_Out", 8, 76, 71);
    bank(" AES/EBU Outputs ", "AES_Out", 6, 84, 79);

    auto* phones = new QGroupBox(" HeadPhone ", Outputs_Tab);
    auto* g = new QGridLayout(phones);
    g->setVerticalSpacing(4);
    m_settings->addComboRow(g, 0, "HP_OutL_CB", "Left", Vren1OutputSources(), {90, 85});
    m_settings->addComboRow(g, 1, "HP_OutR_CB", "Right", Vren1OutputSources(), {91, 86});
    auto* volume = new QGridLayout;
    g->addLayout(volume, 2, 0, 1, 2);
    m_settings->addUpDown(volume, 0, 0, "HP_VOL_UD", " Volume ", 1, 100, 1, {92, 87},
                          Vren1VolumeText, {}, "_ST");
    row->addWidget(phones, 0, Qt::AlignTop);
    row->addStretch(1);
}

void TVren1Settings::buildEmailPage()
{
    Email_Tab = AddSettingsPage(PageControl1, "Email_Tab", "Email");
    auto* l = new QVBoxLayout(Email_Tab);
    l->setContentsMargins(4, 4, 4, 4);
    auto* inner = new QTabWidget(Email_Tab);
    inner->setObjectName("Email_PageControl");
    l->addWidget(inner);

    QWidget* book = AddSettingsPage(inner, "Address_Tab", "Address Book");
    auto* bookRow = new QHBoxLayout(book);
    auto* addresses = new QGroupBox(" Address Book ", book);
    addresses->setObjectName("AddressBook_GB");
    auto* ag = new QGridLayout(addresses);
    ag->setVerticalSpacing(4);
    for (int n = 0; n < 8; ++n) {
        ag->addWidget(new QLabel(QString("%1:").arg(n + 1), addresses), n, 0);
        auto* edit = new QLineEdit(addresses);
        edit->setObjectName(QString("EmailAddr%1_Edit").arg(n + 1));
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(36, 'x')));
        ag->addWidget(edit, n, 1);
        m_email->addText(edit, {firstAddressId + n, firstAddressId + n}, 41);
    }
    bookRow->addWidget(addresses, 0, Qt::AlignTop);

    auto* proxy = new QGroupBox(" Proxy Server ", book);
    proxy->setObjectName("Proxy_GB");
    auto* pg = new QGridLayout(proxy);
    pg->addWidget(new QLabel("IP Address", proxy), 0, 0);
    auto* ip = new QLineEdit("169.254.128.128", proxy);
    ip->setObjectName("Email_Proxy_IP_Edit");
    pg->addWidget(ip, 0, 1);
    m_email->addText(ip, {proxyIpId, proxyIpId}, 15);
    pg->addWidget(new QLabel("Port", proxy), 1, 0);
    auto* port = new QLineEdit("10001", proxy);
    port->setObjectName("Email_Proxy_Port_Edit");
    pg->addWidget(port, 1, 1);
    m_email->addText(port, {proxyPortId, proxyPortId}, 5);
    Proxy_Apply_Button = button(proxy, "Proxy_Apply_Button", " Apply ");
    pg->addWidget(Proxy_Apply_Button, 2, 1, Qt::AlignLeft);
    bookRow->addWidget(proxy, 0, Qt::AlignTop);
    bookRow->addStretch(1);

    for (int g = 1; g <= 4; ++g) {
        QWidget* page = new QWidget(inner);
        page->setObjectName(QString("Email%1_Tab").arg(g));
        inner->addTab(page, QString("Email #%1").arg(g));
        auto* pl = new QVBoxLayout(page);
        auto* group = new TEmailGroupFrame(page, frame(), g);
        pl->addWidget(group, 0, Qt::AlignTop | Qt::AlignLeft);
        pl->addStretch(1);
        EmailGroups[size_t(g - 1)] = group;
    }
}

void TVren1Settings::buildDecodersPage()
{
    Decoders_Tab = AddSettingsPage(PageControl1, "Decoders_Tab", "Decoders");
    QGridLayout* g = pageGrid(Decoders_Tab);
    auto* check = new QCheckBox("Decoder SIS Block Count Error Checking ", Decoders_Tab);
    check->setObjectName("DecoderSISBCEC_CB");
    m_settings->addCheck(check, {178, 172});
    g->addWidget(check, 0, 0, 1, 4);
    for (int d = 0; d < 4; ++d) {
        auto* box = new QGroupBox(QString(" Decoder #%1 ").arg(d + 1), Decoders_Tab);
        box->setObjectName(QString("Decoder%1_GB").arg(d + 1));
        auto* bl = new QVBoxLayout(box);
        DecoderReset[size_t(d)] =
            button(box, QString("Decoder%1_Reset_Button").arg(d + 1), " Reset ");
        DecoderReboot[size_t(d)] =
            button(box, QString("Decoder%1_Reboot_Button").arg(d + 1), " Reboot ");
        bl->addWidget(DecoderReset[size_t(d)]);
        bl->addWidget(DecoderReboot[size_t(d)]);
        g->addWidget(box, 1, d, Qt::AlignTop);
    }
    g->setRowStretch(2, 1);
    g->setColumnStretch(4, 1);
}

void TVren1Settings::buildInfoPage()
{
    Info_Tab = AddSettingsPage(PageControl1, "Info_Tab", " Info");
    QGridLayout* g = pageGrid(Info_Tab);
    auto value = [this](const char* name) {
        auto* l = new QLabel(Info_Tab);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    g->addWidget(new QLabel("Serial #:", Info_Tab), 0, 0);
    Serial_ST = value("Serial_ST");
    g->addWidget(Serial_ST, 0, 1);
    g->addWidget(new QLabel("A2 Board Version:", Info_Tab), 1, 0);
    A2Version_ST = value("A2Version_ST");
    g->addWidget(A2Version_ST, 1, 1);
    g->setRowStretch(2, 1);
    g->setColumnStretch(2, 1);
}

void TVren1Settings::buildDiagnosticsPage()
{
    Diag_Tab = AddSettingsPage(PageControl1, "Diag_Tab", "Diagnostics");
    auto* l = new QVBoxLayout(Diag_Tab);
    auto* top = new QHBoxLayout;
    LoadData_Button = button(Diag_Tab, "LoadData_Button", "Load Data");
    DiagLabel = new QLabel(Diag_Tab);
    DiagLabel->setObjectName("DiagLabel");
    DiagLabel->setTextFormat(Qt::PlainText);
    top->addWidget(LoadData_Button);
    top->addWidget(DiagLabel);
    top->addStretch(1);
    l->addLayout(top);
    Diag_LB = new QListWidget(Diag_Tab);
    Diag_LB->setObjectName("Diag_LB");
    QFont fixed("Courier New");
    fixed.setStyleHint(QFont::Monospace);
    Diag_LB->setFont(fixed);
    l->addWidget(Diag_LB, 1);
}

// The buttons act even during a fill: they store nothing.
void TVren1Settings::connectButtons()
{
    connect(Reset_Def_Button, &QPushButton::clicked, this, [this] { action(resetDefaultsAction); });
    connect(Reboot_Button, &QPushButton::clicked, this, [this] { action(rebootAction); });
    for (int d = 0; d < 4; ++d) {
        connect(DecoderReset[size_t(d)], &QPushButton::clicked, this,
                [this, d] { action(decoderResetAction, quint8(d)); });
        connect(DecoderReboot[size_t(d)], &QPushButton::clicked, this,
                [this, d] { action(decoderRebootAction, quint8(d)); });
    }
    connect(Proxy_Apply_Button, &QPushButton::clicked, this, [this] { action(proxyApplyAction); });
    connect(LoadData_Button, &QPushButton::clicked, this, [this] { loadDiagnostics(); });
}

// ---- Frame --------------------------------------------------------------------

int TVren1Settings::wordOf(int word) const
{
    if (word != attenuatorWord)
        return word;
    return frame()->HdLocalConfig[rfInputWord] != 0 ? highLevelAttenWord : antennaAttenWord;
}

void TVren1Settings::action(int id, quint8 b3)
{
    if (TFrame2* f = frame())
        QueueAction(*f, id, 0, 0, 0, b3);
}

void TVren1Settings::loadDiagnostics()
{
    TFrame2* f = frame();
    if (!f)
        return;
    QueueDiagnosticRequest(*f, 0, 0, 0, 0, quint8(index()));
    f->DiagnosticData.New = false;
}

void TVren1Settings::RefillSettings()
{
    const TFrame2* f = frame();
    if (!f)
        return;
    FillGuard guard(Filling);
    m_settings->fill();
    const HdConfigRecord& c = f->HdLocalConfig;
    // Only the A2 board of version 2 has an attenuator; no board offers the filter.
    RF_Filter_GB->setVisible(false);
    RF_Atten_GB->setVisible(c[a2VersionWord] == 2);
    setTextIfChanged(Serial_ST, f->SerialNumber);
    setTextIfChanged(A2Version_ST, IntField(c[a2VersionWord], 2));
}

void TVren1Settings::RefillEmail()
{
    if (!frame())
        return;
    FillGuard guard(Filling);
    m_email->fill();
    for (TEmailGroupFrame* group : EmailGroups) {
        FillGuard groupGuard(group->Filling);
        group->Refill();
    }
}

void TVren1Settings::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f)
        return;
    if (f->PageRefresh.take(prSettings))
        RefillSettings();
    if (f->PageRefresh.take(prHdEmail))
        RefillEmail();
    refreshDiagnostics();
}

void TVren1Settings::refreshDiagnostics()
{
    TFrame2* f = frame();
    THistoryDataRec& d = f->DiagnosticData;
    if (d.Id != index())
        return; // another window's download
    if (d.New) {
        d.New = false;
        Diag_LB->clear();
        Diag_LB->addItems(HdDiagnosticLines(d));
    }
    setTextIfChanged(DiagLabel, HdDiagnosticLabel(d));
}
