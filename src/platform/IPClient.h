#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QTcpSocket;
class QTimer;

// Reads a dotted IPv4 address with every part in decimal, leading zeros included
// ("192.168.001.010" is 192.168.1.10; the C library would read 010 as octal).
// Blanks around the text are ignored. Empty when the text is not four parts of
// 1 to 3 digits, each at most 255.
std::optional<quint32> parseDecimalIpv4(const QString& text);

// The network transport of a connection frame. It carries bytes, never text:
// instrument blocks are binary. Events arrive on the GUI thread through Qt's
// event loop and are handed to the handlers the frame registers; an error never
// escapes as an exception.
class IIPClient
{
public:
    using Handler = std::function<void()>;

    virtual ~IIPClient() = default;

    // Drops any previous socket at once and starts connecting. The address is
    // dotted decimal (leading zeros are decimal: "192.168.001.010" is
    // 192.168.1.10); with useHostName the host name is used instead.
    virtual void Open(const QString& address, int port, bool useHostName,
                      const QString& hostName) = 0;
    // Pushes out what is still unsent, then drops the socket.
    virtual void Close() = 0;
    virtual void ClearReceiveSocket() = 0;
    virtual QByteArray ReceiveText() = 0;
    // Sends the bytes unchanged and pushes them out at once.
    virtual void SendText(const QByteArray& bytes) = 0;

    virtual void SetOnRead(Handler h) = 0;
    virtual Handler GetOnRead() const = 0;
    virtual void SetOnError(Handler h) = 0;
    virtual Handler GetOnError() const = 0;
    virtual void SetOnConnect(Handler h) = 0;
    virtual Handler GetOnConnect() const = 0;

    virtual void SetConnected(bool connected) = 0;
    virtual bool GetConnected() const = 0;

    virtual void SetLocalAddress(const QString& s) = 0;
    virtual QString GetLocalAddress() const = 0;
    virtual void SetLocalHost(const QString& s) = 0;
    virtual QString GetLocalHost() const = 0;
    virtual void SetLocalPort(const QString& s) = 0;
    virtual QString GetLocalPort() const = 0;
    virtual void SetRemoteAddress(const QString& s) = 0;
    virtual QString GetRemoteAddress() const = 0;
    virtual void SetRemotePort(const QString& s) = 0;
    virtual QString GetRemotePort() const = 0;

    // The code of the last failure (an errno value, so the text is the system's
    // message for it); 0 when none.
    virtual void SetLastError(int code) = 0;
    virtual int GetLastError() const = 0;
    // The system's message for the last failure.
    virtual QString GetLastErrorText() const = 0;
};

// The TCP client over QTcpSocket.
class TIPClientForm : public QObject, public IIPClient
{
    Q_OBJECT
public:
    explicit TIPClientForm(QObject* parent = nullptr);
    ~TIPClientForm() override;

    // A connect that has not completed within this time is reported as failed
    // (ETIMEDOUT). Linux itself would keep trying for about two minutes.
    static constexpr int DefaultConnectTimeoutMs = 20000;
    // What the socket holds unread at most. Beyond it the system stops
    // taking bytes and TCP holds the peer back, so a unit that sends without
    // end cannot grow the program.
    static constexpr qint64 ReadBufferBytes = 64 * 1024;
    void setConnectTimeout(int ms);

    void Open(const QString& address, int port, bool useHostName, const QString& hostName) override;
    void Close() override;
    void ClearReceiveSocket() override;
    QByteArray ReceiveText() override;
    void SendText(const QByteArray& bytes) override;

    void SetOnRead(Handler h) override;
    Handler GetOnRead() const override;
    void SetOnError(Handler h) override;
    Handler GetOnError() const override;
    void SetOnConnect(Handler h) override;
    Handler GetOnConnect() const override;

    void SetConnected(bool connected) override;
    bool GetConnected() const override;

    void SetLocalAddress(const QString& s) override;
    QString GetLocalAddress() const override;
    void SetLocalHost(const QString& s) override;
    QString GetLocalHost() const override;
    void SetLocalPort(const QString& s) override;
    QString GetLocalPort() const override;
    void SetRemoteAddress(const QString& s) override;
    QString GetRemoteAddress() const override;
    void SetRemotePort(const QString& s) override;
    QString GetRemotePort() const override;

    void SetLastError(int code) override;
    int GetLastError() const override;
    QString GetLastErrorText() const override;

    QTcpSocket* ClientSocket1 = nullptr;

private:
    void socketConnected();
    void socketFailed(int code, const QString& text);
    void connectTimedOut();
    void abortSocket();
    void startAttempt();
    // Runs event from the event loop, never inside the call that caused it (the
    // frame sets its own state after Open returns); dropped when a later Open or
    // Close has begun a new attempt meanwhile.
    void deliver(std::function<void()> event);
    void deliverError(int code, const QString& text = {});

    QTimer* m_connectTimer = nullptr;
    int m_connectTimeoutMs = DefaultConnectTimeoutMs;
    quint64 m_attempt = 0;
    bool m_failureReported = false; // one error per attempt
    bool m_readPending = false;

    Handler m_onRead;
    Handler m_onError;
    Handler m_onConnect;
    bool m_connected = false;
    QString m_localAddress;
    QString m_localHost;
    QString m_localPort;
    QString m_remoteAddress;
    QString m_remotePort;
    int m_lastError = 0;
    QString m_lastErrorText; // where no system message fits the failure
};
