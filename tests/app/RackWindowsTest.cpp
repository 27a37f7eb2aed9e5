// The whole program against simulated Tavr1 units: the main window's tick
// makes and frees the rack windows, the racks make and feed the panels, and
// the panels' track bars reach the unit.
#include "TestSupport.h"

#include "widgets/Lamp.h"

#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "link/Frame2.h"
#include "shell/Rack.h"
#include "shell/UpDateTavr1.h"
#include "sim/firmware/DldGenerator.h"
#include "sim/tavr1/Tavr1Sim.h"
#include "tavr1/Tavr1_Panel.h"
#include "widgets/MessageBoxService.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class RackWindowsTest : public ::testing::Test
{
protected:
    // Connection n on the simulated unit, connecting on start-up.
    void configure(int n, Tavr1Sim& unit, const QString& rackCaption)
    {
        const QString name = QString("Connect%1").arg(n);
        TConnectionSettings s = DefaultSettings(name, base.path());
        s.HardwareType = htTavr1;
        s.Transport = trNetwork;
        s.ConnectOnStartup = true;
        s.IpAddress = "127.0.0.1";
        s.TcpPort = unit.listenTcp();
        s.RackCaption = rackCaption;
        base.writeConfig(name, s);
    }

    void start() { CreateForms(); }
    void TearDown() override
    {
        DestroyForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The tests run the ticks themselves: the frames' and the main window's.
    void takeOverTimers()
    {
        Main->Timer1->stop();
        for (int n = 1; n <= 8; ++n)
            frame(n)->Timer1->stop();
    }

    // Frame ticks of the given connections, the units answering in between,
    // until pred holds.
    bool tickUntil(std::initializer_list<int> connections, const std::function<bool()>& pred,
                   int maxTicks = 120)
    {
        for (int i = 0; i < maxTicks; ++i) {
            if (pred())
                return true;
            for (int n : connections)
                frame(n)->Timer1Timer();
            pump(30);
        }
        return pred();
    }
    // Logs connection n in and lets its first settings block through.
    bool active(int n)
    {
        return tickUntil({n}, [&] {
            return frame(n)->Status == stActive && frame(n)->ProcessState == 4 &&
                   frame(n)->BlockNumber > 0;
        });
    }

    TFrame2* frame(int n) const { return Connects->ConnectionByIndex(n); }
    // Starts the program with the test running the ticks, logs connection 1
    // in and runs the main window's tick until its rack holds the panel.
    bool startWithPanelInRack1()
    {
        start();
        takeOverTimers();
        if (!active(1))
            return false;
        Main->Timer1Timer();
        return tickUntil({1}, [&] { return panelOf(Main->Rack1) != nullptr; });
    }
    // What the event loop frees when control returns to it.
    static void freeDeferred()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    TTavr1Panel* panelOf(TRack* rack, const char* name = "Rack1_TAVR1") const
    {
        return rack ? rack->findChild<TTavr1Panel*>(name) : nullptr;
    }
    static QString text(TTavr1Panel* p, const char* name)
    {
        return p->findChild<QLabel*>(name)->text();
    }

    TempBase base;
};

} // namespace

