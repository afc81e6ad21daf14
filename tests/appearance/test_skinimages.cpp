#include "appearance/skinimages.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <limits>

Q_DECLARE_METATYPE(SkinStrip)
Q_DECLARE_METATYPE(GlyphSet)
Q_DECLARE_METATYPE(GlyphStyle)
Q_DECLARE_METATYPE(SkinPicture)

namespace {

constexpr QRgb Key = SkinImages::TransparentKey;

bool isKey(const QImage &image, int x, int y)
{
    return image.pixel(x, y) == Key;
}

bool isNeutral(QRgb c)
{
    return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
}

int saturation(QRgb c)
{
    return std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)});
}

// Mean grey level of the pixels that are not the key.
double meanOpaqueLevel(const QImage &face)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (!isKey(face, x, y)) {
                sum += qGray(face.pixel(x, y));
                ++count;
            }
    return count ? sum / count : 0;
}

QImage frameOf(const QImage &strip, QSize size, int index)
{
    return SkinImages::frames(strip, size).value(index);
}

// Every strip and glyph set is painted once for all tests.
const SkinImages &skin()
{
    static const SkinImages images;
    return images;
}

} // namespace

class TestSkinImages : public QObject
{
    Q_OBJECT

private slots:
    void stripGeometry_data();
    void stripGeometry();
    void stripFramesArePaintedGreys_data() { stripGeometry_data(); }
    void stripFramesArePaintedGreys();
    void buttonFaces_data();
    void buttonFaces();
    void neighbouringButtonsFitTogether_data();
    void neighbouringButtonsFitTogether();
    void glyphKeyPoints_data();
    void glyphKeyPoints();
    void glyphStrips_data();
    void glyphStrips();
    void glyphsStayOnTheirFaces_data();
    void glyphsStayOnTheirFaces();
    void bigGlyphs_data();
    void bigGlyphs();
    void framesCutting_data();
    void framesCutting();
    void pictures_data();
    void pictures();
    void paintingIsQuick();
};

void TestSkinImages::stripGeometry_data()
{
    QTest::addColumn<SkinStrip>("strip");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<int>("count");

    QTest::newRow("imSkinMainStrip") << SkinStrip::SkinMain << QSize(207, 33) << 6;
    QTest::newRow("imGridTopBottomStrip") << SkinStrip::GridTopBottom << QSize(150, 9) << 6;
    QTest::newRow("imGridLeftRightStrip") << SkinStrip::GridLeftRight << QSize(9, 150) << 2;
    QTest::newRow("imSkinStatusStrip") << SkinStrip::SkinStatus << QSize(207, 33) << 2;
    QTest::newRow("imWindowStrip") << SkinStrip::Window << QSize(44, 22) << 6;
    QTest::newRow("imMainStrip") << SkinStrip::Main << QSize(87, 32) << 6;
    QTest::newRow("imMainStripOdd") << SkinStrip::MainOdd << QSize(87, 32) << 12;
    QTest::newRow("imBrowserButtonStrip") << SkinStrip::BrowserButton << QSize(44, 22) << 3;
}

void TestSkinImages::stripGeometry()
{
    QFETCH(SkinStrip, strip);
    QFETCH(QSize, frame);
    QFETCH(int, count);

    QCOMPARE(SkinImages::frameSize(strip), frame);
    QCOMPARE(SkinImages::frameCount(strip), count);
    QCOMPARE(QString::fromLatin1(SkinImages::stripName(strip)),
             QString::fromLatin1(QTest::currentDataTag()));

    const QImage image = skin().strip(strip);
    QCOMPARE(image.size(), QSize(frame.width() * count, frame.height()));
    QVERIFY(!image.hasAlphaChannel());
    QCOMPARE(image.pixel(0, image.height() - 1), Key);
    QCOMPARE(SkinImages::frames(image, frame).size(), count);
}

// Each frame is a real picture (shaded, mostly opaque) in neutral greys: no
// half-keyed pixel at an edge, which would come out as a stray colour.
void TestSkinImages::stripFramesArePaintedGreys()
{
    QFETCH(SkinStrip, strip);
    QFETCH(QSize, frame);

    const QList<QImage> frames = SkinImages::frames(skin().strip(strip), frame);
    for (int i = 0; i < frames.size(); ++i) {
        const QImage &f = frames.at(i);
        QSet<QRgb> levels;
        int opaque = 0;
        for (int y = 0; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x) {
                const QRgb c = f.pixel(x, y);
                if (c == Key)
                    continue;
                ++opaque;
                levels.insert(c);
                if (!isNeutral(c))
                    QFAIL(qPrintable(QStringLiteral("frame %1 has colour %2 at %3,%4")
                                         .arg(i)
                                         .arg(c, 8, 16)
                                         .arg(x)
                                         .arg(y)));
            }
        QVERIFY2(opaque * 3 > f.width() * f.height(), qPrintable(QString::number(i)));
        QVERIFY2(levels.size() >= 4, qPrintable(QString::number(i)));
    }
}

