#include "link/FrameSimSupport.h"

#include "protocol/hd/HdFirmware.h"
#include "shell/UpDateHD.h"
#include "shell/UpDateVren1.h"
#include "sim/firmware/DldGenerator.h"
#include "sim/hd/HdSim.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class UpDateHdTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        captureLogAndBoxes(log, boxes);
        QDir().mkpath(base.file("DLD"));
        QDir().mkpath(base.file("CONFIG"));
    }
    void TearDown() override
    {
        releaseLogAndBoxes();
    }

    TempBase base;
    TEventLog log;
    QStringList boxes;
};

// A frame that is not connected, holding what an identification would give.
std::unique_ptr<TFrame2> unitFrame(const QString& boot, const QString& main, int lcdType)
{
    auto f = std::make_unique<TFrame2>("Connect1");
    f->HardwareType = htHDSystem;
    f->HdModelName = "VREN-1";
    f->HdBootVersion = boot;
    f->SoftwareVersion = main;
    f->HdLcdType = quint8(lcdType);
    f->HdHasLcd = lcdType != 0;
    return f;
}

} // namespace

TEST_F(UpDateHdTest, Vren1DialogChoosesItsFileByDisplayAndVersion)
{
    base.writeFile("DLD/VREN1_HAN.DLD", MakeDldFile({4, "V03.05", "V04.05", {}, "\r\n"}));
    base.writeFile("DLD/VREN1_HANB.DLD", MakeDldFile({4, "V03.05", "V04.05", {}, "\r\n"}));
    base.writeFile("DLD/XPORT.DLD", MakeDldFile({4, {}, {}, "V6.10", "\r\n"}));
    struct Row
    {
        const char* main;
        int lcd;
        const char* box; // empty: none
        bool button1, button2, alt;
    };
    const Row rows[] = {
        {"04.03", 1, "", true, true, true},
        {"04.02", 1, "", true, false, false},
        {"04.03", 0, "Invaild LCD Type, Please Contact Korsa", false, false, false},
        {"04.03", 3, "Invaild LCD Type, Please Contact Korsa", false, false, false},
        {"4.03", 1, "Invaild Unit Software Version, Please Contact Korsa", false, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.main) + " type " + std::to_string(r.lcd));
        boxes.clear();
        auto f = unitFrame("03.05", r.main, r.lcd);
        TUpDateVren1 d;
        ASSERT_TRUE(d.ShowFor(*f, false));
        ASSERT_TRUE(waitFor([&] { return d.isVisible(); }));
        EXPECT_EQ(d.Button1->isEnabled(), r.button1);
        EXPECT_EQ(d.Button2->isEnabled(), r.button2);
        EXPECT_TRUE(d.Button3->isEnabled());
        if (QString(r.box).isEmpty()) {
            EXPECT_TRUE(boxes.isEmpty()) << boxes.join('|').toStdString();
            EXPECT_EQ(d.UseAltMainFile, r.alt);
            EXPECT_TRUE(d.MainFileName.endsWith("VREN1_HAN.DLD"));
            EXPECT_EQ(d.StaticText5->text(), "V03.05  V04.05");
            EXPECT_EQ(d.DisplayText->text(), "DISPLAY: HANTRONIX");
            EXPECT_EQ(d.LAN_Ver2_ST->text(), "V6.10");
        } else {
            ASSERT_EQ(boxes.size(), 1);
            EXPECT_TRUE(boxes[0].startsWith(r.box));
        }
        d.Button3->click();
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(f->ProcessState, 0u) << "an error box aborts nothing";
        EXPECT_TRUE(errorLines().isEmpty());
    }
}

TEST_F(UpDateHdTest, Vren1FileNotNewerEndsTheDialogWithNothingSent)
{
    base.writeFile("DLD/VREN1_HAN.DLD", MakeDldFile({4, "V03.05", "V04.02", {}, "\r\n"}));
    auto f = unitFrame("03.05", "04.02", 1);
    TUpDateVren1 d;
    ASSERT_TRUE(d.ShowFor(*f, false));
    ASSERT_TRUE(waitFor([&] { return d.isVisible(); }));
    d.Button1->click();
    ASSERT_EQ(boxes.size(), 2)
        << boxes.join('|').toStdString(); // the missing XPORT.DLD, the warning
    EXPECT_TRUE(boxes[1].startsWith("Update BOOT Software Version is the same or older"));
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(f->FirmwareTransferRunning());
    EXPECT_EQ(f->FirmwareFile(), nullptr);
}

