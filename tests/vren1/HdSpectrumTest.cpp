#include "TestSupport.h"

#include "data/EventLog.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "plots/SpectrumChart.h"
#include "plots/SpectrumPageView.h"
#include "protocol/hd/HdRequests.h"
#include "sim/hd/HdSim.h"
#include "vren1/HD_Spectrum.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"

#include <QAreaSeries>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class HdSpectrumTest : public ::testing::Test
{
protected:
    HdSpectrumTest()
    {
        panel.setObjectName("Rack1_VREN1");
        frame.RackCaption = "Studio B";
        sim.useStationSpectrum();
        frame.HdLocalConfig = sim.unit().HdLocalConfig;
        frame.HdSpectrum.fill(-500);
    }
    void SetUp() override { MessageLines = &log; }
    void TearDown() override { MessageLines = nullptr; }

    THDSpectrum* open(TFrame2& f)
    {
        TChildWindowArgs a;
        a.ownerPanel = &panel;
        a.frame = &f;
        a.ownerHandle = &closed;
        a.family = 6;
        return new THDSpectrum(a);
    }
    THDSpectrum* open() { return open(frame); }
    static void refresh(QWidget* w)
    {
        PostMessage(QPointer<QWidget>(w), UM_HD_REFRESH, 0, 0);
        QCoreApplication::sendPostedEvents();
    }
    template <class T>
    T* control(QWidget* w, const QString& name)
    {
        T* c = w->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    void click(QWidget* w, const QString& upDown, bool up)
    {
        control<UpDown>(w, upDown)->findChild<QToolButton*>(up ? "Up" : "Down")->click();
    }
    void pick(QWidget* w, const QString& radio, int n)
    {
        control<RadioGroup>(w, radio)->button(n)->click();
    }
    // The requests waiting, as the lines they become.
    QList<QByteArray> takeLines(TFrame2& f)
    {
        QList<QByteArray> out;
        for (TRequestRec r = PopRequest(f); r.Pending; r = PopRequest(f))
            out << BuildHdRequestLine(r, f).line;
        return out;
    }
    static QList<QPointF> linePoints(TSpectrumChart* c)
    {
        QList<QPointF> all;
        for (QLineSeries* s : c->line().runs()) {
            QList<QPointF> p = s->points();
            if (!all.isEmpty() && !p.isEmpty())
                p.removeFirst();
            all += p;
        }
        return all;
    }

    TEventLog log;
    HdSim sim;
    QWidget panel;
    TMessageRecorder<> closed;
    TFrame2 frame{"Connect1"};
};

TEST_F(HdSpectrumTest, NameCaptionAndClose)
{
    THDSpectrum* w = open();
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDSPECTRUM0");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren-1 Spectrum");
    QStringList tabs;
    for (int i = 0; i < w->pageView()->settings()->count(); ++i)
        tabs << w->pageView()->settings()->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Display Mode", "Masks", "Display Options", "Vertical Axis",
                                 "Horizontal Axis", "Measuremets"}));
    EXPECT_TRUE(takeLines(frame).isEmpty());
    w->close();
    pump(10);
    ASSERT_EQ(closed.closed.size(), 1u);
    EXPECT_EQ(closed.closed[0].first, 5);
}

TEST_F(HdSpectrumTest, TheAntennaInputDropsPointsBeyond500kHz)
{
    HdConfigRecord& c = frame.HdLocalConfig;
    c[4] = 0, c[16] = 6, c[17] = 200, c[28] = 0, c[27] = 0;
    THDSpectrum* w = open();
    refresh(w);
    QList<QPointF> pts = linePoints(w->pageView()->chart());
    ASSERT_EQ(pts.size(), 501);
    EXPECT_EQ(pts.first().x(), -75.0);
    int dropped = 0;
    for (const QPointF& p : pts) {
        EXPECT_EQ(p.y(), p.x() > 500.0 ? -1500.0 : -50.0) << p.x();
        dropped += p.x() > 500.0;
    }
    EXPECT_EQ(dropped, 117); // -75 + 1.5 i > 500 from i = 384

    c[4] = 1; // High Level: everything drawn
    frame.PageRefresh.raise(prSpectrum);
    refresh(w);
    pts = linePoints(w->pageView()->chart());
    for (const QPointF& p : pts)
        EXPECT_EQ(p.y(), -50.0) << p.x();
}

