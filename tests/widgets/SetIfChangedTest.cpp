#include "widgets/SetIfChanged.h"
#include "widgets/ReadoutLabel.h"

#include <QChart>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QSignalSpy>
#include <QValueAxis>
#include <functional>
#include <gtest/gtest.h>

// Each helper, set to the value shown: nothing happens (no signal, false);
// set to another: it is set once (one signal, true).
TEST(SetIfChanged, SetsOnlyADifference)
{
    QChart chart;
    auto* axis = new QValueAxis;
    chart.addAxis(axis, Qt::AlignLeft);
    auto* series = new QLineSeries;
    chart.addSeries(series);
    series->attachAxis(axis);
    axis->setRange(0, 10);
    axis->setTitleText("dB");
    series->setName("PEAK");
    series->replace({{0, 1}, {1, 2}});
    QWidget w;
    w.resize(40, 20);

    struct Case
    {
        const char* what;
        QObject* sender;
        const char* signal;
        std::function<bool()> same;
        std::function<bool()> other;
    } cases[] = {
        {"axis range", axis, SIGNAL(rangeChanged(qreal, qreal)),
         [&] { return setRangeIfChanged(axis, 0, 10); },
         [&] { return setRangeIfChanged(axis, 0, 20); }},
        {"axis title", axis, SIGNAL(titleTextChanged(QString)),
         [&] { return setTitleIfChanged(axis, "dB"); },
         [&] { return setTitleIfChanged(axis, "%"); }},
        {"series name", series, SIGNAL(nameChanged()),
         [&] { return setNameIfChanged(series, "PEAK"); },
         [&] { return setNameIfChanged(series, "PEAK: 100.0%"); }},
        {"series points", series, SIGNAL(pointsReplaced()),
         [&] {
             return setPointsIfChanged(series, {{0, 1}, {1, 2}});
         },
         [&] {
             return setPointsIfChanged(series, {{0, 1}, {1, 3}});
         }},
        {"any property", axis, SIGNAL(tickIntervalChanged(qreal)),
         [&] {
             return setIfChanged(
                 axis->tickInterval(), [&] { return axis->tickInterval(); },
                 [&](double i) { axis->setTickInterval(i); });
         },
         [&] {
             return setIfChanged(
                 2.5, [&] { return axis->tickInterval(); },
                 [&](double i) { axis->setTickInterval(i); });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QSignalSpy spy(c.sender, c.signal);
        ASSERT_TRUE(spy.isValid());
        EXPECT_FALSE(c.same());
        EXPECT_EQ(spy.count(), 0);
        EXPECT_TRUE(c.other());
        EXPECT_EQ(spy.count(), 1);
        EXPECT_FALSE(c.other()) << "the new value is now the one shown";
        EXPECT_EQ(spy.count(), 1);
    }

    // Widgets, by what they hold afterwards.
    ReadoutLabel label;
    EXPECT_TRUE(setTextIfChanged(&label, "98.1"));
    EXPECT_FALSE(setTextIfChanged(&label, "98.1"));
    EXPECT_EQ(label.text(), "98.1");
    EXPECT_FALSE(setSizeIfChanged(&w, QSize(40, 20)));
    EXPECT_TRUE(setSizeIfChanged(&w, QSize(41, 20)));
    EXPECT_EQ(w.size(), QSize(41, 20));
    EXPECT_TRUE(setVisibleIfChanged(&w, true)) << "a window is hidden until shown";
    EXPECT_FALSE(setVisibleIfChanged(&w, true));
    EXPECT_TRUE(setVisibleIfChanged(&w, false));
    EXPECT_TRUE(w.isHidden());

    // A control follows its window until it is hidden or disabled itself.
    QWidget parent;
    auto* child = new QWidget(&parent);
    EXPECT_FALSE(setVisibleIfChanged(child, true));
    EXPECT_TRUE(setVisibleIfChanged(child, false));
    parent.show();
    EXPECT_FALSE(child->isVisible()) << "hidden on purpose stays hidden";
    EXPECT_TRUE(setVisibleIfChanged(child, true));
    EXPECT_TRUE(child->isVisible());
    parent.setEnabled(false);
    EXPECT_TRUE(setEnabledIfChanged(child, false)) << "disabled with its window, not by itself";
    EXPECT_FALSE(setEnabledIfChanged(child, false));
    parent.setEnabled(true);
    EXPECT_FALSE(child->isEnabled());
    EXPECT_TRUE(setEnabledIfChanged(child, true));
    EXPECT_TRUE(child->isEnabled());
}

// A reading is shown as it reads, never taken for markup.
TEST(SetIfChanged, AReadoutShowsPlainText)
{
    ReadoutLabel label;
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    label.setText("<b>1</b>");
    EXPECT_EQ(label.text(), "<b>1</b>");
}

namespace {
// Counts the layout passes a widget is asked for, and its paints.
class LayoutRequests : public QObject
{
public:
    int count = 0;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        count += e->type() == QEvent::LayoutRequest;
        paints += e->type() == QEvent::Paint;
        return false;
    }
};
} // namespace

// A held readout takes new readings without laying its window out again or
// repainting what lies behind it; a reading wider than it was sized for
// widens it instead of losing its end.
TEST(SetIfChanged, HeldReadoutAsksNoLayoutAndNeverClipsItsText)
{
    QWidget window;
    auto* grid = new QGridLayout(&window);
    auto* held = new QLabel("  0.0 dB", &window);
    auto* free = new QLabel("  0.0 dB", &window);
    auto* heldRow = new QWidget(&window);
    auto* freeRow = new QWidget(&window);
    grid->addWidget(heldRow, 0, 0);
    grid->addWidget(freeRow, 1, 0);
    held->setParent(heldRow);
    free->setParent(freeRow);
    (new QHBoxLayout(heldRow))->addWidget(held);
    (new QHBoxLayout(freeRow))->addWidget(free);
    holdReadoutSize(held, "-888.8 dB");
    window.show();
    QCoreApplication::processEvents();
    const QSize heldSize = held->size();
    EXPECT_GE(held->width(), held->fontMetrics().horizontalAdvance("-888.8 dB"));

    LayoutRequests heldRequests;
    LayoutRequests freeRequests;
    heldRow->installEventFilter(&heldRequests);
    freeRow->installEventFilter(&freeRequests);
    for (const char* text : {" -12.5 dB", "  -3.0 dB", "-100.2 dB"}) {
        EXPECT_TRUE(setTextIfChanged(held, text));
        setTextIfChanged(free, text);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(heldRequests.count, 0);
    EXPECT_GT(freeRequests.count, 0) << "the control: a free label asks for a layout";
    EXPECT_EQ(heldRequests.paints, 0);
    EXPECT_GT(freeRequests.paints, 0) << "the control: a free label repaints its row";
    EXPECT_EQ(held->size(), heldSize);

    const QString wide = "-123456.7 dB (over range)";
    EXPECT_TRUE(setTextIfChanged(held, wide));
    EXPECT_EQ(held->text(), wide);
    EXPECT_GE(held->width(), held->fontMetrics().horizontalAdvance(wide));
    EXPECT_EQ(held->minimumWidth(), held->maximumWidth()) << "still held, at the new width";
}
