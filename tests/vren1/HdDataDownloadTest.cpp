// The history window downloading a day from the simulated HD unit over TCP:
// a whole day, two windows at once, and the unit stalling, labelling the
// chunks with another index or sending fewer bytes than a day.
#include "Vren1WindowSupport.h"

#include "plots/PlotChartView.h"
#include "sim/hd/HdSim.h"
#include "vren1/HD_Data.h"
#include "widgets/MessageBoxService.h"

#include <QChart>
#include <QFile>
#include <QLegend>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace {

class HdDataDownloadTest : public Vren1HistorySimTest
{
protected:
    void SetUp() override
    {
        Vren1HistorySimTest::SetUp();
        sim.blockIntervalMs = 25;
        SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            boxes.push_back(r);
            return QMessageBox::Ok;
        });
    }
    void TearDown() override
    {
        SetMessageBoxAnswerer({});
        Vren1HistorySimTest::TearDown();
    }

    THData* history(TFrame2& f, int index) { return openOn<THData>(f, index, UM_PANEL_REFRESH); }

    static QString progress(const THData* w) { return w->windowTitle(); }
    static bool complete(const THData* w) { return progress(w) == "Complete" && w->HasData; }
    static QString cell(const THData* w, int row, int column)
    {
        return w->StringGrid1->item(row, column)->text();
    }
    static QString listLine(const THData* w, int i)
    {
        QListWidgetItem* item = w->ListBox1->item(i);
        return item ? item->text() : QString("<no line>");
    }
    // The percentage of a "Downloading(" text; -1 for any other text.
    static double percentOf(const QString& text)
    {
        static const QRegularExpression re(R"(^Downloading\( ?(\d+\.\d)%\)$)");
        const QRegularExpressionMatch m = re.match(text);
        return m.hasMatch() ? m.captured(1).toDouble() : -1;
    }
    // A type-3 cell of the simulated day, as the table shows it.
    static QString percentCell(int minute, int series)
    {
        return QString("%1").arg(HdSim::historyRaw(3, minute, series) / 10.0, 6, 'f', 1);
    }
    // Ticks until the unit has sent every chunk it means to send and a few
    // blocks more, so that nothing of the download is still on the way.
    bool runOut(TFrame2& f, int blocks = 90)
    {
        const int target = sim.blocksSent() + blocks;
        return tickUntil(
            f, [&] { return sim.blocksSent() >= target; }, 4 * blocks + 40);
    }

    std::vector<TMessageBoxRequest> boxes;
};

} // namespace

TEST_F(HdDataDownloadTest, TheProgressRisesToCompleteAndTheDayFillsListGridAndChart)
{
    TempBase base;
    auto f = connectToSim();
    auto* w = history(*f, 0);
    // Named for its measurement until the first refresh; from then on the
    // caption follows the download.
    const QString named = progress(w);
    EXPECT_TRUE(named.endsWith("  Vren-1 TOTAL")) << qPrintable(named);

    QStringList seen{named};
    ASSERT_TRUE(tickUntil(
        *f,
        [&] {
            if (seen.last() != progress(w))
                seen << progress(w);
            return complete(w);
        },
        400));
    EXPECT_TRUE(sim.requestLines().contains("SH00FB"));

    // Every text before the last is a percentage, never falling; the day
    // takes 26 chunks, so several show.
    ASSERT_EQ(seen.takeFirst(), named);
    ASSERT_EQ(seen.last(), "Complete");
    double last = -1;
    for (const QString& t : seen.mid(0, seen.size() - 1)) {
        const double p = percentOf(t);
        ASSERT_GE(p, 0) << qPrintable(t);
        EXPECT_GE(p, last) << qPrintable(seen.join(" | "));
        last = p;
    }
    EXPECT_GE(seen.size(), 3) << qPrintable(seen.join(" | "));

    ASSERT_EQ(w->ListBox1->count(), 4 + 1440);
    EXPECT_EQ(listLine(w, 0), "HData ID:    0");
    EXPECT_EQ(listLine(w, 1), "HData Type:    3");
    EXPECT_EQ(listLine(w, 2), "HData Len:   8640");
    EXPECT_EQ(listLine(w, 3), "HData Index:   8500");
    for (int minute : {0, 1, 719, 1439}) {
        EXPECT_EQ(cell(w, minute + 1, 0), QString("%1").arg(minute + 1, 5));
        for (int s = 0; s < 3; ++s) {
            EXPECT_EQ(cell(w, minute + 1, s + 1), percentCell(minute, s)) << minute << " " << s;
            EXPECT_DOUBLE_EQ(w->Series[size_t(s)]->at(minute).y(),
                             HdSim::historyRaw(3, minute, s) / 10.0);
        }
    }

    // The file carries the whole day.
    w->Save_Button->click();
    const QStringList files = QDir(base.file("HISTORICAL")).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].startsWith("Vren-1 TOTAL ")) << qPrintable(files[0]);
    QFile file(base.file("HISTORICAL/" + files[0]));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 1445 + 1);
    EXPECT_EQ(lines[1444], " 1440," + percentCell(1439, 0).toLatin1() + "," +
                               percentCell(1439, 1).toLatin1() + "," +
                               percentCell(1439, 2).toLatin1() + "\r");
    EXPECT_TRUE(boxes.empty());
    delete w;
}

