#include "link/LineUnitLinkSupport.h"

#include "common/TDateTime.h"
#include "data/EventLog.h"
#include "link/Frame2.h"
#include "link/FrameHooks.h"
#include "link/HDLink.h"
#include "protocol/hd/HdBlockLayout.h"
#include "protocol/hd/HdRequests.h"
#include "sim/hd/HdObjects.h"
#include "sim/hd/HdSim.h"

#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class HDLinkTest : public TLineUnitLinkTest<HdSim, htHDSystem>
{
protected:
    void TearDown() override
    {
        TLineUnitLinkTest::TearDown();
        FrameHooks().hdUpdateDue = nullptr;
    }
};

class HDLinkBothTransports : public HDLinkTest
{};

} // namespace

TEST_P(HDLinkBothTransports, ClassicLoginPollsAndDecodes)
{
    auto f = connect(GetParam());
    TMessageRecorder<> rack;
    f->RackWindow = &rack;
    QueueSetParameter(*f, 15); // left from before the login: must not be sent
    ASSERT_TRUE(loggedIn(*f));
    EXPECT_EQ(sim.receivedLines().mid(0, 5), (QList<QByteArray>{"HD", "SC", "QUMOR7", "UI", "SD"}));
    EXPECT_EQ(f->Status, stActive);
    EXPECT_EQ(f->AccessLevel, 3);
    EXPECT_FALSE(f->ReadOnlyAccess);
    EXPECT_FALSE(f->SProtocol);
    EXPECT_EQ(f->DetectedUnits, 1);
    EXPECT_TRUE(f->UnitPresence[upVren1]);
    QTreeWidgetItem* row = f->ListView1->topLevelItem(0);
    EXPECT_EQ(row->text(0), " Vren-1 ");
    EXPECT_EQ(row->text(1), "");
    EXPECT_EQ(row->text(2), "N/A");
    EXPECT_EQ(row->text(3), "450123");
    EXPECT_TRUE(f->ButtonC3->isEnabled());
    EXPECT_EQ(f->HdBootVersion, "03.05");
    EXPECT_EQ(f->SoftwareVersion, "04.03");
    EXPECT_EQ(f->HdLanVersion, "6.1.0.0");
    EXPECT_EQ(f->HdLcdType, 1);

    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->HdLocalConfig[2] == 1001; }, 40, 60));
    EXPECT_EQ(f->Timer1->interval(), 125);
    EXPECT_EQ(f->HdLocalConfig, f->HdUnitConfig);
    for (int n = prTuning; n <= prHdProgramSelect; ++n)
        EXPECT_TRUE(f->PageRefresh.isRaised(n)) << n;
    EXPECT_EQ(f->HdMeasurements[0].Peak, sim.fields.measurements[0]);
    EXPECT_EQ(f->RackFamily, rkFM);
    f->RefreshStatusText();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), " Active ");
    pump(50);
    EXPECT_FALSE(rack.seen.empty());
    for (const auto& m : rack.seen)
        EXPECT_EQ(m.msg, UM_HD_DATA);
    EXPECT_EQ(linesOf("STATUS").size(), 1);
    EXPECT_TRUE(linesOf("STATUS").value(0).endsWith("<Connect1>    HD Succesful Connection"));
    EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();
    EXPECT_EQ(sim.requestLines(), QList<QByteArray>{}) << "the request queued before login";
}

