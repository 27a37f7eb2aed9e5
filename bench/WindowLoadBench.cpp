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
//
// The mixed case is a station's day: eight connections of every family, each
// to a simulated unit of its own at the family's rate (two Tavr1, two Vren1
// with display, an FM, a TV and an AM rack polled each half second, a Bry1),
// with the rack windows and the windows a station keeps open:
//   case=mixed frames=8 cpu_pct=X decoded=D sent=S max_tick_gap_ms=G rss_mb=M
// Decoded and sent count every block of every family (each half of an FM
// pair once). With --soak SECONDS (or TOLVEX_SOAK_SECONDS) it runs that long
// instead of 20 s, prints rss_start_mb at minute 32 (when every time plot has
// filled its 30 minutes; --soak-start SECONDS moves it for a short trial run)
// and adds rss_start_mb and rss_end_mb to its line.

#include "BenchSupport.h"
#include "app/Connects.h"
#include "app/Forms.h"
#include "common/BaseDirectory.h"
#include "common/Enums.h"
#include "data/ConnectionConfig.h"
#include "link/Frame2.h"
#include "modules/Lyn1_Panel.h"
#include "modules/RackModulePanel.h"
#include "panels/PanelChildren.h"
#include "shell/Rack.h"
#include "sim/bry1/Bry1Sim.h"
#include "sim/hd/HdSim.h"
#include "sim/rack/RackSim.h"
#include "sim/tavr1/Tavr1Sim.h"
#include "tavr1/Tavr1_Panel.h"
#include "vren1/Vren1_Panel.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// The soak length in seconds (0: the 20 s run) and when its starting
// figure is taken.
double soakSeconds = 0;
double soakStartSeconds = 32 * 60;

void writeConfig(const QString& basePath, int n, int hardwareType, quint16 port,
                 const QString& caption)
{
    const QString name = QString("Connect%1").arg(n);
    TConnectionSettings s = DefaultSettings(name, basePath);
    s.HardwareType = hardwareType;
    s.Transport = trNetwork;
    s.ConnectOnStartup = true;
    s.IpAddress = "127.0.0.1";
    s.TcpPort = port;
    s.RackCaption = caption;
    QFile cfg(basePath + "/CONFIG/" + name + ".CFG");
    cfg.open(QIODevice::WriteOnly);
    cfg.write(FormatConfigFile(s));
}

// The simulated units of the mixed case, by connection: 1, 2 Tavr1; 3, 4
// Vren1; 5 FM rack, 6 TV rack, 7 AM rack; 8 Bry1.
struct MixedUnits
{
    std::vector<std::unique_ptr<Tavr1Sim>> tavr1;
    std::vector<std::unique_ptr<HdSim>> hd;
    std::vector<std::unique_ptr<RackSim>> racks;
    std::unique_ptr<Bry1Sim> bry1;

    quint64 sent() const
    {
        quint64 n = 0;
        for (const auto& u : tavr1)
            n += quint64(u->blocksSent());
        for (const auto& u : hd)
            n += quint64(u->blocksSent());
        for (const auto& u : racks)
            n += quint64(u->unit.blocksSent());
        return n + quint64(bry1->blocksSent());
    }
    void stop()
    {
        for (const auto& u : tavr1)
            u->stopStreaming();
        for (const auto& u : hd)
            u->stopStreaming();
        for (const auto& u : racks)
            u->unit.silence = RackUnit::Silence::Polls;
        bry1->blocksBeforeSilence = bry1->blocksSent();
    }
};

quint64 decodedBy(const std::vector<TFrame2*>& links)
{
    quint64 d = 0;
    for (TFrame2* f : links)
        d += f->Tavr1BlocksDecoded + f->HdBlocksDecoded + f->RackBlocksDecoded +
             f->Bry1BlocksDecoded;
    return d;
}

TRack* rackOf(TFrame2* f)
{
    return qobject_cast<TRack*>(f->RackWindow.data());
}

// Whether connection n (1-based) has every panel its unit shows.
bool mixedReady(TFrame2* f, int n)
{
    if (n == 8)
        return f->ProcessState == 4 && f->Bry1BlocksDecoded > 0;
    TRack* r = rackOf(f);
    if (!r)
        return false;
    switch (n) {
    case 1:
    case 2:
        return r->Tavr1Panel;
    case 3:
    case 4:
        return r->Vren1Panel;
    case 5:
        return r->Kelb1Panel && r->Nuva1Panel && r->Lyn1Panel && r->Varn1Panel0 && r->Varn1Panel1 &&
               r->Jov4Panel;
    case 6:
        return r->Gry230Panel && r->Gry250Panel;
    default:
        return r->Pelo1Panel && r->Pelo2Panel;
    }
}

