// The cost of a spectrum window's refresh: the 501 points of one block into
// the chart and the chart's repaint ("grab" of the chart view, what a block
// repaints), in line mode with the colour bands and in fill mode; then eight
// windows refreshed through the event loop eight times a second, with a 20 ms
// timer that records how late it fires and the GUI thread's share of time.

#include "common/Enums.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "plots/SpectrumChart.h"
#include "plots/SpectrumPageView.h"
#include "sim/tavr1/Tavr1Sim.h"
#include "tavr1/Tavr1_Spectrum.h"

#include <QApplication>
#include <QElapsedTimer>
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
        nextBlock();
    }
    TChildWindowArgs args() { return {&panel, &frame, QPointer<QObject>(&panel), pfTavr1, 0, 0}; }
    // A new block: the hump moves a little, as live data does.
    void nextBlock()
    {
        const std::array<qint32, 509> s = Tavr1Sim::pageSpectrum(0);
        for (int i = 0; i < 501; ++i)
            frame.Tavr1Spectrum[std::size_t(i)] = s[std::size_t(i)] + (i * 7 + n) % 40;
        ++n;
    }

    TFrame2 frame{"Connect1"};
    QWidget panel;
    int n = 0;
};

void refresh(QWidget* w)
{
    PostMessage(QPointer<QObject>(w), UM_TAVR1_REFRESH);
    QCoreApplication::sendPostedEvents(w);
}

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

void oneRefresh(benchmark::State& state, bool fill, bool wholeWindow)
{
    Owner owner(fill);
    auto* w = new TTavr1Spectrum(owner.args());
    TSpectrumChart* chart = w->pageView(0)->chart();
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

// Eight windows on eight frames, each refreshed 8 times a second for 10 s
// through the event loop, painted as the screen would be (offscreen).
void BM_EightSpectrumWindowsFor10s(benchmark::State& state)
{
    std::vector<std::unique_ptr<Owner>> owners;
    std::vector<TTavr1Spectrum*> windows;
    for (int i = 0; i < 8; ++i) {
        owners.push_back(std::make_unique<Owner>(i % 2 == 1));
        auto* w = new TTavr1Spectrum(owners.back()->args());
        w->resize(800, 600);
        w->show();
        windows.push_back(w);
    }
    for (auto _ : state) {
        QTimer blocks;
        blocks.setTimerType(Qt::PreciseTimer);
        blocks.setInterval(125);
        QObject::connect(&blocks, &QTimer::timeout, [&] {
            for (std::size_t i = 0; i < windows.size(); ++i) {
                owners[i]->nextBlock();
                PostMessage(QPointer<QObject>(windows[i]), UM_TAVR1_REFRESH);
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
        while (clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const double wall = clock.elapsed() / 1000.0;
        const double busy = (threadCpuSeconds() - cpu0) / wall;
        state.counters["gui_busy_pct"] = busy * 100.0;
        state.counters["worst_late_ms"] = double(worstLate);
    }
    for (TTavr1Spectrum* w : windows)
        delete w;
}

} // namespace

BENCHMARK(BM_Tavr1RfLineRefreshAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Tavr1RfFillRefreshAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Tavr1RfLineRefreshAndWholeWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EightSpectrumWindowsFor10s)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
