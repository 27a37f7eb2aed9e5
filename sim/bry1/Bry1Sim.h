#pragma once

#include "sim/peer/SimPeer.h"

// A simulated Bry1 unit: it names itself on "T", gives its versions on "U" and
// answers each "D1".."D4" with one block, the kinds cycling 0, 1, 2. Faults
// for the next block, and silences, show what the program does when a real
// link misbehaves.
class Bry1Sim : public SimPeer
{
    Q_OBJECT
public:
    // What the next block answer carries; used once, then back to None.
    enum class Fault
    {
        None,
        WrongSum,      // the block with its sum off by one
        Burst,         // the block and one extra byte: 357 bytes at once
        Split,         // 100 bytes, then the other 256 40 ms later
        Double,        // two blocks in one write
        GarbageBefore, // stray bytes, then the block, in one write
        Truncated,     // the first 200 bytes only
    };

    explicit Bry1Sim(QObject* parent = nullptr);

    QByteArray identity = "Bry-1";
    bool answerIdentify = true;
    QByteArray versions = "U1:HC11V01.23 /  DSP1V04.56";
    // Blocks answered before the unit falls silent; -1 never.
    int blocksBeforeSilence = -1;
    Fault nextFault = Fault::None;

    int startLines() const { return m_startLines; } // "D1" received
    int pageLines() const { return m_pageLines; }   // "D2".."D4" received
    int blocksSent() const { return m_blocksSent; }
    // The kind the next block carries.
    int nextKind() const { return m_blocksSent % 3; }

    // Sends the next block at once, with the pending fault.
    void sendBlock();

protected:
    void handleLine(const QByteArray& line) override;

private:
    QByteArray nextBlock();
    void answerBlock(int delayMs);

    int m_startLines = 0;
    int m_pageLines = 0;
    int m_blocksSent = 0;
};