void openMixedWindows(TFrame2* f)
{
    TRack* r = rackOf(f);
    if (!r)
        return;
    auto trigger = [](QAction* entry) {
        if (entry)
            entry->trigger();
    };
    if (auto* p = qobject_cast<TTavr1Panel*>(r->Tavr1Panel.data())) {
        for (int kind : {t1kSpectrum, t1kBarGraph, t1kDbReadings, t1kHistogram, t1kDataTimePlot,
                         t1kRdsBasic, t1kRawData})
            trigger(p->menuEntry(kind, 0));
    }
    if (auto* p = qobject_cast<TVren1Panel*>(r->Vren1Panel.data())) {
        const std::pair<int, int> windows[] = {
            {v1kSpectrum, 0},         {v1kBarGraph, 0}, {v1kTimeAlign, 0},
            {v1kPadData, 0},          {v1kSisData, 0},  {v1kArtistExperience, 1},
            {v1kArtistExperience, 0}, {v1kSigInfo, 0},  {v1kBerData, 0}};
        for (const auto& [kind, index] : windows)
            trigger(p->menuEntry(kind, index));
    }
    auto plots = [](TPanelBase* panel, bool alarms) {
        if (auto* p = qobject_cast<TRackModulePanel*>(panel)) {
            for (int kind : {TRackModulePanel::kBarGraph, TRackModulePanel::kHistogram,
                             TRackModulePanel::kDataTimePlot})
                p->openWindow(kind, 0);
            if (alarms)
                p->openWindow(TRackModulePanel::kAlarms, 0);
        }
    };
    plots(r->Kelb1Panel, true);
    plots(r->Nuva1Panel, false);
    plots(r->Varn1Panel0, false);
    plots(r->Varn1Panel1, false);
    plots(r->Pelo1Panel, true);
    plots(r->Pelo2Panel, true);
    if (auto* p = qobject_cast<TLyn1Panel*>(r->Lyn1Panel.data())) {
        for (int kind : {TLyn1Panel::kBarGraph, TLyn1Panel::kHistogram, TLyn1Panel::kDataTimePlot,
                         TLyn1Panel::kRdsData})
            p->openWindow(kind, 0);
    }
}

