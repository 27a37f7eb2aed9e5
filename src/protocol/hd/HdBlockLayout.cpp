#include "protocol/hd/HdBlockLayout.h"

#include "protocol/hd/HdData.h"

namespace {

bool twoByteWord(int word)
{
    switch (word) {
    case 10:
    case 15:
    case 17:
    case 20:
    case 21:
    case 25:
    case 26:
    case 30:
    case 31:
        return true;
    default:
        // Every alarm threshold and time; the action is one byte.
        return word >= 93 && word <= 161 && (word - 93) % 3 != 2;
    }
}

struct TType0Places
{
    THdWordPlace places[HdConfigWordCount];
    TType0Places()
    {
        places[0] = {1203, 2};
        places[1] = {1205, 1};
        places[2] = {1225, 2};
        int at = 1227;
        for (int w = 4; w < HdConfigWordCount; ++w) {
            int width = 1;
            if (w == HdZoomWord)
                width = 4;
            else if (w == HdZoomWord + 1)
                width = 0; // the real's second half travels with the first
            else if (twoByteWord(w))
                width = 2;
            places[w] = {width ? at : -1, width};
            at += width;
        }
    }
};

} // namespace

THdWordPlace HdConfigWordPlace(int word)
{
    static const TType0Places table;
    if (word < 0 || word >= HdConfigWordCount)
        return {};
    return table.places[word];
}

bool HdConfigWordSigned(int word)
{
    return word == 12 || HdConfigWordPlace(word).width >= 2;
}

const THdTaFieldPlace HdTaFieldPlaces[19] = {
    {0, 0, 1},   {1, 1, 1},   {2, 2, 2},   {3, 4, 2},   {4, 6, 1},   {5, 7, 1},   {6, 8, 2},
    {7, 10, 1},  {8, 11, 1},  {11, 12, 1}, {12, 13, 1}, {13, 14, 1}, {14, 15, 1}, {15, 16, 1},
    {16, 17, 1}, {17, 18, 1}, {18, 19, 1}, {19, 20, 1}, {20, 21, 1},
};

int HdTableOffset(int word)
{
    if (word < 0 || word >= HdTableWords)
        return -1;
    if (word < 4)
        return HdOffset::BlockType + 25 * word; // the row heads
    const int row = (word - 4) / 26;
    const int column = (word - 4) % 26;
    if (column >= 1 && column <= 12)
        return 1199 + 25 * row + 2 * column;
    if (column >= 14)
        return 1200 + 25 * row + 2 * (column - 13);
    return -1;
}

QString THdBlockReader::text(qsizetype offset, int width) const
{
    QString out;
    for (int i = 0; i < width; ++i) {
        const quint8 c = u8(offset + i);
        if (c == 0 || offset + i >= m_size)
            break;
        out += QChar::fromLatin1(char(c));
    }
    return out;
}

qint32 HdValue12(const THdBlockReader& r, int base, int index)
{
    const int group = base + 3 * (index / 2);
    const quint8 high = r.u8(group + 2);
    qint32 v =
        (index % 2 == 0) ? r.u8(group) + 256 * (high & 0x0F) : r.u8(group + 1) + 16 * (high & 0xF0);
    if (v & 0x800)
        v -= 0x1000;
    return v;
}

void setHdValue12(QByteArray& block, int base, int index, qint32 value)
{
    const int group = base + 3 * (index / 2);
    const quint32 v = quint32(value) & 0xFFF;
    quint8 high = quint8(block[group + 2]);
    if (index % 2 == 0) {
        block[group] = char(v & 0xFF);
        high = quint8((high & 0xF0) | (v >> 8));
    } else {
        block[group + 1] = char(v & 0xFF);
        high = quint8((high & 0x0F) | ((v >> 8) << 4));
    }
    block[group + 2] = char(high);
}

quint16 HdComputedChecksum(const QByteArray& block)
{
    quint16 sum = 0;
    const qsizetype end = qMin<qsizetype>(block.size(), HdOffset::Checksum);
    const auto* p = reinterpret_cast<const quint8*>(block.constData());
    for (qsizetype i = 0; i < end; ++i)
        sum = quint16(sum + p[i]);
    return sum;
}

quint16 HdReceivedChecksum(const QByteArray& block)
{
    return THdBlockReader(block).be16(HdOffset::Checksum);
}

void setHdChecksum(QByteArray& block)
{
    putBe16(block, HdOffset::Checksum, HdComputedChecksum(block));
}

void putBe16(QByteArray& b, int o, quint32 v)
{
    b[o] = char(v >> 8);
    b[o + 1] = char(v);
}
void putBe32(QByteArray& b, int o, quint32 v)
{
    putBe16(b, o, v >> 16);
    putBe16(b, o + 2, v);
}
void putLe16(QByteArray& b, int o, quint32 v)
{
    b[o] = char(v);
    b[o + 1] = char(v >> 8);
}
void putLe32(QByteArray& b, int o, quint32 v)
{
    putLe16(b, o, v);
    putLe16(b, o + 2, v >> 16);
}
void putText(QByteArray& b, int o, const QByteArray& text, int width)
{
    for (int i = 0; i < width; ++i)
        b[o + i] = i < text.size() ? text[i] : '\0';
}
