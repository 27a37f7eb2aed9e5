// The rack password change: the rack asks for the level, the new password and
// its repetition; the answers end in CR LF.
#include "link/Frame2.h"
#include "link/RackLink.h"
#include "protocol/rack/RackCommands.h"

#include <QTimer>

namespace {

void fail(TFrame2& f, bool sendGoodbye)
{
    f.ProcessState = 0;
    f.Status = stError;
    if (sendGoodbye) {
        f.SendCommand(RackTerminator());
        f.SendCommand(RackEndConnection());
    }
    f.LogEvent(" QEL Hardware not responding check settings ", lkError);
}

void send(TFrame2& f, const QByteArray& bytes)
{
    f.ClearReceive();
    f.SendCommand(bytes);
}

// Steps 4, 6 and 8: wait for the word that moves on; resend the step before
// after five ticks, give up after ten.
void await(TFrame2& f, const char* word, int next, int resendStep)
{
    ++f.TickCount;
    const QByteArray reply = f.ReadUntilCrLf();
    if (reply.contains(word)) {
        f.PasswordStep = next;
        f.TickCount = 0;
        if (next == 9)
            f.LogEvent(" QEL Succesful Password Change", lkStatus);
        return;
    }
    if (f.TickCount == 5) {
        f.SendCommand(RackTerminator());
        f.PasswordStep = resendStep;
    }
    if (f.TickCount > 10)
        fail(f, false);
}

} // namespace

void RackPasswordStep(TFrame2& f)
{
    switch (f.PasswordStep) {
    case 0:
        f.SendCommand(RackAttention());
        f.SavedInterval = f.Timer1->interval();
        f.SetTimerInterval(250);
        f.Status = stPassword;
        f.TickCount = 0;
        f.PasswordStep = 1;
        break;
    case 1:
        send(f, RackPasswordChange());
        f.SetTimerInterval(1000);
        f.PasswordStep = 2;
        break;
    case 2: {
        ++f.TickCount;
        const QByteArray reply = f.ReadUntilCrLf();
        if (f.LineComplete) {
            if (reply.contains("PASSWORD LEVEL")) {
                f.PasswordStep = 3;
                f.TickCount = 0;
                return;
            }
            if (reply.contains("MUST BE A VALID SUPERVISOR")) {
                f.LogEvent(" Must be VAILD SUPERVISOR to change password", lkError);
                f.PasswordStep = 9;
                return;
            }
            f.ClearReceive();
        }
        if (f.TickCount == 5) {
            f.SendCommand(RackTerminator());
            f.PasswordStep = 1;
        }
        if (f.TickCount > 10)
            fail(f, true);
        break;
    }
    case 3:
        send(f, "3" + RackTerminator());
        f.SetTimerInterval(1000);
        f.PasswordStep = 4;
        break;
    case 4:
        await(f, "NEW", 5, 3);
        break;
    case 5:
        send(f, RackPasswordBytes(f, f.NewPassword) + RackTerminator());
        f.PasswordStep = 6;
        break;
    case 6:
        await(f, "VERIFY", 7, 5);
        break;
    case 7:
        send(f, RackPasswordBytes(f, f.NewPassword) + RackTerminator());
        f.PasswordStep = 8;
        break;
    case 8:
        await(f, "CHANGED", 9, 7);
        break;
    case 9:
        f.SetTimerInterval(50);
        f.ProcessState = 4;
        f.SendCommand(RackStartData());
        break;
    default:
        break;
    }
}
