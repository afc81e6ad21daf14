#pragma once

class QPainter;

// The symbols of the big glyphs (ilBigGlyphs), one painter per glyph, each
// in a 24 x 24 frame. They keep to x 2..22 and y 1..19 so that the outline
// and the stroke underneath fit.
namespace BigGlyphSymbols {

// Paints glyph index (SkinImages::BigGlyph); nothing for an unknown index.
void paint(QPainter &p, int index);

} // namespace BigGlyphSymbols
