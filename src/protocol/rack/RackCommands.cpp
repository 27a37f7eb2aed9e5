#include "protocol/rack/RackCommands.h"

#include "common/FieldHelpers.h"

#include <initializer_list>

namespace {

constexpr char Term = char(0xFE);

bool rawOk(int b)
{
    return b >= 0 && b <= 0xFD;
}

// opcode, raw argument bytes, FE; empty when a raw byte is out of range.
QByteArray cmd(char opcode, std::initializer_list<int> raw, const QByteArray& tail = {})
{
    QByteArray out(1, opcode);
    for (int b : raw) {
        if (!rawOk(b))
            return {};
        out += char(b);
    }
    out += tail;
    out += Term;
    return out;
}

QByteArray hex2(int v)
{
    return ByteToHex2(quint8(v & 0xFF)).toLatin1();
}

QByteArray hex4(int v)
{
    return hex2(v >> 8) + hex2(v);
}

QByteArray showItem(char opcode, int n, int last)
{
    return (n < 0 || n > last) ? QByteArray() : cmd(opcode, {n});
}

// Values travel as hexadecimal digits of their low byte or bytes, which can
// never be mistaken for a terminator or a poll.
QByteArray setValue2(char opcode, std::initializer_list<int> raw, int v)
{
    return cmd(opcode, raw, hex2(v));
}

QByteArray setValue4(char opcode, std::initializer_list<int> raw, int v)
{
    return cmd(opcode, raw, hex4(v));
}

} // namespace

QByteArray RackAttention() { return cmd(0x03, {}); }
QByteArray RackStartData() { return cmd(0x04, {}); }
QByteArray RackLoginRequest() { return cmd(0x01, {}); }
QByteArray RackEndConnection() { return cmd(0x02, {}); }
QByteArray RackDownloadStart(int count)
{
    return (count < 0 || count > 0xFFFF) ? QByteArray() : cmd(0x05, {}, hex4(count));
}
QByteArray RackTerminator() { return QByteArray(1, Term); }
QByteArray RackIdentify() { return cmd(0x07, {}); }
QByteArray RackPasswordChange() { return cmd(0x06, {}); }
QByteArray RackPoll() { return QByteArray(1, char(0xFF)); }

QByteArray Kelb1PanelOpenCmd() { return cmd(0x1C, {}); }
QByteArray Kelb1ShowItemCmd(int n) { return cmd(0x18, {n}); }
QByteArray Kelb1SelectPageCmd(int k) { return cmd(0x19, {k}); }
QByteArray Kelb1SetValueCmd(int e, int v) { return setValue4('P', {e}, v); }
QByteArray Lyn1RdsStreamCmd(int on) { return cmd(0x08, {on}); }

QByteArray Nuva1PanelOpenCmd() { return cmd(0x1D, {}); }
QByteArray Nuva1ShowItemCmd(int n) { return showItem(0x14, n, 49); }
QByteArray Nuva1SelectPageCmd(int k) { return cmd(0x1A, {k}); }
QByteArray Nuva1SetValueCmd(int e, int v) { return setValue2('L', {e}, v); }

QByteArray Lyn1PanelOpenCmd() { return cmd(0x1E, {}); }
QByteArray Lyn1ShowItemCmd(int n) { return showItem(0x17, n, 19); }
QByteArray Lyn1SelectPageCmd(int k) { return cmd(0x1B, {k}); }
QByteArray Lyn1SetValueCmd(int e, int v) { return setValue2('Q', {e}, v); }

QByteArray Varn1PanelOpenCmd(int u) { return cmd('!', {u}); }
QByteArray Varn1ShowItemCmd(int u, int n) { return cmd(0x1F, {u, n}); }
QByteArray Varn1SelectPageCmd(int u, int k) { return cmd(0x20, {u, k}); }
QByteArray Varn1SetValueCmd(int u, int e, int v) { return setValue2('R', {u, e}, v); }

QByteArray Jov4PresetCmd(char k)
{
    return (k < '0' || k > '9') ? QByteArray() : cmd('C', {}, QByteArray(1, k));
}

QByteArray Jov4FrequencyCmd(const QByteArray& t)
{
    if (t.size() < 5)
        return {};
    const QByteArray digits = t.left(5);
    for (char c : digits) {
        if (static_cast<unsigned char>(c) >= 0xFE)
            return {};
    }
    return cmd('D', {}, digits);
}

QByteArray Gry230PanelOpenCmd() { return cmd(0x1D, {}); }
QByteArray Gry230ShowItemCmd(int n) { return showItem(0x14, n, 49); }
QByteArray Gry230SelectPageCmd(int k) { return cmd(0x1A, {k}); }
QByteArray Gry230SetValueCmd(int e, int v) { return setValue2('L', {e}, v); }

QByteArray Gry250PanelOpenCmd() { return cmd(0x1E, {}); }
QByteArray Gry250ShowItemCmd(int n) { return showItem(0x17, n, 49); }
QByteArray Gry250SelectPageCmd(int k) { return cmd(0x1B, {k}); }
QByteArray Gry250SetValueCmd(int e, int v) { return setValue2('Q', {e}, v); }

QByteArray Pelo1PanelOpenCmd() { return cmd(0x1C, {}); }
QByteArray Pelo1ShowItemCmd(int n) { return showItem(0x18, n, 49); }
QByteArray Pelo1SelectPageCmd(int k) { return cmd(0x19, {k}); }
QByteArray Pelo1SetValueCmd(int e, int v) { return setValue2('P', {e}, v); }

QByteArray Pelo2PanelOpenCmd() { return cmd(0x1C, {}); }
QByteArray Pelo2ShowItemCmd(int n) { return showItem(0x18, n, 52); }
QByteArray Pelo2SelectPageCmd(int k) { return cmd(0x19, {k}); }
QByteArray Pelo2SetValueCmd(int e, int v) { return setValue4('P', {e}, v); }
