#include "Tavr1WindowSupport.h"

#include "tavr1/Tavr1_BarChart.h"
#include "tavr1/Tavr1_BarGraphs.h"
#include "tavr1/Tavr1_dBRead.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QLabel>
#include <QValueAxis>
#include <functional>
#include <optional>
#include <gtest/gtest.h>

namespace {

const QColor red(255, 0, 0);
const QColor yellow(255, 255, 0);
const QColor lime(0, 255, 0);
const QColor white(255, 255, 255);

struct Bar
{
    QString title;
    double value;
    QColor colour;
};
struct Chart
{
    const char* leftTitle;
    double min, max, increment;
    std::vector<Bar> bars;
};
struct Window
{
    const char* name;
    const char* caption;
    int index;
    std::function<TTavr1BarGraph*(const TChildWindowArgs&)> create;
    std::vector<Chart> charts;
};

class Tavr1BarGraphsTest : public Tavr1WindowTest
{
protected:
    // Every value tells where it came from: channel * 100 + slot tenths.
    void fillByPosition()
    {
        for (int c = 0; c < Tavr1ChannelCount; ++c) {
            for (int s = 0; s < Tavr1SlotCount; ++s)
                frame.Tavr1Measurements[c][s] = c * 100 + s;
        }
    }

    static TTavr1BarChart* chart(QWidget* w, int n)
    {
        return w->findChild<TTavr1BarChart*>(QString("Chart%1").arg(n));
    }
    // The readout beside a bar, as the window shows it.
    static QString title(QWidget* w, int chartNumber, int bar)
    {
        TTavr1BarChart* c = chart(w, chartNumber);
        return c && c->readout(bar) ? c->readout(bar)->text() : QString("<none>");
    }
    static QString readout(QWidget* w, const char* name)
    {
        auto* l = w->findChild<QLabel*>(name);
        return l ? l->text() : QString("<none>");
    }
};

template <class W>
std::function<TTavr1BarGraph*(const TChildWindowArgs&)> maker()
{
    return [](const TChildWindowArgs& a) { return new W(a); };
}

// Peak, average and minimum of a channel whose peak reads base.
std::vector<Bar> pam(double base)
{
    auto pct = [](const char* label, double v) {
        return QString("%1%2%").arg(label).arg(v, 5, 'f', 1);
    };
    return {{pct("PEAK ", base), base, red},
            {pct("AVE  ", base + 0.1), base + 0.1, yellow},
            {pct("MIN  ", base + 0.2), base + 0.2, lime}};
}

// A text as it reads, non-breaking blanks as blanks.
QString plain(QString text)
{
    return text.replace(QChar(0x00A0), QLatin1Char(' '));
}

} // namespace

