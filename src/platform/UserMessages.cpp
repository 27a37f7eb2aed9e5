#include "platform/UserMessages.h"

#include <QCoreApplication>

UserMessageEvent::UserMessageEvent(int msg, qintptr wParam, qintptr lParam)
    : QEvent(typeFor(msg))
    , m_msg(msg)
    , m_wParam(wParam)
    , m_lParam(lParam)
{}

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
