#include "Tavr1WindowSupport.h"
#include "panels/SettingsControlSupport.h"

#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"
#include "protocol/tavr1/Tavr1Commands.h"
#include "tavr1/Tavr1_Settings.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class Tavr1SettingsTest : public Tavr1WindowTest
{
protected:
    QString text(QWidget* w, QString upDownName)
    {
        QLabel* l = control<QLabel>(w, upDownName.replace("_UD", "_LD"));
        return l ? l->text() : QString();
    }
};

struct ControlCase
{
    const char* name;
    Act act;
    int n;
    int word;
    qint32 value;     // stored in the word
    const char* line; // without checksum and CR
    const char* text; // beside an up-down, else nullptr
};

// Every control of every page, from the simulated unit's defaults: each stores
// its value, shows it and sends exactly its line.
const ControlCase controlCases[] = {
    {"RF_Input_RG", Act::Pick, 0, 4, 0, "CC1100", nullptr},
    {"TuningFreq_UD", Act::Up, 0, 2, 1003, "CC0F03EB", "100.3 MHz"},
    // Antenna input now: its own attenuator word, 4 steps -> 3 steps.
    {"RF_Atten_UD", Act::Up, 0, 6, 3, "CC1003", "  -1.5dB"},
    {"Calibrator_CB", Act::Pick, 3, 7, 3, "CC1203", nullptr},
    {"RF_Filter_CB", Act::Pick, 4, 8, 4, "CC1304", nullptr},
    {"RF_Mute_CB", Act::Pick, 2, 9, 2, "CC1402", nullptr},
    {"CMP_BW_CB", Act::Pick, 3, 10, 3, "CC1503", nullptr},
    {"CMP_Peak_UD", Act::Down, 0, 11, 999, "CC1603E7", " 99.9 %"},
    {"CMP_PW_CB", Act::Pick, 8, 12, 8, "CC1708", nullptr},
    {"SCA1_BPF_BYP_RG", Act::Pick, 1, 69, 1, "CC180100", nullptr},
    {"SCA1_BPF_Freq_UD", Act::Up, 0, 71, 411, "CC19019B00", " 41.1 kHz"},
    {"SCA1_BPF_BW_UD", Act::Up, 0, 73, 2, "CC1A0200", "  2.0 kHz"},
    {"SCA1_DET_Mod_CB", Act::Pick, 1, 75, 1, "CC1B0100", nullptr},
    {"SCA1_DET_Resp_CB", Act::Pick, 2, 77, 2, "CC1C0200", nullptr},
    {"SCA1_DET_BW_UD", Act::Up, 0, 79, 2, "CC1D0200", "  2.0 kHz"},
    {"SCA1_DET_Norm_UD", Act::Up, 0, 81, 11, "CC1E0B00", "  1.1 kHz"},
    {"SCA1_SET_Peak_UD", Act::Up, 0, 83, 10, "CC1F000A00", "  1.0 %"},
    {"SCA1_SET_Mute_CB", Act::Pick, 1, 85, 1, "CC200100", nullptr},
    {"SCA1_SET_Thres_UD", Act::Up, 0, 87, 1, "CC21000100", "  0.1 %"},
    {"SCA2_BPF_BYP_RG", Act::Pick, 1, 70, 1, "CC180101", nullptr},
    {"SCA2_BPF_Freq_UD", Act::Up, 0, 72, 411, "CC19019B01", " 41.1 kHz"},
    {"SCA2_BPF_BW_UD", Act::Up, 0, 74, 2, "CC1A0201", "  2.0 kHz"},
    {"SCA2_DET_MOD_CB", Act::Pick, 1, 76, 1, "CC1B0101", nullptr},
    {"SCA2_DET_RESP_CB", Act::Pick, 1, 78, 1, "CC1C0101", nullptr},
    {"SCA2_DET_BW_UD", Act::Up, 0, 80, 2, "CC1D0201", "  2.0 kHz"},
    {"SCA2_DET_NORM_UD", Act::Up, 0, 82, 11, "CC1E0B01", "  1.1 kHz"},
    {"SCA2_SET_PEAK_UD", Act::Up, 0, 84, 10, "CC1F000A01", "  1.0 %"},
    {"SCA2_SET_MUTE_CB", Act::Pick, 2, 86, 2, "CC200201", nullptr},
    {"SCA2_SET_Thres_UD", Act::Up, 0, 88, 1, "CC21000101", "  0.1 %"},
    {"Unit_TM_RG", Act::Pick, 1, 89, 1, "CC6201", nullptr},
    {"Unit_HT_UD", Act::Up, 0, 90, 1, "CC6301", "0.5  sec"},
    {"Unit_INF_RG", Act::Pick, 1, 91, 1, "CC6401", nullptr},
    {"Unit_Units_RG", Act::Pick, 1, 93, 1, "CC6601", nullptr},
    {"Unit_DE_RG", Act::Pick, 1, 94, 1, "CC6701", nullptr},
    {"Unit_FR_RG", Act::Pick, 1, 95, 1, "CC6801", nullptr},
    {"Unit_SS_UD", Act::Up, 0, 96, 1, "CC6901", " 1 hr"},
    {"ANL_Out1_CB", Act::Pick, 1, 97, 1, "CC4F01", nullptr},
    {"ANL_Out2_CB", Act::Pick, 2, 98, 2, "CC5002", nullptr},
    {"ANL_Out3_CB", Act::Pick, 3, 99, 3, "CC5103", nullptr},
    {"ANL_Out4_CB", Act::Pick, 4, 100, 4, "CC5204", nullptr},
    {"ANL_Out5_CB", Act::Pick, 5, 101, 5, "CC5305", nullptr},
    {"ANL_Out6_CB", Act::Pick, 6, 102, 6, "CC5406", nullptr},
    {"ANL_Out7_CB", Act::Pick, 7, 103, 7, "CC5507", nullptr},
    {"ANL_Out8_CB", Act::Pick, 8, 104, 8, "CC5608", nullptr},
    {"AES_Out1_CB", Act::Pick, 14, 105, 14, "CC570E", nullptr},
    {"AES_Out2_CB", Act::Pick, 13, 106, 13, "CC580D", nullptr},
    {"AES_Out3_CB", Act::Pick, 12, 107, 12, "CC590C", nullptr},
    {"AES_Out4_CB", Act::Pick, 11, 108, 11, "CC5A0B", nullptr},
    {"AES_Out5_CB", Act::Pick, 10, 109, 10, "CC5B0A", nullptr},
    {"AES_Out6_CB", Act::Pick, 9, 110, 9, "CC5C09", nullptr},
    {"AES_Out7_CB", Act::Pick, 8, 111, 8, "CC5D08", nullptr},
    {"AES_Out8_CB", Act::Pick, 7, 112, 7, "CC5E07", nullptr},
    {"HP_OutL_CB", Act::Pick, 11, 113, 11, "CC5F0B", nullptr},
    {"HP_OutR_CB", Act::Pick, 12, 114, 12, "CC600C", nullptr},
    // The unit's 0 lies below the range: the first click goes from 1 to 2.
    {"HP_VOL_UD", Act::Up, 0, 115, 2, "CC6102", "  2 % "},
};

} // namespace

