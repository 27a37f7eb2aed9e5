#include "link/FrameSimSupport.h"

#include "link/FirmwareDialog.h"
#include "shell/UpDateTavr1.h"
#include "sim/firmware/DldGenerator.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A unit at boot 01.04, main 01.17 with letters B, B, A: it wants TAVR1_1.DLD.
const QByteArray Unit117 = "Tavr-1 SN(123456) SW(01.04,01.17) OPT(1) REV(1:B 2:B 3:A) LAN(6.8.0.1)";

class UpDateTavr1Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        captureLogAndBoxes(log, boxes, &answer);
        QDir().mkpath(base.file("DLD"));
        base.writeFile("DLD/TAVR1_1.DLD", MakeDldFile({48, "V01.05", "V01.18", {}, "\r\n"}));
        base.writeFile("DLD/XPORT.DLD", MakeDldFile({8, {}, {}, "V6.10", "\r\n"}));
        sim.identification = Unit117;
        sim.download->replyDelayMs = 2;
        sim.download->scriptLineGapMs = 20;
        sim.download->resetMs = 300;
        sim.download->versionAfterUpdate = "01.18";
        FrameHooks().tavr1UpdateDue = [this](TFrame2& f) { return dialog.ShowFor(f, true); };
    }
    void TearDown() override
    {
        releaseLogAndBoxes();
    }

    std::unique_ptr<TFrame2> connectTcp() { return openFrameOn(sim, htTavr1, trNetwork); }

    // Logs in on the tick seam until the login has handed the unit to the
    // dialog and the dialog is shown.
    void loginToDialog(TFrame2& f)
    {
        ASSERT_TRUE(tickUntil(
            f, [&] { return dialog.isVisible(); }, 400, 20));
        ASSERT_EQ(dialog.Frame(), &f);
    }

    QStringList lines(const char* prefix) const
    {
        QStringList out;
        for (const QString& l : logOldestFirst())
            if (l.contains(prefix))
                out << l;
        return out;
    }

    // What the unit received after the download began, from "HD" on.
    QList<QByteArray> afterStart() const
    {
        QList<QByteArray> all = sim.receivedLines();
        const qsizetype at = all.lastIndexOf("HD", all.indexOf("PG0032"));
        return at < 0 ? QList<QByteArray>() : all.mid(at);
    }

    void expectClean(TFrame2& f)
    {
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.Frame(), nullptr);
        EXPECT_EQ(f.FirmwareFile(), nullptr);
        EXPECT_NE(f.Timer1->interval(), 10);
        EXPECT_FALSE(TFrame2::AnyFirmwareTransferRunning());
    }

    TempBase base;
    TEventLog log;
    Tavr1Sim sim;
    TUpDateTavr1 dialog;
    QStringList boxes;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
};

} // namespace

