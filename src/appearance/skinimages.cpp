#include "appearance/skinimages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {

constexpr QRgb kKey = SkinImages::TransparentKey;
// Mid-grey: tinting turns it into exactly the border colour.
constexpr QRgb kColorBorder = 0xff808080u;
// Dark grey: the shade side of an embossed glyph, a darker border colour.
constexpr QRgb kBevelBorder = 0xff4c4c4cu;

constexpr int kStripCount = 8;
constexpr int kPictureCount = 7;

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
    image.fill(kKey);
    return image;
}

// A painter set up the same way for every antialiased drawing.
struct Painter : QPainter
{
    explicit Painter(QImage *image)
        : QPainter(image)
    {
        setRenderHint(QPainter::Antialiasing);
        setPen(Qt::NoPen);
    }
};

// Keyed pictures have no half-transparent pixels: what an antialiased
// painting covers by half or more becomes solid, the rest the key. That way
// no pink fringe appears once the key is taken out.
QImage flatten(const QImage &argb)
{
    QImage out(argb.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(src[x]) < 128) {
                dst[x] = kKey;
                continue;
            }
            const QRgb c = qUnpremultiply(src[x]) | 0xff000000u;
            dst[x] = c == kKey ? qRgb(254, 0, 254) : c;
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

// --- Button faces --------------------------------------------------------

enum class Press { Idle, Over, Down };
using Shape = std::function<QPainterPath(double inset)>;

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

// A tab leaning to the right. Neighbours placed `width` apart fit into each
// other without a gap, which is how the window buttons and the pane buttons
// overlap in their bars.
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
        std::fill_n(reinterpret_cast<QRgb *>(out.scanLine(y)), size.width(), kKey);
    return out;
}

QImage paintBar(QSize size, double (*row)(int))
{
    QImage out(size, QImage::Format_RGB32);
    out.fill(kKey);
    QPainter p(&out);
    paintRows(p, size.width(), row);
    return out;
}

// The status groove that runs along a bar, in the status bar colour.
QImage paintGroove(QSize size, int top)
{
    static constexpr double edge[] = {0.20, 0.34};
    QImage out(size, QImage::Format_RGB32);
    out.fill(kKey);
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
    strip.setPixel(0, f.height() - 1, kKey);
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
    strip.setPixel(0, f.height() - 1, kKey);
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

// --- Glyphs --------------------------------------------------------------

struct GlyphLayout
{
    QSize size;
    int kind;
    int count;
    int baseLength; // the border stroke under the symbol
};

GlyphLayout layoutOf(GlyphSet set)
{
    switch (set) {
    case GlyphSet::Window:
        return {{28, 16}, 1, 3, 17};
    case GlyphSet::BigGlyph:
        return {{24, 24}, 0, SkinImages::BigGlyphCount, 20};
    case GlyphSet::BrowserButton:
        return {{44, 22}, 3, 2, 18};
    }
    return {{24, 24}, 0, 0, 0};
}

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
                if (line[x] == kColorBorder)
                    line[x] = qRgb(127, 127, 127);
                continue;
            }
            bool edge = false;
            for (int dy = -1; dy <= 1 && !edge; ++dy)
                for (int dx = -1; dx <= 1 && !edge; ++dx)
                    edge = at(x + dx, y + dy);
            if (edge)
                line[x] = kColorBorder;
        }
    }
    for (int x = key.x(); x < key.x() + baseLength && x < w; ++x)
        out.setPixel(x, key.y(), kColorBorder);
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
    out.fill(kKey);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (at(x, y)) {
                const QRgb c = symbol.pixel(x, y);
                double l = qAlpha(c) >= 128 ? lightnessOf(qUnpremultiply(c)) : 0.5;
                l = std::clamp(0.5 + (l - 0.5) * 0.7, 0.34, 0.74);
                line[x] = grey(l).rgb();
                if (line[x] == kBevelBorder)
                    line[x] = qRgb(77, 77, 77);
            } else if (at(x - 1, y - 1)) {
                line[x] = kBevelBorder;
            } else if (at(x + 1, y + 1)) {
                line[x] = light;
            }
        }
    }
    return out;
}

