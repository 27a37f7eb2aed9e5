#include "protocol/rds/RdsDecoder.h"

using namespace Rds;

void TRdsDecoder::setUp()
{
    m_fed = 0;
    m_paging.init();
    m_tdc.init();
    m_inHouse.init();
    m_eon.init();
    reset();
}

void TRdsDecoder::reset()
{
    const int mode = m_mode;
    const qint64 fed = m_fed;
    // The other network's data and the paging messages outlive a change of
    // the tuned station; the data channels and paging codes do not.
    const TRdsEon eon = m_eon;
    const TRdsPagingState paging = m_paging.state();
    *this = TRdsDecoder();
    m_mode = mode;
    m_fed = fed;
    m_eon = eon;
    m_paging.restoreState(paging);
    m_ps.fill(' ');
    m_ps15.fill(' ');
    m_ptyn.fill(' ');
    for (auto& line : m_rt)
        line.fill(' ');
    m_city.fill(' ');
    m_resetPending = true;
}

void TRdsDecoder::walk(std::array<TRdsGroupRec, GroupsPerBatch> groups)
{
    for (const TRdsGroupRec& g : groups)
        feed(g);
}

void TRdsDecoder::feed(const TRdsGroupRec& g)
{
    ++m_fed;
    if (g.A == 0) {
        // A module blanks a group it could not read; a run of them means the
        // station is gone.
        if (++m_empty >= EmptyEntriesToReset)
            reset();
        return;
    }
    m_empty = 0;
    if (m_pi != 0 && g.A != m_pi) {
        reset(); // another station: this group is not decoded
        return;
    }
    m_pi = g.A;
    m_tp = TrafficProgram(g.B);
    m_pty = ProgramType(g.B);
    const int type = GroupType(g.B);
    m_lastType = type;
    m_seen |= 1u << type;
    m_last[type] = g;
    decode(type, g);

    if (m_resetPending)
        m_resetPending = false;
    else if (type == gt7A || type == gt14A)
        handOff(type, g.B, g.C, g.D);
}

void TRdsDecoder::handOff(int type, quint16 b, quint16 c, quint16 d)
{
    ++m_handOffs;
    if (type == gt7A)
        m_paging.decodeMessage(b, c, d);
    else
        m_eon.decode(b, c, d, &m_eonTa);
}

void TRdsDecoder::dataChannels(TRdsDataChannels& store, int type, const TRdsGroupRec& g)
{
    if (type & 1)
        store.decodeB(g.B, g.D);
    else
        store.decodeA(g.B, g.C, g.D);
}

void TRdsDecoder::putWord(std::array<quint8, 8>& text, int at, quint16 word)
{
    text[at] = quint8(word >> 8);
    text[at + 1] = quint8(word & 0xFF);
}

void TRdsDecoder::basics(quint16 bits)
{
    m_ta = (bits & 0x10) != 0;
    m_music = (bits & 0x08) != 0;
    const int address = bits & 0x03;
    const int bit = 3 - address; // address 0 carries d3, 3 carries d0
    if (bits & 0x04)
        m_di |= 1 << bit;
    else
        m_di &= ~(1 << bit);
}

void TRdsDecoder::decode(int type, const TRdsGroupRec& g)
{
    switch (type) {
    case gt0A:
    case gt0B:
        basics(g.B);
        if (type == gt0A)
            m_af.pair(quint8(g.C >> 8), quint8(g.C & 0xFF));
        putWord(m_ps, 2 * (g.B & 0x03), g.D);
        break;
    case gt1A:
    case gt1B:
        m_paging.decodeCodes(g.B);
        // Variant 0 carries the ECC in the low byte; the bits above it hold
        // paging and the linkage actuator.
        if (type == gt1A && (g.C & 0x7000) == 0)
            m_ecc = g.C & 0xFF;
        m_pinDay = g.D >> 11;
        m_pinHour = (g.D >> 6) & 0x1F;
        m_pinMinute = g.D & 0x3F;
        break;
    case gt2A: {
        const int line = (g.B & 0x10) ? 1 : 0;
        const int at = 4 * (g.B & 0x0F);
        m_rt[line][at] = quint8(g.C >> 8);
        m_rt[line][at + 1] = quint8(g.C & 0xFF);
        m_rt[line][at + 2] = quint8(g.D >> 8);
        m_rt[line][at + 3] = quint8(g.D & 0xFF);
        m_rt[2].fill(' ');
        m_rt[3].fill(' ');
        break;
    }
    case gt2B: {
        const int line = (g.B & 0x10) ? 3 : 2;
        const int at = 2 * (g.B & 0x0F);
        m_rt[line][at] = quint8(g.D >> 8);
        m_rt[line][at + 1] = quint8(g.D & 0xFF);
        m_rt[0].fill(' ');
        m_rt[1].fill(' ');
        break;
    }
    case gt3A:
        if (g.B & 0x10)
            break;
        if (g.B & 0x08) {
            putWord(m_city, 4, g.C);
            putWord(m_city, 6, g.D);
            m_stateLow = g.B & 0x07;
        } else {
            putWord(m_city, 0, g.C);
            putWord(m_city, 2, g.D);
            m_stateHigh = g.B & 0x07;
        }
        break;
    case gt4A:
        m_clock = ClockFromGroup(g.B, g.C, g.D);
        break;
    case gt5A:
    case gt5B:
        dataChannels(m_tdc, type, g);
        break;
    case gt6A:
    case gt6B:
        dataChannels(m_inHouse, type, g);
        break;
    case gt7A:
        m_paging.groupHook(g.B, g.C, g.D);
        break;
    case gt10A: {
        const int at = (g.B & 0x01) * 4;
        putWord(m_ptyn, at, g.C);
        putWord(m_ptyn, at + 2, g.D);
        break;
    }
    case gt14A:
    case gt14B:
        m_eonTp = (g.B & 0x10) != 0;
        if (type == gt14B)
            m_eonTa = (g.B & 0x08) != 0;
        m_eonPi = g.D;
        break;
    case gt15A: {
        m_ta = (g.B & 0x10) != 0;
        const int at = (g.B & 0x01) * 4;
        putWord(m_ps15, at, g.C);
        putWord(m_ps15, at + 2, g.D);
        break;
    }
    case gt15B:
        basics(g.B);
        basics(g.D);
        break;
    default:
        break;
    }
}
