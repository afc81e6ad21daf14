#include "appearance/colormath.h"

#include <QTest>

using namespace ColorMath;


namespace {

int ref(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

// A picture of the given size filled with fill, its key (bottom-left) pixel
// set to key.
QImage picture(QSize size, QRgb fill, QRgb key)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    image.setPixel(0, size.height() - 1, key);
    return image;
}

} // namespace

// Colour references and the tinting of skin pictures, checked against values
// worked out by hand from the HSL formulas (an independent calculation).
class TestColorMath : public QObject
{
    Q_OBJECT

private slots:
    void references()
    {
        QCOMPARE(colourRef(QColor(255, 0, 0)), 255);
        QCOMPARE(colourRef(QColor(0, 0, 255)), 16711680);
        QCOMPARE(colourRef(QColor(113, 111, 100)), 6582129);
        QCOMPARE(fromRef(6582129), QColor(113, 111, 100));
        QCOMPARE(fromRef(15780518), QColor(166, 202, 240));
        // The high byte of a stored value never leaks into a channel.
        QCOMPARE(fromRef(NoGlyphColour), QColor(255, 255, 255));
    }

    void rgbToHsl_data()
    {
        QTest::addColumn<QRgb>("rgb");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("s");
        QTest::addColumn<double>("l");
        QTest::newRow("black") << qRgb(0, 0, 0) << 0.0 << 0.0 << 0.0;
        QTest::newRow("grey") << qRgb(51, 51, 51) << 0.0 << 0.0 << 0.2;
        QTest::newRow("red") << qRgb(255, 0, 0) << 0.0 << 1.0 << 0.5;
        QTest::newRow("green") << qRgb(0, 255, 0) << 1.0 / 3 << 1.0 << 0.5;
        QTest::newRow("blue") << qRgb(0, 0, 255) << 2.0 / 3 << 1.0 << 0.5;
        // Red is the maximum and blue above green: a negative hue wraps.
        QTest::newRow("rose") << qRgb(255, 0, 51) << 1 - 0.2 / 6 << 1.0 << 0.5;
        // Red and blue share the maximum: blue's test, last, decides.
        QTest::newRow("magenta") << qRgb(255, 0, 255) << 5.0 / 6 << 1.0 << 0.5;
        QTest::newRow("light") << qRgb(255, 204, 204) << 0.0 << 1.0 << 0.9;
    }
    void rgbToHsl()
    {
        QFETCH(QRgb, rgb);
        QFETCH(double, h);
        QFETCH(double, s);
        QFETCH(double, l);
        const Hsl hsl = ColorMath::rgbToHsl(rgb);
        QVERIFY2(qAbs(hsl.h - h) < 1e-9, qPrintable(QString::number(hsl.h)));
        QVERIFY2(qAbs(hsl.s - s) < 1e-9, qPrintable(QString::number(hsl.s)));
        QVERIFY2(qAbs(hsl.l - l) < 1e-9, qPrintable(QString::number(hsl.l)));
    }

