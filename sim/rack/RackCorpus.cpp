#include "sim/rack/RackCorpus.h"

#include "sim/rack/RackUnit.h"
#include "sim/rack/RdsScript.h"

#include "common/TDateTime.h"
#include "data/DataLog.h"
#include "protocol/rack/RackReceive.h"

#include <QDir>
#include <QFile>

namespace {

char header(int family, bool sProtocol, int controllerIndex)
{
    return char((family & 0x03) | (sProtocol ? 0x04 : 0) | (controllerIndex << 4));
}

QByteArray blocks(int family, bool sProtocol, bool pairs, int count)
{
    RackUnit unit(family);
    unit.prompt = sProtocol ? RackUnit::Prompt::SPassword : RackUnit::Prompt::Password;
    unit.pairs = pairs;
    unit.stamp = QDateTime(QDate(2025, 1, 1), QTime(12, 0, 0));
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += unit.nextBlocks();
    return out;
}

// The simulator's blocks as the log writer stores them: count records one
// second apart, with the PC time or (S protocol) the unit's stamp.
QByteArray logRecords(bool sProtocol, int count)
{
    QByteArray stream = blocks(rkFM, sProtocol, false, count);
    QDateTime t(QDate(2025, 1, 1), QTime(4, 0, 0));
    QByteArray out;
    while (std::optional<QByteArray> block = CutRackBlock(stream, sProtocol)) {
        if (out.size() / DataLog::RecordSize >= count)
            break;
        const QByteArray entry = sProtocol ? *block : *block + TDateTimeBytes(t);
        out += DataLog::MakeRecord(entry);
        t = t.addSecs(1);
    }
    return out;
}

QByteArray groupBytes(const RdsScript::Group& g)
{
    QByteArray out;
    for (quint16 w : g) {
        out += char(w >> 8);
        out += char(w & 0xFF);
    }
    return out;
}

// A mode byte, then batches of six groups of the script.
QByteArray rdsSeed(char mode, RdsScript script, int batches)
{
    QByteArray out(1, mode);
    for (int i = 0; i < batches; ++i)
        for (const RdsScript::Group& g : script.nextBatch())
            out += groupBytes(g);
    return out;
}

// Long runs of the groups the paging, other-network and data decoders read:
// alphanumeric messages past 80 characters, AF(ON) lists and mapped
// frequencies past a line, changes of the other network, all 16 variants.
RdsScript otherDecoders()
{
    RdsScript s;
    auto add = [&](int type, int low, quint16 c, quint16 d) {
        s.groups.push_back({0x47F3, quint16(type << 11 | (low & 0x1F)), c, d});
    };
    add(0, 0, 0, 0x4B56);
    for (int i = 0; i < 6; ++i)
        add(2, (i == 1 || i == 2) ? 0x3 : (i & 1), 0x00A0, 0x5000);
    add(14, 8, 0x1234, 0x5600);
    for (int i = 0; i < 24; ++i)
        add(14, 9 + i % 6, quint16(0x4142 + i), 0x0043);
    add(14, 15, 0x2020, 0x2020);
    for (int v = 0; v < 16; ++v)
        add(14, v, quint16(0xA5C3 ^ (v * 0x1111)), quint16(0x9F0A + v));
    add(28, 4, 0xE9FA, 0x4A3C);
    for (int i = 0; i < 30; ++i)
        add(28, 4, quint16((100 + 2 * i) << 8 | (101 + 2 * i)), 0x4A3C);
    add(28, 5, 0x41FA, 0x4A3C);
    for (int i = 0; i < 30; ++i)
        add(28, 6 + i % 4, quint16(0x4100 | (130 + i)), 0x4A3C);
    for (int v = 0; v < 16; ++v)
        add(28, v, quint16(0xD123 + v), quint16(0x4A3C + (v & 8)));
    for (int ch = 0; ch < 34; ++ch)
        add(10 + ch % 4, ch, quint16(0x4100 + ch), 0x0044);
    return s;
}

RdsScript captures()
{
    const char* text = "6204 0130 966B 594C\n6204 0131 93CD 4520\n6204 0132 E472 5833\n"
                       "6204 0137 966B 4D20\nC954 24F0 4A41 434B\nC954 24F1 2039 362E\n"
                       "C954 24F2 390D 0000\n6201 00F7 E704 5349\n6201 00F0 2217 594C\n"
                       "6201 00F1 1139 4520\n6201 00F2 0A14 594B\nC202 41E1 C565 1802\n"
                       "D314 41C1 C3EF 5AC4\n22E1 4581 C1E7 4280\n4569 40DD CD92 3BAE\n";
    return *RdsScript::fromText(text);
}

bool writeSeeds(const QString& folder, const std::vector<std::pair<const char*, QByteArray>>& seeds,
                QString* error)
{
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = "cannot create " + folder;
        return false;
    }
    for (const auto& [name, bytes] : seeds) {
        QFile f(folder + "/" + name);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
            if (error)
                *error = "cannot write " + f.fileName();
            return false;
        }
    }
    return true;
}

