#include "protocol/hd/HdFirmware.h"

QString Vren1MainFirmwareName(int lcdType)
{
    switch (lcdType) {
    case 1:
        return "VREN1_HAN.DLD";
    case 2:
        return "VREN1_KYO.DLD";
    default:
        return {};
    }
}

TVren1FirmwareCheck CheckVren1Firmware(const TVren1FirmwareUnit& unit, const QString& dldFolder)
{
    TVren1FirmwareCheck c;
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
    const QString name = Vren1MainFirmwareName(unit.LcdType);
    if (name.isEmpty()) {
        c.Result = 5;
        return c;
    }
    c.MainFileName = FindFileIgnoringCase(dldFolder, name);
    TDldHeader h;
    if (ReadDldHeader(c.MainFileName, &h) != TDldError::None) {
        c.Result = 6;
        return c;
    }
    c.LineCount = h.LineCount;
    c.UpToDateKnown = true;
    const auto fileBoot = ParseVersionText(h.BootVersion, &e);
    if (!fileBoot) {
        c.Result = e == TVersionError::NoPoint ? 7 : 8;
        return c;
    }
    c.BootNotNewer = *fileBoot == *unitBoot;
    const auto fileMain = ParseVersionText(h.MainVersion, &e);
    if (!fileMain) {
        c.Result = e == TVersionError::NoPoint ? 9 : 10;
        return c;
    }
    c.UpToDate = *fileMain == *unitMain;
    return c;
}

QByteArray BuildSerialRecord(int hundreds, int tens, int units)
{
    for (int d : {hundreds, tens, units}) {
        if (d < 0 || d > 9)
            return {};
    }
    const quint8 bytes[] = {0x08,         0x00,         0x20, 0x09, 0x00, quint8(hundreds),
                            quint8(tens), quint8(units)};
    QByteArray line = "S2";
    unsigned sum = 0;
    for (quint8 b : bytes) {
        line += QByteArray::number(b, 16).toUpper().rightJustified(2, '0');
        sum += b;
    }
    return line + QByteArray::number(quint8(~sum), 16).toUpper().rightJustified(2, '0');
}
