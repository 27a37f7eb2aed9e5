#pragma once

#include "protocol/hd/HdAeData.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

// The service information guide (SIG) as the unit sends it, parsed from the
// SIG holder's message bytes. All multi-byte numbers are little-endian.

struct SigComponent
{
    quint8 Type = 0;
    quint16 ProgPort = 0;     // program or port number
    quint16 ProgDataType = 0; // program or data type
    quint8 Reserved = 0;
    quint8 Processing = 0;
    quint8 Priority = 0;
    quint8 AccessRights = 0;
    quint32 MimeHash = 0;
    quint8 IdLength = 0;
    quint32 IdProvider = 0;
    quint32 ServiceId = 0;
    QByteArray FurtherId; // the IdLength - 8 bytes past the service ID
};

struct SigService
{
    quint16 Number = 0;
    quint8 Priority = 0;
    quint16 Sequence = 0;
    quint8 Status = 0;
    quint32 ReceiveTime = 0; // ALFN
    quint8 ProviderEncoding = 0;
    quint8 ProviderNameLength = 0;
    QString ProviderName; // a single blank when the unit sent none
    quint8 ServiceEncoding = 0;
    quint8 ServiceNameLength = 0;
    QString ServiceName; // a single blank when the unit sent none
    std::vector<SigComponent> Components;
};

constexpr int SigMaxServices = 8;
constexpr int SigMaxComponents = 8;
constexpr int SigReadableBytes = 2048; // bytes at or past this read as 0

// Up to 8 services of up to 8 components each. Components past the eighth are
// skipped by their lengths, so the next service is still found where it
// starts. Reads past the message's end give zeros, never out of bounds.
std::vector<SigService> ParseSig(const std::array<qint32, HdSigByteCount>& bytes);

// The name of a well-known MIME hash ("Logo", "Primary", ...), else empty.
QString SigHashName(quint32 hash);

// The nine columns of one LOT event line: each field is the text up to its
// terminating comma; columns past the last comma stay empty and text after
// the last comma is not a field.
constexpr int LotLineFields = 9;
std::array<QString, LotLineFields> SplitLotLine(const QString& line);
