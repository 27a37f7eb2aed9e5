#include "platform/HttpGet.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

THttpGet::THttpGet(QObject* parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_deadline(new QTimer(this))
{
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, &THttpGet::deadlinePassed);
}

THttpGet::~THttpGet()
{
    dropReply();
}

void THttpGet::get(const QUrl& url, int deadlineMs)
{
    dropReply();
    m_body.clear();
    QNetworkRequest request(url);
    // Our own deadline covers the whole request; the transfer time-out only
    // adds a stop for a silent server.
    request.setTransferTimeout(qMax(1, deadlineMs));
    m_reply = m_manager->get(request);
    m_reply->setReadBufferSize(ReplyBufferBytes);
    connect(m_reply, &QNetworkReply::readyRead, this, &THttpGet::readBody);
    connect(m_reply, &QNetworkReply::finished, this, &THttpGet::replyFinished);
    m_deadline->start(qMax(0, deadlineMs));
}

void THttpGet::abort()
{
    dropReply();
}

void THttpGet::dropReply()
{
    m_deadline->stop();
    if (QNetworkReply* reply = m_reply.data()) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void THttpGet::fail(const QString& reason)
{
    dropReply();
    m_body.clear();
    emit failed(reason);
}

bool THttpGet::readBody()
{
    if (!m_reply)
        return false;
    m_body += m_reply->read(MaxBodyBytes + 1 - m_body.size());
    if (m_body.size() <= MaxBodyBytes)
        return true;
    fail(QString("body larger than %1 bytes").arg(MaxBodyBytes));
    return false;
}

void THttpGet::replyFinished()
{
    QNetworkReply* reply = m_reply.data();
    if (!reply || !readBody())
        return;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (reply->error() != QNetworkReply::NoError) {
        fail(reply->errorString());
    } else if (!status.isValid() || status.toInt() >= 400) {
        // Without a status line the answer was not HTTP at all.
        fail(status.isValid() ? QString("HTTP status %1").arg(status.toInt())
                              : QString("no HTTP status"));
    } else {
        const QByteArray body = m_body;
        dropReply();
        m_body.clear();
        emit succeeded(body);
    }
}

void THttpGet::deadlinePassed()
{
    if (m_reply)
        fail("no answer before the deadline");
}
