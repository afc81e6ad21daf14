#include "addresses/addresstree.h"
#include "addresses/addresstreesearch.h"
#include "addresses/addresstreetext.h"

#include <QTest>

// The search of an address tree and stepping through its hits.
class TestAddressTreeSearch : public QObject
{
    Q_OBJECT

    static void build(AddressTree &tree)
    {
        QVERIFY(AddressTreeText::parseLines(tree, {"Favorites", "\tNews", "\t\thttp://news.test/", "\tSport",
                                                   "\t\thttp://NEWS.example/", "History", "\tMonday",
                                                   "\t\thttp://caf\u00c9-news.test/"}));
    }

private slots:
    void hitsInNodeOrder_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("hits");
        QTest::newRow("any case") << "news" << QList<int>{1, 2, 4, 7};
        QTest::newRow("only A to Z fold") << "caf\u00e9" << QList<int>{};
        QTest::newRow("the text untrimmed") << " news" << QList<int>{};
        QTest::newRow("none") << "weather" << QList<int>{};
    }
    void hitsInNodeOrder()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, hits);
        AddressTree tree;
        build(tree);
        AddressTreeSearch search;
        AddressNode *first = search.run(tree, text);
        QCOMPARE(search.hitNodeIndexes, hits);
        QCOMPARE(search.hitCount, int(hits.size()));
        QCOMPARE(search.searchDone, !hits.isEmpty());
        QCOMPARE(search.armed, hits.isEmpty() ? 0 : 1);
        QCOMPARE(first, hits.isEmpty() ? nullptr : tree.nodeAt(hits.first()));
    }

    void priorAndNextStopAtTheEnds()
    {
        AddressTree tree;
        build(tree);
        AddressTreeSearch search;
        search.run(tree, QStringLiteral("news"));
        QCOMPARE(search.step(tree, -1), tree.nodeAt(1));
        QCOMPARE(search.currentHit, 0);
        QCOMPARE(search.step(tree, +1), tree.nodeAt(2));
        QCOMPARE(search.step(tree, +1), tree.nodeAt(4));
        QCOMPARE(search.step(tree, +1), tree.nodeAt(7));
        QCOMPARE(search.step(tree, +1), tree.nodeAt(7));
        QCOMPARE(search.currentHit, 3);
        // A blank search ends the stepping, keeping nothing to step to.
        QVERIFY(!search.run(tree, QStringLiteral("  ")));
        QVERIFY(!search.step(tree, +1));
    }

    void hitsTheTreeNoLongerReachesShowNothing()
    {
        AddressTree tree;
        build(tree);
        AddressTreeSearch search;
        search.run(tree, QStringLiteral("news"));
        search.step(tree, +1);
        search.step(tree, +1);
        tree.remove(tree.root(1)); // History goes: index 7 is gone
        QVERIFY(!search.step(tree, +1));
        QCOMPARE(search.step(tree, -1), tree.nodeAt(4));
    }
};

QTEST_GUILESS_MAIN(TestAddressTreeSearch)
#include "test_addresstreesearch.moc"
