#pragma once

#include <QStringList>

// The sources a Tavr1 output channel can carry, in the unit's numbering: the
// settings window offers them and the unit-configuration report names them.
inline const QStringList& Tavr1OutputSources()
{
    static const QStringList l = {" Mute",   " Left  ", " Left(*)",  " Right ",    " Right(*)",
                                  " L+R ",   " L+R(*)", " L-R",      " L-R(*)",    " SCA #1",
                                  " SCA #2", " Pilot",  "Test 0 dB", "Test -3 dB", "Test -6 dB"};
    return l;
}
