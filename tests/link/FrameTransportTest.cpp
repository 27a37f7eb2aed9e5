#include "TestSupport.h"

#include "data/EventLog.h"
#include "link/Frame2.h"
#include "widgets/MessageBoxService.h"
#include "sim/peer/SimPeer.h"

#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// A frame on its own, with an event log to read and no message box allowed.
class FrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageLines = &log;
        SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            ++messageBoxes;
            ADD_FAILURE() << "unexpected message box: " << r.text.toStdString();
            return QMessageBox::Ok;
        });
    }
    void TearDown() override
    {
        SetMessageBoxAnswerer({});
        MessageLines = nullptr;
        qunsetenv("TOLVEX_COM1");
        qunsetenv("TOLVEX_COM2");
    }

    std::unique_ptr<TFrame2> makeFrame(int hardwareType, int transport,
                                       const char* name = "Connect1")
    {
        auto f = std::make_unique<TFrame2>(name);
        f->HardwareType = hardwareType;
        f->Transport = transport;
        f->RefreshConnectionList();
        return f;
    }

    // A frame connected over loopback TCP to sim.
    std::unique_ptr<TFrame2> tcpFrame(int hardwareType, SimPeer& sim, const char* name = "Connect1")
    {
        auto f = makeFrame(hardwareType, trNetwork, name);
        f->IpAddress = "127.000.000.001";
        f->TcpPort = sim.listenTcp();
        f->OpenConnection();
        EXPECT_TRUE(waitFor([&] { return f->PortOpen && sim.isConnected(); }));
        return f;
    }

    // A frame on serial port 0, which is sim's pseudo-terminal.
    std::unique_ptr<TFrame2> ptyFrame(int hardwareType, SimPeer& sim, const char* name = "Connect1")
    {
        qputenv("TOLVEX_COM1", sim.openPty().toLocal8Bit());
        auto f = makeFrame(hardwareType, trSerial, name);
        f->SerialPort = 0;
        f->OpenConnection();
        EXPECT_TRUE(f->PortOpen);
        return f;
    }

    QStringList errors() const
    {
        QStringList e;
        for (const QString& l : log.lines())
            if (l.startsWith("ERROR"))
                e << l;
        return e;
    }

    TEventLog log;
    int messageBoxes = 0;
};

QByteArray allBytes()
{
    QByteArray b;
    for (int i = 0; i < 256; ++i)
        b.append(char(i));
    return b;
}

} // namespace

