#pragma once

#include <QImage>
#include <QString>

// The grid's background picture: the user's BMP or JPEG, kept as the 24-bit
// bitmap "gbi_active.bmp" in the data folder's "Aesthetic Profiles".
namespace GridBackground {

QString filePath(const QString &dataFolder);

// The picture of a BMP or JPEG file; a null image (and why) when it cannot
// be read.
QImage readPicture(const QString &path, QString *error = nullptr);

// Stores a picked file as the background: decoded first, written safely
// (SafeSave), so a damaged pick or a failed write leaves the old background
// whole. error gets why the picture cannot be read, or, when the write
// failed, the whole message: "Could not save the grid background image:
// <cause>. The earlier file is kept."
bool store(const QString &sourcePath, const QString &dataFolder, QString *error = nullptr);

// The stored background, a null image when there is none.
QImage load(const QString &dataFolder);

} // namespace GridBackground
