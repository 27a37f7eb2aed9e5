#include "protocol/rack/RackDecoder.h"

#include <gtest/gtest.h>

#include <memory>

// Word numbers in these tests are written out by hand, not taken from the
// layout table, so a wrong table entry shows here.

namespace {

void check(TRackModuleRecord& r, int first, int last, int checkWord)
{
    int sum = 0;
    for (int i = first; i <= last; ++i)
        sum += r.w[i];
    r.w[checkWord] = sum & 0xFF;
}

void text(TRackModuleRecord& r, int first, const char* t)
{
    for (int i = 0; t[i]; ++i)
        r.w[first + i] = static_cast<unsigned char>(t[i]);
}

class RackDecoderTest : public ::testing::Test
{
protected:
    void SetUp() override { c.RackFamily = rkFM; }

    void decode(const TRackModuleRecord& r)
    {
        d.RackBlock.Records[3] = r;
        c.BlockNumber = 3;
        DecodeRackStatus(d, c);
    }
    void samples(const TRackModuleRecord& r)
    {
        d.RackBlock.Records[4] = r;
        d.RackSlotList.add(4);
        DecodeRackSamples(d, c);
    }
    qint32 entry1(int slot) const { return c.MeasurementHistory[slot][1]; }

    // An FM record with idle menu words for every module, so only what a
    // test places changes state.
    static TRackModuleRecord idleFm()
    {
        TRackModuleRecord r;
        r.w[26] = 255; // Kelb1 menu item
        r.w[51] = 255; // Nuva1
        r.w[61] = 255; // Lyn1
        r.w[71] = 255; // Varn1
        r.w[75] = 0xF0; // no information page kind of ours
        return r;
    }
    static TRackModuleRecord kelb1Ident()
    {
        TRackModuleRecord r = idleFm();
        r.w[75] = 0x00;
        r.w[77] = 12;
        r.w[78] = 'B';
        r.w[79] = 12;
        r.w[80] = 34;
        r.w[81] = 0x05;
        text(r, 85, "KELB\x01" "00007");
        check(r, 77, 94, 76);
        return r;
    }
    static TRackModuleRecord kelb1Settings()
    {
        TRackModuleRecord r = idleFm();
        r.w[75] = 0x01;
        r.w[77] = 0;
        r.w[78] = 9;    // current item
        r.w[79] = 0x05; // items 3 and 12 on
        r.w[80] = 7;    // item 1
        r.w[81] = 0x34; // item 2, low
        r.w[82] = 0x12; // item 2, high
        r.w[93] = 44;   // item 44
        check(r, 77, 93, 76);
        return r;
    }

    TRackData d;
    TConnectionState c;
};

} // namespace

TEST_F(RackDecoderTest, CheckRuleTakesTheLowByteOfTheSum)
{
    TRackModuleRecord r;
    r.w[4] = 0xF0;
    r.w[5] = 0x20; // sum 0x110
    struct Case
    {
        int checkWord;
        bool valid;
    };
    for (const Case& k : {Case{0x10, true}, Case{0x11, false}, Case{0x0F, false}, Case{0x110, false}}) {
        r.w[6] = k.checkWord;
        EXPECT_EQ(RackSectionValid(r, 4, 5, 6), k.valid) << k.checkWord;
    }
    EXPECT_TRUE(RackSectionValid(TRackModuleRecord{}, 4, 24, 25)); // all zero passes
}

