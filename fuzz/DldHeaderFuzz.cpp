// The DLD header reader over any bytes in memory, and the version texts it
// reads. A header is three short lines: however long the input, the reader
// stops within them.
#include "FuzzCheck.h"

#include "protocol/firmware/DldFile.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer device(&bytes);
    FUZZ_CHECK(device.open(QIODevice::ReadOnly));
    TDldHeader h;
    const TDldError e = ReadDldHeader(device, &h);
    FUZZ_CHECK(e == TDldError::None || e == TDldError::BadCount);
    FUZZ_CHECK(device.pos() <= 3 * 256);
    FUZZ_CHECK(h.BootVersion.size() <= 256 && h.MainVersion.size() <= 256);
    if (e == TDldError::None)
        FUZZ_CHECK(h.LineCount >= 1 && h.LineCount <= 65535);
    for (const QString& text : {h.BootVersion, h.MainVersion}) {
        TVersionError why = TVersionError::None;
        const auto v = ParseVersionText(text, &why);
        FUZZ_CHECK(v.has_value() == (why == TVersionError::None));
    }
    return 0;
}
