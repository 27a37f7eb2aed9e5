#include "app/ExitSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t writeFd = -1;
struct sigaction previousTerm;
struct sigaction previousInt;

void onSignal(int signal)
{
    const int saved = errno;
    const char byte = char(signal);
    // Nothing else is safe here. A full pipe already holds a request to close.
    [[maybe_unused]] const ssize_t n = ::write(writeFd, &byte, 1);
    errno = saved;
}

} // namespace

TExitSignals::TExitSignals(std::function<void()> onSignalRead, QObject* parent)
    : QObject(parent)
    , m_onSignal(std::move(onSignalRead))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_fds) != 0)
        return;
    writeFd = m_fds[0];
    m_notifier = new QSocketNotifier(m_fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TExitSignals::readSignal);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &previousTerm);
    ::sigaction(SIGINT, &action, &previousInt);
}

TExitSignals::~TExitSignals()
{
    if (m_fds[0] < 0)
        return;
    ::sigaction(SIGTERM, &previousTerm, nullptr);
    ::sigaction(SIGINT, &previousInt, nullptr);
    writeFd = -1;
    delete m_notifier;
    ::close(m_fds[0]);
    ::close(m_fds[1]);
}

void TExitSignals::readSignal()
{
    char bytes[16];
    bool any = false;
    while (::read(m_fds[1], bytes, sizeof bytes) > 0)
        any = true;
    if (any && m_onSignal)
        m_onSignal();
}
