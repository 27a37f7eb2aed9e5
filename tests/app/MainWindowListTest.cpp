// The main window's list of open windows in the whole program against a
// simulated Tavr1: it follows the racks, panels and windows tick by tick, and
// a click brings the window forward.
#include "TestSupport.h"

#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "link/Frame2.h"
#include "shell/Rack.h"
#include "sim/tavr1/Tavr1Sim.h"
#include "tavr1/Tavr1_Panel.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class MainWindowListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TConnectionSettings s = DefaultSettings("Connect1", base.path());
        s.HardwareType = htTavr1;
        s.Transport = trNetwork;
        s.ConnectOnStartup = true;
        s.IpAddress = "127.0.0.1";
        s.TcpPort = unit.listenTcp();
        s.RackCaption = "Studio A Tavr";
        base.writeConfig("Connect1", s);
        CreateForms();
        Main->Timer1->stop();
        for (int n = 1; n <= 8; ++n)
            frame(n)->Timer1->stop();
    }
    void TearDown() override
    {
        DestroyForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TFrame2* frame(int n) const { return Connects->ConnectionByIndex(n); }
    bool tickUntil(const std::function<bool()>& pred, int maxTicks = 120)
    {
        for (int i = 0; i < maxTicks; ++i) {
            if (pred())
                return true;
            frame(1)->Timer1Timer();
            pump(30);
        }
        return pred();
    }
    TTavr1Panel* panel() const
    {
        return Main->Rack1 ? Main->Rack1->findChild<TTavr1Panel*>("Rack1_TAVR1") : nullptr;
    }
    // Logged in, one main tick for the rack, frame ticks until the panel.
    bool startWithPanel()
    {
        if (!tickUntil([&] { return frame(1)->Status == stActive && frame(1)->BlockNumber > 0; }))
            return false;
        Main->Timer1Timer();
        return tickUntil([&] { return panel() != nullptr; });
    }
    // The main window's tick, and what the event loop frees meanwhile.
    void mainTick()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Main->Timer1Timer();
    }
    static QStringList listed()
    {
        QStringList out;
        for (int i = 0; i < Main->ListView1->topLevelItemCount(); ++i)
            out.append(Main->ListView1->topLevelItem(i)->text(0));
        return out;
    }
    static std::string joined(const QStringList& l)
    {
        return ("\n|" + l.join("|\n|") + "|").toStdString();
    }
    static void click(int row)
    {
        Main->ListView1->setCurrentItem(Main->ListView1->topLevelItem(row));
        Main->ListView1Click();
    }
    TempBase base;
    Tavr1Sim unit;
};

} // namespace

TEST_F(MainWindowListTest, FollowsTheRackItsPanelAndItsWindows)
{
    mainTick();
    EXPECT_EQ(joined(listed()), joined({"Connections"}));
    ASSERT_TRUE(startWithPanel());
    mainTick();
    EXPECT_EQ(joined(listed()), joined({"Connections", "Studio A Tavr", "  TAVR1"}));
    EXPECT_EQ(Main->ListedWindow(0), Connects.data());
    EXPECT_EQ(Main->ListedWindow(1), Main->Rack1.data());
    EXPECT_EQ(Main->ListedWindow(2), panel());

    panel()->menuEntry(t1kSettings, 0)->trigger();
    panel()->menuEntry(t1kHistogram, 0)->trigger();
    EXPECT_EQ(listed().size(), 3) << "not before the tick";
    mainTick();
    EXPECT_EQ(joined(listed()), joined({"Connections", "Studio A Tavr", "  TAVR1",
                                        "     TOTAL Histogram", "     Settings"}));
    QWidget* settings = Main->ListedWindow(4);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->objectName(), "Rack1_TAVR1_TAVR1SETTINGS0");

    // Within one second: the histogram closes, the dB readings open.
    QPointer<QWidget> histogram = Main->ListedWindow(3);
    histogram->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(histogram.isNull());
    panel()->menuEntry(t1kDbReadings, 0)->trigger();
    mainTick();
    EXPECT_EQ(joined(listed()), joined({"Connections", "Studio A Tavr", "  TAVR1",
                                        "     dB Readings", "     Settings"}));
    EXPECT_EQ(Main->ListedWindow(3)->objectName(), "Rack1_TAVR1_TAVR1DBREAD0");

    // A click on an entry whose window went since the tick changes nothing
    // and rebuilds the list at once.
    Main->ListedWindow(4)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<QWidget*> before = QApplication::topLevelWidgets();
    click(4);
    EXPECT_EQ(joined(listed()),
              joined({"Connections", "Studio A Tavr", "  TAVR1", "     dB Readings"}));
    EXPECT_EQ(QApplication::topLevelWidgets().size(), before.size());

    // The connection fails: its rack, panel and windows leave at the next tick.
    unit.dropLink();
    ASSERT_TRUE(tickUntil([&] { return frame(1)->Status == stError; }));
    EXPECT_EQ(listed().size(), 4) << "nothing happens between two ticks";
    mainTick();
    EXPECT_EQ(joined(listed()), joined({"Connections"}));
}

TEST_F(MainWindowListTest, AClickBringsTheWindowForward)
{
    ASSERT_TRUE(startWithPanel());
    panel()->menuEntry(t1kSettings, 0)->trigger();
    mainTick();
    ASSERT_EQ(listed().size(), 4);
    TRack* rack = Main->Rack1;

    // The rack entry restores a minimised rack ("closing" a rack minimises it).
    rack->close();
    ASSERT_TRUE(waitFor([&] { return rack->isMinimized(); }));
    click(1);
    EXPECT_FALSE(rack->isMinimized());
    EXPECT_TRUE(rack->isVisible());

    // The panel entry does the same for its rack.
    rack->showMinimized();
    ASSERT_TRUE(waitFor([&] { return rack->isMinimized(); }));
    click(2);
    EXPECT_FALSE(rack->isMinimized());
    EXPECT_TRUE(panel()->isVisible());

    // A minimised window comes back.
    QWidget* settings = Main->ListedWindow(3);
    settings->showMinimized();
    ASSERT_TRUE(waitFor([&] { return settings->isMinimized(); }));
    click(3);
    EXPECT_FALSE(settings->isMinimized());
    EXPECT_TRUE(settings->isVisible());

    // A hidden Connections window is still listed, and a click shows it.
    Connects->hide();
    mainTick();
    ASSERT_EQ(listed().first(), "Connections");
    click(0);
    EXPECT_TRUE(Connects->isVisible());

    // A panel the rack hides (its unit has gone) leaves the list; the
    // windows it opened are still on the screen and stay.
    panel()->hide();
    mainTick();
    EXPECT_EQ(joined(listed()), joined({"Connections", "Studio A Tavr", "     Settings"}));
}
