// Rack blocks written byte by byte at the positions the rack's block and
// record layouts give, with no word number of our own, then received and
// decoded as the link does it: an FM pair (its two halves), a TV record and
// an AM record, every field read back. The decoder and the simulated rack
// share their layout table, so only blocks made this way show a misplaced
// word. Where the layout leaves the TV and AM sample words open, the words are
// those the program chose (RackRecordLayout.h), written out here again.
#include "protocol/rack/RackDecoder.h"
#include "protocol/rack/RackReceive.h"
#include "protocol/rds/RdsDecoder.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <memory>

namespace {

using TWords = std::array<int, 109>;

// The low byte of the 16-bit sum of words first..last into word check.
void check(TWords& w, int first, int last, int checkWord)
{
    int sum = 0;
    for (int i = first; i <= last; ++i)
        sum += w[size_t(i)];
    w[size_t(checkWord)] = sum & 0xFF;
}

void text(TWords& w, int first, const char* t)
{
    for (int i = 0; t[i]; ++i)
        w[size_t(first + i)] = static_cast<unsigned char>(t[i]);
}

QByteArray marker(int byte3)
{
    return QByteArray("\xFF\xFE\xFD", 3) + char(byte3);
}

// A TV or AM block: bytes 0..98 are record words 0..98, byte 99 the low byte
// of the sum of bytes 0..98.
QByteArray wholeBlock(int byte3, const TWords& w)
{
    QByteArray b = marker(byte3);
    for (int i = 4; i <= 98; ++i)
        b.append(char(w[size_t(i)]));
    int sum = 0;
    for (char c : b)
        sum += quint8(c);
    b.append(char(sum));
    return b;
}

// An FM sample block: kind 11 carries record words 4..51 at its even bytes
// 4..98, kind 10 words 52..99; the odd bytes 5..99 carry 48 RDS words.
QByteArray fmHalf(int kind, const TWords& w, const std::array<int, 48>& rds)
{
    QByteArray b = marker(0xF0 | kind);
    const int first = kind == 11 ? 4 : 52;
    for (int i = 0; i < 48; ++i) {
        b.append(char(w[size_t(first + i)]));
        b.append(char(rds[size_t(i)]));
    }
    return b;
}

struct TRack
{
    std::unique_ptr<TRackData> d = std::make_unique<TRackData>();
    std::unique_ptr<TConnectionState> c = std::make_unique<TConnectionState>();

    // Receives a block and decodes what it completes, in the order of the
    // rack's poll: status, then the RDS groups, then the samples.
    void receive(const QByteArray& block)
    {
        ASSERT_TRUE(ReceiveRackBlock(*d, *c, block, false, QDateTime::currentDateTime()));
        if (d->NewModuleData) {
            d->NewModuleData = false;
            DecodeRackStatus(*d, *c);
        }
        if (d->NewSampleBlock) {
            d->NewSampleBlock = false;
            UnpackRdsGroups(*d);
        }
        if (d->NewSamples) {
            d->NewSamples = false;
            DecodeRackSamples(*d, *c);
        }
    }
    // Entry 1 (the first sample record of the batch) of the series at int32
    // offset area of the history, series s.
    qint32 series(int area, int s) const { return c->MeasurementHistory[size_t(area / 11 + s)][1]; }
};

} // namespace

