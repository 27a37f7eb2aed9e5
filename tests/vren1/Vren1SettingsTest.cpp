#include "Vren1SimSupport.h"
#include "panels/SettingsControlSupport.h"

#include "protocol/hd/HdDiagnostics.h"
#include "vren1/Vren1_EmailGroupFrame.h"
#include "vren1/Vren1_Panel.h"
#include "vren1/Vren1_Settings.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

// A station's settings, every word inside its list or range.
void stationSettings(HdConfigRecord& c)
{
    c[2] = 999; // 99.9 MHz
    c[4] = 0;   // Antenna
    c[5] = 10;
    c[6] = 52;
    c[7] = 1;
    c[8] = 0;
    c[9] = 0;
    c[10] = 1200;
    c[11] = 2;
    c[71] = 0;
    c[72] = 2;
    c[73] = 0;
    c[74] = 0;
    c[75] = 4;
    for (int k = 76; k <= 91; ++k)
        c[k] = k - 76;
    c[92] = 49;
    c[178] = 0;
    c[179] = 1;
    c[180] = 2;
}

// ---- Against the simulated unit ---------------------------------------------------

class Vren1SettingsSimTest : public Vren1SimTest
{
protected:
    Vren1SettingsSimTest() { stationSettings(sim.unit().HdLocalConfig); }
};

struct SpotCase
{
    const char* name;
    Act act;
    int n;
    const char* typed;
    const char* line; // without its sum
    int flag;         // the page flag the change raises, -1 none
};

