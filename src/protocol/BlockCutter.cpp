#include "protocol/BlockCutter.h"

namespace {
const QByteArray marker("\xFF\xFE\xFD", 3);
}

std::optional<QByteArray> CutMarkedBlock(QByteArray& rx, int blockLength, int maxWaiting)
{
    const qsizetype at = rx.indexOf(marker);
    if (at < 0) {
        if (rx.size() > 2)
            rx.remove(0, rx.size() - 2);
        return std::nullopt;
    }
    if (at > 0)
        rx.remove(0, at);

    // Far too much waiting: drop whole blocks from the front, each up to the
    // next marker, until the backlog fits again.
    const qsizetype limit = qsizetype(maxWaiting) * blockLength;
    while (rx.size() > limit) {
        const qsizetype next = rx.indexOf(marker, blockLength);
        if (next < 0) {
            // One block, then bytes that hold no marker at all: keep the block.
            rx.truncate(blockLength);
            break;
        }
        rx.remove(0, next);
    }

    if (rx.size() < blockLength)
        return std::nullopt;
    QByteArray block = rx.left(blockLength);
    rx.remove(0, blockLength);
    return block;
}
