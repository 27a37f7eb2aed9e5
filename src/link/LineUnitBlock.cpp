#include "link/LineUnitBlock.h"

#include "common/TDateTime.h"
#include "link/Frame2.h"

void KeepLineUnitBlock(TFrame2& f, QByteArray& block, qsizetype stampAt, int currentSlot)
{
    ++f.BlocksSinceDisplay;
    f.BlockNumber = (f.BlockNumber + 1) % 10;
    f.BlockRingIndex = (f.BlockRingIndex + 1) % BlockRingSize;
    const QDateTime now = QDateTime::currentDateTime();
    if (f.SProtocol) {
        // The unit's own stamp; one that is no date must not become the time.
        const auto stamp = TDateTimeFromBytes(block.mid(stampAt, 8));
        f.LastBlockTime = stamp ? *stamp : now;
    } else {
        f.LastBlockTime = now;
        block.append(TDateTimeBytes(now));
    }
    f.BlockSlots[BlockRingFirstSlot + f.BlockRingIndex] = block;
    f.BlockSlots[currentSlot] = block;
    f.NewDataFlags.fill(1);
}
