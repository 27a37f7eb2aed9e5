#include "Tavr1WindowSupport.h"

#include "plots/SpectrumChart.h"
#include "plots/SpectrumPageView.h"
#include "protocol/tavr1/Tavr1Commands.h"
#include "tavr1/Tavr1_Spectrum.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"

#include <QAreaSeries>
#include <QComboBox>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace {

class Tavr1SpectrumTest : public Tavr1WindowTest
{
protected:
    Tavr1SpectrumTest()
    {
        frame.Tavr1Options = "Complete";
        frame.Tavr1LocalConfig = Tavr1Sim::defaultConfig();
        frame.Tavr1SpectrumMode = 8;
        frame.Tavr1Spectrum.fill(-500);
    }

    template <class T>
    T* control(QWidget* w, const QString& name)
    {
        T* c = w->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    QString text(QWidget* w, const QString& name)
    {
        QLabel* l = control<QLabel>(w, name);
        return l ? l->text() : QString();
    }
    void click(QWidget* w, const QString& upDown, bool up)
    {
        control<UpDown>(w, upDown)->findChild<QToolButton*>(up ? "Up" : "Down")->click();
    }
    void pick(QWidget* w, const QString& radio, int n)
    {
        control<RadioGroup>(w, radio)->button(n)->click();
    }
    QByteArray takeLine() { return TakeTavr1CommandLine(frame, frame); }

    // Points of the line trace, all runs together, shared points once.
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
    static TSpectrumChart* chart(TTavr1Spectrum* w, int page, bool second = false)
    {
        return second ? w->pageView(page)->chart2() : w->pageView(page)->chart();
    }
};

TEST_F(Tavr1SpectrumTest, OpensOnTheUnitsPageAndSendsNothing)
{
    frame.Tavr1SpectrumMode = 9;
    frame.Tavr1LocalConfig[0] = 8;
    auto* w = open<TTavr1Spectrum>();
    EXPECT_EQ(w->objectName(), "Rack1_TAVR1_TAVR1SPECTRUM0");
    EXPECT_EQ(w->windowTitle(), " Studio A Tavr-1 Spectrum");
    auto* pages = control<QTabWidget>(w, "SpecPageControl");
    EXPECT_EQ(pages->tabText(pages->currentIndex()), " Composite ");
    EXPECT_EQ(pages->tabText(0), "  RF  ");
    EXPECT_EQ(pages->tabText(2), " Audio");
    EXPECT_EQ(w->CurrentPage, 1);
    EXPECT_EQ(frame.Tavr1LocalConfig[0], 9);
    EXPECT_FALSE(frame.Tavr1Command.Pending);
    EXPECT_FALSE(chart(w, 0)->chart()->legend()->isVisible());
    w->close();
    pump(10);
    ASSERT_EQ(closedRecorder.closed.size(), 1u);
    EXPECT_EQ(closedRecorder.closed[0].first, 4);
}

TEST_F(Tavr1SpectrumTest, ARefillFromTheUnitMovesEveryControlAndSendsNothing)
{
    auto* w = open<TTavr1Spectrum>();
    Tavr1ConfigRecord& c = frame.Tavr1LocalConfig;
    c[13] = 1, c[14] = 2, c[15] = 40, c[16] = 300, c[17] = 6, c[18] = 100, c[22] = 2;
    c[24] = 3, c[25] = 55, c[26] = 66, c[27] = -250, c[28] = 1, c[29] = 2, c[30] = 0;
    c[31] = 1;
    c[58] = 1, c[59] = 4, c[60] = 5;
    frame.PageRefresh.raise(prSpectrum);
    refresh(w);
    EXPECT_FALSE(frame.PageRefresh.isRaised(prSpectrum));
    EXPECT_FALSE(frame.Tavr1Command.Pending);
    EXPECT_EQ(control<UpDown>(w, "RF_dB_UpDown")->position(), 1);
    EXPECT_EQ(control<UpDown>(w, "RF_VR_UpDown")->position(), 2);
    EXPECT_EQ(text(w, "RF_VR_Text"), " 0.3 dB ");
    EXPECT_EQ(control<QSlider>(w, "RF_C1_TrackBar")->value(), -40);
    EXPECT_EQ(control<QSlider>(w, "RF_C2_TrackBar")->value(), 300);
    EXPECT_EQ(control<UpDown>(w, "RF_HR_UpDown")->position(), 6);
    EXPECT_EQ(text(w, "RF_HR_Text"), "1.5 kHz");
    EXPECT_EQ(control<UpDown>(w, "RF_Freq_UpDown")->position(), 100);
    EXPECT_EQ(control<UpDown>(w, "RF_Freq_UpDown")->maximum(), 300);
    EXPECT_EQ(control<QComboBox>(w, "RF_Input_ComboBox")->currentIndex(), 2);
    EXPECT_EQ(control<RadioGroup>(w, "RF_Mode_RadioGroup")->itemIndex(), 3);
    EXPECT_EQ(text(w, "RF_Hold_Text"), "  55");
    EXPECT_EQ(text(w, "RF_Average_Text"), "  66");
    EXPECT_EQ(text(w, "RF_Ref_Text"), " -25.0 dBFS");
    EXPECT_EQ(control<RadioGroup>(w, "RF_Fill_RadioGroup")->itemIndex(), 1);
    EXPECT_EQ(control<RadioGroup>(w, "RF_Color_RadioGroup")->itemIndex(), 2);
    EXPECT_EQ(control<RadioGroup>(w, "RF_Mask_RadioGroup")->itemIndex(), 0);
    EXPECT_EQ(control<RadioGroup>(w, "RF_PSD_RadioGroup")->itemIndex(), 1);
    EXPECT_EQ(control<RadioGroup>(w, "AUD_InputType_RadioGroup")->itemIndex(), 1);
    EXPECT_EQ(control<QComboBox>(w, "AUD_Input1_ComboBox")->currentIndex(), 4);
    EXPECT_EQ(control<QComboBox>(w, "AUD_Input2_ComboBox")->currentText(), " L+R ");
    EXPECT_EQ(control<QSlider>(w, "AUD_C2_TrackBar")->maximum(), 250);
    // VR 2 at offset 1: 15 .. -39 dB; C1 40 steps of 0.3 dB above the bottom.
    QValueAxis* left = chart(w, 0)->leftAxis();
    EXPECT_EQ(left->min(), -39);
    EXPECT_EQ(left->max(), 15);
    EXPECT_EQ(text(w, "RF_C1_StaticText"), " -27.0 dB");
}

TEST_F(Tavr1SpectrumTest, APageChangeAsksTheUnitAndBlanksTwoRefreshes)
{
    frame.Tavr1LocalConfig[27] = -100;
    frame.Tavr1LocalConfig[45] = -100;
    auto* w = open<TTavr1Spectrum>();
    control<QTabWidget>(w, "SpecPageControl")->setCurrentIndex(1);
    EXPECT_EQ(frame.Tavr1LocalConfig[0], 9);
    EXPECT_EQ(takeLine(), sealedLine("CC0009") + "\r");
    EXPECT_EQ(sealedLine("CC0009"), "CC00094F");
    for (int n = 0; n < 3; ++n) {
        frame.Tavr1Spectrum.fill(-700); // what the unit sent meanwhile
        refresh(w);
        const QList<QPointF> pts = linePoints(chart(w, 1));
        ASSERT_EQ(pts.size(), 501);
        EXPECT_EQ(pts[10].y(), n < 2 ? (-1500 + 100) / 10.0 : (-700 + 100) / 10.0) << n;
    }
}

TEST_F(Tavr1SpectrumTest, LoweringHrKeepsC2AtItsFrequencyAndSendsOnlyTheResolution)
{
    Tavr1ConfigRecord& c = frame.Tavr1LocalConfig;
    c[17] = 6, c[18] = 0, c[16] = 316;
    c.setReal(20, 99.0);
    auto* w = open<TTavr1Spectrum>();
    click(w, "RF_HR_UpDown", false);
    EXPECT_EQ(c[17], 5);
    EXPECT_EQ(frame.Tavr1Command.Code, 37);
    EXPECT_EQ(takeLine(), sealedLine("CC2505") + "\r");
    EXPECT_EQ(sealedLine("CC2505"), "CC250552");
    EXPECT_EQ(control<UpDown>(w, "RF_Freq_UpDown")->position(), 100);
    EXPECT_EQ(control<QSlider>(w, "RF_C2_TrackBar")->value(), 249);
    EXPECT_EQ(c[18], 100);
    EXPECT_EQ(c[16], 249);
    EXPECT_FALSE(frame.Tavr1Command.Pending) << "the guard kept the moves from sending";
    refresh(w);
    EXPECT_TRUE(text(w, "RF_C2_StaticText").startsWith("   99.0 kHz"))
        << text(w, "RF_C2_StaticText").toStdString();
    EXPECT_EQ(chart(w, 0)->c2Series()->points().first().x(), 99.0);
}

TEST_F(Tavr1SpectrumTest, DualAudioInputShowsTheSecondChartAndResetsTheView)
{
    frame.Tavr1SpectrumMode = 10;
    Tavr1ConfigRecord& c = frame.Tavr1LocalConfig;
    c[49] = 1, c[51] = 50, c[52] = 300, c[54] = 400, c[50] = 3, c[53] = 3;
    c.setReal(56, 7.0);
    for (int i = 0; i < 501; ++i)
        frame.Tavr1Spectrum[std::size_t(i)] = i < 251 ? -200 : -600;
    auto* w = open<TTavr1Spectrum>();
    EXPECT_TRUE(chart(w, 2, true)->isHidden());
    EXPECT_TRUE(control<QLabel>(w, "AUD_C2L_StaticText")->isHidden());

    pick(w, "AUD_InputType_RadioGroup", 1);
    EXPECT_EQ(frame.Tavr1Command.Code, 69);
    EXPECT_EQ(takeLine(), sealedLine("CC4501") + "\r");
    for (int k : {49, 51, 52, 54, 56, 57})
        EXPECT_EQ(c[k], 0) << k;
    EXPECT_EQ(c[61], -720);
    EXPECT_FALSE(chart(w, 2, true)->isHidden());
    for (const char* n : {"AUD_C2L_StaticText", "AUD_C2R_StaticText", "AUD_C2D_StaticText"})
        EXPECT_FALSE(control<QLabel>(w, n)->isHidden()) << n;
    EXPECT_EQ(control<QSlider>(w, "AUD_C2_TrackBar")->maximum(), 250);

    // Past the blanking the two inputs draw on their own charts from FreqStart.
    for (int n = 0; n < 3; ++n) {
        for (int i = 0; i < 501; ++i)
            frame.Tavr1Spectrum[std::size_t(i)] = i < 251 ? -200 : -600;
        refresh(w);
    }
    const QList<QPointF> second = linePoints(chart(w, 2, true));
    ASSERT_EQ(second.size(), 250);
    EXPECT_EQ(second.first().x(), 0.0);
    EXPECT_EQ(second.first().y(), -60.0);
    EXPECT_EQ(linePoints(chart(w, 2)).size(), 251);
    EXPECT_EQ(text(w, "AUD_C2L_StaticText"), " -20.0dB");
    EXPECT_EQ(text(w, "AUD_C2R_StaticText"), " -60.0dB");
    EXPECT_EQ(text(w, "AUD_C2D_StaticText"), "  40.0dB");

    // C2 at the end of input #1 reads input #2's last point, not past it.
    control<QSlider>(w, "AUD_C2_TrackBar")->setValue(250);
    frame.Tavr1Spectrum[500] = -900;
    refresh(w);
    EXPECT_EQ(text(w, "AUD_C2R_StaticText"), " -90.0dB");

    takeLine();
    pick(w, "AUD_InputType_RadioGroup", 0);
    EXPECT_TRUE(chart(w, 2, true)->isHidden());
    EXPECT_TRUE(control<QLabel>(w, "AUD_C2D_StaticText")->isHidden());
    EXPECT_EQ(control<QSlider>(w, "AUD_C2_TrackBar")->maximum(), 500);
}

TEST_F(Tavr1SpectrumTest, FillAndLineModesAndTheMask)
{
    Tavr1ConfigRecord& c = frame.Tavr1LocalConfig;
    c[28] = 1, c[29] = 1, c[30] = 0;
    auto* w = open<TTavr1Spectrum>();
    TSpectrumChart* ch = chart(w, 0);
    refresh(w);
    EXPECT_EQ(ch->fillSeries()->upperSeries()->count(), 501);
    EXPECT_EQ(linePoints(ch).size(), 0);
    EXPECT_FALSE(ch->maskSeries()->isVisible());
    EXPECT_EQ(ch->maskSeries()->count(), 18);

    pick(w, "RF_Fill_RadioGroup", 0);
    EXPECT_EQ(takeLine(), sealedLine("CC2D00") + "\r");
    pick(w, "RF_Mask_RadioGroup", 1);
    EXPECT_TRUE(ch->maskSeries()->isVisible());
    refresh(w);
    EXPECT_EQ(ch->fillSeries()->upperSeries()->count(), 0);
    EXPECT_EQ(linePoints(ch).size(), 501);
    // HR 5 centred: -250 .. 250 kHz, so lime, red, yellow, lime both sides.
    int used = 0;
    for (QLineSeries* s : ch->line().runs())
        used += s->count() > 0;
    EXPECT_EQ(used, 7);
    EXPECT_EQ(ch->line().runs()[1]->color(), QColor(0xFF, 0xFF, 0x00));
    EXPECT_EQ(ch->line().runs()[2]->color(), QColor(0xFF, 0x00, 0x00));

    // Colour OFF: one lime run.
    frame.Tavr1LocalConfig[29] = 0;
    frame.PageRefresh.raise(prSpectrum);
    refresh(w);
    used = 0;
    for (QLineSeries* s : ch->line().runs())
        used += s->count() > 0;
    EXPECT_EQ(used, 1);
}

TEST_F(Tavr1SpectrumTest, AnObserverChangesNothingOfTheUnitsSpectrum)
{
    frame.ReadOnlyAccess = true;
    auto* w = open<TTavr1Spectrum>();
    for (const char* p : {"RF", "CMP", "AUD"}) {
        const QString px(p);
        for (const char* n :
             {"_Mode_RadioGroup", "_Hold_UpDown", "_Average_UpDown", "_Fill_RadioGroup",
              "_Color_RadioGroup", "_Ref_UpDown", "_PSD_RadioGroup", "_dB_UpDown", "_VR_UpDown",
              "_HR_UpDown", "_C1_TrackBar", "_C2_TrackBar"})
            EXPECT_FALSE(control<QWidget>(w, px + n)->isEnabled()) << (px + n).toStdString();
        EXPECT_FALSE(control<QWidget>(w, px + "_Freq_UpDown")->isEnabled()) << p;
    }
    for (const char* n : {"RF_Mask_RadioGroup", "AUD_InputType_RadioGroup", "AUD_Input1_ComboBox",
                          "AUD_Input2_ComboBox"})
        EXPECT_FALSE(control<QWidget>(w, n)->isEnabled()) << n;
    // The page tabs too: the observer sees the unit's page and cannot switch it.
    auto* pages = control<QTabWidget>(w, "SpecPageControl");
    EXPECT_FALSE(pages->tabBar()->isEnabled());
    EXPECT_EQ(pages->currentIndex(), 0);
    pages->setCurrentIndex(1);
    EXPECT_EQ(takeLine(), QByteArray());
    EXPECT_EQ(frame.Tavr1LocalConfig[0], 8);
    // A refill brings the view back to the unit's page.
    frame.PageRefresh.raise(prSpectrum);
    refresh(w);
    EXPECT_EQ(pages->currentIndex(), 0);
}

TEST_F(Tavr1SpectrumTest, HostileWordsFromTheUnitDrawInsideTheTables)
{
    Tavr1ConfigRecord& c = frame.Tavr1LocalConfig;
    c[16] = 700, c[14] = 9, c[17] = 12, c[29] = 7;
    auto* w = open<TTavr1Spectrum>();
    refresh(w);
    EXPECT_EQ(linePoints(chart(w, 0)).size(), 501);
    c[16] = -5;
    frame.PageRefresh.raise(prSpectrum);
    refresh(w);
    EXPECT_FALSE(text(w, "RF_C2_StaticText").isEmpty());
}

// ---- Against the simulated unit ---------------------------------------------

TEST_F(Tavr1SpectrumTest, TheSimulatedUnitsPagesAndItsReloadAfterAnHrStep)
{
    auto f = connectToSim();
    f->Tavr1Options = "Complete";
    auto* w = open<TTavr1Spectrum>(*f);
    ASSERT_TRUE(settingsBlocks(*f, 1));
    // RF: the carrier's hump peaks in the middle.
    QList<QPointF> rf = linePoints(chart(w, 0));
    ASSERT_EQ(rf.size(), 501);
    EXPECT_GT(rf[250].y(), rf[20].y() + 50);

    control<QTabWidget>(w, "SpecPageControl")->setCurrentIndex(1);
    ASSERT_TRUE(sendPending(*f));
    EXPECT_TRUE(tickUntil(
        *f,
        [&] {
            const QList<QPointF> p = linePoints(chart(w, 1));
            return p.size() == 501 && p[190].y() == -25.0;
        },
        40));
    EXPECT_EQ(sim.config[0], 9);

    // Back on RF: one step down from 1.5 kHz with C2 at 99.0 kHz.
    control<QTabWidget>(w, "SpecPageControl")->setCurrentIndex(0);
    ASSERT_TRUE(sendPending(*f));
    ASSERT_TRUE(settingsBlocks(*f, 1));
    sim.config[17] = 6, sim.config[18] = 0, sim.config[16] = 316;
    sim.config.setReal(20, 99.0);
    f->Tavr1LocalConfig[17] = 6, f->Tavr1LocalConfig[18] = 0, f->Tavr1LocalConfig[16] = 316;
    f->Tavr1LocalConfig.setReal(20, 99.0);
    w->FullRefill();
    click(w, "RF_HR_UpDown", false);
    ASSERT_TRUE(sendPending(*f));
    EXPECT_EQ(sim.commandLines().last(), "CC250552");
    ASSERT_TRUE(settingsBlocks(*f, 2));
    // The unit re-centred by the same rules, so its reload agrees.
    EXPECT_EQ(sim.config[18], 100);
    EXPECT_EQ(sim.config[16], 249);
    EXPECT_DOUBLE_EQ(sim.config.real(20), 99.0);
    EXPECT_EQ(f->Tavr1LocalConfig[18], 100);
    EXPECT_EQ(f->Tavr1LocalConfig[16], 249);
    EXPECT_TRUE(text(w, "RF_C2_StaticText").startsWith("   99.0 kHz"))
        << text(w, "RF_C2_StaticText").toStdString();
}

} // namespace
