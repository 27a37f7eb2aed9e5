#pragma once

#include <QString>

// Our serial-port library. The connection frames were written against a port
// library that numbers ports from 0 (COM1) and answers every call with a result
// code; this layer keeps those operations and codes and does the work with
// QSerialPort. Port n opens the device named by $TOLVEX_COM<n+1> when that is set,
// else /dev/ttyS<n>.
//
// All calls run on the GUI thread. Received bytes reach the port's buffer through
// the event loop, so SioGets returns what arrived up to the last pass of the loop.

// Result codes. Zero or positive means success (SioGets/SioPuts/SioRxQue return
// counts, SioStatus a status word).
enum SioResult : int
{
    SioOk = 0,
    SioNoSuchPort = -1,   // no device behind the port number
    SioPortInUse = -2,    // another process (or another connection) holds the port
    SioPortNotOpen = -3,  // the port has not been opened with SioReset
    SioNoMemory = -4,     // queues could not be allocated
    SioBadDefaults = -5,  // the device refused its default parameters
    SioNoHardware = -10,  // the device does not answer as a serial port
    SioBadByteSize = -11, // unsupported data-bit count
    SioBadBaud = -12,     // unsupported or refused baud rate
    SioNoData = -100,     // nothing received
    SioBadParameter = -101,
    SioSystemError = -103, // the operating system failed the call (also: the device went away)
};

// Baud codes of SioBaud. A code that is not in this list is taken as the rate
// itself (230400 is passed as 230400).
enum SioBaudCode : int
{
    SioBaud1200 = 2,
    SioBaud2400 = 3,
    SioBaud4800 = 4,
    SioBaud9600 = 5,
    SioBaud19200 = 6,
    SioBaud38400 = 7,
    SioBaud57600 = 8,
    SioBaud115200 = 9,
};

enum SioParity : int
{
    SioNoParity = 0,
    SioOddParity = 1,
    SioEvenParity = 2
};
enum SioStopBits : int
{
    SioOneStopBit = 0,
    SioTwoStopBits = 2
};
enum SioDataBits : int
{
    SioWordLength7 = 2,
    SioWordLength8 = 3
};

// Commands for SioDTR, SioRTS and SioFlow.
constexpr char SioSet = 'S';
constexpr char SioClear = 'C';
constexpr char SioFlowNone = 'N';
constexpr char SioFlowHardware = 'H';
constexpr char SioFlowSoftware = 'S';

// The device a port number stands for.
QString SioDevicePath(int port);

int SioReset(int port, int rxQueueSize, int txQueueSize);
int SioParms(int port, int parity, int stopBits, int dataBits);
int SioBaud(int port, int baudCode);
// DTR and RTS: a device that has no modem-control lines (a pseudo-terminal)
// answers SioOk; a real port that refuses answers SioSystemError.
int SioDTR(int port, char cmd);
int SioRTS(int port, char cmd);
int SioFlow(int port, char cmd);
// SioPortNotOpen when the port is not open here, SioNoSuchPort when no device
// stands behind the number, else a non-negative status word.
int SioStatus(int port);
// Reads at most size bytes that have arrived; returns the count (0 when none).
// A device that failed (the far end of a pseudo-terminal closed, a USB adapter
// pulled) is closed; the bytes it had already received are still returned, then
// the failure is reported once with SioSystemError; later calls answer
// SioPortNotOpen.
int SioGets(int port, char* buffer, int size);
// Writes size bytes unchanged and pushes them to the device before returning;
// returns the count written.
int SioPuts(int port, const char* buffer, int size);
int SioRxClear(int port);
int SioRxQue(int port);
int SioDone(int port);