// Fills a shape with its colour, a little lighter at the top.
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

QPainterPath strokePath(const QPainterPath &line, double width,
                        Qt::PenCapStyle cap = Qt::RoundCap,
                        Qt::PenJoinStyle join = Qt::RoundJoin)
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

// A circular arrow turning clockwise, its head at the end of the arc.
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

// The symbols of ilBigGlyphs, in a 24 x 24 frame. They keep to x 2..22 and
// y 1..19 so that the outline and the stroke underneath fit.
void paintBigSymbol(QPainter &p, int index)
{
    const QPointF c(12, 10);
    switch (index) {
    case SkinImages::GlyphNavGrid: // a map of 3 x 3 cells, the current one lit
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col) {
                QPainterPath cell;
                cell.addRect(QRectF(3 + 6 * col, 1 + 6 * row, 5, 5));
                fillShaded(p, cell, row == 1 && col == 1 ? QColor(240, 150, 40)
                                                         : QColor(70, 120, 200));
            }
        break;
    case SkinImages::GlyphManager: // a star: the saved addresses
        fillShaded(p, star(c + QPointF(0, 0.6), 9.4, 3.9), QColor(235, 180, 30));
        break;
    case SkinImages::GlyphGridTools: { // a spanner
        QPainterPath head = circle(QPointF(15.5, 6.2), 5.0);
        QPainterPath jaw;
        jaw.addRect(QRectF(-1.9, -8, 3.8, 8));
        jaw = QTransform().translate(16.2, 5.5).rotate(45).map(jaw);
        const QPainterPath handle = strokePath(linePath({{14, 8}, {5, 17}}), 4.2);
        fillShaded(p, head.subtracted(jaw).united(handle), QColor(110, 125, 150));
        break;
    }
    case SkinImages::GlyphScanner: { // a radar screen with its sweep
        fillShaded(p, circle(c, 8.6), QColor(25, 105, 55));
        p.setPen(QPen(QColor(90, 190, 110), 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 5.5, 5.5);
        p.drawEllipse(c, 2.5, 2.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(130, 235, 140));
        p.drawPie(QRectF(c.x() - 7.6, c.y() - 7.6, 15.2, 15.2), 30 * 16, 55 * 16);
        p.setBrush(QColor(235, 255, 235));
        p.drawEllipse(QPointF(16.5, 12.5), 1.3, 1.3);
        break;
    }
    case SkinImages::GlyphWebAddressMode: { // a globe
        const QPainterPath ball = circle(c, 8.6);
        QRadialGradient g(c - QPointF(3, 3), 12);
        g.setColorAt(0, QColor(110, 170, 240));
        g.setColorAt(1, QColor(30, 85, 180));
        p.fillPath(ball, g);
        p.save();
        p.setClipPath(ball);
        p.setPen(QPen(QColor(190, 225, 255), 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 4.0, 8.6);
        p.drawLine(QPointF(12, 1), QPointF(12, 19));
        p.drawLine(QPointF(3, 10), QPointF(21, 10));
        p.drawLine(QPointF(3, 5.5), QPointF(21, 5.5));
        p.drawLine(QPointF(3, 14.5), QPointF(21, 14.5));
        p.restore();
        break;
    }
    case SkinImages::GlyphFolder: {
        fillShaded(p, polygonPath({{3, 3}, {9.5, 3}, {11.5, 5.5}, {21, 5.5}, {21, 18}, {3, 18}}),
                   QColor(205, 145, 35));
        fillShaded(p, polygonPath({{3, 8.5}, {21, 8.5}, {21, 18}, {3, 18}}), QColor(245, 200, 80));
        break;
    }
    case SkinImages::GlyphLinksMode: { // two links of a chain
        QPainterPath link;
        link.addRoundedRect(QRectF(-5.8, -3.2, 11.6, 6.4), 3.2, 3.2);
        const QPainterPath ring = strokePath(link, 2.4);
        fillShaded(p, QTransform().translate(8.6, 13.4).rotate(-45).map(ring), QColor(60, 105, 175));
        fillShaded(p, QTransform().translate(15.4, 6.6).rotate(-45).map(ring), QColor(85, 140, 210));
        break;
    }
    case SkinImages::GlyphWebSearchMode: { // a magnifying glass
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
        break;
    }
    case SkinImages::GlyphBack:
    case SkinImages::GlyphForward: {
        QPainterPath arrow = polygonPath(
            {{2.5, 10}, {11, 1.8}, {11, 6.5}, {21, 6.5}, {21, 13.5}, {11, 13.5}, {11, 18.2}});
        if (index == SkinImages::GlyphForward)
            arrow = mirrored(arrow, 24);
        fillShaded(p, arrow, QColor(55, 160, 70));
        break;
    }
    case SkinImages::GlyphRefresh:
        fillShaded(p, circularArrow(c, 6.2, 90, -265, 2.8, 4.0), QColor(35, 140, 180));
        break;
    case SkinImages::GlyphStop: {
        fillShaded(p, regularPolygon(c, 9.0, 8, 22.5), QColor(205, 40, 40));
        p.setPen(QPen(QColor(255, 255, 255), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8.7, 6.7), QPointF(15.3, 13.3));
        p.drawLine(QPointF(15.3, 6.7), QPointF(8.7, 13.3));
        p.setPen(Qt::NoPen);
        break;
    }
    case SkinImages::GlyphFileTools: { // a diskette
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
        break;
    }
    case SkinImages::GlyphPrint: {
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
        break;
    }
    case SkinImages::GlyphDelete: { // a waste bin
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
        break;
    }
    case SkinImages::GlyphJump: { // out of the box, to the system browser
        fillShaded(p, strokePath(linePath({{10.5, 7.5}, {3.8, 7.5}, {3.8, 17.7}, {14, 17.7}, {14, 12}}),
                                 2.2, Qt::SquareCap, Qt::MiterJoin),
                   QColor(100, 110, 125));
        QPainterPath arrow = strokePath(linePath({{8, 13}, {16.5, 4.5}}), 2.6, Qt::FlatCap);
        arrow = arrow.united(polygonPath({{21, 1.5}, {12.5, 2.3}, {20.2, 10}}));
        fillShaded(p, arrow, QColor(40, 120, 210));
        break;
    }
    case SkinImages::GlyphNewBrowser: {
        QPainterPath upright;
        upright.addRect(QRectF(9.5, 1.5, 5, 17));
        QPainterPath across;
        across.addRect(QRectF(3.5, 7.5, 17, 5));
        fillShaded(p, upright.united(across), QColor(50, 165, 70));
        break;
    }
    case SkinImages::GlyphRedirect: { // a bent arrow
        QPainterPath shaft;
        shaft.moveTo(5, 2);
        shaft.lineTo(5, 8.5);
        shaft.quadTo(5, 14.5, 11, 14.5);
        shaft.lineTo(16, 14.5);
        QPainterPath arrow = strokePath(shaft, 3.4, Qt::FlatCap);
        arrow = arrow.united(polygonPath({{21.5, 14.5}, {15.5, 10}, {15.5, 19}}));
        fillShaded(p, arrow, QColor(230, 125, 35));
        break;
    }
    case SkinImages::GlyphNextBrowser:
    case SkinImages::GlyphPriorBrowser: {
        const bool next = index == SkinImages::GlyphNextBrowser;
        const double d = next ? 1 : -1;
        const double y0 = next ? 3 : 16.5;
        QPainterPath chevrons;
        chevrons.setFillRule(Qt::WindingFill);
        for (const double y : {y0, y0 + 7 * d})
            chevrons.addPath(strokePath(linePath({{5, y}, {12, y + 6 * d}, {19, y}}), 3.0,
                                        Qt::FlatCap, Qt::MiterJoin));
        fillShaded(p, chevrons, QColor(120, 80, 190));
        break;
    }
    case SkinImages::GlyphAppTools: { // a cog
        QPainterPath cog = circle(c, 6.0);
        QPainterPath tooth;
        tooth.addRect(QRectF(-2.0, -9.0, 4.0, 5.0));
        for (int i = 0; i < 6; ++i)
            cog = cog.united(QTransform().translate(c.x(), c.y()).rotate(60.0 * i).map(tooth));
        fillShaded(p, cog, QColor(115, 120, 135));
        p.setBrush(QColor(215, 220, 228));
        p.drawEllipse(c, 2.4, 2.4);
        break;
    }
    case SkinImages::GlyphCustomHouse: {
        p.setBrush(QColor(235, 215, 165));
        p.drawRect(QRectF(5, 9, 14, 9.5));
        fillShaded(p, polygonPath({{15.5, 2.5}, {18, 2.5}, {18, 7}, {15.5, 7}}), QColor(195, 55, 45));
        fillShaded(p, polygonPath({{2, 10.5}, {12, 1.5}, {22, 10.5}}), QColor(195, 55, 45));
        p.setBrush(QColor(140, 85, 40));
        p.drawRect(QRectF(10.5, 12.5, 3.5, 6));
        break;
    }
    case SkinImages::GlyphCustomNote: { // two quavers on a beam
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
        break;
    }
    case SkinImages::GlyphCustomHeart: {
        QPainterPath heart;
        heart.moveTo(12, 18.3);
        heart.cubicTo(5, 13, 1.6, 9.5, 2.6, 5.6);
        heart.cubicTo(3.6, 1.6, 9.6, 1.0, 12, 5.4);
        heart.cubicTo(14.4, 1.0, 20.4, 1.6, 21.4, 5.6);
        heart.cubicTo(22.4, 9.5, 19, 13, 12, 18.3);
        fillShaded(p, heart, QColor(215, 45, 75));
        break;
    }
    case SkinImages::GlyphCustomLightning:
        fillShaded(p,
                   polygonPath({{14.5, 1.5}, {5, 11}, {11, 11}, {8, 18.5}, {19, 7.5}, {13, 7.5},
                                {17, 1.5}}),
                   QColor(245, 180, 25));
        break;
    default:
        break;
    }
}

// Minimise, maximise and close in a 28 x 16 frame, above the stroke on row 13.
void paintWindowSymbol(QPainter &p, int index)
{
    const QColor ink(55, 65, 90);
    switch (index) {
    case 0: {
        QPainterPath bar;
        bar.addRect(QRectF(7, 8, 12, 3));
        fillShaded(p, bar, ink);
        break;
    }
    case 1: {
        QPainterPath box;
        box.addRect(QRectF(7, 1, 12, 10));
        QPainterPath inside;
        inside.addRect(QRectF(9, 4, 8, 5));
        fillShaded(p, box.subtracted(inside), ink);
        break;
    }
    case 2: {
        QPainterPath cross = strokePath(linePath({{8, 1.6}, {18, 10.4}}), 2.8, Qt::FlatCap);
        cross = cross.united(strokePath(linePath({{18, 1.6}, {8, 10.4}}), 2.8, Qt::FlatCap));
        fillShaded(p, cross, QColor(205, 45, 45));
        break;
    }
    default:
        break;
    }
}

// Select and zoom in a 44 x 22 frame, over the face of the pane button.
void paintPaneSymbol(QPainter &p, int index)
{
    if (index == 0) { // a target
        const QPointF c(16, 8);
        const QColor ink(40, 70, 150);
        p.setBrush(ink);
        p.drawEllipse(c, 6, 6);
        p.setBrush(QColor(250, 250, 250));
        p.drawEllipse(c, 4, 4);
        p.setBrush(ink);
        p.drawEllipse(c, 2, 2);
        return;
    }
    const QPointF lens(14.5, 6.8);
    fillShaded(p, strokePath(linePath({{17.4, 9.7}, {21.8, 13.9}}), 3.2, Qt::FlatCap),
               QColor(150, 95, 45));
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

QImage paintGlyphs(GlyphSet set, GlyphStyle style)
{
    const GlyphLayout layout = layoutOf(set);
    const bool bevel = style == GlyphStyle::Bevel;
    const QPoint key = SkinImages::glyphKeyPoint(layout.kind, bevel);
    QImage strip = newStrip(layout.size, layout.count);
    for (int i = 0; i < layout.count; ++i) {
        QImage symbol = newCanvas(layout.size);
        {
            Painter p(&symbol);
            if (set == GlyphSet::Window)
                paintWindowSymbol(p, i);
            else if (set == GlyphSet::BigGlyph)
                paintBigSymbol(p, i);
            else
                paintPaneSymbol(p, i);
        }
        putFrame(strip,
                 bevel ? bevelGlyph(symbol, key, layout.baseLength)
                       : colorGlyph(symbol, key, layout.baseLength),
                 i);
    }
    return strip;
}

// --- Pictures --------------------------------------------------------------

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

} // namespace

SkinImages::SkinImages()
{
    m_strips[int(SkinStrip::SkinMain)] = paintSkinMain();
    m_strips[int(SkinStrip::GridTopBottom)] = paintGridTopBottom();
    m_strips[int(SkinStrip::GridLeftRight)] = paintGridLeftRight();
    m_strips[int(SkinStrip::SkinStatus)] = paintSkinStatus();
    m_strips[int(SkinStrip::Window)] = paintWindowStrip();
    m_strips[int(SkinStrip::Main)] = paintMainStrip();
    m_strips[int(SkinStrip::MainOdd)] = paintMainStripOdd();
    m_strips[int(SkinStrip::BrowserButton)] = paintBrowserButtonStrip();

    for (const GlyphSet set : {GlyphSet::Window, GlyphSet::BigGlyph, GlyphSet::BrowserButton})
        for (const GlyphStyle style : {GlyphStyle::Bevel, GlyphStyle::Color})
            m_glyphs[size_t(int(set) * 2 + int(style))] = paintGlyphs(set, style);

    m_pictures[int(SkinPicture::SecurityOn)] = paintPadlock(true);
    m_pictures[int(SkinPicture::SecurityOff)] = paintPadlock(false);
    m_pictures[int(SkinPicture::MoveTabGray)] = paintMoveTab(QColor(125, 125, 125));
    m_pictures[int(SkinPicture::MoveTabColor)] = paintMoveTab(QColor(225, 45, 30));
    m_pictures[int(SkinPicture::Busy)] = paintHourglass();
    m_pictures[int(SkinPicture::ProgramIcon)] = paintProgramIcon();
    m_pictures[int(SkinPicture::Resize)] = paintResizeGrip();
}

QImage SkinImages::strip(SkinStrip which) const
{
    const int i = int(which);
    return i >= 0 && i < kStripCount ? m_strips[size_t(i)] : QImage();
}

QImage SkinImages::glyphStrip(GlyphSet set, GlyphStyle style) const
{
    const int i = int(set) * 2 + int(style);
    return i >= 0 && i < int(m_glyphs.size()) ? m_glyphs[size_t(i)] : QImage();
}

QImage SkinImages::bigGlyph(int index, GlyphStyle style) const
{
    if (index < 0 || index >= BigGlyphCount)
        return {};
    const QSize f = glyphFrameSize(GlyphSet::BigGlyph);
    return glyphStrip(GlyphSet::BigGlyph, style).copy(index * f.width(), 0, f.width(), f.height());
}

QImage SkinImages::picture(SkinPicture which) const
{
    const int i = int(which);
    return i >= 0 && i < kPictureCount ? m_pictures[size_t(i)] : QImage();
}

QSize SkinImages::frameSize(SkinStrip which)
{
    switch (which) {
    case SkinStrip::SkinMain:
    case SkinStrip::SkinStatus:
        return {207, 33};
    case SkinStrip::GridTopBottom:
        return {150, 9};
    case SkinStrip::GridLeftRight:
        return {9, 150};
    case SkinStrip::Window:
    case SkinStrip::BrowserButton:
        return {44, 22};
    case SkinStrip::Main:
    case SkinStrip::MainOdd:
        return {87, 32};
    }
    return {};
}

int SkinImages::frameCount(SkinStrip which)
{
    switch (which) {
    case SkinStrip::SkinMain:
    case SkinStrip::GridTopBottom:
    case SkinStrip::Window:
    case SkinStrip::Main:
        return 6;
    case SkinStrip::GridLeftRight:
    case SkinStrip::SkinStatus:
        return 2;
    case SkinStrip::MainOdd:
        return 12;
    case SkinStrip::BrowserButton:
        return 3;
    }
    return 0;
}

const char *SkinImages::stripName(SkinStrip which)
{
    switch (which) {
    case SkinStrip::SkinMain:
        return "imSkinMainStrip";
    case SkinStrip::GridTopBottom:
        return "imGridTopBottomStrip";
    case SkinStrip::GridLeftRight:
        return "imGridLeftRightStrip";
    case SkinStrip::SkinStatus:
        return "imSkinStatusStrip";
    case SkinStrip::Window:
        return "imWindowStrip";
    case SkinStrip::Main:
        return "imMainStrip";
    case SkinStrip::MainOdd:
        return "imMainStripOdd";
    case SkinStrip::BrowserButton:
        return "imBrowserButtonStrip";
    }
    return "";
}

QSize SkinImages::glyphFrameSize(GlyphSet set)
{
    return layoutOf(set).size;
}

int SkinImages::glyphFrameCount(GlyphSet set)
{
    return layoutOf(set).count;
}

int SkinImages::glyphKind(GlyphSet set)
{
    return layoutOf(set).kind;
}

const char *SkinImages::glyphName(GlyphSet set, GlyphStyle style)
{
    const bool bevel = style == GlyphStyle::Bevel;
    switch (set) {
    case GlyphSet::Window:
        return bevel ? "imWindowBevel" : "imWindowColor";
    case GlyphSet::BigGlyph:
        return bevel ? "imBigGlyphBevel" : "imBigGlyphColor";
    case GlyphSet::BrowserButton:
        return bevel ? "imBrowserButtonBevel" : "imBrowserButtonColor";
    }
    return "";
}

QPoint SkinImages::glyphKeyPoint(int kind, bool bevel)
{
    switch (kind) {
    case 0:
        return bevel ? QPoint(3, 22) : QPoint(2, 21);
    case 1:
        return bevel ? QPoint(4, 14) : QPoint(3, 13);
    case 2:
        return bevel ? QPoint(5, 14) : QPoint(6, 13);
    case 3:
        return bevel ? QPoint(6, 17) : QPoint(5, 17);
    default:
        return {-1, -1};
    }
}

QRgb SkinImages::glyphBorderKey(GlyphStyle style)
{
    return style == GlyphStyle::Bevel ? kBevelBorder : kColorBorder;
}

QList<QImage> SkinImages::frames(const QImage &strip, QSize frame)
{
    QList<QImage> result;
    if (strip.isNull() || frame.width() <= 0 || frame.height() <= 0
        || frame.height() > strip.height())
        return result;
    for (int x = 0; x + frame.width() <= strip.width(); x += frame.width())
        result.append(strip.copy(x, 0, frame.width(), frame.height()));
    return result;
}
