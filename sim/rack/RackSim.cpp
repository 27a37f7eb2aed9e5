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
}

void RackSim::handleBytes(const QByteArray& bytes)
{
    unit.take(bytes);
}
