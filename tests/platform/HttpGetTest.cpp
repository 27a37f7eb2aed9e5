// One GET against a loopback web server that misbehaves in each way a real
// one can: exactly one result every time, and failure where the body cannot
// be trusted.
#include "TestSupport.h"

#include "platform/HttpGet.h"
#include "sim/peer/HttpPeer.h"

#include <QNetworkReply>
#include <QTcpServer>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Outcome
{
    int succeeded = 0;
    int failed = 0;
    QByteArray body;
    int results() const { return succeeded + failed; }
};

void watch(THttpGet& get, Outcome& o)
{
    QObject::connect(&get, &THttpGet::succeeded, [&o](const QByteArray& b) {
        ++o.succeeded;
        o.body = b;
    });
    QObject::connect(&get, &THttpGet::failed, [&o](const QString&) { ++o.failed; });
}

// A loopback port where nothing listens.
quint16 closedPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost);
    return s.serverPort(); // closed again when s goes
}

struct GetCase
{
    const char* what;
    HttpPeer::Fault fault;
    int status;
    QByteArray body;
    bool ok;
    // Qt's HTTP layer sends a GET again, up to three more times, when the
    // connection closes before an answer it can read.
    bool mayResend = false;
};

} // namespace

TEST(HttpGet, OneResultForEveryKindOfAnswer)
{
    const QByteArray big(THttpGet::MaxBodyBytes, 'v');
    const GetCase cases[] = {
        {"a plain answer", HttpPeer::Fault::None, 200, "Tolvex Version 5.1\r\n", true},
        {"an empty body", HttpPeer::Fault::None, 200, "", true},
        {"the largest body taken", HttpPeer::Fault::None, 200, big, true},
        {"one byte more", HttpPeer::Fault::None, 200, big + "v", false},
        {"a late answer inside the deadline", HttpPeer::Fault::Delay, 200, "late", true},
        {"not found", HttpPeer::Fault::None, 404, "gone", false},
        {"a server error", HttpPeer::Fault::None, 500, "", false},
        {"closed without a reply", HttpPeer::Fault::CloseWithoutReply, 200, "x", false, true},
        {"not HTTP", HttpPeer::Fault::NotHttp, 200, "x", false, true},
        {"a body of 1 MiB", HttpPeer::Fault::HugeBody, 200, "", false},
        {"never answers", HttpPeer::Fault::NeverAnswer, 200, "x", false},
        {"trickles", HttpPeer::Fault::Trickle, 200, "Tolvex Version 5.1\r\n", false},
    };
    for (const GetCase& c : cases) {
        HttpPeer peer;
        ASSERT_NE(peer.listen(), 0);
        peer.serve("/Tolvex_Version.txt", c.status, c.body);
        peer.setFault(c.fault, 200);
        THttpGet get;
        Outcome o;
        watch(get, o);
        get.get(peer.url(), 1500);
        EXPECT_TRUE(waitFor([&] { return o.results() > 0; }, 5000)) << c.what;
        pump(50); // nothing more comes
        EXPECT_EQ(o.results(), 1) << c.what;
        EXPECT_EQ(o.succeeded, c.ok ? 1 : 0) << c.what;
        if (c.ok) {
            EXPECT_EQ(o.body, c.body) << c.what;
        }
        if (c.mayResend) {
            EXPECT_GE(peer.getCount(), 1) << c.what;
            EXPECT_LE(peer.getCount(), 4) << c.what;
        } else {
            EXPECT_EQ(peer.getCount(), 1) << c.what;
        }
        EXPECT_FALSE(get.isRunning()) << c.what;
    }
}

TEST(HttpGet, ARefusedPortFails)
{
    THttpGet get;
    Outcome o;
    watch(get, o);
    get.get(QUrl(QString("http://127.0.0.1:%1/Tolvex_Version.txt").arg(closedPort())), 5000);
    ASSERT_TRUE(waitFor([&] { return o.results() > 0; }));
    EXPECT_EQ(o.failed, 1);
}

// A trickling server never goes quiet long enough for an inactivity
// time-out; the deadline ends it anyway.
TEST(HttpGet, TheDeadlineEndsATricklingServer)
{
    HttpPeer peer;
    ASSERT_NE(peer.listen(), 0);
    peer.serve("/v", 200, QByteArray(200, 'x'));
    peer.setFault(HttpPeer::Fault::Trickle);
    THttpGet get;
    Outcome o;
    watch(get, o);
    get.get(peer.url(), 900);
    pump(700);
    EXPECT_EQ(o.results(), 0) << "still receiving";
    ASSERT_TRUE(waitFor([&] { return o.results() > 0; }, 3000));
    EXPECT_EQ(o.failed, 1);
}

TEST(HttpGet, AbortedOrDestroyedItReportsNothing)
{
    HttpPeer peer;
    ASSERT_NE(peer.listen(), 0);
    peer.serve("/v", 200, "x");
    peer.setFault(HttpPeer::Fault::Delay, 300);
    Outcome o;
    {
        auto get = std::make_unique<THttpGet>();
        watch(*get, o);
        get->get(peer.url(), 2000);
        ASSERT_TRUE(waitFor([&] { return peer.getCount() == 1; }));
        get->abort();
        EXPECT_FALSE(get->isRunning());
        get->get(peer.url(), 2000);
        ASSERT_TRUE(waitFor([&] { return peer.getCount() == 2; }));
    } // destroyed while the second waits
    pump(600);
    EXPECT_EQ(o.results(), 0);
}

// A server that sends far more than any version file: what arrives at the
// reply, in its buffer or already in our copy, never grows past twice the
// cap before the request fails.
TEST(HttpGet, AHugeBodyIsCutOffWithoutBeingHeld)
{
    HttpPeer peer;
    ASSERT_NE(peer.listen(), 0);
    peer.serve("/v", 200, QByteArray(16 * 1024 * 1024, 'v'));
    THttpGet get;
    Outcome o;
    watch(get, o);
    get.get(peer.url(), 10000);
    auto* reply = get.findChild<QNetworkReply*>();
    ASSERT_NE(reply, nullptr);
    qint64 mostArrived = 0;
    QObject::connect(reply, &QNetworkReply::downloadProgress,
                     [&](qint64 received, qint64) { mostArrived = qMax(mostArrived, received); });
    ASSERT_TRUE(waitFor([&] { return o.results() > 0; }, 10000));
    pump(100);
    EXPECT_EQ(o.failed, 1);
    EXPECT_GT(mostArrived, THttpGet::MaxBodyBytes);
    EXPECT_LT(mostArrived, 2 * THttpGet::MaxBodyBytes);
}
