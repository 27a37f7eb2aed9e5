#include "protocol/hd/HdRequests.h"

#include "protocol/hd/HdBlockLayout.h"
#include "protocol/hd/HdIdTable.h"

#include <cctype>

namespace {

QByteArray hex2(quint32 v)
{
    return QByteArray::number(v & 0xFF, 16).toUpper().rightJustified(2, '0');
}

QByteArray hex4(quint32 v)
{
    return hex2(v >> 8) + hex2(v);
}

quint8 sumOf(const QByteArray& body)
{
    quint8 sum = 0;
    for (char c : body)
        sum = quint8(sum + quint8(c));
    return sum;
}

QByteArray withSum(const QByteArray& body)
{
    return body + hex2(sumOf(body)) + "\r";
}

void queue(THdData& d, qint32 kind, int id, quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    d.RequestDraft = TRequestRec{};
    d.RequestDraft.Pending = true;
    d.RequestDraft.Kind = kind;
    d.RequestDraft.Id = id;
    d.RequestDraft.Value = {b0, b1, b2, b3};
    AppendRequest(d);
}

bool isProgramSelect(int id)
{
    return id >= 517 && id <= 520;
}

bool actionTakesByte(int id)
{
    switch (id) {
    case 517:
    case 518:
    case 519:
    case 520:
    case 524:
    case 525:
    case 530:
    case 534:
    case 538:
        return true;
    default:
        return false;
    }
}

QString* stringOf(THdData& d, int id)
{
    if (QString* s = d.HdEmailSettings.stringFor(id))
        return s;
    if (id >= 1040 && id <= 1045)
        return &d.TimeAlignConfigs.User[size_t(id - 1040)];
    if (id >= 1046 && id <= 1051)
        return &d.TimeAlignConfigs.Password[size_t(id - 1046)];
    return nullptr;
}

THdRequestLine setParameterLine(const TRequestRec& r, THdData& d)
{
    const int id = r.Id;
    const quint8 b3 = r.Value[3];
    QByteArray arg;
    const THdIdRow* row = HdIdRowFor(id);
    if (row) {
        switch (row->source) {
        case THdIdSource::BarScale:
            if (b3 > 8)
                return {{},
                        QString(" HD request %1 dropped: source %2 out of range ").arg(id).arg(b3)};
            arg = hex2(quint32(*HdIdItem(d, id, b3))) + hex2(b3);
            break;
        case THdIdSource::TaCurrent:
            if (!HdIdItem(d, id, 0))
                return {{},
                        QString(" HD request %1 dropped: configuration %2 out of range ")
                            .arg(id)
                            .arg(d.TimeAlignConfigs.CurrentConfig)};
            arg = hex2(quint32(*HdIdItem(d, id, 0)));
            break;
        case THdIdSource::TaField: {
            const qint32* item = HdIdItem(d, id, b3);
            if (!item)
                return {{},
                        QString(" HD request %1 dropped: configuration %2 out of range ")
                            .arg(id)
                            .arg(b3)};
            const quint32 v = quint32(*item);
            arg = "I" + hex2(quint32(b3 - 1)) + (row->digits == 4 ? hex4(v) : hex2(v));
            break;
        }
        case THdIdSource::Selector:
            arg = hex2(b3);
            break;
        default: {
            const quint32 v = quint32(*HdIdItem(d, id, b3));
            arg = row->digits == 4 ? hex4(v) : hex2(v);
            break;
        }
        }
    }
    return {withSum("CC" + hex4(quint32(id)) + arg), {}};
}

} // namespace

// ---- Queue ------------------------------------------------------------------

void QueueSetParameter(THdData& d, int id, quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    queue(d, rqSetParameter, id, b0, b1, b2, b3);
}
void QueueAction(THdData& d, int id, quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    queue(d, rqAction, id, b0, b1, b2, b3);
}
void QueueStringParameter(THdData& d, int id, quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    queue(d, rqStringParameter, id, b0, b1, b2, b3);
}
void QueueHistoryRequest(THdData& d, int id, quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    queue(d, rqHistory, id, b0, b1, b2, b3);
}
void QueueDiagnosticRequest(THdData& d, int id, quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    queue(d, rqDiagnostic, id, b0, b1, b2, b3);
}
void QueueRawLine(THdData& d, const QByteArray& text)
{
    d.RequestDraft = TRequestRec{};
    d.RequestDraft.Pending = true;
    d.RequestDraft.Kind = rqRawLine;
    d.RequestDraft.Text = text;
    AppendRequest(d);
}

