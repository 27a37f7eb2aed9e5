#include "link/FrameSimSupport.h"

#include "platform/UserMessages.h"
#include "protocol/bry1/Bry1Blocks.h"
#include "protocol/hd/HdBlockLayout.h"
#include "protocol/rack/RackRecordLayout.h"
#include "protocol/tavr1/Tavr1BlockLayout.h"
#include "sim/bry1/Bry1Block.h"
#include "sim/bry1/Bry1Sim.h"
#include "sim/hd/HdSim.h"
#include "sim/rack/RackSim.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QTimer>
#include <algorithm>

// A window that holds the program up stops the frame's ticks while the unit
// goes on sending. Here the test is the stalled program: it lets the unit send
// ten seconds of its blocks (at the rate it streams by default) without a
// tick, then ticks again. Every block must then be decoded, in order, with no
// ERROR line; past the ten seconds the loss is one ERROR line that names it,
// and decoding goes on with the next whole block.

namespace {

// The sims stream on a timer of their own; here the test sends every block.
constexpr int NeverMs = 3600 * 1000;

class StallTest : public ::testing::Test
{
protected:
    void SetUp() override { MessageLines = &log; }
    void TearDown() override
    {
        MessageLines = nullptr;
        qunsetenv("TOLVEX_COM1");
    }

    QStringList linesOf(const char* prefix) const
    {
        QStringList out;
        for (const QString& l : logOldestFirst())
            if (l.startsWith(prefix))
                out << l;
        return out;
    }

    // Reads what the transport has, as a tick would, until bytes are waiting.
    static bool received(TFrame2& f, qsizetype bytes)
    {
        return waitFor(
            [&] {
                f.GatherReceived(0);
                return f.RxBuffer.size() >= bytes;
            },
            20000);
    }

    TempBase base; // an undecodable picture is saved in the current folder
    TEventLog log;
};

std::vector<int> range(int first, int count)
{
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(first + i);
    return out;
}

} // namespace

TEST_F(StallTest, HdBlocksOfTenSecondsAllDecodeInOrderAndPastThemTheLossIsOneLine)
{
    HdSim sim;
    sim.blockIntervalMs = NeverMs;
    sim.network = true;
    auto f = openFrameOn(sim, htHDSystem, trNetwork);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4; }, 60, 40));
    std::vector<int> peaks;
    QObject::connect(f.get(), &TFrame2::measurementDecoded,
                     [&] { peaks.push_back(f->HdMeasurements[0].Peak); });
    auto stall = [&](int blocks, int firstValue) {
        peaks.clear();
        const quint64 decoded = f->HdBlocksDecoded;
        for (int i = 0; i < blocks; ++i) {
            sim.fields.measurements[0] = firstValue + i;
            sim.sendBlock();
        }
        EXPECT_TRUE(received(*f, qsizetype(blocks) * HdBlockLength));
        f->Timer1Timer();
        return f->HdBlocksDecoded - decoded;
    };
    ASSERT_EQ(stall(1, 0), 1u) << "the stream has begun";
    log.clear();

    // Five blocks a second for ten seconds.
    constexpr int tenSeconds = 50;
    ASSERT_EQ(HdBlockBacklog, tenSeconds);
    EXPECT_EQ(stall(tenSeconds, 100), quint64(tenSeconds));
    EXPECT_EQ(peaks, range(100, tenSeconds));
    EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();
    EXPECT_EQ(f->HdDrops.Blocks, 0u);

    // Five more than the ten seconds and the one still arriving: the oldest
    // four go, said once with their number.
    EXPECT_EQ(stall(tenSeconds + 5, 300), quint64(tenSeconds + 1));
    EXPECT_EQ(peaks, range(304, tenSeconds + 1));
    const QStringList errors = linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors[0].contains(" HD receive: 4 blocks and ")) << errors[0].toStdString();
    EXPECT_EQ(f->HdDrops.Blocks, 4u);
    EXPECT_EQ(stall(1, 500), 1u);
    EXPECT_EQ(peaks, std::vector<int>{500});
    EXPECT_EQ(linesOf("ERROR").size(), 1);
    EXPECT_EQ(countLogLines("HD receive: 4 blocks and 10916 bytes were dropped in all"), 1);
}

