#include "protocol/rds/RdsAltFreq.h"

#include "common/FieldHelpers.h"

namespace {

constexpr int LfMfFlag = 0x100;
constexpr int Filler = 205;
constexpr int CountFirst = 224;
constexpr int CountLast = 249;
constexpr int LfMfFollows = 250;

bool isFrequency(int code)
{
    return code >= 1 && code <= 204;
}
bool isCount(int code)
{
    return code >= CountFirst && code <= CountLast;
}

QString entryText(int f)
{
    return AfFrequencyText(f & 0xFF, (f & LfMfFlag) != 0);
}

} // namespace

QString AfFrequencyText(int code, bool lfmf)
{
    if (lfmf) {
        const int khz = 10 * code + 370;
        return IntField(khz, khz < 1000 ? 4 : 5);
    }
    const int tenths = 875 + code; // in 0.1 MHz
    return RealField(tenths < 1000 ? 5 : 6, 1, tenths / 10.0);
}

bool TRdsAltFreq::TList::contains(int f) const
{
    for (int i = 0; i < size; ++i)
        if (entries[i] == f)
            return true;
    return false;
}

void TRdsAltFreq::TList::add(int f, int limit)
{
    // A list holds no frequency twice and never more than its station announced.
    if (f == 0 || contains(f) || size >= qMin(limit, MaxListEntries))
        return;
    entries[size++] = quint16(f);
}

void TRdsAltFreq::reset()
{
    *this = TRdsAltFreq();
}

void TRdsAltFreq::pair(quint8 c1, quint8 c2)
{
    // The codes as frequencies (0 where a code is none); 250 marks the next
    // frequency code LF/MF, also across pairs.
    int f[2] = {0, 0};
    const int codes[2] = {c1, c2};
    for (int i = 0; i < 2; ++i) {
        const int code = codes[i];
        if (code == LfMfFollows) {
            m_lfmf = true;
        } else if (isFrequency(code)) {
            f[i] = code | (m_lfmf ? LfMfFlag : 0);
            m_lfmf = false;
        } else if (code != Filler && code != 0) {
            m_lfmf = false;
        }
    }

    if (isCount(c1)) {
        // A count with its first frequency starts a list and a new decision.
        m_count = c1 - CountFirst;
        m_tuned = f[1];
        m_pending = true;
        if (m_count <= 1) {
            // Nothing can follow: a complete method-A list at once.
            m_pending = false;
            m_method = 'A';
            if (m_a.count != m_count)
                m_a = TList{};
            m_a.count = m_count;
            m_a.add(m_tuned, m_count);
        }
        return;
    }
    if (!f[0] && !f[1])
        return;
    if (m_pending) {
        m_pending = false;
        decide(f[0], f[1]);
    }
    if (m_method == 'A') {
        m_a.add(f[0], m_a.count);
        m_a.add(f[1], m_a.count);
    } else if (m_method == 'B' && m_bCurrent >= 0) {
        TList& l = m_b[m_bCurrent];
        if (f[0] == l.tuned && f[1] != l.tuned)
            l.add(f[1], l.count / 2);
        else if (f[1] == l.tuned && f[0] != l.tuned)
            l.add(f[0], l.count / 2);
    }
}

void TRdsAltFreq::decide(int f1, int f2)
{
    if (m_tuned && (f1 == m_tuned || f2 == m_tuned)) {
        m_method = 'B';
        TList* l = listFor(m_tuned);
        m_bCurrent = l ? int(l - m_b.data()) : -1;
        if (l && l->count != m_count) {
            *l = TList{};
            l->tuned = m_tuned;
            l->count = m_count;
        }
        return;
    }
    m_method = 'A';
    if (m_a.count != m_count)
        m_a = TList{};
    m_a.count = m_count;
    m_a.add(m_tuned, m_count);
}

TRdsAltFreq::TList* TRdsAltFreq::listFor(int tuned)
{
    for (TList& l : m_b)
        if (l.count >= 0 && l.tuned == tuned)
            return &l;
    for (TList& l : m_b)
        if (l.count < 0) {
            l.tuned = tuned;
            return &l;
        }
    return nullptr; // a fifth tuned frequency has no list
}

const TRdsAltFreq::TList& TRdsAltFreq::shownList() const
{
    return m_method == 'B' ? m_b[0] : m_a;
}

QString TRdsAltFreq::countText() const
{
    if (m_method == 'C')
        return QStringLiteral("**");
    const TList& l = shownList();
    const int n = l.count < 0 ? 0 : (m_method == 'B' ? l.count / 2 : l.count);
    return ZeroPadInt(n, 2);
}

std::array<QString, 2> TRdsAltFreq::lines() const
{
    std::array<QString, 2> out;
    if (m_method != 'C') {
        const TList& l = shownList();
        for (int i = 0; i < l.size; ++i) {
            const QString t = entryText(l.entries[i]);
            if (out[0].size() + t.size() <= LineWidth)
                out[0] += t;
            else if (out[1].size() + t.size() <= LineWidth)
                out[1] += t;
        }
    }
    for (QString& line : out)
        line = line.leftJustified(LineWidth, QChar(' '));
    return out;
}