// The whole update with the frame's own timer: login finds the update due,
// the dialog shows the versions, the file goes out line by line, the unit
// flashes, resets, and the reconnect finds it up to date and polls it.
TEST_F(UpDateTavr1Test, MainFirmwareEndToEndInRealTime)
{
    // At 01.18 the unit is checked against TAVR1_B.DLD.
    base.writeFile("DLD/TAVR1_B.DLD", MakeDldFile({4, "V01.05", "V01.18", {}, "\r\n"}));
    auto f = connectTcp();
    f->Timer1->start();
    ASSERT_TRUE(waitFor([&] { return dialog.isVisible(); }, 10000));
    EXPECT_EQ(dialog.StaticText2->text(), "01.04   01.17");
    EXPECT_EQ(dialog.StaticText5->text(), "V01.05  V01.18");
    EXPECT_TRUE(dialog.Button1->isEnabled());
    EXPECT_FALSE(dialog.Button2->isEnabled()) << "below 1.18 the network module waits";
    EXPECT_EQ(dialog.MessageText->text(), "Please update the Tavr-1 EEPROM firmware.");
    EXPECT_TRUE(dialog.MessageText->styleSheet().contains("rgb(255, 0, 0)"));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('|').toStdString();

    int result = -1;
    QObject::connect(&dialog, &QDialog::finished, [&](int r) { result = r; });
    dialog.Button1->click();
    QStringList states;
    int maxProgress = 0;
    QString lastCount;
    const bool done = waitFor(
        [&] {
            const QString s = dialog.StaticText7->text();
            if (states.isEmpty() || states.last() != s)
                states << s;
            if (dialog.isVisible() && s == "Downloading Program ") {
                maxProgress = std::max(maxProgress, dialog.ProgressBar1->value());
                lastCount = dialog.CountText->text();
            }
            return result >= 0;
        },
        30000);
    ASSERT_TRUE(done) << states.join('|').toStdString();
    EXPECT_EQ(result, 1);
    EXPECT_EQ(maxProgress, 100);
    EXPECT_EQ(dialog.CountText->text(), "    50 of     50");
    for (const char* s : {"Downloading Program ", "Erasing EEPROM     ", "Flashing EEPROM     ",
                          "Verifying EEPROM    ", "Updating Micro   ", "Resetting Unit   "})
        EXPECT_TRUE(states.contains(s)) << s << " in " << states.join('|').toStdString();

    const QList<QByteArray> sent = afterStart();
    ASSERT_GE(sent.size(), 53);
    EXPECT_EQ(sent[0], "HD");
    EXPECT_EQ(sent[1], "PG0032");
    const QByteArray file = base.readFile("DLD/TAVR1_1.DLD");
    const QList<QByteArray> fileLines = file.split('\n');
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(sent[2 + i] + "\r", fileLines[3 + i]) << i;
    EXPECT_EQ(sent[52], "EF");
    EXPECT_EQ(sim.download->linesAccepted(), 50);
    EXPECT_EQ(lines(" EEPROM Update Succesful ").size(), 1);

    // The reconnect: the unit is up to date now and polled.
    ASSERT_TRUE(waitFor([&] { return f->Status == stActive && f->ProcessState == 4; }, 20000));
    EXPECT_TRUE(f->Tavr1FirmwareUpToDate);
    // It signed the unit off ("HD", "EC") before opening the link again.
    const QList<QByteArray> all = sim.receivedLines();
    const QList<QByteArray> after = all.mid(all.indexOf("EF") + 1);
    const qsizetype hd = after.indexOf("HD");
    ASSERT_GE(hd, 0) << after.size();
    EXPECT_EQ(after.value(hd + 1), "EC");
    EXPECT_GT(after.indexOf("SC", hd), hd) << "then the login";
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(f->FirmwareFile(), nullptr);
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
    EXPECT_TRUE(lines("No answer from the unit").isEmpty());
}

