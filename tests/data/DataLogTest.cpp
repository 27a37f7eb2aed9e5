#include "data/DataLog.h"

#include "TestSupport.h"

#include "common/TDateTime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace DataLog;

QByteArray entry(int seed, const QDateTime& t)
{
    QByteArray e(100, '\0');
    for (int i = 0; i < 100; ++i)
        e[i] = char(seed + i);
    return e + TDateTimeBytes(t);
}

const QDateTime day1(QDate(2026, 12, 9), QTime(8, 22, 3));

QByteArray readAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

TEST(DataLogFormat, ARecordIsTheLengthByteTheBlockAndItsStamp)
{
    const QByteArray e = entry(1, day1);
    const QByteArray r = MakeRecord(e);
    ASSERT_EQ(r.size(), 109);
    EXPECT_EQ(quint8(r[0]), 108);
    EXPECT_EQ(r.mid(1), e);
    EXPECT_EQ(RecordTime(r), ToTDateTime(day1));
    // A short entry is padded, a long one cut: the record stays 109 bytes.
    EXPECT_EQ(MakeRecord(QByteArray(3, 'x')).size(), 109);
    EXPECT_EQ(MakeRecord(QByteArray(500, 'x')).size(), 109);
}

TEST(DataLogFormat, FileNameAndRollover)
{
    EXPECT_EQ(FileStem("/x/LOG/", "Connect1-", day1) + RackExtension("Connect1"),
              "/x/LOG//Connect1-Date..12.09.26 Time..08.22.03.LW1");
    EXPECT_EQ(RackExtension("Connect7"), ".LW7");

    auto at = [](int day, int h, int m, int s) {
        return ToTDateTime(QDateTime(QDate(2026, 12, day), QTime(h, m, s)));
    };
    EXPECT_FALSE(RollsOver(at(9, 8, 0, 0), at(10, 3, 59, 59)));
    EXPECT_TRUE(RollsOver(at(10, 3, 59, 59), at(10, 4, 0, 0)));
    EXPECT_FALSE(RollsOver(at(10, 4, 0, 0), at(10, 23, 0, 0)));
    // More than a day without a block: the time of day alone would miss it.
    EXPECT_TRUE(RollsOver(at(9, 5, 0, 0), at(10, 6, 0, 0)));
    EXPECT_FALSE(RollsOver(std::nan(""), at(10, 6, 0, 0)));
}

struct DataLogFileTest : ::testing::Test
{
    QTemporaryDir dir;
    QString path() const { return dir.path() + "/sub/folder/log.LW1"; }
};

TEST_F(DataLogFileTest, RecordsAreAppendedToAnExistingFileAfterItsLastWholeRecord)
{
    {
        TWriter w;
        QString reason;
        ASSERT_TRUE(w.openRecords(path(), &reason)) << reason.toStdString(); // folder made
        ASSERT_TRUE(w.append(MakeRecord(entry(1, day1)), &reason));
    }
    // A crash left half a record behind.
    {
        QFile f(path());
        f.open(QIODevice::Append);
        f.write(QByteArray(50, 'z'));
    }
    TWriter w;
    QString reason;
    ASSERT_TRUE(w.openRecords(path(), &reason));
    ASSERT_TRUE(w.append(MakeRecord(entry(2, day1.addSecs(1))), &reason));
    w.close();
    const QByteArray bytes = readAll(path());
    ASSERT_EQ(bytes.size(), 2 * 109);
    EXPECT_EQ(bytes.mid(109), MakeRecord(entry(2, day1.addSecs(1))));
}

