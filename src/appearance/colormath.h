#pragma once

#include <QColor>
#include <QImage>

// The colour arithmetic of the skin: colour references (red + 256 x green +
// 65536 x blue, red in the low byte), and the tinting of a skin picture
// towards a colour, where only a pixel's lightness counts.
namespace ColorMath {

inline constexpr int NoGlyphColour = 536870911; // "none" for the button glyph colour

int colourRef(const QColor &colour);
QColor fromRef(int ref);

struct Hsl
{
    double h = 0, s = 0, l = 0;
};
Hsl rgbToHsl(QRgb rgb);
double hueToRgb(double m1, double m2, double h);

// The pixel's lightness carried over to the target colour's hue and
// saturation: black stays black, white stays white, mid-grey becomes the
// target itself.
QRgb colorizeColor(int target, QRgb pixel);

// A colorize of every lightness at once for one target: the pixel's
// lightness depends only on max + min of its channels (0..510).
class Tint
{
public:
    explicit Tint(int target);
    QRgb operator()(QRgb pixel) const;

private:
    QRgb m_table[511];
};

// Tinted 24-bit copies of a picture. Keep-transparent: the key (column 0 of
// the bottom row) stays, every other pixel is tinted. All: every pixel.
QImage recolorKeepTransparent(const QImage &picture, int colour);
QImage recolorAll(const QImage &picture, int colour);
// Glyphs: the key stays; pixels of the border key (at the kind's point)
// take the border colour, the others the glyph colour, or keep their own
// when the glyph colour is NoGlyphColour. Applied frame by frame across a
// strip of frames of the given width.
QImage recolorGlyph(const QImage &strip, int frameWidth, int kind, bool bevel, int border, int glyph);

} // namespace ColorMath
