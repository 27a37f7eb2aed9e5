#include "plots/DataTimePlot.h"

#include "PlotTestSupport.h"
#include "TestSupport.h"
#include "common/Enums.h"
#include "widgets/ShellOpen.h"
#include "plots/PlotChartView.h"
#include "plots/PlotReadoutLabel.h"

#include <QPushButton>
#include <QUrl>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace {

// A clock the test moves by hand, so seconds pass without waiting for them.
struct TestClock
{
    QDateTime now{QDate(2024, 3, 9), QTime(10, 0, 0)};
    TDataTimePlot::Clock fn()
    {
        return [this] { return now; };
    }
    void tick() { now = now.addSecs(1); }
};

QString readout(const QWidget* w, const char* name)
{
    auto* l = w->findChild<PlotReadoutLabel*>(name);
    return l ? l->text() : QString("(missing)");
}

} // namespace

TEST(DataTimePlot, NamesCaptionAndTitles)
{
    PlotFixture fx;
    auto* w = new TDataTimePlot(fx.args(pfTavr1, 0, 5));
    EXPECT_EQ(w->objectName(), "Rack1_TAVR1_DTPlot05");
    EXPECT_EQ(w->windowTitle(), " Rack A  Tavr-1 PILOT INJ");
    EXPECT_EQ(w->chart()->title(), "Tavr-1 PILOT INJ vs Time");
    EXPECT_EQ(w->timeAxis()->titleText(), "    Seconds");
    EXPECT_EQ(w->valueAxis()->titleText(), "Percent");
    ASSERT_EQ(w->lines().size(), 1);
    EXPECT_EQ(w->lines()[0]->name(), " INJ");

    auto* noise = new TDataTimePlot(fx.args(pfTavr1, 0, 13));
    EXPECT_EQ(noise->objectName(), "Rack1_TAVR1_DTPlot13");
    EXPECT_EQ(noise->valueAxis()->titleText(), " dB");
    EXPECT_EQ(noise->lines()[0]->name(), " RMS");
}

TEST(DataTimePlot, TwoRefreshesInOneSecondMakeOnePoint)
{
    PlotFixture fx;
    TestClock clock;
    // Tavr-1 TOTAL: display mode 6, slots 4 / 5 / 6.
    auto* w = new TDataTimePlot(fx.args(pfTavr1, 0, 0));
    w->setClock(clock.fn());
    fx.setValue(4, 1000);
    PlotFixture::refresh(w); // the first refresh is a point of its own
    ASSERT_EQ(w->total(), 1);

    fx.setValue(4, 1100);
    fx.setValue(5, 900);
    fx.setValue(6, 700);
    PlotFixture::refresh(w);
    fx.setValue(4, 1050);
    fx.setValue(5, 950);
    fx.setValue(6, 650);
    PlotFixture::refresh(w);
    EXPECT_EQ(w->total(), 1) << "samples of one second are gathered";

    clock.tick();
    fx.setValue(4, 1020);
    fx.setValue(5, 1000);
    fx.setValue(6, 800);
    PlotFixture::refresh(w); // the next second's first sample closes the point
    ASSERT_EQ(w->total(), 2);
    const QList<QPointF> peak = pointsOf(w->lines()[0]);
    ASSERT_EQ(peak.size(), 2);
    EXPECT_EQ(peak[0], QPointF(0, 110.0));
    EXPECT_EQ(pointsOf(w->lines()[1])[0], QPointF(0, 95.0));
    EXPECT_EQ(pointsOf(w->lines()[2])[0], QPointF(0, 65.0));
    EXPECT_EQ(peak[1], QPointF(1, 100.0));
    EXPECT_EQ(readout(w, "PeakReadout"), "PEAK: 110.0%");
    EXPECT_EQ(readout(w, "AverageReadout"), "AVE:  95.0%");
    EXPECT_EQ(readout(w, "MinimumReadout"), "MIN:  65.0%");
    EXPECT_EQ(w->timeAxis()->min(), 0);
    EXPECT_EQ(w->timeAxis()->max(), 2);
}

TEST(DataTimePlot, After1800PointsTheOldestIsOverwritten)
{
    PlotFixture fx;
    TestClock clock;
    // Tavr-1 PILOT MOD: display mode 1, slot 20.
    auto* w = new TDataTimePlot(fx.args(pfTavr1, 0, 6));
    w->setClock(clock.fn());
    for (int i = 0; i <= 1800; ++i) {
        fx.setValue(20, i);
        PlotFixture::refresh(w);
        clock.tick();
    }
    EXPECT_EQ(w->total(), 1800);
    const QList<QPointF> peak = pointsOf(w->lines()[0]);
    ASSERT_EQ(peak.size(), 1800);
    EXPECT_EQ(peak.front(), QPointF(0, 180.0)) << "x = 0 is the newest point";
    EXPECT_EQ(peak.back(), QPointF(1799, 0.1)) << "the first point (0) is gone";
    EXPECT_EQ(w->timeAxis()->max(), 1800);
    EXPECT_LT(w->valueAxis()->min(), 0.1);
    EXPECT_GT(w->valueAxis()->max(), 180.0);
}

