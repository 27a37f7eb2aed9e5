#pragma once

#include "protocol/BlockCutter.h"
#include "protocol/rack/RackProgramFile.h"
#include "protocol/rack/RackRecordLayout.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <array>

// The decoded state of a rack system and the receive members around it. The
// connection frame inherits it, so the module panels name these members on
// the frame (frame.Kelb1State) and read them in place after each refresh.

// One module record: 109 words, each one received byte.
struct TRackModuleRecord
{
    std::array<qint32, RackLayout::RecordWords> w{};

    qint32 operator[](int i) const { return (i >= 0 && i < RackLayout::RecordWords) ? w[i] : 0; }
};

// The last ten module records and the last ten sample records (the RDS words
// of the FM pairs).
struct TRackBlock
{
    std::array<TRackModuleRecord, 10> Records;
    std::array<TRackModuleRecord, 10> Samples;
};

// The record slots whose samples wait for the next batch, entries 0..Count-1.
struct TRackSlotList
{
    int Count = 0;
    std::array<int, 10> Slots{};
    void add(int slot)
    {
        // Ten is all the series can hold; more would run into the next series.
        if (Count < int(Slots.size()))
            Slots[Count++] = slot;
    }
};

struct TRdsGroupRec
{
    quint16 A = 0, B = 0, C = 0, D = 0;
    bool operator==(const TRdsGroupRec&) const = default;
};

// The groups each unpack leaves for the RDS window. Its message arrives
// several posted hops later, and one tick may unpack both halves of a pair, so
// the window walks every batch waiting instead of reading RdsGroups in place.
// When nobody takes them the oldest go first, and are counted.
struct TRdsGroupQueue
{
    // Ten seconds of the rack's blocks: every half of an FM pair brings a batch.
    static constexpr int Capacity = RackLayout::BacklogBlocks;
    using Batch = std::array<TRdsGroupRec, RackLayout::RdsGroupCount>;

    void push(const Batch& b)
    {
        if (m_count == Capacity) {
            m_first = (m_first + 1) % Capacity;
            --m_count;
            ++m_dropped;
        }
        m_batches[(m_first + m_count) % Capacity] = b;
        ++m_count;
    }
    bool pop(Batch& b)
    {
        if (m_count == 0)
            return false;
        b = m_batches[m_first];
        m_first = (m_first + 1) % Capacity;
        --m_count;
        m_taken = true;
        return true;
    }
    // Also forgets the reader: a queue nobody reads drops its oldest as a
    // matter of course.
    void clear()
    {
        m_first = 0;
        m_count = 0;
        m_taken = false;
    }
    int size() const { return m_count; }
    qint64 dropped() const { return m_dropped; }
    // Someone took batches since the last clear, so a dropped one is a loss.
    bool read() const { return m_taken; }

private:
    std::array<Batch, Capacity> m_batches{};
    int m_first = 0;
    int m_count = 0;
    qint64 m_dropped = 0;
    bool m_taken = false;
};

constexpr int RackSettingItems = 64;

// What one module reports: its status, alarm and LED bits, its menu, its
// settings as its echoes and settings pages give them, and its identification.
struct TRackModuleState
{
    qint32 MenuIndex = 0;
    qint32 LastValue = 0; // the value of the last echo that carried one
    std::array<qint32, RackSettingItems> Settings{}; // numeric settings by item
    std::array<bool, RackSettingItems> Flags{};      // Boolean copies by item
    // Settings the module has not reported yet: its settings page has no room
    // for them, so only its echo of the item tells. Their lines show no value
    // until the echo or a key; a key steps from the copy in Settings.
    std::array<bool, RackSettingItems> Unreported{};
    // Settings the module has echoed: its page may come after the echo.
    std::array<bool, RackSettingItems> Echoed{};
    quint16 SettingsBits = 0;
    quint16 SettingsBits2 = 0; // TV and AM: the second bit word (bit 0 MTS mode)
    qint32 MainSetting = 0;    // TV and AM: the settings page's main setting (its current item)
    qint32 HoldTime = 0;
    bool HoldExternal = false; // the two hold-off flags
    bool HoldIsZero = false;
    quint16 AlarmBits = 0;
    quint8 StatusBits = 0;
    quint8 LedBits = 0;
    bool Saving = false;
    qint32 CalibrationState = 0;
    quint8 OptionBits = 0;
    double FirmwareVersion = 0;
    QChar Revision;
    QString PartNumber;
    QString DeviceText;
    bool IdentificationSeen = false;
    bool SettingsSeen = false;
};

using TKelb1State = TRackModuleState;
using TNuva1State = TRackModuleState;
using TLyn1State = TRackModuleState;
using TGry230State = TRackModuleState;
using TGry250State = TRackModuleState;
using TPelo1State = TRackModuleState;
using TPelo2State = TRackModuleState;

struct TVarn1UnitState : TRackModuleState
{
    std::array<qint32, 5> Values{}; // the measurement block, tenths
};

struct TJov4State
{
    QString ModelText;
    QString PartNumber;
    QString ShortText;
    QString LongText;
    QString DisplayText; // the module's twelve-character display
    qint32 DisplayValue = 0;
    std::array<QString, 10> Presets; // by preset digit 0..9
    bool Page1Seen = false;
};

struct TRackData
{
    // Decoded state.
    TKelb1State Kelb1State;
    TNuva1State Nuva1State;
    TLyn1State Lyn1State;
    std::array<TVarn1UnitState, 2> Varn1State;
    TJov4State Jov4State;
    TGry230State Gry230State;
    TGry250State Gry250State;
    TPelo1State Pelo1State;
    TPelo2State Pelo2State;
    bool RdsPhaseValid = false;
    std::array<TRdsGroupRec, RackLayout::RdsGroupCount> RdsGroups{};
    TRdsGroupQueue RdsQueue;

    // Records.
    TRackBlock RackBlock;
    TRackSlotList RackSlotList;

    // Login and identification.
    qint32 RackController = 0;
    qint16 AmVariant = 0;

    // Receive.
    quint32 BlockMarker = 0;
    qint32 BlockKind = 0;
    bool BlockValid = false;
    bool IsSampleBlock = false;
    qint16 FmSecondHalf = 0;
    quint16 RecordSlot = 0;
    quint16 SampleSlot = 0;
    qint32 LastSampleSlot = 0;
    // The record slot whose first half came with the last kind-11 block, -1
    // when none waits: a second half completes only that record.
    qint32 FirstHalfSlot = -1;
    // The AM module of the current record: 1 Pelo1, 2 Pelo2.
    qint32 AmModuleKind = 0;
    bool NewModuleData = false;
    bool NewSamples = false;
    bool NewSampleBlock = false;
    // Blocks received since the connection was made, each half of an FM pair
    // on its own (what a load figure counts).
    quint64 RackBlocksDecoded = 0;
    // What the receiver had to throw away since polling started, and the RDS
    // batches lost while a reader took them (the run of such losses).
    TBlockDrops RackDrops;
    qint64 RdsDropRunStart = -1; // the queue's dropped count when the run began

    // Module-program download and polling.
    TRackProgramFile DownloadFile;
    qint32 DownloadLineCount = 0;
    qint32 DownloadLineNumber = 0;
    QByteArray DownloadLine;
    bool SendNextLine = false;
    qint32 BadChecksumCount = 0;
    QDateTime LastPollTime;
    double PollElapsed = 0; // days

    // A new connection starts with nothing known about the rack.
    void resetRackData();
};
