// The whole program under load: N connections (1, 2, 8), each logged in to a
// simulated Tavr1 of its own in this process (eight blocks a second, readings
// varying as on air), with
//   rack    the rack windows only,
//   one     the panel and one window of each kind,
//   all     every window the panel can open.
// Each case starts the program afresh, lets the units stream for 20 s of their
// time (160 blocks each) and prints one line:
//   case=<name> frames=N cpu_pct=X decoded=D sent=S max_tick_gap_ms=G rss_mb=M
// CPU is the process's user and system time over the wall time of the run (it
// includes the simulated units, which share the thread). Decoded and sent are
// every block of the connection, counted at the decoder and at the units; the
// units stop at the end and the program is given a moment to take what is on
// its way. The tick gap is the longest time between two ticks of any frame's
// timer while the units stream.

#include "BenchSupport.h"
#include "app/Connects.h"
#include "app/Forms.h"
#include "common/BaseDirectory.h"
#include "common/Enums.h"
#include "data/ConnectionConfig.h"
#include "link/Frame2.h"
#include "panels/PanelChildren.h"
#include "shell/Rack.h"
#include "sim/tavr1/Tavr1Sim.h"
#include "tavr1/Tavr1_Panel.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

enum class Windows
{
    Rack,
    One,
    All
};

const char* caseName(Windows w)
{
    switch (w) {
    case Windows::Rack:
        return "rack";
    case Windows::One:
        return "one";
    default:
        return "all";
    }
}

constexpr int blocksPerSecond = 8;
constexpr int runSeconds = 20;

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    auto secs = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return secs(u.ru_utime) + secs(u.ru_stime);
}

double rssMegabytes()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

// Runs the event loop, sleeping while there is nothing to do (a loop that
// polled would itself be the load), until done or maxMs have passed.
void pumpUntil(const std::function<bool()>& done, int maxMs)
{
    QElapsedTimer t;
    t.start();
    QTimer wake; // so the conditions are looked at even in a quiet moment
    wake.start(50);
    while (!done() && t.elapsed() < maxMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

// The longest time between two ticks of any frame's timer.
class TickWatch : public QObject
{
public:
    void watch(QTimer* timer)
    {
        timer->installEventFilter(this);
        m_last[timer] = 0;
    }
    void start()
    {
        m_clock.start();
        for (auto& [timer, last] : m_last)
            last = 0;
        maxGapMs = 0;
    }
    qint64 maxGapMs = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Timer && m_clock.isValid()) {
            const qint64 now = m_clock.elapsed();
            qint64& last = m_last[o];
            if (last > 0 || now > 0)
                maxGapMs = std::max(maxGapMs, now - last);
            last = now;
        }
        return false;
    }

private:
    QElapsedTimer m_clock;
    std::map<QObject*, qint64> m_last;
};

TTavr1Panel* panelOf(TFrame2* f)
{
    auto* rack = qobject_cast<TRack*>(f->RackWindow.data());
    return rack ? qobject_cast<TTavr1Panel*>(rack->Tavr1Panel.data()) : nullptr;
}

void openWindows(TTavr1Panel* panel, Windows which)
{
    auto open = [panel](int kind, int index) {
        // The raw-data entry is a hidden one, so it reads as disabled; it
        // opens all the same.
        QAction* entry = panel->menuEntry(kind, index);
        if (entry && (entry->isEnabled() || kind == t1kRawData))
            entry->trigger();
    };
    if (which == Windows::One) {
        open(t1kBarGraph, 0);
        open(t1kHistogram, 0);
        open(t1kDataTimePlot, 0);
        for (int kind : {t1kDbReadings, t1kRdsBasic, t1kRawData, t1kSettings})
            open(kind, 0);
    } else if (which == Windows::All) {
        for (int i = 0; i < Tavr1BarGraphCount; ++i)
            open(t1kBarGraph, i);
        for (int i = 0; i < Tavr1HistogramCount; ++i)
            open(t1kHistogram, i);
        for (int i = 0; i < Tavr1DataTimePlotCount; ++i)
            open(t1kDataTimePlot, i);
        for (int kind : {t1kDbReadings, t1kSpectrum, t1kRdsBasic, t1kSettings, t1kAlarmRelay,
                         t1kUnitConfig, t1kRawData})
            open(kind, 0);
    }
}

