// Firmware files that are not the whole image, chosen in each of the six
// update paths, against simulated units that would flash anything they are
// given: the click refuses the file with its box and one ERROR line, the unit
// receives no byte of an update, and the connection goes on as it was.
#include "link/FrameSimSupport.h"

#include "shell/UpDateHD.h"
#include "shell/UpDateTavr1.h"
#include "shell/UpDateVren1.h"
#include "sim/firmware/DldGenerator.h"
#include "sim/hd/HdSim.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

enum class Path
{
    Tavr1Main,
    Tavr1Network,
    Tavr1Som,
    HdMain,
    Vren1Main,
    HdNetwork
};

struct PathRow
{
    const char* what;
    Path path;
    const char* file; // the file the click sends
    bool network;     // its header has two lines
};

const PathRow Paths[] = {
    {"Tavr1 main", Path::Tavr1Main, "TAVR1_1.DLD", false},
    {"Tavr1 Lantronix", Path::Tavr1Network, "XPORT.DLD", true},
    {"Tavr1 SOM", Path::Tavr1Som, "SOM.DLD", true},
    {"HD without display", Path::HdMain, "VREN1_KYO.DLD", false},
    {"Vren1 main", Path::Vren1Main, "VREN1_HANB.DLD", false},
    {"HD Lantronix", Path::HdNetwork, "XPORT.DLD", true},
};

// A good file: 48 records between S0 and S9, 50 data lines, newer than the
// simulated units.
QByteArray goodFile(bool network)
{
    return network ? MakeDldFile({48, {}, {}, "V6.10", "\r\n"})
                   : MakeDldFile({48, "V04.01", "V04.05", {}, "\r\n"});
}

// The file's lines with their CR LF, and the number of header lines.
QList<QByteArray> linesOf(const QByteArray& file)
{
    QList<QByteArray> out = file.split('\n');
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

QByteArray joined(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\n";
    return out;
}

struct BadFile
{
    const char* what;
    std::function<QByteArray(const QByteArray& good, int headerLines)> make;
    const char* boxStart;
    const char* reason; // the ERROR line ends with " refused: " + reason + " "
};

const BadFile BadFiles[] = {
    {"header only",
     [](const QByteArray& good, int header) { return joined(linesOf(good).mid(0, header)); },
     "No Data Lines, File Maybe Corrupt:  ", "no data lines"},
    {"six records missing",
     [](const QByteArray& good, int header) {
         QList<QByteArray> l = linesOf(good);
         l.remove(header + 10, 6); // the end record stays: it looks complete
         return joined(l);
     },
     "44 Data Lines, Header Says 50, File Maybe Corrupt:  ", "44 data lines, its header says 50"},
    {"record 7 fails its checksum",
     [](const QByteArray& good, int header) {
         QList<QByteArray> l = linesOf(good);
         char& c = l[header + 6][10]; // a data digit: the form holds, the sum does not
         c = c == '0' ? '1' : '0';
         return joined(l);
     },
     "Bad Checksums, File Maybe Corrupt:  ", "record 7 fails its checksum"},
    {"a line that is no S-record",
     [](const QByteArray& good, int header) {
         QList<QByteArray> l = linesOf(good);
         l[header + 19] = l[header + 19].left(20) + "\r";
         return joined(l);
     },
     "Bad Checksums, File Maybe Corrupt:  ", nullptr},
};

struct DialogButtons
{
    TUpdateDialogBase* dialog;
    QPushButton* start;
    QPushButton* cancel;
};

// An update command received: the start of a download, a data record or
// what follows the data.
bool isUpdateLine(const QByteArray& l)
{
    const bool record = l.size() > 2 && l[0] == 'S' && l[1] >= '0' && l[1] <= '9';
    return record || l == "HD" || l == "SU" || l == "SO" || l.startsWith("PG") || l == "EF" ||
           l == "UL" || l == "UC" || l == "DE";
}

class FirmwareFileRefusalTest : public ::testing::TestWithParam<std::tuple<int, int>>
{
protected:
    void SetUp() override
    {
        captureLogAndBoxes(log, boxes);
        QDir().mkpath(base.file("DLD"));
        for (const char* name : {"TAVR1_1.DLD", "TAVR1_B.DLD", "TAVR1_CBB.DLD", "VREN1_HAN.DLD",
                                 "VREN1_HANB.DLD", "VREN1_KYO.DLD"})
            base.writeFile(QString("DLD/") + name, goodFile(false));
        for (const char* name : {"XPORT.DLD", "SOM.DLD"})
            base.writeFile(QString("DLD/") + name, goodFile(true));
        // Every login finds its update due and the dialog busy: the unit is
        // polled, and the Update button opens the dialog on it.
        FrameHooks().tavr1UpdateDue = [](TFrame2&) { return false; };
        FrameHooks().hdUpdateDue = [](TFrame2&, THdUpdateDialog) { return false; };
        FrameHooks().showUpdate = [this](TFrame2& f) {
            if (f.HardwareType == htTavr1)
                tavr1Dialog.ShowFor(f, false);
            else if (f.HdHasLcd)
                vren1Dialog.ShowFor(f, false);
            else
                hdDialog.ShowFor(f, false);
        };
    }
    void TearDown() override
    {
        releaseLogAndBoxes();
        qunsetenv("TOLVEX_COM1");
    }

    template <class Sim>
    void refuseEveryBadFile(Sim& unit, int hardwareType, const PathRow& row, int transport);

    DialogButtons dialogFor(Path p)
    {
        switch (p) {
        case Path::Tavr1Main:
            return {&tavr1Dialog, tavr1Dialog.Button1, tavr1Dialog.Button3};
        case Path::Tavr1Network:
        case Path::Tavr1Som:
            return {&tavr1Dialog, tavr1Dialog.Button2, tavr1Dialog.Button3};
        case Path::HdMain:
            return {&hdDialog, hdDialog.Button1, hdDialog.Button2};
        case Path::Vren1Main:
            return {&vren1Dialog, vren1Dialog.Button1, vren1Dialog.Button3};
        case Path::HdNetwork:
            return {&vren1Dialog, vren1Dialog.Button2, vren1Dialog.Button3};
        }
        return {};
    }

    TempBase base;
    TEventLog log;
    QStringList boxes;
    TUpDateTavr1 tavr1Dialog;
    TUpDateVren1 vren1Dialog;
    TUpDateHD hdDialog;
};

} // namespace

