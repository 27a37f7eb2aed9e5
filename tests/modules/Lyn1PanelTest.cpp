// The Lyn1 panel in the whole program against the simulated FM rack: the rack
// window makes it, its keys reach the module, its lamps follow the module's
// status, and its menu opens the plots and the RDS Data window, which decodes
// the module's stream.
#include "modules/Lyn1_Panel.h"

#include "TestSupport.h"
#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "link/Frame2.h"
#include "modules/Lyn1_RDSData.h"
#include "plots/Histogram.h"
#include "shell/Rack.h"
#include "sim/rack/RackSim.h"
#include "sim/rack/RdsScript.h"
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

class Lyn1PanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SimModuleState& l = rack.unit.records.module(SimModule::Lyn1);
        l.status = 0x05; // pilot and sync
        l.menuItem = 9;
        l.settings[10] = 20;
        rack.unit.rds.clock = QDateTime(QDate(2025, 6, 1), QTime(3, 30), Qt::UTC);
        writeConfig("Connect1", rack);
        if (withSecondRack()) {
            // Another station: PI 5555, PS "OTHER FM".
            second.unit.rds = *RdsScript::fromText("5555 0000 0000 4F54\n5555 0001 0000 4845\n"
                                                   "5555 0002 0000 5220\n5555 0003 0000 464D\n");
            writeConfig("Connect2", second);
        }
        CreateForms();
    }
    virtual bool withSecondRack() const { return false; }
    void writeConfig(const QString& name, RackSim& sim)
    {
        TConnectionSettings s = DefaultSettings(name, base.path());
        s.HardwareType = htRackSystem;
        s.Transport = trNetwork;
        s.ConnectOnStartup = true;
        s.IpAddress = "127.0.0.1";
        s.TcpPort = sim.listenTcp();
        s.DevicePassword = "QUMOR7";
        base.writeConfig(name, s);
    }
    void TearDown() override
    {
        DestroyForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TFrame2* frame() const { return Connects->ConnectionByIndex(1); }
    TLyn1Panel* panel() const
    {
        return Main->Rack1 ? Main->Rack1->findChild<TLyn1Panel*>("Rack1_LYN1") : nullptr;
    }
    QString menuLine() const { return panel()->MenuString->text(); }
    int commandsLike(const QByteArray& c) const { return int(rack.unit.commands().count(c)); }
    bool press(QToolButton* key, const QByteArray& expected)
    {
        const int before = commandsLike(expected);
        key->click();
        return waitFor([&] { return commandsLike(expected) > before; }, 4000);
    }
    bool ready()
    {
        return waitFor([&] { return frame() && frame()->Status == stActive; }, 20000) &&
               waitFor([&] { return panel() != nullptr; }, 20000);
    }

    TempBase base;
    RackSim rack{rkFM};
    RackSim second{rkFM};
};

class Lyn1TwoRacksTest : public Lyn1PanelTest
{
protected:
    bool withSecondRack() const override { return true; }
};

TEST_F(Lyn1PanelTest, TheRackShowsThePanelAndItsKeysDriveTheModule)
{
    ASSERT_TRUE(ready());
    TLyn1Panel* p = panel();
    EXPECT_EQ(p->size(), QSize(600, 117));
    EXPECT_EQ(p->UnitName->text(), "Lyn-1");
    EXPECT_TRUE(waitFor([&] { return commandsLike(bytes({0x1E, 0xFE})) >= 1; }, 5000));
    EXPECT_EQ(commandsLike(bytes({0x1E, 0xFE})), 1);
    ASSERT_TRUE(waitFor([&] { return menuLine() == "  MODIFY SETTINGS   "; }, 4000));
    EXPECT_EQ(p->LED1->color(), QColor(0, 255, 0));
    EXPECT_EQ(p->LED2->color(), QColor(0, 128, 0));
    EXPECT_EQ(p->LED3->color(), QColor(255, 255, 0));
    rack.unit.records.module(SimModule::Lyn1).status = 0x02;
    EXPECT_TRUE(waitFor([&] { return p->LED2->color() == QColor(0, 255, 0); }, 4000));
    EXPECT_EQ(p->LED1->color(), QColor(0, 128, 0));
    EXPECT_EQ(p->LED3->color(), QColor(128, 128, 0));
    ASSERT_EQ(frame()->AccessLevel, 3);

    ASSERT_TRUE(press(p->SpeedButton1, bytes({0x17, 0x00, 0xFE})));
    EXPECT_EQ(menuLine().left(11), "   TOTAL   ");
    ASSERT_TRUE(press(p->SpeedButton2, bytes({0x17, 0x09, 0xFE})));
    // Key 3 on item 9 only selects: the settings page, nothing set.
    ASSERT_TRUE(press(p->SpeedButton3, bytes({0x1B, 0x01, 0xFE})));
    EXPECT_EQ(menuLine(), "   HOLD 10.0 SEC    ");
    EXPECT_TRUE(waitFor([&] { return rack.unit.records.module(SimModule::Lyn1).menuItem == 10; }));
    pump(200);
    EXPECT_EQ(rack.unit.records.module(SimModule::Lyn1).echoItem, -1) << "no value was set";
    // Plus on HOLD at 20 sends the hold again.
    ASSERT_TRUE(press(p->SpeedButton3, bytes({'Q', 0x0A, '1', '4', 0xFE})));
    EXPECT_EQ(frame()->Lyn1State.HoldTime, 20);
    ASSERT_TRUE(press(p->SpeedButton2, bytes({0x17, 15, 0xFE})));
    ASSERT_TRUE(press(p->SpeedButton3, bytes({0x1B, 0x00, 0xFE})));
    EXPECT_EQ(menuLine(), "  MODIFY SETTINGS   ");
}

