#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"
#include "addresses/favoritestree.h"
#include "addresses/historydates.h"
#include "addresses/importstree.h"

#include <QTest>

// The operations on the favorites tree, without widgets: History, groups
// and what a drop does.
class TestFavoritesTree : public QObject
{
    Q_OBJECT

    QDateTime m_now{QDate(2024, 3, 4), QTime(15, 4, 5)};
    HistoryDates m_dates{QLocale(QLocale::English, QLocale::UnitedStates), [this] { return m_now; }};

    static void build(AddressTree &tree, const QStringList &lines)
    {
        QVERIFY(AddressTreeText::parseLines(tree, lines));
        QVERIFY(AddressTreeText::classifyLoadedTree(tree));
    }
    static QStringList lines(const AddressTree &tree) { return AddressTreeText::treeLines(tree); }
    static AddressNode *find(const AddressTree &tree, const QString &caption)
    {
        for (AddressNode *n : tree.nodes())
            if (n->caption() == caption)
                return n;
        return nullptr;
    }

private slots:
    void init() { m_now = QDateTime(QDate(2024, 3, 4), QTime(15, 4, 5)); }

    void anAddressLandsOncePerDay()
    {
        AddressTree tree;
        build(tree, {"Favorites", "History"});
        FavoritesTree favorites(tree, m_dates);
        QVERIFY(favorites.addToHistory(QStringLiteral("http://a.test/")));
        QVERIFY(favorites.addToHistory(QStringLiteral("http://b.test/")));
        QVERIFY(favorites.addToHistory(QStringLiteral("HTTP://A.test/")));
        m_now = m_now.addDays(1);
        QVERIFY(favorites.addToHistory(QStringLiteral("http://a.test/")));
        QCOMPARE(lines(tree), QStringList({"Favorites", "History", "\tMonday \u2022 3/4/24", "\t\thttp://a.test/",
                                           "\t\thttp://b.test/", "\tTuesday \u2022 3/5/24", "\t\thttp://a.test/"}));
        QCOMPARE(tree.nodeAt(2)->icon(), 4);
        QCOMPARE(tree.nodeAt(3)->icon(), 6);
        QCOMPARE(tree.nodeAt(3)->selectedIcon(), 7);
    }

    void todaysNodeIsFoundByOneRule()
    {
        // A date node that differs in letter case (an edited file) is today's
        // node: no second node, and the address is not lost.
        AddressTree tree;
        build(tree, {"Favorites", "History", "\tMONDAY \u2022 3/4/24", "\t\thttp://old.test/"});
        FavoritesTree favorites(tree, m_dates);
        QVERIFY(favorites.addToHistory(QStringLiteral("http://new.test/")));
        QCOMPARE(lines(tree), QStringList({"Favorites", "History", "\tMONDAY \u2022 3/4/24", "\t\thttp://old.test/",
                                           "\t\thttp://new.test/"}));
        // Without a History root nothing is recorded.
        AddressTree bare;
        bare.appendChild(nullptr, QStringLiteral("Favorites"), 0, 1);
        QVERIFY(!FavoritesTree(bare, m_dates).addToHistory(QStringLiteral("http://a.test/")));
        QCOMPARE(bare.count(), 1);
    }

