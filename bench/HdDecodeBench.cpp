// What decoding an HD block costs: it must stay well under the 125 ms poll
// tick's share for one block (125 us), so a tick that finds several waiting
// keeps up.
#include "protocol/BlockCutter.h"
#include "protocol/hd/HdBlockLayout.h"
#include "protocol/hd/HdDecoder.h"
#include "sim/hd/HdBlock.h"
#include "sim/hd/HdObjects.h"
#include "sim/hd/HdSim.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QByteArray configBlockWithSig()
{
    HdSim sim;
    THdBlockFields s = sim.fields;
    s.blockType = 0;
    s.messageKind = 'S';
    s.payload = SimStatusTable() + SimSigMessage(1);
    QByteArray b = BuildHdBlock(s);
    WriteHdConfig(b, HdSim::defaultConfig(), {1, 2, 3, 4, 5});
    setHdChecksum(b);
    return b;
}

void BM_DecodeConfigBlockWithSig(benchmark::State& state)
{
    const QByteArray b = configBlockWithSig();
    auto d = std::make_unique<THdData>();
    auto s = std::make_unique<TConnectionState>();
    for (auto _ : state)
        DecodeHdBlock(b, *d, *s);
}
BENCHMARK(BM_DecodeConfigBlockWithSig)->Unit(benchmark::kMicrosecond);

void BM_DecodeHistoryChunk(benchmark::State& state)
{
    THdBlockFields fields;
    fields.blockType = 11;
    QByteArray b = BuildHdBlock(fields);
    WriteHdChunk(b, 5, 3, 8640, 340, QByteArray(340, 'h'));
    setHdChecksum(b);
    auto d = std::make_unique<THdData>();
    auto s = std::make_unique<TConnectionState>();
    for (auto _ : state)
        DecodeHdBlock(b, *d, *s);
}
BENCHMARK(BM_DecodeHistoryChunk)->Unit(benchmark::kMicrosecond);

void BM_CutOneBlockFromThree(benchmark::State& state)
{
    const QByteArray b = configBlockWithSig();
    const QByteArray stream = b + b + b;
    for (auto _ : state) {
        QByteArray rx = stream;
        benchmark::DoNotOptimize(CutMarkedBlock(rx, HdBlockLength, HdBlockBacklog));
    }
}
BENCHMARK(BM_CutOneBlockFromThree)->Unit(benchmark::kMicrosecond);

// The chunk that completes the primary image, picture decoding included.
void BM_DecodeLastJpegChunk(benchmark::State& state)
{
    const QByteArray object = SimObject(SimPrimaryPort, SimPrimaryLot, HdMimeJpeg, "p.jpg",
                                        EncodeSimJpeg(SimJpegWidth, SimJpegHeight));
    const QList<TSimChunk> chunks = SimObjectChunks(object, false);
    QList<QByteArray> blocks;
    for (const TSimChunk& c : chunks) {
        THdBlockFields s;
        s.messageKind = 'L';
        s.messageTotal = qint32(object.size());
        s.messagePosition = c.position;
        s.payload = c.payload;
        blocks << BuildHdBlock(s);
    }
    auto d = std::make_unique<THdData>();
    auto s = std::make_unique<TConnectionState>();
    for (auto _ : state) {
        state.PauseTiming();
        for (qsizetype i = 0; i + 1 < blocks.size(); ++i)
            DecodeHdBlock(blocks[i], *d, *s);
        state.ResumeTiming();
        DecodeHdBlock(blocks.last(), *d, *s);
    }
}
BENCHMARK(BM_DecodeLastJpegChunk)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
