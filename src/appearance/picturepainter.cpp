#include "appearance/picturepainter.h"

#include "appearance/paintkit.h"

#include <QLinearGradient>

using namespace PaintKit;

namespace {

QImage paintPadlock(bool closed)
{
    QImage image = newCanvas({16, 16});
    Painter p(&image);
    QPainterPath shackle;
    const double left = closed ? 4.5 : 8.5;
    const double foot = closed ? 8 : 5.5;
    shackle.moveTo(left, closed ? 8 : 7);
    shackle.lineTo(left, 4.5);
    shackle.arcTo(QRectF(left, 1, 7, 7), 180, -180);
    shackle.lineTo(left + 7, foot);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(95, 100, 110), 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(shackle);
    const QColor body = closed ? QColor(225, 172, 35) : QColor(150, 152, 158);
    p.setPen(QPen(body.darker(160), 1.0));
    QLinearGradient g(0, 7, 0, 15);
    g.setColorAt(0, body.lighter(125));
    g.setColorAt(1, body.darker(110));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2.5, 7.5, 11, 7.5), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 40, 30));
    p.drawEllipse(QPointF(8, 10.3), 1.3, 1.3);
    p.drawRect(QRectF(7.4, 10.5, 1.2, 2.6));
    return image;
}

QImage paintMoveTab(QColor ink)
{
    QImage image = newCanvas({18, 18});
    Painter p(&image);
    QPainterPath arrows = polygonPath({{9, 0.8}, {14.8, 6.5}, {3.2, 6.5}});
    arrows.addPath(polygonPath({{3.2, 11.5}, {14.8, 11.5}, {9, 17.2}}));
    QLinearGradient g(0, 0, 0, 18);
    g.setColorAt(0, ink.lighter(135));
    g.setColorAt(1, ink.darker(110));
    p.setPen(QPen(ink.darker(180), 1.0));
    p.setBrush(g);
    p.drawPath(arrows);
    // Two ridges between the arrows: the part to take hold of.
    p.setPen(Qt::NoPen);
    for (const int y : {7, 9}) {
        p.setBrush(ink.darker(170));
        p.drawRect(QRect(4, y + 1, 10, 1));
        p.setBrush(ink.lighter(150));
        p.drawRect(QRect(4, y, 10, 1));
    }
    return image;
}

QImage paintHourglass()
{
    QImage image = newCanvas({32, 32});
    Painter p(&image);
    QPainterPath glass;
    glass.moveTo(8, 5);
    glass.cubicTo(8, 12, 14.5, 13.5, 14.5, 16);
    glass.cubicTo(14.5, 18.5, 8, 20, 8, 27);
    glass.lineTo(24, 27);
    glass.cubicTo(24, 20, 17.5, 18.5, 17.5, 16);
    glass.cubicTo(17.5, 13.5, 24, 12, 24, 5);
    glass.closeSubpath();
    p.setBrush(QColor(228, 238, 248));
    p.drawPath(glass);
    p.save();
    p.setClipPath(glass);
    p.setBrush(QColor(225, 180, 80));
    p.drawRect(QRectF(8, 10, 16, 4));                                  // sand left on top
    p.drawPath(polygonPath({{8, 27}, {16, 21}, {24, 27}}));            // the heap below
    p.drawRect(QRectF(15.4, 13, 1.2, 10));                             // the running grain
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(110, 130, 155), 1.0));
    p.drawPath(glass);
    p.setPen(QPen(QColor(95, 60, 25), 1.0));
    QLinearGradient wood(0, 0, 0, 4);
    wood.setColorAt(0, QColor(190, 135, 70));
    wood.setColorAt(1, QColor(135, 85, 35));
    p.setBrush(wood);
    p.drawRoundedRect(QRectF(5.5, 2.5, 21, 3), 1, 1);
    p.setBrush(QColor(150, 100, 45));
    p.drawRoundedRect(QRectF(5.5, 26.5, 21, 3), 1, 1);
    return image;
}

