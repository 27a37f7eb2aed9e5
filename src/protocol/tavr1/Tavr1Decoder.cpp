#include "protocol/tavr1/Tavr1Decoder.h"

#include "common/FieldHelpers.h"
#include "protocol/tavr1/Tavr1BlockLayout.h"
#include "protocol/tavr1/Tavr1CodeTable.h"

namespace {

using F = TTavr1ValueForm;

constexpr qint32 basicScaLevel = -1500; // tenths of dB: what a unit without SCA shows

void raiseFlags(TConnectionState& s, quint16 flags)
{
    for (int n = 0; n < PageRefreshCount; ++n) {
        if (flags & (1u << n))
            s.PageRefresh.raise(n);
    }
}

qint32 echoValue(F form, const std::array<quint8, 4>& e)
{
    switch (form) {
    case F::Byte:
        return e[3];
    case F::SignedByte:
        return qint8(e[3]);
    case F::Word:
        return e[2] << 8 | e[3];
    case F::SignedWord:
        return qint16(e[2] << 8 | e[3]);
    case F::Pair8:
        return e[2];
    case F::Pair16:
        return e[1] << 8 | e[2];
    }
    return 0;
}

void applyEcho(const TTavr1BlockReader& r, TTavr1Data& t, TConnectionState& s)
{
    const quint8 code = r.u8(Tavr1Offset::EchoCode);
    if (code == Tavr1NoEcho)
        return;
    std::array<quint8, 4> e{};
    for (int i = 0; i < 4; ++i)
        e[i] = r.u8(Tavr1Offset::EchoBytes + i);
    s.RxLine = Tavr1EchoLine(code, e).toLatin1();
    s.RxLineNew = true;

    // The item comes from our table, never from the wire: an unknown code or
    // a selector other than SCA#1/SCA#2 changes nothing.
    const TTavr1CodeEntry* entry = Tavr1CodeFor(code);
    if (!entry)
        return;
    const int item = Tavr1CodeItem(*entry, t.Tavr1LocalConfig, e[3]);
    if (item < 0)
        return;
    const qint32 value = echoValue(entry->form, e);
    t.Tavr1LocalConfig[item] = value;
    if (entry->mirrorItem >= 0)
        t.Tavr1LocalConfig[entry->mirrorItem] = value;
    raiseFlags(s, entry->flags);
    switch (entry->reload) {
    case rlResolution:
        t.Tavr1ReloadResolution = true;
        break;
    case rlZoom:
        t.Tavr1ReloadZoom = true;
        break;
    case rlAudioPage:
        t.Tavr1ReloadAudioPage = true;
        break;
    case rlNone:
        break;
    }
}

void decodeMeasurements(const QByteArray& block, TTavr1Data& t, TConnectionState& s)
{
    for (int k = 0; k < Tavr1RawValueCount; ++k)
        t.Tavr1RawValues[k] = Tavr1Value12(block, Tavr1Offset::Measurements, k);
    for (int k = 0; k < Tavr1HistoryValueCount; ++k)
        s.MeasurementHistory[k][1] = t.Tavr1RawValues[k];
    for (const TTavr1RawPlace& p : Tavr1RawPlaces())
        t.Tavr1Measurements[p.channel][p.slot] = t.Tavr1RawValues[p.raw];

    if (t.Tavr1Options == QLatin1String("Basic")) {
        for (int ch : {tcSca1, tcSca2}) {
            for (int slot = tsPeak; slot <= tsInjection; ++slot)
                t.Tavr1Measurements[ch][slot] = 0;
            t.Tavr1Measurements[ch][tsRmsDb] = basicScaLevel;
            t.Tavr1Measurements[ch][tsRmsDb75us] = basicScaLevel;
        }
    }
}

void decodeConfig(const TTavr1BlockReader& r, TTavr1Data& t)
{
    Tavr1ConfigRecord& u = t.Tavr1UnitConfig;
    u[0] = t.Tavr1SpectrumMode;
    for (const TTavr1ConfigField& f : Tavr1ConfigFields()) {
        const int step = f.offsetStep ? f.offsetStep : Tavr1FieldWidth(f.type);
        for (int i = 0; i < f.count; ++i) {
            const int at = f.offset + i * step;
            const int item = f.firstItem + i * f.itemStep;
            switch (f.type) {
            case TTavr1FieldType::U8:
                u[item] = r.u8(at);
                break;
            case TTavr1FieldType::S8:
                u[item] = r.s8(at);
                break;
            case TTavr1FieldType::BE16:
                u[item] = r.be16(at);
                break;
            case TTavr1FieldType::S16:
                u[item] = r.s16(at);
                break;
            case TTavr1FieldType::Real32:
                u.setReal(item, r.s32(at) / 1000.0);
                break;
            }
        }
    }
    u[3] = u[2];
}

QString radioText(const TTavr1BlockReader& r, int offset)
{
    QString s;
    for (int i = 0; i < Tavr1RdsOffset::RadioTextLength; ++i) {
        const quint8 c = r.u8(offset + i);
        if (c == '\n')
            s += QLatin1String("[LF]");
        else if (c == '\r')
            s += QLatin1String("[CR]");
        else
            s += QChar(c);
    }
    return s;
}

void decodeRds(const TTavr1BlockReader& r, TTavr1Data& t)
{
    TTavr1RdsRec& rds = t.Tavr1Rds;
    for (const TTavr1RdsText& f : Tavr1RdsTexts())
        rds.*f.field = r.text(f.offset, f.length);
    for (const TTavr1RdsNumber& f : Tavr1RdsNumbers())
        rds.*f.field = r.u8(f.offset);
    rds.RadioTextA = radioText(r, Tavr1RdsOffset::RadioTextA);
    rds.RadioTextB = QLatin1Char(' ') + radioText(r, Tavr1RdsOffset::RadioTextB);
    rds.AfList = QLatin1Char(' ') + r.text(Tavr1RdsOffset::AfList, Tavr1RdsOffset::AfListLength);
    rds.GroupsA = r.be16(Tavr1RdsOffset::GroupsA);
    rds.GroupsB = r.be16(Tavr1RdsOffset::GroupsB);
}

void decodeTable(const TTavr1BlockReader& r, TTavr1Data& t)
{
    for (int w = 0; w < Tavr1TableWords; ++w) {
        const int at = Tavr1TableOffset(w);
        if (at >= 0)
            t.Tavr1ReceivedTable[w] = r.u8(at);
    }
    if (t.Tavr1UpdateLocalTable) {
        t.Tavr1LocalTable = t.Tavr1ReceivedTable;
        t.Tavr1TableCopied = true;
    }
}

void serveReload(bool& request, TTavr1Reload reload, TTavr1Data& t, TConnectionState& s)
{
    if (!request)
        return;
    request = false;
    for (int item : Tavr1ReloadItems(reload))
        t.Tavr1LocalConfig[item] = t.Tavr1UnitConfig[item];
    s.PageRefresh.raise(prSpectrum);
}

// The copies that wait for a settings block, so that they take what the unit
// holds now.
void afterConfig(TTavr1Data& t, TConnectionState& s)
{
    // After "Reset Defaults" the unit needs a few blocks to report its new
    // settings; the fifth settings block is taken as the truth.
    if (t.Tavr1ResetDefaultsCount >= 0 && ++t.Tavr1ResetDefaultsCount > 4) {
        t.Tavr1ResetDefaultsCount = -1;
        t.Tavr1UpdateLocalConfig = true;
    }
    if (t.Tavr1UpdateLocalConfig) {
        t.Tavr1UpdateLocalConfig = false;
        t.Tavr1LocalConfig = t.Tavr1UnitConfig;
        s.PageRefresh.raiseAll();
    }
    serveReload(t.Tavr1ReloadResolution, rlResolution, t, s);
    serveReload(t.Tavr1ReloadZoom, rlZoom, t, s);
    serveReload(t.Tavr1ReloadAudioPage, rlAudioPage, t, s);
}

} // namespace

