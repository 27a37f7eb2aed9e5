// The Vren1 front panel on a frame the test fills by hand, as the decoder
// would: what it shows, and the requests its controls queue.
#include "Vren1WindowSupport.h"

#include "vren1/Vren1_Panel.h"
#include "widgets/Lamp.h"
#include "widgets/ReadoutLabel.h"

#include <QMenu>
#include <QSlider>
#include <QTest>
#include <QToolButton>

namespace {

class Vren1PanelTest : public Vren1WindowTest
{
protected:
    void SetUp() override
    {
        Vren1WindowTest::SetUp();
        frame.HdLocalConfig[2] = 1001;
        frame.HdLocalConfig[4] = 1;
        rack.resize(600, 260);
        makePanel();
    }

    void makePanel()
    {
        delete p.data();
        p = new TVren1Panel(&rack, &rack, "Rack1_VREN1", &frame, 0);
        rack.show();
    }

    void refresh()
    {
        PostMessage(QPointer<QObject>(p.data()), UM_HD_REFRESH);
        QCoreApplication::sendPostedEvents();
    }
    void refreshTuning()
    {
        frame.PageRefresh.raise(prTuning);
        refresh();
    }
    QString label(const char* name) const { return text(p.data(), name); }
    QString glyph(int n) const { return p->PS_HD_D1[size_t(n - 1)]->property("glyph").toString(); }
    QString glyphs() const
    {
        QString s;
        for (int n = 1; n <= 8; ++n)
            s += glyph(n).left(1);
        return s;
    }
    QString enabledButtons() const
    {
        QString s;
        for (int n = 1; n <= 8; ++n)
            s += p->PS_HD_D1[size_t(n - 1)]->isEnabled() ? '1' : '0';
        return s;
    }

    QWidget rack;
    QPointer<TVren1Panel> p;
};

} // namespace

