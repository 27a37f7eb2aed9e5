// The SIG guide parser over arbitrary message bytes, and the LOT line splitter
// over the same bytes read as text.
#include "FuzzCheck.h"
#include "protocol/hd/HdSig.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto bytes = std::make_unique<std::array<qint32, HdSigByteCount>>();
    bytes->fill(0);
    for (size_t i = 0; i < size && i < bytes->size(); ++i)
        (*bytes)[i] = data[i];
    const std::vector<SigService> services = ParseSig(*bytes);
    FUZZ_CHECK(services.size() <= size_t(SigMaxServices));
    for (const SigService& s : services)
        FUZZ_CHECK(s.Components.size() <= size_t(SigMaxComponents));
    SplitLotLine(QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
