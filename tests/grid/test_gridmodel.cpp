#include "grid/gridmodel.h"

#include <QTest>

class TestGridModel : public QObject
{
    Q_OBJECT

private slots:
    void cellCoordinates_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::newRow("top-left") << 720 << 460 << 0 << 0 << 0 << 0 << 0;
        QTest::newRow("top-right") << 720 << 460 << 7 << 7 << 0 << 5040 << 0;
        QTest::newRow("second row") << 720 << 460 << 8 << 0 << 1 << 0 << 460;
        QTest::newRow("cell 9") << 720 << 460 << 9 << 1 << 1 << 720 << 460;
        QTest::newRow("bottom-right") << 720 << 460 << 63 << 7 << 7 << 5040 << 3220;
        QTest::newRow("small panes") << 400 << 300 << 63 << 7 << 7 << 2800 << 2100;
    }
    void cellCoordinates()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, cell);
        GridModel model;
        model.layout(width, height, true);
        const CellCoordinates &c = model.cell(cell);
        QTEST(c.column, "column");
        QTEST(c.row, "row");
        QTEST(c.left, "left");
        QTEST(c.top, "top");
        QVERIFY(c.vacant);
    }

    void relayoutKeepsVacancyUnlessReset()
    {
        GridModel model;
        model.layout(720, 460, true);
        model.setVacant(5, false);
        model.setVacant(0, false);
        model.layout(820, 460, false);
        QVERIFY(!model.cell(5).vacant);
        QVERIFY(!model.cell(0).vacant);
        QCOMPARE(model.cell(5).left, 5 * 820);
        QCOMPARE(model.lowestVacantCell(), 1);
        model.layout(820, 460, true);
        QCOMPARE(model.lowestVacantCell(), 0);
    }

    void lowestVacantAndFree()
    {
        GridModel model;
        model.layout(720, 460, true);
        for (int i = 0; i < GridModel::CellCount; ++i)
            model.setVacant(i, false);
        QCOMPARE(model.lowestVacantCell(), NoIndex);
        model.setVacant(40, true);
        model.setVacant(12, true);
        QCOMPARE(model.lowestVacantCell(), 12);

        std::array<bool, 64> table{};
        table.fill(true);
        QCOMPARE(GridModel::lowestFreeSlot(table), NoIndex);
        table[63] = false;
        QCOMPARE(GridModel::lowestFreeSlot(table), 63);
        table[3] = false;
        QCOMPARE(GridModel::lowestFreeSlot(table), 3);
    }
};

QTEST_GUILESS_MAIN(TestGridModel)
#include "test_gridmodel.moc"
