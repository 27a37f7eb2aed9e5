#include "link/HDLink.h"

#include "common/BaseDirectory.h"
#include "common/TextPositions.h"
#include "common/WholeFile.h"
#include "link/FirmwareSender.h"
#include "link/Frame2.h"
#include "link/FrameHooks.h"
#include "link/LineUnitBlock.h"
#include "link/LinkSequences.h"
#include "platform/UserMessages.h"
#include "protocol/BlockCutter.h"
#include "protocol/hd/HdBlockLayout.h"
#include "protocol/hd/HdDecoder.h"
#include "protocol/hd/HdFirmware.h"
#include "protocol/hd/HdRequests.h"

#include <QDir>

namespace {

constexpr int HdSignOutWaitTicks = 20;

void send(TFrame2& f, THdLine line)
{
    f.SendCommand(BuildHdLine(line));
}

// Every failed step ends the same way: the unit is told goodbye and the
// connection waits in error until the user acts.
void fail(TFrame2& f, const QString& message)
{
    f.ProcessState = 0;
    f.Status = stError;
    send(f, THdLine::CarriageReturn);
    send(f, THdLine::EC);
    f.LogEvent(message, lkError);
}

QString field(const QByteArray& reply, qsizetype pos, qsizetype count)
{
    return QString::fromLatin1(copyAt(reply, pos, count));
}

// ---- Login (ProcessState 2) -------------------------------------------------

// Nothing of a unit seen before on this connection may survive into the
// identification of this one.
void forgetUnit(TFrame2& f)
{
    f.HdUnitType = 0;
    f.HdUnitDescription.clear();
    f.HdModelName.clear();
    f.HdHasLcd = false;
    f.HdLcdType = 0;
    f.SerialNumber.clear();
    f.SoftwareVersion.clear();
    f.HdBootVersion.clear();
    f.HdLanVersion.clear();
    f.HdFirmwareUpToDate = false;
    f.UnitPresence[upVren1] = false;
    f.DetectedUnits = 0;
}

// Built for each step: the password is the one configured now.
TLoginSteps loginSteps(const TFrame2& f)
{
    TLoginSteps s;
    SetLoginLines(s, BuildHdLine);
    s.validReply = "VALID";
    s.notResponding = " HD Hardware not responding check settings ";
    s.invalidPassword = " HD INVAILD PASSWORD             ";
    s.verificationFailed = " HD password verification failed ";
    s.identificationLost = " HD hardware not responding";
    s.connected = " HD Succesful Connection";
    s.updateAvailable = " HD firmware update available; the unit is polled meanwhile ";
    s.fail = fail;
    s.forgetUnit = forgetUnit;
    s.identify = HdIdentify;
    s.password = HdSafeText(f.DevicePassword, -1);
    return s;
}

void startPolling(TFrame2& f)
{
    RunStartBlocksStep(f, loginSteps(f), !f.SProtocol);
}

// Steps 8 and 9: an update is due. The dialog takes the connection when it
// can; otherwise the unit is polled and the engineer told.
void updateDue(TFrame2& f, THdUpdateDialog which)
{
    const auto handOver = [&] {
        return FrameHooks().hdUpdateDue && FrameHooks().hdUpdateDue(f, which);
    };
    if (!RunUpdateDueStep(f, loginSteps(f), handOver))
        startPolling(f);
}

void HdLogin(TFrame2& f)
{
    f.TraceEnabled = false;
    if (RunSharedLoginStep(f, loginSteps(f)))
        return;
    switch (f.LoginStep) {
    case 6:
        startPolling(f);
        break;
    case 7:
        f.SetTimerInterval(50);
        f.ProcessState = 4;
        f.HdDrops = {};
        f.HdUpdateLocalConfig = true;
        f.UpdateLocalTables = true;
        f.HdUpdateTimeAlign = true;
        f.HdUpdateEmail = true;
        // Requests left from before the login must not reach this unit.
        ResetRequestQueue(f);
        break;
    case 8:
        updateDue(f, THdUpdateDialog::TUpDateHD);
        break;
    case 9:
        updateDue(f, THdUpdateDialog::TUpDateVren1);
        break;
    default:
        break;
    }
}

// ---- Receive (ProcessState 4) -----------------------------------------------

int blockLength(const TFrame2& f)
{
    if (!f.SProtocol)
        return HdBlockLength;
    return f.Transport == trNetwork ? HdNetworkStampedLength : HdSerialStampedLength;
}

bool takeBlock(TFrame2& f)
{
    const int length = blockLength(f);
    TBlockDrops& drops = f.HdDrops;
    const quint64 blocksBefore = drops.Blocks, bytesBefore = drops.Bytes;
    std::optional<QByteArray> block = CutMarkedBlock(f.RxBuffer, length, HdBlockBacklog, &drops);
    const TDropEdge edge = NoteDrops(drops, blocksBefore, bytesBefore, block.has_value());
    if (edge != TDropEdge::None)
        f.LogEvent(DropEdgeText("HD", drops, edge), edge == TDropEdge::Started ? lkError : lkStatus);
    if (!block)
        return false;
    if (HdComputedChecksum(*block) != HdReceivedChecksum(*block)) {
        // A block cut short by a lost stretch holds the start of the next one:
        // hand that back, so only the short block is lost.
        const qsizetype next =
            block->left(HdOffset::Checksum).indexOf(QByteArray("\xFF\xFE\xFD", 3), 1);
        if (next > 0)
            f.RxBuffer.prepend(block->mid(next));
    }
    f.DecodePending = true;
    f.BlockPending = true;
    KeepLineUnitBlock(f, *block, HdOffset::Stamp, CurrentHdBlockSlot);
    return true;
}

THdDecodeSink sinkOf(TFrame2& f)
{
    THdDecodeSink sink;
    sink.objectEvent = [&f](const QString& text, int kind) { f.LogObjectEvent(text, kind); };
    sink.error = [&f](const QString& text) { f.LogEvent(text, lkError); };
    sink.writeFile = [](const QString& name, const QByteArray& bytes) {
        // Written whole or not at all: a half-written picture helps nobody.
        return SaveWholeFile(QDir::current().filePath(name), bytes, nullptr);
    };
    return sink;
}

// Whether the rack is to hear of the block: every decoded one, and the first
// of a run of refused ones. That one lets the raw-data window show the bad
// checksums; announcing the rest would only have the plots count the last
// good values again for every refused block.
bool decodeCurrent(TFrame2& f)
{
    if (!f.DecodePending)
        return false;
    f.DecodePending = false;
    const THdBlockVerdict v = DecodeHdBlock(f.BlockSlots[CurrentHdBlockSlot], f, f, sinkOf(f));
    if (v == THdBlockVerdict::Decoded) {
        if (f.HdBadBlockRun > 0)
            f.LogEvent(QString(" HD blocks refused in a row: %1 ").arg(f.HdBadBlockRun), lkStatus);
        f.HdBadBlockRun = 0;
        ++f.HdBlocksDecoded;
        emit f.measurementDecoded();
        return true;
    }
    // A run of bad blocks is reported once, when it begins.
    if (f.HdBadBlockRun++ != 0)
        return false;
    f.LogEvent(QString(" HD block refused: checksum $%1, computed $%2 ")
                   .arg(QString::number(f.BlockChecksums[1], 16).toUpper().rightJustified(4, '0'),
                        QString::number(f.BlockChecksums[0], 16).toUpper().rightJustified(4, '0')),
               lkError);
    return true;
}

int receiveBlocks(TFrame2& f)
{
    f.GatherReceived(0);
    int announced = 0;
    // Every complete block waiting is decoded, in order: none is lost to a
    // tick that came late.
    while (f.ProcessState == 4 && takeBlock(f)) {
        f.RackFamily = rkFM;
        announced += decodeCurrent(f) ? 1 : 0;
        f.BlockPending = false;
    }
    return announced;
}

void HdPoll(TFrame2& f)
{
    f.SetTimerInterval(125);
    SendNextRequest(f);
    int announced = 0;
    switch (f.Transport) {
    case trSerial:
        announced = ReceiveHdBlockSerial(f);
        break;
    case trNetwork:
        announced = ReceiveHdBlockNetwork(f);
        break;
    default: // a modem has no receive path here
        break;
    }
    if (announced > 0)
        PostMessage(f.RackWindow, UM_HD_DATA);
}

} // namespace

