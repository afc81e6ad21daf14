#include "appearance/widgets/bmpscrollbox.h"

#include <QPainter>
#include <QScrollBar>
#include <QTest>

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
        QTest::newRow("a tile and 10") << QSize(300, 300) << QPoint(310, 0) << QSize(500, 400) << QPoint(-10, 0);
        QTest::newRow("both ways") << QSize(64, 32) << QPoint(70, 650) << QSize(128, 64) << QPoint(-6, -10);
        QTest::newRow("tile > client") << QSize(300, 300) << QPoint(0, 299) << QSize(100, 100) << QPoint(0, -299);
    }

    // Tiles start at -scroll mod tile and together cover the client area.
    void tileOrigins()
    {
        QFETCH(QSize, tile);
        QFETCH(QPoint, scroll);
        QFETCH(QSize, client);
        QFETCH(QPoint, first);
        const QList<QPoint> origins = BmpScrollBox::tileOrigins(tile, scroll, client);
        QCOMPARE(origins.value(0), first);
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
        // Blue tiles with a red first column and a green first row.
        QImage tile(100, 100, QImage::Format_RGB32);
        tile.fill(Qt::blue);
        QPainter(&tile).fillRect(0, 0, 100, 1, Qt::green);
        QPainter(&tile).fillRect(0, 0, 1, 100, Qt::red);
        box.setBitmapBack(tile);
        auto *content = new QWidget;
        content->resize(1000, 1000);
        box.setWidget(content);
        box.resize(250, 250);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QImage shown = box.viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(100, 50), QColor(Qt::red));
        box.horizontalScrollBar()->setValue(10);
        box.verticalScrollBar()->setValue(130);
        shown = box.viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(90, 50), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(50, 70), QColor(Qt::green));
    }
};

QTEST_MAIN(TestBmpScrollBox)
#include "test_bmpscrollbox.moc"