TTavr1BlockVerdict DecodeTavr1Block(const QByteArray& block, TTavr1Data& t, TConnectionState& s)
{
    if (block.size() < Tavr1BlockLength)
        return TTavr1BlockVerdict::TooShort;
    if (!block.startsWith("\xFF\xFE\xFD"))
        return TTavr1BlockVerdict::NoMarker;
    const TTavr1BlockReader r(block);
    const int tailKind = r.u8(Tavr1Offset::TailKind);
    if (tailKind != tkConfig && tailKind != tkRds && tailKind != tkTable)
        return TTavr1BlockVerdict::UnknownTail;
    s.BlockChecksums = {Tavr1BlockChecksum(block), 0};

    applyEcho(r, t, s);
    t.Tavr1SpectrumMode = r.u8(Tavr1Offset::SpectrumMode);
    t.Tavr1Leds = r.u8(Tavr1Offset::Leds);
    t.Tavr1AlarmMasks = {r.be16(Tavr1Offset::AlarmMask1), r.be16(Tavr1Offset::AlarmMask2)};
    decodeMeasurements(block, t, s);
    for (int i = 0; i < Tavr1SpectrumPoints; ++i)
        t.Tavr1Spectrum[i] = Tavr1Value12(block, Tavr1Offset::Spectrum, i);

    switch (tailKind) {
    case tkConfig:
        decodeConfig(r, t);
        afterConfig(t, s);
        break;
    case tkRds:
        decodeRds(r, t);
        break;
    case tkTable:
        decodeTable(r, t);
        break;
    default:
        break;
    }
    return TTavr1BlockVerdict::Decoded;
}

quint16 Tavr1BlockChecksum(const QByteArray& block)
{
    quint16 sum = 0;
    const int n = qMin<int>(block.size(), Tavr1BlockLength);
    for (int i = 0; i < n; ++i)
        sum = quint16(sum + quint8(block[i]));
    return sum;
}

QString Tavr1EchoLine(quint8 code, const std::array<quint8, 4>& bytes)
{
    QString line = IntField(code, 3) + '[' + ByteToHex2(code) + "]  ";
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            line += ' ';
        line += ByteToHex2(bytes[i]);
    }
    return line;
}
