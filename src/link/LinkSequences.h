#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

class TFrame2;

// The Connect, Disconnect and exit sequences the HD and Tavr1 links share:
// wake the unit, end its exchange, wait out waitTicks ticks, then close (and,
// for Connect, open again). The families differ only in the wait.

// ProcessState 1 of the HD and Tavr1 links: once the port is open the login
// starts (ProcessState 2). Neither unit has a modem dialogue, so a modem
// connection is closed at once with modemRefusal rather than left waiting.
void RunLineUnitOpenStep(TFrame2& f, const QString& modemRefusal);

// ProcessState 6: ConnectStep 0..5; sets ConnectDone once the port reopens.
void RunConnectSequence(TFrame2& f, const QByteArray& wake, const QByteArray& end, int waitTicks);

// ProcessState 7 or 8: DisconnectStep 0..3; sets done once closed. With
// tracing on each step writes " " + name + " 0", " 0-1", ...
void RunSignOutSequence(TFrame2& f, const QByteArray& wake, const QByteArray& end, int waitTicks,
                        const QString& name, bool& done);

// The prompt and password steps the HD and Tavr1 logins share (LoginStep 2
// and 3): the same tests in the same order and the same counts of ticks. A
// family gives its texts, its goodbye and, for the Tavr1, its DEBUG lines.
struct TLoginSteps
{
    QByteArray password;        // as the unit is sent it
    QByteArray validReply;      // the prompt of a unit that asks no password
    QList<QByteArray> askAgain; // the prompt asked again at tick 25
    QString notResponding;      // no prompt after 30 ticks
    QString invalidPassword;    // the unit's "INVAILD"
    QString verificationFailed; // no level after 10 ticks
    std::function<void(TFrame2&, const QString& message)> fail;
    // Written under tracing only; none when empty.
    std::function<void(TFrame2&, const QByteArray& reply)> tracePrompt;
    std::function<void(TFrame2&)> traceAskAgain;
    std::function<void(TFrame2&, const QByteArray& reply)> tracePassword;
};

void RunPromptStep(TFrame2& f, const TLoginSteps& s);
void RunPasswordStep(TFrame2& f, const TLoginSteps& s);
