#include "link/RackLinkSupport.h"

#include <QDir>

namespace {

// Three S-records whose bytes add up to FF.
const QByteArray lines[] = {"S1130000285F245F2212226A000424290008237C2A",
                            "S11300100002000800082629001853812341001813",
                            "S10500200102D7"};

class RackDownloadTest : public RackLinkFixture
{
protected:
    void SetUp() override
    {
        RackLinkFixture::SetUp();
        QDir().mkpath(base.file("DLD"));
        writeProgram("Kelb1.DLD", "3");
        makeSim().unit.controller = "Kelb1";
    }
    void writeProgram(const QString& name, const QByteArray& count)
    {
        base.writeFile("DLD/" + name, count + "\r\n" + lines[0] + "\r\n" + lines[1] + "\r\n" +
                                          lines[2] + "\r\n");
    }
    QList<QByteArray> afterIdentify() const
    {
        const QList<QByteArray> cmds = sim->unit.commands();
        const qsizetype at = cmds.indexOf(op(0x07));
        return at < 0 ? QList<QByteArray>{} : cmds.mid(at + 1);
    }
    static QByteArray start3() { return fe("\x05" "0003"); }
    static QByteArray line(int i) { return fe('\t' + lines[i]); }

    TempBase base;
};

} // namespace

TEST_F(RackDownloadTest, ACurrentProgramIsOnlyAnnounced)
{
    sim->unit.programCurrent = true;
    ASSERT_TRUE(open(trNetwork));
    ASSERT_TRUE(loggedIn());
    EXPECT_EQ(afterIdentify().mid(0, 2), (QList<QByteArray>{start3(), op(0x04)}));
    EXPECT_TRUE(sim->unit.downloadLines().isEmpty());
    EXPECT_FALSE(frame->DownloadFile.isOpen());
}

TEST_F(RackDownloadTest, AnOldProgramIsSentLineByLine)
{
    ASSERT_TRUE(open(trSerial));
    bool sawDownloading = false;
    ASSERT_TRUE(tickUntil(
        [&] {
            sawDownloading |= frame->Status == stDownloading;
            return frame->ProcessState == 4;
        },
        120));
    EXPECT_TRUE(sawDownloading);
    EXPECT_EQ(afterIdentify().mid(0, 6),
              (QList<QByteArray>{start3(), line(0), line(1), line(2), start3(), op(0x04)}));
    EXPECT_FALSE(frame->DownloadFile.isOpen());
    EXPECT_TRUE(logged("STATUS", " QEL Succesful Connection"));
}

TEST_F(RackDownloadTest, BadChecksumsResendTheLineThreeTimesThenFail)
{
    struct Case
    {
        int times;
        bool completes;
    };
    for (const Case& k : {Case{3, true}, Case{4, false}}) {
        SCOPED_TRACE(k.times);
        log.clear();
        makeSim().unit.controller = "Kelb1";
        sim->unit.badChecksumLine = 2;
        sim->unit.badChecksumTimes = k.times;
        ASSERT_TRUE(open(trNetwork));
        ASSERT_TRUE(tickUntil([&] { return frame->ProcessState == 0 || frame->ProcessState == 4; }, 200));
        EXPECT_EQ(frame->ProcessState == 4, k.completes);
        const QList<QByteArray> sent = sim->unit.downloadLines();
        EXPECT_EQ(sent.count(lines[1]), 4);
        if (!k.completes) {
            EXPECT_TRUE(logged("ERROR", " QEL Download Failed - BAD CHECKSUMS"));
            EXPECT_EQ(frame->Status, stError);
            pump(60);
            EXPECT_EQ(afterIdentify().mid(afterIdentify().size() - 2),
                      (QList<QByteArray>{QByteArray(1, char(0xFE)), op(0x02)}));
        }
        EXPECT_FALSE(frame->DownloadFile.isOpen());
    }
}

TEST_F(RackDownloadTest, ARefusedFinalCountFailsTheDownload)
{
    sim->unit.badFinalChecksum = true;
    ASSERT_TRUE(open(trNetwork));
    ASSERT_TRUE(tickUntil([&] { return frame->ProcessState == 0 || frame->ProcessState == 4; }, 200));
    EXPECT_TRUE(logged("ERROR", " QEL download failed"));
    EXPECT_EQ(frame->Status, stError);
    EXPECT_FALSE(frame->DownloadFile.isOpen());
}

TEST_F(RackDownloadTest, MissingOrBadFilesAndUnsafeAnswersSendNothing)
{
    struct Case
    {
        const char* name;
        QByteArray answer;
        QByteArray fileName; // written as DLD/<fileName> with count
        QByteArray count;
        QString message;
    };
    const Case cases[] = {
        {"no file", "Kelb1", "", "", " QEL download file not found Kelb1.dld"},
        {"count x", "Kelb1", "Kelb1.DLD", "x", " QEL download file invalid Kelb1.dld"},
        {"count -1", "Kelb1", "Kelb1.DLD", "-1", " QEL download file invalid Kelb1.dld"},
        {"count 70000", "Kelb1", "Kelb1.DLD", "70000", " QEL download file invalid Kelb1.dld"},
        {"a path", "../x", "", "", " QEL download file not found ../x.dld"},
        {"control bytes", "Ke\x01lb", "", "", " QEL download file not found Ke?lb.dld"},
    };
    // A file outside DLD/ that "../x" would reach.
    base.writeFile("x.DLD", "1\r\nS10500200102D7\r\n");
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        log.clear();
        QFile::remove(base.file("DLD/Kelb1.DLD"));
        if (!k.fileName.isEmpty())
            writeProgram(QString::fromLatin1(k.fileName), k.count);
        makeSim().unit.controller = k.answer;
        ASSERT_TRUE(open(trNetwork));
        ASSERT_TRUE(tickUntil([&] { return frame->ProcessState == 0 || frame->ProcessState == 4; }, 60));
        EXPECT_TRUE(logged("ERROR", k.message)) << logOldestFirst().join('\n').toStdString();
        EXPECT_EQ(frame->Status, stError);
        EXPECT_EQ(frame->ProcessState, 0u);
        EXPECT_FALSE(frame->DownloadFile.isOpen());
        pump(60);
        EXPECT_TRUE(afterIdentify().isEmpty());
    }
}

