#include "sim/rack/RackCorpus.h"

#include "sim/rack/RackUnit.h"

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

} // namespace

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
    return true;
}