// The faults a download meets, on the tick seam. After each the dialog is
// gone, the file released, the timer off 10 ms, and only the named errors
// were logged.
TEST_F(UpDateTavr1Test, DownloadFaultsEndCleanly)
{
    struct Row
    {
        const char* what;
        std::function<void(Tavr1Sim&)> fault;
        QStringList errors;
        bool succeeds;
        QByteArray badBox;        // expected box text start
        int pgTimes = 1;          // "PG0032" sent this often
        int line9Times = 0; // data line 9 sent this often (0: not checked)
    };
    const Row rows[] = {
        {"no READY",
         [](Tavr1Sim& s) { s.download->answerPg = false; },
         {" Hardware Not Responding", " EEPROM Update Failed "},
         false,
         {},
         2},
        {"three BC then GC",
         [](Tavr1Sim& s) {
             s.download->bcLine = 7;
             s.download->bcCount = 3;
         },
         {},
         true,
         {}},
        {"four BC",
         [](Tavr1Sim& s) {
             s.download->bcLine = 7;
             s.download->bcCount = 4;
         },
         {" EEPROM Update Failed "},
         false,
         "Bad Checksums, File Maybe Corrupt:  "},
        {"silence on a line",
         [](Tavr1Sim& s) { s.download->silentLine = 9; },
         {" Data Download Timeout ", " EEPROM Update Failed "},
         false,
         {},
         1,
         3},
        {"FAIL in flash",
         [](Tavr1Sim& s) { s.download->failPhase = 1; },
         {" Flashing EEPROM Failed ", " EEPROM Update Failed "},
         false,
         {}},
        {"replies in one burst",
         [](Tavr1Sim& s) { s.download->scriptLineGapMs = 0; },
         {},
         true,
         {}},
        {"silent from verify on",
         [](Tavr1Sim& s) { s.download->silentFromPhase = 2; },
         {"Verify EEPROM Timeout", " EEPROM Update Failed "},
         false,
         {}},
    };
    const QByteArray goodFile = base.readFile("DLD/TAVR1_1.DLD");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        log.clear();
        boxes.clear();
        base.writeFile("DLD/TAVR1_1.DLD", goodFile);
        Tavr1Sim unit;
        unit.identification = Unit117;
        unit.download->replyDelayMs = 1;
        unit.download->scriptLineGapMs = 5;
        unit.download->resetMs = 100;
        unit.download->versionAfterUpdate = "01.18";
        r.fault(unit);
        auto f = openFrameOn(unit, htTavr1, trNetwork);
        ASSERT_TRUE(f->PortOpen);
        loginToDialog(*f);
        int result = -1;
        auto c = QObject::connect(&dialog, &QDialog::finished, [&](int x) { result = x; });
        dialog.Button1->click();
        ASSERT_TRUE(f->FirmwareTransferRunning());
        // Escape and the close box are ignored while lines flow.
        dialog.reject();
        dialog.close();
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_TRUE(tickUntil(
            *f, [&] { return result >= 0; }, 20000));
        QObject::disconnect(c);
        pump(5);
        EXPECT_EQ(result, r.succeeds ? 1 : 2);
        expectClean(*f);
        if (!r.succeeds) {
            EXPECT_EQ(f->Status, stError);
            EXPECT_FALSE(f->ButtonC3->isEnabled());
        }
        QStringList errors = errorLines();
        ASSERT_EQ(errors.size(), r.errors.size()) << errors.join('|').toStdString();
        for (int i = 0; i < errors.size(); ++i)
            EXPECT_TRUE(errors[i].endsWith(r.errors[i])) << errors[i].toStdString();
        if (!r.badBox.isEmpty()) {
            ASSERT_EQ(boxes.size(), 1);
            EXPECT_TRUE(boxes[0].startsWith(r.badBox));
            EXPECT_TRUE(boxes[0].endsWith("TAVR1_1.DLD"));
            const QList<QByteArray> got = unit.receivedLines();
            EXPECT_EQ(got.count(got.value(got.indexOf("PG0032") + 7)), 4) << "line 7 four times";
            EXPECT_TRUE(got.contains("DE"));
        } else {
            EXPECT_TRUE(boxes.isEmpty()) << boxes.join('|').toStdString();
        }
        {
            // The retries: "\r" and the PG line again when "READY" is late,
            // "\r" and the line again at ticks 1500 and 3000 of a silence.
            const QList<QByteArray> got = unit.receivedLines();
            EXPECT_EQ(got.count("PG0032"), r.pgTimes);
            if (r.pgTimes > 1) {
                EXPECT_EQ(got.value(got.lastIndexOf("PG0032") - 1), "");
            }
            if (r.line9Times > 0) {
                const QByteArray line9 = got.value(got.indexOf("PG0032") + 9);
                EXPECT_EQ(got.count(line9), r.line9Times);
                EXPECT_EQ(got.value(got.lastIndexOf(line9) - 1), "");
            }
        }
        if (r.succeeds) {
            EXPECT_EQ(unit.download->linesAccepted(), 50);
            ASSERT_TRUE(tickUntil(
                *f, [&] { return f->ProcessState == 4; }, 400, 10));
        } else {
            waitFor([&] { return unit.receivedLines().endsWith("EC"); }, 1000);
            const QList<QByteArray> got = unit.receivedLines();
            EXPECT_EQ(got.mid(got.size() - 2), (QList<QByteArray>{"", "EC"}));
        }
    }
}

TEST_F(UpDateTavr1Test, TheLinkDroppedMidDownloadEndsTheTransfer)
{
    sim.download->dropAfterLine = 5;
    auto f = connectTcp();
    loginToDialog(*f);
    dialog.Button1->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !dialog.isVisible(); }, 8000));
    expectClean(*f);
    const QStringList errors = errorLines();
    ASSERT_EQ(errors.size(), 2) << errors.join('|').toStdString();
    EXPECT_TRUE(errors[0].contains("Socket Error"));
    EXPECT_TRUE(errors[1].endsWith(" EEPROM Update Failed "));
    EXPECT_EQ(f->Status, stError);
}

