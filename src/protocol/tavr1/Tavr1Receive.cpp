#include "protocol/tavr1/Tavr1Receive.h"

#include "protocol/BlockCutter.h"

std::optional<QByteArray> CutTavr1Block(QByteArray& rx, int blockLength, int maxWaiting)
{
    return CutMarkedBlock(rx, blockLength, maxWaiting);
}
