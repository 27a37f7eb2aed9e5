// The once-per-run check of the web version file against a loopback web
// server: the update dialog offered once, after the tick, and every failure
// quiet.
#include "TestSupport.h"

#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "app/TolvexUpdate.h"
#include "link/Frame2.h"
#include "shell/Rack.h"
#include "sim/peer/HttpPeer.h"
#include "sim/tavr1/Tavr1Sim.h"
#include "tavr1/Tavr1_Panel.h"
#include "widgets/MessageBoxService.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Check = TMain::TVersionCheck;

// Counts the update dialog's appearances and answers each with "later".
class DialogCounter : public QObject
{
public:
    int shown = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && o == TolvexUpdate.data()) {
            ++shown;
            QTimer::singleShot(0, TolvexUpdate.data(), [] { TolvexUpdate->Button2->click(); });
        }
        return false;
    }
};

class VersionCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldUrl = qgetenv("TOLVEX_UPDATE_URL");
        ASSERT_NE(peer.listen(), 0);
        peer.serve("/Tolvex_Version.txt", 404, {});
        qputenv("TOLVEX_UPDATE_URL", peer.url().toString().toLatin1());
        SetMessageBoxAnswerer([this](const TMessageBoxRequest&) {
            ++boxes;
            return QMessageBox::Ok;
        });
    }
    void start(bool takeOverTimers = true)
    {
        CreateForms();
        Main->VersionCheckDeadlineMs = 1500;
        if (takeOverTimers)
            Main->Timer1->stop();
        TolvexUpdate->installEventFilter(&dialogs);
    }
    void TearDown() override
    {
        DestroyForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetMessageBoxAnswerer({});
        qputenv("TOLVEX_UPDATE_URL", m_oldUrl);
    }
    // A main tick and what it queued.
    static void tick()
    {
        Main->Timer1Timer();
        pump(20);
    }
    static bool answered() { return Main->VersionCheck != Check::Requested; }

    TempBase base;
    HttpPeer peer;
    DialogCounter dialogs;
    int boxes = 0;

private:
    QByteArray m_oldUrl;
};

struct CheckCase
{
    const char* what;
    HttpPeer::Fault fault;
    int status;
    QByteArray body;
    Check outcome;
    // Qt's HTTP layer sends a GET again when the connection closes before
    // an answer it can read.
    bool mayResend = false;
};

} // namespace

