#include "models/LogPlaybackModel.h"

#include "common/TDateTime.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QDateTime t0(QDate(2026, 12, 9), QTime(10, 0, 0));

QByteArray logOf(int n, int trailing = 0)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes += DataLog::MakeRecord(QByteArray(100, char(i)) + TDateTimeBytes(t0.addSecs(i)));
    return bytes + QByteArray(trailing, 'x');
}

double at(int i)
{
    return ToTDateTime(t0.addSecs(i));
}

TEST(LogPlayback, PlayShowsEveryFifthTickAndStopsAtTheEndWithoutLoop)
{
    TLogPlaybackModel m;
    ASSERT_EQ(m.loadBytes(logOf(5)), TLogPlaybackModel::Load::Loaded);
    EXPECT_EQ(m.first(), 0);
    EXPECT_EQ(m.last(), 4);
    EXPECT_EQ(m.startPicker(), at(0));
    EXPECT_EQ(m.stopPicker(), at(4));
    m.play();
    int shows = 0;
    for (int i = 0; i < 25; ++i)
        shows += m.tick() ? 1 : 0;
    EXPECT_EQ(shows, 5);
    EXPECT_EQ(m.shown(), 4);
    EXPECT_EQ(m.current(), 4);
    EXPECT_EQ(m.mode(), TLogPlaybackModel::Mode::Stopped);
    EXPECT_EQ(m.trackPosition(), 100);
    EXPECT_FALSE(m.tick());
}

TEST(LogPlayback, FastForwardAndRewindLoopAroundTheRange)
{
    TLogPlaybackModel m;
    m.loadBytes(logOf(5));
    m.loop = true;
    m.toEnd();
    m.fastForward();
    EXPECT_TRUE(m.tick());
    EXPECT_EQ(m.shown(), 4);
    EXPECT_EQ(m.current(), 0); // looped to the range's first
    EXPECT_TRUE(m.tick());
    EXPECT_EQ(m.shown(), 0);
    m.rewind();
    EXPECT_TRUE(m.tick());
    EXPECT_EQ(m.shown(), 1);
    EXPECT_TRUE(m.tick());
    EXPECT_EQ(m.shown(), 0);
    EXPECT_EQ(m.current(), 4); // looped back to the last
    m.loop = false;
    m.reset();
    m.rewind();
    m.tick();
    EXPECT_EQ(m.current(), 0);
    EXPECT_EQ(m.mode(), TLogPlaybackModel::Mode::Stopped);
}

TEST(LogPlayback, PickersSetTheRangeAndTheTrackBarMovesWithinIt)
{
    TLogPlaybackModel m;
    m.loadBytes(logOf(5));
    m.setStartPicker(at(2));
    EXPECT_EQ(m.first(), 2);
    m.setStopPicker(at(3));
    EXPECT_EQ(m.last(), 3);
    // Kept between the file's ends and each other.
    EXPECT_EQ(m.setStartPicker(at(-50)), at(0));
    EXPECT_EQ(m.setStopPicker(at(99)), at(4));
    EXPECT_EQ(m.setStartPicker(at(2)), at(2));
    EXPECT_EQ(m.setStopPicker(at(1)), at(2));
    EXPECT_EQ(m.first(), 2);
    EXPECT_EQ(m.last(), 2);

    m.setStartPicker(at(0));
    m.setStopPicker(at(4));
    m.trackMoved(50);
    EXPECT_EQ(m.shown(), 2);
    EXPECT_EQ(m.trackPosition(), 50);
    m.toEnd();
    EXPECT_EQ(m.trackPosition(), 100);
    m.reset();
    EXPECT_EQ(m.trackPosition(), 0);
}

TEST(LogPlayback, OneRecordOrNoRecordDividesByNothing)
{
    TLogPlaybackModel m;
    ASSERT_EQ(m.loadBytes(logOf(1)), TLogPlaybackModel::Load::Loaded);
    EXPECT_EQ(m.startPicker(), m.stopPicker());
    EXPECT_EQ(m.trackPosition(), 0);
    m.setStartPicker(at(5));
    m.setStopPicker(at(-5));
    m.trackMoved(70);
    EXPECT_EQ(m.first(), 0);
    EXPECT_EQ(m.last(), 0);
    EXPECT_EQ(m.trackPosition(), 0);
    m.fastForward();
    EXPECT_TRUE(m.tick());
    EXPECT_EQ(m.shown(), 0);

    EXPECT_EQ(m.loadBytes(logOf(0, 108)), TLogPlaybackModel::Load::NoRecord);
    EXPECT_FALSE(m.isLoaded());
    m.play();
    EXPECT_FALSE(m.tick());
    m.trackMoved(50);
    m.toEnd();

    ASSERT_EQ(m.loadBytes(logOf(5, 50)), TLogPlaybackModel::Load::Loaded);
    EXPECT_EQ(m.count(), 5);
    EXPECT_EQ(m.trailingBytes(), 50);
}

TEST(LogPlayback, DamagedEndsLeaveThePickersOnTheNearestGoodTime)
{
    QByteArray bytes = logOf(4);
    bytes[0] = char(7);
    bytes[3 * 109] = char(7);
    TLogPlaybackModel m;
    ASSERT_EQ(m.loadBytes(bytes), TLogPlaybackModel::Load::Loaded);
    EXPECT_EQ(m.damagedCount(), 2);
    EXPECT_EQ(m.firstTime(), at(1));
    EXPECT_EQ(m.lastTime(), at(2));
    EXPECT_TRUE(std::isnan(m.time(0)));
}

TEST(LogPlayback, AFileIsScannedAsFarAsAskedAndRefusedWithoutAGoodTime)
{
    TLogPlaybackModel m;
    ASSERT_EQ(m.beginBytes(logOf(10)), TLogPlaybackModel::Load::Scanning);
    EXPECT_FALSE(m.isLoaded());
    m.play();
    EXPECT_FALSE(m.tick());
    EXPECT_EQ(m.scan(4), TLogPlaybackModel::Load::Scanning);
    EXPECT_EQ(m.scanPercent(), 40);
    EXPECT_EQ(m.scan(5), TLogPlaybackModel::Load::Scanning);
    EXPECT_EQ(m.scan(5), TLogPlaybackModel::Load::Loaded);
    EXPECT_EQ(m.lastTime(), at(9));
    EXPECT_EQ(m.scan(5), TLogPlaybackModel::Load::Loaded);

    // Every record without a valid stamp: nothing to play by.
    QByteArray bytes = logOf(3);
    for (int i = 0; i < 3; ++i)
        bytes[i * 109] = char(7);
    EXPECT_EQ(m.loadBytes(bytes), TLogPlaybackModel::Load::NoGoodTime);
    EXPECT_FALSE(m.isLoaded());
    EXPECT_EQ(m.count(), 0);
}

} // namespace
