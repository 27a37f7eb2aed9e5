#include "platform/SerialLib.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSerialPort>
#include <array>
#include <climits>
#include <cstring>
#include <memory>

// Locking: QSerialPort takes a lock file (LCK..<device> under /run/lock) for every
// open, pseudo-terminals included, and refuses a device whose lock belongs to a
// living process. That holds for root too, who is not stopped by TIOCEXCL, so two
// programs can never share one port. A lock left by a killed process is stale
// and taken over on the next open.

namespace {

constexpr int PortCount = 256;

// The slowest rate a UART line knows; a smaller number is neither a code of our
// table nor a rate.
constexpr int LowestRate = 50;

struct PortSlot
{
    std::unique_ptr<QSerialPort> port; // set while the port is open here
    // The device failed (far end closed, adapter pulled). The port is closed, the
    // bytes it had already received are kept for SioGets, and the failure is
    // reported once, after them.
    bool failed = false;
    QByteArray leftover;
};

std::array<PortSlot, PortCount>& portTable()
{
    static std::array<PortSlot, PortCount> table;
    return table;
}

bool validPort(int port)
{
    return port >= 0 && port < PortCount;
}

// Closes the slot's port, keeping what it had received for SioGets when the
// device failed. Never called inside QSerialPort's own error notification:
// after a failure it runs queued.
void closeSlotPort(PortSlot& slot)
{
    if (!slot.port)
        return;
    QSerialPort* port = slot.port.release();
    slot.leftover += port->readAll();
    port->disconnect();
    port->close();
    port->deleteLater();
}

void closeAllPorts()
{
    for (PortSlot& slot : portTable()) {
        slot.port.reset();
        slot.failed = false;
        slot.leftover.clear();
    }
}

// The open port of a number, or nullptr with the result code to answer. After a
// failure the first call answers SioSystemError and later ones SioPortNotOpen;
// callers that read (withLeftover) are first given what the port had received,
// and for them a null port with result SioOk means "leftover bytes waiting".
QSerialPort* openPort(int port, int& result, bool withLeftover = false)
{
    if (!validPort(port)) {
        result = SioNoSuchPort;
        return nullptr;
    }
    PortSlot& slot = portTable()[port];
    if (slot.failed)
        closeSlotPort(slot);
    if (slot.port) {
        result = SioOk;
        return slot.port.get();
    }
    if (withLeftover && !slot.leftover.isEmpty())
        result = SioOk;
    else if (slot.failed)
        result = SioSystemError;
    else
        result = SioPortNotOpen;
    if (result == SioSystemError)
        slot.failed = false;
    return nullptr;
}

// Only the failures that mean the device is gone end the port: QSerialPort
// reports a closed pseudo-terminal as a read error it repeats at full speed and
// never closes by itself. Time-outs and refused settings are answered by the
// call that caused them.
bool deviceGone(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
           error == QSerialPort::ResourceError;
}

void watchForFailure(int port, QSerialPort* serial)
{
    QObject::connect(serial, &QSerialPort::errorOccurred, serial,
                     [port, serial](QSerialPort::SerialPortError error) {
                         PortSlot& slot = portTable()[port];
                         if (!deviceGone(error) || slot.port.get() != serial || slot.failed)
                             return;
                         slot.failed = true;
                         QMetaObject::invokeMethod(
                             serial,
                             [port, serial] {
                                 PortSlot& s = portTable()[port];
                                 if (s.port.get() == serial)
                                     closeSlotPort(s);
                             },
                             Qt::QueuedConnection);
                     });
}

int openErrorResult(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return SioNoSuchPort;
    case QSerialPort::PermissionError: // locked by another process, or TIOCEXCL
    case QSerialPort::OpenError:
        return SioPortInUse;
    case QSerialPort::UnsupportedOperationError: // not a terminal device at all
        return SioNoHardware;
    default:
        return SioSystemError;
    }
}

