#pragma once

#include <QByteArray>
#include <vector>

// Pictures of any size and make-up, for trying the picture decoder at and past
// its caps: JPEG with a chosen number of scans, PNG plain or interlaced, and
// PNG files whose compressed data would unpack far beyond their size. Noise
// makes the largest file for a size, the hardest to decode.

struct TSimJpegShape
{
    int width = 64;
    int height = 64;
    int scans = 1;      // 1 baseline; more: progressive with exactly that many
    int components = 3; // 3 colour, 1 grey
    int quality = 90;
    bool noise = false;
};
QByteArray EncodeSimJpeg(const TSimJpegShape& shape);

// With noise, noisyRows limits the noise to the first rows (all when < 0), so
// a file can be made as large as a unit can send and no larger.
QByteArray EncodeSimPng(int width, int height, bool interlaced, bool noise, int noisyRows = -1);

// A plain PNG file of these RGBA pixels, four bytes a pixel, rows top first.
QByteArray WriteSimPng(int width, int height, const std::vector<unsigned char>& rgba);

// A whole PNG file of one IHDR (RGBA, 8 bits), one IDAT holding the zlib
// stream of unpackedBytes zero bytes, and IEND; with zTXt, the zeros go into a
// compressed text chunk instead and the IDAT holds a proper 1 x 1 picture.
QByteArray SimPngBomb(quint32 width, quint32 height, qint64 unpackedBytes);
QByteArray SimPngTextBomb(qint64 unpackedBytes);
