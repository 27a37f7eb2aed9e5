#include "sim/peer/SimPeer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTime>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

SimPeer::SimPeer(QObject* parent)
    : QObject(parent)
{}

SimPeer::~SimPeer()
{
    releaseSocket();
    closePty();
}

quint16 SimPeer::listenTcp(quint16 port)
{
    if (!m_server) {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, &SimPeer::acceptConnection);
    }
    if (!m_server->isListening() && !m_server->listen(QHostAddress::LocalHost, port))
        return 0;
    m_tcpPort = m_server->serverPort();
    return m_tcpPort;
}

bool SimPeer::setRefuseConnections(bool refuse)
{
    if (!m_server)
        return false;
    if (refuse) {
        m_server->close();
        return true;
    }
    return m_server->isListening() || m_server->listen(QHostAddress::LocalHost, m_tcpPort);
}

void SimPeer::acceptConnection()
{
    while (QTcpSocket* next = m_server->nextPendingConnection()) {
        if (m_socket) {
            logLink(QString("a new connection from port %1 takes over; the one from port %2 is "
                            "reset")
                        .arg(next->peerPort())
                        .arg(m_socket->peerPort()));
            releaseSocket();
            emit clientDisconnected();
        } else {
            logLink(QString("connection from port %1 taken").arg(next->peerPort()));
        }
        m_socket = next;
        linkChanged();
        connect(m_socket, &QTcpSocket::readyRead, this, [this] { takeBytes(m_socket->readAll()); });
        connect(m_socket, &QTcpSocket::disconnected, this, [this] {
            logLink(QString("the program closed its connection from port %1")
                        .arg(m_socket->peerPort()));
            takeBytes(m_socket->readAll());
            releaseSocket();
            emit clientDisconnected();
        });
        emit clientConnected();
    }
}

void SimPeer::logLink(const QString& what) const
{
    if (LogLinks)
        std::fprintf(stderr, "%s tolvex-sim: %s\n",
                     qPrintable(QTime::currentTime().toString("HH:mm:ss.zzz")), qPrintable(what));
}

void SimPeer::releaseSocket()
{
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    m_socket->abort();
    m_socket->deleteLater();
    m_socket = nullptr;
    linkChanged();
}

QString SimPeer::openPty()
{
    closePty();
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0)
        return {};
    // Raw before anything passes: a terminal in its default mode echoes what the
    // program writes and turns CR into LF.
    termios raw{};
    ::tcgetattr(master, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(master, TCSANOW, &raw);
    // Close-on-exec, so a child process (tolvex-sim in the tests) does not keep the
    // terminal alive after dropLink.
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);

    m_ptyMaster = master;
    m_ptySlave = slave;
    m_ptyPath = QString::fromLocal8Bit(name);
    m_ptyReadNotifier = new QSocketNotifier(master, QSocketNotifier::Read, this);
    connect(m_ptyReadNotifier, &QSocketNotifier::activated, this, &SimPeer::readPty);
    m_ptyWriteNotifier = new QSocketNotifier(master, QSocketNotifier::Write, this);
    m_ptyWriteNotifier->setEnabled(false);
    connect(m_ptyWriteNotifier, &QSocketNotifier::activated, this, &SimPeer::writePty);
    linkChanged();
    return m_ptyPath;
}

void SimPeer::readPty()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_ptyMaster, buffer, sizeof buffer);
        if (n > 0) {
            takeBytes(QByteArray(buffer, n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        // The terminal end is gone for good (we hold it open, so this is rare).
        closePty();
        emit clientDisconnected();
        return;
    }
}

void SimPeer::writePty()
{
    while (!m_ptyOut.isEmpty()) {
        const ssize_t n = ::write(m_ptyMaster, m_ptyOut.constData(), size_t(m_ptyOut.size()));
        if (n > 0) {
            m_ptyOut.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // full: wait for the write notifier
    }
    m_ptyWriteNotifier->setEnabled(!m_ptyOut.isEmpty());
}

void SimPeer::closePty()
{
    if (m_ptyMaster < 0)
        return;
    delete m_ptyReadNotifier;
    delete m_ptyWriteNotifier;
    m_ptyReadNotifier = nullptr;
    m_ptyWriteNotifier = nullptr;
    ::close(m_ptyMaster);
    ::close(m_ptySlave);
    m_ptyMaster = -1;
    m_ptySlave = -1;
    m_ptyOut.clear();
    linkChanged();
}

bool SimPeer::isConnected() const
{
    if (m_socket)
        return m_socket->state() == QAbstractSocket::ConnectedState;
    return m_ptyMaster >= 0;
}

void SimPeer::dropLink()
{
    if (m_socket) {
        logLink(QString("the unit drops the connection from port %1").arg(m_socket->peerPort()));
        m_socket->flush();
        releaseSocket();
        emit clientDisconnected();
    }
    if (m_ptyMaster >= 0) {
        closePty();
        emit clientDisconnected();
    }
}

void SimPeer::linkChanged()
{
    ++m_link;
    m_partialLine.clear(); // a line is never glued from two links
}

void SimPeer::send(const QByteArray& bytes)
{
    if (m_socket) {
        m_socket->write(bytes);
        m_socket->flush();
    } else if (m_ptyMaster >= 0) {
        m_ptyOut += bytes;
        writePty();
    }
}

qint64 SimPeer::unsentBytes() const
{
    if (m_socket)
        return m_socket->bytesToWrite();
    return m_ptyOut.size();
}

void SimPeer::setFlood(int chunkBytes)
{
    m_floodChunk = chunkBytes;
    if (!m_floodTimer) {
        m_floodTimer = new QTimer(this);
        m_floodTimer->setInterval(1);
        connect(m_floodTimer, &QTimer::timeout, this, [this] {
            // Only as fast as the link takes them: the peer's own queue stays small.
            if (!isConnected() || unsentBytes() > m_floodChunk)
                return;
            send(QByteArray(m_floodChunk, 'x'));
            m_flooded += m_floodChunk;
        });
    }
    if (chunkBytes > 0)
        m_floodTimer->start();
    else
        m_floodTimer->stop();
}

void SimPeer::sendLater(const QByteArray& bytes, int delayMs)
{
    QTimer::singleShot(delayMs, this, [this, bytes] { send(bytes); });
}

void SimPeer::reply(const QByteArray& bytes, int delayMs)
{
    if (m_silent)
        return;
    ++m_pendingReplies;
    QTimer::singleShot(delayMs, this, [this, bytes, link = m_link] {
        --m_pendingReplies;
        if (link == m_link && !m_silent)
            send(bytes);
    });
}

void SimPeer::onLine(LineHandler handler)
{
    m_lineHandlers.push_back(std::move(handler));
}

void SimPeer::addReply(const QByteArray& lineEquals, const QByteArray& reply, int delayMs)
{
    m_rules.push_back({lineEquals, reply, delayMs});
}

void SimPeer::takeBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty() || m_finishing)
        return;
    if (!m_faultClockStarted && !m_faults.isEmpty())
        startFaultClock();
    m_received += bytes;
    emit bytesArrived(bytes);
    handleBytes(bytes);

    m_partialLine += bytes;
    qsizetype cr;
    while ((cr = m_partialLine.indexOf('\r')) >= 0) {
        const QByteArray line = m_partialLine.left(cr);
        m_partialLine.remove(0, cr + 1);
        m_lines.append(line);
        if (!m_silent)
            handleLine(line);
    }
}

