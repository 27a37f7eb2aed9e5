#pragma once

#include "sim/peer/SimFaults.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;
class QTimer;

// The instrument's end of a link, for the tests and for tolvex-sim. It listens on
// a loopback TCP port or offers a pseudo-terminal, records every byte the program
// sends, and answers by rules. The simulated instruments derive from it and hold
// their dialogues in handleLine (text commands) or handleBytes (binary ones).
// Everything runs on the event loop; there are no threads.
class SimPeer : public QObject
{
    Q_OBJECT
public:
    // A real unit needs some milliseconds to answer; replying at once would hide a
    // program that clears its receive buffer after sending.
    static constexpr int DefaultReplyDelayMs = 30;

    explicit SimPeer(QObject* parent = nullptr);
    ~SimPeer() override;

    // Set by the tolvex-sim program: every connection taken, replaced,
    // closed by the program or dropped by the unit is told on stderr, so a
    // person sees which side ended a link.
    static inline bool LogLinks = false;

    // Listens on 127.0.0.1 on port (a free one when 0) and returns it (0 when
    // that fails). A new connection replaces the one before.
    quint16 listenTcp(quint16 port = 0);
    quint16 tcpPort() const { return m_tcpPort; }
    // Opens a pseudo-terminal and returns the path of its terminal end, which the
    // program opens as its serial port (empty when that fails).
    QString openPty();
    QString ptyPath() const { return m_ptyPath; }

    // TCP: a client is connected. Pseudo-terminal: our end is open (whether the
    // program has the terminal open cannot be seen from here).
    bool isConnected() const;

    // Every byte received since the start or the last clearReceived.
    QByteArray received() const { return m_received; }
    // The lines received, split at CR (which they do not contain).
    QList<QByteArray> receivedLines() const { return m_lines; }
    void clearReceived();
    bool waitForReceived(const QByteArray& needle, int timeoutMs = 2000);
    bool waitForLine(const QByteArray& line, int timeoutMs = 2000);
    // Runs the event loop until condition() holds or timeoutMs have passed;
    // returns the last value of condition().
    static bool waitUntil(const std::function<bool()>& condition, int timeoutMs);

    // Called for each complete line while not silent.
    using LineHandler = std::function<void(const QByteArray& line)>;
    void onLine(LineHandler handler);
    // Answers a line equal to lineEquals with reply, after delayMs.
    void addReply(const QByteArray& lineEquals, const QByteArray& reply,
                  int delayMs = DefaultReplyDelayMs);

    // Sends at once, or later; also while silent (garbage is sent this way).
    void send(const QByteArray& bytes);
    void sendLater(const QByteArray& bytes, int delayMs);
    // Bytes sent but not yet taken by the link.
    qint64 unsentBytes() const;
    // Replies still waiting out their delay.
    int pendingReplies() const { return m_pendingReplies; }
    // While chunkBytes > 0: a peer that never stops talking. Bytes without any
    // line end are sent as fast as the link takes them, chunkBytes at a time,
    // also while silent; 0 stops it. totalFlooded counts what the link took.
    void setFlood(int chunkBytes);
    qint64 totalFlooded() const { return m_flooded; }

    // While silent, lines are still recorded but nothing answers them.
    void setSilent(bool silent) { m_silent = silent; }
    bool isSilent() const { return m_silent; }
    // TCP: closes the connection. Pseudo-terminal: closes our end, so the program
    // sees its device go away.
    void dropLink();
    // TCP: stops listening (connects are refused) or listens again on the same port.
    bool setRefuseConnections(bool refuse);

    // The faults a person asks for on the command line. Block faults hit one
    // block in every `every`; a silence comes at the first bytes the program
    // sends and every 30 s after, a flood midway between, and the drop once,
    // 10 s after the first login. Each fault as it comes is told by
    // faultShown.
    void setFaults(const QList<TSimFault>& faults, int every, quint32 seed);
    const TSimFaultPlan& faults() const { return m_faults; }
    // Stops hearing and sending, lets what is already on its way leave for
    // graceMs, then calls done (tolvex-sim --seconds).
    void finish(int graceMs, const std::function<void()>& done);

signals:
    void clientConnected();
    void clientDisconnected();
    void bytesArrived(const QByteArray& bytes);
    // A fault of setFaults has begun ("garbage", "silence") or ended
    // ("silence over").
    void faultShown(const QString& what);

protected:
    // Each chunk as it arrives, for simulators of binary protocols.
    virtual void handleBytes(const QByteArray& bytes);
    // Each complete line while not silent: the reply rules, then the line handlers.
    virtual void handleLine(const QByteArray& line);
    // Answers on the current link after delayMs. Dropped when silent, or when the
    // link was dropped or replaced meanwhile: an answer never reaches a later client.
    void reply(const QByteArray& bytes, int delayMs = DefaultReplyDelayMs);
    // Silent, or finishing: no block may leave now.
    bool sendsNothing() const { return m_silent || m_finishing; }
    // The fault of setFaults that the block about to be sent carries, if any.
    std::optional<TSimFault> nextBlockFault();
    // The unit has logged the program in and sends its blocks.
    void loggedIn();

private:
    // One line on stderr, stamped, when LogLinks is set.
    void logLink(const QString& what) const;
    struct ReplyRule
    {
        QByteArray line;
        QByteArray reply;
        int delayMs;
    };

    void takeBytes(const QByteArray& bytes);
    void acceptConnection();
    void releaseSocket();
    void readPty();
    void writePty();
    void closePty();
    void linkChanged();
    void startFaultClock();
    void linkFault(TSimFault fault, int firstMs);

    QTcpServer* m_server = nullptr;
    QTcpSocket* m_socket = nullptr;
    quint16 m_tcpPort = 0;

    int m_ptyMaster = -1;
    int m_ptySlave = -1; // kept open so our end never reads a hang-up between program opens
    QString m_ptyPath;
    QSocketNotifier* m_ptyReadNotifier = nullptr;
    QSocketNotifier* m_ptyWriteNotifier = nullptr;
    QByteArray m_ptyOut;

    QTimer* m_floodTimer = nullptr;
    int m_floodChunk = 0;
    qint64 m_flooded = 0;

    QByteArray m_received;
    QList<QByteArray> m_lines;
    QByteArray m_partialLine;
    bool m_silent = false;
    int m_pendingReplies = 0;
    quint64 m_link = 0; // changes whenever the link is dropped or replaced
    std::vector<ReplyRule> m_rules;
    std::vector<LineHandler> m_lineHandlers;

    TSimFaultPlan m_faults;
    bool m_faultClockStarted = false;
    bool m_dropArmed = false;
    bool m_finishing = false;
};
