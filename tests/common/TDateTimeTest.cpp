#include "common/TDateTime.h"

#include <cmath>
#include <cstring>
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
