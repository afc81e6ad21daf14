#include "appearance/widgets/treeviewscroll.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

class TestTreeViewScroll : public QObject
{
    Q_OBJECT

private slots:
    void edgeScrolling_data()
    {
        // Negative: from the far edge. Margin: the font's point size, 10 here.
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QPoint>("scrolled"); // pages across, lines down
        QTest::newRow("near top") << QPoint(120, 9) << QPoint(0, -1);
        QTest::newRow("top margin edge") << QPoint(120, 10) << QPoint(0, 0);
        QTest::newRow("bottom-right corner") << QPoint(-1, -1) << QPoint(1, 1);
    }

    void edgeScrolling()
    {
        QFETCH(QPoint, pos);
        QFETCH(QPoint, scrolled);
        TreeViewScroll tree;
        tree.setFont(QFont(tree.font().family(), 10));
        tree.header()->setMinimumSectionSize(2000);
        for (int i = 0; i < 200; ++i)
            tree.addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Address %1").arg(i)}));
        tree.resize(300, 300);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        tree.verticalScrollBar()->setValue(50);
        tree.horizontalScrollBar()->setValue(500);
        const QPoint p(pos.x() < 0 ? tree.viewport()->width() + pos.x() : pos.x(),
                       pos.y() < 0 ? tree.viewport()->height() + pos.y() : pos.y());
        for (const bool on : {true, false}) {
            QCOMPARE(tree.hasAutoScroll(), on);
            QMouseEvent move(QEvent::MouseMove, p, tree.viewport()->mapToGlobal(p), Qt::NoButton, Qt::NoButton, {});
            QCoreApplication::sendEvent(tree.viewport(), &move);
            QCOMPARE(tree.verticalScrollBar()->value(), 50 + scrolled.y() * tree.verticalScrollBar()->singleStep());
            QCOMPARE(tree.horizontalScrollBar()->value(), 500 + scrolled.x() * tree.horizontalScrollBar()->pageStep());
            tree.setAutoScroll(false);
        }
    }
};

QTEST_MAIN(TestTreeViewScroll)
#include "test_treeviewscroll.moc"
