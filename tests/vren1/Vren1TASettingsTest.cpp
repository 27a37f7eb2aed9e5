#include "Vren1WindowSupport.h"

#include "models/HdTaSettingsTexts.h"
#include "sim/hd/HdSim.h"
#include "vren1/Vren1_Panel.h"
#include "vren1/Vren1_TAConfigFrame.h"
#include "vren1/Vren1_TAScanFrame.h"
#include "vren1/Vren1_TASettings.h"
#include "widgets/UpDown.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

namespace {

void step(UpDown* u, bool up)
{
    u->findChild<QToolButton*>(up ? "Up" : "Down")->click();
}

class Vren1TASettingsTest : public Vren1WindowTest
{
protected:
    Vren1TASettingsTest()
    {
        TTimeAlignConfigTable& t = frame.TimeAlignConfigs;
        t.CurrentConfig = 1;
        for (int c = 0; c < HdTaConfigCount; ++c) {
            t.Mode[c] = c % 3;
            t.DelayCenterS[c] = c + 1;
            t.DelayCenterMs[c] = 100 + c;
            t.DelayCenterUs[c] = 200 + c;
            t.Rate[c] = c;
            t.Ramp[c] = 10 + c;
            t.Offset[c] = 500 + c;
            t.Device[c] = 10 + c;
            t.User[c] = QString("user%1").arg(c + 1);
            t.Password[c] = QString("pw%1").arg(c + 1);
            t.IpOctet1[c] = 192;
            t.IpOctet2[c] = 168;
            t.IpOctet3[c] = 1;
            t.IpOctet4[c] = 10 + c;
            t.PortDigit1[c] = 1;
            t.PortDigit2[c] = 0;
            t.PortDigit3[c] = 0;
            t.PortDigit4[c] = 0;
            t.PortDigit5[c] = c;
            t.Connect[c] = c % 2;
        }
        t.ScanMode = 0;
        for (int i = 0; i < HdScanEntries; ++i) {
            t.ScanFreq[i] = 881 + 2 * i;
            t.ScanTime[i] = 5 + i;
        }
        t.ScanFreq[0] = 1079;
    }

