// The windows the Tavr1 panel opens: one of each, refreshed in order, forgotten
// when they close. Stand-in windows record what reaches them, so the panel's
// bookkeeping is shown before the real window classes join.
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_Panel.h"

#include <QCoreApplication>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

std::vector<QString> journal;

class StandIn : public TInstrumentChildWindow
{
public:
    StandIn(const TChildWindowArgs& a, int kind, const QString& tag)
        : TInstrumentChildWindow(a, kind,
                                 kind == t1kHistogram || kind == t1kDataTimePlot ? UM_PANEL_REFRESH
                                                                                 : UM_TAVR1_REFRESH)
        , tag(tag)
    {}
    QString tag;

protected:
    void RefreshWindow(qintptr) override { journal.push_back(tag); }
    bool handleMessage(int msg, qintptr, qintptr) override
    {
        journal.push_back(tag + " got " + QString::number(msg, 16));
        return true;
    }
};

class Tavr1PanelWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        journal.clear();
        panel = new TTavr1Panel(&rack, &rack, "Rack1_TAVR1", &frame, 0);
        auto make = [this](int kind, const QString& tag) -> TChildFactory {
            return [this, kind, tag](const TChildWindowArgs& a) -> QWidget* {
                ++made;
                lastArgs = a;
                const QString t = tag.isEmpty() ? QString("%1:%2").arg(kind).arg(a.index) : tag;
                return new StandIn(a, kind, t);
            };
        };
        TTavr1WindowClasses c;
        c.stereoBarGraph = make(t1kBarGraph, "");
        c.scaBarGraph = make(t1kBarGraph, "");
        c.totalDbBarGraph = make(t1kBarGraph, "");
        c.separationBarGraph = make(t1kBarGraph, "");
        c.crosstalkBarGraph = make(t1kBarGraph, "");
        c.histogram = make(t1kHistogram, "");
        c.dataTimePlot = make(t1kDataTimePlot, "");
        c.dbReadings = make(t1kDbReadings, "dB");
        c.spectrum = make(t1kSpectrum, "spectrum");
        c.rdsBasic = make(t1kRdsBasic, "rds");
        c.settings = make(t1kSettings, "settings");
        c.alarmRelay = make(t1kAlarmRelay, "alarm");
        c.alarmRelaySnmp = make(t1kAlarmRelay, "alarm trap");
        c.unitConfig = make(t1kUnitConfig, "config");
        c.rawData = make(t1kRawData, "raw");
        panel->setWindowClasses(c);
    }

    void open(int kind, int index = 0) { panel->menuEntry(kind, index)->trigger(); }
    void deliver() { QCoreApplication::sendPostedEvents(); }
    void closeAndFree(QWidget* w)
    {
        w->close();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    StandIn* window(int kind, int index) const
    {
        return static_cast<StandIn*>(panel->children().find(kind, index));
    }
    void refresh()
    {
        journal.clear();
        PostMessage(QPointer<QObject>(panel.data()), UM_TAVR1_REFRESH);
        deliver(); // the panel's refresh
        deliver(); // what it forwarded
    }

    TFrame2 frame{"Connect1"};
    QWidget rack;
    QPointer<TTavr1Panel> panel;
    int made = 0;
    TChildWindowArgs lastArgs;
};

} // namespace

TEST_F(Tavr1PanelWindowsTest, EachEntryOpensItsWindowOnceWithThePanelsArguments)
{
    open(t1kHistogram, 6);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(lastArgs.ownerPanel, panel.data());
    EXPECT_EQ(lastArgs.ownerHandle, panel.data());
    EXPECT_EQ(lastArgs.frame, &frame);
    EXPECT_EQ(lastArgs.family, pfTavr1);
    EXPECT_EQ(lastArgs.instrument, 0);
    EXPECT_EQ(lastArgs.index, 6);
    StandIn* w = window(t1kHistogram, 6);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->parentWidget(), panel.data());

    open(t1kHistogram, 6);
    EXPECT_EQ(made, 1) << "an open window is brought forward, never duplicated";
    open(t1kHistogram, 7);
    open(t1kSettings);
    EXPECT_EQ(made, 3);
}

