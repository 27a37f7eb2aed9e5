#include "platform/IPClient.h"
#include "sim/peer/SimPeer.h"
#include "sim/peer/UnansweredPort.h"

#include <QElapsedTimer>
#include <QHostInfo>
#include <QSignalSpy>
#include <QTcpSocket>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace {

QByteArray allByteValues()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

struct SeenError
{
    int code;
    QString text;
};

class IPClientTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        port = sim.listenTcp();
        ASSERT_NE(port, 0);
        client.SetOnConnect([this] {
            events << "connect";
            synchronous |= insideCall;
        });
        client.SetOnError([this] {
            events << "error";
            errors.push_back({client.GetLastError(), client.GetLastErrorText()});
            synchronous |= insideCall;
        });
        client.SetOnRead([this] {
            events << "read";
            synchronous |= insideCall;
            received += client.ReceiveText();
        });
    }

    void open(const QString& address, int tcpPort, bool useHostName = false,
              const QString& hostName = {})
    {
        insideCall = true;
        client.Open(address, tcpPort, useHostName, hostName);
        insideCall = false;
    }

    bool waitForEvent(const QString& name, int count = 1, int timeoutMs = 3000)
    {
        return SimPeer::waitUntil([&] { return events.count(name) >= count; }, timeoutMs);
    }

    void settle(int ms = 200)
    {
        SimPeer::waitUntil([] { return false; }, ms);
    }

    void connectToSim()
    {
        open("127.0.0.1", port);
        ASSERT_TRUE(waitForEvent("connect"));
        ASSERT_TRUE(SimPeer::waitUntil([&] { return sim.isConnected(); }, 2000));
    }

    SimPeer sim;
    quint16 port = 0;
    TIPClientForm client;
    QStringList events;
    std::vector<SeenError> errors;
    QByteArray received;
    bool insideCall = false;
    bool synchronous = false;
};

TEST(ParseDecimalIpv4, ReadsEveryPartAsDecimal)
{
    const struct
    {
        const char* text;
        std::optional<quint32> address;
    } cases[] = {
        {"192.168.001.010", 0xC0A8010A},
        {"010.000.000.001", 0x0A000001},
        {" 169.254.128.128 ", 0xA9FE8080},
        {"255.255.255.255", 0xFFFFFFFF},
        {"000.000.000.000", 0},
        {"", std::nullopt},
        {"192.168.1", std::nullopt},
        {"1.2.3.4.5", std::nullopt},
        {"256.1.1.1", std::nullopt},
        {"1..2.3", std::nullopt},
        {"1.2.3.0x1", std::nullopt},
        {"1.2.3.-1", std::nullopt},
        {"0001.1.1.1", std::nullopt},
        {"1.2.3.4 5", std::nullopt},
        {"unit.local", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseDecimalIpv4(QString::fromLatin1(c.text)), c.address) << c.text;
}

TEST_F(IPClientTest, ConnectFillsTheTextsOfBothEnds)
{
    EXPECT_FALSE(client.GetConnected());
    connectToSim();
    EXPECT_FALSE(synchronous);
    EXPECT_TRUE(client.GetConnected());
    EXPECT_EQ(client.GetLocalAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(client.GetLocalHost(), QHostInfo::localHostName());
    EXPECT_FALSE(client.GetLocalHost().isEmpty());
    EXPECT_GT(client.GetLocalPort().toInt(), 0);
    EXPECT_EQ(client.GetRemoteAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(client.GetRemotePort(), QString::number(port));
    EXPECT_TRUE(errors.empty());
}

TEST_F(IPClientTest, EveryByteValuePassesUnchangedBothWays)
{
    connectToSim();
    const QByteArray all = allByteValues();
    client.SendText(all);
    ASSERT_TRUE(sim.waitForReceived(all));
    EXPECT_EQ(sim.received(), all);

    sim.send(all);
    ASSERT_TRUE(SimPeer::waitUntil([&] { return received.size() >= all.size(); }, 2000));
    EXPECT_EQ(received, all);
    EXPECT_FALSE(synchronous);
}

TEST_F(IPClientTest, ARefusedConnectIsOneErrorDeliveredLater)
{
    ASSERT_TRUE(sim.setRefuseConnections(true));
    open("127.0.0.1", port);
    EXPECT_TRUE(errors.empty()) << "nothing is reported inside Open";
    ASSERT_TRUE(waitForEvent("error"));
    settle();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].code, ECONNREFUSED);
    EXPECT_EQ(errors[0].text, QString::fromLocal8Bit(std::strerror(ECONNREFUSED)));
    EXPECT_EQ(client.GetLastError(), 0) << "the error is consumed after the handler";
    EXPECT_FALSE(client.GetConnected());
    EXPECT_FALSE(synchronous);
    EXPECT_EQ(events.count("connect"), 0);
}

TEST_F(IPClientTest, APeerThatClosesIsOneErrorAfterItsLastBytes)
{
    connectToSim();
    sim.send("bye\r");
    sim.dropLink();
    ASSERT_TRUE(waitForEvent("error"));
    settle();
    ASSERT_EQ(errors.size(), 1u) << "Qt reports the close twice; the frame hears it once";
    EXPECT_EQ(errors[0].code, ECONNRESET);
    EXPECT_FALSE(client.GetConnected());
    EXPECT_EQ(received, "bye\r") << "what came before the close is not lost";
    EXPECT_LT(events.indexOf("read"), events.indexOf("error"));
}

// The address 10.255.255.1 is of no use for this here: the sandbox network
// answers every address. A loopback port whose queue is full drops the SYN.
TEST_F(IPClientTest, AConnectThatHangsTimesOut)
{
    UnansweredPort silent;
    ASSERT_NE(silent.port(), 0);
    client.setConnectTimeout(300);
    QElapsedTimer clock;
    clock.start();
    open("127.0.0.1", silent.port());
    ASSERT_TRUE(waitForEvent("error", 1, 5000));
    EXPECT_GE(clock.elapsed(), 250);
    settle();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].code, ETIMEDOUT);
    EXPECT_EQ(client.ClientSocket1->state(), QAbstractSocket::UnconnectedState);
    EXPECT_EQ(events.count("connect"), 0);
}