template <class Sim>
void FirmwareFileRefusalTest::refuseEveryBadFile(Sim& unit, int hardwareType, const PathRow& row,
                                                 int transport)
{
    unit.download->acceptAnyImage = true;
    unit.download->replyDelayMs = 1;
    auto f = openFrameOn(unit, hardwareType, transport);
    ASSERT_TRUE(f->PortOpen);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4 && f->Status == stActive; }, 400, 20));
    const DialogButtons d = dialogFor(row.path);
    ASSERT_TRUE(f->ButtonC3->isEnabled());
    f->ButtonC3->click();
    ASSERT_TRUE(waitFor([&] { return d.dialog->isVisible(); }));
    ASSERT_TRUE(d.start->isEnabled()) << boxes.join('|').toStdString();
    ASSERT_TRUE(boxes.isEmpty()) << boxes.join('|').toStdString();

    // A few poll ticks first, so the interval compared is the poll's own and
    // not the login's last.
    tickUntil(
        *f, [] { return false; }, 5, 5);

    const int headerLines = row.network ? 2 : 3;
    const QByteArray good = goodFile(row.network);
    const QString path = base.file(QString("DLD/") + row.file);
    for (const BadFile& bad : BadFiles) {
        SCOPED_TRACE(bad.what);
        log.clear();
        boxes.clear();
        base.writeFile(QString("DLD/") + row.file, bad.make(good, headerLines));
        const qsizetype received = unit.receivedLines().size();
        const int interval = f->Timer1->interval();
        d.start->click();
        // The network modules' paths ask first whether to go on.
        ASSERT_EQ(boxes.size(), row.network ? 2 : 1) << boxes.join('|').toStdString();
        EXPECT_EQ(boxes.last(), bad.boxStart + path);
        const QString reason = bad.reason ? QString(bad.reason)
                                          : QString("line %1 is no S-record").arg(headerLines + 20);
        const QStringList errors = errorLines();
        ASSERT_EQ(errors.size(), 1) << errors.join('|').toStdString();
        EXPECT_TRUE(errors[0].endsWith(" Firmware file " + path + " refused: " + reason + " "))
            << errors[0].toStdString();
        EXPECT_FALSE(f->FirmwareTransferRunning());
        EXPECT_EQ(f->FirmwareFile(), nullptr);
        EXPECT_TRUE(d.dialog->isVisible());
        EXPECT_TRUE(d.start->isEnabled()) << "another file may be tried";

        // The unit is polled on and hears nothing of an update.
        tickUntil(
            *f, [] { return false; }, 20, 5);
        EXPECT_EQ(unit.download->updateBytesReceived(), 0);
        for (const QByteArray& l : unit.receivedLines().mid(received))
            EXPECT_FALSE(isUpdateLine(l)) << l.toStdString();
        EXPECT_EQ(f->ProcessState, 4u);
        EXPECT_EQ(f->Status, stActive);
        EXPECT_TRUE(f->PortOpen);
        EXPECT_EQ(f->Timer1->interval(), interval);
        EXPECT_EQ(errorLines().size(), 1);
    }

    // The same unit takes the whole file: it would have taken the bad ones.
    base.writeFile(QString("DLD/") + row.file, good);
    boxes.clear();
    d.start->click();
    ASSERT_TRUE(f->FirmwareTransferRunning()) << boxes.join('|').toStdString();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return unit.download->linesAccepted() >= 2; }, 400, 2));
    EXPECT_GT(unit.download->updateBytesReceived(), 0);
    f->AbortTransfer(1);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !d.dialog->isVisible(); }, 20, 2));
}

