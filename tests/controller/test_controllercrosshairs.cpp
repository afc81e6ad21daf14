#include "controller/controllercrosshairs.h"
#include "grid/gridmodel.h"

#include <QTest>

// Where the crosshair lines stand and which cell their point picks.
class TestControllerCrosshairs : public QObject
{
    Q_OBJECT

private slots:
    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("2.5001") << 2.5001 << 3;
        QTest::newRow("-2.6") << -2.6 << -3;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(ControllerCrosshairs::roundHalfEven(value), expected);
    }

    void line_data()
    {
        QTest::addColumn<int>("client");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("point");
        // A grid no wider than the view: the middle.
        QTest::newRow("no scrolling") << 900 << 0 << 900 << 450 << 450;
        // 8 panes of 720 in a view of 900: left of centre at the left edge,
        // right of centre at the right edge.
        QTest::newRow("left edge") << 900 << 0 << 5760 << 70 << 70;
        QTest::newRow("one step in") << 900 << 22 << 5760 << 74 << 96;
        QTest::newRow("right edge") << 900 << 4860 << 5760 << 830 << 5690;
        // The point is rounded as a whole: 1.5 + 1 gives 2, where the rounded
        // line plus the position would give 3.
        QTest::newRow("halves on the sum") << 4 << 1 << 8 << 2 << 2;
        QTest::newRow("halves on the sum, odd") << 4 << 3 << 8 << 2 << 6;
        QTest::newRow("empty range") << 900 << 10 << 0 << 0 << 0;
    }
    void line()
    {
        QFETCH(int, client);
        QFETCH(int, position);
        QFETCH(int, range);
        QFETCH(int, line);
        QFETCH(int, point);
        QCOMPARE(ControllerCrosshairs::lineOffset(client, position, range), line);
        QCOMPARE(ControllerCrosshairs::contentPoint(client, position, range), point);
    }

    void cellAt_data()
    {
        QTest::addColumn<QList<int>>("occupied");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("expected");
        const QList<int> firstRow{0, 1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("inside cell 3") << firstRow << QPoint(3 * 720 + 5, 100) << 3;
        QTest::newRow("shared edge picks the lower cell") << firstRow << QPoint(720, 100) << 0;
        QTest::newRow("bottom edge included") << firstRow << QPoint(100, 460) << 0;
        QTest::newRow("below the first row") << firstRow << QPoint(100, 461) << NoIndex;
        QTest::newRow("vacant cell is passed over") << QList<int>{1} << QPoint(720, 100) << 1;
        QTest::newRow("last cell") << QList<int>{63} << QPoint(5759, 3679) << 63;
        QTest::newRow("outside the grid") << QList<int>{63} << QPoint(5761, 3679) << NoIndex;
    }
    void cellAt()
    {
        QFETCH(QList<int>, occupied);
        QFETCH(QPoint, point);
        QFETCH(int, expected);
        GridModel model;
        model.layout(720, 460, true);
        for (int cell : occupied)
            model.setVacant(cell, false);
        QCOMPARE(ControllerCrosshairs::cellAt(model, point, QSize(720, 460)), expected);
    }
};

QTEST_APPLESS_MAIN(TestControllerCrosshairs)
#include "test_controllercrosshairs.moc"
