#pragma once

#include <QString>
#include <QtGlobal>

// The texts the Vren1 settings window shows beside its up-downs, each from
// the word as the unit holds it. A word no list can name gives an empty text.

// Tenths of MHz: " 99.9 MHz".
QString Vren1TuningText(qint32 word);
// Steps of 0.5 dB: "   0.0dB" .. "  31.5dB".
QString Vren1AttenuatorText(qint32 word);
// Tenths of a percent: "120.0 %".
QString Vren1PeakText(qint32 word);
// The eleven hold times, "0.25 sec" .. "5.0  sec".
QString Vren1HoldTimeText(qint32 word);
// Hours, " OFF  " for 0: "12 hr".
QString Vren1ScreenSaverText(qint32 word);
// Percent: " 50 % ".
QString Vren1VolumeText(qint32 word);
