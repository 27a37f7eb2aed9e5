#include "data/ConnectionConfig.h"

#include "common/Enums.h"
#include "common/WholeFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QList>

int ConnectionNumber(const QString& frameName)
{
    if (frameName.size() < 8 || !frameName.at(7).isDigit())
        return 0;
    return frameName.at(7).digitValue();
}

TConnectionSettings DefaultSettings(const QString& frameName, const QString& baseDir)
{
    TConnectionSettings s;
    const int n = ConnectionNumber(frameName);
    s.LogPath = baseDir + "/LOG/";
    s.LogPrefix = frameName + "-";
    s.ConnectionCaption = n == 1 ? QString("Connect #1") : QString("    #%1  ").arg(n);
    s.RackCaption = QString("Rack%1").arg(n);
    return s;
}

namespace {

QByteArray width(int value, int w)
{
    return QString("%1").arg(value, w).toLatin1();
}

QByteArray boolText(bool b)
{
    return b ? "1" : "0";
}

bool parseInt(const QByteArray& line, int minValue, int maxValue, int* out)
{
    bool ok = false;
    const qlonglong v = line.trimmed().toLongLong(&ok);
    if (!ok || v < minValue || v > maxValue)
        return false;
    *out = int(v);
    return true;
}

void parseBool(const QByteArray& line, bool* out)
{
    int v = 0;
    if (parseInt(line, 0, 1, &v))
        *out = v == 1;
}

} // namespace

QByteArray FormatConfigFile(const TConnectionSettings& s)
{
    const QList<QByteArray> lines = {
        width(s.HardwareType, 2),     s.DevicePassword.toLatin1(),    width(s.Transport, 2),
        boolText(s.ConnectOnStartup), width(s.SerialPort, 2),         width(s.BaudChoice, 2),
        width(s.ModemPort, 2),        s.PhoneNumber.toLatin1(),       s.IpAddress.toLatin1(),
        width(s.TcpPort, 6),          s.LogPath.toLatin1(),           s.LogPrefix.toLatin1(),
        boolText(s.LoggingEnabled),   s.ConnectionCaption.toLatin1(), s.RackCaption.toLatin1(),
        s.HostName.toLatin1(),        boolText(s.UseHostName),
    };
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

QList<QByteArray> ReadConfigLines(QIODevice& device)
{
    QList<QByteArray> lines;
    qint64 budget = ConfigReadLimitBytes;
    // Room for a whole line of the longest kept length with its CR LF, and
    // the NUL readLine puts after what it read.
    char buf[ConfigLineMaxBytes + 3];
    auto readSome = [&]() -> qint64 {
        const qint64 n = device.readLine(buf, qMin<qint64>(sizeof buf, budget + 1));
        if (n > 0)
            budget -= n;
        return n;
    };
    while (lines.size() < ConfigReadLines && budget > 0) {
        qint64 n = readSome();
        if (n <= 0)
            break;
        QByteArray line(buf, n);
        const bool ended = line.endsWith('\n');
        if (ended)
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        line.truncate(ConfigLineMaxBytes);
        lines << line;
        // A line that did not end within the buffer: the rest of it is not
        // the next line.
        while (!ended && budget > 0 && (n = readSome()) > 0 && buf[n - 1] != '\n') {
        }
    }
    return lines;
}

TConnectionSettings ParseConfigFile(const QByteArray& bytes, const TConnectionSettings& defaults)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ParseConfigLines(ReadConfigLines(buffer), defaults);
}

TConfigLoad LoadConfigFile(const QString& path, const TConnectionSettings& defaults,
                           TConnectionSettings* out, QString* reason)
{
    *out = defaults;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            return TConfigLoad::Missing;
        if (reason)
            *reason = file.errorString();
        return TConfigLoad::Unreadable;
    }
    const QList<QByteArray> lines = ReadConfigLines(file);
    if (file.error() != QFileDevice::NoError) {
        if (reason)
            *reason = file.errorString();
        return TConfigLoad::Unreadable;
    }
    *out = ParseConfigLines(lines, defaults);
    return TConfigLoad::Read;
}