TEST_P(HDLinkBothTransports, TheStreamIsCutIntoWholeBlocksOnly)
{
    const int transport = GetParam();
    sim.blockIntervalMs = 1000000; // the test sends the blocks itself
    auto f = connect(transport);
    ASSERT_TRUE(loggedIn(*f));
    TMessageRecorder<> rack;
    f->RackWindow = &rack;
    auto sendAndTick = [&] {
        sim.sendBlock();
        pump(150);
        f->Timer1Timer();
        pump(10);
    };
    // Garbage, then a block in two writes: one block, one refresh.
    sim.garbageBeforeBlocks = QByteArray("\xFF\xFE\x01 noise \xFD", 11);
    sim.splitBlocks = true;
    sendAndTick();
    EXPECT_EQ(f->BlockNumber, 1);
    EXPECT_EQ(rack.seen.size(), 1u);
    sim.garbageBeforeBlocks.clear();
    sim.splitBlocks = false;

    // Two blocks in one write: both decoded, in order, on the next tick,
    // which then posts one refresh.
    int announced = 0;
    QObject::connect(f.get(), &TFrame2::measurementDecoded, f.get(), [&] { ++announced; });
    sim.doubleBlocks = true;
    sendAndTick();
    EXPECT_EQ(f->BlockNumber, 3);
    EXPECT_EQ(rack.seen.size(), 2u);
    EXPECT_EQ(announced, 2) << "each block told of as it is decoded";
    sim.doubleBlocks = false;

    // A block cut short costs itself only: the next one, whose start it
    // swallowed, is decoded on the same tick.
    sim.truncateNextAt = 1000;
    sendAndTick();
    const int before = f->BlockNumber;
    EXPECT_EQ(before, 3) << "the short block waits for more bytes";
    f->HdMeasurements[0].Peak = 4242;
    sendAndTick();
    EXPECT_EQ(f->BlockNumber, before + 2);
    EXPECT_EQ(f->BlockChecksums[0], f->BlockChecksums[1]);
    EXPECT_EQ(f->HdMeasurements[0].Peak, sim.fields.measurements[0]);
    sendAndTick();
    EXPECT_EQ(f->BlockNumber, before + 3) << "decoding goes on";

    // A bad checksum: refused with one line, nothing else changed. The rack
    // hears of the run's first block (the raw-data window shows its sums),
    // not of the rest.
    log.clear();
    sim.badChecksums = 2;
    f->HdMeasurements[0].Peak = 4242;
    const size_t heard = rack.seen.size();
    sendAndTick();
    EXPECT_EQ(rack.seen.size(), heard + 1);
    EXPECT_NE(f->BlockChecksums[0], f->BlockChecksums[1]);
    sendAndTick();
    EXPECT_EQ(rack.seen.size(), heard + 1);
    EXPECT_EQ(f->HdMeasurements[0].Peak, 4242);
    EXPECT_EQ(linesOf("ERROR").size(), 1);
    EXPECT_TRUE(linesOf("ERROR").value(0).contains("HD block refused: checksum"));
    sendAndTick();
    EXPECT_EQ(rack.seen.size(), heard + 2);
    EXPECT_EQ(f->HdMeasurements[0].Peak, sim.fields.measurements[0]);

    // Silence: "InActive" at the next refresh, and no error for it.
    log.clear();
    f->RefreshStatusText();
    for (int i = 0; i < 5; ++i) {
        f->Timer1Timer();
        pump(10);
    }
    f->RefreshStatusText();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), "InActive");
    EXPECT_TRUE(linesOf("ERROR").isEmpty());

    // 3000 bytes without a marker: no block.
    sim.sendNoMarkerBurst = true;
    const int number = f->BlockNumber;
    f->RefreshStatusText();
    sendAndTick();
    EXPECT_EQ(f->BlockNumber, number);
    EXPECT_LE(f->RxBuffer.size(), 2);
    f->RefreshStatusText();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), "InActive");
    sim.sendNoMarkerBurst = false;

    // A burst of twenty blocks leaves the buffer bounded.
    for (int i = 0; i < 20; ++i)
        sim.sendBlock();
    pump(300);
    f->GatherReceived(0);
    f->Timer1Timer();
    EXPECT_LE(f->RxBuffer.size(), HdBlockBacklog * HdBlockLength);
    f->RefreshStatusText();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), " Active ");
}

TEST_P(HDLinkBothTransports, ADroppedLinkIsOneErrorAndNothingMore)
{
    auto f = connect(GetParam());
    ASSERT_TRUE(loggedIn(*f));
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->BlockNumber > 0; }, 40, 60));
    log.clear();
    sim.dropLink();
    tickUntil(
        *f, [&] { return f->Status == stError; }, 20, 50);
    EXPECT_EQ(f->Status, stError);
    const int number = f->BlockNumber;
    for (int i = 0; i < 5; ++i) {
        f->Timer1Timer();
        pump(20);
    }
    EXPECT_EQ(f->BlockNumber, number);
    const QStringList errors = linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors[0].endsWith(GetParam() == trNetwork
                                       ? "Socket Error(104): Connection reset by peer"
                                       : "COM Port Error(103): Win32 system error."))
        << errors[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothTransports, HDLinkBothTransports,
                         ::testing::Values(trNetwork, trSerial), [](const auto& info) {
                             return info.param == trNetwork ? "Tcp" : "Serial";
                         });

