#include "plots/BarGraph.h"
#include "plots/Histogram.h"

#include "PlotTestSupport.h"
#include "common/Enums.h"
#include "plots/PlotChartView.h"
#include "plots/PlotPrint.h"
#include "plots/PlotReadoutLabel.h"

#include <QAction>
#include <QLegend>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace {

// Nuva-1 L + R: scale kind 1, display mode 0, slots 265 / 266 / 267.
constexpr int nuva1 = 1;
constexpr int lPlusR = 3;

const char* const readoutNames[] = {"PeakReadout", "AverageReadout", "MinimumReadout"};

QStringList readoutTexts(const TBarGraph* w)
{
    QStringList texts;
    for (const PlotReadoutLabel* l : w->readouts())
        texts << l->text();
    return texts;
}

double barEndOf(const QAreaSeries* s)
{
    const QList<QPointF> o = outlineOf(s);
    return o.size() == 4 ? o[1].x() : qQNaN();
}

} // namespace

TEST(BarGraph, NamesCaptionAndTitles)
{
    PlotFixture fx;
    fx.panel.setObjectName("Rack1_NUVA1");
    auto* w = new TBarGraph(fx.args(pfFMRack, nuva1, lPlusR));
    EXPECT_EQ(w->objectName(), "Rack1_NUVA1_BarPlot3");
    EXPECT_EQ(w->windowTitle(), " Rack A  Nuva-1 L + R");
    EXPECT_EQ(w->chart()->title(), "Nuva-1 L + R Bar Graph");
    EXPECT_EQ(w->valueAxis()->titleText(), "Percent");
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), &fx.panel);
    ASSERT_EQ(w->bars().size(), 3);
    EXPECT_EQ(w->bars()[0]->name(), " PEAK");
    EXPECT_EQ(w->bars()[1]->name(), " AVE ");
    EXPECT_EQ(w->bars()[2]->name(), " MIN ");
    EXPECT_EQ(w->bars()[0]->color(), QColor(Qt::red));
    EXPECT_EQ(w->bars()[1]->color(), QColor(0, 255, 0));
    EXPECT_EQ(w->bars()[2]->color(), QColor(Qt::yellow));
    // The readouts are labels under the chart, each beside its bar's colour.
    ASSERT_EQ(w->readouts().size(), 3);
    for (int i = 0; i < 3; ++i) {
        const PlotReadoutLabel* label = w->findChild<PlotReadoutLabel*>(readoutNames[i]);
        ASSERT_EQ(label, w->readouts()[i]);
        EXPECT_TRUE(label->isVisibleTo(w));
        EXPECT_EQ(label->text(), w->bars()[i]->name());
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        const QWidget* swatch = w->findChild<QWidget*>(QString("Swatch%1").arg(i + 1));
        ASSERT_NE(swatch, nullptr);
        EXPECT_EQ(swatch->palette().color(QPalette::Window), w->bars()[i]->color());
    }
}

TEST(BarGraph, RefreshClampsAndWritesTheReadoutsIntoTheLegend)
{
    PlotFixture fx;
    auto* w = new TBarGraph(fx.args(pfFMRack, nuva1, lPlusR));
    fx.setValue(265, 2500);
    fx.setValue(266, 995);
    fx.setValue(267, -5);
    PlotFixture::refresh(w);
    EXPECT_EQ(w->bars()[0]->name(), "PEAK 200.0%");
    EXPECT_EQ(w->bars()[1]->name(), "AVE   99.5%");
    EXPECT_EQ(w->bars()[2]->name(), "MIN    0.0%");
    EXPECT_EQ(readoutTexts(w), (QStringList{"PEAK 200.0%", "AVE   99.5%", "MIN    0.0%"}));
    EXPECT_DOUBLE_EQ(barEndOf(w->bars()[0]), 200.0);
    EXPECT_DOUBLE_EQ(barEndOf(w->bars()[1]), 99.5);
    EXPECT_DOUBLE_EQ(barEndOf(w->bars()[2]), 0.0);

    // Only the panel's refresh with lParam 0 redraws.
    fx.setValue(265, 100);
    PlotFixture::refresh(w, UM_TAVR1_REFRESH);
    PlotFixture::refresh(w, UM_PANEL_REFRESH, 1);
    EXPECT_EQ(w->bars()[0]->name(), "PEAK 200.0%");
    EXPECT_EQ(w->readouts()[0]->text(), "PEAK 200.0%");
    PlotFixture::refresh(w);
    EXPECT_EQ(w->bars()[0]->name(), "PEAK  10.0%");
    EXPECT_EQ(w->readouts()[0]->text(), "PEAK  10.0%");
}

