// The Kelb1 panel in the whole program against the simulated FM rack: the
// rack window makes it, it shows what the module reports, its keys reach the
// module and its menu opens the plot and alarm windows.
#include "modules/Kelb1_Panel.h"

#include "TestSupport.h"
#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "link/Frame2.h"
#include "modules/DisplayAlarms.h"
#include "plots/Histogram.h"
#include "shell/Rack.h"
#include "sim/rack/RackSim.h"
#include "widgets/Lamp.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<int> b)
{
    QByteArray a;
    for (int x : b)
        a.append(char(x));
    return a;
}

class Kelb1PanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SimModuleState& k = rack.unit.records.module(SimModule::Kelb1);
        k.samples[0] = 0xE8; // total modulation 1000 tenths
        k.samples[1] = 0x03;
        k.status = 0xA0; // LEDs 1 and 3
        k.menuItem = 23;
        TConnectionSettings s = DefaultSettings("Connect1", base.path());
        s.HardwareType = htRackSystem;
        s.Transport = trNetwork;
        s.ConnectOnStartup = true;
        s.IpAddress = "127.0.0.1";
        s.TcpPort = rack.listenTcp();
        s.DevicePassword = "QUMOR7";
        base.writeConfig("Connect1", s);
        CreateForms();
    }
    void TearDown() override
    {
        DestroyForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TFrame2* frame() const { return Connects->ConnectionByIndex(1); }
    TKelb1Panel* panel() const
    {
        return Main->Rack1 ? Main->Rack1->findChild<TKelb1Panel*>("Rack1_KELB1") : nullptr;
    }
    QString menuLine() const { return panel()->MenuString->text(); }
    int commandsLike(const QByteArray& c) const { return int(rack.unit.commands().count(c)); }
    // The commands that are polls (a lone FF each).
    int polls() const { return int(rack.unit.commands().count(QByteArray(1, char(0xFF)))); }
    // Clicks the key and waits until the module has the command.
    bool press(QToolButton* key, const QByteArray& expected)
    {
        const int before = commandsLike(expected);
        key->click();
        return waitFor([&] { return commandsLike(expected) > before; }, 4000);
    }

    TempBase base;
    RackSim rack{rkFM};
};

TEST_F(Kelb1PanelTest, TheRackShowsThePanelAndItsKeysDriveTheModule)
{
    ASSERT_TRUE(waitFor([&] { return frame()->Status == stActive; }, 20000));
    ASSERT_TRUE(waitFor([&] { return frame()->UnitPresence[upKelb1]; }, 20000));
    ASSERT_TRUE(waitFor([&] { return panel() != nullptr; }, 2200));
    TKelb1Panel* p = panel();
    EXPECT_EQ(p->pos().y(), 0);
    EXPECT_EQ(p->size(), QSize(600, 117));
    ASSERT_TRUE(waitFor([&] { return p->ModulationString->text() == "100.0"; }, 4000));
    EXPECT_TRUE(waitFor([&] { return menuLine() == " MODIFY SETTINGS"; }, 4000));
    EXPECT_EQ(p->LED1->color(), QColor(255, 0, 0));
    EXPECT_EQ(p->LED2->color(), QColor(128, 0, 0));
    EXPECT_EQ(p->LED3->color(), QColor(255, 0, 0));
    EXPECT_EQ(commandsLike(bytes({0x1C, 0xFE})), 1);
    ASSERT_EQ(frame()->AccessLevel, 3);

    // Key 1 from " MODIFY SETTINGS" shows item 0, at once and on the module.
    ASSERT_TRUE(press(p->SpeedButton1, bytes({0x18, 0x00, 0xFE})));
    EXPECT_EQ(menuLine().left(7), "   DEV ");
    EXPECT_TRUE(waitFor([&] { return rack.unit.records.module(SimModule::Kelb1).menuItem == 0; }));
    ASSERT_TRUE(press(p->SpeedButton2, bytes({0x18, 0x07, 0xFE})));
    // Key 3 enters the settings page and changes nothing.
    const int before = rack.unit.commands().size() - polls();
    ASSERT_TRUE(press(p->SpeedButton3, bytes({0x19, 0x01, 0xFE})));
    pump(300);
    EXPECT_EQ(rack.unit.commands().size() - polls(), before + 1);
    EXPECT_TRUE(waitFor([&] { return frame()->Kelb1State.MenuIndex == 1; }));
    // A value: the module stores it and echoes it once.
    frame()->Kelb1State.Settings[1] = 20;
    ASSERT_TRUE(press(p->SpeedButton3, bytes({0x50, 0x01, '0', '0', '1', '4', 0xFE})));
    EXPECT_TRUE(
        waitFor([&] { return rack.unit.records.module(SimModule::Kelb1).settings[1] == 20; }));

    // The module's own keys move its menu: the next key starts from there.
    rack.unit.records.module(SimModule::Kelb1).menuItem = 9;
    ASSERT_TRUE(waitFor([&] { return frame()->Kelb1State.MenuIndex == 9; }, 4000));
    ASSERT_TRUE(press(p->SpeedButton1, bytes({0x18, 30, 0xFE})));
    EXPECT_TRUE(waitFor([&] { return rack.unit.records.module(SimModule::Kelb1).menuItem == 8; }));
}

