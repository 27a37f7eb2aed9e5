#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The faults a simulated unit can be told to show on the command line
// (tolvex-sim FAMILY --faults NAME,...), the same for every family.
enum class TSimFault
{
    Garbage,     // bytes before a block
    Split,       // a block in two writes
    Double,      // two blocks in one write
    Truncate,    // a block cut short
    BadChecksum, // a block whose sum is wrong (the families that have one)
    Silence,     // the unit neither answers nor sends for a while
    Drop,        // the unit closes the link
    Flood,       // bytes that are no protocol, as fast as the link takes them
};

// The name a fault goes by on the command line ("bad-checksum"), and back.
QString SimFaultName(TSimFault fault);
std::optional<TSimFault> SimFaultNamed(const QString& name);

// Whether a fault hits single blocks (the others hit the link).
bool IsSimBlockFault(TSimFault fault);

// The bytes a garbage fault puts before a block: a false start marker and
// noise, as interference on a line brings them, so a receiver that trusts
// the first marker it sees loses step.
QByteArray SimGarbage();

// How long a silence or a flood lasts, how often it comes, and when the drop
// comes after the login.
constexpr int SimSilenceMs = 5000;
constexpr int SimLinkFaultPeriodMs = 30000;
constexpr int SimFloodOffsetMs = 15000; // midway between two silences
constexpr int SimDropAfterLoginMs = 10000;

// Which block carries which fault: one block in every `every`, at a place in
// its group of `every` that the seed chooses, the block faults named taking
// turns. The same seed gives the same blocks.
class TSimFaultPlan
{
public:
    void configure(const QList<TSimFault>& faults, int every, quint32 seed);
    bool has(TSimFault fault) const { return m_faults.contains(fault); }
    bool isEmpty() const { return m_faults.isEmpty(); }
    int every() const { return m_every; }

    // Counts one block and says what it carries (nothing for most).
    std::optional<TSimFault> nextBlock();
    // The blocks counted so far: the number of the last one.
    int blocks() const { return m_block; }

private:
    quint32 nextRandom();

    QList<TSimFault> m_faults;
    QList<TSimFault> m_blockFaults;
    int m_every = 10;
    quint32 m_random = 1;
    int m_block = 0;
    int m_hitAt = -1;
    int m_turn = 0;
};
