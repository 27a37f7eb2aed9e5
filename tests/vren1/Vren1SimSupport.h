#pragma once

#include "Vren1WindowSupport.h"

#include <memory>

// The settings windows against the simulated HD unit: the shared fixture of
// Vren1WindowSupport.h, logged in with the unit's settings and e-mail taken in
// and the frame's own timer left running.

class Vren1SimTest : public Vren1SimWindowTest
{
protected:
    Vren1SimTest() { sim.blockIntervalMs = 40; }

    // Logged in, polling, and the unit's settings and e-mail taken in.
    std::unique_ptr<TFrame2> connectToSim()
    {
        return loginToSim(
            [&](const TFrame2& f) {
                return f.HdLocalConfig[2] == sim.unit().HdLocalConfig[2] &&
                       f.HdEmailSettings.Address == sim.unit().HdEmailSettings.Address &&
                       f.HdEmailSettings.Subject == sim.unit().HdEmailSettings.Subject;
            },
            120, false);
    }

    // Ticks until the unit has received n more request lines.
    bool linesReach(TFrame2& f, qsizetype count, int maxTicks = 60)
    {
        return tickUntil(
            f, [&] { return sim.requestLines().size() >= count; }, maxTicks);
    }

    // A few more ticks, so blocks in flight are decoded and refreshes handled.
    static void settle(TFrame2& f, int ticks = 8)
    {
        for (int i = 0; i < ticks; ++i) {
            f.Timer1Timer();
            pump(30);
        }
    }
};

// "CC", "PB", "PS" or "DD" text with its checksum: the low byte of the sum of
// its characters, in two hex digits.
inline QByteArray hdSealed(const QByteArray& text)
{
    unsigned sum = 0;
    for (char c : text)
        sum += quint8(c);
    return text + QByteArray::number(sum & 0xFF, 16).toUpper().rightJustified(2, '0');
}
