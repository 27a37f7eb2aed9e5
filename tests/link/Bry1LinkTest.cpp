#include "TestSupport.h"

#include "link/Frame2.h"
#include "platform/SerialLib.h"
#include "sim/bry1/Bry1Block.h"
#include "sim/bry1/Bry1Sim.h"

#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

TBry1Slot slotOf(const QByteArray& block)
{
    TBry1Slot slot{};
    for (int i = 0; i < block.size(); ++i)
        slot[i] = quint8(block[i]);
    return slot;
}

// A Bry1 frame against the simulated unit on the transport of the test's
// parameter, its timer stopped so the test runs the ticks.
class Bry1LinkTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override { MessageLines = &log; }
    void TearDown() override
    {
        MessageLines = nullptr;
        qunsetenv("TOLVEX_COM1");
    }

    std::unique_ptr<TFrame2> connect(int transport)
    {
        auto f = std::make_unique<TFrame2>("Connect1");
        f->HardwareType = htBry1;
        f->Transport = transport;
        if (transport == trNetwork) {
            f->IpAddress = "127.0.0.1";
            f->TcpPort = sim.tcpPort() ? sim.tcpPort() : sim.listenTcp();
        } else {
            if (sim.ptyPath().isEmpty() || !sim.isConnected())
                sim.openPty();
            qputenv("TOLVEX_COM1", sim.ptyPath().toLocal8Bit());
            f->SerialPort = 0;
        }
        f->OpenConnection();
        EXPECT_TRUE(waitFor([&] { return f->PortOpen; }));
        watched = f.get();
        stored = 0;
        lost = 0;
        lastIndex = f->Bry1RingIndex;
        return f;
    }

    // One tick, then time for the unit to answer.
    void tick(TFrame2& f, int pumpMs = 60)
    {
        f.Timer1Timer();
        pump(pumpMs);
        sample();
    }

    bool tickUntil(TFrame2& f, const std::function<bool()>& pred, int maxTicks, int pumpMs = 60)
    {
        for (int i = 0; i < maxTicks; ++i) {
            sample();
            if (pred())
                return true;
            tick(f, pumpMs);
        }
        sample();
        return pred();
    }

    bool polling(TFrame2& f)
    {
        return tickUntil(
            f, [&] { return f.ProcessState == 4; }, 12);
    }

    // Ticks until n more blocks were stored.
    bool blocks(TFrame2& f, int n)
    {
        const int target = stored + n;
        return tickUntil(
            f, [&] { return stored >= target; }, 4 * n + 4);
    }

    QStringList linesOf(const char* prefix) const
    {
        QStringList out;
        for (const QString& l : logOldestFirst())
            if (l.startsWith(prefix))
                out << l;
        return out;
    }

    // Counts the blocks the frame stores by following its ring index after
    // every tick (fewer than ten arrive between two ticks).
    void sample()
    {
        if (watched && watched->Bry1RingIndex != lastIndex) {
            stored += (watched->Bry1RingIndex - lastIndex + Bry1RingSize) % Bry1RingSize;
            lastIndex = watched->Bry1RingIndex;
        }
    }

    // The unit falls silent; ticks until every block it sent is stored (but
    // those the test knows lost) and the last one's page request is out.
    bool quiet(TFrame2& f)
    {
        sim.blocksBeforeSilence = sim.blocksSent();
        const bool done = tickUntil(
            f, [&] { return stored + lost == sim.blocksSent() && !f.BlockPending; }, 10);
        pump(60);
        sample();
        EXPECT_TRUE(done) << "stored " << stored << " sent " << sim.blocksSent() << " pending "
                          << f.BlockPending;
        return done && f.Bry1IdleTicks == 0;
    }

    TEventLog log;
    Bry1Sim sim;
    TFrame2* watched = nullptr;
    int stored = 0;
    int lost = 0; // blocks a fault cost
    int lastIndex = 0;
};

const auto transportName = [](const auto& info) {
    return info.param == trNetwork ? "Tcp" : "Serial";
};

} // namespace

// Detection, versions and polling with the frame's own timer, as a person
// would see them.
TEST_F(Bry1LinkTest, ConnectsAndPollsInRealTime)
{
    auto f = connect(trNetwork);
    f->Timer1->start();
    ASSERT_TRUE(waitFor([&] { return f->ProcessState == 2; }, 3000));
    ASSERT_TRUE(waitFor([&] { return f->Timer1->interval() == 1000; }, 3000));
    ASSERT_TRUE(waitFor([&] { return f->ProcessState == 4; }, 8000));
    ASSERT_TRUE(waitFor([&] { return sim.pageLines() >= 4; }, 5000));
    EXPECT_EQ(f->Timer1->interval(), 125);
    f->RefreshStatusText();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), " Active ");

    sim.blocksBeforeSilence = sim.blocksSent();
    pump(300);
    f->RefreshStatusText(); // the blocks of the last moment
    pump(1000);
    f->RefreshStatusText();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), "InActive");
    EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();
}

