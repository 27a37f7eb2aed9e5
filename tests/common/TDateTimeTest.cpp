#include "common/TDateTime.h"

#include <cmath>
#include <cstring>
#include <ctime>
#include <gtest/gtest.h>

TEST(TDateTime, DaysSince1899WithTheTimeAsFraction)
{
    const QDateTime noon(QDate(2025, 1, 1), QTime(12, 0, 0));
    EXPECT_DOUBLE_EQ(ToTDateTime(noon), 45658.5);
    EXPECT_EQ(TDateTimeBytes(noon), QByteArray("\x00\x00\x00\x00\x50\x4B\xE6\x40", 8));
    EXPECT_EQ(TDateTimeFromBytes(TDateTimeBytes(noon)).value_or(QDateTime()), noon);
    const QDateTime t(QDate(2026, 12, 10), QTime(3, 4, 5, 678));
    EXPECT_EQ(FromTDateTime(ToTDateTime(t)), t);
}

TEST(TDateTime, AGarbledStampIsRefused)
{
    auto bytes = [](double v) {
        QByteArray b(8, '\0');
        std::memcpy(b.data(), &v, 8);
        return b;
    };
    EXPECT_FALSE(TDateTimeFromBytes(bytes(std::nan(""))));
    EXPECT_FALSE(TDateTimeFromBytes(bytes(INFINITY)));
    EXPECT_FALSE(TDateTimeFromBytes(bytes(1e300)));
    EXPECT_FALSE(TDateTimeFromBytes(bytes(-1e7)));
    EXPECT_FALSE(TDateTimeFromBytes(QByteArray(7, '\0')));
    EXPECT_FALSE(TDateTimeFromBytes(bytes(0.0)));
    EXPECT_TRUE(TDateTimeFromBytes(bytes(1.0)));
    EXPECT_TRUE(TDateTimeFromBytes(bytes(2958465.5)));
}

// The last half millisecond of 9999-12-31 rounds to the next day's midnight;
// the stamp promises no day past 9999-12-31, so it stops at its last moment.
TEST(TDateTime, TheLastMomentOfTheRangeStaysInTheRange)
{
    const QByteArray lastBits("\xFF\xFF\xFF\xFF\x40\x92\x46\x41", 8);
    const auto t = TDateTimeFromBytes(lastBits);
    ASSERT_TRUE(t);
    EXPECT_EQ(*t, QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999)));
    // A carry that stays within the range still rounds up to the next day.
    double v = 45658.0 - 1e-10;
    QByteArray b(8, '\0');
    std::memcpy(b.data(), &v, 8);
    EXPECT_EQ(TDateTimeFromBytes(b).value_or(QDateTime()), QDateTime(QDate(2025, 1, 1), QTime(0, 0)));
}

// A stamp in the hour that summer time skips is still a time: as far into the
// day as it says.
TEST(TDateTime, AClockTimeSkippedBySummerTimeIsStillATime)
{
    const QByteArray oldTz = qgetenv("TZ");
    const bool hadTz = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
    tzset();
    const double day = QDate(1899, 12, 30).daysTo(QDate(2025, 3, 30));
    const double v = day + 2.5 / 24;
    QByteArray b(8, '\0');
    std::memcpy(b.data(), &v, 8);
    const auto t = TDateTimeFromBytes(b);
    const bool valid = t && t->isValid();
    const QString shown = t ? t->toString("yyyy-MM-dd HH:mm") : QString();
    if (hadTz)
        qputenv("TZ", oldTz);
    else
        qunsetenv("TZ");
    tzset();
    EXPECT_TRUE(valid);
    EXPECT_EQ(shown, "2025-03-30 03:30");
}