TEST_F(StallTest, Tavr1BlocksOfTenSecondsAllDecodeInOrderAndPastThemTheLossIsOneLine)
{
    Tavr1Sim sim;
    sim.blockIntervalMs = NeverMs;
    auto f = openFrameOn(sim, htTavr1, trNetwork);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4; }, 80, 40));
    std::vector<int> raws;
    QObject::connect(f.get(), &TFrame2::measurementDecoded,
                     [&] { raws.push_back(f->Tavr1RawValues[0]); });
    auto stall = [&](int blocks, int firstValue) {
        raws.clear();
        const quint64 decoded = f->Tavr1BlocksDecoded;
        for (int i = 0; i < blocks; ++i) {
            sim.fields.raw[0] = firstValue + i;
            sim.sendBlock();
        }
        EXPECT_TRUE(received(*f, qsizetype(blocks) * Tavr1BlockLength));
        f->Timer1Timer();
        return f->Tavr1BlocksDecoded - decoded;
    };
    // A new stream is taken once the next block shows where the first ends.
    ASSERT_EQ(stall(2, 0), 2u) << "the stream has begun";
    log.clear();

    // Eight blocks a second for ten seconds.
    constexpr int tenSeconds = 80;
    EXPECT_EQ(stall(tenSeconds, 100), quint64(tenSeconds));
    EXPECT_EQ(raws, range(100, tenSeconds));
    EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();

    EXPECT_EQ(stall(tenSeconds + 5, 300), quint64(tenSeconds + 1));
    EXPECT_EQ(raws, range(304, tenSeconds + 1));
    const QStringList errors = linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors[0].contains(" Tavr1 receive: 4 blocks and ")) << errors[0].toStdString();
    EXPECT_EQ(f->Tavr1Cutter.Drops.Blocks, 4u);
    EXPECT_EQ(stall(1, 500), 1u);
    EXPECT_EQ(raws, std::vector<int>{500});
    EXPECT_EQ(linesOf("ERROR").size(), 1);
    EXPECT_EQ(countLogLines("Tavr1 receive: 4 blocks and 6004 bytes were dropped in all"), 1);
}

// The rack answers each poll with a block, two a second; here it has answered
// ten seconds of polls while the program stood still. Each record of FM pairs
// brings its own samples and both halves their RDS groups.
TEST_F(StallTest, RackRecordsOfTenSecondsEachReachTheHistoryAsTheirOwnSample)
{
    RackSim sim(rkFM);
    sim.unit.pairs = true;
    auto f = openFrameOn(sim, htRackSystem, trNetwork);
    f->DevicePassword = "QUMOR7";
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4; }, 100, 40));
    sim.unit.silence = RackUnit::Silence::Polls; // the test sends every block
    TMessageRecorder<> window;
    f->RackWindow = &window;
    std::vector<int> samples;
    QObject::connect(f.get(), &TFrame2::measurementDecoded, [&] {
        samples.push_back(f->MeasurementHistory[RackLayout::Nuva1SeriesSlot][1] / 10);
    });
    SimModuleState& nuva1 = sim.unit.records.module(SimModule::Nuva1);
    auto stall = [&](int blocks, int firstValue) {
        samples.clear();
        window.seen.clear();
        f->RdsQueue.clear();
        const quint64 decoded = f->RackBlocksDecoded;
        for (int i = 0; i < blocks; ++i) {
            // A pair is one record: its number in the samples and the groups.
            nuva1.samples[0] = firstValue + i / 2;
            sim.unit.records.rdsGroups[0][0] = quint16(firstValue + i / 2);
            sim.send(sim.unit.nextBlocks());
        }
        EXPECT_TRUE(waitFor(
            [&] {
                f->BlockBuffer += f->GatherReceived(0);
                f->RxBuffer.clear();
                return f->BlockBuffer.size() >= qsizetype(blocks) * RackLayout::BlockLength;
            },
            20000));
        f->Timer1Timer();
        QCoreApplication::processEvents();
        return f->RackBlocksDecoded - decoded;
    };
    ASSERT_EQ(stall(2, 0), 2u) << "the stream has begun";
    log.clear();

    constexpr int tenSeconds = 20;
    ASSERT_EQ(RackLayout::BacklogBlocks, tenSeconds);
    EXPECT_EQ(stall(tenSeconds, 10), quint64(tenSeconds));
    EXPECT_EQ(samples, range(10, tenSeconds / 2));
    std::vector<int> groups;
    TRdsGroupQueue::Batch batch;
    while (f->RdsQueue.pop(batch))
        groups.push_back(batch[0].A);
    std::vector<int> twice;
    for (int r : range(10, tenSeconds / 2))
        twice.insert(twice.end(), {r, r});
    EXPECT_EQ(groups, twice) << "both halves of each pair";
    EXPECT_EQ(f->RdsQueue.dropped(), 0);
    // Each pair's messages in their order, the record's refresh once for the
    // burst: it reads the newest state.
    std::vector<int> order;
    for (const auto& s : window.seen)
        order.push_back(s.msg);
    ASSERT_GE(order.size(), 4u);
    EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 4),
              (std::vector<int>{UM_RDS_GROUPS, UM_RACK_DATA, UM_RACK_SAMPLES, UM_RDS_GROUPS}));
    EXPECT_EQ(std::count(order.begin(), order.end(), UM_RACK_SAMPLES), tenSeconds / 2);
    EXPECT_EQ(std::count(order.begin(), order.end(), UM_RDS_GROUPS), tenSeconds);
    EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();

    // Past the bound by four pairs and the half still arriving: seven halves
    // go, the record whose first half went with them among them.
    EXPECT_EQ(stall(tenSeconds + 8, 40), quint64(tenSeconds + 1));
    EXPECT_EQ(samples, range(44, tenSeconds / 2)) << "the pairs that came whole";
    const QStringList errors = linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors[0].contains(" QEL receive: 7 blocks and 700 bytes dropped"))
        << errors[0].toStdString();
    EXPECT_EQ(f->RackDrops.Blocks, 7u);
    EXPECT_EQ(stall(2, 90), 2u);
    EXPECT_EQ(samples, std::vector<int>{90});
    EXPECT_EQ(linesOf("ERROR").size(), 1);
    EXPECT_EQ(countLogLines("QEL receive: 7 blocks and 700 bytes were dropped in all"), 1);
}