TEST_F(Tavr1SettingsTest, EveryControlStoresFirstThenSendsItsLine)
{
    auto f = connectToSim();
    auto* w = open<TTavr1Settings>(*f);
    QList<QByteArray> expected;
    for (const ControlCase& c : controlCases) {
        SCOPED_TRACE(c.name);
        act(w, c.name, c.act, c.n);
        // Stored before anything leaves; the line takes its value from there.
        EXPECT_EQ(f->Tavr1LocalConfig[c.word], c.value);
        EXPECT_TRUE(f->Tavr1Command.Pending);
        if (c.text) {
            EXPECT_EQ(text(w, c.name), c.text);
        }
        ASSERT_TRUE(sendPending(*f));
        expected << sealedLine(c.line);
        EXPECT_EQ(sim.commandLines().last(), expected.last());
        EXPECT_EQ(sim.config[c.word], c.value) << "the unit took it";
        // Let echoes and refills come in between, as they do in use.
        tickUntil(
            *f, [] { return false; }, 2);
    }
    EXPECT_EQ(f->Tavr1LocalConfig[5], 10) << "the High Level attenuator was left alone";
    EXPECT_EQ(f->PageRefresh.isRaised(prAlarms), true) << "the peak and threshold words raise it";

    // Whatever the echoes refilled, nothing more went out.
    ASSERT_TRUE(settingsBlocks(*f, 3));
    EXPECT_EQ(sim.commandLines(), expected);
    EXPECT_EQ(sim.badChecksums(), 0);
    for (const ControlCase& c : controlCases) {
        EXPECT_EQ(f->Tavr1LocalConfig[c.word], c.value) << c.name << ": echoed as sent";
        if (c.act == Act::Pick)
            EXPECT_EQ(shown(w, c.name), c.n) << c.name;
        else
            EXPECT_EQ(text(w, c.name), c.text) << c.name;
    }
}

