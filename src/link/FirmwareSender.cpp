#include "link/FirmwareSender.h"

#include "common/FieldHelpers.h"
#include "data/EventLog.h"
#include "link/FirmwareDialog.h"
#include "link/Frame2.h"
#include "platform/SerialLib.h"
#include "protocol/firmware/DldFile.h"

#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <span>

namespace {

constexpr int DownloadIntervalMs = 10;
constexpr int WaitIntervalMs = 125;
constexpr int NetworkWaitIntervalMs = 100; // the HD network-module sender's opening
constexpr int ResetIntervalMs = 100;
constexpr int ReadyRetryTick = 120;
constexpr int ReadyTimeoutTick = 240;
constexpr int LineRetryTick1 = 1500;
constexpr int LineRetryTick2 = 3000;
constexpr int LineTimeoutTick = 6000;
constexpr int PhaseTimeoutTick = 480;
constexpr int PhaseWordsForFullBar = 70;
constexpr int NetworkResetTicks = 4200;
constexpr int ModuleRestartTicks = 900;
constexpr int HdResetTicks = 3000;
constexpr int ReleaseTick = 10;

// What tells the senders apart.
struct TSenderRecord
{
    bool tavr1;
    bool plainPg;      // "PG\r" without the count (HD sender)
    bool deOnFourthBc; // "DE\r" when the unit refuses a line a fourth time
    bool extraLine;    // the serial record after the data (HD sender)
    bool hasCancelEnd; // end 98 (HD senders); the others treat 98 as 99
    const char* failureText;
    const char* successText;
};

TSenderRecord recordFor(TFirmwareSender s)
{
    switch (s) {
    case TFirmwareSender::Tavr1Main:
        return {
            true, false, true, false, false, " EEPROM Update Failed ", " EEPROM Update Succesful "};
    case TFirmwareSender::Tavr1Network:
        return {true,
                false,
                true,
                false,
                false,
                " Lantronix Update Failed ",
                " Lantronix Update Succesful "};
    case TFirmwareSender::Tavr1Som:
        return {true, false, true, false, false, " SOM Update Failed ", " SOM Update Succesful "};
    case TFirmwareSender::HdMain:
        return {
            false, true, false, true, true, " EEPROM Update Failed ", " EEPROM Update Succesful "};
    case TFirmwareSender::Vren1Main:
        return {false,
                false,
                true,
                false,
                true,
                " Please Close Tolvex, and Re-open, and Re-Connect",
                " EEPROM Update Succesful "};
    case TFirmwareSender::HdNetwork:
        return {false,
                false,
                true,
                false,
                true,
                " Lantronix Update Failed ",
                " Lantronix Update Succesful "};
    }
    return {};
}

TFirmwareDialogPort* dialog(TFrame2& f)
{
    return f.FirmwareDialog();
}

void setProgress(TFrame2& f, qint64 percent)
{
    if (auto* d = dialog(f))
        d->SetProgress(int(std::clamp<qint64>(percent, 0, 100)));
}

void setState(TFrame2& f, const QString& text)
{
    if (auto* d = dialog(f))
        d->SetStateText(text);
}

void setCount(TFrame2& f, const QString& text)
{
    if (auto* d = dialog(f))
        d->SetCountText(text);
}

void showBadChecksums(TFrame2& f)
{
    if (auto* d = dialog(f))
        d->SetBadChecksumText("Bad Checksums: " + IntField(f.FirmwareBadChecksums, 5));
}

void finish(TFrame2& f, int result)
{
    if (auto* d = dialog(f))
        d->FinishTransfer(result);
    f.BindFirmwareDialog(nullptr);
}

// Back to the interval before the transfer; never the download's 10 ms.
void restoreInterval(TFrame2& f)
{
    const int ms = f.SavedInterval > DownloadIntervalMs ? f.SavedInterval : WaitIntervalMs;
    f.SetTimerInterval(ms);
}

int lineCount(const TFrame2& f)
{
    return f.FirmwareLineCount;
}

QByteArray currentLine(const TFrame2& f)
{
    const TDldFile* file = f.FirmwareFile();
    return file ? file->DataLine(int(f.LinesSent) - 1) : QByteArray();
}

int dataLines(const TFrame2& f)
{
    const TDldFile* file = f.FirmwareFile();
    return file ? file->DataLineCount() : 0;
}

// The end of every wait that gives up: past its last tick the wait's own
// line is logged and the transfer fails.
void gaveUp(TFrame2& f, int lastTick, const QString& timeoutText)
{
    if (f.TickCount <= lastTick)
        return;
    f.LogEvent(timeoutText, lkError);
    f.TransferStep = 99;
}

void sendPg(TFrame2& f, const TSenderRecord& r)
{
    f.SendCommand(r.plainPg ? QByteArray("PG\r") : BuildPageLine(quint16(lineCount(f))));
}

// Steps 0-5, the same for every sender. With the data done the sender's own
// steps take over at TransferStep 6.
void download(TFrame2& f, TFirmwareSender s, const TSenderRecord& r)
{
    switch (f.TransferStep) {
    case 0:
        // What ran before, for an end that comes before the data: the
        // Tavr1 senders keep it for their opening, the HD senders wait at
        // their own pace.
        f.SavedInterval = f.Timer1->interval();
        if (s == TFirmwareSender::HdNetwork)
            f.SetTimerInterval(NetworkWaitIntervalMs);
        else if (!r.tavr1)
            f.SetTimerInterval(WaitIntervalMs);
        f.Status = stUpdating;
        f.RefreshConnectionList();
        f.UnitResetExpected = false;
        f.ReconnectingAfterUpdate = false;
        f.TransferLinkLost = false;
        f.ExtraLineSent = false;
        f.ClearReceive();
        if (s == TFirmwareSender::Tavr1Som)
            f.SendCommand("SO\r");
        else if (s == TFirmwareSender::Tavr1Main && f.SProtocol)
            f.SendCommand("SU\r");
        else
            f.SendCommand("HD\r");
        f.TransferStep = 1;
        break;
    case 1:
        f.TickCount = 0;
        f.ClearReceive();
        sendPg(f, r);
        f.TransferStep = 2;
        break;
    case 2:
        ++f.TickCount;
        // Block bytes still arriving from before "HD" may hold CRs of their
        // own: look through every complete line for the answer.
        while (auto line = f.TakeLine()) {
            if (line->contains("READY")) {
                f.TransferStep = 3;
                break;
            }
        }
        if (f.TransferStep == 3)
            break;
        if (f.TickCount == ReadyRetryTick) {
            f.SendCommand("\r");
            f.ClearReceive();
            sendPg(f, r);
        } else {
            gaveUp(f, ReadyTimeoutTick, " Hardware Not Responding");
        }
        break;
    case 3:
        setProgress(f, 0);
        f.LinesSent = 0;
        f.FirmwareBadChecksums = 0;
        f.FirmwareSendNext = true;
        // The lines go at 10 ms; what follows them runs at the pace before.
        f.SavedInterval = f.Timer1->interval();
        f.SetTimerInterval(DownloadIntervalMs);
        setCount(f, "0 of " + IntField(lineCount(f), 6));
        showBadChecksums(f);
        setState(f, "Downloading Program ");
        f.ClearReceive();
        f.TransferStep = 4;
        break;
    case 4: {
        const bool dataDone = f.FirmwareSendNext && f.LinesSent >= dataLines(f);
        if (f.ExtraLineSent || (dataDone && !r.extraLine)) {
            f.CloseFirmwareFile();
            restoreInterval(f);
            f.TransferStep = 6;
            break;
        }
        QByteArray line;
        if (dataDone) {
            // The unit's serial digits, once, after the last data line.
            auto* d = dialog(f);
            line = d ? d->SerialRecord() : QByteArray();
            f.ExtraLineSent = true;
            if (line.isEmpty())
                break; // nothing to add: the next tick ends the data
        } else if (f.FirmwareSendNext) {
            ++f.LinesSent;
            line = currentLine(f);
            const int count = lineCount(f);
            setProgress(f, count > 0 ? qint64(f.LinesSent) * 100 / count : 0);
            setCount(f, IntField(f.LinesSent, 6) + " of " + IntField(count, 6));
        } else {
            line = currentLine(f);
        }
        f.ClearReceive();
        f.SendCommand(line + "\r");
        f.TransferStep = 5;
        break;
    }
    case 5: {
        ++f.TickCount;
        const auto reply = f.TakeLine();
        if (reply && reply->contains("GC")) {
            f.FirmwareSendNext = true;
            f.TickCount = 0;
            f.FirmwareBadChecksums = 0;
            f.TransferStep = 4;
        } else if (reply && reply->contains("BC")) {
            f.FirmwareSendNext = false;
            f.TickCount = 0;
            ++f.FirmwareBadChecksums;
            showBadChecksums(f);
            f.TransferStep = 4;
            if (f.FirmwareBadChecksums > 3) {
                if (r.deOnFourthBc)
                    f.SendCommand("DE\r");
                if (auto* d = dialog(f))
                    d->ReportBadChecksum(f.FirmwareFilePath());
                f.TransferStep = 99;
            }
        } else if (f.TickCount == LineRetryTick1 || f.TickCount == LineRetryTick2) {
            const QByteArray line = f.ExtraLineSent ? QByteArray() : currentLine(f);
            f.SendCommand("\r");
            if (!line.isEmpty())
                f.SendCommand(line + "\r");
        } else {
            gaveUp(f, LineTimeoutTick, " Data Download Timeout ");
        }
        break;
    }
    default:
        break;
    }
}

// One phase of the unit's script after "EF": announced with its state line,
// then waited for until its "PASS".
struct TScriptPhase
{
    const char* state;
    const char* word; // the phase's progress word
    const char* failText;
    const char* timeoutText;
    bool resetPace; // from this phase on the waits run at the reset interval
};

constexpr TScriptPhase ErasePhase{"Erasing EEPROM     ", "ERASE", " Erase EEPROM Failed ",
                                  " Erase EEPROM Timeout ", false};
constexpr TScriptPhase FlashPhase{"Flashing EEPROM     ", "FLASH", " Flashing EEPROM Failed ",
                                  "Flash EEPROM Timeout", false};
constexpr TScriptPhase VerifyPhase{"Verifying EEPROM    ", "VERIFY", " Verifying EEPROM Failed ",
                                   "Verify EEPROM Timeout", true};
constexpr const char* MicroFailText = " Programming Micro Failed ";
constexpr const char* MicroTimeoutText = "Micro Program Timeout";

constexpr TScriptPhase Tavr1Script[] = {
    ErasePhase,
    FlashPhase,
    VerifyPhase,
    {"Updating Micro   ", "MICRO", MicroFailText, MicroTimeoutText, false},
};
constexpr TScriptPhase Vren1Script[] = {
    ErasePhase,
    FlashPhase,
    VerifyPhase,
    {"Updating Micro#1   ", "MICRO", MicroFailText, MicroTimeoutText, false},
    {"Updating Micro#2   ", "MICRO", MicroFailText, MicroTimeoutText, false},
};

// One wait phase: a line per tick; "FAIL" fails, "PASS" goes on, the
// phase's own word moves the bar.
void waitPhase(TFrame2& f, const TScriptPhase& p, int next)
{
    ++f.TickCount;
    if (const auto line = f.TakeLine()) {
        if (line->contains("FAIL")) {
            f.LogEvent(p.failText, lkError);
            f.TransferStep = 99;
            return;
        }
        if (line->contains("PASS")) {
            f.TickCount = 0;
            f.TransferStep = next;
            return;
        }
        if (line->contains(p.word)) {
            ++f.PhaseReplies;
            setProgress(f, qint64(f.PhaseReplies) * 100 / PhaseWordsForFullBar);
        }
    }
    gaveUp(f, PhaseTimeoutTick, p.timeoutText);
}

void startPhase(TFrame2& f, const QString& state, int next)
{
    setState(f, state);
    setProgress(f, 0);
    f.PhaseReplies = 0;
    f.TickCount = 0;
    f.TransferStep = next;
}

void succeed(TFrame2& f, const TSenderRecord& r)
{
    restoreInterval(f);
    f.CloseFirmwareFile();
    f.UnitResetExpected = false;
    finish(f, 1);
    f.StartConnect();
    f.ReconnectingAfterUpdate = true;
    f.LogEvent(r.successText, lkStatus);
}

// The wait for "SUCCESS" after the unit's last phase.
void waitSuccess(TFrame2& f, int next)
{
    ++f.TickCount;
    const auto line = f.TakeLine();
    if (line && line->contains("SUCCESS")) {
        setProgress(f, 100);
        f.TransferStep = next;
        return;
    }
    setProgress(f, qint64(f.TickCount) * 100 / ModuleRestartTicks);
    gaveUp(f, ModuleRestartTicks, " Reset Timeout ");
}

// The steps from 6 on the Tavr1 and the Vren1: each phase of the script
// announced (6, 8, ...) and waited for (7, 9, ...), the first after "EF",
// then the reset announced and its "SUCCESS" waited for. True at the step
// after that wait, where the sender's own end runs.
bool runScript(TFrame2& f, std::span<const TScriptPhase> script)
{
    const int step = f.TransferStep;
    const int resetStep = 6 + 2 * int(script.size());
    if (step < 6 || step > resetStep + 2)
        return false;
    if (step == resetStep + 2)
        return true;
    if (step == resetStep + 1) {
        waitSuccess(f, step + 1);
    } else if (step == resetStep) {
        // No clear here: a unit that answers its script in one write has
        // already sent its SUCCESS, and the wait takes lines one at a time.
        f.SetTimerInterval(ResetIntervalMs);
        startPhase(f, "Resetting Unit   ", step + 1);
    } else if ((step - 6) % 2 == 1) {
        waitPhase(f, script[std::size_t(step - 6) / 2], step + 1);
    } else {
        const TScriptPhase& p = script[std::size_t(step - 6) / 2];
        if (step == 6) {
            f.ClearReceive();
            f.SendCommand("EF\r");
        }
        if (p.resetPace)
            f.SetTimerInterval(ResetIntervalMs);
        startPhase(f, p.state, step + 1);
    }
    return false;
}

void tavr1Main(TFrame2& f, const TSenderRecord& r)
{
    if (!runScript(f, Tavr1Script))
        return;
    // Under the S protocol the unit takes "UC" to start its new firmware.
    if (f.SProtocol)
        f.SendCommand("UC\r");
    succeed(f, r);
}

void vren1Main(TFrame2& f, const TSenderRecord& r)
{
    if (f.TransferStep == 100) {
        // No step leads here; kept for a unit that asks to be reopened.
        restoreInterval(f);
        f.OpenConnection();
    } else if (runScript(f, Vren1Script)) {
        succeed(f, r);
    }
}

void hdMain(TFrame2& f, const TSenderRecord& r)
{
    switch (f.TransferStep) {
    case 6:
        f.ClearReceive();
        f.SendCommand("EF\r");
        setCount(f, QString());
        startPhase(f, "Flashing EEPROM     ", 9);
        break;
    case 9: {
        ++f.TickCount;
        const auto line = f.TakeLine();
        if (line && line->contains("FLASH")) {
            const int n = line->size() > 5 ? line->at(5) - '0' : -1;
            if (n >= 0 && n <= 7)
                setProgress(f, (n + 1) * 125 / 10);
            f.TickCount = 0;
        } else if (line && line->contains("DONE")) {
            // The unit restarts at 115200 baud.
            f.BaudChoice = 1;
            if (f.Transport == trSerial)
                f.SetHeldPortBaud(SioBaud115200);
            QString error;
            if (!f.SaveConfiguration(&error))
                f.LogEvent(" Configuration not saved: " + error + " ", lkError);
            f.TransferStep = 10;
        } else {
            gaveUp(f, PhaseTimeoutTick, "Flash EEPROM Timeout");
        }
        break;
    }
    case 10:
        f.SetTimerInterval(ResetIntervalMs);
        startPhase(f, "Resetting and Configuring Unit   ", 11);
        break;
    case 11:
        ++f.TickCount;
        f.TakeLine(); // whatever the unit says while it restarts
        setProgress(f, qint64(f.TickCount) * 100 / HdResetTicks);
        if (f.TickCount >= HdResetTicks) {
            setProgress(f, 100);
            f.TransferStep = 12;
        }
        break;
    case 12:
        // The held serial port is released by the reconnect's open.
        f.PortOpen = false;
        succeed(f, r);
        break;
    default:
        break;
    }
}

// After the data of a network module or SOM: the unit takes the image and
// resets, dropping the link; the frame waits and reconnects.
void moduleReset(TFrame2& f, TFirmwareSender s, const TSenderRecord& r)
{
    const bool som = s == TFirmwareSender::Tavr1Som;
    switch (f.TransferStep) {
    case 6:
        f.UnitResetExpected = true;
        f.SendCommand(som ? "UC\r" : "UL\r");
        setCount(f, QString());
        setState(f, som ? "Resetting Unit   " : "Updating Lantronix  ");
        f.SetTimerInterval(ResetIntervalMs);
        f.TickCount = 0;
        f.TransferStep = 7;
        break;
    case 7:
        ++f.TickCount;
        if (f.PortOpen)
            f.TakeLine();
        if (!som)
            setProgress(f, (qint64(f.TickCount) * 100 + 100) / NetworkResetTicks);
        if (f.TickCount == ReleaseTick)
            f.ReleaseTransport();
        if (som && f.TickCount >= ReleaseTick) {
            f.TickCount = 0;
            f.TransferStep = 17;
        } else if (f.TickCount > NetworkResetTicks) {
            setProgress(f, 0);
            setState(f, "Resetting Unit   ");
            f.TickCount = 0;
            f.TransferStep = 17;
        }
        break;
    case 17:
        ++f.TickCount;
        setProgress(f, (qint64(f.TickCount) * 100 + 100) / ModuleRestartTicks);
        if (f.TickCount > ModuleRestartTicks)
            f.TransferStep = 18;
        break;
    case 18:
        f.PortOpen = false;
        succeed(f, r);
        break;
    default:
        break;
    }
}

void failEnd(TFrame2& f, TFirmwareSender s, const TSenderRecord& r)
{
    restoreInterval(f);
    f.CloseFirmwareFile();
    setProgress(f, 0);
    finish(f, 2);
    const bool mainPath = s == TFirmwareSender::Tavr1Main || !r.tavr1;
    if (mainPath)
        f.ButtonC3->setEnabled(false);
    f.UnitResetExpected = false;
    if (s == TFirmwareSender::Vren1Main) {
        f.CloseConnection();
        f.LogEvent(r.failureText, lkError);
        f.Status = stError;
        f.RefreshConnectionList();
        return;
    }
    // Nothing goes out when the link is already gone.
    f.SendCommand("\r");
    f.SendCommand("EC\r");
    f.LogEvent(r.failureText, lkError);
    f.Status = stError;
    f.ProcessState = 0;
    f.RefreshConnectionList();
}

void cancelEnd(TFrame2& f)
{
    restoreInterval(f);
    f.CloseFirmwareFile();
    setProgress(f, 0);
    finish(f, 2);
    f.ButtonC3->setEnabled(false);
    f.UnitResetExpected = false;
    f.LogEvent(" EEPROM Update Canceled ", lkError);
    f.Status = stError;
    f.StartDisconnect();
}

} // namespace

