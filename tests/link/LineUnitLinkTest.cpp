#include "link/LineUnitLinkSupport.h"

#include "common/TDateTime.h"

#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

// What the HD and Tavr1 links do alike once logged in, for both families:
// the blocks kept with their time, the Connect, Disconnect and exit
// sequences with the family's wait, and the modem refused.

namespace {

template <class Texts>
class LineUnitLinkTest : public TLineUnitFamilyTest<Texts>
{};

TYPED_TEST_SUITE(LineUnitLinkTest, TLineUnitFamilies, TLineUnitFamilyNames);

const int BothTransports[] = {trNetwork, trSerial};

const char* nameOf(int transport)
{
    return transport == trNetwork ? "Tcp" : "Serial";
}

} // namespace

TYPED_TEST(LineUnitLinkTest, ClassicBlocksGetThePcTimeAppended)
{
    for (const int transport : BothTransports) {
        SCOPED_TRACE(nameOf(transport));
        this->sim.dropLink();
        auto f = this->connect(transport);
        ASSERT_TRUE(this->loggedIn(*f));
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        ASSERT_TRUE(this->tickUntil(
            *f, [&] { return f->BlockNumber > 0; }, 40, 60));
        const QByteArray stored = f->BlockSlots[TypeParam::currentBlockSlot];
        ASSERT_EQ(stored.size(), TypeParam::classicKeptLength);
        EXPECT_EQ(f->BlockSlots[BlockRingFirstSlot + f->BlockRingIndex], stored);
        EXPECT_GE(f->LastBlockTime, before);
        EXPECT_EQ(TDateTimeFromBytes(stored.right(8)).value_or(QDateTime()).toSecsSinceEpoch(),
                  f->LastBlockTime.toSecsSinceEpoch());
    }
}

TYPED_TEST(LineUnitLinkTest, SProtocolBlocksCarryTheUnitsStamp)
{
    auto& sim = this->sim;
    sim.prompt = SimLineUnit::Prompt::SProtocol;
    sim.stamp = QDateTime(QDate(2025, 1, 1), QTime(12, 0, 0));
    for (const int transport : BothTransports) {
        SCOPED_TRACE(nameOf(transport));
        this->log.clear();
        sim.dropLink();
        sim.clearReceived();
        auto f = this->connect(transport);
        ASSERT_TRUE(this->loggedIn(*f));
        EXPECT_EQ(sim.receivedLines().mid(0, 3), (QList<QByteArray>{"HD", "SC", "SPQUMOR7"}));
        EXPECT_TRUE(f->SProtocol);
        // Neither simulated unit can be updated from here under the S
        // protocol (the Tavr1's option letter is B).
        EXPECT_FALSE(f->ButtonC3->isEnabled());
        ASSERT_TRUE(this->tickUntil(
            *f, [&] { return f->BlockNumber > 1; }, 40, 60));
        EXPECT_EQ(f->BlockSlots[TypeParam::currentBlockSlot].size(),
                  TypeParam::stampedKeptLength(transport));
        EXPECT_EQ(f->LastBlockTime, sim.stamp);
        EXPECT_TRUE(this->linesOf("ERROR").isEmpty())
            << this->linesOf("ERROR").join('\n').toStdString();
    }
}

TYPED_TEST(LineUnitLinkTest, ConnectSignsOutWaitsAndLogsInAgain)
{
    auto& sim = this->sim;
    auto f = this->connect(trNetwork);
    ASSERT_TRUE(this->loggedIn(*f));
    int connects = 0;
    QObject::connect(&sim, &SimPeer::clientConnected, [&] { ++connects; });
    sim.clearReceived();

    f->ButtonC1->click();
    f->Timer1Timer(); // step 0
    f->Timer1Timer(); // HD
    f->Timer1Timer(); // EC
    EXPECT_TRUE(sim.waitForLine("EC"));
    EXPECT_EQ(sim.receivedLines(), (QList<QByteArray>{"HD", "EC"}));
    for (int i = 0; i < TypeParam::signOutWaitTicks; ++i)
        f->Timer1Timer();
    EXPECT_TRUE(f->PortOpen) << "still waiting out the " << TypeParam::signOutWaitTicks
                             << " ticks";
    f->Timer1Timer(); // the one after them ends the wait
    f->Timer1Timer(); // close
    EXPECT_FALSE(f->PortOpen);
    f->Timer1Timer(); // reopen
    EXPECT_TRUE(f->ConnectDone);
    ASSERT_TRUE(waitFor([&] { return connects == 1 && f->PortOpen; }));
    ASSERT_TRUE(this->loggedIn(*f));
    EXPECT_EQ(this->linesOf("STATUS").size(), 2);
}

TYPED_TEST(LineUnitLinkTest, DisconnectSignsOutAndCloses)
{
    auto& sim = this->sim;
    auto f = this->connect(trSerial);
    ASSERT_TRUE(this->loggedIn(*f));
    sim.clearReceived();
    f->ButtonC4->click();
    int ticks = 0;
    for (; ticks < 40 && !f->DisconnectDone; ++ticks)
        f->Timer1Timer();
    // Wake, end, the wait and one tick past it, close.
    EXPECT_EQ(ticks, TypeParam::signOutWaitTicks + 4);
    EXPECT_TRUE(f->DisconnectDone);
    EXPECT_TRUE(sim.waitForLine("EC"));
    EXPECT_EQ(sim.receivedLines().mid(0, 2), (QList<QByteArray>{"HD", "EC"}));
    EXPECT_EQ(f->Status, stDisconnected);
    EXPECT_FALSE(f->PortOpen);
    f->RefreshConnectionList();
    f->RefreshStatusText();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), "Disconnected");
}

TYPED_TEST(LineUnitLinkTest, TheExitSequenceIsAlwaysTraced)
{
    auto f = this->connect(trNetwork);
    ASSERT_TRUE(this->loggedIn(*f));
    TypeParam::startExit(*f);
    for (int i = 0; i < 40 && !f->ExitDone; ++i)
        f->Timer1Timer();
    EXPECT_TRUE(f->ExitDone);
    EXPECT_EQ(this->linesOf("DEBUG"),
              (QStringList{"DEBUG <Connect1>  Exit 0", "DEBUG <Connect1>  Exit 0-1",
                           "DEBUG <Connect1>  Exit 0-1-2", "DEBUG <Connect1>  Exit 0-1-2-3"}));
}

TYPED_TEST(LineUnitLinkTest, AModemTransportIsRefusedWithAReason)
{
    auto f = std::make_unique<TFrame2>("Connect1");
    f->HardwareType = TypeParam::hardwareType;
    f->Transport = trModem;
    qputenv("TOLVEX_COM1", this->sim.openPty().toLocal8Bit());
    f->ModemPort = 0;
    f->OpenConnection();
    ASSERT_TRUE(f->PortOpen);
    f->Timer1Timer();
    EXPECT_EQ(f->Status, stError);
    EXPECT_EQ(this->linesOf("ERROR").size(), 1);
}
