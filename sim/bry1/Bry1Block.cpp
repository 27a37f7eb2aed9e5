#include "sim/bry1/Bry1Block.h"

#include "protocol/bry1/Bry1Data.h"

QByteArray buildBry1Block(int kind, int number)
{
    QByteArray b(Bry1BlockLength, '\0');
    b[0] = char(0xFF);
    b[1] = char(0xFE);
    b[2] = char(0xFD);
    b[3] = char(0xFC);
    for (int i = 4; i < Bry1SumOffset; ++i)
        b[i] = char((i * 7 + number * 13) % 200); // below F0: no marker inside
    b[Bry1KindOffset] = char((b[Bry1KindOffset] & 0xF0) | (kind & 0x0F));
    quint32 sum = 0;
    for (int i = 0; i < Bry1SumOffset; ++i)
        sum += quint8(b[i]);
    b[Bry1SumOffset] = char(quint8(sum));
    b[354] = '\r';
    b[355] = '\n';
    return b;
}

QByteArray withWrongBry1Sum(QByteArray block)
{
    if (block.size() > Bry1SumOffset)
        block[Bry1SumOffset] = char(quint8(block[Bry1SumOffset]) + 1);
    return block;
}

QByteArray bry1Answer(const QByteArray& text)
{
    return text + QByteArray("\xF0\xF1", 2);
}