// Tuning and attenuator raise the panel's flag, so it follows the window.
TEST_F(Tavr1SettingsTest, TuningAndAttenuatorRaiseThePanelsFlag)
{
    frame.Tavr1LocalConfig[2] = 1001;
    frame.Tavr1LocalConfig[4] = 1;
    frame.Tavr1LocalConfig[5] = 10;
    auto* w = open<TTavr1Settings>();
    for (const char* name : {"TuningFreq_UD", "RF_Atten_UD"}) {
        frame.PageRefresh = {};
        frame.Tavr1Command = {};
        act(w, name, Act::Down);
        EXPECT_TRUE(frame.PageRefresh.isRaised(prTuning)) << name;
        EXPECT_FALSE(frame.PageRefresh.isRaised(prSettings)) << name;
    }
    EXPECT_EQ(frame.Tavr1LocalConfig[2], 999);
    EXPECT_EQ(frame.Tavr1LocalConfig[5], 11) << "High Level: its own word";
}

// The unit's echo comes back into the working copy; its flag refills the
// open window, and refilling sends nothing.
TEST_F(Tavr1SettingsTest, TheEchoRefillsTheWindowThroughItsFlag)
{
    auto f = connectToSim();
    auto* w = open<TTavr1Settings>(*f);
    ASSERT_EQ(shown(w, "TuningFreq_UD"), 63);

    // The panel's track bar tunes to 100.0 MHz without telling the window.
    f->Tavr1LocalConfig[2] = 1000;
    ASSERT_TRUE(PostTavr1SetParameter(*f, 15, 0, 0, 0, 0));
    f->PageRefresh = {};
    refresh(w);
    EXPECT_EQ(text(w, "TuningFreq_UD"), "100.1 MHz") << "no flag, no refill";

    ASSERT_TRUE(sendPending(*f));
    EXPECT_EQ(sim.commandLines().last(), sealedLine("CC0F03E8"));
    ASSERT_TRUE(tickUntil(
        *f, [&] { return text(w, "TuningFreq_UD") == "100.0 MHz"; }, 40));
    EXPECT_EQ(shown(w, "TuningFreq_UD"), 62) << "62.5 rounds to the even position";
    EXPECT_FALSE(f->PageRefresh.isRaised(prSettings)) << "the window took its flag";
    EXPECT_EQ(f->RxLine, " 15[0F]  00 00 03 E8");

    ASSERT_TRUE(settingsBlocks(*f, 2));
    EXPECT_EQ(sim.commandLines().size(), 1) << "the refill sent nothing";
    EXPECT_FALSE(f->Tavr1Command.Pending);
}

