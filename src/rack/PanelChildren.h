#pragma once

#include <QMap>
#include <QPair>
#include <QPointer>
#include <QWidget>
#include <functional>

// The windows a panel has open, by (kind, index): at most one of each.
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
    // one from create, shown.
    template <class T>
    T* openOrRaise(int kind, int index, const std::function<T*()>& create)
    {
        QWidget* w = find(kind, index);
        if (!w) {
            w = create();
            if (!w)
                return nullptr;
            m_windows.insert(Key(kind, index), QPointer<QWidget>(w));
        }
        w->show();
        w->raise();
        w->activateWindow();
        return qobject_cast<T*>(w);
    }

    // Forgets the window of that kind and index; false when none was known.
    bool forget(int kind, int index) { return m_windows.remove(Key(kind, index)) > 0; }

    // Forgets every window of the kind that is gone or hidden (a kind with
    // several variants, where only the closing one must be forgotten).
    void forgetClosed(int kind)
    {
        for (auto it = m_windows.begin(); it != m_windows.end();) {
            if (it.key().first == kind && (it->isNull() || !(*it)->isVisible()))
                it = m_windows.erase(it);
            else
                ++it;
        }
    }

    int count() const { return int(m_windows.size()); }

private:
    QMap<Key, QPointer<QWidget>> m_windows;
};
