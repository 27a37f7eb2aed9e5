// Every line the TV, AM and FM stereo menus show, item by item, for a module
// that has reported its settings and for one that has reported none: how the
// lines are put together may change, what the LCD line reads may not.
#include "models/Gry230_Menu.h"
#include "models/Gry250_Menu.h"
#include "models/Nuva1_Menu.h"
#include "models/Pelo_Menu.h"
#include "models/RackMenuFixture.h"
#include "protocol/rack/RackMenuTables.h"

#include <gtest/gtest.h>

#include <span>

namespace {

struct Row
{
    int item;
    const char* reported;
    const char* unreported;
};

// Settings of every item, odd items' flags set, a marked page with the
// Gry250's remote bit, a hold of 2.5 s.
TRackModuleState reported()
{
    TRackModuleState s;
    for (int i = 0; i < RackSettingItems; ++i) {
        s.Settings[std::size_t(i)] = (i * 5) % 9;
        s.Flags[std::size_t(i)] = i % 2 == 1;
    }
    s.Settings[Pelo2FrequencyItem] = 2500;
    s.HoldTime = 5;
    s.SettingsBits = 0x18;
    return s;
}

// The same copies, none reported, the flags the other way, the module saving
// and busy, the hold external.
TRackModuleState unreported()
{
    TRackModuleState s = reported();
    for (int i = 0; i < RackSettingItems; ++i) {
        s.Unreported[std::size_t(i)] = true;
        s.Flags[std::size_t(i)] = !s.Flags[std::size_t(i)];
    }
    s.Saving = true;
    s.StatusBits = 0xFF;
    s.SettingsBits = 0;
    s.HoldExternal = true;
    return s;
}

struct RackMenuTextsTest : RackMenuFixture<>
{
    void SetUp() override
    {
        for (int area : {TPelo1Menu::SeriesArea, TPelo2Menu::SeriesArea, TGry250Menu::SeriesArea}) {
            for (int series = 0; series < 32; ++series)
                (*hist)[std::size_t(area + series)][1] = (series * 7) % 40 - 8;
        }
    }

