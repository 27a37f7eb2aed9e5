#include "sim/bry1/Bry1Corpus.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The seeds reach every path of the fuzz target: the gatherer, the serial
// rule and the version answer.
TEST(Bry1Corpus, SeedsCoverEveryPathOfTheTarget)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeBry1Corpus(dir.path()));
    const QDir folder(dir.path() + "/Bry1StreamFuzz");
    const QStringList names = folder.entryList(QDir::Files);
    ASSERT_GE(names.size(), 8);
    QSet<char> paths;
    for (const QString& name : names) {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray seed = f.readAll();
        ASSERT_GE(seed.size(), 3) << name.toStdString();
        paths.insert(seed[0]);
    }
    EXPECT_EQ(paths, (QSet<char>{0, 1, 2}));

    QString error;
    EXPECT_FALSE(writeBry1Corpus("/proc/no-such-place", &error));
    EXPECT_FALSE(error.isEmpty());
}