TEST_F(DataLogFileTest, AWriteThatFailsPartwayLeavesOnlyWholeRecords)
{
    TWriter w;
    QString reason;
    ASSERT_TRUE(w.openRecords(path(), &reason));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(w.append(MakeRecord(entry(i, day1.addSecs(i))), &reason));
    // The disk fills: 40 bytes of the next record get out, then nothing.
    w.write = [calls = 0](QFile& f, const char* data, qint64) mutable {
        return calls++ == 0 ? f.write(data, 40) : qint64(0);
    };
    EXPECT_FALSE(w.append(MakeRecord(entry(9, day1.addSecs(9))), &reason));
    EXPECT_EQ(reason, "only 40 of 109 bytes were written");
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(readAll(path()).size(), 3 * 109);
    // And one that fails outright.
    TWriter v;
    ASSERT_TRUE(v.openRecords(path(), &reason));
    v.write = [](QFile&, const char*, qint64) { return qint64(-1); };
    EXPECT_FALSE(v.append(MakeRecord(entry(9, day1)), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(readAll(path()).size(), 3 * 109);

    TReader r;
    ASSERT_TRUE(r.open(path(), &reason));
    EXPECT_EQ(r.count(), 3);
    EXPECT_EQ(r.trailingBytes(), 0);
    EXPECT_EQ(r.time(2), ToTDateTime(day1.addSecs(2)));
}

// What the engineer reads is the system's reason, also where part of the
// record went out and Qt itself has none to give.
TEST_F(DataLogFileTest, AFailedWriteGivesTheSystemsReason)
{
    const QByteArray record = MakeRecord(entry(5, day1));
    QString reason;
    {
        TWriter w;
        ASSERT_TRUE(w.openRecords(path(), &reason));
        ASSERT_TRUE(w.append(record, &reason));
        // A full disk: every byte goes to a device that takes none.
        QFile full("/dev/full");
        ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        w.write = [&full](QFile&, const char* data, qint64 n) { return full.write(data, n); };
        EXPECT_FALSE(w.append(record, &reason));
        EXPECT_EQ(reason, "No space left on device");
        EXPECT_EQ(readAll(path()).size(), 109);
    }
    {
        // The system takes 50 bytes of the record and refuses the rest.
        TWriter w;
        ASSERT_TRUE(w.openRecords(path(), &reason));
        FileSizeLimit limit(109 + 50);
        ASSERT_TRUE(limit.lowered());
        EXPECT_FALSE(w.append(record, &reason));
        EXPECT_EQ(reason, "File too large");
    }
    EXPECT_EQ(readAll(path()), record) << "cut back to the whole record";

    // The header line of a text file likewise.
    TWriter w;
    FileSizeLimit limit(10);
    EXPECT_FALSE(w.openText(dir.path() + "/hd.TXT", HdHeaderLine, &reason));
    EXPECT_EQ(reason, "File too large");
}

TEST_F(DataLogFileTest, AFolderThatCannotBeMadeIsReported)
{
    QFile blocker(dir.path() + "/file");
    blocker.open(QIODevice::WriteOnly);
    blocker.close();
    TWriter w;
    QString reason;
    EXPECT_FALSE(w.openRecords(dir.path() + "/file/sub/log.LW1", &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(w.isOpen());
    EXPECT_FALSE(w.append(MakeRecord({}), &reason));
}

TEST_F(DataLogFileTest, TheTextFileHoldsExactlyItsHeaderLine)
{
    TWriter w;
    QString reason;
    const QString p = dir.path() + "/hd.TXT";
    ASSERT_TRUE(w.openText(p, HdHeaderLine, &reason));
    w.close();
    EXPECT_EQ(readAll(p), QByteArray("DATE,TIME,TOTAL PEAK,TOTAL AVE,TOTAL MIN\r\n"));
}

TEST(DataLogReader, DamagedRecordsAndFragmentsAreCountedNotThrown)
{
    QByteArray bytes;
    for (int i = 0; i < 4; ++i)
        bytes += MakeRecord(entry(i, day1.addSecs(i)));
    bytes[109] = char(107); // record 1: a wrong length byte
    double nan = std::nan("");
    std::memcpy(bytes.data() + 2 * 109 + 101, &nan, 8); // record 2: a NaN time
    bytes += QByteArray(50, 'q');
    TReader r;
    r.openBytes(bytes);
    EXPECT_EQ(r.count(), 4);
    EXPECT_EQ(r.trailingBytes(), 50);
    // The scan takes as many records as it is given, and no more.
    EXPECT_FALSE(r.scan(2));
    EXPECT_EQ(r.scannedCount(), 2);
    EXPECT_EQ(r.damagedCount(), 1);
    EXPECT_TRUE(r.scan(5));
    EXPECT_EQ(r.damagedCount(), 2);
    EXPECT_EQ(r.firstGoodTime(), ToTDateTime(day1));
    EXPECT_EQ(r.lastGoodTime(), ToTDateTime(day1.addSecs(3)));
    EXPECT_FALSE(r.isDamaged(0));
    EXPECT_TRUE(r.isDamaged(1));
    EXPECT_TRUE(r.isDamaged(2));
    EXPECT_TRUE(std::isnan(r.time(99)));
    EXPECT_TRUE(r.record(-1).isEmpty());
    EXPECT_EQ(r.record(3).size(), 109);

    QString reason;
    EXPECT_FALSE(r.open("/nonexistent/x.LW1", &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(r.count(), 0);
}

} // namespace
