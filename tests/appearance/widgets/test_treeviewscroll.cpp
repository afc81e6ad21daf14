#include "appearance/widgets/treeviewscroll.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

class TestTreeViewScroll : public QObject
{
    Q_OBJECT

private slots:
    void edgeScrolling_data()
    {
        // Negative coordinates count from the right or bottom edge. The margin
        // is the font's point size: 10 pixels here.
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::newRow("middle") << QPoint(120, 120) << 0 << 0;
        QTest::newRow("near top") << QPoint(120, 9) << -1 << 0;
        QTest::newRow("top margin edge") << QPoint(120, 10) << 0 << 0;
        QTest::newRow("near bottom") << QPoint(120, -9) << 1 << 0;
        QTest::newRow("near left") << QPoint(9, 120) << 0 << -1;
        QTest::newRow("right margin edge") << QPoint(-10, 120) << 0 << 0;
        QTest::newRow("bottom-right corner") << QPoint(-1, -1) << 1 << 1;
    }

    void edgeScrolling()
    {
        QFETCH(QPoint, pos);
        QFETCH(int, lines);
        QFETCH(int, pages);
        TreeViewScroll tree;
        QFont font = tree.font();
        font.setPointSize(10);
        tree.setFont(font);
        tree.setHeaderHidden(true);
        tree.header()->setStretchLastSection(false);
        tree.setColumnWidth(0, 2000);
        for (int i = 0; i < 200; ++i)
            tree.addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Address %1").arg(i)}));
        tree.resize(300, 300);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        QScrollBar *vertical = tree.verticalScrollBar();
        QScrollBar *horizontal = tree.horizontalScrollBar();
        vertical->setValue(50);
        horizontal->setValue(500);

        QWidget *viewport = tree.viewport();
        const QPoint p(pos.x() < 0 ? viewport->width() + pos.x() : pos.x(),
                       pos.y() < 0 ? viewport->height() + pos.y() : pos.y());
        // On from the start; turned off, the same move leaves the tree where it is.
        QVERIFY(tree.hasAutoScroll());
        for (const bool on : {true, false}) {
            tree.setAutoScroll(on);
            QMouseEvent move(QEvent::MouseMove, p, viewport->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &move);
            QCOMPARE(vertical->value(), 50 + lines * vertical->singleStep());
            QCOMPARE(horizontal->value(), 500 + pages * horizontal->pageStep());
        }
    }
};

QTEST_MAIN(TestTreeViewScroll)
#include "test_treeviewscroll.moc"