// Each window against a record whose every value names its channel and slot:
// a bar that reads the wrong one shows the wrong number.
TEST_F(Tavr1BarGraphsTest, EveryBarShowsItsChannelAndSlotWithItsTitleAndColour)
{
    fillByPosition();
    const std::vector<Window> windows = {
        {"Rack1_TAVR1_TAVR1BARGRAPH0",
         " Studio A Tavr-1 Stereo Bar Graph",
         0,
         maker<TTavr1StereoBG>(),
         {{"Total", 0, 125, 10, pam(30.0)},
          {"Pilot", 0, 125, 10, {{"INJ  100.0%", 100.0, red}}},
          {" L  ", 0, 125, 10, pam(40.0)},
          {" R  ", 0, 125, 10, pam(50.0)},
          {"L+R ", 0, 125, 10, pam(60.0)},
          {"L-R ", 0, 125, 10, pam(70.0)}}},
        {"Rack1_TAVR1_TAVR1BARGRAPH1",
         " Studio A Tavr-1 SCA Bar Graph",
         1,
         maker<TTavr1SCABG>(),
         {{" Inj  ", 0, 25, 4, {{"Inj  120.3%", 120.3, yellow}}},
          {"Ph  ", -30.1, 30.1, 10, {{"Ph     0.0 ", -1, yellow}}},
          {" Inj  ", 0, 25, 4, {{"Inj  130.3%", 130.3, yellow}}},
          {"Peak ", 0, 125, 10, pam(130.0)},
          {" Inj  ", 0, 25, 4, {{"Inj  140.3%", 140.3, yellow}}},
          {"Peak ", 0, 125, 10, pam(140.0)}}},
        {"Rack1_TAVR1_TAVR1BARGRAPH2",
         " Studio A Tavr-1 Total dB Bar Graph",
         2,
         maker<TTavr1TotaldBBG>(),
         {{"Total", 0, 125, 10, pam(30.0)},
          {"Total", -120.1, 5, 20, {{"RMS  +30.4dB", 30.4, yellow}, {"RMS  +30.5dB", 30.5, lime}}},
          {"Pilot", -120.1, 5, 20, {{"RMS +100.4dB", 100.4, yellow}}},
          {"  38kHz", -120.1, 5, 20, {{"RMS +110.4dB", 110.4, yellow}}}}},
        {"Rack1_TAVR1_TAVR1BARGRAPH3",
         " Studio A Tavr-1 Separation dB Bar Graph",
         3,
         maker<TTavr1SepBG>(),
         {{" L ", 0, 125, 10, pam(40.0)},
          {" R ", 0, 125, 10, pam(50.0)},
          {" L ", -120.1, 5, 10, {{"RMS  +40.4dB", 40.4, yellow}, {"RMS  +40.5dB", 40.5, lime}}},
          {" R ", -120.1, 5, 10, {{"RMS  +50.4dB", 50.4, yellow}, {"RMS  +50.5dB", 50.5, lime}}},
          {"  Sep ", -120.1, 5, 20, {{"RMS  +80.4dB", 80.4, yellow}}}}},
        {"Rack1_TAVR1_TAVR1BARGRAPH4",
         " Studio A Tavr-1 Crosstalk dB Bar Graph",
         4,
         maker<TTavr1XTalkBG>(),
         {{" L+R ", 0, 125, 10, pam(60.0)},
          {" L-R ", 0, 125, 10, pam(70.0)},
          {" L+R ", -120.1, 5, 10, {{"RMS  +60.4dB", 60.4, yellow}, {"RMS  +60.5dB", 60.5, lime}}},
          {" L-R ", -120.1, 5, 10, {{"RMS  +70.4dB", 70.4, yellow}, {"RMS   70.5dB", 70.5, lime}}},
          {" XTalk ", -120.1, 5, 20, {{"RMS  +90.4dB", 90.4, yellow}}}}},
    };
    for (const Window& win : windows) {
        SCOPED_TRACE(win.name);
        TTavr1BarGraph* w = win.create(args());
        EXPECT_EQ(w->objectName(), win.name);
        EXPECT_EQ(w->windowTitle(), win.caption);
        EXPECT_EQ(w->width(), 700);
        refresh(w);
        w->show();
        QCoreApplication::processEvents();
        ASSERT_EQ(w->chartCount(), int(win.charts.size()));
        // The readouts of every row begin in one column, as do the plots.
        std::optional<int> readoutX;
        for (size_t n = 0; n < win.charts.size(); ++n) {
            const Chart& expected = win.charts[n];
            SCOPED_TRACE(n + 1);
            TTavr1BarChart* c = chart(w, int(n + 1));
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->width(), 680);
            // Shown padded with non-breaking blanks, so that the rows line up.
            ASSERT_EQ(c->leftAxis()->categories().size(), 1);
            EXPECT_EQ(plain(c->leftAxis()->categories()[0]),
                      QString(expected.leftTitle).rightJustified(7));
            EXPECT_EQ(c->valueAxis()->min(), expected.min);
            EXPECT_EQ(c->valueAxis()->max(), expected.max);
            EXPECT_EQ(c->valueAxis()->tickInterval(), expected.increment);
            ASSERT_EQ(c->barCount(), int(expected.bars.size()));
            for (size_t b = 0; b < expected.bars.size(); ++b) {
                const Bar& bar = expected.bars[b];
                QBarSet* set = c->barSet(int(b));
                QLabel* readout = c->readout(int(b));
                ASSERT_NE(readout, nullptr) << b;
                EXPECT_EQ(readout->objectName(), QString("Readout%1").arg(b + 1));
                EXPECT_EQ(readout->text(), bar.title) << b;
                EXPECT_EQ(set->label(), bar.title) << b;
                EXPECT_EQ(readout->textFormat(), Qt::PlainText) << "blanks kept as they are";
                EXPECT_TRUE(readout->isVisible()) << b;
                const QRect shown(readout->mapTo(c, QPoint(0, 0)), readout->size());
                EXPECT_TRUE(c->rect().contains(shown)) << b;
                EXPECT_LE(c->chart()->plotArea().right(), shown.left()) << "beside the plot";
                EXPECT_GE(readout->width(), readout->fontMetrics().horizontalAdvance(bar.title))
                    << "the whole text fits";
                const int x = readout->mapTo(w, QPoint(0, 0)).x();
                if (!readoutX)
                    readoutX = x;
                EXPECT_EQ(x, *readoutX) << b;
                QWidget* marker = c->marker(int(b));
                ASSERT_NE(marker, nullptr) << b;
                EXPECT_TRUE(marker->isVisible()) << b;
                EXPECT_EQ(marker->palette().color(QPalette::Window), bar.colour) << b;
                EXPECT_EQ(set->color(), bar.colour) << b;
                if (bar.value == -1) {
                    EXPECT_EQ(set->count(), 0) << "a title without a bar";
                } else {
                    ASSERT_EQ(set->count(), 1) << "one bar per set";
                    EXPECT_DOUBLE_EQ(set->at(0), bar.value) << b;
                }
            }
        }
        w->close();
        QCoreApplication::sendPostedEvents();
        ASSERT_FALSE(closedRecorder.closed.empty());
        EXPECT_EQ(closedRecorder.closed.back(), (std::pair<qintptr, qintptr>(0, win.index)));
    }
}

