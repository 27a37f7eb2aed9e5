// A refresh that brings nothing new costs the windows nothing: with the
// frame's values standing still, the panel and one window of each kind it
// opens paint not once, however many refreshes arrive. A change still paints.
#include "TestSupport.h"

#include "link/Frame2.h"
#include "panels/PanelChildren.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_Panel.h"

#include <QAction>
#include <QApplication>
#include <QMap>
#include <QPointer>
#include <gtest/gtest.h>

namespace {

// Counts the paint events of every widget, by the window it belongs to.
class PaintCounter : public QObject
{
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    QMap<QString, int> byWindow;

    int total() const
    {
        int n = 0;
        for (int v : byWindow)
            n += v;
        return n;
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            if (auto* w = qobject_cast<QWidget*>(o))
                ++byWindow[w->window()->objectName()];
        }
        return false;
    }
};

class Tavr1RefreshPaintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageLines = &log;
        frame.Tavr1LocalConfig[2] = 1001;
        frame.Tavr1LocalConfig[4] = 1;
        frame.LastBlockTime = QDateTime(QDate(2026, 1, 5), QTime(3, 0, 7));
        auto& m = frame.Tavr1Measurements;
        m[tcTotal][tsPeak] = 1001;
        m[tcTotal][tsAverage] = 950;
        m[tcPilot][tsInjection] = 91;
        frame.Tavr1Leds = 0xC0;
        rack.setObjectName("Rack");
        rack.resize(600, 255);
        panel = new TTavr1Panel(&rack, &rack, "Rack1_TAVR1", &frame, 0);
        rack.show();
    }
    void TearDown() override { MessageLines = nullptr; }

    void open(int kind, int index = 0)
    {
        QAction* entry = panel->menuEntry(kind, index);
        ASSERT_NE(entry, nullptr);
        entry->trigger();
    }

    // The rack's refresh of the panel, which forwards it to its windows, and
    // the painting that follows.
    void refresh()
    {
        PostRefresh(QPointer<QObject>(panel.data()), UM_TAVR1_REFRESH);
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    TEventLog log;
    TFrame2 frame{"Connect1"};
    QWidget rack;
    QPointer<TTavr1Panel> panel;
};

} // namespace

TEST_F(Tavr1RefreshPaintTest, UnchangedValuesPaintNothingAndAChangePaints)
{
    open(t1kBarGraph, 0);
    open(t1kHistogram, 0);
    open(t1kDataTimePlot, 0);
    open(t1kDbReadings);
    open(t1kRdsBasic);
    open(t1kRawData);
    open(t1kSettings);
    ASSERT_EQ(panel->children().count(), 7);

    // The first refreshes draw the values, and the histogram's axes settle on
    // them (they follow the data a fifth of the way a sample).
    for (int i = 0; i < 60; ++i)
        refresh();
    pump(100);

    PaintCounter paints;
    for (int i = 0; i < 10; ++i)
        refresh();
    pump(50);
    EXPECT_EQ(paints.total(), 0) << "painted: " << [&] {
        QStringList l;
        for (auto it = paints.byWindow.cbegin(); it != paints.byWindow.cend(); ++it)
            l << it.key() + " " + QString::number(it.value());
        return l.join(", ").toStdString();
    }();

    // The counter does see paints: a new reading repaints the panel and the
    // windows that show it.
    frame.Tavr1Measurements[tcTotal][tsPeak] = 1012;
    frame.Tavr1Measurements[tcTotal][tsRmsDb] = -123;
    refresh();
    pump(50);
    EXPECT_GT(paints.byWindow.value("Rack"), 0) << "the rack holding the panel";
    EXPECT_GT(paints.byWindow.value(panel->children().find(t1kBarGraph, 0)->objectName()), 0);
    EXPECT_GT(paints.byWindow.value(panel->children().find(t1kDbReadings, 0)->objectName()), 0);
}