TEST_F(UpDateHdTest, HdDialogChoosesItsFileByTheUnitVersion)
{
    base.writeFile("DLD/VREN1_HAN.DLD", MakeDldFile({4, "V04.00", "V04.00", {}, "\r\n"}));
    base.writeFile("DLD/VREN1_KYO.DLD", MakeDldFile({4, "V04.00", "V04.00", {}, "\r\n"}));
    struct Row
    {
        const char* version;
        const char* file; // empty: refused with box
        const char* box;
    };
    const Row rows[] = {
        {"BETA", "VREN1_HAN.DLD", ""},
        {"V02.15)", "VREN1_HAN.DLD", ""},
        {"V03.00)", "VREN1_KYO.DLD", ""},
        {"V02.14)", "", "Unit Cannot Be Updated In Field, Please Contact Korsa"},
        {"2.14", "", "Invaild Unit Software Version, Please Contact Korsa"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.version);
        boxes.clear();
        auto f = unitFrame({}, r.version, 0);
        TUpDateHD d;
        ASSERT_TRUE(d.ShowFor(*f, false));
        ASSERT_TRUE(waitFor([&] { return d.isVisible(); }));
        const bool ok = QString(r.box).isEmpty();
        EXPECT_EQ(d.Button1->isEnabled(), ok) << "Confirm only after a complete activation";
        EXPECT_TRUE(d.Button2->isEnabled());
        if (ok) {
            EXPECT_TRUE(boxes.isEmpty()) << boxes.join('|').toStdString();
            EXPECT_TRUE(d.MainFileName.endsWith(r.file));
        } else {
            ASSERT_EQ(boxes.size(), 1);
            EXPECT_TRUE(boxes[0].startsWith(r.box));
        }
        EXPECT_EQ(d.Serial100_CB->currentText(), "0");
        d.Serial100_CB->setCurrentIndex(1);
        d.Serial10_CB->setCurrentIndex(2);
        d.Serial1_CB->setCurrentIndex(3);
        EXPECT_EQ(d.SerialRecord(), "S20800200900010203C8");
        d.Button2->click();
        EXPECT_FALSE(d.isVisible());
    }
}

// The sender of the unit without display over a pseudo-terminal: the data,
// the serial record once, the FLASH digits, DONE saving 115200 baud, the
// reset wait and a reconnect that finds the port free.
TEST_F(UpDateHdTest, HdSenderOverAPtyEndToEnd)
{
    base.writeFile("DLD/VREN1_KYO.DLD", MakeDldFile({6, "V04.00", "V04.00", {}, "\r\n"}));
    HdSim sim;
    sim.setModel(HdSim::Model::Vren1);
    sim.download->replyDelayMs = 1;
    sim.download->scriptLineGapMs = 5;
    sim.download->resetMs = 100;
    sim.download->bcLine = 9; // the serial record, the line after the 8 data lines
    sim.download->bcCount = 1;
    TUpDateHD d;
    FrameHooks().hdUpdateDue = [&](TFrame2& fr, THdUpdateDialog) { return d.ShowFor(fr, true); };
    auto f = std::make_unique<TFrame2>("Connect1");
    f->HardwareType = htHDSystem;
    f->Transport = trSerial;
    f->SerialPort = 0;
    f->BaudChoice = 0;
    qputenv("TOLVEX_COM1", sim.openPty().toLocal8Bit());
    f->OpenConnection();
    ASSERT_TRUE(f->PortOpen);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return d.isVisible(); }, 400, 20));
    d.Serial100_CB->setCurrentIndex(4);
    d.Serial10_CB->setCurrentIndex(5);
    d.Serial1_CB->setCurrentIndex(6);
    ASSERT_TRUE(d.Button1->isEnabled());
    d.Button1->click();
    ASSERT_TRUE(f->FirmwareTransferRunning());
    QList<int> flashBar;
    ASSERT_TRUE(tickUntil(
        *f,
        [&] {
            const int v = d.ProgressBar1->value();
            if (d.StaticText7->text() == "Flashing EEPROM     " &&
                (flashBar.isEmpty() || flashBar.last() != v))
                flashBar << v;
            return f->TransferStep >= 11;
        },
        3000));
    EXPECT_EQ(flashBar, (QList<int>{0, 12, 25, 37, 50, 62, 75, 87, 100}))
        << "one step a FLASH digit";
    EXPECT_EQ(f->BaudChoice, 1);
    EXPECT_TRUE(base.readFile("CONFIG/Connect1.CFG").size() > 0);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !d.isVisible(); }, 3100));
    EXPECT_EQ(countLogLines(" EEPROM Update Succesful "), 1);
    const QList<QByteArray> got = sim.receivedLines();
    const qsizetype pg = got.indexOf("PG");
    ASSERT_GE(pg, 1);
    EXPECT_EQ(got[pg - 1], "HD");
    EXPECT_EQ(got.count(BuildSerialRecord(4, 5, 6)), 1) << "sent once, also when refused";
    EXPECT_EQ(sim.download->serialDigits(), QByteArray("\x04\x05\x06", 3));
    EXPECT_TRUE(got.contains("EF"));
    // The reconnect opens the port again without "Port already opened".
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 2 || f->ProcessState == 0; }, 200, 10));
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
    qunsetenv("TOLVEX_COM1");
}

