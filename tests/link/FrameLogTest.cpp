// The frame's data log on a temporary folder, its clock set by the test.
#include "TestSupport.h"

#include "common/Enums.h"
#include "common/TDateTime.h"
#include "data/DataLog.h"
#include "link/Frame2.h"
#include "models/LogPlaybackModel.h"
#include "protocol/rack/RackReceive.h"
#include "sim/rack/RackUnit.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class FrameLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageLines = &log;
        frame.HardwareType = htRackSystem;
        frame.LogPath = base.path() + "/LOG/";
        frame.LogPrefix = "Connect1-";
        frame.LoggingEnabled = true;
        frame.Clock = [this] { return clock; };
    }
    void TearDown() override { MessageLines = nullptr; }

    QStringList logFiles(const QString& filter = "*") const
    {
        return QDir(base.path() + "/LOG").entryList({filter}, QDir::Files, QDir::Name);
    }
    QByteArray fileBytes(const QString& name) const { return base.readFile("LOG/" + name); }
    static QByteArray entry(int seed, const QDateTime& t)
    {
        return QByteArray(100, char(seed)) + TDateTimeBytes(t);
    }
    // One block at that time, as the rack link hands it over.
    void block(const QDateTime& t, int seed = 1)
    {
        clock = t;
        frame.LogRackBlock(entry(seed, t), t);
    }
    static QDateTime at(int day, int h, int m, int s)
    {
        return QDateTime(QDate(2026, 12, day), QTime(h, m, s));
    }

    TempBase base;
    TEventLog log;
    TFrame2 frame{"Connect1"};
    QDateTime clock = at(9, 8, 22, 3);
};

TEST_F(FrameLogTest, A0400BlockStartsTheNextDaysFile)
{
    clock = at(9, 20, 0, 0);
    frame.StartLog();
    ASSERT_TRUE(frame.LogOpen);
    block(at(10, 3, 59, 59));
    block(at(10, 4, 0, 0));
    EXPECT_EQ(logFiles(), QStringList({"Connect1-Date..12.09.26 Time..20.00.00.LW1",
                                       "Connect1-Date..12.10.26 Time..04.00.00.LW1"}));
    EXPECT_EQ(fileBytes(logFiles()[0]).size(), 109);
    EXPECT_EQ(fileBytes(logFiles()[1]).size(), 109);

    // A day without blocks: 05:00, then 06:00 the next day, is a new file.
    block(at(11, 5, 0, 0));
    block(at(12, 6, 0, 0));
    EXPECT_EQ(logFiles().size(), 4);
}

TEST_F(FrameLogTest, NoFileAppearsAt0400WithLoggingDisabled)
{
    frame.LoggingEnabled = false;
    block(at(10, 3, 59, 59));
    block(at(10, 4, 0, 0));
    EXPECT_TRUE(logFiles().isEmpty());
    EXPECT_FALSE(frame.LogOpen);
}

TEST_F(FrameLogTest, EachBlockIsOneRecordWithTheStampAsReceived)
{
    frame.StartLog();
    block(at(9, 8, 22, 4), 7);
    // Under the S protocol the unit's stamp is kept as it came, garbage too.
    RackUnit unit(rkFM);
    unit.prompt = RackUnit::Prompt::SPassword;
    QByteArray stream = unit.nextBlocks();
    std::optional<QByteArray> stamped = CutRackBlock(stream, true);
    ASSERT_TRUE(stamped);
    const QByteArray garbage("\xFF\xFF\xFF\xFF\x01\x02\x03\x04", 8);
    stamped->replace(100, 8, garbage);
    const std::optional<QByteArray> e = ReceiveRackBlock(frame, frame, *stamped, true, clock);
    ASSERT_TRUE(e);
    frame.LogRackBlock(*e, clock);
    frame.StopLog();

    const QByteArray bytes = fileBytes(logFiles().value(0));
    ASSERT_EQ(bytes.size(), 2 * 109);
    EXPECT_EQ(quint8(bytes[0]), 108);
    EXPECT_EQ(bytes.mid(1, 100), QByteArray(100, char(7)));
    EXPECT_EQ(bytes.mid(101, 8), TDateTimeBytes(at(9, 8, 22, 4)));
    EXPECT_EQ(quint8(bytes[109]), 108);
    EXPECT_EQ(bytes.mid(110, 100), stamped->left(100));
    EXPECT_EQ(bytes.mid(210, 8), garbage);
}

