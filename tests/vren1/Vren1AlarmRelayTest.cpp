#include "Vren1WindowSupport.h"

#include "models/Vren1AlarmRows.h"
#include "sim/hd/HdSim.h"
#include "vren1/Vren1_AlarmRelay.h"
#include "vren1/Vren1_Panel.h"
#include "widgets/Lamp.h"
#include "widgets/UpDown.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>
#include <functional>
#include <memory>

namespace {

void step(UpDown* u, bool up)
{
    u->findChild<QToolButton*>(up ? "Up" : "Down")->click();
}

// ---- The window -----------------------------------------------------------------

class Vren1AlarmRelayTest : public Vren1WindowTest
{
protected:
    Vren1AlarmRelayTest()
    {
        HdConfigRecord& c = frame.HdLocalConfig;
        for (int n = 1; n <= Vren1AlarmCount; ++n) {
            const TVren1AlarmRow& r = Vren1AlarmRows()[size_t(n - 1)];
            c[Vren1AlarmItemOf(Vren1AlarmThresholdId(n))] = r.min;
            c[Vren1AlarmItemOf(Vren1AlarmTimeId(n))] = 10;
            c[Vren1AlarmItemOf(Vren1AlarmActionId(n))] = 0;
        }
    }

    TVren1AlarmRelay* openWindow()
    {
        return open<TVren1AlarmRelay>(TVren1AlarmRelay::CreateIndex);
    }
    QList<QByteArray> takeLines()
    {
        QList<QByteArray> out;
        for (QByteArray l = takeLine(); !l.isEmpty(); l = takeLine())
            out << l;
        return out;
    }
    qint32& item(int id) { return frame.HdLocalConfig[Vren1AlarmItemOf(id)]; }
};

TEST_F(Vren1AlarmRelayTest, NameCaptionRowsAndARefillThatQueuesNothing)
{
    item(Vren1AlarmActionId(5)) = 0x5A;
    std::unique_ptr<TVren1AlarmRelay> w(openWindow());
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_VREN1AR3");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren1-1 Alarm/Relay");
    for (int n = 1; n <= Vren1AlarmCount; ++n) {
        const QString p = QString("AR%1_").arg(n);
        for (const char* c : {"Thres_ST", "Time_ST"})
            EXPECT_NE(w->findChild<QLabel*>(p + c), nullptr) << n << c;
        for (const char* c : {"Thres_UD", "Time_UD"})
            EXPECT_NE(w->findChild<UpDown*>(p + c), nullptr) << n << c;
        for (const char* c : {"RA_CB", "EA_CB", "DA_CB"})
            EXPECT_NE(w->findChild<QComboBox*>(p + c), nullptr) << n << c;
        EXPECT_NE(w->findChild<Lamp*>(p + "LED"), nullptr) << n;
        EXPECT_NE(w->findChild<QPushButton*>(n == 11 ? QString("Button11") : p + "TB"), nullptr)
            << n;
    }
    EXPECT_EQ(text(w.get(), "AR1_Thres_ST"), "-80.0 dB");
    EXPECT_EQ(text(w.get(), "AR4_Time_ST"), "  N/A  ");
    EXPECT_EQ(text(w.get(), "AR7_Thres_ST"), "  N/A  ");
    EXPECT_EQ(text(w.get(), "AR3_Time_ST"), " 10.0 sec");
    EXPECT_EQ(w->row(5).RA_CB->currentIndex(), 2);
    EXPECT_EQ(w->row(5).EA_CB->currentIndex(), 3);
    EXPECT_EQ(w->row(5).DA_CB->currentIndex(), 1);

    // The unit's report refills every row and asks for nothing.
    item(Vren1AlarmTimeId(3)) = 600;
    item(Vren1AlarmThresholdId(21)) = 0xFF06;
    frame.PageRefresh.raise(prAlarms);
    refresh(w.get());
    EXPECT_FALSE(frame.PageRefresh.isRaised(prAlarms));
    EXPECT_EQ(text(w.get(), "AR3_Time_ST"), "600.0 sec");
    EXPECT_EQ(w->row(21).Thres_UD->position(), -250);
    EXPECT_EQ(text(w.get(), "AR21_Thres_ST"), " -250 sam");
    EXPECT_TRUE(takeLines().isEmpty());
}

TEST_F(Vren1AlarmRelayTest, EachControlStoresFirstThenQueuesItsExactLine)
{
    std::unique_ptr<TVren1AlarmRelay> w(openWindow());
    // Row 21 sits at -250 already; one step up and one down brings it back.
    // The line reads the frame when it leaves, so each is taken at once.
    step(w->row(21).Thres_UD, true);
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"CC00A1FF074B\r"}));
    step(w->row(21).Thres_UD, false);
    EXPECT_EQ(item(Vren1AlarmThresholdId(21)), -250);
    EXPECT_EQ(text(w.get(), "AR21_Thres_ST"), " -250 sam");
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"CC00A1FF064A\r"}));

    step(w->row(11).Thres_UD, true);
    step(w->row(11).Thres_UD, false);
    EXPECT_EQ(text(w.get(), "AR11_Thres_ST"), " 30.0 dB");
    EXPECT_EQ(takeLines().last(), "CC0083012C27\r");

    item(Vren1AlarmActionId(1)) = 0x88;
    w->row(1).RA_CB->activated(2);
    EXPECT_EQ(item(Vren1AlarmActionId(1)), 0x8A);
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"CC00678ACC\r"}));

    w->findChild<QPushButton*>("Button11")->click();
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"PB021A0BD8\r"}));
}

