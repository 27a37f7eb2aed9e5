#include "widgets/Lamp.h"
#include "widgets/ReadoutLabel.h"
#include "link/Frame2.h"
#include "protocol/tavr1/Tavr1Commands.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_Panel.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The panel in a stand-in rack, on a frame that is not connected: the test
// writes the decoded values into the frame as the decoder would.
class Tavr1PanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame.Tavr1LocalConfig[2] = 1001;
        frame.Tavr1LocalConfig[4] = 1;
        rack.resize(600, 255);
        makePanel();
    }

    void makePanel()
    {
        delete panel.data();
        panel = new TTavr1Panel(&rack, &rack, "Rack1_TAVR1", &frame, 0);
        rack.show();
    }

    void refresh()
    {
        PostMessage(QPointer<QObject>(panel.data()), UM_TAVR1_REFRESH);
        QCoreApplication::sendPostedEvents();
    }
    void refreshTuning()
    {
        frame.PageRefresh.raise(prTuning);
        refresh();
    }

    QString text(const char* name) const
    {
        auto* l = panel->findChild<QLabel*>(name);
        EXPECT_NE(l, nullptr) << name;
        return l ? l->text() : QString();
    }
    Lamp* shape(const char* name) const
    {
        auto* s = panel->findChild<Lamp*>(name);
        EXPECT_NE(s, nullptr) << name;
        return s;
    }
    int width(const char* name) const { return shape(name)->width(); }

    // The line the poll tick would send now; empties the slot.
    QByteArray takeLine() { return TakeTavr1CommandLine(frame, frame); }

    TFrame2 frame{"Connect1"};
    QWidget rack;
    QPointer<TTavr1Panel> panel;
};

} // namespace

TEST_F(Tavr1PanelTest, ANewPanelShowsTheStartTuningAndItsDesignedSize)
{
    EXPECT_EQ(panel->objectName(), "Rack1_TAVR1");
    EXPECT_EQ(panel->size(), QSize(600, 255));
    EXPECT_EQ(text("FreqLabel"), "100.1");
    EXPECT_EQ(panel->Tuning_TB->value(), 128);
    EXPECT_EQ(panel->Tuning_TB->maximum(), 208);
    EXPECT_EQ(panel->Atten_TB->maximum(), 63);
    EXPECT_FALSE(frame.Tavr1Command.Pending) << "building the panel sends nothing";
    EXPECT_TRUE(panel->Tuning_TB->isEnabled());
    EXPECT_TRUE(panel->LD_RDS_Ph->isHidden());
}

TEST_F(Tavr1PanelTest, ReadoutsInTheirFieldsWithTheUnitText)
{
    Tavr1MeasurementBlock& m = frame.Tavr1Measurements;
    m[tcTotal][tsPeak] = 1001;
    m[tcLeft][tsPeak] = 5;
    m[tcRight][tsPeak] = -13;
    m[tcLPlusR][tsPeak] = 998;
    m[tcLMinusR][tsPeak] = 0;
    m[tcPilot][tsInjection] = 91;
    m[tcPilot][tsPeak] = 1002;
    m[tcRds][tsInjection] = 35;
    m[tcSca1][tsInjection] = 100;
    m[tcSca1][tsPeak] = 120;
    m[tcSca2][tsInjection] = 99;
    m[tcSca2][tsPeak] = 10000; // 1000.0: too wide for five characters
    m[tcRfLevel][tsPeak] = 455;
    m[tcRfLevel][tsRmsDb] = -352;

    struct Case
    {
        int units;
        const char* u;
    };
    for (const Case c : {Case{0, "%"}, Case{1, "khz"}}) {
        frame.Tavr1LocalConfig[93] = c.units;
        frame.Tavr1LocalConfig[4] = 1; // High Level input
        refresh();
        const QString u = c.u;
        EXPECT_EQ(text("LD_Total_Peak"), "100.1" + u);
        EXPECT_EQ(text("LD_Left_Peak"), "  0.5" + u);
        EXPECT_EQ(text("LD_Right_Peak"), " -1.3" + u);
        EXPECT_EQ(text("LD_LPR_Peak"), " 99.8" + u);
        EXPECT_EQ(text("LD_LMR_Peak"), "  0.0" + u);
        EXPECT_EQ(text("LD_Pilot_Inj"), " 9.1" + u);
        EXPECT_EQ(text("LD_Pilot_Mod"), "100.2%") << "pilot modulation is always in percent";
        EXPECT_EQ(text("LD_RDS_Inj"), " 3.5" + u);
        EXPECT_EQ(text("LD_SCA1_Inj"), "10.0" + u);
        EXPECT_EQ(text("LD_SCA1_Peak"), " 12.0" + u);
        EXPECT_EQ(text("LD_SCA2_Inj"), " 9.9" + u);
        EXPECT_EQ(text("LD_SCA2_Peak"), "*****" + u);
        EXPECT_EQ(text("LD_RF_Lev"), "  45.5%") << "the RF level follows the input, not the units";
        EXPECT_EQ(text("LD_RDS_Ph"), "");

        frame.Tavr1LocalConfig[4] = 0; // Antenna input
        refresh();
        EXPECT_EQ(text("LD_RF_Lev"), " -35.2dB");
    }
}