// One table over the window: each change is stored first, the unit receives
// exactly its line, and what the unit echoes refills the window without a
// line going back.
TEST_F(Vren1SettingsSimTest, EachChangeReachesTheUnitAsItsLineAndTheEchoRefillsTheWindow)
{
    auto f = connectToSim();
    auto* w = openOn<TVren1Settings>(*f);
    ASSERT_EQ(shown(w, "TuningFreq_UD"), 62);

    const SpotCase cases[] = {
        {"TuningFreq_UD", Act::Up, 0, nullptr, "CC000F03E9", prTuning},
        // The Antenna input: its own word, 52 -> 53.
        {"RF_Atten_UD", Act::Down, 0, nullptr, "CC001335", -1},
        {"Unit_HT_UD", Act::Up, 0, nullptr, "CC005903", -1},
        // The fourth byte 1 does not reach the line.
        {"Unit_TM_RG", Act::Pick, 1, nullptr, "CC005801", -1},
        {"HP_VOL_UD", Act::Up, 0, nullptr, "CC005732", -1},
        {"ANL_Out1_CB", Act::Pick, 5, nullptr, "CC004705", -1},
        {"DecoderSISBCEC_CB", Act::Click, 0, nullptr, "CC00AC01", -1},
        {"Calibrator_CB", Act::Pick, 4, nullptr, "CC001104", -1},
        {"RF_Mute_CB", Act::Pick, 2, nullptr, "CC001202", -1},
        {"CMP_BW_CB", Act::Pick, 2, nullptr, "CC001502", -1},
        {"CMP_Peak_UD", Act::Down, 0, nullptr, "CC001604AF", -1},
        {"CMP_PW_CB", Act::Pick, 8, nullptr, "CC001708", -1},
        {"Unit_INF_RG", Act::Pick, 1, nullptr, "CC005A01", -1},
        {"Unit_SS_UD", Act::Up, 0, nullptr, "CC005C05", -1},
        {"AES_Out6_CB", Act::Pick, 57, nullptr, "CC005439", -1},
        {"HP_OutR_CB", Act::Pick, 53, nullptr, "CC005635", -1},
        {"Reboot_Button", Act::Click, 0, nullptr, "PB020E", -1},
        {"Decoder3_Reset_Button", Act::Click, 0, nullptr, "PB020C02", -1},
        {"Decoder4_Reboot_Button", Act::Click, 0, nullptr, "PB020D03", -1},
        {"Proxy_Apply_Button", Act::Click, 0, nullptr, "PB0219", -1},
        // The unit takes the text of the edit; the sender reads it at sending.
        {"EmailAddr1_Edit", Act::Type, 0, "ops@example.com", "PS0400ops@example.com", -1},
        // Last, as it refills the attenuator from the other input's word.
        {"RF_Input_RG", Act::Pick, 1, nullptr, "CC001001", prSettings},
    };
    QList<QByteArray> expected;
    for (const SpotCase& c : cases) {
        SCOPED_TRACE(c.name);
        f->PageRefresh = {};
        act(w, c.name, c.act, c.n, c.typed);
        if (c.flag >= 0) {
            EXPECT_TRUE(f->PageRefresh.isRaised(c.flag));
        }
        // Each keystroke asks once (the queue keeps the oldest and the
        // newest of a burst); every line carries the text at its sending.
        const int requests = c.typed ? qMin(int(qstrlen(c.typed)), HdRequestSlots) : 1;
        for (int i = 0; i < requests; ++i)
            expected << hdSealed(c.line);
        ASSERT_TRUE(linesReach(*f, expected.size()));
        EXPECT_EQ(sim.requestLines().mid(expected.size() - requests),
                  expected.mid(expected.size() - requests));
    }
    EXPECT_EQ(f->HdLocalConfig[6], 53);
    EXPECT_EQ(f->HdLocalConfig[5], 10) << "the High Level attenuator was left alone";
    EXPECT_EQ(f->HdEmailSettings.Address[0], "ops@example.com");
    EXPECT_EQ(sim.requestLines(), expected);

    // The spot lines, sums included.
    EXPECT_TRUE(expected.contains("CC000F03E93D"));
    EXPECT_TRUE(expected.contains("CC001001A8"));
    EXPECT_TRUE(expected.contains("CC001335B2"));
    EXPECT_TRUE(expected.contains("CC005903B7"));
    EXPECT_TRUE(expected.contains("CC005801B4"));
    EXPECT_TRUE(expected.contains("CC005732B7"));
    EXPECT_TRUE(expected.contains("CC004705B6"));
    EXPECT_TRUE(expected.contains("CC00AC01CB"));
    EXPECT_TRUE(expected.contains("PB020E69"));
    EXPECT_TRUE(expected.contains("PB020C02C9"));
    EXPECT_TRUE(expected.contains("PB02195E"));
    EXPECT_TRUE(expected.contains("PS0400ops@example.com52"));

    // The echoes come back; the refill shows the High Level input's attenuator
    // and sends nothing.
    settle(*f, 15);
    EXPECT_EQ(sim.requestLines(), expected);
    EXPECT_EQ(f->RequestCount, 0);
    EXPECT_EQ(shown(w, "RF_Input_RG"), 1);
    EXPECT_EQ(shown(w, "RF_Atten_UD"), 53);
    EXPECT_EQ(Vren1WindowTest::text(w, "RF_Atten_ST"), "   5.0dB");
    EXPECT_EQ(Vren1WindowTest::text(w, "TuningFreq_ST"), "100.1 MHz");
    EXPECT_EQ(shown(w, "DecoderSISBCEC_CB"), 1);
    for (int k : {2, 4, 6, 8, 9, 10, 11, 71, 72, 73, 75, 76, 89, 91, 92, 178, 179})
        EXPECT_EQ(f->HdLocalConfig[k], sim.unit().HdLocalConfig[k]) << "the unit holds word " << k;
}

// A unit of the stamped kind echoes a string line too: the echo refills the
// Email page through its flag and nothing goes back.
TEST_F(Vren1SettingsSimTest, AStringEchoRefillsTheEmailPage)
{
    sim.prompt = HdSim::Prompt::SProtocol;
    auto f = connectToSim();
    auto* w = openOn<TVren1Settings>(*f);
    auto* edit = control<QLineEdit>(w, "EmailAddr2_Edit");
    act(w, "EmailAddr2_Edit", Act::Type, 0, "n");
    ASSERT_TRUE(linesReach(*f, 1));
    EXPECT_EQ(sim.requestLines(), (QList<QByteArray>{hdSealed("PS0401n")}));
    edit->setText("not what the unit holds"); // only a refill puts it back
    ASSERT_TRUE(tickUntil(
        *f, [&] { return edit->text() == "n"; }, 40));
    settle(*f);
    EXPECT_EQ(sim.requestLines().size(), 1);
    EXPECT_FALSE(f->PageRefresh.isRaised(prHdEmail));
}

