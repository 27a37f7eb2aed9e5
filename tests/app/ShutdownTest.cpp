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
