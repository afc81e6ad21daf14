#include "appearance/paintkit.h"

#include <QLinearGradient>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace PaintKit {

QColor grey(double lightness)
{
    const int v = std::clamp(int(std::lround(lightness * 255.0)), 0, 255);
    return QColor(v, v, v);
}

QImage newCanvas(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage newStrip(QSize frame, int count)
{
    QImage image(frame.width() * count, frame.height(), QImage::Format_RGB32);
    image.fill(Key);
    return image;
}

QImage flatten(const QImage &argb)
{
    QImage out(argb.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(src[x]) < 128) {
                dst[x] = Key;
                continue;
            }
            const QRgb c = qUnpremultiply(src[x]) | 0xff000000u;
            dst[x] = c == Key ? qRgb(254, 0, 254) : c;
        }
    }
    return out;
}

void putFrame(QImage &strip, const QImage &frame, int index)
{
    QPainter p(&strip);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(index * frame.width(), 0, frame);
}

Shape roundedShape(QRectF box, double leftRadius, double rightRadius)
{
    return [=](double inset) {
        const QRectF r = box.adjusted(inset, inset, -inset, -inset);
        const double rl = std::max(0.0, std::min(leftRadius - inset, r.height() / 2));
        const double rr = std::max(0.0, std::min(rightRadius - inset, r.height() / 2));
        QPainterPath path;
        path.moveTo(r.left() + rl, r.top());
        path.lineTo(r.right() - rr, r.top());
        path.arcTo(QRectF(r.right() - 2 * rr, r.top(), 2 * rr, 2 * rr), 90, -90);
        path.lineTo(r.right(), r.bottom() - rr);
        path.arcTo(QRectF(r.right() - 2 * rr, r.bottom() - 2 * rr, 2 * rr, 2 * rr), 0, -90);
        path.lineTo(r.left() + rl, r.bottom());
        path.arcTo(QRectF(r.left(), r.bottom() - 2 * rl, 2 * rl, 2 * rl), 270, -90);
        path.lineTo(r.left(), r.top() + rl);
        path.arcTo(QRectF(r.left(), r.top(), 2 * rl, 2 * rl), 180, -90);
        path.closeSubpath();
        return path;
    };
}

Shape slantedShape(double left, double lean, double width, double top, double bottom)
{
    return [=](double inset) {
        const auto edge = [&](double y) { return left + lean * (bottom - y) / (bottom - top); };
        const double yt = top + inset;
        const double yb = bottom - inset;
        QPainterPath path;
        path.addPolygon(QPolygonF({QPointF(edge(yb) + inset, yb), QPointF(edge(yt) + inset, yt),
                                   QPointF(edge(yt) + width - inset, yt),
                                   QPointF(edge(yb) + width - inset, yb)}));
        path.closeSubpath();
        return path;
    };
}

void fillShaded(QPainter &p, const QPainterPath &path, QColor c)
{
    const QRectF r = path.boundingRect();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, c.lighter(122));
    g.setColorAt(1, c.darker(112));
    p.fillPath(path, g);
}

QPainterPath polygonPath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

QPainterPath strokePath(const QPainterPath &line, double width, Qt::PenCapStyle cap, Qt::PenJoinStyle join)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(join);
    return stroker.createStroke(line).simplified();
}

QPainterPath linePath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &pt : points) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    return path;
}

QPainterPath circle(QPointF c, double r)
{
    QPainterPath path;
    path.addEllipse(c, r, r);
    return path;
}

QPainterPath regularPolygon(QPointF c, double r, int corners, double startDegrees)
{
    QPolygonF poly;
    for (int i = 0; i < corners; ++i) {
        const double a = (startDegrees + 360.0 * i / corners) * std::numbers::pi / 180.0;
        poly << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    }
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

QPainterPath star(QPointF c, double outer, double inner)
{
    QPolygonF poly;
    for (int i = 0; i < 10; ++i) {
        const double a = (-90.0 + 36.0 * i) * std::numbers::pi / 180.0;
        const double r = i % 2 ? inner : outer;
        poly << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    }
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

QPainterPath mirrored(const QPainterPath &path, double width)
{
    return QTransform(-1, 0, 0, 1, width, 0).map(path);
}

QPainterPath circularArrow(QPointF c, double r, double startDegrees, double sweepDegrees,
                           double thickness, double head)
{
    QPainterPath arc;
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    arc.arcMoveTo(box, startDegrees);
    arc.arcTo(box, startDegrees, sweepDegrees);
    QPainterPath path = strokePath(arc, thickness, Qt::FlatCap);
    const double a = (startDegrees + sweepDegrees) * std::numbers::pi / 180.0;
    const QPointF end(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
    const QPointF radial(std::cos(a), -std::sin(a));
    const QPointF ahead(std::sin(a), std::cos(a)); // clockwise on screen
    path = path.united(polygonPath(
        {end + radial * head, end + ahead * head * 1.2, end - radial * head}));
    return path;
}

} // namespace PaintKit
