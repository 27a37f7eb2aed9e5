#include "link/RackLinkSupport.h"

#include "platform/SerialLib.h"

#include <set>

namespace {

class RackModemTest : public RackLinkFixture
{
protected:
    void TearDown() override
    {
        frame.reset();
        RackLinkFixture::TearDown();
    }

    bool openModem()
    {
        frame = std::make_unique<TFrame2>("Connect1");
        TFrame2& f = *frame;
        f.HardwareType = htRackSystem;
        f.Transport = trModem;
        f.ModemPort = 0;
        f.PhoneNumber = "5551234";
        f.DevicePassword = "QUMOR7";
        qputenv("TOLVEX_COM1", modem->openPty().toLocal8Bit());
        f.OpenConnection();
        return f.PortOpen;
    }
    // Runs the dial a tick at a time until pred holds. Before each tick that
    // reads an answer, the modem has taken every command sent, written all its
    // replies and they stand in the frame's port: however slow the machine,
    // no tick comes before the answer it waits for.
    bool dialUntil(const std::function<bool()>& pred, int maxTicks)
    {
        int sent = 0;
        auto answered = [&] {
            return modem->commandLines().size() >= sent && modem->pendingReplies() == 0 &&
                   modem->unsentBytes() == 0 && SioRxQue(frame->ModemPort) > 0;
        };
        for (int i = 0; i < maxTicks && !pred(); ++i) {
            if (frame->ConnectStep == 4 && !waitFor(answered, 5000))
                return false;
            const bool sends = frame->ConnectStep == 3;
            frame->Timer1Timer();
            sent += sends ? 1 : 0;
        }
        return pred();
    }
    bool tickWhile(const std::function<bool()>& pred, int maxTicks, int pumpMs = 40)
    {
        return tickUntil([&] { return !pred(); }, maxTicks, pumpMs);
    }
    // The dial, up to the step that waits on the named command.
    bool upTo(int commandIndex, quint32 step)
    {
        return tickUntil([&] { return frame->ModemCommandIndex == commandIndex &&
                                      frame->ConnectStep == step; },
                         80);
    }

    std::unique_ptr<ModemSim> modem = std::make_unique<ModemSim>(rkFM);
};

const QList<QByteArray> dialLines = {"ATZ\r",    "ATE1\r",   "ATV1\r",      "ATQ0\r",
                                     "ATL2\r",   "AT&C1\r",  "AT&D3\r",     "ATs2=43\r",
                                     "ATS8=2\r", "ATM1\r",   "ATDT5551234\r"};

} // namespace

TEST_F(RackModemTest, TheDialSetsUpTheModemAndTheLoginRunsThroughIt)
{
    for (bool echo : {true, false}) {
        SCOPED_TRACE(echo);
        modem->profileEcho = echo;
        ASSERT_TRUE(openModem());
        std::set<int> statuses;
        ASSERT_TRUE(tickUntil(
            [&] {
                statuses.insert(frame->Status);
                return frame->ProcessState == 4 && frame->BlocksSinceDisplay > 0;
            },
            300));
        EXPECT_TRUE(modem->received().startsWith(op(0x02)));
        EXPECT_EQ(modem->commandLines(), dialLines);
        EXPECT_TRUE(statuses.count(stInitializing));
        EXPECT_TRUE(statuses.count(stDialing));
        EXPECT_EQ(modem->unit.commands().mid(0, 2), (QList<QByteArray>{op(0x03), op(0x01)}));
        EXPECT_EQ(TFrame2::StatusText(frame->Status, frame->BlocksSinceDisplay), " Active ");
        EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();

        // Disconnect: 02 FE through the modem, then the port is let go.
        frame->StartDisconnect();
        ASSERT_TRUE(waitFor([&] { return modem->unit.signOffs() == 1; }, 2000));
        EXPECT_FALSE(frame->PortOpen);
        frame.reset();
        modem = std::make_unique<ModemSim>(rkFM);
    }
}

