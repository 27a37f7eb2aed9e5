#include "link/LinkSequences.h"

#include "link/Frame2.h"

#include <QPushButton>
#include <iterator>

namespace {

void trace(TFrame2& f, const QString& text)
{
    if (f.TraceEnabled)
        f.LogEvent(text, lkDebug);
}

void connectSequence(TFrame2& f, const QByteArray& wake, const QByteArray& end, int waitTicks)
{
    switch (f.ConnectStep) {
    case 0:
        f.SetTimerInterval(100);
        f.ConnectStep = f.PortOpen ? 1 : 5;
        trace(f, " Connect 0");
        break;
    case 1:
        f.SendCommand(wake);
        f.ConnectStep = 2;
        trace(f, " Connect 0-1");
        break;
    case 2:
        f.SendCommand(end);
        f.ConnectStep = 3;
        f.TickCount = 0;
        trace(f, " Connect 0-1-2");
        break;
    case 3:
        if (++f.TickCount > waitTicks) {
            f.ConnectStep = 4;
            f.TickCount = 0;
            trace(f, " Connect 0-1-2-3");
        }
        break;
    case 4:
        f.ConnectStep = 5;
        f.CloseConnection();
        f.ProcessState = 6;
        trace(f, " Connect 0-1-2-3-4");
        break;
    case 5:
        f.OpenConnection();
        f.ConnectDone = true;
        trace(f, " Connect 0-1-2-3-4-5");
        break;
    default:
        break;
    }
}

void signOutSequence(TFrame2& f, const QByteArray& wake, const QByteArray& end, int waitTicks,
                     const QString& name, bool& done)
{
    switch (f.DisconnectStep) {
    case 0:
        f.SendCommand(wake);
        f.DisconnectStep = 1;
        trace(f, " " + name + " 0");
        break;
    case 1:
        f.SendCommand(end);
        f.DisconnectStep = 2;
        f.TickCount = 0;
        trace(f, " " + name + " 0-1");
        break;
    case 2:
        if (++f.TickCount > waitTicks) {
            f.DisconnectStep = 3;
            trace(f, " " + name + " 0-1-2");
        }
        break;
    case 3:
        f.CloseConnection();
        done = true;
        trace(f, " " + name + " 0-1-2-3");
        break;
    default:
        break;
    }
}

// A tick of a step that waits for the unit's line: counted, and the line (or
// what has come of it) read and traced.
QByteArray nextReply(TFrame2& f, const std::function<void(TFrame2&, const QByteArray&)>& trace)
{
    ++f.TickCount;
    const QByteArray reply = f.ReadUntilCr();
    if (trace)
        trace(f, reply);
    return reply;
}

// What came so far is no answer: thrown away, and the line asked again.
void askAgain(TFrame2& f, const TLoginSteps& s, const QByteArray& line)
{
    f.ClearReceive();
    f.SendCommand(s.carriageReturn);
    f.SendCommand(line);
}

} // namespace

void RunLineUnitOpenStep(TFrame2& f, const QString& modemRefusal)
{
    if (f.PortOpen && f.Transport == trModem) {
        f.CloseConnection();
        f.Status = stError;
        f.LogEvent(modemRefusal, lkError);
        return;
    }
    if (f.PortOpen) {
        f.ProcessState = 2;
        f.LoginStep = 0;
        f.RefreshConnectionList();
    }
}

void RunSignOffState(TFrame2& f, const TSignOff& s)
{
    switch (f.ProcessState) {
    case 6:
        f.TraceEnabled = false;
        connectSequence(f, s.wake, s.end, s.waitTicks);
        break;
    case 7:
        f.SetTimerInterval(100);
        f.TraceEnabled = false;
        signOutSequence(f, s.wake, s.end, s.waitTicks, "Disconnect", f.DisconnectDone);
        break;
    case 8:
        f.SetTimerInterval(100);
        f.TraceEnabled = true;
        signOutSequence(f, s.wake, s.end, s.waitTicks, "Exit", f.ExitDone);
        break;
    default:
        break;
    }
}

