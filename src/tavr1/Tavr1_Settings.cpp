#include "tavr1/Tavr1_Settings.h"

#include "common/FieldHelpers.h"
#include "common/OutputSources.h"
#include "link/Frame2.h"
#include "panels/SettingsTable.h"
#include "platform/UserMessages.h"
#include "protocol/tavr1/Tavr1Commands.h"
#include "tavr1/Tavr1_ChildArgs.h"
#include "widgets/FillGuard.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <iterator>

namespace {

constexpr quint16 flagBit(int n)
{
    return quint16(1u << n);
}
constexpr quint16 fTuning = flagBit(prTuning);
constexpr quint16 fAlarms = flagBit(prAlarms);

constexpr int rfInputWord = 4;
constexpr int highLevelAttenWord = 5;
constexpr int antennaAttenWord = 6;
constexpr int remoteWord = 92;
constexpr int rebootAction = 201;

const QStringList& muteItems()
{
    static const QStringList l = {"         OFF", "         ON", "      AUTO"};
    return l;
}

QString tuningText(qint32 v)
{
    return RealField(5, 1, v / 10.0) + " MHz";
}
QString tenthsPercentText(qint32 v)
{
    return RealField(5, 1, v / 10.0) + " %";
}
QString tenthsKhzText(qint32 v)
{
    return RealField(5, 1, v / 10.0) + " kHz";
}
QString khzText(qint32 v)
{
    return RealField(5, 1, v) + " kHz";
}
QString volumeText(qint32 v)
{
    return IntField(v, 3) + " % ";
}

constexpr int attenuatorWord = -1; // chosen by the RF input

QGridLayout* pageGrid(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    return grid;
}

} // namespace