void TestSkinImages::buttonFaces_data()
{
    QTest::addColumn<SkinStrip>("strip");
    QTest::addColumn<int>("face");

    QTest::newRow("window minimise/maximise") << SkinStrip::Window << 0;
    QTest::newRow("window close") << SkinStrip::Window << 1;
    QTest::newRow("skNavGrid") << SkinStrip::Main << 0;
    QTest::newRow("skGridTools") << SkinStrip::Main << 1;
    QTest::newRow("skAddressMode") << SkinStrip::MainOdd << 0;
    QTest::newRow("skAddressNew") << SkinStrip::MainOdd << 1;
    QTest::newRow("skActiveStop") << SkinStrip::MainOdd << 2;
    QTest::newRow("skActiveFileTools") << SkinStrip::MainOdd << 3;
    QTest::newRow("pane button") << SkinStrip::BrowserButton << 0;
}

// A button uses its idle picture's key for all three states, so the three
// must share one outline; hovering lightens the face and pressing darkens it.
void TestSkinImages::buttonFaces()
{
    QFETCH(SkinStrip, strip);
    QFETCH(int, face);

    const QSize size = SkinImages::frameSize(strip);
    const QImage image = skin().strip(strip);
    const QImage idle = frameOf(image, size, face * 3);
    const QImage over = frameOf(image, size, face * 3 + 1);
    const QImage down = frameOf(image, size, face * 3 + 2);

    QVERIFY(isKey(idle, 0, 0));
    QVERIFY(isKey(idle, size.width() - 1, 0));
    QVERIFY(isKey(idle, size.width() - 1, size.height() - 1));
    QVERIFY(!isKey(idle, size.width() / 2, size.height() / 2));

    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            QCOMPARE(isKey(over, x, y), isKey(idle, x, y));
            QCOMPARE(isKey(down, x, y), isKey(idle, x, y));
        }

    const double idleLevel = meanOpaqueLevel(idle);
    QVERIFY(meanOpaqueLevel(over) > idleLevel + 5);
    QVERIFY(meanOpaqueLevel(down) < idleLevel - 5);
}

void TestSkinImages::neighbouringButtonsFitTogether_data()
{
    QTest::addColumn<SkinStrip>("strip");
    QTest::addColumn<int>("face");
    QTest::addColumn<int>("step");

    // skMinimize, skMaximize and skAppClose overlap by 20 pixels.
    QTest::newRow("minimise beside maximise") << SkinStrip::Window << 0 << 24;
    QTest::newRow("maximise beside close") << SkinStrip::Window << 1 << 24;
    // skSelect at 4 and skZoom at 27.
    QTest::newRow("select beside zoom") << SkinStrip::BrowserButton << 0 << 23;
}

// Overlapping buttons share the pixels between them: each is on exactly one
// face, so the pointer is over one button at a time and no gap opens.
void TestSkinImages::neighbouringButtonsFitTogether()
{
    QFETCH(SkinStrip, strip);
    QFETCH(int, face);
    QFETCH(int, step);

    const QSize size = SkinImages::frameSize(strip);
    const QImage left = frameOf(skin().strip(strip), size, 0);
    const QImage right = frameOf(skin().strip(strip), size, face * 3);
    int rows = 0;
    for (int y = 0; y < size.height(); ++y) {
        QString line;
        for (int x = 0; x < size.width() + step; ++x) {
            const bool a = x < size.width() && !isKey(left, x, y);
            const bool b = x >= step && !isKey(right, x - step, y);
            line += a && b ? QLatin1Char('X') : a ? QLatin1Char('a') : b ? QLatin1Char('b')
                                                                          : QLatin1Char('.');
        }
        if (line.contains(QLatin1Char('a')))
            ++rows;
        QVERIFY2(!line.contains(QLatin1Char('X')), qPrintable(line));
        QVERIFY2(!line.contains(QRegularExpression(QStringLiteral("a\\.+b"))), qPrintable(line));
    }
    QVERIFY(rows > size.height() / 2);
}

