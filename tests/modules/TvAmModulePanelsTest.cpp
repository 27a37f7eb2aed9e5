// The TV and AM rack panels and the FM rack's tuner panel in the whole program
// against the simulated racks.
#include "modules/Gry_Panels.h"
#include "modules/Jov4_Panel.h"
#include "modules/Pelo_Panels.h"

#include "TestSupport.h"
#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "common/NameTables.h"
#include "link/Frame2.h"
#include "modules/DisplayAlarms.h"
#include "plots/BarGraph.h"
#include "shell/Rack.h"
#include "sim/rack/RackSim.h"
#include "sim/rack/RackUnit.h"
#include "widgets/Lamp.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray bytes(std::initializer_list<int> b)
{
    QByteArray a;
    for (int x : b)
        a.append(char(x));
    return a;
}

class RackPanelsTest : public ::testing::Test
{
protected:
    void start(int family, const QByteArray& password = "QUMOR7", bool serial = false)
    {
        rack = std::make_unique<RackSim>(family);
        // The TV controller asks for its program: an empty one, already current.
        QDir().mkpath(base.file("DLD"));
        base.writeFile("DLD/Gry230.DLD", "0\r\n");
        rack->unit.programCurrent = true;
        configure(*rack);
        TConnectionSettings s = DefaultSettings("Connect1", base.path());
        s.HardwareType = htRackSystem;
        s.Transport = trNetwork;
        s.ConnectOnStartup = true;
        s.IpAddress = "127.0.0.1";
        if (serial) {
            // COM1 is the simulated rack's pseudo-terminal.
            s.Transport = trSerial;
            s.SerialPort = 0;
            qputenv("TOLVEX_COM1", rack->openPty().toLocal8Bit());
        } else {
            s.TcpPort = rack->listenTcp();
        }
        s.DevicePassword = QString::fromLatin1(password);
        base.writeConfig("Connect1", s);
        CreateForms();
    }
    void TearDown() override
    {
        DestroyForms();
        qunsetenv("TOLVEX_COM1");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    virtual void configure(RackSim&) {}

    TFrame2* frame() const { return Connects->ConnectionByIndex(1); }
    template <typename T>
    T* panel(const char* name) const
    {
        return Main->Rack1 ? Main->Rack1->findChild<T*>(name) : nullptr;
    }
    int commandsLike(const QByteArray& c) const { return int(rack->unit.commands().count(c)); }
    bool press(QToolButton* key, const QByteArray& expected)
    {
        const int before = commandsLike(expected);
        key->click();
        return waitFor([&] { return commandsLike(expected) > before; }, 4000);
    }

    TempBase base;
    std::unique_ptr<RackSim> rack;
};

TEST_F(RackPanelsTest, TvRackPanelsShowTheirLampsAndTheirPlotEntriesOpenNothing)
{
    start(rkTV);
    rack->unit.records.module(SimModule::Gry230).status = 0x05;
    rack->unit.records.module(SimModule::Gry230).menuItem = 16;
    rack->unit.records.module(SimModule::Gry250).status = 0x01;
    ASSERT_TRUE(waitFor(
        [&] { return panel<TGry230Panel>("Rack1_GRY230") && panel<TGry250Panel>("Rack1_GRY250"); },
        30000));
    auto* g230 = panel<TGry230Panel>("Rack1_GRY230");
    auto* g250 = panel<TGry250Panel>("Rack1_GRY250");
    EXPECT_EQ(g230->size(), QSize(600, 117));
    EXPECT_EQ(g250->size(), QSize(600, 116));
    // The TV rack's plot codes: family 2, GryA1 0, Gry230 1, Gry250 2.
    EXPECT_EQ(g230->PlotFamilyCode(), 2);
    EXPECT_EQ(g230->PlotInstrumentCode(), 1);
    EXPECT_EQ(g250->PlotFamilyCode(), 2);
    EXPECT_EQ(g250->PlotInstrumentCode(), 2);
    EXPECT_EQ(InstrumentName(g230->PlotFamilyCode(), g230->PlotInstrumentCode()), "Gry230");
    EXPECT_EQ(InstrumentName(g250->PlotFamilyCode(), g250->PlotInstrumentCode()), "Gry250");
    EXPECT_EQ(g230->y() + g230->height(), g250->y());
    EXPECT_TRUE(waitFor([&] { return commandsLike(bytes({0x1E, 0xFE})) >= 1; }, 5000));
    EXPECT_EQ(commandsLike(bytes({0x1D, 0xFE})), 1);
    EXPECT_EQ(commandsLike(bytes({0x1E, 0xFE})), 1);

    ASSERT_TRUE(waitFor([&] { return g230->Leds[0]->color() == QColor(255, 0, 0); }, 4000));
    EXPECT_EQ(g230->Leds[1]->color(), QColor(128, 0, 0));
    EXPECT_EQ(g230->Leds[2]->color(), QColor(0, 255, 0));
    EXPECT_EQ(g230->Leds[3]->color(), QColor(128, 128, 0));
    EXPECT_TRUE(waitFor([&] { return g250->Leds[0]->color() == QColor(0, 255, 0); }, 4000));
    EXPECT_EQ(g250->ModulationString2->text(), "- - -");
    EXPECT_NE(g250->ModulationString1->text(), "- - -");

    // Key 3 on "MODIFY PPM" enters its page on the module; the echo follows.
    ASSERT_TRUE(waitFor([&] { return g230->MenuString->text() == "   MODIFY PPM   "; }, 4000));
    ASSERT_TRUE(press(g230->SpeedButton3, bytes({0x1A, 0x01, 0xFE})));
    EXPECT_TRUE(
        waitFor([&] { return rack->unit.records.module(SimModule::Gry230).menuItem == 18; }));
    ASSERT_TRUE(waitFor([&] { return frame()->Gry230State.MenuIndex == 18; }));
    ASSERT_TRUE(press(g230->SpeedButton3, bytes({0x4C, 0x12, 0x30, 0x31, 0xFE})));
    EXPECT_TRUE(waitFor([&] { return g230->MenuString->text() == "   SAP  - ON    "; }, 4000));
    ASSERT_TRUE(press(g250->SpeedButton1, bytes({0x17, 0x01, 0xFE})));

    for (const char* name : {"BarGraph1", "Histogram1", "DatavsTime1"}) {
        QAction* a = g230->findChild<QAction*>(name);
        ASSERT_TRUE(a) << name;
        a->trigger();
    }
    pump(100);
    EXPECT_TRUE(g230->findChildren<TInstrumentChildWindow*>().isEmpty());
}

TEST_F(RackPanelsTest, APanelShowsTheSettingItsModulesSettingsPageGave)
{
    // The module has never echoed item 20: only its settings page tells.
    start(rkTV);
    rack->unit.records.module(SimModule::Gry230).settings[20] = 85;
    rack->unit.records.module(SimModule::Gry230).menuItem = 20;
    ASSERT_TRUE(waitFor([&] { return panel<TGry230Panel>("Rack1_GRY230"); }, 30000));
    auto* g230 = panel<TGry230Panel>("Rack1_GRY230");
    EXPECT_TRUE(waitFor([&] { return g230->MenuString->text() == " ST PEAK   85 %"; }, 4000))
        << g230->MenuString->text().toStdString();
    EXPECT_EQ(frame()->Gry230State.Settings[20], 85);
}

TEST_F(RackPanelsTest, AmRackPanelsStackAndOpenTheirAlarmWindow)
{
    start(rkAM);
    rack->unit.records.module(SimModule::Pelo1).led = 0x81;
    rack->unit.records.module(SimModule::Pelo1).samples[13] = 0x11;
    rack->unit.records.module(SimModule::Pelo2).samples[13] = 0xD3; // noise -45 dB
    ASSERT_TRUE(waitFor(
        [&] { return panel<TPelo1Panel>("Rack1_PELO1") && panel<TPelo2Panel>("Rack1_PELO2"); },
        30000));
    auto* p1 = panel<TPelo1Panel>("Rack1_PELO1");
    auto* p2 = panel<TPelo2Panel>("Rack1_PELO2");
    EXPECT_EQ(p1->size(), QSize(600, 118));
    EXPECT_EQ(p2->size(), QSize(600, 125));
    EXPECT_EQ(p1->y() + p1->height(), p2->y());
    // The open commands are on their way once the panels exist.
    EXPECT_TRUE(waitFor([&] { return commandsLike(bytes({0x1C, 0xFE})) >= 2; }, 5000));
    EXPECT_EQ(commandsLike(bytes({0x1C, 0xFE})), 2);
    ASSERT_TRUE(waitFor([&] { return p1->Leds[0]->color() == QColor(255, 0, 0); }, 4000));
    for (int i = 1; i < 7; ++i) {
        const QColor c = p1->Leds[std::size_t(i)]->color();
        EXPECT_LE(qMax(c.red(), c.green()), 128) << "LED" << i + 1 << " lit";
    }
    EXPECT_EQ(p1->Leds[7]->color(), QColor(255, 255, 0));
    EXPECT_EQ(p2->Leds.size(), 11u);
    EXPECT_EQ(p2->findChild<QMenu*>("BarGraph1")->actions().size(), 8);
    EXPECT_EQ(p2->findChild<QMenu*>("Histogram1")->actions().size(), 6);

    p2->findChild<QAction*>("Alarms1")->trigger();
    auto* alarms = p2->findChild<TDisplayAlarms*>("Rack1_PELO2_Alarms");
    ASSERT_TRUE(alarms);
    EXPECT_EQ(alarms->instrument(), 1);
    p2->findChild<QAction*>("BarGraph_7")->trigger();
    QPointer<TBarGraph> bar = p2->findChild<TBarGraph*>();
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->index(), 7);
    EXPECT_EQ(bar->family(), 3);
    // The noise of the Pelo2 itself (a signed whole dB), not the Pelo1's
    // word in the same place.
    ASSERT_TRUE(bar->series().Peak);
    EXPECT_TRUE(waitFor([&] { return *bar->series().Peak == -450; }, 4000)) << *bar->series().Peak;
    bar->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(bar.isNull());
    pump(300);
    p2->findChild<QAction*>("BarGraph_7")->trigger();
    bar = p2->findChild<TBarGraph*>();
    EXPECT_TRUE(bar); // a new window after the first closed
    pump(300);
    rack->dropLink();
    pump(1000);
}

