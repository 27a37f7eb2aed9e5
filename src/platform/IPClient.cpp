#include "platform/IPClient.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QTcpSocket>
#include <QTimer>
#include <cerrno>
#include <cstring>

std::optional<quint32> parseDecimalIpv4(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    quint32 address = 0;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return std::nullopt;
        int value = 0;
        for (QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
            value = value * 10 + (c.unicode() - '0');
        }
        if (value > 255)
            return std::nullopt;
        address = (address << 8) | quint32(value);
    }
    return address;
}

namespace {

// Failures are reported as errno values so that the event log can print the
// system's own message for them.
int errnoForSocketError(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return ECONNREFUSED;
    case QAbstractSocket::RemoteHostClosedError:
        // An orderly close by the unit has no errno of its own; to the frame it is
        // the connection lost, as a reset would be.
        return ECONNRESET;
    case QAbstractSocket::HostNotFoundError:
        return EHOSTUNREACH; // with Qt's own text, "Host not found"
    case QAbstractSocket::SocketAccessError:
        return EACCES;
    case QAbstractSocket::SocketResourceError:
        return ENOBUFS;
    case QAbstractSocket::SocketTimeoutError:
        return ETIMEDOUT;
    case QAbstractSocket::NetworkError:
        return ENETUNREACH;
    case QAbstractSocket::AddressInUseError:
        return EADDRINUSE;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return EADDRNOTAVAIL;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return EOPNOTSUPP;
    case QAbstractSocket::TemporaryError:
        return EAGAIN;
    default:
        return EIO;
    }
}

} // namespace

TIPClientForm::TIPClientForm(QObject* parent)
    : QObject(parent)
    , ClientSocket1(new QTcpSocket(this))
    , m_connectTimer(new QTimer(this))
{
    ClientSocket1->setReadBufferSize(ReadBufferBytes);
    m_connectTimer->setSingleShot(true);
    connect(m_connectTimer, &QTimer::timeout, this, &TIPClientForm::connectTimedOut);
    connect(ClientSocket1, &QTcpSocket::connected, this, &TIPClientForm::socketConnected);
    connect(ClientSocket1, &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) {
                const int code = errnoForSocketError(error);
                socketFailed(code, error == QAbstractSocket::HostNotFoundError
                                       ? ClientSocket1->errorString()
                                       : QString());
            });
    // Qt announces a closing peer as an error and then as a disconnect; a
    // disconnect without an error before it is still a lost connection.
    connect(ClientSocket1, &QTcpSocket::disconnected, this,
            [this] { socketFailed(ECONNRESET, {}); });
    connect(ClientSocket1, &QTcpSocket::readyRead, this, [this] {
        if (m_readPending)
            return;
        m_readPending = true;
        deliver([this] {
            m_readPending = false;
            if (m_onRead)
                m_onRead();
        });
    });
}

TIPClientForm::~TIPClientForm()
{
    abortSocket();
}

void TIPClientForm::setConnectTimeout(int ms)
{
    m_connectTimeoutMs = ms;
}

void TIPClientForm::startAttempt()
{
    ++m_attempt;
    m_failureReported = false;
    m_readPending = false;
    m_connectTimer->stop();
}

void TIPClientForm::abortSocket()
{
    // Never close(): a socket left in ClosingState would make the next connect
    // do nothing. Our own abort is no event for the frame.
    const QSignalBlocker blocker(ClientSocket1);
    ClientSocket1->abort();
}

void TIPClientForm::Open(const QString& address, int port, bool useHostName,
                         const QString& hostName)
{
    startAttempt();
    abortSocket();
    m_connected = false;
    m_localAddress.clear();
    m_localHost.clear();
    m_localPort.clear();
    m_remoteAddress.clear();
    m_remotePort.clear();

    if (port < 1 || port > 65535) {
        deliverError(EINVAL);
        return;
    }
    if (useHostName) {
        ClientSocket1->connectToHost(hostName.trimmed(), quint16(port));
    } else {
        // 0.0.0.0 would reach this computer itself on Linux; it is the unset
        // address of a connection ("000.000.000.000"), never a unit.
        const std::optional<quint32> ip = parseDecimalIpv4(address);
        if (!ip || *ip == 0) {
            deliverError(EADDRNOTAVAIL);
            return;
        }
        ClientSocket1->connectToHost(QHostAddress(*ip), quint16(port));
    }
    m_connectTimer->start(m_connectTimeoutMs);
}

void TIPClientForm::Close()
{
    // Flushing before the abort hands the last bytes to the system, which still
    // sends them; abort() alone would discard them.
    if (ClientSocket1->state() == QAbstractSocket::ConnectedState)
        ClientSocket1->flush();
    startAttempt();
    abortSocket();
    m_connected = false;
}

