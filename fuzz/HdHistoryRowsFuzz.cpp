// The history row decoder over arbitrary downloads: the first byte is the
// Type, the next two the Len (most significant first), the rest the data
// bytes as the chunks would have left them.
#include "FuzzCheck.h"
#include "protocol/hd/HdHistoryExport.h"
#include "protocol/hd/HdHistoryRows.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    THistoryDataRec h(HdHistoryBytes);
    h.Type = data[0];
    h.Len = qint32(data[1]) << 8 | data[2];
    h.Index = h.Len;
    std::memcpy(h.Data.data(), data + 3, std::min(size - 3, h.Data.size()));

    const THdHistoryRows rows = DecodeHdHistoryRows(h);
    FUZZ_CHECK(rows.header.size() == 4);
    FUZZ_CHECK(rows.id == h.Id && rows.type == h.Type && rows.len == h.Len);
    if (!rows.known) {
        FUZZ_CHECK(rows.listLines.size() == 4 && rows.cells.empty());
        return 0;
    }
    FUZZ_CHECK(rows.seriesCount >= 1 && rows.seriesCount <= 3);
    FUZZ_CHECK(rows.cells.size() == size_t(HdHistoryMinutes));
    FUZZ_CHECK(rows.listLines.size() == 4 + HdHistoryMinutes);
    for (const auto& series : rows.values) {
        FUZZ_CHECK(series.size() == size_t(HdHistoryMinutes));
        for (double v : series)
            FUZZ_CHECK(std::isfinite(v));
    }
    for (const auto& row : rows.cells) {
        for (const QString& cell : row)
            FUZZ_CHECK(!cell.contains('*')); // no reading lost to an overflowing field
    }
    const QStringList lines = HdHistoryExportLines(QDateTime(), rows);
    FUZZ_CHECK(lines.size() == 5 + HdHistoryMinutes);
    return 0;
}