void TestSkinImages::glyphKeyPoints_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("bevel");
    QTest::addColumn<QPoint>("point");

    QTest::newRow("big, bevel") << 0 << true << QPoint(3, 22);
    QTest::newRow("big, colour") << 0 << false << QPoint(2, 21);
    QTest::newRow("window, bevel") << 1 << true << QPoint(4, 14);
    QTest::newRow("window, colour") << 1 << false << QPoint(3, 13);
    QTest::newRow("navigation hint, bevel") << 2 << true << QPoint(5, 14);
    QTest::newRow("navigation hint, colour") << 2 << false << QPoint(6, 13);
    QTest::newRow("pane button, bevel") << 3 << true << QPoint(6, 17);
    QTest::newRow("pane button, colour") << 3 << false << QPoint(5, 17);
    QTest::newRow("unknown kind") << 4 << true << QPoint(-1, -1);
    QTest::newRow("negative kind") << -1 << false << QPoint(-1, -1);
}

void TestSkinImages::glyphKeyPoints()
{
    QFETCH(int, kind);
    QFETCH(bool, bevel);
    QFETCH(QPoint, point);

    QCOMPARE(SkinImages::glyphKeyPoint(kind, bevel), point);
}

void TestSkinImages::glyphStrips_data()
{
    QTest::addColumn<GlyphSet>("set");
    QTest::addColumn<GlyphStyle>("style");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("kind");

    QTest::newRow("imWindowBevel") << GlyphSet::Window << GlyphStyle::Bevel << QSize(28, 16) << 3 << 1;
    QTest::newRow("imWindowColor") << GlyphSet::Window << GlyphStyle::Color << QSize(28, 16) << 3 << 1;
    QTest::newRow("imBigGlyphBevel")
        << GlyphSet::BigGlyph << GlyphStyle::Bevel << QSize(24, 24) << 25 << 0;
    QTest::newRow("imBigGlyphColor")
        << GlyphSet::BigGlyph << GlyphStyle::Color << QSize(24, 24) << 25 << 0;
    QTest::newRow("imBrowserButtonBevel")
        << GlyphSet::BrowserButton << GlyphStyle::Bevel << QSize(44, 22) << 2 << 3;
    QTest::newRow("imBrowserButtonColor")
        << GlyphSet::BrowserButton << GlyphStyle::Color << QSize(44, 22) << 2 << 3;
}

// Tinting finds the transparent colour at column 0 of the bottom row and the
// border colour at the kind's key point, so every frame must carry both, and
// enough glyph pixels besides for the glyph colour to show.
void TestSkinImages::glyphStrips()
{
    QFETCH(GlyphSet, set);
    QFETCH(GlyphStyle, style);
    QFETCH(QSize, frame);
    QFETCH(int, count);
    QFETCH(int, kind);

    QCOMPARE(SkinImages::glyphFrameSize(set), frame);
    QCOMPARE(SkinImages::glyphFrameCount(set), count);
    QCOMPARE(SkinImages::glyphKind(set), kind);
    QCOMPARE(QString::fromLatin1(SkinImages::glyphName(set, style)),
             QString::fromLatin1(QTest::currentDataTag()));

    const QImage image = skin().glyphStrip(set, style);
    QCOMPARE(image.size(), QSize(frame.width() * count, frame.height()));
    QVERIFY(!image.hasAlphaChannel());
    QCOMPARE(image.pixel(0, image.height() - 1), Key);

    const bool bevel = style == GlyphStyle::Bevel;
    const QPoint keyPoint = SkinImages::glyphKeyPoint(kind, bevel);
    const QRgb border = SkinImages::glyphBorderKey(style);
    QVERIFY(border != Key);
    QVERIFY(border != SkinImages::glyphBorderKey(bevel ? GlyphStyle::Color : GlyphStyle::Bevel));

    const QList<QImage> frames = SkinImages::frames(image, frame);
    QCOMPARE(frames.size(), count);
    bool anyColour = false;
    for (int i = 0; i < count; ++i) {
        const QImage &f = frames.at(i);
        QCOMPARE(f.pixel(keyPoint), border);
        int transparent = 0;
        int glyph = 0;
        for (int y = 0; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x) {
                const QRgb c = f.pixel(x, y);
                if (c == Key)
                    ++transparent;
                else if (c != border)
                    ++glyph;
                anyColour = anyColour || (c != Key && saturation(c) > 60);
            }
        QVERIFY2(glyph >= 12, qPrintable(QStringLiteral("frame %1: %2").arg(i).arg(glyph)));
        QVERIFY2(transparent > f.width() * f.height() / 5, qPrintable(QString::number(i)));
    }
    // With no glyph colour chosen the colour style shows as it is painted.
    QCOMPARE(anyColour, !bevel);
}

