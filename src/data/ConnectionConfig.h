#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The settings of one connection, as kept in its CONFIG/<frame name>.CFG file:
// seventeen lines in a fixed order, each ended by CR LF.
struct TConnectionSettings
{
    int HardwareType = 0; // THardwareType
    QString DevicePassword = "QUMOR7";
    int Transport = 0; // TTransport
    bool ConnectOnStartup = false;
    quint8 SerialPort = 0; // 0 = COM1
    int BaudChoice = 1;
    quint8 ModemPort = 0;
    QString PhoneNumber;
    QString IpAddress = "000.000.000.000";
    int TcpPort = 0;
    QString LogPath;
    QString LogPrefix;
    bool LoggingEnabled = false;
    QString ConnectionCaption;
    QString RackCaption;
    QString HostName;
    bool UseHostName = false;
};

constexpr int ConfigLineCount = 17;

// The number of a connection frame: the eighth character of "Connect1".."Connect8".
int ConnectionNumber(const QString& frameName);

// The defaults of the frame's settings: captions "Connect #1", "    #2  " ..
// "    #8  " and "Rack1".."Rack8", log folder baseDir + "/LOG/", prefix frame name + "-".
TConnectionSettings DefaultSettings(const QString& frameName, const QString& baseDir);

// The seventeen lines of the file, byte for byte.
QByteArray FormatConfigFile(const TConnectionSettings& s);

// Reads a file's bytes over the defaults. A line that is missing keeps its
// default; so does a numeric line that is not a number after trimming or lies
// outside its range (a hardware type the program does not know, a port above
// 255, a TCP port above 65535, a baud choice the family's table lacks), and a
// Boolean line other than "0" or "1". Lines after the seventeenth are ignored.
TConnectionSettings ParseConfigFile(const QByteArray& bytes, const TConnectionSettings& defaults);

// The serial library's baud code for a family, transport and baud choice.
int BaudCodeFor(int hardwareType, int transport, int baudChoice);
// "1200" .. "230400" for a baud code; empty for a code the table lacks.
QString BaudText(int baudCode);
// Whether a baud choice is in the table of the hardware type.
bool IsValidBaudChoice(int hardwareType, int baudChoice);

// Writes the file atomically: a failed write leaves the old file as it was.
bool SaveConfigFile(const QString& path, const TConnectionSettings& s, QString* error);