TEST_F(IPClientTest, AnUnsetOrMalformedAddressIsNeverConnectedTo)
{
    // 0.0.0.0 would reach the simulator on this computer.
    QSignalSpy connects(&sim, &SimPeer::clientConnected);
    for (const char* address : {"000.000.000.000", "0.0.0.0", "192.168.1", "300.1.1.1"}) {
        errors.clear();
        open(QString::fromLatin1(address), port);
        EXPECT_TRUE(errors.empty()) << address;
        ASSERT_TRUE(waitForEvent("error", int(events.count("error")) + 1)) << address;
        ASSERT_EQ(errors.size(), 1u) << address;
        EXPECT_EQ(errors[0].code, EADDRNOTAVAIL) << address;
    }
    settle();
    EXPECT_EQ(connects.count(), 0);
    EXPECT_FALSE(synchronous);
}

TEST_F(IPClientTest, TheHostNameIsUsedWhenAsked)
{
    open("000.000.000.000", port, true, " localhost ");
    ASSERT_TRUE(waitForEvent("connect"));
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(client.GetRemotePort(), QString::number(port));
}

TEST_F(IPClientTest, OpenAgainReconnectsAndDropsTheOldAttempt)
{
    QSignalSpy connects(&sim, &SimPeer::clientConnected);
    connectToSim();
    open("127.0.0.1", port);
    ASSERT_TRUE(waitForEvent("connect", 2));
    ASSERT_TRUE(SimPeer::waitUntil([&] { return connects.count() == 2; }, 2000));
    client.SendText("new\r");
    EXPECT_TRUE(sim.waitForLine("new"));

    // A failure of an attempt replaced at once is no news to the frame.
    SimPeer refusing;
    const quint16 refusedPort = refusing.listenTcp();
    ASSERT_TRUE(refusing.setRefuseConnections(true));
    open("127.0.0.1", refusedPort);
    open("000.000.000.000", port, true, "127.0.0.1");
    ASSERT_TRUE(waitForEvent("connect", 3));
    settle();
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(client.GetConnected());
}

TEST_F(IPClientTest, CloseDeliversTheLastBytesSent)
{
    connectToSim();
    const QByteArray last = allByteValues().repeated(64);
    client.SendText(last);
    client.Close();
    EXPECT_FALSE(client.GetConnected());
    ASSERT_TRUE(SimPeer::waitUntil([&] { return sim.received().size() >= last.size(); }, 3000));
    EXPECT_EQ(sim.received(), last);
    settle();
    EXPECT_TRUE(errors.empty()) << "our own close is no error";
}

} // namespace
