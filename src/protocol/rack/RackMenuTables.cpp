#include "protocol/rack/RackMenuTables.h"

#include "protocol/rack/RackRecordLayout.h"

#include <algorithm>
#include <vector>

namespace {

// ---- Nuva1 --------------------------------------------------------------------

constexpr TMenuPage nuva1Pages[] = {
    {0, 14, -1, 0},
    {15, 21, 14, 1},
};

constexpr TValueRow boolRow(int item, quint16 bit)
{
    return {item, TValueKind::Boolean, 0, 1, 1, bit};
}

constexpr TValueRow nuva1Rows[] = {
    // Items 5..13 share one flag: any of them marks them all.
    boolRow(5, 0x10),
    boolRow(6, 0x10),
    boolRow(7, 0x10),
    boolRow(8, 0x10),
    boolRow(9, 0x10),
    boolRow(10, 0x10),
    boolRow(11, 0x10),
    boolRow(12, 0x10),
    boolRow(13, 0x10),
    {15, TValueKind::Hold, 1, 20, 1, 0, 0, 16},
    {16, TValueKind::TimeMode, 0, 1, 1, 0x04},
    boolRow(17, 0x01),
    {19, TValueKind::SendOnly},
    boolRow(20, 0x20),
};

const TModuleMenuTable nuva1Table{nuva1Pages, nuva1Rows};

// ---- Varn1 (each unit) ----------------------------------------------------------

bool varn1RdsMode(const TRackModuleState& s)
{
    return s.Settings[Varn1ModulationTypeItem] == 1;
}

bool varn1CalibratorOn(const TRackModuleState& s)
{
    return (s.SettingsBits & Varn1CalibratorBit) != 0;
}

constexpr TMenuPage varn1Pages[] = {
    {0, 7, -1, 0},
    {8, 11, 5, 1},
    {12, 16, 6, 2},
    {17, 27, 7, 3},
};

constexpr TValueRow varn1Rows[] = {
    {2, TValueKind::Cyclic, 1, 5, 1, 0, 0, -1, varn1CalibratorOn},
    // The main-channel flag: bit 0x02 of the settings word, free in the
    // module's word (0x01 is the band-pass filter).
    boolRow(3, 0x02),
    {4, TValueKind::Step, 0, 2},
    boolRow(8, 0x01),
    {9, TValueKind::Step, 82, 200, 1, 0, 0, -1, varn1RdsMode},
    {10, TValueKind::Step, 1, 16, 1, 0, 0, -1, varn1RdsMode},
    {12, TValueKind::Cyclic, 0, 1},
    {13, TValueKind::Step, 0, 2},
    {14, TValueKind::Step, 0, 7},
    {15, TValueKind::Step, 0, 60},
    {17, TValueKind::Hold, 1, 20, 1, 0, 0, 19},
    {18, TValueKind::Step, 1, 150},
    {19, TValueKind::TimeMode, 0, 1, 1, 0x04},
    // Infinite is bit 0x01 of the module's second word: the first word's
    // 0x01 is the band-pass filter.
    {20, TValueKind::Boolean, 0, 1, 1, 0x01, 1},
    {22, TValueKind::SendOnly},
    {23, TValueKind::Cyclic, 0, 2, 1, 0, 0, -1, varn1RdsMode},
    {24, TValueKind::Step, 1, 150},
    boolRow(25, 0x20),
    boolRow(26, Varn1CalibratorBit),
};

const TModuleMenuTable varn1Table{varn1Pages, varn1Rows};

// ---- Gry230 ----------------------------------------------------------------------

constexpr TMenuPage gry230Pages[] = {
    {0, 17, -1, 0},
    {18, 26, 16, 1},
    {27, 37, 17, 2},
};

constexpr TValueRow gry230Rows[] = {
    boolRow(7, Gry230FlagBit),
    boolRow(8, Gry230FlagBit),
    boolRow(9, Gry230FlagBit),
    boolRow(10, Gry230FlagBit),
    boolRow(11, Gry230FlagBit),
    boolRow(12, Gry230FlagBit),
    boolRow(13, Gry230FlagBit),
    boolRow(14, Gry230FlagBit),
    boolRow(15, Gry230FlagBit),
    {18, TValueKind::Step, 0, 2},
    {19, TValueKind::Step, 0, 2},
    {20, TValueKind::Step, 0, 127},
    {21, TValueKind::Step, 1, 100},
    {22, TValueKind::Step, 0, 6},
    {23, TValueKind::Step, 0, 127},
    {24, TValueKind::Step, 1, 100},
    {25, TValueKind::Step, 0, 6},
    {27, TValueKind::Hold, 1, 20, 1, 0, 0, 28},
    {28, TValueKind::TimeMode, 0, 1, 1, 0x04},
    boolRow(29, 0x01),
    boolRow(30, 0x08),
    {31, TValueKind::SendBoth},
    {32, TValueKind::SendBoth},
    {33, TValueKind::Boolean, 0, 1, 1, 0x01, 1},
    boolRow(34, 0x20),
    boolRow(35, 0x40),
    boolRow(36, 0x80),
};

const TModuleMenuTable gry230Table{gry230Pages, gry230Rows};

// ---- Gry250 ----------------------------------------------------------------------

constexpr TMenuPage gry250Pages[] = {
    {0, 7, -1, 0},
    {8, 15, 5, 1},
    {16, 21, 6, 2},
    {22, 28, 7, 3},
};

constexpr TValueRow gry250Rows[] = {
    {8, TValueKind::Step, 1, 127},
    {9, TValueKind::Cyclic, 0, 2},
    {10, TValueKind::Step, 1, 150},
    // The module's word leaves these bits open: the two filters, the
    // detector bandwidth and infinite take bits no other item uses.
    boolRow(11, 0x10),
    boolRow(12, 0x40),
    {13, TValueKind::Cyclic, 0, 2},
    // One calibration at a time: each turns the other off.
    {14, TValueKind::CyclicClears, 0, 4, 1, 0, 0, 20},
    {16, TValueKind::Step, 1, 127},
    {17, TValueKind::Cyclic, 0, 2},
    {18, TValueKind::Step, 1, 30},
    boolRow(19, 0x20),
    {20, TValueKind::CyclicClears, 0, 2, 1, 0, 0, 14},
    {22, TValueKind::Hold, 1, 20, 1, 0, 0, 23},
    {23, TValueKind::TimeMode, 0, 1, 1, 0x04},
    boolRow(24, 0x01),
    {26, TValueKind::SendBoth},
    {27, TValueKind::SendBoth},
};

const TModuleMenuTable gry250Table{gry250Pages, gry250Rows};

// ---- Pelo1 ----------------------------------------------------------------------

constexpr TValueRow step(int item, int low, int high)
{
    return {item, TValueKind::Step, low, high};
}

constexpr TMenuPage pelo1Pages[] = {
    {0, 15, -1, 0}, {16, 26, 12, 1}, {27, 30, 13, 2}, {31, 35, 14, 3}, {36, 43, 15, 4},
};

constexpr TValueRow pelo1Rows[] = {
    step(16, 1, 150),
    step(17, 1, 100),
    step(18, 0, 6),
    step(19, 1, 150),
    step(20, 1, 150),
    step(21, 1, 100),
    step(22, 0, 5),
    step(23, 0, 100),
    step(24, 1, 60),
    step(25, 0, 8),
    step(27, 1, 100),
    step(28, 1, 100),
    step(29, 0, 6),
    boolRow(31, 0x10),
    step(32, 0, 100),
    step(33, 1, 60),
    step(34, 1, 100),
    {36, TValueKind::Hold, 1, 20, 1, 0, 0, 37},
    {37, TValueKind::TimeMode, 0, 1, 1, 0x04},
    boolRow(38, 0x01),
    {39, TValueKind::UpOnlyBoolean, 0, 1, 1, 0x08},
    {40, TValueKind::SendOnly},
    step(41, 0, 40),
    boolRow(42, 0x02),
};

const TModuleMenuTable pelo1Table{pelo1Pages, pelo1Rows};

// ---- Pelo2 ----------------------------------------------------------------------

constexpr TMenuPage pelo2Pages[] = {
    {0, 20, -1, 0},  {21, 30, 16, 1}, {31, 34, 17, 2},
    {35, 40, 18, 3}, {41, 48, 19, 4}, {49, 52, 20, 5},
};

// The module's word leaves the bits of its Booleans open: they take the bits
// of the Pelo1 items of the same meaning, and free bits for the rest.
constexpr TValueRow pelo2Rows[] = {
    step(21, 1, 150),
    step(22, 1, 100),
    step(23, 0, 6),
    step(24, 1, 150),
    step(25, 1, 150),
    step(26, 1, 100),
    step(27, 0, 5),
    step(28, 0, 100),
    step(29, 1, 60),
    step(31, 1, 100),
    step(32, 1, 100),
    step(33, 0, 6),
    {35, TValueKind::Cyclic, 0, 5},
    boolRow(36, 0x10), // MDCL reference high
    step(37, 0, 100),
    step(38, 1, 60),
    step(39, 1, 100),
    {41, TValueKind::Hold, 1, 20, 1, 0, 0, 42},
    {42, TValueKind::TimeMode, 0, 1, 1, 0x04},
    boolRow(43, 0x01), // infinite
    boolRow(44, 0x08), // remote
    {45, TValueKind::SendOnly},
    boolRow(46, 0x20), // audio meter
    boolRow(47, 0x02), // calibrator
    {Pelo2FrequencyItem, TValueKind::Custom, Pelo2MinFrequency, Pelo2MaxFrequency},
    {Pelo2FrequencyModeItem, TValueKind::Cyclic, 0, 3},
    boolRow(Pelo2IncrementItem, 0x40), // 5/10 kHz
};

const TModuleMenuTable pelo2Table{pelo2Pages, pelo2Rows};

} // namespace