    void colorize_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QRgb>("pixel");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("teal, dark grey") << ref(0, 128, 128) << qRgb(64, 64, 64) << qRgb(0, 64, 64);
        QTest::newRow("teal, light grey") << ref(0, 128, 128) << qRgb(200, 200, 200) << qRgb(145, 200, 200);
        QTest::newRow("red, slate") << ref(255, 0, 0) << qRgb(30, 60, 90) << qRgb(120, 0, 0);
        QTest::newRow("plum, olive") << ref(120, 96, 88) << qRgb(90, 140, 10) << qRgb(71, 56, 52);
        // Only the pixel's lightness counts: a grey target gives grey.
        QTest::newRow("grey target") << ref(128, 128, 128) << qRgb(10, 200, 30) << qRgb(105, 105, 105);
        // White is taken as 254,254,254 and black as 1,1,1.
        QTest::newRow("white target") << ref(255, 255, 255) << qRgb(100, 100, 100) << qRgb(199, 199, 199);
        QTest::newRow("black target") << 0 << qRgb(100, 100, 100) << qRgb(1, 1, 1);
        QTest::newRow("above white") << 16777216 << qRgb(100, 100, 100) << qRgb(199, 199, 199);
        QTest::newRow("below black") << -5 << qRgb(100, 100, 100) << qRgb(1, 1, 1);
        // Black stays black and white stays white.
        QTest::newRow("black pixel") << ref(79, 79, 79) << qRgb(0, 0, 0) << qRgb(0, 0, 0);
        QTest::newRow("white pixel") << ref(79, 79, 79) << qRgb(255, 255, 255) << qRgb(255, 255, 255);
        // A pixel of lightness one half becomes the target itself.
        QTest::newRow("half, light blue") << ref(166, 202, 240) << qRgb(255, 0, 0) << qRgb(166, 202, 240);
        QTest::newRow("half, desert") << ref(213, 204, 187) << qRgb(0, 255, 0) << qRgb(213, 204, 187);
        QTest::newRow("mid grey, system") << ref(212, 208, 200) << qRgb(128, 128, 128) << qRgb(212, 208, 200);
    }
    void colorize()
    {
        QFETCH(int, target);
        QFETCH(QRgb, pixel);
        QFETCH(QRgb, expected);
        QCOMPARE(QColor(colorizeColor(target, pixel)), QColor(expected));
    }

    // The table of a tint must agree with the formula for every pixel, or a
    // strip would differ from the colour editor's preview by a shade.
    void tintTableAgreesWithTheFormula()
    {
        for (int target : {ref(0, 128, 128), ref(212, 208, 200), ref(255, 255, 255), 0, ref(88, 87, 104)}) {
            const Tint tint(target);
            for (int max = 0; max < 256; ++max)
                for (int min = 0; min <= max; min += 3) {
                    const QRgb pixel = qRgb(max, min, (max + min) / 2);
                    if (tint(pixel) != colorizeColor(target, pixel))
                        QFAIL(qPrintable(QStringLiteral("target %1 pixel %2,%3").arg(target).arg(max).arg(min)));
                }
        }
    }

    void keepTransparent()
    {
        const QImage strip = picture({6, 4}, qRgb(64, 64, 64), qRgb(255, 0, 255));
        const QImage out = recolorKeepTransparent(strip, ref(0, 128, 128));
        QCOMPARE(out.size(), strip.size());
        QCOMPARE(out.format(), QImage::Format_RGB32);
        QCOMPARE(QColor(out.pixel(0, 3)), QColor(255, 0, 255));
        QCOMPARE(QColor(out.pixel(3, 1)), QColor(0, 64, 64));
        // Every pixel of the key colour stays, wherever it is.
        QImage keyed = strip;
        keyed.setPixel(5, 0, qRgb(255, 0, 255));
        QCOMPARE(QColor(recolorKeepTransparent(keyed, ref(0, 128, 128)).pixel(5, 0)), QColor(255, 0, 255));
        // The source is never changed.
        QCOMPARE(QColor(strip.pixel(3, 1)), QColor(64, 64, 64));
    }

    void all()
    {
        const QImage strip = picture({6, 4}, qRgb(64, 64, 64), qRgb(200, 200, 200));
        const QImage out = recolorAll(strip, ref(0, 128, 128));
        QCOMPARE(QColor(out.pixel(0, 3)), QColor(145, 200, 200));
        QCOMPARE(QColor(out.pixel(2, 2)), QColor(0, 64, 64));
    }

    void pictureWithAlphaBecomesOpaque()
    {
        QImage strip(4, 4, QImage::Format_ARGB32);
        strip.fill(qRgba(64, 64, 64, 10));
        const QImage out = recolorAll(strip, ref(0, 128, 128));
        QCOMPARE(out.format(), QImage::Format_RGB32);
        QCOMPARE(qAlpha(out.pixel(1, 1)), 255);
        QVERIFY(recolorAll(QImage(), 255).isNull());
    }

    void glyphKeyPoints_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("bevel");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QPoint>("point");
        QTest::newRow("big, bevel") << 0 << true << QSize(24, 24) << QPoint(3, 22);
        QTest::newRow("big, colour") << 0 << false << QSize(24, 24) << QPoint(2, 21);
        QTest::newRow("window, bevel") << 1 << true << QSize(28, 16) << QPoint(4, 14);
        QTest::newRow("window, colour") << 1 << false << QSize(28, 16) << QPoint(3, 13);
        QTest::newRow("nav hint, bevel") << 2 << true << QSize(20, 35) << QPoint(5, 14);
        QTest::newRow("nav hint, colour") << 2 << false << QSize(20, 35) << QPoint(6, 13);
        QTest::newRow("pane, bevel") << 3 << true << QSize(44, 22) << QPoint(6, 17);
        QTest::newRow("pane, colour") << 3 << false << QSize(44, 22) << QPoint(5, 17);
    }
    void glyphKeyPoints()
    {
        QFETCH(int, kind);
        QFETCH(bool, bevel);
        QFETCH(QSize, frame);
        QFETCH(QPoint, point);
        const QRgb transparent = qRgb(255, 0, 255), border = qRgb(128, 128, 128), body = qRgb(64, 64, 64);
        // Two frames side by side; each has its own key point.
        QImage strip(frame.width() * 2, frame.height(), QImage::Format_RGB32);
        strip.fill(transparent);
        for (int f = 0; f < 2; ++f) {
            strip.setPixel(point + QPoint(f * frame.width(), 0), border);
            strip.setPixel(f * frame.width() + 1, 1, border);         // a border pixel elsewhere
            strip.setPixel(f * frame.width() + frame.width() - 2, 2, body);
        }
        const int borderColour = ref(0, 128, 128), glyphColour = ref(255, 0, 0);
        const QImage out = recolorGlyph(strip, frame.width(), kind, bevel, borderColour, glyphColour);
        for (int f = 0; f < 2; ++f) {
            const int x = f * frame.width();
            QCOMPARE(QColor(out.pixel(x + 5, frame.height() - 1)), QColor(transparent));
            QCOMPARE(QColor(out.pixel(point + QPoint(x, 0))), QColor(colorizeColor(borderColour, border)));
            QCOMPARE(QColor(out.pixel(x + 1, 1)), QColor(colorizeColor(borderColour, border)));
            QCOMPARE(QColor(out.pixel(x + frame.width() - 2, 2)), QColor(colorizeColor(glyphColour, body)));
        }
        // Without a glyph colour only the border pixels are tinted.
        const QImage own = recolorGlyph(strip, frame.width(), kind, bevel, borderColour, NoGlyphColour);
        QCOMPARE(QColor(own.pixel(frame.width() - 2, 2)), QColor(body));
        QCOMPARE(QColor(own.pixel(point)), QColor(colorizeColor(borderColour, border)));
    }
};

QTEST_MAIN(TestColorMath)
#include "test_colormath.moc"
