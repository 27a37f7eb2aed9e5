// The HD block decoder over arbitrary bytes: the input is cut into consecutive
// 2729-byte blocks (the last one shorter) decoded on one fresh state, so the
// object reassembly and the chunked history areas are reached across blocks.
#include "protocol/hd/HdBlockLayout.h"
#include "protocol/hd/HdDecoder.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto d = std::make_unique<THdData>();
    auto s = std::make_unique<TConnectionState>();
    const QByteArray all(reinterpret_cast<const char*>(data), qsizetype(size));
    for (qsizetype at = 0; at < all.size(); at += HdBlockLength) {
        QByteArray block = all.mid(at, HdBlockLength);
        // Most inputs would stop at the checksum; give every block a right one
        // so the fields behind it are reached too.
        if (block.size() == HdBlockLength)
            setHdChecksum(block);
        DecodeHdBlock(block, *d, *s);
    }
    return 0;
}