TConnectionSettings ParseConfigLines(const QList<QByteArray>& lines,
                                     const TConnectionSettings& defaults)
{
    auto line = [&](int n) -> const QByteArray* {
        return n <= lines.size() ? &lines.at(n - 1) : nullptr;
    };

    TConnectionSettings s = defaults;
    int v = 0;
    if (auto l = line(1); l && parseInt(*l, htRackSystem, htTavr1, &v))
        s.HardwareType = v;
    if (auto l = line(2))
        s.DevicePassword = QString::fromLatin1(*l);
    if (auto l = line(3); l && parseInt(*l, trSerial, trModem, &v))
        s.Transport = v;
    if (auto l = line(4))
        parseBool(*l, &s.ConnectOnStartup);
    if (auto l = line(5); l && parseInt(*l, 0, 255, &v))
        s.SerialPort = quint8(v);
    if (auto l = line(6); l && parseInt(*l, 0, 3, &v) && IsValidBaudChoice(s.HardwareType, v))
        s.BaudChoice = v;
    if (auto l = line(7); l && parseInt(*l, 0, 255, &v))
        s.ModemPort = quint8(v);
    if (auto l = line(8))
        s.PhoneNumber = QString::fromLatin1(*l);
    if (auto l = line(9))
        s.IpAddress = QString::fromLatin1(*l);
    if (auto l = line(10); l && parseInt(*l, 0, 65535, &v))
        s.TcpPort = v;
    if (auto l = line(11))
        s.LogPath = QString::fromLatin1(*l);
    if (auto l = line(12))
        s.LogPrefix = QString::fromLatin1(*l);
    if (auto l = line(13))
        parseBool(*l, &s.LoggingEnabled);
    if (auto l = line(14))
        s.ConnectionCaption = QString::fromLatin1(*l);
    if (auto l = line(15))
        s.RackCaption = QString::fromLatin1(*l);
    if (auto l = line(16))
        s.HostName = QString::fromLatin1(*l);
    if (auto l = line(17))
        parseBool(*l, &s.UseHostName);
    return s;
}

bool IsValidBaudChoice(int hardwareType, int baudChoice)
{
    switch (hardwareType) {
    case htRackSystem:
        return baudChoice >= 0 && baudChoice <= 3;
    case htHDSystem:
        return baudChoice >= 0 && baudChoice <= 2;
    case htBry1:
    case htTavr1:
        // One rate whatever the choice; any choice the file can name is valid.
        return baudChoice >= 0 && baudChoice <= 3;
    default:
        return false;
    }
}

int BaudCodeFor(int hardwareType, int transport, int baudChoice)
{
    switch (hardwareType) {
    case htRackSystem: {
        if (transport == trModem)
            return 3;
        static const int codes[] = {2, 3, 4, 5};
        return (baudChoice >= 0 && baudChoice <= 3) ? codes[baudChoice] : 3;
    }
    case htBry1:
        return 8;
    case htHDSystem: {
        static const int codes[] = {8, 9, 230400};
        return (baudChoice >= 0 && baudChoice <= 2) ? codes[baudChoice] : 9;
    }
    case htTavr1:
        return 9;
    default:
        return 9;
    }
}

QString BaudText(int baudCode)
{
    switch (baudCode) {
    case 2:
        return "1200";
    case 3:
        return "2400";
    case 4:
        return "4800";
    case 5:
        return "9600";
    case 6:
        return "19200";
    case 7:
        return "38400";
    case 8:
        return "57600";
    case 9:
        return "115200";
    case 230400:
        return "230400";
    default:
        return {};
    }
}

bool SaveConfigFile(const QString& path, const TConnectionSettings& s, QString* error)
{
    return SaveWholeFile(path, FormatConfigFile(s), error);
}