TEST(RackGoldenBlock, FmPairCarriesEveryModuleTheInformationPageAndSixRdsGroups)
{
    TWords w{};
    // Kelb1: samples 4..24 (alarm 23:22, status 24), check 25, menu 26 and
    // the value 28:27.
    for (int i = 4; i <= 24; ++i)
        w[size_t(i)] = (i * 11 + 3) & 0xFF;
    w[22] = 0x34;
    w[23] = 0x12;
    w[24] = 0xAB; // new samples, saving, calibration 2, LEDs 0xA0
    check(w, 4, 24, 25);
    w[26] = 1; // item 1, a number
    w[27] = 0x23;
    w[28] = 0x01;
    // Nuva1: samples 29..49 (status 49), check 50, menu 51 and value 52.
    for (int i = 29; i <= 48; ++i)
        w[size_t(i)] = (i * 13 + 5) & 0xFF;
    w[49] = 0x82;
    check(w, 29, 49, 50);
    w[51] = 15; // the hold time
    w[52] = 7;
    // Lyn1: samples 53..59 (status 59), check 60, menu 61 and value 62.
    w[53] = 40;
    w[54] = 41;
    w[55] = 0x80 | 0x11; // the RDS phase: -17
    w[56] = 43;
    w[57] = 0x44;
    w[58] = 0x02;
    w[59] = 0x8D; // new samples, lamps
    check(w, 53, 59, 60);
    w[61] = 10; // the hold time
    w[62] = 9;
    // Varn1: unit word 63 ("0"), values 64..68, status 69, check 70 over
    // 63..69, menu 71 and value 72 (absent: the menu stands at item 3).
    w[63] = '0';
    for (int i = 64; i <= 68; ++i)
        w[size_t(i)] = 20 + i;
    w[69] = 0x80;
    check(w, 63, 69, 70);
    w[71] = 3;
    w[72] = 255;
    // The information channel: Kelb1 page 0, words 77..94 against 76.
    w[75] = 0x00;
    w[77] = 123; // version x 10
    w[78] = 'C';
    w[79] = 12;
    w[80] = 34;
    w[81] = 0x5A; // option bits
    text(w, 85, "KELB1 GOLD");
    check(w, 77, 94, 76);
    for (int i = 95; i <= 99; ++i)
        w[size_t(i)] = 0x60 + i;

    std::array<int, 48> rdsFirst{}, rdsSecond{};
    for (int i = 0; i < 48; ++i) {
        rdsFirst[size_t(i)] = (i * 5 + 1) & 0xFF;
        rdsSecond[size_t(i)] = (i * 9 + 200) & 0xFF;
    }

    TRack x;
    x.d->RackController = 1; // a Kelb1 controller: its word 24 bit 0 closes a batch
    x.receive(fmHalf(11, w, rdsFirst));
    EXPECT_EQ(x.c->RackFamily, rkFM);
    EXPECT_EQ(x.d->RackSlotList.Count, 0) << "the first half completes no record";
    x.receive(fmHalf(10, w, rdsSecond));

    const TRackModuleRecord& rec = x.d->RackBlock.Records[size_t(x.c->BlockNumber)];
    for (int i = 4; i <= 99; ++i)
        EXPECT_EQ(rec[i], w[size_t(i)]) << "word " << i;

    // Status sections and menu echoes.
    const TRackData& d = *x.d;
    EXPECT_EQ(d.Kelb1State.AlarmBits, 0x1234);
    EXPECT_EQ(d.Kelb1State.StatusBits, 0xAB);
    EXPECT_TRUE(d.Kelb1State.Saving);
    EXPECT_EQ(d.Kelb1State.CalibrationState, 2);
    EXPECT_EQ(d.Kelb1State.LedBits, 0xA0);
    EXPECT_EQ(d.Kelb1State.Settings[1], 0x0123);
    EXPECT_EQ(d.Nuva1State.StatusBits, 0x82);
    EXPECT_TRUE(d.Nuva1State.Saving);
    EXPECT_EQ(d.Nuva1State.HoldTime, 7);
    EXPECT_EQ(d.Lyn1State.StatusBits, 0x8D);
    EXPECT_EQ(d.Lyn1State.HoldTime, 9);
    EXPECT_EQ(d.Varn1State[0].StatusBits, 0x80);
    EXPECT_EQ(d.Varn1State[0].MenuIndex, 3);
    EXPECT_EQ(d.Varn1State[0].Values, (std::array<qint32, 5>{840, 850, 860, 87, 88}));
    EXPECT_EQ(d.Varn1State[1].Values, (std::array<qint32, 5>{}));
    // The identification page.
    EXPECT_DOUBLE_EQ(d.Kelb1State.FirmwareVersion, 12.3);
    EXPECT_EQ(d.Kelb1State.Revision, QChar('C'));
    EXPECT_EQ(d.Kelb1State.PartNumber, "301234");
    EXPECT_EQ(d.Kelb1State.OptionBits, 0x5A);
    EXPECT_EQ(d.Kelb1State.DeviceText, "KELB1 GOLD");
    EXPECT_TRUE(d.Kelb1State.IdentificationSeen);

    // Samples, entry 1 of each series.
    auto r = [&](int first, int i) { return qint32(w[size_t(first + i)]); };
    const qint32 kelb1[13] = {
        r(4, 1) * 256 + r(4, 0), r(4, 3) * 256 + r(4, 2),  r(4, 5) * 256 + r(4, 4),
        r(4, 7) * 256 + r(4, 6), r(4, 8) * 5,              r(4, 9) * 5,
        r(4, 10) * 5,            r(4, 11),                 r(4, 12),
        r(4, 13) / 2 * 5 + 170,  r(4, 14) / 2 * 5 + 170,   r(4, 15) * 5,
        r(4, 17) * 256 + r(4, 16)};
    for (int s = 0; s < 13; ++s)
        EXPECT_EQ(x.series(0, s), kelb1[s]) << "Kelb1 series " << s;
    for (int s = 0; s < 15; ++s)
        EXPECT_EQ(x.series(2816, s), r(29, s) * 10) << "Nuva1 series " << s;
    EXPECT_EQ(x.series(2816, 15), r(29, 15));
    EXPECT_EQ(x.series(2816, 16), r(29, 16) * 10);
    for (int s = 17; s < 20; ++s)
        EXPECT_EQ(x.series(2816, s), r(29, s)) << "Nuva1 series " << s;
    EXPECT_EQ(x.series(8448, 0), 400);
    EXPECT_EQ(x.series(8448, 1), 41);
    EXPECT_EQ(x.series(8448, 2), -17);
    EXPECT_TRUE(d.RdsPhaseValid);
    EXPECT_EQ(x.series(8448, 3), 43);
    EXPECT_EQ(x.series(8448, 4), 0x0244);
    const qint32 varn1[5] = {840, 850, 860, 87, 88};
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(x.series(11264, s), varn1[s]) << "Varn1 series " << s;
        EXPECT_EQ(x.series(14080, s), 0) << "Varn1 unit 1 series " << s;
    }

    // RDS: group g, block b from words 8g + 2b (high) and 8g + 2b + 1 (low)
    // of the second half's odd bytes; each half gives a batch.
    for (int g = 0; g < 6; ++g) {
        auto block = [&](int b) {
            return quint16(rdsSecond[size_t(8 * g + 2 * b)] * 256 + rdsSecond[size_t(8 * g + 2 * b + 1)]);
        };
        EXPECT_EQ(d.RdsGroups[size_t(g)], (TRdsGroupRec{block(0), block(1), block(2), block(3)}))
            << "group " << g;
    }
    TRdsGroupQueue::Batch first{};
    ASSERT_TRUE(x.d->RdsQueue.pop(first));
    EXPECT_EQ(first[0].A, quint16(rdsFirst[0] * 256 + rdsFirst[1]));
    EXPECT_EQ(x.d->RdsQueue.size(), 1);
}