// A setting the unit takes without reporting it: the working copy keeps the
// user's value until the unit's record is copied back.
TEST_F(Vren1SettingsSimTest, AnUnreportedSettingStaysLocalUntilTheUnitsRecordIsCopied)
{
    sim.echoSettings = false;
    auto f = connectToSim();
    auto* w = openOn<TVren1Settings>(*f);
    act(w, "Calibrator_CB", Act::Pick, 5);
    ASSERT_TRUE(linesReach(*f, 1));
    EXPECT_EQ(sim.requestLines().last(), hdSealed("CC001105"));
    sim.unit().HdLocalConfig[179] = 3; // the unit's own front panel changed it since

    settle(*f, 10);
    EXPECT_EQ(f->HdUnitConfig[179], 3);
    EXPECT_EQ(f->HdLocalConfig[179], 5);
    EXPECT_EQ(shown(w, "Calibrator_CB"), 5);

    f->HdUpdateLocalConfig = true;
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !f->HdUpdateLocalConfig; }, 40));
    settle(*f, 3);
    EXPECT_EQ(f->HdLocalConfig[179], 3);
    EXPECT_EQ(shown(w, "Calibrator_CB"), 3);
    EXPECT_EQ(sim.requestLines().size(), 1);
}

// The unit's diagnostic text, downloaded and walked into the list.
TEST_F(Vren1SettingsSimTest, LoadDataDownloadsTheDiagnosticTextAndShowsComplete)
{
    sim.diagnosticText = "boot ok\r\nfan***temp 41\n" + QByteArray(90, 'x');
    auto f = connectToSim();
    auto* w = openOn<TVren1Settings>(*f);
    f->DiagnosticData.New = true; // a download of before
    w->LoadData_Button->click();
    EXPECT_FALSE(f->DiagnosticData.New) << "cleared when asked";
    ASSERT_TRUE(linesReach(*f, 1));
    EXPECT_EQ(sim.requestLines().last(), "DD00E8");
    ASSERT_TRUE(tickUntil(
        *f, [&] { return w->DiagLabel->text() == "Complete"; }, 60));

    QStringList lines;
    for (int i = 0; i < w->Diag_LB->count(); ++i)
        lines << w->Diag_LB->item(i)->text();
    const QString stars(48, '*');
    EXPECT_EQ(lines.mid(0, 9), (QStringList{"DData ID:    0", "DData Type:    0",
                                            "DData Len:    113", "DData Index:      0", stars,
                                            "boot ok[CR][LF]", "fan", stars, "temp 41[LF]"}));
    // After a line end the next line is cut after 79 further bytes.
    EXPECT_EQ(lines.mid(9), (QStringList{QString(79, 'x'), QString(11, 'x')}));
}

// A Len the unit reports past the 2,384-byte area, or below 0: the walk stays
// inside the area and nothing breaks.
TEST_F(Vren1SettingsSimTest, ADiagnosticLenOutsideTheAreaIsWalkedNoFurtherThanTheArea)
{
    sim.diagnosticText = QByteArray(HdDiagnosticBytes, 'd');
    sim.diagnosticLen = 3000;
    auto f = connectToSim();
    auto* w = openOn<TVren1Settings>(*f);
    w->LoadData_Button->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return w->DiagLabel->text() == "Complete"; }, 80));
    QString walked;
    for (int i = 5; i < w->Diag_LB->count(); ++i)
        walked += w->Diag_LB->item(i)->text();
    EXPECT_EQ(walked, QString(HdDiagnosticBytes, 'd'));
    EXPECT_EQ(w->Diag_LB->item(2)->text(), "DData Len:   3000");

    sim.diagnosticLen = -5;
    w->LoadData_Button->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return w->Diag_LB->count() > 2 && w->Diag_LB->item(2)->text().endsWith("-5"); },
        60));
    EXPECT_EQ(w->Diag_LB->count(), 6) << "the header and one empty line";
    EXPECT_EQ(w->DiagLabel->text(), "Downloading( 0.0%)");
}

