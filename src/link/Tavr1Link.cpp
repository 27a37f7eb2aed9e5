#include "link/Tavr1Link.h"

#include "common/BaseDirectory.h"
#include "common/TDateTime.h"
#include "common/TextPositions.h"
#include "link/FirmwareSender.h"
#include "link/Frame2.h"
#include "link/FrameHooks.h"
#include "link/LinkSequences.h"
#include "protocol/tavr1/Tavr1Commands.h"
#include "protocol/tavr1/Tavr1Decoder.h"
#include "protocol/tavr1/Tavr1Firmware.h"
#include "protocol/tavr1/Tavr1Receive.h"
#include "platform/UserMessages.h"

#include <QPushButton>

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

// Every failed step ends the same way: the unit is told goodbye and the
// connection waits in error until the user acts.
void fail(TFrame2& f, const QString& message)
{
    f.ProcessState = 0;
    f.Status = stError;
    send(f, TTavr1Line::CarriageReturn);
    send(f, TTavr1Line::EC);
    f.LogEvent(message, lkError);
}

// The bytes at a 1-based position, as text; shorter or empty when the reply
// ends first.
QString field(const QByteArray& reply, qsizetype pos, qsizetype count)
{
    return QString::fromLatin1(copyAt(reply, pos, count));
}

// ---- Login (ProcessState 2) -------------------------------------------------

void loginStep2(TFrame2& f)
{
    ++f.TickCount;
    const QByteArray reply = f.ReadUntilCr();
    trace(f, " Detect 0-1-2 " + QString::fromLatin1(reply));
    bool matched = true;
    if (reply.contains("SPASSWORD")) {
        // Clear first: a reply to the password must not be thrown away with
        // the prompt.
        f.ClearReceive();
        f.SendCommand("SP" + f.DevicePassword.toLatin1() + "\r");
        f.LoginStep = 3;
        f.TickCount = 0;
        f.SProtocol = true;
    } else if (reply.contains("PASSWORD")) {
        f.ClearReceive();
        f.SendCommand(f.DevicePassword.toLatin1() + "\r");
        f.LoginStep = 3;
        f.TickCount = 0;
        f.SProtocol = false;
    } else if (reply.contains("SVALID")) {
        f.LoginStep = 4;
        f.SetTimerInterval(100);
        f.SProtocol = true;
        f.AccessLevel = 3;
        f.ReadOnlyAccess = false;
    } else if (reply.contains("VALID SUPERVISOR")) {
        f.LoginStep = 4;
        f.SetTimerInterval(100);
        f.SProtocol = false;
        f.AccessLevel = 3;
        f.ReadOnlyAccess = false;
    } else {
        matched = false;
    }
    // The waits count only while nothing has answered.
    if (matched)
        return;
    if (f.TickCount == 25) {
        f.ClearReceive();
        send(f, TTavr1Line::CarriageReturn);
        send(f, TTavr1Line::SC);
        f.SetTimerInterval(1000);
        trace(f, "Detect 0-1-2 Command Sent CR + SC");
    }
    if (f.TickCount > 30)
        fail(f, " Tavr1 Hardware not responding check settings ");
}

void loginStep3(TFrame2& f)
{
    ++f.TickCount;
    const QByteArray reply = f.ReadUntilCr();
    trace(f, Tavr1PasswordTrace(f.TickCount, reply));
    if (f.LineComplete) {
        auto grant = [&](int level, bool readOnly) {
            f.AccessLevel = level;
            f.ReadOnlyAccess = readOnly;
            f.LoginStep = 4;
            f.SetTimerInterval(100);
        };
        if (reply.contains("INVAILD")) {
            fail(f, " Tavr1 INVAILD PASSWORD             ");
            return;
        }
        if (reply.contains("SUPERVISOR"))
            grant(3, false);
        else if (reply.contains("OPERATOR"))
            grant(2, false);
        else if (reply.contains("OBSERVER"))
            grant(1, true);
    }
    if (f.TickCount > 10)
        fail(f, " Tavr-1 password verification failed ");
}

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

void loginStep5(TFrame2& f)
{
    ++f.TickCount;
    const QByteArray reply = f.ReadUntilCr();
    trace(f, " Detect 0-1-2-3-4-5 " + QString::fromLatin1(reply));
    if (f.LineComplete && reply.contains("Tavr-1")) {
        Tavr1Identify(f, reply);
        f.LoginStep = updateDue(f) ? 8 : 6;
        return;
    }
    if (f.TickCount == 25) {
        f.ClearReceive();
        send(f, TTavr1Line::CarriageReturn);
        send(f, TTavr1Line::UI);
    }
    if (f.TickCount > 50) {
        fail(f, " Tavr1 hardware not responding");
    }
}

