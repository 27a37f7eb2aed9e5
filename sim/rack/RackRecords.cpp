#include "sim/rack/RackRecords.h"

#include "common/TDateTime.h"

#include <algorithm>

using namespace RackLayout;

namespace {

void putText(TRackModuleRecord& r, int first, const QByteArray& text, int count)
{
    for (int i = 0; i < count; ++i)
        r.w[first + i] = i < text.size() ? static_cast<unsigned char>(text.at(i)) : ' ';
}

// The module whose menu table a simulated module's settings page follows.
TRackModule menuModule(SimModule m)
{
    switch (m) {
    case SimModule::Kelb1: return TRackModule::Kelb1;
    case SimModule::Nuva1: return TRackModule::Nuva1;
    case SimModule::Lyn1: return TRackModule::Lyn1;
    case SimModule::Varn1Unit0:
    case SimModule::Varn1Unit1: return TRackModule::Varn1;
    case SimModule::Gry230: return TRackModule::Gry230;
    case SimModule::Gry250: return TRackModule::Gry250;
    case SimModule::Pelo1: return TRackModule::Pelo1;
    case SimModule::Pelo2:
    case SimModule::Jov4:
    case SimModule::Count: break;
    }
    return TRackModule::Pelo2;
}

// The numeric settings of a settings page whose first word is first.
void putSettings(TRackModuleRecord& r, int first, SimModule m, const SimModuleState& s)
{
    if (m == SimModule::Jov4)
        return;
    for (const TPageSetting& w : RackSettingsPageWords(menuModule(m))) {
        const int value = s.settings[std::size_t(w.item)];
        r.w[first + w.offset] = value & 0xFF;
        if (w.wide)
            r.w[first + w.offset + 1] = (value >> 8) & 0xFF;
    }
}

} // namespace

const TModuleMenuTable* SimMenuTable(SimModule m)
{
    if (m == SimModule::Kelb1 || m == SimModule::Lyn1 || m == SimModule::Jov4 ||
        m == SimModule::Count)
        return nullptr;
    return RackMenuTable(menuModule(m));
}

void SetRackCheck(TRackModuleRecord& r, int first, int last, int check)
{
    quint16 sum = 0;
    for (int i = first; i <= last; ++i)
        sum = quint16(sum + quint16(r.w[i] & 0xFFFF));
    r.w[check] = sum & 0xFF;
}

RackRecords::RackRecords(int family_)
    : family(family_)
{
    struct Defaults
    {
        SimModule m;
        const char* text;
        int partHigh, partLow;
    };
    const Defaults defaults[] = {
        {SimModule::Kelb1, "KELB100001", 12, 1},   {SimModule::Nuva1, "NUVA100002", 12, 2},
        {SimModule::Lyn1, "LYN1000003", 12, 3},    {SimModule::Varn1Unit0, "VARN100004", 12, 4},
        {SimModule::Varn1Unit1, "VARN100005", 12, 5}, {SimModule::Gry230, "GRY2300006", 12, 6},
        {SimModule::Gry250, "GRY2500007", 12, 7}, {SimModule::Pelo1, "PELO100008", 12, 8},
        {SimModule::Pelo2, "PELO200009", 12, 9},
    };
    for (const Defaults& d : defaults) {
        SimModuleState& s = module(d.m);
        s.text = d.text;
        s.partHigh = d.partHigh;
        s.partLow = d.partLow;
        for (int i = 0; i < int(s.samples.size()); ++i)
            s.samples[i] = (i * 7 + int(d.m) * 3 + 1) & 0x7F;
    }
    // Kelb1 total modulation 0x0234 = 564 tenths.
    module(SimModule::Kelb1).samples[0] = 0x34;
    module(SimModule::Kelb1).samples[1] = 0x02;
    module(SimModule::Lyn1).settings[10] = 3; // a hold of 1.5 s
    // Each setting on a settings page starts at its lowest value, a hold
    // count at 3, so the panels show values they can step from.
    const struct
    {
        SimModule m;
        const TModuleMenuTable& table;
    } menus[] = {
        {SimModule::Nuva1, Nuva1MenuTable()},   {SimModule::Varn1Unit0, Varn1MenuTable()},
        {SimModule::Varn1Unit1, Varn1MenuTable()}, {SimModule::Gry230, Gry230MenuTable()},
        {SimModule::Gry250, Gry250MenuTable()}, {SimModule::Pelo1, Pelo1MenuTable()},
        {SimModule::Pelo2, Pelo2MenuTable()},
    };
    for (const auto& menu : menus) {
        for (const TPageSetting& w : RackSettingsPageWords(menuModule(menu.m))) {
            const TValueRow* row = FindValueRow(menu.table, w.item);
            module(menu.m).settings[std::size_t(w.item)] =
                row && row->kind == TValueKind::Hold ? 3 : row ? row->low : 0;
        }
    }
    for (int i = 0; i < 10; ++i)
        jov4.presets[i] = "PRESET " + QByteArray::number(i) + "    ";
    for (int g = 0; g < 6; ++g)
        rdsGroups[g] = {quint16(0x1234 + g), quint16(0x0400 + g), quint16(0xAB00 + g),
                        quint16(0xCD00 + g)};
    controllerCode = family == rkFM ? 2 : family == rkTV ? 18 : 34;
    presentAll();
}

