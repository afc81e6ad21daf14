#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"

#include <QSignalSpy>
#include <QTest>

// The node model and the small tree operations the address manager builds on.
class TestAddressTree : public QObject
{
    Q_OBJECT

    // A tree from file lines ("\t" for depth), classified as after a load.
    static void build(AddressTree &tree, const QStringList &lines)
    {
        QVERIFY(AddressTreeText::parseLines(tree, lines));
        AddressTreeText::classifyLoadedTree(tree);
    }
    static QStringList captions(const AddressNode *parent)
    {
        QStringList list;
        for (int i = 0; i < parent->childCount(); ++i)
            list << parent->child(i)->caption();
        return list;
    }

private slots:
    void kindFollowsTheIconIndex_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<AddressNodeKind>("kind");
        QTest::newRow("-1") << -1 << AddressNodeKind::nkNone;
        QTest::newRow("0") << 0 << AddressNodeKind::nkFavoritesRoot;
        QTest::newRow("1") << 1 << AddressNodeKind::nkFavoritesRoot;
        QTest::newRow("3") << 3 << AddressNodeKind::nkHistoryRoot;
        QTest::newRow("4") << 4 << AddressNodeKind::nkGroup;
        QTest::newRow("7") << 7 << AddressNodeKind::nkWebAddress;
        QTest::newRow("8") << 8 << AddressNodeKind::nkCurrentGridRoot;
        QTest::newRow("11") << 11 << AddressNodeKind::nkSystemFavoritesRoot;
        QTest::newRow("12") << 12 << AddressNodeKind::nkLocalFilesRoot;
        QTest::newRow("14") << 14 << AddressNodeKind::nkNone;
    }
    void kindFollowsTheIconIndex()
    {
        QFETCH(int, icon);
        AddressTree tree;
        QTEST(AddressTree::getNodeKind(tree.appendChild(nullptr, QStringLiteral("n"), icon, icon + 1)), "kind");
        QCOMPARE(AddressTree::getNodeKind(nullptr), AddressNodeKind::nkNone);
    }

    void findFirstNodeOfKindCountsInPreOrder()
    {
        AddressTree tree;
        build(tree, {"History", "\tMonday", "\t\thttp://h.test/", "Favorites", "\tNews", "\t\thttp://n.test/"});
        QCOMPARE(tree.findFirstNodeOfKind(AddressNodeKind::nkHistoryRoot), 0);
        QCOMPARE(tree.findFirstNodeOfKind(AddressNodeKind::nkFavoritesRoot), 3);
        QCOMPARE(tree.findFirstNodeOfKind(AddressNodeKind::nkWebAddress), 2);
        QCOMPARE(tree.findFirstNodeOfKind(AddressNodeKind::nkLocalFilesRoot), -777);
        QCOMPARE(tree.nodeAt(4)->caption(), QStringLiteral("News"));
        QCOMPARE(tree.indexOf(tree.nodeAt(5)), 5);
        QVERIFY(!tree.nodeAt(6));
    }

    void captionAmongSiblings_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("includeSelf");
        QTest::addColumn<bool>("exists");
        // Siblings "Alpha", "Beta", "Gamma"; asked is the node the test starts from.
        QTest::newRow("a later sibling") << 0 << "gamma" << false << true;
        QTest::newRow("an earlier sibling") << 2 << "ALPHA" << false << true;
        QTest::newRow("itself, not included") << 1 << "Beta" << false << false;
        QTest::newRow("itself, included") << 1 << "bEtA" << true << true;
        QTest::newRow("none") << 0 << "Delta" << true << false;
        QTest::newRow("only ASCII letters fold") << 0 << "ALPHA\u00C9" << true << false;
    }
    void captionAmongSiblings()
    {
        QFETCH(int, asked);
        QFETCH(QString, caption);
        QFETCH(bool, includeSelf);
        AddressTree tree;
        build(tree, {"Favorites", "\tAlpha", "\tBeta", "\tGamma", "History"});
        QTEST(AddressTree::captionExistsAmongSiblings(tree.root(0)->child(asked), caption, includeSelf), "exists");
        QVERIFY(!AddressTree::captionExistsAmongSiblings(nullptr, caption, true));
    }

    void copyNodeBranchCopiesOrMoves()
    {
        AddressTree tree;
        build(tree, {"Favorites", "\tNews", "\t\thttp://a.test/", "\t\thttp://b.test/", "\tEmpty", "History"});
        AddressNode *news = tree.root(0)->child(0);
        AddressNode *empty = tree.root(0)->child(1);
        AddressNode *copy = tree.copyNodeBranch(news, true, empty);
        QVERIFY(copy);
        QCOMPARE(copy->caption(), QStringLiteral("News"));
        QCOMPARE(captions(copy), QStringList({"http://a.test/", "http://b.test/"}));
        QCOMPARE(copy->icon(), 4);
        QCOMPARE(copy->child(1)->selectedIcon(), 7);
        QCOMPARE(news->childCount(), 2);
        // A move deletes the source.
        QVERIFY(tree.copyNodeBranch(news->child(0), false, empty));
        QCOMPARE(captions(news), QStringList({"http://b.test/"}));
        QCOMPARE(captions(empty), QStringList({"News", "http://a.test/"}));
    }

    void copyIntoItsOwnBranch()
    {
        AddressTree tree;
        build(tree, {"Favorites", "\tNews", "\t\thttp://a.test/", "History"});
        AddressNode *news = tree.root(0)->child(0);
        // A copy into itself copies what was there, once.
        AddressNode *copy = tree.copyNodeBranch(news, true, news);
        QVERIFY(copy);
        QCOMPARE(captions(news), QStringList({"http://a.test/", "News"}));
        QCOMPARE(captions(copy), QStringList({"http://a.test/"}));
        // A move into itself would delete what it made: refused.
        QVERIFY(!tree.copyNodeBranch(news, false, copy));
        QCOMPARE(tree.count(), 6);
    }

    void copyBetweenTrees()
    {
        AddressTree imports;
        AddressNode *group = imports.appendChild(nullptr, QStringLiteral("Local"), 12, 13);
        imports.appendChild(group, QStringLiteral("file:///x.html"), 6, 7);
        AddressTree favorites;
        AddressNode *root = favorites.appendChild(nullptr, QStringLiteral("Favorites"), 0, 1);
        QVERIFY(!favorites.copyNodeBranch(group, true, group)); // the destination is not of this tree
        AddressNode *copy = favorites.copyNodeBranch(group, true, root);
        QCOMPARE(copy->tree(), &favorites);
        QCOMPARE(captions(copy), QStringList({"file:///x.html"}));
        QCOMPARE(imports.count(), 2);
    }

    void viewsHearOfEveryChange()
    {
        AddressTree tree;
        QSignalSpy added(&tree, &AddressTree::nodeAdded);
        QSignalSpy removed(&tree, &AddressTree::nodeAboutToBeRemoved);
        QSignalSpy changed(&tree, &AddressTree::nodeChanged);
        AddressNode *root = tree.appendChild(nullptr, QStringLiteral("Favorites"));
        AddressNode *b = tree.appendChild(root, QStringLiteral("b"));
        tree.insertChild(root, 0, QStringLiteral("a"));
        tree.setCaption(b, QStringLiteral("c"));
        tree.setCaption(b, QStringLiteral("c")); // no change, no signal
        tree.remove(root);
        QCOMPARE(added.count(), 3);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(tree.count(), 0);
    }

    void sortKeepsEqualCaptionsInOrder()
    {
        AddressTree tree;
        AddressNode *root = tree.appendChild(nullptr, QStringLiteral("Favorites"));
        for (const char *c : {"b", "a", "b", "a"})
            tree.appendChild(root, QLatin1String(c));
        tree.setIcons(root->child(0), 4, 5); // marks the first "b"
        tree.sortChildren(root, [](const QString &x, const QString &y) { return x < y; });
        QCOMPARE(captions(root), QStringList({"a", "a", "b", "b"}));
        QCOMPARE(root->child(2)->icon(), 4);
    }
};

QTEST_GUILESS_MAIN(TestAddressTree)
#include "test_addresstree.moc"