int rateForBaudCode(int code)
{
    switch (code) {
    case SioBaud1200:
        return 1200;
    case SioBaud2400:
        return 2400;
    case SioBaud4800:
        return 4800;
    case SioBaud9600:
        return 9600;
    case SioBaud19200:
        return 19200;
    case SioBaud38400:
        return 38400;
    case SioBaud57600:
        return 57600;
    case SioBaud115200:
        return 115200;
    default:
        return code >= LowestRate ? code : 0;
    }
}

// A pseudo-terminal has no modem-control lines and QSerialPort says so with
// UnsupportedOperationError; there the request is meaningless, not a failure.
int modemLineResult(QSerialPort* serial, bool ok)
{
    if (ok)
        return SioOk;
    const bool noLines = serial->error() == QSerialPort::UnsupportedOperationError;
    serial->clearError();
    return noLines ? SioOk : SioSystemError;
}

int setModemLine(int port, char cmd, bool (QSerialPort::*setter)(bool))
{
    int result = SioOk;
    QSerialPort* serial = openPort(port, result);
    if (!serial)
        return result;
    if (cmd != SioSet && cmd != SioClear)
        return SioBadParameter;
    return modemLineResult(serial, (serial->*setter)(cmd == SioSet));
}

} // namespace

QString SioDevicePath(int port)
{
    if (!validPort(port))
        return {};
    const QString configured =
        qEnvironmentVariable(QStringLiteral("TOLVEX_COM%1").arg(port + 1).toLatin1().constData());
    if (!configured.isEmpty())
        return configured;
    return QStringLiteral("/dev/ttyS%1").arg(port);
}

int SioReset(int port, int rxQueueSize, int txQueueSize)
{
    // QSerialPort's buffers grow as needed, so the queue sizes are not used.
    Q_UNUSED(rxQueueSize);
    Q_UNUSED(txQueueSize);
    if (!validPort(port))
        return SioNoSuchPort;
    PortSlot& slot = portTable()[port];
    if (slot.port && !slot.failed)
        return SioPortInUse;
    closeSlotPort(slot); // a port that failed is reopened afresh
    slot.failed = false;
    slot.leftover.clear();

    const QString path = SioDevicePath(port);
    if (!QFileInfo::exists(path))
        return SioNoSuchPort;
    auto serial = std::make_unique<QSerialPort>();
    serial->setPortName(path); // a full path is used as it stands (a pty is not listed)
    if (!serial->open(QIODevice::ReadWrite))
        return openErrorResult(serial->error());

    static const bool cleanupRegistered = [] {
        qAddPostRoutine(closeAllPorts);
        return true;
    }();
    Q_UNUSED(cleanupRegistered);
    watchForFailure(port, serial.get());
    slot.port = std::move(serial);
    return SioOk;
}

int SioParms(int port, int parity, int stopBits, int dataBits)
{
    int result = SioOk;
    QSerialPort* serial = openPort(port, result);
    if (!serial)
        return result;

    QSerialPort::Parity p;
    switch (parity) {
    case SioNoParity:
        p = QSerialPort::NoParity;
        break;
    case SioOddParity:
        p = QSerialPort::OddParity;
        break;
    case SioEvenParity:
        p = QSerialPort::EvenParity;
        break;
    default:
        return SioBadParameter;
    }
    QSerialPort::StopBits s;
    switch (stopBits) {
    case SioOneStopBit:
        s = QSerialPort::OneStop;
        break;
    case SioTwoStopBits:
        s = QSerialPort::TwoStop;
        break;
    default:
        return SioBadParameter;
    }
    QSerialPort::DataBits d;
    switch (dataBits) {
    case SioWordLength7:
        d = QSerialPort::Data7;
        break;
    case SioWordLength8:
        d = QSerialPort::Data8;
        break;
    default:
        return SioBadParameter;
    }
    if (!serial->setDataBits(d)) {
        serial->clearError();
        return SioBadByteSize;
    }
    if (!serial->setParity(p) || !serial->setStopBits(s)) {
        serial->clearError();
        return SioBadParameter;
    }
    return SioOk;
}

