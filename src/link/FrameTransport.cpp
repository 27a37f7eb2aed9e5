// Opening and closing the transport, reading into RxBuffer and writing commands.
#include "link/Frame2.h"

#include "link/Bry1Link.h"

#include "platform/IPClient.h"
#include "platform/SerialLib.h"

#include <QPushButton>

int TFrame2::activeSerialPort() const
{
    return Transport == trModem ? ModemPort : SerialPort;
}

bool TFrame2::TransportOpen() const
{
    switch (Transport) {
    case trSerial:
    case trModem:
        return m_heldSerialPort >= 0 && m_heldSerialPort == activeSerialPort();
    case trNetwork:
        return Socket->GetConnected();
    default:
        return false;
    }
}

void TFrame2::forgetDetectedUnits()
{
    PortOpen = false;
    UnitPresence.fill(false);
    DetectedUnits = 0;
    LastShownUnits = -1;
    NetLocalHost.clear();
    NetLocalAddress.clear();
    NetLocalPort.clear();
    NetRemoteAddress.clear();
    NetRemotePort.clear();
    resetRackData();
}

void TFrame2::OpenConnection()
{
    forgetDetectedUnits();
    BlockBuffer.clear();
    // A fresh connection starts with empty data services; once signed off
    // the holders are left alone for good.
    if (HardwareType == htHDSystem && !HdObjectsReleased)
        ResetDataObjects();
    RefreshHardwareList();
    RefreshConnectionList();

    switch (Transport) {
    case trSerial:
    case trModem: {
        const int port = activeSerialPort();
        if (m_heldSerialPort >= 0) {
            // Still open from before (a transfer that reconnects, or a changed
            // port number): start afresh on the port now configured.
            ReleaseSerialPort(m_heldSerialPort);
        }
        const int status = SioStatus(port);
        if (status == SioPortNotOpen)
            ReportPortResult(ConfigureSerialPort(port));
        else if (status == SioNoSuchPort)
            ReportPortResult(SioNoSuchPort);
        else
            ReportPortResult(SioPortInUse);
        break;
    }
    case trNetwork:
        OpenSocket();
        break;
    default:
        break;
    }
    LoginStep = 0;
    ProcessState = 1;
}

int TFrame2::ConfigureSerialPort(int port)
{
    BaudCode = BaudCodeFor(HardwareType, Transport, BaudChoice);
    const int reset = SioReset(port, 2048, 512);
    if (reset < 0)
        return reset;
    m_heldSerialPort = port;
    // A port left at the wrong speed or framing would look open and read
    // garbage, so a refused setting releases it and reports the failure.
    if (SioParms(port, SioNoParity, SioOneStopBit, SioWordLength8) < 0) {
        ReleaseSerialPort(port);
        return SioBadParameter;
    }
    if (SioBaud(port, BaudCode) < 0) {
        ReleaseSerialPort(port);
        return SioBadBaud;
    }
    SioDTR(port, SioSet);
    SioRTS(port, SioSet);
    SioFlow(port, SioFlowNone);
    ClearReceive();
    return SioOk;
}

void TFrame2::ReportPortResult(int code)
{
    if (code == SioOk) {
        PortOpen = true;
        return;
    }
    ProcessState = 0;
    Status = stError;
    PortOpen = false;
    QString text;
    switch (code) {
    case SioNoSuchPort:
        text = "No Such Port";
        break;
    case SioPortInUse:
        text = "Port already opened";
        break;
    case SioPortNotOpen:
        text = "Port not opened.";
        break;
    case SioNoMemory:
        text = "Cannot allocate memory for queues.";
        break;
    case SioBadDefaults:
        text = "Error in default parameters.";
        break;
    case SioNoHardware:
        text = "Hardware not present.";
        break;
    case SioBadByteSize:
        text = "Unsupported byte size.";
        break;
    case SioBadBaud:
        text = "Unsupported baud rate.";
        break;
    case SioNoData:
        text = "No incoming serial data is available.";
        break;
    case SioBadParameter:
        text = "A parameter is out of range.";
        break;
    case SioSystemError:
        text = "Win32 system error.";
        break;
    default:
        break;
    }
    LogEvent(QString("COM Port Error(%1): %2").arg(-code).arg(text), lkError);
}

