#include "protocol/hd/HdImages.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>
#include <png.h>
#include <zlib.h>

// ---- JPEG -------------------------------------------------------------------
//
// libjpeg reports a fatal error through error_exit, which by default ends the
// process. Ours jumps back into decodeJpegC, the one function that calls
// setjmp; it keeps only plain locals and hands the pixels out through a
// malloc'd buffer, so nothing with a destructor is skipped by the jump.

namespace {

struct TJpegGuard
{
    jpeg_error_mgr pub;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jpegErrorExit(j_common_ptr c)
{
    auto* g = reinterpret_cast<TJpegGuard*>(c->err);
    (*c->err->format_message)(c, g->message);
    std::longjmp(g->jump, 1);
}

void jpegOutputMessage(j_common_ptr) {}

// Warnings are passed over, all but one: a file that ends before its last
// scan is a broken picture, not one to show with grey where its end was.
void jpegEmitMessage(j_common_ptr c, int level)
{
    if (level >= 0)
        return;
    c->err->num_warnings++;
    if (c->err->msg_code == JWRN_JPEG_EOF) {
        auto* g = reinterpret_cast<TJpegGuard*>(c->err);
        (*c->err->format_message)(c, g->message);
        std::longjmp(g->jump, 1);
    }
}

void jpegProgress(j_common_ptr c)
{
    if (!c->is_decompressor)
        return;
    auto* d = reinterpret_cast<j_decompress_ptr>(c);
    if (d->input_scan_number > HdJpegMaxScans) {
        auto* g = reinterpret_cast<TJpegGuard*>(c->err);
        std::snprintf(g->message, sizeof g->message, "more than %d scans", HdJpegMaxScans);
        std::longjmp(g->jump, 1);
    }
}

// 0 on success; the RGB pixels (malloc'd) in *pixels. On failure message holds
// the reason and *pixels is freed.
int decodeJpegC(const unsigned char* data, unsigned long size, unsigned char** pixels, int* width,
                int* height, char* message, size_t messageSize)
{
    jpeg_decompress_struct cinfo;
    TJpegGuard guard;
    std::memset(&cinfo, 0, sizeof cinfo);
    std::memset(&guard, 0, sizeof guard);
    *pixels = nullptr;
    cinfo.err = jpeg_std_error(&guard.pub);
    guard.pub.error_exit = jpegErrorExit;
    guard.pub.output_message = jpegOutputMessage;
    guard.pub.emit_message = jpegEmitMessage;
    if (setjmp(guard.jump)) {
        std::snprintf(message, messageSize, "%s", guard.message);
        jpeg_destroy_decompress(&cinfo);
        std::free(*pixels);
        *pixels = nullptr;
        return 1;
    }
    jpeg_create_decompress(&cinfo);
    guard.progress.progress_monitor = jpegProgress;
    cinfo.progress = &guard.progress;
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > HdImageMaxSide ||
        cinfo.image_height > HdImageMaxSide) {
        std::snprintf(message, messageSize, "picture of %u x %u refused", cinfo.image_width,
                      cinfo.image_height);
        jpeg_destroy_decompress(&cinfo);
        return 2;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t(cinfo.output_width) * 3;
    *pixels = static_cast<unsigned char*>(std::malloc(stride * cinfo.output_height));
    if (!*pixels) {
        std::snprintf(message, messageSize, "out of memory");
        jpeg_destroy_decompress(&cinfo);
        return 3;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = *pixels + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    *width = int(cinfo.output_width);
    *height = int(cinfo.output_height);
    jpeg_destroy_decompress(&cinfo);
    return 0;
}

} // namespace

THdImageResult DecodeHdJpeg(const QByteArray& bytes)
{
    THdImageResult r;
    if (bytes.isEmpty()) {
        r.error = "empty picture";
        return r;
    }
    unsigned char* rgb = nullptr;
    int w = 0, h = 0;
    char message[JMSG_LENGTH_MAX + 32] = {};
    if (decodeJpegC(reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<unsigned long>(bytes.size()), &rgb, &w, &h, message,
                    sizeof message) != 0) {
        r.error = QString::fromLatin1(message);
        return r;
    }
    r.picture.Width = w;
    r.picture.Height = h;
    r.picture.Rgba.resize(qsizetype(w) * h * 4);
    auto* out = reinterpret_cast<unsigned char*>(r.picture.Rgba.data());
    for (qsizetype i = 0, n = qsizetype(w) * h; i < n; ++i) {
        out[4 * i] = rgb[3 * i];
        out[4 * i + 1] = rgb[3 * i + 1];
        out[4 * i + 2] = rgb[3 * i + 2];
        out[4 * i + 3] = 0xFF;
    }
    std::free(rgb);
    r.ok = true;
    return r;
}

// ---- PNG --------------------------------------------------------------------

namespace {

quint32 be32At(const QByteArray& b, qsizetype at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData()) + at;
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

// The bytes the rows of a picture take before compression, a filter byte
// before each row, by its header.
qint64 pngRowBytes(qint64 width, qint64 height, int depth, int colourType, bool interlaced)
{
    int channels = 1; // grey, palette
    if (colourType == 2)
        channels = 3;
    else if (colourType == 4)
        channels = 2;
    else if (colourType == 6)
        channels = 4;
    const qint64 bits = qint64(channels) * depth;
    auto rows = [&](qint64 w, qint64 h) { return w > 0 && h > 0 ? h * (1 + (w * bits + 7) / 8) : 0; };
    if (!interlaced)
        return rows(width, height);
    static const int x0[7] = {0, 4, 0, 2, 0, 1, 0}, dx[7] = {8, 8, 4, 4, 2, 2, 1};
    static const int y0[7] = {0, 0, 4, 0, 2, 0, 1}, dy[7] = {8, 8, 8, 4, 4, 2, 2};
    qint64 total = 0;
    for (int p = 0; p < 7; ++p)
        total += rows((width - x0[p] + dx[p] - 1) / dx[p], (height - y0[p] + dy[p] - 1) / dy[p]);
    return total;
}

// libpng reads a picture's compressed data to its end, also past the last row:
// a file of a megabyte can unpack to a gigabyte there, seconds of CPU. So the
// data is unpacked here first, into nothing, and refused as soon as it passes
// what the rows take. A file whose chunks do not read is left to libpng.
// The compressed text and colour-profile chunks, which libpng would unpack up
// to megabytes and which no window shows, are left out of plain, the bytes
// libpng is given.
bool pngDataFitsRows(const QByteArray& bytes, QString& why, QByteArray& plain)
{
    plain = bytes.left(8);
    qint64 room = -1;
    z_stream z{};
    bool started = false;
    bool ended = false; // the stream ended, or broke: libpng names what follows
    qint64 out = 0;
    unsigned char scratch[16384];
    qsizetype at = 8;
    while (at + 12 <= bytes.size()) {
        const qint64 length = be32At(bytes, at);
        if (length > bytes.size() - at - 12)
            break;
        const QByteArray type = bytes.mid(at + 4, 4);
        const qsizetype data = at + 8;
        if (type == "IHDR" && length >= 13) {
            // A picture past the size cap is refused from its header by the
            // caller: nothing of it is unpacked here.
            const auto* h = reinterpret_cast<const unsigned char*>(bytes.constData()) + data;
            const quint32 width = be32At(bytes, data), height = be32At(bytes, data + 4);
            if (width <= quint32(HdImageMaxSide) && height <= quint32(HdImageMaxSide))
                room = pngRowBytes(width, height, h[8], h[9], h[12] != 0);
        } else if (type == "IDAT" && room >= 0 && !ended) {
            if (!started) {
                started = true;
                ended = inflateInit(&z) != Z_OK;
            }
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData() + data));
            z.avail_in = uInt(length);
            while (!ended && z.avail_in > 0) {
                z.next_out = scratch;
                z.avail_out = sizeof scratch;
                const int rc = inflate(&z, Z_NO_FLUSH);
                out += qint64(sizeof scratch - z.avail_out);
                if (out > room) {
                    inflateEnd(&z);
                    why = QString("compressed data unpacks past the %1 bytes of its rows").arg(room);
                    return false;
                }
                ended = rc != Z_OK;
            }
        }
        if (type != "zTXt" && type != "iTXt" && type != "iCCP")
            plain += bytes.mid(at, qsizetype(12 + length));
        at = data + qsizetype(length) + 4;
    }
    plain += bytes.mid(at);
    if (started)
        inflateEnd(&z);
    return true;
}

} // namespace

THdImageResult DecodeHdPng(const QByteArray& bytes)
{
    THdImageResult r;
    QByteArray plain;
    if (!pngDataFitsRows(bytes, r.error, plain))
        return r;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, plain.constData(), size_t(plain.size()))) {
        r.error = QString::fromLatin1(image.message);
        png_image_free(&image);
        return r;
    }
    if (image.width == 0 || image.height == 0 || image.width > HdImageMaxSide ||
        image.height > HdImageMaxSide) {
        r.error = QString("picture of %1 x %2 refused").arg(image.width).arg(image.height);
        png_image_free(&image);
        return r;
    }
    image.format = PNG_FORMAT_RGBA;
    QByteArray pixels(qsizetype(PNG_IMAGE_SIZE(image)), '\0');
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        r.error = QString::fromLatin1(image.message);
        png_image_free(&image);
        return r;
    }
    r.picture.Width = int(image.width);
    r.picture.Height = int(image.height);
    r.picture.Rgba = pixels;
    r.ok = true;
    return r;
}