class Bry1BothTransports : public Bry1LinkTest
{};

TEST_P(Bry1BothTransports, TheMainPathDetectsReadsVersionsAndPagesThroughBlocks)
{
    TempBase base;
    QDir().mkpath(base.file("DLD"));
    base.writeFile("DLD/BryHC11.dld", "800\r\nV02.10\r\nV03.45\r\nS0...\r\n");

    auto f = connect(GetParam());
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 2; }, 3));
    // The caption row until the unit is known.
    ASSERT_EQ(f->ListView1->topLevelItemCount(), 1);
    EXPECT_EQ(f->ListView1->topLevelItem(0)->text(0), " Bry-1  ");
    EXPECT_EQ(f->ListView1->topLevelItem(0)->text(1), "N/A");

    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 3; }, 14));
    EXPECT_EQ(f->Timer1->interval(), 1000);
    EXPECT_EQ(f->Status, stConnecting);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->TransferKind == 2; }, 3));
    f->Timer1Timer(); // "D1": polling, before any block can have come
    EXPECT_EQ(f->ProcessState, 4u);
    EXPECT_EQ(f->Timer1->interval(), 125);
    EXPECT_EQ(f->Status, stConnecting) << "no block yet";
    f->RefreshStatusText();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), "Connecting");

    ASSERT_TRUE(blocks(*f, 4));
    // The page byte lies beyond the block, so every request is the second page.
    const QList<QByteArray> lines = sim.receivedLines();
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines.mid(0, 4), (QList<QByteArray>{"D0", "T", "U", "D1"}));
    for (const QByteArray& l : lines.mid(4))
        EXPECT_EQ(l, "D2");
    EXPECT_EQ(f->Bry1PageNext, 0);
    EXPECT_EQ(sim.startLines(), 1);

    EXPECT_EQ(f->Status, stActive);
    f->RefreshStatusText();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), " Active ");
    ASSERT_EQ(f->ListView1->topLevelItemCount(), 1);
    const QTreeWidgetItem* row = f->ListView1->topLevelItem(0);
    EXPECT_EQ(row->text(0), " Bry-1 ");
    EXPECT_EQ(row->text(1), "");
    EXPECT_EQ(row->text(2), "N/A");
    EXPECT_EQ(row->text(3), "340000");
    EXPECT_EQ(f->DetectedUnits, 1);
    EXPECT_FALSE(f->IsRackActive());

    EXPECT_EQ(f->Bry1Ident, "Bry-1");
    EXPECT_EQ(f->Bry1Versions.Text1, "HC11V01.23");
    EXPECT_EQ(f->Bry1Versions.Text2, "DSP1V04.56");
    EXPECT_EQ(f->Bry1Versions.Numbers, (std::array<int, 4>{1, 23, 4, 56}));
    EXPECT_EQ(f->Bry1HC11File.BootVersion, "V02.10");
    EXPECT_EQ(f->Bry1HC11File.MainVersion, "V03.45");
    EXPECT_TRUE(f->Bry1DSPFile.BootVersion.isEmpty()) << "no BRYDSP.DLD";
    EXPECT_TRUE(f->Bry1DSPFile.MainVersion.isEmpty());

    // The kinds cycle 0, 1, 2 from the first block, which went to slot 1.
    EXPECT_EQ(f->Bry1Records[1], slotOf(buildBry1Block(0, 0)));
    EXPECT_EQ(f->Bry1Table1, slotOf(buildBry1Block(1, 1)));
    EXPECT_EQ(f->Bry1Table2, slotOf(buildBry1Block(2, 2)));
    EXPECT_EQ(f->Bry1ChecksumErrors, 0);

    const QStringList status = linesOf("STATUS");
    ASSERT_EQ(status.size(), 1);
    EXPECT_TRUE(status[0].endsWith("<Connect1>    Bry-1 Succesful Connection"));
    EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();
}

