#pragma once

#include "sim/peer/SimPeer.h"
#include "sim/rack/RackUnit.h"

// A simulated rack system on a loopback TCP port or a pseudo-terminal.
class RackSim : public SimPeer
{
    Q_OBJECT
public:
    explicit RackSim(int family = rkFM, QObject* parent = nullptr);

    RackUnit unit;
    // Each answer in two writes, the second 40 ms after the first.
    bool splitWrites = false;

protected:
    void handleBytes(const QByteArray& bytes) override;
    void handleLine(const QByteArray&) override {}
};