TEST_F(RackDecoderTest, MenuEchoFollowsItemAndValue)
{
    struct Case
    {
        const char* name;
        int item;
        int valueLow, valueHigh;
        int menuIndex;
        quint16 bits;
        bool flag3;
    };
    // Kelb1 starts with item 3 on, menu index 1.
    const Case cases[] = {
        {"item 255 changes nothing", 255, 0, 0, 1, 0x01, true},
        {"absent value moves the menu", 7, 0xFF, 0xFF, 7, 0x01, true},
        {"item 3 value 0 clears its bit", 3, 0, 0, 1, 0x00, false},
        {"item 200 absent value moves the menu", 200, 0xFF, 0xFF, 200, 0x01, true},
        {"item 200 with a value is ignored", 200, 5, 0, 1, 0x01, true},
    };
    for (const Case& k : cases) {
        d.Kelb1State = {};
        d.Kelb1State.MenuIndex = 1;
        d.Kelb1State.SettingsBits = 0x01;
        d.Kelb1State.Flags[3] = true;
        TRackModuleRecord r = idleFm();
        r.w[26] = k.item;
        r.w[27] = k.valueLow;
        r.w[28] = k.valueHigh;
        decode(r);
        EXPECT_EQ(d.Kelb1State.MenuIndex, k.menuIndex) << k.name;
        EXPECT_EQ(d.Kelb1State.SettingsBits, k.bits) << k.name;
        EXPECT_EQ(d.Kelb1State.Flags[3], k.flag3) << k.name;
    }

    // A 16-bit numeric setting, and the 8-bit hold time of the Nuva1.
    TRackModuleRecord r = idleFm();
    r.w[26] = 8;
    r.w[27] = 0x34;
    r.w[28] = 0x12;
    r.w[51] = 15;
    r.w[52] = 0;
    decode(r);
    EXPECT_EQ(d.Kelb1State.Settings[8], 0x1234);
    EXPECT_TRUE(d.Nuva1State.HoldExternal);
    EXPECT_TRUE(d.Nuva1State.HoldIsZero);
    r.w[52] = 255; // absent for an 8-bit module
    decode(r);
    EXPECT_EQ(d.Nuva1State.MenuIndex, 15);
}

TEST_F(RackDecoderTest, StatusBitsKeepTheirValuesWhenTheCheckFails)
{
    TRackModuleRecord r = idleFm();
    r.w[22] = 0x34; // alarm low
    r.w[23] = 0x12; // alarm high
    r.w[24] = 0xE0 | 0x08 | 0x02; // LEDs, calibration 2, saving
    check(r, 4, 24, 25);
    decode(r);
    EXPECT_EQ(d.Kelb1State.AlarmBits, 0x1234);
    EXPECT_EQ(d.Kelb1State.LedBits, 0xE0);
    EXPECT_EQ(d.Kelb1State.CalibrationState, 2);
    EXPECT_TRUE(d.Kelb1State.Saving);

    r.w[22] = 0;
    r.w[24] = 0;
    r.w[25] += 1;
    r.w[26] = 12; // the menu words still count
    r.w[27] = 0xFF;
    r.w[28] = 0xFF;
    decode(r);
    EXPECT_EQ(d.Kelb1State.AlarmBits, 0x1234);
    EXPECT_TRUE(d.Kelb1State.Saving);
    EXPECT_EQ(d.Kelb1State.MenuIndex, 12);
}

TEST_F(RackDecoderTest, IdentificationThenSettingsMarksTheModuleOnce)
{
    decode(kelb1Settings()); // before the identification: nothing
    EXPECT_FALSE(c.UnitPresence[upKelb1]);
    EXPECT_EQ(c.DetectedUnits, 0);

    decode(kelb1Ident());
    EXPECT_FALSE(c.UnitPresence[upKelb1]);
    EXPECT_EQ(c.ModuleIdText[upKelb1], "301234");
    EXPECT_EQ(c.ModuleSerialText[upKelb1], "KELB 00007"); // the control byte as a blank
    EXPECT_DOUBLE_EQ(d.Kelb1State.FirmwareVersion, 1.2);
    EXPECT_EQ(d.Kelb1State.OptionBits, 0x05);

    decode(kelb1Settings());
    EXPECT_TRUE(c.UnitPresence[upKelb1]);
    EXPECT_EQ(c.DetectedUnits, 0x01);
    EXPECT_EQ(d.Kelb1State.MenuIndex, 9);
    EXPECT_TRUE(d.Kelb1State.Flags[3]);
    EXPECT_FALSE(d.Kelb1State.Flags[4]);
    EXPECT_TRUE(d.Kelb1State.Flags[12]);
    EXPECT_EQ(d.Kelb1State.Settings[1], 7);
    EXPECT_EQ(d.Kelb1State.Settings[2], 0x1234);
    EXPECT_EQ(d.Kelb1State.Settings[44], 44);

    // Seen again: no new bit, no reseeding.
    c.DetectedUnits = 0x40; // stands for "the rack window has laid this out"
    d.Kelb1State.MenuIndex = 3;
    decode(kelb1Settings());
    EXPECT_EQ(c.DetectedUnits, 0x40);
    EXPECT_EQ(d.Kelb1State.MenuIndex, 3);

    // A page whose check fails is ignored.
    TRackModuleRecord bad = kelb1Ident();
    bad.w[80] = 99;
    decode(bad);
    EXPECT_EQ(c.ModuleIdText[upKelb1], "301234");
}