    std::unique_ptr<TVren1TASettings> openWindow()
    {
        return std::unique_ptr<TVren1TASettings>(open<TVren1TASettings>(TVren1TASettings::Index));
    }
    QList<QByteArray> takeLines()
    {
        QList<QByteArray> out;
        for (QByteArray l = takeLine(); !l.isEmpty(); l = takeLine())
            out << l;
        return out;
    }
    static TTA_Config_Frame* config(TVren1TASettings* w, int k)
    {
        return w->findChild<TTA_Config_Frame*>(QString("TTA_Config_Frame%1").arg(k));
    }
    static TTA_Scan_Frame* scan(TVren1TASettings* w, int k)
    {
        return w->findChild<TTA_Scan_Frame*>(QString("TA_Scan_Frame%1").arg(k));
    }
    static QColor colour(QWidget* w, QPalette::ColorRole role) { return w->palette().color(role); }
};

TEST_F(Vren1TASettingsTest, PagesFramesAndARefillThatQueuesNothing)
{
    auto w = openWindow();
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDTASETTINGS1");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren1-1 Time Align Settings");
    EXPECT_LE(w->width(), 735);
    EXPECT_LE(w->height(), 500);
    ASSERT_EQ(w->PageControl1->count(), 7);
    EXPECT_EQ(w->PageControl1->tabText(0), "Multi-Scan");
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(w->PageControl1->tabText(k), QString(" Config #%1 ").arg(k));
        TTA_Scan_Frame* s = scan(w.get(), k);
        ASSERT_NE(s, nullptr) << k;
        EXPECT_EQ(s->ScanNumber, k);
        EXPECT_EQ(s->GroupBox1->title(), QString(" #%1 ").arg(k));
        EXPECT_EQ(s->Frame, &frame);
        TTA_Config_Frame* c = config(w.get(), k);
        ASSERT_NE(c, nullptr) << k;
        EXPECT_EQ(c->ConfigNumber, k);
        EXPECT_EQ(c->Frame, &frame);
        EXPECT_EQ(c->parentWidget(), w->PageControl1->widget(k));
        for (const char* name : {"Mode_CB", "Rate_CB", "Device_CB", "Connect_CB"})
            EXPECT_NE(c->findChild<QComboBox*>(name), nullptr) << k << name;
        for (const char* name : {"Dly_Ctr_S_UD", "Dly_Ctr_MS_UD", "Dly_Ctr_US_UD", "Ramp_UD",
                                 "Offset_UD", "IP_ADR1_UD", "IP_ADR4_UD", "Port1_UD", "Port5_UD"})
            EXPECT_NE(c->findChild<UpDown*>(name), nullptr) << k << name;
        for (const char* name : {"UserEdit", "PassEdit"})
            EXPECT_NE(c->findChild<QLineEdit*>(name), nullptr) << k << name;
        for (const char* name : {"Apply_Button", "Button1"})
            EXPECT_NE(c->findChild<QPushButton*>(name), nullptr) << k << name;
        for (const char* name : {"Apply_Status_ST", "Apply_Req_ST"})
            EXPECT_NE(c->findChild<QLabel*>(name), nullptr) << k << name;
    }
    EXPECT_EQ(w->ScanMode_CB->currentIndex(), 0);
    TTA_Scan_Frame* s1 = scan(w.get(), 1);
    EXPECT_EQ(s1->TuningFreq_UD->position(), 102);
    EXPECT_EQ(s1->TuningFreq_ST->text(), "107.9 MHz");
    EXPECT_EQ(scan(w.get(), 6)->Time_ST->text(), " 10");

    // Configuration 2 as the refill writes it: the ramp without a blank, the
    // port digits in one place.
    TTA_Config_Frame* c2 = config(w.get(), 2);
    EXPECT_EQ(c2->Mode_CB->currentIndex(), 1);
    EXPECT_EQ(c2->Dly_Ctr_S_ST->text(), "  2 sec");
    EXPECT_EQ(c2->Dly_Ctr_MS_ST->text(), "101 ms");
    EXPECT_EQ(c2->Dly_Ctr_US_ST->text(), "201 us");
    EXPECT_EQ(c2->Rate_CB->currentIndex(), 1);
    EXPECT_EQ(c2->Ramp_ST->text(), " 11ms");
    EXPECT_EQ(c2->Offset_ST->text(), "501 samples");
    EXPECT_EQ(c2->Device_CB->currentText().trimmed(), "Universal FM");
    EXPECT_EQ(c2->UserEdit->text(), "user2");
    EXPECT_EQ(c2->PassEdit->text(), "pw2");
    EXPECT_EQ(c2->IP_ADR_ST[0]->text(), "192");
    EXPECT_EQ(c2->IP_ADR_ST[3]->text(), " 11");
    EXPECT_EQ(c2->Port_ST[0]->text(), "1");
    EXPECT_EQ(c2->Port_ST[4]->text(), "1");
    EXPECT_EQ(c2->Connect_CB->currentIndex(), 1);
    EXPECT_TRUE(takeLines().isEmpty());

    // The unit's report refills every page through flag 7 and asks for nothing;
    // a refresh without the flag leaves the controls alone.
    TTimeAlignConfigTable& t = frame.TimeAlignConfigs;
    t.ScanMode = 1;
    t.ScanFreq[2] = 875;
    t.Device[5] = 16;
    t.User[3] = "ops";
    t.Ramp[0] = 30;
    t.Offset[0] = 1000;
    t.Device[1] = 17; // past the list: no selection
    refresh(w.get());
    EXPECT_EQ(w->ScanMode_CB->currentIndex(), 0);
    frame.PageRefresh.raise(prHdTimeAlignSettings);
    refresh(w.get());
    EXPECT_FALSE(frame.PageRefresh.isRaised(prHdTimeAlignSettings));
    EXPECT_EQ(w->ScanMode_CB->currentIndex(), 1);
    EXPECT_EQ(scan(w.get(), 3)->TuningFreq_ST->text(), " 87.5 MHz");
    EXPECT_EQ(config(w.get(), 6)->Device_CB->currentText().trimmed(), "Sonifex HD");
    EXPECT_EQ(config(w.get(), 4)->UserEdit->text(), "ops");
    EXPECT_EQ(config(w.get(), 1)->Ramp_ST->text(), " 30ms");
    EXPECT_EQ(config(w.get(), 1)->Offset_ST->text(), "1000 samples");
    EXPECT_EQ(c2->Device_CB->currentIndex(), -1);
    EXPECT_TRUE(takeLines().isEmpty());

    // A refresh with lParam other than 0 is not for this window.
    frame.PageRefresh.raise(prHdTimeAlignSettings);
    refresh(w.get(), 1);
    EXPECT_TRUE(frame.PageRefresh.isRaised(prHdTimeAlignSettings));
}

