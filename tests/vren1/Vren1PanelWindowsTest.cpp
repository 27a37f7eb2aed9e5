// The windows the Vren1 panel opens: its menu, one window of each (kind,
// index), refreshes forwarded in order, windows forgotten when they close.
// Stand-in windows record what reaches them, so the bookkeeping is shown for
// the kinds whose real windows come later too.
#include "Vren1WindowSupport.h"

#include "vren1/Vren1_Panel.h"

#include <QMenu>
#include <gtest/gtest.h>

namespace {

std::vector<QString> journal;

class StandIn : public TInstrumentChildWindow
{
public:
    StandIn(const TChildWindowArgs& a, int kind)
        : TInstrumentChildWindow(a, kind,
                                 kind == v1kHistogram || kind == v1kDataTimePlot ||
                                         kind == v1kHistoricalData
                                     ? UM_PANEL_REFRESH
                                     : UM_HD_REFRESH,
                                 TRefreshPolicy::AnyLParam)
    {
        setObjectName(QString("%1:%2").arg(kind).arg(a.index));
    }

protected:
    void RefreshWindow(qintptr lParam) override
    {
        journal.push_back(objectName() + (lParam ? " lParam!" : ""));
    }
};

class Vren1PanelWindowsTest : public Vren1WindowTest
{
protected:
    void SetUp() override
    {
        Vren1WindowTest::SetUp();
        journal.clear();
        p = new TVren1Panel(&rack, &rack, "Rack1_VREN1", &frame, 0);
        p->setWindowClasses(standIns());
    }
    void TearDown() override
    {
        delete p.data();
        Vren1WindowTest::TearDown();
    }

    TChildFactory make(int kind)
    {
        return [this, kind](const TChildWindowArgs& a) -> QWidget* {
            ++made;
            lastArgs = a;
            return new StandIn(a, kind);
        };
    }
    TVren1WindowClasses standIns()
    {
        TVren1WindowClasses c;
        c.barGraph = make(v1kBarGraph);
        c.analogBarGraph = make(v1kBarGraph);
        c.histogram = make(v1kHistogram);
        c.dataTimePlot = make(v1kDataTimePlot);
        c.sisData = make(v1kSisData);
        c.padData = make(v1kPadData);
        c.spectrum = make(v1kSpectrum);
        c.timeAlign = make(v1kTimeAlign);
        c.taSettings = make(v1kTimeAlign);
        c.programSel = make(v1kProgramSel);
        c.settings = make(v1kSettings);
        c.berData = make(v1kBerData);
        c.alarmRelay = make(v1kAlarmRelay);
        c.sigInfo = make(v1kSigInfo);
        c.artistExperience = make(v1kArtistExperience);
        c.aeEventLog = make(v1kArtistExperience);
        c.historicalData = make(v1kHistoricalData);
        c.unitConfig = make(v1kUnitConfig);
        c.rawData = make(v1kRawData);
        return c;
    }
    QWidget* choose(int kind, int index)
    {
        QAction* a = p->menuEntry(kind, index);
        EXPECT_NE(a, nullptr) << kind << "," << index;
        if (!a)
            return nullptr;
        a->trigger();
        return p->children().find(TVren1Panel::registryKey(kind, index).first,
                                  TVren1Panel::registryKey(kind, index).second);
    }
    static void closeAndFree(QWidget* w)
    {
        w->close();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::sendPostedEvents();
    }

    QWidget rack;
    QPointer<TVren1Panel> p;
    int made = 0;
    TChildWindowArgs lastArgs;
};

QStringList captions(const QMenu* m)
{
    QStringList out;
    for (QAction* a : m->actions())
        if (!a->isSeparator())
            out << a->text() + (a->isVisible() ? "" : " [hidden]") +
                       (a->isEnabled() ? "" : " [off]");
    return out;
}

} // namespace

