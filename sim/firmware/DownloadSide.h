#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <functional>

class SimPeer;
class QTimer;

// The unit's side of a firmware download, shared by the simulated Tavr1 and
// HD units: the start command, "PG", one reply per S-record, "DE", the
// family's script after "EF", and the reset after success or after "UL"/"UC".
// The owning simulator hands it every line first; it answers through the
// owner's reply function and reaches the link through the owner.
class TSimDownloadSide : public QObject
{
    Q_OBJECT
public:
    enum class Script
    {
        Tavr1,  // ERASE, FLASH, VERIFY, MICRO phases, then SUCCESS
        Vren1,  // the same with two MICRO phases
        HdNoLcd // FLASH0..FLASH7, DONE
    };
    using ReplyFn = std::function<void(const QByteArray& bytes, int delayMs)>;

    TSimDownloadSide(SimPeer* peer, ReplyFn reply, QObject* parent = nullptr);

    Script script = Script::Tavr1;
    bool acceptDownloads = true;
    int replyDelayMs = 5;      // between a line and its answer
    int scriptLineGapMs = 200; // between script lines; 0: one write
    int progressWords = 3;     // "ERASE" etc. before each phase's end
    // After SUCCESS/DONE: silent for resetMs, then answers again; -1 never.
    // After UL/UC, about 0.5 s later: on TCP the link is dropped and
    // connects are refused for resetMs; on a pty the line stays open and the
    // unit is silent for resetMs.
    int resetMs = 2000;
    QByteArray versionAfterUpdate; // swapped into the identification at reset

    // A unit that checks nothing: every data line is answered "GC", whatever
    // its form or checksum, and "EF" flashes whatever came, even a partial
    // image. Only the program can then keep a bad file from the unit.
    bool acceptAnyImage = false;

    // Faults.
    bool answerPg = true;
    int bcLine = 0; // 1-based data line answered "BC" bcCount times
    int bcCount = 0;
    int silentLine = 0;    // 1-based data line never answered
    int strangeLine = 0;   // answered with neither GC nor BC
    int dropAfterLine = 0; // the link is dropped after this line
    int failPhase = -1;    // 0-based script phase answered FAIL instead of PASS
    int silentFromPhase = -1;
    // 0-based script phase whose word keeps coming (stallWords times) and
    // never ends in PASS: a unit busy past the sender's patience.
    int stallPhase = -1;
    int stallWords = 1000;

    // Readable by the tests.
    bool inDownload() const { return m_inDownload; }
    // Bytes of the update lines taken since the start, line ends counted:
    // "SU"/"SO", then from "PG" on. "HD" is not among them: it also ends a
    // session.
    qint64 updateBytesReceived() const { return m_updateBytes; }
    int announcedCount() const { return m_announced; }
    int linesAccepted() const { return m_accepted; }
    int bcSent() const { return m_bcSent; }
    bool endRecordSeen() const { return m_endSeen; }
    QByteArray serialDigits() const { return m_serial; }
    QList<QByteArray> dataLines() const { return m_dataLines; }

    // The identification with its second "SW(" version (the main firmware)
    // replaced; unchanged when it has none or version is empty.
    static QByteArray withMainVersion(QByteArray identification, const QByteArray& version);

    // Whether the line was part of a download (the owner then ignores it).
    bool handleLine(const QByteArray& line);

signals:
    // The reset after a successful update is over: the owner answers the
    // login again, with versionAfterUpdate.
    void resetDone(const QByteArray& versionAfterUpdate);

private:
    bool takeLine(const QByteArray& line);
    void runScript();
    void startReset(bool dropLink);

    SimPeer* m_peer;
    ReplyFn m_reply;
    bool m_started = false;    // "HD"/"SU"/"SO" came
    bool m_som = false;        // started with "SO"
    bool m_inDownload = false; // between "PG" and "DE"/"EF"
    bool m_downloaded = false; // data came and "DE" or the end followed
    int m_announced = 0;
    int m_received = 0; // data lines, counting repeats of one line once
    int m_accepted = 0;
    int m_lastAccepted = 0; // the data line accepted last
    int m_bcSent = 0;
    qint64 m_updateBytes = 0;
    int m_bcOnLine = 0;
    bool m_endSeen = false;
    QByteArray m_serial;
    QList<QByteArray> m_dataLines;
};
