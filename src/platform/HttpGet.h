#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// One HTTP GET at a time, with exactly one result per request: succeeded with
// the body, or failed. A network error, an HTTP status of 400 or more, a body
// larger than MaxBodyBytes and the deadline all count as failure. The
// deadline is the whole request's: a server that trickles a byte now and then
// never trips an inactivity time-out, but trips this.
class THttpGet : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 MaxBodyBytes = 64 * 1024;
    // What the reply may hold before it stops reading from the network, so
    // a server that sends without end never fills memory before the cap is
    // seen.
    static constexpr qint64 ReplyBufferBytes = 16 * 1024;

    explicit THttpGet(QObject* parent = nullptr);
    // A request still running is aborted, without a result.
    ~THttpGet() override;

    // Starts a GET of url that fails after deadlineMs; a request still running
    // is aborted first, without a result.
    void get(const QUrl& url, int deadlineMs);
    // Ends the running request without a result.
    void abort();
    bool isRunning() const { return !m_reply.isNull(); }

signals:
    void succeeded(const QByteArray& body);
    void failed(const QString& reason);

private:
    // Takes what arrived, at most one byte past the cap; false (and failed
    // emitted) once the body is over it.
    bool readBody();
    void replyFinished();
    void deadlinePassed();
    // Lets go of the reply; its late signals reach nobody.
    void dropReply();
    void fail(const QString& reason);

    QNetworkAccessManager* m_manager = nullptr;
    QPointer<QNetworkReply> m_reply;
    QTimer* m_deadline = nullptr;
    QByteArray m_body;
};
