#include "sim/peer/SimDrift.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

int SimDrift::next()
{
    m_seed = m_seed * 1664525u + 1013904223u;
    return int(m_seed >> 16);
}

double SimDrift::phase() const
{
    return 2 * std::numbers::pi * (m_block % 240) / 240.0;
}

qint32 SimDrift::moved(qint32 v, qint32 lo, qint32 hi)
{
    const int size = std::abs(v);
    return moved(v, 2 + size * 3 / 100, 1 + size * 2 / 100, lo, hi);
}

qint32 SimDrift::moved(qint32 v, int drift, int jitter, qint32 lo, qint32 hi)
{
    const int d = int(std::lround(drift * std::sin(phase())));
    const int j = next() % (2 * jitter + 1) - jitter;
    return std::clamp<qint32>(v + d + j, lo, hi);
}