    template <typename MenuText>
    void expectLines(std::span<const Row> rows, MenuText text) const
    {
        const TRackModuleState a = reported();
        const TRackModuleState b = unreported();
        for (const Row& r : rows) {
            EXPECT_EQ(text(r.item, a, *hist), r.reported) << r.item;
            EXPECT_EQ(text(r.item, b, *hist), r.unreported) << r.item;
        }
    }
};

constexpr Row pelo1Lines[] = {
    {-1, "  RESERVED     ", "  RESERVED     "},     {0, "  POS MOD  -1 % ", "  POS MOD  -1 % "},
    {1, "CAR LEVEL   1 % ", "CAR LEVEL   1 % "},    {2, "CAR SHIFT   2 % ", "CAR SHIFT   2 % "},
    {3, "+PPM COUNT   22", "+PPM COUNT   22"},      {4, "-PPM COUNT   29", "-PPM COUNT   29"},
    {5, "NORM COUNT   -4", "NORM COUNT   -4"},      {6, "+ PEAK AVE   0 % ", "+ PEAK AVE   0 % "},
    {7, "+ AVE/PEAK 0.13 ", "+ AVE/PEAK 0.13 "},    {8, "+ PEAK MIN   1 % ", "+ PEAK MIN   1 % "},
    {9, "- PEAK AVE   3 % ", "- PEAK AVE   3 % "},  {10, "- AVE/PEAK 0.01 ", "- AVE/PEAK 0.01 "},
    {11, "- PEAK MIN  -1 % ", "- PEAK MIN  -1 % "}, {12, "  POS SETTINGS  ", "  POS SETTINGS  "},
    {13, "  NEG SETTINGS  ", "  NEG SETTINGS  "},   {14, "  CAR SETTINGS  ", "  CAR SETTINGS  "},
    {15, " UNIT SETTINGS  ", " UNIT SETTINGS  "},   {16, "+ PEAK MOD   8 %", "+ PEAK MOD     %"},
    {17, "+PPM THRESH    4", "+PPM THRESH     "},   {18, "+PPM DUR   10 MS", "+PPM DUR      MS"},
    {19, "NORM HIGH    5 %", "NORM HIGH      %"},   {20, "NORM  LOW    1 %", "NORM  LOW      %"},
    {21, "NORM THRESH    6", "NORM THRESH     "},   {22, "NORM DUR   50 MS", "NORM DUR      MS"},
    {23, " SENTRY    7  % ", " SENTRY       % "},   {24, " SENTRY    3 SEC", " SENTRY      SEC"},
    {25, "PK WEIGHT 45 CYC", "PK WEIGHT    CYC"},   {26, "     EXIT ?     ", "     EXIT ?     "},
    {27, "- PEAK MOD   0 %", "- PEAK MOD     %"},   {28, "-PPM THRESH    5", "-PPM THRESH     "},
    {29, "-PPM DUR   20 MS", "-PPM DUR      MS"},   {30, "     EXIT ?     ", "     EXIT ?     "},
    {31, "MOD MODE - NORM ", "MOD MODE - FIXED"},   {32, "CAR THRESH   7 %", "CAR THRESH     %"},
    {33, "CAR TIME   3 SEC", "CAR TIME     SEC"},   {34, "SHIFT THRES   8%", "SHIFT THRES    %"},
    {35, "     EXIT ?     ", "     EXIT ?     "},   {36, "   HOLD  2.5 SEC", "   HOLD      SEC"},
    {37, "TIME MODE - PAST", "TIME MODE - REAL"},   {38, " INFINITE - OFF ", " INFINITE -  ON "},
    {39, "  REMOTE -  ON  ", "  REMOTE - OFF  "},   {40, "  SAVE CONFIG   ", "    SAVING      "},
    {41, " MOD ADJ - 6.5% ", " MOD ADJ      % "},   {42, "CALIBRATOR - OFF", "CALIBRATOR - ON "},
    {43, "     EXIT ?     ", "     EXIT ?     "},   {44, "  RESERVED     ", "  RESERVED     "},
};

constexpr Row pelo2Lines[] = {
    {-1, "  RESERVED     ", "  RESERVED     "},     {0, "  POS MOD  -1 % ", "  POS MOD  -1 % "},
    {1, "CAR LEVEL   1 % ", "CAR LEVEL   1 % "},    {2, "CAR REF     2 % ", "CAR REF     2 % "},
    {3, "CAR HIGH    2 % ", "CAR HIGH    2 % "},    {4, "CAR LOW     3 % ", "CAR LOW     3 % "},
    {5, "CAR RATIO *** DB", "CAR RATIO *** DB"},    {6, "NOISE  + 0.3 DB ", "NOISE  + 0.3 DB "},
    {7, "+PPM COUNT   10", "+PPM COUNT   10"},      {8, "-PPM COUNT   17", "-PPM COUNT   17"},
    {9, "NORM COUNT   24", "NORM COUNT   24"},      {10, "+ PEAK AVE   0 % ", "+ PEAK AVE   0 % "},
    {11, "+ AVE/PEAK 0.13 ", "+ AVE/PEAK 0.13 "},   {12, "+ PEAK MIN   1 % ", "+ PEAK MIN   1 % "},
    {13, "- PEAK AVE   3 % ", "- PEAK AVE   3 % "}, {14, "- AVE/PEAK 0.01 ", "- AVE/PEAK 0.01 "},
    {15, "- PEAK MIN  -1 % ", "- PEAK MIN  -1 % "}, {16, "  POS SETTINGS  ", "  POS SETTINGS  "},
    {17, "  NEG SETTINGS  ", "  NEG SETTINGS  "},   {18, "  CAR SETTINGS  ", "  CAR SETTINGS  "},
    {19, " UNIT SETTINGS  ", " UNIT SETTINGS  "},   {20, " FREQ SETTINGS  ", " FREQ SETTINGS  "},
    {21, "+ PEAK MOD   6 %", "+ PEAK MOD     %"},   {22, "+PPM THRESH    2", "+PPM THRESH     "},
    {23, "+PPM DUR - TRACK", "+PPM DUR      MS"},   {24, "NORM HIGH    3 %", "NORM HIGH      %"},
    {25, "NORM  LOW    8 %", "NORM  LOW      %"},   {26, "NORM THRESH    4", "NORM THRESH     "},
    {27, "NORM DUR   10 MS", "NORM DUR      MS"},   {28, " SENTRY    5  % ", " SENTRY       % "},
    {29, " SENTRY    1 SEC", " SENTRY      SEC"},   {30, "     EXIT ?     ", "     EXIT ?     "},
    {31, "- PEAK MOD   2 %", "- PEAK MOD     %"},   {32, "-PPM THRESH    7", "-PPM THRESH     "},
    {33, "-PPM DUR  100 MS", "-PPM DUR      MS"},   {34, "     EXIT ?     ", "     EXIT ?     "},
    {35, "MOD MODE- NORM5K", "MOD MODE-       "},   {36, "MDCL REF - LOW  ", "MDCL REF - HIGH "},
    {37, "CAR THRESH   5 %", "CAR THRESH     %"},   {38, "CAR TIME   1 SEC", "CAR TIME     SEC"},
    {39, "SHIFT THRES   6%", "SHIFT THRES    %"},   {40, "     EXIT ?     ", "     EXIT ?     "},
    {41, "   HOLD  2.5 SEC", "   HOLD      SEC"},   {42, "TIME MODE - REAL", "TIME MODE - PAST"},
    {43, " INFINITE -  ON ", " INFINITE - OFF "},   {44, "  REMOTE - OFF  ", "  REMOTE -  ON  "},
    {45, "  SAVE CONFIG   ", "    SAVING      "},   {46, " AUDIO - TEST   ", " AUDIO - METER  "},
    {47, "CALIBRATOR - ON ", "CALIBRATOR - OFF"},   {48, "     EXIT ?     ", "     EXIT ?     "},
    {49, "FREQ  2.500 MHZ", "FREQ        KHZ"},     {50, "FREQ MODE - ****", "FREQ MODE -     "},
    {51, "FREQ INC 5/10KHZ", "FREQ INC 1/1 KHZ"},   {52, "     EXIT ?     ", "     EXIT ?     "},
    {53, "  RESERVED     ", "  RESERVED     "},
};

constexpr Row gry230Lines[] = {
    {-1, "  RESERVED     ", "  RESERVED     "},   {0, "  TOTAL    -1 % ", "  TOTAL    -1 % "},
    {1, " STEREO     1 % ", " STEREO     1 % "},  {2, "STEREO PPM   26 ", "STEREO PPM   26 "},
    {3, "  L + R     0 % ", "  L + R     0 % "},  {4, "L + R  PPM   -7 ", "L + R  PPM   -7 "},
    {5, "  L - R     2 % ", "  L - R     2 % "},  {6, "PILOT  -0.2 KHZ", "PILOT  -0.2 KHZ"},
    {7, " LEFT  + 1.0 DB*", " LEFT  + 1.0 DB "},  {8, " RIGHT - 2.5 DB*", " RIGHT - 2.5 DB "},
    {9, "  SEP  - 9.5 DB*", "  SEP  - 9.5 DB "},  {10, " L + R + 1.0 DB*", " L + R + 1.0 DB "},
    {11, " L - R - 2.5 DB*", " L - R - 2.5 DB "}, {12, "XTALK  - 9.5 DB*", "XTALK  - 9.5 DB "},
    {13, " TOTAL + 1.0 DB*", " TOTAL + 1.0 DB "}, {14, " PILOT + 1.0 DB*", " PILOT + 1.0 DB "},
    {15, " SUB   - 2.5 DB*", " SUB   - 2.5 DB "}, {16, "   MODIFY PPM   ", "   MODIFY PPM   "},
    {17, " MODIFY SETTINGS", " MODIFY SETTINGS"}, {18, "   SAP  - OFF   ", "   SAP  -       "},
    {19, "   PRO  - ******", "   PRO  -       "}, {20, " ST PEAK    1 %", " ST PEAK      %"},
    {21, " ST THRES     6 ", " ST THRES       "}, {22, " ST DUR   50 MS", " ST DUR   50 MS"},
    {23, "L+R PEAK    7 %", "L+R PEAK      %"},   {24, "L+R THRES     3 ", "L+R THRES       "},
    {25, "L+R DUR - TRACK", "L+R DUR - TRACK"},   {26, "     EXIT ?     ", "     EXIT ?     "},
    {27, "   HOLD  2.5 SEC", "   HOLD      SEC"}, {28, "TIME MODE - REAL", "TIME MODE - PAST"},
    {29, " INFINITE -  ON ", " INFINITE - OFF "}, {30, "  REMOTE - OFF  ", "  REMOTE -  ON  "},
    {31, "  SAVE CONFIG   ", "    SAVING      "}, {32, "  LOAD CONFIG   ", "    LOADING     "},
    {33, " MODE - MTS     ", " MODE - EQUIV   "}, {34, "   DBX - OUT   ", "   DBX - IN    "},
    {35, "INPUT SEL - #2 ", "INPUT SEL - #1 "},   {36, "SYNC DET - OFF ", "SYNC DET - ON  "},
    {37, "     EXIT ?     ", "     EXIT ?     "}, {38, "  RESERVED     ", "  RESERVED     "},
};

constexpr Row gry250Lines[] = {
    {-1, "  RESERVED     ", "  RESERVED     "},     {0, "  TOTAL    -1 % ", "  TOTAL    -1 % "},
    {1, "SAP INJ  1.3 KHZ", "SAP INJ  1.3 KHZ"},    {2, "PRO INJ  2.0 KHZ", "PRO INJ  2.0 KHZ"},
    {3, " SAP    **.* DB ", " SAP   -10.0 DB "},    {4, " PRO    **.* DB ", " PRO   -10.0 DB "},
    {5, "   MODIFY SAP   ", "   MODIFY SAP   "},    {6, "   MODIFY PRO   ", "   MODIFY PRO   "},
    {7, " MODIFY SETTINGS", " MODIFY SETTINGS"},    {8, " PEAK MOD    4 %", " PEAK MOD      %"},
    {9, "  MUTE -  OFF   ", "  MUTE -        "},    {10, "  MUTE   0.5 KHZ", "  MUTE       KHZ"},
    {11, " SAP BPF - IN   ", " SAP BPF - OUT  "},   {12, "DET BW - 10 kHZ", "DET BW - 20 kHZ"},
    {13, "SAP RESP -  FLAT ", "SAP RESP -  FLAT "}, {14, "SAP CAL - ******", "SAP CAL -       "},
    {15, "     EXIT ?     ", "     EXIT ?     "},   {16, " PEAK MOD    8 %", " PEAK MOD      %"},
    {17, "  MUTE - ****   ", "  MUTE -        "},   {18, "  MUTE   0.0 KHZ", "  MUTE       KHZ"},
    {19, " PRO BPF - IN   ", " PRO BPF - OUT  "},   {20, "PRO CAL -  ZERO ", "PRO CAL -       "},
    {21, "     EXIT ?     ", "     EXIT ?     "},   {22, "   HOLD  2.5 SEC", "   HOLD      SEC"},
    {23, "TIME MODE - PAST", "TIME MODE - REAL"},   {24, " INFINITE - OFF ", " INFINITE -  ON "},
    {25, "  REMOTE -  ON  ", "  REMOTE - OFF  "},   {26, "  SAVE CONFIG   ", "    SAVING      "},
    {27, "  LOAD CONFIG   ", "    LOADING     "},   {28, "     EXIT ?     ", "     EXIT ?     "},
    {29, "  RESERVED     ", "  RESERVED     "},
};

constexpr Row nuva1Lines[] = {
    {-1, "  RESERVED     ", "  RESERVED     "},   {0, "  TOTAL    -1 % ", "  TOTAL    -1 % "},
    {1, "  L + R     2 % ", "  L + R     2 % "},  {2, "  L - R     0 % ", "  L - R     0 % "},
    {3, "PILOT INJ  1.7 %", "PILOT INJ  1.7 %"},  {4, "PILOT MOD    2 %", "PILOT MOD    2 %"},
    {5, " LEFT  -12.0 DB*", " LEFT  -12.0 DB "},  {6, " RIGHT + 4.5 DB*", " RIGHT + 4.5 DB "},
    {7, "  SEP  - 2.5 DB*", "  SEP  - 2.5 DB "},  {8, " L + R -12.0 DB*", " L + R -12.0 DB "},
    {9, " L - R + 4.5 DB*", " L - R + 4.5 DB "},  {10, "XTALK  - 2.5 DB*", "XTALK  - 2.5 DB "},
    {11, " TOTAL -12.0 DB*", " TOTAL -12.0 DB "}, {12, " PILOT -12.0 DB*", " PILOT -12.0 DB "},
    {13, "38 KHZ + 4.5 DB*", "38 KHZ + 4.5 DB "}, {14, " MODIFY SETTINGS", " MODIFY SETTINGS"},
    {15, "   HOLD  2.5 SEC", "   HOLD - EXT   "}, {16, "TIME MODE - REAL", "TIME MODE - PAST"},
    {17, " INFINITE -  ON ", " INFINITE - OFF "}, {18, "  REMOTE - OFF  ", "  REMOTE -  ON  "},
    {19, "  SAVE CONFIG   ", "    SAVING      "}, {20, " XTALK - MATRIX ", " XTALK - DIRECT "},
    {21, "     EXIT ?     ", "     EXIT ?     "}, {22, "  RESERVED     ", "  RESERVED     "},
};

TEST_F(RackMenuTextsTest, AmMenus)
{
    expectLines(pelo1Lines, TPelo1Menu::MenuText);
    expectLines(pelo2Lines, TPelo2Menu::MenuText);
}

TEST_F(RackMenuTextsTest, TvAndFmStereoMenus)
{
    expectLines(gry230Lines, TGry230Menu::MenuText);
    expectLines(gry250Lines, TGry250Menu::MenuText);
    expectLines(nuva1Lines, TNuva1Menu::MenuText);
}

// Left and right, or sum and difference on the pilot and crosstalk lines.
TEST_F(RackMenuTextsTest, StereoReadouts)
{
    const struct
    {
        int item;
        const char* gry230[2];
        const char* nuva1[2];
    } cases[] = {
        {0, {" -1", "  2"}, {"  1", " -1"}},
        {TGry230Menu::PilotItem, {"  0", "  2"}, {"  1", " -1"}},
        {TNuva1Menu::CrosstalkItem, {" -1", "  2"}, {"  2", "  0"}},
    };
    for (const auto& c : cases) {
        s.MenuIndex = c.item;
        for (int which : {0, 1}) {
            EXPECT_EQ(TGry230Menu::Readout(which, s, *hist), c.gry230[which]) << c.item;
            EXPECT_EQ(TNuva1Menu::Readout(which, s, *hist), c.nuva1[which]) << c.item;
        }
    }
}

} // namespace