TEST(RackGoldenBlock, TvRecordCarriesBothModules)
{
    TWords w{};
    // Gry230: samples 4..30 (status 30), check 31, menu 32 and value 33.
    for (int i = 4; i <= 29; ++i)
        w[size_t(i)] = (i * 7 + 1) & 0xFF;
    w[30] = 0xC2; // new samples
    check(w, 4, 30, 31);
    w[32] = 27; // the hold time
    w[33] = 5;
    // Gry250: samples 34..40 (status 40), check 41, menu 42 and value 43.
    for (int i = 34; i <= 39; ++i)
        w[size_t(i)] = 100 + i;
    w[40] = 0x81;
    check(w, 34, 40, 41);
    w[42] = 6;
    w[43] = 255; // absent: the menu stands at item 6
    w[76] = 0xF0; // no page

    TRack x;
    x.d->RackController = 18; // a Gry230 controller: word 30 bit 7 closes a batch
    const QByteArray block = wholeBlock(0xE0, w);
    x.receive(block);
    EXPECT_EQ(x.c->RackFamily, rkTV);
    int sum = 0;
    for (int i = 0; i <= 98; ++i)
        sum += quint8(block[i]);
    EXPECT_EQ(x.c->BlockChecksums[0], sum & 0xFF);
    EXPECT_EQ(x.c->BlockChecksums[1], quint8(block[99]));

    const TRackData& d = *x.d;
    EXPECT_EQ(d.Gry230State.StatusBits, 0xC2);
    EXPECT_EQ(d.Gry230State.HoldTime, 5);
    EXPECT_EQ(d.Gry250State.StatusBits, 0x81);
    EXPECT_EQ(d.Gry250State.MenuIndex, 6);

    // Gry230 from 2816: words 4..21 x 10, then 22..25, then 27:26 and 29:28.
    for (int s = 0; s < 18; ++s)
        EXPECT_EQ(x.series(2816, s), w[size_t(4 + s)] * 10) << "Gry230 series " << s;
    for (int s = 18; s < 22; ++s)
        EXPECT_EQ(x.series(2816, s), w[size_t(4 + s)]) << "Gry230 series " << s;
    EXPECT_EQ(x.series(2816, 22), w[27] * 256 + w[26]);
    EXPECT_EQ(x.series(2816, 23), w[29] * 256 + w[28]);
    // Gry250 from 5632: words 34..36 x 10, then 37..39.
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(x.series(5632, s), w[size_t(34 + s)] * 10) << "Gry250 series " << s;
    for (int s = 3; s < 6; ++s)
        EXPECT_EQ(x.series(5632, s), w[size_t(34 + s)]) << "Gry250 series " << s;
}

