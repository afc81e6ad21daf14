// The JPEG decoder on any bytes: a picture is 24-bit and within the bounds,
// every failure of the library a refusal with its reason.

#include "appearance/jpegdecoder.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString error;
    const QImage image = JpegDecoder::decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &error);
    if (image.isNull()) {
        Fuzz::require(!error.isEmpty(), "a refusal says why");
        return 0;
    }
    Fuzz::require(image.format() == QImage::Format_RGB888, "a picture is 24-bit");
    Fuzz::require(image.width() <= JpegDecoder::MaximumSide && image.height() <= JpegDecoder::MaximumSide
                      && qint64(image.width()) * image.height() <= JpegDecoder::MaximumPixels,
                  "a picture is within the bounds");
    return 0;
}
