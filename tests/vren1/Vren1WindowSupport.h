#pragma once

#include "TestSupport.h"

#include "data/EventLog.h"
#include "link/Frame2.h"
#include "panels/ChildWindow.h"
#include "platform/UserMessages.h"
#include "protocol/hd/HdRequests.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

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
