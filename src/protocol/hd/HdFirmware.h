#pragma once

#include "protocol/firmware/DldFile.h"

#include <QString>

// The Vren1 unit's firmware check over the DLD files shipped for it.

// The main firmware file for a display type: 1 HANTRONIX, 2 KYOCERA; empty for
// any other.
QString Vren1MainFirmwareName(int lcdType);

struct TVren1FirmwareUnit
{
    QString BootVersion; // the first "SW(" version
    QString MainVersion; // the second
    int LcdType = 0;
};

struct TVren1FirmwareCheck
{
    // 0 when every version parsed; 1/2 unit boot (no point / not a number),
    // 3/4 unit main, 5 a display type no file serves, 6 the file cannot be
    // opened or its count line is unusable, 7/8 file boot, 9/10 file main.
    int Result = 0;
    // Whether the check reached the file (results 0 and 7..10): only then does
    // UpToDate say anything; before that the caller keeps its flag.
    bool UpToDateKnown = false;
    // The file's main version equals the unit's (equality, not "not newer").
    bool UpToDate = false;
    bool BootNotNewer = false;
    int LineCount = 0;
    QString MainFileName;
};

// The silent check the HD login runs. The file is closed again once its
// header is read.
TVren1FirmwareCheck CheckVren1Firmware(const TVren1FirmwareUnit& unit, const QString& dldFolder);

// The extra record the HD sender sends after the last data line: an S2 record
// to address 002009 whose data are 00 and the unit's three serial digits
// (hundreds, tens, units), each 0..9. Empty for a digit out of range.
QByteArray BuildSerialRecord(int hundreds, int tens, int units);
