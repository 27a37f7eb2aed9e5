// The time/level alignment window on a frame the test fills by hand.
#include "Vren1WindowSupport.h"

#include "vren1/HD_TimeAlign.h"

#include <QAreaSeries>
#include <QChart>
#include <QComboBox>
#include <QLineSeries>
#include <QPushButton>
#include <QValueAxis>

namespace {

class HdTimeAlignTest : public Vren1WindowTest
{
protected:
    HdTimeAlignTest() { frame.TimeAlignConfigs.CurrentConfig = 2; }

    static QList<QPointF> outline(QAreaSeries* s) { return s->upperSeries()->points(); }
    static double lowest(QAreaSeries* s)
    {
        double v = 1e9;
        for (const QPointF& p : outline(s))
            v = qMin(v, p.x());
        return v;
    }
    static double highest(QAreaSeries* s)
    {
        double v = -1e9;
        for (const QPointF& p : outline(s))
            v = qMax(v, p.x());
        return v;
    }
};

} // namespace

TEST_F(HdTimeAlignTest, NameAxesAndResolutionAtCreation)
{
    frame.HdLocalConfig[177] = 0;
    frame.TimeAlignConfigs.Field7[1] = 3; // configuration 2
    frame.TimeAlignConfigs.Field7[0] = 6;
    std::unique_ptr<THDTimeAlign> w(open<THDTimeAlign>());
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDTIMEALIGN0");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren-1 Time/Level Alignment");
    EXPECT_EQ(w->SampleResComboBox->currentIndex(), 3) << "the configuration in use";
    EXPECT_DOUBLE_EQ(w->SamplesAxis->max(), 256.01);
    EXPECT_DOUBLE_EQ(w->SamplesAxis->min(), -256.01);
    EXPECT_DOUBLE_EQ(w->MsAxis->max(), 6.01);
    EXPECT_DOUBLE_EQ(w->LevelAxis->min(), -20.1);
    EXPECT_DOUBLE_EQ(w->LevelAxis->max(), 20);
    EXPECT_EQ(w->MsAxis->alignment(), Qt::AlignTop);
    EXPECT_EQ(w->MScanButton->text(), "Mult-Scan(XX:XX)");
    EXPECT_TRUE(w->SeriesTA3->points().isEmpty());

    w->show();
    w->resize(700, 650);
    EXPECT_EQ(w->Panel1->height(), 215); // Round((650 - 150) * 0.43)
    EXPECT_EQ(w->Panel2->height(), 650 - 215 - THDTimeAlign::Panel3Height);
}

