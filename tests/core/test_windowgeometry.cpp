#include "core/windowgeometry.h"

#include <QTest>

class TestWindowGeometry : public QObject
{
    Q_OBJECT

private slots:
    void maximizeOrRestore_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("result");
        const QRect work(0, 0, 1920, 1040);
        QTest::newRow("restored window fills the work area") << QRect(502, 220, 915, 600) << work;
        QTest::newRow("maximised window is restored") << work << QRect(502, 220, 915, 600);
        QTest::newRow("same width, other height: restored") << QRect(0, 0, 1920, 700) << QRect(502, 220, 915, 600);
        QTest::newRow("same height, other width: restored") << QRect(0, 0, 1000, 1040) << QRect(502, 220, 915, 600);
        QTest::newRow("both differ") << QRect(10, 10, 1919, 1039) << work;
    }
    void maximizeOrRestore()
    {
        QFETCH(QRect, window);
        const QRect work(0, 0, 1920, 1040);
        QTEST(WindowGeometry::maximizeOrRestore(window, work, work), "result");
    }

    void restoredWindowIsCentredInTheWorkArea_data()
    {
        QTest::addColumn<QRect>("workArea");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("at the origin") << QRect(0, 0, 1920, 1040) << QPoint(502, 220);
        QTest::newRow("panel at the top") << QRect(0, 40, 1920, 1040) << QPoint(502, 260);
        QTest::newRow("panel at the left") << QRect(64, 0, 1856, 1080) << QPoint(64 + 928 - 458, 240);
        QTest::newRow("second screen") << QRect(1920, 0, 1280, 1024) << QPoint(1920 + 640 - 458, 212);
    }
    void restoredWindowIsCentredInTheWorkArea()
    {
        QFETCH(QRect, workArea);
        QFETCH(QPoint, topLeft);
        QCOMPARE(WindowGeometry::restoredBounds(workArea), QRect(topLeft, QSize(915, 600)));
        // Restoring a maximised window lands there too.
        QCOMPARE(WindowGeometry::maximizeOrRestore(workArea, workArea, workArea), QRect(topLeft, QSize(915, 600)));
    }

    void droppedPanelStaysReachable_data()
    {
        QTest::addColumn<QRect>("panel");
        QTest::addColumn<QPoint>("result");
        QTest::newRow("inside stays") << QRect(100, 100, 400, 300) << QPoint(100, 100);
        QTest::newRow("half beyond the right") << QRect(715, 100, 400, 300) << QPoint(915 - 400 - 20, 100);
        QTest::newRow("beyond the bottom") << QRect(100, 500, 400, 300) << QPoint(100, 600 - 300 - 20);
        QTest::newRow("above the top") << QRect(100, -40, 400, 300) << QPoint(100, 20);
        QTest::newRow("left of the window") << QRect(-150, 100, 400, 300) << QPoint(20, 100);
        QTest::newRow("corner") << QRect(800, 550, 400, 300) << QPoint(495, 280);
    }
    void droppedPanelStaysReachable()
    {
        QFETCH(QRect, panel);
        QTEST(WindowGeometry::keepPanelInside(panel, QSize(915, 600)), "result");
    }

    void edges_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("edges");
        QTest::newRow("middle") << QPoint(400, 300) << 0;
        QTest::newRow("left") << QPoint(2, 300) << int(Qt::LeftEdge);
        QTest::newRow("right") << QPoint(912, 300) << int(Qt::RightEdge);
        QTest::newRow("bottom-right corner") << QPoint(914, 599) << int(Qt::RightEdge | Qt::BottomEdge);
        QTest::newRow("top-left corner") << QPoint(0, 0) << int(Qt::LeftEdge | Qt::TopEdge);
        QTest::newRow("just inside") << QPoint(5, 5) << 0;
    }
    void edges()
    {
        QFETCH(QPoint, pos);
        QFETCH(int, edges);
        QCOMPARE(int(WindowGeometry::edgesAt(pos, QSize(915, 600), 5)), edges);
    }
};

QTEST_GUILESS_MAIN(TestWindowGeometry)
#include "test_windowgeometry.moc"
