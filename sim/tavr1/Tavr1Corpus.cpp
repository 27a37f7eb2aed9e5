#include "sim/tavr1/Tavr1Corpus.h"

#include "common/TDateTime.h"
#include "data/ConnectionConfig.h"
#include "protocol/tavr1/Tavr1BlockLayout.h"
#include "protocol/tavr1/Tavr1CodeTable.h"
#include "sim/tavr1/Tavr1Block.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

using Seeds = std::vector<std::pair<QString, QByteArray>>;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b += char(v);
    return b;
}

Tavr1BlockFields busyFields()
{
    Tavr1BlockFields f;
    f.config = Tavr1Sim::defaultConfig();
    for (int k = 0; k < 100; ++k)
        f.raw[size_t(k)] = (k * 97) % 4096 - 2048;
    for (int k = 0; k < Tavr1SpectrumValueCount; ++k)
        f.spectrum[size_t(k)] = -900 + (k * 13) % 800;
    f.rds.piHex = "54A8";
    f.rds.ps = "TOLVEX  ";
    f.rds.radioTextA = "Station text\r\n";
    for (int w = 0; w < int(f.table.size()); ++w)
        f.table[size_t(w)] = w * 3;
    return f;
}

Seeds decoderSeeds()
{
    Seeds s;
    Tavr1BlockFields f = busyFields();
    for (int kind : {int(tkConfig), int(tkRds), int(tkTable), 7}) {
        f.tailKind = kind;
        s.emplace_back(QString("tail-%1").arg(kind), buildTavr1Block(f));
    }
    f.tailKind = tkConfig;
    f.echoCode = 15;
    f.echo = {0, 0, 0x03, 0xE9};
    s.emplace_back("echo-15", buildTavr1Block(f));
    f.echoCode = 24;
    f.echo = {0, 0, 0x40, 1};
    s.emplace_back("echo-pair", buildTavr1Block(f));
    const QDateTime noon(QDate(2025, 1, 1), QTime(12, 0));
    f.echoCode = 255;
    s.emplace_back("stamped", buildTavr1Block(f, noon));
    s.emplace_back("short", buildTavr1Block(f).left(1400));
    return s;
}

Seeds roundTripSeeds()
{
    Seeds s;
    for (int code = 0; code < 256; ++code) {
        const TTavr1CodeEntry* e = Tavr1CodeFor(code);
        if (!e && code % 16 != 1)
            continue;
        const char in[] = {char(code), char(code & 1), char(code == 16), char(0x80 | code % 64),
                           char(code)};
        s.emplace_back(QString("code-%1").arg(code, 3, 10, QChar('0')), QByteArray(in, 5));
    }
    s.emplace_back("with-line", QByteArray("\x0F\x00\x00\x03\xE9", 5) + "CC0F03E9D4\r");
    return s;
}

// Commands of the cutter target: see fuzz/Tavr1CutterFuzz.cpp.
Seeds cutterSeeds()
{
    const int wholeBlock = 0, shortBlock = 1, feed = 3;
    const int plantAt280 = (280 / 8) << 2;
    Seeds s;
    s.emplace_back("three-blocks",
                   bytes({0, wholeBlock, 'a', wholeBlock, 'b', wholeBlock, 'c', feed}));
    // A without its last byte (1500 = 0x05DC), then B with a marker 280 bytes
    // in, A, A; handed over in pieces of 1 + 37 x 4 bytes.
    s.emplace_back("lost-byte", bytes({0, shortBlock, 0x05, 0xDC, wholeBlock | plantAt280, 'b',
                                       wholeBlock, 'a', wholeBlock, 'a', feed | 4 << 2}));
    s.emplace_back("stamped-noise",
                   bytes({1, 2 | 10 << 2, 'n', 'o', 'i', 's', 'e', 'x', 'x', 'x', 'x', 'x', 'x',
                          wholeBlock, 's', wholeBlock, 't', feed | 1 << 2}));
    QByteArray backlog(1, char(0));
    for (int i = 0; i < 12; ++i)
        backlog += bytes({wholeBlock, 'A' + i});
    s.emplace_back("backlog", backlog + feed);
    return s;
}

Seeds identificationSeeds()
{
    const char* lines[] = {
        "Tavr-1 SN(123456) SW(01.18,01.20) OPT(1) REV(1:B 2:B 3:A) LAN(6.8.0.1)",
        "Tavr-1 SN(160012) SW(01.16,01.20) OPT(1)",
        "Tavr-1 SN(123456) OPT(0)",
        "Tavr-1 SN(200001) SW(02.01,02.03) REV(1:C 2:B 3:B) SOM(1.05) LAN(9.9.9.9)",
        "Tavr-1 SN(200002) SW(02.01,02.03) REV(1:B 2:B 3:B)",
        "Tavr-1 SW(1.1,x.yz) REV(1:B 2:B 3:A)",
        "Tavr-1 SN(1",
        "Tavr-1 REV(1:C",
    };
    Seeds s;
    int n = 0;
    for (const char* l : lines)
        s.emplace_back(QString("reply-%1").arg(++n), QByteArray(l) + "\r");
    return s;
}

Seeds dldSeeds()
{
    return {
        {"header", "1200\r\nV01.20\r\nV01.19\r\n:100000000C9434000C9446000C9446000C9446006A\r\n"},
        {"unix-lines", "65535\n02.00\n02.01\n"},
        {"no-count", "lines\r\n01.00\r\n01.00\r\n"},
        {"zero-count", "0\r\n01.00\r\n01.00\r\n"},
        {"long-line", QByteArray(600, '7') + "\r\n01.00\r\n"},
        {"no-line-ends", QByteArray(2000, '\x01')},
    };
}

