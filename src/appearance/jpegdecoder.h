#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes a JPEG picture to 24-bit pixels with libjpeg. Every failure of
// the library (a damaged, truncated or empty file) is a refusal, never an
// exit, and a picture too large to hold is refused before any pixel is read.
namespace JpegDecoder {

inline constexpr int MaximumSide = 16384;
inline constexpr qint64 MaximumPixels = 64ll * 1024 * 1024;

// A null image on failure, with why in error.
QImage decode(const QByteArray &data, QString *error = nullptr);

} // namespace JpegDecoder
