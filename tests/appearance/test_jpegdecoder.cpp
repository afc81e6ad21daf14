#include "appearance/gridbackground.h"
#include "appearance/jpegdecoder.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <jpeglib.h>

namespace {

// A JPEG of the picture made by the library's own compressor, at full quality.
QByteArray compress(const QImage &source, bool grey = false)
{
    const QImage picture = source.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(picture.width());
    info.image_height = JDIMENSION(picture.height());
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(picture.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

// A picture with four flat quarters, so that a lossy copy keeps each colour.
QImage quarters(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, x < width / 2 ? (y < height / 2 ? qRgb(200, 30, 30) : qRgb(30, 200, 30))
                                               : (y < height / 2 ? qRgb(30, 30, 200) : qRgb(240, 240, 240)));
    return image;
}

// The JPEG with its frame header claiming another size.
QByteArray withSize(QByteArray jpeg, int width, int height)
{
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    if (sof < 0)
        return {};
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

bool near(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) <= 3 && qAbs(qGreen(a) - qGreen(b)) <= 3 && qAbs(qBlue(a) - qBlue(b)) <= 3;
}

QByteArray bmp(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "bmp").write(image);
    return bytes;
}

// A bitmap header's 32-bit field (18: width, 22: height) set to value.
QByteArray withBmpField(QByteArray bytes, int offset, qint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char((quint32(value) >> (8 * i)) & 0xFF);
    return bytes;
}

// The bitmap stored top down: first row first, a negative height.
QByteArray topDownBmp(const QImage &image)
{
    return withBmpField(bmp(image.mirrored(false, true)), 22, -image.height());
}

} // namespace

// JPEG decoding through libjpeg, and the grid background picture kept as
// "gbi_active.bmp".
class TestJpegDecoder : public QObject
{
    Q_OBJECT

private slots:
    void decodesSizeAndPixels()
    {
        const QImage picture = JpegDecoder::decode(compress(quarters(64, 48)));
        QCOMPARE(picture.size(), QSize(64, 48));
        QVERIFY(near(picture.pixel(5, 5), qRgb(200, 30, 30)));
        QVERIFY(near(picture.pixel(5, 40), qRgb(30, 200, 30)));
        QVERIFY(near(picture.pixel(60, 5), qRgb(30, 30, 200)));
        QVERIFY(near(picture.pixel(60, 40), qRgb(240, 240, 240)));
    }

    void greyPictureBecomesRgb()
    {
        const QImage picture = JpegDecoder::decode(compress(quarters(16, 16), true));
        QCOMPARE(picture.size(), QSize(16, 16));
        const QRgb pixel = picture.pixel(12, 12);
        QCOMPARE(qRed(pixel), qGreen(pixel));
        QCOMPARE(qGreen(pixel), qBlue(pixel));
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = compress(quarters(64, 48));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("marker only") << QByteArray("\xFF\xD8\xFF", 3);
        QTest::newRow("text") << QByteArray("this is not a picture at all");
        QTest::newRow("header only") << good.left(good.indexOf("\xFF\xDA"));
        QTest::newRow("truncated") << good.left(good.size() / 2);
        QTest::newRow("no end") << good.left(good.size() - 2);
        QTest::newRow("0 x 0") << withSize(good, 0, 0);
        QTest::newRow("0 wide") << withSize(good, 0, 48);
        QTest::newRow("60000 x 60000") << withSize(good, 60000, 60000);
        QTest::newRow("65535 x 2") << withSize(good, 65535, 2);
        QTest::newRow("16384 x 16384") << withSize(good, 16384, 16384);
        QByteArray scrambled = good;
        for (qsizetype i = good.indexOf("\xFF\xDA") + 20; i < scrambled.size() - 2; i += 7)
            scrambled[i] = char(0xFF);
        QTest::newRow("scrambled") << scrambled;
    }
    void refused()
    {
        QFETCH(QByteArray, bytes);
        QString why;
        const QImage picture = JpegDecoder::decode(bytes, &why);
        QVERIFY(picture.isNull());
        QVERIFY(!why.isEmpty());
    }

    void largestAllowedSideIsRead()
    {
        const QImage picture = JpegDecoder::decode(compress(quarters(JpegDecoder::MaximumSide, 8)));
        QCOMPARE(picture.size(), QSize(JpegDecoder::MaximumSide, 8));
    }

