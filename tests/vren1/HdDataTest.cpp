#include "Vren1WindowSupport.h"

#include "plots/PlotChartView.h"
#include "sim/hd/HdSim.h"
#include "vren1/HD_Data.h"
#include "widgets/MessageBoxService.h"
#include "widgets/ShellOpen.h"

#include <QChart>
#include <QFile>
#include <QLegend>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QValueAxis>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

class HdDataTest : public Vren1WindowTest
{
protected:
    void SetUp() override
    {
        Vren1WindowTest::SetUp();
        frame.LastBlockTime = QDateTime(QDate(2025, 3, 14), QTime(9, 5, 7));
        SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            boxes.push_back(r);
            return QMessageBox::Ok;
        });
    }
    void TearDown() override
    {
        SetMessageBoxAnswerer({});
        Vren1WindowTest::TearDown();
    }

    static void panelRefresh(QWidget* w)
    {
        PostMessage(QPointer<QWidget>(w), UM_PANEL_REFRESH, 0, 0);
        QCoreApplication::sendPostedEvents();
    }

    // The state the decoder leaves after a chunk of index id.
    void chunk(int id, int type, qint32 len, qint32 index, bool last,
               const QByteArray& data = HdSim::historyBytes(0))
    {
        THistoryDataRec& h = frame.HistoryData;
        h.Id = id;
        h.Type = type;
        h.Len = len;
        h.Index = index;
        std::fill(h.Data.begin(), h.Data.end(), quint8(0));
        std::copy(data.begin(), data.end(), h.Data.begin());
        h.New = last;
    }
    void wholeDay(int id = 0) { chunk(id, 3, 8640, 8500, true); }

    static QString progress(THData* w) { return w->windowTitle(); }
    static QString cell(THData* w, int row, int column)
    {
        return w->StringGrid1->item(row, column)->text();
    }
    static QStringList list(THData* w)
    {
        QStringList l;
        for (int i = 0; i < w->ListBox1->count(); ++i)
            l << w->ListBox1->item(i)->text();
        return l;
    }

    std::vector<TMessageBoxRequest> boxes;
};

} // namespace

TEST_F(HdDataTest, RequestsItsIndexAtCreationAndOnRefreshData)
{
    auto* total = open<THData>(0);
    EXPECT_EQ(total->objectName(), "Rack1_VREN1_HData00");
    EXPECT_EQ(total->windowTitle(), " Studio B  Vren-1 TOTAL");
    EXPECT_EQ(takeLine(), "SH00FB\r");
    auto* level = open<THData>(43);
    EXPECT_EQ(level->objectName(), "Rack1_VREN1_HData43");
    EXPECT_EQ(level->windowTitle(), " Studio B  Vren-1 Level Align");
    EXPECT_EQ(takeLine(), "SH2B0F\r");

    wholeDay();
    panelRefresh(total);
    EXPECT_TRUE(total->HasData);
    frame.HistoryData.New = true;
    total->Load_Button->click();
    EXPECT_EQ(takeLine(), "SH00FB\r");
    EXPECT_FALSE(frame.HistoryData.New);
    EXPECT_FALSE(total->HasData);
    EXPECT_EQ(cell(total, 1, 1), "   0.0") << "the data shown stay until new data arrive";
    delete total;
    delete level;
}

TEST_F(HdDataTest, ProgressFollowsEveryChunkAndTheLastFillsTheList)
{
    auto* w = open<THData>(0);
    const struct
    {
        qint32 len, index;
        const char* text;
    } steps[] = {
        {0, 0, "Downloading( 0.0%)"},
        {8640, 3400, "Downloading(43.3%)"},
        {8640, 8300, "Complete"}, // 8300 + 340 reaches the end
    };
    for (const auto& s : steps) {
        chunk(0, 3, s.len, s.index, false);
        panelRefresh(w);
        EXPECT_EQ(progress(w), s.text) << s.index;
    }
    EXPECT_EQ(w->ListBox1->count(), 0) << "nothing decoded before the last chunk";

    wholeDay();
    panelRefresh(w);
    EXPECT_EQ(progress(w), "Complete");
    EXPECT_FALSE(frame.HistoryData.New);
    const QStringList lines = list(w);
    ASSERT_EQ(lines.size(), 4 + 1440);
    EXPECT_EQ(lines.mid(0, 4), (QStringList{"HData ID:    0", "HData Type:    3",
                                            "HData Len:   8640", "HData Index:   8500"}));
    // Minute 1 of the simulated day: 0.0, 10.0, 20.0.
    EXPECT_EQ(lines[4], "    1     0.0     10.0     20.0");
    EXPECT_EQ(cell(w, 0, 0), "Time(min)");
    EXPECT_EQ(cell(w, 0, 3), "Min(%)");
    // The header shows the titles, so they stay in view while the minutes scroll.
    EXPECT_TRUE(w->StringGrid1->isRowHidden(0));
    EXPECT_EQ(w->StringGrid1->horizontalHeaderItem(0)->text(), "Time(min)");
    EXPECT_EQ(w->StringGrid1->horizontalHeaderItem(3)->text(), "Min(%)");
    EXPECT_EQ(cell(w, 1440, 0), " 1440");
    EXPECT_EQ(w->Series[0]->count(), 1440);
    EXPECT_DOUBLE_EQ(w->Series[2]->at(1439).x(), 1439 / 60.0);
    EXPECT_DOUBLE_EQ(w->Series[2]->at(1439).y(), 163.9); // (1439 + 200) % 2001 tenths
    delete w;
}