// A setting the unit does not take: the working copy keeps the user's value,
// settings block after settings block, until the unit's record is copied
// back (what the unit-configuration window's "Update Local Config" asks).
TEST_F(Tavr1SettingsTest, AnUnechoedSettingStaysLocalUntilTheUnitsRecordIsCopied)
{
    sim.echoSettings = false;
    auto f = connectToSim();
    auto* w = open<TTavr1Settings>(*f);
    act(w, "Calibrator_CB", Act::Pick, 5);
    ASSERT_TRUE(sendPending(*f));
    EXPECT_EQ(sim.commandLines().last(), sealedLine("CC1205"));
    sim.config[7] = 0; // the unit kept its own value

    ASSERT_TRUE(settingsBlocks(*f, 3));
    EXPECT_EQ(f->Tavr1UnitConfig[7], 0);
    EXPECT_EQ(f->Tavr1LocalConfig[7], 5);
    EXPECT_EQ(shown(w, "Calibrator_CB"), 5);

    f->Tavr1UpdateLocalConfig = true;
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !f->Tavr1UpdateLocalConfig; }, 40));
    pump(50);
    EXPECT_EQ(f->Tavr1LocalConfig[7], 0);
    EXPECT_EQ(shown(w, "Calibrator_CB"), 0);
    EXPECT_EQ(sim.commandLines().size(), 1);
}

TEST_F(Tavr1SettingsTest, ResetDefaultsReloadsTheWindowAfterTheFifthSettingsBlock)
{
    auto f = connectToSim();
    auto* w = open<TTavr1Settings>(*f);
    act(w, "Calibrator_CB", Act::Pick, 4);
    ASSERT_TRUE(sendPending(*f));
    act(w, "TuningFreq_UD", Act::Up);
    ASSERT_TRUE(sendPending(*f));
    ASSERT_TRUE(settingsBlocks(*f, 1));
    ASSERT_EQ(f->Tavr1UnitConfig[7], 4);

    control<QPushButton>(w, "Reset_Def_Button")->click();
    ASSERT_TRUE(sendPending(*f));
    EXPECT_EQ(sim.commandLines().last(), "PBC80D");
    EXPECT_EQ(sim.config, Tavr1Sim::defaultConfig());

    // Four settings blocks carry the defaults, but the window keeps the values.
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->Tavr1ResetDefaultsCount == 4; }, 200, 20));
    pump(30);
    EXPECT_EQ(f->Tavr1UnitConfig[7], 0);
    EXPECT_EQ(shown(w, "Calibrator_CB"), 4);
    EXPECT_EQ(text(w, "TuningFreq_UD"), "100.3 MHz");

    // The fifth reloads the working copy and every page.
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->Tavr1ResetDefaultsCount == -1; }, 100, 20));
    pump(50);
    EXPECT_EQ(f->Tavr1LocalConfig, f->Tavr1UnitConfig);
    EXPECT_EQ(shown(w, "Calibrator_CB"), 0);
    EXPECT_EQ(text(w, "TuningFreq_UD"), "100.1 MHz");
    EXPECT_EQ(text(w, "RF_Atten_UD"), "  -5.0dB");
    EXPECT_EQ(sim.commandLines().size(), 3);
}

TEST_F(Tavr1SettingsTest, RebootIsSentAsItsAction)
{
    auto* w = open<TTavr1Settings>();
    w->Filling = true; // the unit actions do not wait for a fill
    control<QPushButton>(w, "Reboot_Button")->click();
    EXPECT_EQ(TakeTavr1CommandLine(frame, frame), "PBC90E\r");
}

