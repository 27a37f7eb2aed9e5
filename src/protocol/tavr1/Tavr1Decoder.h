#pragma once

#include "data/FrameState.h"
#include "protocol/tavr1/Tavr1Data.h"

#include <QByteArray>
#include <QString>
#include <array>

enum class TTavr1BlockVerdict
{
    Decoded,
    TooShort, // fewer than 1501 bytes; nothing was changed
    NoMarker, // does not start with FF FE FD; nothing was changed
    UnknownTail, // a tail kind other than settings, RDS or table; nothing was changed
};

// Decodes the current Tavr1 block into t: the setting the unit echoes (applied
// to the working copy Tavr1LocalConfig), the measurements and their history
// series in s, the spectrum and the tail of the block's kind, then the copies
// that waiting requests ask for. Raises the PageRefresh flags of the pages
// whose settings changed. The block carries no checksum; a block is refused
// when it is too short, not a block at all, or has a tail kind the unit never
// sends (most likely bytes that only look like a block). Extra bytes after the 1501
// (the date-time stamp) are ignored.
TTavr1BlockVerdict DecodeTavr1Block(const QByteArray& block, TTavr1Data& t, TConnectionState& s);

// A 16-bit additive sum of the block's 1501 bytes (the stamp excluded), for the
// raw-data window only: the unit sends no checksum to compare it with, so the
// decoder stores it as the computed one and 0 as the received one.
quint16 Tavr1BlockChecksum(const QByteArray& block);

// The reply line an echo shows in the raw-data window: " 15[0F]  00 00 03 E9".
QString Tavr1EchoLine(quint8 code, const std::array<quint8, 4>& bytes);
