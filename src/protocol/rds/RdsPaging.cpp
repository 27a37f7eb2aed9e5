#include "protocol/rds/RdsPaging.h"

using namespace RdsPagingDigits;

namespace {

constexpr int NoMessageLength = 34;

int nibble(quint16 word, int index) // 0 the highest
{
    return (word >> (12 - 4 * index)) & 0x0F;
}

bool isFirst(int v)
{
    return v == 0 || v == 1 || v == 2 || v == 4 || v == 7 || v == 8;
}

// The four nibbles of a block, highest first, as BCD digits from position at.
void putBcd(QByteArray& text, int at, quint16 word)
{
    for (int i = 0; i < 4; ++i)
        text[at + i] = bcd(nibble(word, i));
}

} // namespace

char RdsPagingDigits::bcd(int n)
{
    n &= 0x0F;
    if (n == 10)
        return ' ';
    return char('0' + n % 10);
}

char RdsPagingDigits::prefix(int n)
{
    n &= 0x0F;
    return n <= 9 ? char('0' + n) : '*';
}

char RdsPagingDigits::hex(int n)
{
    return "0123456789ABCDEF"[n & 0x0F];
}

TRdsPagingState::TRdsPagingState()
    : TenWork(10, ' ')
    , TenDone(10, ' ')
    , EighteenWork(18, ' ')
    , EighteenDone(18, ' ')
    , FifteenWork(15, ' ')
    , FifteenDone(15, ' ')
    , HexWork(7, ' ')
    , HexDone(7, ' ')
    , PrefixWork(3, ' ')
    , PrefixDone(3, ' ')
    , AlphaWork(AlphaLength, ' ')
    , AlphaDone(AlphaLength, ' ')
    , LastPagingText(1, ' ')
{}

void TRdsPaging::decodeCodes(quint16 b)
{
    m_f.PagingCodeField = (b >> 2) & 0x07;
    m_f.PagingCodeBit = b & 1;
    const bool sync = (b & 0x02) != 0;
    if (!m_f.PagingCollecting) {
        if (!sync) {
            m_f.PagingSyncSeen = false;
        } else if (!m_f.PagingSyncSeen) {
            m_f.PagingSyncSeen = true;
        } else {
            m_f.PagingIntervalBits[m_f.PagingBitIndex & 3] = b & 1;
            --m_f.PagingBitIndex;
            m_f.PagingCollecting = true;
        }
        return;
    }
    if (m_f.PagingBitIndex > 0) {
        m_f.PagingIntervalBits[m_f.PagingBitIndex & 3] = b & 1;
        --m_f.PagingBitIndex;
        return;
    }
    m_f.PagingIntervalBits[0] = b & 1;
    m_f.PagingCollecting = false;
    m_f.PagingBitIndex = 3;
    const auto& bits = m_f.PagingIntervalBits;
    m_f.PagingInterval = quint8(bits[3] * 8 + bits[2] * 4 + bits[1] * 2 + bits[0]);
}

void TRdsPaging::groupHook(quint16 b, quint16 c, quint16 d)
{
    const int v = b & 0x0F;
    m_f.PagingVariant = quint8(v);
    if (!isFirst(v))
        return;
    m_f.PagingFirstVariant = quint8(v);
    // Decimal weights on each nibble, whatever its value.
    m_f.PagingGroupCode = quint8(nibble(c, 0) * 10 + nibble(c, 1));
    m_f.PagingIndividualCode =
        quint16(nibble(c, 2) * 1000 + nibble(c, 3) * 100 + nibble(d, 0) * 10 + nibble(d, 1));
}

bool TRdsPaging::storeTest(const QByteArray& work) const
{
    return m_s.PagingChanged || !m_s.PagingRepeated || work != m_s.LastPagingText;
}

void TRdsPaging::store(const QByteArray& work, QByteArray& done, int mode)
{
    done = work;
    m_s.Received[mode] = true;
    m_s.PagingChanged = true;
    m_s.LastPagingText = done;
}

void TRdsPaging::alphaSegment(quint16 c, quint16 d)
{
    const quint8 chars[4] = {quint8(c >> 8), quint8(c & 0xFF), quint8(d >> 8), quint8(d & 0xFF)};
    const int p = m_s.AlphaPosition;
    // A message longer than the text keeps its first 80 characters; the rest
    // is dropped until the next message starts.
    for (int i = 0; i < 4; ++i) {
        const int at = p + i; // 1-based
        if (at >= 1 && at <= TRdsPagingState::AlphaLength)
            m_s.AlphaWork[at - 1] = char(chars[i]);
    }
}