TEST(RackGoldenBlock, AmRecordOfAPelo1)
{
    TWords w{};
    // Pelo1: samples 4..23 (alarm 21:20, LEDs 22, status 23), check 24, menu
    // 25 and the value 27:26; its information channel from 28.
    for (int i = 4; i <= 19; ++i)
        w[size_t(i)] = (i * 9 + 2) & 0xFF;
    w[20] = 0x78;
    w[21] = 0x56;
    w[22] = 0x3C;
    w[23] = 0x03; // new samples, saving
    check(w, 4, 23, 24);
    w[25] = 255; // no menu echo
    w[26] = 0xFF;
    w[27] = 0xFF;
    w[28] = 0xF0; // no page

    TRack x;
    x.receive(wholeBlock(0xC1, w)); // the AM family, module kind 1
    EXPECT_EQ(x.c->RackFamily, rkAM);
    const TRackData& d = *x.d;
    EXPECT_EQ(d.AmModuleKind, 1);
    EXPECT_EQ(d.Pelo1State.AlarmBits, 0x5678);
    EXPECT_EQ(d.Pelo1State.LedBits, 0x3C);
    EXPECT_EQ(d.Pelo1State.StatusBits, 0x03);
    EXPECT_TRUE(d.Pelo1State.Saving);
    EXPECT_EQ(d.Pelo1State.MenuIndex, 0);

    // Pelo1 from 0: words 4..13 x 10 (the ratios 3 and 7 as sent), then the
    // three counts as word pairs, low first, from 14.
    for (int s = 0; s < 10; ++s)
        EXPECT_EQ(x.series(0, s), (s == 3 || s == 7) ? w[size_t(4 + s)] : w[size_t(4 + s)] * 10)
            << "Pelo1 series " << s;
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(x.series(0, 10 + k), w[size_t(15 + 2 * k)] * 256 + w[size_t(14 + 2 * k)])
            << "Pelo1 count " << k;
}

TEST(RackGoldenBlock, APelo1MenuEchoCarriesItsItemAndItsValueLowByteFirst)
{
    TWords w{};
    check(w, 4, 23, 24);
    w[25] = 16; // a step item
    w[26] = 0x23;
    w[27] = 0x01;
    TRack x;
    x.receive(wholeBlock(0xC1, w));
    EXPECT_EQ(x.d->Pelo1State.Settings[16], 0x0123);
}

// Which status bit of which word closes a batch of samples, by the controller
// (FM, TV) or by the record's module (AM). The bit alone must close it, and
// every other bit of the record set must not.
TEST(RackGoldenBlock, OnlyTheControllersNewSamplesBitClosesABatch)
{
    struct Case
    {
        const char* name;
        int byte3; // 0xF0: an FM pair
        int controller;
        int word;
        int bit;
    };
    const Case cases[] = {
        {"Kelb1", 0xF0, 1, 24, 0x01},  {"Nuva1", 0xF0, 2, 49, 0x80},
        {"Lyn1", 0xF0, 4, 59, 0x80},   {"Varn1", 0xF0, 8, 69, 0x80},
        {"GryA1", 0xE0, 17, 31, 0x80}, {"Gry230", 0xE0, 18, 30, 0x80},
        {"Gry250", 0xE0, 19, 40, 0x80}, {"Pelo1", 0xC1, 0, 23, 0x01},
        {"Pelo2", 0xC2, 0, 27, 0x01},
    };
    auto closesABatch = [](const Case& k, const TWords& w) {
        TRack x;
        x.d->RackController = k.controller;
        const QDateTime now = QDateTime::currentDateTime();
        if (k.byte3 == 0xF0) {
            const std::array<int, 48> rds{};
            EXPECT_TRUE(ReceiveRackBlock(*x.d, *x.c, fmHalf(11, w, rds), false, now));
            EXPECT_FALSE(x.d->NewSamples) << "the first half completes no record";
            EXPECT_TRUE(ReceiveRackBlock(*x.d, *x.c, fmHalf(10, w, rds), false, now));
        } else {
            EXPECT_TRUE(ReceiveRackBlock(*x.d, *x.c, wholeBlock(k.byte3, w), false, now));
        }
        return x.d->NewSamples;
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TWords alone{};
        alone[size_t(k.word)] = k.bit;
        EXPECT_TRUE(closesABatch(k, alone));
        TWords allBut{};
        allBut.fill(0xFF);
        allBut[size_t(k.word)] = 0xFF & ~k.bit;
        EXPECT_FALSE(closesABatch(k, allBut));
    }
}

