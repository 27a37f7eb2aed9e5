#include "models/TimePlotModel.h"

#include <algorithm>
#include <cmath>

double TTimePlotModel::scaleValue(int displayMode, qint32 raw)
{
    switch (displayMode) {
    case 3:
        // Levels below the reference arrive negative; the plot shows them as
        // positive dB.
        return raw / -10.0;
    case 5:
        return raw;
    case 8:
    case 9:
        return raw / 1000000.0;
    default:
        return raw / 10.0;
    }
}

TTimePlotModel::TTimePlotModel(int displayMode)
    : m_displayMode(displayMode)
{}

bool TTimePlotModel::addSample(qint32 peak, qint32 average, qint32 minimum, int second)
{
    m_sampleIndex = (m_sampleIndex + 1) % GatherSize;
    m_gather[0][m_sampleIndex] = scaleValue(m_displayMode, peak);
    m_gather[1][m_sampleIndex] = scaleValue(m_displayMode, average);
    m_gather[2][m_sampleIndex] = scaleValue(m_displayMode, minimum);

    if (second == m_lastSecond)
        return false;
    m_lastSecond = second;

    // The samples since the last point are 1 .. index; after a sixteenth
    // sample in one second the index has wrapped to 0 and all sixteen entries
    // were written since then.
    const int first = m_sampleIndex == 0 ? 0 : 1;
    const int last = m_sampleIndex == 0 ? GatherSize - 1 : m_sampleIndex;
    Point p{m_gather[0][first], 0, m_gather[2][first]};
    double sum = 0;
    for (int i = first; i <= last; ++i) {
        p.peak = std::max(p.peak, m_gather[0][i]);
        sum += m_gather[1][i];
        p.minimum = std::min(p.minimum, m_gather[2][i]);
    }
    p.average = sum / (last - first + 1);
    m_sampleIndex = 0;

    m_position = (m_position + RingSize - 1) % RingSize;
    m_count = std::min(m_count + 1, RingSize);
    m_ring[0][m_position] = p.peak;
    m_ring[1][m_position] = p.average;
    m_ring[2][m_position] = p.minimum;
    return true;
}

void TTimePlotModel::reset()
{
    for (auto& s : m_gather)
        s.fill(0);
    for (auto& s : m_ring)
        s.fill(0);
    m_sampleIndex = 0;
    m_position = 0;
    m_count = 0;
    m_lastSecond = INT_MIN;
}

TTimePlotModel::Point TTimePlotModel::point(int n) const
{
    if (n < 0 || n >= m_count)
        return {};
    const int k = (m_position + n) % RingSize;
    return {m_ring[0][k], m_ring[1][k], m_ring[2][k]};
}

bool TTimePlotModel::seriesPoints(unsigned mask, std::array<QList<QPointF>, SeriesCount>& series,
                                  AxisRange& values) const
{
    bool any = false;
    for (int s = 0; s < SeriesCount; ++s) {
        QList<QPointF>& out = series[s];
        out.clear();
        if (!(mask & (1u << s)))
            continue;
        out.reserve(m_count);
        for (int n = 0; n < m_count; ++n) {
            const double v = m_ring[s][(m_position + n) % RingSize];
            out.append({double(n), v});
            if (!any) {
                values = {v, v};
                any = true;
            } else {
                values.min = std::min(values.min, v);
                values.max = std::max(values.max, v);
            }
        }
    }
    return any;
}

AxisRange fitValueAxis(AxisRange data)
{
    const double span = data.span();
    if (span > 0) {
        const double margin = span * 0.05;
        return {data.min - margin, data.max + margin};
    }
    const double margin = std::max(std::fabs(data.min) * 0.05, 1.0);
    return {data.min - margin, data.max + margin};
}

AxisRange followValueAxis(AxisRange data, AxisRange shown)
{
    const bool inside = data.min >= shown.min && data.max <= shown.max;
    const AxisRange fitted = fitValueAxis(data);
    if (inside && fitted.span() * 2 >= shown.span())
        return shown;
    return fitted;
}
