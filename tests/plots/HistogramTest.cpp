#include "plots/Histogram.h"

#include "PlotTestSupport.h"
#include "common/Enums.h"
#include "plots/PlotChartView.h"
#include "plots/PlotReadoutLabel.h"

#include <QLegend>
#include <QValueAxis>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Tavr-1 TOTAL: scale kind 0 (400 bins of 0.5 %), display mode 6, slots 4 / 5 / 6.
constexpr int total = 0;

QString readout(const QWidget* w, const char* name)
{
    auto* l = w->findChild<PlotReadoutLabel*>(name);
    return l ? l->text() : QString("(missing)");
}

// The largest bar of a series' outline.
double tallest(const QAreaSeries* s)
{
    double most = 0;
    for (const QPointF& p : outlineOf(s))
        most = std::max(most, p.x());
    return most;
}

} // namespace

TEST(Histogram, NamesCaptionAndTitles)
{
    PlotFixture fx;
    auto* w = new THistogram(fx.args(pfTavr1, 0, 7));
    EXPECT_EQ(w->objectName(), "Rack1_TAVR1_HistPlot07");
    EXPECT_EQ(w->windowTitle(), " Rack A  Tavr-1 RDS INJ");
    EXPECT_EQ(w->chartTitle(), "Tavr-1 RDS INJ Histogram");
    EXPECT_EQ(w->valueAxis()->titleText(), "Percent");
    ASSERT_EQ(w->bars().size(), 1);
    EXPECT_EQ(w->bars()[0]->name(), " INJ");
    EXPECT_FALSE(w->chart()->legend()->isVisible());

    auto* t = new THistogram(fx.args(pfTavr1, 0, total));
    EXPECT_EQ(t->objectName(), "Rack1_TAVR1_HistPlot00");
    ASSERT_EQ(t->bars().size(), 3);
    EXPECT_TRUE(t->chart()->legend()->isVisible());
    EXPECT_EQ(t->bars()[2]->color(), QColor(Qt::yellow));
}

TEST(Histogram, OneSamplePerRefreshWithReadoutsAndTitles)
{
    PlotFixture fx;
    auto* w = new THistogram(fx.args(pfTavr1, 0, total));
    w->resize(640, 480);
    fx.frame.LastBlockTime = QDateTime(QDate(2024, 3, 9), QTime(14, 5, 7));
    fx.setValue(4, 1000);
    fx.setValue(5, 995);
    fx.setValue(6, -20);
    PlotFixture::refresh(w);
    PlotFixture::refresh(w);
    EXPECT_EQ(w->total(), 2);
    EXPECT_EQ(readout(w, "PeakReadout"), "PEAK: 100.0%");
    EXPECT_EQ(readout(w, "AverageReadout"), "AVE:  99.5%");
    EXPECT_EQ(readout(w, "MinimumReadout"), "MIN:   0.0%");
    EXPECT_EQ(w->stampTitle(), "2024-03-09 14:05:07  % Distribution");
    EXPECT_EQ(w->chartTitle(), "Tavr-1 TOTAL Histogram  - Infinite: 00:00:01");
    // Every sample in one bin: the bar is 100 % of the samples.
    EXPECT_DOUBLE_EQ(tallest(w->bars()[0]), 100);
    EXPECT_EQ(w->model().count(2, 0), 2) << "a negative minimum counts at 0";

    // The readouts sit in the 25 pixels under the chart.
    w->show();
    QCoreApplication::processEvents();
    auto* row = w->findChild<QWidget*>("ReadoutPanel");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->height(), 25);
    EXPECT_EQ(w->chartView()->geometry().bottom() + 1, row->geometry().top());
}