    void storesJpegAndBmpAs24BitBitmap_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::newRow("jpeg") << compress(quarters(40, 30)) << QStringLiteral("pick.jpg");
        QTest::newRow("bmp") << bmp(quarters(40, 30)) << QStringLiteral("pick.bmp");
        QTest::newRow("top-down bmp") << topDownBmp(quarters(40, 30)) << QStringLiteral("pick.bmp");
        // The contents decide, not the name.
        QTest::newRow("jpeg named bmp") << compress(quarters(40, 30)) << QStringLiteral("pick.bmp");
    }
    void storesJpegAndBmpAs24BitBitmap()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString data = dir.path() + QLatin1Char('/');
        QVERIFY(TestFiles::write(dir.filePath(name), bytes));
        QString why;
        QVERIFY2(GridBackground::store(dir.filePath(name), data, &why), qPrintable(why));
        QFile stored(GridBackground::filePath(data));
        QCOMPARE(stored.fileName(), dir.filePath(QStringLiteral("Aesthetic Profiles/gbi_active.bmp")));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        const QByteArray header = stored.read(30);
        QVERIFY(header.startsWith("BM"));
        QCOMPARE(int(uchar(header[28])) | int(uchar(header[29])) << 8, 24);
        const QImage loaded = GridBackground::load(data);
        QCOMPARE(loaded.size(), QSize(40, 30));
        QVERIFY(near(loaded.pixel(2, 2), qRgb(200, 30, 30)));
        QVERIFY(near(loaded.pixel(38, 28), qRgb(240, 240, 240)));
    }

    void damagedPickKeepsTheOldBackground_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpeg = compress(quarters(40, 30));
        QTest::newRow("truncated jpeg") << jpeg.left(jpeg.size() / 3);
        QTest::newRow("huge jpeg header") << withSize(jpeg, 60000, 60000);
        QByteArray hugeBmp = bmp(quarters(4, 4));
        // Width and height of the bitmap's header: 60000 x 60000.
        for (int offset : {18, 22}) {
            hugeBmp[offset] = char(0x60);
            hugeBmp[offset + 1] = char(0xEA);
            hugeBmp[offset + 2] = 0;
            hugeBmp[offset + 3] = 0;
        }
        QTest::newRow("huge bmp header") << hugeBmp;
        QTest::newRow("truncated bmp") << bmp(quarters(40, 30)).left(20);
        // A negative height (top down) of one row more than the limit.
        QTest::newRow("top-down bmp too tall") << withBmpField(bmp(quarters(4, 4)), 22, -(JpegDecoder::MaximumSide + 1));
        QTest::newRow("top-down bmp too large")
            << withBmpField(withBmpField(bmp(quarters(4, 4)), 18, 16000), 22, -16000);
        QTest::newRow("text") << QByteArray("hello");
    }
    void damagedPickKeepsTheOldBackground()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString data = dir.path() + QLatin1Char('/');
        QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("good.jpg")), compress(quarters(40, 30))));
        QVERIFY(GridBackground::store(dir.filePath(QStringLiteral("good.jpg")), data));
        QFile before(GridBackground::filePath(data));
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray old = before.readAll();
        before.close();
        QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("bad.jpg")), bytes));
        QString why;
        QVERIFY(!GridBackground::store(dir.filePath(QStringLiteral("bad.jpg")), data, &why));
        QVERIFY(!why.isEmpty());
        QFile after(GridBackground::filePath(data));
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), old);
        // The damaged pick itself is left where it was.
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("bad.jpg"))));
        QCOMPARE(QDir(dir.filePath(QStringLiteral("Aesthetic Profiles"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("gbi_active.bmp")});
    }

    void missingBackgroundIsNone()
    {
        QTemporaryDir dir;
        QVERIFY(GridBackground::load(dir.path() + QLatin1Char('/')).isNull());
        QString why;
        QVERIFY(!GridBackground::store(dir.filePath(QStringLiteral("nothing.jpg")), dir.path() + QLatin1Char('/'), &why));
        QVERIFY(!why.isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("nothing.jpg"))));
    }
};

QTEST_MAIN(TestJpegDecoder)
#include "test_jpegdecoder.moc"
