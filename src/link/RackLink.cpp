#include "link/RackLink.h"

#include "common/BaseDirectory.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/rack/RackCommands.h"
#include "protocol/rack/RackDecoder.h"
#include "protocol/rack/RackReceive.h"

#include <QTimer>
#include <cmath>

namespace {

constexpr double MsPerDay = 86400000.0;
constexpr double PollIntervalMs = 500.0;

// Every failed step ends the same way: the rack is told goodbye, any program
// file is closed and the connection waits in error until the user acts.
void fail(TFrame2& f, const QString& message, bool sendGoodbye = true)
{
    f.ProcessState = 0;
    f.Status = stError;
    f.DownloadFile.close();
    if (sendGoodbye) {
        f.SendCommand(RackTerminator());
        f.SendCommand(RackEndConnection());
    }
    f.LogEvent(message, lkError);
}

void failDownload(TFrame2& f, const QString& message)
{
    f.SetTimerInterval(f.SavedInterval);
    fail(f, message);
}

// The controller named by the identification answer, and whether it needs its
// module program.
bool identifyController(TFrame2& f, const QByteArray& answer)
{
    struct Controller
    {
        const char* name;
        int code;
        int amVariant;
        bool download;
    };
    static const Controller table[] = {
        {"Kelb1", 1, 0, true},     {"Nuva1", 2, 0, false},   {"Lyn1", 4, 0, false},
        {"Varn1", 8, 0, false},    {"GryA1", 17, 0, true},   {"Gry230", 18, 0, true},
        {"Gry250", 19, 0, true},   {"Pelo1", 33, 1, true},   {"Pelo2", 34, 2, false},
    };
    for (const Controller& c : table) {
        if (answer == c.name) {
            f.RackController = c.code;
            if (c.amVariant)
                f.AmVariant = qint16(c.amVariant);
            return c.download;
        }
    }
    return true;
}

void startDownload(TFrame2& f, const QByteArray& answer)
{
    int count = 0;
    const TRackProgramFile::Result r = f.DownloadFile.open(DataFolder("DLD"), answer, &count);
    if (r != TRackProgramFile::Result::Ok) {
        const QString name = TRackProgramFile::printable(answer) + ".dld";
        f.Status = stError;
        f.ProcessState = 0;
        f.LogEvent(r == TRackProgramFile::Result::NotFound ? " QEL download file not found " + name
                                                            : " QEL download file invalid " + name,
                   lkError);
        return;
    }
    f.DownloadLineCount = count;
    f.ClearReceive();
    f.SendCommand(RackDownloadStart(count));
    f.LoginStep = 6;
    f.DownloadLineNumber = 0;
    f.TickCount = 0;
}

void loginPrompt(TFrame2& f)
{
    ++f.TickCount;
    const QByteArray reply = f.ReadUntilMarker();
    auto valid = [&](bool sProtocol) {
        f.SProtocol = sProtocol;
        f.AccessLevel = 3;
        f.ReadOnlyAccess = false;
        f.LoginStep = 4;
        f.SetTimerInterval(100);
    };
    // The receive buffer is cleared before each request, never after it: a
    // quick answer must not be thrown away with the prompt.
    if (reply.contains("SPASSWORD")) {
        f.ClearReceive();
        f.SendCommand(QByteArray(1, '\0') + RackPasswordBytes(f, f.DevicePassword) + RackTerminator());
        f.SProtocol = true;
        f.LoginStep = 3;
        f.TickCount = 0;
        return;
    }
    if (reply.contains("PASSWORD")) {
        f.ClearReceive();
        f.SendCommand(RackPasswordBytes(f, f.DevicePassword) + RackTerminator());
        f.SProtocol = false;
        f.LoginStep = 3;
        f.TickCount = 0;
        return;
    }
    if (reply.contains("SVALID"))
        return valid(true);
    if (reply.contains("VALID"))
        return valid(false);
    if (f.TickCount == 25) {
        f.ClearReceive();
        f.SendCommand(RackTerminator());
        f.SendCommand(RackLoginRequest());
        f.SetTimerInterval(1000);
    }
    if (f.TickCount >= 31)
        fail(f, " QEL Hardware not responding check settings ");
}

void loginPassword(TFrame2& f)
{
    ++f.TickCount;
    const QByteArray reply = f.ReadUntilMarkerOrFF();
    if (f.LineComplete) {
        auto grant = [&](int level) {
            f.AccessLevel = level;
            f.ReadOnlyAccess = level == 1;
            f.LoginStep = 4;
            f.SetTimerInterval(100);
        };
        if (reply.contains("INVAILD"))
            return fail(f, " QEL INVAILD PASSWORD             ");
        if (reply.contains("SUPERVISOR"))
            return grant(3);
        if (reply.contains("OPERATOR"))
            return grant(2);
        if (reply.contains("OBSERVER"))
            return grant(1);
    }
    if (f.TickCount >= 11)
        fail(f, " QEL password verification failed ");
}

void loginIdentify(TFrame2& f)
{
    ++f.TickCount;
    const QByteArray reply = f.ReadUntilMarkerOrFF();
    if (f.LineComplete) {
        const bool download = identifyController(f, reply);
        if (!download || f.SProtocol) {
            f.LoginStep = 11;
            return;
        }
        startDownload(f, reply);
        return;
    }
    if (f.TickCount == 25) {
        f.ClearReceive();
        f.SendCommand(RackTerminator());
        f.SendCommand(RackIdentify());
    }
    if (f.TickCount >= 51)
        fail(f, " QEL hardware not responding");
}

// The download-start answer, first (step 6) or after the last line (step 10).
void downloadStartAnswer(TFrame2& f, bool afterLines)
{
    ++f.TickCount;
    const QByteArray reply = f.ReadUntilMarker();
    if (f.LineComplete) {
        const bool good = reply.contains("GOOD CHECKSUM");
        if (afterLines && !good)
            return fail(f, " QEL download failed");
        if (good) {
            f.DownloadFile.close();
            f.LoginStep = 11;
        } else {
            f.LoginStep = 7;
            f.SendNextLine = true;
            f.ClearReceive();
        }
        return;
    }
    if (f.TickCount == 50) {
        f.ClearReceive();
        f.SendCommand(RackTerminator());
        f.SendCommand(RackDownloadStart(f.DownloadLineCount));
    }
    if (f.TickCount >= 101)
        fail(f, afterLines ? " QEL download failed" : " QEL hardware not responding");
}

void downloadSendLine(TFrame2& f)
{
    f.Status = stDownloading;
    if (f.SendNextLine) {
        QByteArray line;
        if (!f.DownloadFile.readLine(&line)) {
            f.DownloadFile.close();
            f.LoginStep = 9;
            return;
        }
        f.DownloadLine = line;
        f.TickCount = 0;
        ++f.DownloadLineNumber;
    }
    f.ClearReceive();
    f.SendCommand('\t' + f.DownloadLine + RackTerminator());
    f.LoginStep = 8;
}

void downloadLineAnswer(TFrame2& f)
{
    ++f.TickCount;
    const QByteArray reply = f.ReadUntilMarker();
    if (f.LineComplete) {
        if (reply.contains("GOOD CHECKSUM")) {
            f.LoginStep = 7;
            f.SendNextLine = true;
            f.TickCount = 0;
            f.BadChecksumCount = 0;
            return;
        }
        if (reply.contains("BAD CHECKSUM")) {
            f.LoginStep = 7;
            f.SendNextLine = false;
            if (++f.BadChecksumCount >= 4)
                failDownload(f, " QEL Download Failed - BAD CHECKSUMS");
            return;
        }
    }
    if (f.TickCount == 25) {
        f.LoginStep = 7;
        f.SendNextLine = false;
        f.SendCommand(RackTerminator());
    }
    if (f.TickCount >= 51)
        failDownload(f, " QEL download failed");
}

} // namespace