TEST_F(RackWindowsTest, AnActiveTavr1GetsItsRackAndPanelWithinTwoSeconds)
{
    Tavr1Sim unit;
    configure(1, unit, "Studio A Tavr");
    start();
    ASSERT_TRUE(waitFor([&] { return frame(1)->Status == stActive; }, 20000));

    ASSERT_TRUE(waitFor([&] { return panelOf(Main->Rack1) != nullptr; }, 2200));
    TRack* rack = Main->Rack1;
    EXPECT_EQ(rack->objectName(), "Rack1");
    EXPECT_EQ(rack->windowTitle(), "Studio A Tavr");
    EXPECT_EQ(frame(1)->RackWindow, rack);
    TTavr1Panel* panel = panelOf(rack);
    EXPECT_EQ(panel->parentWidget(), rack);

    // The unit's readings: total peak raw 1001, RF level on the High Level input.
    EXPECT_TRUE(waitFor([&] { return text(panel, "LD_Total_Peak") == "100.1%"; }, 2000));
    EXPECT_EQ(text(panel, "FreqLabel"), "100.1");
    EXPECT_EQ(text(panel, "LD_RF_Atten"), "  -5.0dB"); // word 5 = 10
    EXPECT_EQ(panel->findChild<Lamp*>("LED_Pilot")->color(), QColor(0x00FF00));
    EXPECT_EQ(panel->findChild<Lamp*>("LED_RDS_SYNC")->color(), QColor(0xFFFF00));
    EXPECT_EQ(panel->findChild<Lamp*>("LED_RDS")->color(), QColor(0x008000));

    // The rack grows on its own timer until the panel fits.
    EXPECT_TRUE(waitFor([&] { return rack->height() == 255; }, 4000));
    EXPECT_EQ(rack->width(), 600);
    EXPECT_EQ(Main->Rack2, nullptr) << "idle connections get no rack";
}

TEST_F(RackWindowsTest, ErrorLosesTheRackAtTheNextTickAndAReconnectFillsANewOne)
{
    Tavr1Sim unit;
    configure(1, unit, "Studio A Tavr");
    ASSERT_TRUE(startWithPanelInRack1());
    QPointer<TRack> old = Main->Rack1;
    QPointer<TTavr1Panel> oldPanel = panelOf(old);

    unit.dropLink();
    ASSERT_TRUE(tickUntil({1}, [&] { return frame(1)->Status == stError; }));
    EXPECT_FALSE(old.isNull()) << "nothing happens between two ticks";
    Main->Timer1Timer();
    EXPECT_EQ(Main->Rack1, nullptr);
    EXPECT_TRUE(frame(1)->RackWindow.isNull()) << "the frame lets go at once";
    freeDeferred();
    EXPECT_TRUE(old.isNull());
    EXPECT_TRUE(oldPanel.isNull()) << "the panels go with their rack";

    frame(1)->ButtonC1->click(); // Connect
    ASSERT_TRUE(active(1));
    Main->Timer1Timer();
    ASSERT_NE(Main->Rack1, nullptr);
    EXPECT_EQ(Main->Rack1->findChildren<TPanelBase*>().size(), 0) << "a new rack starts empty";
    EXPECT_EQ(Main->Rack1->ShownUnits, 0);
    ASSERT_TRUE(tickUntil({1}, [&] {
        TTavr1Panel* p = panelOf(Main->Rack1);
        return p && text(p, "LD_Total_Peak") == "100.1%";
    }));
}

TEST_F(RackWindowsTest, ARackIsNotFreedUnderItsOwnDialog)
{
    Tavr1Sim unit;
    configure(1, unit, "Studio A Tavr");
    ASSERT_TRUE(startWithPanelInRack1());
    QPointer<TRack> rack = Main->Rack1;

    // A modal dialog of the panel, as a message box or settings dialog would be.
    auto* dialog = new QDialog(panelOf(rack));
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    unit.dropLink();
    ASSERT_TRUE(tickUntil({1}, [&] { return frame(1)->Status == stError; }));
    Main->Timer1Timer();
    EXPECT_EQ(Main->Rack1, nullptr);
    EXPECT_TRUE(frame(1)->RackWindow.isNull());
    freeDeferred();
    Main->Timer1Timer();
    freeDeferred();
    EXPECT_FALSE(rack.isNull()) << "freed only once the dialog is gone";

    dialog->close();
    Main->Timer1Timer();
    freeDeferred();
    EXPECT_TRUE(rack.isNull());
}

TEST_F(RackWindowsTest, ClosingTheRackOnlyMinimisesIt)
{
    Tavr1Sim unit;
    configure(1, unit, "Studio A Tavr");
    start();
    takeOverTimers();
    ASSERT_TRUE(active(1));
    Main->Timer1Timer();
    QPointer<TRack> rack = Main->Rack1;
    ASSERT_NE(rack, nullptr);
    rack->close();
    Main->Timer1Timer();
    freeDeferred();
    ASSERT_FALSE(rack.isNull());
    EXPECT_TRUE(rack->isMinimized());
    EXPECT_EQ(Main->Rack1, rack.data());
}