void RackRecords::presentAll()
{
    for (auto& m : modules)
        m.present = false;
    auto on = [&](SimModule m) { module(m).present = true; };
    switch (family) {
    case rkFM:
        on(SimModule::Kelb1);
        on(SimModule::Nuva1);
        on(SimModule::Lyn1);
        on(SimModule::Varn1Unit0);
        on(SimModule::Varn1Unit1);
        on(SimModule::Jov4);
        break;
    case rkTV:
        on(SimModule::Gry230);
        on(SimModule::Gry250);
        break;
    default:
        on(SimModule::Pelo1);
        on(SimModule::Pelo2);
        break;
    }
}

std::vector<RackRecords::Page> RackRecords::pageCycle() const
{
    std::vector<Page> pages;
    if (family == rkFM) {
        const std::pair<SimModule, int> fm[] = {
            {SimModule::Kelb1, ikKelb1},          {SimModule::Nuva1, ikNuva1},
            {SimModule::Lyn1, ikLyn1},            {SimModule::Varn1Unit0, ikVarn1Unit0},
            {SimModule::Varn1Unit1, ikVarn1Unit1},
        };
        for (int page = 0; page < 2; ++page)
            for (const auto& [m, kind] : fm)
                if (modules[int(m)].present)
                    pages.push_back({kind, page});
        if (modules[int(SimModule::Jov4)].present) {
            pages.push_back({ikJov4, 1});
            pages.push_back({ikJov4, 0});
            for (int p = 0; p < 10; ++p)
                pages.push_back({ikJov4, 2, p});
        }
    } else if (family == rkTV) {
        for (int page = 0; page < 2; ++page) {
            if (modules[int(SimModule::Gry230)].present)
                pages.push_back({TvKindGry230, page});
            if (modules[int(SimModule::Gry250)].present)
                pages.push_back({TvKindGry250, page});
        }
    }
    return pages;
}

void RackRecords::menuWords(TRackModuleRecord& r, SimModule m, const TSectionLayout& l)
{
    SimModuleState& s = module(m);
    const bool wide = l.menuValueHigh >= 0;
    int item = s.menuItem;
    int value = wide ? 0xFFFF : 0xFF;
    if (s.echoItem >= 0) {
        item = s.echoItem;
        value = s.echoValue;
        s.echoItem = -1;
    }
    r.w[l.menuItem] = item & 0xFF;
    r.w[l.menuValue] = value & 0xFF;
    if (wide)
        r.w[l.menuValueHigh] = (value >> 8) & 0xFF;
}

void RackRecords::section(TRackModuleRecord& r, SimModule m, const TSectionLayout& l)
{
    SimModuleState& s = module(m);
    if (!s.present)
        return;
    for (int i = l.first; i < l.check; ++i)
        r.w[i] = s.samples[i - l.first] & 0xFF;
    r.w[l.status] = (s.status | l.newSamplesBit) & 0xFF;
    if (l.alarmHigh >= 0) {
        r.w[l.alarmHigh] = (s.alarm >> 8) & 0xFF;
        r.w[l.alarmLow] = s.alarm & 0xFF;
    }
    if (l.led >= 0)
        r.w[l.led] = s.led & 0xFF;
    if (m == SimModule::Varn1Unit0 || m == SimModule::Varn1Unit1)
        r.w[Varn1UnitWord] = m == SimModule::Varn1Unit0 ? '0' : '1';
    SetRackCheck(r, l.first, l.check - 1, l.check);
    if (s.badCheck)
        r.w[l.check] ^= 0x55;
    menuWords(r, m, l);
}

