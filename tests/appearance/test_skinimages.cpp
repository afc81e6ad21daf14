#include "appearance/skinimages.h"

#include <QTest>

Q_DECLARE_METATYPE(SkinStrip)
Q_DECLARE_METATYPE(GlyphSet)
Q_DECLARE_METATYPE(SkinPicture)

namespace {

constexpr QRgb Key = SkinImages::TransparentKey;

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
        QTest::newRow("nav grid top/bottom") << SkinStrip::NavGridTopBottom << QSize(70, 7) << 2;
        QTest::newRow("nav grid left/right") << SkinStrip::NavGridLeftRight << QSize(7, 70) << 2;
        QTest::newRow("nav positions") << SkinStrip::NavPos << QSize(23, 23) << 18;
        QTest::newRow("nav hint buttons") << SkinStrip::NavHint << QSize(20, 35) << 9;
    }

    // Tinting finds the key at column 0 of the bottom row and turns grey into
    // the target colour: a stray colour in a strip would survive tinting.
    // Button strips hold idle, over, down per face: the three share the idle
    // outline, hovering lightens and pressing darkens.
    void strips()
    {
        QFETCH(SkinStrip, strip);
        QFETCH(QSize, frame);
        QFETCH(int, count);
        QCOMPARE(SkinImages::frameSize(strip), frame);
        const QImage image = skin().strip(strip);
        QCOMPARE(image.size(), QSize(frame.width() * count, frame.height()));
        QVERIFY(!image.hasAlphaChannel());
        // The map panel's edges are stretched and tinted whole: no key there.
        const bool keyed = strip != SkinStrip::NavGridTopBottom && strip != SkinStrip::NavGridLeftRight;
        QCOMPARE(image.pixel(0, image.height() - 1) == Key, keyed);
        const QList<QImage> frames = SkinImages::frames(image, frame);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (c != Key && (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c)))
                    QFAIL(qPrintable(QStringLiteral("colour at %1,%2").arg(x).arg(y)));
            }
        const bool button = strip == SkinStrip::Window || strip == SkinStrip::Main || strip == SkinStrip::MainOdd
                            || strip == SkinStrip::BrowserButton || strip == SkinStrip::NavPos
                            || strip == SkinStrip::NavHint;
        for (int face = 0; button && face < count / 3; ++face) {
            const QImage &idle = frames.at(face * 3), &over = frames.at(face * 3 + 1), &down = frames.at(face * 3 + 2);
            const QPoint centre(frame.width() / 2, frame.height() / 2);
            QCOMPARE(idle.pixel(0, 0), Key);
            QVERIFY(qGray(over.pixel(centre)) > qGray(idle.pixel(centre)) + 5);
            QVERIFY(qGray(down.pixel(centre)) < qGray(idle.pixel(centre)) - 5);
            for (int y = 0; y < frame.height(); ++y)
                for (int x = 0; x < frame.width(); ++x) {
                    QCOMPARE(over.pixel(x, y) == Key, idle.pixel(x, y) == Key);
                    QCOMPARE(down.pixel(x, y) == Key, idle.pixel(x, y) == Key);
                }
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
        QTest::newRow("nav hint") << GlyphSet::NavHint << QSize(20, 35) << 3 << 2;
    }

    // Tinting finds the key at column 0 of the bottom row and the border
    // colour at the kind's key point, so every frame of both styles carries
    // both, and glyph pixels besides.
    void glyphStrips()
    {
        QFETCH(GlyphSet, set);
        QFETCH(QSize, frame);
        QFETCH(int, count);
        QFETCH(int, kind);
        QCOMPARE(SkinImages::glyphFrameSize(set), frame);
        QCOMPARE(SkinImages::glyphKind(set), kind);
        for (const GlyphStyle style : {GlyphStyle::Bevel, GlyphStyle::Color}) {
            const QImage image = skin().glyphStrip(set, style);
            QCOMPARE(image.size(), QSize(frame.width() * count, frame.height()));
            QCOMPARE(image.pixel(0, image.height() - 1), Key);
            const QPoint keyPoint = SkinImages::glyphKeyPoint(kind, style == GlyphStyle::Bevel);
            const QRgb border = SkinImages::glyphBorderKey(style);
            QVERIFY(border != Key);
            for (const QImage &f : SkinImages::frames(image, frame)) {
                QCOMPARE(f.pixel(keyPoint), border);
                int glyph = 0;
                for (int y = 0; y < f.height(); ++y)
                    for (int x = 0; x < f.width(); ++x)
                        glyph += f.pixel(x, y) != Key && f.pixel(x, y) != border;
                QVERIFY(glyph >= 12);
            }
        }
    }

    void pictures_data()
    {
        QTest::addColumn<SkinPicture>("picture");
        QTest::addColumn<QSize>("size");
        QTest::newRow("security on") << SkinPicture::SecurityOn << QSize(16, 16);
        QTest::newRow("resize grip") << SkinPicture::Resize << QSize(20, 20);
        QTest::newRow("nav occupied") << SkinPicture::NavUnselected << QSize(16, 16);
        QTest::newRow("nav selected") << SkinPicture::NavSelected << QSize(16, 16);
        QTest::newRow("nav search") << SkinPicture::NavSearch << QSize(16, 16);
        QTest::newRow("nav delete") << SkinPicture::NavDeleteGray << QSize(16, 16);
        QTest::newRow("nav delete over") << SkinPicture::NavDeleteColor << QSize(16, 16);
    }

    // Pictures are drawn as they are: a transparent surround, something solid.
    void pictures()
    {
        QFETCH(SkinPicture, picture);
        QFETCH(QSize, size);
        const QImage image = skin().picture(picture);
        QCOMPARE(image.size(), size);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        int solid = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                solid += qAlpha(image.pixel(x, y)) >= 200;
        QVERIFY(solid >= size.width() * size.height() / 40);
    }
};

QTEST_MAIN(TestSkinImages)
#include "test_skinimages.moc"
