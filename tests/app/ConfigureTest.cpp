#include "TestSupport.h"

#include "app/C8L1Frame.h"
#include "app/Configure.h"
#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Pass.h"
#include "common/TDateTime.h"
#include "link/Frame2.h"
#include "sim/peer/SimPeer.h"
#include "widgets/MessageBoxService.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct ConfigureFixture : ::testing::Test
{
    void TearDown() override
    {
        DestroyForms();
        SetMessageBoxAnswerer({});
    }
    TFrame2* frame1() { return Connects->ConnectionByIndex(1); }
    TempBase base;
};

} // namespace

TEST_F(ConfigureFixture, RenamingKeepsTheLinkAndANewAddressMovesIt)
{
    SimPeer sim;
    TConnectionSettings s = DefaultSettings("Connect1", base.path());
    s.HardwareType = htTavr1;
    s.Transport = trNetwork;
    s.IpAddress = "127.0.0.1";
    s.TcpPort = sim.listenTcp();
    s.ConnectOnStartup = true;
    s.BaudChoice = 1; // as a default file holds it
    base.writeConfig("Connect1", s);
    CreateForms();
    ASSERT_TRUE(waitFor([&] { return frame1()->PortOpen && sim.isConnected(); }));
    int connects = 0;
    QObject::connect(&sim, &SimPeer::clientConnected, [&] { ++connects; });

    Configure->FillFrom(*frame1());
    Configure->EditCName->setText("WXYZ");
    Configure->ButtonSaveClick();
    pump(200);
    EXPECT_TRUE(frame1()->PortOpen) << "a new name is no reason to drop the link";
    EXPECT_TRUE(sim.isConnected());
    EXPECT_EQ(connects, 0);
    EXPECT_EQ(Connects->C8L1Frame->PageControl2->tabText(0), "WXYZ");
    const QList<QByteArray> lines = base.readFile("CONFIG/Connect1.CFG").split('\n');
    EXPECT_EQ(lines[5], " 0\r") << "a single-rate family stores choice 0";
    EXPECT_EQ(lines[13], "WXYZ\r");

    // The same address written another way is a new address: the link is
    // closed and opened again.
    Configure->FillFrom(*frame1());
    Configure->Edit1->setText("127.000.000.001");
    Configure->ButtonApplyClick();
    EXPECT_TRUE(waitFor([&] { return connects == 1 && frame1()->PortOpen; }));
    EXPECT_EQ(frame1()->IpAddress, "127.000.000.001");
}

TEST_F(ConfigureFixture, ControlsFollowTheHardwareType)
{
    CreateForms();
    frame1()->HardwareType = htHDSystem;
    frame1()->BaudChoice = 2;
    frame1()->SerialPort = 12; // beyond the list: no selection, and kept
    Configure->FillFrom(*frame1());
    EXPECT_EQ(Configure->ComboBox2->count(), 3);
    EXPECT_EQ(Configure->ComboBox2->currentText(), "230400");
    EXPECT_TRUE(!Configure->HdBaudNotes[0]->isHidden());
    EXPECT_EQ(Configure->ComboBox1->currentIndex(), -1);
    EXPECT_FALSE(Configure->ChangePassButton->isEnabled());

    // Choosing Tavr-1: one rate, no modem.
    Configure->RadioGroupHTButtons->button(htTavr1)->click();
    EXPECT_EQ(Configure->ComboBox2->count(), 1);
    EXPECT_EQ(Configure->ComboBox2->currentText(), "115200");
    EXPECT_FALSE(!Configure->RadioCT[2]->isHidden());
    EXPECT_FALSE(!Configure->HdBaudNotes[0]->isHidden());
    Configure->Edit2->setText("70000"); // not a port: stored as 0
    Configure->EditPass->setText("secret");
    Configure->ButtonApplyClick();
    EXPECT_EQ(frame1()->HardwareType, htTavr1);
    EXPECT_EQ(frame1()->BaudChoice, 0);
    EXPECT_EQ(frame1()->SerialPort, 12);
    EXPECT_EQ(frame1()->TcpPort, 0);
    EXPECT_EQ(frame1()->DevicePassword, "SECRET");

    frame1()->HardwareType = htRackSystem;
    frame1()->SProtocol = false;
    Configure->FillFrom(*frame1());
    EXPECT_TRUE(Configure->ChangePassButton->isEnabled());
    frame1()->SProtocol = true;
    Configure->FillFrom(*frame1());
    EXPECT_FALSE(Configure->ChangePassButton->isEnabled());
}

