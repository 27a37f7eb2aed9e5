#include "link/Tavr1Link.h"

#include "common/BaseDirectory.h"
#include "link/FirmwareSender.h"
#include "link/Frame2.h"
#include "link/FrameHooks.h"
#include "link/LineUnitBlock.h"
#include "link/LinkSequences.h"
#include "platform/UserMessages.h"
#include "protocol/tavr1/Tavr1Commands.h"
#include "protocol/tavr1/Tavr1Decoder.h"
#include "protocol/tavr1/Tavr1Firmware.h"
#include "protocol/tavr1/Tavr1Identification.h"
#include "protocol/tavr1/Tavr1Receive.h"

namespace {

void send(TFrame2& f, TTavr1Line line)
{
    f.SendCommand(BuildTavr1Line(line));
}

void trace(TFrame2& f, const QString& text)
{
    if (f.TraceEnabled)
        f.LogEvent(text, lkDebug);
}

// Every failed step ends the same way: the unit is told goodbye, the link is
// closed (nothing reads it any more, so whatever the unit still sent would
// only pile up) and the connection waits in error until the user acts.
void fail(TFrame2& f, const QString& message)
{
    send(f, TTavr1Line::CarriageReturn);
    send(f, TTavr1Line::EC);
    f.CloseConnection();
    f.Status = stError;
    f.LogEvent(message, lkError);
}

// ---- Login (ProcessState 2) -------------------------------------------------

// Whether the unit's main firmware is older than the file shipped for it.
bool updateDue(TFrame2& f)
{
    const TTavr1FirmwareCheck c =
        CheckTavr1Firmware({f.Tavr1SoftwareVersion, f.Tavr1BootVersion, f.Tavr1OptionLetter,
                            f.Tavr1RevisionLetter2, f.Tavr1RevisionLetter3},
                           DataFolder("DLD"));
    f.Tavr1FirmwareUpToDate = c.UpToDate;
    if (c.Result == 0)
        f.FirmwareLineCount = quint16(c.LineCount);
    return c.Result == 0 && !c.UpToDate;
}

unsigned identify(TFrame2& f, const QByteArray& reply)
{
    if (!reply.contains("Tavr-1"))
        return 0;
    Tavr1Identify(f, reply);
    return updateDue(f) ? 8 : 6;
}

// Built for each step: the password is the one configured now.
TLoginSteps loginSteps(const TFrame2& f)
{
    TLoginSteps s;
    SetLoginLines(s, BuildTavr1Line);
    s.validReply = "VALID SUPERVISOR";
    s.notResponding = " Tavr1 Hardware not responding check settings ";
    s.invalidPassword = " Tavr1 INVAILD PASSWORD             ";
    s.verificationFailed = " Tavr-1 password verification failed ";
    s.identificationLost = " Tavr1 hardware not responding";
    s.connected = " Tavr1 Succesful Connection";
    s.updateAvailable = " Tavr1 firmware update available; the unit is polled meanwhile ";
    s.fail = fail;
    s.identify = identify;
    s.tracePrompt = [](TFrame2& f, const QByteArray& reply) {
        trace(f, " Detect 0-1-2 " + QString::fromLatin1(reply));
    };
    s.traceAskAgain = [](TFrame2& f) { trace(f, "Detect 0-1-2 Command Sent CR + SC"); };
    s.tracePassword = [](TFrame2& f, const QByteArray& reply) {
        trace(f, Tavr1PasswordTrace(f.TickCount, reply));
    };
    s.traceIdentity = [](TFrame2& f, const QByteArray& reply) {
        trace(f, " Detect 0-1-2-3-4-5 " + QString::fromLatin1(reply));
    };
    s.password = f.DevicePassword.toLatin1();
    return s;
}

// The DEBUG lines of the shared steps that read no reply (the others are
// written as they read it).
void traceStep(TFrame2& f, unsigned step)
{
    switch (step) {
    case 0:
        trace(f, " Detect 0");
        break;
    case 1:
        trace(f, " Detect 0-1");
        break;
    case 4:
        trace(f, " Detect 0-1-2-3-4");
        break;
    default:
        break;
    }
}

void startPolling(TFrame2& f)
{
    f.Tavr1Cutter = {};
    RunStartBlocksStep(f, loginSteps(f), !f.SProtocol || f.Tavr1OptionLetter == "C");
}

void Tavr1Login(TFrame2& f)
{
    f.TraceEnabled = false;
    const unsigned step = f.LoginStep;
    if (RunSharedLoginStep(f, loginSteps(f))) {
        traceStep(f, step);
        return;
    }
    switch (f.LoginStep) {
    case 6:
        startPolling(f);
        break;
    case 7:
        f.SetTimerInterval(50);
        f.ProcessState = 4;
        f.Tavr1UpdateLocalConfig = true;
        f.Tavr1UpdateLocalTable = true;
        break;
    case 8: {
        // The update dialog, when it takes the connection, has it: the unit
        // is then not polled.
        const auto handOver = [&] {
            return FrameHooks().tavr1UpdateDue && FrameHooks().tavr1UpdateDue(f);
        };
        if (!RunUpdateDueStep(f, loginSteps(f), handOver))
            startPolling(f);
        break;
    }
    default:
        break;
    }
}

// ---- Receive (ProcessState 4) -----------------------------------------------

// Blocks waiting beyond this many are a flood, not a stall of the windows: at
// the unit's eight a second it is ten seconds of data.
constexpr int FloodBlocks = 80;

int blockLength(const TFrame2& f)
{
    return f.SProtocol ? Tavr1StampedBlockLength : Tavr1BlockLength;
}

bool takeBlock(TFrame2& f)
{
    TTavr1Cutter& c = f.Tavr1Cutter;
    const qint64 faults = c.Resyncs + c.FalseMarkers;
    const quint64 blocksBefore = c.Drops.Blocks, bytesBefore = c.Drops.Bytes;
    // The block still arriving does not count against the backlog.
    std::optional<QByteArray> block =
        CutTavr1Block(f.RxBuffer, c, blockLength(f), FloodBlocks + 1);
    const bool outOfStep = c.Resyncs + c.FalseMarkers != faults;
    if (outOfStep && !c.OutOfStepLogged) {
        c.OutOfStepLogged = true;
        f.LogEvent(" Tavr1 block stream out of step: waiting for the next whole block ", lkError);
    }
    const TDropEdge edge = NoteDrops(c.Drops, blocksBefore, bytesBefore, block.has_value());
    // A loss of step has said so already.
    if (edge == TDropEdge::Ended || (edge == TDropEdge::Started && !outOfStep))
        f.LogEvent(DropEdgeText("Tavr1", c.Drops, edge),
                   edge == TDropEdge::Started ? lkError : lkStatus);
    if (!block)
        return false;
    c.OutOfStepLogged = false;
    f.BlockToDecode = true;
    f.BlockReceived = true;
    // The unit's stamp ends the block.
    KeepLineUnitBlock(f, *block, block->size() - 8, CurrentTavr1BlockSlot);
    return true;
}

void Tavr1Poll(TFrame2& f)
{
    f.SetTimerInterval(125);
    const QByteArray line = TakeTavr1CommandLine(f, f);
    if (!line.isEmpty())
        f.SendCommand(line);
    switch (f.Transport) {
    case trSerial:
        // After a stall the port holds more than one read: take all of it.
        while (!f.GatherReceived(2048).isEmpty() &&
               f.RxBuffer.size() <= qsizetype(FloodBlocks + 1) * blockLength(f)) {
        }
        break;
    case trNetwork:
        f.GatherReceived(0);
        break;
    default: // a modem has no receive path here
        return;
    }
    // Every whole block waiting is decoded, in order, so a stall of the
    // windows delays the data but loses none; the windows hear once and show
    // the newest.
    bool decoded = false;
    while (takeBlock(f)) {
        f.RackFamily = rkFM;
        if (Tavr1Decode(f)) {
            decoded = true;
            emit f.measurementDecoded();
        }
        f.BlockReceived = false;
    }
    if (decoded)
        PostRefresh(f.RackWindow, UM_TAVR1_DATA);
}

// ---- Connect, disconnect, exit ----------------------------------------------

// The Tavr1 waits 21 ticks where the HD unit waits 20.
constexpr int Tavr1SignOutWaitTicks = 21;

} // namespace

