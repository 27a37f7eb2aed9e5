#include "protocol/BlockCutter.h"

namespace {

const QByteArray marker("\xFF\xFE\xFD", 3);

void drop(QByteArray& rx, qsizetype n, TBlockDrops* drops, bool wholeBlock)
{
    rx.remove(0, n);
    if (!drops)
        return;
    drops->Bytes += quint64(n);
    if (wholeBlock)
        ++drops->Blocks;
}

} // namespace

std::optional<QByteArray> CutMarkedBlock(QByteArray& rx, int blockLength, int maxWaiting,
                                         TBlockDrops* drops)
{
    const qsizetype at = rx.indexOf(marker);
    if (at < 0) {
        if (rx.size() > 2)
            drop(rx, rx.size() - 2, drops, false);
        return std::nullopt;
    }
    if (at > 0)
        drop(rx, at, drops, false);

    // Far too much waiting: drop whole blocks from the front, each up to the
    // next marker, until the backlog fits again. The block still arriving
    // does not count against it.
    const qsizetype limit = qsizetype(maxWaiting + 1) * blockLength;
    while (rx.size() > limit) {
        const qsizetype next = rx.indexOf(marker, blockLength);
        if (next < 0) {
            // One block, then bytes that hold no marker at all: keep the block.
            if (drops)
                drops->Bytes += quint64(rx.size() - blockLength);
            rx.truncate(blockLength);
            break;
        }
        drop(rx, next, drops, true);
    }

    if (rx.size() < blockLength)
        return std::nullopt;
    QByteArray block = rx.left(blockLength);
    rx.remove(0, blockLength);
    return block;
}

TDropEdge NoteDrops(TBlockDrops& d, quint64 blocksBefore, quint64 bytesBefore, bool blockTaken)
{
    TDropEdge edge = TDropEdge::None;
    if (d.Bytes != bytesBefore || d.Blocks != blocksBefore) {
        if (!d.StreamStarted) {
            // Not a loss: take it back out of the counts.
            d.Bytes = bytesBefore;
            d.Blocks = blocksBefore;
        } else {
            if (!d.InRun) {
                d.InRun = true;
                d.RunBlocks = 0;
                d.RunBytes = 0;
                edge = TDropEdge::Started;
            }
            d.RunBlocks += d.Blocks - blocksBefore;
            d.RunBytes += d.Bytes - bytesBefore;
        }
    }
    if (blockTaken) {
        d.StreamStarted = true;
        if (d.InRun && edge == TDropEdge::None) {
            d.InRun = false;
            edge = TDropEdge::Ended;
        }
    }
    return edge;
}

QString DropEdgeText(const QString& unit, const TBlockDrops& d, TDropEdge edge)
{
    switch (edge) {
    case TDropEdge::Started:
        return QString(" %1 receive: %2 blocks and %3 bytes dropped, decoding goes on with the "
                       "next whole block ")
            .arg(unit)
            .arg(d.RunBlocks)
            .arg(d.RunBytes);
    case TDropEdge::Ended:
        return QString(" %1 receive: %2 blocks and %3 bytes were dropped in all ")
            .arg(unit)
            .arg(d.RunBlocks)
            .arg(d.RunBytes);
    case TDropEdge::None:
        break;
    }
    return {};
}
