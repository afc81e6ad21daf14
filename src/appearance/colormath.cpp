#include "appearance/colormath.h"

#include "appearance/skinimages.h"

#include <algorithm>
#include <cmath>

namespace ColorMath {

int colourRef(const QColor &colour)
{
    return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

QColor fromRef(int ref)
{
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

Hsl rgbToHsl(QRgb rgb)
{
    const double r = qRed(rgb) / 255.0, g = qGreen(rgb) / 255.0, b = qBlue(rgb) / 255.0;
    const double max = std::max({r, g, b}), min = std::min({r, g, b});
    Hsl hsl;
    hsl.l = (max + min) / 2;
    if (max == min)
        return hsl;
    hsl.s = hsl.l < 0.5 ? (max - min) / (max + min) : (max - min) / (2 - max - min);
    const double d = max - min;
    // Each test overwrites the one before, red, green, blue in that order.
    if (r == max)
        hsl.h = (g - b) / d;
    if (g == max)
        hsl.h = 2 + (b - r) / d;
    if (b == max)
        hsl.h = 4 + (r - g) / d;
    hsl.h /= 6;
    if (hsl.h < 0)
        hsl.h += 1;
    return hsl;
}

double hueToRgb(double m1, double m2, double h)
{
    if (h < 0)
        h += 1;
    else if (h > 1)
        h -= 1;
    if (6 * h < 1)
        return m1 + (m2 - m1) * 6 * h;
    if (2 * h < 1)
        return m2;
    if (3 * h < 2)
        return m1 + (m2 - m1) * (2.0 / 3 - h) * 6;
    return m1;
}

namespace {

// The colorize of a pixel lightness lp for a clamped target.
QRgb colorize(const Hsl &t, double lp)
{
    double mid = 0.5, satLow = t.s, satHigh = t.s, l = lp;
    if (t.l != 0.5) {
        l = lp <= 0.5 ? t.l / 0.5 * lp : (lp - 0.5) / (0.5 / (1 - t.l)) + t.l;
        if (t.l > 0.5 && t.s != 0)
            satLow = (1 - t.l) / (t.l / t.s);
        else if (t.l < 0.5 && t.s != 0)
            satHigh = t.l * t.s / (1 - t.l);
        mid = t.l;
    }
    if (l < 0 || l > 1)
        l = lp;
    double r = l, g = l, b = l;
    if (satLow != 0 && satHigh != 0) {
        const double m2 = l <= mid ? (1 + satLow) * l : l + satHigh - l * satHigh;
        const double m1 = 2 * l - m2;
        r = hueToRgb(m1, m2, t.h + 1.0 / 3);
        g = hueToRgb(m1, m2, t.h);
        b = hueToRgb(m1, m2, t.h - 1.0 / 3);
    }
    // Halves to even, as the platform's rounding does.
    const auto channel = [](double v) { return std::clamp(int(std::nearbyint(v * 255)), 0, 255); };
    return qRgb(channel(r), channel(g), channel(b));
}

Hsl clampedTarget(int target)
{
    // Never exactly black or white: the lightness must stay inside (0, 1).
    QRgb t = fromRef(target).rgb();
    if (target >= 16777215)
        t = qRgb(254, 254, 254);
    else if (target <= 0)
        t = qRgb(1, 1, 1);
    return rgbToHsl(t);
}

} // namespace

QRgb colorizeColor(int target, QRgb pixel)
{
    const Hsl t = clampedTarget(target);
    return colorize(t, rgbToHsl(pixel).l);
}

Tint::Tint(int target)
{
    const Hsl t = clampedTarget(target);
    for (int sum = 0; sum <= 510; ++sum)
        m_table[sum] = colorize(t, sum / 510.0);
}

QRgb Tint::operator()(QRgb pixel) const
{
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    return m_table[std::max({r, g, b}) + std::min({r, g, b})];
}

namespace {

QImage copy24(const QImage &picture)
{
    return picture.convertToFormat(QImage::Format_RGB32);
}

QRgb keyOf(const QImage &picture)
{
    return picture.pixel(0, picture.height() - 1) | 0xff000000u;
}

} // namespace

QImage recolorKeepTransparent(const QImage &picture, int colour)
{
    if (picture.isNull())
        return {};
    QImage out = copy24(picture);
    const QRgb key = keyOf(out);
    const Tint tint(colour);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (line[x] != key)
                line[x] = tint(line[x]);
    }
    return out;
}

QImage recolorAll(const QImage &picture, int colour)
{
    if (picture.isNull())
        return {};
    QImage out = copy24(picture);
    const Tint tint(colour);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = tint(line[x]);
    }
    return out;
}

QImage recolorGlyph(const QImage &strip, int frameWidth, int kind, bool bevel, int border, int glyph)
{
    if (strip.isNull() || frameWidth <= 0)
        return {};
    QImage out = copy24(strip);
    const QRgb key = keyOf(out);
    const QPoint point = SkinImages::glyphKeyPoint(kind, bevel);
    if (point.x() < 0 || point.x() >= frameWidth || point.y() >= out.height())
        return out;
    const Tint borderTint(border);
    const Tint glyphTint(glyph);
    const bool keepGlyph = glyph == NoGlyphColour;
    for (int left = 0; left + frameWidth <= out.width(); left += frameWidth) {
        // Each frame carries its own border key at the point.
        const QRgb borderKey = out.pixel(left + point.x(), point.y()) | 0xff000000u;
        for (int y = 0; y < out.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = left; x < left + frameWidth; ++x) {
                const QRgb p = line[x];
                if (p == key)
                    continue;
                if (p == borderKey)
                    line[x] = borderTint(p);
                else if (!keepGlyph)
                    line[x] = glyphTint(p);
            }
        }
    }
    return out;
}

} // namespace ColorMath