TEST_F(HdDataDownloadTest, TwoWindowsEachTakeOnlyTheirOwnIndex)
{
    auto f = connectToSim();
    auto* total = history(*f, 0);
    auto* sum = history(*f, 3); // "L + R": its request replaces the first at the unit
    ASSERT_TRUE(tickUntil(
        *f, [&] { return complete(sum); }, 400));
    EXPECT_EQ(listLine(sum, 0), "HData ID:    3");
    EXPECT_FALSE(total->HasData);
    EXPECT_EQ(total->ListBox1->count(), 0);
    EXPECT_TRUE(cell(total, 1, 1).isEmpty());
    EXPECT_GE(percentOf(progress(total)), 0) << "it keeps its own download's percentage";
    EXPECT_LT(percentOf(progress(total)), 100);

    total->Load_Button->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return complete(total); }, 400));
    EXPECT_EQ(listLine(total, 0), "HData ID:    0");
    EXPECT_EQ(cell(total, 2, 1), percentCell(1, 0));
    // The other window keeps what it had.
    EXPECT_EQ(progress(sum), "Complete");
    EXPECT_EQ(listLine(sum, 0), "HData ID:    3");
    QList<QByteArray> asked;
    for (const QByteArray& l : sim.requestLines()) {
        if (l.startsWith("SH"))
            asked << l;
    }
    EXPECT_EQ(asked, (QList<QByteArray>{"SH00FB", "SH03FE", "SH00FB"}));
    delete total;
    delete sum;
}

TEST_F(HdDataDownloadTest, AStalledDownloadKeepsItsPercentageAndTheDayShownUntilTheUnitGoesOn)
{
    auto f = connectToSim();
    auto* w = history(*f, 0);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return complete(w); }, 400));
    const QString shown = cell(w, 600, 2);

    // Asked again, the unit stops after ten chunks: 3060 + 340 of 8640 bytes.
    sim.historyStallAfterChunks = 10;
    w->Load_Button->click();
    EXPECT_EQ(progress(w), "Downloading( 0.0%)") << "not the last download's Complete";
    ASSERT_TRUE(tickUntil(
        *f, [&] { return progress(w) == "Downloading(39.4%)"; }, 400));
    ASSERT_TRUE(runOut(*f));
    EXPECT_EQ(progress(w), "Downloading(39.4%)");
    EXPECT_FALSE(w->HasData);
    EXPECT_EQ(cell(w, 600, 2), shown) << "the day shown stays";
    EXPECT_EQ(w->ListBox1->count(), 4 + 1440);
    EXPECT_EQ(f->Status, stActive) << "the link itself goes on";

    // Saving now would write the day shown under a download that never
    // finished: nothing is written, and no box interrupts.
    TempBase base;
    w->Save_Button->click();
    EXPECT_FALSE(QDir(base.file("HISTORICAL")).exists());
    EXPECT_TRUE(boxes.empty());

    // The unit goes on where it stopped.
    sim.historyStallAfterChunks = -1;
    ASSERT_TRUE(tickUntil(
        *f, [&] { return complete(w); }, 400));
    EXPECT_EQ(listLine(w, 3), "HData Index:   8500");
    EXPECT_EQ(cell(w, 600, 2), shown);
    delete w;
}

