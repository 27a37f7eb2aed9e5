// The firmware senders' wait phases against the simulated units, on the tick
// seam and without a dialog: a unit that stops answering, or keeps saying it
// is busy without ever finishing, ends the transfer at the phase's time-out
// with its own line, the sender's failure line and a connection in a clear
// state; a unit that answers its whole script at once is taken a line a tick.
#include "link/FrameSimSupport.h"

#include "link/FirmwareDialog.h"
#include "protocol/firmware/DldFile.h"
#include "sim/firmware/DldGenerator.h"
#include "sim/hd/HdSim.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

class FirmwareSenderTest : public ::testing::Test
{
protected:
    void SetUp() override { MessageLines = &log; }
    void TearDown() override { MessageLines = nullptr; }

    // A polling frame on the unit, over TCP.
    template <class Sim>
    std::unique_ptr<TFrame2> pollingFrame(int hardwareType, Sim& unit)
    {
        auto f = openFrameOn(unit, hardwareType, trNetwork);
        EXPECT_TRUE(tickUntil(
            *f, [&] { return f->ProcessState == 4; }, 400, 20));
        return f;
    }

    // Hands the frame a 50-line file and starts the main-firmware sender,
    // as the dialogs do at their click.
    static void startMainTransfer(TFrame2& f) { startTransfer(f, &TFrame2::StartFirmwareTransfer); }

    static void startTransfer(TFrame2& f, void (TFrame2::*start)())
    {
        auto file = std::make_unique<TDldFile>();
        const QByteArray bytes = MakeDldFile({48, "V01.05", "V04.05", {}, "\r\n"});
        ASSERT_EQ(ReadDldFile(QByteArrayView(bytes), TDldHeaderForm::MainFirmware, file.get()),
                  TDldError::None);
        f.FirmwareLineCount = quint16(file->Header.LineCount);
        f.SetFirmwareFile(std::move(file), "TEST.DLD");
        (f.*start)();
        ASSERT_TRUE(f.FirmwareTransferRunning());
    }

    TempBase base; // an empty DLD folder: the logins offer no update
    TEventLog log;
};

// The dialog side of a transfer as the sender drives it: each state line
// with the frame's pace when it was shown, and the result.
class RecordingDialog : public QObject, public TFirmwareDialogPort
{
public:
    explicit RecordingDialog(const TFrame2& f)
        : frame(f)
    {}
    QObject* PortObject() override { return this; }
    void SetProgress(int) override {}
    void SetCountText(const QString&) override {}
    void SetStateText(const QString& text) override
    {
        states << text + "@" + QString::number(frame.Timer1->interval());
    }
    void SetBadChecksumText(const QString&) override {}
    void FinishTransfer(int r) override { result = r; }
    void ReportBadChecksum(const QString&) override {}

    const TFrame2& frame;
    QStringList states;
    int result = -1;
};

struct TimeoutRow
{
    const char* what;
    int silentFrom; // the unit's script phase from which it says nothing
    int stall;      // the phase whose word keeps coming without PASS
    int waitStep;   // the sender's step that waits for the phase
    int ticks;      // ticks in that step until its time-out line
    const char* timeoutText;
};

} // namespace

// Every wait of the Tavr1 main-firmware sender ends at its own time-out,
// counted from the phase's start: progress words do not extend a phase.
TEST_F(FirmwareSenderTest, Tavr1WaitPhasesTimeOut)
{
    const TimeoutRow rows[] = {
        {"erase busy", -1, 0, 7, 481, " Erase EEPROM Timeout "},
        {"flash silent", 1, -1, 9, 481, "Flash EEPROM Timeout"},
        {"micro busy", -1, 3, 13, 481, "Micro Program Timeout"},
        {"no SUCCESS", 4, -1, 15, 901, " Reset Timeout "},
    };
    for (const TimeoutRow& r : rows) {
        SCOPED_TRACE(r.what);
        log.clear();
        Tavr1Sim unit;
        unit.download->replyDelayMs = 1;
        unit.download->scriptLineGapMs = 0; // every reply at once: one taken a tick
        unit.download->silentFromPhase = r.silentFrom;
        unit.download->stallPhase = r.stall;
        auto f = pollingFrame(htTavr1, unit);
        ASSERT_EQ(f->Status, stActive);
        startMainTransfer(*f);
        ASSERT_TRUE(tickUntil(
            *f, [&] { return f->TransferStep == r.waitStep; }, 2000));
        EXPECT_EQ(unit.download->linesAccepted(), 50);
        int ticks = 0;
        while (f->TransferStep == r.waitStep && ticks < 2000) {
            f->Timer1Timer();
            ++ticks;
            pump(1);
        }
        EXPECT_EQ(ticks, r.ticks);
        if (r.stall >= 0) {
            EXPECT_GE(f->PhaseReplies, r.ticks - 10) << "a word came nearly every tick";
            EXPECT_FALSE(f->RxBuffer.isEmpty()) << "words were still arriving";
        }
        f->Timer1Timer(); // the failure end
        const QStringList errors = errorLines();
        ASSERT_EQ(errors.size(), 2) << errors.join('|').toStdString();
        EXPECT_TRUE(errors[0].endsWith(r.timeoutText)) << errors[0].toStdString();
        EXPECT_TRUE(errors[1].endsWith(" EEPROM Update Failed "));
        EXPECT_EQ(f->Status, stError);
        EXPECT_EQ(f->ProcessState, 0u);
        EXPECT_EQ(f->FirmwareFile(), nullptr);
        EXPECT_EQ(f->Timer1->interval(), 50) << "the polling interval saved at the start";
        EXPECT_FALSE(TFrame2::AnyFirmwareTransferRunning());
        ASSERT_TRUE(waitFor([&] { return unit.receivedLines().endsWith("EC"); }, 1000));
    }
}