TEST_F(HdDataTest, AnotherIndexOrAStallChangesNothing)
{
    auto* total = open<THData>(0);
    auto* sum = open<THData>(3); // "L + R"
    chunk(0, 3, 8640, 3400, false);
    panelRefresh(total);
    panelRefresh(sum);
    EXPECT_EQ(progress(total), "Downloading(43.3%)");
    EXPECT_EQ(progress(sum), " Studio B  Vren-1 L + R") << "its own request, untouched";

    wholeDay(3);
    panelRefresh(total);
    EXPECT_EQ(progress(total), "Downloading(43.3%)") << "a stalled download keeps its percentage";
    EXPECT_EQ(total->ListBox1->count(), 0);
    panelRefresh(sum);
    EXPECT_EQ(progress(sum), "Complete");
    EXPECT_EQ(sum->ListBox1->count(), 1444);
    delete total;
    delete sum;
}

TEST_F(HdDataTest, ATypeWithoutLayoutKeepsTheTableAndRedrawsTheKeptValues)
{
    auto* w = open<THData>(0);
    wholeDay();
    panelRefresh(w);
    const QString kept = cell(w, 2, 2);
    chunk(0, 9, 8640, 8500, true, QByteArray(8640, '\x7F'));
    panelRefresh(w);
    EXPECT_EQ(list(w).size(), 4);
    EXPECT_EQ(list(w)[1], "HData Type:    9");
    EXPECT_EQ(cell(w, 2, 2), kept);
    EXPECT_EQ(w->Series[1]->count(), 1440);
    EXPECT_DOUBLE_EQ(w->Series[1]->at(1).y(), 10.1);
    delete w;
}

TEST_F(HdDataTest, ChartAxesTitlesAndZoom)
{
    auto* w = open<THData>(0);
    wholeDay();
    panelRefresh(w);
    QChart* chart = w->Chart1->chart();
    EXPECT_EQ(chart->title(), "Vren-1 TOTAL vs Time");
    EXPECT_EQ(w->BottomAxis->titleText(), "2025-03-14 09:05:07    Hours");
    EXPECT_EQ(w->LeftAxis->titleText(), "Percent");
    // Display mode 6: peak, average and minimum with a legend.
    EXPECT_TRUE(chart->legend()->isVisible());
    EXPECT_EQ(w->Series[0]->name(), " PEAK");
    EXPECT_EQ(w->Series[1]->name(), " AVE ");
    EXPECT_EQ(w->Series[2]->name(), " MIN ");
    // Values 0 .. 163.9 of the simulated day: a step either side.
    EXPECT_EQ(w->ZoomLimits, (AxisRange{-10, 170}));
    EXPECT_EQ(w->LeftAxis->min(), -10);
    EXPECT_EQ(w->BottomAxis->max(), 24);
    // Quarter hours thinned to 2.5 h: labels 2.5, 7.5 ... not rounded to whole hours.
    EXPECT_DOUBLE_EQ(w->BottomAxis->tickInterval(), 2.5);
    EXPECT_EQ(w->BottomAxis->labelFormat(), "%.1f");

    w->zoomTo(QRectF(QPointF(2.0, 80), QPointF(2.6, 40)));
    EXPECT_TRUE(w->Zoomed);
    EXPECT_NEAR(w->BottomAxis->min(), 2.05, 1e-9);
    EXPECT_NEAR(w->BottomAxis->max(), 2.55, 1e-9);
    EXPECT_EQ(w->LeftAxis->min(), 40);
    EXPECT_EQ(w->LeftAxis->max(), 80);
    w->undoZoom();
    EXPECT_FALSE(w->Zoomed);
    EXPECT_EQ(w->LeftAxis->min(), -10);
    EXPECT_EQ(w->BottomAxis->min(), 0);
    EXPECT_EQ(w->BottomAxis->max(), 24);

    // Kind 0 scrolls within 0 .. 200: the fitted axis already reaches below it.
    w->scrollBy(QPointF(1, 5));
    EXPECT_EQ(w->LeftAxis->min(), -10) << "refused";
    EXPECT_EQ(w->BottomAxis->min(), 0) << "refused past 24";
    delete w;
}

