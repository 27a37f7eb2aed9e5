#include "sim/bry1/Bry1Corpus.h"

#include "sim/bry1/Bry1Block.h"

#include <QDir>
#include <QFile>
#include <utility>
#include <vector>

namespace {

enum Path : char
{
    Network = 0,
    Serial = 1,
    Versions = 2
};

QByteArray seed(Path path, quint8 pieces, const QByteArray& stream)
{
    return QByteArray(1, path) + QByteArray(1, char(pieces)) + stream;
}

} // namespace

bool writeBry1Corpus(const QString& dir, QString* error)
{
    const QString folder = dir + "/Bry1StreamFuzz";
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = "cannot create " + folder;
        return false;
    }
    const QByteArray kinds = buildBry1Block(0, 0) + buildBry1Block(1, 1) + buildBry1Block(2, 2);
    const QByteArray wrong = withWrongBry1Sum(buildBry1Block(0, 3));
    const QByteArray burst = buildBry1Block(1, 4) + QByteArray(1, '\x55');
    const QByteArray garbage = QByteArray("\xFF\xFE noise \xFD\x01", 10) + buildBry1Block(2, 5);
    const QByteArray truncated = buildBry1Block(0, 6).left(200) + buildBry1Block(1, 7);

    const std::vector<std::pair<QString, QByteArray>> seeds = {
        {"network-kinds", seed(Network, 0, kinds)},
        {"network-kinds-in-small-pieces", seed(Network, 37, kinds)},
        {"network-wrong-sum", seed(Network, 0, wrong)},
        {"network-garbage-before", seed(Network, 100, garbage)},
        {"network-truncated", seed(Network, 200, truncated)},
        {"serial-kinds", seed(Serial, 0, kinds)},
        {"serial-burst", seed(Serial, 0, burst + buildBry1Block(2, 8))},
        {"serial-split", seed(Serial, 100, buildBry1Block(0, 9))},
        {"versions-long", seed(Versions, 0, "U1:HC11V01.23 /  DSP1V04.56")},
        {"versions-short", seed(Versions, 0, "U")},
        {"versions-not-numbers", seed(Versions, 0, "U1:HC11Vab.cd /  DSP1V0x.5")},
    };
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
