#include "protocol/rack/RackDecoder.h"

#include "common/FieldHelpers.h"
#include "protocol/rack/RackMenuTables.h"

#include <cstdlib>

using namespace RackLayout;

namespace {

// ---- Menu items ---------------------------------------------------------------

enum class ItemKind
{
    None,
    Numeric,
    Boolean,
    Hold,        // the hold time: 0 means hold off
    HoldBoolean, // a Boolean that turns the hold back on while hold is off
};

struct ItemRule
{
    ItemKind kind = ItemKind::None;
    quint16 bit = 0;
    int word = 0;     // 0 SettingsBits, 1 SettingsBits2
    int clears = -1;  // a numeric item set to 0 with this one
    int min = 0;      // a numeric value below it is no setting (a mode's reply)
};

constexpr ItemRule numeric{ItemKind::Numeric, 0};
constexpr ItemRule boolean(quint16 bit) { return {ItemKind::Boolean, bit}; }

// The echo rule of an item of a module's menu table: what its key stores.
ItemRule tableRule(const TModuleMenuTable& table, int item)
{
    const TValueRow* row = FindValueRow(table, item);
    if (!row)
        return {};
    switch (row->kind) {
    case TValueKind::Step:
    case TValueKind::Cyclic:
        return numeric;
    case TValueKind::CyclicClears:
        return {ItemKind::Numeric, 0, 0, row->timeModeItem};
    case TValueKind::Boolean:
    case TValueKind::UpOnlyBoolean:
        return {ItemKind::Boolean, row->bit, row->bitWord};
    case TValueKind::Hold:
        return {ItemKind::Hold, 0};
    case TValueKind::TimeMode:
        return {ItemKind::HoldBoolean, row->bit, row->bitWord};
    case TValueKind::Custom:
        // A value of the module's own rule (the Pelo2 frequency): stored
        // when it lies within the row's bounds.
        return {ItemKind::Numeric, 0, 0, -1, row->low};
    case TValueKind::SendOnly:
    case TValueKind::SendBoth:
        return {};
    }
    return {};
}

// Each module's items exactly as its panel changes them, so an echo and a key
// press leave the same state. Items outside a module's table are ignored.
ItemRule itemRule(TRackModule m, int item)
{
    switch (m) {
    case TRackModule::Kelb1:
        switch (item) {
        case 1: case 2: case 5: case 7: case 8: case 9: case 14: case 15: case 19:
        case 42: case 43: case 44:
            return numeric;
        case 3: return boolean(0x01);
        case 4: return boolean(0x02);
        case 12: return boolean(0x04);
        case 13: return boolean(0x08);
        case 40: return boolean(0x20);
        default: return {};
        }
    case TRackModule::Nuva1:
        // The remote line has no key; the module reports it in bit 0x08.
        return item == 18 ? boolean(0x08) : tableRule(Nuva1MenuTable(), item);
    case TRackModule::Lyn1:
        switch (item) {
        case 10: return {ItemKind::Hold, 0};
        case 11: return {ItemKind::HoldBoolean, 0x04};
        case 12: return boolean(0x01);
        default: return {};
        }
    case TRackModule::Varn1:
        return item == 21 ? boolean(Varn1RemoteBit) : tableRule(Varn1MenuTable(), item);
    case TRackModule::Gry230:
        return tableRule(Gry230MenuTable(), item);
    case TRackModule::Gry250:
        return item == 25 ? boolean(Gry250RemoteBit) : tableRule(Gry250MenuTable(), item);
    case TRackModule::Pelo1:
        return tableRule(Pelo1MenuTable(), item);
    case TRackModule::Pelo2:
        return tableRule(Pelo2MenuTable(), item);
    }
    return {};
}

// ---- Helpers --------------------------------------------------------------------

int word16(const TRackModuleRecord& r, int high, int low)
{
    return (r[high] & 0xFF) * 256 + (r[low] & 0xFF);
}

void markPresent(TConnectionState& c, int presence, int bit)
{
    if (c.UnitPresence[presence])
        return;
    c.UnitPresence[presence] = true;
    c.DetectedUnits |= bit;
}

// The status, alarm and LED bits keep their last values when the section
// fails its check; the menu words lie outside every check and always count.
bool decodeSection(TRackModule m, const TSectionLayout& l, const TRackModuleRecord& r,
                   TRackModuleState& s)
{
    const bool valid = RackSectionValid(r, l.first, l.check - 1, l.check);
    if (valid) {
        s.StatusBits = quint8(r[l.status]);
        s.LedBits = s.StatusBits;
        if (l.alarmHigh >= 0)
            s.AlarmBits = quint16(word16(r, l.alarmHigh, l.alarmLow));
        if (l.led >= 0)
            s.LedBits = quint8(r[l.led]);
        const int saving = m == TRackModule::Lyn1    ? Lyn1SavingBit
                           : m == TRackModule::Varn1 ? Varn1SavingBit
                                                     : SavingBit;
        s.Saving = (s.StatusBits & saving) != 0;
    }
    const bool wide = l.menuValueHigh >= 0;
    const int value = wide ? word16(r, l.menuValueHigh, l.menuValue) : (r[l.menuValue] & 0xFF);
    ApplyRackMenuEcho(m, s, r[l.menuItem] & 0xFF, value, wide);
    return valid;
}

void identify(TConnectionState& c, TRackModuleState& s, const TRackModuleRecord& r, int version,
              int revision, int partHigh, int partLow, int text, const char* prefix, int presence)
{
    s.FirmwareVersion = r[version] / 10.0;
    s.Revision = QChar(char(r[revision] & 0x7F));
    s.PartNumber = RackPartNumber(prefix, r[partHigh], r[partLow]);
    s.DeviceText = RackDeviceText(r, text, 10);
    s.IdentificationSeen = true;
    c.ModuleIdText[presence] = s.PartNumber;
    c.ModuleSerialText[presence] = s.DeviceText;
}

// A settings page marks the module present the first time it follows the
// identification, and seeds the menu state from the page.
bool firstSettings(TRackModuleState& s)
{
    if (!s.IdentificationSeen || s.SettingsSeen)
        return false;
    s.SettingsSeen = true;
    return true;
}

void seedBooleans(TRackModule m, TRackModuleState& s)
{
    for (int item = 0; item < RackSettingItems; ++item) {
        const ItemRule rule = itemRule(m, item);
        if (rule.kind == ItemKind::Boolean || rule.kind == ItemKind::HoldBoolean)
            s.Flags[item] = ((rule.word == 1 ? s.SettingsBits2 : s.SettingsBits) & rule.bit) != 0;
    }
}

// A hold count: 0 is hold off (held until told), anything else a count.
void applyHold(TRackModuleState& s, int item, int value)
{
    s.Settings[std::size_t(item)] = value;
    if (value == 0) {
        s.HoldExternal = true;
        s.HoldIsZero = true;
    } else {
        s.HoldExternal = false;
        s.HoldIsZero = false;
        s.HoldTime = value;
    }
}

// The numeric settings of a settings page whose first word is first. A hold
// count takes the hold rule of the module's echo (0 is hold off); the others
// are stored as they stand, so a setting that zeroes another on a key (the
// Gry250 calibrations) does not undo what the page says of that other one.
void seedNumbers(TRackModule m, TRackModuleState& s, const TRackModuleRecord& r, int first)
{
    for (const TPageSetting& w : RackSettingsPageWords(m)) {
        const int value = w.wide ? word16(r, first + w.offset + 1, first + w.offset)
                                 : (r[first + w.offset] & 0xFF);
        if (itemRule(m, w.item).kind == ItemKind::Hold) {
            applyHold(s, w.item, value);
        } else {
            s.Settings[std::size_t(w.item)] = value;
        }
    }
}

// The settings the page has no room for are not known until the module
// echoes them: mark them, so no panel shows a value the module never gave.
// Their keys still work: they step from a copy that starts at the item's
// lowest value (a hold at its shortest, held by count; a Boolean off), and
// the module's echo then tells its own value.
void markUnreported(TRackModule m, TRackModuleState& s)
{
    const TModuleMenuTable* table = RackMenuTable(m);
    if (!table)
        return;
    for (const TValueRow& row : table->rows) {
        if (row.item < 0 || row.item >= RackSettingItems || RackPageCarries(m, row) ||
            s.Echoed[std::size_t(row.item)])
            continue;
        const auto item = std::size_t(row.item);
        s.Unreported[item] = true;
        switch (row.kind) {
        case TValueKind::Hold:
            s.Settings[item] = row.low;
            s.HoldTime = row.low;
            s.HoldExternal = false;
            s.HoldIsZero = false;
            break;
        case TValueKind::Boolean:
        case TValueKind::UpOnlyBoolean:
        case TValueKind::TimeMode:
            (row.bitWord == 1 ? s.SettingsBits2 : s.SettingsBits) &= quint16(~row.bit);
            s.Flags[item] = false;
            break;
        default:
            s.Settings[item] = row.low;
            break;
        }
    }
}

// ---- FM information channel ---------------------------------------------------

struct FmModulePage
{
    TRackModule module;
    const TIdentLayout* ident;
    int settingsLast;
    int presence;
    int bit;
};

void fmModulePage(TConnectionState& c, TRackModuleState& s, const FmModulePage& p, int page,
                  const TRackModuleRecord& r)
{
    if (page == 0) {
        const TIdentLayout& l = *p.ident;
        if (!RackSectionValid(r, FmInfoFirstWord, l.lastChecked, FmInfoCheckWord))
            return;
        identify(c, s, r, l.version, l.revision, l.partHigh, l.partLow, l.text, l.prefix,
                 p.presence);
        if (p.module == TRackModule::Kelb1)
            s.OptionBits = quint8(r[Kelb1OptionWord]);
        return;
    }
    if (page != 1 || !RackSectionValid(r, FmInfoFirstWord, p.settingsLast, FmInfoCheckWord) ||
        r[FmInfoFirstWord] != 0)
        return;
    if (!firstSettings(s))
        return;
    s.MenuIndex = r[FmInfoFirstWord + SettingsItemOffset];
    s.SettingsBits = quint16(r[FmInfoFirstWord + SettingsBitsOffset]);
    seedBooleans(p.module, s);
    if (p.module == TRackModule::Lyn1) {
        const quint16 bits = s.SettingsBits;
        ApplyRackMenuEcho(p.module, s, 10, r[Lyn1HoldWord], false);
        s.SettingsBits = bits; // the hold word changes no bit of the page
    }
    if (p.module == TRackModule::Kelb1) {
        for (const TSettingWord& w : Kelb1SettingWords)
            s.Settings[w.item] = w.wide ? word16(r, w.word + 1, w.word) : r[w.word];
    }
    seedNumbers(p.module, s, r, FmInfoFirstWord);
    markUnreported(p.module, s);
    markPresent(c, p.presence, p.bit);
}

QString textAt(const TRackModuleRecord& r, int first, int count)
{
    return RackDeviceText(r, first, count);
}

void jov4Page(TRackData& d, TConnectionState& c, int page, const TRackModuleRecord& r)
{
    TJov4State& j = d.Jov4State;
    switch (page) {
    case 0:
        if (!RackSectionValid(r, Jov4Page0First, Jov4Page0Check - 1, Jov4Page0Check))
            return;
        j.DisplayText = textAt(r, Jov4DisplayText, 12);
        j.DisplayValue = r[Jov4DisplayValue];
        if (j.Page1Seen)
            markPresent(c, upJov4, 0x80);
        break;
    case 1: {
        if (!RackSectionValid(r, Jov4Page1First, Jov4Page1Check - 1, Jov4Page1Check))
            return;
        j.ModelText = textAt(r, Jov4ModelText, 6);
        // Each word is two digits + 100; every nibble shows as one hexadecimal
        // digit, so a value out of range still gives two characters.
        j.PartNumber = "31" + ByteToHex2(quint8(r[Jov4PartWords] - 100)) +
                       ByteToHex2(quint8(r[Jov4PartWords + 1] - 100));
        j.ShortText = textAt(r, Jov4ShortText, 4);
        j.LongText = textAt(r, Jov4LongText, 10);
        j.Page1Seen = true;
        c.Jov4ModelText = j.ModelText;
        c.ModuleIdText[upJov4] = j.PartNumber;
        c.ModuleSerialText[upJov4] = j.LongText;
        break;
    }
    case 2: {
        // The digit lies outside the page's check: a wrong one names no preset.
        const int digit = r[Jov4PresetDigit];
        if (digit < '0' || digit > '9' ||
            !RackSectionValid(r, Jov4Page2First, Jov4Page2Check - 1, Jov4Page2Check))
            return;
        j.Presets[digit - '0'] = textAt(r, Jov4PresetName, 12);
        break;
    }
    default:
        break;
    }
}

void fmInformation(TRackData& d, TConnectionState& c, const TRackModuleRecord& r)
{
    const int kind = (r[FmInfoKindWord] >> 4) & 0x0F;
    const int page = r[FmInfoKindWord] & 0x0F;
    switch (kind) {
    case ikKelb1:
        fmModulePage(c, d.Kelb1State,
                     {TRackModule::Kelb1, &Kelb1Ident, FmSettingsLastChecked, upKelb1, 0x01}, page,
                     r);
        break;
    case ikNuva1:
        fmModulePage(c, d.Nuva1State,
                     {TRackModule::Nuva1, &Nuva1Ident, FmSettingsLastChecked, upNuva1, 0x02}, page,
                     r);
        break;
    case ikLyn1:
        fmModulePage(c, d.Lyn1State,
                     {TRackModule::Lyn1, &Lyn1Ident, FmSettingsLastChecked, upLyn1, 0x04}, page, r);
        break;
    case ikVarn1Unit0:
    case ikVarn1Unit1: {
        const int unit = kind - ikVarn1Unit0;
        fmModulePage(c, d.Varn1State[unit],
                     {TRackModule::Varn1, &Varn1Ident, Varn1SettingsLastChecked,
                      unit ? upVarn1Unit1 : upVarn1Unit0, unit ? 0x10 : 0x08},
                     page, r);
        break;
    }
    case ikJov4:
        jov4Page(d, c, page, r);
        break;
    default:
        break;
    }
}

// ---- TV and AM information channels ---------------------------------------------

void tvLikePage(TConnectionState& c, TRackModuleState& s, TRackModule m, const TRackModuleRecord& r,
                int k, int page, int settingsLength, const char* prefix, int presence, int bit)
{
    const int first = k + 2;
    if (page == 0) {
        if (!RackSectionValid(r, first, first + TvIdentLength - 1, k + 1))
            return;
        identify(c, s, r, first, first + 1, first + 2, first + 3, first + 4, prefix, presence);
        return;
    }
    if (page != 1 || !RackSectionValid(r, first, first + settingsLength - 1, k + 1) ||
        r[first] != 0 || !firstSettings(s))
        return;
    // The main setting stands where an FM page has its current item: it is
    // the item the module's menu shows.
    s.MainSetting = r[first + 1];
    s.MenuIndex = s.MainSetting;
    s.SettingsBits = quint16(r[first + 2]);
    s.SettingsBits2 = quint16(r[first + 3]);
    seedBooleans(m, s);
    seedNumbers(m, s, r, first);
    markUnreported(m, s);
    markPresent(c, presence, bit);
}

// ---- Varn1 measurement block ------------------------------------------------------

int varn1Unit(const TRackModuleRecord& r)
{
    return r[Varn1UnitWord] == '0' ? 0 : 1;
}

// The five values of a Varn1 record: computed when the block holds them,
// zero when its check fails, else the unit's last values.
std::array<qint32, 5> varn1Values(const TRackModuleRecord& r, const TVarn1UnitState& unit)
{
    const TSectionLayout& l = Varn1Section;
    if (!RackSectionValid(r, l.first, l.check - 1, l.check))
        return {};
    if (!(r[l.status] & 0x80))
        return unit.Values;
    std::array<qint32, 5> v{};
    for (int i = 0; i < 3; ++i)
        v[i] = std::abs(r[Varn1FirstValue + i] * 10);
    v[3] = std::abs(r[Varn1FirstValue + 3]);
    v[4] = std::abs(r[Varn1FirstValue + 4]);
    return v;
}

int amModuleKind(const TRackData& d, const TRackModuleRecord& r)
{
    const int kind = r[3] & 0x0F;
    if (kind == KindPelo1 || kind == KindPelo2)
        return kind;
    return d.AmVariant;
}

// ---- Samples -----------------------------------------------------------------------

struct SeriesWriter
{
    TConnectionState& c;
    int firstSlot;
    int entry;
    void set(int series, qint64 value)
    {
        c.MeasurementHistory[firstSlot + series][entry] = qint32(value);
    }
    void zero(int count)
    {
        for (int s = 0; s < count; ++s)
            set(s, 0);
    }
};

qint64 mag(qint64 v)
{
    return v < 0 ? -v : v;
}

void kelb1Samples(const TRackModuleRecord& r, SeriesWriter w)
{
    const TSectionLayout& l = Kelb1Section;
    if (!RackSectionValid(r, l.first, l.check - 1, l.check))
        return w.zero(13);
    auto rel = [&](int i) { return qint64(r[l.first + i]); };
    w.set(0, mag(rel(1) * 256 + rel(0)));
    w.set(1, mag(rel(3) * 256 + rel(2)));
    w.set(2, mag(rel(5) * 256 + rel(4)));
    w.set(3, mag(rel(7) * 256 + rel(6)));
    w.set(4, mag(rel(8) * 5));
    w.set(5, mag(rel(9) * 5));
    w.set(6, mag(rel(10) * 5));
    w.set(7, mag(rel(11)));
    w.set(8, mag(rel(12)));
    w.set(9, mag((rel(13) / 2) * 5 + 170));
    w.set(10, mag((rel(14) / 2) * 5 + 170));
    w.set(11, mag(rel(15) * 5));
    w.set(12, mag(rel(17) * 256 + rel(16)));
}

void nuva1Samples(const TRackModuleRecord& r, SeriesWriter w)
{
    const TSectionLayout& l = Nuva1Section;
    if (!RackSectionValid(r, l.first, l.check - 1, l.check))
        return w.zero(20);
    for (int i = 0; i < 15; ++i)
        w.set(i, mag(qint64(r[l.first + i]) * 10));
    w.set(15, mag(r[l.first + 15]));
    w.set(16, mag(qint64(r[l.first + 16]) * 10));
    for (int i = 17; i < 20; ++i)
        w.set(i, mag(r[l.first + i]));
}

void lyn1Samples(TRackData& d, const TRackModuleRecord& r, SeriesWriter w)
{
    const TSectionLayout& l = Lyn1Section;
    if (!RackSectionValid(r, l.first, l.check - 1, l.check))
        return w.zero(7);
    auto rel = [&](int i) { return qint64(r[l.first + i]); };
    w.set(0, mag(rel(0) * 10));
    w.set(1, mag(rel(1)));
    const int flags = int(rel(2));
    qint64 phase;
    if (flags & 0x20) {
        phase = -255;
        d.RdsPhaseValid = false;
    } else if (flags & 0x40) {
        phase = (flags & 0x80) ? -127 : 127;
        d.RdsPhaseValid = false;
    } else {
        phase = (flags & 0x80) ? -(flags & 0x1F) : (flags & 0x1F);
        d.RdsPhaseValid = true;
    }
    w.set(2, phase);
    w.set(3, mag(rel(3)));
    w.set(4, mag(rel(5) * 256 + rel(4)));
}

void tenthsThenPlain(const TRackModuleRecord& r, const TSectionLayout& l, int tenths, int total,
                     SeriesWriter w)
{
    if (!RackSectionValid(r, l.first, l.check - 1, l.check))
        return w.zero(total);
    for (int i = 0; i < total; ++i) {
        const qint64 v = r[l.first + i];
        w.set(i, mag(i < tenths ? v * 10 : v));
    }
}

void gry230Samples(const TRackModuleRecord& r, SeriesWriter w)
{
    const TSectionLayout& l = Gry230Section;
    if (!RackSectionValid(r, l.first, l.check - 1, l.check))
        return w.zero(24);
    for (int i = 0; i < Gry230TenthsWords; ++i)
        w.set(i, mag(qint64(r[l.first + i]) * 10));
    w.set(18, mag(r[22]));
    w.set(19, mag(r[23]));
    w.set(20, mag(r[24]));
    w.set(21, mag(r[25]));
    w.set(22, word16(r, 27, 26));
    w.set(23, word16(r, 29, 28));
}

// The AM modules' words (RackRecordLayout.h): one word a series, the ratios
// and the carrier ratio as sent, the noise a signed byte, then the counts.
void peloSamples(const TRackModuleRecord& r, const TSectionLayout& l, bool pelo2, SeriesWriter w)
{
    const int counts = pelo2 ? Pelo2CountSeries : Pelo1CountSeries;
    if (!RackSectionValid(r, l.first, l.check - 1, l.check))
        return w.zero(counts + 3);
    for (int i = 0; i < counts; ++i) {
        const qint64 v = r[l.first + i] & 0xFF;
        if (i == 3 || i == 7 || (pelo2 && i == 12))
            w.set(i, v);
        else if (pelo2 && i == Pelo2NoiseSeries)
            w.set(i, (v >= 128 ? v - 256 : v) * 10);
        else
            w.set(i, v * 10);
    }
    for (int k = 0; k < 3; ++k) {
        const int low = l.first + counts + 2 * k;
        w.set(counts + k, word16(r, low + 1, low));
    }
}

} // namespace