TEST(Histogram, AgeingAfter172801SamplesKeepsTheBars)
{
    PlotFixture fx;
    auto* w = new THistogram(fx.args(pfTavr1, 0, total));
    // Two days of samples, three quarters at 50 %, a quarter at 80 %.
    for (int i = 0; i < 172799; ++i)
        w->model().addSample(i % 4 == 3 ? 800 : 500, 500, 500);
    fx.setValue(4, 500);
    fx.setValue(5, 500);
    fx.setValue(6, 500);
    PlotFixture::refresh(w); // the 172,800th
    EXPECT_EQ(w->total(), 172800);
    EXPECT_TRUE(w->chartTitle().endsWith("24:00:00"));
    const double before = tallest(w->bars()[0]);

    PlotFixture::refresh(w); // the 172,801st
    EXPECT_EQ(w->total(), 100);
    EXPECT_EQ(w->chartTitle(), "Tavr-1 TOTAL Histogram  - Infinite: 00:00:50");
    EXPECT_NEAR(tallest(w->bars()[0]), before, 0.5);
    EXPECT_NEAR(before, 75, 0.01);
}

TEST(Histogram, TheTopReadingCountsInTheBinOf2000)
{
    PlotFixture fx;
    // Tavr-1 PILOT INJ: scale kind 2, one bin per tenth, slot 19.
    auto* w = new THistogram(fx.args(pfTavr1, 0, 5));
    fx.setValue(19, 2500);
    PlotFixture::refresh(w);
    EXPECT_EQ(w->model().count(0, 2000), 1);
    EXPECT_EQ(w->total(), 1);
    EXPECT_EQ(readout(w, "PeakReadout"), "RMS: 200.0%");
}

// After a stall the link decodes every waiting block on one tick and the
// window hears of them in one refresh: each block is still a sample.
TEST(Histogram, EveryBlockCountsThoughTheirRefreshesAreCoalesced)
{
    PlotFixture fx;
    // Tavr-1 PILOT INJ: scale kind 2, one bin per tenth, slot 19.
    auto* w = new THistogram(fx.args(pfTavr1, 0, 5));
    const QDateTime start(QDate(2024, 3, 9), QTime(14, 5, 7));
    auto block = [&](qint32 value, int ms) {
        fx.frame.LastBlockTime = start.addMSecs(ms);
        fx.setValue(19, value);
        emit fx.frame.measurementDecoded();
    };
    block(100, 0);
    block(200, 125);
    EXPECT_EQ(w->total(), 2) << "counted as the blocks arrive";
    PlotFixture::refresh(w);
    EXPECT_EQ(w->total(), 2) << "the refresh only draws";
    EXPECT_EQ(w->model().count(0, 100), 1);
    EXPECT_EQ(w->model().count(0, 200), 1);
    EXPECT_EQ(outlineOf(w->bars()[0]).size(), 8) << "both bins drawn";
    EXPECT_NEAR(tallest(w->bars()[0]), 50, 1e-9);
    EXPECT_EQ(readout(w, "PeakReadout"), "RMS:  20.0%") << "the readout shows the newest";

    // Refreshes without a block count nothing, frozen or not; a block counts
    // while frozen.
    PlotFixture::refresh(w);
    w->toggleFrozen();
    block(200, 250);
    PlotFixture::refresh(w);
    EXPECT_EQ(w->total(), 3);
    EXPECT_EQ(w->model().count(0, 200), 2);
    EXPECT_NEAR(tallest(w->bars()[0]), 50, 1e-9) << "frozen bars stay as they were";
}