TEST_F(Vren1TASettingsTest, DelayCentreTakesTheDeviceDelayInThreeRequests)
{
    auto w = openWindow();
    TTA_Config_Frame* c2 = config(w.get(), 2);
    frame.HdService.TaState = 2;
    frame.HdService.DeviceDelayUs = 1234567;
    c2->Button1->click();
    EXPECT_EQ(frame.TimeAlignConfigs.DelayCenterS[1], 1);
    EXPECT_EQ(frame.TimeAlignConfigs.DelayCenterMs[1], 234);
    EXPECT_EQ(frame.TimeAlignConfigs.DelayCenterUs[1], 567);
    EXPECT_EQ(c2->Dly_Ctr_S_UD->position(), 1);
    EXPECT_EQ(c2->Dly_Ctr_MS_UD->position(), 234);
    EXPECT_EQ(c2->Dly_Ctr_US_UD->position(), 567);
    EXPECT_EQ(c2->Dly_Ctr_S_ST->text(), "  1 sec");
    EXPECT_EQ(c2->Dly_Ctr_MS_ST->text(), "234 ms");
    EXPECT_EQ(c2->Dly_Ctr_US_ST->text(), "567 us");
    EXPECT_EQ(takeLines(),
              (QList<QByteArray>{"CC00C8I01016C\r", "CC00C9I0100EAF2\r", "CC00CAI010237E0\r"}));

    // No device delay to take, or one the up-downs cannot hold: nothing at all.
    const struct
    {
        qint32 state, delay;
    } refused[] = {{0, 1234567}, {3, 1234567}, {2, 20000000}, {2, 16000000}, {2, -1}};
    for (const auto& r : refused) {
        frame.HdService.TaState = r.state;
        frame.HdService.DeviceDelayUs = r.delay;
        config(w.get(), 3)->Button1->click();
        EXPECT_TRUE(takeLines().isEmpty()) << r.state << " " << r.delay;
        EXPECT_EQ(frame.TimeAlignConfigs.DelayCenterS[2], 3);
    }
    // The update is a frame handler: not while the frame is being filled.
    frame.HdService.TaState = 9;
    frame.HdService.DeviceDelayUs = 5000;
    c2->Filling = true;
    c2->Button1Click();
    c2->Filling = false;
    EXPECT_TRUE(takeLines().isEmpty());
}

TEST_F(Vren1TASettingsTest, ApplyCarriesTheConfigurationEvenDuringAFill)
{
    auto w = openWindow();
    config(w.get(), 1)->Apply_Button->click();
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"PB021600BB\r"}));
    TTA_Config_Frame* c6 = config(w.get(), 6);
    c6->Filling = true;
    w->Filling = true;
    c6->Apply_Button->click();
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"PB021605C0\r"}));
}

TEST_F(Vren1TASettingsTest, ApplyStatesAndTheNoticeFollowTheUnit)
{
    frame.HdService.TaState = 3;
    frame.HdService.TaApplyState = {0, 3, 8, -1, 0, 7, 1};
    auto w = openWindow();
    for (int k = 1; k <= 6; ++k) {
        TTA_Config_Frame* c = config(w.get(), k);
        EXPECT_EQ(c->Apply_Req_ST->text(), "*** APPLY REQUIRED ***") << k;
        EXPECT_EQ(colour(c->Apply_Req_ST, QPalette::WindowText), QColor(255, 0, 0)) << k;
        EXPECT_EQ(colour(c->Apply_Button, QPalette::ButtonText), QColor(0, 255, 0)) << k;
    }
    EXPECT_EQ(config(w.get(), 1)->Apply_Status_ST->text(), "  Success      ");
    EXPECT_EQ(config(w.get(), 2)->Apply_Status_ST->text(), ""); // 8: no such state
    EXPECT_EQ(config(w.get(), 3)->Apply_Status_ST->text(), ""); // -1
    EXPECT_EQ(config(w.get(), 5)->Apply_Status_ST->text(), "  No Device    ");

    frame.HdService.TaState = 2;
    frame.HdService.TaApplyState[1] = 0;
    refresh(w.get());
    for (int k = 1; k <= 6; ++k) {
        TTA_Config_Frame* c = config(w.get(), k);
        EXPECT_EQ(c->Apply_Req_ST->text(), "Changes to these paramters may require APPLY") << k;
        EXPECT_EQ(colour(c->Apply_Req_ST, QPalette::WindowText), QColor(Qt::black)) << k;
        EXPECT_EQ(colour(c->Apply_Button, QPalette::ButtonText), QColor(Qt::black)) << k;
    }
    EXPECT_EQ(config(w.get(), 1)->Apply_Status_ST->text(), "  Idle         ");
    EXPECT_TRUE(takeLines().isEmpty());
}

