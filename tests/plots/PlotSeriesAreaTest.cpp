// The lines of the time plot and the bars of the histogram are drawn by an
// area of their own over the chart. It must draw what the chart itself would,
// pixel for pixel, and repaint all that changed on screen.
#include "plots/PlotSeriesArea.h"

#include "PlotTestSupport.h"
#include "common/Enums.h"
#include "plots/BarGraph.h"
#include "plots/ChartKit.h"
#include "plots/DataTimePlot.h"
#include "plots/Histogram.h"
#include "plots/PlotChartView.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QValueAxis>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <type_traits>

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
// Tavr-1 TOTAL: three series.
constexpr int total = 0;
// Nuva-1 L+R: three bars.
constexpr int nuva1 = 1;
constexpr int lPlusR = 3;

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

QImage image(QWidget* w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRegion differences(const QImage& a, const QImage& b)
{
    QRegion r;
    if (a.size() != b.size())
        return QRect(QPoint(0, 0), a.size().expandedTo(b.size()));
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                r += QRect(x, y, 1, 1);
    return r;
}

// The same series drawn by the chart itself: its twins take the points and
// the area is taken away.
template <class Window>
void drawByTheChart(Window* w, const QList<QList<QPointF>>& series)
{
    w->seriesArea()->hide();
    const QList<QAbstractSeries*> twins = w->chart()->series();
    ASSERT_EQ(twins.size(), series.size());
    for (int i = 0; i < twins.size(); ++i) {
        if (auto* area = qobject_cast<QAreaSeries*>(twins[i]))
            area->upperSeries()->replace(series[i]);
        else
            qobject_cast<QXYSeries*>(twins[i])->replace(series[i]);
    }
}

void drawByTheArea(TDataTimePlot* w, const QList<QList<QPointF>>& series)
{
    for (int i = 0; i < w->lines().size(); ++i)
        w->lines()[i]->replace(series[i]);
}

template <class Window>
void drawByTheArea(Window* w, const QList<QList<QPointF>>& series)
{
    for (int i = 0; i < w->bars().size(); ++i)
        setOutline(w->bars()[i], series[i]);
}

struct Scale
{
    double xMin, xMax, xStep, yMin, yMax, yStep;
};

template <class Window>
std::unique_ptr<Window> open(PlotFixture& fx, Scale s, QSize size)
{
    // The rack's bar graph shows a Nuva-1 measurement; the others Tavr-1 TOTAL.
    const bool rack = std::is_same_v<Window, TBarGraph>;
    auto w = std::make_unique<Window>(rack ? fx.args(pfFMRack, nuva1, lPlusR)
                                           : fx.args(pfTavr1, 0, total));
    setFixedAxis(qobject_cast<QValueAxis*>(w->chart()->axes(Qt::Horizontal).value(0)), s.xMin,
                 s.xMax, s.xStep);
    setFixedAxis(qobject_cast<QValueAxis*>(w->chart()->axes(Qt::Vertical).value(0)), s.yMin,
                 s.yMax, s.yStep);
    w->resize(size);
    w->show();
    settle();
    return w;
}

// Draws the series both ways in two windows alike and returns where they differ.
template <class Window>
QRegion compare(Scale s, QSize size, const QList<QList<QPointF>>& series)
{
    PlotFixture fx;
    auto ours = open<Window>(fx, s, size);
    auto theirs = open<Window>(fx, s, size);
    drawByTheArea(ours.get(), series);
    drawByTheChart(theirs.get(), series);
    settle();
    return differences(image(ours->chartView()), image(theirs->chartView()));
}

QList<QPointF> wave(int n, double step, double level, double swing)
{
    QList<QPointF> points;
    for (int i = 0; i < n; ++i)
        points << QPointF(i * step, level + swing * std::sin(i * 0.37) + (i % 7) * swing / 9);
    return points;
}

// A histogram's outline: a bar of the given length on each bin from lo on.
QList<QPointF> stairs(double lo, double bin, const QList<double>& lengths)
{
    QList<QPointF> outline;
    for (int i = 0; i < lengths.size(); ++i) {
        outline << QPointF(0, lo + i * bin) << QPointF(lengths[i], lo + i * bin)
                << QPointF(lengths[i], lo + (i + 1) * bin) << QPointF(0, lo + (i + 1) * bin);
    }
    return outline;
}

} // namespace

