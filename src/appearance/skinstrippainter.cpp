#include "appearance/skinstrippainter.h"

#include "appearance/paintkit.h"

#include <QLinearGradient>
#include <QPolygonF>

#include <algorithm>

using namespace PaintKit;

namespace {

enum class Press { Idle, Over, Down };

// A raised face lit from the top left; over is lighter, down is sunken.
// `shade` darkens the body for faces that should stand out.
QImage paintFace(QSize size, const Shape &shape, Press state, double shade = 0.0)
{
    QImage canvas = newCanvas(size);
    Painter p(&canvas);
    const bool down = state == Press::Down;
    const double lift = state == Press::Over ? 0.08 : 0.0;
    const QRectF box = shape(0).boundingRect();

    p.setBrush(grey(down ? 0.16 : 0.22));
    p.drawPath(shape(0));

    const QPainterPath rim = shape(1);
    p.save();
    p.setClipPath(rim);
    p.setBrush(grey(down ? 0.64 : 0.34 + lift - shade));
    p.drawPath(rim);
    p.setBrush(grey(down ? 0.28 : 0.88 + lift / 2));
    p.drawPath(rim.translated(-1, -1));
    p.restore();

    QLinearGradient body(box.topLeft(), box.bottomLeft());
    if (down) {
        body.setColorAt(0, grey(0.36 - shade));
        body.setColorAt(1, grey(0.50 - shade));
    } else {
        body.setColorAt(0, grey(0.66 + lift - shade));
        body.setColorAt(0.45, grey(0.53 + lift - shade));
        body.setColorAt(1, grey(0.45 + lift - shade));
    }
    p.setBrush(body);
    p.drawPath(shape(2));
    p.end();
    return flatten(canvas);
}

// Writes idle, over and down of one face from frame `first` on.
void putButton(QImage &strip, QSize size, int first, const Shape &shape, double shade = 0.0)
{
    putFrame(strip, paintFace(size, shape, Press::Idle, shade), first);
    putFrame(strip, paintFace(size, shape, Press::Over, shade), first + 1);
    putFrame(strip, paintFace(size, shape, Press::Down, shade), first + 2);
}

// --- Window frame strips -------------------------------------------------

constexpr int kBarRows = 31; // the visible height of the top and bottom strips

// Lightness of each row of the top strip: a highlight on top, the body, and
// the lip that rounds down to the grid.
double topRow(int y)
{
    static constexpr double lip[] = {0.44, 0.38, 0.30, 0.22, 0.14};
    if (y == 0)
        return 0.82;
    if (y == 1)
        return 0.68;
    if (y <= 25)
        return 0.60 - 0.12 * (y - 2) / 23.0;
    return lip[std::min(y, 30) - 26];
}

// The bottom strip: the lip coming up from the grid, then the body.
double bottomRow(int y)
{
    static constexpr double lip[] = {0.14, 0.24, 0.34, 0.44, 0.78};
    if (y <= 4)
        return lip[y];
    if (y <= 28)
        return 0.60 - 0.12 * (y - 5) / 23.0;
    return y == 29 ? 0.40 : 0.28;
}

void paintRows(QPainter &p, int width, double (*row)(int))
{
    for (int y = 0; y < kBarRows; ++y)
        p.fillRect(QRectF(0, y, width, 1), grey(row(y)));
}

// A sunken rounded plate for the corner labels.
void paintPlate(QPainter &p, QRectF r)
{
    p.setBrush(grey(0.80));
    p.drawRoundedRect(r.translated(0, 1), 4, 4);
    p.setBrush(grey(0.18));
    p.drawRoundedRect(r, 4, 4);
    p.setBrush(grey(0.35));
    p.drawRoundedRect(r.adjusted(1, 2, -1, -1), 3, 3);
}

// An end piece of a bar: the bar's own rows inside `outline`, a raised
// slanted shoulder along its inner edge, and a label plate (if any).
QImage paintCap(QSize size, double (*row)(int), const QPolygonF &outline, QLineF shoulder,
                QRectF plate)
{
    QImage canvas = newCanvas(size);
    Painter p(&canvas);
    QPainterPath shape;
    shape.addPolygon(outline);
    shape.closeSubpath();
    p.setClipPath(shape);
    paintRows(p, size.width(), row);

    // Light just inside the shoulder, dark on it.
    const double inward = shoulder.p1().x() < size.width() / 2.0 ? 1.4 : -1.4;
    p.setPen(QPen(grey(0.86), 1.2));
    p.drawLine(shoulder.translated(inward, 0));
    p.setPen(QPen(grey(0.20), 1.4));
    p.drawLine(shoulder);
    p.setPen(Qt::NoPen);
    if (!plate.isNull())
        paintPlate(p, plate);
    p.end();

    QImage out = flatten(canvas);
    for (int y = kBarRows; y < size.height(); ++y)
        std::fill_n(reinterpret_cast<QRgb *>(out.scanLine(y)), size.width(), Key);
    return out;
}

QImage paintBar(QSize size, double (*row)(int))
{
    QImage out(size, QImage::Format_RGB32);
    out.fill(Key);
    QPainter p(&out);
    paintRows(p, size.width(), row);
    return out;
}

// The status groove that runs along a bar, in the status bar colour.
QImage paintGroove(QSize size, int top)
{
    static constexpr double edge[] = {0.20, 0.34};
    QImage out(size, QImage::Format_RGB32);
    out.fill(Key);
    QPainter p(&out);
    const int rows = 23;
    for (int i = 0; i < rows; ++i) {
        double l = 0.47 + 0.05 * i / double(rows);
        if (i < 2)
            l = edge[i];
        else if (i == rows - 2)
            l = 0.62;
        else if (i == rows - 1)
            l = 0.80;
        p.fillRect(QRect(0, top + i, size.width(), 1), grey(l));
    }
    return out;
}

QImage paintSkinMain()
{
    const QSize f(207, 33);
    const double w = f.width();
    QImage strip = newStrip(f, 6);
    putFrame(strip, paintBar(f, bottomRow), 0); // imBottomCenterLip
    putFrame(strip, paintBar(f, topRow), 1);    // imTopCenterLip
    // imTopLeft: the corner label plate, ending in a shoulder over the hints.
    putFrame(strip,
             paintCap(f, topRow, QPolygonF({{0, 0}, {195, 0}, {181, kBarRows}, {0, kBarRows}}),
                      QLineF(194.3, 0, 180.3, kBarRows), QRectF(6, 4, 171, 22)),
             2);
    // imTopRight: room for the window buttons.
    putFrame(strip,
             paintCap(f, topRow,
                      QPolygonF({{12, 0}, {w, 0}, {w, kBarRows}, {26, kBarRows}}),
                      QLineF(12.7, 0, 26.7, kBarRows), QRectF()),
             3);
    // imBottomLeft and imBottomRight: the address labels.
    putFrame(strip,
             paintCap(f, bottomRow,
                      QPolygonF({{0, 0}, {181, 0}, {195, kBarRows}, {0, kBarRows}}),
                      QLineF(180.3, 0, 194.3, kBarRows), QRectF(6, 6, 171, 22)),
             4);
    putFrame(strip,
             paintCap(f, bottomRow,
                      QPolygonF({{26, 0}, {w, 0}, {w, kBarRows}, {12, kBarRows}}),
                      QLineF(26.7, 0, 12.7, kBarRows), QRectF(36, 6, 166, 22)),
             5);
    return strip;
}

QImage paintSkinStatus()
{
    const QSize f(207, 33);
    QImage strip = newStrip(f, 2);
    putFrame(strip, paintGroove(f, 4), 0); // imTopCenterStatus
    putFrame(strip, paintGroove(f, 5), 1); // imBottomCenterStatus
    return strip;
}

// --- Grid frame ----------------------------------------------------------

// The grid sits sunk in its frame: the frame's edges along the grid are
// dark on the top and left and light on the bottom and right. Indexed by
// the distance from the frame's outer edge (6 is the row next to the grid;
// the two rows beyond it only show when a picture is stretched).
constexpr double kShadeSide[9] = {0.72, 0.60, 0.56, 0.52, 0.48, 0.36, 0.22, 0.22, 0.22};
constexpr double kLightSide[9] = {0.34, 0.44, 0.48, 0.52, 0.56, 0.66, 0.82, 0.82, 0.82};

struct BarDepth
{
    int depth;
    const double *profile;
};

// Corners are mitred: a pixel belongs to the bar whose outer edge is nearer.
double gridPixel(BarDepth across, BarDepth along)
{
    const BarDepth &b = along.depth < across.depth ? along : across;
    return b.profile[std::clamp(b.depth, 0, 8)];
}

QImage paintGridTopBottom()
{
    const QSize f(150, 9);
    const int far = 1000; // no side bar in this piece
    QImage strip = newStrip(f, 6);
    for (int i = 0; i < 6; ++i) {
        const bool top = i < 3;
        const int piece = i % 3; // left, centre, right
        QImage frame(f, QImage::Format_RGB32);
        for (int y = 0; y < f.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(frame.scanLine(y));
            const BarDepth bar = top ? BarDepth{y, kShadeSide} : BarDepth{6 - y, kLightSide};
            for (int x = 0; x < f.width(); ++x) {
                BarDepth side{far, kShadeSide};
                if (piece == 0)
                    side = {x, kShadeSide};
                else if (piece == 2)
                    side = {f.width() - 1 - x, kLightSide};
                line[x] = grey(gridPixel(bar, side)).rgb();
            }
        }
        if (i == 1) {
            // imGripTopCenter: ribs to take hold of, in the middle.
            for (int x = 53; x < 97; x += 3) {
                for (int y = 1; y <= 4; ++y) {
                    frame.setPixel(x, y, grey(0.95).rgb());
                    frame.setPixel(x + 1, y, grey(0.26).rgb());
                }
            }
        }
        putFrame(strip, frame, i);
    }
    strip.setPixel(0, f.height() - 1, Key);
    return strip;
}

QImage paintGridLeftRight()
{
    const QSize f(9, 150);
    QImage strip = newStrip(f, 2);
    for (int i = 0; i < 2; ++i) {
        QImage frame(f, QImage::Format_RGB32);
        for (int x = 0; x < f.width(); ++x) {
            // imGridLeft's grid edge is its column 6, imGridRight's its column 0.
            const double l = i == 0 ? kShadeSide[x] : kLightSide[std::max(0, 6 - x)];
            for (int y = 0; y < f.height(); ++y)
                frame.setPixel(x, y, grey(l).rgb());
        }
        putFrame(strip, frame, i);
    }
    strip.setPixel(0, f.height() - 1, Key);
    return strip;
}

// --- Buttons -------------------------------------------------------------

QImage paintWindowStrip()
{
    const QSize f(44, 22);
    QImage strip = newStrip(f, 6);
    // The buttons stand 24 pixels apart (overlapping by 20).
    const Shape tab = slantedShape(6, 8, 24, 1, 21);
    putButton(strip, f, 0, tab);
    putButton(strip, f, 3, tab, 0.06); // close stands out a little darker
    return strip;
}

// The tool bar buttons are tabs leaning to the right, 58 pixels apart: the
// 87-pixel frames overlap and the faces fit into each other, so the two rows
// hold all the buttons and still leave room for the address bar and the
// select list.
Shape mainTab()
{
    return slantedShape(7, 14, 58, 1, 31);
}

QImage paintMainStrip()
{
    const QSize f(87, 32);
    QImage strip = newStrip(f, 6);
    putButton(strip, f, 0, mainTab());
    putButton(strip, f, 3, mainTab());
    return strip;
}

QImage paintMainStripOdd()
{
    const QSize f(87, 32);
    QImage strip = newStrip(f, 12);
    // A little darker: they stand next to the address bar and the list.
    for (int first : {0, 3, 6, 9})
        putButton(strip, f, first, mainTab(), 0.05);
    return strip;
}

QImage paintBrowserButtonStrip()
{
    const QSize f(44, 22);
    QImage strip = newStrip(f, 3);
    // skSelect and skZoom stand 23 pixels apart.
    putButton(strip, f, 0, slantedShape(3, 6, 23, 1, 21));
    return strip;
}

// --- Navigation grid panel ------------------------------------------------

// The map panel's frame: a raised edge on the outside, sunk towards the map.
constexpr double kNavEdge[7] = {0.84, 0.70, 0.62, 0.58, 0.54, 0.44, 0.28};

QImage paintNavGridTopBottom()
{
    const QSize f(70, 7);
    QImage strip(f.width() * 2, f.height(), QImage::Format_RGB32);
    for (int y = 0; y < f.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x)
            line[x] = grey(x < f.width() ? kNavEdge[y] : kNavEdge[6 - y] * 0.9).rgb();
    }
    return strip;
}

