#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// SIGTERM and SIGINT (systemctl stop, a logout, Ctrl+C) end the program as
// closing its main window does: every connected unit is signed off first. The
// handler only writes the signal's number into a pipe; the event loop reads
// it and runs onSignal, so no work is done inside the handler. One instance
// at a time; the previous handlers come back when it is destroyed.
class TExitSignals : public QObject
{
    Q_OBJECT
public:
    explicit TExitSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TExitSignals() override;

private:
    void readSignal();

    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
    int m_fds[2] = {-1, -1};
};