TEST_F(Tavr1PanelTest, AttenuatorTextBarAndTrackBar)
{
    struct Case
    {
        int a;
        const char* text;
        int bar1;
    };
    // Halves go to the even neighbour: 112.5 gives 112 and 22.5 gives 22.
    const Case cases[] = {
        {0, "   0.0dB", 120},
        {63, " -31.5dB", 2},
        {52, " -26.0dB", 22},
        {4, "  -2.0dB", 112},
        {10, "  -5.0dB", 101},
        // Outside the unit's range the text tells the word as it is; the bar
        // and the track bar stay inside theirs.
        {70, " -35.0dB", 2},
        {-5, "   2.5dB", 120},
    };
    for (const int input : {1, 0}) {
        frame.Tavr1LocalConfig[4] = input;
        const int item = input ? 5 : 6;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "input " << input << " a " << c.a);
            frame.Tavr1LocalConfig[5] = input ? c.a : 33;
            frame.Tavr1LocalConfig[6] = input ? 33 : c.a;
            refreshTuning();
            EXPECT_EQ(text("LD_RF_Atten"), c.text);
            EXPECT_EQ(width("Atten_Bar1"), c.bar1);
            EXPECT_EQ(shape("Atten_Bar2")->x(), c.bar1 + 4);
            EXPECT_EQ(width("Atten_Bar2"), 120 - c.bar1);
            EXPECT_EQ(panel->Atten_TB->value(), 63 - qBound(0, c.a, 63));
            EXPECT_EQ(frame.Tavr1LocalConfig[item], c.a) << "the word is never changed";
            EXPECT_FALSE(frame.Tavr1Command.Pending);
        }
    }
}