// Clicking a hardware type rebuilds the lists from the connection's own
// choices, not from what the lists showed for the type clicked away from.
TEST_F(ConfigureFixture, ClickedTypesTakeTheConnectionsRateAndTransport)
{
    CreateForms();
    struct Case
    {
        int type, baudChoice, transport;
        std::vector<int> clicks;
        const char* rate;
        int checked;
    };
    const Case cases[] = {
        {htHDSystem, 2, trSerial, {htTavr1, htHDSystem}, "230400", trSerial},
        {htHDSystem, 2, trNetwork, {htTavr1}, "115200", trNetwork},
        {htRackSystem, 3, trModem, {htBry1, htRackSystem}, "9600", trModem},
        {htRackSystem, 1, trModem, {htHDSystem}, "115200", trNetwork},
        // A choice the new list lacks starts on its first item.
        {htRackSystem, 3, trModem, {htHDSystem}, "57600", trNetwork},
        {htTavr1, 0, trSerial, {htRackSystem, htHDSystem}, "57600", trSerial},
    };
    for (const Case& c : cases) {
        frame1()->HardwareType = c.type;
        frame1()->BaudChoice = c.baudChoice;
        frame1()->Transport = c.transport;
        Configure->FillFrom(*frame1());
        for (int type : c.clicks)
            Configure->RadioGroupHTButtons->button(type)->click();
        const int last = c.clicks.back();
        EXPECT_EQ(Configure->ComboBox2->currentText().toStdString(), c.rate)
            << c.type << " to " << last;
        EXPECT_EQ(Configure->RadioGroupCTButtons->checkedId(), c.checked)
            << c.type << " to " << last;
        EXPECT_EQ(Configure->RadioCT[trModem]->isHidden(), last != htRackSystem);
    }

    // Clicked away and back, the modem link is applied unchanged.
    frame1()->HardwareType = htRackSystem;
    frame1()->BaudChoice = 3;
    frame1()->Transport = trModem;
    Configure->FillFrom(*frame1());
    Configure->RadioGroupHTButtons->button(htHDSystem)->click();
    Configure->RadioGroupHTButtons->button(htRackSystem)->click();
    Configure->ButtonApplyClick();
    EXPECT_EQ(frame1()->Transport, trModem);
    EXPECT_EQ(frame1()->BaudChoice, 3);
}

TEST_F(ConfigureFixture, ThePasswordShowsAStarForEachCharacter)
{
    CreateForms();
    frame1()->DevicePassword = "QUMOR7";
    Configure->FillFrom(*frame1());
    EXPECT_EQ(Configure->EditPass->displayText().toStdString(), "******");
    Configure->EditPass->setText("ab");
    EXPECT_EQ(Configure->EditPass->displayText().toStdString(), "**");
    EXPECT_EQ(Configure->EditPass->text().toStdString(), "ab");
}

TEST_F(ConfigureFixture, AFailedSaveSaysSo)
{
    CreateForms();
    QString asked;
    SetMessageBoxAnswerer([&](const TMessageBoxRequest& r) {
        asked = r.text;
        return QMessageBox::Ok;
    });
    // Replace the file by a folder of that name: the save cannot succeed.
    QFile::remove(base.file("CONFIG/Connect1.CFG"));
    QDir().mkpath(base.file("CONFIG/Connect1.CFG"));
    Configure->FillFrom(*frame1());
    Configure->EditCName->setText("Kept");
    Configure->ButtonSaveClick();
    EXPECT_TRUE(asked.contains("could not be saved")) << asked.toStdString();
    EXPECT_EQ(frame1()->ConnectionCaption, "Kept") << "applied even though not saved";
}

TEST_F(ConfigureFixture, ThePasswordDialogUpperCasesAndCancelEmpties)
{
    CreateForms();
    QTimer::singleShot(0, [] {
        Pass->Edit1->setText("newpw");
        Pass->Button1->click();
    });
    EXPECT_EQ(Pass->Ask(), QDialog::Accepted);
    EXPECT_EQ(Pass->NewPassword, "NEWPW");
    QTimer::singleShot(0, [] {
        Pass->Edit1->setText("other");
        Pass->Button2->click();
    });
    EXPECT_EQ(Pass->Ask(), QDialog::Rejected);
    EXPECT_TRUE(Pass->NewPassword.isEmpty());
}

