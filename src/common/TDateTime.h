#pragma once

#include <QByteArray>
#include <QDateTime>
#include <optional>

// The instruments stamp their blocks with a date-time as an 8-byte IEEE double
// (little-endian) counting days since 1899-12-30, local time, with the time of
// day as the fraction: 2025-01-01 12:00:00 is 45658.5.

double ToTDateTime(const QDateTime& t);
QDateTime FromTDateTime(double days);
QByteArray TDateTimeBytes(const QDateTime& t);

// The stamp in 8 bytes, or nothing when it is not a finite day number within
// 1899-12-31 .. 9999-12-31 (a garbled stamp must not become the block's time).
std::optional<QDateTime> TDateTimeFromBytes(const QByteArray& eightBytes);
// The same check on the day number alone, without making a QDateTime (a log
// file's scan reads one per record).
std::optional<double> TDateTimeDaysFromBytes(const char* eightBytes);