TEST_F(RackDecoderTest, Jov4IsPresentOnlyAfterPageOneThenPageZero)
{
    TRackModuleRecord page0 = idleFm();
    page0.w[75] = 0x10;
    text(page0, 76, "FM  98.10MHZ");
    page0.w[88] = 55;
    check(page0, 76, 88, 89);
    decode(page0);
    EXPECT_FALSE(c.UnitPresence[upJov4]);
    EXPECT_EQ(d.Jov4State.DisplayText, "FM  98.10MHZ");

    TRackModuleRecord page1 = idleFm();
    page1.w[75] = 0x11;
    text(page1, 76, "JOV-4 ");
    page1.w[82] = 100 + 0x12;
    page1.w[83] = 100 + 0x45;
    text(page1, 84, "V2.1");
    text(page1, 88, "JV40000077");
    check(page1, 76, 97, 98);
    decode(page1);
    EXPECT_FALSE(c.UnitPresence[upJov4]);
    EXPECT_EQ(c.Jov4ModelText, "JOV-4 ");
    EXPECT_EQ(c.ModuleIdText[upJov4], "311245");
    decode(page0);
    EXPECT_TRUE(c.UnitPresence[upJov4]);
    EXPECT_EQ(c.DetectedUnits, 0x80);

    // Preset pages: the digit lies outside the check and must be '0'..'9'.
    TRackModuleRecord preset = idleFm();
    preset.w[75] = 0x12;
    text(preset, 77, "CLASSIC FM  ");
    check(preset, 77, 88, 89);
    for (int digit : {int('3'), int('/'), int(':'), 0xFF}) {
        preset.w[76] = digit;
        decode(preset);
    }
    EXPECT_EQ(d.Jov4State.Presets[3], "CLASSIC FM  ");
    int named = 0;
    for (const QString& p : d.Jov4State.Presets)
        named += p.isEmpty() ? 0 : 1;
    EXPECT_EQ(named, 1);

    // A part-number word below 100 still gives two digits.
    page1.w[82] = 99;
    check(page1, 76, 97, 98);
    decode(page1);
    EXPECT_EQ(c.ModuleIdText[upJov4], "31FF45");
}

TEST_F(RackDecoderTest, ASecondAmModuleLaterChangesDetectedUnits)
{
    c.RackFamily = rkAM;
    d.AmVariant = 1;
    // Pelo1 record: information channel at 28, check 29, page from 30.
    auto amPages = [&](int kindByte, int k) {
        TRackModuleRecord ident;
        ident.w[3] = kindByte;
        ident.w[k] = 0x00;
        ident.w[k + 2] = 10;
        ident.w[k + 3] = 'A';
        ident.w[k + 4] = 50;
        ident.w[k + 5] = 1;
        text(ident, k + 6, "PELO000001");
        check(ident, k + 2, k + 15, k + 1);
        TRackModuleRecord settings;
        settings.w[3] = kindByte;
        settings.w[k] = 0x01;
        settings.w[k + 3] = 4;
        check(settings, k + 2, k + 13, k + 1);
        decode(ident);
        decode(settings);
    };
    amPages(0xC1, 28);
    EXPECT_TRUE(c.UnitPresence[upPelo1]);
    EXPECT_EQ(c.DetectedUnits, 0x01);
    EXPECT_EQ(c.ModuleIdText[upPelo1], "355001");
    amPages(0xC2, 70);
    EXPECT_TRUE(c.UnitPresence[upPelo2]);
    EXPECT_EQ(c.DetectedUnits, 0x03);
}

