#pragma once

#include "common/BaseDirectory.h"
#include "data/ConnectionConfig.h"
#include "data/EventLog.h"
#include "platform/UserMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <utility>
#include <vector>

// A fresh working directory for one test: the program's base directory and the
// process's current directory while the test runs.
class TempBase
{
public:
    TempBase()
    {
        m_old = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        SetBaseDirectory(m_dir.path());
    }
    ~TempBase()
    {
        QDir::setCurrent(m_old);
        SetBaseDirectory(m_old);
    }
    QString path() const { return m_dir.path(); }
    QString file(const QString& rel) const { return m_dir.path() + "/" + rel; }

    void writeConfig(const QString& frameName, const TConnectionSettings& s) const
    {
        QDir().mkpath(file("CONFIG"));
        writeFile("CONFIG/" + frameName + ".CFG", FormatConfigFile(s));
    }
    void writeFile(const QString& rel, const QByteArray& bytes) const
    {
        QFile f(file(rel));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    QByteArray readFile(const QString& rel) const
    {
        QFile f(file(rel));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    QString m_old;
    QTemporaryDir m_dir;
};

// Lowers the largest file this process may write to bytes while it lives: a
// write past it fails with EFBIG, for root too, where a read-only folder
// stops nobody. The signal the system sends with the failure is ignored, so
// the write call reports it instead.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        m_lowered = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool lowered() const { return m_lowered; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_lowered = false;
};

// Pumps the event loop until pred holds or the time is up.
inline bool waitFor(const std::function<bool()>& pred, int timeoutMs = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Pumps the event loop for a while.
inline void pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The event log, oldest line first, for assertions.
inline QStringList logOldestFirst()
{
    QStringList l = MessageLines ? MessageLines->lines() : QStringList();
    std::reverse(l.begin(), l.end());
    return l;
}

inline int countLogLines(const QString& needle)
{
    int n = 0;
    if (MessageLines) {
        for (const QString& l : MessageLines->lines())
            n += l.contains(needle) ? 1 : 0;
    }
    return n;
}

// Stands in for a window that is posted user messages (a panel, an owner
// handle): records every message, and the UM_CHILD_CLOSED (kind, index) pairs.
template <class Base = QObject>
class TMessageRecorder : public Base
{
public:
    using Base::Base;
    struct Seen
    {
        int msg;
        qintptr w, l;
    };
    std::vector<Seen> seen;
    std::vector<std::pair<qintptr, qintptr>> closed;

protected:
    bool event(QEvent* e) override
    {
        if (UserMessageEvent::isUserMessage(e)) {
            auto* m = static_cast<UserMessageEvent*>(e);
            seen.push_back({m->msg(), m->wParam(), m->lParam()});
            if (m->msg() == UM_CHILD_CLOSED)
                closed.emplace_back(m->wParam(), m->lParam());
            return true;
        }
        return Base::event(e);
    }
};