// The unit answers each page request with a block; requests that piled up
// while the program stood still are answered together. Every block is stored,
// in order, on both transports.
TEST_F(StallTest, Bry1BlocksThatWaitTogetherAreAllStoredInOrder)
{
    for (const int transport : {trNetwork, trSerial}) {
        SCOPED_TRACE(transport == trNetwork ? "Tcp" : "Pty");
        Bry1Sim sim;
        auto f = openFrameOn(sim, htBry1, transport);
        ASSERT_TRUE(tickUntil(
            *f, [&] { return f->Bry1BlocksDecoded > 0; }, 40, 40));
        // From here the unit answers no request: the test sends every block.
        auto allStored = [&] { return f->Bry1BlocksDecoded == quint64(sim.blocksSent()); };
        sim.blocksBeforeSilence = sim.blocksSent();
        ASSERT_TRUE(tickUntil(*f, allStored, 40, 40));
        log.clear();
        // Ten seconds of a block every tick.
        const int first = sim.blocksSent();
        constexpr int tenSeconds = 80;
        sim.blocksBeforeSilence = -1;
        for (int i = 0; i < tenSeconds; ++i)
            sim.sendBlock();
        sim.blocksBeforeSilence = sim.blocksSent();
        ASSERT_EQ(sim.blocksSent(), first + tenSeconds);
        ASSERT_TRUE(tickUntil(*f, allStored, 400, 20));
        for (int k = 0; k < Bry1RingSize; ++k) {
            const int number = first + tenSeconds - 1 - k;
            TBry1Slot slot{};
            const QByteArray block = buildBry1Block(number % 3, number);
            for (int i = 0; i < Bry1BlockLength; ++i)
                slot[size_t(i)] = quint8(block.at(i));
            EXPECT_EQ(f->Bry1Slots[size_t((f->Bry1RingIndex + Bry1RingSize - k) % Bry1RingSize)],
                      slot)
                << "block " << number;
        }
        EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();
        EXPECT_EQ(f->Bry1Drops.Bytes, 0u);
        f->CloseConnection();
    }
}

// Past ten seconds of blocks at once the oldest go, counted; a burst's stray
// byte is counted too, and the block before it is kept.
TEST(Bry1Gather, PastTheBoundTheOldestBlocksGoCounted)
{
    TBry1Data d;
    TConnectionState s;
    TBlockDrops drops;
    QByteArray buffer, many;
    for (int n = 0; n < Bry1BacklogBlocks + 5; ++n)
        many += buildBry1Block(n % 3, n);
    EXPECT_EQ(GatherBry1Blocks(buffer, many, d, s, &drops), Bry1BacklogBlocks + 1);
    EXPECT_EQ(drops.Blocks, 4u);
    EXPECT_EQ(drops.Bytes, 4u * Bry1BlockLength);
    EXPECT_EQ(d.Bry1BlocksDecoded, quint64(Bry1BacklogBlocks + 1));
    EXPECT_TRUE(buffer.isEmpty());

    drops = {};
    const QByteArray block = buildBry1Block(0, 7);
    EXPECT_EQ(GatherBry1Blocks(buffer, block + QByteArray(1, '\x55') + block, d, s, &drops), 2);
    EXPECT_EQ(drops.Blocks, 0u);
    EXPECT_EQ(drops.Bytes, 1u);
}
