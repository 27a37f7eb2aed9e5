// The cost of one RDS window refresh's decoding: one walk of six groups and
// the Basic page built from the decoder, over the simulated station's looping
// stream (PS, AF, radiotext, PTYN, clock, paging, EON and data groups). Two such batches come
// with every FM pair, so it must stay well under 50 microseconds.

#include "models/RdsBasicPage.h"
#include "protocol/rds/RdsDecoder.h"
#include "sim/rack/RdsScript.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

void BM_RdsWalkAndPage(benchmark::State& st)
{
    RdsScript script = RdsScript::builtIn();
    script.clock = QDateTime(QDate(2025, 6, 1), QTime(3, 30), Qt::UTC);
    std::vector<std::array<TRdsGroupRec, 6>> batches;
    for (int i = 0; i < 64; ++i) {
        std::array<TRdsGroupRec, 6> b{};
        const RdsScript::Batch groups = script.nextBatch();
        for (int g = 0; g < 6; ++g)
            b[g] = {groups[g][0], groups[g][1], groups[g][2], groups[g][3]};
        batches.push_back(b);
    }
    TRdsDecoder d;
    d.setUp();
    size_t i = 0;
    for (auto _ : st) {
        d.walk(batches[i++ % batches.size()]);
        TRdsBasicPage page = RdsBasicPage(d);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_RdsWalkAndPage);

// A stream of mostly paging (7A) and other-network (14A) groups: alphanumeric
// messages, AF(ON) lists and mapped frequencies, with a 0A now and then.
void BM_RdsPagingAndEonWalk(benchmark::State& st)
{
    std::vector<std::array<TRdsGroupRec, 6>> batches;
    quint16 n = 0;
    auto next = [&]() -> TRdsGroupRec {
        const int k = n++ % 12;
        if (k == 0)
            return {0x47F3, 0x0008, 0xE56C, 0x4B56};
        if (k < 6) {
            const int v = k == 1 ? 8 : (k == 5 ? 15 : 8 + k);
            return {0x47F3, quint16(14 << 11 | v), quint16(0x4142 + n), 0x4344};
        }
        const int v = k == 6 ? 4 : (k == 7 ? 5 : k - 6);
        return {0x47F3, quint16(28 << 11 | 0x10 | v),
                quint16((k == 6 ? 0xE300 : 0x4100) | (n & 0x7F)), quint16(0x4A3C + (n / 240))};
    };
    for (int i = 0; i < 64; ++i) {
        std::array<TRdsGroupRec, 6> b{};
        for (TRdsGroupRec& g : b)
            g = next();
        batches.push_back(b);
    }
    TRdsDecoder d;
    d.setUp();
    size_t i = 0;
    for (auto _ : st) {
        d.walk(batches[i++ % batches.size()]);
        TRdsBasicPage page = RdsBasicPage(d);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_RdsPagingAndEonWalk);

} // namespace

BENCHMARK_MAIN();
