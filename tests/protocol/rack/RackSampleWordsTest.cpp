// The TV and AM modules' sample words, from the simulated module's record
// through the decoder into the series each panel line and each plot channel
// reads. Values are chosen so a series read from the wrong word, at the wrong
// scale or from another module's area shows.
#include "common/Enums.h"
#include "data/MeasurementSeries.h"
#include "models/Gry230_Menu.h"
#include "models/Gry250_Menu.h"
#include "models/Pelo_Menu.h"
#include "protocol/rack/RackDecoder.h"
#include "sim/rack/RackRecords.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Word
{
    int rel; // from the section's first word
    int raw;
};

struct Series
{
    int series;
    qint32 value;
};

struct Plot
{
    int channel;
    int series; // the series the channel's peak pointer must name
};

struct Line
{
    int item;
    const char* text;
};

struct SampleCase
{
    const char* name;
    int family;
    SimModule module;
    int area;       // the panel's series area
    int instrument; // plot instrument code
    std::vector<Word> words;
    std::vector<Series> series;
    std::vector<Plot> plots;
    std::vector<Line> lines;
    QString (*line)(int item, const TRackModuleState&, const TMeasurementHistory&);
};

QString gry230Line(int item, const TRackModuleState& s, const TMeasurementHistory& h)
{
    return TGry230Menu::MenuText(item, s, h);
}
QString gry250Line(int item, const TRackModuleState& s, const TMeasurementHistory& h)
{
    return TGry250Menu::MenuText(item, s, h);
}
QString pelo1Line(int item, const TRackModuleState& s, const TMeasurementHistory& h)
{
    return TPelo1Menu::MenuText(item, s, h);
}
QString pelo2Line(int item, const TRackModuleState& s, const TMeasurementHistory& h)
{
    return TPelo2Menu::MenuText(item, s, h);
}

std::vector<Word> gry230Words()
{
    // Eighteen percentages, the pilot, two levels, the separation, then the
    // two PPM counts (low, high).
    std::vector<Word> w;
    for (int i = 0; i < 18; ++i)
        w.push_back({i, 20 + i});
    w.push_back({18, 190});
    w.push_back({19, 9});
    w.push_back({20, 5});
    w.push_back({21, 60});
    w.push_back({22, 0x34});
    w.push_back({23, 0x12});
    w.push_back({24, 7});
    w.push_back({25, 0});
    return w;
}

std::vector<Series> gry230Series()
{
    std::vector<Series> s;
    for (int i = 0; i < 18; ++i)
        s.push_back({i, (20 + i) * 10});
    s.push_back({18, 190});
    s.push_back({19, 9});
    s.push_back({20, 5});
    s.push_back({21, 60});
    s.push_back({22, 0x1234});
    s.push_back({23, 7});
    return s;
}

const SampleCase cases[] = {
    {"Gry230",
     rkTV,
     SimModule::Gry230,
     TGry230Menu::SeriesArea,
     1,
     gry230Words(),
     gry230Series(),
     {{0, 0}, {1, 3}, {2, 6}, {3, 9}, {4, 12}, {5, 15}, {6, 18}},
     {{0, "  TOTAL    20 % "},
      {2, "STEREO PPM 4660 "},
      {4, "L + R  PPM    7 "},
      {6, "PILOT  19.0 KHZ"},
      {7, " LEFT  - 1.0 DB "},
      {9, "  SEP  -30.0 DB "}},
     gry230Line},
    {"Gry250",
     rkTV,
     SimModule::Gry250,
     TGry250Menu::SeriesArea,
     2,
     {{0, 90}, {1, 80}, {2, 70}, {3, 150}, {4, 100}, {5, 9}},
     {{0, 900}, {1, 800}, {2, 700}, {3, 150}, {4, 100}, {5, 9}},
     {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}},
     {{0, "  TOTAL    90 % "}, {1, "SAP INJ 15.0 KHZ"}, {2, "PRO INJ 10.0 KHZ"}},
     gry250Line},
    {"Pelo1",
     rkAM,
     SimModule::Pelo1,
     TPelo1Menu::SeriesArea,
     0,
     // Positive and negative modulation with their peaks and ratios, the
     // carrier level and shift, then three counts (low, high).
     {{0, 50},
      {1, 45},
      {2, 40},
      {3, 85},
      {4, 60},
      {5, 55},
      {6, 52},
      {7, 90},
      {8, 100},
      {9, 3},
      {10, 0x34},
      {11, 0x12},
      {12, 7},
      {13, 0},
      {14, 0},
      {15, 1}},
     {{0, 500},
      {1, 450},
      {2, 400},
      {3, 85},
      {4, 600},
      {5, 550},
      {6, 520},
      {7, 90},
      {8, 1000},
      {9, 30},
      {10, 0x1234},
      {11, 7},
      {12, 256}},
     {{0, 0}, {1, 4}, {2, 8}, {3, 9}},
     {{0, "  POS MOD  50 % "},
      {2, "CAR SHIFT   3 % "},
      {3, "+PPM COUNT 4660"},
      {4, "-PPM COUNT    7"},
      {5, "NORM COUNT  256"},
      {7, "+ AVE/PEAK 0.85 "},
      {11, "- PEAK MIN  52 % "}},
     pelo1Line},
    {"Pelo2",
     rkAM,
     SimModule::Pelo2,
     TPelo2Menu::SeriesArea,
     1,
     // As the Pelo1 up to the carrier level, then the carrier reference,
     // high and low, the carrier ratio, the noise (a signed byte), the counts.
     {{0, 70}, {1, 65}, {2, 60}, {3, 80},   {4, 75},    {5, 72},   {6, 68},
      {7, 88}, {8, 98}, {9, 99}, {10, 101}, {11, 97},   {12, 63},  {13, 0xD3},
      {14, 1}, {15, 0}, {16, 2}, {17, 0},   {18, 0x0F}, {19, 0x27}},
     {{0, 700},
      {1, 650},
      {2, 600},
      {3, 80},
      {4, 750},
      {5, 720},
      {6, 680},
      {7, 88},
      {8, 980},
      {9, 990},
      {10, 1010},
      {11, 970},
      {12, 63},
      {13, -450},
      {14, 1},
      {15, 2},
      {16, 9999}},
     {{0, 0}, {1, 4}, {2, 8}, {3, 9}, {4, 10}, {5, 11}, {6, 12}, {7, 13}},
     {{0, "  POS MOD  70 % "},
      {4, "CAR LOW    97 % "},
      {5, "CAR RATIO 6.3 DB"},
      {6, "NOISE  -45.0 DB "},
      {7, "+PPM COUNT    1"},
      {9, "NORM COUNT 9999"},
      {11, "+ AVE/PEAK 0.80 "}},
     pelo2Line},
};