bool writeRdsCorpus(const QString& dir, QString* error)
{
    RdsScript station = RdsScript::builtIn();
    station.clock = QDateTime(QDate(2025, 6, 1), QTime(3, 30), Qt::UTC);
    const int loop = int(station.groups.size()) / 6 + 1;
    RdsScript gone = station;
    gone.emptyEntries = true;
    RdsScript change = station;
    change.injectPi = 0x9950;
    return writeSeeds(
        dir + "/RdsDecoderFuzz",
        {
            {"station-rbds", rdsSeed(0, station, 2 * loop)},
            {"station-rds", rdsSeed(1, station, loop)},
            {"captures", rdsSeed(0, captures(), 6)},
            {"station-gone", rdsSeed(0, station, 3) + rdsSeed(0, gone, 2).mid(1)},
            {"pi-change", rdsSeed(0, change, 4)},
            {"paging-eon-data",
             rdsSeed(1, otherDecoders(), 2 * int(otherDecoders().groups.size()) / 6 + 2)},
        },
        error);
}

} // namespace

bool WriteRackLogCorpus(const QString& dir, QString* error)
{
    const QByteArray five = logRecords(false, 5);
    return writeSeeds(dir + "/RackLogFuzz",
                      {
                          {"one-record", logRecords(false, 1)},
                          {"five-records", five},
                          {"fragment", five + five.left(50)},
                          {"s-protocol-stamp", logRecords(true, 3)},
                      },
                      error);
}

bool WriteRackCorpus(const QString& dir, QString* error)
{
    const QString folder = dir + "/RackRecordFuzz";
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = "cannot create " + folder;
        return false;
    }
    struct Seed
    {
        const char* name;
        QByteArray bytes;
    };
    QByteArray truncated = blocks(rkFM, false, false, 3);
    truncated.remove(60, 40); // the first block cut after 60 bytes
    const Seed seeds[] = {
        {"fm-records", header(rkFM, false, 2) + blocks(rkFM, false, false, 24)},
        {"fm-pairs", header(rkFM, false, 1) + blocks(rkFM, false, true, 8)},
        {"fm-stamped", header(rkFM, true, 2) + blocks(rkFM, true, false, 4)},
        {"tv-records", header(rkTV, false, 7) + blocks(rkTV, false, false, 8)},
        {"am-records", header(rkAM, false, 9) + blocks(rkAM, false, false, 8)},
        {"am-by-variant", header(rkAM, false, 8) + blocks(rkAM, false, false, 4)},
        {"fm-truncated", header(rkFM, false, 2) + truncated},
    };
    for (const Seed& s : seeds) {
        QFile f(folder + "/" + s.name);
        if (!f.open(QIODevice::WriteOnly) || f.write(s.bytes) != s.bytes.size()) {
            if (error)
                *error = "cannot write " + f.fileName();
            return false;
        }
    }
    return WriteRackLogCorpus(dir, error) && writeRdsCorpus(dir, error);
}