// The Gry230's hold has no word on its settings page: nobody reported it, so
// its line shows no value; its key steps from the frame's copy (hold 1) and
// the module's echo then shows what the module took.
TEST_F(RackPanelsTest, AHoldTheSettingsPageCannotCarryIsBlankUntilItsKeyOrItsEcho)
{
    start(rkTV);
    SimModuleState& m = rack->unit.records.module(SimModule::Gry230);
    m.settings[27] = 6;
    m.menuItem = 27;
    ASSERT_TRUE(waitFor([&] { return panel<TGry230Panel>("Rack1_GRY230"); }, 30000));
    auto* g230 = panel<TGry230Panel>("Rack1_GRY230");
    ASSERT_TRUE(waitFor([&] { return g230->MenuString->text() == "   HOLD      SEC"; }, 4000))
        << g230->MenuString->text().toStdString();
    ASSERT_TRUE(waitFor([&] { return frame()->Gry230State.MenuIndex == 27; }));
    const TGry230State& s = frame()->Gry230State;
    EXPECT_FALSE(s.Echoed[27]);

    // Hold 2 (1.0 s) = "L", item 27, "02".
    ASSERT_TRUE(press(g230->SpeedButton3, bytes({0x4C, 0x1B, 0x30, 0x32, 0xFE})));
    EXPECT_EQ(g230->MenuString->text(), "   HOLD  1.0 SEC");
    EXPECT_TRUE(waitFor([&] { return m.settings[27] == 2; }));
    ASSERT_TRUE(waitFor([&] { return s.Echoed[27]; }, 8000));
    EXPECT_EQ(s.HoldTime, 2);
    EXPECT_FALSE(s.HoldExternal);
    EXPECT_EQ(g230->MenuString->text(), "   HOLD  1.0 SEC");

    // The hold changed at the module's own keys: its echo tells the panel.
    SimApplySetting(SimModule::Gry230, m, 27, 7);
    EXPECT_TRUE(waitFor([&] { return g230->MenuString->text() == "   HOLD  3.5 SEC"; }, 4000))
        << g230->MenuString->text().toStdString();
    ASSERT_TRUE(press(g230->SpeedButton3, bytes({0x4C, 0x1B, 0x30, 0x38, 0xFE})));
    EXPECT_EQ(g230->MenuString->text(), "   HOLD  4.0 SEC");
}

