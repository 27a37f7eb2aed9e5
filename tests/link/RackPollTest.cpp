#include "link/RackLinkSupport.h"

#include "platform/UserMessages.h"
#include "protocol/rack/RackCommands.h"

#include <QTreeWidget>

namespace {

class RackStreamTest : public RackLinkFixture, public ::testing::WithParamInterface<int>
{
protected:
    // Logged in, with the rack answering no polls: the test sends the bytes.
    void quietLogin()
    {
        makeSim();
        ASSERT_TRUE(open(GetParam()));
        ASSERT_TRUE(loggedIn());
        sim->unit.silence = RackUnit::Silence::Polls;
    }
    QByteArray block()
    {
        const TRackModuleRecord r = sim->unit.records.nextRecord();
        return sim->unit.records.recordBlock(r, r.w[3]);
    }
    // Sends bytes and runs ticks until the frame has read them.
    void deliver(const QByteArray& bytes, int tickCount = 3)
    {
        sim->send(bytes);
        pump(60);
        ticks(tickCount, 20);
    }
};

} // namespace

TEST_P(RackStreamTest, EveryShapeOfStreamIsCutIntoWholeBlocks)
{
    quietLogin();
    TFrame2& f = *frame;

    // Two blocks in one write: both on the next tick, in order.
    const QByteArray a = block(), b = block();
    sim->send(a + b);
    pump(80);
    f.Timer1Timer();
    EXPECT_EQ(f.BlocksSinceDisplay, 2);
    EXPECT_EQ(f.BlockSlots[CurrentRackBlockSlot].left(100), b);
    EXPECT_EQ(f.BlockSlots[RackRingFirstSlot + (f.BlockRingIndex + 9) % 10].left(100), a);

    // Garbage before the marker.
    f.BlocksSinceDisplay = 0;
    const QByteArray c = block();
    deliver(QByteArray("\x01\x02garbage\xFF\xFE", 11) + c);
    EXPECT_EQ(f.BlocksSinceDisplay, 1);
    EXPECT_EQ(f.BlockSlots[CurrentRackBlockSlot].left(100), c);

    // A block split across writes.
    f.BlocksSinceDisplay = 0;
    const QByteArray d = block();
    deliver(d.left(37), 1);
    EXPECT_EQ(f.BlocksSinceDisplay, 0);
    deliver(d.mid(37));
    EXPECT_EQ(f.BlocksSinceDisplay, 1);

    // An unknown marker: nothing decoded, the status as it was.
    f.BlocksSinceDisplay = 0;
    f.Status = stConnecting;
    QByteArray unknown = block();
    unknown[3] = char(0x30);
    deliver(unknown);
    EXPECT_EQ(f.BlocksSinceDisplay, 0);
    EXPECT_EQ(f.Status, stConnecting);

    // 99 bytes without a marker ending in FF FE, then the rest of a block.
    const QByteArray e = block();
    deliver(QByteArray(97, '\x11') + e.left(2), 1);
    deliver(e.mid(2));
    EXPECT_EQ(f.BlocksSinceDisplay, 1);
    EXPECT_EQ(f.BlockSlots[CurrentRackBlockSlot].left(100), e);

    // A block cut after 60 bytes, then whole blocks: the glued block's
    // sections fail their checks, the blocks after it decode.
    f.BlocksSinceDisplay = 0;
    const QByteArray g1 = block(), g2 = block(), g3 = block();
    deliver(block().left(60) + g1 + g2 + g3);
    EXPECT_GE(f.BlocksSinceDisplay, 2);
    EXPECT_EQ(f.BlockSlots[CurrentRackBlockSlot].left(100), g3);

    // A wrong sum in byte 99 is decoded anyway; the sums are kept.
    f.BlocksSinceDisplay = 0;
    QByteArray wrong = block();
    wrong[99] = char(wrong.at(99) ^ 0x5A);
    deliver(wrong);
    EXPECT_EQ(f.BlocksSinceDisplay, 1);
    EXPECT_NE(f.BlockChecksums[0], f.BlockChecksums[1]);

    // Fifty blocks in one write: the backlog stays within its bound, and
    // every block is decoded or, past the bound, counted in one line.
    log.clear();
    f.BlocksSinceDisplay = 0;
    const quint64 dropped = f.RackDrops.Blocks;
    QByteArray many;
    for (int i = 0; i < 50; ++i)
        many += block();
    sim->send(many);
    pump(100);
    for (int i = 0; i < 10; ++i) {
        f.Timer1Timer();
        EXPECT_LE(f.BlockBuffer.size(), (RackLayout::BacklogBlocks + 1) * 100);
        pump(20);
    }
    EXPECT_GE(f.BlocksSinceDisplay, RackLayout::BacklogBlocks + 1);
    EXPECT_EQ(f.BlocksSinceDisplay + int(f.RackDrops.Blocks - dropped), 50);
    EXPECT_TRUE(f.RxBuffer.isEmpty());
    EXPECT_EQ(linesOf("ERROR").size(), f.RackDrops.Blocks > dropped ? 1 : 0)
        << linesOf("ERROR").join('\n').toStdString();
}