TEST_F(Tavr1PanelTest, RfLevelBarSegmentsAndColours)
{
    struct Case
    {
        int input;
        int value; // slot 0 (High Level, tenths of %) or slot 4 (Antenna, tenths of dB)
        std::array<int, 7> widths;
    };
    const Case cases[] = {
        {0, -1000, {0, 0, 0, 0, 0, 0, 0}},        // -100 dB: empty
        {0, -1200, {0, 0, 0, 0, 0, 0, 0}},        // below -100 dB: still empty
        {0, 100, {110, 90, 70, 50, 30, 10, 0}},   // 10 dB: segment 7 just empty
        {0, 280, {128, 108, 88, 68, 48, 28, 18}}, // 28 dB: segment 7 is 18 wide
        {0, -995, {0, 0, 0, 0, 0, 0, 0}},         // 0.5 dB above: b = 0 (truncated)
        {1, 505, {50, 30, 10, 0, 0, 0, 0}},       // 50.5 %
        {1, -30, {0, 0, 0, 0, 0, 0, 0}},          // b = -3
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "input " << c.input << " value " << c.value);
        frame.Tavr1LocalConfig[4] = c.input;
        frame.Tavr1Measurements[tcRfLevel][c.input ? tsPeak : tsRmsDb] = c.value;
        refreshTuning();
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(panel->RF_Lev_Bar[i]->width(), c.widths[i]) << "segment " << i + 1;
    }
    // Segment 7 starts at 114 in a 128-wide strip: the strip cuts it.
    EXPECT_EQ(panel->RF_Lev_Bar[6]->x(), 114);
    EXPECT_EQ(panel->RF_Lev_Strip->size(), QSize(128, 20));

    const QColor yellow(0xFFFF00), lime(0x00FF00), red(0xFF0000);
    const std::array<QColor, 7> highLevel = {yellow, yellow, yellow, yellow, lime, lime, red};
    const std::array<QColor, 7> antenna = {yellow, yellow, lime, lime, lime, red, red};
    for (const int input : {1, 0}) {
        frame.Tavr1LocalConfig[4] = input;
        refreshTuning();
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(panel->RF_Lev_Bar[i]->color(), (input ? highLevel : antenna)[i]) << i;
    }
}

TEST_F(Tavr1PanelTest, EachLampBitLightsItsOwnLamp)
{
    const QColor red(0xFF0000), maroon(0x800000), lime(0x00FF00), green(0x008000), yellow(0xFFFF00),
        olive(0x808000);
    struct Row
    {
        const char* lamp;
        quint8 bit;
        QColor on, off;
    };
    const Row rows[] = {
        {"LED_Total_Peak", 0x80, red, maroon}, {"LED_Pilot", 0x40, lime, green},
        {"LED_RDS", 0x20, lime, green},        {"LED_RDS_SYNC", 0x10, yellow, olive},
        {"LED_SCA1_Inj", 0x08, lime, green},   {"LED_SCA1_Peak", 0x04, red, maroon},
        {"LED_SCA2_INJ", 0x02, lime, green},   {"LED_SCA2_Peak", 0x01, red, maroon},
    };
    EXPECT_EQ(shape("LED_Total_Peak")->size(), QSize(20, 20));
    EXPECT_EQ(shape("LED_Pilot")->size(), QSize(25, 15));
    for (const Row& lit : rows) {
        frame.Tavr1Leds = lit.bit;
        refresh();
        for (const Row& r : rows)
            EXPECT_EQ(shape(r.lamp)->color(), r.bit == lit.bit ? r.on : r.off)
                << r.lamp << " with bit " << int(lit.bit);
    }
}

TEST_F(Tavr1PanelTest, TrackBarsAreRefilledOnlyWhenTheirFlagIsRaised)
{
    frame.Tavr1LocalConfig[2] = 1050;
    refresh();
    EXPECT_EQ(text("FreqLabel"), "100.1") << "without the flag the user's position stays";
    EXPECT_EQ(panel->Tuning_TB->value(), 128);

    refreshTuning();
    EXPECT_EQ(text("FreqLabel"), "105.0");
    EXPECT_EQ(panel->Tuning_TB->value(), 177);
    EXPECT_FALSE(frame.PageRefresh.isRaised(prTuning)) << "the panel takes its flag";
    EXPECT_FALSE(frame.Tavr1Command.Pending) << "a refill sends nothing";
    EXPECT_FALSE(frame.PageRefresh.isRaised(prSettings));
}

