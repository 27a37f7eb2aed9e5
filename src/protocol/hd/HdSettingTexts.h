#pragma once

#include <QString>
#include <QStringList>

// Texts of the Vren1 settings that more than one window names: the settings
// window offers them and the unit-configuration report shows them.

// The sources an output channel can carry, in the unit's numbering.
constexpr int Vren1OutputSourceCount = 58;

inline const QStringList& Vren1OutputSources()
{
    static const QStringList l = [] {
        QStringList s{" Mute"};
        const char* const parts[] = {"  L", "  R", "  L+R", "  L-R"};
        for (const char* p : parts)
            s << QString("ANL") + p;
        for (int hd = 1; hd <= 8; ++hd) {
            for (const char* p : parts)
                s << QString("HD%1").arg(hd) + p;
        }
        for (int d = 1; d <= 4; ++d) {
            for (const char* p : parts)
                s << QString(" D%1").arg(d) + p;
        }
        s << "TST  0 dB" << "TST -3 dB" << "TST -6 dB" << " TA ANL " << " TA HD  ";
        return s;
    }();
    return l;
}

// The meter hold times, in seconds, without their unit.
inline const QStringList& Vren1HoldTimeTexts()
{
    static const QStringList l = {"0.25", "0.5 ", "1.0 ", "1.5 ", "2.0 ", "2.5 ",
                                  "3.0 ", "3.5 ", "4.0 ", "4.5 ", "5.0 "};
    return l;
}