void TIPClientForm::ClearReceiveSocket()
{
    // Nothing: draining here would lose a reply that arrived quickly.
}

QByteArray TIPClientForm::ReceiveText()
{
    // Bytes that arrived before the peer closed remain readable.
    if (ClientSocket1->bytesAvailable() <= 0)
        return {};
    return ClientSocket1->readAll();
}

void TIPClientForm::SendText(const QByteArray& bytes)
{
    if (bytes.isEmpty() || !ClientSocket1->isOpen())
        return;
    ClientSocket1->write(bytes);
    ClientSocket1->flush();
}

void TIPClientForm::socketConnected()
{
    m_connectTimer->stop();
    QString localHost = QHostInfo::localHostName();
    if (localHost.isEmpty())
        localHost = ClientSocket1->localAddress().toString();
    const QString localAddress = ClientSocket1->localAddress().toString();
    const QString localPort = QString::number(ClientSocket1->localPort());
    const QString remoteAddress = ClientSocket1->peerAddress().toString();
    const QString remotePort = QString::number(ClientSocket1->peerPort());
    deliver([=, this] {
        m_connected = true;
        m_localAddress = localAddress;
        m_localHost = localHost;
        m_localPort = localPort;
        m_remoteAddress = remoteAddress;
        m_remotePort = remotePort;
        if (m_onConnect)
            m_onConnect();
    });
}

void TIPClientForm::socketFailed(int code, const QString& text)
{
    m_connectTimer->stop();
    if (m_failureReported)
        return;
    m_failureReported = true;
    deliverError(code, text);
}

void TIPClientForm::connectTimedOut()
{
    if (ClientSocket1->state() == QAbstractSocket::ConnectedState || m_failureReported)
        return;
    m_failureReported = true;
    abortSocket();
    deliverError(ETIMEDOUT);
}

void TIPClientForm::deliver(std::function<void()> event)
{
    QMetaObject::invokeMethod(
        this,
        [this, attempt = m_attempt, event = std::move(event)] {
            if (attempt == m_attempt)
                event();
        },
        Qt::QueuedConnection);
}

void TIPClientForm::deliverError(int code, const QString& text)
{
    deliver([this, code, text] {
        m_connected = false;
        m_lastError = code;
        m_lastErrorText = text;
        if (m_onError)
            m_onError();
        m_lastError = 0;
        m_lastErrorText.clear();
    });
}

void TIPClientForm::SetOnRead(Handler h)
{
    m_onRead = std::move(h);
}

IIPClient::Handler TIPClientForm::GetOnRead() const
{
    return m_onRead;
}

void TIPClientForm::SetOnError(Handler h)
{
    m_onError = std::move(h);
}

IIPClient::Handler TIPClientForm::GetOnError() const
{
    return m_onError;
}

void TIPClientForm::SetOnConnect(Handler h)
{
    m_onConnect = std::move(h);
}

IIPClient::Handler TIPClientForm::GetOnConnect() const
{
    return m_onConnect;
}

void TIPClientForm::SetConnected(bool connected)
{
    m_connected = connected;
}

bool TIPClientForm::GetConnected() const
{
    return m_connected;
}

void TIPClientForm::SetLocalAddress(const QString& s)
{
    m_localAddress = s;
}

QString TIPClientForm::GetLocalAddress() const
{
    return m_localAddress;
}

void TIPClientForm::SetLocalHost(const QString& s)
{
    m_localHost = s;
}

QString TIPClientForm::GetLocalHost() const
{
    return m_localHost;
}

void TIPClientForm::SetLocalPort(const QString& s)
{
    m_localPort = s;
}

QString TIPClientForm::GetLocalPort() const
{
    return m_localPort;
}

void TIPClientForm::SetRemoteAddress(const QString& s)
{
    m_remoteAddress = s;
}

QString TIPClientForm::GetRemoteAddress() const
{
    return m_remoteAddress;
}

void TIPClientForm::SetRemotePort(const QString& s)
{
    m_remotePort = s;
}

QString TIPClientForm::GetRemotePort() const
{
    return m_remotePort;
}

void TIPClientForm::SetLastError(int code)
{
    m_lastError = code;
    m_lastErrorText.clear();
}

int TIPClientForm::GetLastError() const
{
    return m_lastError;
}

QString TIPClientForm::GetLastErrorText() const
{
    if (m_lastError == 0)
        return {};
    if (!m_lastErrorText.isEmpty())
        return m_lastErrorText;
    return QString::fromLocal8Bit(std::strerror(m_lastError));
}
