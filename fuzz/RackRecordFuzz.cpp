// A received rack byte stream through the cutter, the receive step and every
// decoder of its family, on fresh state. The first byte picks the family (bits
// 0-1: 3 AM, 2 TV, else FM), the S protocol (bit 2) and the controller (bits
// 4-7, an index into the controller codes below); tolvex-sim rack --corpus DIR
// writes seeds in this shape.
#include "data/FrameState.h"
#include "protocol/rack/RackData.h"
#include "protocol/rack/RackDecoder.h"
#include "protocol/rack/RackReceive.h"

#include <QByteArray>
#include <QDateTime>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {
constexpr int controllers[] = {0, 1, 2, 4, 8, 17, 18, 19, 33, 34};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int header = data[0];
    auto rack = std::make_unique<TRackData>();
    auto state = std::make_unique<TConnectionState>();
    const bool sProtocol = (header & 0x04) != 0;
    rack->RackController = controllers[((header >> 4) & 0x0F) % 10];
    rack->AmVariant = qint16(rack->RackController == 33 ? 1 : rack->RackController == 34 ? 2 : 0);
    const QDateTime pcTime(QDate(2026, 1, 1), QTime(12, 0, 0));

    QByteArray buffer(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    while (std::optional<QByteArray> block = CutRackBlock(buffer, sProtocol)) {
        if (!ReceiveRackBlock(*rack, *state, *block, sProtocol, pcTime))
            continue;
        if (rack->NewModuleData) {
            rack->NewModuleData = false;
            DecodeRackStatus(*rack, *state);
        }
        if (rack->NewSampleBlock) {
            rack->NewSampleBlock = false;
            UnpackRdsGroups(*rack);
        }
        if (rack->NewSamples) {
            rack->NewSamples = false;
            DecodeRackSamples(*rack, *state);
        }
    }
    // The family the stream named is the one decoded; the header's family is
    // also tried on the last record so every decoder sees every record shape.
    const int families[] = {rkFM, rkFM, rkTV, rkAM};
    state->RackFamily = families[header & 0x03];
    DecodeRackStatus(*rack, *state);
    rack->RackSlotList.add(state->BlockNumber);
    DecodeRackSamples(*rack, *state);
    return 0;
}