TEST_F(FrameLogTest, StartingTwiceInOneSecondKeepsEveryRecordInOneFile)
{
    frame.StartLog();
    block(clock, 1);
    frame.StartLog();
    block(clock, 2);
    ASSERT_EQ(logFiles().size(), 1);
    frame.StopLog();
    EXPECT_EQ(fileBytes(logFiles()[0]).size(), 2 * 109);

    // A crash left a 50-byte fragment: it goes before the next record.
    QFile f(base.file("LOG/" + logFiles()[0]));
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(QByteArray(50, 'x'));
    f.close();
    frame.StartLog();
    block(clock, 3);
    frame.StopLog();
    const QByteArray bytes = fileBytes(logFiles()[0]);
    ASSERT_EQ(bytes.size(), 3 * 109);
    EXPECT_EQ(bytes.mid(2 * 109 + 1, 100), QByteArray(100, char(3)));
}

TEST_F(FrameLogTest, AMissingFolderIsMadeAndOneThatCannotBeIsReportedOnce)
{
    frame.LogPath = base.path() + "/a/b/c/";
    frame.StartLog();
    EXPECT_TRUE(frame.LogOpen);
    frame.StopLog();

    base.writeFile("blocker", "x");
    frame.LogPath = base.path() + "/blocker/LOG/";
    frame.StartLog();
    EXPECT_FALSE(frame.LogOpen);
    for (int i = 0; i < 5; ++i)
        block(clock.addSecs(1), i);
    EXPECT_EQ(countLogLines("Log File Error: " + frame.LogPath), 1);
    EXPECT_FALSE(frame.LogOpen);
}

TEST_F(FrameLogTest, AFullDiskCutsBackClosesAndReportsOnce)
{
    frame.StartLog();
    for (int i = 0; i < 3; ++i)
        block(clock.addSecs(1), i);
    const QString path = frame.logWriter().path();
    // 30 bytes of each record get out, the rest never does.
    frame.logWriter().write = [](QFile& f, const char* data, qint64 n) {
        return n == 109 ? f.write(data, 30) : qint64(0);
    };
    for (int i = 0; i < 4; ++i)
        block(clock.addSecs(1), 10 + i);
    EXPECT_FALSE(frame.LogOpen);
    EXPECT_EQ(countLogLines("Log File Error: " + path + " (only 30 of 109 bytes were written)"), 1);
    EXPECT_EQ(QFileInfo(path).size(), 3 * 109);

    TLogPlaybackModel playback;
    ASSERT_EQ(playback.load(path, nullptr), TLogPlaybackModel::Load::Loaded);
    EXPECT_EQ(playback.count(), 3);
    EXPECT_EQ(playback.damagedCount(), 0);
    EXPECT_EQ(playback.trailingBytes(), 0);

    // The next start writes again.
    frame.logWriter().write = [](QFile& f, const char* data, qint64 n) { return f.write(data, n); };
    frame.StartLog();
    block(clock.addSecs(1), 20);
    EXPECT_TRUE(frame.LogOpen);
}

// A day of blocks every 10 s, with a disk that fills twice: at noon for two
// hours, and from 03:30 to 04:30 across the rollover.
TEST_F(FrameLogTest, ALogThatFailsIsRetriedInANewFileAndReportedOncePerRun)
{
    QFile full("/dev/full");
    ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    // Bytes the disk still takes; -1 without limit.
    qint64 room = -1;
    frame.logWriter().write = [&](QFile& f, const char* data, qint64 n) -> qint64 {
        if (room < 0)
            return f.write(data, n);
        if (room == 0)
            return full.write(data, n); // -1, "No space left on device"
        const qint64 w = f.write(data, qMin(n, room));
        room -= w;
        return w;
    };
    clock = at(9, 8, 0, 0);
    frame.StartLog();
    ASSERT_TRUE(frame.LogOpen);
    const QString first = frame.logWriter().path();
    for (QDateTime t = at(9, 8, 0, 0); t < at(10, 8, 0, 0); t = t.addSecs(10)) {
        if (t == at(9, 12, 0, 0))
            room = 30; // part of a record goes out
        else if (t == at(10, 3, 30, 0))
            room = 0;
        else if (t == at(9, 14, 0, 0) || t == at(10, 4, 30, 0))
            room = -1;
        block(t);
        if (room >= 0) {
            ASSERT_FALSE(frame.LogOpen) << t.toString().toStdString();
        }
    }
    EXPECT_TRUE(frame.LogOpen);

    const QStringList expected{"Connect1-Date..12.09.26 Time..08.00.00.LW1",
                               "Connect1-Date..12.09.26 Time..14.00.00.LW1",
                               "Connect1-Date..12.10.26 Time..04.30.00.LW1"};
    ASSERT_EQ(logFiles(), expected) << "no empty file is left by a failed retry";
    // Every file holds only whole records, from its start to the failure.
    const struct
    {
        QDateTime from, to;
    } spans[] = {{at(9, 8, 0, 0), at(9, 11, 59, 50)},
                 {at(9, 14, 0, 0), at(10, 3, 29, 50)},
                 {at(10, 4, 30, 0), at(10, 7, 59, 50)}};
    for (int i = 0; i < 3; ++i) {
        DataLog::TReader r;
        ASSERT_TRUE(r.open(base.file("LOG/" + expected[i]), nullptr));
        EXPECT_EQ(r.trailingBytes(), 0) << i;
        EXPECT_EQ(r.damagedCount(), 0) << i;
        EXPECT_EQ(r.count(), spans[i].from.secsTo(spans[i].to) / 10 + 1) << i;
        EXPECT_EQ(r.time(0), ToTDateTime(spans[i].from)) << i;
        EXPECT_EQ(r.time(r.count() - 1), ToTDateTime(spans[i].to)) << i;
    }
    // As the frame names them: the folder as configured, then the name.
    auto named = [&](int i) { return frame.LogPath + "/" + expected[i]; };
    ASSERT_EQ(first, named(0));
    const QString second = named(1);
    EXPECT_EQ(countLogLines("Log File Error"), 2);
    EXPECT_EQ(countLogLines("Log File Error: " + first + " (No space left on device)"), 1);
    EXPECT_EQ(countLogLines("Log File Error: " + second + " (No space left on device)"), 1);
    EXPECT_EQ(countLogLines("Log File Resumed"), 2);
    EXPECT_EQ(countLogLines("STATUS"), 2);
    EXPECT_EQ(countLogLines("Log File Resumed: " + second), 1);
    EXPECT_EQ(countLogLines("Log File Resumed: " + named(2)), 1);
}

