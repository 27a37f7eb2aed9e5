// A connection's CFG file: whatever the bytes, the stream reader takes at
// most its lines of at most their length, and no more bytes than its limit;
// parse, write and parse again gives the same settings, and writing those
// gives the same file.
#include "FuzzCheck.h"

#include "common/Enums.h"
#include "data/ConnectionConfig.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    const QList<QByteArray> lines = ReadConfigLines(device);
    FUZZ_CHECK(lines.size() <= ConfigReadLines);
    FUZZ_CHECK(device.pos() <= ConfigReadLimitBytes);
    for (const QByteArray& l : lines)
        FUZZ_CHECK(l.size() <= ConfigLineMaxBytes && !l.contains('\n'));

    const TConnectionSettings defaults = DefaultSettings("Connect3", "/srv/tolvex");
    const TConnectionSettings first = ParseConfigLines(lines, defaults);
    FUZZ_CHECK(FormatConfigFile(ParseConfigFile(bytes, defaults)) == FormatConfigFile(first));
    FUZZ_CHECK(first.HardwareType >= htRackSystem && first.HardwareType <= htTavr1);
    FUZZ_CHECK(first.Transport >= trSerial && first.Transport <= trModem);
    FUZZ_CHECK(first.TcpPort >= 0 && first.TcpPort <= 65535);
    FUZZ_CHECK(IsValidBaudChoice(first.HardwareType, first.BaudChoice));

    const QByteArray written = FormatConfigFile(first);
    FUZZ_CHECK(written.count("\r\n") >= ConfigLineCount);
    const TConnectionSettings second = ParseConfigFile(written, defaults);
    FUZZ_CHECK(FormatConfigFile(second) == written);
    FUZZ_CHECK(second.HardwareType == first.HardwareType && second.Transport == first.Transport &&
               second.SerialPort == first.SerialPort && second.BaudChoice == first.BaudChoice &&
               second.TcpPort == first.TcpPort && second.ConnectOnStartup == first.ConnectOnStartup &&
               second.UseHostName == first.UseHostName &&
               second.LoggingEnabled == first.LoggingEnabled);
    FUZZ_CHECK(second.DevicePassword == first.DevicePassword && second.IpAddress == first.IpAddress &&
               second.HostName == first.HostName && second.LogPath == first.LogPath &&
               second.ConnectionCaption == first.ConnectionCaption &&
               second.RackCaption == first.RackCaption && second.PhoneNumber == first.PhoneNumber &&
               second.LogPrefix == first.LogPrefix && second.ModemPort == first.ModemPort);
    return 0;
}
