#include "sim/hd/HdCorpus.h"
#include "protocol/hd/HdDecoder.h"
#include "protocol/hd/HdRequests.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// The seeds of the HD fuzz targets are written, and every block seed the
// simulator writes is one the decoder takes whole.
TEST(HdCorpus, SeedsForEveryTarget)
{
    QTemporaryDir dir;
    const int written = WriteHdCorpus(dir.path());
    ASSERT_GT(written, 10);
    const QStringList blocks = QDir(dir.path() + "/HdBlockFuzz").entryList(QDir::Files);
    const QStringList echoes = QDir(dir.path() + "/HdEchoLineFuzz").entryList(QDir::Files);
    const QStringList history =
        QDir(dir.path() + "/HdHistoryRowsFuzz").entryList(QDir::Files);
    const QStringList diagnostics =
        QDir(dir.path() + "/HdDiagnosticsFuzz").entryList(QDir::Files);
    const QStringList guides = QDir(dir.path() + "/HdSigFuzz").entryList(QDir::Files);
    EXPECT_EQ(blocks.size() + echoes.size() + history.size() + diagnostics.size() + guides.size(),
              written);
    EXPECT_FALSE(history.isEmpty());
    EXPECT_FALSE(echoes.isEmpty());
    EXPECT_FALSE(diagnostics.isEmpty());
    EXPECT_EQ(guides.size(), 3);
    int decoded = 0;
    for (const QString& name : blocks) {
        QFile f(dir.path() + "/HdBlockFuzz/" + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray all = f.readAll();
        auto d = std::make_unique<THdData>();
        auto s = std::make_unique<TConnectionState>();
        for (qsizetype at = 0; at + 2729 <= all.size(); at += 2729)
            decoded += DecodeHdBlock(all.mid(at, all.size() - at == 2801 ? 2801 : 2729), *d, *s) ==
                               THdBlockVerdict::Decoded
                           ? 1
                           : 0;
    }
    EXPECT_GT(decoded, 10);
}
