#include "protocol/tavr1/Tavr1Firmware.h"

#include <QDir>
#include <QFile>
#include <QLocale>

QString Tavr1MainFirmwareName(const QString& l1, const QString& l2, const QString& l3,
                              bool mainAtLeast118)
{
    const QString letters = l1 + l2 + l3;
    if (letters == "BBA")
        return mainAtLeast118 ? "TAVR1_B.DLD" : "TAVR1_1.DLD";
    if (letters == "BBB")
        return "TAVR1_BBB.DLD";
    if (letters == "CBB")
        return "TAVR1_CBB.DLD";
    return {};
}

QString Tavr1NetworkFirmwareName(const QString& letter1)
{
    if (letter1 == "B")
        return "XPORT.DLD";
    if (letter1 == "C")
        return "SOM.DLD";
    return {};
}

TTavr1FirmwareCheck CheckTavr1Firmware(const TTavr1FirmwareUnit& unit, const QString& dldFolder)
{
    TTavr1FirmwareCheck c; // up to date only when this check says so
    TVersionError e;
    const auto unitBoot = ParseVersionText(unit.BootVersion, &e);
    if (!unitBoot) {
        c.Result = e == TVersionError::NoPoint ? 1 : 2;
        return c;
    }
    const auto unitMain = ParseVersionText(unit.MainVersion, &e);
    if (!unitMain) {
        c.Result = e == TVersionError::NoPoint ? 3 : 4;
        return c;
    }
    c.MainAtLeast118 = *unitMain >= 1.18;
    const QString name =
        Tavr1MainFirmwareName(unit.Letter1, unit.Letter2, unit.Letter3, c.MainAtLeast118);
    if (name.isEmpty()) {
        c.Result = 5;
        return c;
    }
    c.MainFileName = FindFileIgnoringCase(dldFolder, name);
    TDldHeader h;
    switch (ReadDldHeader(c.MainFileName, &h)) {
    case TDldError::NotFound:
        c.Result = 5;
        return c;
    case TDldError::BadCount:
    case TDldError::TooLarge:
    case TDldError::BadRecord:
    case TDldError::TooManyLines:
        c.Result = 10;
        return c;
    case TDldError::None:
        break;
    }
    c.LineCount = h.LineCount;
    const auto fileBoot = ParseVersionText(h.BootVersion, &e);
    if (!fileBoot) {
        c.Result = e == TVersionError::NoPoint ? 6 : 7;
        return c;
    }
    c.BootNotNewer = !(*fileBoot > *unitBoot);
    const auto fileMain = ParseVersionText(h.MainVersion, &e);
    if (!fileMain) {
        c.Result = e == TVersionError::NoPoint ? 8 : 9;
        return c;
    }
    c.MainNotNewer = !(*fileMain > *unitMain);
    // A unit already newer than the file shipped for it needs no update.
    c.UpToDate = *fileMain <= *unitMain;
    return c;
}
