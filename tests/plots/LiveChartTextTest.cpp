// A chart title or axis title held live is drawn by an item of its own. It
// must look exactly as the chart's own title would, at any size, and a new
// text must not lay the chart out again.
#include "plots/LiveChartText.h"

#include "plots/ChartKit.h"

#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QValueAxis>
#include <gtest/gtest.h>
#include <memory>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// A histogram's chart: the program's look, a title, a value axis at the
// bottom with a title and one at the left.
struct Chart
{
    std::unique_ptr<QChartView> view;
    QChart* chart = nullptr;
    QValueAxis* bottom = nullptr;

    explicit Chart(QSize size, bool shown = true)
    {
        chart = makePlotChart("Tavr-1 TOTAL Histogram");
        bottom = addValueAxis(chart, Qt::AlignBottom, "  % Distribution");
        QValueAxis* left = addValueAxis(chart, Qt::AlignLeft, "Percent");
        setFixedAxis(bottom, 0, 100, 5);
        setFixedAxis(left, 0, 120, 1);
        view = std::make_unique<QChartView>(chart);
        view->resize(size);
        if (shown)
            show();
    }
    void show()
    {
        view->show();
        settle();
    }
    QImage image() const
    {
        settle();
        return view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// Counts the layouts the chart is asked for.
class LayoutRequests : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::LayoutRequest)
            ++count;
        return false;
    }
};

struct Case
{
    const char* what;
    QSize size;
    QString title;
    QString stamp;
    // Whether our items draw them, or the chart has to.
    bool titleLive;
    bool stampLive;
};

} // namespace

TEST(LiveChartText, DrawsEveryTextExactlyAsTheChartWould)
{
    const Case cases[] = {
        {"a histogram's texts, blanks folded as the chart folds them", {640, 480},
         "Tavr-1 TOTAL Histogram  - Infinite: 00:00:01", "2024-03-09 14:05:07  % Distribution",
         true, true},
        {"another second", {640, 480}, "Tavr-1 TOTAL Histogram  - Infinite: 00:12:48",
         "2024-03-09 14:17:54  % Distribution", true, true},
        {"an odd width, centres on a half pixel", {641, 333},
         "Nuva-1 L + R Histogram  - Infinite: 23:59:59", "2026-12-11 03:00:00  % Distribution",
         true, true},
        {"a window too narrow: the chart shortens the texts", {200, 300},
         "Tavr-1 TOTAL Histogram  - Infinite: 00:00:01", "2024-03-09 14:05:07  % Distribution",
         false, false},
        {"no text takes no room", {640, 480}, "", "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Chart theirs(c.size);
        theirs.chart->setTitle(c.title);
        theirs.bottom->setTitleText(c.stamp);

        Chart ours(c.size);
        TLiveChartText title(ours.chart);
        TLiveChartText stamp(ours.chart, ours.bottom);
        title.setText("Tavr-1 TOTAL Histogram  - Infinite: 00:00:00");
        stamp.setText("2024-03-09 14:05:06  % Distribution");
        settle();
        title.setText(c.title);
        stamp.setText(c.stamp);

        EXPECT_EQ(title.drawnLive(), c.titleLive);
        EXPECT_EQ(stamp.drawnLive(), c.stampLive);
        EXPECT_EQ(title.text(), c.title);
        EXPECT_EQ(stamp.text(), c.stamp);
        EXPECT_TRUE(ours.image() == theirs.image());
        EXPECT_EQ(ours.chart->plotArea(), theirs.chart->plotArea());
    }
}

TEST(LiveChartText, ANewTextLaysNothingOutAndFollowsTheChartsSize)
{
    Chart theirs({640, 480});
    Chart ours({640, 480});
    TLiveChartText title(ours.chart);
    TLiveChartText stamp(ours.chart, ours.bottom);
    title.setText("Tavr-1 TOTAL Histogram  - Infinite: 00:00:01");
    stamp.setText("2024-03-09 14:05:07  % Distribution");
    settle();
    ASSERT_TRUE(title.drawnLive());
    ASSERT_TRUE(stamp.drawnLive());

    LayoutRequests layouts;
    ours.chart->installEventFilter(&layouts);
    for (int s = 2; s < 12; ++s) {
        title.setText(QString("Tavr-1 TOTAL Histogram  - Infinite: 00:00:%1").arg(s, 2, 10, QChar('0')));
        stamp.setText(QString("2024-03-09 14:05:%1  % Distribution").arg(s + 6, 2, 10, QChar('0')));
        settle();
    }
    EXPECT_EQ(layouts.count, 0);
    ours.chart->removeEventFilter(&layouts);

    // Wider, then narrower than the texts, then back: each time as the chart.
    for (QSize size : {QSize(900, 500), QSize(220, 400), QSize(700, 420)}) {
        SCOPED_TRACE(size.width());
        theirs.view->resize(size);
        ours.view->resize(size);
        theirs.chart->setTitle(title.text());
        theirs.bottom->setTitleText(stamp.text());
        EXPECT_TRUE(ours.image() == theirs.image());
    }
    EXPECT_TRUE(title.drawnLive());
}

TEST(LiveChartText, AChartNotYetShownDrawsItsTextsItselfUntilItIs)
{
    Chart theirs({640, 480});
    Chart ours({640, 480}, false);
    TLiveChartText title(ours.chart);
    TLiveChartText stamp(ours.chart, ours.bottom);
    title.setText("Tavr-1 TOTAL Histogram  - Infinite: 00:00:01");
    stamp.setText("2024-03-09 14:05:07  % Distribution");
    EXPECT_FALSE(title.drawnLive());
    EXPECT_EQ(ours.chart->title(), title.text());
    EXPECT_EQ(ours.bottom->titleText(), stamp.text());

    ours.show();
    title.setText("Tavr-1 TOTAL Histogram  - Infinite: 00:00:02");
    stamp.setText("2024-03-09 14:05:08  % Distribution");
    EXPECT_TRUE(title.drawnLive());
    EXPECT_TRUE(stamp.drawnLive());
    theirs.chart->setTitle(title.text());
    theirs.bottom->setTitleText(stamp.text());
    EXPECT_TRUE(ours.image() == theirs.image());
}