void startPolling(TFrame2& f)
{
    f.SetTimerInterval(50);
    f.LoginStep = 7;
    send(f, TTavr1Line::SD);
    f.LogEvent(" Tavr1 Succesful Connection", lkStatus);
    f.Status = stActive;
    f.RefreshHardwareList();
    f.ButtonC3->setEnabled(!f.SProtocol || f.Tavr1OptionLetter == "C");
}

void Tavr1Login(TFrame2& f)
{
    f.TraceEnabled = false;
    switch (f.LoginStep) {
    case 0:
        f.SetTimerInterval(1000);
        send(f, TTavr1Line::HD);
        f.LoginStep = 1;
        f.Status = stConnecting;
        trace(f, " Detect 0");
        break;
    case 1:
        f.TickCount = 0;
        f.ClearReceive();
        send(f, TTavr1Line::SC);
        f.LoginStep = 2;
        trace(f, " Detect 0-1");
        break;
    case 2:
        loginStep2(f);
        break;
    case 3:
        loginStep3(f);
        break;
    case 4:
        f.ClearReceive();
        send(f, TTavr1Line::UI);
        f.LoginStep = 5;
        trace(f, " Detect 0-1-2-3-4");
        f.TickCount = 0;
        break;
    case 5:
        loginStep5(f);
        break;
    case 6:
        startPolling(f);
        break;
    case 7:
        f.SetTimerInterval(50);
        f.ProcessState = 4;
        f.Tavr1UpdateLocalConfig = true;
        f.Tavr1UpdateLocalTable = true;
        break;
    case 8:
        f.SetTimerInterval(50);
        if (FrameHooks().tavr1UpdateDue && FrameHooks().tavr1UpdateDue(f)) {
            // The update dialog now has the connection; it is not polled.
            f.ProcessState = 0;
            f.LogEvent(" Tavr1 Succesful Connection", lkStatus);
            f.RefreshHardwareList();
            f.ButtonC3->setEnabled(!f.SProtocol);
            break;
        }
        // No dialog can take the update now: say so and poll the unit.
        f.LogEvent(" Tavr1 firmware update available; the unit is polled meanwhile ", lkStatus);
        startPolling(f);
        break;
    default:
        break;
    }
}

// ---- Receive (ProcessState 4) -----------------------------------------------

void takeBlock(TFrame2& f)
{
    const int length = f.SProtocol ? Tavr1StampedBlockLength : Tavr1BlockLength;
    std::optional<QByteArray> block = CutTavr1Block(f.RxBuffer, length);
    if (!block)
        return;
    ++f.BlocksSinceDisplay;
    f.BlockNumber = (f.BlockNumber + 1) % 10;
    f.BlockToDecode = true;
    f.BlockReceived = true;
    f.BlockRingIndex = (f.BlockRingIndex + 1) % BlockRingSize;
    const QDateTime now = QDateTime::currentDateTime();
    if (f.SProtocol) {
        // A stamp that is no date must not become the block's time.
        const auto stamp = TDateTimeFromBytes(block->right(8));
        f.LastBlockTime = stamp ? *stamp : now;
    } else {
        f.LastBlockTime = now;
        block->append(TDateTimeBytes(now));
    }
    f.BlockSlots[BlockRingFirstSlot + f.BlockRingIndex] = *block;
    f.BlockSlots[CurrentTavr1BlockSlot] = *block;
    f.NewDataFlags.fill(1);
}

void Tavr1Poll(TFrame2& f)
{
    f.SetTimerInterval(125);
    const QByteArray line = TakeTavr1CommandLine(f, f);
    if (!line.isEmpty())
        f.SendCommand(line);
    switch (f.Transport) {
    case trSerial:
        f.GatherReceived(2048);
        takeBlock(f);
        break;
    case trNetwork:
        f.GatherReceived(0);
        takeBlock(f);
        break;
    default: // a modem has no receive path here
        break;
    }
    if (f.BlockReceived) {
        f.RackFamily = rkFM;
        Tavr1DecodeAndPost(f);
        f.BlockReceived = false;
    }
}

// ---- Connect, disconnect, exit ----------------------------------------------

// The Tavr1 waits 21 ticks where the HD unit waits 20.
constexpr int Tavr1SignOutWaitTicks = 21;

