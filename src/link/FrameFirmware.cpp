// The frame's part of a firmware transfer: the file it holds, the dialog it
// is bound to, the consuming line read, and the checks that keep transfers
// one at a time.
#include "data/EventLog.h"
#include "link/FirmwareDialog.h"
#include "link/Frame2.h"
#include "link/FrameHooks.h"
#include "platform/IPClient.h"
#include "platform/SerialLib.h"
#include "protocol/firmware/DldFile.h"

#include <QPushButton>

bool TFrame2::FirmwareTransferRunning() const
{
    switch (HardwareType) {
    case htHDSystem:
        return ProcessState == 3 || ProcessState == 5;
    case htTavr1:
        return ProcessState == 3 || ProcessState == 5 || ProcessState == 9;
    default:
        return false;
    }
}

bool TFrame2::AnyFirmwareTransferRunning()
{
    for (const TFrame2* f : std::as_const(LiveFrames())) {
        if (f->FirmwareTransferRunning())
            return true;
    }
    return false;
}

void TFrame2::BindFirmwareDialog(TFirmwareDialogPort* dialog)
{
    m_firmwareDialog = dialog;
    m_firmwareDialogObject = dialog ? dialog->PortObject() : nullptr;
}

TFirmwareDialogPort* TFrame2::FirmwareDialog() const
{
    return m_firmwareDialogObject ? m_firmwareDialog : nullptr;
}

void TFrame2::SetFirmwareFile(std::unique_ptr<TDldFile> file, const QString& path)
{
    m_firmwareFile = std::move(file);
    m_firmwareFilePath = path;
}

void TFrame2::CloseFirmwareFile()
{
    m_firmwareFile.reset();
}

void TFrame2::ReleaseTransport()
{
    if (Transport == trNetwork)
        CloseSocket();
    else
        ReleaseSerialPort(m_heldSerialPort);
    PortOpen = false;
    RefreshConnectionList();
}

std::optional<QByteArray> TFrame2::TakeLine()
{
    // Bytes looked through at the last call hold no CR: only what came since
    // is searched, so a unit that prints without CR costs its new bytes a
    // tick, not the whole buffer. Anything else that changed the buffer
    // meanwhile (a clear) is seen by its size.
    if (RxBuffer.size() != m_takeLineSize)
        m_takeLineScanned = 0;
    GatherReceived(0);
    const qsizetype cr = RxBuffer.indexOf('\r', m_takeLineScanned);
    if (cr < 0) {
        // A reply is short: of a text without end only the newest part can
        // still become one.
        if (RxBuffer.size() > LineReadKeepBytes)
            RxBuffer.remove(0, RxBuffer.size() - LineReadKeepBytes);
        m_takeLineScanned = RxBuffer.size();
        m_takeLineSize = RxBuffer.size();
        return std::nullopt;
    }
    QByteArray line = RxBuffer.left(cr);
    RxBuffer.remove(0, cr + 1);
    // Lines waiting behind this one were never searched. A unit that sends
    // lines faster than a tick takes them keeps the newest, and the first
    // kept one whole.
    m_takeLineScanned = 0;
    if (RxBuffer.size() > TakeLineBacklogBytes) {
        RxBuffer.remove(0, RxBuffer.size() - TakeLineBacklogBytes);
        const qsizetype next = RxBuffer.indexOf('\r');
        if (next >= 0)
            RxBuffer.remove(0, next + 1);
    }
    m_takeLineSize = RxBuffer.size();
    // The line itself is cut to the newest bytes too: nothing longer is a
    // reply.
    if (line.size() > LineReadKeepBytes)
        line.remove(0, line.size() - LineReadKeepBytes);
    while (line.startsWith('\n'))
        line.remove(0, 1);
    line.replace('\0', 'X');
    LineComplete = true;
    return line;
}

void TFrame2::SetHeldPortBaud(int code)
{
    if (m_heldSerialPort >= 0)
        SioBaud(m_heldSerialPort, code);
}

void TFrame2::FirmwareUpdateDeclined()
{
    // Only a dialog the login opened leaves the frame waiting on the user; a
    // dialog opened on a polling unit changes nothing when cancelled.
    if (ProcessState != 0 || Status == stError || !PortOpen)
        return;
    const bool polled = HardwareType == htTavr1 || (HardwareType == htHDSystem && HdHasLcd);
    if (HardwareType == htTavr1)
        LogEvent(" Tavr1 firmware update declined; the unit is polled ", lkStatus);
    else if (HardwareType == htHDSystem && polled)
        LogEvent(" HD firmware update declined; the unit is polled ", lkStatus);
    else if (HardwareType == htHDSystem)
        LogEvent(" HD firmware update declined; the unit is not polled ", lkStatus);
    if (!polled)
        return;
    // As the login's step 6, without its "Succesful Connection" line, which
    // the login already logged when it handed the unit to the dialog.
    SetTimerInterval(50);
    // The blocks start afresh, as after the login: a cutter still in step
    // with an earlier stream would take the first of them for a loss of step.
    if (HardwareType == htTavr1)
        Tavr1Cutter = {};
    SendCommand("SD\r");
    Status = stActive;
    RefreshHardwareList();
    ButtonC3->setEnabled(HardwareType == htTavr1 ? (!SProtocol || Tavr1OptionLetter == "C")
                                                 : !SProtocol);
    ProcessState = 2;
    LoginStep = 7;
    RefreshConnectionList();
}