QImage paintNavGridLeftRight()
{
    const QSize f(7, 70);
    QImage strip(f.width() * 2, f.height(), QImage::Format_RGB32);
    for (int y = 0; y < f.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x)
            line[x] = grey(x < f.width() ? kNavEdge[x] : kNavEdge[6 - (x - f.width())] * 0.9).rgb();
    }
    return strip;
}

// The snap buttons: a low face across the middle of the 23 x 23 frame (the
// six stand 12 pixels apart) with a mark at the place of the grid they
// snap the panel to.
QImage paintNavPosStrip()
{
    const QSize f(23, 23);
    QImage strip = newStrip(f, 18);
    const Shape face = roundedShape(QRectF(0.5, 6.5, 22, 11), 3, 3);
    // Top left, top centre, top right, bottom right, bottom centre, bottom left.
    const QPointF marks[6] = {{6, 9}, {10, 9}, {14, 9}, {14, 13}, {10, 13}, {6, 13}};
    for (int button = 0; button < 6; ++button) {
        for (int state = 0; state < 3; ++state) {
            QImage frame = paintFace(f, face, Press(state));
            QPainter p(&frame);
            p.setPen(grey(0.15));
            p.drawRect(QRectF(4.5, 8.5, 14, 7));
            p.fillRect(QRectF(marks[button], QSizeF(3, 2)), grey(0.15));
            p.end();
            putFrame(strip, frame, button * 3 + state);
        }
    }
    return strip;
}

