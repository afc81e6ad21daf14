#include "appearance/glyphpainter.h"

#include "appearance/bigglyphsymbols.h"
#include "appearance/paintkit.h"

#include <algorithm>
#include <vector>

using namespace PaintKit;
using namespace GlyphPainter;

namespace {

double lightnessOf(QRgb c)
{
    const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
    const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
    return (hi + lo) / 510.0;
}

std::vector<bool> coverage(const QImage &symbol)
{
    std::vector<bool> inside(size_t(symbol.width() * symbol.height()));
    for (int y = 0; y < symbol.height(); ++y)
        for (int x = 0; x < symbol.width(); ++x)
            inside[size_t(y * symbol.width() + x)] = qAlpha(symbol.pixel(x, y)) >= 128;
    return inside;
}

// The colour style: the symbol in its own colours, a one-pixel outline and
// the stroke under it in the border colour.
QImage colorGlyph(const QImage &symbol, QPoint key, int baseLength)
{
    const int w = symbol.width();
    const int h = symbol.height();
    const std::vector<bool> in = coverage(symbol);
    const auto at = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && in[size_t(y * w + x)];
    };
    QImage out = flatten(symbol);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (at(x, y)) {
                if (line[x] == ColorBorder)
                    line[x] = qRgb(127, 127, 127);
                continue;
            }
            bool edge = false;
            for (int dy = -1; dy <= 1 && !edge; ++dy)
                for (int dx = -1; dx <= 1 && !edge; ++dx)
                    edge = at(x + dx, y + dy);
            if (edge)
                line[x] = ColorBorder;
        }
    }
    for (int x = key.x(); x < key.x() + baseLength && x < w; ++x)
        out.setPixel(x, key.y(), ColorBorder);
    return out;
}

// The bevel style: the symbol in greys, raised by a light upper-left edge
// and a lower-right edge in the border colour.
QImage bevelGlyph(const QImage &symbol, QPoint key, int baseLength)
{
    const int w = symbol.width();
    const int h = symbol.height();
    std::vector<bool> in = coverage(symbol);
    // The stroke under the symbol casts the shade that lands on the key point.
    const QPoint base = key - QPoint(1, 1);
    for (int x = base.x(); x < base.x() + baseLength && x < w; ++x)
        in[size_t(base.y() * w + x)] = true;
    const auto at = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && in[size_t(y * w + x)];
    };
    const QRgb light = grey(0.90).rgb();
    QImage out(symbol.size(), QImage::Format_RGB32);
    out.fill(Key);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (at(x, y)) {
                const QRgb c = symbol.pixel(x, y);
                double l = qAlpha(c) >= 128 ? lightnessOf(qUnpremultiply(c)) : 0.5;
                l = std::clamp(0.5 + (l - 0.5) * 0.7, 0.34, 0.74);
                line[x] = grey(l).rgb();
                if (line[x] == BevelBorder)
                    line[x] = qRgb(77, 77, 77);
            } else if (at(x - 1, y - 1)) {
                line[x] = BevelBorder;
            } else if (at(x + 1, y + 1)) {
                line[x] = light;
            }
        }
    }
    return out;
}

// The window buttons' symbols in a 28 x 16 frame, above the stroke on row 13.
const QColor WindowInk(55, 65, 90);

void paintMinimise(QPainter &p)
{
    QPainterPath bar;
    bar.addRect(QRectF(7, 8, 12, 3));
    fillShaded(p, bar, WindowInk);
}

void paintMaximise(QPainter &p)
{
    QPainterPath box;
    box.addRect(QRectF(7, 1, 12, 10));
    QPainterPath inside;
    inside.addRect(QRectF(9, 4, 8, 5));
    fillShaded(p, box.subtracted(inside), WindowInk);
}

void paintClose(QPainter &p)
{
    QPainterPath cross = strokePath(linePath({{8, 1.6}, {18, 10.4}}), 2.8, Qt::FlatCap);
    cross = cross.united(strokePath(linePath({{18, 1.6}, {8, 10.4}}), 2.8, Qt::FlatCap));
    fillShaded(p, cross, QColor(205, 45, 45));
}

// The pane buttons' symbols in a 44 x 22 frame, over the button's face.
void paintSelect(QPainter &p) // a target
{
    const QPointF c(16, 8);
    const QColor ink(40, 70, 150);
    p.setBrush(ink);
    p.drawEllipse(c, 6, 6);
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(c, 4, 4);
    p.setBrush(ink);
    p.drawEllipse(c, 2, 2);
}

