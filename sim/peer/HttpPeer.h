#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QTcpServer;
class QTcpSocket;

// A web server on a loopback port for the tests and tolvex-sim: it serves one
// path with a chosen status and body, answers 404 for any other, counts the
// GETs, and can misbehave the ways a real server does. One request per
// connection; every answer closes the connection.
class HttpPeer : public QObject
{
    Q_OBJECT
public:
    enum class Fault
    {
        None,
        NeverAnswer,       // reads the request and keeps the connection open, silent
        Delay,             // answers after faultDelayMs
        Trickle,           // sends the answer one byte every 200 ms
        CloseWithoutReply, // closes the connection on the request
        NotHttp,           // answers with bytes that are no HTTP
        HugeBody,          // a 200 with a body of 1 MiB
    };
    static constexpr int TrickleIntervalMs = 200;
    static constexpr int HugeBodyBytes = 1024 * 1024;

    explicit HttpPeer(QObject* parent = nullptr);
    ~HttpPeer() override;

    // Listens on 127.0.0.1 on port (a free one when 0); returns it, 0 on failure.
    quint16 listen(quint16 port = 0);
    quint16 port() const { return m_port; }
    // http://127.0.0.1:<port><path>
    QUrl url() const;

    void serve(const QByteArray& path, int status, const QByteArray& body);
    void setFault(Fault fault, int delayMs = 0);

    // GETs of the served path, and every request whatever its path.
    int getCount() const { return m_gets; }
    int requestCount() const { return m_requests; }

private:
    void accept();
    void readRequest(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QByteArray& bytes);
    QByteArray response(int status, const QByteArray& body) const;

    QTcpServer* m_server = nullptr;
    quint16 m_port = 0;
    QByteArray m_path = "/";
    int m_status = 200;
    QByteArray m_body;
    Fault m_fault = Fault::None;
    int m_delayMs = 0;
    int m_gets = 0;
    int m_requests = 0;
};
