#include "protocol/hd/HdData.h"

#include <cstring>

// The two words carry the eight bytes of the real, so the record stays a plain
// array of int32 that windows index by number and copy as a whole.
double HdConfigRecord::real(int firstItem) const
{
    if (firstItem != HdZoomWord)
        return 0.0;
    double value = 0.0;
    static_assert(sizeof value == 2 * sizeof(qint32));
    std::memcpy(&value, &items[firstItem], sizeof value);
    return value;
}

void HdConfigRecord::setReal(int firstItem, double value)
{
    if (firstItem != HdZoomWord)
        return;
    std::memcpy(&items[firstItem], &value, sizeof value);
}

qint32* TTimeAlignConfigTable::field(int f, int c)
{
    if (c < 0 || c >= HdTaConfigCount)
        return nullptr;
    Six* fields[21] = {&Mode,       &DelayCenterS, &DelayCenterMs, &DelayCenterUs, &Rate,
                       &Ramp,       &Offset,       &Field7,        &Device,        nullptr,
                       nullptr,     &IpOctet1,     &IpOctet2,      &IpOctet3,      &IpOctet4,
                       &PortDigit1, &PortDigit2,   &PortDigit3,    &PortDigit4,    &PortDigit5,
                       &Connect};
    if (f < 0 || f > 20 || !fields[f])
        return nullptr;
    return &(*fields[f])[size_t(c)];
}

qint32* TTimeAlignConfigTable::scanWord(int w)
{
    if (w == 0)
        return &ScanMode;
    if (w >= 1 && w <= 6)
        return &ScanFreq[size_t(w - 1)];
    if (w >= 7 && w <= 12)
        return &ScanTime[size_t(w - 7)];
    return nullptr;
}

QString* THdEmailSettings::stringFor(int id)
{
    if (id >= 1024 && id <= 1031)
        return &Address[size_t(id - 1024)];
    if (id == 1032)
        return &ProxyIp;
    if (id == 1033)
        return &ProxyPort;
    if (id >= 1034 && id <= 1037)
        return &Subject[size_t(id - 1034)];
    return nullptr;
}

void THdData::ResetDataObjects()
{
    XhdrData.ResetXhdr();
    ComrData.ResetComr();
    SigData.ResetSig();
    AEData.ResetAEData();
    AEEventList.ClearEvents();
    AEObject.ResetAEObject();
    AEStream.reset();
    SigSum = 0;
}
