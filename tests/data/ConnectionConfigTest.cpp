#include "data/ConnectionConfig.h"

#include "TestSupport.h"
#include "common/Enums.h"

#include <QDir>
#include <QIODevice>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>

namespace {

QList<QByteArray> linesOf(const QByteArray& file)
{
    EXPECT_TRUE(file.endsWith("\r\n"));
    QList<QByteArray> l = file.split('\n');
    l.removeLast();
    for (QByteArray& x : l) {
        EXPECT_TRUE(x.endsWith('\r'));
        x.chop(1);
    }
    return l;
}

// A file of any size made up byte by byte as it is read, that counts what is
// taken from it.
class MadeUpFile : public QIODevice
{
public:
    MadeUpFile(qint64 size, std::function<char(qint64)> byteAt)
        : m_size(size)
        , m_byteAt(std::move(byteAt))
    {
        open(QIODevice::ReadOnly);
    }
    qint64 size() const override { return m_size; }
    qint64 taken = 0;

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = qMin(maxSize, m_size - m_at);
        for (qint64 i = 0; i < n; ++i)
            data[i] = m_byteAt(m_at + i);
        m_at += n;
        taken += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    qint64 m_size;
    qint64 m_at = 0;
    std::function<char(qint64)> m_byteAt;
};

} // namespace

TEST(ConnectionConfig, DefaultFileIsByteExact)
{
    const TConnectionSettings d = DefaultSettings("Connect3", "/data/tolvex");
    const QByteArray expected = " 0\r\n"
                                "QUMOR7\r\n"
                                " 0\r\n"
                                "0\r\n"
                                " 0\r\n"
                                " 1\r\n"
                                " 0\r\n"
                                "\r\n"
                                "000.000.000.000\r\n"
                                "     0\r\n"
                                "/data/tolvex/LOG/\r\n"
                                "Connect3-\r\n"
                                "0\r\n"
                                "    #3  \r\n"
                                "Rack3\r\n"
                                "\r\n"
                                "0\r\n";
    EXPECT_EQ(FormatConfigFile(d), expected);
    EXPECT_EQ(DefaultSettings("Connect1", "/x").ConnectionCaption, "Connect #1");
    EXPECT_EQ(DefaultSettings("Connect8", "/x").ConnectionCaption, "    #8  ");
    EXPECT_EQ(DefaultSettings("Connect8", "/x").RackCaption, "Rack8");
}

TEST(ConnectionConfig, WidthsAndBooleansOfAFullFile)
{
    TConnectionSettings s = DefaultSettings("Connect2", "/b");
    s.HardwareType = htTavr1;
    s.Transport = trNetwork;
    s.ConnectOnStartup = true;
    s.SerialPort = 12;
    s.TcpPort = 10001;
    s.LoggingEnabled = true;
    s.UseHostName = true;
    const QList<QByteArray> l = linesOf(FormatConfigFile(s));
    ASSERT_EQ(l.size(), ConfigLineCount);
    EXPECT_EQ(l[0], " 3");
    EXPECT_EQ(l[2], " 1");
    EXPECT_EQ(l[3], "1");
    EXPECT_EQ(l[4], "12");
    EXPECT_EQ(l[9], " 10001");
    EXPECT_EQ(l[12], "1");
    EXPECT_EQ(l[16], "1");
}

TEST(ConnectionConfig, RoundTripKeepsEverySetting)
{
    TConnectionSettings s = DefaultSettings("Connect5", "/b");
    s.HardwareType = htHDSystem;
    s.DevicePassword = "SECRET";
    s.Transport = trSerial;
    s.ConnectOnStartup = true;
    s.SerialPort = 3;
    s.BaudChoice = 2;
    s.ModemPort = 4;
    s.PhoneNumber = "5551234";
    s.IpAddress = "192.168.001.010";
    s.TcpPort = 65535;
    s.LogPath = "/var/log/t/";
    s.LogPrefix = "Stn-";
    s.LoggingEnabled = true;
    s.ConnectionCaption = "WXYZ FM";
    s.RackCaption = "Tower";
    s.HostName = "unit.example";
    s.UseHostName = true;
    const TConnectionSettings r =
        ParseConfigFile(FormatConfigFile(s), DefaultSettings("Connect5", "/b"));
    EXPECT_EQ(FormatConfigFile(r), FormatConfigFile(s));
}

// Each row: the line number, what is written there, and the member's value
// after loading (as text), for a file that is otherwise the default one.
struct BadLine
{
    int line;
    QByteArray text;
    const char* why;
};

