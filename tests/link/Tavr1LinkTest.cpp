#include "link/LineUnitLinkSupport.h"

#include "common/TDateTime.h"
#include "link/Tavr1Link.h"
#include "platform/IPClient.h"
#include "protocol/tavr1/Tavr1BlockLayout.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QPushButton>
#include <QTcpSocket>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Tavr1LinkTest = TLineUnitLinkTest<Tavr1Sim, htTavr1>;

} // namespace

// The main path with the frame's own timer: login to polling in a few seconds.
TEST_F(Tavr1LinkTest, ClassicLoginReachesPollingInRealTime)
{
    auto f = connect(trNetwork);
    f->Timer1->start();
    ASSERT_TRUE(waitFor([&] { return f->ProcessState == 4 && f->BlocksSinceDisplay > 0; }, 12000));

    const QList<QByteArray> expected = {"HD", "SC", "QUMOR7", "UI", "SD"};
    EXPECT_EQ(sim.receivedLines().mid(0, 5), expected);
    EXPECT_EQ(f->Status, stActive);
    f->RefreshStatusText();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), " Active ");
    EXPECT_TRUE(linesOf("STATUS").join('\n').endsWith("<Connect1>    Tavr1 Succesful Connection"));
    EXPECT_EQ(f->AccessLevel, 3);
    EXPECT_FALSE(f->ReadOnlyAccess);
    EXPECT_FALSE(f->SProtocol);
    QTreeWidgetItem* row = f->ListView1->topLevelItem(0);
    EXPECT_EQ(row->text(0), "Tavr-1");
    EXPECT_EQ(row->text(2), "Complete");
    EXPECT_EQ(row->text(3), "123456");
    EXPECT_EQ(f->Timer1->interval(), 125);
    EXPECT_TRUE(f->ButtonC3->isEnabled());

    // The first settings block replaces the working copy with the unit's.
    ASSERT_TRUE(waitFor([&] { return f->Tavr1LocalConfig[2] == 1001; }, 3000));
    EXPECT_FALSE(f->Tavr1UpdateLocalConfig);
    EXPECT_EQ(f->Tavr1Measurements[tcTotal][tsPeak], 1001);
    EXPECT_EQ(f->RackFamily, rkFM);
    EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();
}

// The identification step's waits run only on ticks where nothing answered: a
// reply read on the resend tick is taken without asking again, and one read
// on the tick after the last wait still logs in.
TEST_F(Tavr1LinkTest, AnIdentificationIsTakenOnWhicheverTickItIsRead)
{
    sim.answerIdentification = false;
    struct Case
    {
        int replyTick;
        QList<QByteArray> sentMeanwhile;
    };
    const Case cases[] = {{25, {}}, {51, {"", "UI"}}};
    for (const Case& c : cases) {
        log.clear();
        sim.dropLink();
        auto f = connect(trNetwork);
        ASSERT_TRUE(tickUntil(
            *f, [&] { return f->LoginStep == 5; }, 10));
        ASSERT_TRUE(sim.waitForLine("UI"));
        sim.clearReceived();
        for (int tick = 1; tick < c.replyTick; ++tick)
            f->Timer1Timer();
        sim.send(sim.identification + "\r");
        pump(80);
        f->Timer1Timer();
        EXPECT_EQ(f->LoginStep, 6u) << "reply on tick " << c.replyTick;
        EXPECT_NE(f->Status, stError) << "reply on tick " << c.replyTick;
        EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();
        pump(50);
        EXPECT_EQ(sim.receivedLines(), c.sentMeanwhile) << "reply on tick " << c.replyTick;
    }
}

