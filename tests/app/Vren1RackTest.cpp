// The whole program against simulated HD units: the rack makes the Vren1
// panel, the panel shows the unit's values, and its controls and windows
// reach the unit.
#include "TestSupport.h"

#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "data/EventLog.h"
#include "link/Frame2.h"
#include "shell/Rack.h"
#include "sim/hd/HdSim.h"
#include "vren1/HD_AEFrame.h"
#include "vren1/HD_ArtistExperience.h"
#include "vren1/HD_BERData.h"
#include "vren1/HD_Config.h"
#include "vren1/HD_Data.h"
#include "vren1/Vren1_Panel.h"
#include "widgets/Lamp.h"
#include "widgets/ReadoutLabel.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

class Vren1RackTest : public ::testing::Test
{
protected:
    void configure(int n, HdSim& unit, const QString& rackCaption)
    {
        const QString name = QString("Connect%1").arg(n);
        TConnectionSettings s = DefaultSettings(name, base.path());
        s.HardwareType = htHDSystem;
        s.Transport = trNetwork;
        s.ConnectOnStartup = true;
        s.IpAddress = "127.0.0.1";
        s.TcpPort = unit.listenTcp();
        s.RackCaption = rackCaption;
        base.writeConfig(name, s);
    }
    void TearDown() override
    {
        DestroyForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void takeOverTimers()
    {
        Main->Timer1->stop();
        for (int n = 1; n <= 8; ++n)
            frame(n)->Timer1->stop();
    }
    bool tickUntil(std::initializer_list<int> connections, const std::function<bool()>& pred,
                   int maxTicks = 150)
    {
        for (int i = 0; i < maxTicks; ++i) {
            if (pred())
                return true;
            for (int n : connections)
                frame(n)->Timer1Timer();
            pump(30);
        }
        return pred();
    }
    bool active(int n)
    {
        return tickUntil({n}, [&] {
            return frame(n)->Status == stActive && frame(n)->ProcessState == 4 &&
                   frame(n)->HdLocalConfig[2] != 0;
        });
    }
    TFrame2* frame(int n) const { return Connects->ConnectionByIndex(n); }
    static TVren1Panel* panelOf(TRack* rack, const char* name = "Rack1_VREN1")
    {
        return rack ? rack->findChild<TVren1Panel*>(name) : nullptr;
    }
    bool startWithPanelInRack1()
    {
        CreateForms();
        takeOverTimers();
        if (!active(1))
            return false;
        Main->Timer1Timer();
        return tickUntil({1}, [&] { return panelOf(Main->Rack1) != nullptr; });
    }
    static bool received(const HdSim& unit, const QByteArray& line)
    {
        return unit.requestLines().contains(line);
    }
    static QString glyph(TVren1Panel* p, int n)
    {
        return p->PS_HD_D1[size_t(n - 1)]->property("glyph").toString();
    }

    TempBase base;
};

} // namespace

TEST_F(Vren1RackTest, AnActiveVren1GetsItsPanelShowingTheUnit)
{
    HdSim unit;
    unit.fields.service.CdNo = 65.53;
    configure(1, unit, "Studio B HD");
    CreateForms();
    ASSERT_TRUE(waitFor([&] { return frame(1)->Status == stActive; }, 20000));
    ASSERT_TRUE(waitFor([&] { return panelOf(Main->Rack1) != nullptr; }, 2200));
    TRack* rack = Main->Rack1;
    TVren1Panel* p = panelOf(rack);
    EXPECT_EQ(p->parentWidget(), rack);
    EXPECT_EQ(p->size(), QSize(600, 260));
    EXPECT_EQ(p->y(), 0);
    EXPECT_TRUE(waitFor([&] { return p->LCD_NO->text() == "65.53 dB"; }, 3000));
    EXPECT_EQ(p->FreqLabel->text(), "100.1");
    EXPECT_EQ(p->LED1->color(), TVren1Panel::Lime);
    EXPECT_EQ(p->LED3->color(), TVren1Panel::Lime);
    EXPECT_EQ(glyph(p, 1), "green") << "the unit plays HD1 on D1";
    EXPECT_EQ(glyph(p, 5), "black");
}

