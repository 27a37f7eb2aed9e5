// The update dialog of the Vren1 with display against the simulated unit:
// a unit already at the file's version, and the network module's update
// from the click to the reconnect, and its refusal.
#include "link/FrameSimSupport.h"

#include "common/ProgramInfo.h"
#include "shell/UpDateVren1.h"
#include "sim/firmware/DldGenerator.h"
#include "sim/hd/HdSim.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

class UpDateVren1Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        captureLogAndBoxes(log, boxes);
        QDir().mkpath(base.file("DLD"));
        // The simulated unit is at boot 03.05, main 04.03, display type 1.
        base.writeFile("DLD/VREN1_HAN.DLD", MakeDldFile({4, "V03.06", "V04.03", {}, "\r\n"}));
        base.writeFile("DLD/VREN1_HANB.DLD", MakeDldFile({4, "V03.06", "V04.03", {}, "\r\n"}));
        base.writeFile("DLD/XPORT.DLD", MakeDldFile({8, {}, {}, "V6.10", "\r\n"}));
        sim.download->replyDelayMs = 1;
        sim.download->resetMs = 200;
        FrameHooks().hdUpdateDue = [this](TFrame2&, THdUpdateDialog) {
            ++updateOffers;
            return false;
        };
        FrameHooks().showUpdate = [this](TFrame2& f) { dialog.ShowFor(f, false); };
    }
    void TearDown() override
    {
        releaseLogAndBoxes();
        qunsetenv("TOLVEX_COM1");
    }

    // Logged in and polled, with the dialog opened by the Update button.
    std::unique_ptr<TFrame2> pollingWithDialog()
    {
        auto f = openFrameOn(sim, htHDSystem, transport);
        EXPECT_TRUE(tickUntil(
            *f, [&] { return f->ProcessState == 4; }, 400, 20));
        EXPECT_TRUE(f->ButtonC3->isEnabled());
        f->ButtonC3->click();
        EXPECT_TRUE(waitFor([&] { return dialog.isVisible(); }));
        return f;
    }

    void networkModuleUpdate();

    int transport = trNetwork;
    TempBase base;
    TEventLog log;
    HdSim sim;
    TUpDateVren1 dialog;
    QStringList boxes;
    int updateOffers = 0;
};

} // namespace

// File main = unit main: the login finds the unit up to date and polls it
// without offering the update; Update EEPROM then warns that this program's
// file is no newer than the unit, and its OK ends the dialog with nothing
// sent and the unit still polled.
TEST_F(UpDateVren1Test, AUnitAtTheFilesVersionIsPolledAndWarned)
{
    auto f = pollingWithDialog();
    EXPECT_EQ(updateOffers, 0);
    EXPECT_TRUE(f->HdFirmwareUpToDate);
    EXPECT_EQ(countLogLines(" HD Succesful Connection"), 1);
    EXPECT_EQ(countLogLines("update available"), 0);
    EXPECT_EQ(dialog.StaticText2->text(), "03.05    04.03");
    EXPECT_EQ(dialog.StaticText5->text(), "V03.06  V04.03");
    EXPECT_EQ(dialog.MessageText->text(), "Vren-1 EEPROM firmware is up to date.");
    EXPECT_TRUE(dialog.MessageText->styleSheet().contains("rgb(0, 128, 0)"));
    EXPECT_TRUE(dialog.Button1->isEnabled());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('|').toStdString();

    const qsizetype before = sim.receivedLines().size();
    dialog.Button1->click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], "Update MAIN Software Version is the same or older then Current "
                        "Software.Please download latest Tolvex for " +
                            QString(UpdatePageUrl));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Frame(), nullptr);
    EXPECT_FALSE(f->FirmwareTransferRunning());
    EXPECT_EQ(f->FirmwareFile(), nullptr);
    tickUntil(
        *f, [] { return false; }, 10, 10);
    const QList<QByteArray> after = sim.receivedLines().mid(before);
    EXPECT_FALSE(after.contains("HD")) << "nothing of a download went out";
    EXPECT_TRUE(std::none_of(after.begin(), after.end(),
                             [](const QByteArray& l) { return l.startsWith("PG"); }));
    EXPECT_EQ(f->ProcessState, 4u);
    EXPECT_EQ(f->Status, stActive);
    EXPECT_EQ(countLogLines("declined"), 0) << "the Update button's dialog changes nothing";
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
}