void TFrame2::ReleaseSerialPort(int port)
{
    // Only a port this frame opened is released; another connection set to
    // the same number keeps its link.
    if (port < 0 || port != m_heldSerialPort)
        return;
    SioDone(port);
    m_heldSerialPort = -1;
}

void TFrame2::SetModemDTR(bool on)
{
    if (Transport == trModem && TransportOpen())
        SioDTR(ModemPort, on ? SioSet : SioClear);
}

void TFrame2::CloseConnection()
{
    // A modem hangs up when DTR drops, whatever the device's own setting.
    SetModemDTR(false);
    DownloadFile.close();
    if (m_heldSerialPort >= 0)
        ReleaseSerialPort(m_heldSerialPort);
    CloseSocket();
    Status = stDisconnected;
    ProcessState = 0;
    PortOpen = false;
    RefreshConnectionList();
    ButtonC3->setEnabled(false);
}

void TFrame2::OpenSocket()
{
    Socket->Open(IpAddress, TcpPort, UseHostName, HostName);
}

void TFrame2::CloseSocket()
{
    Socket->Close();
    Socket->SetConnected(false);
}

void TFrame2::ClearReceive()
{
    if (Transport == trNetwork)
        Socket->ClearReceiveSocket();
    else if (TransportOpen())
        SioRxClear(activeSerialPort());
    LineComplete = false;
    RxBuffer.clear();
}

QByteArray TFrame2::GatherReceived(int maxSerialBytes)
{
    QByteArray fresh;
    if (Transport == trNetwork) {
        fresh = Socket->ReceiveText();
    } else if (TransportOpen()) {
        // maxSerialBytes <= 0 takes everything waiting: at 230400 baud a
        // capped read per tick falls behind for good.
        const bool all = maxSerialBytes <= 0;
        const int port = activeSerialPort();
        const int size =
            all ? int(ReadBuffer.size()) : qMin<int>(maxSerialBytes, ReadBuffer.size());
        for (;;) {
            const int n = SioGets(port, ReadBuffer.data(), size);
            if (n > 0) {
                fresh += ReadBuffer.left(n);
                if (all && n == size)
                    continue;
            } else if (n < 0) {
                // The device went away (the far end hung up, the adapter was
                // pulled). Report it once; the layer has already closed it.
                serialDeviceLost(n);
            }
            break;
        }
    }
    RxBuffer += fresh;
    return fresh;
}

void TFrame2::serialDeviceLost(int code)
{
    m_heldSerialPort = -1;
    if (FirmwareTransferRunning()) {
        if (UnitResetExpected) {
            PortOpen = false; // the unit resetting after "UL"/"UC"
            return;
        }
        // The sender's failure end runs at the next tick: it closes the
        // dialog and releases the file.
        const quint32 state = ProcessState;
        ReportPortResult(code);
        ProcessState = state;
        TransferLinkLost = true;
        return;
    }
    ReportPortResult(code);
}

int TFrame2::SerialBytesWaiting()
{
    if (Transport == trNetwork || !TransportOpen())
        return 0;
    const int port = activeSerialPort();
    const int waiting = SioRxQue(port);
    if (waiting < 0) {
        // "Not open" on a port this frame holds means a write has already met
        // the failure and the layer closed the device; it is still the device
        // that went away.
        serialDeviceLost(waiting == SioPortNotOpen ? SioSystemError : waiting);
        return 0;
    }
    if (SioStatus(port) >= 0)
        return waiting;
    // Gone, with bytes left over: read them away until the layer answers with
    // the failure itself, so it is reported like any other.
    for (;;) {
        const int n = SioGets(port, ReadBuffer.data(), int(ReadBuffer.size()));
        if (n < 0) {
            serialDeviceLost(n);
            return 0;
        }
        if (n == 0) {
            serialDeviceLost(SioSystemError);
            return 0;
        }
    }
}