TEST_F(RackDecoderTest, TvSettingsPageSeedsTheMenuItemBothBitWordsAndTheSettings)
{
    c.RackFamily = rkTV;
    auto tv = [] {
        TRackModuleRecord r;
        r.w[32] = 255; // Gry230 menu item: idle
        r.w[42] = 255; // Gry250
        return r;
    };
    TRackModuleRecord ident = tv();
    ident.w[76] = 0x20; // Gry230, page 0
    ident.w[78] = 11;
    ident.w[79] = 'A';
    ident.w[80] = 50;
    ident.w[81] = 6;
    text(ident, 82, "GRY0000001");
    check(ident, 78, 91, 77);
    decode(ident);
    EXPECT_EQ(c.ModuleIdText[upGry230], "235006");

    TRackModuleRecord page = tv();
    page.w[76] = 0x21;
    page.w[78] = 0;
    page.w[79] = 33;   // the main setting: the item the module shows
    page.w[80] = 0x21; // infinite (item 29), DBX in (item 34)
    page.w[81] = 0x01; // the second word: MTS mode (item 33)
    page.w[82] = 2;    // item 18, SAP auto
    page.w[89] = 6;    // item 25, L+R duration tracking
    check(page, 78, 89, 77);
    decode(page);
    const TGry230State& s = d.Gry230State;
    EXPECT_EQ(c.DetectedUnits & 0x02, 0x02);
    EXPECT_EQ(s.MenuIndex, 33);
    EXPECT_TRUE(s.Flags[29]);
    EXPECT_TRUE(s.Flags[34]);
    EXPECT_FALSE(s.Flags[30]);
    EXPECT_TRUE(s.Flags[33]);
    EXPECT_EQ(s.SettingsBits2, 0x01);
    EXPECT_EQ(s.Settings[18], 2);
    EXPECT_EQ(s.Settings[25], 6);
    // The hold count has no word on the page: unknown until echoed, and its
    // key steps from a copy at the shortest hold, held by count.
    EXPECT_TRUE(s.Unreported[27]);
    EXPECT_FALSE(s.Unreported[25]);
    EXPECT_EQ(s.HoldTime, 1);
    EXPECT_EQ(s.Settings[27], 1);
    EXPECT_FALSE(s.HoldExternal);
    EXPECT_FALSE(s.HoldIsZero);
    TRackModuleRecord echo = tv();
    echo.w[32] = 27;
    echo.w[33] = 5;
    decode(echo);
    EXPECT_FALSE(s.Unreported[27]);
    EXPECT_EQ(s.HoldTime, 5);

    // An echo that came before the page stays known.
    auto d2 = std::make_unique<TRackData>();
    auto c2 = std::make_unique<TConnectionState>();
    c2->RackFamily = rkTV;
    c2->BlockNumber = 0;
    for (const TRackModuleRecord* r : {&echo, &ident, &page}) {
        d2->RackBlock.Records[0] = *r;
        DecodeRackStatus(*d2, *c2);
    }
    EXPECT_TRUE(d2->Gry230State.SettingsSeen);
    EXPECT_FALSE(d2->Gry230State.Unreported[27]);
    EXPECT_EQ(d2->Gry230State.HoldTime, 5);
}

TEST_F(RackDecoderTest, AmRecordsAreDecodedByTheirModuleKind)
{
    c.RackFamily = rkAM;
    d.AmVariant = 1;
    TRackModuleRecord r;
    r.w[3] = 0xC2;   // Pelo2, although the controller is a Pelo1
    r.w[29] = 17;    // Pelo2 menu item
    r.w[30] = 0xFF;  // value absent (16 bits)
    r.w[31] = 0xFF;
    r.w[25] = 255;   // the Pelo1 menu item word, were it read as Pelo1
    decode(r);
    EXPECT_EQ(d.Pelo2State.MenuIndex, 17);
    EXPECT_EQ(d.Pelo1State.MenuIndex, 0);

    r.w[3] = 0xC0; // no module kind: the controller decides
    r.w[25] = 21;
    r.w[26] = 0xFF;
    r.w[27] = 0xFF;
    decode(r);
    EXPECT_EQ(d.Pelo1State.MenuIndex, 21);
}