void RackRecords::fmPage(TRackModuleRecord& r, const Page& p)
{
    r.w[FmInfoKindWord] = (p.kind << 4) | p.page;
    if (p.kind == ikJov4) {
        switch (p.page) {
        case 0:
            putText(r, Jov4DisplayText, jov4.display, 12);
            r.w[Jov4DisplayValue] = jov4.value & 0xFF;
            SetRackCheck(r, Jov4Page0First, Jov4Page0Check - 1, Jov4Page0Check);
            break;
        case 1:
            putText(r, Jov4ModelText, jov4.model, 6);
            r.w[Jov4PartWords] = jov4.partHigh & 0xFF;
            r.w[Jov4PartWords + 1] = jov4.partLow & 0xFF;
            putText(r, Jov4ShortText, jov4.shortText, 4);
            putText(r, Jov4LongText, jov4.longText, 10);
            SetRackCheck(r, Jov4Page1First, Jov4Page1Check - 1, Jov4Page1Check);
            break;
        default:
            r.w[Jov4PresetDigit] = '0' + p.preset;
            putText(r, Jov4PresetName, jov4.presets[p.preset], 12);
            SetRackCheck(r, Jov4Page2First, Jov4Page2Check - 1, Jov4Page2Check);
            break;
        }
        return;
    }
    SimModule m;
    const TIdentLayout* ident;
    switch (p.kind) {
    case ikKelb1: m = SimModule::Kelb1; ident = &Kelb1Ident; break;
    case ikNuva1: m = SimModule::Nuva1; ident = &Nuva1Ident; break;
    case ikLyn1: m = SimModule::Lyn1; ident = &Lyn1Ident; break;
    case ikVarn1Unit0: m = SimModule::Varn1Unit0; ident = &Varn1Ident; break;
    default: m = SimModule::Varn1Unit1; ident = &Varn1Ident; break;
    }
    const SimModuleState& s = module(m);
    const bool varn1 = ident == &Varn1Ident;
    int last;
    if (p.page == 0) {
        r.w[ident->version] = s.version & 0xFF;
        r.w[ident->revision] = s.revision;
        r.w[ident->partHigh] = s.partHigh & 0xFF;
        r.w[ident->partLow] = s.partLow & 0xFF;
        if (m == SimModule::Kelb1)
            r.w[Kelb1OptionWord] = s.optionBits & 0xFF;
        putText(r, ident->text, s.text, 10);
        last = ident->lastChecked;
    } else {
        r.w[FmInfoFirstWord] = 0;
        r.w[FmInfoFirstWord + SettingsItemOffset] = s.menuItem & 0xFF;
        r.w[FmInfoFirstWord + SettingsBitsOffset] = s.settingsBits & 0xFF;
        if (m == SimModule::Lyn1)
            r.w[Lyn1HoldWord] = s.settings[10] & 0xFF;
        if (m == SimModule::Kelb1) {
            for (const TSettingWord& w : Kelb1SettingWords) {
                r.w[w.word] = s.settings[w.item] & 0xFF;
                if (w.wide)
                    r.w[w.word + 1] = (s.settings[w.item] >> 8) & 0xFF;
            }
        }
        putSettings(r, FmInfoFirstWord, m, s);
        last = varn1 ? Varn1SettingsLastChecked : FmSettingsLastChecked;
    }
    SetRackCheck(r, FmInfoFirstWord, last, FmInfoCheckWord);
    if (s.badPages)
        r.w[FmInfoCheckWord] ^= 0x55;
}

