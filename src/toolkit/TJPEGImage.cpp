#include "TJPEGImage.h"

#include "Exception.h"

#include <QCoreApplication>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// Larger pictures are refused rather than allocated.
constexpr long long maxPixels = 64LL * 1024 * 1024;

// libjpeg reports errors by calling error_exit, whose default ends the
// process; this one jumps back instead. Warnings (truncated or corrupt data,
// which libjpeg would otherwise paper over with grey) count as errors too.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void emitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        errorExit(cinfo);
}

void outputMessage(j_common_ptr) { }

struct Header {
    int width;
    int height;
    int components;
    bool progressive;
};

// Plain C frames only between setjmp and longjmp: nothing here has a
// destructor that the jump could skip.
bool readJpeg(const unsigned char *data, unsigned long size, Header *header,
              unsigned char *pixels, long long stride, char *message)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = errorExit;
    err.pub.emit_message = emitMessage;
    err.pub.output_message = outputMessage;
    err.message[0] = '\0';
    jpeg_create_decompress(&cinfo);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        return false;
    }
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    if (!pixels) {
        header->width = static_cast<int>(cinfo.image_width);
        header->height = static_cast<int>(cinfo.image_height);
        header->components = cinfo.num_components;
        header->progressive = cinfo.progressive_mode;
        jpeg_destroy_decompress(&cinfo);
        return true;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (static_cast<int>(cinfo.output_width) != header->width
        || static_cast<int>(cinfo.output_height) != header->height) {
        std::snprintf(message, JMSG_LENGTH_MAX, "unexpected output size");
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("TJPEGImage", text);
}

} // namespace

TJPEGImage::TJPEGImage(const QByteArray &compressed)
    : compressed_(compressed)
{
    Header header {};
    char message[JMSG_LENGTH_MAX] = {};
    if (compressed_.isEmpty())
        throw Exception(tr("Рисунок JPEG пуст."));
    if (!readJpeg(reinterpret_cast<const unsigned char *>(compressed_.constData()),
                  static_cast<unsigned long>(compressed_.size()), &header, nullptr, 0, message))
        throw Exception(tr("Рисунок JPEG не читается: %1").arg(QString::fromLocal8Bit(message)));
    if (header.width <= 0 || header.height <= 0
        || static_cast<long long>(header.width) * header.height > maxPixels)
        throw Exception(tr("Рисунок JPEG слишком велик: %1 × %2.").arg(header.width).arg(header.height));
    width_ = header.width;
    height_ = header.height;
    components_ = header.components;
    progressive_ = header.progressive;
}

const QImage &TJPEGImage::Bitmap()
{
    if (!bitmap_.isNull() || failed_)
        return bitmap_;
    QImage bitmap(width_, height_, QImage::Format_RGB888);
    if (bitmap.isNull()) {
        failed_ = true;
        throw Exception(tr("Не хватает памяти для рисунка %1 × %2.").arg(width_).arg(height_));
    }
    Header header { width_, height_, components_, progressive_ };
    char message[JMSG_LENGTH_MAX] = {};
    if (!readJpeg(reinterpret_cast<const unsigned char *>(compressed_.constData()),
                  static_cast<unsigned long>(compressed_.size()), &header, bitmap.bits(),
                  bitmap.bytesPerLine(), message)) {
        failed_ = true;
        throw Exception(tr("Рисунок JPEG повреждён: %1").arg(QString::fromLocal8Bit(message)));
    }
    bitmap_ = std::move(bitmap);
    return bitmap_;
}