TEST_F(Vren1TASettingsTest, HandlersStoreFirstThenQueueTheirExactLines)
{
    auto w = openWindow();
    TTA_Scan_Frame* s1 = scan(w.get(), 1);
    step(s1->TuningFreq_UD, true); // 107.9 wraps to 87.5
    EXPECT_EQ(frame.TimeAlignConfigs.ScanFreq[0], 875);
    EXPECT_EQ(s1->TuningFreq_ST->text(), " 87.5 MHz");
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"CC00DC036B48\r"}));

    // As a user's choice arrives: the box shows the item, then activated().
    w->ScanMode_CB->setCurrentIndex(1);
    emit w->ScanMode_CB->activated(1);
    EXPECT_EQ(frame.TimeAlignConfigs.ScanMode, 1);
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"CC00DB01CD\r"}));

    TTA_Config_Frame* c1 = config(w.get(), 1);
    c1->UserEdit->clear();
    QTest::keyClicks(c1->UserEdit, "admin");
    EXPECT_EQ(frame.TimeAlignConfigs.User[0], "admin");
    // One request a keystroke; each line reads the text as it leaves.
    const QList<QByteArray> typed = takeLines();
    ASSERT_EQ(typed.size(), 5);
    for (const QByteArray& l : typed)
        EXPECT_EQ(l, "PS0410admin71\r");

    // A handler writes its own texts: the ramp with its blank, a port digit in
    // three places.
    TTA_Config_Frame* c3 = config(w.get(), 3);
    step(c3->Ramp_UD, true);
    EXPECT_EQ(frame.TimeAlignConfigs.Ramp[2], 13);
    EXPECT_EQ(c3->Ramp_ST->text(), " 13 ms");
    step(c3->Port_UD[4], true);
    EXPECT_EQ(frame.TimeAlignConfigs.PortDigit5[2], 3);
    EXPECT_EQ(c3->Port_ST[4]->text(), "  3");
    EXPECT_EQ(takeLines().size(), 2);

    // Address octets and seconds wrap; the ramp stops at its end.
    c3->IP_ADR_UD[0]->setPosition(255);
    step(c3->IP_ADR_UD[0], true);
    EXPECT_EQ(frame.TimeAlignConfigs.IpOctet1[2], 0);
    step(c3->Dly_Ctr_S_UD, false);
    step(c3->Dly_Ctr_S_UD, false);
    step(c3->Dly_Ctr_S_UD, false);
    step(c3->Dly_Ctr_S_UD, false);
    EXPECT_EQ(frame.TimeAlignConfigs.DelayCenterS[2], 15);
    EXPECT_EQ(takeLines().size(), 5);
    c3->Ramp_UD->setPosition(30);
    step(c3->Ramp_UD, true);
    EXPECT_TRUE(takeLines().isEmpty());

    c3->Device_CB->setCurrentIndex(16);
    emit c3->Device_CB->activated(16);
    EXPECT_EQ(frame.TimeAlignConfigs.Device[2], 16);
    EXPECT_EQ(takeLines(), (QList<QByteArray>{"CC00CEI02107A\r"}));
}

TEST_F(Vren1TASettingsTest, APastedLineEndNeverReachesTheFrame)
{
    auto w = openWindow();
    TTA_Config_Frame* c2 = config(w.get(), 2);
    c2->PassEdit->selectAll();
    c2->PassEdit->insert("a\rb");
    EXPECT_FALSE(frame.TimeAlignConfigs.Password[1].contains('\r'));
    EXPECT_LE(c2->PassEdit->maxLength(), 12);
    EXPECT_EQ(c2->UserEdit->maxLength(), 12);
}

TEST_F(Vren1TASettingsTest, AnObserverChangesNothing)
{
    frame.ReadOnlyAccess = true;
    auto w = openWindow();
    EXPECT_FALSE(w->ScanMode_CB->isEnabled());
    for (int k = 1; k <= 6; ++k) {
        TTA_Scan_Frame* s = scan(w.get(), k);
        EXPECT_FALSE(s->TuningFreq_UD->isEnabled()) << k;
        EXPECT_FALSE(s->Time_UD->isEnabled()) << k;
        TTA_Config_Frame* c = config(w.get(), k);
        for (QWidget* e : c->findChildren<QWidget*>()) {
            if (qobject_cast<QComboBox*>(e) || qobject_cast<UpDown*>(e) ||
                qobject_cast<QLineEdit*>(e) || qobject_cast<QPushButton*>(e)) {
                EXPECT_FALSE(e->isEnabled()) << k << qPrintable(e->objectName());
            }
        }
    }
}