TEST_F(Tavr1SettingsTest, ABasicUnitHasNoScaPage)
{
    sim.identification = "Tavr-1 SN(123456) SW(01.18,01.20) OPT(0)";
    auto f = connectToSim();
    ASSERT_EQ(f->Tavr1Options, "Basic");
    auto* w = open<TTavr1Settings>(*f);
    QTabWidget* tabs = w->PageControl1;
    EXPECT_FALSE(tabs->isTabVisible(tabs->indexOf(w->SCA_Tab)));
    EXPECT_TRUE(tabs->isTabVisible(tabs->indexOf(w->RF_Tab)));

    frame.Tavr1Options = "Complete";
    auto* complete = open<TTavr1Settings>();
    QStringList visible;
    for (int i = 0; i < complete->PageControl1->count(); ++i) {
        if (complete->PageControl1->isTabVisible(i))
            visible << complete->PageControl1->tabText(i);
    }
    EXPECT_EQ(visible, (QStringList{"RF", "Composite", "SCA", "Unit", "Outputs"}))
        << "the Email and SNMP pages never show";
}

TEST_F(Tavr1SettingsTest, AnObserverCanChangeNothing)
{
    sim.level = "OBSERVER";
    auto f = connectToSim();
    ASSERT_TRUE(f->ReadOnlyAccess);
    auto* w = open<TTavr1Settings>(*f);
    int editing = 0;
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(c) || qobject_cast<RadioGroup*>(c) ||
            qobject_cast<UpDown*>(c) || qobject_cast<QPushButton*>(c) ||
            qobject_cast<QLineEdit*>(c)) {
            ++editing;
            EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();
        }
    }
    EXPECT_EQ(editing, 63);
    // It still shows the unit's values; a click on a disabled arrow does nothing.
    EXPECT_EQ(text(w, "TuningFreq_UD"), "100.1 MHz");
    control<UpDown>(w, "TuningFreq_UD")->stepUp();
    EXPECT_FALSE(f->Tavr1Command.Pending);

    // An operator may change all but the remote switch, which only shows.
    auto* operatorWindow = open<TTavr1Settings>();
    for (QWidget* c : operatorWindow->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(c) || qobject_cast<RadioGroup*>(c) ||
            qobject_cast<UpDown*>(c) || qobject_cast<QPushButton*>(c)) {
            EXPECT_EQ(c->isEnabled(), c->objectName() != "Unit_REM_RG")
                << c->objectName().toStdString();
        }
    }
}

// ---- Refill -----------------------------------------------------------------------

struct FillCase
{
    int word;
    qint32 value;
    const char* control;
    int shown;        // position or item index
    const char* text; // beside an up-down, else nullptr
};

