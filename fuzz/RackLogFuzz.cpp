// Arbitrary bytes as a rack log file through the log reader and the playback
// model: load, then every control a person can reach (play, fast forward,
// rewind, loop, the ends, both pickers, the track bar), driven by the file's
// own bytes. tolvex-sim rack --corpus DIR writes seeds in this shape.
#include "models/LogPlaybackModel.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TLogPlaybackModel m;
    if (m.loadBytes(bytes) != TLogPlaybackModel::Load::Loaded)
        return 0;
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
