#include "sim/rack/ModemSim.h"

#include <QTimer>

ModemSim::ModemSim(int family, QObject* parent)
    : SimPeer(parent)
    , unit(family)
{
    unit.output = [this](const QByteArray& bytes) {
        if (!m_online)
            return;
        reply(bytes);
        if (noCarrierAfterBlocks > 0 && unit.blocksSent() >= noCarrierAfterBlocks) {
            // The line drops: back to command mode, the rack out of reach.
            m_online = false;
            reply("\r\nNO CARRIER\r\n", DefaultReplyDelayMs + 20);
        }
    };
    unit.outputLater = [this](const QByteArray& bytes) {
        if (m_online)
            reply(bytes, DefaultReplyDelayMs + 40);
    };
    unit.nextFault = [this] { return nextBlockFault(); };
    unit.loggedIn = [this] { loggedIn(); };
}

void ModemSim::resetProfile()
{
    m_echo = profileEcho;
    m_verbose = true;
    m_quiet = false;
}

void ModemSim::result(int code, const char* text)
{
    if (m_quiet)
        return;
    if (m_verbose)
        reply(QByteArray("\r\n") + text + "\r\n");
    else
        reply(QByteArray::number(code) + "\r");
}

void ModemSim::handleBytes(const QByteArray& bytes)
{
    // A silent modem hears nothing and answers nothing.
    if (isSilent())
        return;
    if (m_online) {
        unit.take(bytes);
        return;
    }
    m_in += bytes;
    for (;;) {
        // Anything before "AT" (the 02 FE of a new dial) is no command.
        qsizetype at = -1;
        for (qsizetype i = 0; i + 1 < m_in.size(); ++i) {
            if ((m_in[i] == 'A' || m_in[i] == 'a') && (m_in[i + 1] == 'T' || m_in[i + 1] == 't')) {
                at = i;
                break;
            }
        }
        if (at < 0) {
            if (m_in.size() > 1)
                m_in.remove(0, m_in.size() - 1);
            return;
        }
        const qsizetype cr = m_in.indexOf('\r', at);
        if (cr < 0) {
            m_in.remove(0, at);
            return;
        }
        const QByteArray line = m_in.mid(at, cr - at);
        m_in.remove(0, cr + 1);
        m_commandLines << line + '\r';
        commandLine(line);
        if (m_online)
            return;
    }
}

void ModemSim::commandLine(const QByteArray& line)
{
    if (!m_started) {
        m_started = true;
        resetProfile();
    }
    if (!silentOn.isEmpty() && line.compare(silentOn, Qt::CaseInsensitive) == 0)
        return;
    if (m_echo)
        reply(line + '\r');
    if (!errorOn.isEmpty() && line.compare(errorOn, Qt::CaseInsensitive) == 0)
        return result(4, "ERROR");
    const QByteArray c = line.mid(2).toUpper();
    auto digitOk = [&](int maxDigit) {
        return c.size() == 2 && c[1] >= '0' && c[1] <= char('0' + maxDigit);
    };
    if (c.startsWith("DT")) {
        if (neverConnect)
            return;
        if (busy)
            return result(7, "BUSY");
        QTimer::singleShot(connectDelayMs, this, [this] {
            if (m_quiet) {
                m_online = true;
                return;
            }
            // After the echo of the dial, whatever the delay.
            reply(m_verbose ? QByteArray("\r\nCONNECT 2400\r\n") : QByteArray("10\r"));
            m_online = true;
        });
        return;
    }
    bool ok = true;
    if (c == "Z") {
        resetProfile();
    } else if (c.startsWith('E') && digitOk(1)) {
        m_echo = c[1] == '1';
    } else if (c.startsWith('V') && digitOk(1)) {
        m_verbose = c[1] == '1';
    } else if (c.startsWith('Q') && digitOk(1)) {
        m_quiet = c[1] == '1';
        if (m_quiet)
            return;
    } else if (c.startsWith('L') && digitOk(3)) {
    } else if (c.startsWith('M') && digitOk(2)) {
    } else if ((c.startsWith("&C") && c.size() == 3 && (c[2] == '0' || c[2] == '1')) ||
               (c.startsWith("&D") && c.size() == 3 && c[2] >= '0' && c[2] <= '3')) {
    } else if (c.startsWith('S') && c.contains('=')) {
        bool n = false, v = false;
        c.mid(1, c.indexOf('=') - 1).toInt(&n);
        c.mid(c.indexOf('=') + 1).toInt(&v);
        ok = n && v;
    } else {
        ok = false;
    }
    if (ok)
        result(0, "OK");
    else
        result(4, "ERROR");
}