TEST_F(Lyn1PanelTest, RdsDataOpensStreamsAndCloses)
{
    ASSERT_TRUE(ready());
    TLyn1Panel* p = panel();
    frame()->RackCaption = "Rack1";
    QStringList top;
    for (QAction* a : p->PopupMenu1->actions())
        top << a->text();
    EXPECT_EQ(top, QStringList({"Bar Graph", "Histogram", "Data vs Time", "RDS Data"}));
    EXPECT_EQ(p->findChild<QMenu*>("BarGraph1")->actions().size(), 4);
    EXPECT_EQ(p->findChild<QAction*>("BarGraph_2")->text(), "RDS Phase");
    EXPECT_EQ(p->findChild<QMenu*>("Histogram1")->actions().size(), 3);
    EXPECT_EQ(p->findChild<QAction*>("Histogram_3")->text(), "Pilot Inj");

    // Without the window the groups stop at the panel.
    PostMessage(p, UM_RDS_GROUPS);
    pump(20);

    p->findChild<QAction*>("RDSData1")->trigger();
    QPointer<TRDS> rds = p->findChild<TRDS*>("Rack1_LYN1_RDSData");
    ASSERT_TRUE(rds);
    EXPECT_EQ(rds->windowTitle(), " Rack1  RDS Data");
    EXPECT_TRUE(waitFor([&] { return commandsLike(bytes({0x08, 0x01, 0xFE})) == 1; }, 4000));
    auto label = [&](const char* name) { return rds->findChild<QLabel*>(name)->text(); };
    EXPECT_TRUE(waitFor([&] { return label("PS_LD") == "KVEX FM "; }, 15000));
    EXPECT_TRUE(waitFor([&] { return label("Time_LD") == "10:30 PM"; }, 15000));
    EXPECT_EQ(label("PI_Call_LD"), "KVEX");
    p->findChild<QAction*>("RDSData1")->trigger();
    EXPECT_EQ(p->findChildren<TRDS*>().size(), 1);

    rds->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(rds.isNull());
    EXPECT_TRUE(waitFor([&] { return commandsLike(bytes({0x08, 0x00, 0xFE})) == 1; }, 4000));
    EXPECT_EQ(p->children().find(TLyn1Panel::kRdsData, 0), nullptr);

    p->findChild<QAction*>("RDSData1")->trigger();
    rds = p->findChild<TRDS*>("Rack1_LYN1_RDSData");
    ASSERT_TRUE(rds);
    EXPECT_EQ(rds->findChild<QLabel*>("PS_LD")->text(), "*       ");
    EXPECT_TRUE(waitFor([&] { return commandsLike(bytes({0x08, 0x01, 0xFE})) == 2; }, 4000));

    // A histogram of the pilot injection opens anew after each close.
    for (int round = 0; round < 2; ++round) {
        p->findChild<QAction*>("Histogram_3")->trigger();
        QPointer<THistogram> h = p->findChild<THistogram*>("Rack1_LYN1_HistPlot03");
        ASSERT_TRUE(h) << round;
        EXPECT_EQ(h->instrument(), 2);
        EXPECT_EQ(h->index(), 3);
        h->close();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(h.isNull());
    }
}

} // namespace

namespace {

TEST_F(Lyn1TwoRacksTest, EachRdsWindowShowsItsOwnStation)
{
    ASSERT_TRUE(ready());
    ASSERT_TRUE(
        waitFor([&] { return Main->Rack2 && Main->Rack2->findChild<TLyn1Panel*>(); }, 20000));
    TLyn1Panel* p2 = Main->Rack2->findChild<TLyn1Panel*>();
    panel()->openWindow(TLyn1Panel::kRdsData, 0);
    p2->openWindow(TLyn1Panel::kRdsData, 0);
    QPointer<TRDS> one = panel()->findChild<TRDS*>();
    QPointer<TRDS> two = p2->findChild<TRDS*>();
    ASSERT_TRUE(one && two);
    auto ps = [](TRDS* w) { return w->findChild<QLabel*>("PS_LD")->text(); };
    EXPECT_TRUE(waitFor([&] { return ps(one) == "KVEX FM " && ps(two) == "OTHER FM"; }, 20000))
        << qPrintable(ps(one)) << " / " << qPrintable(ps(two));
    EXPECT_EQ(two->findChild<QLabel*>("PI_Hex_LD")->text(), "5555");
    EXPECT_EQ(one->findChild<QLabel*>("PI_Hex_LD")->text(), "47F3");
}

TEST_F(Lyn1PanelTest, ADroppedLinkTakesTheRackAndItsWindows)
{
    ASSERT_TRUE(ready());
    QPointer<TLyn1Panel> p = panel();
    p->openWindow(TLyn1Panel::kRdsData, 0);
    p->openWindow(TLyn1Panel::kDataTimePlot, 1);
    QPointer<TRDS> rds = p->findChild<TRDS*>();
    ASSERT_TRUE(rds);
    ASSERT_TRUE(
        waitFor([&] { return rds->findChild<QLabel*>("PS_LD")->text() == "KVEX FM "; }, 15000));
    rack.dropLink();
    EXPECT_TRUE(waitFor(
        [&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return p.isNull();
        },
        20000));
    EXPECT_TRUE(rds.isNull());
    pump(300); // late messages find nothing to post to
}

} // namespace
