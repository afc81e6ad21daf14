// A picked grid background (BMP or JPEG): GridBackground::readPicture on any
// bytes. A picture is within the size bounds; a refusal says why.

#include "appearance/gridbackground.h"
#include "appearance/jpegdecoder.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::startApplication();
    Fuzz::Scratch scratch;
    const QString path = scratch.write(QStringLiteral("picked picture"), data, size);
    QString error;
    const QImage image = GridBackground::readPicture(path, &error);
    if (image.isNull()) {
        Fuzz::require(!error.isEmpty(), "a refusal says why");
        return 0;
    }
    Fuzz::require(image.width() <= JpegDecoder::MaximumSide && image.height() <= JpegDecoder::MaximumSide
                      && qint64(image.width()) * image.height() <= JpegDecoder::MaximumPixels,
                  "a picture is within the bounds");
    return 0;
}