TEST_F(HdDataTest, AnInjectionScrollsOnlyWithinZeroToTwentyFive)
{
    auto* w = open<THData>(5); // an injection: scale kind 2
    wholeDay(5);
    panelRefresh(w);
    EXPECT_EQ(w->ScaleKind, 2);
    w->zoomTo(QRectF(QPointF(2.0, 15), QPointF(2.6, 5)));
    ASSERT_EQ(w->LeftAxis->min(), 5);
    const struct
    {
        QPointF step;
        AxisRange left, bottom;
    } steps[] = {
        {{0, 10}, {15, 25}, {2.05, 2.55}},      // up to the top
        {{0, 0.5}, {15, 25}, {2.05, 2.55}},     // past it: refused
        {{-2, 0}, {15, 25}, {0.05, 0.55}},      // back towards midnight
        {{-0.1, -16}, {15, 25}, {0.05, 0.55}},  // before midnight and below 0: refused
        {{23.4, -15}, {0, 10}, {23.45, 23.95}}, // to the end of the day and the bottom
    };
    for (const auto& s : steps) {
        w->scrollBy(s.step);
        EXPECT_NEAR(w->LeftAxis->min(), s.left.min, 1e-9) << s.step.x() << " " << s.step.y();
        EXPECT_NEAR(w->LeftAxis->max(), s.left.max, 1e-9) << s.step.x() << " " << s.step.y();
        EXPECT_NEAR(w->BottomAxis->min(), s.bottom.min, 1e-9) << s.step.x() << " " << s.step.y();
        EXPECT_NEAR(w->BottomAxis->max(), s.bottom.max, 1e-9) << s.step.x() << " " << s.step.y();
    }
    delete w;
}

TEST_F(HdDataTest, AskingAgainShowsTheNewDownloadNotTheLastOnesComplete)
{
    auto* w = open<THData>(0);
    auto* other = open<THData>(3);
    wholeDay();
    panelRefresh(w);
    ASSERT_EQ(progress(w), "Complete");
    w->Load_Button->click();
    EXPECT_EQ(progress(w), "Downloading( 0.0%)");
    panelRefresh(w);
    EXPECT_EQ(progress(w), "Downloading( 0.0%)") << "until the unit answers";
    EXPECT_EQ(list(w).size(), 1444) << "the day shown stays";

    // Another index's download is left as it stands.
    chunk(0, 3, 8640, 3400, false);
    other->Load_Button->click();
    EXPECT_EQ(frame.HistoryData.Index, 3400);
    EXPECT_EQ(frame.HistoryData.Len, 8640);
    delete w;
    delete other;
}

TEST_F(HdDataTest, SaveDataWritesTheDayOrSaysWhyNot)
{
    TempBase base;
    auto* w = open<THData>(0);
    w->Save_Button->click();
    EXPECT_FALSE(QDir(base.file("HISTORICAL")).exists());
    EXPECT_TRUE(boxes.empty());

    wholeDay();
    panelRefresh(w);
    w->Save_Button->click();
    QFile file(base.file("HISTORICAL/Vren-1 TOTAL 03142025 09H05M07S.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 1446);
    EXPECT_EQ(lines[0], "2025-03-14 09:05:07\r");
    EXPECT_EQ(lines[4], "Time(min),Peak(%),Ave(%),Min(%)\r");
    EXPECT_EQ(lines[5], "    1,   0.0,  10.0,  20.0\r");
    EXPECT_TRUE(boxes.empty());

    // A file where the folder should be.
    QDir(base.file("HISTORICAL")).removeRecursively();
    QFile blocker(base.file("HISTORICAL"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    w->Save_Button->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Save Data");
    EXPECT_TRUE(boxes[0].text.contains("Vren-1 TOTAL 03142025 09H05M07S.txt"));
    EXPECT_TRUE(QFileInfo(base.file("HISTORICAL")).isFile());

    QUrl opened;
    SetShellOpenHook([&](const QUrl& url) {
        opened = url;
        return true;
    });
    w->BitBtn1->click();
    SetShellOpenHook({});
    EXPECT_TRUE(opened.toLocalFile().endsWith("HELP/Historical_Help.htm"));
    delete w;
}

// The frame holds only the newest download, whichever window asked for it:
// the file of the TOTAL day keeps TOTAL's header.
TEST_F(HdDataTest, SavedHeaderLinesDescribeTheDaySavedNotTheNewestDownload)
{
    TempBase base;
    auto* total = open<THData>(0);
    auto* align = open<THData>(44); // "Time Align"
    wholeDay();
    panelRefresh(total);
    chunk(44, 5, 11520, 11520, true, QByteArray(11520, '\x01'));
    panelRefresh(align);
    panelRefresh(total);
    ASSERT_EQ(list(align)[1], "HData Type:    5");

    total->Save_Button->click();
    QFile file(base.file("HISTORICAL/Vren-1 TOTAL 03142025 09H05M07S.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines.mid(1, 5),
              (QList<QByteArray>{"HData ID:    0\r", "HData Type:    3\r", "HData Len:   8640\r",
                                 "Time(min),Peak(%),Ave(%),Min(%)\r",
                                 "    1,   0.0,  10.0,  20.0\r"}));
    delete total;
    delete align;
}

TEST_F(HdDataTest, ClosingTellsThePanelKindAndIndex)
{
    QPointer<THData> w = open<THData>(43);
    w->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(closedRecorder.closed, (std::vector<std::pair<qintptr, qintptr>>{{20, 43}}));
}