void Tavr1Identify(TFrame2& f, const QByteArray& reply)
{
    const TTavr1Identification id = ParseTavr1Identification(reply);
    f.UnitPresence[upTavr1] = true;
    f.DetectedUnits = 1;
    f.Tavr1IdentificationLine = id.Line;
    f.Tavr1ModelText = id.ModelText;
    f.Tavr1SerialText = id.SerialText;
    f.Tavr1SoftwareVersion = id.SoftwareVersion;
    f.Tavr1BootVersion = id.BootVersion;
    f.Tavr1Options = id.Options;
    f.Tavr1OptionLetter = id.OptionLetter;
    f.Tavr1RevisionLetter2 = id.RevisionLetter2;
    f.Tavr1RevisionLetter3 = id.RevisionLetter3;
    f.Tavr1LanVersion = id.LanVersion;
    f.Tavr1SomVersion = id.SomVersion;
}

bool Tavr1Decode(TFrame2& f)
{
    if (!f.BlockToDecode)
        return false;
    f.BlockToDecode = false;
    const TTavr1BlockVerdict verdict = DecodeTavr1Block(f.BlockSlots[CurrentTavr1BlockSlot], f, f);
    if (verdict == TTavr1BlockVerdict::UnknownTail) {
        // Once a connection: a unit that sent such blocks steadily would
        // otherwise fill the log.
        if (!f.Tavr1Cutter.UnknownTailLogged) {
            f.Tavr1Cutter.UnknownTailLogged = true;
            f.LogEvent(
                QString(" Tavr1 block ignored: unknown tail kind %1 ")
                    .arg(quint8(f.BlockSlots[CurrentTavr1BlockSlot].at(Tavr1Offset::TailKind))),
                lkError);
        }
        return false;
    }
    if (verdict != TTavr1BlockVerdict::Decoded) {
        f.LogEvent(" Tavr1 block refused: not a whole block ", lkError);
        return false;
    }
    ++f.Tavr1BlocksDecoded;
    return true;
}

void Tavr1Step(TFrame2& f)
{
    switch (f.ProcessState) {
    case 1:
        RunLineUnitOpenStep(f, " Tavr1 cannot be reached over a modem: choose RS-232 or Network ");
        break;
    case 2:
        Tavr1Login(f);
        break;
    case 3:
        RunFirmwareSender(f, TFirmwareSender::Tavr1Main);
        break;
    case 5:
        RunFirmwareSender(f, TFirmwareSender::Tavr1Network);
        break;
    case 9:
        RunFirmwareSender(f, TFirmwareSender::Tavr1Som);
        break;
    case 4:
        Tavr1Poll(f);
        break;
    case 6:
    case 7:
    case 8:
        RunSignOffState(f, SignOffLines(BuildTavr1Line, Tavr1SignOutWaitTicks));
        break;
    default:
        break;
    }
}

QString Tavr1PasswordTrace(int tickCount, const QByteArray& reply)
{
    return " Detect 0-1-2-3 " + QString::number(tickCount) + QString::fromLatin1(reply);
}
