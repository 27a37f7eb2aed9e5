#include "protocol/tavr1/Tavr1BlockLayout.h"

namespace {

using T = TTavr1FieldType;

constexpr TTavr1RawPlace rawPlaces[] = {
    {0, tcRfLevel, tsPeak},
    {1, tcRfLevel, tsRmsDb},
    {2, tcAmNoise, tsRmsDb},
    {3, tcSyncAmNoise, tsRmsDb},
    // Peak, average, minimum of the five audio channels.
    {4, tcTotal, tsPeak},
    {5, tcTotal, tsAverage},
    {6, tcTotal, tsMinimum},
    {7, tcLeft, tsPeak},
    {8, tcLeft, tsAverage},
    {9, tcLeft, tsMinimum},
    {10, tcRight, tsPeak},
    {11, tcRight, tsAverage},
    {12, tcRight, tsMinimum},
    {13, tcLPlusR, tsPeak},
    {14, tcLPlusR, tsAverage},
    {15, tcLPlusR, tsMinimum},
    {16, tcLMinusR, tsPeak},
    {17, tcLMinusR, tsAverage},
    {18, tcLMinusR, tsMinimum},
    {19, tcPilot, tsInjection},
    {20, tcPilot, tsPeak},
    // 21 carries nothing.
    // Levels in dB, plain and with de-emphasis.
    {22, tcTotal, tsRmsDb},
    {23, tcTotal, tsRmsDb75us},
    {24, tcLeft, tsRmsDb},
    {25, tcLeft, tsRmsDb75us},
    {26, tcRight, tsRmsDb},
    {27, tcRight, tsRmsDb75us},
    {28, tcLPlusR, tsRmsDb},
    {29, tcLPlusR, tsRmsDb75us},
    {30, tcLMinusR, tsRmsDb},
    {31, tcLMinusR, tsRmsDb75us},
    {32, tcPilot, tsRmsDb},
    {33, tc38kHz, tsRmsDb},
    {34, tcSeparation, tsRmsDb},
    {35, tcCrosstalk, tsRmsDb},
    {36, tcSca1, tsPeak},
    {37, tcSca1, tsAverage},
    {38, tcSca1, tsMinimum},
    {39, tcSca2, tsPeak},
    {40, tcSca2, tsAverage},
    {41, tcSca2, tsMinimum},
    {42, tcSca1, tsInjection},
    {43, tcSca2, tsInjection},
    {44, tcRds, tsInjection},
    {45, tcRds, tsSpare},
    {46, tcSca1, tsRmsDb},
    {46, tcSca2, tsRmsDb},
    {47, tcSca1, tsRmsDb75us},
    {47, tcSca2, tsRmsDb75us},
};

const TTavr1ConfigField configFields[] = {
    {1252, T::BE16, 1},
    {1255, T::BE16, 2}, // tuning; item 3 is its copy
    {1257, T::U8, 4, 3},
    {1260, T::U8, 8, 3},
    {1263, T::BE16, 11},
    {1265, T::U8, 12},
    // RF spectrum page.
    {1266, T::S8, 13},
    {1267, T::U8, 14, 2},
    {1269, T::S16, 16},
    {1271, T::U8, 17},
    {1272, T::S16, 18},
    {1274, T::Real32, 20},
    {1278, T::BE16, 22},
    {1280, T::S16, 23},
    {1282, T::U8, 24, 3},
    {1285, T::S16, 27},
    {1287, T::U8, 28, 4},
    // Composite spectrum page.
    {1291, T::S8, 32},
    {1292, T::U8, 33, 2},
    {1294, T::S16, 35},
    {1296, T::U8, 36},
    {1297, T::S16, 37},
    {1299, T::Real32, 38},
    {1303, T::BE16, 40},
    {1305, T::S16, 41},
    {1307, T::U8, 42, 3},
    {1310, T::S16, 45},
    {1312, T::U8, 46, 3},
    // Audio spectrum page.
    {1315, T::S8, 49},
    {1316, T::U8, 50, 2},
    {1318, T::S16, 52},
    {1320, T::U8, 53},
    {1321, T::S16, 54},
    {1323, T::Real32, 56},
    {1327, T::U8, 58, 3},
    {1330, T::S16, 61},
    {1332, T::U8, 62, 3},
    {1335, T::S16, 65},
    {1337, T::U8, 66, 3},
    // SCA pairs.
    {1340, T::U8, 69, 2},
    {1342, T::BE16, 71, 2},
    {1346, T::U8, 73, 10},
    {1356, T::BE16, 83, 2},
    {1360, T::U8, 85, 2},
    {1362, T::BE16, 87, 2},
    // Unit settings and outputs.
    {1366, T::U8, 89, 27},
    // Alarms 1..14: threshold, time, action, five bytes an alarm.
    {1395, T::S16, 116, 14, 5, 3},
    {1397, T::BE16, 117, 14, 5, 3},
    {1399, T::U8, 118, 14, 5, 3},
    {1476, T::U8, 7},
};

const TTavr1RdsText rdsTexts[] = {
    {1251, 4, &TTavr1RdsRec::PiHex},   {1255, 4, &TTavr1RdsRec::PiCall},
    {1262, 8, &TTavr1RdsRec::Ps},      {1270, 8, &TTavr1RdsRec::Time},
    {1278, 8, &TTavr1RdsRec::Date},    {1286, 2, &TTavr1RdsRec::DiNumber},
    {1288, 9, &TTavr1RdsRec::DiText},  {1297, 2, &TTavr1RdsRec::PtyNumber},
    {1299, 8, &TTavr1RdsRec::PtyText}, {1307, 8, &TTavr1RdsRec::Ptyn},
};

const TTavr1RdsNumber rdsNumbers[] = {
    {1259, &TTavr1RdsRec::Tp},          {1260, &TTavr1RdsRec::Ta},
    {1261, &TTavr1RdsRec::MusicSpeech}, {1315, &TTavr1RdsRec::RadioTextAB},
    {1444, &TTavr1RdsRec::AfCount},
};

} // namespace

