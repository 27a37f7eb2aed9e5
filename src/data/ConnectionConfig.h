#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

class QIODevice;

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
// What is read of a file at most, whatever it holds: 49 lines (those after the
// seventeenth are read and ignored), each cut at 4 KB, and never more bytes in
// all than such lines with their line ends take.
constexpr int ConfigReadLines = 49;
constexpr int ConfigLineMaxBytes = 4096;
constexpr qint64 ConfigReadLimitBytes = qint64(ConfigReadLines) * (ConfigLineMaxBytes + 2);

// The number of a connection frame: the eighth character of "Connect1".."Connect8".
int ConnectionNumber(const QString& frameName);

// The defaults of the frame's settings: captions "Connect #1", "    #2  " ..
// "    #8  " and "Rack1".."Rack8", log folder baseDir + "/LOG/", prefix frame name + "-".
TConnectionSettings DefaultSettings(const QString& frameName, const QString& baseDir);

// The seventeen lines of the file, byte for byte.
QByteArray FormatConfigFile(const TConnectionSettings& s);

// The lines of a file, read from the device as far as the limits above allow,
// without their CR LF or LF. A line longer than ConfigLineMaxBytes is cut
// there, and the rest of it up to its LF is skipped, never taken as the next
// line; when the byte limit runs out on the way, reading ends.
QList<QByteArray> ReadConfigLines(QIODevice& device);

// The settings in those lines over the defaults. A line that is missing keeps
// its default; so does a numeric line that is not a number after trimming or
// lies outside its range (a hardware type the program does not know, a port
// above 255, a TCP port above 65535, a baud choice the family's table lacks),
// and a Boolean line other than "0" or "1". Lines after the seventeenth are
// ignored.
TConnectionSettings ParseConfigLines(const QList<QByteArray>& lines,
                                     const TConnectionSettings& defaults);
// The same for a file's bytes in memory.
TConnectionSettings ParseConfigFile(const QByteArray& bytes, const TConnectionSettings& defaults);

// How loading a file went. A missing file is the only one the program may
// write with the defaults: a file that is there but cannot be read (or breaks
// off in a read error) holds settings nobody has seen.
enum class TConfigLoad
{
    Read,
    Missing,
    Unreadable,
};
// Reads path over the defaults into *out; *reason says why a file that is
// there could not be read. *out keeps the defaults unless the file was read.
TConfigLoad LoadConfigFile(const QString& path, const TConnectionSettings& defaults,
                           TConnectionSettings* out, QString* reason);

// The serial library's baud code for a family, transport and baud choice.
int BaudCodeFor(int hardwareType, int transport, int baudChoice);
// "1200" .. "230400" for a baud code; empty for a code the table lacks.
QString BaudText(int baudCode);
// Whether a baud choice is in the table of the hardware type.
bool IsValidBaudChoice(int hardwareType, int baudChoice);

// Writes the file atomically: a failed write leaves the old file as it was.
bool SaveConfigFile(const QString& path, const TConnectionSettings& s, QString* error);
