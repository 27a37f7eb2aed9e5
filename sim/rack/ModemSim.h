#pragma once

#include "sim/peer/SimPeer.h"
#include "sim/rack/RackUnit.h"

// A Hayes-command modem on a pseudo-terminal with a rack behind it. In command
// mode it takes "AT" lines up to CR and answers them; after a dial and
// CONNECT every byte passes to the rack and back.
class ModemSim : public SimPeer
{
    Q_OBJECT
public:
    explicit ModemSim(int family = rkFM, QObject* parent = nullptr);

    RackUnit unit;

    // The stored profile ATZ restores.
    bool profileEcho = true;
    // Faults.
    QByteArray silentOn; // a command left unanswered (no echo either)
    QByteArray errorOn;  // a command answered ERROR
    bool busy = false;
    bool neverConnect = false; // the dial is echoed, then nothing comes
    int noCarrierAfterBlocks = 0; // drop the call after this many blocks (0 never)
    int connectDelayMs = 1500; // a real call takes seconds to come up

    bool online() const { return m_online; }
    // The command lines received, each with its CR.
    QList<QByteArray> commandLines() const { return m_commandLines; }

protected:
    void handleBytes(const QByteArray& bytes) override;
    void handleLine(const QByteArray&) override {}

private:
    void commandLine(const QByteArray& line);
    void result(int code, const char* text);
    void resetProfile();

    QByteArray m_in;
    QList<QByteArray> m_commandLines;
    bool m_online = false;
    bool m_started = false; // the stored profile is loaded at the first command
    bool m_echo = true;
    bool m_verbose = true;
    bool m_quiet = false;
};
