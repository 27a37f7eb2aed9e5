// A stream of RDS groups through one decoder and its Basic page. The first
// byte picks the mode; the rest is read as 8-byte groups (A, B, C, D, high
// byte first) in batches of six. tolvex-sim rack --corpus DIR writes seeds in
// this shape.
#include "models/RdsBasicPage.h"
#include "protocol/rds/RdsDecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void expectWidth(const TRdsField& f, int width)
{
    if (f.text.size() != width)
        std::abort();
}

// Each seen type once in the group-types text, and nothing else.
void expectGroupTypes(const TRdsDecoder& d, const QString& text)
{
    if (text.size() < TRdsBasicPage::GroupTypesWidth)
        std::abort();
    if (d.pi() == 0)
        return;
    int found = 0;
    for (int type = 0; type < 32; ++type) {
        const QString token = QString::number(type / 2) + ((type & 1) ? "B" : "A");
        const int n = text.split(' ', Qt::SkipEmptyParts).count(token);
        if (n != (d.seen(type) ? 1 : 0))
            std::abort();
        found += n;
    }
    if (found != text.split(' ', Qt::SkipEmptyParts).size())
        std::abort();
}

// The paging and other-network texts keep their widths however long a
// message or list runs.
void expectBounded(const TRdsDecoder& d)
{
    const TRdsPagingState& p = d.paging();
    if (p.AlphaWork.size() != TRdsPagingState::AlphaLength ||
        p.AlphaDone.size() != TRdsPagingState::AlphaLength ||
        p.AlphaPosition > TRdsPagingState::AlphaLength + 1 || p.TenDone.size() != 10 ||
        p.EighteenDone.size() != 18 || p.FifteenDone.size() != 15 || p.HexDone.size() != 7 ||
        p.PrefixDone.size() != 3 || p.LastPagingText.size() > TRdsPagingState::AlphaLength)
        std::abort();
    const TRdsEonState& e = d.eon();
    for (int i = 0; i < 2; ++i)
        if (e.AfLines[i].size() != TRdsEonState::LineWidth ||
            e.MappedLines[i].size() != TRdsEonState::LineWidth ||
            e.AfPositions[i] > TRdsEonState::LineWidth + 1)
            std::abort();
    if (e.MappedPosition > TRdsEonState::LineWidth + 1 || e.OnPs.size() != 8 ||
        e.PinHour.size() != 2)
        std::abort();
    if (d.pagingFields().PagingBitIndex > 3 || d.pagingFields().PagingInterval > 15)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    TRdsDecoder d;
    d.setMode(data[0] & 1);
    d.setUp();
    auto word = [&](size_t at) { return quint16(data[at] << 8 | data[at + 1]); };
    size_t at = 1;
    while (at + 8 <= size) {
        std::array<TRdsGroupRec, TRdsDecoder::GroupsPerBatch> batch{};
        for (TRdsGroupRec& g : batch) {
            if (at + 8 > size)
                break;
            g = {word(at), word(at + 2), word(at + 4), word(at + 6)};
            at += 8;
        }
        d.walk(batch);
        const TRdsBasicPage p = RdsBasicPage(d);
        expectWidth(p.ps, 8);
        expectWidth(p.rtA, 64);
        expectWidth(p.rtB, 64);
        expectWidth(p.afLine1, 72);
        expectWidth(p.afLine2, 72);
        expectWidth(p.time, 8);
        expectWidth(p.date, 8);
        expectGroupTypes(d, p.groupTypes.text);
        expectBounded(d);
    }
    return 0;
}