TEST_P(RackStreamTest, FmPairsPostTheirGroupsAndCompleteOneRecord)
{
    quietLogin();
    TFrame2& f = *frame;
    TMessageRecorder<> window;
    f.RackWindow = &window;
    auto seen = [&] {
        QCoreApplication::processEvents();
        std::vector<int> out;
        for (const auto& s : window.seen)
            out.push_back(s.msg);
        window.seen.clear();
        return out;
    };
    RackRecords& rec = sim->unit.records;
    const TRackModuleRecord r = rec.nextRecord();

    deliver(rec.firstHalf(r));
    EXPECT_EQ(seen(), (std::vector<int>{UM_RDS_GROUPS}));
    EXPECT_EQ(f.RdsGroups[0].A, rec.rdsGroups[0][0]);
    EXPECT_EQ(f.RdsGroups[5].C, rec.rdsGroups[5][2]);

    deliver(rec.secondHalf(r));
    EXPECT_EQ(seen(), (std::vector<int>{UM_RACK_DATA, UM_RACK_SAMPLES, UM_RDS_GROUPS}));
    for (int i = 4; i < 100; ++i)
        EXPECT_EQ(f.RackBlock.Records[f.BlockNumber][i], r[i]) << "word " << i;

    // The first half lost: the second still brings its groups, no record.
    const int number = f.BlockNumber;
    deliver(rec.secondHalf(rec.nextRecord()));
    EXPECT_EQ(seen(), (std::vector<int>{UM_RDS_GROUPS}));
    EXPECT_EQ(f.BlockNumber, number);

    // Without a rack window the state is kept and nothing is posted.
    f.RackWindow = nullptr;
    const TRackModuleRecord r2 = rec.nextRecord();
    deliver(rec.firstHalf(r2) + rec.secondHalf(r2));
    EXPECT_TRUE(seen().empty());
    EXPECT_NE(f.BlockNumber, number);
}

INSTANTIATE_TEST_SUITE_P(BothTransports, RackStreamTest, ::testing::Values(trNetwork, trSerial),
                         [](const auto& info) {
                             return info.param == trNetwork ? "Tcp" : "Pty";
                         });

using RackPollTest = RackLinkFixture;

TEST_F(RackPollTest, PollsGoByTheClockAndCommandsBetweenThem)
{
    ASSERT_TRUE(open(trNetwork));
    ASSERT_TRUE(loggedIn());
    sim->unit.silence = RackUnit::Silence::Polls;
    QDateTime t(QDate(2026, 5, 1), QTime(10, 0, 0));
    frame->Clock = [&] { return t; };
    auto pollsDuring = [&](int tickCount, int stepMs) {
        const int before = sim->unit.polls();
        for (int i = 0; i < tickCount; ++i) {
            t = t.addMSecs(stepMs);
            frame->Timer1Timer();
            pump(1);
        }
        pump(80);
        return sim->unit.polls() - before;
    };
    EXPECT_EQ(pollsDuring(100, 50), 10);
    EXPECT_EQ(pollsDuring(100, 10), 2);
    // A clock set back polls at once rather than stalling.
    t = t.addSecs(-3600);
    EXPECT_EQ(pollsDuring(1, 0), 1);

    // A pending line leaves on a tick between polls, one per tick.
    sim->unit.silence = RackUnit::Silence::None;
    const int before = int(sim->unit.moduleCommands().size());
    frame->TxLine = QByteArray("\x1C\xFE", 2);
    frame->CommandPending = true;
    t = t.addMSecs(50);
    frame->Timer1Timer();
    EXPECT_FALSE(frame->CommandPending);
    frame->Timer1Timer(); // nothing pending: nothing more sent
    pump(80);
    EXPECT_EQ(sim->unit.moduleCommands().mid(before), (QList<QByteArray>{QByteArray("\x1C")}));
}

