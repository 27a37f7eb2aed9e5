// The echoed request line parser over arbitrary text.
#include "protocol/hd/HdRequests.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto d = std::make_unique<THdData>();
    auto s = std::make_unique<TConnectionState>();
    ParseEchoLine(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), *d, *s);
    return 0;
}