Seeds configSeeds()
{
    Seeds s;
    TConnectionSettings c = DefaultSettings("Connect1", "/srv/tolvex");
    s.emplace_back("defaults", FormatConfigFile(c));
    c.HardwareType = 3;
    c.Transport = 1;
    c.IpAddress = "192.168.001.010";
    c.TcpPort = 10001;
    c.ConnectOnStartup = true;
    c.HostName = "unit.example";
    c.UseHostName = true;
    s.emplace_back("tavr1-network", FormatConfigFile(c));
    QByteArray lf = FormatConfigFile(c);
    lf.replace("\r\n", "\n");
    s.emplace_back("lf-only", lf);
    s.emplace_back("short", "2\r\nPW\r\n9\r\n");
    s.emplace_back("out-of-range", "7\r\nPW\r\n1\r\n2\r\n300\r\n9\r\n-1\r\n\r\n1.2.3.4\r\n70000\r\n");
    return s;
}

Seeds fieldHelperSeeds()
{
    auto seed = [](qint64 n, double x, quint8 w, quint8 d, quint8 i, qint8 start, qint8 count,
                   const QByteArray& text) {
        QByteArray b(8 + 8 + 5, '\0');
        std::memcpy(b.data(), &n, 8);
        std::memcpy(b.data() + 8, &x, 8);
        b[16] = char(w);
        b[17] = char(d);
        b[18] = char(i);
        b[19] = char(start);
        b[20] = char(count);
        return b + text;
    };
    return {
        {"small", seed(42, 0.15, 5, 1, 3, 1, 4, QByteArray("AB\0CD", 5))},
        {"negative", seed(-5, -0.04, 3, 1, 2, 2, 8, "1F")},
        {"wide", seed(Q_INT64_C(-9223372036854775807) - 1, 1e300, 20, 9, 15, -3, 100, "9z")},
        {"half", seed(2, 2.5, 4, 0, 2, 0, -1, QByteArray())},
    };
}

Seeds stampSeeds()
{
    Seeds s;
    const QDateTime noon(QDate(2025, 1, 1), QTime(12, 0));
    s.emplace_back("noon", TDateTimeBytes(noon));
    s.emplace_back("noon-cet", TDateTimeBytes(noon) + '\x01');
    s.emplace_back("last-moment", QByteArray("\xFF\xFF\xFF\xFF\x40\x92\x46\x41", 8));
    s.emplace_back("last-moment-cet", QByteArray("\xFF\xFF\xFF\xFF\x40\x92\x46\x41\x01", 9));
    s.emplace_back("first-day", QByteArray("\x00\x00\x00\x00\x00\x00\xF0\x3F", 8));
    // The hour that summer time skips in central Europe.
    s.emplace_back("spring-gap", TDateTimeBytes(QDateTime(QDate(2025, 3, 30), QTime(2, 30), Qt::UTC)) + '\x01');
    s.emplace_back("nan", QByteArray("\x00\x00\x00\x00\x00\x00\xF8\x7F", 8));
    return s;
}

// The configuration report's input: a record's items as they lie in memory.
Seeds configRowsSeeds()
{
    const Tavr1ConfigRecord plain;
    const qsizetype itemBytes = qsizetype(sizeof(plain.items));
    QByteArray counting(itemBytes, '\0');
    for (qsizetype i = 0; i < counting.size(); ++i)
        counting[i] = char(i * 37);
    // One list rather than emplace_back into an empty vector: GCC 12 at -O3 reads that first
    // reallocation as a write past a zero-length array and the Release build stops.
    return {
        {"zero", QByteArray(reinterpret_cast<const char*>(plain.items.data()), itemBytes)},
        {"all-ones", QByteArray(itemBytes, '\xFF')},
        {"all-7f", QByteArray(itemBytes, '\x7F')},
        {"counting", counting},
    };
}

bool writeSeeds(const QString& dir, const QString& target, const Seeds& seeds, QString* error)
{
    const QString folder = dir + "/" + target;
    if (!QDir().mkpath(folder)) {
        *error = "cannot create " + folder;
        return false;
    }
    for (const auto& [name, bytes] : seeds) {
        QFile f(folder + "/" + name);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
            *error = "cannot write " + f.fileName();
            return false;
        }
    }
    return true;
}

} // namespace

bool writeTavr1Corpus(const QString& dir, QString* error)
{
    const std::pair<const char*, Seeds> targets[] = {
        {"Tavr1DecoderFuzz", decoderSeeds()},
        {"Tavr1RoundTripFuzz", roundTripSeeds()},
        {"Tavr1CutterFuzz", cutterSeeds()},
        {"Tavr1IdentificationFuzz", identificationSeeds()},
        {"DldHeaderFuzz", dldSeeds()},
        {"ConfigFileFuzz", configSeeds()},
        {"FieldHelpersFuzz", fieldHelperSeeds()},
        {"TDateTimeFuzz", stampSeeds()},
        {"Tavr1ConfigRowsFuzz", configRowsSeeds()},
    };
    for (const auto& [target, seeds] : targets) {
        if (!writeSeeds(dir, target, seeds, error))
            return false;
    }
    return true;
}
