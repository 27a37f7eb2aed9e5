// A setting from the working copy, through its "CC" line, the simulated unit's
// reading of the line and its echo in a block, back into another connection's
// working copy: the value must come back unchanged. Input: code, SCA
// selector, RF input (item 4, which picks the item of code 16), two value
// bytes; any bytes after them are also handed to the unit as a line of their
// own.
#include "FuzzCheck.h"

#include "protocol/tavr1/Tavr1BlockLayout.h"
#include "protocol/tavr1/Tavr1CodeTable.h"
#include "protocol/tavr1/Tavr1Commands.h"
#include "protocol/tavr1/Tavr1Decoder.h"
#include "sim/tavr1/Tavr1Block.h"

#include <memory>

namespace {

// The value bytes as a value the code's form can carry.
qint32 valueFor(TTavr1ValueForm form, quint16 bits)
{
    switch (form) {
    case TTavr1ValueForm::Byte:
    case TTavr1ValueForm::Pair8:
        return bits & 0xFF;
    case TTavr1ValueForm::SignedByte:
        return qint8(bits & 0xFF);
    case TTavr1ValueForm::Word:
    case TTavr1ValueForm::Pair16:
        return bits;
    case TTavr1ValueForm::SignedWord:
        return qint16(bits);
    }
    return 0;
}

struct Connection
{
    std::unique_ptr<TTavr1Data> t = std::make_unique<TTavr1Data>();
    std::unique_ptr<TConnectionState> s = std::make_unique<TConnectionState>();
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 5) {
        // Whatever line reaches the unit, it reads it or refuses it.
        const QByteArray line(reinterpret_cast<const char*>(data + 5), qsizetype(size - 5));
        if (const auto parsed = parseTavr1SetLine(line)) {
            FUZZ_CHECK(parsed->code >= 0 && parsed->code <= 255);
            (void)tavr1EchoFor(*parsed);
        }
    }
    if (size < 5)
        return 0;

    const int code = data[0];
    const quint8 selector = data[1] & 1;
    const qint32 rfInput = data[2];
    const TTavr1CodeEntry* entry = Tavr1CodeFor(code);

    Connection sender;
    sender.t->Tavr1LocalConfig[Tavr1RfInputItem] = rfInput;
    int item = -1;
    qint32 value = 0;
    if (entry) {
        item = Tavr1CodeItem(*entry, sender.t->Tavr1LocalConfig, selector);
        FUZZ_CHECK(item >= 0 && item < Tavr1ConfigItemCount);
        value = valueFor(entry->form, quint16(data[3] << 8 | data[4]));
        sender.t->Tavr1LocalConfig[item] = value;
    }
    if (!PostTavr1SetParameter(*sender.t, code, 0, 0, 0, selector))
        return 0;
    const QByteArray line = TakeTavr1CommandLine(*sender.t, *sender.s);
    FUZZ_CHECK(line.startsWith("CC") && line.endsWith('\r'));

    const std::optional<Tavr1SetLine> parsed = parseTavr1SetLine(line);
    FUZZ_CHECK(parsed);
    FUZZ_CHECK(parsed->code == code);
    if (!entry)
        return 0;

    Tavr1BlockFields f;
    const Tavr1Echo echo = tavr1EchoFor(*parsed);
    f.echoCode = echo.code;
    f.echo = echo.bytes;
    f.tailKind = tkRds;
    Connection receiver;
    receiver.t->Tavr1LocalConfig[Tavr1RfInputItem] = rfInput;
    FUZZ_CHECK(DecodeTavr1Block(buildTavr1Block(f), *receiver.t, *receiver.s) ==
               TTavr1BlockVerdict::Decoded);
    FUZZ_CHECK(receiver.t->Tavr1LocalConfig[item] == value);
    return 0;
}