TEST_F(VersionCheckTest, OneRequestPerRunAndTheDialogOnlyForANewerProgram)
{
    const QByteArray usual = "Tolvex Version 5.1\r\nVren1 Version 4.05\r\nTavr1 Version 1.21\r\n";
    const CheckCase cases[] = {
        {"a newer program", HttpPeer::Fault::None, 200, usual, Check::UpdateOffered},
        {"after a byte-order mark", HttpPeer::Fault::None, 200, "\xEF\xBB\xBF" + usual,
         Check::UpdateOffered},
        {"after a blank line", HttpPeer::Fault::None, 200, "\r\n" + usual, Check::UpdateOffered},
        {"the same version", HttpPeer::Fault::None, 200, "Tolvex Version 5.0", Check::NoUpdate},
        {"no marker", HttpPeer::Fault::None, 200, "Vren1 Version 4.05\r\n", Check::NoUpdate},
        {"not a number", HttpPeer::Fault::None, 200, "Tolvex Version abc", Check::NoUpdate},
        {"garbage", HttpPeer::Fault::None, 200, QByteArray("\xFF\x00\x13\x37\x00", 5),
         Check::NoUpdate},
        {"not found", HttpPeer::Fault::None, 404, usual, Check::Failed},
        {"not HTTP", HttpPeer::Fault::NotHttp, 200, usual, Check::Failed, true},
        {"1 MiB", HttpPeer::Fault::HugeBody, 200, usual, Check::Failed},
        {"never answers", HttpPeer::Fault::NeverAnswer, 200, usual, Check::Failed},
        {"trickles", HttpPeer::Fault::Trickle, 200, usual, Check::Failed},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        HttpPeer server;
        ASSERT_NE(server.listen(), 0);
        server.serve("/Tolvex_Version.txt", c.status, c.body);
        server.setFault(c.fault);
        qputenv("TOLVEX_UPDATE_URL", server.url().toString().toLatin1());
        start();
        dialogs.shown = 0;
        EXPECT_EQ(Main->VersionCheck, Check::Pending);

        tick();
        EXPECT_NE(Main->VersionCheck, Check::Pending);
        ASSERT_TRUE(waitFor(answered, 4000));
        EXPECT_EQ(Main->VersionCheck, c.outcome);
        EXPECT_EQ(dialogs.shown, 0) << "only at the tick after the reply";
        for (int i = 0; i < 3; ++i)
            tick();
        EXPECT_EQ(dialogs.shown, c.outcome == Check::UpdateOffered ? 1 : 0);
        if (c.mayResend) {
            EXPECT_GE(server.getCount(), 1);
            EXPECT_LE(server.getCount(), 4);
        } else {
            EXPECT_EQ(server.getCount(), 1);
        }
        EXPECT_EQ(boxes, 0);
        if (c.outcome == Check::UpdateOffered) {
            EXPECT_EQ(Main->ProgramVersionText.trimmed(), "5.1");
            EXPECT_EQ(Main->Vren1VersionText, "4.05");
            EXPECT_EQ(Main->Tavr1VersionText, "1.21");
        }
        if (c.outcome == Check::Failed) {
            EXPECT_TRUE(Main->VersionFileText.isEmpty());
            EXPECT_TRUE(Main->ProgramVersionText.isEmpty());
            EXPECT_FALSE(Main->UpdateAvailable);
        }
        DestroyForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(VersionCheckTest, ARefusedPortFailsQuietly)
{
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const quint16 port = closed.serverPort();
    closed.close();
    qputenv("TOLVEX_UPDATE_URL",
            QString("http://127.0.0.1:%1/Tolvex_Version.txt").arg(port).toLatin1());
    start();
    const qsizetype lines = MessageLines->lines().size();
    tick();
    ASSERT_TRUE(waitFor(answered, 4000));
    EXPECT_EQ(Main->VersionCheck, Check::Failed);
    tick();
    EXPECT_EQ(dialogs.shown, 0);
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(MessageLines->lines().size(), lines) << "no event line either";
}

// While the server trickles, the program goes on: the connection comes up,
// its rack and panel appear and show readings, all before the deadline ends
// the request.
TEST_F(VersionCheckTest, ASlowServerHoldsNothingUp)
{
    Tavr1Sim unit;
    TConnectionSettings s = DefaultSettings("Connect1", base.path());
    s.HardwareType = htTavr1;
    s.Transport = trNetwork;
    s.ConnectOnStartup = true;
    s.IpAddress = "127.0.0.1";
    s.TcpPort = unit.listenTcp();
    base.writeConfig("Connect1", s);
    peer.serve("/Tolvex_Version.txt", 200, "Tolvex Version 5.1\r\n");
    peer.setFault(HttpPeer::Fault::Trickle);

    start(false);
    Main->VersionCheckDeadlineMs = 60000;
    Main->Timer1->setInterval(100); // the same tick, sooner
    QSignalSpy ticks(Main->Timer1, &QTimer::timeout);
    auto reading = [] {
        TTavr1Panel* p =
            Main->Rack1 ? Main->Rack1->findChild<TTavr1Panel*>("Rack1_TAVR1") : nullptr;
        return p && p->findChild<QLabel*>("LD_Total_Peak")->text() == "100.1%";
    };
    ASSERT_TRUE(waitFor(reading, 20000));
    EXPECT_EQ(Main->VersionCheck, Check::Requested);
    EXPECT_GE(ticks.count(), 5);
    EXPECT_EQ(peer.getCount(), 1);
}

TEST_F(VersionCheckTest, TheDeadlineEndsATricklingServer)
{
    peer.serve("/Tolvex_Version.txt", 200, "Tolvex Version 5.1\r\n");
    peer.setFault(HttpPeer::Fault::Trickle);
    start();
    Main->VersionCheckDeadlineMs = 1200;
    tick();
    pump(900);
    EXPECT_EQ(Main->VersionCheck, Check::Requested) << "bytes keep coming";
    ASSERT_TRUE(waitFor(answered, 3000));
    EXPECT_EQ(Main->VersionCheck, Check::Failed);
}

// Closing the main window while the request waits ends the program at once:
// the request goes with it and nothing arrives afterwards.
TEST_F(VersionCheckTest, ClosingWhileTheRequestWaitsEndsAtOnce)
{
    peer.serve("/Tolvex_Version.txt", 200, "Tolvex Version 5.1\r\n");
    peer.setFault(HttpPeer::Fault::NeverAnswer);
    start();
    Main->VersionCheckDeadlineMs = 15000;
    Main->ShutdownPauseMs = 0;
    tick();
    ASSERT_TRUE(waitFor([&] { return peer.getCount() == 1; }));

    QElapsedTimer t;
    t.start();
    QTimer::singleShot(0, Main, [] { Main->close(); });
    EXPECT_EQ(qApp->exec(), 0);
    DestroyForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_LT(t.elapsed(), 5000);
    pump(100);
    EXPECT_TRUE(Main.isNull());
}
