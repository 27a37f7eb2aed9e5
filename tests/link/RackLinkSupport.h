#pragma once

#include "TestSupport.h"

#include "data/EventLog.h"
#include "link/Frame2.h"
#include "sim/rack/ModemSim.h"
#include "sim/rack/RackSim.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

// A rack frame against a simulated rack, its timer stopped so the test runs
// the ticks.
class RackLinkFixture : public ::testing::Test
{
protected:
    void SetUp() override { MessageLines = &log; }
    void TearDown() override
    {
        frame.reset();
        MessageLines = nullptr;
        qunsetenv("TOLVEX_COM1");
    }

    RackSim& makeSim(int family = rkFM)
    {
        frame.reset();
        sim = std::make_unique<RackSim>(family);
        return *sim;
    }

    // Opens a frame on transport to the simulator; false when the port does not open.
    bool open(int transport)
    {
        if (!sim)
            makeSim();
        frame = openFrame(*sim, transport, "Connect1");
        return waitFor([&] { return frame->PortOpen; });
    }
    // A frame named name on transport to rack, its port opening; a test of
    // two connections makes its second one here.
    static std::unique_ptr<TFrame2> openFrame(RackSim& rack, int transport, const QString& name)
    {
        auto frame = std::make_unique<TFrame2>(name);
        TFrame2& f = *frame;
        f.HardwareType = htRackSystem;
        f.Transport = transport;
        f.DevicePassword = "QUMOR7";
        if (transport == trNetwork) {
            f.IpAddress = "127.0.0.1";
            f.TcpPort = rack.listenTcp();
        } else {
            qputenv("TOLVEX_COM1", rack.openPty().toLocal8Bit());
            f.SerialPort = 0;
        }
        f.OpenConnection();
        return frame;
    }

    // Runs ticks, letting the rack answer between them, until pred holds.
    bool tickUntil(const std::function<bool()>& pred, int maxTicks, int pumpMs = 40)
    {
        for (int i = 0; i < maxTicks; ++i) {
            if (pred())
                return true;
            frame->Timer1Timer();
            pump(pumpMs);
        }
        return pred();
    }
    void ticks(int n, int pumpMs = 2)
    {
        for (int i = 0; i < n; ++i) {
            frame->Timer1Timer();
            pump(pumpMs);
        }
    }
    bool loggedIn() { return tickUntil([&] { return frame->ProcessState == 4; }, 80); }
    bool polling(int blocks = 1)
    {
        return loggedIn() && tickUntil([&] { return sim->unit.blocksSent() >= blocks; }, 200) &&
               tickUntil([&] { return frame->BlockRingIndex != 0 || blocks == 0; }, 40);
    }

    QStringList linesOf(const char* prefix) const
    {
        QStringList out;
        for (const QString& l : logOldestFirst())
            if (l.startsWith(prefix))
                out << l;
        return out;
    }
    bool logged(const char* prefix, const QString& text) const
    {
        for (const QString& l : linesOf(prefix))
            if (l.endsWith(">   " + text))
                return true;
        return false;
    }

    static QByteArray fe(const QByteArray& b) { return b + char(0xFE); }
    static QByteArray op(int code) { return QByteArray(1, char(code)) + char(0xFE); }

    TEventLog log;
    std::unique_ptr<RackSim> sim;
    std::unique_ptr<TFrame2> frame;
};
