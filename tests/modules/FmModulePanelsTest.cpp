// The Nuva1 and Varn1 panels in the whole program against the simulated FM
// rack: the rack window stacks them, their keys reach the modules as their
// exact bytes, the echoes move their menu lines, and each Varn1 panel works
// on its own unit only.
#include "modules/Nuva1_Panel.h"
#include "modules/Varn1_Panel.h"

#include "TestSupport.h"
#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "plots/BarGraph.h"
#include "plots/DataTimePlot.h"
#include "shell/Rack.h"
#include "sim/rack/RackSim.h"
#include "widgets/Lamp.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
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

class FmModulePanelsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SimModuleState& n = rack.unit.records.module(SimModule::Nuva1);
        n.samples[3] = 50; // left 500 tenths
        n.samples[6] = 49;
        n.status = 0x01; // pilot
        n.menuItem = 14;
        rack.unit.records.module(SimModule::Varn1Unit0).menuItem = 5;
        rack.unit.records.module(SimModule::Varn1Unit1).menuItem = 7;
        rack.unit.records.module(SimModule::Varn1Unit1).status = 0x42; // peak, no readout
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
    template <typename T>
    T* panel(const char* name) const
    {
        return Main->Rack1 ? Main->Rack1->findChild<T*>(name) : nullptr;
    }
    int commandsLike(const QByteArray& c) const { return int(rack.unit.commands().count(c)); }
    bool press(QToolButton* key, const QByteArray& expected)
    {
        const int before = commandsLike(expected);
        key->click();
        return waitFor([&] { return commandsLike(expected) > before; }, 4000);
    }
    bool allPanels() const
    {
        return panel<TNuva1Panel>("Rack1_NUVA1") && panel<TVarn1Panel>("Rack1_VARN10") &&
               panel<TVarn1Panel>("Rack1_VARN11");
    }

    TempBase base;
    RackSim rack{rkFM};
};