// A refusal read on the tick the level wait runs out is one failure: one
// ERROR line and one goodbye.
TEST_F(Tavr1LinkTest, ARefusalOnTheLastTickFailsOnce)
{
    sim.answerPassword = false;
    auto f = connect(trNetwork);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->LoginStep == 3; }, 10));
    ASSERT_TRUE(sim.waitForLine("QUMOR7"));
    sim.clearReceived();
    for (int tick = 1; tick <= 10; ++tick)
        f->Timer1Timer();
    EXPECT_EQ(f->Status, stConnecting);
    sim.send("INVAILD\r");
    pump(80);
    f->Timer1Timer(); // tick 11
    EXPECT_EQ(f->Status, stError);
    EXPECT_EQ(f->ProcessState, 0u);
    const QStringList errors = linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors[0].endsWith(" Tavr1 INVAILD PASSWORD             "));
    ASSERT_TRUE(sim.waitForLine("EC"));
    pump(50);
    EXPECT_EQ(sim.receivedLines(), (QList<QByteArray>{"", "EC"}));
}

// The tick count runs straight into the reply in the password step's trace.
TEST(Tavr1LinkTrace, ThePasswordStepShowsItsTickThenTheReply)
{
    EXPECT_EQ(Tavr1PasswordTrace(7, "OPERATOR").toStdString(), " Detect 0-1-2-3 7OPERATOR");
    EXPECT_EQ(Tavr1PasswordTrace(11, "").toStdString(), " Detect 0-1-2-3 11");
}

// A peer that never stops talking during the login: the receive buffer keeps
// only the newest few kilobytes and the socket only its bound, the login
// fails once, and the failure closes the link so nothing piles up after it.
TEST_F(Tavr1LinkTest, AFloodDuringLoginStaysBoundedAndFailsOnce)
{
    sim.answerPrompt = false;
    auto f = connect(trNetwork);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->LoginStep == 2; }, 5, 0));
    QTcpSocket* socket = static_cast<TIPClientForm*>(f->Socket)->ClientSocket1;
    sim.setFlood(256 * 1024);
    qsizetype mostKept = 0;
    qint64 mostUnread = 0;
    for (int tick = 1; tick <= 31; ++tick) {
        pump(20);
        mostUnread = qMax(mostUnread, socket->bytesAvailable());
        f->Timer1Timer();
        mostKept = qMax(mostKept, f->RxBuffer.size());
    }
    EXPECT_GT(sim.totalFlooded(), 2 * 1024 * 1024) << "the flood reached the program";
    EXPECT_LE(mostKept, TFrame2::LineReadKeepBytes);
    EXPECT_LE(mostUnread, TIPClientForm::ReadBufferBytes);
    EXPECT_EQ(f->Status, stError);
    EXPECT_FALSE(f->TransportOpen());
    EXPECT_EQ(socket->state(), QAbstractSocket::UnconnectedState);
    EXPECT_TRUE(sim.waitUntil([&] { return !sim.isConnected(); }, 2000));

    pump(200);
    for (int tick = 0; tick < 5; ++tick)
        f->Timer1Timer();
    const QStringList errors = linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors[0].endsWith(" Tavr1 Hardware not responding check settings "));
    EXPECT_TRUE(f->RxBuffer.size() <= TFrame2::LineReadKeepBytes);
}

TEST_F(Tavr1LinkTest, AnObserverIsReadOnly)
{
    sim.level = "OBSERVER";
    auto f = connect(trSerial);
    ASSERT_TRUE(loggedIn(*f));
    EXPECT_EQ(f->AccessLevel, 1);
    EXPECT_TRUE(f->ReadOnlyAccess);
}

