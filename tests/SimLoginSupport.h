#pragma once

#include "TestSupport.h"

#include "link/Frame2.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Where a test frame logs in: a simulated unit's loopback port, and the rack
// stand-in that takes the frame's data messages.
struct TSimLogin
{
    int hardwareType = 0;
    quint16 port = 0;
    QString rackCaption;
    QObject* rack = nullptr;
    bool stopTimer = false; // the test runs every tick itself
};

// The fixture's own tick loop: ticks f until pred holds or maxTicks pass.
using TTickUntil = std::function<bool(TFrame2& f, const std::function<bool()>& pred, int maxTicks)>;

// Ticks f until pred holds or maxTicks pass, letting the unit answer for
// pumpMs between ticks.
inline bool TickFrameUntil(TFrame2& f, const std::function<bool()>& pred, int maxTicks, int pumpMs)
{
    for (int i = 0; i < maxTicks; ++i) {
        if (pred())
            return true;
        f.Timer1Timer();
        pump(pumpMs);
    }
    return pred();
}

// A frame opened on the simulated unit and ticked through its login; then
// ticked until ready holds (the first data each fixture waits for) within
// readyTicks.
inline std::unique_ptr<TFrame2> LoginToSim(const TSimLogin& login, const TTickUntil& tickUntil,
                                           const std::function<bool(const TFrame2&)>& ready,
                                           int readyTicks)
{
    auto f = std::make_unique<TFrame2>("Connect1");
    f->HardwareType = login.hardwareType;
    f->Transport = trNetwork;
    f->IpAddress = "127.0.0.1";
    f->TcpPort = login.port;
    f->RackCaption = login.rackCaption;
    f->RackWindow = login.rack;
    f->OpenConnection();
    EXPECT_TRUE(waitFor([&] { return f->PortOpen; }));
    if (login.stopTimer)
        f->Timer1->stop();
    EXPECT_TRUE(tickUntil(
        *f, [&] { return f->ProcessState == 4; }, 40));
    EXPECT_TRUE(tickUntil(
        *f, [&] { return ready(*f); }, readyTicks));
    return f;
}