TEST_F(Vren1PanelTest, ANewPanelIsABlackStripShowingTheStartTuning)
{
    EXPECT_EQ(p->objectName(), "Rack1_VREN1");
    EXPECT_EQ(p->size(), QSize(600, 260));
    EXPECT_EQ(label("FreqLabel"), "100.1");
    EXPECT_EQ(p->Tuning_TB->value(), 63);
    EXPECT_EQ(p->Tuning_TB->maximum(), 102);
    EXPECT_EQ(p->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(p->Tuning_TB->palette().color(QPalette::Window), TVren1Panel::Olive);
    EXPECT_FALSE(p->StereoLabel->isVisible());
    EXPECT_FALSE(p->StereoLabel->isEnabled());
    EXPECT_EQ(label("Cap_LED1"), "HD Station");
    EXPECT_EQ(label("Cap_LAcq_Time_Audio"), "Acq  Time  Audio:");
    EXPECT_EQ(label("LD_RF_Lev"), "***.* %");
    EXPECT_EQ(enabledButtons(), "00000000") << "programs are not known yet";
    EXPECT_EQ(takeLine(), "") << "building the form sends nothing";

    // The slider keeps its start until the unit's tuning arrives.
    frame.HdLocalConfig[2] = 1079;
    refresh();
    EXPECT_EQ(label("FreqLabel"), "100.1");
    EXPECT_EQ(p->Tuning_TB->value(), 63);
}

TEST_F(Vren1PanelTest, LampsFollowTheStatusBits)
{
    const struct
    {
        int status;
        bool l1, l2, l3;
    } rows[] = {{0, false, false, false},
                {1, true, false, false},
                {2, false, true, false},
                {4, false, false, true},
                {7, true, true, true}};
    for (const auto& r : rows) {
        frame.HdStatus = r.status;
        refresh();
        EXPECT_EQ(p->LED1->color(), r.l1 ? TVren1Panel::Lime : TVren1Panel::Green) << r.status;
        EXPECT_EQ(p->LED2->color(), r.l2 ? TVren1Panel::Lime : TVren1Panel::Green) << r.status;
        EXPECT_EQ(p->LED3->color(), r.l3 ? TVren1Panel::Lime : TVren1Panel::Green) << r.status;
    }
}

TEST_F(Vren1PanelTest, TuningRefillAndTheSliderSendsTheNewTuning)
{
    const struct
    {
        int word;
        const char* text;
        int position;
    } rows[] = {{875, " 87.5", 0}, {1079, "107.9", 102}, {1000, "100.0", 62}, {1002, "100.2", 64}};
    for (const auto& r : rows) {
        frame.HdLocalConfig[2] = r.word;
        refreshTuning();
        EXPECT_EQ(label("FreqLabel"), r.text) << r.word;
        EXPECT_EQ(p->Tuning_TB->value(), r.position) << r.word;
        EXPECT_EQ(takeLine(), "") << "a refill sends nothing";
    }

    frame.PageRefresh.flags.fill(false);
    p->Tuning_TB->setValue(63);
    EXPECT_EQ(frame.HdLocalConfig[2], 1001);
    EXPECT_EQ(p->LastTuning, 1001);
    EXPECT_EQ(label("FreqLabel"), "100.1");
    EXPECT_TRUE(frame.PageRefresh.isRaised(prSettings));
    EXPECT_EQ(takeLine(), "CC000F03E93D\r");
    p->Tuning_TB->setValue(0);
    EXPECT_EQ(takeLine(), "CC000F036B37\r");
}

TEST_F(Vren1PanelTest, AnObserverCannotTuneButStillChoosesProgramsAndPresets)
{
    frame.ReadOnlyAccess = true;
    frame.HdService.ProgramsMask[0] = 0x1F;
    makePanel();
    EXPECT_FALSE(p->Tuning_TB->isEnabled());
    QTest::mouseClick(p->PS_HD_D1[4], Qt::LeftButton);
    EXPECT_EQ(takeLine(), "PB020504BD\r");
    QTest::mouseClick(p->P_Label[2], Qt::LeftButton);
    EXPECT_EQ(takeLine(), "CC00E803C6\r");
}

TEST_F(Vren1PanelTest, RfLevelTextAndSegments)
{
    const struct
    {
        int input, peak, db;
        const char* text;
        std::array<int, 7> widths;
    } rows[] = {
        {1, 1215, 0, " 121.5%", {20, 20, 20, 20, 20, 10, 11}},
        {1, 150, 0, "  15.0%", {15, 0, 0, 0, 0, 0, 0}},
        {0, 0, -352, " -35.2dB", {20, 20, 20, 4, 0, 0, 0}},
        {0, 0, -1000, "-100.0dB", {0, 0, 0, 0, 0, 0, 0}},
        {0, 0, -2048, "-204.8dB", {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& r : rows) {
        frame.HdLocalConfig[4] = r.input;
        frame.HdMeasurements[0].Peak = r.peak;
        frame.HdMeasurements[0].Db = r.db;
        refreshTuning();
        EXPECT_EQ(label("LD_RF_Lev"), r.text) << r.peak << " " << r.db;
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(p->RF_Lev_Bar[size_t(i)]->width(), r.widths[size_t(i)])
                << r.text << " segment " << i + 1;
    }
}

TEST_F(Vren1PanelTest, RfSegmentColoursFollowTheInputOnlyAfterARefill)
{
    const QColor& Y = TVren1Panel::Yellow;
    const QColor& L = TVren1Panel::Lime;
    const QColor& R = TVren1Panel::Red;
    auto colours = [&] {
        std::array<QColor, 7> c;
        for (int i = 0; i < 7; ++i)
            c[size_t(i)] = p->RF_Lev_Bar[size_t(i)]->color();
        return c;
    };
    frame.HdLocalConfig[4] = 0;
    refreshTuning();
    EXPECT_EQ(colours(), (std::array<QColor, 7>{Y, Y, L, L, L, R, R}));
    frame.HdLocalConfig[4] = 1;
    refresh();
    EXPECT_EQ(colours(), (std::array<QColor, 7>{Y, Y, L, L, L, R, R})) << "no refill yet";
    refreshTuning();
    EXPECT_EQ(colours(), (std::array<QColor, 7>{Y, Y, Y, Y, L, L, R}));
}

TEST_F(Vren1PanelTest, ServiceReadoutsShowOnlyWithAnHdStation)
{
    THdServiceRec& s = frame.HdService;
    s.ServiceModeText = "MP1";
    s.CodecMode = 0x0A;
    s.CdNo = 65.53;
    s.QualityIndicator = 7;
    s.Daai = 0.9;
    s.AcqTimeAudio = 1234;
    s.AcqTimeData = 321;
    frame.HdStatus = 0b110;
    refresh();
    EXPECT_EQ(label("LService_Mode"), "");
    EXPECT_EQ(label("LCODEC_Mode"), "");
    EXPECT_EQ(label("LCD_NO"), "      dB");
    EXPECT_EQ(label("LQI"), "");
    EXPECT_EQ(label("LDAAI"), "");
    EXPECT_EQ(label("LAcq_Time_Audio"), "     ms");
    EXPECT_EQ(label("LAcq_Time_Data"), "     ms");

    frame.HdStatus = 1;
    refresh();
    EXPECT_EQ(label("LService_Mode"), "MP1");
    EXPECT_EQ(label("LCODEC_Mode"), "0A");
    EXPECT_EQ(label("LCD_NO"), "65.53 dB");
    EXPECT_EQ(label("LQI"), " 7");
    EXPECT_EQ(label("LDAAI"), " 0.90");
    EXPECT_EQ(label("LAcq_Time_Audio"), "1234 ms");
    EXPECT_EQ(label("LAcq_Time_Data"), " 321 ms");
    EXPECT_EQ(p->LService_Mode->textFormat(), Qt::PlainText);
}

TEST_F(Vren1PanelTest, ProgramButtonGlyphs)
{
    const struct
    {
        qint32 selection, current;
        const char* glyphs; // y yellow, b black, g green, r red
    } rows[] = {
        {16, 16, "yyyygbbb"}, {16, 0, "yyyyrbbb"},    {3, 16, "yyyyybbb"},
        {0, 16, "yyyyybbb"},  {256, 256, "yyyyybbb"},
    };
    frame.HdService.ProgramsMask[0] = 0x1F;
    for (const auto& r : rows) {
        frame.HdLocalConfig[162] = r.selection;
        frame.HdService.CurrentProgram[0] = r.current;
        refreshTuning();
        EXPECT_EQ(glyphs(), r.glyphs) << r.selection << " " << r.current;
        EXPECT_EQ(enabledButtons(), "11111000");
    }

    // A program that drops out keeps its button, shown black.
    frame.HdService.ProgramsMask[0] = 0x0F;
    refresh();
    EXPECT_EQ(glyphs(), "yyyybbbb");
    EXPECT_EQ(enabledButtons(), "11111000");
}

TEST_F(Vren1PanelTest, AProgramClickSelectsAndTurnsGreenWhenTheUnitPlaysIt)
{
    frame.HdService.ProgramsMask[0] = 0x1F;
    frame.HdService.CurrentProgram[0] = 1;
    refreshTuning();
    QTest::mouseClick(p->PS_HD_D1[4], Qt::LeftButton);
    EXPECT_EQ(frame.HdLocalConfig[162], 16);
    EXPECT_EQ(takeLine(), "PB020504BD\r");
    EXPECT_EQ(glyph(5), "red");
    refresh();
    EXPECT_EQ(glyph(5), "red");
    frame.HdService.CurrentProgram[0] = 16;
    refresh();
    EXPECT_EQ(glyph(5), "green");
}

TEST_F(Vren1PanelTest, ButtonsAreRedrawnOnlyWhenMaskOrCurrentProgramChange)
{
    frame.HdService.ProgramsMask[0] = 0x03;
    refreshTuning();
    const int drawn = p->ProgramDrawCount;
    for (int i = 0; i < 5; ++i)
        refresh();
    EXPECT_EQ(p->ProgramDrawCount, drawn);
    frame.HdService.CurrentProgram[0] = 2;
    refresh();
    EXPECT_EQ(p->ProgramDrawCount, drawn + 1);
    frame.HdService.ProgramsMask[0] = 0x07;
    refresh();
    refresh();
    EXPECT_EQ(p->ProgramDrawCount, drawn + 2);
    refreshTuning();
    EXPECT_EQ(p->ProgramDrawCount, drawn + 3) << "a tuning refill redraws";
}

TEST_F(Vren1PanelTest, PresetsRecallSaveAndShowTheUnitsPreset)
{
    QTest::mouseClick(p->P_Label[2], Qt::LeftButton);
    EXPECT_EQ(takeLine(), "CC00E803C6\r");
    p->PopupMenu1->findChild<QAction*>("PRecall3")->trigger();
    EXPECT_EQ(takeLine(), "CC00E803C6\r");
    p->PopupMenu1->findChild<QAction*>("PSave6")->trigger();
    EXPECT_EQ(takeLine(), "CC00E906CA\r");

    frame.HdUnitConfig[1] = 4;
    refresh();
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(p->P_Label[size_t(n - 1)]->palette().color(QPalette::WindowText),
                  n == 4 ? TVren1Panel::Lime : TVren1Panel::Gray)
            << n;

    p->Filling = true;
    p->PRecallClick(2);
    p->PSaveClick(2);
    p->Filling = false;
    EXPECT_EQ(takeLine(), "") << "nothing queued while the panel refills";
}

TEST_F(Vren1PanelTest, TheMenuOpensThePlotsAndWindowsOfThisBuild)
{
    auto open = [&](int kind, int index) -> QWidget* {
        p->menuEntry(kind, index)->trigger();
        return p->children().find(kind, index);
    };
    QWidget* total = open(v1kHistogram, 0);
    ASSERT_NE(total, nullptr);
    EXPECT_EQ(total->objectName(), "Rack1_VREN1_HistPlot00");
    QWidget* level = open(v1kDataTimePlot, 43);
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->objectName(), "Rack1_VREN1_DTPlot43");
    EXPECT_NE(open(v1kDataTimePlot, 0), level) << "a second window";
    EXPECT_EQ(open(v1kBarGraph, 9)->objectName(), "Rack1_VREN1_HDBARGRAPH9");
    EXPECT_EQ(open(v1kBarGraph, 4)->objectName(), "Rack1_VREN1_HDBARGRAPH4");
    EXPECT_EQ(open(v1kProgramSel, 0)->objectName(), "Rack1_VREN1_HDPROGRAMSEL0");
    EXPECT_EQ(open(v1kBerData, 0)->objectName(), "Rack1_VREN1_HDBERData0");
    EXPECT_EQ(p->children().count(), 7);

    // Every window keeps running on the forwarded refreshes, also the ones
    // whose measurement history is still empty.
    for (int i = 0; i < 3; ++i)
        refresh();
    QCoreApplication::sendPostedEvents();

    // Closed and freed, each is forgotten through the message it posts.
    p->children().find(v1kBerData, 0)->close();
    p->children().find(v1kBarGraph, 9)->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(p->children().count(), 5);
    delete p.data(); // with windows open
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