TEST(ConnectionConfig, ABadLineKeepsItsDefaultAndTheRestLoads)
{
    const TConnectionSettings d = DefaultSettings("Connect4", "/b");
    const BadLine rows[] = {
        {1, "", "empty numeric line"},
        {1, "x3", "not a number"},
        {1, " 7", "unknown hardware type"},
        {1, "-1", "negative hardware type"},
        {3, " 5", "unknown transport"},
        {4, "2", "a Boolean other than 0 or 1"},
        {4, "yes", "a Boolean that is not a number"},
        {5, "256", "port above 255"},
        {6, " 9", "baud choice outside the table"},
        {7, "-3", "negative modem port"},
        {10, "70000", "TCP port above 65535"},
        {10, "99999999999999999999", "a number too long for any integer"},
        {13, "", "empty Boolean"},
    };
    for (const BadLine& row : rows) {
        TConnectionSettings good = d;
        good.TcpPort = 10001; // a value the bad line must not disturb
        good.RackCaption = "Mast";
        QList<QByteArray> l = FormatConfigFile(good).split('\n');
        l[row.line - 1] = row.text + "\r";
        const TConnectionSettings r = ParseConfigFile(l.join('\n'), d);
        TConnectionSettings expected = good;
        switch (row.line) {
        case 1:
            expected.HardwareType = d.HardwareType;
            break;
        case 3:
            expected.Transport = d.Transport;
            break;
        case 4:
            expected.ConnectOnStartup = d.ConnectOnStartup;
            break;
        case 5:
            expected.SerialPort = d.SerialPort;
            break;
        case 6:
            expected.BaudChoice = d.BaudChoice;
            break;
        case 7:
            expected.ModemPort = d.ModemPort;
            break;
        case 10:
            expected.TcpPort = d.TcpPort;
            break;
        case 13:
            expected.LoggingEnabled = d.LoggingEnabled;
            break;
        }
        EXPECT_EQ(FormatConfigFile(r), FormatConfigFile(expected)) << row.why;
    }
}

TEST(ConnectionConfig, NumbersAreTrimmedAndShortFilesKeepTheirDefaults)
{
    const TConnectionSettings d = DefaultSettings("Connect4", "/b");
    // Five lines only, the numbers with blanks around them, LF line ends.
    const TConnectionSettings r = ParseConfigFile(" 2 \nPW\n 1\n1\n  7  \n", d);
    EXPECT_EQ(r.HardwareType, htHDSystem);
    EXPECT_EQ(r.DevicePassword, "PW");
    EXPECT_EQ(r.Transport, trNetwork);
    EXPECT_TRUE(r.ConnectOnStartup);
    EXPECT_EQ(r.SerialPort, 7);
    EXPECT_EQ(r.BaudChoice, d.BaudChoice);
    EXPECT_EQ(r.RackCaption, "Rack4");
    EXPECT_EQ(r.LogPath, "/b/LOG/");

    // An empty file is all defaults; lines after the seventeenth are ignored.
    EXPECT_EQ(FormatConfigFile(ParseConfigFile("", d)), FormatConfigFile(d));
    QByteArray longer = FormatConfigFile(d);
    for (int i = 0; i < 60; ++i)
        longer += "garbage\r\n";
    EXPECT_EQ(FormatConfigFile(ParseConfigFile(longer, d)), FormatConfigFile(d));
}