    void renamingAGroup_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("caption");
        QTest::newRow("a new name, as typed") << "Sport " << "Sport ";
        QTest::newRow("leading blanks go") << "  Sport" << "Sport";
        QTest::newRow("empty") << "" << "News";
        QTest::newRow("blank") << "  \t " << "News";
        QTest::newRow("another group, other case") << "WEATHER" << "News";
        QTest::newRow("itself") << "news" << "News";
    }
    void renamingAGroup()
    {
        QFETCH(QString, typed);
        AddressTree tree;
        build(tree, {"Favorites", "\tNews", "\tWeather", "History"});
        FavoritesTree favorites(tree, m_dates);
        AddressNode *news = tree.nodeAt(1);
        favorites.setCaption(news, favorites.groupCaptionAfterEdit(typed, news->caption()));
        QTEST(news->caption(), "caption");
    }

    void newGroupsAndInsertedAddresses()
    {
        AddressTree tree;
        build(tree, {"Favorites", "\tNews", "\t\thttp://a.test/", "History"});
        FavoritesTree favorites(tree, m_dates);
        AddressNode *group = favorites.newGroup();
        QCOMPARE(group->caption(), QStringLiteral("NG \u2022 3/4/24 3:04:05 PM"));
        QCOMPARE(group->icon(), 4);
        QVERIFY(FavoritesTree::isFavoriteGroup(group));
        AddressNode *address = favorites.insertWebAddress(tree.nodeAt(1));
        QCOMPARE(address->caption(), QStringLiteral("http://www."));
        QCOMPARE(address->row(), 0);
        QVERIFY(FavoritesTree::isFavoriteAddress(address));
        // Only a favorites group takes one.
        QVERIFY(!favorites.insertWebAddress(address));
        QVERIFY(!favorites.insertWebAddress(tree.root(0)));
    }

    void saveToFavoriteGroupAddsUnderTheFirstOfTheName()
    {
        AddressTree tree;
        build(tree, {"Favorites", "\tNews", "\tNews", "\tnews", "History"});
        FavoritesTree favorites(tree, m_dates);
        QCOMPARE(favorites.favoriteGroups(), QStringList({"News", "News", "news"}));
        QVERIFY(favorites.insertIntoGroup(QStringLiteral("news"), QStringLiteral("http://a.test/")));
        QVERIFY(favorites.insertIntoGroup(QStringLiteral("News"), QStringLiteral("http://b.test/")));
        QVERIFY(!favorites.insertIntoGroup(QStringLiteral("Gone"), QStringLiteral("http://c.test/")));
        QCOMPARE(lines(tree), QStringList({"Favorites", "\tNews", "\t\thttp://b.test/", "\tNews", "\tnews",
                                           "\t\thttp://a.test/", "History"}));
        QCOMPARE(tree.nodeAt(2)->icon(), 6);
    }

    void alphaSortOrdersLettersThenCase()
    {
        AddressTree tree;
        build(tree, {"Favorites", "\tzoo", "\t\thttp://b.test/", "\t\thttp://A.test/", "\t\thttp://a.test/",
                     "\tAlpha", "\talpha", "\tBeta", "History", "\tZulu", "\tAlpha"});
        FavoritesTree favorites(tree, m_dates);
        QVERIFY(favorites.alphaSort());
        QCOMPARE(lines(tree), QStringList({"Favorites", "\talpha", "\tAlpha", "\tBeta", "\tzoo", "\t\thttp://a.test/",
                                           "\t\thttp://A.test/", "\t\thttp://b.test/", "History", "\tZulu",
                                           "\tAlpha"}));
    }

    void dropsWithinFavorites_data()
    {
        QTest::addColumn<QString>("dragged");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QStringList>("after");
        const QStringList start{"Favorites", "\tNews", "\t\thttp://n.test/", "\t\thttp://m.test/", "\tSport",
                                "History", "\tMonday \u2022 3/4/24", "\t\thttp://h.test/"};
        QTest::newRow("a favorite moves into another group")
            << "http://n.test/" << "Sport" << true
            << QStringList({"Favorites", "\tNews", "\t\thttp://m.test/", "\tSport", "\t\thttp://n.test/", "History",
                            "\tMonday \u2022 3/4/24", "\t\thttp://h.test/"});
        QTest::newRow("on its own group it goes to the end")
            << "http://n.test/" << "News" << true
            << QStringList({"Favorites", "\tNews", "\t\thttp://m.test/", "\t\thttp://n.test/", "\tSport", "History",
                            "\tMonday \u2022 3/4/24", "\t\thttp://h.test/"});
        QTest::newRow("a history address is copied")
            << "http://h.test/" << "Sport" << true
            << QStringList({"Favorites", "\tNews", "\t\thttp://n.test/", "\t\thttp://m.test/", "\tSport",
                            "\t\thttp://h.test/", "History", "\tMonday \u2022 3/4/24", "\t\thttp://h.test/"});
        QTest::newRow("a date node becomes a group")
            << "Monday \u2022 3/4/24" << "Favorites" << true
            << QStringList({"Favorites", "\tNews", "\t\thttp://n.test/", "\t\thttp://m.test/", "\tSport",
                            "\tMonday \u2022 3/4/24", "\t\thttp://h.test/", "History", "\tMonday \u2022 3/4/24",
                            "\t\thttp://h.test/"});
        QTest::newRow("an address on an address") << "http://n.test/" << "http://m.test/" << false << start;
        QTest::newRow("an address on the root") << "http://n.test/" << "Favorites" << false << start;
        QTest::newRow("an address on a date node") << "http://n.test/" << "Monday \u2022 3/4/24" << false << start;
        QTest::newRow("a group on the root") << "News" << "Favorites" << false << start;
        QTest::newRow("a root") << "History" << "Favorites" << false << start;
    }
    void dropsWithinFavorites()
    {
        QFETCH(QString, dragged);
        QFETCH(QString, target);
        AddressTree tree;
        build(tree, {"Favorites", "\tNews", "\t\thttp://n.test/", "\t\thttp://m.test/", "\tSport", "History",
                     "\tMonday \u2022 3/4/24", "\t\thttp://h.test/"});
        FavoritesTree favorites(tree, m_dates);
        AddressNode *targetNode = find(tree, target);
        AddressNode *receiving = favorites.dropFromFavorites(find(tree, dragged), targetNode);
        QTEST(receiving != nullptr, "taken");
        if (receiving)
            QCOMPARE(receiving, targetNode);
        QTEST(lines(tree), "after");
    }

    void aDateNodeOfAnExistingGroupsName()
    {
        AddressTree tree;
        build(tree, {"Favorites", "\tmonday \u2022 3/4/24", "History", "\tMonday \u2022 3/4/24", "\t\thttp://h.test/"});
        FavoritesTree favorites(tree, m_dates);
        QVERIFY(!favorites.dropFromFavorites(tree.nodeAt(3), tree.root(0)));
        QCOMPARE(tree.count(), 5);
    }

    void dropsFromImports_data()
    {
        QTest::addColumn<QString>("dragged");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("a new group is copied")
            << "Weather" << "Favorites"
            << QStringList({"Favorites", "\tNews", "\t\thttp://n.test/", "\tWeather", "\t\thttp://w.test/",
                            "\t\thttp://n.test/", "History"});
        QTest::newRow("a group of that name gets what it lacks")
            << "News" << "Favorites"
            << QStringList({"Favorites", "\tNews", "\t\thttp://n.test/", "\t\thttp://x.test/", "History"});
        QTest::newRow("a name differing in case alone adds nothing")
            << "NEWS" << "Favorites" << QStringList({"Favorites", "\tNews", "\t\thttp://n.test/", "History"});
        QTest::newRow("an address into a group, duplicates and all")
            << "http://n.test/" << "News"
            << QStringList({"Favorites", "\tNews", "\t\thttp://n.test/", "\t\thttp://n.test/", "History"});
        QTest::newRow("a group on a group") << "Weather" << "News"
                                            << QStringList({"Favorites", "\tNews", "\t\thttp://n.test/", "History"});
    }
    void dropsFromImports()
    {
        QFETCH(QString, dragged);
        QFETCH(QString, target);
        AddressTree tree;
        build(tree, {"Favorites", "\tNews", "\t\thttp://n.test/", "History"});
        FavoritesTree favorites(tree, m_dates);
        AddressTree importTree;
        ImportsTree imports(importTree);
        AddressNode *local = imports.localFilesRoot();
        for (const auto &[group, addresses] :
             {std::pair{"Weather", QStringList{"http://w.test/", "http://n.test/"}},
              std::pair{"News", QStringList{"http://N.test/", "http://x.test/"}},
              std::pair{"NEWS", QStringList{"http://y.test/"}}}) {
            AddressNode *g = importTree.appendChild(local, QLatin1String(group), 4, 5);
            for (const QString &a : addresses)
                importTree.appendChild(g, a, 6, 7);
        }
        AddressNode *source = find(importTree, dragged);
        favorites.dropFromImports(source, find(tree, target));
        QTEST(lines(tree), "after");
    }
};

QTEST_GUILESS_MAIN(TestFavoritesTree)
#include "test_favoritestree.moc"