// The whole program: the panel's menu opens the window with the unit's
// values; closing it posts (8, 0) and the panel forgets it.
TEST_F(Vren1SettingsSimTest, OpensFromThePanelAndIsForgottenWhenClosed)
{
    auto f = connectToSim();
    TVren1Panel p(&panel, &panel, "Rack1_VREN1", f.get(), 0);
    QAction* entry = p.menuEntry(v1kSettings, 0);
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(entry->isEnabled());
    entry->trigger();
    QPointer<TVren1Settings> w = p.findChild<TVren1Settings*>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_VREN1SETTINGS0");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren1-1 Settings");
    EXPECT_EQ(Vren1WindowTest::text(w.data(), "TuningFreq_ST"), " 99.9 MHz");
    EXPECT_EQ(w->findChild<QLineEdit*>("EmailAddr2_Edit")->text(), "group2@station.example");

    // The panel forwards the refreshes while the window lives.
    f->PageRefresh.raise(prSettings);
    f->HdLocalConfig[179] = 6;
    p.ForwardRefresh();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(shown(w, "Calibrator_CB"), 6);

    w->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(p.children().count(), 0);
    p.ForwardRefresh(); // nothing goes to the freed window
    QCoreApplication::sendPostedEvents();
    entry->trigger();
    auto* again = p.findChild<TVren1Settings*>();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(p.children().count(), 1);
}

// ---- Texts, rules and refills -------------------------------------------------------

class Vren1SettingsTest : public Vren1WindowTest
{
protected:
    Vren1SettingsTest()
    {
        stationSettings(frame.HdLocalConfig);
        frame.SerialNumber = "450123";
    }
    std::unique_ptr<TVren1Settings> openWindow()
    {
        return std::unique_ptr<TVren1Settings>(open<TVren1Settings>());
    }
    void refill(QWidget* w, int flag = prSettings)
    {
        frame.PageRefresh.raise(flag);
        refresh(w);
    }
    QList<QByteArray> takeLines()
    {
        QList<QByteArray> out;
        for (QByteArray l = takeLine(); !l.isEmpty(); l = takeLine())
            out << l;
        return out;
    }
};

TEST_F(Vren1SettingsTest, NameCaptionPagesAndSize)
{
    auto w = openWindow();
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_VREN1SETTINGS0");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren1-1 Settings");
    QStringList pages;
    for (int i = 0; i < w->PageControl1->count(); ++i)
        pages << w->PageControl1->tabText(i);
    EXPECT_EQ(pages, (QStringList{"RF", "Composite", "Unit", "Outputs", "Email", "Decoders",
                                  " Info", "Diagnostics"}));
    EXPECT_LE(w->width(), 735);
    EXPECT_LE(w->height(), 500);

    const char* outputs[] = {"ANL_Out1_CB", "ANL_Out2_CB", "ANL_Out3_CB", "ANL_Out4_CB",
                             "ANL_Out5_CB", "ANL_Out6_CB", "ANL_Out7_CB", "ANL_Out8_CB",
                             "AES_Out1_CB", "AES_Out2_CB", "AES_Out3_CB", "AES_Out4_CB",
                             "AES_Out5_CB", "AES_Out6_CB", "HP_OutL_CB",  "HP_OutR_CB"};
    for (const char* name : outputs) {
        auto* c = control<QComboBox>(w.get(), name);
        ASSERT_EQ(c->count(), 58) << name;
        EXPECT_EQ(c->itemText(5), "HD1  L") << name;
        EXPECT_EQ(c->itemText(57), " TA HD  ") << name;
    }
    EXPECT_EQ(w->findChild<QComboBox*>("AES_Out7_CB"), nullptr);
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(control<QLineEdit>(w.get(), QString("EmailAddr%1_Edit").arg(n))->maxLength(), 41);
    EXPECT_EQ(control<QLineEdit>(w.get(), "Email_Proxy_IP_Edit")->maxLength(), 15);
    EXPECT_EQ(control<QLineEdit>(w.get(), "Email_Proxy_Port_Edit")->maxLength(), 5);
    EXPECT_FALSE(control<RadioGroup>(w.get(), "Unit_REM_RG")->isEnabled());

    w->close();
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(closedRecorder.closed.size(), 1u);
    EXPECT_EQ(closedRecorder.closed[0], (std::pair<qintptr, qintptr>(8, 0)));
    w.release(); // freed by its close
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct FillCase
{
    int word;
    qint32 value;
    const char* control;
    int shown;        // position, item index or check state
    const char* text; // the up-down's text, else nullptr
};

