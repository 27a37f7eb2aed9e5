#pragma once

#include <QByteArray>

// The lines a Bry1 unit understands, each ended by CR.
QByteArray Bry1StartData(); // "D1": start (or restart) the blocks
QByteArray Bry1Page2();     // "D2": the next block, page by page
QByteArray Bry1Page3();     // "D3"
QByteArray Bry1Page4();     // "D4"
QByteArray Bry1StopData();  // "D0": stop the blocks
QByteArray Bry1Identify();  // "T": the unit's name
QByteArray Bry1Versions();  // "U": the unit's software versions

// Lines of the unit's firmware programming, which no window of this program
// offers; kept so the unit's command set is complete in one place.
QByteArray Bry1Return(); // CR alone
QByteArray Bry1Zero();   // "Z"
QByteArray Bry1Reset();  // "R"
QByteArray Bry1Load();   // "L"

// The page request for the page the unit offers next: 0 "D2", 1 "D3", any
// other "D4".
QByteArray Bry1PageRequest(int pageNext);
// The page digit of that request ('2', '3' or '4').
char Bry1PageDigit(int pageNext);
