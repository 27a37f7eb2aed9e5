#include "protocol/bry1/Bry1Blocks.h"

#include "common/TextPositions.h"

namespace {

const QByteArray& marker()
{
    static const QByteArray m("\xFF\xFE\xFD\xFC", 4);
    return m;
}

void copyInto(TBry1Slot& slot, const QByteArray& block)
{
    slot.fill(0);
    for (int i = 0; i < Bry1BlockLength; ++i)
        slot[i] = quint8(block.at(i));
}

// A two-digit number of the answer at 1-based position pos; 0 when it is
// missing or no number.
int numberAt(const QByteArray& answer, qsizetype pos)
{
    const QByteArray digits = copyAt(answer, pos, 2);
    if (digits.size() != 2)
        return 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
    }
    return digits.toInt();
}

} // namespace

bool StartsWithBry1Marker(const QByteArray& bytes)
{
    return bytes.startsWith(marker());
}

bool Bry1SumGood(const QByteArray& block)
{
    if (block.size() < Bry1BlockLength)
        return false;
    quint32 sum = 0;
    for (int i = 0; i < Bry1SumOffset; ++i)
        sum += quint8(block.at(i));
    return quint8(sum) == quint8(block.at(Bry1SumOffset));
}

bool StoreBry1Block(const QByteArray& block, TBry1Data& d, TConnectionState& s)
{
    if (block.size() != Bry1BlockLength || !StartsWithBry1Marker(block))
        return false;
    s.BlockPending = true;
    ++d.Bry1BlocksDecoded;
    d.Bry1BlockHandled = false;
    d.Bry1RingIndex = (d.Bry1RingIndex + 1) % Bry1RingSize;
    s.Status = stActive;
    ++s.BlocksSinceDisplay;
    TBry1Slot& slot = d.Bry1Slots[d.Bry1RingIndex];
    copyInto(slot, block);
    if (!Bry1SumGood(block)) {
        ++d.Bry1ChecksumErrors;
        return true;
    }
    switch (quint8(block.at(Bry1KindOffset)) & 0x0F) {
    case 0:
        d.Bry1Records[d.Bry1RingIndex] = slot;
        break;
    case 1:
        d.Bry1Table1 = slot;
        break;
    case 2:
        d.Bry1Table2 = slot;
        break;
    default: // a kind the unit does not send: kept in the ring only
        break;
    }
    return true;
}

int Bry1SerialReadCount(int waiting)
{
    if (waiting > Bry1BlockLength)
        return qMin(waiting, Bry1SerialDiscardLimit);
    if (waiting == Bry1BlockLength)
        return Bry1BlockLength;
    return 0;
}

bool TakeBry1SerialBytes(const QByteArray& bytes, TBry1Data& d, TConnectionState& s)
{
    if (bytes.size() != Bry1BlockLength)
        return false;
    return StoreBry1Block(bytes, d, s);
}

int GatherBry1Blocks(QByteArray& buffer, const QByteArray& fresh, TBry1Data& d, TConnectionState& s,
                     TBlockDrops* drops)
{
    buffer += fresh;
    int stored = 0;
    qsizetype at = 0; // the bytes before at are spent
    auto dropTo = [&](qsizetype to, quint64 blocks) {
        if (drops && to > at) {
            drops->Bytes += quint64(to - at);
            drops->Blocks += blocks;
        }
        at = qMax(at, to);
    };
    // Far too much at once: the oldest whole blocks go (and the block still
    // arriving does not count against the bound).
    const qsizetype limit = qsizetype(Bry1BacklogBlocks + 1) * Bry1BlockLength;
    if (buffer.size() > limit) {
        const qsizetype excess = buffer.size() - limit;
        const qsizetype blocks = (excess + Bry1BlockLength - 1) / Bry1BlockLength;
        dropTo(qMin(blocks * Bry1BlockLength, buffer.size()), quint64(blocks));
    }
    for (;;) {
        const qsizetype next = buffer.indexOf(marker(), at);
        if (next < 0) {
            // No marker: only a tail that may be the start of one stays.
            dropTo(buffer.size() - (marker().size() - 1), 0);
            break;
        }
        dropTo(next, 0);
        if (buffer.size() - at < Bry1BlockLength)
            break;
        if (StoreBry1Block(buffer.mid(at, Bry1BlockLength), d, s))
            ++stored;
        at += Bry1BlockLength;
    }
    buffer.remove(0, at);
    return stored;
}

TBry1Versions ParseBry1Versions(const QByteArray& answer)
{
    TBry1Versions v;
    v.Text1 = QString::fromLatin1(copyAt(answer, 4, 10));
    v.Text2 = QString::fromLatin1(copyAt(answer, 18, 10));
    v.Numbers = {numberAt(answer, 9), numberAt(answer, 12), numberAt(answer, 23),
                 numberAt(answer, 26)};
    return v;
}