TEST(Tavr1Identification, EveryFieldAndItsDefaults)
{
    struct Row
    {
        QByteArray reply;
        const char *model, *serial, *sw, *boot, *options, *l1, *l2, *l3, *lan, *som;
    } rows[] = {
        {"Tavr-1 SN(123456) SW(01.18,01.20) OPT(1) REV(1:B 2:B 3:A) LAN(6.8.0.1)", "Tavr-1",
         "123456", "01.18", "01.20", "Complete", "B", "B", "A", "6.8.0.1", ""},
        {"Tavr-1 SN(160012) SW(01.18,01.20) OPT(1)", "Tavr-1 Lite", "160012", "01.18", "01.20",
         "Complete", "B", "B", "A", "", ""},
        {"Tavr-1 SN(123456) OPT(0)", "Tavr-1", "123456", "", "", "Basic", "B", "B", "A", "", ""},
        {"Tavr-1 SN(200001) SW(02.01,02.03) REV(1:C 2:B 3:B) SOM(1.05) LAN(9.9.9.9)", "Tavr-1",
         "200001", "02.01", "02.03", "Complete", "C", "B", "B", "", "1.05"},
        // Cut short: every field the reply does not reach keeps its default.
        {"Tavr-1 SN(1", "Tavr-1", "1", "", "", "Complete", "B", "B", "A", "", ""},
        {"Tavr-1 SN(16", "Tavr-1 Lite", "16", "", "", "Complete", "B", "B", "A", "", ""},
        {"Tavr-1 SW(01", "Tavr-1", "", "01", "", "Complete", "B", "B", "A", "", ""},
        {"Tavr-1 OPT(", "Tavr-1", "", "", "", "Complete", "B", "B", "A", "", ""},
        {"Tavr-1 REV(1:C", "Tavr-1", "", "", "", "Complete", "C", "B", "A", "", ""},
        {"Tavr-1 REV(", "Tavr-1", "", "", "", "Complete", "B", "B", "A", "", ""},
    };
    for (const Row& r : rows) {
        TFrame2 f("Connect1");
        f.Tavr1SomVersion = "stale";
        Tavr1Identify(f, r.reply);
        const std::string at = r.reply.toStdString();
        EXPECT_EQ(f.Tavr1ModelText, r.model) << at;
        EXPECT_EQ(f.Tavr1SerialText, r.serial) << at;
        EXPECT_EQ(f.Tavr1SoftwareVersion, r.sw) << at;
        EXPECT_EQ(f.Tavr1BootVersion, r.boot) << at;
        EXPECT_EQ(f.Tavr1Options, r.options) << at;
        EXPECT_EQ(f.Tavr1OptionLetter, r.l1) << at;
        EXPECT_EQ(f.Tavr1RevisionLetter2, r.l2) << at;
        EXPECT_EQ(f.Tavr1RevisionLetter3, r.l3) << at;
        EXPECT_EQ(f.Tavr1LanVersion, r.lan) << at;
        EXPECT_EQ(f.Tavr1SomVersion, r.som) << at;
        EXPECT_TRUE(f.UnitPresence[upTavr1]);
        EXPECT_EQ(f.DetectedUnits, 1);
    }
}

// Each fault of the stream, on both transports.
class Tavr1ReceiveFaults : public Tavr1LinkTest
{};