void AppendRequest(THdData& d)
{
    const int slot = qBound(0, d.RequestCount, HdRequestSlots - 1);
    d.RequestQueue[size_t(slot)] = d.RequestDraft;
    d.RequestCount = qMin(slot + 1, HdRequestSlots - 1);
}

TRequestRec PopRequest(THdData& d)
{
    if (d.RequestCount == 0 && !d.RequestQueue[0].Pending)
        return {};
    const TRequestRec taken = d.RequestQueue[0];
    int moves = 0;
    while (moves < HdRequestSlots - 1 && d.RequestQueue[size_t(moves + 1)].Pending) {
        d.RequestQueue[size_t(moves)] = d.RequestQueue[size_t(moves + 1)];
        ++moves;
    }
    // Slot `moves` is the one after the last moved; with no move that is slot
    // 0 itself, so a lone request is sent once, not for ever.
    d.RequestQueue[size_t(moves)] = TRequestRec{};
    d.RequestCount = moves;
    return taken;
}

void ResetRequestQueue(THdData& d)
{
    d.RequestCount = 0;
    d.RequestQueue.fill(TRequestRec{});
}

// ---- Lines ------------------------------------------------------------------

QByteArray BuildHdLine(THdLine line)
{
    switch (line) {
    case THdLine::CarriageReturn:
        return "\r";
    case THdLine::EF:
        return "EF\r";
    case THdLine::SD:
        return "SD\r";
    case THdLine::SC:
        return "SC\r";
    case THdLine::EC:
        return "EC\r";
    case THdLine::HD:
        return "HD\r";
    case THdLine::PG:
        return "PG\r";
    case THdLine::UI:
        return "UI\r";
    case THdLine::UL:
        return "UL\r";
    case THdLine::DE:
        return "DE\r";
    }
    return {};
}

QByteArray BuildHdPageLine(quint16 n)
{
    return "PG" + hex4(n) + "\r";
}

QByteArray HdSafeText(const QString& text, int maxLength)
{
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() < 0x20)
            continue;
        out += c.unicode() < 0x100 ? char(c.unicode()) : '?';
        if (maxLength >= 0 && out.size() >= maxLength)
            break;
    }
    return out;
}

int HdStringLimit(int id)
{
    if (id >= 1024 && id <= 1031)
        return 41;
    if (id == 1032)
        return 15;
    if (id == 1033)
        return 5;
    if (id >= 1034 && id <= 1037)
        return 31;
    if (id >= 1040 && id <= 1051)
        return 12;
    return 0;
}

THdRequestLine BuildHdRequestLine(const TRequestRec& r, THdData& d)
{
    switch (r.Kind) {
    case rqSetParameter:
        return setParameterLine(r, d);
    case rqAction:
        if (r.Id == 512) {
            d.HdReloadConfigNext = true;
            d.HdReloadTimeAlignNext = true;
            d.HdUpdateEmail = true;
            d.UpdateLocalTables = true;
        }
        return {withSum("PB" + hex4(quint32(r.Id)) +
                        (actionTakesByte(r.Id) ? hex2(r.Value[3]) : QByteArray())),
                {}};
    case rqStringParameter: {
        const QString* s = stringOf(d, r.Id);
        return {withSum("PS" + hex4(quint32(r.Id)) +
                        (s ? HdSafeText(*s, HdStringLimit(r.Id)) : QByteArray())),
                {}};
    }
    case rqHistory:
        return {withSum("SH" + hex2(r.Value[3])), {}};
    case rqDiagnostic:
        return {withSum("DD" + hex2(r.Value[3])), {}};
    case rqRawLine:
        return {r.Text, {}};
    default:
        return {};
    }
}

// ---- Echo -------------------------------------------------------------------