TEST_F(UpDateTavr1Test, AFileThatIsNotRecordsIsRefusedAtTheClick)
{
    for (const QByteArray& bad :
         {QByteArray("S2140100000007XE151C232A31383F464D545B6269A2"), QByteArray("S21401000000")}) {
        log.clear();
        boxes.clear();
        QByteArray file = MakeDldFile({48, "V01.05", "V01.18", {}, "\r\n"});
        file += bad + "\r\n";
        file.replace(0, 2, "51");
        base.writeFile("DLD/TAVR1_1.DLD", file);
        Tavr1Sim unit;
        unit.identification = Unit117;
        auto f = openFrameOn(unit, htTavr1, trNetwork);
        ASSERT_TRUE(f->PortOpen);
        loginToDialog(*f);
        const qsizetype before = unit.receivedLines().size();
        dialog.Button1->click();
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes[0].startsWith("Bad Checksums, File Maybe Corrupt:  "));
        EXPECT_FALSE(f->FirmwareTransferRunning());
        EXPECT_EQ(f->FirmwareFile(), nullptr);
        const QStringList errors = errorLines();
        ASSERT_EQ(errors.size(), 1) << errors.join('|').toStdString();
        EXPECT_TRUE(errors[0].endsWith(" refused: line 54 is no S-record "));
        pump(50);
        EXPECT_EQ(unit.receivedLines().size(), before);
        dialog.Button3->click();
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(UpDateTavr1Test, AShortFileIsRefusedAtTheClick)
{
    // The header says 50, five records are missing (the end record among them).
    QByteArray file = MakeDldFile({43, "V01.05", "V01.18", {}, "\r\n"});
    file.replace(0, 2, "50");
    const qsizetype s9 = file.lastIndexOf("S9");
    file.truncate(s9);
    base.writeFile("DLD/TAVR1_1.DLD", file);
    auto f = connectTcp();
    loginToDialog(*f);
    dialog.Button1->click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], "44 Data Lines, Header Says 50, File Maybe Corrupt:  " +
                            base.file("DLD/TAVR1_1.DLD"));
    EXPECT_FALSE(f->FirmwareTransferRunning());
    EXPECT_EQ(f->FirmwareFile(), nullptr);
    const QStringList errors = errorLines();
    ASSERT_EQ(errors.size(), 1) << errors.join('|').toStdString();
    EXPECT_TRUE(errors[0].endsWith(" refused: 44 data lines, its header says 50 "));
    pump(50);
    EXPECT_FALSE(sim.receivedLines().contains("PG0032"));
    dialog.Button3->click();
    EXPECT_FALSE(dialog.isVisible());
}

// After "UL" the unit resets: the dropped link is no failure, the frame
// waits, reconnects and says the module was updated.
TEST_F(UpDateTavr1Test, NetworkModuleResetIsWaitedOutAndReconnected)
{
    sim.identification = "Tavr-1 SN(123456) SW(01.05,01.18) OPT(1) REV(1:B 2:B 3:A) LAN(6.8.0.1)";
    base.writeFile("DLD/TAVR1_B.DLD", MakeDldFile({4, "V01.05", "V01.18", {}, "\r\n"}));
    sim.download->resetMs = 200;
    auto f = connectTcp();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4; }, 400, 20));
    f->ButtonC3->setEnabled(true);
    FrameHooks().showUpdate = [this](TFrame2& fr) { dialog.ShowFor(fr, false); };
    f->ButtonC3->click();
    ASSERT_TRUE(waitFor([&] { return dialog.isVisible(); }));
    ASSERT_TRUE(dialog.Button2->isEnabled());
    EXPECT_EQ(dialog.LAN_Ver2_ST->text(), "V6.10");
    dialog.Button2->click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith("Updating the Lantronix Network Device"));
    // Data and "UL" on the tick seam.
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->TransferStep == 7; }, 2000, 2));
    EXPECT_TRUE(sim.receivedLines().contains("UL"));
    // The unit drops the link about half a second later: nothing is logged.
    pump(800);
    EXPECT_FALSE(f->PortOpen);
    EXPECT_EQ(f->Status, stUpdating);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->TransferStep == 17; }, 4300, 0));
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !dialog.isVisible(); }, 1000, 0));
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
    EXPECT_EQ(lines(" Lantronix Update Succesful ").size(), 1);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4; }, 400, 20));
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
}