bool RackSectionValid(const TRackModuleRecord& r, int first, int last, int check)
{
    quint16 sum = 0;
    for (int i = first; i <= last; ++i)
        sum = quint16(sum + quint16(r[i] & 0xFFFF));
    return (sum & 0xFF) == r[check];
}

void ApplyRackMenuEcho(TRackModule module, TRackModuleState& s, int item, int value, bool wide)
{
    if (item == 255)
        return;
    if (value == (wide ? 0xFFFF : 0xFF)) {
        s.MenuIndex = item;
        return;
    }
    if (item < 0 || item >= RackSettingItems)
        return;
    const ItemRule rule = itemRule(module, item);
    switch (rule.kind) {
    case ItemKind::None:
        return;
    case ItemKind::Numeric:
        if (value < rule.min)
            return;
        s.Settings[item] = value;
        if (rule.clears >= 0 && rule.clears < RackSettingItems) {
            s.Settings[std::size_t(rule.clears)] = 0;
            s.Unreported[std::size_t(rule.clears)] = false;
            s.Echoed[std::size_t(rule.clears)] = true;
        }
        break;
    case ItemKind::Boolean:
    case ItemKind::HoldBoolean: {
        quint16& bits = rule.word == 1 ? s.SettingsBits2 : s.SettingsBits;
        if (value != 0)
            bits |= rule.bit;
        else
            bits &= quint16(~rule.bit);
        s.Flags[item] = value != 0;
        // The time mode: past with hold off holds until told; real time
        // never does, as the panel's key leaves it.
        if (rule.kind == ItemKind::HoldBoolean && value != 0 && s.HoldIsZero)
            s.HoldExternal = true;
        if (rule.kind == ItemKind::HoldBoolean && value == 0)
            s.HoldExternal = false;
        break;
    }
    case ItemKind::Hold:
        applyHold(s, item, value);
        break;
    }
    s.Unreported[std::size_t(item)] = false;
    s.Echoed[std::size_t(item)] = true;
    s.LastValue = value;
}