TEST_F(Vren1RackTest, ProgramsPresetsTuningAndBerReachTheUnit)
{
    HdSim unit;
    unit.fields.service.ProgramsMask[0] = 0x1F;
    unit.currentProgramDelayBlocks = 4;
    configure(1, unit, "Studio B HD");
    ASSERT_TRUE(startWithPanelInRack1());
    TVren1Panel* p = panelOf(Main->Rack1);
    ASSERT_TRUE(tickUntil({1}, [&] { return p->PS_HD_D1[4]->isEnabled(); }));

    QTest::mouseClick(p->PS_HD_D1[4], Qt::LeftButton);
    EXPECT_EQ(glyph(p, 5), "red");
    ASSERT_TRUE(tickUntil({1}, [&] { return received(unit, "PB020504BD"); }));
    EXPECT_EQ(glyph(p, 5), "red") << "the unit has not switched yet";
    ASSERT_TRUE(tickUntil({1}, [&] { return glyph(p, 5) == "green"; }));
    EXPECT_EQ(frame(1)->HdLocalConfig[162], 16);

    // Save the tuning 87.5 as preset 6, tune away, recall it.
    p->Tuning_TB->setValue(0);
    ASSERT_TRUE(tickUntil({1}, [&] { return received(unit, "CC000F036B37"); }));
    p->PopupMenu1->findChild<QAction*>("PSave6")->trigger();
    ASSERT_TRUE(tickUntil({1}, [&] { return received(unit, "CC00E906CA"); }));
    p->Tuning_TB->setValue(63);
    ASSERT_TRUE(tickUntil({1}, [&] { return received(unit, "CC000F03E93D"); }));
    QTest::mouseClick(p->P_Label[5], Qt::LeftButton);
    ASSERT_TRUE(tickUntil({1}, [&] { return received(unit, "CC00E806C9"); }));
    EXPECT_EQ(unit.unit().HdLocalConfig[1], 6);
    EXPECT_EQ(unit.unit().HdLocalConfig[2], 875);

    // BER: counts rise after ACQUIRE and read N/A after RESET.
    p->menuEntry(v1kBerData, 0)->trigger();
    auto* ber = p->children().find(v1kBerData, 0);
    ASSERT_NE(ber, nullptr);
    auto* bt = ber->findChild<QLabel*>("P1_BT");
    ber->findChild<QPushButton*>("Button1")->click();
    ASSERT_TRUE(tickUntil({1}, [&] { return received(unit, "PB02095D"); }));
    ASSERT_TRUE(tickUntil({1}, [&] { return bt->text() != "N/A" && bt->text() != "   1000001"; }));
    const qint64 first = bt->text().trimmed().toLongLong();
    ASSERT_TRUE(tickUntil({1}, [&] { return bt->text().trimmed().toLongLong() > first; }));
    ber->findChild<QPushButton*>("Button2")->click();
    ASSERT_TRUE(tickUntil({1}, [&] { return bt->text() == "N/A"; }));
    EXPECT_EQ(ber->findChild<QLabel*>("PIDS_BLER")->text(), "N/A");
}

TEST_F(Vren1RackTest, UnderTheSProtocolTheEchoKeepsTheSelectionAsABit)
{
    HdSim unit;
    unit.prompt = HdSim::Prompt::SProtocol;
    unit.fields.service.ProgramsMask[0] = 0x1F;
    configure(1, unit, "Studio B HD");
    ASSERT_TRUE(startWithPanelInRack1());
    TVren1Panel* p = panelOf(Main->Rack1);
    ASSERT_TRUE(tickUntil({1}, [&] { return p->PS_HD_D1[4]->isEnabled(); }));
    QTest::mouseClick(p->PS_HD_D1[4], Qt::LeftButton);
    ASSERT_TRUE(tickUntil({1}, [&] { return received(unit, "PB020504BD"); }));
    ASSERT_TRUE(tickUntil({1}, [&] { return glyph(p, 5) == "green"; }));
    tickUntil(
        {1}, [] { return false; }, 10);
    EXPECT_EQ(frame(1)->HdLocalConfig[162], 16);
    EXPECT_EQ(glyph(p, 5), "green");
}