// Curve fill is on for word 1 only: any other word shows "OFF" and draws the
// line, point i at x = (offset - 250 + i) x step, y = (value - reference) / 10.
TEST_F(HdSpectrumTest, AFillWordOtherThanOneIsOffInTheRadioAndTheTrace)
{
    HdConfigRecord& c = frame.HdLocalConfig;
    c[4] = 1, c[26] = -800, c[16] = 7, c[17] = 100; // High Level, 2.0 kHz, offset 100
    for (const qint32 fill : {2, 255, -1, 0, 1}) {
        c[27] = fill;
        THDSpectrum* w = open();
        refresh(w);
        TSpectrumChart* ch = w->pageView()->chart();
        const bool on = fill == 1;
        EXPECT_EQ(control<RadioGroup>(w, "HD_Fill_RadioGroup")->itemIndex(), on ? 1 : 0) << fill;
        EXPECT_EQ(ch->fillSeries()->upperSeries()->count(), on ? 501 : 0) << fill;
        const QList<QPointF> pts = linePoints(ch);
        ASSERT_EQ(pts.size(), on ? 0 : 501) << fill;
        if (!on) {
            EXPECT_EQ(pts[0], QPointF(-300.0, 30.0)) << fill;  // (100 - 250) x 2
            EXPECT_EQ(pts[250], QPointF(200.0, 30.0)) << fill; // 100 x 2
            EXPECT_EQ(pts[500], QPointF(700.0, 30.0)) << fill; // (100 + 250) x 2
        }
        delete w;
    }
}

TEST_F(HdSpectrumTest, TheAntennaInputLowersHrInTheFrameAndSendsNothing)
{
    frame.HdLocalConfig[4] = 0;
    frame.HdLocalConfig[16] = 8;
    THDSpectrum* w = open();
    EXPECT_EQ(frame.HdLocalConfig[16], 6);
    EXPECT_EQ(control<UpDown>(w, "HD_HR_UpDown")->maximum(), 6);
    EXPECT_EQ(control<QLabel>(w, "HD_HR_Text")->text(), "1.5 kHz");
    EXPECT_TRUE(takeLines(frame).isEmpty());
}

TEST_F(HdSpectrumTest, AMaskLimitIsSentAndShownButTheMaskKeepsItsShape)
{
    frame.HdLocalConfig[30] = -310;
    THDSpectrum* w = open();
    const QList<QPointF> mask = w->pageView()->chart()->maskSeries()->points();
    ASSERT_EQ(mask.size(), 20);
    click(w, "HD_MaskLSB_UpDown", true);
    EXPECT_EQ(frame.HdLocalConfig[30], -300);
    EXPECT_EQ(control<QLabel>(w, "HD_MaskLSB_Text")->text(), " -30.0 dB");
    EXPECT_EQ(takeLines(frame), QList<QByteArray>{"CC0026FED451\r"});
    EXPECT_EQ(w->pageView()->chart()->maskSeries()->points(), mask);
}

