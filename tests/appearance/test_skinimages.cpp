#include "appearance/skinimages.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <limits>

Q_DECLARE_METATYPE(SkinStrip)
Q_DECLARE_METATYPE(GlyphSet)
Q_DECLARE_METATYPE(SkinPicture)

namespace {

constexpr QRgb Key = SkinImages::TransparentKey;

int saturation(QRgb c)
{
    return std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)});
}

// Every strip and glyph set is painted once for all tests.
const SkinImages &skin()
{
    static const SkinImages images;
    return images;
}

QList<QImage> stripFrames(SkinStrip strip)
{
    return SkinImages::frames(skin().strip(strip), SkinImages::frameSize(strip));
}

} // namespace

class TestSkinImages : public QObject
{
    Q_OBJECT

private slots:
    void strips_data()
    {
        QTest::addColumn<SkinStrip>("strip");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<int>("count");
        QTest::newRow("skin main") << SkinStrip::SkinMain << QSize(207, 33) << 6;
        QTest::newRow("grid top/bottom") << SkinStrip::GridTopBottom << QSize(150, 9) << 6;
        QTest::newRow("grid left/right") << SkinStrip::GridLeftRight << QSize(9, 150) << 2;
        QTest::newRow("skin status") << SkinStrip::SkinStatus << QSize(207, 33) << 2;
        QTest::newRow("window") << SkinStrip::Window << QSize(44, 22) << 6;
        QTest::newRow("main") << SkinStrip::Main << QSize(87, 32) << 6;
        QTest::newRow("main odd") << SkinStrip::MainOdd << QSize(87, 32) << 12;
        QTest::newRow("browser button") << SkinStrip::BrowserButton << QSize(44, 22) << 3;
    }

    // Tinting finds the key at column 0 of the bottom row. Each frame is a
    // mostly opaque picture in neutral greys: a half-keyed pixel at an edge
    // would come out as a stray colour.
    void strips()
    {
        QFETCH(SkinStrip, strip);
        QFETCH(QSize, frame);
        QFETCH(int, count);
        QCOMPARE(SkinImages::frameSize(strip), frame);
        const QImage image = skin().strip(strip);
        QCOMPARE(image.size(), QSize(frame.width() * count, frame.height()));
        QVERIFY(!image.hasAlphaChannel());
        QCOMPARE(image.pixel(0, image.height() - 1), Key);
        const QList<QImage> frames = stripFrames(strip);
        QCOMPARE(frames.size(), count);
        for (const QImage &f : frames) {
            int opaque = 0;
            for (int y = 0; y < f.height(); ++y)
                for (int x = 0; x < f.width(); ++x) {
                    const QRgb c = f.pixel(x, y);
                    opaque += c != Key;
                    if (c != Key && saturation(c) != 0)
                        QFAIL(qPrintable(QStringLiteral("colour %1 at %2,%3").arg(c, 8, 16).arg(x).arg(y)));
                }
            QVERIFY(opaque * 3 > f.width() * f.height());
        }
    }

    void buttonFaces_data()
    {
        QTest::addColumn<SkinStrip>("strip");
        QTest::addColumn<int>("face");
        QTest::addColumn<int>("step"); // how far right of face 0 the face sits; 0: not beside it
        QTest::newRow("window minimise/maximise") << SkinStrip::Window << 0 << 24;
        QTest::newRow("window close") << SkinStrip::Window << 1 << 24;
        QTest::newRow("main second") << SkinStrip::Main << 1 << 0;
        QTest::newRow("main odd fourth") << SkinStrip::MainOdd << 3 << 0;
        QTest::newRow("pane select and zoom") << SkinStrip::BrowserButton << 0 << 23;
    }