unsigned HdIdentify(TFrame2& f, const QByteArray& reply)
{
    if (reply.contains("VREN-1")) {
        f.HdUnitType = 1;
        f.HdUnitDescription = QString::fromLatin1(reply);
        f.HdModelName = "VREN-1";
        f.UnitPresence[upVren1] = true;
        f.DetectedUnits = 1;
        f.HdBootVersion.clear();
        f.SoftwareVersion.clear();
        f.HdLanVersion.clear();
        f.HdHasLcd = false;
        f.HdLcdType = 0;
        f.SerialNumber.clear();
        const qsizetype sn = posOf("SN(", reply);
        const qsizetype sw = posOf("SW(", reply);
        if (sn)
            f.SerialNumber = field(reply, sn + 3, 6);
        const qsizetype lcd = posOf("LCD", reply);
        if (!lcd) {
            if (sw)
                f.SoftwareVersion = field(reply, sw + 3, 7);
            return 8;
        }
        f.HdHasLcd = true;
        if (const qsizetype open = posOf("LCD(", reply)) {
            // A character that is no hex digit gives type 0 (no file serves it).
            bool ok = false;
            const int type = QByteArray(1, charAt(reply, open + 4)).toInt(&ok, 16);
            f.HdLcdType = ok ? quint8(type) : 0;
        }
        if (sw) {
            f.HdBootVersion = field(reply, sw + 3, 5);
            f.SoftwareVersion = field(reply, sw + 9, 5);
        }
        if (const qsizetype lan = posOf("LAN(", reply))
            f.HdLanVersion = field(reply, lan + 4, 7);
        const TVren1FirmwareCheck c = CheckVren1Firmware(
            {f.HdBootVersion, f.SoftwareVersion, f.HdLcdType}, DataFolder("DLD"));
        if (c.UpToDateKnown)
            f.HdFirmwareUpToDate = c.UpToDate;
        if (c.Result == 0)
            f.FirmwareLineCount = quint16(c.LineCount);
        return (c.Result == 0 && !f.HdFirmwareUpToDate) ? 9 : 6;
    }
    if (reply.contains("PRAK-1")) {
        f.HdUnitType = 2;
        f.HdUnitDescription = QString::fromLatin1(reply);
        f.HdModelName = f.HdUnitDescription;
        f.DetectedUnits = 2;
        return 6;
    }
    return 0;
}