TEST_F(RackPanelsTest, APelo2FrequencyIsKnownAndChangedFromAFreshConnection)
{
    start(rkAM);
    SimModuleState& m = rack->unit.records.module(SimModule::Pelo2);
    m.settings[49] = 1995;
    m.settings[50] = 0;      // direct
    m.settingsBits |= 0x40;  // increment 5/10 kHz
    m.menuItem = 49;
    ASSERT_TRUE(waitFor([&] { return panel<TPelo2Panel>("Rack1_PELO2"); }, 30000));
    auto* p2 = panel<TPelo2Panel>("Rack1_PELO2");
    ASSERT_TRUE(waitFor([&] { return p2->MenuString->text() == "FREQ   1995 KHZ"; }, 8000))
        << p2->MenuString->text().toStdString();
    ASSERT_TRUE(waitFor([&] { return frame()->Pelo2State.MenuIndex == 49; }));
    const TPelo2State& s = frame()->Pelo2State;
    EXPECT_FALSE(s.Echoed[49]);

    // Above 1989 kHz key 3 steps by 5 and rounds: 2000 = 0x07D0.
    ASSERT_TRUE(press(p2->SpeedButton3, bytes({'P', 49, '0', '7', 'D', '0', 0xFE})));
    EXPECT_TRUE(waitFor([&] { return m.settings[49] == 2000; }));
    ASSERT_TRUE(waitFor([&] { return s.Echoed[49]; }, 8000));
    EXPECT_EQ(s.Settings[49], 2000);
    EXPECT_TRUE(waitFor([&] { return p2->MenuString->text() == "FREQ   2000 KHZ"; }, 4000))
        << p2->MenuString->text().toStdString();

    // At 2000 kHz key 4 steps by 10: 1990 = 0x07C6.
    ASSERT_TRUE(press(p2->SpeedButton4, bytes({'P', 49, '0', '7', 'C', '6', 0xFE})));
    EXPECT_TRUE(waitFor([&] { return m.settings[49] == 1990; }));
    EXPECT_TRUE(waitFor([&] { return s.LastValue == 1990 && s.Settings[49] == 1990; }, 8000));
    EXPECT_TRUE(waitFor([&] { return p2->MenuString->text() == "FREQ   1990 KHZ"; }, 4000));

    // The frequency mode came from the page as well.
    EXPECT_EQ(s.Settings[50], 0);
    EXPECT_FALSE(s.Unreported[50]);
}