// The same waits on the units with display (two micro phases), and the
// flash wait of the units without one, whose failure closes the connection.
TEST_F(FirmwareSenderTest, HdWaitPhasesTimeOut)
{
    struct HdRow
    {
        TimeoutRow r;
        bool display;
        const char* failure;
    };
    const HdRow rows[] = {
        {{"erase silent", 0, -1, 7, 481, " Erase EEPROM Timeout "},
         true,
         " Please Close Tolvex, and Re-open, and Re-Connect"},
        {{"verify busy", -1, 2, 11, 481, "Verify EEPROM Timeout"},
         true,
         " Please Close Tolvex, and Re-open, and Re-Connect"},
        {{"second micro busy", -1, 4, 15, 481, "Micro Program Timeout"},
         true,
         " Please Close Tolvex, and Re-open, and Re-Connect"},
        {{"no SUCCESS", 5, -1, 17, 901, " Reset Timeout "},
         true,
         " Please Close Tolvex, and Re-open, and Re-Connect"},
        {{"no FLASH", 0, -1, 9, 481, "Flash EEPROM Timeout"}, false, " EEPROM Update Failed "},
    };
    for (const HdRow& row : rows) {
        const TimeoutRow& r = row.r;
        SCOPED_TRACE(r.what);
        log.clear();
        HdSim unit;
        unit.setModel(row.display ? HdSim::Model::Vren1Lcd : HdSim::Model::Vren1);
        unit.download->replyDelayMs = 1;
        unit.download->scriptLineGapMs = 0;
        unit.download->silentFromPhase = r.silentFrom;
        unit.download->stallPhase = r.stall;
        auto f = pollingFrame(htHDSystem, unit);
        ASSERT_EQ(f->HdHasLcd, row.display);
        log.clear(); // the update-available line of the unit without display
        startMainTransfer(*f);
        ASSERT_TRUE(tickUntil(
            *f, [&] { return f->TransferStep == r.waitStep; }, 2000));
        int ticks = 0;
        while (f->TransferStep == r.waitStep && ticks < 2000) {
            f->Timer1Timer();
            ++ticks;
            pump(1);
        }
        EXPECT_EQ(ticks, r.ticks);
        if (r.stall >= 0) {
            EXPECT_GE(f->PhaseReplies, r.ticks - 10);
        }
        f->Timer1Timer();
        const QStringList errors = errorLines();
        ASSERT_EQ(errors.size(), 2) << errors.join('|').toStdString();
        EXPECT_TRUE(errors[0].endsWith(r.timeoutText)) << errors[0].toStdString();
        EXPECT_TRUE(errors[1].endsWith(row.failure)) << errors[1].toStdString();
        EXPECT_EQ(f->Status, stError);
        EXPECT_EQ(f->FirmwareFile(), nullptr);
        EXPECT_NE(f->Timer1->interval(), 10);
        EXPECT_FALSE(TFrame2::AnyFirmwareTransferRunning());
        if (row.display) {
            EXPECT_FALSE(f->PortOpen);
        }
    }
}