void mixedLoad(benchmark::State& state)
{
    constexpr int frames = 8;
    for (auto _ : state) {
        QTemporaryDir base;
        const QString oldDir = QDir::currentPath();
        QDir::setCurrent(base.path());
        SetBaseDirectory(base.path());
        QDir().mkpath(base.path() + "/CONFIG");
        // The TV controller asks for its program: an empty one, already current.
        QDir().mkpath(base.path() + "/DLD");
        {
            QFile dld(base.path() + "/DLD/Gry230.DLD");
            dld.open(QIODevice::WriteOnly);
            dld.write("0\r\n");
        }

        MixedUnits units;
        for (int n = 1; n <= 2; ++n) {
            auto unit = std::make_unique<Tavr1Sim>();
            unit->blockIntervalMs = 1000 / blocksPerSecond;
            unit->vary = true;
            writeConfig(base.path(), n, htTavr1, unit->listenTcp(), QString("Tavr1 %1").arg(n));
            units.tavr1.push_back(std::move(unit));
        }
        for (int n = 3; n <= 4; ++n) {
            auto unit = std::make_unique<HdSim>();
            unit->lookLikeAStation();
            unit->useStationSpectrum();
            writeConfig(base.path(), n, htHDSystem, unit->listenTcp(), QString("Vren1 %1").arg(n));
            units.hd.push_back(std::move(unit));
        }
        const std::pair<int, const char*> racks[] = {
            {rkFM, "FM rack"}, {rkTV, "TV rack"}, {rkAM, "AM rack"}};
        int n = 5;
        for (const auto& [family, caption] : racks) {
            auto unit = std::make_unique<RackSim>(family);
            unit->unit.programCurrent = true;
            writeConfig(base.path(), n++, htRackSystem, unit->listenTcp(), caption);
            units.racks.push_back(std::move(unit));
        }
        units.bry1 = std::make_unique<Bry1Sim>();
        writeConfig(base.path(), 8, htBry1, units.bry1->listenTcp(), "Bry1");

        CreateForms();
        std::vector<TFrame2*> links;
        for (int i = 1; i <= frames; ++i)
            links.push_back(Connects->ConnectionByIndex(i));
        auto allReady = [&] {
            for (int i = 1; i <= frames; ++i)
                if (!mixedReady(links[size_t(i - 1)], i))
                    return false;
            return true;
        };
        pumpUntil(allReady, 60000);
        if (!allReady()) {
            state.SkipWithError("a connection did not reach its panels");
            DestroyForms();
            QDir::setCurrent(oldDir);
            break;
        }
        for (int i = 1; i <= frames; ++i)
            openMixedWindows(links[size_t(i - 1)]);
        // Let the windows settle before measuring.
        pumpUntil([] { return false; }, 1000);

        TickWatch ticks;
        for (TFrame2* f : links)
            ticks.watch(f->Timer1);
        const int target = runSeconds * blocksPerSecond;
        std::vector<int> sentBefore;
        for (const auto& u : units.tavr1)
            sentBefore.push_back(u->blocksSent());
        QElapsedTimer wall;
        const double cpuBefore = cpuSeconds();
        wall.start();
        ticks.start();
        double rssStart = -1;
        if (soakSeconds > 0) {
            pumpUntil(
                [&] {
                    if (rssStart < 0 && wall.elapsed() >= soakStartSeconds * 1000) {
                        rssStart = rssMegabytes();
                        std::printf("case=mixed rss_start_mb=%.1f\n", rssStart);
                        std::fflush(stdout);
                    }
                    return wall.elapsed() >= soakSeconds * 1000;
                },
                int(soakSeconds * 1000) + 1000);
        } else {
            pumpUntil(
                [&] {
                    for (size_t i = 0; i < units.tavr1.size(); ++i)
                        if (units.tavr1[i]->blocksSent() - sentBefore[i] < target)
                            return false;
                    return true;
                },
                runSeconds * 4000);
        }
        const double cpu = cpuSeconds() - cpuBefore;
        const double wallSeconds = wall.elapsed() / 1000.0;
        const qint64 gap = ticks.maxGapMs;
        const double rss = rssMegabytes();

        // The units stop; what is on its way is still taken.
        units.stop();
        const quint64 sent = units.sent();
        pumpUntil([&] { return decodedBy(links) >= sent; }, 3000);
        const quint64 got = decodedBy(links);

        state.SetIterationTime(wallSeconds);
        state.counters["cpu_pct"] = 100 * cpu / wallSeconds;
        state.counters["decoded"] = double(got);
        state.counters["sent"] = double(sent);
        state.counters["max_tick_gap_ms"] = double(gap);
        state.counters["rss_mb"] = rss;
        std::printf("case=mixed frames=%d cpu_pct=%.1f decoded=%llu sent=%llu max_tick_gap_ms=%lld "
                    "rss_mb=%.0f",
                    frames, 100 * cpu / wallSeconds, static_cast<unsigned long long>(got),
                    static_cast<unsigned long long>(sent), static_cast<long long>(gap), rss);
        if (soakSeconds > 0) {
            if (rssStart >= 0)
                std::printf(" rss_start_mb=%.1f", rssStart);
            std::printf(" rss_end_mb=%.1f", rss);
        }
        std::printf("\n");
        std::fflush(stdout);

        DestroyForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QDir::setCurrent(oldDir);
    }
}

// Takes --soak SECONDS and --soak-start SECONDS out of the arguments (the
// benchmark library refuses what it does not know); a soak runs the mixed
// case only.
std::vector<char*> takeSoakArguments(int argc, char** argv)
{
    std::vector<char*> rest;
    if (const QByteArray env = qgetenv("TOLVEX_SOAK_SECONDS"); !env.isEmpty())
        soakSeconds = env.toDouble();
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--soak") == 0 && i + 1 < argc)
            soakSeconds = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--soak-start") == 0 && i + 1 < argc)
            soakStartSeconds = std::atof(argv[++i]);
        else
            rest.push_back(argv[i]);
    }
    return rest;
}

} // namespace

BENCHMARK(mixedLoad)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
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
    std::vector<char*> args = takeSoakArguments(argc, argv);
    static char soakFilter[] = "--benchmark_filter=mixedLoad";
    if (soakSeconds > 0)
        args.push_back(soakFilter);
    int count = int(args.size());
    args.push_back(nullptr);
    return RunWindowBenchmarks(count, args.data());
}
