// The cost of one refresh of the HD analog bar graph (seven charts) at the
// block rate: every reading changes each time. The "Paint" variant adds Qt's
// own drawing of the whole window, the "Repaint" variant only what changed,
// as the screen gets it.

#include "BenchSupport.h"
#include "common/Enums.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "vren1/HD_BarGraph.h"

#include <QCoreApplication>
#include <QPixmap>
#include <benchmark/benchmark.h>

namespace {

enum class Paint
{
    None,
    Whole,   // the whole window drawn anew (grab)
    Changed, // what changed, as the screen gets it
};

void analog(benchmark::State& state, Paint paint)
{
    TFrame2 frame{"Connect1"};
    frame.RackCaption = "Rack B";
    QWidget panel;
    panel.setObjectName("Rack1_VREN1");
    auto* w = new THDAnalogBG({&panel, &frame, QPointer<QObject>(&panel), pfVren1, 0, 9});
    if (paint != Paint::None) {
        w->show();
        // Until the window is on screen, nothing would be drawn.
        for (int n = 0; n < 20; ++n)
            QCoreApplication::processEvents();
    }
    int i = 0;
    for (auto _ : state) {
        for (int r = 1; r <= 7; ++r)
            frame.HdMeasurements[size_t(r)] = {900 + (i + r) % 200, 600 + (i * 3 + r) % 150,
                                               300 + (i * 7 + r) % 100, 40 + (i + r) % 80, 0};
        ++i;
        PostMessage(QPointer<QObject>(w), UM_HD_REFRESH);
        QCoreApplication::sendPostedEvents(w);
        if (paint == Paint::Whole)
            benchmark::DoNotOptimize(w->grab());
        else if (paint == Paint::Changed)
            QCoreApplication::processEvents(); // the charts' scenes, then the screen
    }
    delete w;
}

void BM_HdAnalogBarGraphRefresh(benchmark::State& state)
{
    analog(state, Paint::None);
}
void BM_HdAnalogBarGraphRefreshAndPaint(benchmark::State& state)
{
    analog(state, Paint::Whole);
}
void BM_HdAnalogBarGraphRefreshAndRepaint(benchmark::State& state)
{
    analog(state, Paint::Changed);
}

} // namespace

BENCHMARK(BM_HdAnalogBarGraphRefresh)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HdAnalogBarGraphRefreshAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HdAnalogBarGraphRefreshAndRepaint)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
