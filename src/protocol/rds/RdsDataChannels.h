#pragma once

#include <QtGlobal>
#include <array>

// The 32 channels of transparent data (5A/5B groups) or in-house data (6A/6B
// groups). The two kinds are read alike; the decoder keeps one store of each.
// A station sends either version A or version B of a kind at a time, so a
// group of one version clears what the other version left. Texts hold the raw
// character codes of the groups, any byte included.
class TRdsDataChannels
{
public:
    static constexpr int Channels = 32;

    struct TChannel
    {
        std::array<quint8, 4> aText{};
        std::array<quint8, 8> aHex{};
        std::array<quint8, 4> bText{};
        std::array<quint8, 8> bHex{};
    };

    TRdsDataChannels() { init(); }

    // Both parts cleared.
    void init();
    // part 'A' or 'B': every channel's text of that part back to "****", hex
    // text to "********", the part's seen flag to 0.
    void clear(char part);
    // Channel B bits 0-4; four characters from C and D.
    void decodeA(quint16 b, quint16 c, quint16 d);
    // Channel B bits 0-4; two characters from D.
    void decodeB(quint16 b, quint16 d);

    const TChannel& channel(int n) const { return m_channels[n & (Channels - 1)]; }
    bool aSeen() const { return m_aSeen; }
    bool bSeen() const { return m_bSeen; }

private:
    std::array<TChannel, Channels> m_channels{};
    bool m_aSeen = false;
    bool m_bSeen = false;
};