TEST_F(Vren1TASettingsTest, ClosingPostsKindSixIndexOne)
{
    auto* w = open<TVren1TASettings>(TVren1TASettings::Index);
    w->close();
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(closedRecorder.closed.size(), 1u);
    EXPECT_EQ(closedRecorder.closed[0].first, 6);
    EXPECT_EQ(closedRecorder.closed[0].second, 1);
}

// ---- The whole program against the simulated unit -------------------------------

TEST(Vren1TASettingsProgram, OpensWithTheUnitsValuesTalksToTheUnitAndIsForgottenOnClose)
{
    TEventLog log;
    MessageLines = &log;
    HdSim sim;
    sim.network = true;
    sim.setTimeAlignStatus(3, 1234567);
    sim.setApplyState(2, 3);
    QWidget rack;
    const auto tick = [](TFrame2& frame, const std::function<bool()>& pred, int maxTicks) {
        return TickFrameUntil(frame, pred, maxTicks, 40);
    };
    const std::unique_ptr<TFrame2> f = LoginToSim(
        {htHDSystem, sim.listenTcp(), "Studio B"}, tick,
        [&](const TFrame2& frame) {
            return frame.TimeAlignConfigs == sim.unit().TimeAlignConfigs &&
                   frame.HdService.TaState == 3;
        },
        80);
    ASSERT_FALSE(HasFailure());
    auto tickUntil = [&](const std::function<bool()>& pred, int maxTicks) {
        return tick(*f, pred, maxTicks);
    };
    auto sentSince = [&](qsizetype from) { return sim.requestLines().mid(from); };

    {
        TVren1Panel p(&rack, &rack, "Rack1_VREN1", f.get(), 0);
        QAction* entry = p.menuEntry(v1kTimeAlign, 1);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->isEnabled());
        entry->trigger();
        auto* w = p.findChild<TVren1TASettings*>();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDTASETTINGS1");
        const TTimeAlignConfigTable& unit = sim.unit().TimeAlignConfigs;
        auto* c2 = w->findChild<TTA_Config_Frame*>("TTA_Config_Frame2");
        auto* s1 = w->findChild<TTA_Scan_Frame*>("TA_Scan_Frame1");
        ASSERT_NE(c2, nullptr);
        ASSERT_NE(s1, nullptr);
        EXPECT_EQ(c2->UserEdit->text(), unit.User[1]);
        EXPECT_EQ(c2->Offset_UD->position(), unit.Offset[1]);
        EXPECT_EQ(s1->TuningFreq_ST->text(), HdTaScanFreqText(unit.ScanFreq[0]));
        EXPECT_EQ(c2->Apply_Req_ST->text(), "*** APPLY REQUIRED ***");
        EXPECT_EQ(c2->Apply_Status_ST->text(), "  Success      ");

        // One step of configuration 2's offset reaches the unit; its echo
        // comes back through flag 7 and the refill shows what the unit holds.
        const qint32 offset = unit.Offset[1];
        qsizetype from = sim.requestLines().size();
        step(c2->Offset_UD, true);
        ASSERT_TRUE(tickUntil([&] { return !sentSince(from).isEmpty(); }, 40));
        EXPECT_TRUE(sentSince(from).first().startsWith("CC00CDI01"))
            << sentSince(from).first().constData();
        ASSERT_TRUE(tickUntil([&] { return f->PageRefresh.isRaised(prHdTimeAlignSettings); }, 80));
        EXPECT_EQ(sim.unit().TimeAlignConfigs.Offset[1], offset + 1);
        PostMessage(QPointer<QWidget>(w), UM_HD_REFRESH, 0, 0);
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(c2->Offset_UD->position(), offset + 1);

        // The delay centre from the device: nothing while the unit asks for an
        // Apply, the three requests in order once it reports the delay.
        from = sim.requestLines().size();
        c2->Button1->click();
        sim.setTimeAlignStatus(2, 1234567);
        ASSERT_TRUE(tickUntil([&] { return f->HdService.TaState == 2; }, 40));
        EXPECT_TRUE(sentSince(from).isEmpty());
        c2->Button1->click();
        ASSERT_TRUE(tickUntil([&] { return sentSince(from).size() >= 3; }, 60));
        EXPECT_EQ(sentSince(from),
                  (QList<QByteArray>{"CC00C8I01016C", "CC00C9I0100EAF2", "CC00CAI010237E0"}));

        w->close();
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(p.children().count(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        entry->trigger();
        EXPECT_NE(p.findChild<TVren1TASettings*>(), nullptr);
    }
    MessageLines = nullptr;
}

} // namespace