// The time-out counts ticks: the answer is there in time, but it is not the name.
TEST_P(Bry1BothTransports, AWrongOrMissingNameFailsOnTheTwelfthTick)
{
    for (const bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "silent" : "trailing blank");
        log.clear();
        sim.clearReceived();
        sim.identity = "Bry-1 ";
        sim.answerIdentify = !silent;
        auto f = connect(GetParam());
        ASSERT_TRUE(tickUntil(
            *f, [&] { return f->LoginStep == 2; }, 4));
        for (int t = 1; t <= 11; ++t)
            tick(*f, t == 1 ? 80 : 0);
        EXPECT_EQ(f->Status, stConnecting);
        EXPECT_TRUE(linesOf("ERROR").isEmpty());
        tick(*f, 0); // the twelfth
        EXPECT_EQ(f->Status, stError);
        EXPECT_EQ(f->ProcessState, 0u);
        const QStringList errors = linesOf("ERROR");
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].endsWith("<Connect1>    Bry-1 not responding check settings "));
        EXPECT_EQ(f->Bry1Ident, silent ? "" : "Bry-1 ");
        for (int t = 0; t < 5; ++t)
            tick(*f, 20);
        EXPECT_EQ(sim.receivedLines(), (QList<QByteArray>{"D0", "T"}));
        f->CloseConnection();
        sim.dropLink();
        pump(50);
    }
}

TEST_P(Bry1BothTransports, BadBlocksCostOnlyThemselves)
{
    auto f = connect(GetParam());
    ASSERT_TRUE(polling(*f));
    ASSERT_TRUE(blocks(*f, 3));

    // Block n goes to slot n + 1 while every block is stored.
    auto placeOfKind = [&](int kind, int n) -> TBry1Slot& {
        return kind == 0   ? f->Bry1Records[(n + 1) % Bry1RingSize]
               : kind == 1 ? f->Bry1Table1
                           : f->Bry1Table2;
    };

    // A wrong sum: in the ring, counted, nowhere else.
    const int wrong = sim.blocksSent();
    sim.nextFault = Bry1Sim::Fault::WrongSum;
    const TBry1Slot before = placeOfKind(wrong % 3, wrong);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return stored >= wrong + 1; }, 10));
    EXPECT_EQ(f->Bry1Slots[(wrong + 1) % Bry1RingSize],
              slotOf(withWrongBry1Sum(buildBry1Block(wrong % 3, wrong))));
    EXPECT_EQ(placeOfKind(wrong % 3, wrong), before);
    EXPECT_EQ(f->Bry1ChecksumErrors, 1);
    EXPECT_EQ(f->Status, stActive);

    // A block in two pieces is taken whole.
    const int split = sim.blocksSent();
    sim.nextFault = Bry1Sim::Fault::Split;
    ASSERT_TRUE(tickUntil(
        *f, [&] { return stored >= split + 1; }, 10));
    EXPECT_EQ(placeOfKind(split % 3, split), slotOf(buildBry1Block(split % 3, split)));
    ASSERT_TRUE(quiet(*f));
    EXPECT_EQ(stored, sim.blocksSent());
    EXPECT_EQ(f->Bry1ChecksumErrors, 1);
    EXPECT_EQ(sim.startLines(), 1);
}

INSTANTIATE_TEST_SUITE_P(BothTransports, Bry1BothTransports, ::testing::Values(trNetwork, trSerial),
                         transportName);

// Over TCP the stream is cut and joined as the network likes.
TEST_F(Bry1LinkTest, TheNetworkStreamIsResynchronised)
{
    auto f = connect(trNetwork);
    ASSERT_TRUE(polling(*f));
    ASSERT_TRUE(blocks(*f, 1));

    sim.nextFault = Bry1Sim::Fault::Double;
    ASSERT_TRUE(blocks(*f, 3));
    sim.nextFault = Bry1Sim::Fault::GarbageBefore;
    ASSERT_TRUE(blocks(*f, 2));
    ASSERT_TRUE(quiet(*f));
    EXPECT_EQ(f->Bry1ChecksumErrors, 0);
    EXPECT_EQ(stored, sim.blocksSent());
    EXPECT_EQ(f->Bry1Slots[f->Bry1RingIndex], slotOf(buildBry1Block((stored - 1) % 3, stored - 1)));

    // A truncated block: nothing asks for a page until the idle restart, and
    // the block it runs into is lost with it.
    sim.blocksBeforeSilence = -1;
    sim.nextFault = Bry1Sim::Fault::Truncated;
    const int sent = sim.blocksSent();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return sim.blocksSent() >= sent + 4; }, 60));
    lost = 1; // the truncated block and the one it ran into are stored as one
    ASSERT_TRUE(quiet(*f));
    EXPECT_EQ(sim.startLines(), 3) << "two restarts: after the silence and after the cut";
    EXPECT_LE(f->Bry1ChecksumErrors, 1);
    const int good = stored - f->Bry1ChecksumErrors;
    EXPECT_GE(good, sim.blocksSent() - 2);
    EXPECT_EQ(f->Bry1Slots[f->Bry1RingIndex],
              slotOf(buildBry1Block((sim.blocksSent() - 1) % 3, sim.blocksSent() - 1)));
    EXPECT_LT(f->BlockBuffer.size(), Bry1BlockLength);
    // The garbage and the cut block's remains: each run of losses said once.
    EXPECT_EQ(linesOf("ERROR").size(), 2) << linesOf("ERROR").join('\n').toStdString();
    EXPECT_GT(f->Bry1Drops.Bytes, 10u);
}