void TRdsPaging::decodeMessage(quint16 b, quint16 c, quint16 d)
{
    using S = TRdsPagingState;
    const int v = b & 0x0F;
    if (isFirst(v)) {
        if (m_f.PagingGroupCode == m_s.LastGroupCode &&
            m_f.PagingIndividualCode == m_s.LastIndividualCode) {
            m_s.PagingAddressChanged = false;
            m_s.PagingChanged = false;
        } else {
            m_s.PagingAddressChanged = true;
            m_s.PagingChanged = true;
            m_s.LastGroupCode = m_f.PagingGroupCode;
            m_s.LastIndividualCode = m_f.PagingIndividualCode;
        }
        for (int i = 0; i < int(m_s.RepeatCounters.size()); ++i)
            if (i != v)
                m_s.RepeatCounters[i] = 0;
        if (v != 8)
            m_s.AlphaPosition = 0;
        m_s.Modes.fill(false);
        if (v == 8) {
            m_s.AlphaPosition = 1;
            m_s.Modes[S::Alpha] = true;
        } else {
            quint8& counter = m_s.RepeatCounters[v];
            if (counter < 255)
                ++counter;
            if (!m_s.PagingChanged && counter >= 2)
                m_s.PagingRepeated = true;
            const int mode = v == 0   ? S::NoMessage
                             : v == 1 ? S::Hex
                             : v == 2 ? S::TenDigit
                             : v == 4 ? S::EighteenDigit
                                      : S::FifteenDigit;
            m_s.Modes[mode] = true;
        }
    }
    m_s.LastPagingVariant = quint8(v);

    if (m_s.Modes[S::NoMessage]) {
        const QByteArray none(NoMessageLength, ' ');
        if (m_s.PagingChanged || !m_s.PagingRepeated || m_s.LastPagingText != none) {
            m_s.Received[S::NoMessage] = true;
            m_s.PagingChanged = true;
            m_s.LastPagingText = none;
        }
        m_s.PrefixDone = "***";
    } else if (m_s.Modes[S::TenDigit]) {
        if (v == 2) {
            m_s.TenWork[0] = bcd(nibble(d, 2));
            m_s.TenWork[1] = bcd(nibble(d, 3));
        } else if (v == 3) {
            putBcd(m_s.TenWork, 2, c);
            putBcd(m_s.TenWork, 6, d);
            if (storeTest(m_s.TenWork))
                store(m_s.TenWork, m_s.TenDone, S::TenDigit);
            m_s.PrefixDone = "***";
        }
    } else if (m_s.Modes[S::EighteenDigit]) {
        if (v == 4) {
            m_s.EighteenWork[0] = bcd(nibble(d, 2));
            m_s.EighteenWork[1] = bcd(nibble(d, 3));
        } else if (v == 5 || v == 6) {
            const int at = v == 5 ? 2 : 10;
            putBcd(m_s.EighteenWork, at, c);
            putBcd(m_s.EighteenWork, at + 4, d);
            if (v == 6) {
                if (storeTest(m_s.EighteenWork))
                    store(m_s.EighteenWork, m_s.EighteenDone, S::EighteenDigit);
                m_s.PrefixDone = "***";
            }
        }
    } else if (m_s.Modes[S::Alpha]) {
        if (v >= 9 && v <= 15) {
            alphaSegment(c, d);
            const int step = v == 15 ? 3 : 4;
            m_s.AlphaPosition = quint8(qMin(m_s.AlphaPosition + step, S::AlphaLength + 1));
            if (v == 15) {
                m_s.PrefixDone = "***";
                if (m_s.PagingAddressChanged || m_s.AlphaWork != m_s.LastPagingText)
                    store(m_s.AlphaWork, m_s.AlphaDone, S::Alpha);
            }
        }
    } else if (m_s.Modes[S::Hex] || m_s.Modes[S::FifteenDigit]) {
        const bool hexMode = m_s.Modes[S::Hex];
        const int first = hexMode ? 1 : 7;
        const int second = hexMode ? 3 : 5;
        if (v == first) {
            m_s.PrefixWork[0] = prefix(nibble(d, 2));
            m_s.PrefixWork[1] = prefix(nibble(d, 3));
        } else if (v == second) {
            m_s.PrefixWork[2] = prefix(nibble(c, 0));
            m_s.PrefixDone = m_s.PrefixWork;
            QByteArray& work = hexMode ? m_s.HexWork : m_s.FifteenWork;
            const int digits[7] = {nibble(c, 1), nibble(c, 2), nibble(c, 3), nibble(d, 0),
                                   nibble(d, 1), nibble(d, 2), nibble(d, 3)};
            for (int i = 0; i < 7; ++i)
                work[i] = hexMode ? hex(digits[i]) : bcd(digits[i]);
            if (hexMode && storeTest(m_s.HexWork))
                store(m_s.HexWork, m_s.HexDone, S::Hex);
        } else if (!hexMode && v == 6) {
            putBcd(m_s.FifteenWork, 7, c);
            putBcd(m_s.FifteenWork, 11, d);
            if (storeTest(m_s.FifteenWork))
                store(m_s.FifteenWork, m_s.FifteenDone, S::FifteenDigit);
        }
    }
}