TEST_F(Vren1RackTest, BitCountsPastTwoToTheThirtyOneReadUnsigned)
{
    HdSim unit;
    unit.berStartBitsP1 = 2999900000u;
    configure(1, unit, "Studio B HD");
    ASSERT_TRUE(startWithPanelInRack1());
    TVren1Panel* p = panelOf(Main->Rack1);
    p->menuEntry(v1kBerData, 0)->trigger();
    auto* ber = qobject_cast<THDBERData*>(p->children().find(v1kBerData, 0));
    ASSERT_NE(ber, nullptr);
    ber->Button1->click();
    ASSERT_TRUE(tickUntil(
        {1}, [&] { return ber->Texts[0][0]->text().trimmed().toLongLong() >= 3000000000LL; }));
    EXPECT_FALSE(ber->Texts[0][0]->text().contains('-'));
    EXPECT_FALSE(ber->Texts[0][2]->text().contains('-'));
}

TEST_F(Vren1RackTest, APrak1GetsAnEmptyRackAndNoPanel)
{
    TEventLog log;
    MessageLines = &log;
    HdSim unit;
    unit.setModel(HdSim::Model::Prak1);
    configure(1, unit, "Studio C");
    CreateForms();
    takeOverTimers();
    ASSERT_TRUE(tickUntil(
        {1}, [&] { return frame(1)->Status == stActive && frame(1)->ProcessState == 4; }));
    Main->Timer1Timer();
    ASSERT_TRUE(tickUntil({1}, [&] { return Main->Rack1 != nullptr; }));
    const QSize designed = Main->Rack1->size();
    tickUntil(
        {1}, [] { return false; }, 20);
    EXPECT_TRUE(Main->Rack1->findChildren<TPanelBase*>().isEmpty());
    EXPECT_EQ(Main->Rack1->size(), designed);
    for (const QString& l : logOldestFirst())
        EXPECT_FALSE(l.contains("ERROR")) << qPrintable(l);
    MessageLines = nullptr;
}

TEST_F(Vren1RackTest, TwoConnectionsKeepTheirGlyphsWhenTheFirstGoes)
{
    HdSim unit1, unit2;
    unit2.fields.service.CurrentProgram[0] = 2;
    configure(1, unit1, "One");
    configure(2, unit2, "Two");
    CreateForms();
    takeOverTimers();
    ASSERT_TRUE(active(1));
    ASSERT_TRUE(active(2));
    Main->Timer1Timer();
    ASSERT_TRUE(tickUntil(
        {1, 2}, [&] { return panelOf(Main->Rack1) && panelOf(Main->Rack2, "Rack2_VREN1"); }));
    TVren1Panel* second = panelOf(Main->Rack2, "Rack2_VREN1");

    unit1.dropLink();
    ASSERT_TRUE(tickUntil({1, 2}, [&] { return frame(1)->Status == stError; }));
    Main->Timer1Timer();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Main->Rack1, nullptr);

    // The second panel still draws with the shared glyphs.
    ASSERT_TRUE(tickUntil({2}, [&] { return second->PS_HD_D1[1]->isEnabled(); }));
    QTest::mouseClick(second->PS_HD_D1[1], Qt::LeftButton);
    EXPECT_EQ(glyph(second, 2), "green");
    tickUntil(
        {2}, [] { return false; }, 10);
    EXPECT_FALSE(second->grab().isNull());
    EXPECT_FALSE(second->PS_HD_D1[1]->icon().pixmap(14).isNull());
}