qint32 Tavr1Value12(const QByteArray& block, int base, int index)
{
    const TTavr1BlockReader r(block);
    const int at = base + 3 * (index / 2);
    const quint8 high = r.u8(at + 2);
    const int v =
        index % 2 == 0 ? r.u8(at) | (high & 0x0F) << 8 : r.u8(at + 1) | (high & 0xF0) << 4;
    return v & 0x800 ? v - 0x1000 : v;
}

void setTavr1Value12(QByteArray& block, int base, int index, qint32 value)
{
    const int at = base + 3 * (index / 2);
    if (at < 0 || at + 2 >= block.size())
        return;
    const int v = value & 0xFFF;
    quint8 high = quint8(block[at + 2]);
    if (index % 2 == 0) {
        block[at] = char(v & 0xFF);
        high = quint8((high & 0xF0) | v >> 8);
    } else {
        block[at + 1] = char(v & 0xFF);
        high = quint8((high & 0x0F) | (v >> 8) << 4);
    }
    block[at + 2] = char(high);
}

quint8 TTavr1BlockReader::u8(int offset) const
{
    return offset >= 0 && offset < m_block.size() ? quint8(m_block[offset]) : 0;
}

QString TTavr1BlockReader::text(int offset, int len) const
{
    QString s;
    s.reserve(len);
    for (int i = 0; i < len; ++i)
        s.append(QChar(u8(offset + i)));
    return s;
}

std::span<const TTavr1RawPlace> Tavr1RawPlaces()
{
    return rawPlaces;
}

int Tavr1FieldWidth(TTavr1FieldType type)
{
    switch (type) {
    case T::U8:
    case T::S8:
        return 1;
    case T::BE16:
    case T::S16:
        return 2;
    case T::Real32:
        return 4;
    }
    return 1;
}

std::span<const TTavr1ConfigField> Tavr1ConfigFields()
{
    return configFields;
}

std::span<const TTavr1RdsText> Tavr1RdsTexts()
{
    return rdsTexts;
}

std::span<const TTavr1RdsNumber> Tavr1RdsNumbers()
{
    return rdsNumbers;
}

int Tavr1TableOffset(int word)
{
    if (word < 0 || word >= Tavr1TableWords)
        return -1;
    if (word < 4)
        return Tavr1Offset::TailKind + 25 * word; // the row heads
    const int row = (word - 4) / 26;
    const int column = (word - 4) % 26;
    if (column >= 1 && column <= 12)
        return 1249 + 25 * row + 2 * column;
    if (column >= 14)
        return 1250 + 25 * row + 2 * (column - 13);
    return -1;
}