TEST_F(RackWindowsTest, TwoConnectionsEachHaveTheirOwnRackPanelAndValues)
{
    Tavr1Sim first, second;
    second.fields.raw[4] = 555; // total peak 55.5 %
    second.fields.leds = 0x81;  // total peak and SCA#2 peak
    second.config[2] = 950;     // 95.0 MHz
    configure(1, first, "Studio A Tavr");
    configure(2, second, "Transmitter B");
    start();
    takeOverTimers();
    ASSERT_TRUE(tickUntil({1, 2}, [&] {
        return frame(1)->BlockNumber > 0 && frame(2)->BlockNumber > 0 &&
               frame(1)->Status == stActive && frame(2)->Status == stActive;
    }));
    Main->Timer1Timer();
    ASSERT_TRUE(tickUntil({1, 2}, [&] {
        TTavr1Panel* a = panelOf(Main->Rack1);
        TTavr1Panel* b = panelOf(Main->Rack2, "Rack2_TAVR1");
        return a && b && text(a, "FreqLabel") == "100.1" && text(b, "FreqLabel") == " 95.0";
    }));
    TTavr1Panel* a = panelOf(Main->Rack1);
    TTavr1Panel* b = panelOf(Main->Rack2, "Rack2_TAVR1");
    EXPECT_EQ(Main->Rack2->windowTitle(), "Transmitter B");
    EXPECT_EQ(a->frame(), frame(1));
    EXPECT_EQ(b->frame(), frame(2));
    EXPECT_EQ(text(a, "LD_Total_Peak"), "100.1%");
    EXPECT_EQ(text(b, "LD_Total_Peak"), " 55.5%");
    EXPECT_EQ(a->findChild<Lamp*>("LED_Total_Peak")->color(), QColor(0x800000));
    EXPECT_EQ(b->findChild<Lamp*>("LED_Total_Peak")->color(), QColor(0xFF0000));
    EXPECT_EQ(b->findChild<Lamp*>("LED_SCA2_Peak")->color(), QColor(0xFF0000));
    EXPECT_NE(Main->Rack1->pos(), Main->Rack2->pos()) << "one rack does not hide the other";
}

TEST_F(RackWindowsTest, TheTrackBarsTuneTheUnitAndItsEchoComesBack)
{
    Tavr1Sim unit;
    configure(1, unit, "Studio A Tavr");
    ASSERT_TRUE(startWithPanelInRack1());
    TTavr1Panel* panel = panelOf(Main->Rack1);
    TFrame2* f = frame(1);
    ASSERT_TRUE(tickUntil({1}, [&] { return panel->Tuning_TB->value() == 128; }));

    // A drag: several positions between two poll ticks. The slot holds one
    // request; the line takes the last position when it leaves.
    f->PageRefresh.take(prSettings);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(panel->Tuning_TB, Qt::Key_Right);
    EXPECT_TRUE(f->PageRefresh.isRaised(prSettings));
    f->Timer1Timer();
    ASSERT_TRUE(unit.waitUntil([&] { return unit.commandLines().size() == 1; }, 2000));
    EXPECT_EQ(unit.commandLines().last(), "CC0F03ECE7");
    tickUntil(
        {1}, [] { return false; }, 5);
    EXPECT_EQ(unit.commandLines().size(), 1) << "the dropped requests were not queued";

    // A slower drag, one tick between positions (a drag sets the positions
    // the mouse passes): a line each, the last one the final position.
    for (int position = 132; position <= 135; ++position) {
        panel->Tuning_TB->setValue(position);
        f->Timer1Timer();
        pump(30);
    }
    ASSERT_TRUE(unit.waitUntil([&] { return unit.commandLines().size() == 5; }, 2000));
    for (const QByteArray& line : unit.commandLines())
        EXPECT_TRUE(line.startsWith("CC0F")) << line.constData();
    EXPECT_EQ(unit.commandLines().last(), "CC0F03F0D5"); // 1008: 100.8 MHz
    EXPECT_EQ(unit.config[2], 1008);
    ASSERT_TRUE(tickUntil({1}, [&] {
        return f->Tavr1LocalConfig[2] == 1008 && text(panel, "FreqLabel") == "100.8";
    }));
    EXPECT_EQ(panel->Tuning_TB->value(), 135);

    // The attenuator goes out only when the key is let go.
    const int before = unit.commandLines().size();
    QTest::keyPress(panel->Atten_TB, Qt::Key_Left);
    tickUntil(
        {1}, [] { return false; }, 5);
    EXPECT_EQ(unit.commandLines().size(), before);
    QTest::keyRelease(panel->Atten_TB, Qt::Key_Left);
    ASSERT_TRUE(tickUntil({1}, [&] { return unit.commandLines().size() == before + 1; }));
    EXPECT_EQ(unit.commandLines().last(), "CC100B59"); // 11: -5.5 dB
    ASSERT_TRUE(tickUntil({1}, [&] {
        return unit.config[5] == 11 && f->Tavr1UnitConfig[5] == 11 &&
               text(panel, "LD_RF_Atten") == "  -5.5dB";
    }));
    EXPECT_EQ(f->Tavr1LocalConfig[5], 11);
    EXPECT_EQ(unit.badChecksums(), 0) << "every line the panel sent was sound";
}