TEST_F(Tavr1SettingsTest, ARefillShowsEveryWordAndSendsNothing)
{
    auto* w = open<TTavr1Settings>();
    const FillCase cases[] = {
        {2, 1000, "TuningFreq_UD", 62, "100.0 MHz"},
        {90, 0, "Unit_HT_UD", 0, "0.25 sec"},
        {96, 0, "Unit_SS_UD", 0, " OFF  "},
        {96, 12, "Unit_SS_UD", 12, "12 hr"},
        {115, 100, "HP_VOL_UD", 100, "100 % "},
        {11, 1500, "CMP_Peak_UD", 1500, "150.0 %"},
        {72, 920, "SCA2_BPF_Freq_UD", 920, " 92.0 kHz"},
        {82, 70, "SCA2_DET_NORM_UD", 70, "  7.0 kHz"},
        {6, 0, "RF_Atten_UD", 63, "   0.0dB"}, // Antenna input, no step: never -0.0
        {6, 63, "RF_Atten_UD", 0, " -31.5dB"},
        {8, 4, "RF_Filter_CB", 4, nullptr},
        {113, 14, "HP_OutL_CB", 14, nullptr},
        {92, 1, "Unit_REM_RG", 1, nullptr},
        // Words no list can name: nothing chosen, no text, never another entry.
        {90, 11, "Unit_HT_UD", 10, ""},
        {90, -1, "Unit_HT_UD", 0, ""},
        {97, 15, "ANL_Out1_CB", -1, nullptr},
        {114, -3, "HP_OutR_CB", -1, nullptr},
        {89, 2, "Unit_TM_RG", -1, nullptr},
        // Out of the up-down's range: clamped, the text still tells the word.
        {2, 860, "TuningFreq_UD", 0, " 86.0 MHz"},
        {2, 1090, "TuningFreq_UD", 102, "109.0 MHz"},
        {96, 13, "Unit_SS_UD", 12, "13 hr"},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.control);
        SCOPED_TRACE(c.value);
        frame.Tavr1LocalConfig[c.word] = c.value;
        frame.PageRefresh.raise(prSettings);
        refresh(w);
        EXPECT_EQ(shown(w, c.control), c.shown);
        if (c.text) {
            EXPECT_EQ(text(w, c.control), c.text);
        }
        EXPECT_FALSE(frame.Tavr1Command.Pending);
        EXPECT_FALSE(frame.PageRefresh.isRaised(prSettings));
        EXPECT_FALSE(frame.PageRefresh.isRaised(prTuning));
        EXPECT_FALSE(w->Filling);
    }

    // A whole new record at once: every control moves, nothing is queued.
    for (int k = 0; k < Tavr1ConfigItemCount; ++k)
        frame.Tavr1LocalConfig[k] = 1;
    frame.PageRefresh.raise(prSettings);
    refresh(w);
    EXPECT_EQ(shown(w, "Calibrator_CB"), 1);
    EXPECT_EQ(shown(w, "SCA2_SET_MUTE_CB"), 1);
    EXPECT_FALSE(frame.Tavr1Command.Pending);
    EXPECT_FALSE(frame.PageRefresh.isRaised(prAlarms));

    // Only a refresh with lParam 0 refills.
    frame.Tavr1LocalConfig[7] = 2;
    frame.PageRefresh.raise(prSettings);
    refresh(w, 1);
    EXPECT_EQ(shown(w, "Calibrator_CB"), 1);
    EXPECT_TRUE(frame.PageRefresh.isRaised(prSettings));
}

TEST_F(Tavr1SettingsTest, ChangingTheRfInputLeavesTheAttenuatorUntilTheNextRefill)
{
    frame.Tavr1LocalConfig[4] = 1;
    frame.Tavr1LocalConfig[5] = 10;
    frame.Tavr1LocalConfig[6] = 4;
    auto* w = open<TTavr1Settings>();
    ASSERT_EQ(shown(w, "RF_Atten_UD"), 53);
    act(w, "RF_Input_RG", Act::Pick, 0);
    EXPECT_EQ(frame.Tavr1LocalConfig[4], 0);
    EXPECT_EQ(shown(w, "RF_Atten_UD"), 53);
    EXPECT_EQ(text(w, "RF_Atten_UD"), "  -5.0dB");
    EXPECT_EQ(TakeTavr1CommandLine(frame, frame), sealedLine("CC1100") + "\r");
    frame.PageRefresh.raise(prSettings);
    refresh(w);
    EXPECT_EQ(shown(w, "RF_Atten_UD"), 59);
    EXPECT_EQ(text(w, "RF_Atten_UD"), "  -2.0dB");
}

TEST_F(Tavr1SettingsTest, ItsNameCaptionAndCloseFollowTheChildWindowRules)
{
    auto* w = new TTavr1Settings([&] {
        TChildWindowArgs a = args();
        a.index = 3; // the panel has one settings window: always index 0
        return a;
    }());
    EXPECT_EQ(w->objectName(), "Rack1_TAVR1_TAVR1SETTINGS0");
    EXPECT_EQ(w->windowTitle(), " Studio A Tavr-1 Settings");
    EXPECT_EQ(w->size(), QSize(800, 500));
    QPointer<QWidget> alive(w);
    w->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    ASSERT_EQ(closedRecorder.closed.size(), 1u);
    EXPECT_EQ(closedRecorder.closed[0], (std::pair<qintptr, qintptr>(6, 0)));
}