TEST_F(HdSpectrumTest, PowerDensityWidensThePanelOnceAndSendsOnlyItsId)
{
    HdConfigRecord& c = frame.HdLocalConfig;
    c[17] = 100, c[22] = 0, c[24] = 10, c[16] = 7;
    c[15] = 350; // C2 at (100 + 350 - 250) x 2.0 = 400 kHz
    THDSpectrum* w = open();
    QWidget* right = control<QWidget>(w, "PowerPanel");
    EXPECT_EQ(right->width(), THDSpectrum::NarrowPanel);
    auto* group = control<QGroupBox>(w, "PowerDensityGroup");
    EXPECT_TRUE(group->isHidden());

    pick(w, "HD_PSD_RadioGroup", 1);
    pick(w, "HD_PSD_RadioGroup", 1);
    EXPECT_TRUE(w->isWide());
    EXPECT_EQ(right->maximumWidth(), THDSpectrum::WidePanel);
    EXPECT_FALSE(group->isHidden());
    EXPECT_EQ(group->title(), " Power Density ");
    EXPECT_EQ(c[32], 1);
    EXPECT_EQ(c[16], 5);
    EXPECT_EQ(c[17], 0);
    EXPECT_EQ(c.real(18), 0.0);
    EXPECT_EQ(c[22], 2);
    EXPECT_EQ(c[24], 50);
    EXPECT_EQ(control<RadioGroup>(w, "HD_Mode_RadioGroup")->itemIndex(), 2);
    EXPECT_EQ(control<QLabel>(w, "HD_Average_Text")->text(), "  50");
    EXPECT_FALSE(control<QWidget>(w, "HD_HR_UpDown")->isEnabled());
    EXPECT_FALSE(control<QWidget>(w, "HD_Freq_UpDown")->isEnabled());
    EXPECT_EQ(takeLines(frame), (QList<QByteArray>{"CC002801B1\r", "CC002801B1\r"}));
    // Re-centred as an HR change: 1 kHz a point, the C2 frequency 0, so
    // b = 0, offset 0 and C2 = 0 - 0 + 250 = 250: the cursor at 0 kHz.
    EXPECT_EQ(c[15], 250);
    EXPECT_EQ(control<QSlider>(w, "HD_C2_TrackBar")->value(), 250);
    refresh(w);
    EXPECT_TRUE(control<QLabel>(w, "HD_C2_StaticText")->text().startsWith("    0.0 kHz"))
        << control<QLabel>(w, "HD_C2_StaticText")->text().toStdString();

    pick(w, "HD_PSD_RadioGroup", 0);
    EXPECT_FALSE(w->isWide());
    EXPECT_EQ(right->maximumWidth(), THDSpectrum::NarrowPanel);
    EXPECT_TRUE(group->isHidden());
    EXPECT_TRUE(control<QWidget>(w, "HD_HR_UpDown")->isEnabled());

    // A C2 word of 0 stays 0 (the cursor off the trace's centre rule).
    delete w;
    c[32] = 0, c[15] = 0, c[16] = 8, c[17] = 60;
    w = open();
    pick(w, "HD_PSD_RadioGroup", 1);
    EXPECT_EQ(c[15], 0);
    EXPECT_EQ(c[17], 0);
    delete w;
}

TEST_F(HdSpectrumTest, PowerReadoutsAndASignedReference)
{
    frame.HdLocalConfig[4] = 0;
    frame.HdLocalConfig[25] = 0xFC18; // -1000 as an echo may store it
    frame.HdLocalConfig[27] = 0;
    frame.HdSpectrumPower = {-1234, -1, 0, 15, 999, 7, 7, 7};
    THDSpectrum* w = open();
    refresh(w);
    EXPECT_EQ(THDSpectrum::powerText(-1234), "  -123.4 dB ");
    EXPECT_EQ(control<QLabel>(w, "PD_LSB_Text")->text(), "  -123.4 dB ");
    EXPECT_EQ(control<QLabel>(w, "PD_USB_Text")->text(), "    -0.1 dB ");
    EXPECT_EQ(control<QLabel>(w, "PD_Analog_Text")->text(), "     1.5 dB ");
    EXPECT_EQ(control<QLabel>(w, "PD_Ratio_Text")->text(), "    99.9 dB ");
    EXPECT_EQ(control<QLabel>(w, "HD_Ref_Text")->text(), "-100.0 dBFS");
    const QList<QPointF> pts = linePoints(w->pageView()->chart());
    ASSERT_EQ(pts.size(), 501);
    EXPECT_EQ(pts[250].y(), 50.0); // (-500 + 1000) / 10
}

