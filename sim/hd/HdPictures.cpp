#include "sim/hd/HdPictures.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

namespace {

std::vector<unsigned char> pixels(int w, int h, int channels, bool noise, int noisyRows = -1)
{
    std::vector<unsigned char> p(size_t(w) * size_t(h) * size_t(channels));
    quint32 seed = 0x2545F491u;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < channels; ++c) {
                seed = seed * 1664525u + 1013904223u;
                const unsigned char smooth =
                    static_cast<unsigned char>((x * 3 + y * 2 + c * 60) & 0xFF);
                p[(size_t(y) * size_t(w) + size_t(x)) * size_t(channels) + size_t(c)] =
                    channels == 4 && c == 3 ? 0xFF
                    : noise && (noisyRows < 0 || y < noisyRows)
                        ? static_cast<unsigned char>(seed >> 24)
                                            : smooth;
            }
    return p;
}

// One DC scan of all components, then the AC coefficients 1..63 of each
// component cut into bands, component by component in turn, so that the file
// has exactly `scans` scans.
std::vector<jpeg_scan_info> scanScript(int scans, int components)
{
    std::vector<jpeg_scan_info> script;
    jpeg_scan_info dc{};
    dc.comps_in_scan = components;
    for (int c = 0; c < components; ++c)
        dc.component_index[c] = c;
    script.push_back(dc);
    const int ac = scans - 1;
    for (int c = 0; c < components; ++c) {
        const int bands = ac / components + (c < ac % components ? 1 : 0);
        for (int b = 0; b < bands; ++b) {
            jpeg_scan_info s{};
            s.comps_in_scan = 1;
            s.component_index[0] = c;
            s.Ss = 1 + 63 * b / bands;
            s.Se = 63 * (b + 1) / bands;
            script.push_back(s);
        }
    }
    return script;
}

QByteArray chunk(const char* type, const QByteArray& data)
{
    QByteArray c;
    const quint32 n = quint32(data.size());
    c.append(char(n >> 24)).append(char(n >> 16)).append(char(n >> 8)).append(char(n));
    c.append(type, 4).append(data);
    const quint32 crc = quint32(crc32(crc32(0, reinterpret_cast<const Bytef*>(type), 4),
                                      reinterpret_cast<const Bytef*>(data.constData()),
                                      uInt(data.size())));
    c.append(char(crc >> 24)).append(char(crc >> 16)).append(char(crc >> 8)).append(char(crc));
    return c;
}

QByteArray be32(quint32 v)
{
    QByteArray b;
    b.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
    return b;
}

QByteArray ihdr(quint32 width, quint32 height)
{
    return chunk("IHDR", be32(width) + be32(height) + QByteArray("\x08\x06\x00\x00\x00", 5));
}

// The zlib stream of n zero bytes, made a megabyte at a time.
QByteArray deflatedZeros(qint64 n)
{
    z_stream z{};
    deflateInit(&z, 9);
    std::vector<unsigned char> zeros(1 << 20, 0);
    std::vector<unsigned char> out(1 << 16);
    QByteArray packed;
    qint64 left = n;
    int flush = Z_NO_FLUSH;
    do {
        if (z.avail_in == 0 && flush == Z_NO_FLUSH) {
            const qint64 take = qMin<qint64>(left, qint64(zeros.size()));
            z.next_in = zeros.data();
            z.avail_in = uInt(take);
            left -= take;
            if (left == 0)
                flush = Z_FINISH;
        }
        z.next_out = out.data();
        z.avail_out = uInt(out.size());
        const int rc = deflate(&z, flush);
        packed.append(reinterpret_cast<const char*>(out.data()),
                      qsizetype(out.size() - z.avail_out));
        if (rc == Z_STREAM_END)
            break;
    } while (true);
    deflateEnd(&z);
    return packed;
}

const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);

} // namespace

QByteArray EncodeSimJpeg(const TSimJpegShape& shape)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(shape.width);
    cinfo.image_height = JDIMENSION(shape.height);
    cinfo.input_components = shape.components;
    cinfo.in_color_space = shape.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, shape.quality, TRUE);
    // Full-resolution colour makes the largest file a size can have.
    for (int c = 0; c < cinfo.num_components; ++c)
        cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    std::vector<jpeg_scan_info> script;
    if (shape.scans > 1) {
        script = scanScript(shape.scans, shape.components);
        cinfo.scan_info = script.data();
        cinfo.num_scans = int(script.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> data = pixels(shape.width, shape.height, shape.components, shape.noise);
    const size_t stride = size_t(shape.width) * size_t(shape.components);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = data.data() + size_t(cinfo.next_scanline) * stride;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

QByteArray WriteSimPng(int width, int height, const std::vector<unsigned char>& rgba)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr))
        return {};
    QByteArray bytes(qsizetype(size), '\0');
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr))
        return {};
    bytes.truncate(qsizetype(size));
    return bytes;
}

QByteArray EncodeSimPng(int width, int height, bool interlaced, bool noise, int noisyRows)
{
    std::vector<unsigned char> rgba = pixels(width, height, 4, noise, noisyRows);
    if (!interlaced)
        return WriteSimPng(width, height, rgba);
    // Adam7 interlacing: the raw passes, each row a filter byte 0 and its
    // pixels, packed in one IDAT.
    static const int x0[7] = {0, 4, 0, 2, 0, 1, 0}, dx[7] = {8, 8, 4, 4, 2, 2, 1};
    static const int y0[7] = {0, 0, 4, 0, 2, 0, 1}, dy[7] = {8, 8, 8, 4, 4, 2, 2};
    QByteArray raw;
    for (int p = 0; p < 7; ++p)
        for (int y = y0[p]; y < height; y += dy[p]) {
            if (x0[p] >= width)
                continue;
            raw.append('\0');
            for (int x = x0[p]; x < width; x += dx[p])
                raw.append(reinterpret_cast<const char*>(&rgba[(size_t(y) * size_t(width) +
                                                                 size_t(x)) * 4]),
                           4);
        }
    QByteArray head = ihdr(quint32(width), quint32(height));
    head[qsizetype(8 + 12)] = 1; // interlace method
    // The IHDR's CRC covers the changed byte: make the chunk again.
    head = chunk("IHDR", head.mid(8, 13));
    return pngSignature + head + chunk("IDAT", qCompress(raw).mid(4)) + chunk("IEND", {});
}

QByteArray SimPngBomb(quint32 width, quint32 height, qint64 unpackedBytes)
{
    return pngSignature + ihdr(width, height) + chunk("IDAT", deflatedZeros(unpackedBytes)) +
           chunk("IEND", {});
}

QByteArray SimPngTextBomb(qint64 unpackedBytes)
{
    // keyword, NUL, compression method 0, then the zlib stream.
    const QByteArray text = QByteArray("Comment", 7) + QByteArray(2, '\0') +
                            deflatedZeros(unpackedBytes);
    const QByteArray onePixel = qCompress(QByteArray(5, '\0')).mid(4);
    return pngSignature + ihdr(1, 1) + chunk("zTXt", text) + chunk("IDAT", onePixel) +
           chunk("IEND", {});
}