TEST_F(Tavr1PanelWindowsTest, RefreshesAreForwardedInTheDesignedOrder)
{
    for (int i = 0; i < Tavr1BarGraphCount; ++i)
        open(t1kBarGraph, i);
    for (int i = 0; i < Tavr1HistogramCount; ++i)
        open(t1kHistogram, i);
    for (int i = 0; i < Tavr1DataTimePlotCount; ++i)
        open(t1kDataTimePlot, i);
    for (int kind : {t1kDbReadings, t1kSpectrum, t1kRdsBasic, t1kSettings, t1kUnitConfig,
                     t1kRawData, t1kAlarmRelay})
        open(kind);
    frame.Tavr1OptionLetter = "C";
    open(t1kAlarmRelay);
    EXPECT_EQ(made, 5 + 12 + 14 + 8);

    refresh();
    std::vector<QString> expected = {"dB"};
    for (int i = 0; i < Tavr1BarGraphCount; ++i)
        expected.push_back(QString("0:%1").arg(i));
    for (const char* t : {"spectrum", "rds", "alarm", "alarm trap", "settings"})
        expected.push_back(t);
    for (int i = 0; i < Tavr1HistogramCount; ++i)
        expected.push_back(QString("1:%1").arg(i));
    for (int i = 0; i < Tavr1DataTimePlotCount; ++i)
        expected.push_back(QString("2:%1").arg(i));
    expected.push_back("raw");
    expected.push_back("config");
    EXPECT_EQ(journal, expected);
}

TEST_F(Tavr1PanelWindowsTest, AClosedWindowIsForgottenAndTheNextClickMakesANewOne)
{
    open(t1kHistogram, 11);
    open(t1kDataTimePlot, 13);
    open(t1kRawData);
    const int before = panel->children().count();

    // Kinds and indices the panel does not have change nothing.
    for (auto [kind, index] : {std::pair{1, 12}, {2, 14}, {0, 5}, {1, -1}, {8, 0}, {100, 0}})
        PostMessage(QPointer<QObject>(panel.data()), UM_CHILD_CLOSED, kind, index);
    deliver();
    EXPECT_EQ(panel->children().count(), before);

    QPointer<StandIn> plot = window(t1kHistogram, 11);
    closeAndFree(plot);
    EXPECT_TRUE(plot.isNull());
    EXPECT_EQ(panel->children().count(), before - 1);
    refresh();
    EXPECT_EQ(journal, (std::vector<QString>{"2:13", "raw"})) << "nothing posted to a freed window";

    // Kinds whose index says nothing: the raw data window posts 0 but any index forgets it.
    StandIn* raw = window(t1kRawData, 0);
    raw->hide();
    PostMessage(QPointer<QObject>(panel.data()), UM_CHILD_CLOSED, t1kRawData, 5);
    deliver();
    EXPECT_EQ(window(t1kRawData, 0), nullptr);

    open(t1kHistogram, 11);
    EXPECT_NE(window(t1kHistogram, 11), nullptr);
    EXPECT_EQ(made, 4);
}

TEST_F(Tavr1PanelWindowsTest, OnlyTheAlarmWindowThatClosesIsForgotten)
{
    frame.Tavr1OptionLetter = "B";
    open(t1kAlarmRelay);
    QPointer<StandIn> plain = window(t1kAlarmRelay, 0);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->tag, "alarm");

    // The option letter changed while the plain window is open: the next
    // click opens the trap variant beside it.
    frame.Tavr1OptionLetter = "C";
    open(t1kAlarmRelay);
    QPointer<StandIn> trap = window(t1kAlarmRelay, 1);
    ASSERT_NE(trap, nullptr);
    EXPECT_EQ(trap->tag, "alarm trap");
    EXPECT_EQ(trap->index(), 0) << "both variants are index 0 to their windows";

    closeAndFree(trap);
    EXPECT_EQ(window(t1kAlarmRelay, 0), plain.data()) << "the open one keeps its place";
    refresh();
    EXPECT_EQ(journal, (std::vector<QString>{"alarm"}));

    frame.Tavr1OptionLetter = "B";
    open(t1kAlarmRelay);
    EXPECT_EQ(made, 2) << "the plain window is raised, not duplicated";
}

TEST_F(Tavr1PanelWindowsTest, WindowsDieWithThePanelAndNothingIsPostedToIt)
{
    open(t1kSettings);
    open(t1kHistogram, 0);
    QPointer<StandIn> settings = window(t1kSettings, 0);
    delete panel.data();
    EXPECT_TRUE(settings.isNull());
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