QByteArray RackPasswordBytes(TFrame2& f, const QString& password)
{
    QByteArray out;
    for (char c : password.toLatin1()) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0xFE || u == 0xFF) {
            f.LogEvent(QString(" password byte %1 left out").arg(QString::number(u, 16).toUpper()),
                       lkDebug);
            continue;
        }
        out += c;
    }
    return out;
}

void RackLogin(TFrame2& f)
{
    switch (f.LoginStep) {
    case 0:
        f.SendCommand(RackAttention());
        f.SavedInterval = f.Timer1->interval();
        f.SetTimerInterval(250);
        f.Status = stConnecting;
        f.LoginStep = 1;
        break;
    case 1:
        f.TickCount = 0;
        f.ClearReceive();
        f.AccessLevel = 0;
        f.SendCommand(RackLoginRequest());
        f.LoginStep = 2;
        break;
    case 2:
        loginPrompt(f);
        break;
    case 3:
        loginPassword(f);
        break;
    case 4:
        f.ClearReceive();
        f.SendCommand(RackIdentify());
        f.LoginStep = 5;
        f.TickCount = 0;
        break;
    case 5:
        loginIdentify(f);
        break;
    case 6:
        downloadStartAnswer(f, false);
        break;
    case 7:
        downloadSendLine(f);
        break;
    case 8:
        downloadLineAnswer(f);
        break;
    case 9:
        f.ClearReceive();
        f.SendCommand(RackDownloadStart(f.DownloadLineCount));
        f.LoginStep = 10;
        f.TickCount = 0;
        break;
    case 10:
        downloadStartAnswer(f, true);
        break;
    case 11:
        f.SetTimerInterval(50);
        f.LoginStep = 12;
        f.SendCommand(RackStartData());
        f.LogEvent(" QEL Succesful Connection", lkStatus);
        break;
    case 12:
        f.SetTimerInterval(50);
        f.ProcessState = 4;
        f.ClearReceive();
        f.BlockBuffer.clear();
        f.RackDrops = {};
        f.RdsDropRunStart = -1;
        f.PollElapsed = 0;
        f.LastPollTime = QDateTime(); // the first poll goes at once
        break;
    default:
        break;
    }
}