    // A button uses its idle picture's key for all three states, so the three
    // must share one outline; hovering lightens the face and pressing darkens
    // it. Overlapping neighbours share no opaque pixel, so the pointer is
    // over one button at a time.
    void buttonFaces()
    {
        QFETCH(SkinStrip, strip);
        QFETCH(int, face);
        QFETCH(int, step);
        const QList<QImage> frames = stripFrames(strip);
        const QImage &idle = frames.at(face * 3), &over = frames.at(face * 3 + 1), &down = frames.at(face * 3 + 2);
        const int right = idle.width() - 1, bottom = idle.height() - 1;
        const QPoint centre(right / 2, bottom / 2);
        QCOMPARE(idle.pixel(0, 0), Key);
        QCOMPARE(idle.pixel(right, 0), Key);
        QCOMPARE(idle.pixel(right, bottom), Key);
        QVERIFY(qGray(over.pixel(centre)) > qGray(idle.pixel(centre)) + 5);
        QVERIFY(qGray(down.pixel(centre)) < qGray(idle.pixel(centre)) - 5);
        for (int y = 0; y <= bottom; ++y)
            for (int x = 0; x <= right; ++x) {
                QCOMPARE(over.pixel(x, y) == Key, idle.pixel(x, y) == Key);
                QCOMPARE(down.pixel(x, y) == Key, idle.pixel(x, y) == Key);
                if (step && x >= step)
                    QVERIFY2(frames.at(0).pixel(x, y) == Key || idle.pixel(x - step, y) == Key,
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
    }

    void glyphStrips_data()
    {
        QTest::addColumn<GlyphSet>("set");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("kind");
        QTest::newRow("window") << GlyphSet::Window << QSize(28, 16) << 3 << 1;
        QTest::newRow("big") << GlyphSet::BigGlyph << QSize(24, 24) << SkinImages::BigGlyphCount << 0;
        QTest::newRow("pane button") << GlyphSet::BrowserButton << QSize(44, 22) << 2 << 3;
    }

    // Tinting finds the key at column 0 of the bottom row and the border
    // colour at the kind's key point, so every frame of both styles must
    // carry both, and enough glyph pixels besides for the glyph colour to show.
    void glyphStrips()
    {
        QFETCH(GlyphSet, set);
        QFETCH(QSize, frame);
        QFETCH(int, count);
        QFETCH(int, kind);
        QCOMPARE(SkinImages::glyphFrameSize(set), frame);
        QCOMPARE(SkinImages::glyphKind(set), kind);
        QVERIFY(SkinImages::glyphBorderKey(GlyphStyle::Bevel) != SkinImages::glyphBorderKey(GlyphStyle::Color));
        for (const GlyphStyle style : {GlyphStyle::Bevel, GlyphStyle::Color}) {
            const QImage image = skin().glyphStrip(set, style);
            QCOMPARE(image.size(), QSize(frame.width() * count, frame.height()));
            QVERIFY(!image.hasAlphaChannel());
            QCOMPARE(image.pixel(0, image.height() - 1), Key);
            const QPoint keyPoint = SkinImages::glyphKeyPoint(kind, style == GlyphStyle::Bevel);
            const QRgb border = SkinImages::glyphBorderKey(style);
            QVERIFY(border != Key);
            bool anyColour = false;
            for (const QImage &f : SkinImages::frames(image, frame)) {
                QCOMPARE(f.pixel(keyPoint), border);
                int transparent = 0, glyph = 0;
                for (int y = 0; y < f.height(); ++y)
                    for (int x = 0; x < f.width(); ++x) {
                        const QRgb c = f.pixel(x, y);
                        transparent += c == Key;
                        glyph += c != Key && c != border;
                        anyColour = anyColour || (c != Key && saturation(c) > 60);
                    }
                QVERIFY(glyph >= 12);
                QVERIFY(transparent > f.width() * f.height() / 5);
            }
            // With no glyph colour chosen the colour style shows as painted.
            QCOMPARE(anyColour, style == GlyphStyle::Color);
        }
    }

    void glyphsStayOnTheirFaces_data()
    {
        QTest::addColumn<GlyphSet>("set");
        QTest::addColumn<SkinStrip>("strip");
        QTest::addColumn<int>("face");
        QTest::newRow("window glyphs on close") << GlyphSet::Window << SkinStrip::Window << 1;
        QTest::newRow("big glyphs on main odd") << GlyphSet::BigGlyph << SkinStrip::MainOdd << 1;
        QTest::newRow("pane glyphs on pane buttons") << GlyphSet::BrowserButton << SkinStrip::BrowserButton << 0;
    }

    // A button draws its glyph centred and nudged (+1, 0), or (+2, +1) while
    // pressed; a glyph pixel beyond the shaped face would hang in the air.
    void glyphsStayOnTheirFaces()
    {
        QFETCH(GlyphSet, set);
        QFETCH(SkinStrip, strip);
        QFETCH(int, face);
        const QImage idle = stripFrames(strip).at(face * 3);
        const QSize glyphSize = SkinImages::glyphFrameSize(set);
        const QPoint centred((idle.width() - glyphSize.width()) / 2, (idle.height() - glyphSize.height()) / 2);
        for (const GlyphStyle style : {GlyphStyle::Bevel, GlyphStyle::Color})
            for (const QImage &glyph : SkinImages::frames(skin().glyphStrip(set, style), glyphSize))
                for (const QPoint nudge : {QPoint(1, 0), QPoint(2, 1)})
                    for (int y = 0; y < glyphSize.height(); ++y)
                        for (int x = 0; x < glyphSize.width(); ++x) {
                            const QPoint p = centred + nudge + QPoint(x, y);
                            if (glyph.pixel(x, y) != Key)
                                QVERIFY2(idle.rect().contains(p) && idle.pixel(p) != Key,
                                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                        }
    }

    // Each of the 25 buttons' glyphs is its own picture.
    void bigGlyphs()
    {
        for (const GlyphStyle style : {GlyphStyle::Bevel, GlyphStyle::Color}) {
            for (int i = 0; i < SkinImages::BigGlyphCount; ++i)
                for (int j = 0; j < i; ++j)
                    QVERIFY2(skin().bigGlyph(i, style) != skin().bigGlyph(j, style),
                             qPrintable(QStringLiteral("%1 == %2").arg(i).arg(j)));
            QVERIFY(skin().bigGlyph(-1, style).isNull());
            QVERIFY(skin().bigGlyph(SkinImages::BigGlyphCount, style).isNull());
        }
    }

    void pictures_data()
    {
        QTest::addColumn<SkinPicture>("picture");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("minColour"); // saturation of the most coloured solid pixel
        QTest::addColumn<int>("maxColour");
        QTest::newRow("security on") << SkinPicture::SecurityOn << QSize(16, 16) << 120 << 255;
        QTest::newRow("security off") << SkinPicture::SecurityOff << QSize(16, 16) << 0 << 255;
        QTest::newRow("move tab gray") << SkinPicture::MoveTabGray << QSize(18, 18) << 0 << 2;
        QTest::newRow("move tab color") << SkinPicture::MoveTabColor << QSize(18, 18) << 120 << 255;
        QTest::newRow("busy") << SkinPicture::Busy << QSize(32, 32) << 0 << 255;
        QTest::newRow("resize grip") << SkinPicture::Resize << QSize(20, 20) << 0 << 255;
    }

    // The single pictures are drawn as they are over whatever lies below: a
    // transparent surround, a solid picture.
    void pictures()
    {
        QFETCH(SkinPicture, picture);
        QFETCH(QSize, size);
        QFETCH(int, minColour);
        QFETCH(int, maxColour);
        const QImage image = skin().picture(picture);
        QCOMPARE(image.size(), size);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        int solid = 0, strongest = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (qAlpha(image.pixel(x, y)) >= 200) {
                    ++solid;
                    strongest = std::max(strongest, saturation(image.pixel(x, y)));
                }
        QVERIFY(solid >= size.width() * size.height() / (picture == SkinPicture::Resize ? 40 : 10));
        QVERIFY(strongest >= minColour && strongest <= maxColour);
        if (picture == SkinPicture::SecurityOff)
            QVERIFY(image != skin().picture(SkinPicture::SecurityOn));
    }

    // The skin is painted at start-up; the best of three, so a busy machine
    // does not make this flaky.
    void paintingIsQuick()
    {
        qint64 best = std::numeric_limits<qint64>::max();
        for (int i = 0; i < 3; ++i) {
            QElapsedTimer timer;
            timer.start();
            const SkinImages images;
            best = std::min(best, timer.elapsed());
        }
        QVERIFY2(best < 50, qPrintable(QStringLiteral("%1 ms").arg(best)));
    }
};

QTEST_MAIN(TestSkinImages)
#include "test_skinimages.moc"
