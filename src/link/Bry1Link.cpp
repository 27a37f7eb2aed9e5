#include "link/Bry1Link.h"

#include "common/BaseDirectory.h"
#include "link/Frame2.h"
#include "platform/IPClient.h"
#include "protocol/bry1/Bry1Blocks.h"
#include "protocol/bry1/Bry1Commands.h"
#include "protocol/firmware/DldFile.h"

namespace {

// Detection ticks of one second before the unit counts as absent.
constexpr int DetectTicks = 12;
// Poll ticks without a block after which the blocks are started again.
constexpr int IdleTicksBeforeRestart = 10;

constexpr int DetectIntervalMs = 1000;
constexpr int PollIntervalMs = 125;

// Lines 2 and 3 of a firmware file shipped for the unit, kept as they are;
// nothing is said when the file is missing or unreadable.
TBry1FileVersions fileVersions(const QString& name)
{
    TDldHeader header;
    if (ReadDldHeader(FindFileIgnoringCase(DataFolder("DLD"), name), &header) != TDldError::None)
        return {};
    return {header.BootVersion, header.MainVersion};
}

void detect(TFrame2& f)
{
    switch (f.LoginStep) {
    case 0:
        f.SetTimerInterval(DetectIntervalMs);
        f.SendCommand(Bry1StopData());
        f.Status = stConnecting;
        f.LoginStep = 1;
        break;
    case 1:
        f.TickCount = 0;
        f.ClearReceive();
        f.SendCommand(Bry1Identify());
        f.LoginStep = 2;
        break;
    case 2: {
        ++f.TickCount;
        f.Bry1Ident = QString::fromLatin1(f.ReadUntilMarker());
        if (f.LineComplete && f.Bry1Ident == QLatin1String("Bry-1")) {
            f.TickCount = 0;
            f.TransferKind = 0;
            f.ProcessState = 3;
            break;
        }
        if (f.TickCount >= DetectTicks) {
            f.ProcessState = 0;
            f.Status = stError;
            f.LogEvent(" Bry-1 not responding check settings ", lkError);
        }
        break;
    }
    default:
        break;
    }
}

void readVersions(TFrame2& f)
{
    switch (f.TransferKind) {
    case 0:
        f.TransferKind = 1;
        f.ClearReceive();
        f.SendCommand(Bry1Versions());
        f.Bry1HC11File = fileVersions("BRYHC11.DLD");
        break;
    case 1:
        f.TransferKind = 2;
        f.Bry1Versions = ParseBry1Versions(f.ReadUntilMarker());
        f.Bry1DSPFile = fileVersions("BRYDSP.DLD");
        break;
    case 2:
        f.ProcessState = 4;
        // The idle count runs from the start, so a first block that never
        // comes is asked for again like any later one; a count left from an
        // earlier connection must not carry over.
        f.Bry1BlockHandled = true;
        f.Bry1IdleTicks = 0;
        f.BlockPending = false;
        f.BlockBuffer.clear();
        f.Bry1Drops = {};
        f.SetTimerInterval(PollIntervalMs);
        f.UnitPresence[upBry1] = true;
        f.DetectedUnits = 1;
        f.RefreshHardwareList();
        f.SendCommand(Bry1StartData());
        f.LogEvent(" Bry-1 Succesful Connection", lkStatus);
        break;
    default:
        break;
    }
}

void reportDrops(TFrame2& f, TDropEdge edge)
{
    if (edge != TDropEdge::None)
        f.LogEvent(DropEdgeText("Bry-1", f.Bry1Drops, edge), edge == TDropEdge::Started ? lkError : lkStatus);
}

// Both transports gather the stream the same way, so blocks that wait
// together (after a stall, or two in one write) are all stored, in order.
void gather(TFrame2& f, const QByteArray& fresh)
{
    TBlockDrops& drops = f.Bry1Drops;
    const quint64 blocksBefore = drops.Blocks, bytesBefore = drops.Bytes;
    const int stored = GatherBry1Blocks(f.BlockBuffer, fresh, f, f, &drops);
    reportDrops(f, NoteDrops(drops, blocksBefore, bytesBefore, stored > 0));
}

void readSerialBlock(TFrame2& f)
{
    const int waiting = f.SerialBytesWaiting();
    if (waiting > 0)
        gather(f, f.ReadSerialBytes(qMin(waiting, (Bry1BacklogBlocks + 1) * Bry1BlockLength)));
}

void requestNextPage(TFrame2& f)
{
    f.Bry1BlockHandled = true;
    f.BlockPending = false;
    f.Bry1IdleTicks = 0;
    f.Bry1PageNext = (f.Bry1Slots[f.Bry1RingIndex][Bry1PageWord] >> 4) & 0x0F;
    if (f.CommandPending) {
        // A queued command travels with the page digit in its second place.
        f.CommandPending = false;
        if (!f.TxLine.isEmpty()) {
            QByteArray line = f.TxLine;
            line.insert(1, Bry1PageDigit(f.Bry1PageNext));
            f.SendCommand(line);
            return;
        }
    }
    f.SendCommand(Bry1PageRequest(f.Bry1PageNext));
}

void poll(TFrame2& f)
{
    f.SetTimerInterval(PollIntervalMs);
    if (f.Transport == trSerial)
        readSerialBlock(f);
    if (f.ProcessState != 4)
        return; // the device went away while reading
    if (f.BlockPending) {
        requestNextPage(f);
    } else if (f.Bry1BlockHandled && ++f.Bry1IdleTicks > IdleTicksBeforeRestart) {
        f.SendCommand(Bry1StartData());
        f.Bry1IdleTicks = 0;
    }
}

} // namespace

void Bry1SocketData(TFrame2& f)
{
    gather(f, f.Socket->ReceiveText());
}

void Bry1Step(TFrame2& f)
{
    switch (f.ProcessState) {
    case 1:
        if (f.PortOpen && f.Transport == trModem) {
            // The unit has no modem dialogue; say so rather than wait in silence.
            f.CloseConnection();
            f.Status = stError;
            f.LogEvent(" Bry-1 cannot be reached over a modem: choose RS-232 or Network ", lkError);
            break;
        }
        if (f.PortOpen) {
            f.ProcessState = 2;
            f.LoginStep = 0;
            f.RefreshConnectionList();
        }
        break;
    case 2:
        detect(f);
        break;
    case 3:
        readVersions(f);
        break;
    case 4:
        poll(f);
        break;
    default:
        break;
    }
}
