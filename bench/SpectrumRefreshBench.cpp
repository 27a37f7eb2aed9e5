// The cost of a spectrum window's refresh: the 501 points of one block into
// the chart and the chart's repaint ("grab" of the chart view, what a block
// repaints), in line mode with the colour bands and in fill mode; then eight
// windows refreshed through the event loop eight times a second, with a 20 ms
// timer that records how late it fires and the GUI thread's share of time.

#include "BenchSupport.h"
#include "common/Enums.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "plots/SpectrumChart.h"
#include "plots/SpectrumPageView.h"
#include "sim/hd/HdSim.h"
#include "sim/tavr1/Tavr1Sim.h"
#include "tavr1/Tavr1_Spectrum.h"
#include "vren1/HD_Spectrum.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPixmap>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <ctime>
#include <memory>
#include <vector>

namespace {

struct Owner
{
    explicit Owner(bool fill)
    {
        frame.RackCaption = "Rack A";
        panel.setObjectName("Rack1_TAVR1");
        frame.Tavr1LocalConfig = Tavr1Sim::defaultConfig();
        frame.Tavr1LocalConfig[28] = fill ? 1 : 0; // curve fill
        frame.Tavr1LocalConfig[29] = 1;            // colour ON: seven runs
        frame.Tavr1SpectrumMode = 8;
        HdSim unit;
        unit.useStationSpectrum();
        frame.HdLocalConfig = unit.unit().HdLocalConfig;
        frame.HdLocalConfig[27] = fill ? 1 : 0;
        hdSpectrum = unit.measuredSpectrum();
        nextBlock();
    }
    TChildWindowArgs args() { return {&panel, &frame, QPointer<QObject>(&panel), pfTavr1, 0, 0}; }
    // A new block: the hump moves a little, as live data does.
    void nextBlock()
    {
        const std::array<qint32, 509> s = Tavr1Sim::pageSpectrum(0);
        for (int i = 0; i < 501; ++i)
            frame.Tavr1Spectrum[std::size_t(i)] = s[std::size_t(i)] + (i * 7 + n) % 40;
        for (int i = 0; i < 501; ++i)
            frame.HdSpectrum[std::size_t(i)] = hdSpectrum[std::size_t(i)] + (i * 5 + n) % 40;
        for (int k = 0; k < 8; ++k)
            frame.HdSpectrumPower[std::size_t(k)] = hdSpectrum[std::size_t(501 + k)] + n % 3;
        ++n;
    }

    TFrame2 frame{"Connect1"};
    QWidget panel;
    std::array<qint32, 509> hdSpectrum{};
    int n = 0;
};

int refreshMessage(QWidget* w)
{
    return qobject_cast<THDSpectrum*>(w) ? UM_HD_REFRESH : UM_TAVR1_REFRESH;
}

void refresh(QWidget* w)
{
    PostMessage(QPointer<QObject>(w), refreshMessage(w));
    QCoreApplication::sendPostedEvents(w);
}

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

void oneRefresh(benchmark::State& state, bool fill, bool wholeWindow, bool hd = false)
{
    Owner owner(fill);
    QWidget* w = nullptr;
    TSpectrumChart* chart = nullptr;
    if (hd) {
        auto* h = new THDSpectrum(owner.args());
        chart = h->pageView()->chart();
        w = h;
    } else {
        auto* t = new TTavr1Spectrum(owner.args());
        chart = t->pageView(0)->chart();
        w = t;
    }
    w->resize(900, 800);
    w->show();
    chart->setFixedSize(800, 500);
    QCoreApplication::processEvents();
    for (int i = 0; i < 3; ++i) // past the first blanking
        refresh(w);
    const double cpu0 = threadCpuSeconds();
    for (auto _ : state) {
        owner.nextBlock();
        refresh(w);
        benchmark::DoNotOptimize(wholeWindow ? w->grab() : chart->grab());
    }
    state.counters["cpu_ms"] =
        benchmark::Counter((threadCpuSeconds() - cpu0) * 1000.0 / double(state.iterations()));
    delete w;
}

void BM_Tavr1RfLineRefreshAndPaint(benchmark::State& state)
{
    oneRefresh(state, false, false);
}
void BM_Tavr1RfFillRefreshAndPaint(benchmark::State& state)
{
    oneRefresh(state, true, false);
}
void BM_Tavr1RfLineRefreshAndWholeWindow(benchmark::State& state)
{
    oneRefresh(state, false, true);
}
void BM_HdLineRefreshAndPaint(benchmark::State& state)
{
    oneRefresh(state, false, false, true);
}
void BM_HdLineRefreshAndWholeWindow(benchmark::State& state)
{
    oneRefresh(state, false, true, true);
}

// Eight windows on eight frames, each refreshed 8 times a second for 10 s
// through the event loop, painted as the screen would be (offscreen).
void BM_EightSpectrumWindowsFor10s(benchmark::State& state)
{
    std::vector<std::unique_ptr<Owner>> owners;
    std::vector<QWidget*> windows;
    for (int i = 0; i < 8; ++i) {
        // Four Tavr1 (line and fill alternately) and four HD windows.
        owners.push_back(std::make_unique<Owner>(i % 2 == 1));
        QWidget* w = i < 4 ? static_cast<QWidget*>(new TTavr1Spectrum(owners.back()->args()))
                           : new THDSpectrum(owners.back()->args());
        w->resize(800, 600);
        w->show();
        windows.push_back(w);
    }
    {
        // The windows' first painting and layout is not the steady state.
        QEventLoop settle;
        QTimer::singleShot(1000, &settle, &QEventLoop::quit);
        settle.exec();
    }
    for (auto _ : state) {
        QTimer blocks;
        blocks.setTimerType(Qt::PreciseTimer);
        blocks.setInterval(125);
        QObject::connect(&blocks, &QTimer::timeout, [&] {
            for (std::size_t i = 0; i < windows.size(); ++i) {
                owners[i]->nextBlock();
                PostMessage(QPointer<QObject>(windows[i]), refreshMessage(windows[i]));
            }
        });
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        probe.setInterval(20);
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 worstLate = 0;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            worstLate = std::max(worstLate, now - last - 20);
            last = now;
        });
        const double cpu0 = threadCpuSeconds();
        clock.start();
        blocks.start();
        probe.start();
        // A plain event loop, as the program runs: it sleeps between events.
        QEventLoop loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        const double wall = clock.elapsed() / 1000.0;
        const double busy = (threadCpuSeconds() - cpu0) / wall;
        state.counters["gui_busy_pct"] = busy * 100.0;
        state.counters["worst_late_ms"] = double(worstLate);
    }
    for (QWidget* w : windows)
        delete w;
}

} // namespace

BENCHMARK(BM_Tavr1RfLineRefreshAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Tavr1RfFillRefreshAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Tavr1RfLineRefreshAndWholeWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HdLineRefreshAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HdLineRefreshAndWholeWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EightSpectrumWindowsFor10s)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
