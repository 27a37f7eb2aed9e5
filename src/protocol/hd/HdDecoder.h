#pragma once

#include "data/FrameState.h"
#include "protocol/hd/HdData.h"

#include <QByteArray>
#include <QString>
#include <functional>

// Where the decoder's side effects go: the object event lines, the ERROR line
// for an object or picture it could not use, and the files it writes for a
// picture that did not decode. The frame fills it in; a fuzz target or a
// benchmark leaves it empty and nothing leaves the decoder.
struct THdDecodeSink
{
    // An object event for the LOT event list (kind 0 invalid, 1 complete,
    // 2 XHDR trigger, 3 XHDR logo), the line's time being the frame's.
    std::function<void(const QString& objectText, int kind)> objectEvent;
    std::function<void(const QString& message)> error;
    // Writes a file into the current directory; returns whether it did.
    std::function<bool(const QString& fileName, const QByteArray& bytes)> writeFile;
};

enum class THdBlockVerdict
{
    Decoded,
    TooShort,    // fewer than 2729 bytes; nothing was changed
    BadChecksum, // only BlockChecksums was changed
};

// Decodes one block (2729 bytes, or the 2737/2801 of the S protocol) into the
// HD records of d and the connection state of s: the checksum first, then the
// echoed request line (S protocol on the network), the parameter echo, the
// fixed part, the data services and the part of the block's type.
THdBlockVerdict DecodeHdBlock(const QByteArray& block, THdData& d, TConnectionState& s,
                              const THdDecodeSink& sink = {});

// The data-service part of a block (XHDR values and the "S"/"L" message).
void DecodeHdDataServices(const QByteArray& block, THdData& d, const THdDecodeSink& sink);
