#include "sim/peer/SimFaults.h"

#include <array>
#include <utility>

namespace {

const std::array<std::pair<TSimFault, const char*>, 8> faultNames = {{
    {TSimFault::Garbage, "garbage"},
    {TSimFault::Split, "split"},
    {TSimFault::Double, "double"},
    {TSimFault::Truncate, "truncate"},
    {TSimFault::BadChecksum, "bad-checksum"},
    {TSimFault::Silence, "silence"},
    {TSimFault::Drop, "drop"},
    {TSimFault::Flood, "flood"},
}};

} // namespace

QString SimFaultName(TSimFault fault)
{
    for (const auto& [f, name] : faultNames)
        if (f == fault)
            return QString::fromLatin1(name);
    return {};
}

std::optional<TSimFault> SimFaultNamed(const QString& name)
{
    for (const auto& [f, n] : faultNames)
        if (name == QLatin1String(n))
            return f;
    return std::nullopt;
}

bool IsSimBlockFault(TSimFault fault)
{
    return fault != TSimFault::Silence && fault != TSimFault::Drop && fault != TSimFault::Flood;
}

QByteArray SimGarbage()
{
    return QByteArray("\xFF\xFE\xFD\x17 line noise \x81\x00\x7F", 19);
}

void TSimFaultPlan::configure(const QList<TSimFault>& faults, int every, quint32 seed)
{
    m_faults = faults;
    m_blockFaults.clear();
    for (TSimFault f : faults)
        if (IsSimBlockFault(f) && !m_blockFaults.contains(f))
            m_blockFaults << f;
    m_every = every < 1 ? 1 : every;
    // Zero would keep the generator at zero: every group hit at its start.
    m_random = seed ? seed : 0x9E3779B9u;
    m_block = 0;
    m_hitAt = -1;
    m_turn = 0;
}

quint32 TSimFaultPlan::nextRandom()
{
    // xorshift32: small, and the same on every platform.
    m_random ^= m_random << 13;
    m_random ^= m_random >> 17;
    m_random ^= m_random << 5;
    return m_random;
}

std::optional<TSimFault> TSimFaultPlan::nextBlock()
{
    if (m_blockFaults.isEmpty())
        return std::nullopt;
    const int place = m_block % m_every;
    if (place == 0)
        m_hitAt = int(nextRandom() % quint32(m_every));
    ++m_block;
    if (place != m_hitAt)
        return std::nullopt;
    const TSimFault f = m_blockFaults[m_turn % m_blockFaults.size()];
    ++m_turn;
    return f;
}
