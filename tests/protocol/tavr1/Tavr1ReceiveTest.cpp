#include "protocol/tavr1/Tavr1Receive.h"

#include <gtest/gtest.h>

namespace {

QByteArray block(char fill, int length = Tavr1BlockLength)
{
    QByteArray b(length, fill);
    b[0] = '\xFF';
    b[1] = '\xFE';
    b[2] = '\xFD';
    return b;
}

} // namespace

TEST(Tavr1Receive, GarbageBeforeTheMarkerIsDropped)
{
    QByteArray rx = QByteArray("\x01\x02garbage\xFF\xFE", 11) + block('a');
    const auto b = CutTavr1Block(rx, Tavr1BlockLength);
    ASSERT_TRUE(b);
    EXPECT_EQ(*b, block('a'));
    EXPECT_TRUE(rx.isEmpty());
}

TEST(Tavr1Receive, ABlockIsCutOnlyWhenWhole)
{
    const QByteArray whole = block('b');
    QByteArray rx = whole.left(Tavr1BlockLength - 1);
    EXPECT_FALSE(CutTavr1Block(rx, Tavr1BlockLength)) << "one byte short is no block";
    EXPECT_EQ(rx.size(), Tavr1BlockLength - 1);
    rx += whole.right(1);
    const auto b = CutTavr1Block(rx, Tavr1BlockLength);
    ASSERT_TRUE(b);
    EXPECT_EQ(*b, whole);

    // The stamped form is eight bytes longer.
    QByteArray stamped = block('s', Tavr1StampedBlockLength);
    rx = stamped.left(Tavr1BlockLength + 3);
    EXPECT_FALSE(CutTavr1Block(rx, Tavr1StampedBlockLength));
    rx += stamped.mid(Tavr1BlockLength + 3);
    EXPECT_EQ(CutTavr1Block(rx, Tavr1StampedBlockLength).value_or(QByteArray()), stamped);
}

TEST(Tavr1Receive, TwoBlocksInOneReadComeOutOneAtATime)
{
    QByteArray rx = block('1') + block('2');
    EXPECT_EQ(CutTavr1Block(rx, Tavr1BlockLength).value_or(QByteArray()), block('1'));
    EXPECT_EQ(rx, block('2'));
    EXPECT_EQ(CutTavr1Block(rx, Tavr1BlockLength).value_or(QByteArray()), block('2'));
    EXPECT_FALSE(CutTavr1Block(rx, Tavr1BlockLength));
}

TEST(Tavr1Receive, AStreamWithoutMarkerIsNeverABlock)
{
    QByteArray rx;
    for (int i = 0; i < 5; ++i) {
        rx += QByteArray(1000, 'x');
        EXPECT_FALSE(CutTavr1Block(rx, Tavr1BlockLength));
        EXPECT_LE(rx.size(), 2) << "a stream without a marker is not kept";
    }
    // A marker split across two reads is still found.
    rx += "\xFF\xFE";
    EXPECT_FALSE(CutTavr1Block(rx, Tavr1BlockLength));
    rx += block('m').mid(2);
    EXPECT_EQ(CutTavr1Block(rx, Tavr1BlockLength).value_or(QByteArray()), block('m'));
}

TEST(Tavr1Receive, ABacklogIsBoundedDroppingTheOldestBlocks)
{
    QByteArray rx;
    for (int i = 0; i < 20; ++i)
        rx += block(char('A' + i));
    const auto b = CutTavr1Block(rx, Tavr1BlockLength, 8);
    ASSERT_TRUE(b);
    EXPECT_EQ(*b, block(char('A' + 12))) << "the newest eight are kept";
    EXPECT_EQ(rx.size(), 7 * Tavr1BlockLength);

    // One block followed by a flood without any marker keeps the block.
    rx = block('k') + QByteArray(20 * Tavr1BlockLength, 'z');
    EXPECT_EQ(CutTavr1Block(rx, Tavr1BlockLength, 8).value_or(QByteArray()), block('k'));
}
