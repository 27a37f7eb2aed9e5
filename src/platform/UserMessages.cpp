#include "platform/UserMessages.h"

#include <QCoreApplication>
#include <QPair>
#include <QSet>

namespace {

// The refreshes posted and not yet dispatched, by receiver and message. An
// entry goes when its event does: after dispatch, or when Qt drops the events
// of a receiver that is deleted first, so a new object at the same address
// never finds a stale entry.
QSet<QPair<const QObject*, int>>& pendingRefreshes()
{
    static QSet<QPair<const QObject*, int>> pending;
    return pending;
}

} // namespace

UserMessageEvent::UserMessageEvent(int msg, qintptr wParam, qintptr lParam)
    : QEvent(typeFor(msg))
    , m_msg(msg)
    , m_wParam(wParam)
    , m_lParam(lParam)
{}

UserMessageEvent::~UserMessageEvent()
{
    if (m_pendingFor)
        pendingRefreshes().remove({m_pendingFor, m_msg});
}

bool UserMessageEvent::isUserMessage(const QEvent* e)
{
    return e->type() >= typeFor(UM_RACK_SAMPLES) && e->type() <= typeFor(UM_TAVR1_REFRESH) &&
           dynamic_cast<const UserMessageEvent*>(e) != nullptr;
}

bool PostMessage(const QPointer<QObject>& target, int msg, qintptr wParam, qintptr lParam)
{
    if (target.isNull())
        return false;
    QCoreApplication::postEvent(target.data(), new UserMessageEvent(msg, wParam, lParam));
    return true;
}

bool PostRefresh(const QPointer<QObject>& target, int msg)
{
    if (target.isNull())
        return false;
    const QPair<const QObject*, int> key(target.data(), msg);
    if (pendingRefreshes().contains(key))
        return true;
    auto* e = new UserMessageEvent(msg, 0, 0);
    e->m_pendingFor = target.data();
    pendingRefreshes().insert(key);
    QCoreApplication::postEvent(target.data(), e);
    return true;
}
