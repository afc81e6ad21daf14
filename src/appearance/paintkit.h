#pragma once

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <initializer_list>

// The drawing tools the skin painters share: greys, canvases and strips in
// the key colour, and the paths the faces and glyphs are made of.
namespace PaintKit {

// The transparent colour of every strip and glyph (SkinImages::TransparentKey).
inline constexpr QRgb Key = 0xffff00ffu;

QColor grey(double lightness);
// A fully transparent ARGB picture to paint on.
QImage newCanvas(QSize size);
// A strip of count frames, filled with the key colour.
QImage newStrip(QSize frame, int count);
// Keyed pictures have no half-transparent pixels: what an antialiased
// painting covers by half or more becomes solid, the rest the key.
QImage flatten(const QImage &argb);
void putFrame(QImage &strip, const QImage &frame, int index);

// A painter set up the same way for every antialiased drawing.
struct Painter : QPainter
{
    explicit Painter(QImage *image) : QPainter(image)
    {
        setRenderHint(QPainter::Antialiasing);
        setPen(Qt::NoPen);
    }
};

// A face outline, shrunk by inset pixels on every side.
using Shape = std::function<QPainterPath(double inset)>;
Shape roundedShape(QRectF box, double leftRadius, double rightRadius);
// A tab leaning to the right. Neighbours placed `width` apart fit into each
// other without a gap, which is how the bar buttons overlap.
Shape slantedShape(double left, double lean, double width, double top, double bottom);

// Fills a shape with its colour, a little lighter at the top.
void fillShaded(QPainter &p, const QPainterPath &path, QColor c);
QPainterPath polygonPath(std::initializer_list<QPointF> points);
QPainterPath strokePath(const QPainterPath &line, double width, Qt::PenCapStyle cap = Qt::RoundCap,
                        Qt::PenJoinStyle join = Qt::RoundJoin);
QPainterPath linePath(std::initializer_list<QPointF> points);
QPainterPath circle(QPointF c, double r);
QPainterPath regularPolygon(QPointF c, double r, int corners, double startDegrees);
QPainterPath star(QPointF c, double outer, double inner);
QPainterPath mirrored(const QPainterPath &path, double width);
// A circular arrow turning clockwise, its head at the end of the arc.
QPainterPath circularArrow(QPointF c, double r, double startDegrees, double sweepDegrees, double thickness,
                           double head);

} // namespace PaintKit