TEST_F(RackWindowsTest, AnObserversPanelTunesNothingButMovesTheAttenuator)
{
    Tavr1Sim unit;
    unit.level = "OBSERVER";
    configure(1, unit, "Studio A Tavr");
    ASSERT_TRUE(startWithPanelInRack1());
    TTavr1Panel* panel = panelOf(Main->Rack1);
    EXPECT_FALSE(panel->Tuning_TB->isEnabled());
    EXPECT_TRUE(panel->Atten_TB->isEnabled());
    EXPECT_TRUE(panel->menuEntry(t1kSpectrum, 0)->isVisible());
}

TEST_F(RackWindowsTest, ABasicUnitsPanelHasNoSpectrumEntry)
{
    Tavr1Sim unit;
    unit.identification = "Tavr-1 SN(123456) SW(01.18,01.20) OPT(0) REV(1:B 2:B 3:A) LAN(6.8.0.1)";
    configure(1, unit, "Studio A Tavr");
    ASSERT_TRUE(startWithPanelInRack1());
    EXPECT_EQ(frame(1)->Tavr1Options, "Basic");
    QAction* spectrums = panelOf(Main->Rack1)->menuEntry(t1kSpectrum, 0);
    EXPECT_FALSE(spectrums->isVisible());
    EXPECT_FALSE(spectrums->isEnabled());
}