// Every family end to end: the hardware list names each module with the
// part number and text it reported.
TEST_F(RackPollTest, EachFamilyShowsItsModulesInTheHardwareList)
{
    struct Row
    {
        QString hardware, id, serial;
    };
    struct Case
    {
        int family;
        std::vector<Row> rows;
    };
    const Case cases[] = {
        {rkFM,
         {{" Kelb-1", "301201", "KELB100001"},
          {" JOV-4 ", "311245", "JV40000077"},
          {" Nuva-1", "351202", "NUVA100002"},
          {" Lyn-1", "361203", "LYN1000003"},
          {" Varn-1 0", "291204", "VARN100004"},
          {" Varn-1 1", "291205", "VARN100005"}}},
        {rkTV, {{" Gry-230 ", "231206", "GRY2300006"}, {" Gry-250 ", "251207", "GRY2500007"}}},
        {rkAM, {{" Pelo-1 ", "351208", "PELO100008"}, {" Pelo-2 ", "351209", "PELO200009"}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.family);
        makeSim(k.family).unit.blocksPerPoll = 4;
        sim->unit.prompt = RackUnit::Prompt::SValid; // no program download
        ASSERT_TRUE(open(trNetwork));
        ASSERT_TRUE(loggedIn());
        ASSERT_TRUE(tickUntil([&] { return frame->ListView1->topLevelItemCount() ==
                                           int(k.rows.size()); },
                              400, 10));
        for (int i = 0; i < int(k.rows.size()); ++i) {
            QTreeWidgetItem* item = frame->ListView1->topLevelItem(i);
            EXPECT_EQ(item->text(0), k.rows[i].hardware);
            EXPECT_EQ(item->text(2), k.rows[i].id);
            EXPECT_EQ(item->text(3), k.rows[i].serial);
        }
        EXPECT_EQ(frame->RackFamily, k.family);
        if (k.family == rkFM) {
            EXPECT_EQ(frame->MeasurementHistory[0][1], 564); // the Kelb1 total modulation
        }
        EXPECT_TRUE(linesOf("ERROR").isEmpty());
    }
}

TEST_F(RackPollTest, DisconnectConnectAndShutdownSignOff)
{
    for (int transport : {trNetwork, trSerial}) {
        SCOPED_TRACE(transport);
        makeSim();
        ASSERT_TRUE(open(transport));
        ASSERT_TRUE(loggedIn());
        frame->StartDisconnect();
        EXPECT_EQ(frame->Status, stDisconnected);
        EXPECT_FALSE(frame->PortOpen);
        ASSERT_TRUE(waitFor([&] { return sim->unit.signOffs() == 1; }, 2000));
        EXPECT_EQ(sim->unit.commands().last(), op(0x02));
    }

    // Connect on a logged-in rack: closed, opened and logged in again.
    makeSim();
    ASSERT_TRUE(open(trNetwork));
    ASSERT_TRUE(loggedIn());
    frame->DetectedUnits = 0x02;
    EXPECT_EQ(frame->RackController, 2);
    frame->StartConnect();
    EXPECT_EQ(frame->ProcessState, 1u);
    EXPECT_EQ(frame->DetectedUnits, 0);
    // The last connection's controller must not pick this one's decoders.
    EXPECT_EQ(frame->RackController, 0);
    ASSERT_TRUE(waitFor([&] { return frame->PortOpen; }));
    ASSERT_TRUE(loggedIn());
    EXPECT_EQ(sim->unit.commands().count(op(0x07)), 2);

    // Shut-down.
    frame->SignOff();
    ASSERT_TRUE(waitFor([&] { return sim->unit.signOffs() == 1; }, 2000));
}

TEST_F(RackPollTest, ADroppedLinkIsReportedAndNothingFails)
{
    for (int transport : {trNetwork, trSerial}) {
        SCOPED_TRACE(transport);
        log.clear();
        makeSim();
        ASSERT_TRUE(open(transport));
        ASSERT_TRUE(polling());
        sim->dropLink();
        ASSERT_TRUE(tickUntil([&] { return frame->Status == stError; }, 40));
        EXPECT_FALSE(linesOf("ERROR").isEmpty());
        ticks(5);
    }
}

// A module command reaches the rack, and the rack's next records echo it.
TEST_F(RackPollTest, ModuleCommandsComeBackAsEchoes)
{
    ASSERT_TRUE(open(trNetwork));
    ASSERT_TRUE(polling());
    frame->SendCommand(Kelb1SetValueCmd(8, 0x1234));
    frame->SendCommand(Nuva1ShowItemCmd(12));
    ASSERT_TRUE(tickUntil([&] { return frame->Kelb1State.Settings[8] == 0x1234 &&
                                       frame->Nuva1State.MenuIndex == 12; },
                          80));
    EXPECT_EQ(sim->unit.moduleCommands().mid(0, 2),
              (QList<QByteArray>{QByteArray("P\x08" "1234"), QByteArray("\x14\x0C")}));
}
