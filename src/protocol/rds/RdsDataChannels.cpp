#include "protocol/rds/RdsDataChannels.h"

namespace {

quint8 hexDigit(int nibble)
{
    return quint8("0123456789ABCDEF"[nibble & 0x0F]);
}

void putHex(quint8* out, quint16 word)
{
    for (int i = 0; i < 4; ++i)
        out[i] = hexDigit(word >> (12 - 4 * i));
}

} // namespace

void TRdsDataChannels::init()
{
    clear('A');
    clear('B');
}

void TRdsDataChannels::clear(char part)
{
    for (TChannel& ch : m_channels) {
        if (part == 'A') {
            ch.aText.fill('*');
            ch.aHex.fill('*');
        } else {
            ch.bText.fill('*');
            ch.bHex.fill('*');
        }
    }
    (part == 'A' ? m_aSeen : m_bSeen) = false;
}

void TRdsDataChannels::decodeA(quint16 b, quint16 c, quint16 d)
{
    clear('B');
    m_aSeen = true;
    TChannel& ch = m_channels[b & (Channels - 1)];
    ch.aText = {quint8(c >> 8), quint8(c & 0xFF), quint8(d >> 8), quint8(d & 0xFF)};
    putHex(ch.aHex.data(), c);
    putHex(ch.aHex.data() + 4, d);
}

void TRdsDataChannels::decodeB(quint16 b, quint16 d)
{
    clear('A');
    m_bSeen = true;
    TChannel& ch = m_channels[b & (Channels - 1)];
    ch.bText = {'-', '-', quint8(d >> 8), quint8(d & 0xFF)};
    ch.bHex.fill('-');
    putHex(ch.bHex.data() + 4, d);
}