TEST(Histogram, FrozenStillCountsAndDrawsAgainWhenThawed)
{
    PlotFixture fx;
    auto* w = new THistogram(fx.args(pfTavr1, 0, total));
    w->resize(640, 480);
    w->show();
    QCoreApplication::processEvents();
    fx.setValue(4, 1000);
    PlotFixture::refresh(w);
    const QList<QPointF> drawn = outlineOf(w->bars()[0]);

    doubleClick(w->chartView()->viewport(), w->chartView()->viewport()->rect().center());
    ASSERT_TRUE(w->frozen());
    fx.setValue(4, 1500);
    PlotFixture::refresh(w);
    PlotFixture::refresh(w);
    EXPECT_EQ(w->total(), 3);
    EXPECT_EQ(outlineOf(w->bars()[0]), drawn) << "frozen bars stay as they were";

    doubleClick(w->chartView()->viewport(), w->chartView()->viewport()->rect().center());
    ASSERT_FALSE(w->frozen());
    PlotFixture::refresh(w);
    EXPECT_EQ(outlineOf(w->bars()[0]).size(), 8) << "both bins drawn";
    EXPECT_NEAR(tallest(w->bars()[0]), 75, 1e-9);
}

TEST(Histogram, DoubleClickOnAReadoutResetsEverything)
{
    PlotFixture fx;
    auto* w = new THistogram(fx.args(pfTavr1, 0, total));
    fx.setValue(4, 1000);
    PlotFixture::refresh(w);
    w->zoomTo(QRectF(QPointF(0, 90), QPointF(50, 110)));
    w->toggleFrozen();
    ASSERT_TRUE(w->zoomed());
    auto* label = w->findChild<PlotReadoutLabel*>("AverageReadout");
    ASSERT_NE(label, nullptr);
    doubleClick(label, QPoint(2, 2));
    EXPECT_EQ(w->total(), 0);
    EXPECT_FALSE(w->zoomed());
    EXPECT_FALSE(w->frozen());
    for (const QAreaSeries* bar : w->bars())
        EXPECT_TRUE(outlineOf(bar).isEmpty());
    EXPECT_EQ(w->model().count(0, 200), 0);
}

TEST(Histogram, ScaleKindsWithoutBinsCountAndDrawNothing)
{
    PlotFixture fx;
    // Vren-1 Device Delay: scale kind 8.
    auto* w = new THistogram(fx.args(pfVren1, 0, 45));
    fx.setValue(204, 1234);
    PlotFixture::refresh(w);
    PlotFixture::refresh(w);
    EXPECT_EQ(w->total(), 0);
    EXPECT_TRUE(outlineOf(w->bars()[0]).isEmpty());
    EXPECT_TRUE(std::isfinite(w->valueAxis()->max()));
    EXPECT_LT(w->valueAxis()->min(), w->valueAxis()->max());
    EXPECT_TRUE(w->chartTitle().endsWith("00:00:00"));
}

TEST(Histogram, AxesFollowTheDataButNeverCollapse)
{
    PlotFixture fx;
    auto* w = new THistogram(fx.args(pfTavr1, 0, total));
    fx.setValue(4, 1000);
    fx.setValue(5, 1000);
    fx.setValue(6, 1000);
    for (int i = 0; i < 100; ++i)
        PlotFixture::refresh(w);
    EXPECT_GE(w->valueAxis()->max() - w->valueAxis()->min(), 1 - 1e-9);
    EXPECT_NEAR(w->valueAxis()->min(), 100, 1e-6);
    EXPECT_NEAR(w->percentAxis()->max(), 100, 1e-6);
    EXPECT_EQ(w->percentAxis()->min(), 0);
}

TEST(Histogram, ZoomHoldsTheAxesUntilUndone)
{
    PlotFixture fx;
    auto* w = new THistogram(fx.args(pfTavr1, 0, total));
    fx.setValue(4, 1000);
    PlotFixture::refresh(w);
    w->zoomTo(QRectF(QPointF(-5, 0.5), QPointF(2, 40)));
    EXPECT_TRUE(w->zoomed());
    EXPECT_EQ(w->percentAxis()->min(), 0);
    EXPECT_EQ(w->percentAxis()->max(), 5);
    EXPECT_EQ(w->valueAxis()->min(), 0);
    EXPECT_EQ(w->valueAxis()->max(), 40);
    PlotFixture::refresh(w);
    EXPECT_EQ(w->valueAxis()->max(), 40) << "a zoomed chart does not follow the data";

    // Scrolling stops at the initial limits.
    w->scrollBy(QPointF(-1, -1));
    EXPECT_EQ(w->valueAxis()->min(), 0);
    EXPECT_EQ(w->percentAxis()->min(), 0);
    w->scrollBy(QPointF(2, 10));
    EXPECT_EQ(w->valueAxis()->min(), 10);
    EXPECT_EQ(w->percentAxis()->min(), 2);

    w->undoZoom();
    EXPECT_FALSE(w->zoomed());
    EXPECT_EQ(w->valueAxis()->min(), 0);
    EXPECT_EQ(w->valueAxis()->max(), 201);
    EXPECT_EQ(w->percentAxis()->max(), 100);
}

