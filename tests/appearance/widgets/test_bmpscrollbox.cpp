#include "appearance/widgets/bmpscrollbox.h"

#include <QScrollBar>
#include <QTest>

namespace {

// A tile of the given size, blue with a red first column and a green first
// row, so each tile's origin can be found in a painted picture.
QImage markedTile(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < size.height(); ++y)
        image.setPixelColor(0, y, Qt::red);
    for (int x = 1; x < size.width(); ++x)
        image.setPixelColor(x, 0, Qt::green);
    return image;
}

} // namespace

class TestBmpScrollBox : public QObject
{
    Q_OBJECT

private slots:
    void defaults()
    {
        BmpScrollBox box;
        QVERIFY(box.bitmapBack().isNull());
        QCOMPARE(box.bitmapTileToSize(), false);
        QCOMPARE(box.bitmapTTSWidth(), 300);
        QCOMPARE(box.bitmapTTSHeight(), 300);
        QVERIFY(box.tileSize().isEmpty());
    }

    void tileSize_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("tileToSize");
        QTest::addColumn<QSize>("tts");
        QTest::addColumn<QSize>("tile");
        QTest::newRow("picture size") << QSize(64, 32) << false << QSize(300, 300) << QSize(64, 32);
        QTest::newRow("stretched") << QSize(64, 32) << true << QSize(300, 300) << QSize(300, 300);
        QTest::newRow("stretched, own size") << QSize(64, 32) << true << QSize(120, 80)
                                             << QSize(120, 80);
        QTest::newRow("stretched to nothing") << QSize(64, 32) << true << QSize(0, 80) << QSize();
        QTest::newRow("no picture") << QSize() << true << QSize(300, 300) << QSize();
    }

    void tileSize()
    {
        QFETCH(QSize, picture);
        QFETCH(bool, tileToSize);
        QFETCH(QSize, tts);
        QFETCH(QSize, tile);
        BmpScrollBox box;
        if (picture.isValid())
            box.setBitmapBack(markedTile(picture));
        box.setBitmapTileToSize(tileToSize);
        box.setBitmapTTSWidth(tts.width());
        box.setBitmapTTSHeight(tts.height());
        QCOMPARE(box.tileSize(), tile);
    }

    void tileOrigins_data()
    {
        QTest::addColumn<QSize>("tile");
        QTest::addColumn<QPoint>("scroll");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QPoint>("first");
        QTest::addColumn<QPoint>("last");
        QTest::addColumn<int>("count");
        // Columns and rows run to client / tile + 1 inclusive.
        QTest::newRow("not scrolled") << QSize(300, 300) << QPoint(0, 0) << QSize(500, 400)
                                      << QPoint(0, 0) << QPoint(600, 600) << 9;
        QTest::newRow("scrolled by 10") << QSize(300, 300) << QPoint(10, 0) << QSize(500, 400)
                                        << QPoint(-10, 0) << QPoint(590, 600) << 9;
        QTest::newRow("a tile and 10 more") << QSize(300, 300) << QPoint(310, 0) << QSize(500, 400)
                                            << QPoint(-10, 0) << QPoint(590, 600) << 9;
        QTest::newRow("both ways") << QSize(64, 32) << QPoint(70, 650) << QSize(128, 64)
                                   << QPoint(-6, -10) << QPoint(186, 86) << 16;
        QTest::newRow("tile larger than client") << QSize(300, 300) << QPoint(0, 299)
                                                 << QSize(100, 100) << QPoint(0, -299)
                                                 << QPoint(300, 1) << 4;
        QTest::newRow("empty tile") << QSize() << QPoint(0, 0) << QSize(100, 100) << QPoint()
                                    << QPoint() << 0;
    }

    void tileOrigins()
    {
        QFETCH(QSize, tile);
        QFETCH(QPoint, scroll);
        QFETCH(QSize, client);
        QFETCH(QPoint, first);
        QFETCH(QPoint, last);
        QFETCH(int, count);
        const QList<QPoint> origins = BmpScrollBox::tileOrigins(tile, scroll, client);
        QCOMPARE(origins.size(), count);
        if (count == 0)
            return;
        QCOMPARE(origins.first(), first);
        QCOMPARE(origins.last(), last);
        // Together they cover the whole client area.
        QRegion covered;
        for (const QPoint &origin : origins)
            covered += QRect(origin, tile);
        QCOMPARE(QRegion(QRect(QPoint(0, 0), client)).subtracted(covered), QRegion());
    }

    // The background moves with the content: scrolled by 10, the second
    // column of tiles starts 10 pixels further left.
    void backgroundScrollsWithContent()
    {
        BmpScrollBox box;
        box.setFrameShape(QFrame::NoFrame);
        box.setBitmapBack(markedTile({100, 100}));
        auto *content = new QWidget;
        content->resize(1000, 1000);
        box.setWidget(content);
        QVERIFY(!content->autoFillBackground());
        box.resize(250, 250);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));

        QImage shown = box.viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(100, 50), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(50, 100), QColor(Qt::green));
        QCOMPARE(shown.pixelColor(50, 50), QColor(Qt::blue));

        box.horizontalScrollBar()->setValue(10);
        box.verticalScrollBar()->setValue(130);
        shown = box.viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(90, 50), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(100, 50), QColor(Qt::blue));
        QCOMPARE(shown.pixelColor(50, 70), QColor(Qt::green));
        QCOMPARE(shown.pixelColor(50, 100), QColor(Qt::blue));
    }

    void stretchedTile()
    {
        BmpScrollBox box;
        box.setFrameShape(QFrame::NoFrame);
        box.setBitmapBack(markedTile({10, 10}));
        box.setBitmapTTSWidth(80);
        box.setBitmapTTSHeight(60);
        box.setBitmapTileToSize(true);
        box.setWidget(new QWidget);
        box.resize(200, 200);
        // Red stripes every 80 pixels now, green ones every 60.
        const QImage shown = box.viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(80, 30), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(160, 30), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(40, 30), QColor(Qt::blue));
        QCOMPARE(shown.pixelColor(40, 60), QColor(Qt::green));
        QCOMPARE(shown.pixelColor(40, 120), QColor(Qt::green));
    }
};

QTEST_MAIN(TestBmpScrollBox)
#include "test_bmpscrollbox.moc"
