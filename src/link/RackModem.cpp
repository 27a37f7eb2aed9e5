// The modem dial of a rack connection: the modem is reset, set up line by
// line and made to dial; on CONNECT the rack's login follows.
#include "link/Frame2.h"
#include "link/RackLink.h"
#include "protocol/rack/RackCommands.h"

#include <QTimer>

namespace {

QByteArray modemCommand(const TFrame2& f, int index)
{
    static const char* const setup[] = {"ATZ",  "ATE1",  "ATV1",    "ATQ0",   "ATL2",
                                        "AT&C1", "AT&D3", "ATs2=43", "ATS8=2", "ATM1"};
    if (index >= 0 && index < int(std::size(setup)))
        return setup[index];
    return "ATDT" + f.PhoneNumber.toLatin1();
}

constexpr int DialCommand = 10;

void awaitSetupAnswer(TFrame2& f)
{
    const QByteArray reply = f.ReadUntilMarker();
    const QByteArray command = modemCommand(f, f.ModemCommandIndex);
    // The echo counts as an answer too: a modem set to answer with nothing
    // but the echo still moves the dial on.
    if (reply.contains("OK") || reply.contains("ERROR") || reply.contains(command)) {
        f.ConnectStep = f.ModemCommandIndex == DialCommand ? 5 : 3;
        // A quick modem's CONNECT may already stand behind the dial's echo;
        // clearing it away would leave the dial waiting for nothing.
        if (f.ModemCommandIndex == DialCommand && reply.contains("CONNECT"))
            f.ConnectStep = 6;
        ++f.ModemCommandIndex;
        f.TickCount = 0;
        f.ClearReceive();
        return;
    }
    ++f.TickCount;
    if (f.TickCount == 16) {
        f.ConnectStep = 3;
        f.ClearReceive();
    }
    if (f.TickCount > 30) {
        f.ProcessState = 0;
        f.Status = stError;
        f.LogEvent(" MODEM not responding check settings ", lkError);
    }
}

} // namespace

void RackModemDial(TFrame2& f)
{
    switch (f.ConnectStep) {
    case 0:
        f.SendCommand(RackEndConnection());
        f.SavedInterval = f.Timer1->interval();
        f.SetTimerInterval(250);
        f.Status = stInitializing;
        f.ConnectStep = 1;
        break;
    case 1:
        // Dropping DTR makes a modem that still holds a call hang up.
        f.SetModemDTR(false);
        f.SetTimerInterval(1000);
        f.ConnectStep = 2;
        break;
    case 2:
        f.SetModemDTR(true);
        f.ConnectStep = 3;
        f.ModemCommandIndex = 0;
        f.TickCount = 0;
        f.ClearReceive();
        break;
    case 3:
        if (f.ModemCommandIndex == DialCommand)
            f.Status = stDialing;
        f.SendCommand(modemCommand(f, f.ModemCommandIndex) + '\r');
        f.SetTimerInterval(250);
        f.ConnectStep = 4;
        break;
    case 4:
        awaitSetupAnswer(f);
        break;
    case 5:
        if (f.ReadUntilMarker().contains("CONNECT")) {
            f.ConnectStep = 6;
            break;
        }
        if (++f.TickCount >= 240) {
            f.ProcessState = 0;
            f.Status = stError;
            f.LogEvent(" Remote MODEM not responding check settings", lkError);
        }
        break;
    case 6:
        f.SetTimerInterval(50);
        f.LoginStep = 0;
        f.ProcessState = 3;
        break;
    default:
        break;
    }
}