TEST_F(Vren1SettingsTest, ARefillShowsEveryWordWithItsTextAndQueuesNothing)
{
    auto w = openWindow();
    const FillCase cases[] = {
        {6, 0, "RF_Atten_UD", 63, "   0.0dB"},
        {6, 63, "RF_Atten_UD", 0, "  31.5dB"},
        {75, 0, "Unit_SS_UD", 0, " OFF  "},
        {75, 12, "Unit_SS_UD", 12, "12 hr"},
        {72, 0, "Unit_HT_UD", 0, "0.25 sec"},
        {72, 10, "Unit_HT_UD", 10, "5.0  sec"},
        {10, 1500, "CMP_Peak_UD", 1500, "150.0 %"},
        {92, 100, "HP_VOL_UD", 100, "100 % "},
        {2, 1079, "TuningFreq_UD", 102, "107.9 MHz"},
        {2, 1000, "TuningFreq_UD", 62, "100.0 MHz"}, // 62.5: ties to even
        {178, 1, "DecoderSISBCEC_CB", 1, nullptr},
        {74, 1, "Unit_REM_RG", 1, nullptr},
        {7, 3, "RF_Filter_CB", 3, nullptr},
        {91, 57, "HP_OutR_CB", 57, nullptr},
        // Values no list can name: no text, nothing chosen, never another entry.
        {72, 11, "Unit_HT_UD", 10, ""},
        {72, -1, "Unit_HT_UD", 0, ""},
        {76, 58, "ANL_Out1_CB", -1, nullptr},
        {179, 7, "Calibrator_CB", -1, nullptr},
        {71, 2, "Unit_TM_RG", -1, nullptr},
        // Out of the up-down's range: clamped, the text tells the word.
        {75, 13, "Unit_SS_UD", 12, "13 hr"},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.control);
        SCOPED_TRACE(c.value);
        frame.HdLocalConfig[c.word] = c.value;
        refill(w.get());
        EXPECT_EQ(shown(w.get(), c.control), c.shown);
        if (c.text) {
            QString name = c.control;
            EXPECT_EQ(text(w.get(), name.replace("_UD", "_ST")), c.text);
        }
        EXPECT_FALSE(frame.PageRefresh.isRaised(prSettings));
        EXPECT_FALSE(w->Filling);
    }
    EXPECT_TRUE(takeLines().isEmpty());

    // A whole new record and new e-mail settings: every control moves, nothing is queued.
    for (int k = 0; k < HdConfigWordCount; ++k)
        frame.HdLocalConfig[k] = 1;
    THdEmailSettings& e = frame.HdEmailSettings;
    e.Address[7] = "night@example.com";
    e.ProxyIp = "192.168.1.9";
    e.ProxyPort = "25";
    e.Subject[3] = "Loss of carrier";
    e.GroupWord = {0x81, 0, 0, 0, 0, 0, 0, 0x40};
    frame.PageRefresh.raise(prHdEmail);
    refill(w.get());
    for (const char* name :
         {"RF_Input_RG", "Calibrator_CB", "RF_Mute_CB", "CMP_BW_CB", "CMP_PW_CB", "Unit_TM_RG",
          "Unit_HT_UD", "Unit_INF_RG", "Unit_SS_UD", "AES_Out6_CB", "HP_OutL_CB", "HP_VOL_UD"})
        EXPECT_EQ(shown(w.get(), name), 1) << name;
    EXPECT_EQ(shown(w.get(), "TuningFreq_UD"), 0) << "0.1 MHz lies below the band";
    EXPECT_EQ(control<QLineEdit>(w.get(), "EmailAddr8_Edit")->text(), "night@example.com");
    EXPECT_EQ(control<QLineEdit>(w.get(), "Email_Proxy_IP_Edit")->text(), "192.168.1.9");
    EXPECT_EQ(control<QLineEdit>(w.get(), "Email_Proxy_Port_Edit")->text(), "25");
    EXPECT_EQ(w->EmailGroups[3]->Subject_Edit->text(), "Loss of carrier");
    EXPECT_TRUE(w->EmailGroups[0]->EmailCB[0]->isChecked());
    EXPECT_TRUE(w->EmailGroups[0]->EmailCB[7]->isChecked());
    EXPECT_FALSE(w->EmailGroups[0]->EmailCB[1]->isChecked());
    EXPECT_TRUE(w->EmailGroups[3]->EmailRB[6]->isChecked());
    EXPECT_TRUE(takeLines().isEmpty());
    EXPECT_FALSE(frame.PageRefresh.isRaised(prHdEmail));

    // Only a refresh with lParam 0 refills.
    frame.HdLocalConfig[179] = 2;
    frame.PageRefresh.raise(prSettings);
    refresh(w.get(), 1);
    EXPECT_EQ(shown(w.get(), "Calibrator_CB"), 1);
}