TEST(Histogram, ClosingTellsThePanelKindAndIndex)
{
    PlotFixture fx;
    QPointer<THistogram> w = new THistogram(fx.args(pfTavr1, 0, 11));
    w->show();
    w->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    ASSERT_EQ(fx.owner.seen.size(), 1u);
    EXPECT_EQ(fx.owner.seen[0].msg, UM_CHILD_CLOSED);
    EXPECT_EQ(fx.owner.seen[0].w, 1);
    EXPECT_EQ(fx.owner.seen[0].l, 11);
}

namespace {

struct ColourExtent
{
    int rows = 0;
    int right = -1;
};

// Rows of the plot area with at least one pixel of the colour (the legend's
// markers lie outside it), and the rightmost column of it.
ColourExtent extentOf(QWidget* view, QRect plot, QColor fill, QColor border)
{
    const QImage img = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ColourExtent e;
    plot &= img.rect();
    for (int y = plot.top(); y <= plot.bottom(); ++y) {
        bool any = false;
        for (int x = plot.left(); x <= plot.right(); ++x) {
            const QColor c(img.pixel(x, y));
            if (c == fill || c == border) {
                any = true;
                e.right = std::max(e.right, x);
            }
        }
        e.rows += any;
    }
    return e;
}

} // namespace

// A steady reading fills one bin of each series. On an axis that spans many
// bins (the series far apart) each bar is still a bar, reaching the 100 %
// edge, not a line a pixel thin.
TEST(Histogram, ASteadyReadingShowsEveryFullBinAsABar)
{
    const struct
    {
        const char* what;
        int index;     // the Tavr-1 measurement
        int inputs[3]; // the slots of peak, average, minimum
        qint32 values[3];
        int rows; // at least, of each series; neighbouring bins overlap
    } cases[] = {
        {"three series far apart", total, {4, 5, 6}, {1000, 500, 0}, 3},
        {"neighbouring bins", total, {4, 5, 6}, {1000, 995, 0}, 1},
        {"the top bin and the bottom one", total, {4, 5, 6}, {2000, 1990, 0}, 1},
        {"one series in the top bin", 5, {19, -1, -1}, {255, 0, 0}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PlotFixture fx;
        auto* w = new THistogram(fx.args(pfTavr1, 0, c.index));
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->resize(640, 480);
        w->show();
        QCoreApplication::processEvents();
        for (int i = 0; i < 3; ++i)
            if (c.inputs[i] >= 0)
                fx.setValue(c.inputs[i], c.values[i]);
        // Long enough for the axes to settle on the data.
        for (int i = 0; i < 60; ++i)
            PlotFixture::refresh(w);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        const QRect plot = w->chartView()
                               ->mapFromScene(w->chart()->mapRectToScene(w->chart()->plotArea()))
                               .boundingRect();
        for (int s = 0; s < int(w->bars().size()); ++s) {
            SCOPED_TRACE(s);
            const ColourExtent e =
                extentOf(w->chartView(), plot, w->bars()[s]->color(), w->bars()[s]->borderColor());
            EXPECT_GE(e.rows, c.rows);
            EXPECT_GE(e.right, int(plot.right()) - 2) << "a full bin reaches the 100 % edge";
        }
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