TEST(DataTimePlot, DisplayMode3ShowsPositiveDecibels)
{
    PlotFixture fx;
    TestClock clock;
    // Kelb-1 AM NOISE: display mode 3, slot 9.
    auto* w = new TDataTimePlot(fx.args(pfFMRack, 0, 6));
    w->setClock(clock.fn());
    fx.setValue(9, -600);
    PlotFixture::refresh(w);
    ASSERT_EQ(w->total(), 1);
    EXPECT_EQ(pointsOf(w->lines()[0])[0], QPointF(0, 60.0));
    EXPECT_EQ(readout(w, "PeakReadout"), "RMS:  60.0 dB");
    // Flat data still get a value axis with room around the line.
    EXPECT_LT(w->valueAxis()->min(), 60.0);
    EXPECT_GT(w->valueAxis()->max(), 60.0);
}

TEST(DataTimePlot, FrozenKeepsCountingAndZoomHoldsTheAxes)
{
    PlotFixture fx;
    TestClock clock;
    auto* w = new TDataTimePlot(fx.args(pfTavr1, 0, 6));
    w->setClock(clock.fn());
    for (int i = 0; i < 5; ++i, clock.tick())
        PlotFixture::refresh(w);
    w->toggleFrozen();
    for (int i = 0; i < 5; ++i, clock.tick())
        PlotFixture::refresh(w);
    EXPECT_EQ(w->total(), 10);
    EXPECT_EQ(pointsOf(w->lines()[0]).size(), 5);
    w->toggleFrozen();

    w->zoomTo(QRectF(QPointF(-10, 0), QPointF(12, 50)));
    EXPECT_TRUE(w->zoomed());
    EXPECT_EQ(w->timeAxis()->min(), 0);
    EXPECT_EQ(w->timeAxis()->max(), 30);
    EXPECT_EQ(w->valueAxis()->max(), 50);
    PlotFixture::refresh(w);
    clock.tick();
    PlotFixture::refresh(w);
    EXPECT_EQ(pointsOf(w->lines()[0]).size(), 12);
    EXPECT_EQ(w->timeAxis()->max(), 30) << "a zoomed chart keeps its axes";

    // A scroll past an initial limit is refused, not clamped.
    w->scrollBy(QPointF(-0.5, 0));
    EXPECT_EQ(w->timeAxis()->min(), 0);
    w->scrollBy(QPointF(10, 0));
    EXPECT_EQ(w->timeAxis()->min(), 10);

    w->undoZoom();
    EXPECT_FALSE(w->zoomed());
    EXPECT_EQ(w->timeAxis()->max(), 1800);

    // A zoom without height still leaves the value axis a range.
    w->zoomTo(QRectF(QPointF(0, 20), QPointF(100, 20)));
    EXPECT_LT(w->valueAxis()->min(), w->valueAxis()->max());
}

TEST(DataTimePlot, ClearAndReadoutDoubleClickResetEverything)
{
    PlotFixture fx;
    TestClock clock;
    auto* w = new TDataTimePlot(fx.args(pfTavr1, 0, 0));
    w->setClock(clock.fn());
    for (int i = 0; i < 4; ++i, clock.tick())
        PlotFixture::refresh(w);
    w->zoomTo(QRectF(QPointF(0, 0), QPointF(40, 10)));
    w->toggleFrozen();

    auto* clear = w->findChild<QPushButton*>("ClearButton");
    ASSERT_NE(clear, nullptr);
    clear->click();
    EXPECT_EQ(w->total(), 0);
    EXPECT_FALSE(w->zoomed());
    EXPECT_FALSE(w->frozen());
    for (const QLineSeries* line : w->lines())
        EXPECT_TRUE(pointsOf(line).isEmpty());

    for (int i = 0; i < 3; ++i, clock.tick())
        PlotFixture::refresh(w);
    ASSERT_EQ(w->total(), 3);
    doubleClick(w->findChild<PlotReadoutLabel*>("PeakReadout"), QPoint(2, 2));
    EXPECT_EQ(w->total(), 0);
    EXPECT_TRUE(pointsOf(w->lines()[0]).isEmpty());
}

TEST(DataTimePlot, HelpOpensThePlotPageBelowTheBaseDirectory)
{
    TempBase base;
    PlotFixture fx;
    auto* w = new TDataTimePlot(fx.args(pfTavr1, 0, 0));
    QUrl opened;
    SetShellOpenHook([&](const QUrl& url) {
        opened = url;
        return true;
    });
    auto* help = w->findChild<QPushButton*>("HelpButton");
    ASSERT_NE(help, nullptr);
    help->click();
    SetShellOpenHook({});
    EXPECT_EQ(opened, QUrl::fromLocalFile(base.path() + "/HELP/Plot_Help.htm"));
}

TEST(DataTimePlot, ClosingTellsThePanelKindAndIndex)
{
    PlotFixture fx;
    QPointer<TDataTimePlot> w = new TDataTimePlot(fx.args(pfTavr1, 0, 12));
    w->show();
    w->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    ASSERT_EQ(fx.owner.seen.size(), 1u);
    EXPECT_EQ(fx.owner.seen[0].w, 2);
    EXPECT_EQ(fx.owner.seen[0].l, 12);
}