TEST(ConnectionConfig, BaudCodesOfEveryFamily)
{
    struct Row
    {
        int hw, transport, choice, code;
        const char* text;
    } rows[] = {
        {htRackSystem, trSerial, 0, 2, "1200"}, {htRackSystem, trSerial, 3, 5, "9600"},
        {htRackSystem, trModem, 0, 3, "2400"},  {htRackSystem, trModem, 3, 3, "2400"},
        {htBry1, trSerial, 1, 8, "57600"},      {htHDSystem, trSerial, 0, 8, "57600"},
        {htHDSystem, trSerial, 1, 9, "115200"}, {htHDSystem, trSerial, 2, 230400, "230400"},
        {htTavr1, trSerial, 0, 9, "115200"},    {htTavr1, trSerial, 1, 9, "115200"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(BaudCodeFor(r.hw, r.transport, r.choice), r.code) << r.hw << "/" << r.choice;
        EXPECT_EQ(BaudText(r.code), r.text);
    }
    EXPECT_FALSE(IsValidBaudChoice(htHDSystem, 3));
    EXPECT_TRUE(IsValidBaudChoice(htTavr1, 1));
}

TEST(ConnectionConfig, SaveReportsAFailureAndWritesAtomically)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/Connect1.CFG";
    TConnectionSettings s = DefaultSettings("Connect1", dir.path());
    QString error;
    ASSERT_TRUE(SaveConfigFile(path, s, &error)) << qPrintable(error);

    // A folder where the file should be: the save fails, says why, and the
    // old file is still there.
    const QString blocked = dir.path() + "/blocked";
    QDir().mkpath(blocked + "/Connect1.CFG");
    EXPECT_FALSE(SaveConfigFile(blocked + "/Connect1.CFG", s, &error));
    EXPECT_FALSE(error.isEmpty());

    s.ConnectionCaption = "Changed";
    ASSERT_TRUE(SaveConfigFile(path, s, &error));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        ParseConfigFile(f.readAll(), DefaultSettings("Connect1", dir.path())).ConnectionCaption,
        "Changed");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left behind";
}

TEST(ConnectionConfig, ALongLineIsCutAndItsRestIsNeverTheNextLine)
{
    const TConnectionSettings d = DefaultSettings("Connect4", "/b");
    // Line 2 runs on for 10,000 characters, the last of them digits that
    // would read as a transport; line 3 is the real transport.
    QByteArray longLine = QByteArray(9998, 'P') + " 2";
    const TConnectionSettings r = ParseConfigFile(" 2\r\n" + longLine + "\r\n 1\r\n1\r\n", d);
    EXPECT_EQ(r.HardwareType, htHDSystem);
    EXPECT_EQ(r.DevicePassword, QString(4096, 'P'));
    EXPECT_EQ(r.Transport, trNetwork);
    EXPECT_TRUE(r.ConnectOnStartup);
}

// Whatever a file of 100 MB holds, the reader takes a few hundred KB of it.
TEST(ConnectionConfig, TheReaderTakesABoundedPartOfAnyFile)
{
    constexpr qint64 size = 100LL * 1000 * 1000;
    const QByteArray config = FormatConfigFile(DefaultSettings("Connect1", "/b"));
    struct Row
    {
        const char* what;
        std::function<char(qint64)> byteAt;
        int lines;
        qsizetype firstLineSize;
    };
    const Row rows[] = {
        {"line ends", [](qint64 i) { return i % 2 ? '\n' : '\r'; }, ConfigReadLines, 0},
        {"LF only", [](qint64) { return '\n'; }, ConfigReadLines, 0},
        {"one endless line", [](qint64) { return 'x'; }, 1, ConfigLineMaxBytes},
        {"NUL bytes", [](qint64) { return '\0'; }, 1, ConfigLineMaxBytes},
        {"a file and then garbage",
         [&](qint64 i) { return i < config.size() ? config.at(i) : char('0' + i % 10); },
         ConfigLineCount + 1, 2},
    };
    for (const Row& r : rows) {
        MadeUpFile file(size, r.byteAt);
        const QList<QByteArray> lines = ReadConfigLines(file);
        EXPECT_EQ(lines.size(), r.lines) << r.what;
        EXPECT_EQ(lines.value(0).size(), r.firstLineSize) << r.what;
        for (const QByteArray& l : lines)
            EXPECT_LE(l.size(), ConfigLineMaxBytes) << r.what;
        EXPECT_LE(file.taken, 256 * 1024) << r.what;
    }
}

// A disk that takes no more bytes: the save says so and the settings on the
// disk stay as they were, never an empty or cut file in their place.
TEST(ConnectionConfig, ASaveTheDiskRefusesKeepsTheEarlierFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/Connect1.CFG";
    TConnectionSettings s = DefaultSettings("Connect1", dir.path());
    s.IpAddress = "10.1.2.3";
    QString error;
    ASSERT_TRUE(SaveConfigFile(path, s, &error)) << qPrintable(error);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray earlier = f.readAll();
    f.close();

    s.IpAddress = "10.9.9.9";
    for (const rlim_t room : {rlim_t(0), rlim_t(40)}) {
        {
            FileSizeLimit limit(room);
            ASSERT_TRUE(limit.lowered());
            EXPECT_FALSE(SaveConfigFile(path, s, &error)) << room;
        }
        EXPECT_EQ(error, "File too large") << room;
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), earlier) << room;
        f.close();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
    }
}