TEST_F(HdTimeAlignTest, ValidMeasurementBarsAndTitles)
{
    THdServiceRec& s = frame.HdService;
    s.TaValid = 1;
    s.TaPolarityInverted = 1;
    s.LevelAvg = -15;
    s.LevelFast = 7;
    s.TimeAvg = 500;
    s.TimeFast = -20;
    std::unique_ptr<THDTimeAlign> w(open<THDTimeAlign>());
    refresh(w.get());
    EXPECT_EQ(w->Chart1->title(), "Level Alignment:  Audio Polarity Inverted");
    EXPECT_EQ(w->Chart2->title(), "Time Alignment:  Audio Polarity Inverted");
    EXPECT_EQ(w->Chart1->titleBrush().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(lowest(w->SeriesLA1), -2.0);
    EXPECT_DOUBLE_EQ(highest(w->SeriesLA1), -1.0);
    EXPECT_DOUBLE_EQ(lowest(w->SeriesLA2), 0.45);
    EXPECT_DOUBLE_EQ(highest(w->SeriesLA2), 0.95);
    EXPECT_EQ(w->SeriesLA1->name(), "AVG    -1.5 dB  ");
    EXPECT_EQ(w->SeriesLA2->name(), "FAST     0.7 dB");
    // Clamped to the axis, the title unclamped.
    EXPECT_DOUBLE_EQ(lowest(w->SeriesTA1), 250);
    EXPECT_DOUBLE_EQ(highest(w->SeriesTA1), 262);
    EXPECT_EQ(w->SeriesTA1->name(), "AVG    +500 samples    11.3 ms      ");
    // The bar floats: its closing point moved with it, no sliver to 0.
    EXPECT_EQ(w->SeriesLA1->lowerSeries()->points(), (QList<QPointF>{{-2.0, 1.1}}));

    s.TaPolarityInverted = 0;
    refresh(w.get());
    EXPECT_EQ(w->Chart1->title(), "Level Alignment:  Audio Polarity Normal");
    EXPECT_EQ(w->Chart2->titleBrush().color(), QColor(0, 128, 0));

    s.TaValid = 0;
    s.TaState = 2;
    s.DeviceDelayUs = 1234567;
    s.AvgErrorNs = 1500;
    refresh(w.get());
    EXPECT_EQ(w->Chart1->title(), "Level Alignment:  Out of Range");
    EXPECT_EQ(w->Chart2->title(), "Time Alignment:  Out of Range");
    EXPECT_EQ(w->Chart1->titleBrush().color(), QColor(255, 0, 0));
    EXPECT_TRUE(outline(w->SeriesLA1).isEmpty());
    EXPECT_TRUE(outline(w->SeriesTA2).isEmpty());
    EXPECT_EQ(w->SeriesLA1->name(), "AVG       dB  ");
    EXPECT_EQ(w->SeriesTA2->name(), "FAST        samples       ms");
    EXPECT_EQ(w->StatusStaticText->text(), "  Active       ");
    EXPECT_EQ(w->DeviceDelayStaticText->text(), " 1.234567 sec");
    EXPECT_EQ(w->AverageErrorStaticText->text(), " 0.000001500 sec");
}

TEST_F(HdTimeAlignTest, CaptionsStatesAndAutoItem)
{
    THdServiceRec& s = frame.HdService;
    auto& t = frame.TimeAlignConfigs;
    std::unique_ptr<THDTimeAlign> w(open<THDTimeAlign>());
    frame.ActiveConfigNumber = 1;
    t.Mode[1] = 2;
    s.AutoHours = 7;
    s.AutoMinutes = 5;
    t.ScanMode = 1;
    s.MultiScanHours = 12;
    s.MultiScanMinutes = 30;
    s.AutoSampleResolution = 4;
    s.TaState = 255;
    w->SampleResComboBox->setCurrentIndex(2);
    refresh(w.get());
    EXPECT_EQ(w->Active_ST->text(), " #2");
    EXPECT_EQ(w->UpdateButton->text(), " Auto ( 7:05) ");
    EXPECT_EQ(w->MScanButton->text(), " Multi-Scan (12:30) ");
    EXPECT_EQ(w->SampleResComboBox->itemText(0), " Auto( 4 )");
    EXPECT_EQ(w->SampleResComboBox->currentIndex(), 2);
    EXPECT_EQ(w->StatusStaticText->text(), "");

    s.RampActive = 1;
    s.RampPercent = 42;
    t.ScanMode = 0;
    refresh(w.get());
    EXPECT_EQ(w->UpdateButton->text(), " Ramp ( 42%) ");
    EXPECT_EQ(w->MScanButton->text(), " Multi-Scan ");

    // A configuration outside 1..6: nothing indexed, an empty caption.
    for (int c : {0, 7}) {
        t.CurrentConfig = c;
        frame.PageRefresh.raise(prHdTimeAlignDisplay);
        refresh(w.get());
        EXPECT_EQ(w->UpdateButton->text(), "") << c;
        EXPECT_EQ(w->SampleResComboBox->currentIndex(), 2) << c;
    }

    // Two windows on two connections each show their own unit's value.
    TFrame2 other{"Connect2"};
    TChildWindowArgs a = args();
    a.frame = &other;
    std::unique_ptr<THDTimeAlign> second(new THDTimeAlign(a));
    other.HdService.AutoSampleResolution = 6;
    refresh(second.get());
    refresh(w.get());
    EXPECT_EQ(second->SampleResComboBox->itemText(0), " Auto( 6 )");
    EXPECT_EQ(w->SampleResComboBox->itemText(0), " Auto( 4 )");
}

TEST_F(HdTimeAlignTest, ControlsQueueTheirRequests)
{
    std::unique_ptr<THDTimeAlign> w(open<THDTimeAlign>());
    w->HRComboBox->setCurrentIndex(3);
    emit w->HRComboBox->activated(3);
    EXPECT_EQ(frame.HdLocalConfig[177], 3);
    EXPECT_EQ(takeLine(), "CC00AB03CC\r");
    EXPECT_DOUBLE_EQ(w->SamplesAxis->max(), 256.01) << "rescaled only at the next refresh";
    refresh(w.get());
    EXPECT_DOUBLE_EQ(w->SamplesAxis->max(), 2048.01);
    EXPECT_DOUBLE_EQ(w->MsAxis->max(), 46.01);

    // The echo refills the combo through the page flag and sends nothing.
    frame.HdLocalConfig[177] = 1;
    frame.PageRefresh.raise(prHdTimeAlignDisplay);
    refresh(w.get());
    EXPECT_EQ(w->HRComboBox->currentIndex(), 1);
    EXPECT_DOUBLE_EQ(w->SamplesAxis->max(), 512.01);
    EXPECT_EQ(takeLine(), "");

    w->SampleResComboBox->setCurrentIndex(4);
    emit w->SampleResComboBox->activated(4);
    EXPECT_EQ(frame.TimeAlignConfigs.Field7[1], 4);
    EXPECT_EQ(takeLine(), "CC00C604C3\r");

    w->UpdateButton->click();
    EXPECT_EQ(takeLine(), "PB02155A\r");

    frame.ReadOnlyAccess = true;
    std::unique_ptr<THDTimeAlign> observer(open<THDTimeAlign>());
    EXPECT_FALSE(observer->HRComboBox->isEnabled());
    EXPECT_FALSE(observer->SampleResComboBox->isEnabled());
    EXPECT_FALSE(observer->UpdateButton->isEnabled());
}