QImage paintProgramIcon()
{
    QImage image = newCanvas({32, 32});
    Painter p(&image);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const QRectF r(1.5 + 10 * col, 1.5 + 10 * row, 9, 9);
            const bool active = row == 1 && col == 1;
            p.setPen(QPen(QColor(50, 60, 80), 1.0));
            p.setBrush(QColor(252, 252, 252));
            p.drawRect(r);
            p.setPen(Qt::NoPen);
            p.setBrush(active ? QColor(220, 40, 40) : QColor(60, 110, 200));
            p.drawRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, 2.5));
        }
    return image;
}

QImage paintResizeGrip()
{
    // Pixel-exact diagonals stay crisp at this size: three ridges, each a
    // light line with its shade below.
    QImage image = newCanvas({20, 20});
    const QRgb light = qRgba(255, 255, 255, 255);
    const QRgb shade = qRgba(96, 96, 96, 255);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const int fromCorner = 38 - (x + y);
            if (fromCorner == 3 || fromCorner == 8 || fromCorner == 13)
                image.setPixel(x, y, light);
            else if (fromCorner == 2 || fromCorner == 7 || fromCorner == 12)
                image.setPixel(x, y, shade);
        }
    return image;
}

// The squares of the map: an occupied cell, the active one's frame drawn
// over it, and the corner mark of a page with search highlights.
QImage paintNavSquare(SkinPicture which)
{
    QImage image = newCanvas({16, 16});
    Painter p(&image);
    switch (which) {
    case SkinPicture::NavUnselected:
        p.setBrush(QColor(70, 120, 200));
        p.drawRect(QRectF(2, 2, 12, 12));
        p.setBrush(QColor(235, 240, 250));
        p.drawRect(QRectF(3, 5, 10, 8));
        break;
    case SkinPicture::NavSelected:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(225, 35, 30), 2.0));
        p.drawRect(QRectF(2, 2, 12, 12));
        break;
    case SkinPicture::NavSearch:
        p.setBrush(QColor(255, 0, 255));
        p.drawEllipse(QPointF(11.5, 11.5), 3.2, 3.2);
        break;
    default:
        break;
    }
    return image;
}

QImage paintNavDelete(QColor metal)
{
    QImage image = newCanvas({16, 16});
    Painter p(&image);
    QPainterPath lid;
    lid.setFillRule(Qt::WindingFill);
    lid.addRect(QRectF(2.5, 2.5, 11, 2));
    lid.addRect(QRectF(6, 1, 4, 2));
    fillShaded(p, lid, metal);
    fillShaded(p, polygonPath({{3.5, 5}, {12.5, 5}, {11.5, 15}, {4.5, 15}}), metal);
    p.setBrush(metal.lighter(160));
    for (const double x : {6.0, 7.75, 9.5})
        p.drawRect(QRectF(x, 6.5, 0.8, 7));
    return image;
}

} // namespace

namespace PicturePainter {

QImage paint(SkinPicture which)
{
    switch (which) {
    case SkinPicture::SecurityOn:
        return paintPadlock(true);
    case SkinPicture::SecurityOff:
        return paintPadlock(false);
    case SkinPicture::MoveTabGray:
        return paintMoveTab(QColor(125, 125, 125));
    case SkinPicture::MoveTabColor:
        return paintMoveTab(QColor(225, 45, 30));
    case SkinPicture::Busy:
        return paintHourglass();
    case SkinPicture::ProgramIcon:
        return paintProgramIcon();
    case SkinPicture::Resize:
        return paintResizeGrip();
    case SkinPicture::NavUnselected:
    case SkinPicture::NavSelected:
    case SkinPicture::NavSearch:
        return paintNavSquare(which);
    case SkinPicture::NavDeleteGray:
        return paintNavDelete(QColor(125, 125, 130));
    case SkinPicture::NavDeleteColor:
        return paintNavDelete(QColor(215, 45, 40));
    }
    return {};
}

} // namespace PicturePainter
