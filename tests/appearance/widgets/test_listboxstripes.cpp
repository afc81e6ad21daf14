#include "appearance/widgets/listboxstripes.h"

#include <QTest>

namespace {

const QColor odd(200, 0, 0);
const QColor even(0, 200, 0);
const QColor selected(0, 0, 200);
const QColor selectedText(255, 255, 0);

} // namespace

class TestListBoxStripes : public QObject
{
    Q_OBJECT

private:
    ListBoxStripes *m_list = nullptr;

    QRect rowRect(int row) const { return m_list->visualItemRect(m_list->item(row)); }

private slots:
    void init()
    {
        m_list = new ListBoxStripes;
        m_list->setColorOdd(odd);
        m_list->setColorEven(even);
        m_list->setColorSelected(selected);
        m_list->setFontSelectedColor(selectedText);
        m_list->addItems({"Rock", "Jazz", "Blues", "Folk", "Soul"});
        m_list->resize(200, 200);
        m_list->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_list));
    }

    void cleanup()
    {
        delete m_list;
        m_list = nullptr;
    }

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
        m_list->setCurrentRow(byClick ? 0 : current);
        if (byClick)
            QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, rowRect(current).center());
        QCOMPARE(m_list->currentRow(), current);
        const QImage image = m_list->viewport()->grab().toImage();
        // Bands run the full width, from the very left.
        for (int row = 0; row < colours.size(); ++row) {
            const int y = rowRect(row).center().y();
            QCOMPARE(image.pixelColor(0, y), colours[row]);
            QCOMPARE(image.pixelColor(image.width() - 3, y), colours[row]);
        }
        // Below the last row the list shows the even colour.
        QCOMPARE(image.pixelColor(10, image.height() - 2), even);
    }

    void selectedRowText()
    {
        QFont crisp = m_list->font();
        crisp.setStyleStrategy(QFont::NoAntialias);
        m_list->setFont(crisp);
        m_list->setCurrentRow(1);
        const QImage image = m_list->viewport()->grab().toImage();
        const QRect rect = rowRect(1);
        // Text starts two pixels in, leaving the band's first column alone.
        bool textSeen = false;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            QCOMPARE(image.pixelColor(0, y), selected);
            for (int x = 2; x < rect.left() + 40; ++x)
                textSeen = textSeen || image.pixelColor(x, y) == selectedText;
        }
        QVERIFY(textSeen);
    }

    void fixedItemHeight()
    {
        m_list->setItemHeight(30);
        QCOMPARE(rowRect(0).height(), 30);
        QCOMPARE(rowRect(2).top(), 60);
    }
};

QTEST_MAIN(TestListBoxStripes)
#include "test_listboxstripes.moc"