namespace {

void wakeStep(TFrame2& f, const TLoginSteps& s)
{
    f.SetTimerInterval(1000);
    f.SendCommand(s.wake);
    f.LoginStep = 1;
    f.Status = stConnecting;
}

void askPromptStep(TFrame2& f, const TLoginSteps& s)
{
    f.TickCount = 0;
    f.ClearReceive();
    f.SendCommand(s.askPrompt);
    f.LoginStep = 2;
}

void promptStep(TFrame2& f, const TLoginSteps& s)
{
    const QByteArray reply = nextReply(f, s.tracePrompt);
    auto valid = [&](bool sProtocol) {
        f.LoginStep = 4;
        f.SetTimerInterval(100);
        f.SProtocol = sProtocol;
        f.AccessLevel = 3;
        f.ReadOnlyAccess = false;
    };
    auto sendPassword = [&](const QByteArray& line, bool sProtocol) {
        // Clear first: a fast reply to the password must not be thrown away
        // with the prompt.
        f.ClearReceive();
        f.SendCommand(line + "\r");
        f.LoginStep = 3;
        f.TickCount = 0;
        f.SProtocol = sProtocol;
    };
    if (reply.contains("SPASSWORD"))
        return sendPassword("SP" + s.password, true);
    if (reply.contains("PASSWORD"))
        return sendPassword(s.password, false);
    if (reply.contains("SVALID"))
        return valid(true);
    if (reply.contains(s.validReply))
        return valid(false);
    // The waits count only while nothing has answered.
    if (f.TickCount == 25) {
        askAgain(f, s, s.askPrompt);
        f.SetTimerInterval(1000);
        if (s.traceAskAgain)
            s.traceAskAgain(f);
    }
    if (f.TickCount > 30)
        s.fail(f, s.notResponding);
}

void passwordStep(TFrame2& f, const TLoginSteps& s)
{
    const QByteArray reply = nextReply(f, s.tracePassword);
    if (f.LineComplete) {
        auto grant = [&](int level, bool readOnly) {
            f.AccessLevel = level;
            f.ReadOnlyAccess = readOnly;
            f.LoginStep = 4;
            f.SetTimerInterval(100);
        };
        if (reply.contains("INVAILD")) {
            s.fail(f, s.invalidPassword);
            return;
        }
        if (reply.contains("SUPERVISOR"))
            grant(3, false);
        else if (reply.contains("OPERATOR"))
            grant(2, false);
        else if (reply.contains("OBSERVER"))
            grant(1, true);
    }
    // Examined after the reply: a level in the eleventh tick is too late.
    if (f.TickCount > 10)
        s.fail(f, s.verificationFailed);
}

void askIdentityStep(TFrame2& f, const TLoginSteps& s)
{
    if (s.forgetUnit)
        s.forgetUnit(f);
    f.ClearReceive();
    f.SendCommand(s.askIdentity);
    f.LoginStep = 5;
    f.TickCount = 0;
}

void identityStep(TFrame2& f, const TLoginSteps& s)
{
    const QByteArray reply = nextReply(f, s.traceIdentity);
    if (f.LineComplete) {
        if (const unsigned next = s.identify(f, reply)) {
            f.LoginStep = next;
            return;
        }
    }
    // A reply read on the resend tick or on the last one is still taken.
    if (f.TickCount == 25)
        askAgain(f, s, s.askIdentity);
    if (f.TickCount > 50)
        s.fail(f, s.identificationLost);
}

} // namespace

bool RunSharedLoginStep(TFrame2& f, const TLoginSteps& s)
{
    using TStep = void (*)(TFrame2&, const TLoginSteps&);
    static constexpr TStep steps[] = {wakeStep,     askPromptStep,   promptStep,
                                      passwordStep, askIdentityStep, identityStep};
    if (f.LoginStep >= std::size(steps))
        return false;
    steps[f.LoginStep](f, s);
    return true;
}

void RunStartBlocksStep(TFrame2& f, const TLoginSteps& s, bool updatable)
{
    f.SetTimerInterval(50);
    f.LoginStep = 7;
    f.SendCommand(s.startBlocks);
    f.LogEvent(s.connected, lkStatus);
    f.Status = stActive;
    f.RefreshHardwareList();
    f.ButtonC3->setEnabled(updatable);
}

bool RunUpdateDueStep(TFrame2& f, const TLoginSteps& s, const std::function<bool()>& handOver)
{
    f.SetTimerInterval(50);
    if (handOver()) {
        f.ProcessState = 0;
        f.LogEvent(s.connected, lkStatus);
        f.RefreshHardwareList();
        f.ButtonC3->setEnabled(!f.SProtocol);
        return true;
    }
    f.LogEvent(s.updateAvailable, lkStatus);
    return false;
}
