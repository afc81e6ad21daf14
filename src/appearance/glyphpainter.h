#pragma once

#include "appearance/skinimages.h"

#include <QImage>
#include <QSize>

// Paints the glyph strips: every symbol of a set in the bevel or the colour
// style, with the border colour where tinting expects it.
namespace GlyphPainter {

// Mid-grey: tinting turns it into exactly the border colour (colour style).
inline constexpr QRgb ColorBorder = 0xff808080u;
// Dark grey: the shade side of an embossed glyph (bevel style).
inline constexpr QRgb BevelBorder = 0xff4c4c4cu;

struct Layout
{
    QSize size;
    int kind;
    int count;
    int baseLength; // the border stroke under the symbol
};

Layout layoutOf(GlyphSet set);
QImage paintStrip(GlyphSet set, GlyphStyle style);

} // namespace GlyphPainter
