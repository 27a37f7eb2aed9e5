#pragma once

#include "SimLoginSupport.h"
#include "TestSupport.h"

#include "data/EventLog.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "panels/ChildWindow.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// What the Tavr1 windows need around them in a test: a stand-in for their
// panel (named as the rack names it), an owner handle that records what the
// windows post on close, and a rack stand-in that turns each decoded block
// into the refresh the panel would forward.

// Records UM_CHILD_CLOSED as the panel receives it.
using ClosedRecorder = TMessageRecorder<>;

// Takes the frame's UM_TAVR1_DATA as the rack window does and posts
// UM_TAVR1_REFRESH (lParam 0) to every window, as the panel forwards it.
class RefreshForwarder : public QObject
{
public:
    std::vector<QPointer<QWidget>> windows;
    int blocks = 0;

protected:
    bool event(QEvent* e) override
    {
        if (UserMessageEvent::isUserMessage(e)) {
            if (static_cast<UserMessageEvent*>(e)->msg() == UM_TAVR1_DATA) {
                ++blocks;
                for (const QPointer<QWidget>& w : windows)
                    PostMessage(w, UM_TAVR1_REFRESH, 0, 0);
            }
            return true;
        }
        return QObject::event(e);
    }
};

class Tavr1WindowTest : public ::testing::Test
{
protected:
    Tavr1WindowTest()
    {
        panel.setObjectName("Rack1_TAVR1");
        frame.RackCaption = "Studio A";
        frame.RackWindow = &rack;
    }
    void SetUp() override { MessageLines = &log; }
    void TearDown() override { MessageLines = nullptr; }

    TChildWindowArgs args(TFrame2& f)
    {
        TChildWindowArgs a;
        a.ownerPanel = &panel;
        a.frame = &f;
        a.ownerHandle = &closedRecorder;
        a.family = 5; // pfTavr1
        a.instrument = 0;
        a.index = 0;
        return a;
    }
    TChildWindowArgs args() { return args(frame); }

    // A window that the rack stand-in refreshes after every block.
    template <class W>
    W* open(TFrame2& f)
    {
        auto* w = new W(args(f));
        rack.windows.emplace_back(w);
        return w;
    }
    template <class W>
    W* open()
    {
        return open<W>(frame);
    }

    static void refresh(QWidget* w, qintptr lParam = 0)
    {
        PostMessage(QPointer<QWidget>(w), UM_TAVR1_REFRESH, 0, lParam);
        QCoreApplication::sendPostedEvents();
    }

    // ---- Against the simulated unit ------------------------------------------

    // A frame logged in to the simulated unit over TCP, its timer stopped so
    // the test runs the ticks, and the unit's first settings block decoded.
    std::unique_ptr<TFrame2> connectToSim()
    {
        sim.blockIntervalMs = 60;
        return LoginToSim(
            {htTavr1, sim.listenTcp(), "Studio A", &rack},
            [](TFrame2& f, const std::function<bool()>& pred, int maxTicks) {
                return tickUntil(f, pred, maxTicks);
            },
            [](const TFrame2& f) {
                return !f.Tavr1UpdateLocalConfig && f.Tavr1LocalConfig[2] != 0;
            },
            60);
    }

    // Runs ticks, letting the unit and the windows answer between them, until
    // pred holds.
    static bool tickUntil(TFrame2& f, const std::function<bool()>& pred, int maxTicks,
                          int pumpMs = 30)
    {
        return TickFrameUntil(f, pred, maxTicks, pumpMs);
    }

    // Sends what a window posted and waits until the unit has received it.
    bool sendPending(TFrame2& f)
    {
        const qsizetype before = sim.commandLines().size();
        if (!f.Tavr1Command.Pending)
            return false;
        f.Timer1Timer();
        return waitFor([&] { return sim.commandLines().size() > before; }, 2000);
    }

    // Ticks until n more settings blocks have been sent, and a few more so
    // that the last is decoded and its refresh handled.
    bool settingsBlocks(TFrame2& f, int n)
    {
        const int target = sim.settingsBlocksSent() + n;
        const bool sent = tickUntil(
            f, [&] { return sim.settingsBlocksSent() >= target; }, 20 * n + 40);
        for (int i = 0; i < 3; ++i) {
            f.Timer1Timer();
            pump(30);
        }
        return sent;
    }

    TEventLog log;
    Tavr1Sim sim;
    QWidget panel;
    ClosedRecorder closedRecorder;
    RefreshForwarder rack;
    TFrame2 frame{"Connect1"};
};

// "CC" or "PB" text with its checksum: the low byte of the sum of its characters.
inline QByteArray sealedLine(const QByteArray& text)
{
    unsigned sum = 0;
    for (char c : text)
        sum += quint8(c);
    return text + QByteArray::number(sum & 0xFF, 16).toUpper().rightJustified(2, '0');
}