// The unit echoes an accepted string; on the network the echoed line travels
// in the S-protocol frame and updates the working copy.
TEST_F(HDLinkTest, AnEchoedStringTravelsInTheStampedFrame)
{
    sim.prompt = HdSim::Prompt::SProtocol;
    auto f = connect(trNetwork);
    ASSERT_TRUE(loggedIn(*f));
    f->HdEmailSettings.Address[2] = "night@station.example";
    QueueStringParameter(*f, 1026);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return sim.requestLines().size() == 1; }, 10, 20));
    f->HdEmailSettings.Address[2].clear();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->HdTextLineNew; }, 40, 60));
    EXPECT_EQ(f->HdTextLine, sim.requestLines().value(0));
    EXPECT_EQ(f->HdEmailSettings.Address[2], "night@station.example");
}

TEST_F(HDLinkTest, LoginLevelsAndPrompts)
{
    struct Row
    {
        HdSim::Prompt prompt;
        QByteArray level;
        QByteArray passwordLine; // empty: none sent
        bool sProtocol;
        int access;
        bool readOnly;
    } rows[] = {
        {HdSim::Prompt::Classic, "OPERATOR", "QUMOR7", false, 2, false},
        {HdSim::Prompt::Classic, "OBSERVER", "QUMOR7", false, 1, true},
        {HdSim::Prompt::SProtocol, "SUPERVISOR", "SPQUMOR7", true, 3, false},
        {HdSim::Prompt::ValidClassic, "", "", false, 3, false},
        {HdSim::Prompt::ValidSProtocol, "", "", true, 3, false},
    };
    for (const Row& r : rows) {
        sim.dropLink();
        sim.clearReceived();
        sim.prompt = r.prompt;
        sim.level = r.level;
        auto f = connect(trNetwork);
        ASSERT_TRUE(loggedIn(*f));
        QList<QByteArray> expected{"HD", "SC"};
        if (!r.passwordLine.isEmpty())
            expected << r.passwordLine;
        expected << "UI"
                 << "SD";
        EXPECT_EQ(sim.receivedLines().mid(0, expected.size()), expected);
        EXPECT_EQ(f->SProtocol, r.sProtocol);
        EXPECT_EQ(f->AccessLevel, r.access);
        EXPECT_EQ(f->ReadOnlyAccess, r.readOnly);
        EXPECT_EQ(f->ButtonC3->isEnabled(), !r.sProtocol);
    }
}

TEST_F(HDLinkTest, APrak1IsPolledWithoutARowOfItsOwn)
{
    sim.setModel(HdSim::Model::Prak1);
    auto f = connect(trNetwork);
    ASSERT_TRUE(loggedIn(*f));
    EXPECT_EQ(f->DetectedUnits, 2);
    EXPECT_FALSE(f->UnitPresence[upVren1]);
    EXPECT_EQ(f->HdUnitType, 2);
    EXPECT_EQ(f->HdModelName, "PRAK-1 SN(451000) SW(01.00)");
    QTreeWidgetItem* row = f->ListView1->topLevelItem(0);
    EXPECT_EQ(row->text(0), " HD System  ");
    EXPECT_EQ(row->text(1), "N/A");
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->BlockNumber > 0; }, 40, 60));
}

