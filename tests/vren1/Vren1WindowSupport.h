#pragma once

#include "SimLoginSupport.h"
#include "TestSupport.h"

#include "data/EventLog.h"
#include "link/Frame2.h"
#include "panels/ChildWindow.h"
#include "platform/UserMessages.h"
#include "protocol/hd/HdRequests.h"
#include "sim/hd/HdSim.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

// What the Vren1 windows need around them in a test: a stand-in for their
// panel (named as the rack names it), an owner handle that records what the
// windows post on close, and a frame whose HD members the test fills by hand
// as the decoder would.
class Vren1WindowTest : public ::testing::Test
{
protected:
    Vren1WindowTest()
    {
        panel.setObjectName("Rack1_VREN1");
        frame.RackCaption = "Studio B";
    }
    void SetUp() override { MessageLines = &log; }
    void TearDown() override { MessageLines = nullptr; }

    TChildWindowArgs args(int index = 0)
    {
        TChildWindowArgs a;
        a.ownerPanel = &panel;
        a.frame = &frame;
        a.ownerHandle = &closedRecorder;
        a.family = 4; // pfVren1
        a.instrument = 0;
        a.index = index;
        return a;
    }

    template <class W>
    W* open(int index = 0)
    {
        return new W(args(index));
    }

    static void refresh(QWidget* w, qintptr lParam = 0)
    {
        PostMessage(QPointer<QWidget>(w), UM_HD_REFRESH, 0, lParam);
        QCoreApplication::sendPostedEvents();
    }

    // The line the poll tick would send next, with its CR; empty when nothing
    // waits. Takes it from the queue.
    QByteArray takeLine()
    {
        const TRequestRec r = PopRequest(frame);
        return r.Pending ? BuildHdRequestLine(r, frame).line : QByteArray();
    }

    template <class W>
    static QString text(const W* w, const QString& name)
    {
        auto* l = w->template findChild<QLabel*>(name);
        EXPECT_NE(l, nullptr) << qPrintable(name);
        return l ? l->text() : QString();
    }

    TEventLog log;
    QWidget panel;
    TMessageRecorder<> closedRecorder;
    TFrame2 frame{"Connect1"};
};

// ---- Against the simulated unit ----------------------------------------------

// Takes the frame's UM_HD_DATA as the rack window does and posts each window
// the refresh its panel would forward (lParam 0): UM_PANEL_REFRESH to the
// history windows, UM_HD_REFRESH to the others.
class HdRefreshForwarder : public QObject
{
public:
    std::vector<std::pair<QPointer<QWidget>, int>> windows;
    int blocks = 0;

protected:
    bool event(QEvent* e) override
    {
        if (UserMessageEvent::isUserMessage(e)) {
            if (static_cast<UserMessageEvent*>(e)->msg() == UM_HD_DATA) {
                ++blocks;
                for (const auto& [w, msg] : windows)
                    PostMessage(w, msg, 0, 0);
            }
            return true;
        }
        return QObject::event(e);
    }
};

// The Vren1 windows on a frame logged in to the simulated HD unit over
// loopback TCP; the test runs the frame's ticks.
class Vren1SimWindowTest : public Vren1WindowTest
{
protected:
    Vren1SimWindowTest() { sim.blockIntervalMs = 60; }

    // Logged in to the simulated unit, then ticked until ready holds; each
    // fixture below waits for the first data its windows need.
    std::unique_ptr<TFrame2> loginToSim(const std::function<bool(const TFrame2&)>& ready,
                                        int readyTicks, bool stopTimer, int pumpMs = 30)
    {
        return LoginToSim(
            {htHDSystem, sim.listenTcp(), "Studio B", &rack, stopTimer},
            [pumpMs](TFrame2& f, const std::function<bool()>& pred, int maxTicks) {
                return tickUntil(f, pred, maxTicks, pumpMs);
            },
            ready, readyTicks);
    }

    // Logged in, its timer stopped, the unit's settings and time-alignment
    // table copied.
    std::unique_ptr<TFrame2> connectToSim()
    {
        return loginToSim(
            [&](const TFrame2& f) {
                return !f.HdUpdateLocalConfig && f.HdLocalConfig[2] == 1001 &&
                       f.TimeAlignConfigs.User[0] == sim.unit().TimeAlignConfigs.User[0];
            },
            80, true);
    }

    // Runs ticks, letting the unit and the windows answer between them, until
    // pred holds.
    static bool tickUntil(TFrame2& f, const std::function<bool()>& pred, int maxTicks,
                          int pumpMs = 30)
    {
        for (int i = 0; i < maxTicks; ++i) {
            if (pred())
                return true;
            f.Timer1Timer();
            pump(pumpMs);
            QCoreApplication::sendPostedEvents();
        }
        return pred();
    }

    // A window on that frame, refreshed after every decoded block with the
    // message its panel forwards.
    template <class W>
    W* openOn(TFrame2& f, int index = 0, int refreshMessage = UM_HD_REFRESH)
    {
        TChildWindowArgs a = args(index);
        a.frame = &f;
        auto* w = new W(a);
        rack.windows.emplace_back(w, refreshMessage);
        return w;
    }

    HdSim sim;
    HdRefreshForwarder rack;
};

// The history and report windows against a unit with its network module,
// the frame's own timer left running beside the test's ticks.
class Vren1HistorySimTest : public Vren1SimWindowTest
{
protected:
    Vren1HistorySimTest() { sim.blockIntervalMs = 200; } // the unit's own pace

    std::unique_ptr<TFrame2> connectToSim()
    {
        sim.network = true;
        return loginToSim(
            [](const TFrame2& f) { return !f.HdUpdateLocalConfig && f.HdLocalConfig[2] == 1001; },
            80, false, 40);
    }

    static bool tickUntil(TFrame2& f, const std::function<bool()>& pred, int maxTicks,
                          int pumpMs = 40)
    {
        return Vren1SimWindowTest::tickUntil(f, pred, maxTicks, pumpMs);
    }
};
