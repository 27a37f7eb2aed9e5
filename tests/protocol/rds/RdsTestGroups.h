#pragma once

#include "protocol/rack/RackData.h"

#include <QString>
#include <QStringList>
#include <vector>

// A group of a type (0 = 0A ... 31 = 15B) with the low eleven bits of block B.
inline TRdsGroupRec rdsGroup(quint16 pi, int type, quint16 lowB, quint16 c = 0, quint16 d = 0)
{
    return {pi, quint16((type << 11) | (lowB & 0x07FF)), c, d};
}

// Groups as a station capture writes them: "6204 0130 966B 594C".
inline std::vector<TRdsGroupRec> rdsGroups(const QStringList& lines)
{
    std::vector<TRdsGroupRec> out;
    for (const QString& line : lines) {
        const QStringList w = line.split(' ', Qt::SkipEmptyParts);
        out.push_back({quint16(w[0].toUInt(nullptr, 16)), quint16(w[1].toUInt(nullptr, 16)),
                       quint16(w[2].toUInt(nullptr, 16)), quint16(w[3].toUInt(nullptr, 16))});
    }
    return out;
}
