#include "protocol/hd/HdHistoryExport.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDateTime stamp(QDate(2025, 3, 14), QTime(9, 5, 7));

THistoryDataRec typeThree()
{
    THistoryDataRec h(HdHistoryBytes);
    h.Type = 3;
    h.Len = 8640;
    h.Index = 8500;
    const quint8 first[] = {0, 123, 1, 200, 0, 78};      // 12.3, 45.6, 7.8
    const quint8 last[] = {0x07, 0xD0, 0, 0, 0xFF, 0xFF}; // 200.0, 0.0, 6553.5
    std::copy(std::begin(first), std::end(first), h.Data.begin());
    std::copy(std::begin(last), std::end(last), h.Data.begin() + 1439 * 6);
    return h;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(HdHistoryExport, NameAndStamp)
{
    EXPECT_EQ(HdHistoryFileName("Vren-1 TOTAL", stamp), "Vren-1 TOTAL 03142025 09H05M07S.txt");
    EXPECT_EQ(HdHistoryFileName("Vren-1 HD Audio: ANL L+R", QDateTime(QDate(2026, 12, 1),
                                                                       QTime(23, 59, 0))),
              "Vren-1 HD Audio: ANL L+R 12012026 23H59M00S.txt");
    EXPECT_EQ(HdHistoryStampText(stamp), "2025-03-14 09:05:07");
}

TEST(HdHistoryExport, WritesTheWholeDayMakingTheFolder)
{
    QTemporaryDir base;
    const QString folder = base.path() + "/HISTORICAL/";
    const THistoryDataRec h = typeThree();
    const QStringList lines = HdHistoryExportLines(stamp, DecodeHdHistoryRows(h));
    QString error;
    ASSERT_TRUE(WriteHdHistoryExport(folder, HdHistoryFileName("Vren-1 TOTAL", stamp), lines,
                                     &error))
        << qPrintable(error);
    const QByteArray file = readAll(folder + "Vren-1 TOTAL 03142025 09H05M07S.txt");
    const QList<QByteArray> got = file.split('\n');
    ASSERT_EQ(got.size(), 1445 + 1); // every line ends CR LF, the last too
    EXPECT_TRUE(got.last().isEmpty());
    for (int i = 0; i < 1445; ++i)
        ASSERT_TRUE(got[i].endsWith('\r')) << i;
    const QByteArray golden = "2025-03-14 09:05:07\r\n"
                              "HData ID:    0\r\n"
                              "HData Type:    3\r\n"
                              "HData Len:   8640\r\n"
                              "Time(min),Peak(%),Ave(%),Min(%)\r\n"
                              "    1,  12.3,  45.6,   7.8\r\n"
                              "    2,   0.0,   0.0,   0.0\r\n";
    EXPECT_EQ(file.left(golden.size()), golden);
    EXPECT_EQ(got[1444], " 1440, 200.0,   0.0,6553.5\r");
}

TEST(HdHistoryExport, AFailedWriteLeavesTheEarlierFileAndSaysWhy)
{
    QTemporaryDir base;
    // A file where the folder should be.
    QFile blocker(base.path() + "/HISTORICAL");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    EXPECT_FALSE(WriteHdHistoryExport(base.path() + "/HISTORICAL/", "x.txt", {"a"}, &error));
    EXPECT_FALSE(error.isEmpty());

    // A file the system will not let grow (a full disk does the same): the
    // earlier file of that name is kept whole.
    const QString folder = base.path() + "/DAYS/";
    ASSERT_TRUE(QDir().mkpath(folder));
    {
        QFile earlier(folder + "day.txt");
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier\r\n");
    }
    error.clear();
    {
        FileSizeLimit limit(0);
        ASSERT_TRUE(limit.lowered());
        EXPECT_FALSE(WriteHdHistoryExport(folder, "day.txt", {"new"}, &error));
    }
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(readAll(folder + "day.txt"), "earlier\r\n");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"day.txt"}) << "nothing left behind";
}
