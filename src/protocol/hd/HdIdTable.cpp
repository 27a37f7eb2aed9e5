#include "protocol/hd/HdIdTable.h"

#include "protocol/hd/HdBlockLayout.h"

namespace {

constexpr quint16 flag(int n)
{
    return quint16(1u << n);
}
constexpr quint16 Tune = flag(prTuning), Spectrum = flag(prSpectrum), Set = flag(prSettings),
                  Alarm = flag(prAlarms), Bar = flag(prHdBarScale),
                  TaDisp = flag(prHdTimeAlignDisplay), TaSet = flag(prHdTimeAlignSettings);

// Word rows: first is the word of firstId, the later ids follow word by word
// unless listed one by one.
const THdIdRow rows[] = {
    {15, 15, THdIdSource::Word, 2, 4, quint16(Tune | Set)},
    {16, 16, THdIdSource::Word, 4, 2, quint16(Tune | Spectrum | Set)},
    {17, 17, THdIdSource::Word, 179, 2, Set},
    {18, 18, THdIdSource::Word, 8, 2, Set},
    {19, 19, THdIdSource::WordByInput, 5, 2, quint16(Tune | Set)}, // 5 or 6
    {20, 20, THdIdSource::Word, 7, 2, Set},
    {21, 21, THdIdSource::Word, 9, 2, Set},
    {22, 22, THdIdSource::Word, 10, 4, Set},
    {23, 23, THdIdSource::Word, 11, 2, Set},
    {24, 24, THdIdSource::Word, 12, 2, Spectrum},
    {25, 25, THdIdSource::Word, 13, 2, Spectrum},
    {26, 26, THdIdSource::Word, 14, 2, Spectrum},
    {27, 27, THdIdSource::Word, 16, 2, Spectrum},
    {28, 28, THdIdSource::Word, 15, 4, Spectrum},
    {29, 29, THdIdSource::Word, 17, 4, Spectrum},
    {30, 30, THdIdSource::Word, 20, 4, Spectrum},
    {31, 33, THdIdSource::Word, 22, 2, Spectrum},
    {34, 34, THdIdSource::WordByInput, 25, 4, Spectrum}, // 26 or 25
    {35, 37, THdIdSource::Word, 27, 2, Spectrum},
    {38, 39, THdIdSource::Word, 30, 4, Spectrum},
    {40, 40, THdIdSource::Word, 32, 2, Spectrum},
    {71, 87, THdIdSource::Word, 76, 2, Set},
    {88, 92, THdIdSource::Word, 71, 2, Set},
    {93, 96, THdIdSource::UnitRecord, 1, 2, 0},
    // 101..169: the alarms, id - 8 = word; threshold and time 4 digits, action 2.
    {170, 170, THdIdSource::BarScale, 168, 2, Bar},
    {171, 171, THdIdSource::Word, 177, 2, TaDisp},
    {172, 172, THdIdSource::Word, 178, 2, Set},
    {190, 197, THdIdSource::EmailGroup, 0, 2, 0},
    {198, 198, THdIdSource::TaCurrent, 7, 2, TaDisp},
    {199, 199, THdIdSource::TaField, 0, 2, quint16(TaDisp | TaSet)},
    {200, 200, THdIdSource::TaField, 1, 2, TaSet},
    {201, 201, THdIdSource::TaField, 2, 4, TaSet},
    {202, 202, THdIdSource::TaField, 3, 4, TaSet},
    {203, 204, THdIdSource::TaField, 4, 2, TaSet},
    {205, 205, THdIdSource::TaField, 6, 4, TaSet},
    {206, 206, THdIdSource::TaField, 8, 2, TaSet},
    {209, 218, THdIdSource::TaField, 11, 2, TaSet},
    {219, 219, THdIdSource::ScanWord, 0, 2, 0},
    {220, 225, THdIdSource::ScanWord, 1, 4, 0},
    {226, 231, THdIdSource::ScanWord, 7, 2, 0},
    {232, 233, THdIdSource::Selector, 0, 2, 0},
};

THdIdRow alarmRow(int id)
{
    // Threshold, time, action of alarm n at ids 98 + 3n, 99 + 3n, 100 + 3n.
    const bool action = (id - 101) % 3 == 2;
    return {id, id, THdIdSource::Word, id - 8, action ? 2 : 4, Alarm};
}

} // namespace

const THdIdRow* HdIdRowFor(int id)
{
    if (id >= 101 && id <= 169) {
        static THdIdRow alarms[69];
        static const bool filled = [] {
            for (int i = 0; i < 69; ++i)
                alarms[i] = alarmRow(101 + i);
            return true;
        }();
        (void)filled;
        return &alarms[id - 101];
    }
    for (const THdIdRow& r : rows)
        if (id >= r.firstId && id <= r.lastId)
            return &r;
    return nullptr;
}

int HdIdDigits(int id)
{
    const THdIdRow* r = HdIdRowFor(id);
    return r ? r->digits : 0;
}

qint32* HdIdItem(THdData& d, int id, int selector)
{
    const THdIdRow* r = HdIdRowFor(id);
    if (!r)
        return nullptr;
    const int step = id - r->firstId;
    HdConfigRecord& c = d.HdLocalConfig;
    switch (r->source) {
    case THdIdSource::Word:
        return &c[r->first + step];
    case THdIdSource::WordByInput:
        if (id == 19)
            return &c[c[4] != 0 ? 5 : 6];
        return &c[c[4] != 0 ? 26 : 25];
    case THdIdSource::UnitRecord:
        return &d.HdLocalUnitRecord[size_t(r->first + step)];
    case THdIdSource::BarScale:
        if (selector < 0 || selector > 8)
            return nullptr;
        return &c[r->first + selector];
    case THdIdSource::EmailGroup:
        return &d.HdEmailSettings.GroupWord[size_t(step)];
    case THdIdSource::TaCurrent:
        return d.TimeAlignConfigs.field(r->first, d.TimeAlignConfigs.CurrentConfig - 1);
    case THdIdSource::TaField:
        return d.TimeAlignConfigs.field(r->first + step, selector - 1);
    case THdIdSource::ScanWord:
        return d.TimeAlignConfigs.scanWord(r->first + step);
    case THdIdSource::Selector:
        return nullptr;
    }
    return nullptr;
}

qint32 HdIdValue(int id, quint32 bits)
{
    if (id == 24)
        return qint8(bits & 0xFF);
    if (HdIdDigits(id) == 4)
        return THdBlockReader::signed16(bits);
    return qint32(bits & 0xFF);
}

void HdRaiseRefresh(int id, TPageRefreshFlags& flags)
{
    if (id == 514) {
        flags.raise(prTuning);
        flags.raise(prHdProgramSelect);
        return;
    }
    if (id >= 517 && id <= 520) {
        if (id == 517)
            flags.raise(prTuning);
        flags.raise(prHdProgramSelect);
        return;
    }
    const THdIdRow* r = HdIdRowFor(id);
    if (!r)
        return;
    for (int n = 0; n < PageRefreshCount; ++n)
        if (r->refresh & (1u << n))
            flags.raise(n);
}