void Tavr1Connect(TFrame2& f)
{
    f.TraceEnabled = false;
    RunConnectSequence(f, BuildTavr1Line(TTavr1Line::HD), BuildTavr1Line(TTavr1Line::EC),
                       Tavr1SignOutWaitTicks);
}

void Tavr1SignOut(TFrame2& f, const QString& name, bool& done)
{
    RunSignOutSequence(f, BuildTavr1Line(TTavr1Line::HD), BuildTavr1Line(TTavr1Line::EC),
                       Tavr1SignOutWaitTicks, name, done);
}

} // namespace

void Tavr1Identify(TFrame2& f, const QByteArray& reply)
{
    f.UnitPresence[upTavr1] = true;
    f.DetectedUnits = 1;
    f.Tavr1IdentificationLine = QString::fromLatin1(reply);
    f.Tavr1ModelText = "Tavr-1";
    f.Tavr1SerialText.clear();
    f.Tavr1SoftwareVersion.clear();
    f.Tavr1BootVersion.clear();
    f.Tavr1LanVersion.clear();
    f.Tavr1SomVersion.clear();

    if (const qsizetype pos = posOf("SN(", reply)) {
        f.Tavr1SerialText = field(reply, pos + 3, 6);
        if (f.Tavr1SerialText.size() >= 2 && f.Tavr1SerialText.at(1) == '6')
            f.Tavr1ModelText = "Tavr-1 Lite";
    }
    if (const qsizetype pos = posOf("SW(", reply)) {
        f.Tavr1SoftwareVersion = field(reply, pos + 3, 5);
        f.Tavr1BootVersion = field(reply, pos + 9, 5);
    }
    const qsizetype opt = posOf("OPT(", reply);
    f.Tavr1Options = (opt && charAt(reply, opt + 4) == '0') ? "Basic" : "Complete";

    f.Tavr1OptionLetter = "B";
    f.Tavr1RevisionLetter2 = "B";
    f.Tavr1RevisionLetter3 = "A";
    if (const qsizetype pos = posOf("REV(", reply)) {
        // A letter the reply does not reach keeps its default.
        auto letter = [&](qsizetype at, QString& out) {
            if (const char c = charAt(reply, at))
                out = QString(QChar::fromLatin1(c));
        };
        letter(pos + 6, f.Tavr1OptionLetter);
        letter(pos + 10, f.Tavr1RevisionLetter2);
        letter(pos + 14, f.Tavr1RevisionLetter3);
    }
    if (f.Tavr1OptionLetter == "B") {
        if (const qsizetype pos = posOf("LAN(", reply))
            f.Tavr1LanVersion = field(reply, pos + 4, 7);
    } else if (f.Tavr1OptionLetter == "C") {
        if (const qsizetype pos = posOf("SOM(", reply))
            f.Tavr1SomVersion = field(reply, pos + 4, 4);
    }
}

void Tavr1DecodeAndPost(TFrame2& f)
{
    if (!f.BlockToDecode)
        return;
    f.BlockToDecode = false;
    const TTavr1BlockVerdict verdict = DecodeTavr1Block(f.BlockSlots[CurrentTavr1BlockSlot], f, f);
    if (verdict != TTavr1BlockVerdict::Decoded) {
        f.LogEvent(" Tavr1 block refused: not a whole block ", lkError);
        return;
    }
    PostMessage(f.RackWindow, UM_TAVR1_DATA);
}

void Tavr1Step(TFrame2& f)
{
    switch (f.ProcessState) {
    case 1:
        if (f.PortOpen && f.Transport == trModem) {
            // The unit has no modem dialogue; say so rather than wait in silence.
            f.CloseConnection();
            f.Status = stError;
            f.LogEvent(" Tavr1 cannot be reached over a modem: choose RS-232 or Network ", lkError);
            break;
        }
        if (f.PortOpen) {
            f.ProcessState = 2;
            f.LoginStep = 0;
            f.RefreshConnectionList();
        }
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
        Tavr1Connect(f);
        break;
    case 7:
        f.SetTimerInterval(100);
        f.TraceEnabled = false;
        Tavr1SignOut(f, "Disconnect", f.DisconnectDone);
        break;
    case 8:
        f.SetTimerInterval(100);
        f.TraceEnabled = true;
        Tavr1SignOut(f, "Exit", f.ExitDone);
        break;
    default:
        break;
    }
}

QString Tavr1PasswordTrace(int tickCount, const QByteArray& reply)
{
    return " Detect 0-1-2-3 " + QString::number(tickCount) + QString::fromLatin1(reply);
}
