// Bry1 blocks written byte by byte at the positions the unit's block layout
// gives, with no offset of our own: each kind lands where it belongs, and the
// sum covers exactly bytes 0..352. The store and the simulated unit share
// their constants, so only blocks made this way show a misplaced one.
#include "protocol/bry1/Bry1Blocks.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// Marker FF FE FD FC, data 4..352 (the kind in the low nibble of byte 49),
// the low byte of the sum of bytes 0..352 at 353, two end bytes.
QByteArray goldenBry1(int kind, int seed)
{
    QByteArray b(356, '\0');
    b[0] = char(0xFF);
    b[1] = char(0xFE);
    b[2] = char(0xFD);
    b[3] = char(0xFC);
    for (int o = 4; o < 353; ++o)
        b[o] = char(o * 7 + seed);
    b[49] = char(0xA0 | kind); // the high nibble is no part of the kind
    quint32 sum = 0;
    for (int o = 0; o <= 352; ++o)
        sum += quint8(b[o]);
    b[353] = char(sum);
    b[354] = char(0xF1);
    b[355] = char(0xF2);
    return b;
}

TBry1Slot slotOf(const QByteArray& block)
{
    TBry1Slot slot{};
    for (int i = 0; i < 356; ++i)
        slot[size_t(i)] = quint8(block[i]);
    return slot;
}

} // namespace

TEST(Bry1GoldenBlock, EachKindLandsInItsPlaceWholeAndTheSumCoversBytes0To352)
{
    auto d = std::make_unique<TBry1Data>();
    auto s = std::make_unique<TConnectionState>();
    const QByteArray record = goldenBry1(0, 1);
    const QByteArray table1 = goldenBry1(1, 2);
    const QByteArray table2 = goldenBry1(2, 3);
    for (const QByteArray& b : {record, table1, table2})
        ASSERT_TRUE(StoreBry1Block(b, *d, *s));
    EXPECT_EQ(d->Bry1ChecksumErrors, 0);
    EXPECT_EQ(d->Bry1RingIndex, 3);
    EXPECT_EQ(d->Bry1Slots[1], slotOf(record));
    EXPECT_EQ(d->Bry1Slots[2], slotOf(table1));
    EXPECT_EQ(d->Bry1Slots[3], slotOf(table2));
    EXPECT_EQ(d->Bry1Records[1], slotOf(record));
    EXPECT_EQ(d->Bry1Table1, slotOf(table1));
    EXPECT_EQ(d->Bry1Table2, slotOf(table2));
    // The page word lies past the block's 356 bytes: always 0.
    EXPECT_EQ(d->Bry1Slots[3][376], 0);

    // A sum over one byte fewer, or one more, is a bad sum: the block stays
    // in the ring only.
    for (int last : {351, 353}) {
        SCOPED_TRACE(last);
        QByteArray b = goldenBry1(0, 4);
        quint32 sum = 0;
        for (int o = 0; o <= last; ++o)
            sum += quint8(b[o]);
        b[353] = char(sum);
        ASSERT_NE(quint8(b[353]), quint8(goldenBry1(0, 4)[353]));
        const int errors = d->Bry1ChecksumErrors;
        const TBry1Slot before = d->Bry1Records[size_t((d->Bry1RingIndex + 1) % 10)];
        ASSERT_TRUE(StoreBry1Block(b, *d, *s));
        EXPECT_EQ(d->Bry1ChecksumErrors, errors + 1);
        EXPECT_EQ(d->Bry1Slots[size_t(d->Bry1RingIndex)], slotOf(b));
        EXPECT_EQ(d->Bry1Records[size_t(d->Bry1RingIndex)], before);
    }

    // A block one byte short or long is no block.
    EXPECT_FALSE(StoreBry1Block(record.left(355), *d, *s));
    EXPECT_FALSE(StoreBry1Block(record + '\0', *d, *s));
}
