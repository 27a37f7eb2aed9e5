// Program select, the two HD bar-graph windows and the BER window on a frame
// the test fills by hand.
#include "Vren1WindowSupport.h"

#include "tavr1/Tavr1_BarChart.h"
#include "vren1/HD_BERData.h"
#include "vren1/HD_BarGraph.h"
#include "vren1/HD_ProgramSel.h"
#include "widgets/UpDown.h"

#include <QBarSet>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

using HDWindowsTest = Vren1WindowTest;

QString column(const THDProgramSel* w, int d)
{
    QString s;
    for (int n = 0; n < 8; ++n)
        s += w->PS_HD[size_t(n)][size_t(d - 1)]->property("glyph").toString().left(1);
    return s;
}

} // namespace

// ---- Program select ---------------------------------------------------------

TEST_F(HDWindowsTest, ProgramSelectNamesCaptionsAndGroups)
{
    std::unique_ptr<THDProgramSel> w(open<THDProgramSel>());
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDPROGRAMSEL0");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren-1 Program Select");
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(w->findChild<QGroupBox*>("GroupBox" + QString::number(n))->title(),
                  n == 7 ? QString(" HD 7") : QString(" HD %1 ").arg(n));
    EXPECT_NE(w->findChild<QToolButton*>("PS_HD8_D4"), nullptr);
    EXPECT_TRUE(w->GroupBox[0]->isEnabled());

    frame.ReadOnlyAccess = true;
    std::unique_ptr<THDProgramSel> observer(open<THDProgramSel>());
    for (QGroupBox* g : observer->GroupBox)
        EXPECT_FALSE(g->isEnabled());
}

TEST_F(HDWindowsTest, ProgramSelectColumnsAndTypes)
{
    THdServiceRec& s = frame.HdService;
    s.ProgramsMask = {0x1F, 0x00, 0x20, 0x00};
    s.ProgramType = {5, 24, 200, 0, 89, 31, 0, 0};
    std::unique_ptr<THDProgramSel> w(open<THDProgramSel>());
    EXPECT_EQ(column(w.get(), 1), "yyyyybbb");
    EXPECT_EQ(column(w.get(), 2), "bbbbbbbb");
    EXPECT_EQ(column(w.get(), 3), "bbbbbybb") << "HD6 only in D3";
    EXPECT_EQ(w->PT_HD_V[0]->text(), " 5");
    EXPECT_EQ(w->PT_HD[0]->text(), "Rock");
    EXPECT_EQ(w->PT_HD_V[1]->text(), "24");
    EXPECT_EQ(w->PT_HD[1]->text(), "Unassigned");
    EXPECT_EQ(w->PT_HD_V[2]->text(), "**");
    EXPECT_EQ(w->PT_HD[2]->text(), "Unassigned");
    EXPECT_EQ(w->PT_HD_V[5]->text(), "  ") << "HD6 is not in D1: its type stays blank";
    EXPECT_EQ(w->PT_HD[5]->text(), QString(12, ' '));
    EXPECT_TRUE(w->PS_HD[5][2]->isEnabled());
    EXPECT_FALSE(w->PS_HD[5][0]->isEnabled());
}

TEST_F(HDWindowsTest, ProgramSelectChoosesForD2AndTurnsGreenWhenPlayed)
{
    frame.HdService.ProgramsMask = {0xFF, 0xFF, 0xFF, 0xFF};
    frame.HdService.CurrentProgram = {1, 1, 1, 1};
    std::unique_ptr<THDProgramSel> w(open<THDProgramSel>());
    QTest::mouseClick(w->PS_HD[4][1], Qt::LeftButton);
    EXPECT_EQ(frame.HdLocalConfig[163], 16);
    EXPECT_EQ(takeLine(), "PB020604BE\r");
    EXPECT_EQ(column(w.get(), 2), "yyyyryyy");
    refresh(w.get());
    EXPECT_EQ(column(w.get(), 2), "yyyyryyy");
    frame.HdService.CurrentProgram[1] = 16;
    refresh(w.get());
    EXPECT_EQ(column(w.get(), 2), "yyyygyyy");
    EXPECT_EQ(column(w.get(), 1), "yyyyyyyy") << "other decoders unchanged";
}

TEST_F(HDWindowsTest, ProgramSelectRedrawsOnTheFlagAndOnChangesOnly)
{
    std::unique_ptr<THDProgramSel> w(open<THDProgramSel>());
    const auto before = w->ColumnDrawCount;
    refresh(w.get());
    refresh(w.get(), 1);
    EXPECT_EQ(w->ColumnDrawCount, before);
    frame.HdService.ProgramsMask[3] = 1;
    refresh(w.get());
    EXPECT_EQ(w->ColumnDrawCount[3], before[3] + 1);
    EXPECT_EQ(w->ColumnDrawCount[0], before[0]);
    frame.PageRefresh.raise(prHdProgramSelect);
    refresh(w.get());
    for (int d = 0; d < 3; ++d)
        EXPECT_EQ(w->ColumnDrawCount[size_t(d)], before[size_t(d)] + 1) << d;
    EXPECT_FALSE(frame.PageRefresh.isRaised(prHdProgramSelect));

    // A window opened again draws everything, whatever an earlier one saw.
    w.reset(open<THDProgramSel>());
    EXPECT_EQ(column(w.get(), 4), "ybbbbbbb");
}

