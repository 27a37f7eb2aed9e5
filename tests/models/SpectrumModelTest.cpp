#include "models/SpectrumModel.h"
#include "models/Tavr1SpectrumConfig.h"

#include <gtest/gtest.h>

namespace {

struct BandCase
{
    double kHz;
    TSpectrumBand band;
};

TEST(SpectrumModelTest, BandEdgesAreExactOnWholeHertz)
{
    const BandCase cases[] = {
        {99.9, sbLime},  {100, sbRed},    {122.9, sbRed}, {123, sbYellow},
        {200, sbYellow}, {200.1, sbLime}, {0, sbLime},    {700, sbLime},
    };
    for (const BandCase& c : cases) {
        for (int sign : {1, -1}) {
            const qint64 hz = qint64(sign * qRound(c.kHz * 1000));
            EXPECT_EQ(SpectrumBandOf(TSpectrumPageKind::Rf, 1, hz), c.band) << sign * c.kHz;
            EXPECT_EQ(SpectrumBandOf(TSpectrumPageKind::Hd, 2, hz), c.band) << sign * c.kHz;
            for (qint32 colour : {0, 3, 7, -1})
                EXPECT_EQ(SpectrumBandOf(TSpectrumPageKind::Rf, colour, hz), sbLime);
            EXPECT_EQ(SpectrumBandOf(TSpectrumPageKind::Composite, 1, hz), sbLime);
            EXPECT_EQ(SpectrumBandOf(TSpectrumPageKind::Audio, 2, hz), sbLime);
        }
    }
}

TEST(SpectrumModelTest, PointsOfTheTraceFallOnTheBandEdges)
{
    // HR 0.1 kHz centred: point 250 + 1000 is out of the page, but 100 kHz is
    // point 1250 at offset 1000; at offset 0 and 0.5 kHz a step, 100 kHz is
    // point 450, which doubles would put a hair to either side.
    const TSpectrumHorizontalAxis a = SpectrumHorizontalAxis(TSpectrumPageKind::Rf, 4, 0);
    EXPECT_EQ(SpectrumPointHz(a, 450), 100000);
    std::array<qint32, SpectrumPoints> v{};
    TSpectrumTrace t;
    SpectrumBuildTrace(a, v.data(), SpectrumPoints, 0, 1, false, t);
    ASSERT_EQ(t.points.size(), SpectrumPoints);
    EXPECT_EQ(t.bands[450], sbRed);
    EXPECT_EQ(t.bands[50], sbRed);     // -100 kHz
    EXPECT_EQ(t.bands[496], sbYellow); // 123 kHz
    EXPECT_EQ(t.bands[449], sbLime);   // 99.5 kHz
    EXPECT_DOUBLE_EQ(t.points.first().x(), -125.0);
    EXPECT_DOUBLE_EQ(t.points.last().x(), 125.0);
}

TEST(SpectrumModelTest, VerticalAxisPullsTheOffsetIntoTheResolutionsRange)
{
    Tavr1ConfigRecord r;
    TTavr1SpectrumConfig c(r);
    const TSpectrumWordMap& rf = Tavr1SpectrumWords(0);
    r[rf.vr] = 7;
    r[rf.offset] = 20; // valid at VR 0, too high at VR 7
    const TSpectrumVerticalAxis a = SpectrumApplyVertical(rf, c);
    EXPECT_EQ(a.offset, 2);
    EXPECT_EQ(r[rf.offset], 2);

    const TSpectrumVerticalAxis b = SpectrumVerticalAxis(2, 6);
    EXPECT_EQ(b.topDb, 90);
    EXPECT_EQ(b.bottomDb, 36);
    EXPECT_EQ(b.incrementDb, 5);
    EXPECT_EQ(SpectrumC1Text(SpectrumC1Level(100, b)), "  66.0 dB");
    EXPECT_EQ(SpectrumVerticalAxis(3, 0).incrementDb, 10);
    EXPECT_EQ(SpectrumVerticalAxis(0, -30).offset, -27);
}

TEST(SpectrumModelTest, RfRecentringKeepsTheFrequencyUnderC2)
{
    struct Case
    {
        int oldHr, newHr, offset, c2;
        int wantOffset, wantC2;
        double kHz;
    } cases[] = {
        {8, 5, 0, 290, 100, 250, 100.0},
        {6, 5, 0, 316, 100, 249, 99.0},
        {8, 5, 0, 0, 0, 0, 0.0}, // C2 at 0 keeps the offset alone
        {5, 8, 0, 100, -100, 290, -150.0},
    };
    for (const Case& k : cases) {
        Tavr1ConfigRecord r;
        TTavr1SpectrumConfig c(r);
        const TSpectrumWordMap& rf = Tavr1SpectrumWords(0);
        r[rf.hr] = k.oldHr;
        r[rf.freq] = k.offset;
        r[rf.c2] = k.c2;
        SpectrumStoreC2Real(rf, c);
        r[rf.hr] = k.newHr;
        SpectrumApplyHr(rf, c);
        EXPECT_EQ(r[rf.freq], k.wantOffset) << k.oldHr << "->" << k.newHr;
        EXPECT_EQ(r[rf.c2], k.wantC2) << k.oldHr << "->" << k.newHr;
        if (k.c2 != 0) {
            EXPECT_EQ(SpectrumC2Hz(rf.kind, k.newHr, r[rf.freq], r[rf.c2]), qRound(k.kHz * 1000));
        }
    }
    // 0.3 kHz at 0.1 kHz a step is 3 points, not the 2 that doubles give.
    EXPECT_EQ(SpectrumRecentre(TSpectrumPageKind::Rf, 2, 0.3, 253).c2, 253);
}

TEST(SpectrumModelTest, CompositeAndAudioRecentring)
{
    Tavr1ConfigRecord r;
    TTavr1SpectrumConfig c(r);
    const TSpectrumWordMap& cmp = Tavr1SpectrumWords(1);
    r[cmp.hr] = 2;
    r[cmp.freq] = 480;
    r[cmp.c2] = 280;
    SpectrumStoreC2Real(cmp, c);
    EXPECT_DOUBLE_EQ(r.real(cmp.zoomReal), 19.0);
    r[cmp.hr] = 3;
    SpectrumApplyHr(cmp, c);
    EXPECT_EQ(r[cmp.freq], 160);
    EXPECT_EQ(r[cmp.c2], 220);
    EXPECT_EQ(SpectrumC2Hz(cmp.kind, 3, 160, 220), 19000);

    // Dual audio centres on 125 and keeps C2 within one input's 250 points.
    const TSpectrumCentre d = SpectrumRecentre(TSpectrumPageKind::Audio, 3, 5.0, 100, true);
    EXPECT_EQ(d.offset, 400);
    EXPECT_EQ(d.c2, 100);
    EXPECT_LE(SpectrumRecentre(TSpectrumPageKind::Audio, 5, 20.0, 100, true).c2, 250);
}

TEST(SpectrumModelTest, AudioInputTypeResetsTheView)
{
    Tavr1ConfigRecord r;
    TTavr1SpectrumConfig c(r);
    const TSpectrumWordMap& aud = Tavr1SpectrumWords(2);
    for (int k : {49, 51, 52, 54})
        r[k] = 77;
    r.setReal(56, 12.5);
    r[aud.vr] = 3;
    SpectrumApplyAudioReset(aud, c);
    for (int k : {49, 51, 52, 54, 56, 57})
        EXPECT_EQ(r[k], 0) << k;
    EXPECT_EQ(r[61], -720); // -Round(1800 x 0.4)
}

TEST(SpectrumModelTest, CursorTexts)
{
    std::array<qint32, SpectrumPoints> s{};
    s[350] = -423;
    const qint64 f = SpectrumC2Hz(TSpectrumPageKind::Rf, 5, 0, 350);
    EXPECT_EQ(SpectrumC2Text(TSpectrumPageKind::Rf, f, SpectrumLevel(s, 350, -100)),
              "  100.0 kHz   -32.3dB");
    EXPECT_EQ(SpectrumC2Text(TSpectrumPageKind::Composite, 19000, -5.0), "  19.000 kHz    -5.0dB");
    EXPECT_EQ(SpectrumLevelText(-0.04), "   0.0dB"); // never "-0.0"
}

TEST(SpectrumModelTest, HostileWordsStayInsideTheTables)
{
    std::array<qint32, SpectrumPoints> s{};
    s.fill(-100);
    s[0] = -1;
    s[500] = -2;
    EXPECT_EQ(SpectrumLevel(s, 700, 0), -0.2);
    EXPECT_EQ(SpectrumLevel(s, -5, 0), -0.1);
    EXPECT_EQ(SpectrumVrText(9), " 0.8 dB ");
    EXPECT_EQ(SpectrumHrText(TSpectrumPageKind::Rf, 12), "2.5 kHz");
    EXPECT_EQ(SpectrumHrText(TSpectrumPageKind::Audio, 12), " 50 Hz ");
    EXPECT_EQ(SpectrumStepHz(TSpectrumPageKind::Composite, -3), 5);
    EXPECT_EQ(SpectrumStepHz(TSpectrumPageKind::Rf, 12), 2500);
    EXPECT_EQ(SpectrumVerticalAxis(9, 100).topDb, 80);
    // A dual-input C2 of 250: the right readout is point 501, clamped to 500.
    EXPECT_EQ(SpectrumLevel(s, 250 + 251, 0), -0.2);
    EXPECT_EQ(Tavr1SpectrumPageOf(11), 0);
    EXPECT_EQ(Tavr1SpectrumPageOf(9), 1);
}

TEST(SpectrumModelTest, HdAntennaDropsPointsBeyond500kHz)
{
    // HR 6 with a "Freq" offset of 200: -75 .. 675 kHz at 1.5 kHz a step.
    const TSpectrumHorizontalAxis a = SpectrumHorizontalAxis(TSpectrumPageKind::Hd, 6, 200);
    EXPECT_DOUBLE_EQ(a.freqStartKHz(), -75.0);
    std::array<qint32, SpectrumPoints> v;
    v.fill(-300);
    TSpectrumTrace ant, high;
    SpectrumBuildTrace(a, v.data(), SpectrumPoints, 0, 0, true, ant);
    SpectrumBuildTrace(a, v.data(), SpectrumPoints, 0, 0, false, high);
    int dropped = 0;
    for (int i = 0; i < SpectrumPoints; ++i) {
        const bool beyond = ant.points[i].x() > 500.0;
        EXPECT_EQ(ant.points[i].y(), beyond ? -1500.0 : -30.0) << i;
        EXPECT_EQ(high.points[i].y(), -30.0);
        dropped += beyond;
    }
    EXPECT_GT(dropped, 100);
    EXPECT_EQ(SignedWord16(0xFC18), -1000);
    EXPECT_EQ(SignedWord16(-1000), -1000);
}

TEST(SpectrumModelTest, BlankingCountsDown)
{
    std::array<qint32, SpectrumPoints> s{};
    s.fill(5);
    TSpectrumBlanking b;
    b.step(s.data(), SpectrumPoints);
    EXPECT_EQ(s[0], 5); // not blanking: untouched
    b.start(2);
    b.step(s.data(), SpectrumPoints);
    EXPECT_TRUE(b.Blanking);
    EXPECT_EQ(s[500], -1500);
    s.fill(5);
    b.step(s.data(), SpectrumPoints);
    EXPECT_FALSE(b.Blanking);
    EXPECT_EQ(s[0], -1500);
}

TEST(SpectrumModelTest, MasksAndAxes)
{
    EXPECT_EQ(Tavr1RfMask().size(), 18);
    EXPECT_EQ(HdRfMask().size(), 20);
    const TSpectrumHorizontalAxis rf = SpectrumHorizontalAxis(TSpectrumPageKind::Rf, 5, 0);
    EXPECT_DOUBLE_EQ(rf.minKHz, -251.0);
    EXPECT_DOUBLE_EQ(rf.maxKHz, 252.0);
    EXPECT_DOUBLE_EQ(rf.incrementKHz, 50.0);
    const TSpectrumHorizontalAxis dual =
        SpectrumHorizontalAxis(TSpectrumPageKind::Audio, 3, 100, true);
    EXPECT_DOUBLE_EQ(dual.minKHz, 0.99);
    EXPECT_DOUBLE_EQ(dual.maxKHz, 3.51);
    EXPECT_EQ(SpectrumFreqRange(TSpectrumPageKind::Audio, 5, false).max, 0);
    EXPECT_EQ(SpectrumFreqRange(TSpectrumPageKind::Audio, 5, true).max, 200);
}

} // namespace
