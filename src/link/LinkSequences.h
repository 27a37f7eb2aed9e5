#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class TFrame2;

// ProcessState 1 of the HD and Tavr1 links: once the port is open the login
// starts (ProcessState 2). Neither unit has a modem dialogue, so a modem
// connection is closed at once with modemRefusal rather than left waiting.
void RunLineUnitOpenStep(TFrame2& f, const QString& modemRefusal);

// The Connect (ProcessState 6), Disconnect (7) and exit (8) sequences the HD
// and Tavr1 links share: wake the unit, end its exchange, wait out waitTicks
// ticks, then close (and, for Connect, open again). The families differ only
// in the wait. Connect sets ConnectDone once the port reopens, Disconnect
// DisconnectDone and exit ExitDone once closed; only exit traces its steps
// (" Exit 0", " Exit 0-1", ...). Any other state is left alone.
struct TSignOff
{
    QByteArray wake;
    QByteArray end;
    int waitTicks = 0;
};
void RunSignOffState(TFrame2& f, const TSignOff& s);

// Both families' protocols name the lines of the login and the sign-off
// alike; each builds them with its own line builder.
template <class Line>
TSignOff SignOffLines(QByteArray (*build)(Line), int waitTicks)
{
    return {build(Line::HD), build(Line::EC), waitTicks};
}

// The login steps the HD and Tavr1 links share: the same lines, the same
// tests in the same order and the same counts of ticks. A family gives its
// lines, texts, goodbye and identification and, for the Tavr1, its DEBUG
// lines; the steps only one family has stay in its own link.
struct TLoginSteps
{
    QByteArray wake;           // the first line of the login
    QByteArray askPrompt;      // the unit's prompt, asked again at tick 25
    QByteArray askIdentity;    // who the unit is, asked again at tick 25
    QByteArray startBlocks;    // the unit's blocks
    QByteArray carriageReturn; // sent before a line asked again
    QByteArray password;       // as the unit is sent it
    QByteArray validReply;     // the prompt of a unit that asks no password
    QString notResponding;      // no prompt after 30 ticks
    QString invalidPassword;    // the unit's "INVAILD"
    QString verificationFailed; // no level after 10 ticks
    QString identificationLost; // no identification after 50 ticks
    QString connected;          // the STATUS line of a unit logged in
    QString updateAvailable;    // an update no dialog took: polled meanwhile
    std::function<void(TFrame2&, const QString& message)> fail;
    // What of a unit seen before on this connection is forgotten before the
    // identification is asked; nothing when empty.
    std::function<void(TFrame2&)> forgetUnit;
    // The identification reply into the frame: the login step that follows,
    // or 0 when the reply names no unit of the family.
    std::function<unsigned(TFrame2&, const QByteArray& reply)> identify;
    // Written under tracing only; none when empty.
    std::function<void(TFrame2&, const QByteArray& reply)> tracePrompt;
    std::function<void(TFrame2&)> traceAskAgain;
    std::function<void(TFrame2&, const QByteArray& reply)> tracePassword;
    std::function<void(TFrame2&, const QByteArray& reply)> traceIdentity;
};

// Runs the login step both families take alike: 0 wake the unit, 1 ask its
// prompt, 2 the prompt (and the password sent), 3 the level granted, 4 ask
// who the unit is, 5 its answer. False, and nothing done, for a step of the
// family's own.
bool RunSharedLoginStep(TFrame2& f, const TLoginSteps& s);

// The login's lines (as SignOffLines the sign-off's) by the family's builder.
template <class Line>
void SetLoginLines(TLoginSteps& s, QByteArray (*build)(Line))
{
    s.wake = build(Line::HD);
    s.askPrompt = build(Line::SC);
    s.askIdentity = build(Line::UI);
    s.startBlocks = build(Line::SD);
    s.carriageReturn = build(Line::CarriageReturn);
}

// LoginStep 6: start the unit's blocks (LoginStep 7 then polls); the Update
// button is enabled when this unit can be updated from here.
void RunStartBlocksStep(TFrame2& f, const TLoginSteps& s, bool updatable);
// An update is due: true when handOver gave the connection to the update
// dialog, which then has it (the unit is not polled); false when none took
// it, which is said, and the family starts the blocks.
bool RunUpdateDueStep(TFrame2& f, const TLoginSteps& s, const std::function<bool()>& handOver);
