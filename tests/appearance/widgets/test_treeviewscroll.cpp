#include "appearance/widgets/treeviewscroll.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

class TestTreeViewScroll : public QObject
{
    Q_OBJECT

private:
    TreeViewScroll *m_tree = nullptr;

    void movePointer(QPoint pos)
    {
        QWidget *viewport = m_tree->viewport();
        QMouseEvent move(QEvent::MouseMove, pos, viewport->mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
    }

private slots:
    void init()
    {
        m_tree = new TreeViewScroll;
        QFont font = m_tree->font();
        // The margin is the font's point size: 10 pixels here.
        font.setPointSize(10);
        m_tree->setFont(font);
        m_tree->setHeaderHidden(true);
        m_tree->header()->setStretchLastSection(false);
        m_tree->header()->setSectionResizeMode(QHeaderView::Fixed);
        m_tree->setColumnCount(1);
        m_tree->setColumnWidth(0, 2000);
        for (int i = 0; i < 200; ++i)
            m_tree->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Address %1").arg(i)}));
        m_tree->resize(300, 300);
        m_tree->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_tree));
        m_tree->verticalScrollBar()->setValue(50);
        m_tree->horizontalScrollBar()->setValue(500);
    }

    void cleanup()
    {
        delete m_tree;
        m_tree = nullptr;
    }

    void onWhenCreated()
    {
        TreeViewScroll fresh;
        QVERIFY(fresh.hasAutoScroll());
        QCOMPARE(m_tree->edgeMargin(), 10);
    }

    void edgeScrolling_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        // Positions are measured from the viewport's edges.
        QTest::newRow("middle") << "mid,mid" << 0 << 0;
        QTest::newRow("near top") << "mid,9" << -1 << 0;
        QTest::newRow("top margin edge") << "mid,10" << 0 << 0;
        QTest::newRow("near bottom") << "mid,-9" << 1 << 0;
        QTest::newRow("bottom margin edge") << "mid,-10" << 0 << 0;
        QTest::newRow("near left") << "9,mid" << 0 << -1;
        QTest::newRow("left margin edge") << "10,mid" << 0 << 0;
        QTest::newRow("near right") << "-9,mid" << 0 << 1;
        QTest::newRow("right margin edge") << "-10,mid" << 0 << 0;
        QTest::newRow("top-left corner") << "0,0" << -1 << -1;
        QTest::newRow("bottom-right corner") << "-1,-1" << 1 << 1;
    }

    void edgeScrolling()
    {
        QFETCH(QString, where);
        QFETCH(int, lines);
        QFETCH(int, pages);

        const QSize client = m_tree->viewport()->size();
        const QStringList parts = where.split(QLatin1Char(','));
        auto coordinate = [](const QString &part, int extent) {
            if (part == QLatin1String("mid"))
                return extent / 2;
            const int value = part.toInt();
            return part.startsWith(QLatin1Char('-')) ? extent + value : value;
        };
        const QPoint pos(coordinate(parts[0], client.width()), coordinate(parts[1], client.height()));

        QScrollBar *vertical = m_tree->verticalScrollBar();
        QScrollBar *horizontal = m_tree->horizontalScrollBar();
        const int top = vertical->value();
        const int left = horizontal->value();
        movePointer(pos);
        QCOMPARE(vertical->value(), top + lines * vertical->singleStep());
        QCOMPARE(horizontal->value(), left + pages * horizontal->pageStep());

        // Turned off, the same move leaves the tree where it is.
        m_tree->setAutoScroll(false);
        movePointer(pos);
        QCOMPARE(vertical->value(), top + lines * vertical->singleStep());
        QCOMPARE(horizontal->value(), left + pages * horizontal->pageStep());
    }
};

QTEST_MAIN(TestTreeViewScroll)
#include "test_treeviewscroll.moc"