TEST_F(HDWindowsTest, ProgramSelectClosesWithItsPair)
{
    auto* w = open<THDProgramSel>();
    w->show();
    w->close();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(closedRecorder.closed, (std::vector<std::pair<qintptr, qintptr>>{{7, 0}}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// ---- Bar graphs ----------------------------------------------------------------

TEST(HdBarTitle, TitlesOfEachKind)
{
    EXPECT_EQ(HdBarTitle(THdBarText::Peak, 123.4), "PEAK 123.4%");
    EXPECT_EQ(HdBarTitle(THdBarText::Peak, 1000.5), "PEAK *.*%");
    EXPECT_TRUE(HdBarTitle(THdBarText::Average, 5).startsWith("AVE  "));
    EXPECT_TRUE(HdBarTitle(THdBarText::Minimum, 5).startsWith("MIN  "));
    EXPECT_TRUE(HdBarTitle(THdBarText::Injection, 9.5).startsWith("INJ_ "));
}

TEST_F(HDWindowsTest, EachBarGraphReadsItsOwnRecords)
{
    for (int r = 0; r < HdMeasurementCount; ++r)
        frame.HdMeasurements[size_t(r)] = {r * 100 + 1, r * 100 + 2, r * 100 + 3, r * 100 + 4, 0};
    const char* const captions[9] = {" Analog ", " HD 1 ", " HD 2 ", " HD 3 ", " HD 4 ",
                                     " HD 5 ",   " HD 6 ", " HD 7 ", " HD 8 "};
    for (int source = 0; source <= 8; ++source) {
        std::unique_ptr<THDBarGraph> w(open<THDBarGraph>(source));
        EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDBARGRAPH" + QString::number(source));
        EXPECT_EQ(w->windowTitle(), " Studio B Vren-1 Bar Graph");
        EXPECT_EQ(w->GroupBox3->title(), captions[source]);
        ASSERT_EQ(w->Charts.size(), 4);
        for (int c = 0; c < 4; ++c) {
            const int record = 8 + 4 * source + c;
            for (int s = 0; s < 3; ++s)
                EXPECT_DOUBLE_EQ(w->Charts[c]->barSet(s)->at(0), (record * 100 + 1 + s) / 10.0)
                    << source << " chart " << c << " set " << s;
        }
        EXPECT_EQ(w->Charts[0]->barSet(0)->label(),
                  HdBarTitle(THdBarText::Peak, (8 + 4 * source) * 10 + 0.1));
    }
}

TEST_F(HDWindowsTest, ScaleFactorStepsStoresAndSends)
{
    frame.HdLocalConfig[170] = 0;
    std::unique_ptr<THDBarGraph> w(open<THDBarGraph>(2));
    EXPECT_EQ(w->BGScaleText->text(), "  0.0 dBFS");
    w->UpDown1->setPosition(59);
    w->UpDown1->stepUp();
    EXPECT_EQ(w->BGScaleText->text(), " -6.0 dBFS");
    EXPECT_EQ(frame.HdLocalConfig[170], 60);
    EXPECT_EQ(takeLine(), "CC00AA3C0240\r");
    w->UpDown1->setPosition(199);
    w->UpDown1->stepUp();
    EXPECT_EQ(w->BGScaleText->text(), "-20.0 dBFS");
    w->UpDown1->stepUp();
    EXPECT_EQ(frame.HdLocalConfig[170], 200) << "the end of the range sends nothing";
    takeLine();
    EXPECT_EQ(takeLine(), "");
}

TEST_F(HDWindowsTest, EveryOpenBarGraphReloadsItsScaleFromTheUnit)
{
    std::unique_ptr<THDBarGraph> a(open<THDBarGraph>(1));
    std::unique_ptr<THDBarGraph> b(open<THDBarGraph>(5));
    frame.HdLocalConfig[169] = 30;
    frame.HdLocalConfig[173] = 120;
    frame.PageRefresh.raise(prHdBarScale);
    refresh(a.get());
    refresh(b.get());
    EXPECT_EQ(a->UpDown1->position(), 30);
    EXPECT_EQ(a->BGScaleText->text(), " -3.0 dBFS");
    EXPECT_EQ(b->UpDown1->position(), 120);
    EXPECT_EQ(b->BGScaleText->text(), "-12.0 dBFS");
    EXPECT_EQ(takeLine(), "") << "a reload sends nothing";

    frame.ReadOnlyAccess = true;
    std::unique_ptr<THDBarGraph> observer(open<THDBarGraph>(0));
    EXPECT_FALSE(observer->UpDown1->isEnabled());
}

TEST_F(HDWindowsTest, AnalogBarGraphShowsInjectionsAndOnlyTakesLParamZero)
{
    for (int r = 0; r < 8; ++r)
        frame.HdMeasurements[size_t(r)] = {r * 100 + 1, r * 100 + 2, r * 100 + 3, r * 10 + 4, 0};
    std::unique_ptr<THDAnalogBG> w(open<THDAnalogBG>(0));
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDBARGRAPH9");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren-1 Analog Bar Graph");
    ASSERT_EQ(w->Charts.size(), 7);
    EXPECT_DOUBLE_EQ(w->Charts[4]->barSet(0)->at(0), 10.1) << "Total from record 1";
    EXPECT_DOUBLE_EQ(w->Charts[0]->barSet(0)->at(0), 20.1) << "L from record 2";
    EXPECT_DOUBLE_EQ(w->Charts[3]->barSet(2)->at(0), 50.3) << "L-R minimum from record 5";
    EXPECT_DOUBLE_EQ(w->Charts[5]->barSet(0)->at(0), 6.4);
    EXPECT_EQ(w->Charts[5]->barSet(0)->label(), "INJ_   6.4%");
    EXPECT_DOUBLE_EQ(w->Charts[6]->barSet(0)->at(0), 7.4);

    frame.HdMeasurements[6].Injection = 99;
    refresh(w.get(), 1);
    EXPECT_DOUBLE_EQ(w->Charts[5]->barSet(0)->at(0), 6.4) << "lParam 1 is not for this window";
    refresh(w.get(), 0);
    EXPECT_DOUBLE_EQ(w->Charts[5]->barSet(0)->at(0), 9.9);

    std::unique_ptr<THDBarGraph> bg(open<THDBarGraph>(0));
    frame.HdMeasurements[8].Peak = 777;
    refresh(bg.get(), 1);
    EXPECT_DOUBLE_EQ(bg->Charts[0]->barSet(0)->at(0), 77.7) << "every lParam";
}

// ---- BER ----------------------------------------------------------------------

TEST(HdBerTexts, CountsAndRates)
{
    const THdBerTexts a = HdBerTexts(1000000, 25);
    EXPECT_EQ(a.tested, "   1000000");
    EXPECT_EQ(a.errors, "        25");
    EXPECT_EQ(a.rate, "0.0000250000");
    const THdBerTexts none = HdBerTexts(0, 7);
    EXPECT_EQ(none.tested, "N/A");
    EXPECT_EQ(none.errors, "N/A");
    EXPECT_EQ(none.rate, "N/A");
    const THdBerTexts big = HdBerTexts(3000000000u, 3000000u);
    EXPECT_EQ(big.tested, "3000000000");
    EXPECT_EQ(big.errors, "   3000000");
    EXPECT_EQ(big.rate, "0.0010000000");
    EXPECT_EQ(HdBerTexts(4294967295u, 4294967295u).tested, "4294967295");
}

TEST_F(HDWindowsTest, BerWindowShowsEveryGroupAndSendsItsCommands)
{
    frame.HdService.BerCounts = {1000000, 25, 0, 3, 3000000000u, 30, 400, 4};
    std::unique_ptr<THDBERData> w(open<THDBERData>());
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDBERData0");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren-1 BER Data");
    EXPECT_EQ(text(w.get(), "P1_BT"), "   1000000");
    EXPECT_EQ(text(w.get(), "P1_BER"), "0.0000250000");
    EXPECT_EQ(text(w.get(), "P2_BE"), "N/A");
    EXPECT_EQ(text(w.get(), "P3_BT"), "3000000000");
    EXPECT_EQ(text(w.get(), "PIDS_BLER"), "0.0100000000");
    EXPECT_EQ(text(w.get(), "PIDS_BT_Caption"), "Blks Tested");
    frame.HdService.BerCounts[0] = 0;
    refresh(w.get(), 1);
    EXPECT_EQ(text(w.get(), "P1_BT"), "N/A");

    QTest::mouseClick(w->Button1, Qt::LeftButton);
    EXPECT_EQ(takeLine(), "PB02095D\r");
    QTest::mouseClick(w->Button2, Qt::LeftButton);
    EXPECT_EQ(takeLine(), "PB020A65\r");
    EXPECT_EQ(w->Button1->text(), "ACQUIRE");
    EXPECT_EQ(w->Button2->text(), "RESET");

    frame.ReadOnlyAccess = true;
    std::unique_ptr<THDBERData> observer(open<THDBERData>());
    EXPECT_FALSE(observer->Button1->isEnabled());
    EXPECT_FALSE(observer->Button2->isEnabled());
}