TEST_F(FrameLogTest, AFailedStartIsRetriedThirtySecondsOnWhileLoggingIsEnabled)
{
    base.writeFile("LOG", "a file where the folder should be");
    clock = at(9, 8, 0, 0);
    frame.StartLog();
    EXPECT_FALSE(frame.LogOpen);
    QFile::remove(base.file("LOG"));
    block(at(9, 8, 0, 10));
    block(at(9, 8, 0, 29));
    EXPECT_FALSE(frame.LogOpen) << "not before thirty seconds";
    block(at(9, 8, 0, 30));
    EXPECT_TRUE(frame.LogOpen);
    EXPECT_EQ(logFiles(), QStringList{"Connect1-Date..12.09.26 Time..08.00.30.LW1"});
    EXPECT_EQ(fileBytes(logFiles()[0]).size(), 109);
    EXPECT_EQ(countLogLines("Log File Error"), 1);
    EXPECT_EQ(countLogLines("Log File Resumed"), 1);

    // Fails again: with logging switched off nothing is tried, and switched
    // on again later the new failure has a line of its own.
    QDir(base.file("LOG")).removeRecursively();
    base.writeFile("LOG", "x");
    frame.StopLog();
    frame.StartLog();
    EXPECT_EQ(countLogLines("Log File Error"), 2);
    frame.LoggingEnabled = false;
    frame.StopLog();
    QFile::remove(base.file("LOG"));
    block(at(9, 9, 0, 0));
    EXPECT_FALSE(frame.LogOpen);
    EXPECT_FALSE(QFileInfo::exists(base.file("LOG")));
    frame.LoggingEnabled = true;
    base.writeFile("LOG", "x");
    clock = at(9, 9, 0, 10);
    frame.StartLog();
    EXPECT_EQ(countLogLines("Log File Error"), 3);

    // A clock set back does not hold the log shut until it catches up.
    QFile::remove(base.file("LOG"));
    block(at(9, 7, 0, 0));
    EXPECT_TRUE(frame.LogOpen);
}

TEST_F(FrameLogTest, EachKindClosesTheFileItOpened)
{
    frame.StartLog();
    block(clock, 1);
    // Apply changed the type under the open log: the rack file is closed.
    frame.HardwareType = htHDSystem;
    frame.StopLog();
    EXPECT_FALSE(frame.LogOpen);
    EXPECT_FALSE(frame.logWriter().isOpen());
    EXPECT_EQ(fileBytes(logFiles("*.LW1").value(0)).size(), 109);

    clock = clock.addSecs(5);
    frame.StartLog();
    EXPECT_TRUE(frame.LogOpen);
    const QStringList txt = logFiles("*.TXT");
    ASSERT_EQ(txt.size(), 1);
    EXPECT_EQ(fileBytes(txt[0]), QByteArray("DATE,TIME,TOTAL PEAK,TOTAL AVE,TOTAL MIN\r\n"));
    frame.StopLog();

    frame.HardwareType = htTavr1;
    frame.StartLog();
    EXPECT_TRUE(frame.LogOpen);
    frame.StopLog();
    frame.HardwareType = htBry1;
    frame.StartLog();
    EXPECT_FALSE(frame.LogOpen);
    EXPECT_EQ(logFiles().size(), 2);
}

} // namespace
