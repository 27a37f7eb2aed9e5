#include "protocol/bry1/Bry1Blocks.h"
#include "sim/bry1/Bry1Block.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The connection records are large; a test keeps them on the heap.
struct Store
{
    std::unique_ptr<TBry1Data> d = std::make_unique<TBry1Data>();
    std::unique_ptr<TConnectionState> s = std::make_unique<TConnectionState>();
    QByteArray buffer;

    int gather(const QByteArray& bytes) { return GatherBry1Blocks(buffer, bytes, *d, *s); }
};

TBry1Slot slotOf(const QByteArray& block)
{
    TBry1Slot slot{};
    for (int i = 0; i < block.size(); ++i)
        slot[i] = quint8(block[i]);
    return slot;
}

} // namespace

TEST(Bry1Blocks, EachKindLandsInItsPlaceAndABadSumOnlyInTheRing)
{
    Store st;
    const QByteArray record = buildBry1Block(0, 0);
    const QByteArray table1 = buildBry1Block(1, 1);
    const QByteArray table2 = buildBry1Block(2, 2);
    ASSERT_TRUE(Bry1SumGood(record));
    ASSERT_TRUE(StoreBry1Block(record, *st.d, *st.s));
    EXPECT_EQ(st.d->Bry1RingIndex, 1);
    EXPECT_EQ(st.d->Bry1Slots[1], slotOf(record));
    EXPECT_EQ(st.d->Bry1Records[1], slotOf(record));
    EXPECT_TRUE(st.s->BlockPending);
    EXPECT_FALSE(st.d->Bry1BlockHandled);
    EXPECT_EQ(st.s->Status, stActive);
    EXPECT_EQ(st.s->BlocksSinceDisplay, 1);

    ASSERT_TRUE(StoreBry1Block(table1, *st.d, *st.s));
    ASSERT_TRUE(StoreBry1Block(table2, *st.d, *st.s));
    EXPECT_EQ(st.d->Bry1Table1, slotOf(table1));
    EXPECT_EQ(st.d->Bry1Table2, slotOf(table2));
    EXPECT_EQ(st.d->Bry1Records[2], TBry1Slot{}) << "a table is no record";

    const QByteArray wrong = withWrongBry1Sum(buildBry1Block(1, 9));
    ASSERT_TRUE(StoreBry1Block(wrong, *st.d, *st.s));
    EXPECT_EQ(st.d->Bry1Slots[4], slotOf(wrong));
    EXPECT_EQ(st.d->Bry1Table1, slotOf(table1));
    EXPECT_EQ(st.d->Bry1ChecksumErrors, 1);
    EXPECT_EQ(st.s->BlocksSinceDisplay, 4);
}

TEST(Bry1Blocks, TheRingWrapsAndTheWordsPastTheBlockAreZeroed)
{
    Store st;
    st.d->Bry1Slots[3].fill(0xF0); // what an earlier use of the slot left
    for (int n = 0; n < 13; ++n)
        ASSERT_TRUE(StoreBry1Block(buildBry1Block(n % 3, n), *st.d, *st.s));
    EXPECT_EQ(st.d->Bry1RingIndex, 3);
    EXPECT_EQ(st.d->Bry1Slots[3], slotOf(buildBry1Block(0, 12)));
    EXPECT_EQ(st.d->Bry1Slots[3][Bry1PageWord], 0);
}

TEST(Bry1Blocks, OnlyAWholeMarkedBlockIsStored)
{
    Store st;
    const QByteArray block = buildBry1Block(0, 0);
    QByteArray unmarked = block;
    unmarked[3] = 0;
    for (const QByteArray& bytes : {block.left(355), block + 'x', unmarked, QByteArray()}) {
        EXPECT_FALSE(StoreBry1Block(bytes, *st.d, *st.s));
        EXPECT_FALSE(TakeBry1SerialBytes(bytes, *st.d, *st.s));
    }
    EXPECT_EQ(st.d->Bry1RingIndex, 0);
    EXPECT_EQ(st.s->Status, stDisconnected);
    EXPECT_FALSE(st.s->BlockPending);
}

TEST(Bry1Blocks, TheSerialRuleReadsByTheCountWaiting)
{
    const struct
    {
        int waiting, read;
    } rows[] = {{0, 0},     {1, 0},       {355, 0},     {356, 356}, {357, 357},
                {712, 712}, {1024, 1024}, {5000, 1024}, {-3, 0}};
    for (const auto& r : rows)
        EXPECT_EQ(Bry1SerialReadCount(r.waiting), r.read) << r.waiting;
}