// The network module: "HD", "PG", the lines, "UL"; the unit drops the link
// (or falls silent on a serial line) while it takes the image: nothing
// logged, still "Updating ". The frame lets go of the socket or port at the
// tenth tick, waits the module out and reconnects.
void UpDateVren1Test::networkModuleUpdate()
{
    auto f = pollingWithDialog();
    ASSERT_TRUE(dialog.Button2->isEnabled()) << "04.03 can update its module";
    EXPECT_EQ(dialog.LAN_Ver1_ST->text(), "6.1.0.0");
    EXPECT_EQ(dialog.LAN_Ver2_ST->text(), "V6.10");
    int result = -1;
    QObject::connect(&dialog, &QDialog::finished, [&](int r) { result = r; });
    dialog.Button2->click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith("Updating the Lantronix Network Device will take 20 minutes."));
    ASSERT_EQ(f->ProcessState, 5u);
    EXPECT_FALSE(dialog.Button1->isEnabled());
    EXPECT_FALSE(dialog.Button3->isEnabled());
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->TransferStep == 7; }, 2000, 2));
    EXPECT_EQ(dialog.StaticText7->text(), "Updating Lantronix  ");
    EXPECT_EQ(dialog.CountText->text(), "");
    ASSERT_TRUE(waitFor([&] { return sim.receivedLines().endsWith("UL"); }, 1000));
    const QList<QByteArray> got = sim.receivedLines();
    const qsizetype pg = got.indexOf("PG000A");
    ASSERT_GE(pg, 1) << "eight records and the two end lines";
    EXPECT_EQ(got[pg - 1], "HD");
    EXPECT_EQ(got.mid(pg + 1, 10), sim.download->dataLines());
    EXPECT_EQ(got.value(pg + 11), "UL");
    EXPECT_EQ(sim.download->linesAccepted(), 10);

    pump(800); // the unit drops the link half a second after "UL"
    EXPECT_EQ(f->PortOpen, transport != trNetwork);
    EXPECT_EQ(f->Status, stUpdating);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
    for (int i = 0; i < 10; ++i)
        f->Timer1Timer();
    EXPECT_EQ(f->TransferStep, 7);
    EXPECT_FALSE(f->PortOpen);
    EXPECT_EQ(f->Timer1->interval(), 100);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->TransferStep == 17; }, 4300, 0));
    EXPECT_EQ(dialog.StaticText7->text(), "Resetting Unit   ");
    ASSERT_TRUE(tickUntil(
        *f, [&] { return result >= 0; }, 1000, 0));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(countLogLines(" Lantronix Update Succesful "), 1);
    EXPECT_EQ(f->FirmwareFile(), nullptr);
    EXPECT_NE(f->Timer1->interval(), 10);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4; }, 400, 20))
        << logOldestFirst().join('\n').toStdString();
    EXPECT_EQ(f->Status, stActive);
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
    EXPECT_EQ(countLogLines("No answer from the unit"), 0);
}

// However often it is opened, the dialog opens at the size its rows need,
// without empty bands.
TEST_F(UpDateVren1Test, TheDialogOpensAtItsCompactSizeEveryTime)
{
    auto f = pollingWithDialog();
    QList<QSize> sizes;
    for (int round = 0; round < 3; ++round) {
        if (round > 0) {
            f->ButtonC3->click();
            ASSERT_TRUE(waitFor([&] { return dialog.isVisible(); }));
        }
        pump(50);
        sizes << dialog.size();
        EXPECT_EQ(dialog.height(), dialog.sizeHint().height()) << round;
        EXPECT_LT(dialog.height(), 300) << round;
        dialog.Button3->click();
        ASSERT_TRUE(waitFor([&] { return !dialog.isVisible(); }));
    }
    EXPECT_EQ(sizes[1], sizes[0]);
    EXPECT_EQ(sizes[2], sizes[0]);
}

TEST_F(UpDateVren1Test, NetworkModuleUpdateOverTcp)
{
    networkModuleUpdate();
}

TEST_F(UpDateVren1Test, NetworkModuleUpdateOverASerialLine)
{
    transport = trSerial;
    networkModuleUpdate();
}

// The unit refuses a network-module line four times: "DE", the box naming
// the file, and the module's own failure text, never the EEPROM one.
TEST_F(UpDateVren1Test, NetworkModuleFourRefusalsEndInItsOwnText)
{
    sim.download->bcLine = 3;
    sim.download->bcCount = 4;
    auto f = pollingWithDialog();
    int result = -1;
    QObject::connect(&dialog, &QDialog::finished, [&](int r) { result = r; });
    dialog.Button2->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return result >= 0; }, 2000, 2));
    pump(20); // the box opens after the tick
    EXPECT_EQ(result, 2);
    ASSERT_NO_FATAL_FAILURE(expectNetworkModuleRefused(boxes, sim));
    const QList<QByteArray> got = sim.receivedLines();
    const qsizetype de = got.indexOf("DE");
    ASSERT_GE(de, 0);
    EXPECT_EQ(got.mid(de), (QList<QByteArray>{"DE", "", "EC"}));
    EXPECT_EQ(got.count(got.value(got.indexOf("PG000A") + 3)), 4) << "line 3 four times";
    EXPECT_FALSE(got.contains("UL"));
    EXPECT_EQ(f->Status, stError);
    EXPECT_EQ(f->FirmwareFile(), nullptr);
    EXPECT_NE(f->Timer1->interval(), 10);
    EXPECT_FALSE(TFrame2::AnyFirmwareTransferRunning());
    EXPECT_FALSE(dialog.isVisible());
}

// The unit's serial line is gone for good while the module resets: the
// reconnect cannot open the port, and the no-answer line says what to do.
TEST_F(UpDateVren1Test, ASerialLineGoneAfterTheModuleResetIsReported)
{
    transport = trSerial;
    sim.download->resetMs = -1; // the unit on the line is never heard again
    auto f = pollingWithDialog();
    dialog.Button2->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->TransferStep == 7; }, 2000, 2));
    // The unit falls silent half a second after "UL": its module resets.
    ASSERT_TRUE(waitFor([&] { return sim.receivedLines().endsWith("UL"); }, 20000));
    ASSERT_TRUE(waitFor([&] { return sim.isSilent(); }, 20000));
    sim.dropLink(); // the adapter pulled
    pump(20);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !dialog.isVisible(); }, 5300, 0));
    EXPECT_EQ(countLogLines(" Lantronix Update Succesful "), 1);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return countLogLines("No answer from the unit") > 0; }, 100, 5));
    ASSERT_NO_FATAL_FAILURE(expectNoAnswerAfterUpdate("COM Port Error"));
    EXPECT_EQ(f->Status, stError);
    EXPECT_EQ(f->FirmwareFile(), nullptr);
    EXPECT_NE(f->Timer1->interval(), 10);
    tickUntil(
        *f, [] { return false; }, 20, 0);
    EXPECT_EQ(countLogLines("No answer from the unit"), 1) << "said once";
}