void RackRecords::tvLikePage(TRackModuleRecord& r, int k, SimModule m, int page, int settingsLength)
{
    const SimModuleState& s = module(m);
    const int kind = m == SimModule::Gry230 ? TvKindGry230 : m == SimModule::Gry250 ? TvKindGry250 : 0;
    r.w[k] = (kind << 4) | page;
    const int first = k + 2;
    int length;
    if (page == 0) {
        r.w[first] = s.version & 0xFF;
        r.w[first + 1] = s.revision;
        r.w[first + 2] = s.partHigh & 0xFF;
        r.w[first + 3] = s.partLow & 0xFF;
        putText(r, first + 4, s.text, 10);
        length = TvIdentLength;
    } else {
        // The main setting is the item the module's menu shows.
        r.w[first] = 0;
        r.w[first + 1] = s.menuItem & 0xFF;
        r.w[first + 2] = s.settingsBits & 0xFF;
        r.w[first + 3] = s.settingsBits2 & 0xFF;
        putSettings(r, first, m, s);
        length = settingsLength;
    }
    SetRackCheck(r, first, first + length - 1, k + 1);
    if (s.badPages)
        r.w[k + 1] ^= 0x55;
}

void RackRecords::fmRecord(TRackModuleRecord& r)
{
    section(r, SimModule::Kelb1, Kelb1Section);
    section(r, SimModule::Nuva1, Nuva1Section);
    section(r, SimModule::Lyn1, Lyn1Section);
    // The two Varn1 units take turns.
    for (int tries = 0; tries < 2; ++tries) {
        const SimModule unit = m_varn1Next == 0 ? SimModule::Varn1Unit0 : SimModule::Varn1Unit1;
        m_varn1Next ^= 1;
        if (module(unit).present) {
            section(r, unit, Varn1Section);
            break;
        }
    }
    const std::vector<Page> pages = pageCycle();
    if (!pages.empty())
        fmPage(r, pages[m_page++ % pages.size()]);
}

void RackRecords::tvRecord(TRackModuleRecord& r)
{
    section(r, SimModule::Gry230, Gry230Section);
    section(r, SimModule::Gry250, Gry250Section);
    const std::vector<Page> pages = pageCycle();
    if (pages.empty())
        return;
    const Page p = pages[m_page++ % pages.size()];
    const SimModule m = p.kind == TvKindGry230 ? SimModule::Gry230 : SimModule::Gry250;
    tvLikePage(r, TvInfoKindWord, m, p.page,
               m == SimModule::Gry230 ? TvSettingsLength230 : TvSettingsLength250);
}

void RackRecords::amRecord(TRackModuleRecord& r, SimModule m)
{
    const bool pelo2 = m == SimModule::Pelo2;
    section(r, m, pelo2 ? Pelo2Section : Pelo1Section);
    int& page = m_amPage[pelo2 ? 1 : 0];
    tvLikePage(r, pelo2 ? Pelo2InfoKindWord : Pelo1InfoKindWord, m, page,
               pelo2 ? Pelo2SettingsLength : Pelo1SettingsLength);
    page ^= 1;
}

TRackModuleRecord RackRecords::nextRecord()
{
    if (m_station)
        stationSamples();
    TRackModuleRecord r;
    r.w[0] = 0xFF;
    r.w[1] = 0xFE;
    r.w[2] = 0xFD;
    switch (family) {
    case rkFM:
        r.w[3] = FamilyFM | KindFmOther;
        fmRecord(r);
        break;
    case rkTV:
        r.w[3] = FamilyTV;
        tvRecord(r);
        break;
    default: {
        // With both AM modules present their records alternate.
        SimModule m = SimModule::Pelo1;
        const bool one = module(SimModule::Pelo1).present, two = module(SimModule::Pelo2).present;
        if (one && two)
            m = (m_amNext ^= 1) ? SimModule::Pelo1 : SimModule::Pelo2;
        else if (two)
            m = SimModule::Pelo2;
        m_lastAmKind = m == SimModule::Pelo2 ? KindPelo2 : KindPelo1;
        r.w[3] = FamilyAM | m_lastAmKind;
        amRecord(r, m);
        break;
    }
    }
    return r;
}

QByteArray RackRecords::recordBlock(const TRackModuleRecord& r, int kindByte) const
{
    QByteArray b(BlockLength, '\0');
    b[0] = char(0xFF);
    b[1] = char(0xFE);
    b[2] = char(0xFD);
    b[3] = char(kindByte);
    for (int i = 4; i < SumByte; ++i)
        b[i] = char(r.w[i] & 0xFF);
    int sum = 0;
    for (int i = 0; i < SumByte; ++i)
        sum += static_cast<unsigned char>(b[i]);
    b[SumByte] = char(sum & 0xFF);
    return b;
}