class RackSampleWordsTest : public ::testing::TestWithParam<SampleCase>
{};

} // namespace

TEST_P(RackSampleWordsTest, EachSeriesComesFromItsWordsIntoThePanelsAreaAndPlots)
{
    const SampleCase& p = GetParam();
    RackRecords rack(p.family);
    for (auto& m : rack.modules)
        m.samples.fill(0);
    for (const Word& w : p.words)
        rack.module(p.module).samples[std::size_t(w.rel)] = w.raw;

    auto d = std::make_unique<TRackData>();
    auto c = std::make_unique<TConnectionState>();
    c->RackFamily = p.family;
    // Both AM modules report in turns: two records of each in one batch, so
    // the other module's records lie between.
    for (int i = 0; i < 4; ++i) {
        d->RackBlock.Records[std::size_t(i)] = rack.nextRecord();
        d->RackSlotList.add(i);
    }
    DecodeRackSamples(*d, *c);

    for (const Series& s : p.series) {
        const auto& slot = c->MeasurementHistory[std::size_t(p.area + s.series)];
        EXPECT_EQ(slot[1], s.value) << p.name << " series " << s.series;
        EXPECT_EQ(slot[2], s.value) << p.name << " series " << s.series << " entry 2";
    }
    for (const Plot& pl : p.plots) {
        const TMeasurementSeries m =
            GetMeasurementSeries(c->MeasurementHistory, p.family, p.instrument, pl.channel);
        ASSERT_NE(m.Peak, nullptr) << p.name << " channel " << pl.channel;
        EXPECT_EQ(m.Peak, &c->MeasurementHistory[std::size_t(p.area + pl.series)][1])
            << p.name << " channel " << pl.channel;
    }
    TRackModuleState state;
    for (const Line& l : p.lines)
        EXPECT_EQ(p.line(l.item, state, c->MeasurementHistory), l.text)
            << p.name << " item " << l.item;
}

INSTANTIATE_TEST_SUITE_P(Modules, RackSampleWordsTest, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

// Both AM modules in one rack: each panel's readout and lines show its own
// module, whichever reported first in the batch.
TEST(RackSampleWords, TwoAmModulesKeepTheirOwnValues)
{
    RackRecords rack(rkAM);
    rack.module(SimModule::Pelo1).samples.fill(0);
    rack.module(SimModule::Pelo2).samples.fill(0);
    rack.module(SimModule::Pelo1).samples[4] = 40; // negative modulation
    rack.module(SimModule::Pelo2).samples[4] = 90;
    auto d = std::make_unique<TRackData>();
    auto c = std::make_unique<TConnectionState>();
    c->RackFamily = rkAM;
    for (int batch = 0; batch < 3; ++batch) {
        // One record a batch, as the link takes them: the modules alternate.
        d->RackBlock.Records[std::size_t(batch)] = rack.nextRecord();
        d->RackSlotList.add(batch);
        DecodeRackSamples(*d, *c);
        if (batch == 0)
            continue;
        EXPECT_EQ(PeloReadout(c->MeasurementHistory, TPelo1Menu::SeriesArea), " 40") << batch;
        EXPECT_EQ(PeloReadout(c->MeasurementHistory, TPelo2Menu::SeriesArea), " 90") << batch;
    }
}