TEST_F(Tavr1PanelTest, TuningSendsEveryPositionAndTellsTheSettingsWindow)
{
    QTest::keyClick(panel->Tuning_TB, Qt::Key_Right);
    EXPECT_EQ(frame.Tavr1LocalConfig[2], 1002);
    EXPECT_EQ(text("FreqLabel"), "100.2");
    EXPECT_TRUE(frame.PageRefresh.isRaised(prSettings));
    EXPECT_TRUE(frame.Tavr1Command.Pending);
    EXPECT_EQ(frame.Tavr1Command.Code, 15);

    // Two more steps before the tick: the slot is busy, the requests are
    // dropped, and the line takes the last position when it leaves.
    QTest::keyClick(panel->Tuning_TB, Qt::Key_Right);
    QTest::keyClick(panel->Tuning_TB, Qt::Key_Right);
    EXPECT_EQ(takeLine(), "CC0F03ECE7\r");
    EXPECT_EQ(takeLine(), "") << "the dropped requests left nothing behind";

    // The full range: 87.3 MHz at position 0, 108.1 MHz at 208.
    panel->Tuning_TB->setValue(0);
    EXPECT_EQ(text("FreqLabel"), " 87.3");
    EXPECT_EQ(takeLine(), "CC0F0369CE\r");
    panel->Tuning_TB->setValue(208);
    EXPECT_EQ(text("FreqLabel"), "108.1");
    EXPECT_EQ(frame.Tavr1LocalConfig[2], 1081);
}

TEST_F(Tavr1PanelTest, TheAttenuatorSendsOnlyWhenLetGo)
{
    frame.Tavr1LocalConfig[4] = 1;
    frame.Tavr1LocalConfig[5] = 10;
    refreshTuning();
    ASSERT_EQ(panel->Atten_TB->value(), 53);

    QTest::keyPress(panel->Atten_TB, Qt::Key_Left);
    EXPECT_EQ(frame.Tavr1LocalConfig[5], 11);
    EXPECT_EQ(text("LD_RF_Atten"), "  -5.5dB");
    EXPECT_EQ(width("Atten_Bar1"), 99); // (52 + 1) / 64 * 120 = 99.4
    EXPECT_FALSE(frame.Tavr1Command.Pending) << "moving it sends nothing";
    EXPECT_FALSE(frame.PageRefresh.isRaised(prSettings));

    QTest::keyRelease(panel->Atten_TB, Qt::Key_Left);
    EXPECT_TRUE(frame.PageRefresh.isRaised(prSettings));
    EXPECT_EQ(takeLine(), "CC100B59\r");

    // A drag ends with the mouse let go; the Antenna input has its own word.
    frame.Tavr1LocalConfig[4] = 0;
    frame.Tavr1LocalConfig[6] = 0;
    refreshTuning();
    panel->Atten_TB->setValue(0);
    EXPECT_EQ(frame.Tavr1LocalConfig[6], 63);
    EXPECT_EQ(frame.Tavr1LocalConfig[5], 11);
    EXPECT_FALSE(frame.Tavr1Command.Pending);
    QTest::mouseRelease(panel->Atten_TB, Qt::LeftButton);
    EXPECT_EQ(takeLine(), "CC103F60\r");
}

TEST_F(Tavr1PanelTest, AnObserverMayMoveTheAttenuatorButNotTheTuning)
{
    frame.ReadOnlyAccess = true;
    makePanel();
    EXPECT_FALSE(panel->Tuning_TB->isEnabled());
    EXPECT_TRUE(panel->Atten_TB->isEnabled());
    QTest::keyClick(panel->Tuning_TB, Qt::Key_Right);
    EXPECT_FALSE(frame.Tavr1Command.Pending);
    QTest::keyClick(panel->Atten_TB, Qt::Key_Left);
    EXPECT_TRUE(frame.Tavr1Command.Pending);
    EXPECT_EQ(frame.Tavr1Command.Code, 16);
}