namespace {
QByteArray half(const TRackModuleRecord& r, int kindByte, int firstWord,
                const std::array<std::array<quint16, 4>, 6>& groups)
{
    QByteArray b(BlockLength, '\0');
    b[0] = char(0xFF);
    b[1] = char(0xFE);
    b[2] = char(0xFD);
    b[3] = char(kindByte);
    for (int i = 0; i < HalfRecordWords; ++i) {
        b[4 + 2 * i] = char(r.w[firstWord + i] & 0xFF);
        const int g = i / 8, blk = (i % 8) / 2;
        const quint16 v = groups[g][blk];
        b[5 + 2 * i] = char(i % 2 == 0 ? (v >> 8) : (v & 0xFF));
    }
    return b;
}
} // namespace

QByteArray RackRecords::firstHalf(const TRackModuleRecord& r) const
{
    return half(r, FamilyFM | KindFmFirstHalf, FirstHalfFirstWord, rdsGroups);
}

QByteArray RackRecords::secondHalf(const TRackModuleRecord& r) const
{
    return half(r, FamilyFM | KindFmSecondHalf, SecondHalfFirstWord, rdsGroups);
}

QByteArray RackRecords::stamped(const QByteArray& block, const QDateTime& t)
{
    return block + TDateTimeBytes(t);
}

void RackRecords::lookLikeAStation(bool vary)
{
    m_station = true;
    m_vary = vary;
    // The lamps of a station on air: pilot, RDS, subcarriers and carriers
    // present, the AM carrier normal. Dark lamps beside readings of a 9 %
    // pilot would read as a fault.
    module(SimModule::Nuva1).status = 0x01;          // PILOT
    module(SimModule::Lyn1).status = 0x01 | 0x02;    // PILOT, RDS
    module(SimModule::Varn1Unit0).status = 0x01;     // CAR
    module(SimModule::Varn1Unit1).status = 0x01;
    module(SimModule::Gry230).status = 0x04;         // PILOT
    module(SimModule::Gry250).status = 0x01 | 0x04;  // SAP CAR, PRO CAR
    module(SimModule::Pelo1).led = 0x20;             // NORMAL
    module(SimModule::Pelo2).led = 0x20;
}

