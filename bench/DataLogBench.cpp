// The data log's two costs that a person notices: appending one record with
// its flush (once per received block, on the GUI thread) and loading a whole
// day's file for playback (about 170,000 records; the load scans each
// record's length byte and time, it does not keep the records).

#include "common/TDateTime.h"
#include "data/DataLog.h"
#include "models/LogPlaybackModel.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QByteArray record(int i)
{
    const QDateTime t(QDate(2026, 12, 9), QTime(4, 0, 0));
    return DataLog::MakeRecord(QByteArray(100, char(i)) + TDateTimeBytes(t.addMSecs(500LL * i)));
}

void AppendOneRecord(benchmark::State& state)
{
    QTemporaryDir dir;
    DataLog::TWriter w;
    QString reason;
    w.openRecords(dir.path() + "/bench.LW1", &reason);
    const QByteArray r = record(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(w.append(r, &reason));
}
BENCHMARK(AppendOneRecord);

void LoadADaysFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/day.LW1";
    {
        DataLog::TWriter w;
        QString reason;
        w.openRecords(path, &reason);
        for (int i = 0; i < 170000; ++i)
            w.append(record(i), &reason);
    }
    for (auto _ : state) {
        TLogPlaybackModel m;
        benchmark::DoNotOptimize(m.load(path, nullptr));
    }
}
BENCHMARK(LoadADaysFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
