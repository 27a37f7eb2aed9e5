#include "sim/rack/RackSim.h"

RackSim::RackSim(int family, QObject* parent)
    : SimPeer(parent)
    , unit(family)
{
    unit.output = [this](const QByteArray& bytes) {
        if (splitWrites && bytes.size() > 1) {
            const qsizetype half = bytes.size() / 2;
            reply(bytes.left(half));
            reply(bytes.mid(half), DefaultReplyDelayMs + 40);
            return;
        }
        reply(bytes);
    };
    unit.outputLater = [this](const QByteArray& bytes) { reply(bytes, DefaultReplyDelayMs + 40); };
    unit.nextFault = [this] { return nextBlockFault(); };
    unit.loggedIn = [this] { loggedIn(); };
}

void RackSim::handleBytes(const QByteArray& bytes)
{
    // A silent rack hears nothing and answers nothing.
    if (!isSilent())
        unit.take(bytes);
}
