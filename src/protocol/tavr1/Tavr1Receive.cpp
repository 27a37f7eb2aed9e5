#include "protocol/tavr1/Tavr1Receive.h"

namespace {

const QByteArray marker("\xFF\xFE\xFD", 3);

// Whether the bytes at from (as many of the three as are there) agree with a
// marker.
bool markerMayStandAt(const QByteArray& rx, qsizetype from)
{
    const qsizetype have = qMin<qsizetype>(rx.size() - from, marker.size());
    return have <= 0 || QByteArrayView(rx).sliced(from, have) == QByteArrayView(marker).first(have);
}

void fallOutOfStep(TTavr1Cutter& c)
{
    if (c.Aligned)
        ++c.Resyncs;
    c.Aligned = false;
}

void drop(QByteArray& rx, TTavr1Cutter& c, qsizetype n)
{
    rx.remove(0, n);
    c.DroppedBytes += n;
    c.Drops.Bytes += quint64(n);
}

} // namespace

std::optional<QByteArray> CutTavr1Block(QByteArray& rx, TTavr1Cutter& c, int blockLength,
                                        int maxWaiting)
{
    if (blockLength <= qsizetype(marker.size()))
        return std::nullopt;

    // Far too much waiting: drop the oldest bytes. Whole blocks go while the
    // stream is in step, so the front still stands on a block's start.
    const qsizetype limit = qsizetype(qMax(maxWaiting, 1)) * blockLength;
    if (rx.size() > limit) {
        qsizetype excess = rx.size() - limit;
        if (c.Aligned)
            excess = (excess + blockLength - 1) / blockLength * blockLength;
        excess = qMin(excess, rx.size());
        c.Drops.Blocks += quint64(qMax<qsizetype>(excess / blockLength, 1));
        drop(rx, c, excess);
    }

    for (;;) {
        if (c.Aligned) {
            if (!markerMayStandAt(rx, 0)) {
                fallOutOfStep(c);
                continue;
            }
            if (rx.size() < blockLength)
                return std::nullopt;
            if (!markerMayStandAt(rx, blockLength)) {
                // The next block does not start where this one ends: this one
                // was cut short, or is no block. Search past its marker.
                fallOutOfStep(c);
                drop(rx, c, 1);
                continue;
            }
        } else {
            const qsizetype at = rx.indexOf(marker);
            if (at < 0) {
                // Keep the last two bytes: they may be the start of a marker
                // whose rest is still on its way.
                if (rx.size() > 2)
                    drop(rx, c, rx.size() - 2);
                return std::nullopt;
            }
            drop(rx, c, at);
            if (rx.size() < blockLength + qsizetype(marker.size()))
                return std::nullopt;
            if (!QByteArrayView(rx).sliced(blockLength).startsWith(marker)) {
                ++c.FalseMarkers;
                drop(rx, c, 1);
                continue;
            }
            c.Aligned = true;
        }
        QByteArray block = rx.left(blockLength);
        rx.remove(0, blockLength);
        return block;
    }
}