void DecodeRackStatus(TRackData& d, TConnectionState& c)
{
    const TRackModuleRecord& r = d.RackBlock.Records[c.BlockNumber % 10];
    switch (c.RackFamily) {
    case rkFM: {
        if (decodeSection(TRackModule::Kelb1, Kelb1Section, r, d.Kelb1State)) {
            const int status = r[Kelb1Section.status];
            d.Kelb1State.CalibrationState = (status >> Kelb1CalibrationShift) & 0x03;
            d.Kelb1State.LedBits = quint8(status & Kelb1LedMask);
        }
        decodeSection(TRackModule::Nuva1, Nuva1Section, r, d.Nuva1State);
        decodeSection(TRackModule::Lyn1, Lyn1Section, r, d.Lyn1State);
        TVarn1UnitState& unit = d.Varn1State[varn1Unit(r)];
        unit.Values = varn1Values(r, unit);
        decodeSection(TRackModule::Varn1, Varn1Section, r, unit);
        fmInformation(d, c, r);
        break;
    }
    case rkTV: {
        decodeSection(TRackModule::Gry230, Gry230Section, r, d.Gry230State);
        decodeSection(TRackModule::Gry250, Gry250Section, r, d.Gry250State);
        const int kind = (r[TvInfoKindWord] >> 4) & 0x0F;
        const int page = r[TvInfoKindWord] & 0x0F;
        if (kind == TvKindGry230)
            tvLikePage(c, d.Gry230State, TRackModule::Gry230, r, TvInfoKindWord, page,
                       TvSettingsLength230, Gry230Prefix, upGry230, 0x02);
        else if (kind == TvKindGry250)
            tvLikePage(c, d.Gry250State, TRackModule::Gry250, r, TvInfoKindWord, page,
                       TvSettingsLength250, Gry250Prefix, upGry250, 0x04);
        break;
    }
    case rkAM: {
        d.AmModuleKind = amModuleKind(d, r);
        const bool pelo2 = d.AmModuleKind == KindPelo2;
        TRackModuleState& s = pelo2 ? d.Pelo2State : d.Pelo1State;
        const TRackModule m = pelo2 ? TRackModule::Pelo2 : TRackModule::Pelo1;
        decodeSection(m, pelo2 ? Pelo2Section : Pelo1Section, r, s);
        const int k = pelo2 ? Pelo2InfoKindWord : Pelo1InfoKindWord;
        if (((r[k] >> 4) & 0x0F) == 0)
            tvLikePage(c, s, m, r, k, r[k] & 0x0F,
                       pelo2 ? Pelo2SettingsLength : Pelo1SettingsLength, AmPrefix,
                       pelo2 ? upPelo2 : upPelo1, pelo2 ? 0x02 : 0x01);
        break;
    }
    default:
        break;
    }
}

