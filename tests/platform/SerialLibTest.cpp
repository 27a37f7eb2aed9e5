#include "platform/SerialLib.h"
#include "sim/peer/SimPeer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <ctime>
#include <gtest/gtest.h>

namespace {

// COM8, so a test never touches a port a developer may have configured.
constexpr int Port = 7;
constexpr char PortVariable[] = "TOLVEX_COM8";

QByteArray allByteValues()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

class SerialLibTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = sim.openPty();
        ASSERT_FALSE(path.isEmpty());
        qputenv(PortVariable, path.toLocal8Bit());
    }

    void TearDown() override
    {
        SioDone(Port);
        qunsetenv(PortVariable);
    }

    // The set-up a connection frame does for an HD system at 115200.
    static int openLikeTheFrame()
    {
        int r = SioReset(Port, 2048, 512);
        if (r < 0)
            return r;
        for (int step : {SioParms(Port, SioNoParity, SioOneStopBit, SioWordLength8),
                         SioBaud(Port, SioBaud115200), SioDTR(Port, SioSet), SioRTS(Port, SioSet),
                         SioFlow(Port, SioFlowNone)}) {
            if (step != SioOk)
                return step;
        }
        return SioRxClear(Port);
    }

    // Reads until count bytes came or the time is up.
    static QByteArray readBytes(int count, int timeoutMs = 2000)
    {
        QByteArray got;
        SimPeer::waitUntil(
            [&] {
                char buffer[100];
                const int n = SioGets(Port, buffer, sizeof buffer);
                if (n > 0)
                    got.append(buffer, n);
                return got.size() >= count || n < 0;
            },
            timeoutMs);
        return got;
    }

    SimPeer sim;
    QString path;
};

TEST_F(SerialLibTest, DevicePathComesFromTheEnvironment)
{
    EXPECT_EQ(SioDevicePath(Port), path);
    qputenv(PortVariable, "");
    EXPECT_EQ(SioDevicePath(Port), QStringLiteral("/dev/ttyS7")) << "empty counts as unset";
    qunsetenv("TOLVEX_COM1");
    EXPECT_EQ(SioDevicePath(0), QStringLiteral("/dev/ttyS0"));
    EXPECT_TRUE(SioDevicePath(-1).isEmpty());
    EXPECT_TRUE(SioDevicePath(256).isEmpty());
}

TEST_F(SerialLibTest, EveryByteValuePassesUnchangedBothWays)
{
    ASSERT_EQ(openLikeTheFrame(), SioOk) << "DTR and RTS on a pseudo-terminal are no failure";
    const QByteArray all = allByteValues();

    sim.send(all);
    EXPECT_EQ(readBytes(all.size()), all);

    EXPECT_EQ(SioPuts(Port, all.constData(), int(all.size())), int(all.size()));
    ASSERT_TRUE(sim.waitForReceived(all));
    EXPECT_EQ(sim.received(), all);
}

TEST_F(SerialLibTest, SentBytesAreOutBeforeTheCallReturns)
{
    ASSERT_EQ(openLikeTheFrame(), SioOk);
    const QByteArray command("EC\r");
    EXPECT_EQ(SioPuts(Port, command.constData(), int(command.size())), 3);
    SioDone(Port); // as at shutdown: close right after sending
    EXPECT_TRUE(sim.waitForReceived(command));
}

TEST_F(SerialLibTest, MissingDevicesAndBadNumbersAreNoSuchPort)
{
    qputenv(PortVariable, "/dev/tolvex-no-such-device");
    EXPECT_EQ(SioStatus(Port), SioNoSuchPort);
    EXPECT_EQ(SioReset(Port, 2048, 512), SioNoSuchPort);
    for (int bad : {-1, 256, 100000}) {
        EXPECT_EQ(SioStatus(bad), SioNoSuchPort) << bad;
        EXPECT_EQ(SioReset(bad, 2048, 512), SioNoSuchPort) << bad;
        EXPECT_EQ(SioRxQue(bad), SioNoSuchPort) << bad;
    }
    qputenv(PortVariable, "/dev/null");
    EXPECT_EQ(SioReset(Port, 2048, 512), SioNoHardware) << "a device that is no terminal";
}

TEST_F(SerialLibTest, CallsOnAPortNotOpenAnswerNotOpen)
{
    EXPECT_EQ(SioStatus(Port), SioPortNotOpen) << "the device exists";
    char buffer[10] = {};
    EXPECT_EQ(SioGets(Port, buffer, 10), SioPortNotOpen);
    EXPECT_EQ(SioPuts(Port, "x", 1), SioPortNotOpen);
    EXPECT_EQ(SioBaud(Port, SioBaud9600), SioPortNotOpen);
    EXPECT_EQ(SioParms(Port, SioNoParity, SioOneStopBit, SioWordLength8), SioPortNotOpen);
    EXPECT_EQ(SioDTR(Port, SioSet), SioPortNotOpen);
    EXPECT_EQ(SioRxClear(Port), SioPortNotOpen);
    EXPECT_EQ(SioRxQue(Port), SioPortNotOpen);

    ASSERT_EQ(openLikeTheFrame(), SioOk);
    EXPECT_GE(SioStatus(Port), 0);
    EXPECT_EQ(SioDone(Port), SioOk);
    EXPECT_EQ(SioStatus(Port), SioPortNotOpen);
    EXPECT_EQ(SioDone(Port), SioPortNotOpen) << "closing twice is harmless";
    EXPECT_EQ(SioGets(Port, buffer, 10), SioPortNotOpen);
}