// A network module that never comes back: the success line says only that
// the transfer completed; the refused reconnect says what to do next.
TEST_F(UpDateTavr1Test, ANetworkModuleThatNeverComesBackIsReported)
{
    sim.identification = "Tavr-1 SN(123456) SW(01.05,01.18) OPT(1) REV(1:B 2:B 3:A) LAN(6.8.0.1)";
    base.writeFile("DLD/TAVR1_B.DLD", MakeDldFile({4, "V01.05", "V01.18", {}, "\r\n"}));
    sim.download->resetMs = -1;
    auto f = connectTcp();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4; }, 400, 20));
    ASSERT_TRUE(dialog.ShowFor(*f, false));
    ASSERT_TRUE(waitFor([&] { return dialog.isVisible(); }));
    dialog.Button2->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->TransferStep == 7; }, 2000, 2));
    pump(800);
    EXPECT_FALSE(f->PortOpen);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !dialog.isVisible(); }, 5300, 0));
    EXPECT_EQ(countLogLines(" Lantronix Update Succesful "), 1);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return countLogLines("No answer from the unit") > 0; }, 400, 10));
    ASSERT_NO_FATAL_FAILURE(expectNoAnswerAfterUpdate("Socket Error"));
    EXPECT_EQ(f->Status, stError);
    expectClean(*f);
}

// Four refusals on the network module: "DE", the box, and the module's own
// failure text, never the EEPROM one; no "UL" goes out.
TEST_F(UpDateTavr1Test, LantronixFourRefusalsEndInItsOwnText)
{
    sim.identification = "Tavr-1 SN(123456) SW(01.05,01.18) OPT(1) REV(1:B 2:B 3:A) LAN(6.8.0.1)";
    base.writeFile("DLD/TAVR1_B.DLD", MakeDldFile({4, "V01.05", "V01.18", {}, "\r\n"}));
    sim.download->bcLine = 2;
    sim.download->bcCount = 4;
    auto f = connectTcp();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4; }, 400, 20));
    ASSERT_TRUE(dialog.ShowFor(*f, false));
    ASSERT_TRUE(waitFor([&] { return dialog.isVisible(); }));
    int result = -1;
    QObject::connect(&dialog, &QDialog::finished, [&](int x) { result = x; });
    dialog.Button2->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return result >= 0; }, 2000, 2));
    pump(20);
    EXPECT_EQ(result, 2);
    ASSERT_NO_FATAL_FAILURE(expectNetworkModuleRefused(boxes, sim));
    const QList<QByteArray> got = sim.receivedLines();
    EXPECT_EQ(got.mid(got.indexOf("DE")), (QList<QByteArray>{"DE", "", "EC"}));
    EXPECT_FALSE(got.contains("UL"));
    EXPECT_EQ(f->Status, stError);
    expectClean(*f);
}

TEST_F(UpDateTavr1Test, CancelOnALoginDialogPollsTheUnit)
{
    auto f = connectTcp();
    loginToDialog(*f);
    EXPECT_EQ(f->ProcessState, 0u);
    // A second unit due an update logs in meanwhile: the dialog is taken,
    // so it is told and polled.
    Tavr1Sim second;
    second.identification = Unit117;
    TFrame2 other("Connect2");
    other.HardwareType = htTavr1;
    other.Transport = trNetwork;
    other.IpAddress = "127.0.0.1";
    other.TcpPort = second.listenTcp();
    other.OpenConnection();
    ASSERT_TRUE(waitFor([&] { return other.PortOpen; }));
    ASSERT_TRUE(tickUntil(
        other, [&] { return other.ProcessState == 4; }, 400, 20));
    EXPECT_EQ(lines(" Tavr1 firmware update available; the unit is polled meanwhile ").size(), 1);
    EXPECT_EQ(dialog.Frame(), f.get());
    other.CloseConnection();
    dialog.Button3->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(lines(" Tavr1 firmware update declined; the unit is polled ").size(), 1);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4; }, 20, 20));
    EXPECT_EQ(f->Status, stActive);
    EXPECT_EQ(lines(" Tavr1 Succesful Connection").filter("Connect1").size(), 1);
    EXPECT_TRUE(sim.receivedLines().contains("SD"));
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
}

