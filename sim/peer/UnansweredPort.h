#pragma once

#include <QtGlobal>

// A loopback TCP port where a connect is never answered, for connect time-out
// tests. It listens with a backlog of nothing and keeps the one place of its
// queue taken by a connection of its own, so the kernel drops every further SYN
// and a client's connect hangs until the client gives up. (An unrouted address
// would not do: the sandbox network accepts a connection to any address.)
class UnansweredPort
{
public:
    UnansweredPort();
    ~UnansweredPort();
    UnansweredPort(const UnansweredPort&) = delete;
    UnansweredPort& operator=(const UnansweredPort&) = delete;

    // 0 when the port could not be set up.
    quint16 port() const { return m_port; }

private:
    int m_listener = -1;
    int m_filler = -1;
    quint16 m_port = 0;
};