// The data-service and alignment windows open from the menu, show the unit's
// values, are forgotten when closed and open anew; when the unit drops the
// link they go with the rack at the next one-second tick.
TEST_F(Vren1RackTest, DataServiceWindowsOpenFromTheMenuAndGoWithTheLink)
{
    HdSim unit;
    unit.blockIntervalMs = 60;
    unit.fields.service.SisPortId = 3;
    configure(1, unit, "Studio B HD");
    ASSERT_TRUE(startWithPanelInRack1());
    TVren1Panel* p = panelOf(Main->Rack1);
    const struct
    {
        int kind, index;
    } pairs[] = {{v1kSisData, 0},          {v1kPadData, 0},          {v1kSigInfo, 0},
                 {v1kRawData, 0},          {v1kArtistExperience, 0}, {v1kArtistExperience, 1},
                 {v1kTimeAlign, 0}};
    std::vector<QPointer<QWidget>> windows;
    for (const auto& w : pairs) {
        p->menuEntry(w.kind, w.index)->trigger();
        QPointer<QWidget> first = p->children().find(w.kind, w.index);
        ASSERT_FALSE(first.isNull()) << w.kind << "," << w.index;
        first->close();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(first.isNull());
        EXPECT_EQ(p->children().find(w.kind, w.index), nullptr);
        p->menuEntry(w.kind, w.index)->trigger();
        windows.emplace_back(p->children().find(w.kind, w.index));
        ASSERT_FALSE(windows.back().isNull()) << "opened again";
    }
    auto label = [&](int k, const char* name) {
        auto* l = windows[size_t(k)]->findChild<QLabel*>(name);
        return l ? l->text() : QString("<none>");
    };
    auto* ae = qobject_cast<TArtistExperience*>(windows[4].data());
    ASSERT_NE(ae, nullptr);
    auto* sig = windows[2]->findChild<QTreeWidget*>("ListView2");
    auto* lot = windows[5]->findChild<QTreeWidget*>("ListView1");
    ASSERT_TRUE(tickUntil(
        {1},
        [&] {
            return label(0, "LPort_ID") == "3" && sig->topLevelItemCount() > 0 &&
                   label(3, "Label2").endsWith(" Good Checksum") &&
                   !ae->MultFrames[1]->Frames[2]->Image1->pixmap().isNull() &&
                   lot->topLevelItemCount() > 0 &&
                   label(6, "StatusStaticText") == "  Active       ";
        },
        300));
    EXPECT_EQ(sig->topLevelItem(0)->text(1), " :0001");
    EXPECT_EQ(ae->MultFrames[1]->Frames[2]->Dimen_LB->text(), " 60 x  80");

    unit.dropLink();
    ASSERT_TRUE(tickUntil({1}, [&] { return frame(1)->Status == stError; }));
    for (const QPointer<QWidget>& w : windows)
        EXPECT_FALSE(w.isNull()) << "until the main window's tick";
    Main->Timer1Timer();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Main->Rack1, nullptr);
    for (const QPointer<QWidget>& w : windows)
        EXPECT_TRUE(w.isNull());
    // The frame's later ticks post to nothing freed.
    tickUntil(
        {1}, [] { return false; }, 10);
}