namespace {

void reportDrops(TFrame2& f, TDropEdge edge)
{
    if (edge != TDropEdge::None)
        f.LogEvent(DropEdgeText("QEL", f.RackDrops, edge), edge == TDropEdge::Started ? lkError : lkStatus);
}

// Batches the RDS window had no time to take. A queue nobody reads drops its
// oldest as a matter of course; that is no loss.
void noteRdsDrops(TFrame2& f, qint64 droppedBefore)
{
    const qint64 dropped = f.RdsQueue.dropped();
    if (dropped != droppedBefore && f.RdsQueue.read()) {
        if (f.RdsDropRunStart < 0) {
            f.RdsDropRunStart = droppedBefore;
            f.LogEvent(" RDS groups dropped: the RDS window fell behind ", lkError);
        }
        return;
    }
    if (f.RdsDropRunStart >= 0) {
        f.LogEvent(QString(" RDS group batches dropped in all: %1 ")
                       .arg(droppedBefore - f.RdsDropRunStart),
                   lkStatus);
        f.RdsDropRunStart = -1;
    }
}

// Everything one block brings, decoded and told before the next block is:
// its module record, its samples as a batch of their own, its RDS groups.
void decodeBlock(TFrame2& f)
{
    if (f.NewModuleData) {
        f.NewModuleData = false;
        DecodeRackStatus(f, f);
        // The rack window reads the newest state when it runs: one waiting
        // refresh serves a burst.
        PostRefresh(f.RackWindow, UM_RACK_DATA);
    }
    if (f.NewSamples) {
        f.NewSamples = false;
        DecodeRackSamples(f, f);
        emit f.measurementDecoded();
        PostMessage(f.RackWindow, UM_RACK_SAMPLES);
    }
    if (f.NewSampleBlock) {
        f.NewSampleBlock = false;
        if (f.RackFamily == rkFM) {
            // Each half carries six groups of its own.
            const qint64 droppedBefore = f.RdsQueue.dropped();
            UnpackRdsGroups(f);
            noteRdsDrops(f, droppedBefore);
            PostMessage(f.RackWindow, UM_RDS_GROUPS);
        }
    }
}

// A modem that lost its carrier says so in text between the rack's blocks:
// that is the modem talking, not a block of the rack lost. Only text ahead of
// the next block's marker is the modem's; inside a block it is data.
void dropCarrierText(QByteArray& buffer)
{
    static const QByteArray noCarrier("NO CARRIER");
    static const QByteArray marker("\xFF\xFE\xFD", 3);
    for (qsizetype at; (at = buffer.indexOf(noCarrier)) >= 0;) {
        const qsizetype next = buffer.indexOf(marker);
        if (next >= 0 && next < at)
            return;
        qsizetype end = at + noCarrier.size();
        while (end < buffer.size() && (buffer[end] == '\r' || buffer[end] == '\n'))
            ++end;
        buffer.remove(at, end - at);
    }
}

} // namespace

