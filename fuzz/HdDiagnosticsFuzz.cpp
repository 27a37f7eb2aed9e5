// The diagnostic text walk over an arbitrary record: the first 16 bytes are
// Id, Type, Len and Index, the rest the data area.
#include "FuzzCheck.h"
#include "protocol/hd/HdDiagnostics.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    THistoryDataRec d(HdDiagnosticBytes);
    qint32 fields[4] = {0, 0, 0, 0};
    const size_t head = size < sizeof(fields) ? size : sizeof(fields);
    std::memcpy(fields, data, head);
    d.Id = fields[0];
    d.Type = fields[1];
    d.Len = fields[2];
    d.Index = fields[3];
    const size_t body = size - head < d.Data.size() ? size - head : d.Data.size();
    if (body)
        std::memcpy(d.Data.data(), data + head, body);
    const QStringList lines = HdDiagnosticLines(d);
    FUZZ_CHECK(lines.size() >= 6);
    for (const QString& l : lines)
        FUZZ_CHECK(l.size() <= 80 * 4);
    const double p = HdDiagnosticProgress(d);
    FUZZ_CHECK(p >= 0.0 && p <= 100.0);
    HdDiagnosticLabel(d);
    return 0;
}
