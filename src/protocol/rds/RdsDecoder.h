#pragma once

#include "protocol/rack/RackData.h"
#include "protocol/rds/RdsAltFreq.h"
#include "protocol/rds/RdsBasicData.h"
#include "protocol/rds/RdsDataChannels.h"
#include "protocol/rds/RdsEon.h"
#include "protocol/rds/RdsPaging.h"

#include <QtGlobal>
#include <array>

// The whole decoder state of one RDS window and its group walk. Each window
// owns one, so two connections decode their own stations and opening one
// window never resets another. It takes the groups by value and knows no
// frame, widget or clock; device bytes stay raw here and become text only in
// the page model.
class TRdsDecoder
{
public:
    static constexpr int GroupsPerBatch = RackLayout::RdsGroupCount;
    static constexpr int EmptyEntriesToReset = 6;
    static constexpr int RadioTextLength = 64;

    // Window creation: the set-ups of every decoder unit, then reset().
    void setUp();
    // Clears what the station sent; the mode stays.
    void reset();
    // 0 RBDS (call letters, RBDS PTY names), 1 RDS.
    void setMode(int mode) { m_mode = mode == 1 ? 1 : 0; }
    int mode() const { return m_mode; }

    // One batch of the frame's groups, in order.
    void walk(std::array<TRdsGroupRec, GroupsPerBatch> groups);
    // One entry. An entry whose block A is 0 is empty: counted, never decoded.
    void feed(const TRdsGroupRec& g);

    // ---- Read-only state --------------------------------------------------
    quint16 pi() const { return m_pi; }
    bool tp() const { return m_tp; }
    int pty() const { return m_pty; }
    int lastType() const { return m_lastType; }
    quint32 seenTypes() const { return m_seen; }
    bool seen(int type) const { return type >= 0 && type < 32 && (m_seen & (1u << type)); }
    const TRdsGroupRec& lastGroup(int type) const { return m_last[type & 0x1F]; }
    int emptyCount() const { return m_empty; }
    bool resetPending() const { return m_resetPending; }
    int handOffs() const { return m_handOffs; }
    // Entries fed since setUp(), empty ones included (kept through resets).
    qint64 entriesFed() const { return m_fed; }

    bool ta() const { return m_ta; }
    bool music() const { return m_music; }
    int di() const { return m_di; }
    const std::array<quint8, 8>& ps() const { return m_ps; }
    const std::array<quint8, 8>& ps15() const { return m_ps15; }
    const std::array<quint8, 8>& ptyn() const { return m_ptyn; }
    // 0: 2A flag 0, 1: 2A flag 1, 2: 2B flag 0, 3: 2B flag 1.
    const std::array<quint8, RadioTextLength>& radioText(int line) const { return m_rt[line & 3]; }
    int ecc() const { return m_ecc; }
    int pinDay() const { return m_pinDay; }
    int pinHour() const { return m_pinHour; }
    int pinMinute() const { return m_pinMinute; }
    const Rds::TRdsClock& clock() const { return m_clock; }
    const std::array<quint8, 8>& city() const { return m_city; }
    int stateCode() const { return m_stateHigh * 8 + m_stateLow; }
    const TRdsAltFreq& altFreq() const { return m_af; }

    // The other network of the last 14A/14B group.
    bool eonTp() const { return m_eonTp; }
    bool eonTa() const { return m_eonTa; }
    quint16 eonPi() const { return m_eonPi; }

    // Transparent data (5A/5B) and in-house data (6A/6B).
    const TRdsDataChannels& tdc() const { return m_tdc; }
    const TRdsDataChannels& inHouse() const { return m_inHouse; }
    // The other network of the 14A groups; survives reset().
    const TRdsEonState& eon() const { return m_eon.state(); }
    // Radio paging: the codes of 1A/1B and the 7A address are cleared by
    // reset(); the messages survive it.
    const TRdsPagingFields& pagingFields() const { return m_paging.fields(); }
    const TRdsPagingState& paging() const { return m_paging.state(); }

private:
    void decode(int type, const TRdsGroupRec& g);
    void basics(quint16 bits);
    static void putWord(std::array<quint8, 8>& text, int at, quint16 word);

    // The places of the paging, EON, transparent-data and in-house decoders.
    static void dataChannels(TRdsDataChannels& store, int type, const TRdsGroupRec& g);
    void handOff(int type, quint16 b, quint16 c, quint16 d);

    int m_mode = 0;
    qint64 m_fed = 0;

    quint16 m_pi = 0;
    bool m_tp = false;
    int m_pty = 0;
    int m_lastType = -1;
    quint32 m_seen = 0;
    std::array<TRdsGroupRec, 32> m_last{};
    int m_empty = 0;
    bool m_resetPending = true;
    int m_handOffs = 0;

    bool m_ta = false;
    bool m_music = false;
    int m_di = 0;
    std::array<quint8, 8> m_ps{};
    std::array<quint8, 8> m_ps15{};
    std::array<quint8, 8> m_ptyn{};
    std::array<std::array<quint8, RadioTextLength>, 4> m_rt{};
    int m_ecc = 0;
    int m_pinDay = 0, m_pinHour = 0, m_pinMinute = 0;
    Rds::TRdsClock m_clock;
    std::array<quint8, 8> m_city{};
    int m_stateHigh = 0, m_stateLow = 0;
    TRdsAltFreq m_af;

    bool m_eonTp = false, m_eonTa = false;
    quint16 m_eonPi = 0;

    TRdsDataChannels m_tdc;
    TRdsDataChannels m_inHouse;
    TRdsEon m_eon;
    TRdsPaging m_paging;
};
