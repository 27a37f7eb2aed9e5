#pragma once

#include "data/FrameState.h"
#include "protocol/tavr1/Tavr1Data.h"

#include <QByteArray>

// The text lines a Tavr1 unit understands, and its single command slot.

// The fixed lines, named by their letters.
enum class TTavr1Line
{
    CarriageReturn, // "\r"
    EF,
    SD,
    SC,
    EC,
    HD,
    DE,
    UI,
    UL,
    SO,
    SU,
    UC,
};
QByteArray BuildTavr1Line(TTavr1Line line);

constexpr int Tavr1ResetDefaultsAction = 200;

// "CC" + code + value + checksum + "\r", the value taken from local by the
// code's item (for the SCA pairs the item chosen by b3, which follows the
// value). Values go out as 8 or 16 bits, negative ones in two's complement.
// Codes without an item send no value. Empty (nothing to send) for a code
// outside 0..255 or a pair code whose b3 is neither 0 nor 1.
QByteArray BuildTavr1SetLine(int code, quint8 b3, const Tavr1ConfigRecord& local);
// "PB" + code + checksum + "\r"; empty for a code outside 0..255.
QByteArray BuildTavr1ActionLine(int code);

// Fill the command slot unless a command is pending, in which case the request
// is dropped: the window keeps its value in Tavr1LocalConfig, and the unit's
// next report shows what it really holds. Requests that no line could carry
// are dropped too. Returns whether the request was taken.
bool PostTavr1SetParameter(TTavr1Data& t, int code, quint8 b0, quint8 b1, quint8 b2, quint8 b3);
bool PostTavr1Action(TTavr1Data& t, int code, quint8 b0, quint8 b1, quint8 b2, quint8 b3);

// For the poll tick: empties the slot and returns the line to send, empty when
// nothing was pending. A setting takes its value from Tavr1LocalConfig now, so
// the latest edit goes out. The line is also kept in TxLine (TxLineNew set);
// "Reset Defaults" starts the decoder's count towards reloading the settings.
QByteArray TakeTavr1CommandLine(TTavr1Data& t, TConnectionState& s);
