// The Log tab: a file written by the log writer, chosen through the test's
// chooser, played by calling the timer's handler.
#include "shell/LogPlayback.h"

#include "TestSupport.h"
#include "common/TDateTime.h"
#include "data/DataLog.h"
#include "widgets/MessageBoxService.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>

namespace {

const QDateTime t0(QDate(2026, 12, 9), QTime(10, 0, 0));

class LogPlaybackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            asked << r.title + "|" + r.text;
            return QMessageBox::Ok;
        });
        log.chooser = [this](QWidget*, const QString& folder, const QString& filter) {
            chooserFolder = folder;
            chooserFilter = filter;
            return chosen;
        };
    }
    void TearDown() override { SetMessageBoxAnswerer({}); }

    // n records one second apart, written by the log writer, and extra bytes.
    QString write(const QString& name, int n, const QByteArray& extra = {},
                  const std::function<void(int, QByteArray&)>& spoil = {})
    {
        const QString path = base.file("LOG/" + name);
        DataLog::TWriter w;
        QString reason;
        EXPECT_TRUE(w.openRecords(path, &reason));
        for (int i = 0; i < n; ++i) {
            QByteArray r =
                DataLog::MakeRecord(QByteArray(100, char(i)) + TDateTimeBytes(t0.addSecs(i)));
            if (spoil)
                spoil(i, r);
            w.append(r, &reason);
        }
        w.close();
        if (!extra.isEmpty()) {
            QFile f(path);
            f.open(QIODevice::Append);
            f.write(extra);
        }
        return path;
    }
    void load(const QString& path)
    {
        chosen = path;
        log.Timer1->stop();
        log.LogButton2->click();
        log.Timer1->stop(); // the test runs the ticks
    }
    QString edit() const { return log.Edit1->text(); }
    static QString shown(int i) { return t0.addSecs(i).toString("MM/dd/yyyy hh:mm:ss"); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            log.Timer1Timer();
    }

    TempBase base;
    TFrame3 log;
    QString chosen, chooserFolder, chooserFilter;
    QStringList asked;
};

TEST_F(LogPlaybackTest, FiveRecordsLoadPlayAndLoop)
{
    load(write("Connect1-Date..12.09.26 Time..10.00.00.LW1", 5));
    EXPECT_EQ(chooserFolder, base.path() + "/LOG/");
    EXPECT_TRUE(chooserFilter.startsWith("All (*.L*);;Connect #1 (*.LW1 *.LC1);;"));
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(log.Label1->text(), "  Filename:   Connect1-Date..12.09.26 Time..10.00.00.LW1");
    EXPECT_EQ(log.Label2->text(), "Start Time:   10:00:00");
    EXPECT_EQ(log.Label3->text(), " Stop Time:   10:00:04");
    EXPECT_EQ(log.Label4->text(), "   Date:      12/09/2026");
    EXPECT_EQ(log.StartTimePicker->dateTime(), t0);
    EXPECT_EQ(log.StopTimePicker->dateTime(), t0.addSecs(4));
    EXPECT_EQ(log.StartTimePicker->displayFormat(), "MM/dd/yyyy hh:mm:ss");
    EXPECT_EQ(edit(), shown(0));

    log.PlayBitBtn->click();
    ticks(4);
    EXPECT_EQ(edit(), shown(0));
    ticks(1);
    EXPECT_EQ(edit(), shown(0));
    ticks(5);
    EXPECT_EQ(edit(), shown(1));
    log.FastFwdBitBtn->click();
    ticks(1);
    EXPECT_EQ(edit(), shown(2));
    ticks(5); // runs into the end without Loop: stays on the last, stopped
    EXPECT_EQ(edit(), shown(4));
    EXPECT_EQ(log.TrackBar1->value(), 100);
    EXPECT_EQ(log.model().mode(), TLogPlaybackModel::Mode::Stopped);

    log.CheckBox1->setChecked(true);
    log.FastFwdBitBtn->click();
    ticks(2);
    EXPECT_EQ(edit(), shown(0)); // looped
    log.RewindBitBtn->click();
    ticks(2);
    EXPECT_EQ(edit(), shown(0));
    ticks(1);
    EXPECT_EQ(edit(), shown(4)); // back past the first: the last
    log.PauseBitBtn->click();
    ticks(10);
    EXPECT_EQ(edit(), shown(4));

    log.ResetBitBtn->click();
    EXPECT_EQ(log.TrackBar1->value(), 0);
    EXPECT_EQ(edit(), shown(0));
    log.EOFBitBtn->click();
    EXPECT_EQ(log.TrackBar1->value(), 100);
    EXPECT_EQ(edit(), shown(4));
}

TEST_F(LogPlaybackTest, PickersAndTheTrackBar)
{
    load(write("a.LW1", 5));
    log.StartTimePicker->setDateTime(t0.addSecs(2));
    EXPECT_EQ(log.model().first(), 2);
    log.StopTimePicker->setDateTime(t0.addSecs(3));
    EXPECT_EQ(log.model().last(), 3);
    log.StartTimePicker->setDateTime(t0);
    log.StopTimePicker->setDateTime(t0.addSecs(4));

    // The user drags the bar to the middle.
    log.TrackBar1->setSliderDown(true);
    log.TrackBar1->setSliderPosition(50);
    log.TrackBar1->setSliderDown(false);
    EXPECT_EQ(edit(), shown(2));
    // A programmatic refill moves nothing.
    const int before = log.model().current();
    log.TrackBar1->setValue(100);
    EXPECT_EQ(log.model().current(), before);
    EXPECT_EQ(edit(), shown(2));
}