void paintZoom(QPainter &p) // a magnifying glass with a plus
{
    const QPointF lens(14.5, 6.8);
    fillShaded(p, strokePath(linePath({{17.4, 9.7}, {21.8, 13.9}}), 3.2, Qt::FlatCap), QColor(150, 95, 45));
    p.setBrush(QColor(200, 230, 250));
    p.drawEllipse(lens, 4.0, 4.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 80, 100), 1.6));
    p.drawEllipse(lens, 4.3, 4.3);
    p.setPen(QPen(QColor(30, 40, 60), 1.2));
    p.drawLine(lens - QPointF(2.0, 0), lens + QPointF(2.0, 0));
    p.drawLine(lens - QPointF(0, 2.0), lens + QPointF(0, 2.0));
    p.setPen(Qt::NoPen);
}

// The hint buttons' symbols in a 20 x 35 frame, over the face at rows 10 to
// 24: the page's address, the lock that keeps the hint on, the resize grip.
void paintHintAddress(QPainter &p) // a page with lines of text
{
    fillShaded(p, polygonPath({{6, 12}, {12, 12}, {15, 15}, {15, 23}, {6, 23}}), QColor(240, 240, 245));
    p.setBrush(QColor(60, 90, 160));
    for (const double y : {15.0, 17.5, 20.0})
        p.drawRect(QRectF(7.5, y, 6, 1));
}

void paintHintLock(QPainter &p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(95, 100, 110), 1.6));
    p.drawArc(QRectF(7, 11.5, 6, 7), 0, 180 * 16);
    p.drawLine(QPointF(7, 15), QPointF(7, 17));
    p.drawLine(QPointF(13, 15), QPointF(13, 17));
    p.setPen(Qt::NoPen);
    fillShaded(p, polygonPath({{5.5, 17}, {14.5, 17}, {14.5, 23}, {5.5, 23}}), QColor(225, 172, 35));
}

void paintHintResize(QPainter &p) // a diagonal double arrow
{
    QPainterPath arrow = strokePath(linePath({{8, 14.5}, {13, 19.5}}), 1.8, Qt::FlatCap);
    arrow = arrow.united(polygonPath({{5.5, 12}, {10.5, 12.5}, {6, 17}}));
    arrow = arrow.united(polygonPath({{15.5, 22}, {10.5, 21.5}, {15, 17}}));
    fillShaded(p, arrow, QColor(40, 120, 210));
}

void paintSymbol(QPainter &p, GlyphSet set, int index)
{
    using SymbolPainter = void (*)(QPainter &);
    static constexpr SymbolPainter Window[] = {paintMinimise, paintMaximise, paintClose};
    static constexpr SymbolPainter Pane[] = {paintSelect, paintZoom};
    static constexpr SymbolPainter Hint[] = {paintHintAddress, paintHintLock, paintHintResize};
    switch (set) {
    case GlyphSet::Window:
        Window[index](p);
        break;
    case GlyphSet::BigGlyph:
        BigGlyphSymbols::paint(p, index);
        break;
    case GlyphSet::BrowserButton:
        Pane[index](p);
        break;
    case GlyphSet::NavHint:
        Hint[index](p);
        break;
    }
}

} // namespace

namespace GlyphPainter {

Layout layoutOf(GlyphSet set)
{
    switch (set) {
    case GlyphSet::Window:
        return {{28, 16}, 1, 3, 17};
    case GlyphSet::BigGlyph:
        return {{24, 24}, 0, SkinImages::BigGlyphCount, 20};
    case GlyphSet::BrowserButton:
        return {{44, 22}, 3, 2, 18};
    case GlyphSet::NavHint:
        return {{20, 35}, 2, 3, 1};
    }
    return {{24, 24}, 0, 0, 0};
}

QImage paintStrip(GlyphSet set, GlyphStyle style)
{
    const Layout layout = layoutOf(set);
    const bool bevel = style == GlyphStyle::Bevel;
    const QPoint key = SkinImages::glyphKeyPoint(layout.kind, bevel);
    QImage strip = newStrip(layout.size, layout.count);
    for (int i = 0; i < layout.count; ++i) {
        QImage symbol = newCanvas(layout.size);
        {
            Painter p(&symbol);
            paintSymbol(p, set, i);
        }
        putFrame(strip, bevel ? bevelGlyph(symbol, key, layout.baseLength) : colorGlyph(symbol, key, layout.baseLength),
                 i);
    }
    return strip;
}

} // namespace GlyphPainter
