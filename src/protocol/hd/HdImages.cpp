#include "protocol/hd/HdImages.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

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

THdImageResult DecodeHdPng(const QByteArray& bytes)
{
    THdImageResult r;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.constData(), size_t(bytes.size()))) {
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
