#include "sim/peer/HttpPeer.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

HttpPeer::HttpPeer(QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &HttpPeer::accept);
}

HttpPeer::~HttpPeer() = default;

quint16 HttpPeer::listen(quint16 port)
{
    if (!m_server->listen(QHostAddress::LocalHost, port))
        return 0;
    m_port = m_server->serverPort();
    return m_port;
}

QUrl HttpPeer::url() const
{
    return QUrl(QString("http://127.0.0.1:%1%2").arg(m_port).arg(QString::fromLatin1(m_path)));
}

void HttpPeer::serve(const QByteArray& path, int status, const QByteArray& body)
{
    m_path = path;
    m_status = status;
    m_body = body;
}

void HttpPeer::setFault(Fault fault, int delayMs)
{
    m_fault = fault;
    m_delayMs = delayMs;
}

void HttpPeer::accept()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
    }
}

void HttpPeer::readRequest(QTcpSocket* socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (socket->property("answered").toBool() || !request.contains("\r\n\r\n"))
        return;
    socket->setProperty("answered", true);
    ++m_requests;
    // "GET /path HTTP/1.1"
    const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
    const bool isGet = line.size() >= 2 && line.at(0) == "GET";
    const bool ours = isGet && line.at(1) == m_path;
    if (ours)
        ++m_gets;
    if (!ours) {
        answer(socket, response(404, "not here\n"));
        return;
    }
    switch (m_fault) {
    case Fault::None:
        answer(socket, response(m_status, m_body));
        break;
    case Fault::NeverAnswer:
        break;
    case Fault::Delay:
        QTimer::singleShot(m_delayMs, socket,
                           [this, socket] { answer(socket, response(m_status, m_body)); });
        break;
    case Fault::Trickle: {
        auto* timer = new QTimer(socket);
        const QByteArray bytes = response(m_status, m_body);
        auto sent = std::make_shared<qsizetype>(0);
        connect(timer, &QTimer::timeout, socket, [socket, timer, bytes, sent] {
            if (*sent < bytes.size()) {
                socket->write(bytes.mid((*sent)++, 1));
            } else {
                timer->stop();
                socket->disconnectFromHost();
            }
        });
        timer->start(TrickleIntervalMs);
        break;
    }
    case Fault::CloseWithoutReply:
        socket->disconnectFromHost();
        break;
    case Fault::NotHttp:
        answer(socket, QByteArray("\x00\x01\xFE garbage, not a status line\n\n\xFF\xFE", 34));
        break;
    case Fault::HugeBody:
        answer(socket, response(200, QByteArray(HugeBodyBytes, 'x')));
        break;
    }
}

void HttpPeer::answer(QTcpSocket* socket, const QByteArray& bytes)
{
    socket->write(bytes);
    socket->disconnectFromHost();
}

QByteArray HttpPeer::response(int status, const QByteArray& body) const
{
    const QByteArray reason = status < 400 ? "OK" : status == 404 ? "Not Found" : "Error";
    return "HTTP/1.1 " + QByteArray::number(status) + " " + reason +
           "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}