TEST_F(RackPanelsTest, BothAmPanelsShowTheirOwnModulesValues)
{
    start(rkAM);
    rack->unit.records.module(SimModule::Pelo1).samples[4] = 40; // negative modulation
    rack->unit.records.module(SimModule::Pelo2).samples[4] = 90;
    rack->unit.records.module(SimModule::Pelo1).menuItem = 1;
    rack->unit.records.module(SimModule::Pelo1).samples[8] = 77; // carrier level
    rack->unit.records.module(SimModule::Pelo2).samples[8] = 55;
    ASSERT_TRUE(waitFor(
        [&] { return panel<TPelo1Panel>("Rack1_PELO1") && panel<TPelo2Panel>("Rack1_PELO2"); },
        30000));
    auto* p1 = panel<TPelo1Panel>("Rack1_PELO1");
    auto* p2 = panel<TPelo2Panel>("Rack1_PELO2");
    ASSERT_TRUE(waitFor([&] { return p1->ModulationString->text() == " 40"; }, 4000));
    ASSERT_TRUE(waitFor([&] { return p2->ModulationString->text() == " 90"; }, 4000));
    ASSERT_TRUE(waitFor([&] { return p1->MenuString->text() == "CAR LEVEL  77 % "; }, 4000))
        << p1->MenuString->text().toStdString();
    // However the records of the two fall into batches, neither shows the
    // other's values.
    for (int i = 0; i < 20; ++i) {
        pump(50);
        EXPECT_EQ(p1->ModulationString->text(), " 40");
        EXPECT_EQ(p2->ModulationString->text(), " 90");
        EXPECT_EQ(p1->MenuString->text(), "CAR LEVEL  77 % ");
    }
}