int RackTakeBlocks(TFrame2& f)
{
    int taken = 0;
    TBlockDrops& drops = f.RackDrops;
    for (;;) {
        if (f.Transport == trModem)
            dropCarrierText(f.BlockBuffer);
        const quint64 blocksBefore = drops.Blocks, bytesBefore = drops.Bytes;
        const std::optional<QByteArray> block = CutRackBlock(f.BlockBuffer, f.SProtocol, &drops);
        std::optional<QByteArray> entry;
        const QDateTime pcTime = f.now();
        if (block) {
            entry = ReceiveRackBlock(f, f, *block, f.SProtocol, pcTime);
            if (!entry) {
                // A marker of no family: a block lost all the same.
                ++drops.Blocks;
                drops.Bytes += quint64(block->size());
            }
        }
        reportDrops(f, NoteDrops(drops, blocksBefore, bytesBefore, entry.has_value()));
        if (!block)
            break;
        if (!entry)
            continue;
        ++taken;
        ++f.RackBlocksDecoded;
        f.LogRackBlock(*entry, pcTime);
        decodeBlock(f);
    }
    if (f.BlockPending) {
        f.RefreshHardwareList();
        f.BlockPending = false;
    }
    return taken;
}

void RackPollStep(TFrame2& f)
{
    f.SetTimerInterval(50);
    const QDateTime now = f.now();
    // A clock set back counts forward too, so it polls at once instead of
    // waiting for the lost time to come round again.
    const double ms = f.LastPollTime.isValid() ? std::fabs(double(f.LastPollTime.msecsTo(now)))
                                               : PollIntervalMs;
    f.PollElapsed += ms / MsPerDay;
    if (f.PollElapsed * MsPerDay < PollIntervalMs - 0.5) {
        if (f.CommandPending) {
            f.SendCommand(f.TxLine);
            f.CommandPending = false;
        }
    } else {
        f.PollElapsed = 0;
        f.SendCommand(RackPoll());
    }
    f.LastPollTime = now;

    // One buffer while polling: what arrives moves on to the block buffer.
    const QByteArray fresh = f.GatherReceived(f.Transport == trNetwork ? 0 : 1024);
    f.RxBuffer.clear();
    f.BlockBuffer += fresh;
    RackTakeBlocks(f);
}

void RackStep(TFrame2& f)
{
    switch (f.ProcessState) {
    case 1:
        if (f.PortOpen) {
            if (f.Transport == trModem) {
                f.ProcessState = 2;
                f.ConnectStep = 0;
            } else {
                f.ProcessState = 3;
                f.LoginStep = 0;
            }
            f.RefreshConnectionList();
        }
        break;
    case 2:
        RackModemDial(f);
        break;
    case 3:
        RackLogin(f);
        break;
    case 4:
        RackPollStep(f);
        break;
    case 5:
        RackPasswordStep(f);
        break;
    default:
        break;
    }
}
