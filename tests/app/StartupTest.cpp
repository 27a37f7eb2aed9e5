#include "TestSupport.h"

#include "app/C8L1Frame.h"
#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "common/Enums.h"
#include "link/Frame2.h"

#include <QDir>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The program's forms for one test, created in a temporary working directory.
struct Program
{
    explicit Program(TempBase& base)
        : base(base)
    {
        CreateForms();
    }
    ~Program() { DestroyForms(); }
    QTabWidget* tabs() const { return Connects->C8L1Frame->PageControl2; }
    TFrame2* frame(int n) const { return Connects->ConnectionByIndex(n); }
    TempBase& base;
};

} // namespace

TEST(Startup, AnEmptyDirectoryGetsEightDefaultConnectionFiles)
{
    TempBase base;
    Program p(base);

    for (int n = 1; n <= 8; ++n)
        EXPECT_TRUE(QFile::exists(base.file(QString("CONFIG/Connect%1.CFG").arg(n)))) << n;

    const QList<QByteArray> lines = base.readFile("CONFIG/Connect3.CFG").split('\n');
    ASSERT_GE(lines.size(), 17);
    EXPECT_EQ(lines[9], "     0\r");
    EXPECT_EQ(lines[10], (base.path() + "/LOG/\r").toLatin1());
    EXPECT_EQ(lines[13], "    #3  \r");
    EXPECT_EQ(lines[14], "Rack3\r");

    EXPECT_EQ(p.tabs()->count(), 9);
    EXPECT_EQ(p.tabs()->tabText(8), "    Log  ");
    EXPECT_EQ(p.tabs()->widget(8)->objectName(), "Log1");
    EXPECT_EQ(p.tabs()->tabText(0), "Connect #1");
    for (int n = 2; n <= 8; ++n)
        EXPECT_EQ(p.tabs()->tabText(n - 1), QString("    #%1  ").arg(n));
    EXPECT_EQ(Main->windowTitle(), "Korsa Electronics   Tolvex");
    EXPECT_EQ(Connects->windowTitle(), "Connections");

    // Every frame is loaded and ticking, idle and disconnected.
    for (int n = 1; n <= 8; ++n) {
        EXPECT_TRUE(p.frame(n)->Timer1->isActive());
        EXPECT_EQ(p.frame(n)->Status, stDisconnected);
        EXPECT_EQ(p.frame(n)->objectName(), QString("Connect%1").arg(n));
    }
    EXPECT_EQ(p.frame(0), nullptr);
    EXPECT_EQ(p.frame(9), nullptr);
}

TEST(Startup, DataFoldersHangBelowTheStartingDirectory)
{
    TempBase base;
    TConnectionSettings s = DefaultSettings("Connect2", base.path());
    s.ConnectionCaption = "WXYZ";
    base.writeConfig("Connect2", s);

    Program p(base);
    EXPECT_EQ(BaseDirectory(), base.path());
    EXPECT_EQ(p.tabs()->tabText(1), "WXYZ");
    EXPECT_EQ(p.frame(1)->LogPath, base.path() + "/LOG/");
    EXPECT_EQ(p.frame(1)->ConfigFilePath(), base.path() + "/CONFIG/Connect1.CFG");
}

TEST(Startup, OneBadFileNeverStopsTheOthers)
{
    TempBase base;
    QDir().mkpath(base.file("CONFIG"));
    // A hand-edited file: a word where the hardware type belongs, line 4 = 2,
    // and only six lines.
    base.writeFile("CONFIG/Connect1.CFG", "Tavr\r\nPW\r\n 1\r\n2\r\n 3\r\n 1\r\n");
    TConnectionSettings s = DefaultSettings("Connect2", base.path());
    s.ConnectionCaption = "Second";
    base.writeConfig("Connect2", s);

    Program p(base);
    TFrame2* f1 = p.frame(1);
    EXPECT_EQ(f1->HardwareType, htRackSystem);
    EXPECT_EQ(f1->DevicePassword, "PW");
    EXPECT_EQ(f1->Transport, trNetwork);
    EXPECT_FALSE(f1->ConnectOnStartup);
    EXPECT_EQ(f1->SerialPort, 3);
    EXPECT_EQ(f1->RackCaption, "Rack1");
    EXPECT_TRUE(f1->Timer1->isActive());
    EXPECT_EQ(p.tabs()->tabText(1), "Second");
    for (int n = 1; n <= 8; ++n)
        EXPECT_TRUE(p.frame(n)->Timer1->isActive()) << n;
}

TEST(Startup, ACONFIGFolderThatCannotBeWrittenRunsOnDefaults)
{
    TempBase base;
    // A plain file named CONFIG: no connection file can be created below it.
    base.writeFile("CONFIG", "not a folder");
    Program p(base);
    for (int n = 1; n <= 8; ++n) {
        EXPECT_TRUE(p.frame(n)->Timer1->isActive()) << n;
        EXPECT_EQ(p.frame(n)->RackCaption, QString("Rack%1").arg(n));
    }
    EXPECT_EQ(countLogLines("Cannot write"), 8);
}

TEST(Startup, TheLogTabsOnlyTheConnectionTabsChangeTheCurrentConnection)
{
    TempBase base;
    Program p(base);
    p.tabs()->setCurrentIndex(4);
    EXPECT_EQ(CurrentConnection, 5);
    p.tabs()->setCurrentIndex(8); // the log playback keeps the last one
    EXPECT_EQ(CurrentConnection, 5);
}

TEST(Startup, AConnectionWithLoggingStartsItsLogAndApplyStopsItWhenSwitchedOff)
{
    TempBase base;
    TConnectionSettings s = DefaultSettings("Connect2", base.path());
    s.HardwareType = htRackSystem;
    s.LoggingEnabled = true;
    base.writeConfig("Connect2", s);
    Program p(base);
    EXPECT_TRUE(p.frame(2)->LogOpen);
    EXPECT_FALSE(p.frame(1)->LogOpen);
    const QStringList files = QDir(base.file("LOG")).entryList({"Connect2-Date..*.LW2"});
    EXPECT_EQ(files.size(), 1);
}

TEST(Startup, StayOnTopKeepsExactlyOneItemChecked)
{
    TempBase base;
    Program p(base);
    EXPECT_TRUE(Main->StayOnTopNo->isChecked());
    Main->StayOnTopNo->trigger();
    Main->StayOnTopYes->trigger();
    EXPECT_TRUE(Main->StayOnTopYes->isChecked());
    EXPECT_FALSE(Main->StayOnTopNo->isChecked());
    EXPECT_TRUE(Main->windowFlags() & Qt::WindowStaysOnTopHint);
    Main->StayOnTopNo->trigger();
    EXPECT_FALSE(Main->StayOnTopYes->isChecked());
    EXPECT_FALSE(Main->windowFlags() & Qt::WindowStaysOnTopHint);
}
