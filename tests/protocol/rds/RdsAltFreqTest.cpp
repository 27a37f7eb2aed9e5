#include "protocol/rds/RdsAltFreq.h"
#include "models/RdsBasicPage.h"
#include "protocol/rds/RdsDecoder.h"
#include "protocol/rds/RdsTestGroups.h"

#include <gtest/gtest.h>

namespace {

QString line(const QString& text)
{
    return text.leftJustified(TRdsAltFreq::LineWidth);
}

struct AfRow
{
    const char* name;
    std::vector<std::pair<int, int>> pairs;
    char method;
    QString count;
    QString line1;
    QString line2;
};

TEST(RdsAltFreq, PairSequences)
{
    // 25 frequencies of width 6 from 100 MHz: twelve fill each line, the last is left out.
    std::vector<std::pair<int, int>> hundreds{{224 + 25, 125}};
    for (int i = 0; i < 12; ++i)
        hundreds.push_back({126 + 2 * i, 127 + 2 * i});
    QString hundred1, h2;
    for (int i = 0; i < 24; ++i)
        (i < 12 ? hundred1 : h2) += AfFrequencyText(125 + i, false);

    const AfRow rows[] = {
        {"count with five",
         {{0xE5, 0x41}, {0x4B, 0x55}, {0x5F, 0x69}},
         'A',
         "05",
         line(" 94.0 95.0 96.0 97.0 98.0"),
         line("")},
        {"method B",
         {{0xE5, 0x41}, {0x41, 0x4B}, {0x55, 0x41}},
         'B',
         "02",
         line(" 95.0 96.0"),
         line("")},
        {"one frequency repeated",
         {{0xE1, 0x41}, {0xE1, 0x41}, {0xE1, 0x41}},
         'A',
         "01",
         line(" 94.0"),
         line("")},
        {"empty list", {{224, 205}}, 'A', "00", line(""), line("")},
        {"fillers",
         {{0xE3, 0x41}, {205, 0x4B}, {205, 205}},
         'A',
         "03",
         line(" 94.0 95.0"),
         line("")},
        {"LF/MF then FM",
         {{0xE4, 0x41}, {250, 16}, {0x4B, 0x55}},
         'A',
         "04",
         line(" 94.0 530 95.0 96.0"),
         line("")},
        {"LF/MF across pairs",
         {{0xE4, 0x41}, {0x4B, 250}, {113, 0x55}},
         'A',
         "04",
         line(" 94.0 95.0 1500 96.0"),
         line("")},
        {"count change restarts",
         {{0xE3, 0x41}, {0x4B, 0x55}, {0xE2, 0x5F}, {0x69, 205}},
         'A',
         "02",
         line(" 97.0 98.0"),
         line("")},
        {"no count yet", {{0x41, 0x4B}, {0x55, 0x5F}}, 'C', "**", line(""), line("")},
        {"25 from 100 MHz", hundreds, 'A', "25", hundred1, h2},
        {"B: two tuned lists, the first shown",
         {{0xE5, 0x41},
          {0x41, 0x4B},
          {0xE5, 0x4B},
          {0x4B, 0x41},
          {0x4B, 0x5F},
          {0xE5, 0x41},
          {0x55, 0x41}},
         'B',
         "02",
         line(" 95.0 96.0"),
         line("")},
    };
    for (const AfRow& r : rows) {
        TRdsAltFreq af;
        for (auto [c1, c2] : r.pairs)
            af.pair(quint8(c1), quint8(c2));
        EXPECT_EQ(af.method(), r.method) << r.name;
        EXPECT_EQ(af.countText(), r.count) << r.name;
        const auto lines = af.lines();
        EXPECT_EQ(lines[0], r.line1) << r.name;
        EXPECT_EQ(lines[1], r.line2) << r.name;
        EXPECT_EQ(lines[0].size(), 72) << r.name;
        EXPECT_EQ(lines[1].size(), 72) << r.name;
    }
}

TEST(RdsAltFreq, FrequencyTexts)
{
    EXPECT_EQ(AfFrequencyText(4, false), " 87.9");
    EXPECT_EQ(AfFrequencyText(125, false), " 100.0");
    EXPECT_EQ(AfFrequencyText(204, false), " 107.9");
    EXPECT_EQ(AfFrequencyText(16, true), " 530");
    EXPECT_EQ(AfFrequencyText(63, true), " 1000");
}

TEST(RdsAltFreq, LinesNeverPassSeventyTwoWhateverTheWidths)
{
    // Mixed widths: 5 (FM below 100), 6 (FM from 100), 4 and 5 (LF/MF).
    TRdsAltFreq af;
    af.pair(0xF9, 1);
    for (int i = 0; i < 12; ++i) {
        af.pair(quint8(120 + i), 250);
        af.pair(quint8(60 + i), 205);
    }
    const auto lines = af.lines();
    EXPECT_EQ(lines[0].size(), 72);
    EXPECT_EQ(lines[1].size(), 72);
    EXPECT_EQ(af.methodAList().size, 25);
}

TEST(RdsAltFreq, RealMethodAStationRepeatedAddsNothing)
{
    TRdsDecoder d;
    d.setUp();
    const QStringList cycle{"6201 00F7 E704 5349", "6201 00F0 2217 594C", "6201 00F1 1139 4520",
                            "6201 00F2 0A14 594B"};
    for (const TRdsGroupRec& g : rdsGroups(cycle))
        d.feed(g);
    TRdsBasicPage p = RdsBasicPage(d);
    EXPECT_EQ(p.ps.text, "YLE YKSI");
    EXPECT_TRUE(p.afMethodA.known);
    EXPECT_FALSE(p.afMethodB.known);
    EXPECT_EQ(p.afCount.text, "07");
    EXPECT_EQ(p.afLine1.text, line(" 87.9 90.9 89.8 89.2 93.2 88.5 89.5"));
    for (const TRdsGroupRec& g : rdsGroups(cycle))
        d.feed(g);
    EXPECT_EQ(RdsBasicPage(d).afLine1.text, p.afLine1.text);
    EXPECT_EQ(RdsBasicPage(d).afCount.text, "07");
}

TEST(RdsAltFreq, UndecidedBeforeAnyZeroAAndAfterAReset)
{
    TRdsDecoder d;
    d.setUp();
    auto undecided = [&] {
        const TRdsBasicPage p = RdsBasicPage(d);
        EXPECT_EQ(p.afMethodA, (TRdsField{" Method A ", false}));
        EXPECT_EQ(p.afMethodB, (TRdsField{" Method B ", false}));
        EXPECT_EQ(p.afCount, (TRdsField{"**", false}));
        EXPECT_EQ(p.afLine1, (TRdsField{line(""), false}));
        EXPECT_EQ(p.afLine2, (TRdsField{line(""), false}));
    };
    undecided();
    d.feed(rdsGroup(0x6201, 0, 0, 0xE541, 0));
    d.feed(rdsGroup(0x6201, 0, 1, 0x4B55, 0));
    EXPECT_TRUE(RdsBasicPage(d).afMethodA.known);
    d.feed(rdsGroup(0x6202, 0, 0, 0xE541, 0)); // another station
    undecided();
}

} // namespace
