#pragma once

#include "data/FrameState.h"
#include "protocol/rack/RackData.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>

// Receiving the rack's blocks: cutting them from the byte stream and storing
// each in the record and sample slots, with the flags that tell the decoder
// what to do.

// The next whole block in rx (100 bytes, 108 under the S protocol), or none.
// Bytes before a marker are dropped; a marker split across reads is kept.
std::optional<QByteArray> CutRackBlock(QByteArray& rx, bool sProtocol, TBlockDrops* drops = nullptr);

// Stores one cut block. Returns the 108-byte entry kept for the raw view and
// the data log (the block with the PC time appended, or as stamped by the
// unit), or nothing for a block of no known family, which changes nothing.
std::optional<QByteArray> ReceiveRackBlock(TRackData& d, TConnectionState& c,
                                           const QByteArray& block, bool sProtocol,
                                           const QDateTime& pcTime);