// What a person sees of a station on air: each reading of the menu inside
// the range the module shows, peak above average above minimum, and the
// total modulation moving from record to record.
TEST_F(Kelb1PanelTest, AStationOnAirReadsWithinEveryRange)
{
    rack.unit.records.lookLikeAStation(true);
    ASSERT_TRUE(waitFor([&] { return frame()->Status == stActive; }, 20000));
    ASSERT_TRUE(waitFor([&] { return panel() != nullptr; }, 20000));
    TKelb1Panel* p = panel();
    QSet<QString> totals;
    ASSERT_TRUE(waitFor(
        [&] {
            totals << p->ModulationString->text();
            return totals.size() >= 4;
        },
        10000));
    for (const QString& t : std::as_const(totals)) {
        bool ok = false;
        const double v = t.toDouble(&ok);
        EXPECT_TRUE(ok && v >= 85 && v <= 110) << t.toStdString();
    }
    const struct
    {
        int item;
        const char* label;
        double low, high;
    } lines[] = {
        {20, "PEAK AVE ", 55, 90},  {22, "PEAK MIN ", 25, 55},  {21, "AVE/PEAK ", 0.6, 0.9},
        {6, "PPM COUNT ", 0, 10},   {45, "AM NOISE-", 50, 70},  {46, "SYNC AM -", 45, 65},
        {47, "RF LEVEL ", 70, 100}, {50, "PILOT MOD ", 7, 11}, {51, "PILOT INJ ", 8, 10},
        {55, " SCA INJ ", 8, 12},   {17, "  LOOP#1  ", 90, 110},
    };
    const QRegularExpression number("[0-9]+(\\.[0-9]+)?");
    for (const auto& l : lines) {
        SCOPED_TRACE(l.label);
        rack.unit.records.module(SimModule::Kelb1).menuItem = l.item;
        ASSERT_TRUE(waitFor([&] { return menuLine().startsWith(l.label); }, 4000))
            << menuLine().toStdString();
        const QString line = menuLine();
        EXPECT_FALSE(line.contains('*')) << line.toStdString();
        const QRegularExpressionMatch m = number.match(line, int(strlen(l.label)));
        ASSERT_TRUE(m.hasMatch()) << line.toStdString();
        const double v = m.captured(0).toDouble();
        EXPECT_GE(v, l.low) << line.toStdString();
        EXPECT_LE(v, l.high) << line.toStdString();
    }
}

TEST_F(Kelb1PanelTest, TheMenuOpensRaisesAndReopensItsWindowsAndRefreshesThem)
{
    ASSERT_TRUE(waitFor([&] { return panel() != nullptr; }, 30000));
    TKelb1Panel* p = panel();
    QStringList top;
    for (QAction* a : p->PopupMenu1->actions())
        top << a->text();
    EXPECT_EQ(top, QStringList({"Bar Graph", "Histogram", "Data vs. Time", "Alarms"}));
    EXPECT_EQ(p->findChild<QAction*>("BarGraph_8")->text(), "RF LEVEL");
    EXPECT_EQ(p->findChild<QAction*>("DataVsTime_8")->text(), "RF Level");
    EXPECT_EQ(p->findChild<QMenu*>("Histogram1")->actions().size(), 6);

    QAction* loop1 = p->findChild<QAction*>("Histogram_1");
    loop1->trigger();
    QPointer<THistogram> h = p->findChild<THistogram*>("Rack1_KELB1_HistPlot01");
    ASSERT_TRUE(h);
    EXPECT_EQ(h->family(), 1);
    EXPECT_EQ(h->instrument(), 0);
    EXPECT_EQ(h->index(), 1);
    loop1->trigger();
    EXPECT_EQ(p->findChildren<THistogram*>().size(), 1);
    p->findChild<QAction*>("Alarms1")->trigger();
    QPointer<TDisplayAlarms> alarms = p->findChild<TDisplayAlarms*>("Rack1_KELB1_Alarms");
    ASSERT_TRUE(alarms);

    // Refreshes reach both; after they close, none is posted and a click
    // opens new windows.
    rack.unit.records.module(SimModule::Kelb1).alarm = 0x81;
    EXPECT_TRUE(waitFor(
        [&] { return alarms->findChild<Lamp*>("LED8")->color() == QColor(255, 0, 0); }, 4000));
    h->close();
    alarms->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(h.isNull());
    EXPECT_TRUE(alarms.isNull());
    pump(400); // refreshes go on with nothing open
    p->findChild<QAction*>("Alarms1")->trigger();
    EXPECT_TRUE(p->findChild<TDisplayAlarms*>("Rack1_KELB1_Alarms"));
    loop1->trigger();
    EXPECT_TRUE(p->findChild<THistogram*>("Rack1_KELB1_HistPlot01"));
}

} // namespace
