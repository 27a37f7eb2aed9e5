// The cost of one refresh of the Tavr1 unit-configuration report (226 value
// texts, refilled on every block) and of the alarm/relay window (14 lamps,
// and a refill of every control when the unit reports its alarm settings).

#include "BenchSupport.h"
#include "common/Enums.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_AlarmRelay.h"
#include "tavr1/Tavr1_Config.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

struct Owner
{
    Owner()
    {
        frame.RackCaption = "Rack A";
        panel.setObjectName("Rack1_TAVR1");
        for (int k = 0; k < Tavr1ConfigItemCount; ++k)
            frame.Tavr1UnitConfig[k] = frame.Tavr1LocalConfig[k] = k % 4;
    }
    TChildWindowArgs args() { return {&panel, &frame, QPointer<QObject>(&panel), pfTavr1, 0, 0}; }

    TFrame2 frame{"Connect1"};
    QWidget panel;
};

void refresh(QWidget* w)
{
    PostMessage(QPointer<QObject>(w), UM_TAVR1_REFRESH);
    QCoreApplication::sendPostedEvents(w);
}

// Nothing changed: every text is formatted and compared, none is set.
void BM_ConfigReportRefreshUnchanged(benchmark::State& state)
{
    Owner owner;
    auto* w = new TTavr1Config(owner.args());
    for (auto _ : state)
        refresh(w);
    delete w;
}

// Every item changed in both records: all 226 texts are set.
void BM_ConfigReportRefreshAllChanged(benchmark::State& state)
{
    Owner owner;
    auto* w = new TTavr1Config(owner.args());
    int i = 0;
    for (auto _ : state) {
        ++i;
        for (int k = 0; k < Tavr1ConfigItemCount; ++k)
            owner.frame.Tavr1UnitConfig[k] = owner.frame.Tavr1LocalConfig[k] = (k + i) % 4;
        refresh(w);
    }
    delete w;
}

void BM_AlarmRelayRefreshLamps(benchmark::State& state)
{
    Owner owner;
    auto* w = new TTavr1AlarmRelaySNMP(owner.args());
    int i = 0;
    for (auto _ : state) {
        owner.frame.Tavr1AlarmMasks = {quint16(i), quint16(i >> 3)};
        ++i;
        refresh(w);
    }
    delete w;
}

void BM_AlarmRelayRefreshWithRefill(benchmark::State& state)
{
    Owner owner;
    auto* w = new TTavr1AlarmRelaySNMP(owner.args());
    int i = 0;
    for (auto _ : state) {
        for (int n = 1; n <= Tavr1AlarmCount; ++n)
            owner.frame.Tavr1LocalConfig[Tavr1AlarmTimeItem(n)] = 1 + (n + i) % 600;
        ++i;
        owner.frame.PageRefresh.raise(prAlarms);
        refresh(w);
    }
    delete w;
}

} // namespace

BENCHMARK(BM_ConfigReportRefreshUnchanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConfigReportRefreshAllChanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlarmRelayRefreshLamps)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlarmRelayRefreshWithRefill)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