const TModuleMenuTable& Pelo1MenuTable()
{
    return pelo1Table;
}

const TModuleMenuTable& Pelo2MenuTable()
{
    return pelo2Table;
}

const TModuleMenuTable& Gry230MenuTable()
{
    return gry230Table;
}

const TModuleMenuTable& Gry250MenuTable()
{
    return gry250Table;
}

const TValueRow* FindValueRow(const TModuleMenuTable& table, int item)
{
    for (const TValueRow& r : table.rows) {
        if (r.item == item)
            return &r;
    }
    return nullptr;
}

int MenuPageOf(const TModuleMenuTable& table, int item)
{
    for (std::size_t i = 0; i < table.pages.size(); ++i) {
        if (item >= table.pages[i].first && item <= table.pages[i].last)
            return int(i);
    }
    return -1;
}

int MenuPageEnteredBy(const TModuleMenuTable& table, int item)
{
    for (std::size_t i = 1; i < table.pages.size(); ++i) {
        if (table.pages[i].entryItem == item)
            return int(i);
    }
    return -1;
}

const TModuleMenuTable& Nuva1MenuTable()
{
    return nuva1Table;
}

const TModuleMenuTable& Varn1MenuTable()
{
    return varn1Table;
}

namespace {

bool isNumeric(TValueKind k)
{
    switch (k) {
    case TValueKind::Step:
    case TValueKind::Cyclic:
    case TValueKind::CyclicClears:
    case TValueKind::Hold:
    case TValueKind::Custom:
        return true;
    default:
        return false;
    }
}

// The numeric rows in item order from offset first up to the page's last
// checked word; the list ends at the first setting that no longer fits.
std::vector<TPageSetting> pageWords(const TModuleMenuTable& table, int first, int last)
{
    std::vector<TValueRow> rows;
    for (const TValueRow& r : table.rows) {
        if (isNumeric(r.kind))
            rows.push_back(r);
    }
    std::sort(rows.begin(), rows.end(),
              [](const TValueRow& a, const TValueRow& b) { return a.item < b.item; });
    std::vector<TPageSetting> words;
    int offset = first;
    for (const TValueRow& r : rows) {
        const bool wide = r.high > 255;
        if (offset + (wide ? 1 : 0) > last)
            break;
        words.push_back({r.item, offset, wide});
        offset += wide ? 2 : 1;
    }
    return words;
}

} // namespace