TEST_F(RackPanelsTest, AmRackKeysReachTheModulesOverASerialLine)
{
    start(rkAM, "QUMOR7", true);
    rack->unit.records.module(SimModule::Pelo1).menuItem = 14;
    ASSERT_TRUE(waitFor([&] { return panel<TPelo1Panel>("Rack1_PELO1") != nullptr; }, 30000));
    auto* p1 = panel<TPelo1Panel>("Rack1_PELO1");
    ASSERT_TRUE(waitFor([&] { return p1->MenuString->text() == "  CAR SETTINGS  "; }, 8000));
    ASSERT_TRUE(waitFor([&] { return frame()->Pelo1State.MenuIndex == 14; }));
    ASSERT_TRUE(press(p1->SpeedButton3, bytes({0x19, 0x03, 0xFE})));
    EXPECT_TRUE(
        waitFor([&] { return rack->unit.records.module(SimModule::Pelo1).menuItem == 31; }));
    EXPECT_TRUE(waitFor([&] { return p1->MenuString->text() == "MOD MODE - FIXED"; }, 8000));
}

class Jov4PanelTest : public RackPanelsTest
{
protected:
    void configure(RackSim& r) override
    {
        r.unit.records.jov4.value = 232;
        r.unit.records.jov4.model = QByteArray("JOV-4") + char(0);
        r.unit.records.jov4.presets[3] = QByteArray("WABC\x01 NEWS  ", 12);
        r.unit.records.jov4.presets[4] = QByteArray("R&B 101 && X", 12);
    }
};

