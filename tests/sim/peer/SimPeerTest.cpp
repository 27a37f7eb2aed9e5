#include "sim/peer/SimPeer.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

// Checks of the simulator base itself, where a fault would make every protocol
// test built on it lie.

namespace {

QByteArray readFd(int fd, int count, int timeoutMs = 2000)
{
    QByteArray got;
    SimPeer::waitUntil(
        [&] {
            char buffer[256];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0)
                got.append(buffer, n);
            return got.size() >= count;
        },
        timeoutMs);
    return got;
}

} // namespace

// Opened by plain POSIX calls that set nothing, so only the simulator's own set-up
// keeps the terminal from echoing, translating CR or taking control characters.
TEST(SimPeer, ThePseudoTerminalIsRawFromTheStart)
{
    SimPeer sim;
    const QString path = sim.openPty();
    ASSERT_FALSE(path.isEmpty());
    const QByteArray special("A\rB\n\x03\x11\x13\x1a\x7f\xff", 10);

    sim.send(special); // before the program has the terminal open
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    EXPECT_EQ(readFd(fd, int(special.size())), special);

    ASSERT_EQ(::write(fd, special.constData(), size_t(special.size())), special.size());
    ASSERT_TRUE(sim.waitForReceived(special));
    EXPECT_EQ(sim.received(), special) << "nothing echoed, nothing altered";
    ::close(fd);
}

TEST(SimPeer, SplitsLinesAtCrAndAnswersAfterADelay)
{
    SimPeer sim;
    const quint16 port = sim.listenTcp();
    ASSERT_NE(port, 0);
    sim.addReply("ID", "TAVR1\r", 40);
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(SimPeer::waitUntil([&] { return sim.isConnected(); }, 2000));

    socket.write("AB\rI");
    socket.flush();
    ASSERT_TRUE(sim.waitForLine("AB"));
    QElapsedTimer clock;
    clock.start();
    socket.write("D\r");
    socket.flush();
    ASSERT_TRUE(SimPeer::waitUntil([&] { return socket.bytesAvailable() >= 6; }, 2000));
    EXPECT_GE(clock.elapsed(), 35);
    EXPECT_EQ(socket.readAll(), "TAVR1\r");
    EXPECT_EQ(sim.receivedLines(), (QList<QByteArray>{"AB", "ID"}));

    sim.setSilent(true);
    socket.write("ID\r");
    socket.flush();
    ASSERT_TRUE(SimPeer::waitUntil([&] { return sim.receivedLines().size() == 3; }, 2000));
    SimPeer::waitUntil([] { return false; }, 100);
    EXPECT_EQ(socket.bytesAvailable(), 0) << "a silent unit answers nothing";
}

TEST(SimPeer, RefusesAndAcceptsAgainOnTheSamePort)
{
    SimPeer sim;
    const quint16 port = sim.listenTcp();
    ASSERT_TRUE(sim.setRefuseConnections(true));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(SimPeer::waitUntil(
        [&] { return socket.error() == QAbstractSocket::ConnectionRefusedError; }, 2000));

    ASSERT_TRUE(sim.setRefuseConnections(false));
    EXPECT_EQ(sim.tcpPort(), port);
    socket.abort();
    socket.connectToHost(QHostAddress::LocalHost, port);
    EXPECT_TRUE(SimPeer::waitUntil([&] { return sim.isConnected(); }, 2000));
}
