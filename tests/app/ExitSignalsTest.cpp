#include "TestSupport.h"

#include "common/Enums.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>

// The real program, logged in to a simulated unit and polling it, is told to
// end by a signal as systemctl or Ctrl+C would: it signs the unit off and
// ends normally.
TEST(ExitSignals, EndTheProgramWithTheSignOffOfEveryConnection)
{
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal == SIGTERM ? "SIGTERM" : "SIGINT");
        TempBase base;
        Tavr1Sim sim;
        TConnectionSettings s = DefaultSettings("Connect1", base.path());
        s.HardwareType = htTavr1;
        s.Transport = trNetwork;
        s.IpAddress = "127.0.0.1";
        s.TcpPort = sim.listenTcp();
        s.ConnectOnStartup = true;
        base.writeConfig("Connect1", s);

        QProcess program;
        program.setWorkingDirectory(base.path());
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(env);
        program.start(TOLVEX_BINARY_DIR "/tolvex");
        ASSERT_TRUE(program.waitForStarted());
        // Some blocks on, the connection's rack window is open: it refuses to
        // close while its connection is active, which must not keep the
        // program from ending.
        ASSERT_TRUE(sim.waitUntil([&] { return sim.streaming() && sim.blocksSent() > 12; }, 60000))
            << "logged in and polled";

        sim.clearReceived();
        ::kill(pid_t(program.processId()), signal);
        EXPECT_TRUE(sim.waitForLine("EC", 20000)) << "the unit is signed off";
        EXPECT_TRUE(sim.waitUntil([&] { return program.state() == QProcess::NotRunning; }, 20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_EQ(sim.receivedLines(), QList<QByteArray>{"EC"}) << "signed off once, nothing after";
        EXPECT_TRUE(sim.waitUntil([&] { return !sim.isConnected(); }, 5000));
    }
}
