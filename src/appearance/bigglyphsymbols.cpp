#include "appearance/bigglyphsymbols.h"

#include "appearance/paintkit.h"
#include "appearance/skinimages.h"

#include <QRadialGradient>
#include <QTransform>

#include <array>

using namespace PaintKit;

namespace {

// Most symbols are drawn round this point.
const QPointF Centre(12, 10);

// A map of 3 x 3 cells, the current one lit
void paintNavGrid(QPainter &p)
{
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            QPainterPath cell;
            cell.addRect(QRectF(3 + 6 * col, 1 + 6 * row, 5, 5));
            fillShaded(p, cell, row == 1 && col == 1 ? QColor(240, 150, 40)
                                                     : QColor(70, 120, 200));
        }
}

// A star: the saved addresses
void paintManager(QPainter &p)
{
    fillShaded(p, star(Centre + QPointF(0, 0.6), 9.4, 3.9), QColor(235, 180, 30));
}

// A spanner
void paintGridTools(QPainter &p)
{
    QPainterPath head = circle(QPointF(15.5, 6.2), 5.0);
    QPainterPath jaw;
    jaw.addRect(QRectF(-1.9, -8, 3.8, 8));
    jaw = QTransform().translate(16.2, 5.5).rotate(45).map(jaw);
    const QPainterPath handle = strokePath(linePath({{14, 8}, {5, 17}}), 4.2);
    fillShaded(p, head.subtracted(jaw).united(handle), QColor(110, 125, 150));
}