TTavr1Settings::TTavr1Settings(const TChildWindowArgs& args)
    : TInstrumentChildWindow(tavr1WindowArgs(args, 0), Kind, UM_TAVR1_REFRESH,
                             TRefreshPolicy::ZeroLParam)
{
    setDesignedName(WindowToken::Tavr1Settings, " Tavr-1 Settings");
    resize(800, 500);

    PageControl1 = AddSettingsBook(this);

    TSettingsTable::THooks hooks;
    hooks.read = [this](int word) { return frame()->Tavr1LocalConfig[wordOf(word)]; };
    hooks.store = [this](int word, qint32 value) {
        frame()->Tavr1LocalConfig[wordOf(word)] = value;
    };
    hooks.send = [this](int code, quint8 b3) {
        PostTavr1SetParameter(*frame(), code, 0, 0, 0, b3);
    };
    hooks.raise = [this](int flag) { frame()->PageRefresh.raise(flag); };
    m_table = new TSettingsTable(this, Filling, std::move(hooks));

    buildRfPage();
    buildCompositePage();
    buildScaPage();
    buildUnitPage();
    buildOutputsPage();
    buildEmailPage();
    buildSnmpPage();

    // Only what this unit can do is offered: a Basic unit has no SCA decoder.
    const TFrame2* f = frame();
    PageControl1->setTabVisible(PageControl1->indexOf(Email_Tab), false);
    PageControl1->setTabVisible(PageControl1->indexOf(SNMP_Tab), false);
    PageControl1->setTabVisible(PageControl1->indexOf(SCA_Tab), !(f && f->Tavr1Options == "Basic"));
    PageControl1->setCurrentWidget(RF_Tab);

    Refill();
    applyAccess();
    // Handlers are bound last, so building and the first fill cannot reach them.
    if (frame())
        m_table->connectAll();
    connect(Reset_Def_Button, &QPushButton::clicked, this,
            [this] { action(Tavr1ResetDefaultsAction); });
    connect(Reboot_Button, &QPushButton::clicked, this, [this] { action(rebootAction); });

    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

// ---- Pages --------------------------------------------------------------------

void TTavr1Settings::buildRfPage()
{
    RF_Tab = AddSettingsPage(PageControl1, "RF_Tab", "RF");
    QGridLayout* g = pageGrid(RF_Tab);
    addRadio(g, 0, 0, "RF_Input_RG", " RF Input", {"Antenna", "High Level"}, rfInputWord, 17);
    addUpDown(g, 1, 0, "TuningFreq_UD", " Tuning Freq ", 0, 102, 1, 2, 15, 0, fTuning, tuningText,
              TScale::Tuning);
    addUpDown(g, 2, 0, "RF_Atten_UD", " RF Attenuator ", 0, 63, 1, attenuatorWord, 16, 0, fTuning,
              attenuatorText, TScale::Attenuator);
    addCombo(g, 0, 1, "Calibrator_CB", "Calibrator",
             {"             OFF", "           ZERO", "        Mono 1 KHz", "        Left  1 Khz",
              "        Left 5 kHz", "        Left  10 kHz", "        Left  15 kHz",
              "    SCA  67  92  Zero", "    SCA  67  92  Mod", "    Left SSB 1 kHz",
              "    Left SSB 15 kHz"},
             7, 18);
    addCombo(g, 1, 1, "RF_Filter_CB", " RF Filter ",
             {"     Wideband", "   HD -25dB MP1", "   HD -25dB MP3", "   HD -50dB MP1",
              "   HD -50dB MP3"},
             8, 19);
    addCombo(g, 2, 1, "RF_Mute_CB", " Mute ", muteItems(), 9, 20);
    g->setRowStretch(3, 1);
}

void TTavr1Settings::buildCompositePage()
{
    Composite_Tab = AddSettingsPage(PageControl1, "Composite_Tab", "Composite");
    QGridLayout* g = pageGrid(Composite_Tab);
    addCombo(
        g, 0, 0, "CMP_BW_CB", " Filter BW ",
        {"     Stereo + RDS", "     Stereo + 67 kHz", "     Stereo + 92 kHz", "        Wideband"},
        10, 21);
    addUpDown(g, 1, 0, "CMP_Peak_UD", " Peak Mod ", 0, 1500, 1, 11, 22, 0, fAlarms,
              tenthsPercentText);
    addCombo(g, 2, 0, "CMP_PW_CB", " Peak Weighting ",
             {"      OFF", "    3 cycles", "    5 cycles", "    7 cycles", "    9 cycles",
              "   15 cycles", "   20 cycles", "   30 cycles", "   45 cycles"},
             12, 23);
    g->setColumnStretch(1, 1);
    g->setRowStretch(3, 1);
}

void TTavr1Settings::buildScaPage()
{
    SCA_Tab = AddSettingsPage(PageControl1, "SCA_Tab", "SCA");
    auto* row = new QHBoxLayout(SCA_Tab);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(16);
    row->addWidget(buildScaColumn(0));
    row->addWidget(buildScaColumn(1));
}

// SCA#1 and SCA#2 share codes; the second column stores in the item after
// the first one's and selects SCA#2 with the fourth parameter byte.
QWidget* TTavr1Settings::buildScaColumn(int sca)
{
    const bool two = sca == 1;
    const quint8 b3 = quint8(sca);
    auto* box = new QGroupBox(two ? " SCA #2 " : " SCA #1 ", SCA_Tab);
    auto* boxLayout = new QVBoxLayout(box);
    auto* tabs = new QTabWidget(box);
    tabs->setObjectName(two ? "SCA2_PageControl" : "SCA1_PageControl");
    boxLayout->addWidget(tabs);

    auto name = [two](const char* one, const char* other) { return two ? other : one; };

    QGridLayout* bpf =
        pageGrid(AddSettingsPage(tabs, name("SCA1_BPF_Tab", "SCA2_BPF_Tab"), " BPF "));
    addRadio(bpf, 0, 0, name("SCA1_BPF_BYP_RG", "SCA2_BPF_BYP_RG"), " Bypass ", {" OFF  ", "  ON"},
             69 + sca, 24, b3);
    addUpDown(bpf, 1, 0, name("SCA1_BPF_Freq_UD", "SCA2_BPF_Freq_UD"), "  Frequency ", 410, 920, 1,
              71 + sca, 25, b3, 0, tenthsKhzText);
    addUpDown(bpf, 2, 0, name("SCA1_BPF_BW_UD", "SCA2_BPF_BW_UD"), " Bandwidth ", 1, 16, 1,
              73 + sca, 26, b3, 0, khzText);
    bpf->setRowStretch(3, 1);

    QGridLayout* det =
        pageGrid(AddSettingsPage(tabs, name("SCA1_DET_Tab", "SCA2_DET_Tab"), " DET "));
    addCombo(det, 0, 0, name("SCA1_DET_Mod_CB", "SCA2_DET_MOD_CB"), " Modulation ",
             {"        NONE", "          FM"}, 75 + sca, 27, b3);
    addCombo(det, 1, 0, name("SCA1_DET_Resp_CB", "SCA2_DET_RESP_CB"), " Response ",
             {"        FLAT", "      75 usec", "    150 usec"}, 77 + sca, 28, b3);
    addUpDown(det, 2, 0, name("SCA1_DET_BW_UD", "SCA2_DET_BW_UD"), " Bandwidth ", 1, 8, 1, 79 + sca,
              29, b3, 0, khzText);
    addUpDown(det, 3, 0, name("SCA1_DET_Norm_UD", "SCA2_DET_NORM_UD"), " Normal ", 10, 70, 1,
              81 + sca, 30, b3, 0, tenthsKhzText);
    det->setRowStretch(4, 1);

    QGridLayout* set =
        pageGrid(AddSettingsPage(tabs, name("SCA1_SET_Tab", "SCA2_SET_Tab"), " SET "));
    addUpDown(set, 0, 0, name("SCA1_SET_Peak_UD", "SCA2_SET_PEAK_UD"), " Peak Mod ", 0, 1500, 10,
              83 + sca, 31, b3, fAlarms, tenthsPercentText);
    addCombo(set, 1, 0, name("SCA1_SET_Mute_CB", "SCA2_SET_MUTE_CB"), " Mute ", muteItems(),
             85 + sca, 32, b3);
    addUpDown(set, 2, 0, name("SCA1_SET_Thres_UD", "SCA2_SET_Thres_UD"), " Threshold  ", 0, 250, 1,
              87 + sca, 33, b3, fAlarms, tenthsPercentText);
    set->setRowStretch(3, 1);
    return box;
}

void TTavr1Settings::buildUnitPage()
{
    Unit_Tab = AddSettingsPage(PageControl1, "Unit_Tab", "Unit");
    QGridLayout* g = pageGrid(Unit_Tab);
    addRadio(g, 0, 0, "Unit_TM_RG", " Time Mode ", {" Real", " Past"}, 89, 98, 1);
    addUpDown(g, 1, 0, "Unit_HT_UD", " Hold Time", 0, 10, 1, 90, 99, 0, 0, holdTimeText);
    addRadio(g, 2, 0, "Unit_INF_RG", " Infinite ", {" OFF", " ON"}, 91, 100, 1);
    RadioGroup* remote =
        addRadio(g, 3, 0, "Unit_REM_RG", " Remote  ", {" OFF", " ON"}, remoteWord, -1);
    remote->setEnabled(false);
    addRadio(g, 0, 1, "Unit_Units_RG", " Units ", {"  %", " kHz"}, 93, 102, 1);
    addRadio(g, 1, 1, "Unit_DE_RG", " De-Emphasis  ", {" 75 usec", " 50 usec"}, 94, 103, 1);
    addRadio(g, 2, 1, "Unit_FR_RG", " Filter Reponse   ", {" Normal", " Extended"}, 95, 104, 1);
    addUpDown(g, 3, 1, "Unit_SS_UD", " Screen Saver ", 0, 12, 1, 96, 105, 0, 0, screenSaverText);

    auto* buttons = new QVBoxLayout;
    Reset_Def_Button = new QPushButton("Reset Defaults", Unit_Tab);
    Reset_Def_Button->setObjectName("Reset_Def_Button");
    Reboot_Button = new QPushButton("Reboot", Unit_Tab);
    Reboot_Button->setObjectName("Reboot_Button");
    buttons->addWidget(Reset_Def_Button);
    buttons->addWidget(Reboot_Button);
    buttons->addStretch(1);
    g->addLayout(buttons, 0, 2, 4, 1);
    g->setRowStretch(4, 1);
}

void TTavr1Settings::buildOutputsPage()
{
    Outputs_Tab = AddSettingsPage(PageControl1, "Outputs_Tab", "Outputs");
    auto* row = new QHBoxLayout(Outputs_Tab);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(16);

    auto bank = [this, row](const QString& caption, const char* prefix, int firstWord,
                            int firstCode) {
        auto* box = new QGroupBox(caption, Outputs_Tab);
        auto* g = new QGridLayout(box);
        for (int n = 0; n < 8; ++n) {
            const QByteArray name = QByteArray(prefix) + QByteArray::number(n + 1) + "_CB";
            addComboRow(g, n, name.constData(), QString("Channel #%1").arg(n + 1),
                        Tavr1OutputSources(), firstWord + n, firstCode + n);
        }
        row->addWidget(box, 0, Qt::AlignTop);
    };
    bank(" Analog Outputs ", "ANL_Out", 97, 79);
    bank(" AES/EBU Outputs ", "AES_Out", 105, 87);

    auto* phones = new QGroupBox(" HeadPhone ", Outputs_Tab);
    auto* g = new QGridLayout(phones);
    addComboRow(g, 0, "HP_OutL_CB", "Left", Tavr1OutputSources(), 113, 95);
    addComboRow(g, 1, "HP_OutR_CB", "Right", Tavr1OutputSources(), 114, 96);
    auto* volume = new QGridLayout;
    g->addLayout(volume, 2, 0, 1, 2);
    addUpDown(volume, 0, 0, "HP_VOL_UD", " Volume ", 1, 100, 1, 115, 97, 0, 0, volumeText);
    row->addWidget(phones, 0, Qt::AlignTop);
    row->addStretch(1);
}

// The e-mail settings are not offered for this unit: the page stays, empty and
// without a tab.
void TTavr1Settings::buildEmailPage()
{
    Email_Tab = AddSettingsPage(PageControl1, "Email_Tab", "Email");
    auto* inner = new QTabWidget(Email_Tab);
    inner->setObjectName("Email_PageControl");
    inner->setVisible(false);
}

// Laid out but without a tab and without handlers; nothing here reaches the unit.
void TTavr1Settings::buildSnmpPage()
{
    SNMP_Tab = AddSettingsPage(PageControl1, "SNMP_Tab", "SNMP");
    QGridLayout* g = pageGrid(SNMP_Tab);
    const struct
    {
        const char* name;
        const char* caption;
        const char* preset;
    } fields[] = {
        {"SNMP_AgentPort_ED", "Agent Port", "10001"},
        {"SNMP_ReadCommunity_ED", "Read Community", ""},
        {"SNMP_WriteCommunity_ED", "Write Community", ""},
        {"SNMP_TrapPort_ED", "Trap Port", "10001"},
        {"SNMP_TrapAddress_ED", "Trap Address", ""},
    };
    int row = 0;
    for (const auto& f : fields) {
        g->addWidget(new QLabel(f.caption, SNMP_Tab), row, 0);
        auto* edit = new QLineEdit(f.preset, SNMP_Tab);
        edit->setObjectName(f.name);
        g->addWidget(edit, row, 1);
        m_snmpFields << edit;
        ++row;
    }
    g->setRowStretch(row, 1);
    g->setColumnStretch(2, 1);
}

// ---- Controls -----------------------------------------------------------------

QComboBox* TTavr1Settings::addCombo(QGridLayout* grid, int row, int col, const char* name,
                                    const QString& caption, const QStringList& items, int word,
                                    int code, quint8 b3)
{
    return m_table->addCombo(grid, row, col, name, caption, items, {word, code, b3});
}

QComboBox* TTavr1Settings::addComboRow(QGridLayout* grid, int row, const char* name,
                                       const QString& caption, const QStringList& items, int word,
                                       int code)
{
    return m_table->addComboRow(grid, row, name, caption, items, {word, code});
}

RadioGroup* TTavr1Settings::addRadio(QGridLayout* grid, int row, int col, const char* name,
                                     const QString& caption, const QStringList& items, int word,
                                     int code, quint8 b3)
{
    return m_table->addRadio(grid, row, col, name, caption, items, {word, code, b3});
}

UpDown* TTavr1Settings::addUpDown(QGridLayout* grid, int row, int col, const char* name,
                                  const QString& caption, int min, int max, int increment, int word,
                                  int code, quint8 b3, quint16 flags, QString (*format)(qint32),
                                  TScale scale)
{
    TSettingsTable::TScale s;
    if (scale == TScale::Tuning)
        s = FmTuningScale;
    else if (scale == TScale::Attenuator)
        s = RfAttenuatorScale;
    return m_table->addUpDown(grid, row, col, name, caption, min, max, increment,
                              {word, code, b3, flags}, format, s);
}

// The attenuator has one word per RF input: the one of the input chosen now.
int TTavr1Settings::wordOf(int word) const
{
    if (word != attenuatorWord)
        return word;
    const TFrame2* f = frame();
    return f && f->Tavr1LocalConfig[rfInputWord] != 0 ? highLevelAttenWord : antennaAttenWord;
}

void TTavr1Settings::Refill()
{
    if (!frame())
        return;
    FillGuard guard(Filling);
    m_table->fill();
}

void TTavr1Settings::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f->PageRefresh.take(prSettings))
        return;
    Refill();
}