int SioBaud(int port, int baudCode)
{
    int result = SioOk;
    QSerialPort* serial = openPort(port, result);
    if (!serial)
        return result;
    const int rate = rateForBaudCode(baudCode);
    if (rate == 0)
        return SioBadBaud;
    if (!serial->setBaudRate(rate)) {
        serial->clearError();
        return SioBadBaud;
    }
    return SioOk;
}

int SioDTR(int port, char cmd)
{
    return setModemLine(port, cmd, &QSerialPort::setDataTerminalReady);
}

int SioRTS(int port, char cmd)
{
    return setModemLine(port, cmd, &QSerialPort::setRequestToSend);
}

int SioFlow(int port, char cmd)
{
    int result = SioOk;
    QSerialPort* serial = openPort(port, result);
    if (!serial)
        return result;
    QSerialPort::FlowControl flow;
    switch (cmd) {
    case SioFlowNone:
        flow = QSerialPort::NoFlowControl;
        break;
    case SioFlowHardware:
        flow = QSerialPort::HardwareControl;
        break;
    case SioFlowSoftware:
        flow = QSerialPort::SoftwareControl;
        break;
    default:
        return SioBadParameter;
    }
    if (!serial->setFlowControl(flow)) {
        serial->clearError();
        return SioSystemError;
    }
    return SioOk;
}

int SioStatus(int port)
{
    if (!validPort(port))
        return SioNoSuchPort;
    const PortSlot& slot = portTable()[port];
    if (slot.port && !slot.failed)
        return 0; // no line errors are tracked, so an open port has a clear status
    return QFileInfo::exists(SioDevicePath(port)) ? SioPortNotOpen : SioNoSuchPort;
}

int SioGets(int port, char* buffer, int size)
{
    if (size < 0 || (size > 0 && !buffer))
        return SioBadParameter;
    int result = SioOk;
    QSerialPort* serial = openPort(port, result, true);
    if (serial) {
        if (size == 0)
            return 0;
        const qint64 n = serial->read(buffer, size);
        if (n >= 0)
            return int(n);
        portTable()[port].failed = true;
        serial = openPort(port, result, true);
    }
    if (result != SioOk)
        return result;
    // The device failed: first hand out what it had delivered.
    QByteArray& leftover = portTable()[port].leftover;
    const int n = qMin(size, int(leftover.size()));
    if (n > 0)
        memcpy(buffer, leftover.constData(), size_t(n));
    leftover.remove(0, n);
    return n;
}

int SioPuts(int port, const char* buffer, int size)
{
    if (size < 0 || (size > 0 && !buffer))
        return SioBadParameter;
    int result = SioOk;
    QSerialPort* serial = openPort(port, result);
    if (!serial)
        return result;
    if (size == 0)
        return 0;
    const qint64 n = serial->write(buffer, size);
    // Push the bytes out now: a caller that clears or closes right after sending
    // must not lose them in our buffer.
    serial->flush();
    if (serial->bytesToWrite() > 0)
        serial->waitForBytesWritten(50);
    if (serial->error() == QSerialPort::TimeoutError)
        serial->clearError();
    if (n < 0 || portTable()[port].failed) {
        portTable()[port].failed = true;
        openPort(port, result);
        return result;
    }
    return int(n);
}

int SioRxClear(int port)
{
    int result = SioOk;
    QSerialPort* serial = openPort(port, result, true);
    if (serial)
        serial->clear(QSerialPort::Input); // the device's queue and our buffer
    else if (result == SioOk)
        portTable()[port].leftover.clear();
    return result;
}

int SioRxQue(int port)
{
    int result = SioOk;
    QSerialPort* serial = openPort(port, result, true);
    if (serial)
        return int(qMin<qint64>(serial->bytesAvailable(), INT_MAX));
    return result == SioOk ? int(portTable()[port].leftover.size()) : result;
}

int SioDone(int port)
{
    if (!validPort(port))
        return SioNoSuchPort;
    PortSlot& slot = portTable()[port];
    const bool wasOpen = slot.port || slot.failed;
    closeSlotPort(slot);
    slot.failed = false;
    slot.leftover.clear();
    return wasOpen ? SioOk : SioPortNotOpen;
}