TEST_P(Tavr1ReceiveFaults, TheStreamIsCutIntoWholeBlocksOnly)
{
    const int transport = GetParam();
    {
        // Noise before the first block: the stream is taken from the first
        // block the next one confirms. (Noise between every two blocks would
        // leave no block confirmed: see the out-of-step case below.)
        sim.garbageBeforeBlocks = QByteArray("\xFF\xFE\x01 noise \xFD", 11);
        QObject::connect(&sim, &Tavr1Sim::blockSent, &sim,
                         [this] { sim.garbageBeforeBlocks.clear(); });
        auto f = connect(transport);
        ASSERT_TRUE(loggedIn(*f));
        ASSERT_TRUE(tickUntil(
            *f, [&] { return f->BlockNumber >= 3; }, 80, 60));
        EXPECT_EQ(f->Tavr1Measurements[tcTotal][tsPeak], 1001);
        EXPECT_TRUE(linesOf("ERROR").isEmpty());
        QObject::disconnect(&sim, &Tavr1Sim::blockSent, &sim, nullptr);
    }
    sim.dropLink();
    sim.garbageBeforeBlocks.clear();
    sim.splitBlocks = true;
    {
        auto f = connect(transport);
        ASSERT_TRUE(loggedIn(*f));
        ASSERT_TRUE(tickUntil(
            *f, [&] { return f->BlockNumber >= 3; }, 80, 60));
        EXPECT_EQ(f->Tavr1Measurements[tcTotal][tsPeak], 1001);
    }
    sim.dropLink();
    sim.splitBlocks = false;
    sim.blockIntervalMs = 1000000; // the test sends the blocks itself
    {
        auto f = connect(transport);
        ASSERT_TRUE(loggedIn(*f));
        // Two blocks in one write: both are decoded, in order, on the next
        // tick, and the rack window hears once.
        TMessageRecorder<> rack;
        f->RackWindow = &rack;
        // The frame tells of each block as it goes into the history, so a
        // window that counts samples sees both.
        std::vector<qint32> announced;
        QObject::connect(f.get(), &TFrame2::measurementDecoded, f.get(),
                         [&] { announced.push_back(f->Tavr1Measurements[tcTotal][tsPeak]); });
        sim.doubleBlocks = true;
        sim.sendBlock();
        pump(150);
        f->Timer1Timer();
        EXPECT_EQ(f->BlockNumber, 2);
        EXPECT_EQ(f->Tavr1BlocksDecoded, 2u);
        EXPECT_EQ(announced.size(), 2u);
        f->Timer1Timer();
        EXPECT_EQ(f->BlockNumber, 2);
        QCoreApplication::sendPostedEvents();
        ASSERT_EQ(rack.seen.size(), 1u);
        EXPECT_EQ(rack.seen[0].msg, UM_TAVR1_DATA);
        f->RackWindow = nullptr;
    }
    sim.dropLink();
    sim.doubleBlocks = false;
    sim.blockIntervalMs = 250;
    sim.noMarker = true;
    {
        auto f = connect(transport);
        ASSERT_TRUE(loggedIn(*f));
        tickUntil(
            *f, [] { return false; }, 20, 60);
        EXPECT_GT(sim.blocksSent(), 2);
        EXPECT_EQ(f->BlockNumber, 0) << "a stream without markers is never decoded";
        EXPECT_EQ(f->Tavr1Measurements[tcTotal][tsPeak], 0);
        EXPECT_LE(f->RxBuffer.size(), 2);
    }
}

// Block A without its last byte, then B, A, A. B's spectrum packs to the marker
// 280 bytes in, followed by what reads as the echo of code 15 with 59651: cut
// there, the tuning item of the working copy would be overwritten and the
// tail read as the unit's settings. Nothing of that may happen: the stream is
// decoded again from B, the first block the next marker confirms.
TEST_P(Tavr1ReceiveFaults, ALostByteChangesNoSetting)
{
    sim.blockIntervalMs = 1000000; // the test sends the blocks itself
    auto f = connect(GetParam());
    ASSERT_TRUE(loggedIn(*f));
    log.clear();

    Tavr1BlockFields fields;
    fields.tailKind = 0;
    fields.config = Tavr1Sim::defaultConfig();
    fields.config[2] = 9810;
    fields.config[3] = 9810; // the tuning item's copy
    fields.raw.fill(7);
    fields.raw[8] = 0; // where a block cut in B would find its tail kind: settings
    const QByteArray a = buildTavr1Block(fields);
    fields.raw.fill(9);
    QByteArray b = buildTavr1Block(fields);
    const char readings[] = "\xFF\xFE\xFD\x00\x0F\x00\x00\xE9\x03";
    b.replace(280, 9, QByteArray(readings, 9));
    sim.send(a.left(a.size() - 1) + b + a + a);

    for (int i = 0; i < 6; ++i) {
        pump(60);
        f->Timer1Timer();
    }
    EXPECT_EQ(f->BlockNumber, 3) << "B, A, A";
    EXPECT_EQ(f->Tavr1LocalConfig[2], 9810);
    EXPECT_EQ(f->Tavr1UnitConfig, fields.config);
    EXPECT_EQ(f->Tavr1RawValues[0], 7) << "the last block decoded is A";
    EXPECT_EQ(f->BlockSlots[CurrentTavr1BlockSlot].left(Tavr1BlockLength), a);
    const QStringList errors = linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
    EXPECT_TRUE(
        errors[0].endsWith(" Tavr1 block stream out of step: waiting for the next whole block "));

    // Noise between every two blocks leaves none confirmed: reported once,
    // nothing decoded, the buffer bounded.
    log.clear();
    const int before = f->BlockNumber;
    QByteArray noisy;
    for (int i = 0; i < 12; ++i)
        noisy += "noise" + b;
    sim.send(noisy);
    for (int i = 0; i < 6; ++i) {
        pump(60);
        f->Timer1Timer();
    }
    EXPECT_EQ(f->BlockNumber, before);
    EXPECT_EQ(f->Tavr1LocalConfig[2], 9810);
    EXPECT_LE(f->RxBuffer.size(), 8 * Tavr1BlockLength);
    EXPECT_EQ(linesOf("ERROR").size(), 1);
}

