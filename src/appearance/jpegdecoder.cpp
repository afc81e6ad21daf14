#include "appearance/jpegdecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    int warnings;
};

// The library's fatal errors return here instead of ending the program.
[[noreturn]] void errorExit(j_common_ptr info)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    manager->base.format_message(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (a truncated file is one: the library pads it with grey) count as
// failures; trace messages are ignored.
void emitMessage(j_common_ptr info, int level)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    if (level < 0) {
        if (manager->warnings == 0)
            manager->base.format_message(info, manager->message);
        ++manager->warnings;
    }
}

// The library's calls, in a frame of their own: a jump back from the error
// manager lands in this function's setjmp and touches none of the caller's
// objects, which live outside it.
bool decodeInto(jpeg_decompress_struct &info, ErrorManager &manager, const QByteArray &data, QImage &picture,
                QString &why)
{
    if (setjmp(manager.jump)) {
        why = QString::fromLocal8Bit(manager.message);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(data.constData()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    // The size is checked before any pixel memory is taken.
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > unsigned(JpegDecoder::MaximumSide)
        || info.image_height > unsigned(JpegDecoder::MaximumSide)
        || qint64(info.image_width) * info.image_height > JpegDecoder::MaximumPixels) {
        why = QStringLiteral("a picture of %1 x %2 pixels is too large").arg(info.image_width).arg(info.image_height);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) {
        why = QStringLiteral("not an RGB picture");
        return false;
    }
    picture = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (picture.isNull()) {
        why = QStringLiteral("not enough memory for the picture");
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    if (manager.warnings > 0) {
        why = QString::fromLocal8Bit(manager.message);
        return false;
    }
    return true;
}

} // namespace

namespace JpegDecoder {

QImage decode(const QByteArray &data, QString *error)
{
    QString why = QStringLiteral("not a JPEG picture");
    QImage picture;
    jpeg_decompress_struct info{};
    ErrorManager manager{};
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = errorExit;
    manager.base.emit_message = emitMessage;
    const bool ok = data.size() >= 4 && decodeInto(info, manager, data, picture, why);
    jpeg_destroy_decompress(&info);
    if (ok)
        return picture;
    if (error)
        *error = why;
    return {};
}

} // namespace JpegDecoder
