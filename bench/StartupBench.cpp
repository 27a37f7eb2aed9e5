// The whole program's start in a working folder, as a person starts it:
//   normal     an empty folder (the eight default CFG files are written)
//   line_ends  the same, but Connect1.CFG is 100 MB of line ends
// Each run starts the program as a process of its own (this benchmark with
// --start-child <folder> does what main() does), so the memory is that start's
// alone. shown_ms runs from the process's start until its main window is
// exposed; rss_mb is the resident memory then and peak_rss_mb the most it held
// on the way (the platform is the parent's, offscreen unless chosen). Each run
// prints one line:
//   case=<name> shown_ms=T rss_mb=M peak_rss_mb=P

#include "BenchSupport.h"
#include "app/Application.h"
#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Main.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* ChildSwitch = "--start-child";
constexpr qint64 LineEndBytes = 100LL * 1000 * 1000;

double statusMegabytes(const char* field)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').first().toDouble() /
                   1024;
    }
    return 0;
}

// The program's start in folder; prints "shown <rss> <peak>" once the main
// window is exposed, then ends as the program does.
int runChild(int argc, char** argv, const char* folder)
{
    QDir::setCurrent(QString::fromLocal8Bit(folder));
    TApplication app(argc, argv);
    CreateForms();
    Main->show();
    Connects->show();
    QElapsedTimer t;
    t.start();
    while (!(Main->windowHandle() && Main->windowHandle()->isExposed()) && t.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    std::printf("shown %.1f %.1f\n", statusMegabytes("VmRSS:"), statusMegabytes("VmHWM:"));
    std::fflush(stdout);
    DestroyForms();
    return 0;
}

bool writeLineEnds(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray chunk = QByteArray("\r\n").repeated(1 << 19);
    for (qint64 done = 0; done < LineEndBytes; done += chunk.size()) {
        if (f.write(chunk) != chunk.size())
            return false;
    }
    return true;
}

void Start(benchmark::State& state, bool lineEnds)
{
    const char* name = lineEnds ? "line_ends" : "normal";
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        if (lineEnds) {
            QDir().mkpath(dir.path() + "/CONFIG");
            if (!writeLineEnds(dir.path() + "/CONFIG/Connect1.CFG")) {
                state.SkipWithError("cannot write the CFG file");
                return;
            }
        }
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        child.start(QCoreApplication::applicationFilePath(), {ChildSwitch, dir.path()});
        QByteArray line;
        while (!line.contains('\n') && child.waitForReadyRead(60000))
            line += child.readAll();
        const double shownMs = double(t.nsecsElapsed()) / 1e6;
        state.SetIterationTime(shownMs / 1000);
        state.PauseTiming();
        child.waitForFinished(60000);
        const QList<QByteArray> f = line.trimmed().split(' ');
        if (f.size() != 3 || f[0] != "shown") {
            state.SkipWithError("the program did not show its main window");
            return;
        }
        state.counters["shown_ms"] = shownMs;
        state.counters["rss_mb"] = f[1].toDouble();
        state.counters["peak_rss_mb"] = f[2].toDouble();
        std::printf("case=%s shown_ms=%.0f rss_mb=%s peak_rss_mb=%s\n", name, shownMs,
                    f[1].constData(), f[2].constData());
        std::fflush(stdout);
        state.ResumeTiming();
    }
}

void StartNormal(benchmark::State& state)
{
    Start(state, false);
}
BENCHMARK(StartNormal)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

void StartWithLineEndCfg(benchmark::State& state)
{
    Start(state, true);
}
BENCHMARK(StartWithLineEndCfg)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], ChildSwitch) == 0)
            return runChild(argc, argv, argv[i + 1]);
    }
    return RunWindowBenchmarks(argc, argv);
}