TEST_F(Jov4PanelTest, KeypadSendsPresetsAndFrequenciesAndTheBarShowsTheLevel)
{
    start(rkFM);
    ASSERT_TRUE(waitFor([&] { return panel<TJov4Panel>("Rack1_JOV4") != nullptr; }, 30000));
    auto* j = panel<TJov4Panel>("Rack1_JOV4");
    EXPECT_EQ(j->size(), QSize(600, 107));
    EXPECT_EQ(j->y(), 0);
    EXPECT_TRUE(j->isEnabled());
    ASSERT_TRUE(waitFor([&] { return j->Bars[8]->color() == QColor(255, 0, 0); }, 4000));
    EXPECT_EQ(j->Bars[9]->color(), QColor(128, 0, 0));
    EXPECT_TRUE(waitFor(
        [&] { return j->findChild<QAction*>("Preset31")->text().startsWith("WABC  NEWS"); }, 8000));
    EXPECT_TRUE(j->findChild<QAction*>("preset91"));
    // A name with "&" shows as the module sent it, and is set only once.
    QAction* r4 = j->findChild<QAction*>("Preset41");
    ASSERT_TRUE(r4);
    ASSERT_TRUE(waitFor([&] { return r4->text() == "R&&B 101 &&&& X"; }, 8000))
        << r4->text().toStdString();
    EXPECT_EQ(r4->iconText(), "R&B 101 && X");
    int changes = 0;
    QObject counting;
    QObject::connect(r4, &QAction::changed, &counting, [&] { ++changes; });
    const int records = rack->unit.blocksSent();
    ASSERT_TRUE(waitFor([&] { return rack->unit.blocksSent() > records + 10; }, 15000));
    EXPECT_EQ(changes, 0);

    ASSERT_TRUE(press(j->DigitKeys[5], bytes({0x43, 0x35, 0xFE})));
    j->SpeedButton11->click();
    EXPECT_EQ(j->MenuString->text(), "Enter Freq");
    for (int d : {9, 8, 1})
        j->DigitKeys[std::size_t(d)]->click();
    EXPECT_EQ(j->MenuString->text(), "D   98.1     ");
    ASSERT_TRUE(press(j->DigitKeys[5], bytes({0x44, 0x30, 0x39, 0x38, 0x31, 0x35, 0xFE})));
    EXPECT_EQ(commandsLike(bytes({0x43, 0x35, 0xFE})), 1);
}

// The simulated tuner follows the keypad as the module does: its display
// shows the recalled preset's frequency, then the entered one; a frequency
// outside the band leaves it where it was.
TEST_F(Jov4PanelTest, TheTunerShowsWhatTheKeypadTunes)
{
    start(rkFM);
    ASSERT_TRUE(waitFor([&] { return panel<TJov4Panel>("Rack1_JOV4") != nullptr; }, 30000));
    auto* j = panel<TJov4Panel>("Rack1_JOV4");
    ASSERT_TRUE(waitFor([&] { return j->isEnabled(); }, 4000));
    ASSERT_TRUE(press(j->DigitKeys[5], bytes({0x43, 0x35, 0xFE})));
    EXPECT_TRUE(waitFor([&] { return j->MenuString->text() == "FM 101.50MHZ"; }, 30000))
        << j->MenuString->text().toStdString();
    const int level = rack->unit.records.jov4.value;
    struct Entry
    {
        std::vector<int> keys;
        QByteArray sent;
        const char* shown;
    };
    const Entry entries[] = {
        {{9, 8, 1, 5}, "09815", "FM  98.15MHZ"},
        {{1, 7, 9, 0}, "10790", "FM 107.90MHZ"},
        {{8, 7, 0, 0}, "08700", "FM 107.90MHZ"}, // below the band
    };
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.shown);
        j->SpeedButton11->click();
        for (std::size_t k = 0; k + 1 < e.keys.size(); ++k)
            j->DigitKeys[std::size_t(e.keys[k])]->click();
        ASSERT_TRUE(press(j->DigitKeys[std::size_t(e.keys.back())], "D" + e.sent + "\xFE"));
        EXPECT_EQ(rack->unit.records.jov4.display, e.shown);
        EXPECT_TRUE(waitFor([&] { return j->MenuString->text() == e.shown; }, 30000))
            << j->MenuString->text().toStdString();
    }
    EXPECT_NE(rack->unit.records.jov4.value, level) << "another station, another level";
}

TEST_F(Jov4PanelTest, AnObserverGetsADisabledPanel)
{
    start(rkFM, "OBSERV");
    ASSERT_TRUE(waitFor([&] { return panel<TJov4Panel>("Rack1_JOV4") != nullptr; }, 30000));
    auto* j = panel<TJov4Panel>("Rack1_JOV4");
    ASSERT_TRUE(waitFor([&] { return !j->isEnabled(); }, 4000));
    j->DigitKeys[5]->click();
    pump(200);
    EXPECT_EQ(commandsLike(bytes({0x43, 0x35, 0xFE})), 0);
}

} // namespace