TEST_P(FirmwareFileRefusalTest, AFileThatIsNotTheWholeImageIsRefusedAtTheClick)
{
    const PathRow& row = Paths[std::get<0>(GetParam())];
    const int transport = std::get<1>(GetParam());
    SCOPED_TRACE(row.what);
    switch (row.path) {
    case Path::Tavr1Main: {
        Tavr1Sim unit; // main 01.17: TAVR1_1.DLD
        unit.identification =
            "Tavr-1 SN(123456) SW(01.04,01.17) OPT(1) REV(1:B 2:B 3:A) LAN(6.8.0.1)";
        refuseEveryBadFile(unit, htTavr1, row, transport);
        break;
    }
    case Path::Tavr1Network: {
        Tavr1Sim unit; // revision B at 01.20
        refuseEveryBadFile(unit, htTavr1, row, transport);
        break;
    }
    case Path::Tavr1Som: {
        Tavr1Sim unit;
        unit.identification = Tavr1Sim::revisionCIdentification();
        refuseEveryBadFile(unit, htTavr1, row, transport);
        break;
    }
    case Path::HdMain: {
        HdSim unit;
        unit.setModel(HdSim::Model::Vren1);
        refuseEveryBadFile(unit, htHDSystem, row, transport);
        break;
    }
    case Path::Vren1Main:
    case Path::HdNetwork: {
        HdSim unit; // display type 1 at 04.03: the alternative main file
        refuseEveryBadFile(unit, htHDSystem, row, transport);
        break;
    }
    }
}

namespace {

std::string caseName(const ::testing::TestParamInfo<std::tuple<int, int>>& info)
{
    static const char* names[] = {"Tavr1Main", "Tavr1Lantronix", "Tavr1Som",
                                  "HdWithoutDisplay", "Vren1Main", "HdLantronix"};
    return std::string(names[std::get<0>(info.param)]) +
           (std::get<1>(info.param) == trNetwork ? "OverTcp" : "OverPty");
}

} // namespace

INSTANTIATE_TEST_SUITE_P(EverySender, FirmwareFileRefusalTest,
                         ::testing::Combine(::testing::Range(0, int(std::size(Paths))),
                                            ::testing::Values(int(trNetwork), int(trSerial))),
                         caseName);
