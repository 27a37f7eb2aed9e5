// The bars of a bar-graph row are drawn by an area of their own over the
// chart. It must draw what the chart itself would, pixel for pixel, and
// repaint only where a changed bar moved.
#include "tavr1/Tavr1_BarChart.h"

#include <QAbstractBarSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCoreApplication>
#include <QImage>
#include <QPaintEvent>
#include <QValueAxis>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

struct Reading
{
    std::optional<double> value; // none: a readout without a bar
};

// Until everything asked for is drawn.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

std::unique_ptr<TTavr1BarChart> makeChart(double min, double max, double increment, int bars)
{
    const QList<QColor> colours = {Qt::red, Qt::yellow, Qt::green};
    auto c = std::make_unique<TTavr1BarChart>("Total", colours.mid(0, bars));
    c->setFixedSize(680, 96);
    c->setValueAxis(min, max, increment);
    c->show();
    settle();
    return c;
}

void show(TTavr1BarChart* c, const std::vector<Reading>& readings)
{
    for (size_t b = 0; b < readings.size(); ++b) {
        if (readings[b].value)
            c->setBar(int(b), *readings[b].value, QString("bar %1").arg(b));
        else
            c->setTitleOnly(int(b), "no bar");
    }
}

QImage image(QWidget* w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels where the two images differ.
QRegion differences(const QImage& a, const QImage& b)
{
    QRegion r;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                r += QRect(x, y, 1, 1);
        }
    }
    return r;
}

QWidget* barArea(TTavr1BarChart* c)
{
    return c->findChild<QWidget*>("BarArea");
}

// The same bars drawn by the chart itself, the area taken away.
bool drawnByTheChart(TTavr1BarChart* c)
{
    auto* series = qobject_cast<QAbstractBarSeries*>(c->barSet(0)->parent());
    if (!series)
        return false;
    c->chart()->addSeries(series);
    series->attachAxis(c->leftAxis());
    series->attachAxis(c->valueAxis());
    barArea(c)->hide();
    return true;
}

// What the area and the chart view beneath it repaint.
class RepaintRecorder : public QObject
{
public:
    explicit RepaintRecorder(TTavr1BarChart* c)
        : m_area(barArea(c))
        , m_view(c->viewport())
    {
        m_area->installEventFilter(this);
        m_view->installEventFilter(this);
    }
    void stop()
    {
        m_area->removeEventFilter(this);
        m_view->removeEventFilter(this);
    }
    QRegion area; // in the area's own coordinates
    int viewPaints = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            if (o == m_area)
                area += static_cast<QPaintEvent*>(e)->region();
            else if (o == m_view)
                ++viewPaints;
        }
        return false;
    }

private:
    QWidget* m_area;
    QWidget* m_view;
};

} // namespace

