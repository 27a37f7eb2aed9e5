#include "sim/peer/SimLineUnit.h"

#include <QTimer>

SimLineUnit::SimLineUnit(QObject* parent)
    : SimPeer(parent)
{
    download = new TSimDownloadSide(
        this, [this](const QByteArray& bytes, int delayMs) { reply(bytes, delayMs); }, this);
    // After an update the unit reports its new main version, so the
    // reconnect's check finds it up to date.
    connect(download, &TSimDownloadSide::resetDone, this, [this](const QByteArray& version) {
        identification = TSimDownloadSide::withMainVersion(identification, version);
    });
    m_blockTimer = new QTimer(this);
    connect(m_blockTimer, &QTimer::timeout, this, &SimLineUnit::sendBlock);
    connect(this, &SimPeer::clientDisconnected, this, [this] {
        stopStreaming();
        m_awaitingPassword = false;
    });
}

void SimLineUnit::handleLine(const QByteArray& line)
{
    SimPeer::handleLine(line);
    if (download->handleLine(line)) {
        if (quietForDownload && (line == "SU" || line == "SO"))
            stopStreaming();
        return;
    }
    if (line.isEmpty())
        return; // a lone CR
    if (line == "HD") {
        stopStreaming();
    } else if (line == "SC") {
        if (!answerPrompt)
            return;
        switch (prompt) {
        case Prompt::Classic:
            reply("PASSWORD\r");
            break;
        case Prompt::SProtocol:
            reply("SPASSWORD\r");
            break;
        case Prompt::ValidClassic:
            reply(validReply + "\r");
            break;
        case Prompt::ValidSProtocol:
            reply("SVALID\r");
            break;
        }
        m_awaitingPassword = prompt == Prompt::Classic || prompt == Prompt::SProtocol;
    } else if (m_awaitingPassword) {
        m_awaitingPassword = false;
        if (!answerPassword)
            return;
        const QByteArray expected = prompt == Prompt::SProtocol ? "SP" + password : password;
        reply(line == expected ? level + "\r" : QByteArray("INVAILD\r"), levelDelayMs);
    } else if (line == "UI") {
        if (answerIdentification)
            reply(identification + "\r");
    } else if (line == "SD") {
        startStreaming();
    } else if (line == "EC") {
        stopStreaming();
    } else {
        handleUnitLine(line);
    }
}

void SimLineUnit::startStreaming()
{
    loggedIn();
    m_streaming = true;
    m_blockTimer->start(blockIntervalMs);
}

void SimLineUnit::stopStreaming()
{
    m_streaming = false;
    m_blockTimer->stop();
}

void SimLineUnit::sendBlock()
{
    // A silent unit sends nothing, blocks included.
    if (sendsNothing() || sendInsteadOfBlock())
        return;
    const std::optional<TSimFault> fault = nextBlockFault();
    if (fault)
        takeBlockFault(*fault);
    const QByteArray garbage = fault == TSimFault::Garbage ? SimGarbage() : garbageBeforeBlocks;
    if (fault == TSimFault::Truncate)
        truncateNextAt = blockLength() / 2;
    QByteArray out = garbage + nextBlock();
    if (truncateNextAt > 0) {
        out.truncate(garbage.size() + truncateNextAt);
        truncateNextAt = 0;
    }
    if (doubleBlocks || fault == TSimFault::Double)
        out += garbage + nextBlock();
    if (splitBlocks || fault == TSimFault::Split) {
        const qsizetype half = out.size() / 2;
        send(out.left(half));
        sendLater(out.mid(half), 40);
    } else {
        send(out);
    }
}
