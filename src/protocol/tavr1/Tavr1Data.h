#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>

// The decoded state of a Tavr1 unit and the requests around it. The connection
// frame inherits it, so windows name these members on the frame
// (frame.Tavr1Measurements) and read them in place after each refresh.

// Channels of Tavr1Measurements, in the order the windows address them: the
// panel reads the pilot at 10, the RDS and SCA injections at 12, 13 and 14, the
// dB windows the 38 kHz second pilot at 11.
enum TTavr1Channel : int
{
    tcRfLevel = 0,
    tcAmNoise = 1,
    tcSyncAmNoise = 2,
    tcTotal = 3,
    tcLeft = 4,
    tcRight = 5,
    tcLPlusR = 6,
    tcLMinusR = 7,
    tcSeparation = 8,
    tcCrosstalk = 9,
    tcPilot = 10,
    tc38kHz = 11, // the 38 kHz second pilot
    tcRds = 12,
    tcSca1 = 13,
    tcSca2 = 14,
    Tavr1ChannelCount = 15,
};

// The seven values of a channel, tenths of its unit.
enum TTavr1Slot : int
{
    tsPeak = 0,
    tsAverage = 1,
    tsMinimum = 2,
    tsInjection = 3,
    tsRmsDb = 4,
    tsRmsDb75us = 5, // with 75 us de-emphasis
    tsSpare = 6,
    Tavr1SlotCount = 7,
};

using Tavr1MeasurementBlock = std::array<std::array<qint32, Tavr1SlotCount>, Tavr1ChannelCount>;

constexpr int Tavr1RawValueCount = 100;
constexpr int Tavr1SpectrumPoints = 501;
constexpr int Tavr1ConfigItemCount = 164;
constexpr int Tavr1TableWords = 108; // the 432-byte table

// First items of the three item pairs that each hold one 8-byte real: the zoom
// frequencies of the RF, composite and audio spectrum pages.
constexpr int Tavr1RfZoomItem = 20;
constexpr int Tavr1CompositeZoomItem = 38;
constexpr int Tavr1AudioZoomItem = 56;

// The unit's settings as int32 items, named everywhere by their index.
struct Tavr1ConfigRecord
{
    std::array<qint32, Tavr1ConfigItemCount> items{};

    qint32& operator[](int k)
    {
        Q_ASSERT(k >= 0 && k < Tavr1ConfigItemCount);
        return items[k];
    }
    qint32 operator[](int k) const
    {
        Q_ASSERT(k >= 0 && k < Tavr1ConfigItemCount);
        return items[k];
    }

    static bool isRealItem(int firstItem)
    {
        return firstItem == Tavr1RfZoomItem || firstItem == Tavr1CompositeZoomItem ||
               firstItem == Tavr1AudioZoomItem;
    }
    // The real held by items firstItem and firstItem + 1; 0 for any other item,
    // so no caller can read an int32 pair as a double by mistake.
    double real(int firstItem) const;
    // Does nothing for an item that is not the first of a real pair.
    void setReal(int firstItem, double value);

    bool operator==(const Tavr1ConfigRecord&) const = default;
};

using Tavr1Table = std::array<qint32, Tavr1TableWords>;

// The RDS data the unit decoded, as its RDS basic data window shows it.
struct TTavr1RdsRec
{
    QString PiHex;
    QString PiCall;
    qint32 Tp = 0;
    qint32 Ta = 0;
    qint32 MusicSpeech = 0;
    QString Ps;
    QString Time;
    QString Date;
    QString DiNumber;
    QString DiText;
    QString PtyNumber;
    QString PtyText;
    QString Ptyn;
    QString Pin; // the unit's block does not carry it
    qint32 RadioTextAB = 0;
    QString RadioTextA;
    QString RadioTextB;
    qint32 AfCount = 0;
    QString AfList;
    quint16 GroupsA = 0; // bit n: group type n version A received
    quint16 GroupsB = 0;

    bool operator==(const TTavr1RdsRec&) const = default;
};

enum TTavr1CommandKind : qint32
{
    ckSetParameter = 0, // a "CC" line
    ckAction = 1,       // a "PB" line
    ckRawLine = 99,     // Text, sent unchanged
};

// The single pending command of a Tavr1 connection.
struct TTavr1CommandRec
{
    bool Pending = false;
    qint32 Kind = ckSetParameter;
    qint32 Code = 0;
    quint8 b0 = 0;
    quint8 b1 = 0;
    quint8 b2 = 0;
    quint8 b3 = 0; // SCA#1/SCA#2 as 0/1 for the pair codes; the alarm of an alarm test
    QByteArray Text;
};

struct TTavr1Data
{
    // Identification, from the reply to "UI".
    QString Tavr1ModelText;
    QString Tavr1SerialText;
    QString Tavr1SoftwareVersion;
    QString Tavr1BootVersion;
    QString Tavr1Options; // "Basic" or "Complete"
    QString Tavr1OptionLetter = QStringLiteral("B");
    QString Tavr1RevisionLetter2 = QStringLiteral("B");
    QString Tavr1RevisionLetter3 = QStringLiteral("A");
    QString Tavr1LanVersion;
    QString Tavr1SomVersion;
    QString Tavr1IdentificationLine; // the whole reply
    // The unit's main firmware is at least as new as the file shipped for it.
    bool Tavr1FirmwareUpToDate = false;

    // A block was taken since the last poll tick; the current block awaits decoding.
    bool BlockReceived = false;
    bool BlockToDecode = false;
    // Blocks decoded since the connection was made (what a load figure counts).
    quint64 Tavr1BlocksDecoded = 0;

    // Decoded from every block.
    qint32 Tavr1SpectrumMode = 0; // 8 RF, 9 composite, 10 audio
    quint8 Tavr1Leds = 0;
    std::array<quint16, 2> Tavr1AlarmMasks{};
    std::array<qint32, Tavr1RawValueCount> Tavr1RawValues{};
    Tavr1MeasurementBlock Tavr1Measurements{};
    std::array<qint32, Tavr1SpectrumPoints> Tavr1Spectrum{}; // tenths of dB

    // Decoded from the block tails.
    TTavr1RdsRec Tavr1Rds;
    Tavr1ConfigRecord Tavr1UnitConfig;  // as the unit last reported it
    Tavr1ConfigRecord Tavr1LocalConfig; // the working copy the windows edit
    Tavr1Table Tavr1ReceivedTable{};
    Tavr1Table Tavr1LocalTable{};
    bool Tavr1TableCopied = false;

    // Requests to the decoder.
    bool Tavr1UpdateLocalConfig = false; // copy the unit's record at the next one
    bool Tavr1UpdateLocalTable = false;  // copy each received table while set
    // Settings blocks decoded since "Reset Defaults" went out; -1 while not counting.
    qint32 Tavr1ResetDefaultsCount = -1;
    // Items of the spectrum pages that the unit recomputes after some settings;
    // served from the next settings block.
    bool Tavr1ReloadResolution = false;
    bool Tavr1ReloadZoom = false;
    bool Tavr1ReloadAudioPage = false;

    TTavr1CommandRec Tavr1Command;
};