TEST_F(Vren1SettingsTest, TheAttenuatorFollowsTheBoardAndTheInput)
{
    frame.HdLocalConfig[180] = 1;
    auto w = openWindow();
    EXPECT_TRUE(w->RF_Atten_GB->isHidden());
    EXPECT_TRUE(w->RF_Filter_GB->isHidden());

    frame.HdLocalConfig[180] = 2;
    refill(w.get());
    EXPECT_FALSE(w->RF_Atten_GB->isHidden());
    EXPECT_TRUE(w->RF_Filter_GB->isHidden()) << "never shown";
    EXPECT_EQ(shown(w.get(), "RF_Atten_UD"), 63 - 52) << "the Antenna input's word";
    EXPECT_EQ(text(w.get(), "A2Version_ST"), " 2");
    EXPECT_EQ(text(w.get(), "Serial_ST"), "450123");

    // Switching the input keeps the attenuator until the refill the switch asks for.
    act(w.get(), "RF_Input_RG", Act::Pick, 1);
    EXPECT_EQ(frame.HdLocalConfig[4], 1);
    EXPECT_EQ(shown(w.get(), "RF_Atten_UD"), 11);
    EXPECT_TRUE(frame.PageRefresh.isRaised(prSettings));
    refresh(w.get());
    EXPECT_EQ(shown(w.get(), "RF_Atten_UD"), 63 - 10);
    EXPECT_EQ(text(w.get(), "RF_Atten_ST"), "   5.0dB");
    act(w.get(), "RF_Atten_UD", Act::Up);
    EXPECT_EQ(frame.HdLocalConfig[5], 9);
    EXPECT_EQ(frame.HdLocalConfig[6], 52);
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"CC001001A8\r", hdSealed("CC001309") + "\r"}));

    frame.HdLocalConfig[180] = 3;
    refill(w.get());
    EXPECT_TRUE(w->RF_Atten_GB->isHidden());
}

TEST_F(Vren1SettingsTest, TuningWrapsAroundTheBand)
{
    frame.HdLocalConfig[2] = 1079;
    auto w = openWindow();
    act(w.get(), "TuningFreq_UD", Act::Up);
    EXPECT_EQ(frame.HdLocalConfig[2], 875);
    EXPECT_EQ(text(w.get(), "TuningFreq_ST"), " 87.5 MHz");
    EXPECT_TRUE(frame.PageRefresh.isRaised(prTuning));
    // The line reads the frame when it leaves, so each is taken at once.
    EXPECT_EQ(takeLines(), (QList<QByteArray>{hdSealed("CC000F036B") + "\r"}));
    act(w.get(), "TuningFreq_UD", Act::Down);
    EXPECT_EQ(frame.HdLocalConfig[2], 1079);
    EXPECT_EQ(text(w.get(), "TuningFreq_ST"), "107.9 MHz");
    EXPECT_EQ(takeLines(), (QList<QByteArray>{hdSealed("CC000F0437") + "\r"}));
}