TEST_F(ConfigureFixture, ApplyStartsStopsAndRestartsTheLog)
{
    CreateForms();
    TFrame2* f = frame1();
    f->HardwareType = htRackSystem;
    QDateTime clock(QDate(2026, 12, 9), QTime(8, 0, 0));
    f->Clock = [&] { return clock; };
    const QDir logs(f->LogPath);

    Configure->FillFrom(*f);
    Configure->CheckBox2->setChecked(true);
    Configure->ButtonApplyClick();
    EXPECT_TRUE(f->LogOpen);
    EXPECT_EQ(logs.entryList({"*.LW1"}).size(), 1);

    // A new prefix is a new file; the old one is closed.
    clock = clock.addSecs(10);
    Configure->FillFrom(*f);
    Configure->EditPre->setText("Night-");
    Configure->ButtonApplyClick();
    EXPECT_TRUE(f->LogOpen);
    EXPECT_EQ(logs.entryList({"Night-*.LW1"}).size(), 1);

    // The same settings again keep the open file.
    clock = clock.addSecs(10);
    Configure->FillFrom(*f);
    Configure->ButtonApplyClick();
    EXPECT_EQ(logs.entryList({"*.LW1"}).size(), 2);

    Configure->FillFrom(*f);
    Configure->CheckBox2->setChecked(false);
    Configure->ButtonApplyClick();
    EXPECT_FALSE(f->LogOpen);
    EXPECT_FALSE(f->logWriter().isOpen());
}

// Changed to a rack system under a running log of another family, the
// connection writes its rack log from the first block, not from some later
// 04:00 or never.
TEST_F(ConfigureFixture, ApplyingARackSystemOverAnotherFamilysLogStartsTheRackLog)
{
    CreateForms();
    TFrame2* f = frame1();
    QDateTime clock(QDate(2026, 12, 9), QTime(8, 0, 0));
    f->Clock = [&] { return clock; };
    const QDir logs(f->LogPath);
    for (const int from : {htHDSystem, htTavr1}) {
        SCOPED_TRACE(from);
        f->HardwareType = from;
        Configure->FillFrom(*f);
        Configure->CheckBox2->setChecked(true);
        Configure->ButtonApplyClick();
        ASSERT_TRUE(f->LogOpen);
        ASSERT_EQ(f->LogKind, from);

        clock = clock.addSecs(10);
        Configure->FillFrom(*f);
        Configure->RadioGroupHTButtons->button(htRackSystem)->click();
        Configure->ButtonApplyClick();
        ASSERT_EQ(f->HardwareType, htRackSystem);
        EXPECT_TRUE(f->LogOpen);
        EXPECT_EQ(f->LogKind, htRackSystem);
        const QString rackLog = f->logWriter().path();
        EXPECT_TRUE(rackLog.endsWith(clock.toString("hh.mm.ss") + ".LW1")) << rackLog.toStdString();
        for (int i = 0; i < 3; ++i) {
            clock = clock.addSecs(1);
            f->LogRackBlock(QByteArray(100, char(i)) + TDateTimeBytes(clock), clock);
        }
        EXPECT_EQ(QFileInfo(rackLog).size(), 3 * 109);

        Configure->FillFrom(*f);
        Configure->CheckBox2->setChecked(false);
        Configure->ButtonApplyClick();
        EXPECT_FALSE(f->LogOpen);
        clock = clock.addSecs(10);
    }
    EXPECT_EQ(logs.entryList({"*.LW1"}).size(), 2);
    const QStringList txt = logs.entryList({"*.TXT"});
    ASSERT_EQ(txt.size(), 1);
    QFile hd(logs.filePath(txt[0]));
    ASSERT_TRUE(hd.open(QIODevice::ReadOnly));
    EXPECT_EQ(hd.readAll(), QByteArray("DATE,TIME,TOTAL PEAK,TOTAL AVE,TOTAL MIN\r\n"));
}

// Every tab in view as the windows open: the six pages of the dialog, and
// the eight connections and the log player of the Connections window, also
// after a long connection name is saved.
TEST_F(ConfigureFixture, EveryTabIsInViewWithoutScrollArrows)
{
    CreateForms();
    auto allInView = [](QWidget* window, QTabWidget* tabs) {
        window->show();
        pump(50);
        QTabBar* bar = tabs->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
            const QRect r = bar->tabRect(i);
            const QRect inWindow(bar->mapTo(window, r.topLeft()), r.size());
            if (!bar->rect().contains(r) || !window->rect().contains(inWindow))
                return testing::AssertionFailure()
                       << "tab " << i << " \"" << bar->tabText(i).toStdString() << "\" outside "
                       << window->width() << " wide";
        }
        return testing::AssertionSuccess();
    };
    Configure->FillFrom(*frame1());
    EXPECT_EQ(Configure->PageControl1->count(), 6);
    EXPECT_TRUE(allInView(Configure, Configure->PageControl1));
    Configure->hide();

    auto* pages = Connects->findChild<QTabWidget*>("PageControl2");
    ASSERT_TRUE(pages);
    EXPECT_EQ(pages->count(), 9);
    EXPECT_TRUE(allInView(Connects, pages));
    frame1()->ConnectionCaption = "Studio A 1";
    Connects->UpdateTabCaptions();
    EXPECT_TRUE(allInView(Connects, pages));
}
