#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

// The alternative-frequency lists a station sends in block C of its 0A
// groups, two codes a pair. Method A sends one list (a count code with the
// first frequency, then pairs of frequencies); method B sends, for each tuned
// frequency, pairs that hold that frequency and one alternative.

// One frequency code 1..204 and whether code 250 made it LF/MF. FM: 87.5 +
// 0.1 x code MHz (" 87.9", " 100.0"); LF/MF: 10 x code + 370 kHz (" 530",
// " 1500"). Widths 5/6 and 4/5 with the leading blank.
QString AfFrequencyText(int code, bool lfmf);

class TRdsAltFreq
{
public:
    static constexpr int LineWidth = 72;
    static constexpr int MaxListEntries = 25; // the largest count code announces 25
    static constexpr int MethodBLists = 4;

    struct TList
    {
        int tuned = 0;  // the tuned frequency of a method-B list (code | 0x100 for LF/MF)
        int count = -1; // as announced; -1 none yet
        int size = 0;
        std::array<quint16, MaxListEntries> entries{};
        bool contains(int f) const;
        void add(int f, int limit);
    };

    void reset();
    // One block C of a 0A group.
    void pair(quint8 c1, quint8 c2);

    // 'C' before a decision, 'A' or 'B'.
    char method() const { return m_method; }
    // The list on display: method A's list, or method B's first list.
    const TList& shownList() const;
    const TList& methodAList() const { return m_a; }
    const TList& methodBList(int i) const { return m_b[i]; }
    // "**" before a decision, else the announced count (halved for method B),
    // two digits.
    QString countText() const;
    // The shown list's texts, line 1 filled first; each line exactly 72
    // characters, a frequency that fits neither line is left out.
    std::array<QString, 2> lines() const;

private:
    void decide(int f1, int f2);
    TList* listFor(int tuned);

    char m_method = 'C';
    bool m_lfmf = false;    // code 250 seen: the next frequency code is LF/MF
    bool m_pending = false; // a count pair came; the next frequency pair decides
    int m_count = 0;        // of the last count pair
    int m_tuned = 0;        // the frequency that came with it, 0 none
    TList m_a;
    std::array<TList, MethodBLists> m_b{};
    int m_bCurrent = -1;
};