TEST(Bry1Blocks, TheGathererTakesEveryWholeBlockWhateverTheCuts)
{
    QByteArray stream;
    for (int n = 0; n < 6; ++n)
        stream += buildBry1Block(n % 3, n);
    const QByteArray garbage("\xFF\xFE noise \xFD\x01", 10);
    const struct
    {
        const char* name;
        QByteArray bytes;
        std::vector<int> cuts; // piece sizes, repeated
    } cases[] = {
        {"one write", stream, {int(stream.size())}},
        {"100 + 256", stream, {100, 256}},
        {"two blocks a write", stream, {712}},
        {"byte by byte", stream, {1}},
        {"cut inside the marker", stream, {2, 356}},
        {"garbage before a marker", garbage + stream.left(356) + garbage + stream.mid(356), {97}},
    };
    for (const auto& c : cases) {
        Store st;
        int stored = 0;
        for (qsizetype at = 0, i = 0; at < c.bytes.size(); ++i) {
            const int n = c.cuts[i % c.cuts.size()];
            stored += st.gather(c.bytes.mid(at, n));
            at += n;
        }
        EXPECT_EQ(stored, 6) << c.name;
        EXPECT_EQ(st.d->Bry1ChecksumErrors, 0) << c.name;
        EXPECT_TRUE(st.buffer.isEmpty()) << c.name;
        EXPECT_EQ(st.d->Bry1Slots[6], slotOf(buildBry1Block(2, 5))) << c.name;
    }
}

TEST(Bry1Blocks, ATruncatedBlockCostsAtMostItselfAndTheNext)
{
    Store st;
    st.gather(buildBry1Block(0, 0).left(200));
    int good = 0;
    for (int n = 1; n <= 4; ++n) {
        const int errors = st.d->Bry1ChecksumErrors;
        if (st.gather(buildBry1Block(n % 3, n)) > 0 && st.d->Bry1ChecksumErrors == errors)
            ++good;
    }
    EXPECT_GE(good, 3);
    EXPECT_EQ(st.d->Bry1Slots[st.d->Bry1RingIndex], slotOf(buildBry1Block(1, 4)));
}

// Random bytes hold a marker now and then; whatever they hold, the gatherer
// keeps less than one block.
TEST(Bry1Blocks, AMegabyteOfRandomBytesLeavesTheBufferBounded)
{
    Store st;
    QRandomGenerator random(1508);
    QByteArray chunk;
    for (int i = 0; i < 1024; ++i) {
        chunk.resize(1 + random.bounded(2048));
        for (char& c : chunk)
            c = char(random.bounded(256));
        if (i % 50 == 0)
            chunk.append(QByteArray("\xFF\xFE\xFD\xFC", 4)); // a marker with no block behind
        st.gather(chunk);
        ASSERT_LT(st.buffer.size(), Bry1BlockLength);
    }
    EXPECT_GE(st.d->Bry1RingIndex, 0);
    EXPECT_LT(st.d->Bry1RingIndex, Bry1RingSize);
}

TEST(Bry1Blocks, TheVersionAnswerIsReadSafely)
{
    const struct
    {
        QByteArray answer;
        const char *text1, *text2;
        std::array<int, 4> numbers;
    } rows[] = {
        {"U1:HC11V01.23 /  DSP1V04.56", "HC11V01.23", "DSP1V04.56", {1, 23, 4, 56}},
        {"U", "", "", {0, 0, 0, 0}},
        {"", "", "", {0, 0, 0, 0}},
        {"U1:HC11V01.2", "HC11V01.2", "", {1, 0, 0, 0}},
        {"U1:HC11V01.23 /  DSP1V0", "HC11V01.23", "DSP1V0", {1, 23, 0, 0}},
        {"U1:HC11Vab.cd /  DSP1V-4.+6", "HC11Vab.cd", "DSP1V-4.+6", {0, 0, 0, 0}},
        {"U1:HC11V 1.23 /  DSP1V04.56 trailing", "HC11V 1.23", "DSP1V04.56", {0, 23, 4, 56}},
    };
    for (const auto& r : rows) {
        const TBry1Versions v = ParseBry1Versions(r.answer);
        EXPECT_EQ(v.Text1, r.text1) << r.answer.constData();
        EXPECT_EQ(v.Text2, r.text2) << r.answer.constData();
        EXPECT_EQ(v.Numbers, r.numbers) << r.answer.constData();
    }
}
