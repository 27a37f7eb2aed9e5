#include "sim/hd/HdObjects.h"

#include "protocol/hd/HdBlockLayout.h"
#include "sim/hd/HdPictures.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace {

std::vector<unsigned char> pixels(int w, int h, int channels)
{
    std::vector<unsigned char> p(size_t(w) * size_t(h) * size_t(channels));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < channels; ++c)
                p[(size_t(y) * size_t(w) + size_t(x)) * size_t(channels) + size_t(c)] =
                    c == 3 ? 0xFF : static_cast<unsigned char>((x * 8 + y * 4 + c * 60) & 0xFF);
    return p;
}

} // namespace

QByteArray EncodeSimJpeg(int width, int height)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 80, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> rgb = pixels(width, height, 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = rgb.data() + size_t(cinfo.next_scanline) * size_t(width) * 3;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

QByteArray EncodeSimPng(int width, int height)
{
    return WriteSimPng(width, height, pixels(width, height, 4));
}

QByteArray SimObject(quint16 port, quint16 lot, quint32 mime, const QByteArray& fileName,
                     const QByteArray& data)
{
    namespace H = HdObjectHeader;
    QByteArray header(H::Length, '\0');
    quint16 sum = 0;
    for (char c : data)
        sum = quint16(sum + quint8(c));
    putLe16(header, H::Checksum, sum);
    putLe16(header, H::Port, port);
    putLe16(header, H::LotId, lot);
    putLe32(header, H::DiscardTime, 3600);
    putLe32(header, H::Size, quint32(data.size()));
    putLe32(header, H::MimeHash, mime);
    putText(header, H::FileName, fileName, H::FileNameWidth);
    return header + data;
}

QList<TSimChunk> SimObjectChunks(const QByteArray& object, bool headerFirst)
{
    QList<TSimChunk> chunks;
    qint32 at = 0;
    if (headerFirst) {
        // The first chunk as always, then the data again from its start.
        chunks.append({0, object.left(HdPayloadLength)});
        at = HdObjectHeader::Length;
    }
    while (at < object.size()) {
        chunks.append({at, object.mid(at, HdPayloadLength)});
        at += HdPayloadLength;
    }
    return chunks;
}

QByteArray SimStatusTable()
{
    QByteArray t(HdSigTableLength, '\0');
    t[0] = 1; // LOT VAL
    t[1] = 2; // LOT count
    t[2] = 1;
    t[3] = 1;
    // Group 0 at entry 68: service, program number 0, then logo, primary, pending.
    const int base = 68;
    t[base + 1] = 0x11;
    t[base + 3] = 0; // program index 0 (HD1)
    auto row = [&](int slot, quint16 port, quint16 lot) {
        const int r = base + 6 + 6 * slot;
        t[r] = char(port >> 8);
        t[r + 1] = char(port);
        t[r + 2] = char(lot >> 8);
        t[r + 3] = char(lot);
        t[r + 4] = 1;
    };
    row(0, SimLogoPort, SimLogoLot);
    row(1, SimPrimaryPort, SimPrimaryLot);
    return t;
}

namespace {

void putLe(QByteArray& m, quint32 v, int bytes)
{
    for (int b = 0; b < bytes; ++b)
        m.append(char((v >> (8 * b)) & 0xFF));
}

void putSigService(QByteArray& m, quint16 number, quint8 status, quint16 sequence,
                   const QByteArray& provider, const QByteArray& name, int components)
{
    putLe(m, number, 2);
    m.append(char(1)); // priority
    putLe(m, sequence, 2);
    m.append(char(status));
    putLe(m, 0x12345678u + number, 4); // receive time
    m.append(char(0));
    m.append(char(provider.size()));
    m.append(provider);
    m.append(char(0));
    m.append(char(name.size()));
    m.append(name);
    m.append(char(components));
}

void putSigComponent(QByteArray& m, quint8 type, quint16 progPort, quint32 hash, quint8 idLength)
{
    m.append(char(type));
    putLe(m, progPort, 2);
    putLe(m, 0x0101, 2); // program or data type
    m.append(char(0));
    m.append(char(2)); // processing
    m.append(char(3)); // priority
    m.append(char(0)); // access rights
    putLe(m, hash, 4);
    m.append(char(idLength));
    putLe(m, 0xA0B0C0D0u, 4); // ID provider
    putLe(m, 0x00000100u + progPort, 4);
    for (int b = 8; b < idLength; ++b)
        m.append(char(0xE0 + b));
}

} // namespace

QByteArray SimSigMessage(int variant)
{
    // A guide of three services: a nameless one with a logo whose ID runs to
    // 12 bytes, one with more components than a window lists, and one after it
    // that must still be read from its own start.
    QByteArray m;
    m.append(char(0));
    m.append(char(3));
    putSigService(m, 0x0001, 2, quint16(variant), "Tolvex", "", 2);
    putSigComponent(m, 0, 0x0001, 1304849498u, 8);
    putSigComponent(m, 1, SimLogoPort, 3653707062u, 12);
    putSigService(m, 0x0002, 3, 7, "", "Jazz", 10);
    for (int k = 0; k < 10; ++k)
        putSigComponent(m, 1, quint16(0x2000 + k), 1590400129u, quint8(k == 9 ? 10 : 8));
    putSigService(m, 0x0003, 2, 9, "Tolvex", "News", 1);
    putSigComponent(m, 1, 0x3000, 4152689510u, 8);
    m.resize(HdSigMessageLength, '\0');
    return m;
}
