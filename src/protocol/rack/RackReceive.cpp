#include "protocol/rack/RackReceive.h"

#include "common/TDateTime.h"
#include "protocol/BlockCutter.h"
#include "protocol/tavr1/Tavr1Receive.h"

using namespace RackLayout;

namespace {

int byteAt(const QByteArray& b, int i)
{
    return i < b.size() ? static_cast<unsigned char>(b.at(i)) : 0;
}

// Where the controller says that its record closes a batch of samples.
bool newSamplesFlagged(const TRackData& d, const TConnectionState& c, const TRackModuleRecord& r)
{
    auto bit = [&](int word, int mask) { return (r[word] & mask) != 0; };
    if (c.RackFamily == rkAM) {
        // The AM module of the record decides, as it does for the decoding.
        const int kind = (r[3] & 0x0F) == KindPelo1 || (r[3] & 0x0F) == KindPelo2 ? (r[3] & 0x0F)
                                                                                  : d.AmVariant;
        if (kind == KindPelo1)
            return bit(Pelo1Section.newSamplesWord, Pelo1Section.newSamplesBit);
        if (kind == KindPelo2)
            return bit(Pelo2Section.newSamplesWord, Pelo2Section.newSamplesBit);
        return false;
    }
    switch (d.RackController) {
    case 1:
        return bit(Kelb1Section.newSamplesWord, Kelb1Section.newSamplesBit);
    case 2:
        return bit(Nuva1Section.newSamplesWord, Nuva1Section.newSamplesBit);
    case 4:
        return bit(Lyn1Section.newSamplesWord, Lyn1Section.newSamplesBit);
    case 8:
        return bit(Varn1Section.newSamplesWord, Varn1Section.newSamplesBit);
    case 17:
        return bit(GryA1NewSamplesWord, GryA1NewSamplesBit);
    case 18:
        return bit(Gry230Section.newSamplesWord, Gry230Section.newSamplesBit);
    case 19:
        return bit(Gry250Section.newSamplesWord, Gry250Section.newSamplesBit);
    case 33:
        return bit(Pelo1Section.newSamplesWord, Pelo1Section.newSamplesBit);
    case 34:
        return bit(Pelo2Section.newSamplesWord, Pelo2Section.newSamplesBit);
    default:
        return false;
    }
}

} // namespace

std::optional<QByteArray> CutRackBlock(QByteArray& rx, bool sProtocol, TBlockDrops* drops)
{
    return CutMarkedBlock(rx, sProtocol ? StampedBlockLength : BlockLength, BacklogBlocks, drops);
}

std::optional<QByteArray> ReceiveRackBlock(TRackData& d, TConnectionState& c,
                                           const QByteArray& block, bool sProtocol,
                                           const QDateTime& pcTime)
{
    if (block.size() < BlockLength || byteAt(block, 0) != 0xFF || byteAt(block, 1) != 0xFE ||
        byteAt(block, 2) != 0xFD)
        return std::nullopt;
    const int family = byteAt(block, 3) & 0xF0;
    const int kind = byteAt(block, 3) & 0x0F;
    int rackFamily;
    switch (family) {
    case FamilyFM:
        rackFamily = rkFM;
        break;
    case FamilyTV:
        rackFamily = rkTV;
        break;
    case FamilyAM:
        rackFamily = rkAM;
        break;
    default:
        // No block of ours: dropped without a word.
        d.BlockValid = false;
        return std::nullopt;
    }
    d.BlockValid = true;
    d.BlockMarker = quint32(byteAt(block, 0)) << 24 | quint32(byteAt(block, 1)) << 16 |
                    quint32(byteAt(block, 2)) << 8 | quint32(byteAt(block, 3));
    d.BlockKind = kind;
    c.RackFamily = rackFamily;

    const bool fm = rackFamily == rkFM;
    d.IsSampleBlock = fm && (kind == KindFmFirstHalf || kind == KindFmSecondHalf);
    d.FmSecondHalf = (fm && kind == KindFmSecondHalf) ? 1 : 0;
    if (d.IsSampleBlock)
        d.SampleSlot = (d.SampleSlot + 1) % 10;
    if (!(fm && kind == KindFmSecondHalf))
        d.RecordSlot = (d.RecordSlot + 1) % 10;

    c.BlockPending = true;
    c.BlockRingIndex = (c.BlockRingIndex + 1) % BlockRingSize;
    c.Status = stActive;
    ++c.BlocksSinceDisplay;
    QByteArray entry = block.left(sProtocol ? StampedBlockLength : BlockLength);
    if (sProtocol) {
        // A stamp that is no date must not become the block's time; the entry
        // keeps the bytes as they came.
        const auto stamp = TDateTimeFromBytes(entry.mid(BlockLength, 8));
        c.LastBlockTime = stamp ? *stamp : pcTime;
    } else {
        c.LastBlockTime = pcTime;
        entry += TDateTimeBytes(pcTime);
    }
    c.BlockSlots[RackRingFirstSlot + c.BlockRingIndex] = entry;
    c.BlockSlots[CurrentRackBlockSlot] = entry;
    int sum = 0;
    for (int i = 0; i < SumByte; ++i)
        sum += byteAt(block, i);
    // A wrong sum rejects nothing: the sections carry their own checks, and in
    // an FM pair the last byte is RDS data.
    c.BlockChecksums = {quint16(sum & 0xFF), quint16(byteAt(block, SumByte))};
    c.NewDataFlags.fill(1);

    TRackModuleRecord& rec = d.RackBlock.Records[d.RecordSlot];
    bool complete = true;
    if (d.IsSampleBlock) {
        TRackModuleRecord& sample = d.RackBlock.Samples[d.SampleSlot];
        for (int i = 0; i < RdsWords; ++i)
            sample.w[i] = byteAt(block, 5 + 2 * i);
        d.NewSampleBlock = true;
        d.LastSampleSlot = d.SampleSlot;
        if (kind == KindFmFirstHalf) {
            for (int i = 0; i < 4; ++i)
                rec.w[i] = byteAt(block, i);
            for (int i = 0; i < HalfRecordWords; ++i)
                rec.w[FirstHalfFirstWord + i] = byteAt(block, 4 + 2 * i);
            d.FirstHalfSlot = d.RecordSlot;
            complete = false;
        } else if (d.FirstHalfSlot == d.RecordSlot) {
            for (int i = 0; i < HalfRecordWords; ++i)
                rec.w[SecondHalfFirstWord + i] = byteAt(block, 4 + 2 * i);
            d.FirstHalfSlot = -1;
        } else {
            // Its first half was lost: the slot holds an older record, which
            // must not be completed with these words nor queued again.
            complete = false;
        }
    } else {
        rec.w.fill(0);
        for (int i = 0; i < SumByte; ++i)
            rec.w[i] = byteAt(block, i);
        d.FirstHalfSlot = -1;
    }
    if (complete) {
        if (newSamplesFlagged(d, c, rec)) {
            d.NewSamples = true;
            d.RackSlotList.add(d.RecordSlot);
        }
        d.NewModuleData = true;
        c.BlockNumber = d.RecordSlot;
    }
    return entry;
}