TEST_F(FrameTest, SendCommandWritesEveryByteUnchangedOnBothTransports)
{
    const QByteArray bytes = QByteArray("\x00\xF0\xF1\xFE\xFF\r", 6) + allBytes();
    {
        SimPeer sim;
        auto f = ptyFrame(htRackSystem, sim);
        f->SendCommand(bytes);
        EXPECT_TRUE(sim.waitUntil([&] { return sim.received().size() >= bytes.size(); }, 3000));
        EXPECT_EQ(sim.received(), bytes);
    }
    {
        SimPeer sim;
        auto f = tcpFrame(htRackSystem, sim);
        f->SendCommand(bytes);
        EXPECT_TRUE(sim.waitUntil([&] { return sim.received().size() >= bytes.size(); }, 3000));
        EXPECT_EQ(sim.received(), bytes);
    }
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(FrameTest, ReadsKeepEveryByteUntilClearReceive)
{
    SimPeer sim;
    auto f = tcpFrame(htRackSystem, sim);

    sim.send("PASS");
    ASSERT_TRUE(waitFor([&] { return f->ReadUntilMarker() == "PASS"; }));
    EXPECT_FALSE(f->LineComplete);
    sim.send("WORD\xF0\xF1");
    ASSERT_TRUE(waitFor([&] { return f->ReadUntilMarker() == "PASSWORD"; }));
    EXPECT_TRUE(f->LineComplete);
    EXPECT_EQ(f->RxBuffer, QByteArray("PASSWORD\xF0\xF1"));

    f->ClearReceive();
    EXPECT_TRUE(f->RxBuffer.isEmpty());
    EXPECT_FALSE(f->LineComplete);

    // A NUL in a text reply reads as "X"; the first CR ends the line.
    sim.send(QByteArray("OK\0GO\rNEXT\r", 11));
    ASSERT_TRUE(waitFor([&] { return f->ReadUntilCr().startsWith("OKXGO"); }));
    EXPECT_EQ(f->ReadUntilCr(), "OKXGONEXT\r");
    EXPECT_TRUE(f->LineComplete);

    f->ClearReceive();
    sim.send("AB\xF0\xF1\xFF"
             "C");
    ASSERT_TRUE(waitFor([&] { return f->ReadUntilMarkerOrFF() == "ABC"; }));
    f->ClearReceive();
    sim.send(QByteArray("L1\0\r\nL2", 7));
    ASSERT_TRUE(waitFor([&] { return f->ReadUntilCrLf() == "L1XL2"; }));
}

// The firmware senders' line read against a unit that prints without ever
// ending a line (for minutes, during a reset wait): it keeps the newest bytes
// only, and the reply that finally comes is still found. A unit that sends
// lines faster than they are taken keeps its newest lines, each whole.
TEST_F(FrameTest, TakeLineKeepsOnlyTheNewestOfWhatIsNotTakenYet)
{
    for (int transport : {int(trNetwork), int(trSerial)}) {
        SCOPED_TRACE(transport == trNetwork ? "TCP" : "pty");
        SimPeer sim;
        auto f = transport == trNetwork ? tcpFrame(htTavr1, sim) : ptyFrame(htTavr1, sim);
        sim.setFlood(16 * 1024);
        qsizetype largest = 0;
        bool anyLine = false;
        ASSERT_TRUE(waitFor(
            [&] {
                anyLine = anyLine || f->TakeLine().has_value();
                largest = std::max(largest, f->RxBuffer.size());
                return sim.totalFlooded() > 2 * 1024 * 1024;
            },
            60000));
        sim.setFlood(0);
        EXPECT_FALSE(anyLine);
        EXPECT_LE(largest, TFrame2::LineReadKeepBytes);

        sim.send("PASS\rGC\r");
        std::optional<QByteArray> line;
        ASSERT_TRUE(waitFor([&] {
            line = f->TakeLine();
            return line.has_value();
        }));
        EXPECT_TRUE(line->endsWith("xPASS"));
        EXPECT_LE(line->size(), TFrame2::LineReadKeepBytes);
        EXPECT_EQ(f->TakeLine(), QByteArray("GC"));
        EXPECT_FALSE(f->TakeLine());
        EXPECT_TRUE(f->RxBuffer.isEmpty());

        // 120 KB of short lines in one write, then the answer.
        QByteArray burst;
        for (int i = 0; i < 20000; ++i)
            burst += "MICRO\r";
        sim.send(burst + "PASS\r");
        int micro = 0;
        largest = 0;
        ASSERT_TRUE(waitFor(
            [&] {
                line = f->TakeLine();
                largest = std::max(largest, f->RxBuffer.size());
                if (line && *line == "MICRO")
                    ++micro;
                else if (line)
                    return true;
                return false;
            },
            30000));
        EXPECT_EQ(*line, "PASS");
        EXPECT_LE(largest, TFrame2::TakeLineBacklogBytes);
        EXPECT_GT(micro, int(TFrame2::TakeLineBacklogBytes / 6) - 10);
        EXPECT_LT(micro, 20000);
    }
    EXPECT_TRUE(errors().isEmpty()) << errors().join('|').toStdString();
}

TEST_F(FrameTest, SerialReadsGatherFromThePseudoTerminal)
{
    SimPeer sim;
    auto f = ptyFrame(htTavr1, sim);
    sim.send("SPASS");
    ASSERT_TRUE(waitFor([&] { return f->ReadUntilCr() == "SPASS"; }));
    sim.send("WORD\r");
    ASSERT_TRUE(waitFor([&] { return f->ReadUntilCr() == "SPASSWORD"; }));
    EXPECT_TRUE(f->LineComplete);
}

TEST_F(FrameTest, AMissingSerialDeviceIsReportedAndTheFrameWaits)
{
    qputenv("TOLVEX_COM1", "/dev/tolvex-no-such-device");
    auto f = makeFrame(htRackSystem, trSerial);
    f->OpenConnection();
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].endsWith("<Connect1>   COM Port Error(1): No Such Port"))
        << errors()[0].toStdString();
    EXPECT_EQ(f->Status, stError);
    EXPECT_EQ(f->ProcessState, 1u);
    EXPECT_FALSE(f->PortOpen);
}