// A radar screen with its sweep
void paintScanner(QPainter &p)
{
    fillShaded(p, circle(Centre, 8.6), QColor(25, 105, 55));
    p.setPen(QPen(QColor(90, 190, 110), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(Centre, 5.5, 5.5);
    p.drawEllipse(Centre, 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(130, 235, 140));
    p.drawPie(QRectF(Centre.x() - 7.6, Centre.y() - 7.6, 15.2, 15.2), 30 * 16, 55 * 16);
    p.setBrush(QColor(235, 255, 235));
    p.drawEllipse(QPointF(16.5, 12.5), 1.3, 1.3);
}

// A globe
void paintWebAddressMode(QPainter &p)
{
    const QPainterPath ball = circle(Centre, 8.6);
    QRadialGradient g(Centre - QPointF(3, 3), 12);
    g.setColorAt(0, QColor(110, 170, 240));
    g.setColorAt(1, QColor(30, 85, 180));
    p.fillPath(ball, g);
    p.save();
    p.setClipPath(ball);
    p.setPen(QPen(QColor(190, 225, 255), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(Centre, 4.0, 8.6);
    p.drawLine(QPointF(12, 1), QPointF(12, 19));
    p.drawLine(QPointF(3, 10), QPointF(21, 10));
    p.drawLine(QPointF(3, 5.5), QPointF(21, 5.5));
    p.drawLine(QPointF(3, 14.5), QPointF(21, 14.5));
    p.restore();
}

void paintFolder(QPainter &p)
{
    fillShaded(p, polygonPath({{3, 3}, {9.5, 3}, {11.5, 5.5}, {21, 5.5}, {21, 18}, {3, 18}}),
               QColor(205, 145, 35));
    fillShaded(p, polygonPath({{3, 8.5}, {21, 8.5}, {21, 18}, {3, 18}}), QColor(245, 200, 80));
}

// Two links of a chain
void paintLinksMode(QPainter &p)
{
    QPainterPath link;
    link.addRoundedRect(QRectF(-5.8, -3.2, 11.6, 6.4), 3.2, 3.2);
    const QPainterPath ring = strokePath(link, 2.4);
    fillShaded(p, QTransform().translate(8.6, 13.4).rotate(-45).map(ring), QColor(60, 105, 175));
    fillShaded(p, QTransform().translate(15.4, 6.6).rotate(-45).map(ring), QColor(85, 140, 210));
}

// A magnifying glass
void paintWebSearchMode(QPainter &p)
{
    const QPointF lens(10, 8.5);
    fillShaded(p, strokePath(linePath({{14.6, 13.1}, {19.2, 17.4}}), 4.0, Qt::FlatCap),
               QColor(150, 95, 45));
    p.setBrush(QColor(195, 228, 250));
    p.drawEllipse(lens, 5.4, 5.4);
    p.setBrush(QColor(250, 253, 255));
    p.drawEllipse(lens - QPointF(2, 2), 1.6, 1.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 80, 100), 2.4));
    p.drawEllipse(lens, 5.8, 5.8);
    p.setPen(Qt::NoPen);
}

// Back points left; forward is its mirror image.
void paintArrow(QPainter &p, bool forward)
{
    QPainterPath arrow = polygonPath(
        {{2.5, 10}, {11, 1.8}, {11, 6.5}, {21, 6.5}, {21, 13.5}, {11, 13.5}, {11, 18.2}});
    if (forward)
        arrow = mirrored(arrow, 24);
    fillShaded(p, arrow, QColor(55, 160, 70));
}

void paintBack(QPainter &p)
{
    paintArrow(p, false);
}

void paintForward(QPainter &p)
{
    paintArrow(p, true);
}

void paintRefresh(QPainter &p)
{
    fillShaded(p, circularArrow(Centre, 6.2, 90, -265, 2.8, 4.0), QColor(35, 140, 180));
}

void paintStop(QPainter &p)
{
    fillShaded(p, regularPolygon(Centre, 9.0, 8, 22.5), QColor(205, 40, 40));
    p.setPen(QPen(QColor(255, 255, 255), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.7, 6.7), QPointF(15.3, 13.3));
    p.drawLine(QPointF(15.3, 6.7), QPointF(8.7, 13.3));
    p.setPen(Qt::NoPen);
}

// A diskette
void paintFileTools(QPainter &p)
{
    fillShaded(p, polygonPath({{3, 1.5}, {18.5, 1.5}, {21, 4}, {21, 18.5}, {3, 18.5}}),
               QColor(45, 80, 160));
    p.setBrush(QColor(205, 210, 220));
    p.drawRect(QRectF(7, 1.5, 10, 6));
    p.setBrush(QColor(45, 80, 160));
    p.drawRect(QRectF(13, 2.5, 2, 4));
    p.setBrush(QColor(248, 248, 248));
    p.drawRect(QRectF(6, 11, 12, 7.5));
    p.setBrush(QColor(170, 175, 190));
    p.drawRect(QRectF(7.5, 13, 9, 1));
    p.drawRect(QRectF(7.5, 15.5, 9, 1));
}

void paintPrint(QPainter &p)
{
    p.setBrush(QColor(245, 245, 245));
    p.drawRect(QRectF(7, 1.5, 10, 7));
    fillShaded(p, roundedShape(QRectF(2.5, 7, 19, 8.5), 2, 2)(0), QColor(115, 120, 135));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(6.5, 12.5, 11, 6));
    p.setBrush(QColor(160, 165, 175));
    p.drawRect(QRectF(8, 14.5, 8, 1));
    p.drawRect(QRectF(8, 16.5, 6, 1));
    p.setBrush(QColor(60, 210, 80));
    p.drawEllipse(QPointF(18.3, 9.8), 1.0, 1.0);
}

// A waste bin
void paintDelete(QPainter &p)
{
    const QColor metal(100, 115, 135);
    QPainterPath lid;
    lid.setFillRule(Qt::WindingFill);
    lid.addRect(QRectF(4, 3.5, 16, 2.5));
    lid.addRect(QRectF(9.5, 1.5, 5, 2.5));
    fillShaded(p, lid, metal);
    fillShaded(p, polygonPath({{5, 6.5}, {19, 6.5}, {17.6, 18.5}, {6.4, 18.5}}), metal);
    p.setBrush(QColor(175, 190, 205));
    for (const double x : {9.0, 11.5, 14.0})
        p.drawRect(QRectF(x, 8.5, 1, 8));
}

// Out of the box, to the system browser
void paintJump(QPainter &p)
{
    fillShaded(p, strokePath(linePath({{10.5, 7.5}, {3.8, 7.5}, {3.8, 17.7}, {14, 17.7}, {14, 12}}),
                             2.2, Qt::SquareCap, Qt::MiterJoin),
               QColor(100, 110, 125));
    QPainterPath arrow = strokePath(linePath({{8, 13}, {16.5, 4.5}}), 2.6, Qt::FlatCap);
    arrow = arrow.united(polygonPath({{21, 1.5}, {12.5, 2.3}, {20.2, 10}}));
    fillShaded(p, arrow, QColor(40, 120, 210));
}

void paintNewBrowser(QPainter &p)
{
    QPainterPath upright;
    upright.addRect(QRectF(9.5, 1.5, 5, 17));
    QPainterPath across;
    across.addRect(QRectF(3.5, 7.5, 17, 5));
    fillShaded(p, upright.united(across), QColor(50, 165, 70));
}

// A bent arrow
void paintRedirect(QPainter &p)
{
    QPainterPath shaft;
    shaft.moveTo(5, 2);
    shaft.lineTo(5, 8.5);
    shaft.quadTo(5, 14.5, 11, 14.5);
    shaft.lineTo(16, 14.5);
    QPainterPath arrow = strokePath(shaft, 3.4, Qt::FlatCap);
    arrow = arrow.united(polygonPath({{21.5, 14.5}, {15.5, 10}, {15.5, 19}}));
    fillShaded(p, arrow, QColor(230, 125, 35));
}

// Two chevrons pointing down (next) or up (prior).
void paintChevrons(QPainter &p, bool next)
{
    const double d = next ? 1 : -1;
    const double y0 = next ? 3 : 16.5;
    QPainterPath chevrons;
    chevrons.setFillRule(Qt::WindingFill);
    for (const double y : {y0, y0 + 7 * d})
        chevrons.addPath(strokePath(linePath({{5, y}, {12, y + 6 * d}, {19, y}}), 3.0,
                                    Qt::FlatCap, Qt::MiterJoin));
    fillShaded(p, chevrons, QColor(120, 80, 190));
}

void paintNextBrowser(QPainter &p)
{
    paintChevrons(p, true);
}

void paintPriorBrowser(QPainter &p)
{
    paintChevrons(p, false);
}

// A cog
void paintAppTools(QPainter &p)
{
    QPainterPath cog = circle(Centre, 6.0);
    QPainterPath tooth;
    tooth.addRect(QRectF(-2.0, -9.0, 4.0, 5.0));
    for (int i = 0; i < 6; ++i)
        cog = cog.united(QTransform().translate(Centre.x(), Centre.y()).rotate(60.0 * i).map(tooth));
    fillShaded(p, cog, QColor(115, 120, 135));
    p.setBrush(QColor(215, 220, 228));
    p.drawEllipse(Centre, 2.4, 2.4);
}

void paintCustomHouse(QPainter &p)
{
    p.setBrush(QColor(235, 215, 165));
    p.drawRect(QRectF(5, 9, 14, 9.5));
    fillShaded(p, polygonPath({{15.5, 2.5}, {18, 2.5}, {18, 7}, {15.5, 7}}), QColor(195, 55, 45));
    fillShaded(p, polygonPath({{2, 10.5}, {12, 1.5}, {22, 10.5}}), QColor(195, 55, 45));
    p.setBrush(QColor(140, 85, 40));
    p.drawRect(QRectF(10.5, 12.5, 3.5, 6));
}

// Two quavers on a beam
void paintCustomNote(QPainter &p)
{
    QPainterPath note;
    note.setFillRule(Qt::WindingFill);
    QPainterPath head;
    head.addEllipse(QPointF(0, 0), 3.2, 2.3);
    note.addPath(QTransform().translate(6.8, 15.6).rotate(-20).map(head));
    note.addPath(QTransform().translate(17.2, 13.6).rotate(-20).map(head));
    note.addRect(QRectF(8.9, 4, 1.6, 11.4));
    note.addRect(QRectF(19.3, 2, 1.6, 11.4));
    note.addPath(polygonPath({{8.9, 3.6}, {20.9, 1.4}, {20.9, 4.6}, {8.9, 6.8}}));
    fillShaded(p, note, QColor(125, 60, 175));
}

void paintCustomHeart(QPainter &p)
{
    QPainterPath heart;
    heart.moveTo(12, 18.3);
    heart.cubicTo(5, 13, 1.6, 9.5, 2.6, 5.6);
    heart.cubicTo(3.6, 1.6, 9.6, 1.0, 12, 5.4);
    heart.cubicTo(14.4, 1.0, 20.4, 1.6, 21.4, 5.6);
    heart.cubicTo(22.4, 9.5, 19, 13, 12, 18.3);
    fillShaded(p, heart, QColor(215, 45, 75));
}

void paintCustomLightning(QPainter &p)
{
    fillShaded(p,
               polygonPath({{14.5, 1.5}, {5, 11}, {11, 11}, {8, 18.5}, {19, 7.5}, {13, 7.5},
                            {17, 1.5}}),
               QColor(245, 180, 25));
}

using SymbolPainter = void (*)(QPainter &);

// In the order of SkinImages::BigGlyph.
const std::array<SymbolPainter, SkinImages::BigGlyphCount> Symbols = {
    paintNavGrid,
    paintManager,
    paintGridTools,
    paintScanner,
    paintWebAddressMode,
    paintFolder,
    paintLinksMode,
    paintWebSearchMode,
    paintBack,
    paintForward,
    paintRefresh,
    paintStop,
    paintFileTools,
    paintPrint,
    paintDelete,
    paintJump,
    paintNewBrowser,
    paintRedirect,
    paintNextBrowser,
    paintAppTools,
    paintCustomHouse,
    paintCustomNote,
    paintCustomHeart,
    paintCustomLightning,
    paintPriorBrowser
};

} // namespace

namespace BigGlyphSymbols {

void paint(QPainter &p, int index)
{
    if (index >= 0 && index < int(Symbols.size()))
        Symbols[size_t(index)](p);
}

} // namespace BigGlyphSymbols
