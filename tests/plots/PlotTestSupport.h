#pragma once

#include "TestSupport.h"

#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "panels/ChildWindow.h"

#include <QAbstractSeries>
#include <QAreaSeries>
#include <QChart>
#include <QCoreApplication>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <vector>

// Stands in for a panel's window handle: records the messages posted to it.
using MessageRecorder = TMessageRecorder<>;

// A connection frame and a stand-in panel that plot windows are opened from.
struct PlotFixture
{
    PlotFixture()
    {
        frame.RackCaption = "Rack A";
        panel.setObjectName("Rack1_TAVR1");
    }

    TChildWindowArgs args(int family, int instrument, int index)
    {
        return {&panel, &frame, QPointer<QObject>(&owner), family, instrument, index};
    }

    void setValue(int slot, qint32 v) { frame.MeasurementHistory[slot][1] = v; }

    // Posts one refresh, as a panel does, and lets the window handle it.
    static void refresh(QWidget* w, int msg = UM_PANEL_REFRESH, qintptr lParam = 0)
    {
        PostMessage(QPointer<QObject>(w), msg, 0, lParam);
        QCoreApplication::sendPostedEvents(w);
    }

    TFrame2 frame{"Connect1"};
    QWidget panel;
    MessageRecorder owner;
};

// The points of the line that outlines a filled series.
inline QList<QPointF> outlineOf(const QAreaSeries* s)
{
    return s->upperSeries()->points();
}

inline QList<QPointF> pointsOf(const QLineSeries* s)
{
    return s->points();
}

// A double-click as the mouse delivers it: press, release, double-click, release.
inline void doubleClick(QWidget* w, QPoint pos)
{
    const QPointF p(pos);
    const QPointF g(w->mapToGlobal(pos));
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                           QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const bool down = t != QEvent::MouseButtonRelease;
        QMouseEvent e(t, p, p, g, Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
}