// The unit keeps who may change what: an observer's window stays editable,
// e-mail groups included.
TEST_F(Vren1SettingsTest, AnObserversWindowStaysEnabled)
{
    frame.ReadOnlyAccess = true;
    auto w = openWindow();
    int editing = 0;
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(c) || qobject_cast<RadioGroup*>(c) ||
            qobject_cast<UpDown*>(c) || qobject_cast<QAbstractButton*>(c) ||
            qobject_cast<QLineEdit*>(c)) {
            if (qobject_cast<QToolButton*>(c) || c->parentWidget()->inherits("RadioGroup"))
                continue; // the parts of an up-down or radio group
            ++editing;
            EXPECT_EQ(c->isEnabled(), c->objectName() != "Unit_REM_RG")
                << c->objectName().toStdString();
        }
    }
    EXPECT_GT(editing, 100);
    act(w.get(), "Unit_HT_UD", Act::Up);
    act(w->EmailGroups[1], "Email4_CB", Act::Click);
    EXPECT_EQ(takeLines().size(), 2);
}

TEST_F(Vren1SettingsTest, TheDiagnosticsPageShowsOnlyItsOwnDownload)
{
    auto w = openWindow();
    THistoryDataRec& d = frame.DiagnosticData;
    refresh(w.get());
    EXPECT_EQ(w->DiagLabel->text(), "Downloading( 0.0%)") << "Len 0";

    // Another index's download changes nothing.
    d.Id = 1;
    d.Len = 5;
    d.New = true;
    std::copy_n("ab\ncd", 5, d.Data.begin());
    refresh(w.get());
    EXPECT_EQ(w->Diag_LB->count(), 0);
    EXPECT_EQ(w->DiagLabel->text(), "Downloading( 0.0%)");
    EXPECT_TRUE(d.New);

    d.Id = 0;
    d.Len = 680;
    d.Index = 0;
    d.New = false;
    refresh(w.get());
    EXPECT_EQ(w->DiagLabel->text(), "Downloading(50.0%)");
    EXPECT_EQ(w->Diag_LB->count(), 0);

    d.Len = 5;
    d.New = true;
    refresh(w.get());
    EXPECT_FALSE(d.New);
    EXPECT_EQ(w->DiagLabel->text(), "Complete");
    QStringList lines;
    for (int i = 0; i < w->Diag_LB->count(); ++i)
        lines << w->Diag_LB->item(i)->text();
    EXPECT_EQ(lines, (QStringList{"DData ID:    0", "DData Type:    0", "DData Len:      5",
                                  "DData Index:      0", QString(48, '*'), "ab[LF]", "cd"}));

    // The buttons act even during a fill.
    w->Filling = true;
    w->LoadData_Button->click();
    w->findChild<QPushButton*>("Reset_Def_Button")->click();
    w->Filling = false;
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"DD00E8\r", hdSealed("PB0200") + "\r"}));
}

// ---- E-mail groups --------------------------------------------------------------------

class Vren1EmailGroupTest : public Vren1SettingsTest
{
protected:
    std::unique_ptr<TVren1Settings> openFilled()
    {
        auto w = openWindow();
        frame.HdEmailSettings.GroupWord = {0x01, 0x07, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00};
        frame.HdEmailSettings.Subject = {"One", "Two", "Three", "Four"};
        refill(w.get(), prHdEmail);
        EXPECT_TRUE(takeLines().isEmpty());
        return w;
    }
};

TEST_F(Vren1EmailGroupTest, EachGroupFrameCarriesItsNumberAndComponents)
{
    auto w = openFilled();
    auto* inner = control<QTabWidget>(w.get(), "Email_PageControl");
    QStringList pages;
    for (int i = 0; i < inner->count(); ++i)
        pages << inner->tabText(i);
    EXPECT_EQ(pages, (QStringList{"Address Book", "Email #1", "Email #2", "Email #3", "Email #4"}));
    for (int g = 1; g <= 4; ++g) {
        TEmailGroupFrame* e = w->EmailGroups[size_t(g - 1)];
        EXPECT_EQ(e->GroupNumber, g);
        EXPECT_EQ(e->Frame, &frame);
        EXPECT_EQ(e->Email_GB->title(), QString(" Email Group #%1 ").arg(g));
        EXPECT_EQ(control<QGroupBox>(e, "TO_GB")->title(), "   TO:   ");
        EXPECT_EQ(control<QGroupBox>(e, "FROM_GB")->title(), "   FROM:     ");
        for (int n = 1; n <= 8; ++n) {
            EXPECT_NE(e->findChild<QCheckBox*>(QString("Email%1_CB").arg(n)), nullptr);
            EXPECT_NE(e->findChild<QRadioButton*>(QString("Email%1_RB").arg(n)), nullptr);
        }
        EXPECT_EQ(e->Subject_Edit->maxLength(), 31);
        EXPECT_EQ(e->TestEmail_Button->text(), "Test Email ");
    }
    EXPECT_EQ(w->EmailGroups[1]->Subject_Edit->text(), "Two");
}

