#include "link/LinkSequences.h"

#include "link/Frame2.h"

namespace {

void trace(TFrame2& f, const QString& text)
{
    if (f.TraceEnabled)
        f.LogEvent(text, lkDebug);
}

} // namespace

void RunConnectSequence(TFrame2& f, const QByteArray& wake, const QByteArray& end, int waitTicks)
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

void RunSignOutSequence(TFrame2& f, const QByteArray& wake, const QByteArray& end, int waitTicks,
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
