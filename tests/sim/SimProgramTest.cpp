#include "SimLoginSupport.h"
#include "TestSupport.h"

#include "data/EventLog.h"
#include "link/Frame2.h"

#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <optional>

// tolvex-sim as a person runs it: its command line, and the faults it shows a
// real frame over loopback.

namespace {

const QString simProgram = QStringLiteral(TOLVEX_BINARY_DIR "/tolvex-sim");

struct TRun
{
    int exitCode = -1;
    QString out, err;
};

TRun runSim(const QStringList& args)
{
    QProcess p;
    p.start(simProgram, args);
    TRun r;
    if (!p.waitForFinished(30000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

// A simulated unit in a process of its own, offered on a free loopback port,
// and what it prints: the faults as they come, and how many blocks it sent.
class TSimProcess
{
public:
    ~TSimProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }

    quint16 start(const QStringList& args)
    {
        m_process.start(simProgram, args + QStringList{"--tcp", "0"});
        if (!m_process.waitForStarted(10000))
            return 0;
        static const QRegularExpression listening("listening on 127\\.0\\.0\\.1:(\\d+)");
        quint16 port = 0;
        waitFor(
            [&] {
                port = quint16(listening.match(output()).captured(1).toUInt());
                return port != 0 || m_process.state() == QProcess::NotRunning;
            },
            30000);
        return port;
    }

    QString output()
    {
        m_out += QString::fromLocal8Bit(m_process.readAllStandardOutput());
        return m_out;
    }

    // The number of each block that carried one of the faults named.
    QList<int> faultBlocks(const QStringList& names)
    {
        static const QRegularExpression line("^fault: ([a-z-]+) \\(block (\\d+)\\)$",
                                             QRegularExpression::MultilineOption);
        QList<int> blocks;
        for (auto it = line.globalMatch(output()); it.hasNext();) {
            const auto m = it.next();
            if (names.contains(m.captured(1)))
                blocks << m.captured(2).toInt();
        }
        return blocks;
    }

    bool printed(const QString& text) { return output().contains(text); }

    std::optional<int> stoppedAfter()
    {
        static const QRegularExpression line("stopped after (\\d+) blocks");
        const auto m = line.match(output());
        return m.hasMatch() ? std::optional<int>(m.captured(1).toInt()) : std::nullopt;
    }

private:
    QProcess m_process;
    QString m_out;
};

// Faulted blocks within two of each other make one run of faults: a
// receiver that lost step is still finding it when the next one comes.
int runsOf(const QList<int>& blocks)
{
    int runs = 0;
    for (int i = 0; i < blocks.size(); ++i)
        if (i == 0 || blocks[i] - blocks[i - 1] > 2)
            ++runs;
    return runs;
}

struct TFamily
{
    const char* name;
    int hardwareType;
    QString faults;       // what its --help lists
    QStringList refusals; // the block faults that cost an ERROR line (the Bry1 counts them)
    QString notResponding;
    // A run long enough for a few faults of each kind at the unit's rate: the
    // rack answers two polls a second, the others send five to eight blocks.
    QString seconds;
    QString every;
    // Whether the link writes a line for a refused block: the rack takes its
    // blocks section by section, each with its own check, and says nothing of
    // one it cannot use.
    bool refusalsLogged = true;
};

const TFamily families[] = {
    {"tavr1",
     htTavr1,
     "garbage, split, double, truncate, silence, drop, flood",
     {"garbage", "truncate"},
     " Tavr1 Hardware not responding check settings ",
     "8",
     "6"},
    {"hd",
     htHDSystem,
     "garbage, split, double, truncate, bad-checksum, silence, drop, flood",
     {"garbage", "truncate", "bad-checksum"},
     " HD Hardware not responding check settings ",
     "8",
     "6"},
    {"rack",
     htRackSystem,
     "garbage, split, double, truncate, bad-checksum, silence, drop, flood",
     {"garbage", "truncate", "bad-checksum"},
     " QEL Hardware not responding check settings ",
     "12",
     "3",
     false},
    {"bry1",
     htBry1,
     "garbage, split, double, truncate, bad-checksum, silence, drop, flood",
     {"bad-checksum"},
     " Bry-1 not responding check settings ",
     "8",
     "6"},
};

class SimProgramTest : public ::testing::TestWithParam<TFamily>
{
protected:
    void SetUp() override { MessageLines = &log; }
    void TearDown() override { MessageLines = nullptr; }

    // A frame of the family logged in to the unit; the test runs every tick.
    std::unique_ptr<TFrame2> loggedIn(quint16 port)
    {
        TSimLogin login;
        login.hardwareType = GetParam().hardwareType;
        login.port = port;
        login.stopTimer = true;
        auto f = LoginToSim(
            login,
            [](TFrame2& frame, const std::function<bool()>& pred, int maxTicks) {
                return TickFrameUntil(frame, pred, maxTicks, 40);
            },
            [](const TFrame2&) { return true; }, 1);
        QObject::connect(f.get(), &TFrame2::measurementDecoded, f.get(), [this] { ++decoded; });
        return f;
    }

    // Ticks until the unit has stopped and the frame has taken all it sent.
    void tickToTheEnd(TFrame2& f, TSimProcess& sim)
    {
        ASSERT_TRUE(TickFrameUntil(
            f, [&] { return sim.stoppedAfter().has_value(); }, 3000, 20))
            << sim.output().toStdString();
        for (int i = 0; i < 10; ++i) {
            f.Timer1Timer();
            pump(20);
        }
    }

    // The ERROR lines, but for the one the link writes when the unit goes at
    // the end of its run.
    QStringList errors(bool withLinkEnd = false) const
    {
        QStringList out;
        for (const QString& l : logOldestFirst())
            if (l.startsWith("ERROR") && (withLinkEnd || !l.contains("Socket Error")))
                out << l;
        return out;
    }

    // The blocks the frame took whole: decoded for the families that say so
    // block by block, stored for the others.
    int blocksTaken(const TFrame2& f) const
    {
        const int type = GetParam().hardwareType;
        return type == htTavr1 || type == htHDSystem ? decoded : f.BlocksSinceDisplay;
    }

    TEventLog log;
    int decoded = 0;
};

} // namespace

TEST_P(SimProgramTest, HelpListsTheFamilysFaultsAndABadOptionIsNamed)
{
    const TFamily& family = GetParam();
    const TRun help = runSim({family.name, "--help"});
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith(QString("Usage: tolvex-sim %1 [options]").arg(family.name)))
        << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--faults <NAME[,NAME...]>"));
    EXPECT_TRUE(help.out.simplified().contains("The faults to show, of: " + family.faults + "."))
        << help.out.toStdString();
    for (const char* option : {"--fault-every <N>", "--seed <N>", "--seconds <N>"})
        EXPECT_TRUE(help.out.contains(option)) << option;

    // Each refusal names what it refuses, not the whole usage.
    const struct
    {
        QStringList args;
        QString named;
    } bad[] = {
        {{"--tpc", "10001"}, "Unknown option 'tpc'."},
        {{"--tcp", "port"}, "Bad value 'port' for option '--tcp'."},
        {{"--tcp"}, "Missing value after '--tcp'."},
        {{"--tcp", "0", "--faults", "garbage,hum"},
         "Bad value 'garbage,hum' for option '--faults'."},
        {{"--tcp", "0", "--fault-every", "0"}, "Bad value '0' for option '--fault-every'."},
        {{"--tcp", "0", "extra"}, "Unexpected argument 'extra'."},
        {{"--tcp", "0", "--pty"}, "Give either --tcp PORT or --pty."},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.args.join(' ').toStdString());
        const TRun r = runSim(QStringList{family.name} + b.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, QString("tolvex-sim %1: %2\n").arg(family.name, b.named));
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST(SimProgram, TheTavr1HasNoChecksumToBreak)
{
    const TRun r = runSim({"tavr1", "--tcp", "0", "--faults", "bad-checksum"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "tolvex-sim tavr1: Bad value 'bad-checksum' for option '--faults'.\n");
}

// Garbage, a cut block, a wrong sum: one ERROR line for each run of them,
// and the blocks after each are taken again. The Bry1 writes no line: it
// counts the wrong sums.
TEST_P(SimProgramTest, RefusedBlocksAreOneErrorARunAndDecodingGoesOn)
{
    const TFamily& family = GetParam();
    TSimProcess sim;
    const quint16 port =
        sim.start({family.name, "--faults", family.refusals.join(','), "--fault-every",
                   family.every, "--seed", "11", "--seconds", family.seconds});
    ASSERT_NE(port, 0) << sim.output().toStdString();
    auto f = loggedIn(port);
    ASSERT_EQ(f->ProcessState, 4u);
    tickToTheEnd(*f, sim);

    const int sent = *sim.stoppedAfter();
    const QList<int> faulted = sim.faultBlocks(family.refusals);
    // The last few blocks may have had no successor to show them refused.
    QList<int> settled;
    for (int b : faulted)
        if (b <= sent - 3)
            settled << b;
    ASSERT_GE(runsOf(settled), 2) << sim.output().toStdString();
    if (family.hardwareType == htBry1) {
        EXPECT_GE(f->Bry1ChecksumErrors, settled.size());
        EXPECT_LE(f->Bry1ChecksumErrors, faulted.size());
        EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    } else if (family.refusalsLogged) {
        EXPECT_GE(errors().size(), runsOf(settled)) << errors().join('\n').toStdString();
        EXPECT_LE(errors().size(), runsOf(faulted)) << errors().join('\n').toStdString();
    }
    // A refused block costs itself and at most the one it runs into.
    EXPECT_GE(blocksTaken(*f), sent - 2 * int(faulted.size()) - 2);
}

// A block in two writes or two blocks in one: every block taken, none lost,
// none twice, and nothing said.
TEST_P(SimProgramTest, SplitAndDoubledBlocksAreAllTaken)
{
    const TFamily& family = GetParam();
    TSimProcess sim;
    const quint16 port = sim.start({family.name, "--faults", "split,double", "--fault-every", "3",
                                    "--seed", "5", "--seconds", family.seconds});
    ASSERT_NE(port, 0) << sim.output().toStdString();
    auto f = loggedIn(port);
    ASSERT_EQ(f->ProcessState, 4u);
    tickToTheEnd(*f, sim);

    EXPECT_GE(sim.faultBlocks({"split"}).size(), 2) << sim.output().toStdString();
    EXPECT_GE(sim.faultBlocks({"double"}).size(), 2) << sim.output().toStdString();
    EXPECT_EQ(blocksTaken(*f), *sim.stoppedAfter());
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
}

// The unit closes the link 10 s after the login: the link's own error line.
TEST_P(SimProgramTest, ADropIsTheLinksOwnError)
{
    TSimProcess sim;
    const quint16 port = sim.start({GetParam().name, "--faults", "drop"});
    ASSERT_NE(port, 0) << sim.output().toStdString();
    auto f = loggedIn(port);
    ASSERT_EQ(f->ProcessState, 4u);
    // Bounded: the drop is due 10 s after the login.
    ASSERT_TRUE(TickFrameUntil(
        *f, [&] { return !errors(true).isEmpty(); }, 1500, 20));
    EXPECT_TRUE(sim.printed("fault: drop\n"));
    const QStringList lines = errors(true);
    ASSERT_EQ(lines.size(), 1) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].endsWith("Socket Error(104): Connection reset by peer"))
        << lines[0].toStdString();
    EXPECT_EQ(f->Status, stError);
}

// The unit falls silent at the program's first bytes: the family's own
// not-responding line once its login has waited its count of ticks.
TEST_P(SimProgramTest, SilenceIsTheFamilysNotRespondingLine)
{
    TSimProcess sim;
    const quint16 port = sim.start({GetParam().name, "--faults", "silence"});
    ASSERT_NE(port, 0) << sim.output().toStdString();
    auto f = std::make_unique<TFrame2>("Connect1");
    f->HardwareType = GetParam().hardwareType;
    f->Transport = trNetwork;
    f->IpAddress = "127.0.0.1";
    f->TcpPort = port;
    f->OpenConnection();
    ASSERT_TRUE(waitFor([&] { return f->PortOpen; }));
    f->Timer1->stop();
    // The silence lasts 5 s; the login's count of ticks runs out well within.
    ASSERT_TRUE(TickFrameUntil(
        *f, [&] { return !errors().isEmpty(); }, 200, 5));
    EXPECT_TRUE(sim.printed("fault: silence\n"));
    EXPECT_FALSE(sim.printed("fault: silence over\n")) << "the login gave up within the silence";
    const QStringList lines = errors();
    ASSERT_EQ(lines.size(), 1) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].endsWith(GetParam().notResponding)) << lines[0].toStdString();
    EXPECT_EQ(f->Status, stError);
}

INSTANTIATE_TEST_SUITE_P(Families, SimProgramTest, ::testing::ValuesIn(families),
                         [](const auto& info) { return std::string(info.param.name); });
