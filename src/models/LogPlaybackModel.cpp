#include "models/LogPlaybackModel.h"

#include "common/FieldHelpers.h"

#include <cmath>
#include <limits>

namespace {

int roundToInt(double x)
{
    if (!std::isfinite(x))
        return 0;
    if (x > 1e9)
        return 1000000000;
    if (x < -1e9)
        return -1000000000;
    return int(RoundHalfEven(x));
}

double finiteOr(double x, double fallback)
{
    return std::isfinite(x) ? x : fallback;
}

} // namespace

TLogPlaybackModel::Load TLogPlaybackModel::begin(const QString& path, QString* reason)
{
    unload();
    if (!m_reader.open(path, reason))
        return Load::CannotRead;
    return begun();
}

TLogPlaybackModel::Load TLogPlaybackModel::beginBytes(const QByteArray& bytes)
{
    unload();
    m_reader.openBytes(bytes);
    return begun();
}

TLogPlaybackModel::Load TLogPlaybackModel::begun()
{
    if (m_reader.count() == 0) {
        unload();
        return Load::NoRecord;
    }
    return Load::Scanning;
}

TLogPlaybackModel::Load TLogPlaybackModel::scan(int maxRecords)
{
    if (isLoaded())
        return Load::Loaded;
    if (m_reader.count() == 0)
        return Load::NoRecord;
    if (!m_reader.scan(maxRecords))
        return Load::Scanning;
    return loaded();
}

int TLogPlaybackModel::scanPercent() const
{
    const int n = m_reader.count();
    return n > 0 ? int(qint64(m_reader.scannedCount()) * 100 / n) : 0;
}

TLogPlaybackModel::Load TLogPlaybackModel::scanAll(Load r)
{
    while (r == Load::Scanning)
        r = scan(std::numeric_limits<int>::max());
    return r;
}

TLogPlaybackModel::Load TLogPlaybackModel::load(const QString& path, QString* reason)
{
    return scanAll(begin(path, reason));
}

TLogPlaybackModel::Load TLogPlaybackModel::loadBytes(const QByteArray& bytes)
{
    return scanAll(beginBytes(bytes));
}

TLogPlaybackModel::Load TLogPlaybackModel::loaded()
{
    // A damaged first or last record gives the file no time at that end: the
    // nearest good record's time stands in, so the pickers keep a real date.
    // A file without any good time has no date to play by.
    const double a = m_reader.firstGoodTime();
    const double b = m_reader.lastGoodTime();
    if (std::isnan(a) || std::isnan(b)) {
        unload();
        return Load::NoGoodTime;
    }
    m_count = m_reader.count();
    m_firstTime = a;
    m_lastTime = b;
    m_startPicker = m_firstTime;
    m_stopPicker = m_lastTime;
    m_first = 0;
    m_last = m_count - 1;
    m_current = 0;
    m_mode = Mode::Stopped;
    return Load::Loaded;
}

void TLogPlaybackModel::unload()
{
    m_reader.close();
    m_count = m_current = m_first = m_last = 0;
    m_shown = -1;
    m_ticks = 0;
    m_firstTime = m_lastTime = m_startPicker = m_stopPicker = 0;
    m_mode = Mode::Stopped;
}

void TLogPlaybackModel::setMode(Mode m)
{
    m_mode = isLoaded() ? m : Mode::Stopped;
    m_ticks = 0;
}

double TLogPlaybackModel::span() const
{
    const double s = m_lastTime - m_firstTime;
    return std::isfinite(s) && s > 0 ? s : 0;
}

void TLogPlaybackModel::clampRange()
{
    m_last = qBound(0, m_last, m_count - 1);
    m_first = qBound(0, m_first, m_last);
    m_current = qBound(m_first, m_current, m_last);
}

void TLogPlaybackModel::show()
{
    m_shown = m_current;
}

void TLogPlaybackModel::step(bool forward)
{
    if (forward) {
        if (m_current + 1 > m_last) {
            if (loop) {
                m_current = m_first;
            } else {
                m_current = m_last;
                m_mode = Mode::Stopped;
            }
        } else {
            ++m_current;
        }
        return;
    }
    if (m_current - 1 < m_first) {
        if (loop) {
            m_current = m_last;
        } else {
            m_current = m_first;
            m_mode = Mode::Stopped;
        }
    } else {
        --m_current;
    }
}

bool TLogPlaybackModel::tick()
{
    if (!isLoaded())
        return false;
    switch (m_mode) {
    case Mode::Stopped:
        return false;
    case Mode::Play:
        if (++m_ticks < 5)
            return false;
        m_ticks = 0;
        show();
        step(true);
        return true;
    case Mode::FastForward:
        show();
        step(true);
        return true;
    case Mode::Rewind:
        show();
        step(false);
        return true;
    }
    return false;
}

void TLogPlaybackModel::reset()
{
    if (!isLoaded())
        return;
    m_current = 0;
    m_first = 0;
    m_startPicker = m_firstTime;
    m_shown = m_current;
}

void TLogPlaybackModel::toEnd()
{
    if (!isLoaded())
        return;
    m_current = m_last = m_count - 1;
    m_stopPicker = m_lastTime;
    m_shown = m_current;
}

double TLogPlaybackModel::setStartPicker(double t)
{
    if (!isLoaded())
        return t;
    t = qBound(m_firstTime, finiteOr(t, m_firstTime), qMax(m_firstTime, m_stopPicker));
    m_startPicker = t;
    const double s = span();
    m_first = s > 0 ? roundToInt((t - m_firstTime) * (m_count - 1) / s) : 0;
    m_first = qBound(0, m_first, m_last);
    m_current = qBound(m_first, m_current, m_last);
    return t;
}

double TLogPlaybackModel::setStopPicker(double t)
{
    if (!isLoaded())
        return t;
    t = qBound(qMin(m_startPicker, m_lastTime), finiteOr(t, m_lastTime), m_lastTime);
    m_stopPicker = t;
    const double s = span();
    m_last = s > 0 ? roundToInt((1 - (m_lastTime - t) / s) * (m_count - 1)) : m_count - 1;
    m_last = qBound(m_first, m_last, m_count - 1);
    m_current = qBound(m_first, m_current, m_last);
    return t;
}

void TLogPlaybackModel::trackMoved(int position)
{
    if (!isLoaded())
        return;
    position = qBound(0, position, 100);
    m_current = m_first + roundToInt(position / 100.0 * (m_last - m_first));
    clampRange();
    show();
}

int TLogPlaybackModel::trackPosition() const
{
    if (!isLoaded() || m_last <= m_first)
        return 0;
    const int at = m_shown >= 0 ? m_shown : m_current;
    return qBound(0, roundToInt(double(at - m_first) / (m_last - m_first) * 100), 100);
}