void SimPeer::handleBytes(const QByteArray&) {}

void SimPeer::handleLine(const QByteArray& line)
{
    for (const ReplyRule& rule : m_rules) {
        if (rule.line == line) {
            reply(rule.reply, rule.delayMs);
            break;
        }
    }
    // A handler may add handlers; iterate over a copy.
    const std::vector<LineHandler> handlers = m_lineHandlers;
    for (const LineHandler& handler : handlers)
        handler(line);
}

void SimPeer::clearReceived()
{
    m_received.clear();
    m_lines.clear();
}

bool SimPeer::waitForReceived(const QByteArray& needle, int timeoutMs)
{
    return waitUntil([&] { return m_received.contains(needle); }, timeoutMs);
}

bool SimPeer::waitForLine(const QByteArray& line, int timeoutMs)
{
    return waitUntil([&] { return m_lines.contains(line); }, timeoutMs);
}

bool SimPeer::waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    // The ticker wakes the blocking wait below, so the loop sleeps between events
    // instead of spinning.
    QTimer ticker;
    ticker.start(5);
    while (!condition()) {
        if (deadline.hasExpired())
            return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

void SimPeer::setFaults(const QList<TSimFault>& faults, int every, quint32 seed)
{
    m_faults.configure(faults, every, seed);
}

std::optional<TSimFault> SimPeer::nextBlockFault()
{
    const std::optional<TSimFault> f = m_faults.nextBlock();
    if (f)
        emit faultShown(QString("%1 (block %2)").arg(SimFaultName(*f)).arg(m_faults.blocks()));
    return f;
}

void SimPeer::startFaultClock()
{
    // One clock for the whole run, not one a link: a login that a silence
    // made fail can be tried again at once.
    m_faultClockStarted = true;
    if (m_faults.has(TSimFault::Silence))
        linkFault(TSimFault::Silence, 0);
    if (m_faults.has(TSimFault::Flood))
        linkFault(TSimFault::Flood, SimFloodOffsetMs);
}

void SimPeer::linkFault(TSimFault fault, int firstMs)
{
    auto begin = [this, fault] {
        emit faultShown(SimFaultName(fault));
        if (fault == TSimFault::Silence)
            setSilent(true);
        else
            setFlood(256);
        QTimer::singleShot(SimSilenceMs, this, [this, fault] {
            if (fault == TSimFault::Silence)
                setSilent(false);
            else
                setFlood(0);
            emit faultShown(SimFaultName(fault) + " over");
        });
    };
    auto* clock = new QTimer(this);
    clock->setInterval(SimLinkFaultPeriodMs);
    connect(clock, &QTimer::timeout, this, begin);
    if (firstMs == 0) {
        begin();
        clock->start();
    } else {
        QTimer::singleShot(firstMs, this, [clock, begin] {
            begin();
            clock->start();
        });
    }
}

void SimPeer::loggedIn()
{
    if (m_dropArmed || !m_faults.has(TSimFault::Drop))
        return;
    m_dropArmed = true;
    QTimer::singleShot(SimDropAfterLoginMs, this, [this] {
        emit faultShown(SimFaultName(TSimFault::Drop));
        dropLink();
    });
}

void SimPeer::finish(int graceMs, const std::function<void()>& done)
{
    m_finishing = true;
    setFlood(0);
    QTimer::singleShot(graceMs, this, done);
}