namespace {

std::unique_ptr<TFrame2> hdOverTcp(HdSim& sim)
{
    return openFrameOn(sim, htHDSystem, trNetwork);
}

} // namespace

// The sender of the unit with display: "PG" carries the count, each phase
// waits for its own "PASS", and a failed phase closes the connection with
// the advice to start again.
TEST_F(UpDateHdTest, Vren1SenderFailsAPhaseAndClosesTheConnection)
{
    base.writeFile("DLD/VREN1_HAN.DLD", MakeDldFile({4, "V03.06", "V04.05", {}, "\r\n"}));
    base.writeFile("DLD/VREN1_HANB.DLD", MakeDldFile({48, "V03.06", "V04.05", {}, "\r\n"}));
    HdSim sim;
    sim.download->replyDelayMs = 1;
    sim.download->scriptLineGapMs = 5;
    sim.download->failPhase = 1;
    TUpDateVren1 d;
    FrameHooks().hdUpdateDue = [&](TFrame2& fr, THdUpdateDialog which) {
        EXPECT_EQ(which, THdUpdateDialog::TUpDateVren1);
        return d.ShowFor(fr, true);
    };
    auto f = hdOverTcp(sim);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return d.isVisible(); }, 400, 20));
    EXPECT_TRUE(d.UseAltMainFile) << "04.03 gets the alternative file";
    d.Button1->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !d.isVisible(); }, 3000, 2));
    const QList<QByteArray> got = sim.receivedLines();
    EXPECT_TRUE(got.contains("PG0032")) << "50 data lines";
    EXPECT_EQ(sim.download->linesAccepted(), 50);
    const QStringList errors = errorLines();
    ASSERT_EQ(errors.size(), 2) << errors.join('|').toStdString();
    EXPECT_TRUE(errors[0].endsWith(" Flashing EEPROM Failed "));
    EXPECT_TRUE(errors[1].endsWith(" Please Close Tolvex, and Re-open, and Re-Connect"));
    EXPECT_FALSE(f->PortOpen);
    EXPECT_EQ(f->Status, stError);
    EXPECT_EQ(f->FirmwareFile(), nullptr);
    EXPECT_NE(f->Timer1->interval(), 10);
}