namespace {

// Closes a window as the user does and lets it go.
void closeAndFree(QWidget* w)
{
    w->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool downloaded(const THData* w)
{
    return w->windowTitle() == "Complete" && w->HasData;
}

} // namespace

TEST_F(Vren1RackTest, HistoryAndUnitConfigOpenFromTheMenuAndClosingFreesTheirPlaces)
{
    HdSim unit;
    unit.blockIntervalMs = 25;
    configure(1, unit, "Studio B HD");
    ASSERT_TRUE(startWithPanelInRack1());
    TVren1Panel* p = panelOf(Main->Rack1);
    auto action = [&](const char* name) { return p->PopupMenu1->findChild<QAction*>(name); };

    ASSERT_TRUE(action("Historical_0")->isEnabled());
    action("Historical_0")->trigger();
    QPointer<THData> total = qobject_cast<THData*>(p->children().find(v1kHistoricalData, 0));
    ASSERT_FALSE(total.isNull());
    EXPECT_EQ(total->objectName(), "Rack1_VREN1_HData00");
    EXPECT_EQ(total->windowTitle(), " Studio B HD  Vren-1 TOTAL");
    ASSERT_TRUE(tickUntil(
        {1}, [&] { return downloaded(total); }, 400));
    EXPECT_EQ(total->ListBox1->item(0)->text(), "HData ID:    0");

    ASSERT_TRUE(action("TA_Historical_43")->isEnabled());
    action("TA_Historical_43")->trigger();
    QPointer<THData> level = qobject_cast<THData*>(p->children().find(v1kHistoricalData, 43));
    ASSERT_FALSE(level.isNull());
    EXPECT_EQ(level->objectName(), "Rack1_VREN1_HData43");
    ASSERT_TRUE(tickUntil(
        {1}, [&] { return downloaded(level); }, 400));
    EXPECT_EQ(level->ListBox1->item(1)->text(), "HData Type:    4");
    EXPECT_TRUE(received(unit, "SH00FB"));
    EXPECT_TRUE(received(unit, "SH2B0F"));
    EXPECT_EQ(total->ListBox1->item(0)->text(), "HData ID:    0") << "each keeps its own day";

    ASSERT_TRUE(action("UnitConfig1")->isEnabled());
    action("UnitConfig1")->trigger();
    QPointer<THDConfig> config = qobject_cast<THDConfig*>(p->children().find(v1kUnitConfig, 0));
    ASSERT_FALSE(config.isNull());
    EXPECT_EQ(config->objectName(), "Rack1_VREN1_HDCONFIG0");
    auto* rows = config->findChild<QTreeWidget*>("ListView1");
    ASSERT_TRUE(tickUntil({1}, [&] { return rows->topLevelItem(1)->text(1) == "100.1 MHz"; }));
    for (int r = 0; r < rows->topLevelItemCount(); ++r)
        EXPECT_EQ(rows->topLevelItem(r)->text(1), rows->topLevelItem(r)->text(2)) << r;

    // Closing frees each window's place: the entry opens a new one.
    const std::vector<std::tuple<QPointer<QWidget>, int, int>> opened{
        {total.data(), v1kHistoricalData, 0},
        {level.data(), v1kHistoricalData, 43},
        {config.data(), v1kUnitConfig, 0}};
    for (const auto& [w, kind, index] : opened) {
        closeAndFree(w);
        EXPECT_TRUE(w.isNull()) << kind << " " << index;
        EXPECT_EQ(p->children().find(kind, index), nullptr) << kind << " " << index;
    }
    action("Historical_0")->trigger();
    auto* again = qobject_cast<THData*>(p->children().find(v1kHistoricalData, 0));
    ASSERT_NE(again, nullptr);
    ASSERT_TRUE(tickUntil(
        {1}, [&] { return downloaded(again); }, 400));
}

TEST_F(Vren1RackTest, ALinkDroppedMidDownloadFreesTheRackAndItsWindowsAtTheNextTick)
{
    TEventLog log;
    MessageLines = &log;
    HdSim unit;
    unit.blockIntervalMs = 25;
    configure(1, unit, "Studio B HD");
    ASSERT_TRUE(startWithPanelInRack1());
    TVren1Panel* p = panelOf(Main->Rack1);
    p->PopupMenu1->findChild<QAction*>("UnitConfig1")->trigger();
    p->PopupMenu1->findChild<QAction*>("Historical_0")->trigger();
    QPointer<QWidget> config = p->children().find(v1kUnitConfig, 0);
    QPointer<THData> total = qobject_cast<THData*>(p->children().find(v1kHistoricalData, 0));
    ASSERT_FALSE(config.isNull());
    ASSERT_FALSE(total.isNull());
    ASSERT_TRUE(tickUntil({1}, [&] {
        const QString t = total->windowTitle();
        return t.startsWith("Downloading(") && t != "Downloading( 0.0%)";
    }));
    const QPointer<TRack> rack = Main->Rack1;
    const QPointer<TVren1Panel> panel = p;

    unit.dropLink();
    ASSERT_TRUE(tickUntil({1}, [&] { return frame(1)->Status == stError; }));
    EXPECT_GE(countLogLines("ERROR"), 1) << "the engineer is told";
    Main->Timer1Timer();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Main->Rack1, nullptr);
    EXPECT_TRUE(rack.isNull());
    EXPECT_TRUE(panel.isNull());
    EXPECT_TRUE(total.isNull());
    EXPECT_TRUE(config.isNull());

    // The frame and the main window go on ticking with nothing left to post
    // to (the sanitizers catch a message to a freed window).
    for (int i = 0; i < 10; ++i) {
        frame(1)->Timer1Timer();
        Main->Timer1Timer();
        pump(20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    MessageLines = nullptr;
}
