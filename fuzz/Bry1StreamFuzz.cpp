// The Bry1 block store through both of its ways in, and the "U" answer.
// Input: one byte of path (0 the network gatherer, 1 the serial rule, 2 the
// "U" answer), one byte that sets the piece sizes, then the stream, fed in
// pieces as a link would deliver it.
#include "protocol/bry1/Bry1Blocks.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// The size of piece i: varied, so a block is cut at many places.
qsizetype pieceSize(quint8 key, int i)
{
    if (key == 0)
        return 1 << 20; // the whole stream at once
    return 1 + (qsizetype(key) * (i + 1) * 7) % 400;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkStore(const TBry1Data& d, const TConnectionState& s)
{
    check(d.Bry1RingIndex >= 0 && d.Bry1RingIndex < Bry1RingSize);
    check(d.Bry1ChecksumErrors >= 0);
    check(s.BlocksSinceDisplay >= 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const QByteArray stream(reinterpret_cast<const char*>(data) + 2, qsizetype(size - 2));
    const quint8 key = data[1];
    static TBry1Data d; // large; kept between runs as a long connection would
    static TConnectionState s;
    switch (data[0] % 3) {
    case 0: {
        QByteArray buffer;
        int i = 0;
        for (qsizetype at = 0; at < stream.size(); ++i) {
            const qsizetype n = pieceSize(key, i);
            GatherBry1Blocks(buffer, stream.mid(at, n), d, s);
            at += n;
            check(buffer.size() < Bry1BlockLength);
            checkStore(d, s);
        }
        break;
    }
    case 1: {
        QByteArray waiting; // the port's receive queue
        int i = 0;
        for (qsizetype at = 0; at < stream.size(); ++i) {
            const qsizetype n = pieceSize(key, i);
            waiting += stream.mid(at, n);
            at += n;
            const int count = Bry1SerialReadCount(int(waiting.size()));
            check(count >= 0 && count <= Bry1SerialDiscardLimit && count <= waiting.size());
            TakeBry1SerialBytes(waiting.left(count), d, s);
            waiting.remove(0, count);
            checkStore(d, s);
        }
        break;
    }
    default: {
        const TBry1Versions v = ParseBry1Versions(stream);
        check(v.Text1.size() <= 10 && v.Text2.size() <= 10);
        for (int n : v.Numbers)
            check(n >= 0 && n <= 99);
        break;
    }
    }
    return 0;
}