// The hint buttons: a face across the middle of the 20 x 35 frame; their
// glyphs are drawn over it.
QImage paintNavHintStrip()
{
    const QSize f(20, 35);
    QImage strip = newStrip(f, 9);
    const Shape face = roundedShape(QRectF(0.5, 10.5, 19, 14), 3, 3);
    for (int button = 0; button < 3; ++button)
        putButton(strip, f, button * 3, face);
    return strip;
}

} // namespace

namespace SkinStripPainter {

QImage paint(SkinStrip which)
{
    switch (which) {
    case SkinStrip::SkinMain:
        return paintSkinMain();
    case SkinStrip::GridTopBottom:
        return paintGridTopBottom();
    case SkinStrip::GridLeftRight:
        return paintGridLeftRight();
    case SkinStrip::SkinStatus:
        return paintSkinStatus();
    case SkinStrip::Window:
        return paintWindowStrip();
    case SkinStrip::Main:
        return paintMainStrip();
    case SkinStrip::MainOdd:
        return paintMainStripOdd();
    case SkinStrip::BrowserButton:
        return paintBrowserButtonStrip();
    case SkinStrip::NavGridTopBottom:
        return paintNavGridTopBottom();
    case SkinStrip::NavGridLeftRight:
        return paintNavGridLeftRight();
    case SkinStrip::NavPos:
        return paintNavPosStrip();
    case SkinStrip::NavHint:
        return paintNavHintStrip();
    }
    return {};
}

} // namespace SkinStripPainter
