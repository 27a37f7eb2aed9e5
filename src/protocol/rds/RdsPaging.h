#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <array>

// The radio-paging codes of 1A/1B groups and the 7A address, kept with the
// station's basic data: a change of the tuned station clears them.
struct TRdsPagingFields
{
    quint8 PagingCodeField = 0;
    quint8 PagingCodeBit = 0;
    bool PagingSyncSeen = false;
    bool PagingCollecting = false;
    quint8 PagingBitIndex = 3;
    std::array<quint8, 4> PagingIntervalBits{};
    quint8 PagingInterval = 0;
    quint8 PagingVariant = 0;
    quint8 PagingFirstVariant = 0;
    quint8 PagingGroupCode = 0;
    quint16 PagingIndividualCode = 0;
};

// The paging messages of 7A groups. Set up with the window; a change of the
// tuned station leaves it alone. Texts hold the raw character codes of the
// groups, any byte included.
struct TRdsPagingState
{
    enum Mode
    {
        NoMessage,
        Hex,
        TenDigit,
        EighteenDigit,
        FifteenDigit,
        Alpha,
        ModeCount
    };
    static constexpr int AlphaLength = 80;

    TRdsPagingState();

    quint8 LastGroupCode = 100;
    quint16 LastIndividualCode = 10000;
    std::array<bool, ModeCount> Modes{};
    std::array<quint8, 8> RepeatCounters{}; // by variant; 0, 1, 2, 4 and 7 count
    quint8 AlphaPosition = 0;
    quint8 LastPagingVariant = 0;
    bool PagingRepeated = false;
    bool PagingChanged = false;
    bool PagingAddressChanged = false;

    QByteArray TenWork, TenDone;
    QByteArray EighteenWork, EighteenDone;
    QByteArray FifteenWork, FifteenDone;
    QByteArray HexWork, HexDone;
    QByteArray PrefixWork, PrefixDone;
    QByteArray AlphaWork, AlphaDone;
    QByteArray LastPagingText;
    std::array<bool, ModeCount> Received{};
};

class TRdsPaging
{
public:
    // InitRdsPaging: the message state back to its start.
    void init() { m_s = TRdsPagingState(); }
    void restoreState(const TRdsPagingState& s) { m_s = s; }
    // DecodeRadioPagingCodes: block B of every 1A and 1B group.
    void decodeCodes(quint16 b);
    // Every 7A group as the walk decodes it: its variant and, for a first
    // group, its address.
    void groupHook(quint16 b, quint16 c, quint16 d);
    // DecodeRdsPaging: a 7A group the walk hands over.
    void decodeMessage(quint16 b, quint16 c, quint16 d);

    const TRdsPagingFields& fields() const { return m_f; }
    const TRdsPagingState& state() const { return m_s; }

private:
    bool storeTest(const QByteArray& work) const;
    void store(const QByteArray& work, QByteArray& done, int mode);
    void alphaSegment(quint16 c, quint16 d);

    TRdsPagingFields m_f;
    TRdsPagingState m_s;
};

namespace RdsPagingDigits {
// A BCD digit: 0-9 as themselves, 10 a blank, 11-15 the last digit of the number.
char bcd(int nibble);
// A prefix digit: 0-9 as themselves, 10-15 "*".
char prefix(int nibble);
// An upper-case hex digit.
char hex(int nibble);
} // namespace RdsPagingDigits