TEST_F(Vren1EmailGroupTest, ToBoxesChangeTheirBitAndFromButtonsTheWholeMask)
{
    auto w = openFilled();
    TEmailGroupFrame* two = w->EmailGroups[1];
    ASSERT_TRUE(two->EmailCB[2]->isChecked());
    two->EmailCB[2]->click();
    EXPECT_EQ(frame.HdEmailSettings.GroupWord[1], 0x03) << "the others stay";
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"CC00BF03D1\r"}));

    TEmailGroupFrame* one = w->EmailGroups[0];
    one->EmailRB[2]->click();
    EXPECT_EQ(frame.HdEmailSettings.GroupWord[4], 0x04);
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"CC00C204BF\r"}));
    one->EmailRB[4]->click();
    EXPECT_EQ(frame.HdEmailSettings.GroupWord[4], 0x10);
    EXPECT_FALSE(one->EmailRB[2]->isChecked());
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"CC00C210BC\r"}));

    w->EmailGroups[2]->Filling = true; // the test does not wait for a fill
    w->EmailGroups[2]->TestEmail_Button->click();
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"PB021203BA\r"}));
}

TEST_F(Vren1EmailGroupTest, ARefillShowsNoSenderOrTwoAndQueuesNothing)
{
    auto w = openFilled();
    TEmailGroupFrame* one = w->EmailGroups[0];
    auto checkedFrom = [&] {
        QList<int> on;
        for (int n = 0; n < 8; ++n)
            if (one->EmailRB[size_t(n)]->isChecked())
                on << n + 1;
        return on;
    };
    EXPECT_EQ(checkedFrom(), (QList<int>{2}));
    frame.HdEmailSettings.GroupWord[4] = 0;
    refill(w.get(), prHdEmail);
    EXPECT_EQ(checkedFrom(), QList<int>{});
    frame.HdEmailSettings.GroupWord[4] = 0x06;
    refill(w.get(), prHdEmail);
    EXPECT_EQ(checkedFrom(), (QList<int>{2, 3}));
    EXPECT_TRUE(takeLines().isEmpty());
    EXPECT_FALSE(one->Filling);

    // Choosing one sender afterwards leaves that one alone.
    one->EmailRB[6]->click();
    EXPECT_EQ(checkedFrom(), (QList<int>{7}));
    EXPECT_EQ(frame.HdEmailSettings.GroupWord[4], 0x40);
}

TEST_F(Vren1EmailGroupTest, EachKeystrokeAsksOnceAndTheLineCarriesTheTextAtSending)
{
    auto w = openFilled();
    QLineEdit* subject = w->EmailGroups[1]->Subject_Edit;
    subject->clear();
    QTest::keyClicks(subject, "Low");
    EXPECT_EQ(frame.HdEmailSettings.Subject[1], "Low");
    EXPECT_EQ(takeLines(),
              (QList<QByteArray>{hdSealed("PS040BLow") + "\r", hdSealed("PS040BLow") + "\r",
                                 hdSealed("PS040BLow") + "\r"}));

    // A pasted line end never reaches the edit, the frame or the unit.
    subject->setCursorPosition(3);
    subject->insert("a\rb");
    EXPECT_EQ(subject->text(), "Low");
    EXPECT_EQ(frame.HdEmailSettings.Subject[1], "Low");
    subject->insert(QString::fromUtf8("\u20ac"));
    EXPECT_EQ(subject->text(), "Low") << "no Latin-1 character";
    subject->insert(QString::fromLatin1("\xe9"));
    EXPECT_EQ(frame.HdEmailSettings.Subject[1], QString::fromLatin1("Low\xe9"));
    EXPECT_EQ(takeLines().size(), 1);
}

} // namespace
