#pragma once

#include "protocol/firmware/DldFile.h"

#include <QString>

// The Tavr1 unit's firmware check over the DLD files it is shipped with.

// The main firmware file a unit needs, by its three revision letters; empty
// for letters no file serves.
QString Tavr1MainFirmwareName(const QString& letter1, const QString& letter2,
                              const QString& letter3, bool mainAtLeast118);
// The network-module file by the first letter: XPORT.DLD for "B", SOM.DLD for
// "C", empty otherwise.
QString Tavr1NetworkFirmwareName(const QString& letter1);

// What the check reads of the unit.
struct TTavr1FirmwareUnit
{
    QString BootVersion; // the first "SW(" version
    QString MainVersion; // the second "SW(" version
    QString Letter1, Letter2, Letter3;
};

struct TTavr1FirmwareCheck
{
    // 0 when every version parsed; 1/2 unit boot (no point / not a number),
    // 3/4 unit main, 5 file missing or none for the letters, 6/7 file boot,
    // 8/9 file main, 10 a count line that is no number, 0 or above 65535.
    int Result = 0;
    bool UpToDate = false;
    bool MainAtLeast118 = false;
    bool BootNotNewer = false;
    bool MainNotNewer = false;
    int LineCount = 0;
    QString MainFileName;
};

// The silent check the login runs: is the unit's main firmware at least as new
// as the file shipped for it under dldFolder?
TTavr1FirmwareCheck CheckTavr1Firmware(const TTavr1FirmwareUnit& unit, const QString& dldFolder);
