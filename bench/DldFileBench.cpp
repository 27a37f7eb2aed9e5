// What reading and checking a firmware file of the largest size the program
// command can announce costs: the dialog does it on the GUI thread at the
// click that starts an update, so it must stay well under 50 ms.
#include "protocol/firmware/DldFile.h"
#include "sim/firmware/DldGenerator.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ReadLargestDldFile(benchmark::State& state)
{
    const QByteArray bytes = MakeDldFile({65533, "V01.05", "V01.18", {}, "\r\n"});
    for (auto _ : state) {
        TDldFile file;
        const TDldError e = ReadDldFile(QByteArrayView(bytes), TDldHeaderForm::MainFirmware, &file);
        benchmark::DoNotOptimize(e);
        if (e != TDldError::None || file.DataLineCount() != 65535)
            state.SkipWithError("the generated file was refused");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadLargestDldFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