TEST_F(HdSpectrumTest, AnObserverKeepsFreqAndTheMaskLimits)
{
    frame.ReadOnlyAccess = true;
    frame.HdLocalConfig[32] = 1;
    THDSpectrum* w = open();
    for (const char* n :
         {"HD_VR_UpDown", "HD_dB_UpDown", "HD_Mode_RadioGroup", "HD_Hold_UpDown",
          "HD_Average_UpDown", "HD_Mask_RadioGroup", "HD_Fill_RadioGroup", "HD_Color_RadioGroup",
          "HD_Ref_UpDown", "HD_PSD_RadioGroup", "HD_C1_TrackBar", "HD_C2_TrackBar", "HD_HR_UpDown"})
        EXPECT_FALSE(control<QWidget>(w, n)->isEnabled()) << n;
    for (const char* n : {"HD_MaskLSB_UpDown", "HD_MaskUSB_UpDown"})
        EXPECT_TRUE(control<QWidget>(w, n)->isEnabled()) << n;
    // Power density on: "Freq" follows it. Off at the next refill: HR and
    // "Freq" are free again, for an observer too.
    EXPECT_FALSE(control<QWidget>(w, "HD_Freq_UpDown")->isEnabled());
    frame.HdLocalConfig[32] = 0;
    frame.PageRefresh.raise(prSpectrum);
    refresh(w);
    EXPECT_TRUE(control<QWidget>(w, "HD_HR_UpDown")->isEnabled());
    EXPECT_TRUE(control<QWidget>(w, "HD_Freq_UpDown")->isEnabled());
    EXPECT_FALSE(control<QWidget>(w, "HD_VR_UpDown")->isEnabled());
}

TEST_F(HdSpectrumTest, HostileWordsStayInsideTheTables)
{
    sim.unit().HdLocalConfig = HdSim::defaultConfig(); // test patterns in every word
    frame.HdLocalConfig = HdSim::defaultConfig();
    frame.HdLocalConfig[15] = 700;
    THDSpectrum* w = open();
    refresh(w);
    EXPECT_EQ(linePoints(w->pageView()->chart()).size() +
                  w->pageView()->chart()->fillSeries()->upperSeries()->count(),
              501);
    EXPECT_FALSE(control<QLabel>(w, "HD_C2_StaticText")->text().isEmpty());
}

// ---- Against the simulated unit ---------------------------------------------

TEST_F(HdSpectrumTest, TheUnitsRecordAgreesAfterPowerDensity)
{
    auto f = std::make_unique<TFrame2>("Connect1");
    f->HardwareType = htHDSystem;
    f->Transport = trNetwork;
    sim.network = true;
    f->IpAddress = "127.0.0.1";
    f->TcpPort = sim.listenTcp();
    f->RackCaption = "Studio B";
    f->OpenConnection();
    ASSERT_TRUE(waitFor([&] { return f->PortOpen; }));
    auto tickUntil = [&](const std::function<bool()>& pred, int maxTicks) {
        for (int i = 0; i < maxTicks; ++i) {
            if (pred())
                return true;
            f->Timer1Timer();
            pump(40);
        }
        return pred();
    };
    ASSERT_TRUE(tickUntil([&] { return f->ProcessState == 4; }, 40));
    ASSERT_TRUE(tickUntil([&] { return f->HdLocalConfig[13] == 7; }, 80));
    THDSpectrum* w = open(*f);
    pick(w, "HD_PSD_RadioGroup", 1);
    ASSERT_TRUE(tickUntil([&] { return !sim.requestLines().isEmpty(); }, 20));
    EXPECT_EQ(sim.requestLines().last(), "CC002801B1");
    ASSERT_TRUE(tickUntil([&] { return f->HdUnitConfig[32] == 1; }, 80));
    for (int k : {15, 16, 17, 18, 19, 22, 24, 32})
        EXPECT_EQ(f->HdUnitConfig[k], f->HdLocalConfig[k]) << k;
    // The unit re-centres too: C2 from 350 to 250, 0 kHz at 1 kHz a point.
    EXPECT_EQ(f->HdUnitConfig[15], 250);
    // The unit measures at 1 kHz a point: its hump and sidebands in place.
    ASSERT_TRUE(tickUntil([&] { return f->HdSpectrum[250 + 150] == -450; }, 40));
    refresh(w);
    delete w;
}

} // namespace