// The unit actions store nothing and ask nothing; they act even during a fill.
void TTavr1Settings::action(int code)
{
    if (TFrame2* f = frame())
        PostTavr1Action(*f, code, 0, 0, 0, 0);
}

// An observer may look at every page but change nothing.
void TTavr1Settings::applyAccess()
{
    const TFrame2* f = frame();
    const bool readOnly = !f || f->ReadOnlyAccess;
    m_table->setEditable(!readOnly);
    for (QWidget* w : m_snmpFields)
        w->setEnabled(!readOnly);
    Reset_Def_Button->setEnabled(!readOnly);
    Reboot_Button->setEnabled(!readOnly);
}

// ---- Texts --------------------------------------------------------------------

QString TTavr1Settings::holdTimeText(qint32 word)
{
    static const char* const texts[] = {"0.25", "0.5 ", "1.0 ", "1.5 ", "2.0 ", "2.5 ",
                                        "3.0 ", "3.5 ", "4.0 ", "4.5 ", "5.0 "};
    if (word < 0 || word >= qint32(std::size(texts)))
        return {};
    return QString(texts[word]) + " sec";
}

QString TTavr1Settings::screenSaverText(qint32 word)
{
    if (word == 0)
        return " OFF  ";
    return IntField(word, 2) + " hr";
}

// One step is -0.5 dB; no step reads 0.0, never a negative zero.
QString TTavr1Settings::attenuatorText(qint32 word)
{
    return RealField(6, 1, word * -0.5) + "dB";
}
