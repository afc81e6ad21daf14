#pragma once

#include "appearance/skinimages.h"

#include <QImage>

// Paints the single pictures that are shown as they are, never tinted: the
// padlocks, the move tabs, the hourglass, the program icon and the grip.
namespace PicturePainter {

QImage paint(SkinPicture which);

} // namespace PicturePainter
