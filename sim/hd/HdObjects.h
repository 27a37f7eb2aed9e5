#pragma once

#include <QByteArray>
#include <QList>

// The data services the simulated HD unit passes on: a small JPEG (the primary
// image) and a small PNG (the station logo) it encodes itself, each as an
// object of header and file bytes cut into "L" chunks, and the status table and
// SIG message of the "S" messages.

QByteArray EncodeSimJpeg(int width, int height);
QByteArray EncodeSimPng(int width, int height);

// Sizes that need several chunks each.
constexpr int SimJpegWidth = 80;
constexpr int SimJpegHeight = 60;
constexpr int SimPngSide = 40;

constexpr quint16 SimLogoPort = 0x1001;
constexpr quint16 SimLogoLot = 0x0203;
constexpr quint16 SimPrimaryPort = 0x1002;
constexpr quint16 SimPrimaryLot = 0x0405;

// Header (checksum over the data bytes, unless a corrupt sum is wanted) and
// file bytes.
QByteArray SimObject(quint16 port, quint16 lot, quint32 mime, const QByteArray& fileName,
                     const QByteArray& data);

struct TSimChunk
{
    qint32 position;
    QByteArray payload;
};
// Contiguous: 0, 1096, 2192, ...; header-first: 0, 256, 1352, ... (the chunk at
// 0 is the same in both).
QList<TSimChunk> SimObjectChunks(const QByteArray& object, bool headerFirst);

// The 256-byte status table: program group 0 (program index 0) names the logo
// and primary objects above.
QByteArray SimStatusTable();
QByteArray SimSigMessage(int variant);