QByteArray HdEchoText(quint16 id, const std::array<quint8, 4>& v)
{
    return QByteArray::number(id).rightJustified(5, ' ') + "[" + hex4(id) + "]  " + hex2(v[0]) +
           " " + hex2(v[1]) + " " + hex2(v[2]) + " " + hex2(v[3]);
}

namespace {

// Stores an accepted set-parameter value; selector as HdIdItem takes it.
void storeSetting(THdData& d, TConnectionState& s, int id, quint32 bits, int selector)
{
    qint32* item = HdIdItem(d, id, selector);
    if (!item)
        return;
    *item = HdIdValue(id, bits);
    HdRaiseRefresh(id, s.PageRefresh);
    if (id == 29)
        d.HdReloadConfigNext = true;
}

void storeProgramSelect(THdData& d, TConnectionState& s, int id, quint32 program)
{
    // The unit echoes the program less one; the words hold it as one bit.
    if (program > 7)
        return;
    d.HdLocalConfig[162 + (id - 517)] = qint32(1u << program);
    HdRaiseRefresh(id, s.PageRefresh);
}

bool isHex(const QByteArray& text, qsizetype from, qsizetype count)
{
    if (from < 0 || from + count > text.size())
        return false;
    for (qsizetype i = from; i < from + count; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

quint32 hexValue(const QByteArray& text, qsizetype from, qsizetype count)
{
    return text.mid(from, count).toUInt(nullptr, 16);
}

} // namespace

void ApplyHdBlockEcho(THdData& d, TConnectionState& s, quint16 id, const std::array<quint8, 4>& e)
{
    if (id == HdNoEcho)
        return;
    s.RxLine = HdEchoText(id, e);
    s.RxLineNew = true;
    const quint32 e23 = quint32(e[2]) << 8 | e[3];
    if (isProgramSelect(id)) {
        storeProgramSelect(d, s, id, e[3]);
    } else if (id == 514) {
        HdRaiseRefresh(id, s.PageRefresh);
    } else if (id >= 1040 && id <= 1051) {
        d.HdReloadTimeAlignNext = true;
    } else if (id == 170) {
        storeSetting(d, s, id, e[2], e[3]);
    } else if (id >= 199 && id <= 218) {
        storeSetting(d, s, id, e23, e[1] + 1);
    } else {
        storeSetting(d, s, id, HdIdDigits(id) == 4 ? e23 : e[3], 0);
    }
}

bool ParseEchoLine(const QByteArray& line, THdData& d, TConnectionState& s)
{
    const qsizetype n = line.size();
    if (n < 8 || !isHex(line, 2, 4) || !isHex(line, n - 2, 2))
        return false;
    if (sumOf(line.left(n - 2)) != hexValue(line, n - 2, 2))
        return false;
    const QByteArray kind = line.left(2);
    const int id = int(hexValue(line, 2, 4));
    if (kind == "PS") {
        const QString text = QString::fromLatin1(line.mid(6, n - 8));
        if (QString* target = d.HdEmailSettings.stringFor(id)) {
            *target = text;
            s.PageRefresh.raise(prHdEmail);
            return true;
        }
        if (id >= 1040 && id <= 1051) {
            d.HdReloadTimeAlignNext = true;
            return true;
        }
        return false;
    }
    if (kind != "CC" && kind != "PB")
        return false;
    quint32 value = 0;
    if (n == 17) {
        // Four bytes, read big-endian; the items hold at most 16 bits.
        if (!isHex(line, 6, 8))
            return false;
        value = hexValue(line, 6, 8) & 0xFFFF;
    } else if (n == 8 || n == 10 || n == 12 || n == 14) {
        if (!isHex(line, 6, n - 8))
            return false;
        value = n == 8 ? 0 : hexValue(line, 6, n - 8);
    } else {
        return false;
    }
    if (kind == "PB") {
        if (isProgramSelect(id)) {
            storeProgramSelect(d, s, id, value);
            return true;
        }
        return false;
    }
    if (id == 170) {
        // Scale, then the source.
        storeSetting(d, s, id, (value >> 8) & 0xFF, int(value & 0xFF));
        return true;
    }
    storeSetting(d, s, id, value, 0);
    return true;
}
