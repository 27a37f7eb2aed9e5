#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

// The program's windows tell one another that new data are in the connection
// frame by posting user messages. They are always posted, never sent: the
// receiver reads the values from the frame when the message is dispatched.
constexpr int WM_USER = 0x400;

enum TUserMessage : int
{
    UM_RACK_SAMPLES = WM_USER + 100,  // 0x464
    UM_RACK_DATA = WM_USER + 101,     // 0x465
    UM_RDS_GROUPS = WM_USER + 102,    // 0x466
    UM_PANEL_REFRESH = WM_USER + 103, // 0x467
    UM_CHILD_CLOSED = WM_USER + 104,  // 0x468
    UM_HD_DATA = WM_USER + 105,       // 0x469
    UM_HD_REFRESH = WM_USER + 106,    // 0x46A
    UM_LOG_CHANGED = WM_USER + 107,   // 0x46B
    UM_TAVR1_DATA = WM_USER + 108,    // 0x46C
    UM_TAVR1_REFRESH = WM_USER + 109, // 0x46D
};

// One posted message. Its event type is QEvent::User + (msg - WM_USER), so each
// message number has its own type and receivers can tell them apart cheaply.
class UserMessageEvent : public QEvent
{
public:
    UserMessageEvent(int msg, qintptr wParam, qintptr lParam);
    ~UserMessageEvent() override;

    int msg() const { return m_msg; }
    qintptr wParam() const { return m_wParam; }
    qintptr lParam() const { return m_lParam; }

    static QEvent::Type typeFor(int msg) { return QEvent::Type(QEvent::User + (msg - WM_USER)); }
    static bool isUserMessage(const QEvent* e);

private:
    friend bool PostRefresh(const QPointer<QObject>& target, int msg);

    int m_msg;
    qintptr m_wParam;
    qintptr m_lParam;
    // The receiver this refresh is waiting for, while it waits (PostRefresh).
    const QObject* m_pendingFor = nullptr;
};

// Posts msg to target when target is still alive; returns false (and posts
// nothing) when it is gone. Qt itself drops events still queued for an object
// that is deleted before they are dispatched.
bool PostMessage(const QPointer<QObject>& target, int msg, qintptr wParam = 0, qintptr lParam = 0);

template <class T>
bool PostMessage(const QPointer<T>& target, int msg, qintptr wParam = 0, qintptr lParam = 0)
{
    return PostMessage(QPointer<QObject>(target.data()), msg, wParam, lParam);
}

// Posts a refresh (wParam and lParam 0) unless the same message already waits
// for the same target: a burst of refreshes costs the receiver one, since it
// reads the newest values when it runs. Returns false when target is gone.
bool PostRefresh(const QPointer<QObject>& target, int msg);

template <class T>
bool PostRefresh(const QPointer<T>& target, int msg)
{
    return PostRefresh(QPointer<QObject>(target.data()), msg);
}
