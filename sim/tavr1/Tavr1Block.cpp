#include "sim/tavr1/Tavr1Block.h"

#include "protocol/tavr1/Tavr1BlockLayout.h"
#include "protocol/tavr1/Tavr1CodeTable.h"

#include <QDate>
#include <cmath>
#include <cstring>

namespace {

void put8(QByteArray& b, int at, int v)
{
    b[at] = char(v & 0xFF);
}

void put16(QByteArray& b, int at, int v)
{
    put8(b, at, v >> 8);
    put8(b, at + 1, v);
}

void put32(QByteArray& b, int at, qint64 v)
{
    put16(b, at, int(v >> 16));
    put16(b, at + 2, int(v));
}

void putText(QByteArray& b, int at, int len, const QByteArray& text)
{
    for (int i = 0; i < len; ++i)
        b[at + i] = i < text.size() ? text[i] : ' ';
}

void putConfig(QByteArray& b, const Tavr1ConfigRecord& c)
{
    for (const TTavr1ConfigField& f : Tavr1ConfigFields()) {
        const int step = f.offsetStep ? f.offsetStep : Tavr1FieldWidth(f.type);
        for (int i = 0; i < f.count; ++i) {
            const int at = f.offset + i * step;
            const int item = f.firstItem + i * f.itemStep;
            switch (f.type) {
            case TTavr1FieldType::U8:
            case TTavr1FieldType::S8:
                put8(b, at, c[item]);
                break;
            case TTavr1FieldType::BE16:
            case TTavr1FieldType::S16:
                put16(b, at, c[item]);
                break;
            case TTavr1FieldType::Real32:
                put32(b, at, std::llround(c.real(item) * 1000));
                break;
            }
        }
    }
}

void putRds(QByteArray& b, const Tavr1RdsFields& r)
{
    const struct
    {
        int at, len;
        const QByteArray& text;
    } texts[] = {
        {1251, 4, r.piHex},   {1255, 4, r.piCall},      {1262, 8, r.ps},
        {1270, 8, r.time},    {1278, 8, r.date},        {1286, 2, r.diNumber},
        {1288, 9, r.diText},  {1297, 2, r.ptyNumber},   {1299, 8, r.ptyText},
        {1307, 8, r.ptyn},    {1316, 64, r.radioTextA}, {1380, 64, r.radioTextB},
        {1445, 48, r.afList},
    };
    for (const auto& t : texts)
        putText(b, t.at, t.len, t.text);
    put8(b, 1259, r.tp);
    put8(b, 1260, r.ta);
    put8(b, 1261, r.musicSpeech);
    put8(b, 1315, r.radioTextAB);
    put8(b, 1444, r.afCount);
    put16(b, 1493, r.groupsA);
    put16(b, 1495, r.groupsB);
}

bool isUpperHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

int hexAt(const QByteArray& s, int at, int digits)
{
    return s.mid(at, digits).toInt(nullptr, 16);
}

} // namespace

QByteArray buildTavr1Block(const Tavr1BlockFields& f)
{
    QByteArray b(Tavr1BlockLength, '\0');
    b[0] = char(0xFF);
    b[1] = char(0xFE);
    b[2] = char(0xFD);
    put8(b, Tavr1Offset::EchoCode, f.echoCode);
    for (int i = 0; i < 4; ++i)
        put8(b, Tavr1Offset::EchoBytes + i, f.echo[i]);
    put8(b, Tavr1Offset::SpectrumMode, f.spectrumMode);
    put8(b, Tavr1Offset::Leds, f.leds);
    put16(b, Tavr1Offset::AlarmMask1, f.alarmMasks[0]);
    put16(b, Tavr1Offset::AlarmMask2, f.alarmMasks[1]);
    for (int k = 0; k < int(f.raw.size()); ++k)
        setTavr1Value12(b, Tavr1Offset::Measurements, k, f.raw[k]);
    for (int k = 0; k < int(f.spectrum.size()); ++k)
        setTavr1Value12(b, Tavr1Offset::Spectrum, k, f.spectrum[k]);

    switch (f.tailKind) {
    case tkConfig:
        putConfig(b, f.config);
        break;
    case tkRds:
        putRds(b, f.rds);
        break;
    case tkTable:
        for (int w = 0; w < Tavr1TableWords; ++w) {
            const int at = Tavr1TableOffset(w);
            if (at >= 0)
                put8(b, at, f.table[w]);
        }
        break;
    default:
        break;
    }
    put8(b, Tavr1Offset::TailKind, f.tailKind);
    return b;
}

QByteArray buildTavr1Block(const Tavr1BlockFields& fields, const QDateTime& stamp)
{
    return buildTavr1Block(fields) + tavr1TimeStamp(stamp);
}

QByteArray tavr1TimeStamp(const QDateTime& t)
{
    const QDateTime local = t.toLocalTime();
    const double days = double(QDate(1899, 12, 30).daysTo(local.date())) +
                        local.time().msecsSinceStartOfDay() / 86400000.0;
    quint64 bits = 0;
    std::memcpy(&bits, &days, sizeof bits);
    QByteArray out(8, '\0');
    for (int i = 0; i < 8; ++i)
        out[i] = char((bits >> (8 * i)) & 0xFF);
    return out;
}

std::optional<Tavr1SetLine> parseTavr1SetLine(const QByteArray& line)
{
    // "CC", two code digits, the value digits, the checksum digits, "\r".
    if (line.size() < 7 || !line.startsWith("CC") || !line.endsWith('\r'))
        return std::nullopt;
    const QByteArray body = line.left(line.size() - 1);
    for (int i = 2; i < body.size(); ++i) {
        if (!isUpperHex(body[i]))
            return std::nullopt;
    }
    Tavr1SetLine parsed;
    parsed.code = hexAt(body, 2, 2);
    const TTavr1CodeEntry* entry = Tavr1CodeFor(parsed.code);
    const int valueDigits = !entry ? 0 : isTavr1Wide(entry->form) ? 4 : 2;
    const int selectorDigits = entry && isTavr1Pair(entry->form) ? 2 : 0;
    if (body.size() != 4 + valueDigits + selectorDigits + 2)
        return std::nullopt;

    quint8 sum = 0;
    for (int i = 0; i < body.size() - 2; ++i)
        sum = quint8(sum + quint8(body[i]));
    if (hexAt(body, body.size() - 2, 2) != sum)
        return std::nullopt;

    if (valueDigits)
        parsed.value = quint16(hexAt(body, 4, valueDigits));
    if (selectorDigits) {
        parsed.selector = hexAt(body, 4 + valueDigits, 2);
        if (parsed.selector > 1)
            return std::nullopt;
    }
    return parsed;
}

Tavr1Echo tavr1EchoFor(const Tavr1SetLine& line)
{
    Tavr1Echo echo;
    const TTavr1CodeEntry* entry = Tavr1CodeFor(line.code);
    if (!entry)
        return echo;
    echo.code = quint8(line.code);
    const quint8 high = quint8(line.value >> 8);
    const quint8 low = quint8(line.value);
    switch (entry->form) {
    case TTavr1ValueForm::Byte:
    case TTavr1ValueForm::SignedByte:
        echo.bytes = {0, 0, 0, low};
        break;
    case TTavr1ValueForm::Word:
    case TTavr1ValueForm::SignedWord:
        echo.bytes = {0, 0, high, low};
        break;
    case TTavr1ValueForm::Pair8:
        echo.bytes = {0, 0, low, quint8(line.selector)};
        break;
    case TTavr1ValueForm::Pair16:
        echo.bytes = {0, high, low, quint8(line.selector)};
        break;
    }
    return echo;
}
