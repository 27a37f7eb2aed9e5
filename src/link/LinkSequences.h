#pragma once

#include <QByteArray>
#include <QString>

class TFrame2;

// The Connect, Disconnect and exit sequences the HD and Tavr1 links share:
// wake the unit, end its exchange, wait out waitTicks ticks, then close (and,
// for Connect, open again). The families differ only in the wait.

// ProcessState 6: ConnectStep 0..5; sets ConnectDone once the port reopens.
void RunConnectSequence(TFrame2& f, const QByteArray& wake, const QByteArray& end, int waitTicks);

// ProcessState 7 or 8: DisconnectStep 0..3; sets done once closed. With
// tracing on each step writes " " + name + " 0", " 0-1", ...
void RunSignOutSequence(TFrame2& f, const QByteArray& wake, const QByteArray& end, int waitTicks,
                        const QString& name, bool& done);