// A cancel during the HD sender's data ends with its own text and the
// disconnect sequence; a login-opened HD dialog declined leaves the unit
// unpolled.
TEST_F(UpDateHdTest, HdSenderCancelAndDecline)
{
    base.writeFile("DLD/VREN1_KYO.DLD", MakeDldFile({40, "V04.00", "V04.00", {}, "\r\n"}));
    HdSim sim;
    sim.setModel(HdSim::Model::Vren1);
    sim.download->replyDelayMs = 1;
    TUpDateHD d;
    FrameHooks().hdUpdateDue = [&](TFrame2& fr, THdUpdateDialog which) {
        EXPECT_EQ(which, THdUpdateDialog::TUpDateHD);
        return d.ShowFor(fr, true);
    };
    auto f = hdOverTcp(sim);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return d.isVisible(); }, 400, 20));
    d.Button2->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(countLogLines(" HD firmware update declined; the unit is not polled "), 1);
    tickUntil(
        *f, [] { return false; }, 5, 10);
    EXPECT_EQ(f->ProcessState, 0u);

    // Opened again with the Update button, and cancelled mid-data.
    ASSERT_TRUE(d.ShowFor(*f, false));
    ASSERT_TRUE(waitFor([&] { return d.isVisible(); }));
    d.Button1->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return sim.download->linesAccepted() >= 5; }, 500, 2));
    f->AbortTransfer(4);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !d.isVisible(); }, 10, 2));
    EXPECT_EQ(countLogLines(" EEPROM Update Canceled "), 1);
    EXPECT_EQ(f->ProcessState, 7u) << "the disconnect sequence";
    EXPECT_EQ(f->FirmwareFile(), nullptr);
    EXPECT_FALSE(f->ButtonC3->isEnabled());
}

// A unit without display polled meanwhile (the dialog was busy at its
// login), its file missing: the Update button's dialog shows the box, keeps
// Confirm off, and its Cancel leaves the polling alone.
TEST_F(UpDateHdTest, AMissingFileOnAPollingUnitOnlyShowsItsBox)
{
    HdSim sim;
    sim.setModel(HdSim::Model::Vren1);
    TUpDateHD d;
    // Its login found the dialog taken by another connection.
    FrameHooks().hdUpdateDue = [&](TFrame2&, THdUpdateDialog) { return false; };
    FrameHooks().showUpdate = [&](TFrame2& fr) { d.ShowFor(fr, false); };
    auto f = hdOverTcp(sim);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4; }, 400, 20));
    EXPECT_EQ(countLogLines(" HD firmware update available; the unit is polled meanwhile "), 1);

    f->ButtonC3->click();
    ASSERT_TRUE(waitFor([&] { return d.isVisible(); }));
    ASSERT_EQ(boxes.size(), 1) << boxes.join('|').toStdString();
    EXPECT_TRUE(boxes[0].startsWith("Download File Not Found:"));
    EXPECT_TRUE(boxes[0].endsWith("VREN1_KYO.DLD"));
    EXPECT_FALSE(d.Button1->isEnabled());
    EXPECT_TRUE(d.Button2->isEnabled());
    d.Button2->click();
    EXPECT_FALSE(d.isVisible());
    tickUntil(
        *f, [] { return false; }, 10, 30);
    EXPECT_EQ(f->ProcessState, 4u);
    EXPECT_EQ(f->Status, stActive);
    EXPECT_TRUE(sim.streaming()) << "still polled";
    EXPECT_EQ(countLogLines("declined"), 0);
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
}

// The same sender over the network: "DONE" saves the unit's new baud rate
// but touches no serial port, and the reconnect opens a fresh socket and
// logs in again (the unit, still at its old version, is offered the update
// once more).
TEST_F(UpDateHdTest, HdSenderOverTcpReconnects)
{
    base.writeFile("DLD/VREN1_KYO.DLD", MakeDldFile({6, "V04.00", "V04.00", {}, "\r\n"}));
    HdSim sim;
    sim.setModel(HdSim::Model::Vren1);
    sim.download->replyDelayMs = 1;
    sim.download->scriptLineGapMs = 5;
    sim.download->resetMs = 100;
    TUpDateHD d;
    int offers = 0;
    FrameHooks().hdUpdateDue = [&](TFrame2& fr, THdUpdateDialog) {
        ++offers;
        return d.ShowFor(fr, true);
    };
    auto f = hdOverTcp(sim);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return d.isVisible(); }, 400, 20));
    d.Button1->click();
    int result = -1;
    QObject::connect(&d, &QDialog::finished, [&](int r) { result = r; });
    ASSERT_TRUE(tickUntil(
        *f, [&] { return result >= 0; }, 4000));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(countLogLines(" EEPROM Update Succesful "), 1);
    EXPECT_EQ(f->BaudChoice, 1);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return d.isVisible(); }, 400, 20));
    EXPECT_EQ(offers, 2);
    EXPECT_EQ(d.Frame(), f.get());
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
    d.Button2->click();
    EXPECT_EQ(countLogLines(" HD firmware update declined; the unit is not polled "), 1);
}