std::span<const TPageSetting> RackSettingsPageWords(TRackModule module)
{
    using namespace RackLayout;
    // FM pages: 0, the current item, the bit word, then the settings up to
    // the last checked word. TV and AM pages: 0, the main setting, the two
    // bit words, then the settings up to the end of the checked length.
    constexpr int fmFirst = SettingsBitsOffset + 1;
    constexpr int tvFirst = 4;
    static const std::vector<TPageSetting> nuva1 =
        pageWords(Nuva1MenuTable(), fmFirst, FmSettingsLastChecked - FmInfoFirstWord);
    static const std::vector<TPageSetting> varn1 =
        pageWords(Varn1MenuTable(), fmFirst, Varn1SettingsLastChecked - FmInfoFirstWord);
    static const std::vector<TPageSetting> gry230 =
        pageWords(Gry230MenuTable(), tvFirst, TvSettingsLength230 - 1);
    static const std::vector<TPageSetting> gry250 =
        pageWords(Gry250MenuTable(), tvFirst, TvSettingsLength250 - 1);
    static const std::vector<TPageSetting> pelo1 =
        pageWords(Pelo1MenuTable(), tvFirst, Pelo1SettingsLength - 1);
    static const std::vector<TPageSetting> pelo2 =
        pageWords(Pelo2MenuTable(), tvFirst, Pelo2SettingsLength - 1);
    switch (module) {
    case TRackModule::Nuva1: return nuva1;
    case TRackModule::Varn1: return varn1;
    case TRackModule::Gry230: return gry230;
    case TRackModule::Gry250: return gry250;
    case TRackModule::Pelo1: return pelo1;
    case TRackModule::Pelo2: return pelo2;
    case TRackModule::Kelb1:
    case TRackModule::Lyn1:
        break;
    }
    return {};
}

const TModuleMenuTable* RackMenuTable(TRackModule module)
{
    switch (module) {
    case TRackModule::Nuva1:
        return &Nuva1MenuTable();
    case TRackModule::Varn1:
        return &Varn1MenuTable();
    case TRackModule::Gry230:
        return &Gry230MenuTable();
    case TRackModule::Gry250:
        return &Gry250MenuTable();
    case TRackModule::Pelo1:
        return &Pelo1MenuTable();
    case TRackModule::Pelo2:
        return &Pelo2MenuTable();
    case TRackModule::Kelb1:
    case TRackModule::Lyn1:
        break;
    }
    return nullptr;
}

bool RackPageCarries(TRackModule module, const TValueRow& row)
{
    switch (row.kind) {
    case TValueKind::Boolean:
    case TValueKind::UpOnlyBoolean:
    case TValueKind::TimeMode:
        // FM pages end their bit words at the first.
        return row.bitWord == 0 || (module != TRackModule::Nuva1 && module != TRackModule::Varn1);
    case TValueKind::SendOnly:
    case TValueKind::SendBoth:
        return true;
    default:
        break;
    }
    for (const TPageSetting& w : RackSettingsPageWords(module)) {
        if (w.item == row.item)
            return true;
    }
    return false;
}