TEST_F(FmModulePanelsTest, PanelsStackShowTheirModulesAndKeysDriveThem)
{
    ASSERT_TRUE(waitFor([&] { return frame()->Status == stActive; }, 20000));
    ASSERT_TRUE(waitFor([&] { return allPanels(); }, 20000));
    ASSERT_EQ(frame()->AccessLevel, 3);
    auto* nuva = panel<TNuva1Panel>("Rack1_NUVA1");
    auto* v0 = panel<TVarn1Panel>("Rack1_VARN10");
    auto* v1 = panel<TVarn1Panel>("Rack1_VARN11");
    EXPECT_EQ(nuva->size(), QSize(600, 117));
    EXPECT_LT(nuva->y(), v0->y());
    EXPECT_EQ(v0->y() + v0->height(), v1->y());
    EXPECT_EQ(v0->UnitName->text(), "Varn-1 [0]");
    EXPECT_EQ(v1->UnitName->text(), "Varn-1 [1]");
    // The open commands are on their way once the panels exist.
    EXPECT_TRUE(waitFor([&] { return commandsLike(bytes({0x21, 0x01, 0xFE})) >= 1; }, 5000));
    EXPECT_EQ(commandsLike(bytes({0x1D, 0xFE})), 1);
    EXPECT_EQ(commandsLike(bytes({0x21, 0x00, 0xFE})), 1);
    EXPECT_EQ(commandsLike(bytes({0x21, 0x01, 0xFE})), 1);
    for (const QByteArray& c : rack.unit.commands()) {
        EXPECT_NE(c.at(0), 'C');
        EXPECT_NE(c.at(0), 'D');
    }

    ASSERT_TRUE(waitFor([&] { return nuva->ModulationString1->text() == " 50"; }, 4000));
    EXPECT_EQ(nuva->ModulationString2->text(), " 49");
    EXPECT_TRUE(waitFor([&] { return nuva->MenuString->text() == " MODIFY SETTINGS"; }, 4000));
    EXPECT_EQ(nuva->Leds[0]->color(), QColor(0, 255, 0));
    EXPECT_TRUE(waitFor([&] { return v1->ModulationString->text() == "- - -"; }, 4000));
    EXPECT_EQ(v1->Leds[0]->color(), QColor(0, 128, 0));
    EXPECT_EQ(v1->Leds[1]->color(), QColor(255, 0, 0));

    // Nuva1: enter the settings, raise the hold; the module echoes it.
    ASSERT_TRUE(press(nuva->SpeedButton3, bytes({0x1A, 0x01, 0xFE})));
    EXPECT_TRUE(
        waitFor([&] { return rack.unit.records.module(SimModule::Nuva1).menuItem == 15; }, 4000));
    ASSERT_TRUE(waitFor([&] { return frame()->Nuva1State.MenuIndex == 15; }));
    const int sent = rack.unit.moduleCommands().size();
    nuva->SpeedButton3->click();
    ASSERT_TRUE(waitFor([&] { return rack.unit.moduleCommands().size() > sent; }));
    const QByteArray hold = rack.unit.moduleCommands().last();
    ASSERT_EQ(hold.left(2), bytes({0x4C, 0x0F}));
    const int value = hold.mid(2, 2).toInt(nullptr, 16);
    EXPECT_GE(value, 1);
    EXPECT_TRUE(
        waitFor([&] { return rack.unit.records.module(SimModule::Nuva1).settings[15] == value; }));
    EXPECT_EQ(nuva->MenuString->text(), "   HOLD " + RealField(4, 1, value * 0.5) + " SEC");
    ASSERT_TRUE(press(nuva->SpeedButton1, bytes({0x14, 0x10, 0xFE})));
    EXPECT_TRUE(waitFor([&] { return nuva->MenuString->text() == "TIME MODE - REAL"; }, 4000));

    // Varn1 unit 0 enters its filter page; unit 1 stays where it was.
    ASSERT_TRUE(waitFor([&] { return v0->MenuString->text() == "   MODIFY BPF   "; }, 4000));
    ASSERT_TRUE(waitFor([&] { return v1->MenuString->text() == " MODIFY SETTINGS"; }, 4000));
    ASSERT_TRUE(press(v0->SpeedButton3, bytes({0x20, 0x00, 0x01, 0xFE})));
    EXPECT_TRUE(waitFor([&] {
        return rack.unit.records.module(SimModule::Varn1Unit0).menuItem == 8 &&
               frame()->Varn1State[0].MenuIndex == 8;
    }));
    EXPECT_EQ(rack.unit.records.module(SimModule::Varn1Unit1).menuItem, 7);
    ASSERT_TRUE(press(v0->SpeedButton3, bytes({0x52, 0x00, 0x08, 0x30, 0x31, 0xFE})));
    EXPECT_TRUE(waitFor([&] { return v0->MenuString->text() == "   BPF - IN     "; }, 4000));
    EXPECT_TRUE(frame()->Varn1State[0].Flags[8]);
    EXPECT_FALSE(frame()->Varn1State[1].Flags[8]);
    pump(300);
    EXPECT_EQ(v1->MenuString->text(), " MODIFY SETTINGS");
    // Unit 1's exit goes back to its own entry item.
    ASSERT_TRUE(press(v1->SpeedButton3, bytes({0x20, 0x01, 0x03, 0xFE})));
    ASSERT_TRUE(waitFor([&] {
        return frame()->Varn1State[1].MenuIndex == 17 &&
               rack.unit.records.module(SimModule::Varn1Unit1).menuItem == 17;
    }));
    ASSERT_TRUE(press(v1->SpeedButton2, bytes({0x1F, 0x01, 0x1B, 0xFE})));
    ASSERT_TRUE(press(v1->SpeedButton3, bytes({0x20, 0x01, 0x00, 0xFE})));
    EXPECT_TRUE(waitFor([&] { return v1->MenuString->text() == " MODIFY SETTINGS"; }, 4000));
    EXPECT_TRUE(waitFor([&] { return v0->MenuString->text() == "   BPF - IN     "; }, 4000));
}

TEST_F(FmModulePanelsTest, ChildrenOpenRefreshCloseAndSurviveADroppedLink)
{
    ASSERT_TRUE(waitFor([&] { return allPanels(); }, 30000));
    auto* nuva = panel<TNuva1Panel>("Rack1_NUVA1");
    auto* v1 = panel<TVarn1Panel>("Rack1_VARN11");
    QStringList top;
    for (QAction* a : nuva->PopupMenu1->actions())
        top << a->text();
    EXPECT_EQ(top, QStringList({"Bar Graph", "Histogram", "Data vs Time"}));
    EXPECT_EQ(nuva->findChild<QAction*>("BarGraph_6")->text(), "Pilot Mod");
    EXPECT_EQ(v1->findChild<QMenu*>("DatavsTime1")->actions().size(), 4);

    QAction* pilot = nuva->findChild<QAction*>("BarGraph_6");
    pilot->trigger();
    QPointer<TBarGraph> bar = nuva->findChild<TBarGraph*>();
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->family(), 1);
    EXPECT_EQ(bar->instrument(), 1);
    EXPECT_EQ(bar->index(), 6);
    pilot->trigger();
    EXPECT_EQ(nuva->findChildren<TBarGraph*>().size(), 1);

    v1->findChild<QAction*>("DataVsTime_0")->trigger();
    QPointer<TDataTimePlot> plot = v1->findChild<TDataTimePlot*>();
    ASSERT_TRUE(plot);
    EXPECT_EQ(plot->instrument(), 4);

    bar->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(bar.isNull());
    pump(300);
    pilot->trigger();
    bar = nuva->findChild<TBarGraph*>();
    EXPECT_TRUE(bar);

    // The link drops with the panels and windows open: nothing is posted to
    // a freed window.
    rack.dropLink();
    pump(1500);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    pump(300);
}

} // namespace
