// The connection's settings file as the frame loads and saves it. A file that
// is there but cannot be read holds settings nobody has seen: the frame runs
// on the defaults and nothing but the user's Save writes over it. The tests
// run as root, who reads a file whatever its mode, so the unreadable file is
// a socket: opening one fails for root too.
#include "link/FrameSimSupport.h"

#include "app/Configure.h"
#include "app/Connects.h"
#include "app/Forms.h"
#include "protocol/firmware/DldFile.h"
#include "sim/firmware/DldGenerator.h"
#include "sim/hd/HdSim.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QLocalServer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A socket standing where the file is.
struct UnreadableFile
{
    explicit UnreadableFile(const QString& path)
        : path(path)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(server.listen(path)) << qPrintable(server.errorString());
        EXPECT_TRUE(stillThere());
    }
    // Still the socket: nothing was written over it.
    bool stillThere() const { return QFileInfo::exists(path) && !QFileInfo(path).isFile(); }
    QString path;
    QLocalServer server;
};

int linesNaming(const QString& path, const QString& needle)
{
    int n = 0;
    for (const QString& l : logOldestFirst())
        n += l.contains("ERROR") && l.contains(path) && l.contains(needle) ? 1 : 0;
    return n;
}

} // namespace

TEST(FrameConfig, AFileThatCannotBeReadIsNeverWrittenOverButByTheUsersSave)
{
    TempBase base;
    const UnreadableFile cfg(base.file("CONFIG/Connect1.CFG"));
    CreateForms();
    TFrame2* f = Connects->ConnectionByIndex(1);
    EXPECT_TRUE(cfg.stillThere()) << "the start-up wrote over it";
    EXPECT_EQ(f->RackCaption, "Rack1");
    EXPECT_EQ(f->DevicePassword, "QUMOR7");
    EXPECT_TRUE(f->Timer1->isActive());
    EXPECT_EQ(countLogLines("ERROR"), 1) << logOldestFirst().join('|').toStdString();
    EXPECT_EQ(linesNaming(cfg.path, "No such device or address"), 1);
    // The other connections got their files as ever.
    EXPECT_TRUE(QFileInfo(base.file("CONFIG/Connect2.CFG")).isFile());

    // The program's own save (after a firmware update) keeps away from it.
    QString error;
    EXPECT_FALSE(f->SaveConfiguration(&error));
    EXPECT_TRUE(error.contains(cfg.path)) << qPrintable(error);
    EXPECT_TRUE(cfg.stillThere());

    // Apply is no save either; Save is.
    Configure->FillFrom(*f);
    Configure->EditCName->setText("WXYZ");
    Configure->ButtonApplyClick();
    EXPECT_TRUE(cfg.stillThere());
    Configure->FillFrom(*f);
    Configure->ButtonSaveClick();
    ASSERT_TRUE(QFileInfo(cfg.path).isFile());
    EXPECT_EQ(base.readFile("CONFIG/Connect1.CFG").split('\n').value(13), "WXYZ\r");
    // From then on the file is the frame's, as any other.
    f->RackCaption = "Mast";
    EXPECT_TRUE(f->SaveConfiguration(&error)) << qPrintable(error);
    EXPECT_EQ(base.readFile("CONFIG/Connect1.CFG").split('\n').value(14), "Mast\r");
    DestroyForms();
}

// The HD unit without display restarts at 115200 baud after "DONE", and the
// sender saves that rate: into a file the frame read, never over one it could
// not read.
TEST(FrameConfig, TheHdSenderSavesTheNewRateOnlyIntoAFileItRead)
{
    for (const bool readable : {true, false}) {
        SCOPED_TRACE(readable ? "a file it read" : "a file it could not read");
        TempBase base;
        TEventLog log;
        MessageLines = &log;
        const QString path = base.file("CONFIG/Connect1.CFG");
        std::unique_ptr<UnreadableFile> unreadable;
        if (readable)
            base.writeConfig("Connect1", DefaultSettings("Connect1", base.path()));
        else
            unreadable = std::make_unique<UnreadableFile>(path);

        HdSim unit;
        unit.setModel(HdSim::Model::Vren1);
        unit.download->replyDelayMs = 1;
        unit.download->scriptLineGapMs = 0;
        unit.download->resetMs = 100;
        TFrame2 f("Connect1");
        f.LoadConfiguration();
        f.Timer1->stop(); // the test runs the ticks
        f.HardwareType = htHDSystem;
        f.Transport = trNetwork;
        f.BaudChoice = 0;
        f.IpAddress = "127.0.0.1";
        f.TcpPort = unit.listenTcp();
        f.OpenConnection();
        ASSERT_TRUE(waitFor([&] { return f.PortOpen; }));
        ASSERT_TRUE(tickUntil(
            f, [&] { return f.ProcessState == 4; }, 400, 20));

        auto file = std::make_unique<TDldFile>();
        const QByteArray bytes = MakeDldFile({6, "V04.00", "V04.00", {}, "\r\n"});
        ASSERT_EQ(ReadDldFile(QByteArrayView(bytes), TDldHeaderForm::MainFirmware, file.get()),
                  TDldError::None);
        f.FirmwareLineCount = quint16(file->Header.LineCount);
        f.SetFirmwareFile(std::move(file), "TEST.DLD");
        f.StartFirmwareTransfer();
        ASSERT_TRUE(tickUntil(
            f, [&] { return f.TransferStep >= 10; }, 3000));
        EXPECT_EQ(f.BaudChoice, 1);
        if (readable) {
            EXPECT_EQ(base.readFile("CONFIG/Connect1.CFG").split('\n').value(5), " 1\r");
            EXPECT_EQ(countLogLines("Configuration not saved"), 0);
        } else {
            EXPECT_TRUE(unreadable->stillThere());
            EXPECT_EQ(linesNaming(path, "Configuration not saved"), 1)
                << logOldestFirst().join('|').toStdString();
        }
        f.CloseConnection();
        MessageLines = nullptr;
    }
}