TEST(HdIdentification, EveryReplyAndItsCuts)
{
    struct Row
    {
        QByteArray reply;
        unsigned next;
        int type;
        bool lcd;
        int lcdType;
        const char *serial, *boot, *sw, *lan;
    } rows[] = {
        {"VREN-1 SN(450123) SW(03.05,04.03) LCD(1) LAN(6.1.0.0)", 6, 1, true, 1, "450123", "03.05",
         "04.03", "6.1.0.0"},
        {"VREN-1 SN(450123) SW(V03.05)", 8, 1, false, 0, "450123", "", "V03.05)", ""},
        {"PRAK-1 SN(451000) SW(01.00)", 6, 2, false, 0, "", "", "", ""},
        {"VREN-1 SN(45", 8, 1, false, 0, "45", "", "", ""},
        {"VREN-1 SW(03", 8, 1, false, 0, "", "", "03", ""},
        {"VREN-1 SN(450123) SW(03.05,04.03) LCD(", 6, 1, true, 0, "450123", "03.05", "04.03", ""},
        {"VREN-1 SW(03.05,04.03) LCD(X)", 6, 1, true, 0, "", "03.05", "04.03", ""},
        {"VREN-1 SW(03.05,04.03) LCD(2) LAN(6.1", 6, 1, true, 2, "", "03.05", "04.03", "6.1"},
        {"NOTHING", 0, 0, false, 0, "", "", "", ""},
    };
    TempBase base; // no DLD folder: no update due
    for (const Row& r : rows) {
        TFrame2 f("Connect1");
        const std::string at = r.reply.toStdString();
        EXPECT_EQ(HdIdentify(f, r.reply), r.next) << at;
        EXPECT_EQ(f.HdUnitType, r.type) << at;
        EXPECT_EQ(f.HdHasLcd, r.lcd) << at;
        EXPECT_EQ(f.HdLcdType, r.lcdType) << at;
        EXPECT_EQ(f.SerialNumber, r.serial) << at;
        EXPECT_EQ(f.HdBootVersion, r.boot) << at;
        EXPECT_EQ(f.SoftwareVersion, r.sw) << at;
        EXPECT_EQ(f.HdLanVersion, r.lan) << at;
    }
}

TEST_F(HDLinkTest, APrak1AfterAVren1KeepsNothingOfIt)
{
    auto f = connect(trNetwork);
    ASSERT_TRUE(loggedIn(*f));
    EXPECT_TRUE(f->HdHasLcd);
    f->HdFirmwareUpToDate = true;
    sim.setModel(HdSim::Model::Prak1);
    f->ButtonC1->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ConnectDone; }, 40, 10));
    ASSERT_TRUE(waitFor([&] { return f->PortOpen; }));
    ASSERT_TRUE(loggedIn(*f));
    EXPECT_EQ(f->HdUnitType, 2);
    EXPECT_FALSE(f->HdHasLcd);
    EXPECT_TRUE(f->SerialNumber.isEmpty());
    EXPECT_FALSE(f->HdFirmwareUpToDate);
    EXPECT_FALSE(f->UnitPresence[upVren1]);
}

TEST_F(HDLinkTest, AnUpdateDueGoesToTheHookOfTheLoggingInFrame)
{
    TempBase base;
    QDir().mkpath(base.file("DLD"));
    base.writeFile("DLD/VREN1_HAN.DLD", "2\r\nV03.05\r\nV04.02\r\nS0\r\nS9\r\n");
    TFrame2* seen = nullptr;
    THdUpdateDialog which = THdUpdateDialog::TUpDateHD;
    FrameHooks().hdUpdateDue = [&](TFrame2& frame, THdUpdateDialog w) {
        seen = &frame;
        which = w;
        return true;
    };
    auto f = connect(trNetwork);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return seen != nullptr; }, 40));
    EXPECT_EQ(seen, f.get());
    EXPECT_EQ(which, THdUpdateDialog::TUpDateVren1);
    EXPECT_EQ(f->ProcessState, 0u);
    EXPECT_FALSE(f->HdFirmwareUpToDate);
    EXPECT_EQ(f->FirmwareLineCount, 2);
    EXPECT_EQ(linesOf("STATUS").size(), 1);

    // Without a hook the unit is polled after a STATUS line.
    FrameHooks().hdUpdateDue = nullptr;
    log.clear();
    f->ButtonC1->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ConnectDone; }, 40, 10));
    ASSERT_TRUE(loggedIn(*f));
    EXPECT_TRUE(linesOf("STATUS").join('\n').contains("firmware update available"));
    EXPECT_EQ(linesOf("STATUS").filter("HD Succesful Connection").size(), 1);

    // An equal main version is up to date: straight to polling.
    base.writeFile("DLD/VREN1_HAN.DLD", "2\r\nV03.05\r\nV04.03\r\nS0\r\nS9\r\n");
    log.clear();
    f->ButtonC1->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ConnectDone; }, 40, 10));
    ASSERT_TRUE(loggedIn(*f));
    EXPECT_TRUE(f->HdFirmwareUpToDate);
    EXPECT_FALSE(linesOf("STATUS").join('\n').contains("firmware update available"));
}

