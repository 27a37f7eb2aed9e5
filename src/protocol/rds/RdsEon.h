#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>

// Text of an other-network frequency code: the AF code rule of the tuned
// station's lists, so both read a code the same way.
QString EonFrequency(int code, bool lfmf);

// What 14A groups tell about one other network (ON): its PS, PTY, linkage,
// PIN, AF list and mapped frequencies. Set up afresh when the window is
// created and whenever a 14A group names another ON PI; the decoder's reset
// on a change of the tuned station leaves it alone. Texts are fixed width;
// the PS holds the raw character codes.
struct TRdsEonState
{
    static constexpr int LineWidth = 71;
    static constexpr int TunedColumn = 18; // 1-based, after " tuned frequency:"

    TRdsEonState();

    quint16 LastEonPi = 0;
    quint8 EonVariant = 0;
    QByteArray OnPs;
    quint8 OnPty = 0;
    quint8 La = 0, Eg = 0, Ils = 0;
    quint16 Lsn = 0;
    QByteArray PinDay, PinHour, PinMinute, PinAmPm;

    bool EonAfStarted = false;
    bool EonAfSameList = false;
    quint8 EonAfLastCount = 0;
    bool EonLfMf = false;
    std::array<QByteArray, 2> AfLines;
    std::array<int, 2> AfPositions{1, 1};

    bool EonMappedStarted = false;
    std::array<QByteArray, 2> MappedLines;
    int MappedPosition = 1;

    std::array<bool, 16> Seen{};
};

class TRdsEon
{
public:
    // InitRdsEon.
    void init() { m_s = TRdsEonState(); }
    // DecodeRdsEon: one 14A group's blocks B, C and D. The ON TA of variant 13
    // belongs to the decoder's basic data, so it is handed back through onTa
    // (untouched for other variants).
    void decode(quint16 b, quint16 c, quint16 d, bool* onTa);

    const TRdsEonState& state() const { return m_s; }

private:
    void afPair(quint8 c1, quint8 c2);
    void afCode(int code);
    void appendAf(int code);
    void mapped(int variant, quint16 c);
    void pin(quint16 c);

    TRdsEonState m_s;
};
