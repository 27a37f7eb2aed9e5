#pragma once

#include "protocol/tavr1/Tavr1Data.h"

#include <QByteArray>
#include <QDateTime>
#include <array>
#include <optional>

// The data block a simulated Tavr1 unit sends, built from its fields, and the
// unit's side of a setting line.

// RDS fields as the unit sends them: texts are the raw characters, padded with
// blanks or cut to the length of their field.
struct Tavr1RdsFields
{
    QByteArray piHex, piCall, ps, time, date, diNumber, diText, ptyNumber, ptyText, ptyn;
    quint8 tp = 0, ta = 0, musicSpeech = 0, radioTextAB = 0, afCount = 0;
    QByteArray radioTextA, radioTextB; // 64 characters each
    QByteArray afList;                 // 48 characters
    quint16 groupsA = 0, groupsB = 0;
};

struct Tavr1BlockFields
{
    quint8 echoCode = 255; // no echo
    std::array<quint8, 4> echo{};
    quint8 spectrumMode = 8;
    quint8 leds = 0;
    std::array<quint16, 2> alarmMasks{};
    std::array<qint32, 100> raw{};      // -2048..2047
    std::array<qint32, 509> spectrum{}; // -2048..2047
    int tailKind = 0;                   // 0 settings, 1 RDS, 18 table; others are refused
    Tavr1ConfigRecord config;           // settings tail (item 0 travels as spectrumMode)
    Tavr1RdsFields rds;                 // RDS tail
    Tavr1Table table{};                 // table tail (word 0 shares its byte with the kind)
};

// The 1501 bytes of a block.
QByteArray buildTavr1Block(const Tavr1BlockFields& fields);
// The same followed by the unit's date-time stamp (1509 bytes).
QByteArray buildTavr1Block(const Tavr1BlockFields& fields, const QDateTime& stamp);
// A date-time as the unit stamps it: a little-endian IEEE double counting days
// (and their fraction) since 1899-12-30 00:00 local time.
QByteArray tavr1TimeStamp(const QDateTime& t);

// A "CC" line as the unit reads it.
struct Tavr1SetLine
{
    int code = 0;
    quint16 value = 0; // the bits as sent: 8 or 16 of them
    int selector = -1; // SCA#1/SCA#2 of a pair code, else -1
};
// Empty for a line that is not a well-formed "CC" line or whose checksum fails.
std::optional<Tavr1SetLine> parseTavr1SetLine(const QByteArray& line);

// What the unit echoes in its next block after accepting the line: code 255
// for a code it does not echo.
struct Tavr1Echo
{
    quint8 code = 255;
    std::array<quint8, 4> bytes{};
};
Tavr1Echo tavr1EchoFor(const Tavr1SetLine& line);