TEST_F(HDLinkTest, TheUnitWithoutDisplayAlwaysReachesItsDialog)
{
    TempBase base;
    sim.setModel(HdSim::Model::Vren1);
    bool asked = false;
    FrameHooks().hdUpdateDue = [&](TFrame2&, THdUpdateDialog w) {
        asked = w == THdUpdateDialog::TUpDateHD;
        return false; // declined: polled
    };
    auto f = connect(trNetwork);
    ASSERT_TRUE(loggedIn(*f));
    EXPECT_TRUE(asked);
    EXPECT_EQ(linesOf("STATUS").filter("HD Succesful Connection").size(), 1);
}

TEST_F(HDLinkTest, RequestsReachTheUnitOnePerTick)
{
    sim.blockIntervalMs = 1000000;
    auto f = connect(trNetwork);
    ASSERT_TRUE(loggedIn(*f));
    for (int i = 0; i < 12; ++i)
        QueueSetParameter(*f, 232, 0, 0, 0, quint8(i % 6 + 1));
    f->Timer1Timer();
    ASSERT_TRUE(sim.waitUntil([&] { return sim.requestLines().size() == 1; }, 2000));
    for (int i = 0; i < 12; ++i) {
        f->Timer1Timer();
        pump(10);
    }
    ASSERT_TRUE(sim.waitUntil([&] { return sim.requestLines().size() == 11; }, 2000));
    pump(50);
    const QList<QByteArray> lines = sim.requestLines();
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[9], "CC00E804C7");
    EXPECT_EQ(lines[10], "CC00E806C9") << "the twelfth replaced the eleventh";
    EXPECT_EQ(sim.badSums(), 0);
    EXPECT_EQ(f->TxLine, "CC00E806C9\r");

    // Out of range: dropped with a DEBUG line.
    QueueSetParameter(*f, 170, 0, 0, 0, 9);
    QueueSetParameter(*f, 199, 0, 0, 0, 0);
    f->Timer1Timer();
    f->Timer1Timer();
    pump(100);
    EXPECT_EQ(sim.requestLines().size(), 11);
    EXPECT_EQ(linesOf("DEBUG").size(), 2);

    // The unit's echo comes back in the next block.
    f->HdLocalConfig[102] = -500;
    QueueSetParameter(*f, 110);
    f->Timer1Timer();
    ASSERT_TRUE(sim.waitUntil([&] { return sim.requestLines().size() == 12; }, 2000));
    f->HdLocalConfig[102] = 0;
    sim.sendBlock();
    pump(150);
    f->Timer1Timer();
    EXPECT_EQ(f->HdLocalConfig[102], -500);
    EXPECT_EQ(f->RxLine, "  110[006E]  00 00 FE 0C");
    EXPECT_TRUE(f->PageRefresh.isRaised(prAlarms));
}

