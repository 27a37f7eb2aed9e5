// What decoding an HD block costs: it must stay well under the 125 ms poll
// tick's share for one block (125 us), so a tick that finds several waiting
// keeps up.
#include "protocol/BlockCutter.h"
#include "protocol/hd/HdBlockLayout.h"
#include "protocol/hd/HdDecoder.h"
#include "sim/hd/HdBlock.h"
#include "protocol/hd/HdImages.h"
#include "sim/hd/HdObjects.h"
#include "sim/hd/HdPictures.h"
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

// The largest pictures that pass the caps, 640 a side, noise (the largest
// and slowest file for a size), full-resolution colour: each must decode in
// well under the 30 ms a timer tick can give it. And what refusing the bombs
// costs.
enum TPictureCase
{
    pcJpegBaseline,
    pcJpeg4Scans,
    pcJpeg10Scans,
    pcJpeg64Scans,
    pcPng,
    pcPngAtObjectCap,
    pcPngInterlaced,
    pcPngBomb,
    pcPngTextBomb,
};

void BM_DecodeLargestPicture(benchmark::State& state)
{
    const auto c = TPictureCase(state.range(0));
    const int scans = c == pcJpeg4Scans ? 4 : c == pcJpeg10Scans ? 10 : c == pcJpeg64Scans ? 64 : 1;
    const bool jpeg = c <= pcJpeg64Scans;
    QByteArray bytes;
    if (jpeg)
        bytes = EncodeSimJpeg({.width = 640, .height = 640, .scans = scans, .quality = 100, .noise = true});
    else if (c == pcPngBomb)
        bytes = SimPngBomb(640, 640, qint64(1000) << 20);
    else if (c == pcPngTextBomb)
        bytes = SimPngTextBomb(qint64(1000) << 20);
    else if (c == pcPngAtObjectCap) {
        // A unit sends no object past a megabyte: the largest PNG that can
        // arrive is a 640-pixel one with as much noise as fits.
        for (int rows = 640; rows > 0 && (bytes.isEmpty() || bytes.size() > (1 << 20)); rows -= 8)
            bytes = EncodeSimPng(640, 640, false, true, rows);
    } else
        bytes = EncodeSimPng(640, 640, c == pcPngInterlaced, true);
    static const char* const names[] = {"jpeg baseline", "jpeg 4 scans", "jpeg 10 scans",
                                        "jpeg 64 scans", "png",          "png of 1 MB",
                                        "png interlaced",
                                        "png bomb (1 GB)", "png text bomb (1 GB)"};
    state.SetLabel(QString("%1, %2 bytes").arg(names[c]).arg(bytes.size()).toStdString());
    for (auto _ : state) {
        THdImageResult r = jpeg ? DecodeHdJpeg(bytes) : DecodeHdPng(bytes);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_DecodeLargestPicture)->DenseRange(pcJpegBaseline, pcPngTextBomb)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