// What waits on the serial line is gathered as the network's stream is: a
// burst costs only what is no block, and that is counted.
TEST_F(Bry1LinkTest, ASerialBurstKeepsItsWholeBlocks)
{
    auto f = connect(trSerial);
    ASSERT_TRUE(polling(*f));
    ASSERT_TRUE(blocks(*f, 1));
    log.clear();
    // The block and one stray byte: the block is stored, the byte counted.
    sim.nextFault = Bry1Sim::Fault::Burst;
    ASSERT_TRUE(blocks(*f, 2));
    // Two blocks in one write: both stored, in order.
    sim.nextFault = Bry1Sim::Fault::Double;
    ASSERT_TRUE(blocks(*f, 3));
    ASSERT_TRUE(quiet(*f));
    EXPECT_EQ(stored, sim.blocksSent());
    EXPECT_EQ(f->Bry1Slots[f->Bry1RingIndex],
              slotOf(buildBry1Block((stored - 1) % 3, stored - 1)));
    EXPECT_EQ(f->Bry1Slots[(f->Bry1RingIndex + Bry1RingSize - 1) % Bry1RingSize],
              slotOf(buildBry1Block((stored - 2) % 3, stored - 2)));
    EXPECT_EQ(f->Bry1ChecksumErrors, 0);
    EXPECT_EQ(f->Bry1Drops.Bytes, 1u);
    EXPECT_EQ(f->Bry1Drops.Blocks, 0u);
    const QStringList errors = linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors[0].contains(" Bry-1 receive: 0 blocks and 1 bytes dropped"));
    EXPECT_EQ(countLogLines("Bry-1 receive: 0 blocks and 1 bytes were dropped in all"), 1);
}

TEST_P(Bry1BothTransports, SilenceRestartsTheBlocksEveryElevenTicks)
{
    auto f = connect(GetParam());
    ASSERT_TRUE(polling(*f));
    ASSERT_TRUE(blocks(*f, 2));
    ASSERT_TRUE(quiet(*f));
    auto silentTicks = [&](int n) {
        for (int t = 0; t < n; ++t)
            tick(*f, 5);
        pump(60);
    };
    silentTicks(10);
    EXPECT_EQ(sim.startLines(), 1);
    silentTicks(1);
    EXPECT_EQ(sim.startLines(), 2) << "the 11th tick without a block";
    silentTicks(10);
    EXPECT_EQ(sim.startLines(), 2);
    silentTicks(1);
    EXPECT_EQ(sim.startLines(), 3);

    // A half-counted wait does not carry over into the next connection, and a
    // first block that never comes is asked for again.
    silentTicks(5);
    sim.clearReceived();
    sim.blocksBeforeSilence = 0;
    f->StartConnect();
    ASSERT_TRUE(waitFor([&] { return f->PortOpen; }));
    ASSERT_TRUE(polling(*f));
    EXPECT_EQ(sim.receivedLines(), (QList<QByteArray>{"D0", "T", "U", "D1"}));
    silentTicks(10);
    EXPECT_EQ(sim.receivedLines().count("D1"), 1);
    silentTicks(1);
    EXPECT_EQ(sim.receivedLines().count("D1"), 2);
}

TEST_F(Bry1LinkTest, APendingCommandCarriesThePageRequest)
{
    auto f = connect(trNetwork);
    ASSERT_TRUE(polling(*f));
    ASSERT_TRUE(blocks(*f, 1));
    sim.clearReceived();
    f->TxLine = "D\r";
    f->CommandPending = true;
    ASSERT_TRUE(blocks(*f, 1));
    EXPECT_FALSE(f->CommandPending);
    ASSERT_TRUE(sim.waitUntil([&] { return !sim.receivedLines().isEmpty(); }, 1000));
    EXPECT_EQ(sim.received().left(3), "D2\r");
    EXPECT_EQ(sim.receivedLines().count("D2"), sim.receivedLines().size());
}