// A firmware update takes the unit away: its rack goes while the status is
// "Updating ", and the reconnect after the update brings a new one.
TEST_F(RackWindowsTest, AFirmwareUpdateTakesTheRackAwayAndTheReconnectBringsANewOne)
{
    QDir().mkpath(base.file("DLD"));
    base.writeFile("DLD/TAVR1_1.DLD", MakeDldFile({8, "V01.05", "V01.18", {}, "\r\n"}));
    base.writeFile("DLD/TAVR1_B.DLD", MakeDldFile({8, "V01.05", "V01.18", {}, "\r\n"}));
    base.writeFile("DLD/XPORT.DLD", MakeDldFile({8, {}, {}, "V6.10", "\r\n"}));
    QStringList boxes;
    SetMessageBoxAnswerer([&](const TMessageBoxRequest& r) {
        boxes << r.text;
        return QMessageBox::Ok;
    });
    Tavr1Sim unit;
    unit.identification = "Tavr-1 SN(123456) SW(01.04,01.17) OPT(1) REV(1:B 2:B 3:A) LAN(6.8.0.1)";
    unit.download->replyDelayMs = 1;
    unit.download->scriptLineGapMs = 5;
    unit.download->resetMs = 100;
    unit.download->versionAfterUpdate = "01.18";
    configure(1, unit, "Studio A Tavr");
    start();
    takeOverTimers();
    TFrame2* f = frame(1);
    // The login offers the update; declined, the unit is polled and racked.
    ASSERT_TRUE(tickUntil(
        {1}, [&] { return UpDateTavr1->isVisible(); }, 400));
    UpDateTavr1->Button3->click();
    ASSERT_TRUE(active(1));
    Main->Timer1Timer();
    QPointer<TRack> old = Main->Rack1;
    ASSERT_FALSE(old.isNull());

    f->ButtonC3->click();
    ASSERT_TRUE(waitFor([&] { return UpDateTavr1->isVisible(); }));
    UpDateTavr1->Button1->click();
    ASSERT_TRUE(f->FirmwareTransferRunning());
    f->Timer1Timer();
    ASSERT_EQ(f->Status, stUpdating);
    Main->Timer1Timer();
    EXPECT_EQ(Main->Rack1, nullptr);
    EXPECT_TRUE(f->RackWindow.isNull()) << "the transfer posts nothing to a rack";
    freeDeferred();
    EXPECT_TRUE(old.isNull());

    // The rest of the update, the main window ticking beside the frame.
    bool rackDuringUpdate = false;
    for (int i = 0; i < 4000 && !(f->Status == stActive && f->ProcessState == 4); ++i) {
        f->Timer1Timer();
        if (i % 50 == 0) {
            Main->Timer1Timer();
            rackDuringUpdate |= f->Status != stActive && Main->Rack1 != nullptr;
        }
        pump(f->FirmwareTransferRunning() ? 1 : 20);
    }
    ASSERT_EQ(f->Status, stActive);
    EXPECT_FALSE(rackDuringUpdate);
    EXPECT_EQ(countLogLines(" EEPROM Update Succesful "), 1);
    EXPECT_FALSE(UpDateTavr1->isVisible());
    Main->Timer1Timer();
    ASSERT_NE(Main->Rack1, nullptr);
    EXPECT_EQ(f->RackWindow.data(), static_cast<QObject*>(Main->Rack1.data()));
    ASSERT_TRUE(tickUntil({1}, [&] { return panelOf(Main->Rack1) != nullptr; }));
    EXPECT_EQ(boxes, QStringList()) << boxes.join('|').toStdString();
    SetMessageBoxAnswerer({});
}

namespace {

// Every window of the panel opened and closed in a loop, the link polling on
// its own timer all the while: the unit never sees the link close, and no
// error is logged. A window reads the frame; it never touches the link.
TEST_F(RackWindowsTest, OpeningAndClosingEveryWindowKeepsTheLink)
{
    Tavr1Sim unit;
    unit.blockIntervalMs = 50;
    int drops = 0, connects = 0;
    QObject::connect(&unit, &SimPeer::clientDisconnected, [&] { ++drops; });
    QObject::connect(&unit, &SimPeer::clientConnected, [&] { ++connects; });
    configure(1, unit, "Studio A Tavr");
    start();
    ASSERT_TRUE(waitFor([&] { return panelOf(Main->Rack1) != nullptr; }, 20000));
    TTavr1Panel* panel = panelOf(Main->Rack1);
    const int before = unit.blocksSent();
    for (int round = 0; round < 3; ++round) {
        QList<QAction*> entries = panel->PopupMenu1->actions();
        for (qsizetype i = 0; i < entries.size(); ++i) {
            QAction* a = entries[i];
            if (a->menu()) {
                entries += a->menu()->actions();
                continue;
            }
            if (a->isSeparator() || !a->isEnabled())
                continue;
            a->trigger();
            pump(100);
        }
        pump(500);
        for (QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->isWindow() && w->isVisible())
                w->close();
        }
        pump(300);
    }
    EXPECT_GT(unit.blocksSent(), before + 20);
    EXPECT_EQ(drops, 0);
    EXPECT_EQ(connects, 1);
    EXPECT_EQ(frame(1)->Status, stActive);
    for (const QString& l : logOldestFirst())
        EXPECT_FALSE(l.contains("ERROR")) << l.toStdString();
}

} // namespace
