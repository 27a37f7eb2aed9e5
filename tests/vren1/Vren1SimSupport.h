#pragma once

#include "Vren1WindowSupport.h"

#include "sim/hd/HdSim.h"

#include <functional>
#include <memory>
#include <vector>

// The Vren1 windows against the simulated HD unit: a rack stand-in that turns
// each UM_HD_DATA into the refresh the panel forwards (lParam 0), and a frame
// logged in over TCP whose timer the test runs tick by tick.

class HdRefreshForwarder : public QObject
{
public:
    std::vector<QPointer<QWidget>> windows;

protected:
    bool event(QEvent* e) override
    {
        if (UserMessageEvent::isUserMessage(e)) {
            if (static_cast<UserMessageEvent*>(e)->msg() == UM_HD_DATA) {
                for (const QPointer<QWidget>& w : windows)
                    PostMessage(w, UM_HD_REFRESH, 0, 0);
            }
            return true;
        }
        return QObject::event(e);
    }
};

class Vren1SimTest : public Vren1WindowTest
{
protected:
    Vren1SimTest() { frame.RackWindow = &rack; }

    // Logged in, polling, and the unit's settings and e-mail taken in.
    std::unique_ptr<TFrame2> connectToSim()
    {
        sim.blockIntervalMs = 40;
        auto f = std::make_unique<TFrame2>("Connect1");
        f->HardwareType = htHDSystem;
        f->Transport = trNetwork;
        f->IpAddress = "127.0.0.1";
        f->TcpPort = sim.listenTcp();
        f->RackCaption = "Studio B";
        f->RackWindow = &rack;
        f->OpenConnection();
        EXPECT_TRUE(waitFor([&] { return f->PortOpen; }));
        EXPECT_TRUE(tickUntil(
            *f, [&] { return f->ProcessState == 4; }, 40));
        EXPECT_TRUE(tickUntil(
            *f,
            [&] {
                return f->HdLocalConfig[2] == sim.unit().HdLocalConfig[2] &&
                       f->HdEmailSettings.Address == sim.unit().HdEmailSettings.Address &&
                       f->HdEmailSettings.Subject == sim.unit().HdEmailSettings.Subject;
            },
            120));
        return f;
    }

    template <class W>
    W* openOn(TFrame2& f, int index = 0)
    {
        TChildWindowArgs a = args(index);
        a.frame = &f;
        auto* w = new W(a);
        rack.windows.emplace_back(w);
        return w;
    }

    static bool tickUntil(TFrame2& f, const std::function<bool()>& pred, int maxTicks,
                          int pumpMs = 30)
    {
        for (int i = 0; i < maxTicks; ++i) {
            if (pred())
                return true;
            f.Timer1Timer();
            pump(pumpMs);
        }
        return pred();
    }

    // Ticks until the unit has received n more request lines.
    bool linesReach(TFrame2& f, qsizetype count, int maxTicks = 60)
    {
        return tickUntil(
            f, [&] { return sim.requestLines().size() >= count; }, maxTicks);
    }

    // A few more ticks, so blocks in flight are decoded and refreshes handled.
    static void settle(TFrame2& f, int ticks = 8)
    {
        for (int i = 0; i < ticks; ++i) {
            f.Timer1Timer();
            pump(30);
        }
    }

    HdSim sim;
    HdRefreshForwarder rack;
};

// "CC", "PB", "PS" or "DD" text with its checksum: the low byte of the sum of
// its characters, in two hex digits.
inline QByteArray hdSealed(const QByteArray& text)
{
    unsigned sum = 0;
    for (char c : text)
        sum += quint8(c);
    return text + QByteArray::number(sum & 0xFF, 16).toUpper().rightJustified(2, '0');
}