void TestSkinImages::glyphsStayOnTheirFaces_data()
{
    QTest::addColumn<GlyphSet>("set");
    QTest::addColumn<SkinStrip>("strip");
    QTest::addColumn<int>("face");

    QTest::newRow("window glyphs on minimise/maximise") << GlyphSet::Window << SkinStrip::Window << 0;
    QTest::newRow("window glyphs on close") << GlyphSet::Window << SkinStrip::Window << 1;
    QTest::newRow("big glyphs on skNavGrid") << GlyphSet::BigGlyph << SkinStrip::Main << 0;
    QTest::newRow("big glyphs on skGridTools") << GlyphSet::BigGlyph << SkinStrip::Main << 1;
    QTest::newRow("big glyphs on skAddressMode") << GlyphSet::BigGlyph << SkinStrip::MainOdd << 0;
    QTest::newRow("big glyphs on skAddressNew") << GlyphSet::BigGlyph << SkinStrip::MainOdd << 1;
    QTest::newRow("pane glyphs on pane buttons")
        << GlyphSet::BrowserButton << SkinStrip::BrowserButton << 0;
}

// A button draws its glyph centred and nudged (+1, 0), or (+2, +1) while
// pressed; a glyph pixel beyond the shaped face would hang in the air.
void TestSkinImages::glyphsStayOnTheirFaces()
{
    QFETCH(GlyphSet, set);
    QFETCH(SkinStrip, strip);
    QFETCH(int, face);

    const QSize faceSize = SkinImages::frameSize(strip);
    const QImage idle = frameOf(skin().strip(strip), faceSize, face * 3);
    const QSize glyphSize = SkinImages::glyphFrameSize(set);
    const QPoint centred((faceSize.width() - glyphSize.width()) / 2,
                         (faceSize.height() - glyphSize.height()) / 2);

    for (const GlyphStyle style : {GlyphStyle::Bevel, GlyphStyle::Color}) {
        const QList<QImage> glyphs = SkinImages::frames(skin().glyphStrip(set, style), glyphSize);
        for (int i = 0; i < glyphs.size(); ++i)
            for (const QPoint nudge : {QPoint(1, 0), QPoint(2, 1)}) {
                const QPoint at = centred + nudge;
                for (int y = 0; y < glyphSize.height(); ++y)
                    for (int x = 0; x < glyphSize.width(); ++x) {
                        if (isKey(glyphs.at(i), x, y))
                            continue;
                        const QPoint p = at + QPoint(x, y);
                        QVERIFY2(idle.rect().contains(p) && !isKey(idle, p.x(), p.y()),
                                 qPrintable(QStringLiteral("glyph %1 pixel %2,%3")
                                                .arg(i)
                                                .arg(x)
                                                .arg(y)));
                    }
            }
    }
}

void TestSkinImages::bigGlyphs_data()
{
    QTest::addColumn<GlyphStyle>("style");
    QTest::newRow("bevel") << GlyphStyle::Bevel;
    QTest::newRow("colour") << GlyphStyle::Color;
}

// Each of the 25 buttons' glyphs is its own picture, and bigGlyph() hands out
// the frame ilBigGlyphs would hold at that index.
void TestSkinImages::bigGlyphs()
{
    QFETCH(GlyphStyle, style);

    const QList<QImage> frames =
        SkinImages::frames(skin().glyphStrip(GlyphSet::BigGlyph, style), QSize(24, 24));
    QCOMPARE(frames.size(), SkinImages::BigGlyphCount);
    for (int i = 0; i < SkinImages::BigGlyphCount; ++i) {
        QCOMPARE(skin().bigGlyph(i, style), frames.at(i));
        for (int j = 0; j < i; ++j)
            QVERIFY2(frames.at(i) != frames.at(j), qPrintable(QStringLiteral("%1 == %2").arg(i).arg(j)));
    }
    QVERIFY(skin().bigGlyph(-1, style).isNull());
    QVERIFY(skin().bigGlyph(SkinImages::BigGlyphCount, style).isNull());
    QVERIFY(skin().bigGlyph(SkinImages::GlyphBack, GlyphStyle::Bevel)
            != skin().bigGlyph(SkinImages::GlyphBack, GlyphStyle::Color));
}

