#pragma once

#include "common/Enums.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>

// Indices of the fourteen unit-presence flags of a connection.
enum TUnitPresence : int
{
    upKelb1 = 0,
    upJov4 = 1, // the RF amplifier/tuner module, whichever of its models
    upNuva1 = 2,
    upLyn1 = 3,
    upVarn1Unit0 = 4,
    upVarn1Unit1 = 5,
    upGry230 = 6,
    upGry250 = 7,
    upPelo1 = 8,
    upPelo2 = 9,
    upVren1 = 10,
    upTavr1 = 11,
    upBry1 = 12,
    upPrak1 = 13,
    UnitPresenceCount = 14,
};

// Which window pages must refill their controls from the frame. A decoder
// raises a flag when the unit reports that page's settings; only the window
// that shows the page takes (reads and clears) it.
enum TPageRefresh : int
{
    prTuning = 0,
    prSpectrum = 1,
    prSettings = 2,
    prAlarms = 3,
    prHdBarScale = 4,
    prHdTimeAlignDisplay = 5,
    prHdProgramSelect = 6,
    prHdTimeAlignSettings = 7,
    prHdEmail = 8,
    PageRefreshCount = 9,
};

struct TPageRefreshFlags
{
    std::array<bool, PageRefreshCount> flags{};

    void raise(int n)
    {
        if (n >= 0 && n < PageRefreshCount)
            flags[n] = true;
    }
    void raiseAll() { flags.fill(true); }
    bool isRaised(int n) const { return n >= 0 && n < PageRefreshCount && flags[n]; }
    // Returns the flag and clears it.
    bool take(int n)
    {
        if (!isRaised(n))
            return false;
        flags[n] = false;
        return true;
    }
};

// Slots of BlockSlots: 10..19 the ring of the last ten blocks, then the current
// block of each family. The rack keeps its own ring in 0..9.
constexpr int RackRingFirstSlot = 0;
constexpr int BlockRingFirstSlot = 10;
constexpr int BlockRingSize = 10;
constexpr int CurrentRackBlockSlot = 30;
constexpr int CurrentHdBlockSlot = 31;
constexpr int CurrentTavr1BlockSlot = 32;
constexpr int BlockSlotCount = 40;
constexpr int NewDataFlagCount = 11;

// The measurement history: series slots of eleven int32 each (tenths of the
// unit; word 1 holds the current value). Decoders fill it and plot windows keep
// references into it for their lifetime, so it is a fixed array that is never
// reallocated.
constexpr int HistorySlotCount = 1536;
constexpr int HistorySlotWords = 11;
using THistorySlot = std::array<qint32, HistorySlotWords>;
using TMeasurementHistory = std::array<THistorySlot, HistorySlotCount>;

// The state of one connection that is not a widget: what the state machines,
// decoders and windows read and write. The connection frame holds it.
struct TConnectionState
{
    // State machine of the family.
    quint32 ProcessState = 0;
    quint32 LoginStep = 0;
    quint32 ConnectStep = 0;
    qint32 TransferKind = 0;
    quint32 DisconnectStep = 0;
    quint32 PasswordStep = 0;
    qint32 ModemCommandIndex = 0;
    qint32 SavedInterval = 0;
    qint32 TickCount = 0;
    qint32 Status = stDisconnected;
    qint32 BlocksSinceDisplay = 0;
    qint32 BaudCode = 9;
    bool TraceEnabled = false;

    // Receive.
    QByteArray RxBuffer;
    QByteArray ReadBuffer; // one serial read
    bool LineComplete = false;
    QByteArray BlockBuffer;
    bool CommandPending = false;
    bool BlockPending = false; // a block was stored and waits for the poll tick to decode it
    bool DataArrived = false;

    // Transport.
    bool PortOpen = false;
    QString NetLocalHost, NetLocalAddress, NetLocalPort, NetRemoteAddress, NetRemotePort;

    // Sequences of the HD and Tavr1 links.
    bool ConnectDone = false;
    bool DisconnectDone = false;
    bool ExitDone = false;

    // Login and detection.
    qint32 AccessLevel = 0; // 1 observer, 2 operator, 3 supervisor
    bool ReadOnlyAccess = false;
    bool SProtocol = false;
    qint32 DetectedUnits = 0;
    qint32 LastShownUnits = -1;
    std::array<bool, UnitPresenceCount> UnitPresence{};
    qint32 RackFamily = rkNone;

    // The rack window of the connection while it is active (a TRack).
    QPointer<QObject> RackWindow;
    TPageRefreshFlags PageRefresh;

    // Raw-block view.
    qint32 BlockNumber = 0;
    qint32 BlockRingIndex = 0;
    std::array<QByteArray, BlockSlotCount> BlockSlots;
    std::array<quint16, 2> BlockChecksums{}; // computed, received
    QDateTime LastBlockTime;
    std::array<quint8, NewDataFlagCount> NewDataFlags{};
    QByteArray TxLine;
    bool TxLineNew = false;
    QByteArray RxLine;
    bool RxLineNew = false;

    TMeasurementHistory MeasurementHistory{};

    // Firmware: the line count of the file about to be sent.
    quint16 FirmwareLineCount = 0;
    // A running download: TransferKind says what is sent, TransferStep where
    // the sender stands (98 cancelled, 99 failed).
    qint32 TransferStep = 0;
    quint16 LinesSent = 0;
    qint32 FirmwareBadChecksums = 0;
    bool FirmwareSendNext = true;
    bool ExtraLineSent = false;
    qint32 PhaseReplies = 0; // progress words of the running wait phase
    // The update dialog was opened by this frame's login.
    bool UpdateOfferedAtLogin = false;
    // Between "UL"/"UC" and the reconnect the unit resets: a closed link is
    // expected then, not a failure.
    bool UnitResetExpected = false;
    // The link failed during a transfer: the sender's failure end runs next.
    bool TransferLinkLost = false;
    // The reconnect after a successful update: a login that ends in error
    // gets one more line telling the user what to do.
    bool ReconnectingAfterUpdate = false;

    // Data log.
    bool LogOpen = false;

    // Identification texts shown in the hardware list.
    QString SerialNumber; // HD unit; the Tavr1 texts are in TTavr1Data
    // Rack modules, by presence index: the texts the rack decoder keeps.
    std::array<QString, UnitPresenceCount> ModuleIdText, ModuleSerialText;
    QString Jov4ModelText;

    // The HD data-service objects are stopped for good once the connection has
    // been signed off; decoders check this before they touch them.
    bool HdObjectsReleased = false;
};
