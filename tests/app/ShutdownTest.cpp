#include "TestSupport.h"

#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "link/Frame2.h"
#include "sim/peer/SimPeer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

// Closing the main window signs off every connected instrument, waits for them
// to take it, closes the links and ends the event loop.
TEST(Shutdown, SignsOffEachFamilyThenClosesAndEndsTheProgram)
{
    TempBase base;
    SimPeer rack, bry1, hd, tavr1;
    SimPeer* sims[] = {&rack, &bry1, &hd, &tavr1};
    for (int i = 0; i < 4; ++i) {
        TConnectionSettings s = DefaultSettings(QString("Connect%1").arg(i + 1), base.path());
        s.HardwareType = i; // rack, Bry1, HD, Tavr1
        s.Transport = trNetwork;
        s.IpAddress = "127.0.0.1";
        s.TcpPort = sims[i]->listenTcp();
        s.ConnectOnStartup = true;
        base.writeConfig(QString("Connect%1").arg(i + 1), s);
    }
    CreateForms();
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(waitFor([&] { return Connects->ConnectionByIndex(i + 1)->PortOpen; })) << i;

    QElapsedTimer t;
    QTimer::singleShot(0, Main, [&] {
        t.start();
        Main->close();
    });
    const int result = qApp->exec(); // returns only because closing the main window quits
    const qint64 closing = t.elapsed();
    EXPECT_EQ(result, 0);
    EXPECT_GE(closing, 2900);
    EXPECT_LT(closing, 6000);

    for (SimPeer* s : sims)
        EXPECT_TRUE(s->waitUntil([&] { return !s->isConnected(); }, 2000));
    EXPECT_EQ(rack.received(), QByteArray("\x02\xFE", 2));
    EXPECT_EQ(bry1.received(), QByteArray());
    EXPECT_EQ(hd.received(), "EC\r");
    EXPECT_EQ(tavr1.received(), "EC\r");
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(Connects->ConnectionByIndex(n)->Status, stDisconnected);
        EXPECT_FALSE(Connects->ConnectionByIndex(n)->Timer1->isActive());
    }
    DestroyForms();
    EXPECT_TRUE(Connects.isNull());
    EXPECT_TRUE(MessageLines.isNull());
}

// The pause is for instruments that were told goodbye: with nothing signed off
// the program closes at once. The pause itself keeps the event loop running,
// so the sign-off still leaves and the windows stay drawn.
TEST(Shutdown, WaitsOnlyAfterASignOffAndKeepsTheLoopRunning)
{
    {
        TempBase base;
        CreateForms();
        bool ran = false;
        QTimer::singleShot(0, Main, [&] { ran = true; });
        EXPECT_FALSE(Connects->CloseAll()) << "no connection was open";
        EXPECT_FALSE(ran) << "nothing waited, so nothing ran meanwhile";
        DestroyForms();
    }
    {
        TempBase base;
        SimPeer tavr1;
        TConnectionSettings s = DefaultSettings("Connect1", base.path());
        s.HardwareType = htTavr1;
        s.Transport = trNetwork;
        s.IpAddress = "127.0.0.1";
        s.TcpPort = tavr1.listenTcp();
        s.ConnectOnStartup = true;
        base.writeConfig("Connect1", s);
        CreateForms();
        ASSERT_TRUE(waitFor([&] { return Connects->ConnectionByIndex(1)->PortOpen; }));

        bool ran = false;
        QTimer::singleShot(0, Main, [&] { ran = true; });
        EXPECT_TRUE(Connects->CloseAll(300));
        EXPECT_TRUE(ran) << "the event loop ran during the pause";
        EXPECT_TRUE(tavr1.waitUntil([&] { return tavr1.received() == "EC\r"; }, 2000));
        EXPECT_FALSE(Connects->ConnectionByIndex(1)->PortOpen);
        DestroyForms();
    }
}