// A unit that was polled is updated, still reports its old version after
// the reset, and the reconnect's login offers the update again: declined,
// its blocks are taken as a new stream, without a false loss of step.
TEST_F(UpDateTavr1Test, DecliningTheOfferAfterAnUpdatePollsWithoutAnError)
{
    sim.identification = "Tavr-1 SN(123456) SW(01.05,01.18) OPT(1) REV(1:B 2:B 3:A) LAN(6.8.0.1)";
    sim.download->versionAfterUpdate = "01.18";
    base.writeFile("DLD/TAVR1_B.DLD", MakeDldFile({4, "V01.05", "V01.18", {}, "\r\n"}));
    auto f = connectTcp();
    int decoded = 0;
    QObject::connect(f.get(), &TFrame2::measurementDecoded, [&] { ++decoded; });
    f->Timer1->start();
    ASSERT_TRUE(waitFor([&] { return decoded >= 3; }, 20000));

    base.writeFile("DLD/TAVR1_B.DLD", MakeDldFile({4, "V01.06", "V01.19", {}, "\r\n"}));
    ASSERT_TRUE(dialog.ShowFor(*f, false));
    ASSERT_TRUE(waitFor([&] { return dialog.isVisible(); }));
    int result = -1;
    auto once = QObject::connect(&dialog, &QDialog::finished, [&](int r) { result = r; });
    dialog.Button1->click();
    ASSERT_TRUE(waitFor([&] { return result >= 0; }, 30000));
    QObject::disconnect(once);
    EXPECT_EQ(lines(" EEPROM Update Succesful ").size(), 1);
    ASSERT_TRUE(waitFor([&] { return dialog.isVisible(); }, 20000)) << "offered again";
    dialog.Button3->click();
    decoded = 0;
    ASSERT_TRUE(waitFor([&] { return decoded >= 8; }, 20000));
    EXPECT_EQ(f->Status, stActive);
    EXPECT_EQ(lines(" Tavr1 firmware update declined; the unit is polled ").size(), 1);
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
}

TEST_F(UpDateTavr1Test, MissingFilesOnlyShowTheirBox)
{
    QFile::remove(base.file("DLD/XPORT.DLD"));
    sim.identification = "Tavr-1 SN(123456) SW(01.05,01.18) OPT(1) REV(1:B 2:B 3:A) LAN(6.8.0.1)";
    base.writeFile("DLD/TAVR1_B.DLD", MakeDldFile({4, "V01.05", "V01.18", {}, "\r\n"}));
    auto f = connectTcp();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4; }, 400, 20));
    ASSERT_TRUE(dialog.ShowFor(*f, false));
    ASSERT_TRUE(waitFor([&] { return dialog.isVisible(); }));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith("Download File Not Found:"));
    EXPECT_TRUE(boxes[0].endsWith("XPORT.DLD"));
    EXPECT_FALSE(dialog.Button2->isEnabled());
    EXPECT_TRUE(dialog.Button1->isEnabled());
    EXPECT_EQ(dialog.MessageText->text(), "Tavr-1 EEPROM firmware is up to date.");
    EXPECT_TRUE(dialog.MessageText->styleSheet().contains("rgb(0, 128, 0)"));
    dialog.Button3->click();
    tickUntil(
        *f, [] { return false; }, 5, 20);
    EXPECT_EQ(f->ProcessState, 4u);
    EXPECT_EQ(f->Status, stActive);
    EXPECT_TRUE(errorLines().isEmpty());
    EXPECT_TRUE(lines("declined").isEmpty());
}

