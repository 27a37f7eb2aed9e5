#include "sim/firmware/DownloadSide.h"

#include "protocol/firmware/DldFile.h"
#include "sim/peer/SimPeer.h"

#include <QTimer>

TSimDownloadSide::TSimDownloadSide(SimPeer* peer, ReplyFn reply, QObject* parent)
    : QObject(parent)
    , m_peer(peer)
    , m_reply(std::move(reply))
{}

bool TSimDownloadSide::handleLine(const QByteArray& line)
{
    if (!acceptDownloads)
        return false;
    const bool taken = takeLine(line);
    if (taken)
        m_updateBytes += line.size() + 1;
    return taken;
}

bool TSimDownloadSide::takeLine(const QByteArray& line)
{
    if (line == "HD" || line == "SU" || line == "SO") {
        // "HD" also stops the blocks: the owner sees it too.
        m_started = true;
        m_som = line == "SO";
        m_inDownload = false;
        m_downloaded = false;
        return line != "HD";
    }
    if (m_started && line.startsWith("PG")) {
        bool ok = true;
        m_announced = line.size() > 2 ? line.mid(2).toInt(&ok, 16) : 0;
        m_inDownload = true;
        m_received = m_accepted = m_lastAccepted = m_bcOnLine = 0;
        m_endSeen = false;
        m_dataLines.clear();
        if (answerPg)
            m_reply("READY\r", replyDelayMs);
        return true;
    }
    if (m_inDownload) {
        if (line.isEmpty())
            return true; // the sender's lone CR before a repeat
        if (line == "DE") {
            m_inDownload = false;
            m_downloaded = true;
            return true;
        }
        if (line == "EF" || line == "UL" || line == "UC") {
            m_inDownload = false;
            m_downloaded = true;
            // fall through to the after-download commands below
        } else {
            const bool repeat = !m_dataLines.isEmpty() && m_dataLines.last() == line;
            m_dataLines << line;
            if (!repeat) {
                ++m_received;
                m_bcOnLine = 0;
            }
            const int n = m_received;
            if (n == silentLine)
                return true;
            if (n == strangeLine) {
                m_reply("??\r", replyDelayMs);
                return true;
            }
            const auto rec = ParseSRecord(line);
            bool good = acceptAnyImage || (rec && rec->ChecksumGood);
            if (good && rec && rec->Type == 2 && rec->Address == 0x002009 && rec->Data.size() == 4)
                m_serial = rec->Data.mid(1);
            if (n == bcLine && m_bcOnLine < bcCount)
                good = false;
            if (good) {
                if (m_lastAccepted != n) {
                    m_lastAccepted = n;
                    ++m_accepted;
                }
                if (rec && rec->Type >= 7 && rec->Type <= 9)
                    m_endSeen = true;
                m_reply("GC\r", replyDelayMs);
            } else {
                ++m_bcOnLine;
                ++m_bcSent;
                m_reply("BC\r", replyDelayMs);
            }
            if (n == dropAfterLine)
                QTimer::singleShot(replyDelayMs + 20, m_peer, [p = m_peer] { p->dropLink(); });
            return true;
        }
    }
    if (!m_started || !m_downloaded)
        return false;
    if (line == "EF") {
        m_started = false;
        // A unit does not flash a partial image.
        if (!acceptAnyImage && (!m_endSeen || m_accepted < m_announced)) {
            m_reply("FAIL\r", replyDelayMs);
            return true;
        }
        runScript();
        return true;
    }
    if (line == "UL" || (line == "UC" && m_som)) {
        m_started = false;
        startReset(true);
        return true;
    }
    return false;
}

void TSimDownloadSide::runScript()
{
    QList<QList<QByteArray>> phases;
    QByteArray last;
    auto words = [&](const QByteArray& w) {
        QList<QByteArray> out;
        for (int i = 0; i < progressWords; ++i)
            out << w;
        out << "PASS";
        return out;
    };
    if (script == Script::HdNoLcd) {
        QList<QByteArray> flash;
        for (int i = 0; i < 8; ++i)
            flash << "FLASH" + QByteArray::number(i);
        phases << flash;
        last = "DONE";
    } else {
        phases << words("ERASE") << words("FLASH") << words("VERIFY") << words("MICRO");
        if (script == Script::Vren1)
            phases << words("MICRO");
        last = "SUCCESS";
    }
    QList<QByteArray> lines;
    bool finished = true;
    for (int p = 0; p < phases.size(); ++p) {
        if (p == silentFromPhase) {
            finished = false;
            break;
        }
        QList<QByteArray> phase = phases[p];
        if (p == stallPhase) {
            for (int i = 0; i < stallWords; ++i)
                lines << phase.first();
            finished = false;
            break;
        }
        if (p == failPhase) {
            phase.last() = "FAIL";
            lines << phase;
            finished = false;
            break;
        }
        lines << phase;
    }
    if (finished && silentFromPhase != int(phases.size()))
        lines << last;
    int at = replyDelayMs;
    QByteArray burst;
    for (const QByteArray& l : lines) {
        if (scriptLineGapMs <= 0) {
            burst += l + "\r";
        } else {
            m_reply(l + "\r", at);
            at += scriptLineGapMs;
        }
    }
    if (!burst.isEmpty())
        m_reply(burst, at);
    if (finished && lines.size() && lines.last() == last)
        QTimer::singleShot(at + 10, this, [this] { startReset(false); });
}

void TSimDownloadSide::startReset(bool dropLink)
{
    auto back = [this] {
        m_peer->setRefuseConnections(false);
        m_peer->setSilent(false);
        emit resetDone(versionAfterUpdate);
    };
    if (dropLink) {
        QTimer::singleShot(500, m_peer, [this, back] {
            // A network link goes with the unit; a serial line stays where
            // it is, and the unit on it says nothing while it resets.
            if (m_peer->tcpPort()) {
                m_peer->dropLink();
                m_peer->setRefuseConnections(true);
            } else {
                m_peer->setSilent(true);
            }
            if (resetMs >= 0)
                QTimer::singleShot(resetMs, this, back);
        });
        return;
    }
    m_peer->setSilent(true);
    if (resetMs >= 0)
        QTimer::singleShot(resetMs, this, back);
}

QByteArray TSimDownloadSide::withMainVersion(QByteArray identification, const QByteArray& version)
{
    const qsizetype sw = identification.indexOf("SW(");
    const qsizetype comma = identification.indexOf(',', sw);
    const qsizetype close = identification.indexOf(')', sw);
    if (version.isEmpty() || sw < 0 || comma < 0 || close < comma)
        return identification;
    return identification.replace(comma + 1, close - comma - 1, version);
}