TEST_F(SerialLibTest, APortOpenHereCannotBeOpenedAgain)
{
    ASSERT_EQ(SioReset(Port, 2048, 512), SioOk);
    EXPECT_EQ(SioReset(Port, 2048, 512), SioPortInUse);
    // Another port number naming the same device.
    qputenv("TOLVEX_COM9", path.toLocal8Bit());
    EXPECT_EQ(SioReset(Port + 1, 2048, 512), SioPortInUse);
    SioDone(Port + 1);
    qunsetenv("TOLVEX_COM9");
    EXPECT_GE(SioStatus(Port), 0) << "the first open is untouched";
}

TEST_F(SerialLibTest, APortHeldByAnotherProcessIsInUse)
{
    QProcess holder;
    holder.start(QStringLiteral(TOLVEX_BINARY_DIR "/tolvex-sim"), {"hold", path});
    QByteArray output;
    QElapsedTimer clock;
    clock.start();
    while (!output.contains("holding") && clock.elapsed() < 10000 &&
           holder.state() != QProcess::NotRunning) {
        holder.waitForReadyRead(200);
        output += holder.readAllStandardOutput();
    }
    ASSERT_TRUE(output.contains("holding " + path.toLocal8Bit()))
        << output.constData() << holder.readAllStandardError().constData();

    EXPECT_EQ(SioStatus(Port), SioPortNotOpen) << "not open here";
    EXPECT_EQ(SioReset(Port, 2048, 512), SioPortInUse) << "even for root, whom TIOCEXCL lets in";

    holder.kill();
    holder.waitForFinished();
    EXPECT_EQ(SioReset(Port, 2048, 512), SioOk) << "the lock of a killed holder is stale";
}

TEST_F(SerialLibTest, AFarEndThatClosesIsReportedOnceAfterItsBytes)
{
    ASSERT_EQ(openLikeTheFrame(), SioOk);
    sim.send("last");
    ASSERT_TRUE(SimPeer::waitUntil([] { return SioRxQue(Port) == 4; }, 2000));
    sim.dropLink();

    // Left alone, the closed terminal would raise read errors at full speed.
    const std::clock_t cpuBefore = std::clock();
    SimPeer::waitUntil([] { return false; }, 400);
    const double cpuMs = 1000.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    EXPECT_LT(cpuMs, 150.0) << "the event loop spun on the dead device";

    char buffer[100];
    ASSERT_EQ(SioGets(Port, buffer, sizeof buffer), 4) << "bytes received before are kept";
    EXPECT_EQ(QByteArray(buffer, 4), "last");
    EXPECT_EQ(SioGets(Port, buffer, sizeof buffer), SioSystemError);
    EXPECT_EQ(SioGets(Port, buffer, sizeof buffer), SioPortNotOpen);
    EXPECT_EQ(SioPuts(Port, "x", 1), SioPortNotOpen);
}

TEST_F(SerialLibTest, WritingToAFarEndThatClosedFailsOnce)
{
    ASSERT_EQ(openLikeTheFrame(), SioOk);
    sim.dropLink();
    EXPECT_EQ(SioPuts(Port, "x", 1), SioSystemError);
    char buffer[10];
    EXPECT_EQ(SioGets(Port, buffer, sizeof buffer), SioPortNotOpen);
}

TEST_F(SerialLibTest, RefusedSettingsAnswerTheirCodes)
{
    ASSERT_EQ(SioReset(Port, 2048, 512), SioOk);
    for (int code : {0, 1, -5, 49})
        EXPECT_EQ(SioBaud(Port, code), SioBadBaud) << code;
    for (int code : {int(SioBaud1200), int(SioBaud57600), 230400})
        EXPECT_EQ(SioBaud(Port, code), SioOk) << code;

    EXPECT_EQ(SioParms(Port, 3, SioOneStopBit, SioWordLength8), SioBadParameter);
    EXPECT_EQ(SioParms(Port, SioNoParity, 1, SioWordLength8), SioBadParameter);
    EXPECT_EQ(SioParms(Port, SioNoParity, SioOneStopBit, 7), SioBadParameter);
    EXPECT_EQ(SioDTR(Port, 'X'), SioBadParameter);
    EXPECT_EQ(SioFlow(Port, 'X'), SioBadParameter);
    EXPECT_EQ(SioParms(Port, SioNoParity, SioOneStopBit, SioWordLength8), SioOk);
    // Linux keeps a pseudo-terminal at 8 bits without parity: a refusal of the device.
    EXPECT_EQ(SioParms(Port, SioNoParity, SioOneStopBit, SioWordLength7), SioBadByteSize);
}

TEST_F(SerialLibTest, RxClearDropsWhatWaited)
{
    ASSERT_EQ(openLikeTheFrame(), SioOk);
    sim.send("stale");
    ASSERT_TRUE(SimPeer::waitUntil([] { return SioRxQue(Port) == 5; }, 2000));
    EXPECT_EQ(SioRxClear(Port), SioOk);
    EXPECT_EQ(SioRxQue(Port), 0);
    sim.send("new");
    EXPECT_EQ(readBytes(3), "new");
}

} // namespace
