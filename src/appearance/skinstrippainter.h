#pragma once

#include "appearance/skinimages.h"

#include <QImage>

// Paints the neutral grey skin strips of the window: the frame bars, the grid
// edges and the faces of the skinned buttons (idle, over and down).
namespace SkinStripPainter {

QImage paint(SkinStrip which);

} // namespace SkinStripPainter