void windowLoad(benchmark::State& state, Windows which)
{
    const int frames = int(state.range(0));
    for (auto _ : state) {
        QTemporaryDir base;
        const QString oldDir = QDir::currentPath();
        QDir::setCurrent(base.path());
        SetBaseDirectory(base.path());
        QDir().mkpath(base.path() + "/CONFIG");

        std::vector<std::unique_ptr<Tavr1Sim>> units;
        for (int n = 1; n <= frames; ++n) {
            auto unit = std::make_unique<Tavr1Sim>();
            unit->blockIntervalMs = 1000 / blocksPerSecond;
            unit->vary = true;
            const QString name = QString("Connect%1").arg(n);
            TConnectionSettings s = DefaultSettings(name, base.path());
            s.HardwareType = htTavr1;
            s.Transport = trNetwork;
            s.ConnectOnStartup = true;
            s.IpAddress = "127.0.0.1";
            s.TcpPort = unit->listenTcp();
            s.RackCaption = QString("Rack %1").arg(n);
            QFile cfg(base.path() + "/CONFIG/" + name + ".CFG");
            cfg.open(QIODevice::WriteOnly);
            cfg.write(FormatConfigFile(s));
            cfg.close();
            units.push_back(std::move(unit));
        }

        CreateForms();
        std::vector<TFrame2*> links;
        for (int n = 1; n <= frames; ++n)
            links.push_back(Connects->ConnectionByIndex(n));
        pumpUntil(
            [&] {
                for (TFrame2* f : links)
                    if (!panelOf(f))
                        return false;
                return true;
            },
            30000);
        bool ready = true;
        for (TFrame2* f : links) {
            if (TTavr1Panel* p = panelOf(f))
                openWindows(p, which);
            else
                ready = false;
        }
        if (!ready) {
            state.SkipWithError("a connection did not reach its panel");
            DestroyForms();
            QDir::setCurrent(oldDir);
            break;
        }
        // Let the windows settle before measuring.
        pumpUntil([] { return false; }, 1000);

        TickWatch ticks;
        for (TFrame2* f : links)
            ticks.watch(f->Timer1);
        std::vector<int> sentBefore;
        for (const auto& u : units)
            sentBefore.push_back(u->blocksSent());
        const int target = runSeconds * blocksPerSecond;
        QElapsedTimer wall;
        const double cpuBefore = cpuSeconds();
        wall.start();
        ticks.start();
        pumpUntil(
            [&] {
                for (size_t i = 0; i < units.size(); ++i)
                    if (units[i]->blocksSent() - sentBefore[i] < target)
                        return false;
                return true;
            },
            runSeconds * 4000);
        const double cpu = cpuSeconds() - cpuBefore;
        const double wallSeconds = wall.elapsed() / 1000.0;
        const qint64 gap = ticks.maxGapMs;
        const double rss = rssMegabytes();

        // The units stop; what is on its way is still taken.
        for (const auto& u : units)
            u->stopStreaming();
        auto decoded = [&] {
            quint64 d = 0;
            for (TFrame2* f : links)
                d += f->Tavr1BlocksDecoded;
            return d;
        };
        quint64 sent = 0;
        for (const auto& u : units)
            sent += quint64(u->blocksSent());
        pumpUntil([&] { return decoded() >= sent; }, 3000);
        const quint64 got = decoded();

        state.SetIterationTime(wallSeconds);
        state.counters["cpu_pct"] = 100 * cpu / wallSeconds;
        state.counters["decoded"] = double(got);
        state.counters["sent"] = double(sent);
        state.counters["max_tick_gap_ms"] = double(gap);
        state.counters["rss_mb"] = rss;
        std::printf("case=%s frames=%d cpu_pct=%.1f decoded=%llu sent=%llu max_tick_gap_ms=%lld "
                    "rss_mb=%.0f\n",
                    caseName(which), frames, 100 * cpu / wallSeconds,
                    static_cast<unsigned long long>(got), static_cast<unsigned long long>(sent),
                    static_cast<long long>(gap), rss);
        std::fflush(stdout);

        DestroyForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        units.clear();
        QDir::setCurrent(oldDir);
    }
}

} // namespace

BENCHMARK_CAPTURE(windowLoad, rack, Windows::Rack)
    ->Arg(1)
    ->Arg(2)
    ->Arg(8)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(windowLoad, one, Windows::One)
    ->Arg(1)
    ->Arg(2)
    ->Arg(8)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(windowLoad, all, Windows::All)
    ->Arg(1)
    ->Arg(2)
    ->Arg(8)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