TEST_F(LogPlaybackTest, OddFilesGiveOneClearMessageAndNothingBreaks)
{
    load(write("one.LW1", 1));
    EXPECT_EQ(log.StartTimePicker->dateTime(), log.StopTimePicker->dateTime());
    EXPECT_EQ(log.TrackBar1->value(), 0);
    log.PlayBitBtn->click();
    ticks(12);
    EXPECT_EQ(edit(), shown(0));

    load(write("none.LW1", 0, QByteArray(60, 'x')));
    EXPECT_EQ(asked.value(0), "Log Playback|none.LW1 holds no complete log record.");
    EXPECT_FALSE(log.model().isLoaded());
    EXPECT_EQ(log.Label1->text(), "  Filename:   ");
    ticks(6);

    asked.clear();
    load(write("frag.LW1", 5, QByteArray(50, 'x')));
    EXPECT_EQ(asked, QStringList({"Log Playback|frag.LW1 ends with an incomplete record of 50 "
                                  "bytes; the 5 complete records are shown."}));
    log.FastFwdBitBtn->click();
    ticks(5);
    EXPECT_EQ(edit(), shown(4));

    asked.clear();
    load(write("bad.LW1", 5, {}, [](int i, QByteArray& r) {
        if (i == 1)
            r[0] = char(100);
        if (i == 3) {
            const double nan = std::nan("");
            std::memcpy(r.data() + 101, &nan, 8);
        }
    }));
    EXPECT_EQ(asked, QStringList({"Log Playback|bad.LW1: 2 of 5 records are damaged and are "
                                  "shown without their time."}));
    log.FastFwdBitBtn->click();
    ticks(2);
    EXPECT_EQ(edit(), "invalid time");
    ticks(1);
    EXPECT_EQ(edit(), shown(2));

    asked.clear();
    load(write("stampless.LW1", 3, {}, [](int, QByteArray& r) { r[0] = char(7); }));
    EXPECT_EQ(asked,
              QStringList({"Log Playback|stampless.LW1 holds no record with a valid time stamp."}));
    EXPECT_FALSE(log.model().isLoaded());
    EXPECT_EQ(log.Label1->text(), "  Filename:   ");

    asked.clear();
    load(base.file("LOG/missing.LW1"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].startsWith("Log Playback|missing.LW1 cannot be read: "));
}

// A file of several slices: the click returns with the file still being
// scanned, the event loop runs between the slices while a bar shows how far
// the scan is, and the file then loads as a small one does, damaged record
// and all. Another file chosen meanwhile ends the scan.
TEST_F(LogPlaybackTest, ALargeLogIsScannedInSlicesBehindAProgressBar)
{
    const int n = TFrame3::ScanSliceRecords * 3 + 100;
    QByteArray bytes;
    bytes.reserve(qsizetype(n) * DataLog::RecordSize);
    for (int i = 0; i < n; ++i)
        bytes += DataLog::MakeRecord(QByteArray(100, char(i)) + TDateTimeBytes(t0.addSecs(i)));
    bytes[qsizetype(n - 2) * DataLog::RecordSize] = char(9);
    const QString path = base.file("LOG/large.LW1");
    QDir().mkpath(base.file("LOG"));
    base.writeFile("LOG/large.LW1", bytes);
    ASSERT_EQ(QFileInfo(path).size(), bytes.size());

    QSet<int> shownValues;
    QObject::connect(log.ProgressBar1, &QProgressBar::valueChanged,
                     [&](int v) { shownValues << v; });
    for (int round = 0; round < 2; ++round) {
        load(path);
        EXPECT_FALSE(log.model().isLoaded()) << "the click scanned the whole file";
        EXPECT_FALSE(log.ProgressBar1->isHidden());
        EXPECT_EQ(log.Label1->text(), "  Filename:   large.LW1");
        log.PlayBitBtn->click();
        if (round == 0) {
            load(write("small.LW1", 5));
            EXPECT_TRUE(log.model().isLoaded());
            EXPECT_TRUE(log.ProgressBar1->isHidden());
            EXPECT_EQ(log.model().count(), 5);
        }
    }
    bool turnedBetweenSlices = false;
    QTimer::singleShot(0, [&] { turnedBetweenSlices = !log.model().isLoaded(); });
    ASSERT_TRUE(waitFor([&] { return log.model().isLoaded(); }, 60000));
    EXPECT_TRUE(turnedBetweenSlices);
    EXPECT_GE(shownValues.size(), 3);
    EXPECT_TRUE(log.ProgressBar1->isHidden());
    EXPECT_EQ(log.model().count(), n);
    EXPECT_EQ(log.model().mode(), TLogPlaybackModel::Mode::Stopped);
    EXPECT_EQ(log.Label3->text(), " Stop Time:   " + t0.addSecs(n - 1).toString("hh:mm:ss"));
    EXPECT_EQ(log.StopTimePicker->dateTime(), t0.addSecs(n - 1));
    EXPECT_EQ(asked, QStringList({QString("Log Playback|large.LW1: 1 of %1 records are damaged "
                                          "and are shown without their time.")
                                      .arg(n)}));
    log.EOFBitBtn->click();
    EXPECT_EQ(edit(), shown(n - 1));
}

} // namespace