int ReceiveHdBlockSerial(TFrame2& f)
{
    return receiveBlocks(f);
}

int ReceiveHdBlockNetwork(TFrame2& f)
{
    return receiveBlocks(f);
}

void DecodeAndNotify(TFrame2& f)
{
    if (decodeCurrent(f))
        PostMessage(f.RackWindow, UM_HD_DATA);
}

void SendNextRequest(TFrame2& f)
{
    const TRequestRec r = PopRequest(f);
    if (!r.Pending)
        return;
    const THdRequestLine built = BuildHdRequestLine(r, f);
    if (built.line.isEmpty()) {
        if (!built.dropReason.isEmpty())
            f.LogEvent(built.dropReason, lkDebug);
        return;
    }
    f.TxLine = built.line;
    f.TxLineNew = true;
    f.SendCommand(built.line);
}

void RunHdStateMachine(TFrame2& f)
{
    switch (f.ProcessState) {
    case 1:
        RunLineUnitOpenStep(f, " HD cannot be reached over a modem: choose RS-232 or Network ");
        break;
    case 2:
        HdLogin(f);
        break;
    case 3:
        RunFirmwareSender(f, f.HdHasLcd ? TFirmwareSender::Vren1Main : TFirmwareSender::HdMain);
        break;
    case 5:
        RunFirmwareSender(f, TFirmwareSender::HdNetwork);
        break;
    case 4:
        HdPoll(f);
        break;
    case 6:
    case 7:
    case 8:
        RunSignOffState(f, SignOffLines(BuildHdLine, HdSignOutWaitTicks));
        break;
    default:
        break;
    }
}