TEST_P(Bry1BothTransports, TheButtonsStopReconnectAndShutDownSendsNothing)
{
    auto f = connect(GetParam());
    ASSERT_TRUE(polling(*f));
    ASSERT_TRUE(blocks(*f, 1));

    // Shut-down leaves the unit as it is.
    pump(100);
    sim.clearReceived();
    f->SignOff();
    pump(100);
    EXPECT_TRUE(sim.received().isEmpty());

    // Connect closes, reopens and detects the unit again.
    f->StartConnect();
    ASSERT_TRUE(waitFor([&] { return f->PortOpen; }));
    ASSERT_TRUE(polling(*f));
    ASSERT_TRUE(blocks(*f, 1));
    EXPECT_EQ(sim.receivedLines().mid(0, 4), (QList<QByteArray>{"D0", "T", "U", "D1"}));
    EXPECT_EQ(linesOf("STATUS").size(), 2);

    // Disconnect stops the blocks, then closes.
    pump(100);
    sim.clearReceived();
    f->ButtonC4->click();
    EXPECT_TRUE(sim.waitForReceived("D0\r"));
    EXPECT_EQ(sim.received(), "D0\r");
    EXPECT_FALSE(f->PortOpen);
    EXPECT_EQ(f->Status, stDisconnected);
    EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();
}

TEST_P(Bry1BothTransports, ADroppedLinkIsReportedOnceAndNothingStoredAfter)
{
    auto f = connect(GetParam());
    ASSERT_TRUE(polling(*f));
    ASSERT_TRUE(blocks(*f, 2));
    pump(100); // the last block has come
    sim.dropLink();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->Status == stError; }, 20));
    const int index = f->Bry1RingIndex;
    for (int t = 0; t < 15; ++t)
        tick(*f, 10);
    const QStringList errors = linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors[0].endsWith(GetParam() == trNetwork
                                       ? "Socket Error(104): Connection reset by peer"
                                       : "COM Port Error(103): Win32 system error."))
        << errors[0].toStdString();
    EXPECT_EQ(f->Status, stError);
    EXPECT_EQ(f->ProcessState, 0u);
    EXPECT_FALSE(f->PortOpen);
    EXPECT_EQ(f->Bry1RingIndex, index);
}

// A block that came just before the device went away dies with the link; the
// failure is still reported once.
TEST_F(Bry1LinkTest, ASerialDeviceGoneWithBytesWaitingIsReportedOnce)
{
    auto f = connect(trSerial);
    ASSERT_TRUE(polling(*f));
    ASSERT_TRUE(blocks(*f, 1));
    ASSERT_TRUE(quiet(*f));
    const int index = f->Bry1RingIndex;
    sim.blocksBeforeSilence = -1;
    sim.sendBlock();
    ASSERT_TRUE(waitFor([] { return SioRxQue(0) == Bry1BlockLength; }, 2000));
    sim.dropLink();
    pump(60);
    for (int t = 0; t < 5; ++t)
        tick(*f, 10);
    const QStringList errors = linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors[0].endsWith("COM Port Error(103): Win32 system error."));
    EXPECT_EQ(f->Status, stError);
    EXPECT_EQ(f->Bry1RingIndex, index);
    EXPECT_EQ(f->SerialBytesWaiting(), 0);
}

// A short or unreadable version answer is no reason to refuse the unit.
TEST_F(Bry1LinkTest, AShortVersionAnswerStillConnects)
{
    for (const QByteArray& answer : {QByteArray("U"), QByteArray("U1:HC11Vab.cd /  DSP1Vx")}) {
        SCOPED_TRACE(answer.constData());
        log.clear();
        sim.versions = answer;
        auto f = connect(trNetwork);
        ASSERT_TRUE(polling(*f));
        EXPECT_TRUE(linesOf("STATUS").value(0).endsWith(" Bry-1 Succesful Connection"));
        EXPECT_EQ(f->Bry1Versions.Text1, answer.size() > 1 ? "HC11Vab.cd" : "");
        EXPECT_EQ(f->Bry1Versions.Text2, answer.size() > 1 ? "DSP1Vx" : "");
        EXPECT_EQ(f->Bry1Versions.Numbers, (std::array<int, 4>{0, 0, 0, 0}));
        f->CloseConnection();
        sim.dropLink();
        pump(50);
    }
}
