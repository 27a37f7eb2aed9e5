#pragma once

#include "platform/UserMessages.h"

#include <QMap>
#include <QPair>
#include <QPointer>
#include <QWidget>
#include <functional>

// The windows a panel has open, by (kind, index): at most one of each. The
// references are guarded, so a window that freed itself reads as absent and
// nothing is ever posted to it.
class TPanelChildren
{
public:
    using Key = QPair<int, int>;

    QWidget* find(int kind, int index) const
    {
        const auto it = m_windows.find(Key(kind, index));
        return it == m_windows.end() ? nullptr : it->data();
    }

    // The open window of that kind and index brought to the front, or a new
    // one from create, shown. Nothing when create gives no window.
    template <class T>
    T* openOrRaise(int kind, int index, const std::function<T*()>& create)
    {
        QWidget* w = find(kind, index);
        if (!w) {
            w = create ? create() : nullptr;
            if (!w)
                return nullptr;
            m_windows.insert(Key(kind, index), QPointer<QWidget>(w));
        }
        w->show();
        w->raise();
        w->activateWindow();
        return qobject_cast<T*>(w);
    }

    // Forgets the window of that kind and index once it has closed (freed or
    // hidden); false when there was nothing to forget. A window that is still
    // shown stays known: the closed-message of an earlier window of the same
    // kind and index can arrive after a new one was opened.
    bool forget(int kind, int index)
    {
        const auto it = m_windows.find(Key(kind, index));
        if (it == m_windows.end() || !isClosed(*it))
            return false;
        m_windows.erase(it);
        return true;
    }

    // Forgets every window of the kind that has closed (a kind with several
    // variants under one index, where only the closing one must go).
    void forgetClosed(int kind)
    {
        for (auto it = m_windows.begin(); it != m_windows.end();) {
            if (it.key().first == kind && isClosed(*it))
                it = m_windows.erase(it);
            else
                ++it;
        }
    }

    // Posts the refresh msg to the window of that kind and index when it is
    // open; one that already waits there is not posted again.
    bool post(int kind, int index, int msg) const
    {
        return PostRefresh(QPointer<QWidget>(find(kind, index)), msg);
    }

    int count() const { return int(m_windows.size()); }

private:
    static bool isClosed(const QPointer<QWidget>& w) { return w.isNull() || !w->isVisible(); }

    QMap<Key, QPointer<QWidget>> m_windows;
};
