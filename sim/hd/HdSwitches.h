#pragma once

#include <QStringList>

class HdSim;

// The command-line switches that set what the simulated HD unit's blocks
// report, so a person can bring a window into a state without a real unit:
//   --ta-status STATE,DELAY   time-alignment state (0..255) and the device
//                             delay in microseconds (signed 32-bit)
//   --apply-states A1,..,A6   apply state of configurations 1..6 (0..255 each)
//   --alarm-masks FIRST,SECOND  the alarm-mask words (0..0xFFFFFF each)
// Numbers are decimal or 0x-hexadecimal. Returns how many arguments the switch
// at args[i] took (0 when args[i] is none of these, -1 when it is malformed;
// the unit is then left as it was).
int TakeHdStatusSwitch(HdSim& sim, const QStringList& args, int i);
