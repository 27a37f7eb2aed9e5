#pragma once

#include <QPointer>
#include <QWidget>

// Holds a window's painting while a refresh changes many of its controls, so
// it repaints once with the final values.
class UpdatesLock
{
public:
    explicit UpdatesLock(QWidget* w)
        : m_widget(w)
        , m_wasEnabled(w && w->updatesEnabled())
    {
        if (m_wasEnabled)
            w->setUpdatesEnabled(false);
    }
    ~UpdatesLock()
    {
        if (m_wasEnabled && m_widget)
            m_widget->setUpdatesEnabled(true);
    }
    UpdatesLock(const UpdatesLock&) = delete;
    UpdatesLock& operator=(const UpdatesLock&) = delete;

private:
    QPointer<QWidget> m_widget;
    bool m_wasEnabled;
};