QByteArray TFrame2::ReadSerialBytes(int n)
{
    if (n <= 0 || Transport == trNetwork || !TransportOpen())
        return {};
    QByteArray bytes(n, '\0');
    const int got = SioGets(activeSerialPort(), bytes.data(), n);
    if (got < 0) {
        serialDeviceLost(got);
        return {};
    }
    bytes.resize(got);
    return bytes;
}

void TFrame2::gatherLine(int maxSerialBytes)
{
    GatherReceived(maxSerialBytes);
    // A reply line is short and comes last: a peer that sends without end
    // must not grow the buffer, nor the copy and scan of every tick.
    if (RxBuffer.size() > LineReadKeepBytes)
        RxBuffer.remove(0, RxBuffer.size() - LineReadKeepBytes);
}

QByteArray TFrame2::readWithMarker(const QByteArray& marker)
{
    QByteArray copy = RxBuffer;
    const qsizetype at = copy.indexOf(marker);
    if (at >= 0) {
        copy.remove(at, marker.size());
        LineComplete = true;
    }
    return copy;
}

QByteArray TFrame2::ReadUntilMarker()
{
    gatherLine(100);
    return readWithMarker(QByteArray("\xF0\xF1", 2));
}

QByteArray TFrame2::ReadUntilMarkerOrFF()
{
    gatherLine(100);
    QByteArray copy = readWithMarker(QByteArray("\xF0\xF1", 2));
    const qsizetype ff = copy.indexOf('\xFF');
    if (ff >= 0) {
        copy.remove(ff, 1);
        LineComplete = true;
    }
    return copy;
}

QByteArray TFrame2::ReadUntilCrLf()
{
    gatherLine(100);
    RxBuffer.replace('\0', 'X');
    return readWithMarker("\r\n");
}

QByteArray TFrame2::ReadUntilCr()
{
    if (Transport == trNetwork)
        DataArrived = false;
    gatherLine(100);
    RxBuffer.replace('\0', 'X');
    return readWithMarker("\r");
}

void TFrame2::SendCommand(const QByteArray& bytes)
{
    if (bytes.isEmpty() || !TransportOpen())
        return;
    if (Transport == trNetwork) {
        Socket->SendText(bytes);
        return;
    }
    const int n = SioPuts(activeSerialPort(), bytes.constData(), int(bytes.size()));
    if (n < 0) {
        // The device went away under a write (a poll goes out before the
        // read that would have noticed): report it here, once.
        serialDeviceLost(n);
    }
}

void TFrame2::SocketConnected()
{
    PortOpen = Socket->GetConnected();
    NetLocalAddress = Socket->GetLocalAddress();
    NetLocalHost = Socket->GetLocalHost();
    NetLocalPort = Socket->GetLocalPort();
    NetRemoteAddress = Socket->GetRemoteAddress();
    NetRemotePort = Socket->GetRemotePort();
    RefreshConnectionList();
}

void TFrame2::SocketFailed()
{
    // A dead socket must not look open to the rest of the program.
    PortOpen = false;
    Socket->SetConnected(false);
    if (FirmwareTransferRunning() && UnitResetExpected) {
        Socket->SetLastError(0); // the unit resetting after "UL"/"UC"
        return;
    }
    if (FirmwareTransferRunning())
        TransferLinkLost = true; // the sender's failure end runs at the next tick
    else
        ProcessState = 0;
    Status = stError;
    LogEvent(
        QString("Socket Error(%1): %2").arg(Socket->GetLastError()).arg(Socket->GetLastErrorText()),
        lkError);
    Socket->SetLastError(0);
}

void TFrame2::SocketDataReady()
{
    switch (HardwareType) {
    case htBry1:
        if (ProcessState == 4)
            Bry1SocketData(*this);
        break;
    case htTavr1:
        DataArrived = true;
        break;
    default:
        break;
    }
}
