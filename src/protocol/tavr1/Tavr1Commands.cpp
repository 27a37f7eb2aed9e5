#include "protocol/tavr1/Tavr1Commands.h"

#include "common/FieldHelpers.h"
#include "protocol/tavr1/Tavr1CodeTable.h"

namespace {

// The line with its checksum, the low byte of the sum of every character
// before it, and the carriage return.
QByteArray sealed(QByteArray line)
{
    quint8 sum = 0;
    for (char c : line)
        sum = quint8(sum + quint8(c));
    line += ByteToHex2(sum).toLatin1();
    line += '\r';
    return line;
}

QByteArray hex2(int value)
{
    return ByteToHex2(quint8(value & 0xFF)).toLatin1();
}

bool fitsCode(int code)
{
    return code >= 0 && code <= 255;
}

bool post(TTavr1Data& t, qint32 kind, int code, quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    if (t.Tavr1Command.Pending)
        return false;
    t.Tavr1Command.Kind = kind;
    t.Tavr1Command.Code = code;
    t.Tavr1Command.b0 = b0;
    t.Tavr1Command.b1 = b1;
    t.Tavr1Command.b2 = b2;
    t.Tavr1Command.b3 = b3;
    t.Tavr1Command.Text.clear();
    t.Tavr1Command.Pending = true;
    return true;
}

} // namespace

QByteArray BuildTavr1Line(TTavr1Line line)
{
    switch (line) {
    case TTavr1Line::CarriageReturn:
        return "\r";
    case TTavr1Line::EF:
        return "EF\r";
    case TTavr1Line::SD:
        return "SD\r";
    case TTavr1Line::SC:
        return "SC\r";
    case TTavr1Line::EC:
        return "EC\r";
    case TTavr1Line::HD:
        return "HD\r";
    case TTavr1Line::DE:
        return "DE\r";
    case TTavr1Line::UI:
        return "UI\r";
    case TTavr1Line::UL:
        return "UL\r";
    case TTavr1Line::SO:
        return "SO\r";
    case TTavr1Line::SU:
        return "SU\r";
    case TTavr1Line::UC:
        return "UC\r";
    }
    return {};
}

QByteArray BuildTavr1SetLine(int code, quint8 b3, const Tavr1ConfigRecord& local)
{
    if (!fitsCode(code))
        return {};
    QByteArray line = "CC" + hex2(code);
    if (const TTavr1CodeEntry* entry = Tavr1CodeFor(code)) {
        const int item = Tavr1CodeItem(*entry, local, b3);
        if (item < 0)
            return {};
        const qint32 value = local[item];
        if (isTavr1Wide(entry->form))
            line += hex2(value >> 8) + hex2(value);
        else
            line += hex2(value);
        if (isTavr1Pair(entry->form))
            line += hex2(b3);
    }
    return sealed(line);
}

QByteArray BuildTavr1ActionLine(int code)
{
    if (!fitsCode(code))
        return {};
    return sealed("PB" + hex2(code));
}

bool PostTavr1SetParameter(TTavr1Data& t, int code, quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    if (!fitsCode(code))
        return false;
    const TTavr1CodeEntry* entry = Tavr1CodeFor(code);
    if (entry && isTavr1Pair(entry->form) && b3 > 1)
        return false;
    return post(t, ckSetParameter, code, b0, b1, b2, b3);
}

bool PostTavr1Action(TTavr1Data& t, int code, quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    if (!fitsCode(code))
        return false;
    return post(t, ckAction, code, b0, b1, b2, b3);
}

QByteArray TakeTavr1CommandLine(TTavr1Data& t, TConnectionState& s)
{
    TTavr1CommandRec& c = t.Tavr1Command;
    if (!c.Pending)
        return {};
    c.Pending = false;
    QByteArray line;
    switch (c.Kind) {
    case ckSetParameter:
        line = BuildTavr1SetLine(c.Code, c.b3, t.Tavr1LocalConfig);
        break;
    case ckAction:
        line = BuildTavr1ActionLine(c.Code);
        break;
    case ckRawLine:
        line = c.Text;
        break;
    default:
        break;
    }
    if (line.isEmpty())
        return {};
    s.TxLine = line;
    s.TxLineNew = true;
    if (c.Kind == ckAction && c.Code == Tavr1ResetDefaultsAction)
        t.Tavr1ResetDefaultsCount = 0;
    return line;
}
