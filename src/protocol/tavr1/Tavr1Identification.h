#pragma once

#include "protocol/tavr1/Tavr1Firmware.h"

#include <QByteArray>
#include <QString>

// The unit's reply to "UI": model, serial number, firmware versions, options
// and revision letters, read at their fixed places after each marker
// ("SN(", "SW(", "OPT(", "REV(", "LAN(", "SOM("). A field the reply does not
// reach is cut short or keeps its default.
struct TTavr1Identification
{
    QString Line; // the whole reply
    QString ModelText = "Tavr-1";
    QString SerialText;      // up to 6 characters
    QString SoftwareVersion; // up to 5 characters: the first "SW(" version
    QString BootVersion;     // up to 5 characters: the second
    QString Options = "Complete";
    QString OptionLetter = "B";
    QString RevisionLetter2 = "B";
    QString RevisionLetter3 = "A";
    QString LanVersion; // up to 7 characters, option letter "B" only
    QString SomVersion; // up to 4 characters, option letter "C" only
};

TTavr1Identification ParseTavr1Identification(const QByteArray& reply);

// What the firmware check reads of an identified unit.
TTavr1FirmwareUnit Tavr1FirmwareUnitOf(const TTavr1Identification& id);