TEST_F(Tavr1BarGraphsTest, TheUnitsWordTurnsEveryPercentageIntoKhz)
{
    fillByPosition();
    frame.Tavr1LocalConfig[93] = 1;
    auto* stereo = open<TTavr1StereoBG>();
    auto* sca = open<TTavr1SCABG>();
    auto* total = open<TTavr1TotaldBBG>();
    refresh(stereo);
    refresh(sca);
    refresh(total);
    EXPECT_EQ(title(stereo, 1, 0), "PEAK  30.0khz");
    EXPECT_EQ(title(stereo, 1, 2), "MIN   30.2khz");
    EXPECT_EQ(title(stereo, 2, 0), "INJ  100.0khz");
    EXPECT_EQ(title(sca, 1, 0), "Inj  120.3khz");
    EXPECT_EQ(title(sca, 6, 1), "AVE  140.1khz");
    EXPECT_EQ(title(sca, 2, 0), "Ph     0.0 ");
    EXPECT_EQ(title(total, 2, 0), "RMS  +30.4dB") << "dB titles keep their unit";
}

TEST_F(Tavr1BarGraphsTest, OverflowSignsAndTheIgnoredRefresh)
{
    auto* stereo = open<TTavr1StereoBG>();
    auto* xtalk = open<TTavr1XTalkBG>();
    auto* total = open<TTavr1TotaldBBG>();
    frame.Tavr1Measurements[tcTotal][tsPeak] = 10000;
    frame.Tavr1Measurements[tcTotal][tsAverage] = 9999;
    frame.Tavr1Measurements[tcLPlusR][tsRmsDb75us] = 30;
    frame.Tavr1Measurements[tcLMinusR][tsRmsDb75us] = 30;
    frame.Tavr1Measurements[tcLMinusR][tsRmsDb] = 0;
    frame.Tavr1Measurements[tcTotal][tsRmsDb] = -1201;
    frame.Tavr1Measurements[tcPilot][tsRmsDb] = -10000;
    refresh(stereo);
    refresh(xtalk);
    refresh(total);
    EXPECT_EQ(title(stereo, 1, 0), "PEAK *.*%");
    EXPECT_EQ(title(stereo, 1, 1), "AVE  999.9%");
    EXPECT_EQ(title(xtalk, 3, 1), "RMS   +3.0dB");
    EXPECT_EQ(title(xtalk, 4, 1), "RMS    3.0dB");
    EXPECT_EQ(title(xtalk, 4, 0), "RMS    0.0dB") << "no sign before zero";
    EXPECT_EQ(title(total, 2, 0), "RMS -120.1dB");
    EXPECT_EQ(title(total, 3, 0), "RMS *.*dB");

    // A refresh with lParam not 0 changes nothing.
    frame.Tavr1Measurements[tcTotal][tsPeak] = 500;
    refresh(stereo, 1);
    EXPECT_EQ(title(stereo, 1, 0), "PEAK *.*%");
    EXPECT_DOUBLE_EQ(chart(stereo, 1)->barSet(0)->at(0), 1000.0);
    refresh(stereo);
    EXPECT_EQ(title(stereo, 1, 0), "PEAK  50.0%");
}