void RunFirmwareSender(TFrame2& f, TFirmwareSender s)
{
    const TSenderRecord r = recordFor(s);
    // A link lost during the last step (a write that failed, a socket that
    // closed) wins over whatever step that step chose.
    if (f.TransferLinkLost) {
        f.TransferLinkLost = false;
        f.TransferStep = 99;
    }
    if (f.TransferStep == 98 && !r.hasCancelEnd)
        f.TransferStep = 99;
    if (f.TransferStep == 98) {
        cancelEnd(f);
        return;
    }
    if (f.TransferStep == 99) {
        failEnd(f, s, r);
        return;
    }
    if (f.TransferStep <= 5) {
        download(f, s, r);
        return;
    }
    switch (s) {
    case TFirmwareSender::Tavr1Main:
        tavr1Main(f, r);
        break;
    case TFirmwareSender::Vren1Main:
        vren1Main(f, r);
        break;
    case TFirmwareSender::HdMain:
        hdMain(f, r);
        break;
    case TFirmwareSender::Tavr1Network:
    case TFirmwareSender::Tavr1Som:
    case TFirmwareSender::HdNetwork:
        moduleReset(f, s, r);
        break;
    }
}

void WatchReconnectAfterUpdate(TFrame2& f)
{
    if (!f.ReconnectingAfterUpdate)
        return;
    if (f.Status == stActive) {
        f.ReconnectingAfterUpdate = false;
    } else if (f.Status == stError && (f.ProcessState == 0 || !f.PortOpen)) {
        // A refused socket idles the frame; a serial port that cannot be
        // opened leaves it waiting for a port that will not come.
        f.ReconnectingAfterUpdate = false;
        f.LogEvent(" No answer from the unit after the update: check the unit, then press "
                   "Connect ",
                   lkError);
    }
}
