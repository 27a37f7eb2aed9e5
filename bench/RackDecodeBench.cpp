// The cost of one full rack record set: an FM pair (every module's section and
// an information page, its sample decode and the RDS groups of both halves),
// one TV and one AM record, each received from its bytes and decoded. It runs
// on a 50 ms tick for up to eight connections, so it must stay well under
// 50 microseconds.

#include "data/FrameState.h"
#include "protocol/rack/RackDecoder.h"
#include "protocol/rack/RackReceive.h"
#include "sim/rack/RackRecords.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct Connection
{
    explicit Connection(int controller)
    {
        rack->RackController = controller;
        rack->AmVariant = controller == 34 ? 2 : 0;
    }
    void take(const QByteArray& block)
    {
        if (!ReceiveRackBlock(*rack, *state, block, false, time))
            return;
        if (rack->NewModuleData) {
            rack->NewModuleData = false;
            DecodeRackStatus(*rack, *state);
        }
        if (rack->NewSampleBlock) {
            rack->NewSampleBlock = false;
            UnpackRdsGroups(*rack);
        }
        if (rack->NewSamples) {
            rack->NewSamples = false;
            DecodeRackSamples(*rack, *state);
        }
    }
    std::unique_ptr<TRackData> rack = std::make_unique<TRackData>();
    std::unique_ptr<TConnectionState> state = std::make_unique<TConnectionState>();
    QDateTime time = QDateTime::currentDateTime();
};

void BM_RackRecordSet(benchmark::State& st)
{
    RackRecords fm(rkFM), tv(rkTV), am(rkAM);
    // A record with an identification page, so the page decode is counted too.
    const TRackModuleRecord fmRecord = fm.nextRecord();
    const QByteArray first = fm.firstHalf(fmRecord), second = fm.secondHalf(fmRecord);
    const TRackModuleRecord tvRecord = tv.nextRecord();
    const QByteArray tvBlock = tv.recordBlock(tvRecord, tvRecord.w[3]);
    const TRackModuleRecord amRecord = am.nextRecord();
    const QByteArray amBlock = am.recordBlock(amRecord, amRecord.w[3]);

    Connection fmRack(2), tvRack(18), amRack(34);
    for (auto _ : st) {
        fmRack.take(first);
        fmRack.take(second);
        tvRack.take(tvBlock);
        amRack.take(amBlock);
        benchmark::DoNotOptimize(fmRack.state->MeasurementHistory[0][1]);
    }
}
BENCHMARK(BM_RackRecordSet)->Unit(benchmark::kMicrosecond);

// Cutting those four blocks from one received stream, as a poll tick does.
void BM_RackCutFourBlocks(benchmark::State& st)
{
    RackRecords fm(rkFM);
    QByteArray stream;
    for (int i = 0; i < 4; ++i) {
        const TRackModuleRecord r = fm.nextRecord();
        stream += fm.recordBlock(r, r.w[3]);
    }
    for (auto _ : st) {
        QByteArray buffer = stream;
        int n = 0;
        while (CutRackBlock(buffer, false))
            ++n;
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_RackCutFourBlocks)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
