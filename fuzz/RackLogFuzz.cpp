// Arbitrary bytes as a rack log file through the log reader and the playback
// model: a scan in slices of sizes the file's own bytes choose, then every
// control a person can reach (play, fast forward, rewind, loop, the ends, both
// pickers, the track bar), driven by those bytes too. tolvex-sim rack
// --corpus DIR writes seeds in this shape.
#include "models/LogPlaybackModel.h"

#include <QByteArray>
#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TLogPlaybackModel m;
    TLogPlaybackModel::Load r = m.beginBytes(bytes);
    for (size_t i = 0; r == TLogPlaybackModel::Load::Scanning; ++i) {
        const int before = m.scanPercent();
        r = m.scan(size > 0 ? 1 + data[i % size] % 5 : 1);
        if (r == TLogPlaybackModel::Load::Scanning && m.scanPercent() < before)
            __builtin_trap();
    }
    if (r != TLogPlaybackModel::Load::Loaded) {
        if (m.isLoaded())
            __builtin_trap();
        return 0;
    }
    if (!std::isfinite(m.firstTime()) || !std::isfinite(m.lastTime()) ||
        m.count() != int(size / DataLog::RecordSize) || m.damagedCount() >= m.count())
        __builtin_trap();
    const double a = m.firstTime();
    const double b = m.lastTime();
    for (size_t i = 0; i < size && i < 64; ++i) {
        const int op = data[i];
        switch (op % 11) {
        case 0:
            m.play();
            break;
        case 1:
            m.fastForward();
            break;
        case 2:
            m.rewind();
            break;
        case 3:
            m.loop = !m.loop;
            break;
        case 4:
            m.reset();
            break;
        case 5:
            m.toEnd();
            break;
        case 6:
            m.setStartPicker(a + (b - a) * (op / 255.0) - 0.001);
            break;
        case 7:
            m.setStopPicker(a + (b - a) * (op / 255.0) + 0.001);
            break;
        case 8:
            m.trackMoved(op - 20);
            break;
        default:
            for (int t = 0; t < 6; ++t)
                m.tick();
            break;
        }
        (void)m.record(m.shown());
        (void)m.trackPosition();
        if (m.first() > m.last() || m.current() < m.first() || m.current() > m.last())
            __builtin_trap();
    }
    return 0;
}
