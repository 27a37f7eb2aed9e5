// The Tavr1 block decoder over any bytes: as they come, then with the marker
// in front (so every input reaches the field reads) and the connection's
// request flags taken from byte 3, which the decoder never reads.
#include "FuzzCheck.h"

#include "data/FrameState.h"
#include "protocol/tavr1/Tavr1BlockLayout.h"
#include "protocol/tavr1/Tavr1Decoder.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char*>(data), qsizetype(size));
    auto t = std::make_unique<TTavr1Data>();
    auto s = std::make_unique<TConnectionState>();

    const TTavr1BlockVerdict first = DecodeTavr1Block(raw, *t, *s);
    if (raw.size() < Tavr1BlockLength)
        FUZZ_CHECK(first == TTavr1BlockVerdict::TooShort);

    QByteArray block = raw;
    if (block.size() < 4)
        return 0;
    block.replace(0, 3, QByteArray("\xFF\xFE\xFD", 3));
    const quint8 flags = quint8(block.at(3));
    t->Tavr1UpdateLocalConfig = flags & 1;
    t->Tavr1UpdateLocalTable = flags & 2;
    t->Tavr1Options = (flags & 4) ? "Basic" : "Complete";
    const Tavr1ConfigRecord before = t->Tavr1LocalConfig;
    const TTavr1BlockVerdict second = DecodeTavr1Block(block, *t, *s);
    if (second != TTavr1BlockVerdict::Decoded) {
        FUZZ_CHECK(t->Tavr1LocalConfig == before);
        return 0;
    }
    FUZZ_CHECK(block.size() >= Tavr1BlockLength);
    const int kind = quint8(block.at(Tavr1Offset::TailKind));
    FUZZ_CHECK(kind == tkConfig || kind == tkRds || kind == tkTable);
    for (qint32 v : t->Tavr1Spectrum)
        FUZZ_CHECK(v >= -2048 && v <= 2047);
    for (qint32 v : t->Tavr1RawValues)
        FUZZ_CHECK(v >= -2048 && v <= 2047);
    (void)Tavr1EchoLine(quint8(block.at(Tavr1Offset::EchoCode)), {});
    return 0;
}
