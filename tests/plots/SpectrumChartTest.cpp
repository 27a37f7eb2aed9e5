// A spectrum chart's trace, cursors and mask are drawn by an area of their
// own over the chart. It must draw what the chart itself would, pixel for
// pixel, whatever the trace holds.
#include "plots/SpectrumChart.h"

#include "models/SpectrumModel.h"
#include "plots/SeriesArea.h"

#include <QAreaSeries>
#include <QChart>
#include <QCoreApplication>
#include <QImage>
#include <QLineSeries>
#include <QPaintEvent>
#include <QValueAxis>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

std::unique_ptr<TSpectrumChart> makeChart()
{
    auto c = std::make_unique<TSpectrumChart>("Chart", QColor(0xFF, 0xFF, 0x00),
                                              QColor(0xFF, 0x00, 0x00));
    c->setFixedSize(640, 400);
    c->setVerticalAxis(-100, 0, 10);
    c->setHorizontalAxis(-250, 250, 50);
    c->show();
    settle();
    return c;
}

QImage image(QWidget* w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect differences(const QImage& a, const QImage& b)
{
    QRect r;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                r |= QRect(x, y, 1, 1);
    return r;
}

// A filled series the chart draws as the given one: the same outline, pen
// and brush. (The chart cannot take back a filled series once let go of.)
QAreaSeries* copyOf(QAreaSeries* s, QObject* owner)
{
    auto* upper = new QLineSeries(owner);
    auto* lower = new QLineSeries(owner);
    upper->replace(s->upperSeries()->points());
    lower->replace(s->lowerSeries()->points());
    auto* copy = new QAreaSeries(upper, lower);
    copy->setParent(owner);
    QObject::connect(s->upperSeries(), &QXYSeries::pointsReplaced, copy,
                     [=] { upper->replace(s->upperSeries()->points()); });
    QObject::connect(s->lowerSeries(), &QXYSeries::pointsReplaced, copy,
                     [=] { lower->replace(s->lowerSeries()->points()); });
    return copy;
}

// The same series drawn by the chart itself, the area taken away.
void drawnByTheChart(TSpectrumChart* c)
{
    QAreaSeries* fill = copyOf(c->fillSeries(), c);
    QList<QAbstractSeries*> series{fill, c->c1Series(), c->c2Series()};
    for (QLineSeries* run : c->line().runs())
        series << run;
    series << c->maskSeries();
    for (QAbstractSeries* s : series) {
        c->chart()->addSeries(s);
        s->attachAxis(c->bottomAxis());
        s->attachAxis(c->leftAxis());
    }
    // After addSeries, which gives the series the theme's colours.
    fill->setPen(c->fillSeries()->pen());
    fill->setBrush(c->fillSeries()->brush());
    c->seriesArea()->hide();
}

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

// A trace across the scale: a hump, with the bands the colour words give.
TSpectrumTrace trace(int count, double from, double to, double (*level)(double))
{
    TSpectrumTrace t;
    for (int i = 0; i < count; ++i) {
        const double x = count == 1 ? from : from + (to - from) * i / (count - 1);
        t.points << QPointF(x, level(x));
        t.bands << quint8((i / 40) % 3);
    }
    return t;
}

double hump(double x)
{
    return -90 + 70 * std::exp(-x * x / 8000);
}

} // namespace

TEST(SpectrumChart, TheSeriesAreaDrawsEverythingAsTheChartWould)
{
    const struct
    {
        const char* what;
        TSpectrumTrace trace;
        double c1, c2;
        bool mask;
    } cases[] = {
        {"empty", {}, -30, 10, false},
        {"one point", trace(1, 12, 12, hump), -30, 10, false},
        {"a hump, the cursors and the mask", trace(501, -250, 250, hump), -42.5, -33.3, true},
        {"past the top and the bottom",
         trace(501, -250, 250, [](double x) { return x < 0 ? 40.0 : -300.0; }), 15, 300, false},
        {"past either end of the frequencies", trace(501, -400, 400, hump), -101, -260, true},
        {"fine steps", trace(501, -250, 250, [](double x) { return -50 + 0.01 * x; }), -50.05, 0.3,
         false},
    };
    const QList<QPointF> mask = {{-250, -80}, {-100, -80}, {-90, -20}, {90, -20}, {100, -80},
                                 {250, -80}};
    for (const bool fill : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (fill ? ", filled" : ", line"));
            auto chart = makeChart();
            chart->setMask(mask);
            chart->setMaskVisible(c.mask);
            chart->setC1(c.c1);
            chart->setC2(c.c2);
            chart->drawTrace(c.trace, fill);
            settle();
            const QImage ours = image(chart.get());
            drawnByTheChart(chart.get());
            settle();
            EXPECT_EQ(differences(ours, image(chart.get())), QRect());
        }
    }
}