TEST(Tavr1BarChart, TheBarAreaDrawsEveryBarAsTheChartWould)
{
    const struct
    {
        const char* what;
        double min, max, increment;
        std::vector<Reading> readings;
    } cases[] = {
        {"within the scale", 0, 125, 10, {{30.0}, {0.5}, {118.0}}},
        {"past the end, and nothing", 0, 125, 10, {{130.0}, {0.0}, {std::nullopt}}},
        {"below zero, past the start", -120.1, 5, 20, {{-30.3}, {-130.0}}},
        {"either side of zero", -30.1, 30.1, 10, {{12.4}, {-7.7}}},
        {"a fine scale", 0, 12.5, 1, {{3.3}}},
    };
    // Bar ends across every fraction of a pixel.
    std::vector<std::vector<Reading>> sweep;
    for (double v = 0.05; v < 126; v += 2.37)
        sweep.push_back({{v}, {v / 3}, {125 - v}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto chart = makeChart(c.min, c.max, c.increment, int(c.readings.size()));
        show(chart.get(), c.readings);
        settle();
        const QImage ours = image(chart.get());

        ASSERT_TRUE(drawnByTheChart(chart.get()));
        settle();
        const QImage theirs = image(chart.get());
        EXPECT_EQ(differences(ours, theirs).boundingRect(), QRect());
    }
    // One chart drawn both ways for each step of the sweep.
    auto ours = makeChart(0, 125, 10, 3);
    auto theirs = makeChart(0, 125, 10, 3);
    ASSERT_TRUE(drawnByTheChart(theirs.get()));
    for (const auto& readings : sweep) {
        SCOPED_TRACE(*readings[0].value);
        show(ours.get(), readings);
        show(theirs.get(), readings);
        settle();
        ASSERT_EQ(differences(image(ours.get()), image(theirs.get())).boundingRect(), QRect());
    }
}

TEST(Tavr1BarChart, AChangedBarRepaintsOnlyWhereItMoved)
{
    const struct
    {
        const char* what;
        std::optional<double> from, to;
    } cases[] = {
        {"grows", 30.0, 34.0},
        {"shrinks", 90.0, 12.0},
        {"falls to nothing", 40.0, 0.0},
        {"appears", std::nullopt, 55.0},
        {"goes", 55.0, std::nullopt},
        {"passes the end", 100.0, 140.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto chart = makeChart(0, 125, 10, 3);
        show(chart.get(), {{c.from}, {20.0}, {60.0}});
        settle();
        const QImage before = image(chart.get());
        const QRect plot = barArea(chart.get())->geometry();

        RepaintRecorder repaints(chart.get());
        show(chart.get(), {{c.to}, {20.0}, {60.0}});
        settle();
        repaints.stop(); // a grab paints everything once more
        const QImage after = image(chart.get());

        // Everything that changed on screen was repainted ...
        const QRegion repainted =
            repaints.area.translated(barArea(chart.get())->mapTo(chart.get(), QPoint(0, 0)));
        const QRect areaRect(barArea(chart.get())->mapTo(chart.get(), QPoint(0, 0)), plot.size());
        // (The readout beside the plot changes too, and repaints itself.)
        const QRegion changed = differences(before, after) & areaRect;
        EXPECT_FALSE(changed.isEmpty());
        EXPECT_EQ(changed - repainted, QRegion());
        // ... and little else: a strip of the bar's row, nothing of the
        // others, nothing by the chart beneath.
        EXPECT_EQ(repaints.viewPaints, 0);
        const QRect bounds = repaints.area.boundingRect();
        EXPECT_LT(bounds.height(), plot.height() / 2);
        qint64 pixels = 0;
        for (const QRect& r : repaints.area)
            pixels += qint64(r.width()) * r.height();
        EXPECT_LT(pixels, qint64(plot.width()) * plot.height() / 4);
    }
}

TEST(Tavr1BarChart, AnUnchangedBarRepaintsNothing)
{
    auto chart = makeChart(-120.1, 5, 20, 2);
    show(chart.get(), {{-40.0}, {-60.0}});
    settle();
    RepaintRecorder repaints(chart.get());
    for (int n = 0; n < 3; ++n)
        show(chart.get(), {{-40.0}, {-60.0}});
    settle();
    EXPECT_TRUE(repaints.area.isEmpty());
    EXPECT_EQ(repaints.viewPaints, 0);
}

// The bar-graph windows can be resized: the bars follow the plot to its new
// place and size, as the chart itself would draw them there.
TEST(Tavr1BarChart, AResizedChartKeepsItsBarsWhereTheChartWouldDrawThem)
{
    const std::vector<Reading> readings = {{30.0}, {77.7}, {118.0}};
    auto ours = makeChart(0, 125, 10, 3);
    show(ours.get(), readings);
    settle();
    for (const QSize size : {QSize(900, 140), QSize(420, 80), QSize(680, 96)}) {
        SCOPED_TRACE(size.width());
        ours->setFixedSize(size);
        settle();
        auto theirs = makeChart(0, 125, 10, 3);
        theirs->setFixedSize(size);
        show(theirs.get(), readings);
        ASSERT_TRUE(drawnByTheChart(theirs.get()));
        settle();
        EXPECT_EQ(differences(image(ours.get()), image(theirs.get())).boundingRect(), QRect());
    }
}