TEST_F(RackModemTest, ASilentCommandIsSentOnceMoreThenGivenUp)
{
    modem->silentOn = "ATL2";
    ASSERT_TRUE(openModem());
    ASSERT_TRUE(upTo(4, 4));
    int waiting = 0, resentAt = 0;
    while (frame->ProcessState == 2 && waiting < 100) {
        const int sent = int(modem->commandLines().count("ATL2\r"));
        frame->Timer1Timer();
        pump(3);
        if (frame->ConnectStep == 3 && !resentAt)
            resentAt = frame->TickCount;
        if (frame->ConnectStep == 4 && int(modem->commandLines().count("ATL2\r")) == sent)
            ++waiting;
    }
    pump(50);
    EXPECT_EQ(resentAt, 16);
    EXPECT_EQ(modem->commandLines().count("ATL2\r"), 2);
    EXPECT_EQ(frame->TickCount, 31);
    EXPECT_EQ(frame->Status, stError);
    EXPECT_TRUE(logged("ERROR", " MODEM not responding check settings "));
}

TEST_F(RackModemTest, BusyOrNoConnectionWaitsOutTheDial)
{
    for (int neverConnect = 0; neverConnect < 2; ++neverConnect) {
        SCOPED_TRACE(neverConnect);
        log.clear();
        frame.reset();
        modem->busy = !neverConnect;
        modem->neverConnect = neverConnect;
        ASSERT_TRUE(openModem());
        ASSERT_TRUE(dialUntil([&] { return frame->ConnectStep == 5; }, 80));
        int ticksWaited = 0;
        while (frame->ProcessState == 2 && ticksWaited < 400) {
            frame->Timer1Timer();
            ++ticksWaited;
            if (ticksWaited < 5)
                pump(40);
        }
        EXPECT_EQ(ticksWaited, 240);
        EXPECT_EQ(frame->Status, stError);
        EXPECT_TRUE(logged("ERROR", " Remote MODEM not responding check settings"));
        modem = std::make_unique<ModemSim>(rkFM);
    }
}

TEST_F(RackModemTest, NoCarrierStopsTheBlocksQuietly)
{
    modem->noCarrierAfterBlocks = 3;
    ASSERT_TRUE(openModem());
    ASSERT_TRUE(tickUntil([&] { return frame->ProcessState == 4; }, 300));
    ASSERT_TRUE(tickUntil([&] { return modem->unit.blocksSent() >= 3 && !modem->online(); }, 200));
    ticks(20, 20);
    frame->RefreshStatusText();
    ticks(20, 20);
    EXPECT_EQ(TFrame2::StatusText(frame->Status, frame->BlocksSinceDisplay), "InActive");
    EXPECT_EQ(modem->unit.blocksSent(), 3);
    EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();
}

TEST_F(RackModemTest, AHungUpPortIsReportedOnce)
{
    ASSERT_TRUE(openModem());
    ASSERT_TRUE(tickUntil([&] { return frame->ProcessState == 4; }, 300));
    modem->dropLink();
    ASSERT_TRUE(tickUntil([&] { return frame->Status == stError; }, 40));
    ticks(10, 10);
    EXPECT_EQ(countLogLines("COM Port Error(103): Win32 system error."), 1)
        << logOldestFirst().join(QChar(10)).toStdString();
}

// A CONNECT that comes right behind the dial's echo is not cleared away.
TEST_F(RackModemTest, AQuickConnectBehindTheEchoIsTaken)
{
    modem->connectDelayMs = 0;
    ASSERT_TRUE(openModem());
    ASSERT_TRUE(upTo(10, 4));
    pump(150); // echo and CONNECT both wait
    frame->Timer1Timer();
    EXPECT_EQ(frame->ConnectStep, 6u);
    ASSERT_TRUE(tickUntil([&] { return frame->ProcessState == 4; }, 100));
}