TEST_F(RackDecoderTest, SamplesGoThroughEachModulesFormulas)
{
    TRackModuleRecord r;
    // Kelb1 relative words r0..r17 from word 4.
    const int kelb1[18] = {0x34, 0x02, 0x10, 0x01, 0x20, 0x00, 0x64, 0x00, 10, 11,
                           12,   13,   14,   7,    9,    30,   0xE8, 0x03};
    for (int i = 0; i < 18; ++i)
        r.w[4 + i] = kelb1[i];
    check(r, 4, 24, 25);
    // Nuva1 words 29..48.
    for (int i = 0; i < 20; ++i)
        r.w[29 + i] = i + 1;
    check(r, 29, 49, 50);
    // Lyn1 words 53..58: level, value, phase flags, value, 16-bit value.
    r.w[53] = 25;
    r.w[54] = 3;
    r.w[55] = 0x80 | 0x05;
    r.w[56] = 4;
    r.w[57] = 0x10;
    r.w[58] = 0x01;
    check(r, 53, 59, 60);
    // Varn1 unit 0 with its measurement block.
    r.w[63] = '0';
    r.w[64] = 5;
    r.w[65] = 6;
    r.w[66] = 7;
    r.w[67] = 80;
    r.w[68] = 90;
    r.w[69] = 0x80;
    check(r, 63, 69, 70);
    c.MeasurementHistory[1280][1] = 1234; // unit 1
    samples(r);

    const int expectedKelb1[13] = {564, 0x110, 0x20, 0x64, 50, 55, 60, 13, 14, 185, 190, 150, 1000};
    for (int s = 0; s < 13; ++s)
        EXPECT_EQ(entry1(s), expectedKelb1[s]) << "Kelb1 series " << s;
    for (int s = 0; s < 15; ++s)
        EXPECT_EQ(entry1(256 + s), (s + 1) * 10) << "Nuva1 series " << s;
    EXPECT_EQ(entry1(256 + 15), 16);
    EXPECT_EQ(entry1(256 + 16), 170);
    EXPECT_EQ(entry1(256 + 19), 20);
    EXPECT_EQ(entry1(768), 250);
    EXPECT_EQ(entry1(769), 3);
    EXPECT_EQ(entry1(770), -5);
    EXPECT_TRUE(d.RdsPhaseValid);
    EXPECT_EQ(entry1(772), 0x0110);
    const int varn1[5] = {50, 60, 70, 80, 90};
    for (int s = 0; s < 5; ++s)
        EXPECT_EQ(entry1(1024 + s), varn1[s]);
    EXPECT_EQ(entry1(1280), 1234);
    EXPECT_EQ(d.RackSlotList.Count, 0);

    // The RDS phase cases.
    struct Phase
    {
        int flags, value;
        bool valid;
    };
    for (const Phase& p : {Phase{0x20, -255, false}, Phase{0xA0, -255, false},
                           Phase{0x40, 127, false}, Phase{0xC0, -127, false},
                           Phase{0x07, 7, true}}) {
        r.w[55] = p.flags;
        check(r, 53, 59, 60);
        samples(r);
        EXPECT_EQ(entry1(770), p.value) << p.flags;
        EXPECT_EQ(d.RdsPhaseValid, p.valid) << p.flags;
    }

    // A failed check zeroes that module's entries only.
    r.w[60] += 1;
    r.w[70] += 1;
    c.MeasurementHistory[774][1] = 99; // a Lyn1 series beyond the five it fills
    samples(r);
    for (int s = 0; s < 7; ++s)
        EXPECT_EQ(entry1(768 + s), 0) << "Lyn1 series " << s;
    for (int s = 0; s < 5; ++s)
        EXPECT_EQ(entry1(1024 + s), 0) << "Varn1 series " << s;
    EXPECT_EQ(entry1(0), 564);
    EXPECT_EQ(entry1(1280), 1234);
}