// A tail kind the unit never sends changes nothing and is reported once.
TEST_P(Tavr1ReceiveFaults, AnUnknownTailKindIsIgnoredAndReportedOnce)
{
    sim.blockIntervalMs = 1000000;
    auto f = connect(GetParam());
    ASSERT_TRUE(loggedIn(*f));
    log.clear();
    Tavr1BlockFields fields;
    fields.tailKind = 0;
    fields.config[2] = 9810;
    const QByteArray good = buildTavr1Block(fields);
    fields.tailKind = 7;
    fields.raw.fill(5);
    fields.echoCode = 15;
    fields.echo = {0, 0, 0x03, 0xE9};
    const QByteArray odd = buildTavr1Block(fields);
    sim.send(good + odd + odd + good + good);
    for (int i = 0; i < 8; ++i) {
        pump(60);
        f->Timer1Timer();
    }
    EXPECT_EQ(f->BlockNumber, 5);
    EXPECT_EQ(f->Tavr1LocalConfig[2], 9810);
    EXPECT_EQ(f->Tavr1RawValues[0], 0);
    const QStringList errors = linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors[0].endsWith(" Tavr1 block ignored: unknown tail kind 7 "));
}

INSTANTIATE_TEST_SUITE_P(BothTransports, Tavr1ReceiveFaults, ::testing::Values(trNetwork, trSerial),
                         [](const auto& info) {
                             return info.param == trNetwork ? "Tcp" : "Serial";
                         });

TEST_F(Tavr1LinkTest, AnUpdateDueIsReportedAndTheUnitStillPolled)
{
    TempBase base;
    QDir().mkpath(base.file("DLD"));
    base.writeFile("DLD/TAVR1_B.DLD", "2\r\nV01.18\r\nV01.30\r\nS0\r\nS9\r\n");
    auto f = connect(trNetwork);
    ASSERT_TRUE(loggedIn(*f));
    EXPECT_FALSE(f->Tavr1FirmwareUpToDate);
    EXPECT_EQ(f->FirmwareLineCount, 2);
    EXPECT_TRUE(linesOf("STATUS").join('\n').contains("firmware update available"));
    EXPECT_EQ(f->Status, stActive);

    // A file no newer than the unit: up to date, nothing said.
    log.clear();
    base.writeFile("DLD/TAVR1_B.DLD", "2\r\nV01.18\r\nV01.20\r\nS0\r\nS9\r\n");
    f->ButtonC1->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 1; }, 40, 10));
    ASSERT_TRUE(loggedIn(*f));
    EXPECT_TRUE(f->Tavr1FirmwareUpToDate);
    EXPECT_FALSE(linesOf("STATUS").join('\n').contains("firmware update available"));
}