// A unit of revision C updates its SOM: "SO" starts, "UC" resets it, and the
// frame reconnects after the wait. Four refusals end in the SOM's own text.
TEST_F(UpDateTavr1Test, SomUpdateAndItsFailure)
{
    for (const bool refuse : {false, true}) {
        SCOPED_TRACE(refuse ? "four BC" : "success");
        log.clear();
        boxes.clear();
        Tavr1Sim unit;
        unit.identification = "Tavr-1 SN(123456) SW(01.04,01.18) OPT(1) REV(1:C 2:B 3:B) SOM(1.05)";
        unit.download->replyDelayMs = 1;
        unit.download->resetMs = 100;
        if (refuse) {
            unit.download->bcLine = 3;
            unit.download->bcCount = 4;
        }
        base.writeFile("DLD/TAVR1_CBB.DLD", MakeDldFile({4, "V01.04", "V01.18", {}, "\r\n"}));
        base.writeFile("DLD/SOM.DLD", MakeDldFile({6, {}, {}, "V1.06", "\r\n"}));
        auto f = openFrameOn(unit, htTavr1, trNetwork);
        ASSERT_TRUE(f->PortOpen);
        ASSERT_TRUE(tickUntil(
            *f, [&] { return f->ProcessState == 4; }, 400, 20));
        ASSERT_TRUE(dialog.ShowFor(*f, false));
        ASSERT_TRUE(waitFor([&] { return dialog.isVisible(); }));
        EXPECT_EQ(dialog.Button2->text(), "Update SOM");
        EXPECT_EQ(dialog.HeaderControl1->model()->headerData(2, Qt::Horizontal).toString(), "SOM");
        EXPECT_EQ(dialog.LAN_Ver1_ST->text(), "1.05");
        EXPECT_EQ(dialog.LAN_Ver2_ST->text(), "V1.06");
        ASSERT_TRUE(dialog.Button2->isEnabled());
        int result = -1;
        auto c = QObject::connect(&dialog, &QDialog::finished, [&](int x) { result = x; });
        dialog.Button2->click();
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes[0].startsWith("Updating the SOM Network Device."));
        ASSERT_TRUE(tickUntil(
            *f, [&] { return result >= 0 || f->TransferStep == 7; }, 2000, 2));
        if (refuse) {
            ASSERT_TRUE(tickUntil(
                *f, [&] { return result >= 0; }, 50, 2));
            EXPECT_EQ(result, 2);
            const QStringList errors = errorLines();
            ASSERT_EQ(errors.size(), 1) << errors.join('|').toStdString();
            EXPECT_TRUE(errors[0].endsWith(" SOM Update Failed "));
            EXPECT_TRUE(unit.receivedLines().contains("DE"));
            EXPECT_EQ(boxes.size(), 2);
            expectClean(*f);
            QObject::disconnect(c);
            continue;
        }
        const QList<QByteArray> got = unit.receivedLines();
        const qsizetype so = got.lastIndexOf("SO");
        ASSERT_GE(so, 0);
        EXPECT_EQ(got.value(so + 1), "PG0008");
        EXPECT_EQ(got.mid(so + 2, 8).size(), 8);
        // The unit drops the link half a second after "UC": no error.
        pump(800);
        EXPECT_FALSE(f->PortOpen);
        ASSERT_TRUE(tickUntil(
            *f, [&] { return result >= 0; }, 1000, 0));
        QObject::disconnect(c);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(countLogLines(" SOM Update Succesful "), 1);
        ASSERT_TRUE(tickUntil(
            *f, [&] { return f->ProcessState == 4; }, 400, 20));
        EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
        expectClean(*f);
    }
}

// A unit that never answers after its update: the success line says only
// that the transfer completed; the failed reconnect says what to do next.
TEST_F(UpDateTavr1Test, AUnitSilentAfterTheUpdateIsReported)
{
    sim.download->resetMs = -1;
    auto f = connectTcp();
    loginToDialog(*f);
    dialog.Button1->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !dialog.isVisible(); }, 4000, 2));
    EXPECT_EQ(countLogLines(" EEPROM Update Succesful "), 1);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return countLogLines("No answer from the unit") > 0; }, 3000, 2));
    ASSERT_NO_FATAL_FAILURE(expectNoAnswerAfterUpdate("not responding"));
    EXPECT_EQ(f->Status, stError);
}

TEST_F(UpDateTavr1Test, TheSerialDeviceLostMidDownloadEndsTheTransfer)
{
    sim.download->dropAfterLine = 5;
    auto f = std::make_unique<TFrame2>("Connect1");
    f->HardwareType = htTavr1;
    f->Transport = trSerial;
    f->SerialPort = 0;
    qputenv("TOLVEX_COM1", sim.openPty().toLocal8Bit());
    f->OpenConnection();
    ASSERT_TRUE(f->PortOpen);
    loginToDialog(*f);
    dialog.Button1->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !dialog.isVisible(); }, 8000, 2));
    expectClean(*f);
    const QStringList errors = errorLines();
    ASSERT_EQ(errors.size(), 2) << errors.join('|').toStdString();
    EXPECT_TRUE(errors[1].endsWith(" EEPROM Update Failed "));
    EXPECT_EQ(f->Status, stError);
    EXPECT_EQ(f->ProcessState, 0u);
    qunsetenv("TOLVEX_COM1");
}