TEST_F(Vren1AlarmRelayTest, FieldsNotUsedStoreLocallyAndSendNothing)
{
    std::unique_ptr<TVren1AlarmRelay> w(openWindow());
    for (int n : {7, 8, 9, 22}) {
        step(w->row(n).Thres_UD, true);
        EXPECT_EQ(item(Vren1AlarmThresholdId(n)), Vren1AlarmRows()[size_t(n - 1)].step) << n;
        EXPECT_EQ(text(w.get(), QString("AR%1_Thres_ST").arg(n)), "  N/A  ") << n;
    }
    step(w->row(4).Time_UD, true);
    EXPECT_EQ(item(Vren1AlarmTimeId(4)), 11);
    EXPECT_EQ(text(w.get(), "AR4_Time_ST"), "  N/A  ");
    EXPECT_TRUE(takeLines().isEmpty());
}

TEST_F(Vren1AlarmRelayTest, LampsFollowTheMasksOnARefreshWithLowWordZero)
{
    std::unique_ptr<TVren1AlarmRelay> w(openWindow());
    frame.HdAlarmMasks = {qint32(0x3), qint32(0x2)};
    refresh(w.get(), 0x0001);
    EXPECT_EQ(w->row(1).LED->color(), QColor(0, 255, 0)) << "lParam 1 is not for this window";
    refresh(w.get(), 0x10000);
    EXPECT_EQ(w->row(1).LED->color(), QColor(255, 0, 0));
    EXPECT_EQ(w->row(2).LED->color(), QColor(255, 255, 0));
    EXPECT_EQ(w->row(3).LED->color(), QColor(0, 255, 0));
}

TEST_F(Vren1AlarmRelayTest, AnObserverChangesNothing)
{
    frame.ReadOnlyAccess = true;
    std::unique_ptr<TVren1AlarmRelay> w(openWindow());
    for (int n = 1; n <= Vren1AlarmCount; ++n) {
        const auto& r = w->row(n);
        for (QWidget* c : std::initializer_list<QWidget*>{r.Thres_UD, r.Time_UD, r.RA_CB, r.EA_CB,
                                                          r.DA_CB, r.TB})
            EXPECT_FALSE(c->isEnabled()) << n << qPrintable(c->objectName());
    }
}

TEST_F(Vren1AlarmRelayTest, ClosingPostsKindTenIndexZero)
{
    auto* w = openWindow();
    w->close();
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(closedRecorder.closed.size(), 1u);
    EXPECT_EQ(closedRecorder.closed[0].first, 10);
    EXPECT_EQ(closedRecorder.closed[0].second, 0);
}

// ---- The whole program against the simulated unit -------------------------------

TEST(Vren1AlarmRelayProgram, OpensFromTheMenuSendsToTheUnitAndIsForgottenOnClose)
{
    TEventLog log;
    MessageLines = &log;
    HdSim sim;
    sim.network = true;
    QWidget rack;
    const int cdnoItem = Vren1AlarmItemOf(Vren1AlarmThresholdId(11));
    const auto tick = [](TFrame2& frame, const std::function<bool()>& pred, int maxTicks) {
        return TickFrameUntil(frame, pred, maxTicks, 40);
    };
    const std::unique_ptr<TFrame2> f = LoginToSim(
        {htHDSystem, sim.listenTcp(), "Studio B"}, tick,
        [&](const TFrame2& frame) {
            return frame.HdLocalConfig[cdnoItem] == sim.unit().HdLocalConfig[cdnoItem];
        },
        80);
    ASSERT_FALSE(HasFailure());
    auto tickUntil = [&](const std::function<bool()>& pred, int maxTicks) {
        return tick(*f, pred, maxTicks);
    };

    {
        TVren1Panel p(&rack, &rack, "Rack1_VREN1", f.get(), 0);
        QAction* entry = p.menuEntry(v1kAlarmRelay, 0);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->isEnabled());
        entry->trigger();
        auto* w = p.findChild<TVren1AlarmRelay*>();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->objectName(), "Rack1_VREN1_VREN1AR3");
        EXPECT_EQ(w->row(11).Thres_UD->position(),
                  qBound(300, Vren1AlarmThresholdValue(f->HdLocalConfig[cdnoItem]), 800));

        // Set the CD/NO threshold to 31.0 dB: the unit gets the line and its
        // echo comes back through the alarm page flag.
        w->row(11).Thres_UD->setPosition(300);
        step(w->row(11).Thres_UD, true);
        ASSERT_TRUE(tickUntil(
            [&] {
                return !sim.requestLines().isEmpty() &&
                       sim.requestLines().last().startsWith("CC00830136");
            },
            40));
        ASSERT_TRUE(tickUntil([&] { return f->PageRefresh.isRaised(prAlarms); }, 80));
        PostMessage(QPointer<QWidget>(w), UM_HD_REFRESH, 0, 0);
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(w->row(11).Thres_UD->position(), 310);
        EXPECT_EQ(w->row(11).Thres_ST->text(), " 31.0 dB");

        w->close();
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(p.children().count(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        entry->trigger();
        auto* again = p.findChild<TVren1AlarmRelay*>();
        ASSERT_NE(again, nullptr);
        EXPECT_NE(p.children().count(), 0);
    }
    MessageLines = nullptr;
}

} // namespace
