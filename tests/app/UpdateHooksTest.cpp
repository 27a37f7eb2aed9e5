#include "TestSupport.h"

#include "app/C8L1Frame.h"
#include "app/Connects.h"
#include "app/Forms.h"
#include "link/Frame2.h"
#include "shell/UpDateTavr1.h"
#include "sim/firmware/DldGenerator.h"
#include "sim/tavr1/Tavr1Sim.h"
#include "widgets/MessageBoxService.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

// A login that finds an update due binds the dialog to its own frame and
// brings that frame's tab forward, whichever tab the user was looking at.
TEST(UpdateHooks, ALoginShowsItsOwnConnectionInTheDialog)
{
    TempBase base;
    QDir().mkpath(base.file("DLD"));
    base.writeFile("DLD/TAVR1_1.DLD", MakeDldFile({8, "V01.04", "V01.18", {}, "\r\n"}));
    base.writeFile("DLD/XPORT.DLD", MakeDldFile({8, {}, {}, "V6.10", "\r\n"}));
    QStringList boxes;
    SetMessageBoxAnswerer([&](const TMessageBoxRequest& r) {
        boxes << r.text;
        return QMessageBox::Ok;
    });
    CreateForms();
    Tavr1Sim sim;
    sim.identification = "Tavr-1 SN(555555) SW(01.03,01.16) OPT(1) REV(1:B 2:B 3:A) LAN(6.8.0.1)";
    Connects->C8L1Frame->PageControl2->setCurrentIndex(1);
    TFrame2* f = Connects->ConnectionByIndex(5);
    f->HardwareType = htTavr1;
    f->Transport = trNetwork;
    f->IpAddress = "127.0.0.1";
    f->TcpPort = sim.listenTcp();
    f->OpenConnection();
    ASSERT_TRUE(waitFor([&] { return UpDateTavr1->isVisible(); }, 15000));
    EXPECT_EQ(UpDateTavr1->Frame(), f);
    EXPECT_EQ(Connects->C8L1Frame->PageControl2->currentIndex(), 4);
    EXPECT_EQ(UpDateTavr1->StaticText2->text(), "01.03   01.16");
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('|').toStdString();
    UpDateTavr1->Button3->click();
    EXPECT_EQ(countLogLines(" Tavr1 firmware update declined; the unit is polled "), 1);
    EXPECT_TRUE(waitFor([&] { return f->ProcessState == 4; }));
    DestroyForms();
    SetMessageBoxAnswerer({});
}