// A program file is checked whole before the download-start command: a line
// that is no S-record (a long one too) makes it invalid as a bad count does,
// with one line and nothing of it sent. Blank lines and a closing 0x1A are
// no such lines, and a record is sent as it stands, never in pieces.
TEST_F(RackDownloadTest, AProgramLineThatIsNoRecordMakesTheFileInvalid)
{
    const QByteArray two = QByteArray("3\r\n") + lines[0] + "\r\n" + lines[1] + "\r\n";
    const QByteArray whole = two + lines[2] + "\r\n";
    struct Case
    {
        const char* name;
        QByteArray file;
        bool valid;
    };
    const Case cases[] = {
        {"a 3000-character line", "2\r\n" + lines[0] + "\r\n" + QByteArray(3000, 'A') + "\r\n",
         false},
        {"NUL bytes after the count", "2\r\n" + QByteArray(1 << 20, '\0'), false},
        {"515 characters", two + "S1" + QByteArray(513, '0') + "\r\n", false},
        {"text", two + "hello\r\n", false},
        {"0x1A before the last line", two + "\x1A\r\n" + lines[2] + "\r\n", false},
        {"blank lines and a last 0x1A", two + "\r\n  \r\n" + lines[2] + "\r\n\r\n\x1A", true},
        {"LF line ends", QByteArray(whole).replace("\r\n", "\n"), true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        log.clear();
        base.writeFile("DLD/Kelb1.DLD", k.file);
        makeSim().unit.controller = "Kelb1";
        ASSERT_TRUE(open(trNetwork));
        ASSERT_TRUE(tickUntil([&] { return frame->ProcessState == 0 || frame->ProcessState == 4; }, 200));
        EXPECT_FALSE(frame->DownloadFile.isOpen());
        if (k.valid) {
            EXPECT_EQ(frame->ProcessState, 4u);
            EXPECT_EQ(sim->unit.downloadLines(), (QList<QByteArray>{lines[0], lines[1], lines[2]}));
            EXPECT_EQ(countLogLines("ERROR"), 0);
            continue;
        }
        EXPECT_EQ(countLogLines("ERROR"), 1);
        EXPECT_TRUE(logged("ERROR", " QEL download file invalid Kelb1.dld"));
        EXPECT_EQ(frame->Status, stError);
        EXPECT_EQ(frame->ProcessState, 0u);
        pump(60);
        EXPECT_TRUE(afterIdentify().isEmpty());
        EXPECT_TRUE(sim->unit.downloadLines().isEmpty());
    }
}

TEST_F(RackDownloadTest, TheFileNameIsFoundInAnyCase)
{
    QFile::remove(base.file("DLD/Kelb1.DLD"));
    writeProgram("kelb1.dld", "3");
    sim->unit.programCurrent = true;
    ASSERT_TRUE(open(trNetwork));
    ASSERT_TRUE(loggedIn());
    EXPECT_EQ(afterIdentify().value(0), start3());
}

// Disconnect or Connect in the middle of a transfer leaves no file open.
TEST_F(RackDownloadTest, ClosingMidTransferClosesTheFile)
{
    for (int viaConnect = 0; viaConnect < 2; ++viaConnect) {
        makeSim().unit.controller = "Kelb1";
        sim->unit.silence = RackUnit::Silence::DownloadLine;
        sim->unit.silentLine = 2;
        ASSERT_TRUE(open(trNetwork));
        ASSERT_TRUE(tickUntil([&] { return frame->LoginStep == 8 && frame->DownloadLineNumber == 2; },
                              120));
        EXPECT_TRUE(frame->DownloadFile.isOpen());
        if (viaConnect)
            frame->StartConnect();
        else
            frame->StartDisconnect();
        EXPECT_FALSE(frame->DownloadFile.isOpen());
    }
}

// A program line left unanswered is sent again after 25 ticks and the
// download given up after 51.
TEST_F(RackDownloadTest, ASilentLineIsSentAgainThenTheDownloadFails)
{
    sim->unit.silence = RackUnit::Silence::DownloadLine;
    sim->unit.silentLine = 2;
    ASSERT_TRUE(open(trNetwork));
    ASSERT_TRUE(tickUntil([&] { return frame->LoginStep == 8 && frame->DownloadLineNumber == 2; },
                          120));
    const int savedInterval = frame->SavedInterval;
    int tick = 0;
    while (frame->ProcessState == 3 && tick < 100) {
        frame->Timer1Timer();
        ++tick;
        pump(2);
    }
    pump(60);
    EXPECT_EQ(tick, 52); // 25 waits, the resend, 26 more
    EXPECT_EQ(sim->unit.downloadLines().count(lines[1]), 2);
    EXPECT_TRUE(logged("ERROR", " QEL download failed"));
    EXPECT_EQ(frame->Timer1->interval(), savedInterval);
    EXPECT_FALSE(frame->DownloadFile.isOpen());
}
