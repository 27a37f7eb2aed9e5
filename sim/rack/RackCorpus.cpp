#include "sim/rack/RackCorpus.h"

#include "sim/rack/RackUnit.h"

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

bool writeSeeds(const QString& folder,
                const std::initializer_list<std::pair<const char*, QByteArray>>& seeds,
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
    return WriteRackLogCorpus(dir, error);
}
