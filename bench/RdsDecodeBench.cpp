// The cost of one RDS window refresh's decoding: one walk of six groups and
// the Basic page built from the decoder, over the simulated station's looping
// stream (PS, AF, radiotext, PTYN and clock groups). Two such batches come
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

} // namespace

BENCHMARK_MAIN();