TEST_F(Tavr1PanelTest, TheMenuHoldsEveryEntryAndEnablesOnlyWindowsThisBuildHas)
{
    QMenu* menu = panel->PopupMenu1;
    QStringList top;
    for (QAction* a : menu->actions())
        top << a->text();
    EXPECT_EQ(
        top, (QStringList{"BarGraph", "Histogram", "Data vs. Time", "dB Readings", "Spectrums",
                          "RDS Basic Data", "Alarm/Relay", "Settings", "Unit Config", "Raw Data"}));
    auto subTexts = [&](int i) {
        QStringList l;
        for (QAction* a : menu->actions()[i]->menu()->actions())
            l << a->text();
        return l;
    };
    EXPECT_EQ(subTexts(0),
              (QStringList{"Stereo", "RDS/SCA", "Total dB", "Separation", "Crosstalk"}));
    EXPECT_EQ(subTexts(1),
              (QStringList{"Total", "Left", "Right", "L + R", "L - R", "Pilot Inj", "Pilot Mod",
                           "RDS Inj", "SCA#1 Inj", "SCA#1 MOD", "SCA#2 Inj", "SCA#2MOD"}));
    EXPECT_EQ(subTexts(2), (QStringList{"Total", "Left", "Right", "L + R", "L - R", "Pilot Inj",
                                        "Pilot Mod", "RDS Inj", "SCA#1 Inj", "SCA#1 Mod",
                                        "SCA#2 Inj", "SCA#2 Mod", "AM Noise", "Sync AM Noise"}));
    EXPECT_FALSE(panel->menuEntry(t1kRawData, 0)->isVisible());

    // Both halves of the panel carry the menu.
    for (QWidget* half : {panel->Panel1, panel->Panel2}) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                half->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(half, &click);
        EXPECT_TRUE(menu->isVisible()) << half->objectName().toStdString();
        menu->hide();
    }
    EXPECT_TRUE(panel->menuEntry(t1kSpectrum, 0)->isVisible());

    // An entry is enabled exactly when this build has its window.
    const TTavr1WindowClasses built = Tavr1WindowClasses();
    const std::pair<int, const TChildFactory*> entries[] = {
        {t1kDbReadings, &built.dbReadings}, {t1kSpectrum, &built.spectrum},
        {t1kRdsBasic, &built.rdsBasic},     {t1kAlarmRelay, &built.alarmRelay},
        {t1kSettings, &built.settings},     {t1kUnitConfig, &built.unitConfig},
    };
    // "Raw Data" is hidden, and Qt reports a hidden action as disabled.
    for (const auto& [kind, factory] : entries)
        EXPECT_EQ(panel->menuEntry(kind, 0)->isEnabled(), bool(*factory)) << kind;
    for (int i = 0; i < Tavr1HistogramCount; ++i)
        EXPECT_EQ(panel->menuEntry(t1kHistogram, i)->isEnabled(), bool(built.histogram));
    for (int i = 0; i < Tavr1DataTimePlotCount; ++i)
        EXPECT_EQ(panel->menuEntry(t1kDataTimePlot, i)->isEnabled(), bool(built.dataTimePlot));
    EXPECT_EQ(panel->menuEntry(t1kBarGraph, 0)->isEnabled(), bool(built.stereoBarGraph));
    EXPECT_EQ(panel->menuEntry(t1kBarGraph, 4)->isEnabled(), bool(built.crosstalkBarGraph));

    // A disabled entry opens nothing, even when triggered.
    TTavr1WindowClasses none;
    panel->setWindowClasses(none);
    for (QAction* a : panel->findChildren<QAction*>()) {
        if (a->menu())
            continue;
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
        a->trigger();
    }
    EXPECT_EQ(panel->children().count(), 0);
}

TEST_F(Tavr1PanelTest, ABasicUnitHasNoSpectrumEntry)
{
    TTavr1WindowClasses classes;
    classes.spectrum = [](const TChildWindowArgs&) -> QWidget* { return new QWidget; };
    for (const char* options : {"Basic", "Complete"}) {
        frame.Tavr1Options = options;
        makePanel();
        panel->setWindowClasses(classes);
        QAction* spectrums = panel->menuEntry(t1kSpectrum, 0);
        const bool basic = QString(options) == "Basic";
        EXPECT_EQ(spectrums->isVisible(), !basic) << options;
        EXPECT_EQ(spectrums->isEnabled(), !basic) << options;
    }
}