TEST(BarGraph, DecibelBarsStartAtMinus90AndShowNoNegativeZero)
{
    PlotFixture fx;
    // Kelb-1 AM NOISE: scale kind 3, display mode 3, slot 9.
    auto* w = new TBarGraph(fx.args(pfFMRack, 0, 6));
    EXPECT_EQ(w->valueAxis()->titleText(), " dB");
    ASSERT_EQ(w->bars().size(), 1);
    fx.setValue(9, 600);
    PlotFixture::refresh(w);
    EXPECT_EQ(w->bars()[0]->name(), "RMS -60.0dB");
    const QList<QPointF> o = outlineOf(w->bars()[0]);
    ASSERT_EQ(o.size(), 4);
    EXPECT_DOUBLE_EQ(o[0].x(), -90);
    EXPECT_DOUBLE_EQ(o[1].x(), -60);
    fx.setValue(9, 0);
    PlotFixture::refresh(w);
    EXPECT_EQ(w->bars()[0]->name(), "RMS   0.0dB");
    // A single-series graph still shows its readout.
    ASSERT_EQ(w->readouts().size(), 1);
    EXPECT_TRUE(w->readouts()[0]->isVisibleTo(w));
    EXPECT_EQ(w->readouts()[0]->text(), "RMS   0.0dB");
}

TEST(BarGraph, PhaseShowsTheUnitsMarksAndNegativePhases)
{
    PlotFixture fx;
    // Lyn-1 RDS PHASE: scale kind 5, display mode 4, slot 770.
    auto* w = new TBarGraph(fx.args(pfFMRack, 2, 2));
    EXPECT_EQ(w->valueAxis()->min(), -30);
    EXPECT_EQ(w->valueAxis()->max(), 30);
    struct Case
    {
        qint32 raw;
        const char* readout;
        double end;
    } cases[] = {
        {255, "   *.* DEG", 30},   {-255, "   *.* DEG", -30}, {127, "  +*.* DEG", 30},
        {-127, "  -*.* DEG", -30}, {-12, " -12.0 DEG", -12},  {7, "   7.0 DEG", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.raw);
        fx.setValue(770, c.raw);
        PlotFixture::refresh(w);
        EXPECT_EQ(w->bars()[0]->name(), c.readout);
        EXPECT_EQ(w->readouts()[0]->text(), c.readout);
        EXPECT_DOUBLE_EQ(barEndOf(w->bars()[0]), c.end);
        EXPECT_DOUBLE_EQ(outlineOf(w->bars()[0])[0].x(), -30);
    }
}

TEST(BarGraph, ASeriesWithAnAverageButNoMinimumIsRead)
{
    PlotFixture fx;
    // Vren-1 Level Align: peak 200, average 201, no minimum.
    auto* w = new TBarGraph(fx.args(pfVren1, 0, 43));
    ASSERT_EQ(w->series().Minimum, nullptr);
    fx.setValue(200, 120);
    PlotFixture::refresh(w);
    EXPECT_FALSE(w->bars()[0]->name().isEmpty());
    // And a window whose series is unknown draws zeros.
    auto* none = new TBarGraph(fx.args(pfFMRack, 0, 9));
    EXPECT_FALSE(none->series().Found);
    PlotFixture::refresh(none);
    EXPECT_DOUBLE_EQ(barEndOf(none->bars()[0]), 0);
}

TEST(BarGraph, ZoomWidensTheBarAxisAndLeavesTheValueAxis)
{
    PlotFixture fx;
    auto* w = new TBarGraph(fx.args(pfFMRack, nuva1, lPlusR));
    const AxisRange values{w->valueAxis()->min(), w->valueAxis()->max()};
    w->zoomTo(QRectF(QPointF(20, 1), QPointF(60, 3)));
    EXPECT_EQ(w->barAxis()->min(), 0);
    EXPECT_EQ(w->barAxis()->max(), 5);
    EXPECT_EQ(w->valueAxis()->min(), values.min);
    EXPECT_EQ(w->valueAxis()->max(), values.max);
    // The bar axis cannot be scrolled past its initial limits.
    w->undoZoom();
    w->scrollBy(QPointF(5, 0.5));
    EXPECT_EQ(w->barAxis()->min(), 0);
    EXPECT_EQ(w->barAxis()->max(), 3);
    EXPECT_EQ(w->valueAxis()->min(), values.min);
}

TEST(BarGraph, ClosingTellsThePanelKindAndChannel)
{
    PlotFixture fx;
    QPointer<TBarGraph> w = new TBarGraph(fx.args(pfFMRack, nuva1, lPlusR));
    w->show();
    w->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    ASSERT_EQ(fx.owner.seen.size(), 1u);
    EXPECT_EQ(fx.owner.seen[0].msg, UM_CHILD_CLOSED);
    EXPECT_EQ(fx.owner.seen[0].w, 0);
    EXPECT_EQ(fx.owner.seen[0].l, lPlusR);
}

TEST(BarGraph, OnlyTheHistogramPrints)
{
    PlotFixture fx;
    auto* bar = new TBarGraph(fx.args(pfFMRack, nuva1, lPlusR));
    EXPECT_EQ(bar->findChild<QAction*>("Print1"), nullptr);
    auto* w = new THistogram(fx.args(pfFMRack, nuva1, lPlusR));
    PlotChartView* printed = nullptr;
    QString job;
    SetPlotPrintSink([&](PlotChartView& view, const QString& name) {
        printed = &view;
        job = name;
    });
    auto* item = w->findChild<QAction*>("Print1");
    ASSERT_NE(item, nullptr);
    item->trigger();
    SetPlotPrintSink({});
    EXPECT_EQ(printed, w->chartView());
    EXPECT_EQ(job, w->chart()->title());
}