TEST_F(FrameTest, APortHeldByAnotherProcessIsReported)
{
    SimPeer sim;
    const QString pty = sim.openPty();
    QProcess holder;
    holder.start(QString(TOLVEX_BINARY_DIR) + "/tolvex-sim", {"hold", pty});
    ASSERT_TRUE(holder.waitForStarted());
    ASSERT_TRUE(waitFor([&] {
        holder.waitForReadyRead(10);
        return holder.readAllStandardOutput().contains("holding") ||
               holder.state() != QProcess::Running;
    }));
    ASSERT_EQ(holder.state(), QProcess::Running);

    qputenv("TOLVEX_COM1", pty.toLocal8Bit());
    auto f = makeFrame(htTavr1, trSerial);
    f->OpenConnection();
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].endsWith("COM Port Error(2): Port already opened"));
    EXPECT_EQ(f->Status, stError);
    EXPECT_EQ(f->ProcessState, 1u);
    holder.kill();
    holder.waitForFinished();
}

TEST_F(FrameTest, TwoFramesOnOnePortNeverDisturbEachOther)
{
    SimPeer sim;
    auto first = ptyFrame(htRackSystem, sim, "Connect1");
    auto second = makeFrame(htRackSystem, trSerial, "Connect2");
    second->SerialPort = 0;
    second->OpenConnection();
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].contains("<Connect2>   COM Port Error(2): Port already opened"));

    // The second frame's Disconnect and close touch nothing of the first's link.
    second->StartDisconnect();
    second->CloseConnection();
    pump(100);
    EXPECT_TRUE(sim.received().isEmpty());
    first->SendCommand("still mine");
    EXPECT_TRUE(sim.waitForReceived("still mine"));
}

TEST_F(FrameTest, AFarEndThatGoesAwayIsReportedOnce)
{
    SimPeer sim;
    auto f = ptyFrame(htTavr1, sim);
    sim.dropLink();
    pump(50);
    for (int i = 0; i < 20; ++i) {
        f->ReadUntilCr();
        pump(5);
    }
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].contains("COM Port Error(103)"));
    EXPECT_EQ(f->Status, stError);
    EXPECT_FALSE(f->PortOpen);
    f->SendCommand("EC\r"); // nothing to write to: silently nothing
}

TEST_F(FrameTest, TheNetworkRowsShowBothEndsOnceConnected)
{
    SimPeer sim;
    auto f = makeFrame(htTavr1, trNetwork);
    f->IpAddress = "127.000.000.001";
    f->TcpPort = sim.listenTcp();
    f->OpenConnection();
    ASSERT_EQ(f->ListView2->topLevelItemCount(), 2);
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(0), "Network Local");
    EXPECT_EQ(f->ListView2->topLevelItem(1)->text(0), "Network Remote");
    EXPECT_TRUE(f->ListView2->topLevelItem(0)->text(1).trimmed().isEmpty());
    EXPECT_TRUE(f->ListView2->topLevelItem(1)->text(1).trimmed().isEmpty());

    ASSERT_TRUE(waitFor([&] { return f->PortOpen; }));
    EXPECT_TRUE(f->ListView2->topLevelItem(0)->text(1).contains("127.0.0.1"));
    EXPECT_EQ(f->ListView2->topLevelItem(1)->text(1), QString(" 127.0.0.1  %1").arg(f->TcpPort));
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), QString(8, ' '));
}

TEST_F(FrameTest, ARefusedPortAndAPeerCloseEachGiveOneError)
{
    {
        SimPeer sim;
        const quint16 port = sim.listenTcp();
        sim.setRefuseConnections(true);
        auto f = makeFrame(htHDSystem, trNetwork);
        f->IpAddress = "127.0.0.1";
        f->TcpPort = port;
        f->OpenConnection();
        ASSERT_TRUE(waitFor([&] { return f->Status == stError; }));
        pump(100);
        ASSERT_EQ(errors().size(), 1);
        EXPECT_TRUE(errors()[0].contains("Socket Error(111): Connection refused"))
            << errors()[0].toStdString();
        EXPECT_EQ(f->ProcessState, 0u);
    }
    log.clear();
    {
        SimPeer sim;
        auto f = tcpFrame(htTavr1, sim);
        f->Status = stActive;
        sim.dropLink();
        ASSERT_TRUE(waitFor([&] { return f->Status == stError; }));
        pump(100);
        ASSERT_EQ(errors().size(), 1);
        EXPECT_TRUE(errors()[0].contains("Socket Error(")) << errors()[0].toStdString();
        EXPECT_FALSE(f->PortOpen);
    }
    {
        // The default address is never connected to.
        auto f = makeFrame(htTavr1, trNetwork);
        f->OpenConnection();
        ASSERT_TRUE(waitFor([&] { return f->Status == stError; }));
    }
    EXPECT_EQ(messageBoxes, 0);
}