TEST(Vren1PanelMenu, EveryCaptionInOrderAndWhatThisBuildEnables)
{
    QWidget rack;
    TFrame2 frame{"Connect1"};
    TVren1Panel p(&rack, &rack, "Rack1_VREN1", &frame, 0);
    auto menu = [&](const char* name) { return p.PopupMenu1->findChild<QMenu*>(name); };

    EXPECT_EQ(captions(p.PopupMenu1),
              (QStringList{"BarGraph", "Histogram", "Data Vs Time Graph", "Historical Data 24 hr",
                           "SIS Data", "PAD Data", "SIG Information", "AAS/LOT Data", "Spectrum",
                           "Time/ Level  Alignment", "Program Select", "BER", "Relay Alarms",
                           "Settings", "Presets", "Unit Config", "Raw Data [hidden] [off]"}));
    EXPECT_EQ(captions(menu("BarGraph1")),
              (QStringList{"HD Audio: Analog", "HD Audio: HD1", "HD Audio: HD2", "HD Audio: HD3",
                           "HD Audio: HD4", "HD Audio: HD5", "HD Audio: HD6", "HD Audio: HD7",
                           "HD Audio: HD8", "Analog Readings"}));
    const QStringList histogram{
        "Total",      "Left",        "Right",       "L + R",         "L - R",         "Pilot Inj",
        "RDS Inj",    "HD Analog L", "HD Analog R", "HD Analog L+R", "HD Analog L-R", "HD1  L",
        "HD1  R",     "HD1  L + R",  "HD1  L - R",  "HD2  L",        "HD2  R",        "HD2  L + R",
        "HD2  L - R", "HD3  L",      "HD3  R",      "HD3  L + R",    "HD3  L - R",    "HD4  L",
        "HD4  R",     "HD4  L + R",  "HD4  L - R"};
    EXPECT_EQ(captions(menu("Histogram1")), histogram);
    EXPECT_EQ(captions(menu("DataVsTime1")).size(), 27);
    EXPECT_EQ(captions(menu("DataVsTime1")).value(4), "L-R");
    EXPECT_EQ(captions(menu("Historical1")), histogram);
    EXPECT_EQ(captions(menu("AASLOT1")), (QStringList{"Artist Experience", "Event Log"}));
    EXPECT_EQ(captions(menu("TimeAlign1")),
              (QStringList{"BarGraph and Status", "Histogram [hidden] [off]",
                           "Data vs Time Graph", "Historical Data 24 hr", "Settings"}));
    EXPECT_EQ(captions(menu("TA_Histogram1")),
              (QStringList{"Level Alignment", "Time Alignment", " Device Delay", " Delay Error",
                           " Delay Correction"}));
    EXPECT_EQ(captions(menu("TA_DataVsTime1")),
              (QStringList{"Level Alignment", "Time Alignment", "Device Delay", "Delay Error",
                           "Delay Correction"}));
    EXPECT_EQ(captions(menu("TA_Historical1")),
              (QStringList{"Level Alignment", "Time Alignment", "Device Delay", "Delay Error",
                           "Delay Correction"}));
    EXPECT_EQ(captions(menu("Presets1")), (QStringList{"Recall", " Save"}));
    EXPECT_EQ(captions(menu("Recall1")), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(captions(menu("Save1")), (QStringList{"1", "2", "3", "4", "5", "6"}));

    // The hidden histogram items open nothing.
    for (QAction* a : menu("TA_Histogram1")->actions())
        a->trigger();
    EXPECT_EQ(p.children().count(), 0);
}

TEST_F(Vren1PanelWindowsTest, EveryPairGetsItsWindowWithThePanelsArguments)
{
    struct Pair
    {
        int kind, index;
    };
    std::vector<Pair> pairs;
    for (int i = 0; i <= 9; ++i)
        pairs.push_back({v1kBarGraph, i});
    for (int i = 0; i < 27; ++i)
        pairs.insert(pairs.end(),
                     {{v1kHistogram, i}, {v1kDataTimePlot, i}, {v1kHistoricalData, i}});
    for (int i = 43; i <= 47; ++i)
        pairs.insert(pairs.end(), {{v1kDataTimePlot, i}, {v1kHistoricalData, i}});
    pairs.insert(pairs.end(), {{v1kSisData, 0},
                               {v1kPadData, 0},
                               {v1kSpectrum, 0},
                               {v1kTimeAlign, 0},
                               {v1kTimeAlign, 1},
                               {v1kProgramSel, 0},
                               {v1kSettings, 0},
                               {v1kBerData, 0},
                               {v1kSigInfo, 0},
                               {v1kArtistExperience, 0},
                               {v1kArtistExperience, 1},
                               {v1kUnitConfig, 0}});
    for (const Pair& pr : pairs) {
        QWidget* w = choose(pr.kind, pr.index);
        ASSERT_NE(w, nullptr) << pr.kind << "," << pr.index;
        EXPECT_EQ(w->objectName(), QString("%1:%2").arg(pr.kind).arg(pr.index));
        EXPECT_EQ(lastArgs.family, 4);
        EXPECT_EQ(lastArgs.instrument, 0);
        EXPECT_EQ(lastArgs.index, pr.index);
        EXPECT_EQ(lastArgs.ownerPanel, p.data());
        EXPECT_EQ(lastArgs.ownerHandle.data(), p.data());
        EXPECT_EQ(lastArgs.frame, &frame);
    }
    EXPECT_EQ(made, int(pairs.size()));
    // The raw-data entry is hidden but works.
    ASSERT_NE(choose(v1kRawData, 0), nullptr);
    EXPECT_EQ(p->children().count(), int(pairs.size()) + 1);
}

TEST_F(Vren1PanelWindowsTest, OneWindowPerPairAndANewOneAfterItClosed)
{
    QWidget* ber = choose(v1kBerData, 0);
    EXPECT_EQ(choose(v1kBerData, 0), ber);
    EXPECT_EQ(made, 1);
    closeAndFree(ber);
    EXPECT_EQ(p->children().find(v1kBerData, 0), nullptr);
    QWidget* again = choose(v1kBerData, 0);
    EXPECT_NE(again, nullptr);
    EXPECT_EQ(made, 2);
}

TEST_F(Vren1PanelWindowsTest, TheAlarmWindowIsMadeWithIndexThreeAndForgottenAsZero)
{
    QWidget* w = choose(v1kAlarmRelay, 0);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(lastArgs.index, 3);
    EXPECT_EQ(p->children().find(v1kAlarmRelay, 0), w);
    w->hide();
    p->ChildClosed(v1kAlarmRelay, 3);
    EXPECT_EQ(p->children().count(), 1) << "(10, 3) is not its slot";
    p->ChildClosed(v1kAlarmRelay, 0);
    EXPECT_EQ(p->children().count(), 0);
}

TEST_F(Vren1PanelWindowsTest, PairsOutsideTheTableClearNothing)
{
    QWidget* h = choose(v1kHistogram, 0);
    QWidget* t = choose(v1kHistoricalData, 26);
    h->hide();
    t->hide();
    for (auto [kind, index] : {std::pair{1, 48}, {20, 30}, {0, 10}, {13, 0}, {-1, 0}, {7, 1}})
        p->ChildClosed(kind, index);
    EXPECT_EQ(p->children().count(), 2);
    p->ChildClosed(v1kHistogram, 0);
    p->ChildClosed(v1kHistoricalData, 26);
    EXPECT_EQ(p->children().count(), 0);
}

TEST_F(Vren1PanelWindowsTest, RefreshesAreForwardedOncePerWindowInOrder)
{
    // Opened in another order than they are refreshed.
    const std::vector<std::pair<int, int>> opened = {
        {v1kUnitConfig, 0},       {v1kRawData, 0},          {v1kAlarmRelay, 0},
        {v1kBerData, 0},          {v1kTimeAlign, 1},        {v1kTimeAlign, 0},
        {v1kSpectrum, 0},         {v1kSettings, 0},         {v1kProgramSel, 0},
        {v1kArtistExperience, 1}, {v1kArtistExperience, 0}, {v1kSigInfo, 0},
        {v1kPadData, 0},          {v1kSisData, 0},          {v1kHistoricalData, 43},
        {v1kHistoricalData, 2},   {v1kDataTimePlot, 47},    {v1kDataTimePlot, 0},
        {v1kHistogram, 5},        {v1kBarGraph, 9},         {v1kBarGraph, 8},
        {v1kBarGraph, 0}};
    for (auto [k, i] : opened)
        choose(k, i);
    journal.clear();
    p->ForwardRefresh();
    EXPECT_TRUE(journal.empty()) << "posted, not sent";
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(journal,
              (std::vector<QString>{"0:0", "0:8", "0:9",  "1:5",  "2:0",  "2:47", "20:2", "20:43",
                                    "3:0", "4:0", "11:0", "12:0", "12:1", "7:0",  "8:0",  "5:0",
                                    "6:0", "6:1", "9:0",  "10:3", "99:0", "98:0"}));
}

TEST_F(Vren1PanelWindowsTest, EachPanelHasItsOwnUnitConfigurationWindow)
{
    QWidget rack2;
    TFrame2 frame2{"Connect2"};
    auto* p2 = new TVren1Panel(&rack2, &rack2, "Rack2_VREN1", &frame2, 0);
    p2->setWindowClasses(standIns());
    QWidget* first = choose(v1kUnitConfig, 0);
    p2->menuEntry(v1kUnitConfig, 0)->trigger();
    QWidget* second = p2->children().find(v1kUnitConfig, 0);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(lastArgs.frame, &frame2);
    delete p2;
}

TEST_F(Vren1PanelWindowsTest, FreeingThePanelWithWindowsOpenCrashesNothing)
{
    choose(v1kBerData, 0);
    choose(v1kBarGraph, 3);
    p->ForwardRefresh();
    delete p.data();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(p.isNull());
}