void DecodeRackSamples(TRackData& d, TConnectionState& c)
{
    const int n = qMin(d.RackSlotList.Count, int(d.RackSlotList.Slots.size()));
    // The AM modules report in turns: each fills its own entries from 1.
    int amEntries[2] = {0, 0};
    for (int k = 0; k < n; ++k) {
        const TRackModuleRecord& r = d.RackBlock.Records[d.RackSlotList.Slots[k] % 10];
        const int entry = k + 1;
        switch (c.RackFamily) {
        case rkFM: {
            kelb1Samples(r, {c, Kelb1SeriesSlot, entry});
            nuva1Samples(r, {c, Nuva1SeriesSlot, entry});
            lyn1Samples(d, r, {c, Lyn1SeriesSlot, entry});
            const int unit = varn1Unit(r);
            const std::array<qint32, 5> v = varn1Values(r, d.Varn1State[unit]);
            SeriesWriter w{c, Varn1SeriesSlot + 256 * unit, entry};
            for (int i = 0; i < 5; ++i)
                w.set(i, v[i]);
            break;
        }
        case rkTV:
            gry230Samples(r, {c, Gry230SeriesSlot, entry});
            tenthsThenPlain(r, Gry250Section, 3, 6, {c, Gry250SeriesSlot, entry});
            break;
        case rkAM:
            if (amModuleKind(d, r) == KindPelo2)
                peloSamples(r, Pelo2Section, true, {c, Pelo2SeriesSlot, ++amEntries[1]});
            else
                peloSamples(r, Pelo1Section, false, {c, Pelo1SeriesSlot, ++amEntries[0]});
            break;
        default:
            break;
        }
    }
    d.RackSlotList.Count = 0;
}

void UnpackRdsGroups(TRackData& d)
{
    const TRackModuleRecord& s = d.RackBlock.Samples[d.LastSampleSlot % 10];
    for (int g = 0; g < RdsGroupCount; ++g) {
        auto block = [&](int b) {
            return quint16((s[8 * g + 2 * b] & 0xFF) * 256 + (s[8 * g + 2 * b + 1] & 0xFF));
        };
        d.RdsGroups[g] = {block(0), block(1), block(2), block(3)};
    }
    d.RdsQueue.push(d.RdsGroups);
}

QString RackPartNumber(const char* prefix, int high, int low)
{
    return QString::fromLatin1(prefix) + ZeroPadInt(qint64(high) * 100 + low, 4);
}

QString RackDeviceText(const TRackModuleRecord& r, int first, int count)
{
    QString out;
    for (int i = 0; i < count; ++i) {
        const int b = r[first + i] & 0xFF;
        out += b < 0x20 ? QChar(' ') : QChar::fromLatin1(char(b));
    }
    return out;
}