TEST_F(FrameTest, DisconnectSendsTheFamilysGoodbyeThenCloses)
{
    struct Row
    {
        int hardwareType;
        QByteArray goodbye;
    } rows[] = {{htRackSystem, QByteArray("\x02\xFE", 2)}, {htBry1, "D0\r"}};
    for (const Row& row : rows) {
        for (int transport : {trNetwork, trSerial}) {
            SimPeer sim;
            auto f = transport == trNetwork ? tcpFrame(row.hardwareType, sim)
                                            : ptyFrame(row.hardwareType, sim);
            f->Status = stActive;
            f->ButtonC4->click();
            EXPECT_EQ(f->Status, stDisconnected);
            EXPECT_FALSE(f->PortOpen);
            EXPECT_TRUE(sim.waitUntil([&] { return sim.received() == row.goodbye; }, 2000))
                << row.hardwareType << "/" << transport << ": "
                << sim.received().toHex().toStdString();
            if (transport == trNetwork) {
                EXPECT_TRUE(sim.waitUntil([&] { return !sim.isConnected(); }, 2000));
            }
        }
    }
}

TEST_F(FrameTest, HdAndTavr1DisconnectRunTheirOwnSequence)
{
    auto f = makeFrame(htTavr1, trNetwork);
    f->ButtonC4->click();
    EXPECT_EQ(f->ProcessState, 7u);
    EXPECT_EQ(f->DisconnectStep, 0u);
    EXPECT_FALSE(f->DisconnectDone);
    f->ButtonC1->click();
    EXPECT_EQ(f->ProcessState, 6u);
    EXPECT_EQ(f->ConnectStep, 0u);
}

TEST_F(FrameTest, SignOffSendsEachFamilysCommandOnlyWhenOpen)
{
    struct Row
    {
        int hardwareType;
        QByteArray signOff;
    } rows[] = {{htRackSystem, QByteArray("\x02\xFE", 2)},
                {htBry1, ""},
                {htHDSystem, "EC\r"},
                {htTavr1, "EC\r"}};
    for (const Row& row : rows) {
        SimPeer sim;
        auto f = tcpFrame(row.hardwareType, sim);
        f->SignOff();
        f->CloseConnection();
        pump(150);
        EXPECT_EQ(sim.received(), row.signOff) << row.hardwareType;
        EXPECT_TRUE(f->HdObjectsReleased);
        EXPECT_EQ(f->Status, stDisconnected);
    }
    auto closed = makeFrame(htTavr1, trNetwork);
    closed->SignOff(); // not open: nothing to send, nothing fails
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(FrameTest, StatusTextOfAnActiveConnectionFollowsTheBlocks)
{
    auto f = makeFrame(htTavr1, trSerial);
    f->Status = stActive;
    f->BlocksSinceDisplay = 3;
    f->RefreshStatusText();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), " Active ");
    EXPECT_EQ(f->BlocksSinceDisplay, 0);
    f->RefreshStatusText();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), "InActive");

    const std::pair<int, const char*> texts[] = {{stDisconnected, "Disconnected"},
                                                 {stConnecting, "Connecting"},
                                                 {stDownloading, "Downloading"},
                                                 {stInitializing, "Initializing"},
                                                 {stDialing, "Dialing"},
                                                 {stWaiting, "Waiting"},
                                                 {stPassword, "Password "},
                                                 {stUpdating, "Updating "},
                                                 {stError, "Error"}};
    for (auto [status, text] : texts) {
        f->Status = status;
        f->RefreshStatusText();
        EXPECT_EQ(f->ListView2->topLevelItem(0)->text(2), text);
    }
}

TEST_F(FrameTest, TheConnectionAndHardwareLists)
{
    auto f = makeFrame(htRackSystem, trSerial);
    f->SerialPort = 2;
    f->BaudCode = 5;
    f->RefreshConnectionList();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(0), "RS-232");
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(1), "COM3   9600   8-N-1");
    f->Transport = trModem;
    f->ModemPort = 0;
    f->BaudCode = 3;
    f->RefreshConnectionList();
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(0), "MODEM");
    EXPECT_EQ(f->ListView2->topLevelItem(0)->text(1), "COM1   2400   8-N-1");

    // Nothing detected: the caption and N/A. A detected unit: (hardware, -, id, serial).
    f->RefreshHardwareList();
    ASSERT_EQ(f->ListView1->topLevelItemCount(), 1);
    EXPECT_EQ(f->ListView1->topLevelItem(0)->text(0), "Quelda System");
    EXPECT_EQ(f->ListView1->topLevelItem(0)->text(3), "N/A");

    auto t = makeFrame(htTavr1, trNetwork);
    t->UnitPresence[upTavr1] = true;
    t->DetectedUnits = 1;
    t->Tavr1ModelText = "Tavr-1";
    t->Tavr1Options = "Complete";
    t->Tavr1SerialText = "123456";
    t->RefreshHardwareList();
    ASSERT_EQ(t->ListView1->topLevelItemCount(), 1);
    QTreeWidgetItem* row = t->ListView1->topLevelItem(0);
    EXPECT_EQ(t->ListView1->headerItem()->text(2), "Option");
    EXPECT_EQ(row->text(0), "Tavr-1");
    EXPECT_EQ(row->text(1), "");
    EXPECT_EQ(row->text(2), "Complete");
    EXPECT_EQ(row->text(3), "123456");
    // Unchanged detection leaves the list alone.
    t->Tavr1SerialText = "999999";
    t->RefreshHardwareList();
    EXPECT_EQ(t->ListView1->topLevelItem(0)->text(3), "123456");
}