// Under the S protocol the download starts with "SU", and "UC" after the
// unit's "SUCCESS" starts its new firmware.
TEST_F(UpDateTavr1Test, SProtocolStartsWithSuAndEndsWithUc)
{
    sim.prompt = Tavr1Sim::Prompt::SProtocol;
    // The file's boot version equals the unit's: a warning, and the update
    // goes on.
    base.writeFile("DLD/TAVR1_1.DLD", MakeDldFile({48, "V01.04", "V01.18", {}, "\r\n"}));
    auto f = connectTcp();
    loginToDialog(*f);
    ASSERT_TRUE(f->SProtocol);
    int result = -1;
    QObject::connect(&dialog, &QDialog::finished, [&](int x) { result = x; });
    dialog.Button1->click();
    ASSERT_EQ(boxes, QStringList{"Update BOOT Software Version is the same or older then Current "
                                 "Software"});
    EXPECT_TRUE(f->FirmwareTransferRunning());
    ASSERT_TRUE(tickUntil(
        *f, [&] { return result >= 0; }, 4000, 2));
    EXPECT_EQ(result, 1);
    ASSERT_TRUE(waitFor([&] { return sim.receivedLines().contains("UC"); }, 1000));
    const QList<QByteArray> got = sim.receivedLines();
    const qsizetype pg = got.indexOf("PG0032");
    ASSERT_GE(pg, 1);
    EXPECT_EQ(got[pg - 1], "SU");
    EXPECT_GT(got.indexOf("UC"), got.indexOf("EF"));
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
}

// What the dialog shows and refuses before anything is sent, on a frame
// filled as an identification would.
TEST_F(UpDateTavr1Test, ActivationErrorsOnlyShowTheirBox)
{
    base.writeFile("DLD/TAVR1_BBB.DLD", "ten\r\nV01.04\r\nV01.18\r\n");
    struct Row
    {
        const char* letters;
        QStringList boxes;
        bool button1, button2;
    };
    const Row rows[] = {
        {"DDD", {"Download File Not Found:", "Download File Not Found:"}, false, false},
        {"BBB", {"Invaild File Software Version, Please Contact Korsa"}, false, false},
        {"BBA", {}, true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.letters);
        boxes.clear();
        TFrame2 f("Connect1");
        f.HardwareType = htTavr1;
        f.Tavr1ModelText = "Tavr-1";
        f.Tavr1SoftwareVersion = "01.04";
        f.Tavr1BootVersion = "01.17";
        f.Tavr1OptionLetter = QString(r.letters[0]);
        f.Tavr1RevisionLetter2 = QString(r.letters[1]);
        f.Tavr1RevisionLetter3 = QString(r.letters[2]);
        ASSERT_TRUE(dialog.ShowFor(f, false));
        ASSERT_TRUE(waitFor([&] { return dialog.isVisible(); }));
        ASSERT_EQ(boxes.size(), r.boxes.size()) << boxes.join('|').toStdString();
        for (int i = 0; i < boxes.size(); ++i)
            EXPECT_TRUE(boxes[i].startsWith(r.boxes[i])) << boxes[i].toStdString();
        EXPECT_EQ(dialog.Button1->isEnabled(), r.button1);
        EXPECT_EQ(dialog.Button2->isEnabled(), r.button2);
        EXPECT_TRUE(dialog.Button3->isEnabled());
        // Cancel in the network-module confirmation sends nothing.
        answer = QMessageBox::Cancel;
        dialog.Button2Click();
        answer = QMessageBox::Ok;
        EXPECT_FALSE(f.FirmwareTransferRunning());
        dialog.Button3->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(f.ProcessState, 0u);
        EXPECT_EQ(f.FirmwareFile(), nullptr);
        EXPECT_TRUE(errorLines().isEmpty());
    }
}