// The unit with display may answer its whole script in one write. Each of
// the five phases then takes its own words and its own PASS, one line a tick,
// so no PASS ends a phase it does not belong to; and the SUCCESS that came in
// the same write ends the reset wait at once.
TEST_F(FirmwareSenderTest, Vren1PhasesEachWaitForTheirOwnPassFromABurst)
{
    HdSim unit;
    unit.setModel(HdSim::Model::Vren1Lcd);
    unit.download->replyDelayMs = 1;
    unit.download->scriptLineGapMs = 0;
    unit.download->resetMs = 100;
    auto f = pollingFrame(htHDSystem, unit);
    ASSERT_TRUE(f->HdHasLcd);
    log.clear();
    startMainTransfer(*f);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->TransferStep == 7; }, 2000));
    ASSERT_EQ(unit.download->linesAccepted(), 50);
    pump(50); // the whole script is in before the erase wait takes a line

    struct Phase
    {
        int step;        // the step that waits
        int ticks = 0;   // ticks spent in it
        int replies = 0; // its words counted when it ended
    };
    Phase phases[] = {{7}, {9}, {11}, {13}, {15}};
    int resetWaitTicks = 0;
    for (int i = 0; i < 200 && f->FirmwareTransferRunning(); ++i) {
        const int step = f->TransferStep;
        const int repliesBefore = f->PhaseReplies;
        f->Timer1Timer();
        if (step == 17)
            ++resetWaitTicks;
        for (Phase& p : phases) {
            if (p.step == step) {
                ++p.ticks;
                p.replies = std::max(repliesBefore, f->PhaseReplies);
            }
        }
    }
    const int words = unit.download->progressWords;
    for (const Phase& p : phases) {
        SCOPED_TRACE(p.step);
        EXPECT_EQ(p.ticks, words + 1) << "its words, then its own PASS";
        EXPECT_EQ(p.replies, words);
    }
    EXPECT_EQ(resetWaitTicks, 1) << "the SUCCESS of the same write";
    EXPECT_FALSE(f->FirmwareTransferRunning());
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('|').toStdString();
    EXPECT_EQ(countLogLines(" EEPROM Update Succesful "), 1);
    EXPECT_EQ(f->FirmwareFile(), nullptr);
    EXPECT_NE(f->Timer1->interval(), 10);
}

// The timer of each sender: the Tavr1 senders open at the pace they found,
// the HD senders at their own (the network module's faster); the lines go at
// 10 ms, and after them each goes back to the interval saved when the lines
// began, which an end after the data restores too. The waits count the same
// ticks at any interval.
TEST_F(FirmwareSenderTest, SendersSaveTheIntervalWhenTheLinesBeginAndRestoreItAfter)
{
    struct Row
    {
        const char* what;
        int hardwareType;
        bool display;
        void (TFrame2::*start)();
        int opening; // the interval of steps 0 to 2, and after the data
    };
    const int found = 70; // the interval the transfer starts from
    const Row rows[] = {
        {"Tavr1 main", htTavr1, false, &TFrame2::StartFirmwareTransfer, found},
        {"Tavr1 Lantronix", htTavr1, false, &TFrame2::StartNetworkModuleTransfer, found},
        {"Tavr1 SOM", htTavr1, false, &TFrame2::StartSomTransfer, found},
        {"HD without display", htHDSystem, false, &TFrame2::StartFirmwareTransfer, 125},
        {"Vren1", htHDSystem, true, &TFrame2::StartFirmwareTransfer, 125},
        {"HD Lantronix", htHDSystem, true, &TFrame2::StartNetworkModuleTransfer, 100},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        log.clear();
        Tavr1Sim tavr1;
        HdSim hd;
        hd.setModel(r.display ? HdSim::Model::Vren1Lcd : HdSim::Model::Vren1);
        tavr1.download->replyDelayMs = 1;
        hd.download->replyDelayMs = 1;
        auto f = r.hardwareType == htTavr1 ? pollingFrame(htTavr1, tavr1)
                                           : pollingFrame(htHDSystem, hd);
        ASSERT_EQ(f->ProcessState, 4u);
        f->SetTimerInterval(found);
        startTransfer(*f, r.start);
        f->Timer1Timer();
        ASSERT_EQ(f->TransferStep, 1);
        EXPECT_EQ(f->Timer1->interval(), r.opening) << "step 0";
        ASSERT_TRUE(tickUntil(
            *f, [&] { return f->TransferStep == 4; }, 400));
        EXPECT_EQ(f->Timer1->interval(), 10) << "the lines";
        ASSERT_TRUE(tickUntil(
            *f, [&] { return f->TransferStep >= 6; }, 2000));
        EXPECT_EQ(f->TransferStep, 6);
        EXPECT_EQ(f->Timer1->interval(), r.opening) << "after the data";
        EXPECT_EQ(f->LinesSent, 50u);
        f->AbortTransfer(1);
        f->Timer1Timer();
        EXPECT_FALSE(f->FirmwareTransferRunning());
        EXPECT_EQ(f->Timer1->interval(), r.opening) << "the failure end";
    }
}