TEST_F(FrameTest, TransfersOnlyOnFamiliesThatHaveThem)
{
    auto rack = makeFrame(htRackSystem, trSerial);
    rack->ProcessState = 4;
    rack->StartFirmwareTransfer();
    rack->StartNetworkModuleTransfer();
    rack->AbortTransfer(1);
    EXPECT_EQ(rack->ProcessState, 4u) << "state 3 is the rack login";

    auto hd = makeFrame(htHDSystem, trSerial);
    hd->ProcessState = 4;
    hd->StartSomTransfer();
    EXPECT_EQ(hd->ProcessState, 4u) << "HD units have no SOM";
    hd->StartNetworkModuleTransfer();
    EXPECT_EQ(hd->ProcessState, 5u);
    EXPECT_EQ(hd->TransferKind, 1);

    auto t = makeFrame(htTavr1, trSerial);
    t->ProcessState = 4;
    t->AbortTransfer(5);
    EXPECT_EQ(t->ProcessState, 4u);
    // An abort on a polling frame changes nothing: there is no transfer.
    t->AbortTransfer(4);
    EXPECT_EQ(t->ProcessState, 4u);
    EXPECT_EQ(t->TransferStep, 0);
    t->StartSomTransfer();
    EXPECT_EQ(t->ProcessState, 9u);
    EXPECT_EQ(t->TransferKind, 0);
    EXPECT_EQ(t->TransferStep, 0);
    // On a transferring frame it sets the step, and the state stays.
    t->AbortTransfer(4);
    EXPECT_EQ(t->ProcessState, 9u);
    EXPECT_EQ(t->TransferStep, 98);
    t->AbortTransfer(2);
    EXPECT_EQ(t->TransferStep, 99);
}

TEST_F(FrameTest, RackActiveOnlyForRackHdAndTavr1)
{
    for (int hw : {htRackSystem, htBry1, htHDSystem, htTavr1}) {
        auto f = makeFrame(hw, trSerial);
        f->Status = stActive;
        EXPECT_EQ(f->IsRackActive(), hw != htBry1) << hw;
        f->Status = stConnecting;
        EXPECT_FALSE(f->IsRackActive());
    }
}

TEST_F(FrameTest, RequestExitAndPasswordChange)
{
    auto hd = makeFrame(htHDSystem, trSerial);
    hd->RequestExit();
    EXPECT_EQ(hd->ProcessState, 8u);
    EXPECT_FALSE(hd->ExitDone);
    auto t = makeFrame(htTavr1, trSerial);
    t->RequestExit();
    EXPECT_TRUE(t->ExitDone);

    // A password change during the login would take over its replies.
    SimPeer sim;
    auto rack = tcpFrame(htRackSystem, sim);
    rack->ProcessState = 3;
    rack->StartPasswordChange();
    EXPECT_EQ(rack->ProcessState, 3u);
    EXPECT_EQ(errors().size(), 1);
    rack->ProcessState = 4;
    // Without a new password nothing starts.
    rack->StartPasswordChange();
    EXPECT_EQ(rack->ProcessState, 4u);
    EXPECT_EQ(errors().size(), 2);
    rack->NewPassword = "NEWPW";
    rack->StartPasswordChange();
    EXPECT_EQ(rack->ProcessState, 5u);
    EXPECT_EQ(rack->PasswordStep, 0u);
}

TEST_F(FrameTest, TheTimerIntervalIsNeverZero)
{
    auto f = makeFrame(htTavr1, trSerial);
    f->SetTimerInterval(0);
    EXPECT_EQ(f->Timer1->interval(), 100);
    f->SetTimerInterval(125);
    EXPECT_EQ(f->Timer1->interval(), 125);
}