void TestSkinImages::framesCutting_data()
{
    QTest::addColumn<QSize>("strip");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<int>("count");

    QTest::newRow("whole frames") << QSize(30, 4) << QSize(10, 4) << 3;
    QTest::newRow("a part frame at the end is dropped") << QSize(35, 4) << QSize(10, 4) << 3;
    QTest::newRow("just short of one frame") << QSize(9, 4) << QSize(10, 4) << 0;
    QTest::newRow("frame as wide as the strip") << QSize(10, 4) << QSize(10, 4) << 1;
    QTest::newRow("lower frames take the top rows") << QSize(20, 6) << QSize(10, 4) << 2;
    QTest::newRow("frame taller than the strip") << QSize(20, 3) << QSize(10, 4) << 0;
    QTest::newRow("empty frame size") << QSize(20, 4) << QSize(0, 4) << 0;
    QTest::newRow("negative frame size") << QSize(20, 4) << QSize(-10, 4) << 0;
    QTest::newRow("null strip") << QSize(0, 0) << QSize(10, 4) << 0;
}

void TestSkinImages::framesCutting()
{
    QFETCH(QSize, strip);
    QFETCH(QSize, frame);
    QFETCH(int, count);

    QImage image;
    if (!strip.isEmpty()) {
        // Every pixel tells where it came from.
        image = QImage(strip, QImage::Format_RGB32);
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 0; x < strip.width(); ++x)
                image.setPixel(x, y, qRgb(x, y, 7));
    }

    const QList<QImage> frames = SkinImages::frames(image, frame);
    QCOMPARE(frames.size(), count);
    for (int i = 0; i < frames.size(); ++i) {
        const QImage &f = frames.at(i);
        QCOMPARE(f.size(), frame);
        QCOMPARE(f.pixel(0, 0), qRgb(i * frame.width(), 0, 7));
        QCOMPARE(f.pixel(frame.width() - 1, frame.height() - 1),
                 qRgb((i + 1) * frame.width() - 1, frame.height() - 1, 7));
    }
}

void TestSkinImages::pictures_data()
{
    QTest::addColumn<SkinPicture>("picture");
    QTest::addColumn<QSize>("size");

    QTest::newRow("security on") << SkinPicture::SecurityOn << QSize(16, 16);
    QTest::newRow("security off") << SkinPicture::SecurityOff << QSize(16, 16);
    QTest::newRow("move tab gray") << SkinPicture::MoveTabGray << QSize(18, 18);
    QTest::newRow("move tab color") << SkinPicture::MoveTabColor << QSize(18, 18);
    QTest::newRow("busy") << SkinPicture::Busy << QSize(32, 32);
    QTest::newRow("program icon") << SkinPicture::ProgramIcon << QSize(32, 32);
    QTest::newRow("resize grip") << SkinPicture::Resize << QSize(20, 20);
}

// The single pictures are drawn as they are over whatever lies below: a
// transparent surround, a solid picture.
void TestSkinImages::pictures()
{
    QFETCH(SkinPicture, picture);
    QFETCH(QSize, size);

    const QImage image = skin().picture(picture);
    QCOMPARE(image.size(), size);
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);

    int solid = 0;
    int strongest = 0;
    bool grey = true;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) < 200)
                continue;
            ++solid;
            strongest = std::max(strongest, saturation(c));
            grey = grey && saturation(c) <= 2;
        }
    QVERIFY2(solid >= size.width() * size.height() / 10 || picture == SkinPicture::Resize,
             qPrintable(QString::number(solid)));
    QVERIFY(solid > 0);
    if (picture == SkinPicture::MoveTabGray)
        QVERIFY(grey);
    if (picture == SkinPicture::MoveTabColor || picture == SkinPicture::SecurityOn)
        QVERIFY2(strongest > 120, qPrintable(QString::number(strongest)));
    if (picture == SkinPicture::SecurityOff)
        QVERIFY(image != skin().picture(SkinPicture::SecurityOn));
}

void TestSkinImages::paintingIsQuick()
{
    // The best of three, so a busy machine does not make this flaky.
    qint64 best = std::numeric_limits<qint64>::max();
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        const SkinImages images;
        best = std::min(best, timer.elapsed());
        QVERIFY(!images.strip(SkinStrip::SkinMain).isNull());
    }
    QVERIFY2(best < 50, qPrintable(QStringLiteral("%1 ms").arg(best)));
}

QTEST_MAIN(TestSkinImages)
#include "test_skinimages.moc"