// A phase the unit answers FAIL ends the transfer in that phase's own wait
// step with the phase's own line, then the sender's failure line.
TEST_F(FirmwareSenderTest, EachFlashPhaseFailsInItsOwnStepWithItsOwnLine)
{
    struct Row
    {
        const char* what;
        bool tavr1;
        int failPhase;
        int waitStep;
        const char* failText;
    };
    const Row rows[] = {
        {"Tavr1 erase", true, 0, 7, " Erase EEPROM Failed "},
        {"Tavr1 flash", true, 1, 9, " Flashing EEPROM Failed "},
        {"Tavr1 verify", true, 2, 11, " Verifying EEPROM Failed "},
        {"Tavr1 micro", true, 3, 13, " Programming Micro Failed "},
        {"Vren1 erase", false, 0, 7, " Erase EEPROM Failed "},
        {"Vren1 verify", false, 2, 11, " Verifying EEPROM Failed "},
        {"Vren1 first micro", false, 3, 13, " Programming Micro Failed "},
        {"Vren1 second micro", false, 4, 15, " Programming Micro Failed "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        log.clear();
        Tavr1Sim tavr1;
        HdSim hd;
        hd.setModel(HdSim::Model::Vren1Lcd);
        for (TSimDownloadSide* d : {tavr1.download, hd.download}) {
            d->replyDelayMs = 1;
            d->scriptLineGapMs = 0;
            d->failPhase = r.failPhase;
        }
        auto f = r.tavr1 ? pollingFrame(htTavr1, tavr1) : pollingFrame(htHDSystem, hd);
        log.clear();
        startMainTransfer(*f);
        int lastStep = -1;
        for (int i = 0; i < 2000 && f->FirmwareTransferRunning(); ++i) {
            if (f->TransferStep != 99)
                lastStep = f->TransferStep;
            f->Timer1Timer();
            pump(1);
        }
        EXPECT_FALSE(f->FirmwareTransferRunning());
        EXPECT_EQ(lastStep, r.waitStep);
        const QStringList errors = errorLines();
        ASSERT_EQ(errors.size(), 2) << errors.join('|').toStdString();
        EXPECT_TRUE(errors[0].endsWith(r.failText)) << errors[0].toStdString();
        EXPECT_TRUE(errors[1].endsWith(r.tavr1
                                           ? " EEPROM Update Failed "
                                           : " Please Close Tolvex, and Re-open, and Re-Connect"))
            << errors[1].toStdString();
    }
}

// The state lines each main-firmware sender shows, in order, and the pace it
// runs at under each: the lines at 10 ms, the first phases at the pace the
// transfer began from, the reset interval from the verify (or the HD unit's
// reset) on.
TEST_F(FirmwareSenderTest, EachMainSenderShowsItsStatesInOrderAtItsPace)
{
    struct Row
    {
        const char* what;
        int hardwareType;
        HdSim::Model model;
        QStringList states;
    };
    const Row rows[] = {
        {"Tavr1",
         htTavr1,
         HdSim::Model::Vren1,
         {"Downloading Program @10", "Erasing EEPROM     @70", "Flashing EEPROM     @70",
          "Verifying EEPROM    @100", "Updating Micro   @100", "Resetting Unit   @100"}},
        {"Vren1 with display",
         htHDSystem,
         HdSim::Model::Vren1Lcd,
         {"Downloading Program @10", "Erasing EEPROM     @125", "Flashing EEPROM     @125",
          "Verifying EEPROM    @100", "Updating Micro#1   @100", "Updating Micro#2   @100",
          "Resetting Unit   @100"}},
        {"HD without display",
         htHDSystem,
         HdSim::Model::Vren1,
         {"Downloading Program @10", "Flashing EEPROM     @125",
          "Resetting and Configuring Unit   @100"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        log.clear();
        Tavr1Sim tavr1;
        HdSim hd;
        hd.setModel(r.model);
        for (TSimDownloadSide* d : {tavr1.download, hd.download}) {
            d->replyDelayMs = 1;
            d->scriptLineGapMs = 0;
            d->resetMs = 100;
        }
        auto f =
            r.hardwareType == htTavr1 ? pollingFrame(htTavr1, tavr1) : pollingFrame(htHDSystem, hd);
        f->SetTimerInterval(70);
        RecordingDialog dialog(*f);
        f->BindFirmwareDialog(&dialog);
        startMainTransfer(*f);
        ASSERT_TRUE(tickUntil(
            *f, [&] { return dialog.result >= 0; }, 5000));
        EXPECT_EQ(dialog.result, 1);
        EXPECT_EQ(dialog.states, r.states) << dialog.states.join('|').toStdString();
        EXPECT_EQ(countLogLines(" EEPROM Update Succesful "), 1);
        f->CloseConnection();
    }
}