// The unit's pictures travel chunk by chunk between the blocks' other parts
// and are filed by the status table; the event list names each.
TEST_F(HDLinkTest, PicturesArriveAndAreFiled)
{
    sim.blockIntervalMs = 20;
    auto f = connect(trNetwork);
    ASSERT_TRUE(loggedIn(*f));
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->AEData.GetPrimaryImage(0).Valid && f->AEData.GetStationLogo(0).Valid; },
        200, 20));
    const THD_AE_Object& primary = f->AEData.GetPrimaryImage(0);
    EXPECT_EQ(primary.Picture.Width, SimJpegWidth);
    EXPECT_EQ(primary.Picture.Height, SimJpegHeight);
    EXPECT_EQ(primary.FileName, "primary,1.jpg");
    EXPECT_EQ(f->AEData.GetStationLogo(0).Picture.Width, SimPngSide);
    const QStringList complete = f->AEEventList.Events.filter(",Received Complete Object,");
    ASSERT_EQ(complete.size(), 2) << f->AEEventList.Events.join('\n').toStdString();
    // Newest first: the logo, then the primary image.
    EXPECT_TRUE(complete[1].contains(",Received Complete Object,HD1,Primary,$1002,$0405," +
                                     QString::number(primary.Size) + ",$"))
        << complete[1].toStdString();
    EXPECT_TRUE(complete[1].endsWith(",primary 1.jpg,")) << complete[1].toStdString();
    EXPECT_EQ(complete[1].count(','), 9);
    EXPECT_TRUE(complete[0].contains(",HD1,Logo   ,$1001,$0203,")) << complete[0].toStdString();
    EXPECT_TRUE(f->AEEventList.Changed);
    EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();

    // Twenty blocks on, program 1 shows its logo as the radio image.
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->XhdrData.GetParamId(0) == 1; }, 200, 20));
    f->Timer1Timer();
    EXPECT_EQ(f->AEData.GetRadioImage(0).LotId, SimLogoLot);
    EXPECT_EQ(f->AEData.GetRadioImage(0).Picture, f->AEData.GetStationLogo(0).Picture);
    EXPECT_FALSE(f->AEEventList.Events.filter(",XHDR Display Logo,").isEmpty());
}

TEST_F(HDLinkTest, AHistoryRequestFillsTheAreaChunkByChunk)
{
    sim.blockIntervalMs = 20;
    auto f = connect(trNetwork);
    ASSERT_TRUE(loggedIn(*f));
    QueueHistoryRequest(*f, 0, 0, 0, 0, 5);
    bool newBeforeLast = false;
    ASSERT_TRUE(tickUntil(
        *f,
        [&] {
            if (f->HistoryData.New && f->HistoryData.Index + 340 < f->HistoryData.Len)
                newBeforeLast = true;
            return f->HistoryData.New;
        },
        400, 20));
    EXPECT_EQ(sim.requestLines().value(0), "SH0500");
    EXPECT_FALSE(newBeforeLast);
    EXPECT_EQ(f->HistoryData.Id, 5);
    EXPECT_EQ(f->HistoryData.Len, 8640);
    EXPECT_EQ(f->HistoryData.Index, 8500);
    const QByteArray sent = HdSim::historyBytes(5);
    ASSERT_EQ(sent.size(), 8640);
    for (int k = 0; k < 8640; ++k)
        ASSERT_EQ(f->HistoryData.Data[size_t(k)], quint8(sent[k])) << k;
    EXPECT_EQ(f->HistoryData.Data[8640], 0);

    // A diagnostic text of 2,384 bytes: its last chunk is clipped, not lost.
    QueueDiagnosticRequest(*f, 0, 0, 0, 0, 0);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->DiagnosticData.New; }, 400, 20));
    EXPECT_EQ(f->DiagnosticData.Index, 2380);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(f->DiagnosticData.Data.data()), 16),
              "diagnostic line ");
}

TEST_F(HDLinkTest, ANewConnectionStartsWithEmptyDataServices)
{
    TFrame2 f("Connect1");
    f.HardwareType = htHDSystem;
    f.Transport = trNetwork;
    f.IpAddress = "127.0.0.1";
    f.TcpPort = sim.listenTcp();
    f.AEEventList.AddEvent("old");
    f.XhdrData.SetLotId(1, 5);
    f.AEData.GetPrimaryImage(2).Valid = true;
    f.OpenConnection();
    EXPECT_TRUE(f.AEEventList.Events.isEmpty());
    EXPECT_EQ(f.XhdrData.GetLotId(1), 0);
    EXPECT_FALSE(f.AEData.GetPrimaryImage(2).Valid);

    // Once signed off, the holders are left alone.
    f.SignOff();
    f.AEEventList.AddEvent("kept");
    f.OpenConnection();
    EXPECT_EQ(f.AEEventList.Events, QStringList{"kept"});
}
