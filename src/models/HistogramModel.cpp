#include "models/HistogramModel.h"

#include "common/FieldHelpers.h"

#include <algorithm>
#include <cmath>

THistogramModel::BinSetup THistogramModel::binSetup(int scaleKind)
{
    switch (scaleKind) {
    case 0:
        return {true, 400, 0.5, 5};
    case 1:
        return {true, 127, 1.0, 10};
    case 2:
        return {true, 255, 0.1, 1};
    case 3:
        // Indexed by whole dB, so each bin is one dB wide; a half-dB width
        // would label every bin with half its value.
        return {true, 255, 1.0, 10};
    case 4:
        return {true, 125, 0.1, 1};
    default:
        return {};
    }
}

int THistogramModel::clampValue(qint32 v)
{
    // Read signed: a negative reading is 0, not a huge unsigned one in the top bin.
    return std::clamp<qint32>(v, 0, MaxValue);
}

THistogramModel::THistogramModel(int scaleKind)
    : m_setup(binSetup(scaleKind))
{}

bool THistogramModel::addSample(qint32 peak, qint32 average, qint32 minimum, const QDateTime& time)
{
    if (!m_setup.counts)
        return false;
    if (time.isValid()) {
        if (m_lastTime.isValid())
            m_coveredMs += std::max<qint64>(0, m_lastTime.msecsTo(time));
        m_lastTime = time;
        ++m_timedSamples;
    }
    const qint32 values[SeriesCount] = {peak, average, minimum};
    for (int s = 0; s < SeriesCount; ++s)
        m_counts[s][clampValue(values[s]) / m_setup.divisor] += 1;
    m_total += 1;

    if (m_total > AgeingLimit) {
        // Every counter, also those of bins beyond the drawn ones, so that no
        // old count outweighs the folded ones later.
        for (auto& series : m_counts) {
            for (double& c : series)
                c = double(RoundHalfEven(100 * c / m_total));
        }
        m_total = 100;
    }
    return true;
}

void THistogramModel::reset()
{
    for (auto& series : m_counts)
        series.fill(0);
    m_total = 0;
    m_lastTime = QDateTime();
    m_timedSamples = 0;
    m_coveredMs = 0;
}

double THistogramModel::count(int series, int bin) const
{
    if (series < 0 || series >= SeriesCount || bin < 0 || bin >= CounterCount)
        return 0;
    return m_counts[series][bin];
}

double THistogramModel::percent(int series, int bin) const
{
    return m_total > 0 ? 100 * count(series, bin) / m_total : 0;
}

bool THistogramModel::occupiedBins(unsigned mask, int& first, int& last) const
{
    first = -1;
    last = -1;
    for (int s = 0; s < SeriesCount; ++s) {
        if (!(mask & (1u << s)))
            continue;
        for (int i = 0; i <= m_setup.bins; ++i) {
            if (m_counts[s][i] > 0) {
                if (first < 0 || i < first)
                    first = i;
                if (i > last)
                    last = i;
            }
        }
    }
    return first >= 0;
}

double THistogramModel::largestPercent(unsigned mask) const
{
    double most = 0;
    for (int s = 0; s < SeriesCount; ++s) {
        if (!(mask & (1u << s)))
            continue;
        for (int i = 0; i <= m_setup.bins; ++i)
            most = std::max(most, m_counts[s][i]);
    }
    return m_total > 0 ? 100 * most / m_total : 0;
}

QString THistogramModel::elapsedText() const
{
    qint64 seconds = 0;
    if (m_timedSamples > 1)
        seconds = std::max<qint64>(1, m_coveredMs * m_timedSamples / (m_timedSamples - 1) / 1000);
    else if (m_timedSamples == 1)
        seconds = 1;
    else
        seconds = qint64(m_total / 2);
    return QString("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QChar('0'))
        .arg(seconds / 60 % 60, 2, 10, QChar('0'))
        .arg(seconds % 60, 2, 10, QChar('0'));
}

void THistogramModel::outline(int series, int band, int bands, QList<QPointF>& points,
                              double minBand) const
{
    points.clear();
    if (series < 0 || series >= SeriesCount || m_total <= 0 || bands < 1)
        return;
    const double w = m_setup.width;
    const double bandWidth = w / bands;
    // A bin too thin is widened about its middle, its bands still side by side.
    const bool widen = std::isfinite(minBand) && minBand > bandWidth;
    const double shownBand = widen ? minBand : bandWidth;
    for (int i = 0; i <= m_setup.bins; ++i) {
        const double c = m_counts[series][i];
        if (c <= 0)
            continue;
        const double p = 100 * c / m_total;
        double lo = i * w + band * bandWidth;
        double hi = lo + bandWidth;
        if (widen) {
            lo = i * w + (w - bands * shownBand) / 2 + band * shownBand;
            hi = lo + shownBand;
        }
        points.append({0, lo});
        points.append({p, lo});
        points.append({p, hi});
        points.append({0, hi});
    }
}

namespace {

double smooth(double computed, double previous)
{
    return 0.2 * computed + 0.8 * previous;
}

} // namespace

THistogramAxes followData(const THistogramModel& model, unsigned mask,
                          const THistogramAxes& previous, const THistogramAxes& initial)
{
    THistogramAxes next = previous;
    const double w = model.setup().width;

    int first = 0;
    int last = 0;
    if (model.occupiedBins(mask, first, last)) {
        // A bin's bar covers the values it counts, i * w up to (i + 1) * w.
        const double lo = std::floor(first * w);
        const double hi = std::ceil((last + 1) * w);
        next.value.min = std::max(smooth(lo, previous.value.min), initial.value.min);
        next.value.max = std::min(smooth(hi, previous.value.max), initial.value.max);
        next.value = atLeastOneStep(next.value, 1, initial.value);
    }

    const double top = std::ceil(model.largestPercent(mask) / 5) * 5;
    next.percent.min = 0;
    next.percent.max = std::min(smooth(top, previous.percent.max), initial.percent.max);
    next.percent = atLeastOneStep(next.percent, 5, initial.percent);
    return next;
}

namespace {

// Within this share of a step of a whole step, a followed limit counts as on
// it: limits settle towards a step without ever quite reaching it.
constexpr double stepTolerance = 0.05;

double stepUp(double v, double step)
{
    return std::ceil(v / step - stepTolerance) * step;
}

double stepDown(double v, double step)
{
    return std::floor(v / step + stepTolerance) * step;
}

} // namespace

THistogramAxes steppedAxes(const THistogramAxes& followed, const THistogramAxes& initial)
{
    THistogramAxes shown;
    shown.value.min = std::max(stepDown(followed.value.min, 1), initial.value.min);
    shown.value.max = std::min(stepUp(followed.value.max, 1), initial.value.max);
    shown.value = atLeastOneStep(shown.value, 1, initial.value);
    shown.percent.min = 0;
    shown.percent.max = std::min(stepUp(followed.percent.max, 5), initial.percent.max);
    shown.percent = atLeastOneStep(shown.percent, 5, initial.percent);
    return shown;
}
