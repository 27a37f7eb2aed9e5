// The Tavr1 block cutter fed a stream in random chunks. The stream is built
// from the input as a list of pieces (whole blocks, blocks cut short, blocks
// whose readings hold a marker, raw bytes), and the input also says where the
// chunks end. Asserted: every block taken is whole and is exactly the bytes of
// the stream at its place (nothing invented, nothing reordered); a block is
// taken either a whole number of blocks after the previous one or with the
// next marker already received one block length on; the backlog never exceeds its bound.
//
// Input: byte 0 = bit 0 stamped blocks, bits 1-3 the backlog bound in blocks
// less one; then commands of one byte (low two bits the kind, the rest an
// argument) with their operands:
//   0 a whole block, filled with the next byte, a marker planted at
//     8 x (argument) when the argument is non-zero
//   1 a block cut short to (next two bytes) bytes
//   2 (argument + 1) raw bytes copied from the input
//   3 hand over what is pending, in pieces of 1 + 37 x (argument) bytes
#include "FuzzCheck.h"

#include "protocol/tavr1/Tavr1Receive.h"

namespace {

const QByteArray marker("\xFF\xFE\xFD", 3);
constexpr qsizetype maxStream = 16 * 1024; // ten blocks and more: past any backlog bound

struct Reader
{
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    bool more() const { return at < size; }
    uint8_t next() { return at < size ? data[at++] : 0; }
};

struct Run
{
    int length = Tavr1BlockLength;
    int maxWaiting = 8;
    QByteArray stream; // every byte built so far
    qsizetype fed = 0; // bytes handed to the cutter
    qsizetype lastEnd = -1;
    QByteArray rx;
    TTavr1Cutter cutter;

    void feed(qsizetype n)
    {
        n = qMin(n, stream.size() - fed);
        rx += stream.mid(fed, n);
        fed += n;
        while (const auto block = CutTavr1Block(rx, cutter, length, maxWaiting)) {
            FUZZ_CHECK(block->size() == length);
            FUZZ_CHECK(block->startsWith(marker));
            const qsizetype end = fed - rx.size();
            const qsizetype at = end - length;
            FUZZ_CHECK(at >= 0 && stream.mid(at, length) == *block);
            FUZZ_CHECK(at >= lastEnd);
            // In step, whole blocks may have been dropped from a backlog: the
            // block still stands a whole number of blocks after the last.
            const bool contiguous = lastEnd >= 0 && (at - lastEnd) % length == 0;
            const bool confirmed = end + 3 <= fed && stream.mid(end, 3) == marker;
            FUZZ_CHECK(contiguous || confirmed);
            lastEnd = end;
            FUZZ_CHECK(rx.size() <= qsizetype(maxWaiting) * length);
        }
        FUZZ_CHECK(rx.size() <= qsizetype(maxWaiting) * length);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader in{data, size};
    const uint8_t setup = in.next();
    Run run;
    run.length = (setup & 1) ? Tavr1StampedBlockLength : Tavr1BlockLength;
    run.maxWaiting = 1 + ((setup >> 1) & 7);
    while (in.more() && run.stream.size() < maxStream) {
        const uint8_t command = in.next();
        const int argument = command >> 2;
        switch (command & 3) {
        case 0: {
            QByteArray block(run.length, char(in.next()));
            block.replace(0, 3, marker);
            if (argument)
                block.replace(qMin(8 * argument, run.length - 3), 3, marker);
            run.stream += block;
            break;
        }
        case 1: {
            const int keep = (in.next() << 8 | in.next()) % run.length;
            QByteArray block(run.length, '\x55');
            block.replace(0, 3, marker);
            run.stream += block.left(keep);
            break;
        }
        case 2:
            for (int i = 0; i <= argument; ++i)
                run.stream += char(in.next());
            break;
        case 3: {
            const qsizetype piece = 1 + 37 * argument;
            while (run.fed < run.stream.size())
                run.feed(piece);
            break;
        }
        }
    }
    run.feed(run.stream.size());
    return 0;
}
