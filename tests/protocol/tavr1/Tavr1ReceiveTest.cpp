#include "protocol/tavr1/Tavr1Receive.h"

#include <QList>
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

// A block whose readings happen to pack to the marker at offset at.
QByteArray blockWithMarkerInside(char fill, int at)
{
    QByteArray b = block(fill);
    b[at] = '\xFF';
    b[at + 1] = '\xFE';
    b[at + 2] = '\xFD';
    return b;
}

TTavr1Cutter inStep()
{
    TTavr1Cutter c;
    c.Aligned = true;
    return c;
}

// Every block the cutter gives for rx, fed as one piece.
QList<QByteArray> cutAll(QByteArray& rx, TTavr1Cutter& c, int length = Tavr1BlockLength)
{
    QList<QByteArray> out;
    while (auto b = CutTavr1Block(rx, c, length))
        out << *b;
    return out;
}

} // namespace

TEST(Tavr1Receive, ABlockIsCutOnlyWhenWhole)
{
    TTavr1Cutter c = inStep();
    const QByteArray whole = block('b');
    QByteArray rx = whole.left(Tavr1BlockLength - 1);
    EXPECT_FALSE(CutTavr1Block(rx, c, Tavr1BlockLength)) << "one byte short is no block";
    EXPECT_EQ(rx.size(), Tavr1BlockLength - 1);
    rx += whole.right(1);
    EXPECT_EQ(CutTavr1Block(rx, c, Tavr1BlockLength).value_or(QByteArray()), whole)
        << "in step, a whole block is taken without waiting for the next";

    // The stamped form is eight bytes longer.
    QByteArray stamped = block('s', Tavr1StampedBlockLength);
    rx = stamped.left(Tavr1BlockLength + 3);
    EXPECT_FALSE(CutTavr1Block(rx, c, Tavr1StampedBlockLength));
    rx += stamped.mid(Tavr1BlockLength + 3);
    EXPECT_EQ(CutTavr1Block(rx, c, Tavr1StampedBlockLength).value_or(QByteArray()), stamped);
    EXPECT_EQ(c.DroppedBytes, 0);
}

TEST(Tavr1Receive, ANewStreamIsTakenFromItsFirstConfirmedBlock)
{
    TTavr1Cutter c;
    QByteArray rx = QByteArray("\x01\x02garbage\xFF\xFE", 11) + block('a');
    EXPECT_FALSE(CutTavr1Block(rx, c, Tavr1BlockLength))
        << "a block after dropped bytes waits for the next marker";
    EXPECT_EQ(rx, block('a'));
    rx += QByteArray("\xFF\xFE", 2);
    EXPECT_FALSE(CutTavr1Block(rx, c, Tavr1BlockLength)) << "a marker's start is not yet a marker";
    rx += block('b').mid(2) + block('c');
    EXPECT_EQ(cutAll(rx, c), (QList<QByteArray>{block('a'), block('b'), block('c')}));
    EXPECT_TRUE(c.Aligned);
    EXPECT_TRUE(rx.isEmpty());
    EXPECT_EQ(c.DroppedBytes, 11);
    EXPECT_EQ(c.Resyncs, 0) << "a new stream never was in step";
}

// A block that lost its last byte, then B whose readings pack to the marker
// 280 bytes in, then A twice: the marker inside B is never taken for a block's
// start, however the stream is chunked.
TEST(Tavr1Receive, ALostByteNeverMakesABlockOfReadings)
{
    const QByteArray a = block('a');
    const QByteArray b = blockWithMarkerInside('b', 280);
    const QByteArray stream = a.left(Tavr1BlockLength - 1) + b + a + a;
    const QByteArray shortA = a.left(Tavr1BlockLength - 1) + b.left(1);
    for (int chunk : {1, 7, 500, 1501, 3000, int(stream.size())}) {
        SCOPED_TRACE(chunk);
        TTavr1Cutter c = inStep();
        QByteArray rx;
        QList<QByteArray> got;
        for (qsizetype at = 0; at < stream.size(); at += chunk) {
            rx += stream.mid(at, chunk);
            got += cutAll(rx, c);
        }
        if (chunk == 1 || chunk == 1501) {
            // The short block was whole before anything after it arrived: in
            // step nothing waits, so it is taken (only its unused last byte is
            // B's), and B, whose start went with it, is lost.
            EXPECT_EQ(got, (QList<QByteArray>{shortA, a, a}));
        } else {
            EXPECT_EQ(got, (QList<QByteArray>{b, a, a})) << "decoded again from B on";
        }
        EXPECT_EQ(c.Resyncs, 1);
        EXPECT_TRUE(c.Aligned);
        EXPECT_TRUE(rx.isEmpty());
    }
}

TEST(Tavr1Receive, MarkersThatAreNoBlockAreSkipped)
{
    // While out of step, a marker inside a block is tried and refused: the
    // bytes one block length on are no marker.
    TTavr1Cutter c;
    const QByteArray b = blockWithMarkerInside('b', 600);
    QByteArray rx = b.mid(500) + block('x') + block('c');
    EXPECT_EQ(cutAll(rx, c), (QList<QByteArray>{block('x'), block('c')}));
    EXPECT_EQ(c.FalseMarkers, 1);

    // In step, a block whose successor does not start where it ends is no
    // block: noise between blocks costs the blocks around it, never a
    // reading taken for a setting.
    c = inStep();
    rx = block('d') + "noise" + block('e') + block('f');
    EXPECT_EQ(cutAll(rx, c), (QList<QByteArray>{block('e'), block('f')}));
    EXPECT_EQ(c.Resyncs, 1);
}

TEST(Tavr1Receive, AStreamWithoutMarkerIsNeverABlock)
{
    TTavr1Cutter c;
    QByteArray rx;
    for (int i = 0; i < 5; ++i) {
        rx += QByteArray(1000, 'x');
        EXPECT_FALSE(CutTavr1Block(rx, c, Tavr1BlockLength));
        EXPECT_LE(rx.size(), 2) << "a stream without a marker is not kept";
    }
    // A marker split across two reads is still found.
    rx += "\xFF\xFE";
    EXPECT_FALSE(CutTavr1Block(rx, c, Tavr1BlockLength));
    rx += block('m').mid(2) + block('n');
    EXPECT_EQ(cutAll(rx, c), (QList<QByteArray>{block('m'), block('n')}));
}

TEST(Tavr1Receive, ABacklogIsBoundedDroppingTheOldestBlocks)
{
    TTavr1Cutter c = inStep();
    QByteArray rx;
    for (int i = 0; i < 20; ++i)
        rx += block(char('A' + i));
    const auto b = CutTavr1Block(rx, c, Tavr1BlockLength, 8);
    ASSERT_TRUE(b);
    EXPECT_EQ(*b, block(char('A' + 12))) << "the newest eight are kept";
    EXPECT_EQ(rx.size(), 7 * Tavr1BlockLength);
    EXPECT_TRUE(c.Aligned) << "whole blocks were dropped";

    // A flood without any marker after a block: the block is not confirmed,
    // and the flood is not kept.
    for (TTavr1Cutter start : {inStep(), TTavr1Cutter()}) {
        rx = block('k') + QByteArray(20 * Tavr1BlockLength, 'z');
        EXPECT_TRUE(cutAll(rx, start).isEmpty());
        EXPECT_LE(rx.size(), 8 * Tavr1BlockLength);
        rx += QByteArray(20 * Tavr1BlockLength, 'z');
        EXPECT_TRUE(cutAll(rx, start).isEmpty());
        EXPECT_LE(rx.size(), 2);
    }
}
