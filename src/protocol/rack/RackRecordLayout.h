#pragma once

// Where each module's words sit in a rack record, and the choices this program
// made where the rack's documentation leaves a position open. The decoder and
// the simulated rack both read this table, so they cannot drift apart; tests of
// the positions the rack fixes place their words by hand instead, so a wrong
// entry here shows up there.

namespace RackLayout {

constexpr int RecordWords = 109;
constexpr int BlockLength = 100;        // bytes on the wire
constexpr int StampedBlockLength = 108; // with the unit's 8-byte time stamp
constexpr int SumByte = 99;             // low byte of the sum of bytes 0..98
// Blocks that may wait before the oldest are dropped: ten seconds of the
// rack's answers to its two polls a second.
constexpr int BacklogBlocks = 20;

// Byte 3: the family in the high nibble, the block kind in the low one.
constexpr int FamilyFM = 0xF0;
constexpr int FamilyTV = 0xE0;
constexpr int FamilyAM = 0xC0;
constexpr int KindFmOther = 12;
constexpr int KindFmFirstHalf = 11;
constexpr int KindFmSecondHalf = 10;
constexpr int KindPelo1 = 1;
constexpr int KindPelo2 = 2;

// An FM pair: the first half carries record words 4..51 at its even bytes,
// the second words 52..99; the odd bytes 5..99 carry 48 RDS words.
constexpr int FirstHalfFirstWord = 4;
constexpr int SecondHalfFirstWord = 52;
constexpr int HalfRecordWords = 48;
constexpr int RdsWords = 48;
constexpr int RdsGroupCount = 6;

// A checked section: the words first..check-1 against word check. The status,
// alarm and LED words lie inside it; the menu words after it lie outside every
// check on purpose (the module repeats them in each record).
struct TSectionLayout
{
    int first;
    int check;
    int status;     // status and LED bits
    int alarmHigh;  // -1: the module reports no alarm word
    int alarmLow;
    int led;        // the separate LED word of the AM modules, else -1
    int menuItem;
    int menuValue;     // the low byte of a 16-bit value, or the 8-bit value
    int menuValueHigh; // -1 for an 8-bit value
    int newSamplesWord;
    int newSamplesBit;
};

// FM family.
constexpr TSectionLayout Kelb1Section{4, 25, 24, 23, 22, -1, 26, 27, 28, 24, 0x01};
constexpr TSectionLayout Nuva1Section{29, 50, 49, -1, -1, -1, 51, 52, -1, 49, 0x80};
constexpr TSectionLayout Lyn1Section{53, 60, 59, -1, -1, -1, 61, 62, -1, 59, 0x80};
// Varn1: word 63 names the unit ('0' unit 0, anything else unit 1); the
// measurement words 64..68 and status 69 are checked from word 63 on.
constexpr TSectionLayout Varn1Section{63, 70, 69, -1, -1, -1, 71, 72, -1, 69, 0x80};
constexpr int Varn1UnitWord = 63;
constexpr int Varn1FirstValue = 64;
// TV family.
constexpr TSectionLayout Gry230Section{4, 31, 30, -1, -1, -1, 32, 33, -1, 30, 0x80};
constexpr TSectionLayout Gry250Section{34, 41, 40, -1, -1, -1, 42, 43, -1, 40, 0x80};
// AM family (one module per record, named by the low nibble of byte 3).
constexpr TSectionLayout Pelo1Section{4, 24, 23, 21, 20, 22, 25, 26, 27, 23, 0x01};
constexpr TSectionLayout Pelo2Section{4, 28, 27, 25, 24, 26, 29, 30, 31, 27, 0x01};
// Controllers that are no module of a record of ours still flag new samples.
constexpr int GryA1NewSamplesWord = 31;
constexpr int GryA1NewSamplesBit = 0x80;

// Kelb1 status word: bit 0 new samples, bit 1 saving, bits 2-3 the calibration
// state, bits 7, 6, 5 the LEDs its panel lights.
constexpr int Kelb1SavingBit = 0x02;
constexpr int Kelb1CalibrationShift = 2;
constexpr int Kelb1LedMask = 0xE0;

// Lyn1 status word 59: bits 0-2 its lamps (pilot, RDS, sync), bit 6 saving,
// bit 7 new samples. Its samples from word 53: total, RDS injection, the RDS
// phase flags, pilot injection, block errors (low, high).
constexpr int Lyn1PilotBit = 0x01;
constexpr int Lyn1RdsBit = 0x02;
constexpr int Lyn1SyncBit = 0x04;
constexpr int Lyn1SavingBit = 0x40;
// Varn1 status word 69: bits 0, 1 its lamps, bit 5 saving, bit 6 no reading,
// bit 7 new samples.
constexpr int Varn1SavingBit = 0x20;
constexpr int SavingBit = 0x02; // every other module with a saving flag

// ---- Information channel ----------------------------------------------------
// FM: word 75 the page kind (bits 4-7) and number (bits 0-3), word 76 the
// check of most pages, the page from word 77.
constexpr int FmInfoKindWord = 75;
constexpr int FmInfoCheckWord = 76;
constexpr int FmInfoFirstWord = 77;
enum TFmInfoKind : int
{
    ikKelb1 = 0,
    ikJov4 = 1,
    ikNuva1 = 2,
    ikLyn1 = 3,
    ikVarn1Unit0 = 4,
    ikVarn1Unit1 = 5,
};
// TV: word 76 kind and page, word 77 the check, the page from word 78.
constexpr int TvInfoKindWord = 76;
constexpr int TvKindGry230 = 2;
constexpr int TvKindGry250 = 3;
// AM: the same shape as TV, from word 28 in a Pelo1 record, 70 in a Pelo2 one.
constexpr int Pelo1InfoKindWord = 28;
constexpr int Pelo2InfoKindWord = 70;

// Every FM module has its identification on page 0 and its settings on page
// 1. An identification page: the version x 10, the revision character, the
// part number as two words (high, low), then module words, and the ten
// characters of the device text ending on the page's last checked word.
struct TIdentLayout
{
    int lastChecked; // checked from the page's first word
    int version;
    int revision;
    int partHigh;
    int partLow;
    int text; // ten characters
    const char* prefix;
};
constexpr TIdentLayout Kelb1Ident{94, 77, 78, 79, 80, 85, "30"};
constexpr int Kelb1OptionWord = 81;
constexpr TIdentLayout Nuva1Ident{93, 77, 78, 79, 80, 84, "35"};
constexpr TIdentLayout Lyn1Ident{93, 77, 78, 79, 80, 84, "36"};
constexpr TIdentLayout Varn1Ident{91, 77, 78, 79, 80, 82, "29"};
// TV and AM identification pages, relative to the kind word k: checked
// k+2..k+15 against k+1.
constexpr int TvIdentLength = 14;
constexpr const char* Gry230Prefix = "23";
constexpr const char* Gry250Prefix = "25";
constexpr const char* AmPrefix = "35";

// Settings pages: the first data word 0, then the current menu item, then the
// settings bit word, then the numeric settings in item order (a 16-bit setting
// as two words, low first).
constexpr int FmSettingsLastChecked = 93; // Kelb1, Nuva1, Lyn1
constexpr int Varn1SettingsLastChecked = 91;
// Lyn1 page 1: the hold count (item 10; 0 is hold off) at word 80.
constexpr int Lyn1HoldWord = 80;
constexpr int SettingsItemOffset = 1; // from the page's first word
constexpr int SettingsBitsOffset = 2;
// Kelb1 page 1: the numeric settings from word 80, by item; a 16-bit item
// takes two words.
struct TSettingWord
{
    int item;
    int word;
    bool wide;
};
constexpr TSettingWord Kelb1SettingWords[] = {
    {1, 80, false},  {2, 81, true},   {5, 83, false},  {7, 84, false},
    {8, 85, true},   {9, 87, false},  {14, 88, false}, {15, 89, false},
    {19, 90, false}, {42, 91, false}, {43, 92, false}, {44, 93, false},
};
// TV and AM settings pages, relative to the kind word k: k+2 is 0, k+3 the main
// setting (the item the module's menu shows, where an FM page has its current
// item), k+4 the settings bits (eight Boolean copies), k+5 the second bit
// word, then the further settings; Gry230 pages check 12 words, Gry250 11.
// What does not fit is learnt from the module's echo only.
constexpr int TvSettingsLength230 = 12;
constexpr int TvSettingsLength250 = 11;
// An AM record holds one module, so its settings page may run to the last
// word of the block: every AM setting has its word there.
constexpr int LastRecordWord = SumByte - 1;
constexpr int AmSettingsLength(int kindWord)
{
    return LastRecordWord - (kindWord + 2) + 1;
}
constexpr int Pelo1SettingsLength = AmSettingsLength(Pelo1InfoKindWord);
constexpr int Pelo2SettingsLength = AmSettingsLength(Pelo2InfoKindWord);

// Jov4-type pages: their check words lie at the page's end.
constexpr int Jov4Page0First = 76, Jov4Page0Check = 89;
constexpr int Jov4Page1First = 76, Jov4Page1Check = 98;
constexpr int Jov4Page2First = 77, Jov4Page2Check = 89;
constexpr int Jov4DisplayText = 76; // twelve characters
constexpr int Jov4DisplayValue = 88;
constexpr int Jov4ModelText = 76; // six characters
constexpr int Jov4PartWords = 82; // two words, each the part-number digits + 100
constexpr int Jov4ShortText = 84; // four characters
constexpr int Jov4LongText = 88;  // ten characters
constexpr int Jov4PresetDigit = 76;
constexpr int Jov4PresetName = 77; // twelve characters

// ---- Sample words -------------------------------------------------------------
// Gry230: words 4..21 are series 0..17 (x 10), 22 the pilot, 23 and 24 the
// levels, 25 the separation, 27:26 and 29:28 the two PPM counts.
constexpr int Gry230TenthsWords = 18;
// Gry250: words 34..36 are series 0..2 (x 10), 37..39 series 3..5 as sent.
// Pelo1 and Pelo2 from word 4: one word a series up to the counts, then each
// count as two words (low, high). Modulation and carrier percentages come in
// whole percent (x 10); the average/peak ratios (series 3, 7) in hundredths
// and the Pelo2 carrier ratio (12) in tenths of a dB as sent; the Pelo2 noise
// (13) in whole dB as a signed byte (x 10, keeping its sign).
// Pelo1: words 4..13 series 0..9, then series 10..12 (counts) to word 19.
// Pelo2: words 4..17 series 0..13, then series 14..16 (counts) to word 23.
constexpr int Pelo1CountSeries = 10;
constexpr int Pelo2CountSeries = 14;
constexpr int PeloSeriesCount1 = 13;
constexpr int PeloSeriesCount2 = 17;
constexpr int Pelo2NoiseSeries = 13;

// The first history slot of each module's series. The two AM modules of one
// rack report in turns, so each keeps an area of its own.
constexpr int Kelb1SeriesSlot = 0;
constexpr int Nuva1SeriesSlot = 256;
constexpr int Lyn1SeriesSlot = 768;
constexpr int Varn1SeriesSlot = 1024; // + 256 for unit 1
constexpr int Gry230SeriesSlot = 256;
constexpr int Gry250SeriesSlot = 512;
constexpr int Pelo1SeriesSlot = 0;
constexpr int Pelo2SeriesSlot = 256;

} // namespace RackLayout