// A level that is not finite leaves a gap in the line and is passed over by
// the fill; the rest of the trace is drawn as the chart draws it.
TEST(SpectrumChart, ALevelThatIsNotFiniteIsLeftOut)
{
    constexpr int bad = 200;
    for (const double level : {notANumber, infinity, -infinity}) {
        for (const bool fill : {false, true}) {
            SCOPED_TRACE(std::to_string(level) + (fill ? ", filled" : ", line"));
            TSpectrumTrace t = trace(501, -250, 250, hump);
            t.bands = QList<quint8>(t.points.size(), 0);
            t.points[bad].setY(level);
            auto ours = makeChart();
            ours->drawTrace(t, fill);
            settle();
            const QImage drawn = image(ours.get());

            auto theirs = makeChart();
            drawnByTheChart(theirs.get());
            if (fill) {
                t.points.removeAt(bad);
                theirs->drawTrace(t, true);
            } else {
                // The line in two runs of one colour, the bad level's two
                // segments left out.
                for (qsizetype i = bad + 1; i < t.bands.size(); ++i)
                    t.bands[i] = 1;
                theirs->drawTrace(t, false);
                theirs->line().runs()[0]->replace(t.points.mid(0, bad));
                theirs->line().runs()[1]->setColor(theirs->line().runs()[0]->color());
                theirs->line().runs()[1]->replace(t.points.mid(bad + 1));
            }
            settle();
            EXPECT_EQ(differences(drawn, image(theirs.get())), QRect());
        }
    }
}

namespace {

// Paint events of the area and of the chart view beneath it.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(TSpectrumChart* c)
        : m_area(c->seriesArea())
        , m_view(c->viewport())
    {
        m_area->installEventFilter(this);
        m_view->installEventFilter(this);
    }
    int area = 0;
    QRegion view;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            if (o == m_area)
                ++area;
            else if (o == m_view)
                view += static_cast<QPaintEvent*>(e)->region();
        }
        return false;
    }

private:
    QWidget* m_area;
    QWidget* m_view;
};

} // namespace

TEST(SpectrumChart, ANewTraceRepaintsTheAreaAloneAndANewScaleWhatLiesBeneath)
{
    auto chart = makeChart();
    chart->drawTrace(trace(501, -250, 250, hump), false);
    settle();
    {
        PaintCounter paints(chart.get());
        chart->drawTrace(trace(501, -250, 250, [](double x) { return hump(x) - 5; }), false);
        settle();
        EXPECT_GE(paints.area, 1);
        EXPECT_TRUE((paints.view & chart->seriesArea()->geometry()).isEmpty());
    }
    // A new scale that leaves the plot where it was: the grid beneath moves.
    chart->setHorizontalAxis(-240, 260, 20);
    settle();
    {
        auto theirs = makeChart();
        theirs->setHorizontalAxis(-240, 260, 20);
        theirs->drawTrace(trace(501, -250, 250, [](double x) { return hump(x) - 5; }), false);
        drawnByTheChart(theirs.get());
        settle();
        ASSERT_EQ(theirs->seriesArea()->plotRect(), chart->seriesArea()->plotRect());
        EXPECT_EQ(differences(image(chart.get()), image(theirs.get())), QRect());
    }
    // New scales, a new size: the grid and the axes beneath the trace are
    // the chart's, drawn again, and the trace lies over them as before.
    chart->setVerticalAxis(-80, 10, 5);
    chart->setHorizontalAxis(-100, 150, 25);
    chart->setFixedSize(700, 380);
    chart->setC1(-20);
    settle();
    const QImage ours = image(chart.get());
    drawnByTheChart(chart.get());
    settle();
    EXPECT_EQ(differences(ours, image(chart.get())), QRect());
}