TEST(PlotSeriesArea, TheTimePlotsLinesLookAsTheChartDrewThem)
{
    const Scale scale{0, 60, 10, 0, 100, 10};
    const struct
    {
        const char* what;
        QList<QList<QPointF>> lines;
    } cases[] = {
        {"no points", {{}, {}, {}}},
        {"one point", {{{0, 50}}, {}, {{30, 20}}}},
        {"within the scale", {wave(61, 1, 60, 20), wave(61, 1, 40, 10), wave(61, 1, 20, 15)}},
        {"along every edge",
         {{{0, 0}, {60, 0}}, {{0, 100}, {60, 100}}, {{0, 0}, {0, 100}, {60, 100}, {60, 0}}}},
        {"past either end",
         {{{-10, 150}, {20, -50}, {70, 50}}, {{0, 1e9}, {30, -1e9}, {60, 50}}, {{61, 10}, {90, 90}}}},
        {"values that are not finite",
         {{{0, 10}, {10, notANumber}, {20, 30}, {30, 40}}, {{0, 50}, {10, inf}, {20, 60}, {30, 70}},
          {{0, 80}, {10, -inf}, {20, 90}, {notANumber, 95}, {40, 85}, {50, 75}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(compare<TDataTimePlot>(scale, QSize(720, 440), c.lines).boundingRect(), QRect());
    }
    // 1,800 points, on plot areas whose edges fall at every fraction of a pixel.
    const QList<QList<QPointF>> full = {wave(1800, 1, 80, 15), wave(1800, 1, 50, 25),
                                        wave(1800, 1, 20, 10)};
    for (int width = 700; width < 712; width += 3) {
        SCOPED_TRACE(width);
        EXPECT_EQ(compare<TDataTimePlot>({0, 1800, 60, 0, 100, 10}, QSize(width, 431 + width % 5),
                                         full)
                      .boundingRect(),
                  QRect());
    }
}

TEST(PlotSeriesArea, TheHistogramsBarsLookAsTheChartDrewThem)
{
    const Scale scale{0, 100, 5, 0, 200, 10};
    const struct
    {
        const char* what;
        QList<QList<QPointF>> bars;
    } cases[] = {
        {"no bars", {{}, {}, {}}},
        {"one bar", {stairs(100, 0.5, {50}), {}, {}}},
        {"within the scale",
         {stairs(20, 0.5, {3, 40, 12.5, 0, 7}), stairs(120, 0.5, {33.3, 66.7}),
          stairs(60, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10})}},
        {"past either end",
         {stairs(190, 5, {150, 20, 40}), stairs(-20, 5, {10, 30, 20, 10, 5}), stairs(-30, 1, {200})}},
        {"values that are not finite",
         {stairs(20, 1, {10, notANumber, 30}), stairs(60, 1, {inf, 20}), stairs(notANumber, 1, {40})}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(compare<THistogram>(scale, QSize(640, 480), c.bars).boundingRect(), QRect());
    }
    QList<double> lengths;
    for (int i = 0; i < 400; ++i)
        lengths << std::fmod(i * 7.31, 97);
    const QList<QList<QPointF>> full = {stairs(0, 0.5, lengths), stairs(0.25, 0.5, lengths.mid(3)),
                                        stairs(0.1, 0.5, lengths.mid(11))};
    for (int width = 630; width < 642; width += 3) {
        SCOPED_TRACE(width);
        EXPECT_EQ(compare<THistogram>(scale, QSize(width, 471 + width % 7), full).boundingRect(),
                  QRect());
    }
}

// The rack's bar graph: a bar for each reading, from the scale's origin.
TEST(PlotSeriesArea, TheBarGraphsBarsLookAsTheChartDrewThem)
{
    const Scale scale{0, 125, 10, 0, 3, 1};
    auto bar = [](int i, double from, double to) {
        return horizontalBar(from, to, 2.1 - i, 2.9 - i);
    };
    const struct
    {
        const char* what;
        QList<QList<QPointF>> bars;
    } cases[] = {
        {"no bars", {{}, {}, {}}},
        {"one bar", {bar(0, 0, 60), {}, {}}},
        {"within the scale", {bar(0, 0, 99.5), bar(1, 0, 42.25), bar(2, 0, 0.3)}},
        {"past either end", {bar(0, 0, 200), bar(1, 0, -20), bar(2, -30, 130)}},
        {"values that are not finite", {bar(0, 0, notANumber), bar(1, 0, inf), bar(2, 0, -inf)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(compare<TBarGraph>(scale, QSize(520, 300), c.bars).boundingRect(), QRect());
    }
}

namespace {

// What the area repaints, in the chart view's coordinates, and whether the
// chart beneath it paints at all.
class RepaintRecorder : public QObject
{
public:
    explicit RepaintRecorder(QWidget* area)
        : m_area(area)
    {
        m_area->installEventFilter(this);
    }
    ~RepaintRecorder() override { m_area->removeEventFilter(this); }
    QRegion area;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == m_area && e->type() == QEvent::Paint)
            area += static_cast<QPaintEvent*>(e)->region().translated(m_area->pos());
        return false;
    }

private:
    QWidget* m_area;
};

} // namespace

// A histogram changes a few bins at a time: the area repaints every pixel
// that changed and little of what did not.
TEST(PlotSeriesArea, AChangedBarRepaintsWhereItMoved)
{
    QList<double> lengths;
    for (int i = 0; i < 40; ++i)
        lengths << 10 + i;
    const struct
    {
        const char* what;
        int bin;
        double to;
    } cases[] = {
        {"grows", 5, 70}, {"shrinks", 20, 3}, {"falls to nothing", 30, 0}, {"passes the end", 39, 140},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PlotFixture fx;
        auto w = open<THistogram>(fx, {0, 100, 5, 0, 200, 10}, QSize(640, 480));
        const QList<QPointF> before = stairs(100, 1, lengths);
        drawByTheArea(w.get(), {before, {}, {}});
        settle();
        const QImage shownBefore = image(w->chartView());

        QList<double> changed = lengths;
        changed[c.bin] = c.to;
        const QRegion repainted = [&] {
            RepaintRecorder repaints(w->seriesArea());
            drawByTheArea(w.get(), {stairs(100, 1, changed), {}, {}});
            settle();
            return repaints.area;
        }();
        const QImage shownAfter = image(w->chartView());
        const QRegion moved = differences(shownBefore, shownAfter);
        EXPECT_FALSE(moved.isEmpty());
        EXPECT_EQ(moved - repainted, QRegion());
        EXPECT_LT(repainted.boundingRect().height(), w->seriesArea()->height() / 4);
    }
}

// Printed, the series come out where the chart puts them, scaled with it.
TEST(PlotSeriesArea, APrintedChartCarriesTheSeries)
{
    PlotFixture fx;
    auto w = open<THistogram>(fx, {0, 100, 5, 0, 200, 10}, QSize(640, 480));
    drawByTheArea(w.get(), {stairs(100, 20, {50}), stairs(40, 10, {80, 20}), {}});
    settle();
    const QImage shown = image(w->chartView());
    QImage printed(w->chartView()->viewport()->size() * 2, QImage::Format_RGB32);
    printed.fill(Qt::white);
    {
        QPainter p(&printed);
        w->chartView()->renderTo(p, QRectF(QPointF(0, 0), printed.size()));
    }
    const QImage halved = printed.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // The bars' colours land where they are on screen.
    int matched = 0, barPixels = 0;
    const QColor peak = w->bars()[0]->color();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (QColor(shown.pixel(x, y)) == peak) {
                ++barPixels;
                matched += QColor(halved.pixel(x, y)) == peak;
            }
    ASSERT_GT(barPixels, 100);
    EXPECT_GT(matched, barPixels * 9 / 10);
}

// A time plot's line grows by a point a second, and every point moves along:
// all that changed on screen is repainted, whatever the number of points.
TEST(PlotSeriesArea, ALineThatGrowsOrMovesRepaintsAllThatChanged)
{
    const struct
    {
        const char* what;
        QList<QPointF> before, after;
    } cases[] = {
        {"a point more", {{0, 10}, {10, 20}}, {{0, 10}, {10, 20}, {50, 90}}},
        {"a point less", {{0, 10}, {10, 20}, {50, 90}}, {{0, 10}, {10, 20}}},
        {"from nothing", {}, {{5, 5}, {55, 95}}},
        {"one point moved", {{0, 10}, {30, 20}, {60, 30}}, {{0, 10}, {30, 80}, {60, 30}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PlotFixture fx;
        auto w = open<TDataTimePlot>(fx, {0, 60, 10, 0, 100, 10}, QSize(720, 440));
        drawByTheArea(w.get(), {c.before, {}, {}});
        settle();
        const QImage shownBefore = image(w->chartView());
        const QRegion repainted = [&] {
            RepaintRecorder repaints(w->seriesArea());
            drawByTheArea(w.get(), {c.after, {}, {}});
            settle();
            return repaints.area;
        }();
        const QRegion moved = differences(shownBefore, image(w->chartView()));
        EXPECT_FALSE(moved.isEmpty());
        EXPECT_EQ(moved - repainted, QRegion());
    }
}