TEST_F(Tavr1BarGraphsTest, TheDbReadingsShowEveryLevelInItsColour)
{
    fillByPosition();
    auto* w = new TTavr1dBRead(args());
    EXPECT_EQ(w->objectName(), "Rack1_TAVR1_TAVR1DBREAD0");
    EXPECT_EQ(w->windowTitle(), " Studio A Tavr-1 dB Readings");
    EXPECT_EQ(w->size(), QSize(540, 300));
    refresh(w);
    const struct
    {
        const char* name;
        const char* text;
        QColor colour;
    } readouts[] = {
        {"LD_RF_Lev", "  +0.4 dB", yellow},     {"LD_AM_Noise", " +10.4 dB", yellow},
        {"LD_SYNC_Noise", " +20.4 dB", yellow}, {"LD_Total", " +30.4 dB", yellow},
        {"LD_Total_75us", " +30.5 dB", white},  {"LD_Pilot", "+100.4 dB", yellow},
        {"LD_38KHZ", "+110.4 dB", yellow},      {"LD_Left", " +40.4 dB", yellow},
        {"LD_Left_75us", " +40.5 dB", white},   {"LD_Right", " +50.4 dB", yellow},
        {"LD_Right_75us", " +50.5 dB", white},  {"LD_Sep", " +80.4 dB", yellow},
        {"LD_LPR", " +60.4 dB", yellow},        {"LD_LPR_75us", " +60.5 dB", white},
        {"LD_LMR", " +70.4 dB", yellow},        {"LD_LMR_75us", " +70.5 dB", white},
        {"LD_XTalk", " +90.4 dB", yellow},
    };
    for (const auto& r : readouts) {
        auto* l = w->findChild<QLabel*>(r.name);
        ASSERT_NE(l, nullptr) << r.name;
        EXPECT_EQ(l->text(), r.text) << r.name;
        EXPECT_EQ(l->palette().color(QPalette::WindowText), r.colour) << r.name;
    }
    QStringList captions;
    for (int n = 1; n <= 12; ++n)
        captions << readout(w, QString("Label%1").arg(n).toLatin1().constData());
    EXPECT_EQ(captions, (QStringList{"RF Level", "AM Noise", "SYNC Noise", "Total", "Pilot",
                                     "38 kHz", "  L", "  R", "Sep", "L+R", "L-R", "XTalk"}));

    frame.Tavr1Measurements[tcTotal][tsRmsDb] = -45;
    frame.Tavr1Measurements[tcTotal][tsRmsDb75us] = 0;
    frame.Tavr1Measurements[tcRfLevel][tsRmsDb] = -10000;
    refresh(w, 1);
    EXPECT_EQ(readout(w, "LD_Total"), " +30.4 dB") << "lParam 1 is ignored";
    refresh(w);
    EXPECT_EQ(readout(w, "LD_Total"), "  -4.5 dB");
    EXPECT_EQ(readout(w, "LD_Total_75us"), "   0.0 dB");
    EXPECT_EQ(readout(w, "LD_RF_Lev"), "*.* dB");

    w->close();
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(closedRecorder.closed.size(), 1u);
    EXPECT_EQ(closedRecorder.closed[0], (std::pair<qintptr, qintptr>(3, 0)));
}
