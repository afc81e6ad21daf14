#include "appearance/gridbackground.h"

#include "appearance/jpegdecoder.h"
#include "core/safesave.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

namespace GridBackground {

QString filePath(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("Aesthetic Profiles/gbi_active.bmp");
}

QImage readPicture(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    // No more than a picture can be: a file of gigabytes is not read.
    constexpr qint64 MaximumBytes = 256ll * 1024 * 1024;
    if (file.size() > MaximumBytes) {
        if (error)
            *error = QStringLiteral("the file is too large");
        return {};
    }
    const QByteArray data = file.readAll();
    if (data.startsWith("\xFF\xD8"))
        return JpegDecoder::decode(data, error);
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    const auto tooLarge = [error](QSize size) {
        // A bitmap stored top down has a negative height in its header.
        const qint64 width = qAbs(qint64(size.width())), height = qAbs(qint64(size.height()));
        if (width <= JpegDecoder::MaximumSide && height <= JpegDecoder::MaximumSide
            && width * height <= JpegDecoder::MaximumPixels)
            return false;
        if (error)
            *error = QStringLiteral("a picture of %1 x %2 pixels is too large").arg(width).arg(height);
        return true;
    };
    // The same bounds as for a JPEG, checked on the header before any pixel,
    // and on the picture read, whatever the header said.
    if (tooLarge(reader.size()))
        return {};
    const QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = reader.errorString();
        return {};
    }
    if (tooLarge(image.size()))
        return {};
    return image;
}

bool store(const QString &sourcePath, const QString &dataFolder, QString *error)
{
    const QImage picture = readPicture(sourcePath, error);
    if (picture.isNull())
        return false;
    const QString target = filePath(dataFolder);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QBuffer bitmap;
    bitmap.open(QIODevice::WriteOnly);
    QImageWriter writer(&bitmap, "bmp");
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888))) {
        if (error)
            *error = writer.errorString();
        return false;
    }
    const SafeSave::Outcome saved = SafeSave::write(target, bitmap.data());
    if (!saved && error)
        *error = SafeSave::failureMessage(QStringLiteral("the grid background image"), target, saved);
    return saved;
}

QImage load(const QString &dataFolder)
{
    const QString path = filePath(dataFolder);
    return QFileInfo::exists(path) ? readPicture(path) : QImage();
}

} // namespace GridBackground
