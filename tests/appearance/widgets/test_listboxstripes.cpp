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

    QImage shown() const { return m_list->viewport()->grab().toImage(); }

    // A pixel of row's band well right of its text.
    QPoint bandPixel(int row) const
    {
        const QRect rect = m_list->visualItemRect(m_list->item(row));
        return {m_list->viewport()->width() - 3, rect.center().y()};
    }

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

    void defaults()
    {
        ListBoxStripes fresh;
        QCOMPARE(fresh.colorOdd(), QColor(128, 128, 128));
        QCOMPARE(fresh.colorEven(), QColor(255, 255, 255));
        QCOMPARE(fresh.colorSelected(), fresh.palette().color(QPalette::Highlight));
        QCOMPARE(fresh.fontSelectedColor(), fresh.palette().color(QPalette::HighlightedText));
        QCOMPARE(fresh.itemHeight(), fresh.fontMetrics().height());
    }

    void stripes_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<QColor>>("colours");
        QTest::newRow("no current row") << -1 << QList<QColor>{even, odd, even, odd, even};
        QTest::newRow("current odd row") << 3 << QList<QColor>{even, odd, even, selected, even};
        QTest::newRow("current even row") << 0 << QList<QColor>{selected, odd, even, odd, even};
    }

    void stripes()
    {
        QFETCH(int, current);
        QFETCH(QList<QColor>, colours);
        m_list->setCurrentRow(current);
        const QImage image = shown();
        for (int row = 0; row < colours.size(); ++row) {
            QCOMPARE(m_list->rowBackground(row), colours[row]);
            QCOMPARE(image.pixelColor(bandPixel(row)), colours[row]);
            // Bands run the full width, from the very left.
            const QRect rect = m_list->visualItemRect(m_list->item(row));
            QCOMPARE(image.pixelColor(0, rect.center().y()), colours[row]);
        }
        // Below the last row the list shows the even colour.
        QCOMPARE(image.pixelColor(10, m_list->viewport()->height() - 2), even);
    }

    void selectedRowText()
    {
        QFont crisp = m_list->font();
        crisp.setStyleStrategy(QFont::NoAntialias);
        m_list->setFont(crisp);
        m_list->setCurrentRow(1);
        QCOMPARE(m_list->rowTextColor(1), selectedText);
        QCOMPARE(m_list->rowTextColor(2), m_list->palette().color(QPalette::Text));
        const QImage image = shown();
        const QRect rect = m_list->visualItemRect(m_list->item(1));
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
        QCOMPARE(m_list->visualItemRect(m_list->item(0)).height(), 30);
        QCOMPARE(m_list->visualItemRect(m_list->item(2)).top(), 60);
    }

    void clickMovesSelectionColours()
    {
        m_list->setCurrentRow(0);
        const QRect rect = m_list->visualItemRect(m_list->item(2));
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(m_list->currentRow(), 2);
        const QImage image = shown();
        QCOMPARE(image.pixelColor(bandPixel(0)), even);
        QCOMPARE(image.pixelColor(bandPixel(2)), selected);
    }
};

QTEST_MAIN(TestListBoxStripes)
#include "test_listboxstripes.moc"