void RackRecords::stationSamples()
{
    if (m_vary)
        m_drift.nextBlock();
    // A reading in the unit it is sent in, moved when the readings vary.
    auto v = [&](int x, int lo = 0, int hi = 255) { return m_vary ? m_drift.moved(x, lo, hi) : x; };
    // Peak, average and minimum, each kept below the one before.
    auto triple = [&](std::array<int, 27>& w, int at, int peak, int avg, int min) {
        int p = v(peak), a = std::min(v(avg), p), m = std::min(v(min), a);
        w[size_t(at)] = p, w[size_t(at + 1)] = a, w[size_t(at + 2)] = m;
    };
    auto wide = [](std::array<int, 27>& w, int at, int x) {
        w[size_t(at)] = x & 0xFF;
        w[size_t(at + 1)] = (x >> 8) & 0xFF;
    };

    // Kelb1 from word 4: total, peak average and peak minimum in tenths of a
    // percent as 16-bit words, their ratio in hundredths, the loops and pilot
    // modulation in half-percent steps, pilot and SCA injection in tenths,
    // AM and synchronous AM noise, RF level, and the PPM count.
    {
        std::array<int, 27>& w = module(SimModule::Kelb1).samples;
        const int total = v(982, 0, 1500);
        const int avg = std::min(v(741, 0, 1500), total);
        const int min = std::min(v(402, 0, 1500), avg);
        wide(w, 0, total);
        wide(w, 2, avg);
        wide(w, 4, min);
        wide(w, 6, total ? avg * 100 / total : 0);
        w[8] = v(200), w[9] = v(198), w[10] = v(18);
        w[11] = v(91), w[12] = v(100);
        w[13] = v(172), w[14] = v(152); // 60.0 and 55.0 dB below
        w[15] = v(170);                 // 85.0 %
        wide(w, 16, 3);
    }
    // Nuva1 from word 29: total, left, right, L+R, L-R in whole percent, the
    // pilot injection in tenths and its modulation in whole percent, then the
    // left and right levels and the separation.
    {
        std::array<int, 27>& w = module(SimModule::Nuva1).samples;
        triple(w, 0, 98, 74, 40);
        triple(w, 3, 89, 65, 31);
        triple(w, 6, 90, 66, 30);
        triple(w, 9, 94, 70, 35);
        triple(w, 12, 41, 23, 4);
        w[15] = v(91), w[16] = v(9);
        w[17] = v(17), w[18] = v(17), w[19] = v(90); // -5.0 dB, 45.0 dB
    }
    // Lyn1 from word 53: total, RDS injection in tenths, the RDS phase (12
    // degrees, valid), pilot injection, block errors in tenths of a percent.
    {
        std::array<int, 27>& w = module(SimModule::Lyn1).samples;
        w[0] = v(98), w[1] = v(38), w[2] = 12, w[3] = v(91);
        wide(w, 4, v(2));
    }
    // Varn1 from word 63 (the unit word): total, main, SCA in whole percent,
    // injection in tenths, the level.
    for (SimModule m : {SimModule::Varn1Unit0, SimModule::Varn1Unit1}) {
        std::array<int, 27>& w = module(m).samples;
        w[1] = v(98), w[2] = v(88), w[3] = v(10), w[4] = v(100), w[5] = v(17);
    }
    // Gry230 from word 4: six channels' peak, average, minimum in whole
    // percent, the pilot in tenths of a kHz, two levels, the separation, the
    // two PPM counts.
    {
        std::array<int, 27>& w = module(SimModule::Gry230).samples;
        const int channels[6][3] = {{98, 72, 38}, {95, 70, 35}, {93, 68, 33},
                                    {96, 71, 36}, {45, 26, 6},  {62, 41, 20}};
        for (int c = 0; c < 6; ++c)
            triple(w, 3 * c, channels[c][0], channels[c][1], channels[c][2]);
        w[18] = v(50), w[19] = v(17), w[20] = v(17), w[21] = v(70);
        wide(w, 22, 2);
        wide(w, 24, 1);
    }
    // Gry250 from word 34: total, and two readouts in whole percent, SAP and
    // PRO injection in tenths of a kHz, the carrier level.
    {
        std::array<int, 27>& w = module(SimModule::Gry250).samples;
        triple(w, 0, 90, 85, 40);
        w[3] = v(150), w[4] = v(30), w[5] = v(17);
    }
    // Pelo1 and Pelo2 from word 4: positive peak, average, minimum in whole
    // percent and their ratio in hundredths, the same of the negative peaks,
    // the carrier (level, shift; Pelo2: level, reference, high, low, ratio in
    // tenths of a dB, noise in whole dB as a signed byte), then the counts.
    for (SimModule m : {SimModule::Pelo1, SimModule::Pelo2}) {
        std::array<int, 27>& w = module(m).samples;
        triple(w, 0, 118, 85, 45);
        w[3] = w[0] ? w[1] * 100 / w[0] : 0;
        triple(w, 4, 95, 72, 40);
        w[7] = w[4] ? w[5] * 100 / w[4] : 0;
        int counts = Pelo1CountSeries;
        if (m == SimModule::Pelo1) {
            w[8] = v(100), w[9] = v(1);
        } else {
            w[8] = v(100), w[9] = 100, w[10] = v(102), w[11] = v(98), w[12] = v(4);
            w[13] = 256 - v(55); // -55 dB
            counts = Pelo2CountSeries;
        }
        const int countValues[3] = {3, 1, 0};
        for (int k = 0; k < 3; ++k)
            wide(w, counts + 2 * k, countValues[k]);
    }
}

bool SimJov4::tune(const QByteArray& digits)
{
    bool ok = digits.size() == 5;
    for (char c : digits)
        ok = ok && c >= '0' && c <= '9';
    const int hundredths = ok ? digits.toInt() : 0;
    if (hundredths < 8750 || hundredths > 10800)
        return false;
    showFrequency(hundredths);
    return true;
}

bool SimJov4::recallPreset(char digit)
{
    if (digit < '0' || digit > '9')
        return false;
    showFrequency(presetFrequencies[size_t(digit - '0')]);
    return true;
}

void SimJov4::showFrequency(int hundredths)
{
    display = QByteArray("FM ") +
              QByteArray::number(hundredths / 100.0, 'f', 2).rightJustified(6, ' ') + "MHZ";
    // Some stations come in stronger than others.
    value = 110 + (hundredths / 10 * 37) % 120;
}
