// The cost of one refresh of the plot windows at their fullest: a time plot
// with 1800 points on three lines and a histogram with all 400 bins of three
// series occupied. The "Paint" variants add Qt's own drawing of the window.

#include "BenchSupport.h"
#include "common/Enums.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "plots/DataTimePlot.h"
#include "plots/Histogram.h"

#include <QCoreApplication>
#include <QPixmap>
#include <benchmark/benchmark.h>

namespace {

struct Owner
{
    Owner()
    {
        frame.RackCaption = "Rack A";
        panel.setObjectName("Rack1_TAVR1");
    }
    TChildWindowArgs args(int index)
    {
        return {&panel, &frame, QPointer<QObject>(&panel), pfTavr1, 0, index};
    }
    void setTotal(qint32 peak, qint32 average, qint32 minimum)
    {
        frame.MeasurementHistory[4][1] = peak;
        frame.MeasurementHistory[5][1] = average;
        frame.MeasurementHistory[6][1] = minimum;
    }

    TFrame2 frame{"Connect1"};
    QWidget panel;
};

void refresh(QWidget* w)
{
    PostMessage(QPointer<QObject>(w), UM_PANEL_REFRESH);
    QCoreApplication::sendPostedEvents(w);
}

void timePlot(benchmark::State& state, bool paint)
{
    Owner owner;
    auto* w = new TDataTimePlot(owner.args(0)); // Tavr-1 TOTAL: three lines
    QDateTime now(QDate(2024, 3, 9), QTime(10, 0, 0));
    w->setClock([&now] { return now; });
    w->resize(720, 440);
    if (paint)
        w->show();
    for (int i = 0; i < 1800; ++i) {
        owner.setTotal(900 + i % 200, 800 + i % 150, 700 + i % 100);
        refresh(w);
        now = now.addSecs(1);
    }
    int i = 0;
    for (auto _ : state) {
        // Each refresh closes a second, so each makes a point and redraws.
        owner.setTotal(900 + i % 200, 800 + i % 150, 700 + i % 100);
        now = now.addSecs(1);
        ++i;
        refresh(w);
        if (paint)
            benchmark::DoNotOptimize(w->grab());
    }
    if (w->total() != 1800)
        state.SkipWithError("the ring is not full");
}

// Paint: 0 none, 1 the whole window (grab), 2 what changed, as the screen
// gets it.
void histogram(benchmark::State& state, int paint)
{
    Owner owner;
    auto* w = new THistogram(owner.args(0)); // scale kind 0: 400 bins of 0.5 %
    w->resize(640, 480);
    if (paint) {
        w->show();
        for (int n = 0; n < 20; ++n)
            QCoreApplication::processEvents();
    }
    for (int v = 0; v <= 2000; v += 5)
        w->model().addSample(v, 2000 - v, (v * 7) % 2001);
    int i = 0;
    for (auto _ : state) {
        if (paint == 2) {
            // As on air: readings that jitter about their level, so the
            // axes settle and each block moves a few bins.
            owner.setTotal(1000 + (i * 7) % 41 - 20, 800 + (i * 13) % 31 - 15,
                           600 + (i * 5) % 21 - 10);
        } else {
            owner.setTotal(i % 2001, (i * 3) % 2001, (i * 11) % 2001);
        }
        ++i;
        refresh(w);
        if (paint == 1)
            benchmark::DoNotOptimize(w->grab());
        else if (paint == 2)
            QCoreApplication::processEvents(); // the chart's scene, then the screen
    }
}

void BM_TimePlotRefresh1800Points(benchmark::State& state)
{
    timePlot(state, false);
}
void BM_TimePlotRefresh1800PointsAndPaint(benchmark::State& state)
{
    timePlot(state, true);
}
void BM_HistogramRefresh400Bins(benchmark::State& state)
{
    histogram(state, 0);
}
void BM_HistogramRefresh400BinsAndPaint(benchmark::State& state)
{
    histogram(state, 1);
}
void BM_HistogramRefresh400BinsAndRepaint(benchmark::State& state)
{
    histogram(state, 2);
}

} // namespace

BENCHMARK(BM_TimePlotRefresh1800Points)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TimePlotRefresh1800PointsAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistogramRefresh400Bins)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistogramRefresh400BinsAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistogramRefresh400BinsAndRepaint)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
