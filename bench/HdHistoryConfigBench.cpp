// The cost of the Vren1 unit-configuration report's refill (it runs on every
// HD block) and of the history window's rebuild and chart fill after a day's
// download (1440 rows of three values, once per download).

#include "BenchSupport.h"
#include "common/Enums.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/hd/HdHistoryRows.h"
#include "sim/hd/HdSim.h"
#include "vren1/HD_Config.h"
#include "vren1/HD_Data.h"

#include <QCoreApplication>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

struct Owner
{
    Owner()
    {
        frame.RackCaption = "Studio B";
        panel.setObjectName("Rack1_VREN1");
        frame.HdUnitConfig = frame.HdLocalConfig = HdSim::defaultConfig();
    }
    TChildWindowArgs args(int index = 0)
    {
        return {&panel, &frame, QPointer<QObject>(&panel), pfVren1, 0, index};
    }

    TFrame2 frame{"Connect1"};
    QWidget panel;
};

void post(QWidget* w, int msg)
{
    PostMessage(QPointer<QObject>(w), msg);
    QCoreApplication::sendPostedEvents(w);
}

// A block that changed nothing the report shows.
void BM_HdConfigRefreshUnchanged(benchmark::State& state)
{
    Owner owner;
    auto* w = new THDConfig(owner.args());
    for (auto _ : state)
        post(w, UM_HD_REFRESH);
    delete w;
}

// Every word of both records changes at every block: all value texts are
// formatted, compared and set.
void BM_HdConfigRefreshAllChanged(benchmark::State& state)
{
    Owner owner;
    auto* w = new THDConfig(owner.args());
    int i = 0;
    for (auto _ : state) {
        ++i;
        for (int k = 0; k < HdConfigWordCount; ++k)
            owner.frame.HdUnitConfig[k] = owner.frame.HdLocalConfig[k] = (k + i) % 2;
        owner.frame.HdUnitConfig.setReal(HdZoomWord, 100.0 + i % 2);
        owner.frame.HdLocalConfig.setReal(HdZoomWord, 100.0 + i % 2);
        post(w, UM_HD_REFRESH);
    }
    delete w;
}

// Two days that differ in every value, so each rebuild sets every cell.
std::array<QByteArray, 2> twoDays()
{
    QByteArray other = HdSim::historyBytes(0);
    for (char& c : other)
        c = char(quint8(c) ^ 0x01);
    return {HdSim::historyBytes(0), other};
}

void fillFrame(TFrame2& f, const QByteArray& day)
{
    THistoryDataRec& h = f.HistoryData;
    h.Id = 0;
    h.Type = 3;
    h.Len = qint32(day.size());
    h.Index = h.Len - 140;
    std::copy(day.begin(), day.end(), h.Data.begin());
    h.New = true;
}

// The last chunk of a download: rows decoded, list, 1441 x 4 grid and the
// three series refilled, the axis fitted.
void BM_HdHistoryRebuildAndFill(benchmark::State& state)
{
    Owner owner;
    auto* w = new THData(owner.args());
    const auto days = twoDays();
    int i = 0;
    for (auto _ : state) {
        fillFrame(owner.frame, days[size_t(i++ % 2)]);
        post(w, UM_PANEL_REFRESH);
    }
    delete w;
}

// The widget-free part of it: the bytes turned into cells, lines and values.
void BM_HdHistoryDecodeRows(benchmark::State& state)
{
    Owner owner;
    fillFrame(owner.frame, HdSim::historyBytes(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeHdHistoryRows(owner.frame.HistoryData));
}

// A refresh during a download: only the progress label.
void BM_HdHistoryProgressRefresh(benchmark::State& state)
{
    Owner owner;
    auto* w = new THData(owner.args());
    fillFrame(owner.frame, HdSim::historyBytes(0));
    owner.frame.HistoryData.New = false;
    int i = 0;
    for (auto _ : state) {
        owner.frame.HistoryData.Index = 340 * (i++ % 25);
        post(w, UM_PANEL_REFRESH);
    }
    delete w;
}

} // namespace

BENCHMARK(BM_HdConfigRefreshUnchanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HdConfigRefreshAllChanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HdHistoryRebuildAndFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HdHistoryDecodeRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HdHistoryProgressRefresh)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