// TV and AM identification pages: the kind and page word k, the check k+1
// over k+2..k+15, then version x 10, revision, part number (high, low) and the
// ten characters of the device text; the part number takes the family's
// prefix.
TEST(RackGoldenBlock, TvAndAmIdentificationPagesStandAtTheirKindWords)
{
    struct Case
    {
        const char* name;
        int byte3;
        int k;
        int kindWord;
        TRackModuleState TRackData::*state;
        const char* part;
    };
    const Case cases[] = {
        {"Gry230", 0xE0, 76, 0x20, &TRackData::Gry230State, "231234"},
        {"Gry250", 0xE0, 76, 0x30, &TRackData::Gry250State, "251234"},
        {"Pelo1", 0xC1, 28, 0x00, &TRackData::Pelo1State, "351234"},
        {"Pelo2", 0xC2, 70, 0x00, &TRackData::Pelo2State, "351234"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TWords w{};
        const int k = c.k;
        w[size_t(k)] = c.kindWord;
        w[size_t(k + 2)] = 123;
        w[size_t(k + 3)] = 'C';
        w[size_t(k + 4)] = 12;
        w[size_t(k + 5)] = 34;
        text(w, k + 6, "UNIT GOLD1");
        check(w, k + 2, k + 15, k + 1);
        w[size_t(k + 16)] = 0x5A; // past the checked words: no part of the sum
        TRack x;
        x.receive(wholeBlock(c.byte3, w));
        const TRackModuleState& s = (*x.d).*(c.state);
        EXPECT_TRUE(s.IdentificationSeen);
        EXPECT_DOUBLE_EQ(s.FirmwareVersion, 12.3);
        EXPECT_EQ(s.Revision, QChar('C'));
        EXPECT_EQ(s.PartNumber, c.part);
        EXPECT_EQ(s.DeviceText, "UNIT GOLD1");
    }
}

// An FM block of a kind other than the two sample halves is one whole record,
// as the TV and AM blocks are, and carries no RDS words.
TEST(RackGoldenBlock, AnFmBlockOfAnotherKindIsAWholeRecord)
{
    TWords w{};
    for (int i = 4; i <= 98; ++i)
        w[size_t(i)] = (i * 3 + 7) & 0xFF;
    TRack x;
    ASSERT_TRUE(ReceiveRackBlock(*x.d, *x.c, wholeBlock(0xFC, w), false, QDateTime::currentDateTime()));
    EXPECT_EQ(x.c->RackFamily, rkFM);
    EXPECT_FALSE(x.d->NewSampleBlock);
    const TRackModuleRecord& rec = x.d->RackBlock.Records[size_t(x.c->BlockNumber)];
    for (int i = 4; i <= 98; ++i)
        EXPECT_EQ(rec[i], w[size_t(i)]) << "word " << i;
}

// A half carries six RDS groups and no more. A module blanks a group it could
// not read, and six blank groups in a row mean the station is gone: after a
// good group, the five blank ones of the same half are a run of five, which
// keeps the station.
TEST(RackGoldenBlock, AHalfCarriesSixRdsGroupsAndNoMore)
{
    std::array<int, 48> rds{};
    // Group 0, words 0..7: PI 5A31, block B 0 (a 0A group, first segment),
    // block C 0, block D the name's first two characters.
    rds[0] = 0x5A;
    rds[1] = 0x31;
    rds[6] = 'G';
    rds[7] = 'O';
    TRack x;
    x.receive(fmHalf(11, TWords{}, rds));
    TRdsGroupQueue::Batch batch{};
    ASSERT_TRUE(x.d->RdsQueue.pop(batch));

    TRdsDecoder decoder;
    decoder.setUp();
    decoder.walk(batch);
    EXPECT_EQ(decoder.pi(), 0x5A31);
    EXPECT_EQ(decoder.ps()[0], 'G');
    EXPECT_EQ(decoder.ps()[1], 'O');
    EXPECT_EQ(decoder.emptyCount(), 5);
}