TEST_F(RackDecoderTest, Varn1StatusUpdatesTheUnitItNames)
{
    TRackModuleRecord r = idleFm();
    r.w[63] = '0';
    r.w[64] = 2;
    r.w[69] = 0x80;
    r.w[71] = 4;
    r.w[72] = 255;
    check(r, 63, 69, 70);
    decode(r);
    EXPECT_EQ(d.Varn1State[0].Values[0], 20);
    EXPECT_EQ(d.Varn1State[0].MenuIndex, 4);
    EXPECT_EQ(d.Varn1State[1].Values[0], 0);
    EXPECT_EQ(d.Varn1State[1].MenuIndex, 0);

    r.w[63] = '1';
    check(r, 63, 69, 70);
    r.w[70] += 1; // a failed check: all five values 0
    d.Varn1State[1].Values = {1, 2, 3, 4, 5};
    decode(r);
    EXPECT_EQ(d.Varn1State[1].Values, (std::array<qint32, 5>{}));
    EXPECT_EQ(d.Varn1State[0].Values[0], 20);
}

TEST_F(RackDecoderTest, RdsGroupsUnpackHighByteFirst)
{
    TRackModuleRecord s;
    for (int i = 0; i < 48; ++i)
        s.w[i] = i + 1;
    d.RackBlock.Samples[6] = s;
    d.LastSampleSlot = 6;
    UnpackRdsGroups(d);
    EXPECT_EQ(d.RdsGroups[0], (TRdsGroupRec{0x0102, 0x0304, 0x0506, 0x0708}));
    EXPECT_EQ(d.RdsGroups[1].A, 0x090A);
    EXPECT_EQ(d.RdsGroups[5].A, 0x292A);
    EXPECT_EQ(d.RdsGroups[5].C, 0x2D2E);
    EXPECT_EQ(d.RdsGroups[5].D >> 8, 0x2F);
}

TEST_F(RackDecoderTest, Lyn1SettingsPageGivesItsHoldAndItsStatusItsOwnSavingBit)
{
    auto lyn1Page = [](int page, int hold) {
        TRackModuleRecord r = idleFm();
        r.w[75] = 0x30 | page;
        if (page == 0) {
            r.w[77] = 12;
            r.w[78] = 'A';
            text(r, 84, "LYN1000003");
            check(r, 77, 93, 76);
        } else {
            r.w[78] = 10;   // current item
            r.w[79] = 0x04; // time mode past
            r.w[80] = hold;
            check(r, 77, 93, 76);
        }
        return r;
    };
    decode(lyn1Page(0, 0));
    decode(lyn1Page(1, 0));
    EXPECT_TRUE(c.UnitPresence[upLyn1]);
    EXPECT_EQ(d.Lyn1State.MenuIndex, 10);
    EXPECT_TRUE(d.Lyn1State.HoldExternal) << "a hold of 0 is hold off";
    EXPECT_TRUE(d.Lyn1State.Flags[11]);
    EXPECT_EQ(d.Lyn1State.SettingsBits, 0x04);

    d.Lyn1State = TLyn1State{}; // the module seen anew
    decode(lyn1Page(0, 0));
    decode(lyn1Page(1, 7));
    EXPECT_FALSE(d.Lyn1State.HoldExternal);
    EXPECT_EQ(d.Lyn1State.HoldTime, 7);

    // Status word 59: lamps in bits 0-2, saving in bit 6.
    TRackModuleRecord r = idleFm();
    r.w[59] = 0x80 | 0x02;
    check(r, 53, 59, 60);
    decode(r);
    EXPECT_EQ(d.Lyn1State.StatusBits, 0x82);
    EXPECT_FALSE(d.Lyn1State.Saving) << "the RDS lamp is no saving flag";
    r.w[59] = 0x80 | 0x08;
    check(r, 53, 59, 60);
    decode(r);
    EXPECT_FALSE(d.Lyn1State.Saving) << "bit 3 is no saving flag";
    r.w[59] = 0x80 | 0x40;
    check(r, 53, 59, 60);
    decode(r);
    EXPECT_TRUE(d.Lyn1State.Saving);
}
