#include "appearance/widgets/bmpscrollbox.h"

#include <QScrollBar>
#include <QTest>

namespace {

// A blue tile with a red first column and a green first row, so each tile's
// origin can be found in a painted picture.
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
    void tileOrigins_data()
    {
        QTest::addColumn<QSize>("tile");
        QTest::addColumn<QPoint>("scroll");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QPoint>("first");
        QTest::newRow("not scrolled") << QSize(300, 300) << QPoint(0, 0) << QSize(500, 400) << QPoint(0, 0);
        QTest::newRow("a tile and 10 more") << QSize(300, 300) << QPoint(310, 0) << QSize(500, 400)
                                            << QPoint(-10, 0);
        QTest::newRow("both ways") << QSize(64, 32) << QPoint(70, 650) << QSize(128, 64) << QPoint(-6, -10);
        QTest::newRow("tile larger than client") << QSize(300, 300) << QPoint(0, 299) << QSize(100, 100)
                                                 << QPoint(0, -299);
    }

    // Tiles start at -scroll mod tile and together cover the client area.
    void tileOrigins()
    {
        QFETCH(QSize, tile);
        QFETCH(QPoint, scroll);
        QFETCH(QSize, client);
        QFETCH(QPoint, first);
        const QList<QPoint> origins = BmpScrollBox::tileOrigins(tile, scroll, client);
        QVERIFY(!origins.isEmpty());
        QCOMPARE(origins.first(), first);
        QRegion covered;
        for (const QPoint &origin : origins)
            covered += QRect(origin, tile);
        QCOMPARE(QRegion(QRect(QPoint(0, 0), client)).subtracted(covered), QRegion());
        QVERIFY(BmpScrollBox::tileOrigins(QSize(), scroll, client).isEmpty());
    }

    // Scrolled by (10, 130), the tiles' edges move 10 left and 30 up.
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

        box.horizontalScrollBar()->setValue(10);
        box.verticalScrollBar()->setValue(130);
        shown = box.viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(90, 50), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(100, 50), QColor(Qt::blue));
        QCOMPARE(shown.pixelColor(50, 70), QColor(Qt::green));
    }

    // Stretched to 80 x 60: red stripes every 80 pixels, green every 60.
    void stretchedTile()
    {
        BmpScrollBox box;
        box.setFrameShape(QFrame::NoFrame);
        box.setBitmapBack(markedTile({10, 10}));
        box.setBitmapTTSWidth(80);
        box.setBitmapTTSHeight(60);
        box.setBitmapTileToSize(true);
        QCOMPARE(box.tileSize(), QSize(80, 60));
        box.setWidget(new QWidget);
        box.resize(200, 200);
        const QImage shown = box.viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(160, 30), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(40, 30), QColor(Qt::blue));
        QCOMPARE(shown.pixelColor(40, 120), QColor(Qt::green));
        // Stretched to nothing, there is nothing to draw.
        box.setBitmapTTSWidth(0);
        QVERIFY(box.tileSize().isEmpty());
    }
};

QTEST_MAIN(TestBmpScrollBox)
#include "test_bmpscrollbox.moc"