TEST_F(HdDataDownloadTest, ChunksLabelledWithAnotherIndexFillNoWindowOfOurs)
{
    auto f = connectToSim();
    sim.historyIdOverride = 7;
    auto* w = history(*f, 0);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->HistoryData.Id == 7 && f->HistoryData.New; }, 400));
    ASSERT_TRUE(runOut(*f, 20));
    EXPECT_EQ(progress(w), "Downloading( 0.0%)") << "still waiting for its own day";
    EXPECT_FALSE(w->HasData);
    EXPECT_EQ(w->ListBox1->count(), 0);
    EXPECT_TRUE(cell(w, 1, 1).isEmpty());

    // Asked again, the unit answers with the right index.
    sim.historyIdOverride = -1;
    w->Load_Button->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return complete(w); }, 400));
    EXPECT_EQ(listLine(w, 0), "HData ID:    0");
    EXPECT_EQ(cell(w, 1, 1), percentCell(0, 0));
    delete w;
}

TEST_F(HdDataDownloadTest, AShortDayLeavesTheLaterMinutesEmptyNeverAnEarlierDaysValues)
{
    TempBase base;
    auto f = connectToSim();
    auto* w = history(*f, 0);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return complete(w); }, 400));
    ASSERT_FALSE(cell(w, 501, 1).trimmed().isEmpty());

    // 3000 bytes: minutes 1 .. 500 whole, 501 would run past the end.
    sim.historyLenOverride = 3000;
    w->Load_Button->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return complete(w); }, 400));
    EXPECT_EQ(listLine(w, 2), "HData Len:   3000");
    EXPECT_EQ(cell(w, 500, 1), percentCell(499, 0));
    for (int minute : {500, 501, 1439}) {
        EXPECT_EQ(cell(w, minute + 1, 0), QString("%1").arg(minute + 1, 5));
        for (int c = 1; c <= 3; ++c)
            EXPECT_TRUE(cell(w, minute + 1, c).isEmpty()) << minute << " " << c;
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(w->Series[size_t(s)]->at(minute).y(), 0.0) << minute;
        EXPECT_EQ(listLine(w, 4 + minute), QString("%1").arg(minute + 1, 5));
    }
    // The earlier day's bytes are still in the frame's area, unused.
    EXPECT_NE(f->HistoryData.Data[size_t(6 * 600)], 0);

    w->Save_Button->click();
    const QStringList files = QDir(base.file("HISTORICAL")).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    QFile file(base.file("HISTORICAL/" + files[0]));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 1445 + 1);
    EXPECT_EQ(lines[3], "HData Len:   3000\r");
    EXPECT_EQ(lines[5 + 500], "  501\r");
    delete w;
}

TEST_F(HdDataDownloadTest, TheDelayDayReadsSecondsWithoutAsterisks)
{
    auto f = connectToSim();
    auto* w = history(*f, 45); // a delay: Type 6, scale kind 8, display mode 8
    ASSERT_TRUE(tickUntil(
        *f, [&] { return complete(w); }, 400));
    EXPECT_TRUE(sim.requestLines().contains("SH2D11"));
    EXPECT_EQ(listLine(w, 1), "HData Type:    6");
    EXPECT_EQ(listLine(w, 2), "HData Len:   5760");
    EXPECT_EQ(cell(w, 0, 1), "Delay(min.sec)");
    EXPECT_EQ(cell(w, 151, 1), "1.500000");   // minute 150: 1,500,000 us
    EXPECT_EQ(cell(w, 1201, 1), "12.000000"); // past eight characters, still a number
    EXPECT_TRUE(cell(w, 1201, 2).isEmpty());
    EXPECT_EQ(w->LeftAxis->titleText(), "Delay(sec)");
    EXPECT_FALSE(w->Chart1->chart()->legend()->isVisible());
    EXPECT_EQ(w->Series[0]->name(), " TIME");
    EXPECT_FALSE(w->Series[1]->isVisible());
    // 0 .. 14.39 s: a second either side.
    EXPECT_EQ(w->ZoomLimits, (AxisRange{-1, 15}));
    delete w;
}
