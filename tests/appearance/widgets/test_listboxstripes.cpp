#include "appearance/widgets/listboxstripes.h"

#include <QTest>

const QColor odd(200, 0, 0);
const QColor even(0, 200, 0);
const QColor selected(0, 0, 200);

class TestListBoxStripes : public QObject
{
    Q_OBJECT

private slots:
    void stripes_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("byClick");
        QTest::addColumn<QList<QColor>>("colours");
        QTest::newRow("no current row") << -1 << false << QList<QColor>{even, odd, even, odd, even};
        QTest::newRow("current odd row") << 3 << false << QList<QColor>{even, odd, even, selected, even};
        QTest::newRow("clicked from row 0 to 2") << 2 << true << QList<QColor>{even, odd, selected, odd, even};
    }

    void stripes()
    {
        QFETCH(int, current);
        QFETCH(bool, byClick);
        QFETCH(QList<QColor>, colours);
        ListBoxStripes list;
        list.setColorOdd(odd);
        list.setColorEven(even);
        list.setColorSelected(selected);
        list.addItems({"Rock", "Jazz", "Blues", "Folk", "Soul"});
        list.resize(200, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const auto rowRect = [&](int row) { return list.visualItemRect(list.item(row)); };
        list.setCurrentRow(byClick ? 0 : current);
        if (byClick)
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowRect(current).center());
        const QImage image = list.viewport()->grab().toImage();
        // Bands run the full width, from the very left; below the rows, even.
        for (int row = 0; row < colours.size(); ++row) {
            const int y = rowRect(row).center().y();
            QCOMPARE(image.pixelColor(0, y), colours[row]);
            QCOMPARE(image.pixelColor(image.width() - 3, y), colours[row]);
        }
        QCOMPARE(image.pixelColor(10, image.height() - 2), even);
    }

    void fixedItemHeight()
    {
        ListBoxStripes list;
        list.addItems({"Rock", "Jazz", "Blues"});
        list.setItemHeight(30);
        QCOMPARE(list.visualItemRect(list.item(0)).height(), 30);
        QCOMPARE(list.visualItemRect(list.item(2)).top(), 60);
    }
};

QTEST_MAIN(TestListBoxStripes)
#include "test_listboxstripes.moc"
