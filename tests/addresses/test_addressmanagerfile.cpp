#include "addresses/addressmanagerfile.h"
#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"
#include "addresses/addressicons.h"
#include "addresses/addresstreeview.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The address manager file: loaded at start-up, saved at close, and what
// happens to a damaged one.
class TestAddressManagerFile : public QObject
{
    Q_OBJECT

    static QStringList asideFiles(const QString &folder)
    {
        return QDir(folder).entryList({QStringLiteral("webaddresses.wam.damaged-*")}, QDir::Files | QDir::Dirs);
    }

private slots:
    void aFreshStartCreatesTheDesignedTree()
    {
        QTemporaryDir dir;
        const QString path = AddressManagerFile::fileName(dir.path() + u'/');
        QVERIFY(path.endsWith(QLatin1String("/Web Address Manager/webaddresses.wam")));
        QDir().mkpath(QFileInfo(path).absolutePath());
        ScriptedPrompter prompter;
        AddressTree tree;
        QCOMPARE(AddressManagerFile::load(tree, path, prompter), AddressManagerFile::Loaded::Created);
        QVERIFY(prompter.shown.isEmpty());
        QVERIFY(AddressManagerFile::save(tree, path));
        const QByteArray bytes = TestFiles::read(path);
        QCOMPARE(bytes.count("\r\n"), 120);
        QVERIFY(bytes.startsWith("Favorites\r\n\tDownloads\r\n\t\thttps://"));
        QVERIFY(bytes.endsWith("\r\nHistory\r\n"));
        const AddressNode *favorites = tree.root(0);
        QStringList groups;
        QList<int> sizes;
        for (int i = 0; i < favorites->childCount(); ++i) {
            groups << favorites->child(i)->caption();
            sizes << favorites->child(i)->childCount();
            for (int a = 0; a < favorites->child(i)->childCount(); ++a)
                QVERIFY(favorites->child(i)->child(a)->caption().startsWith(QLatin1String("https://")));
        }
        QCOMPARE(groups, QStringList({"Downloads", "Search Engines", "Stocks", "World News"}));
        QCOMPARE(sizes, QList<int>({17, 6, 17, 74}));
        QCOMPARE(tree.root(1)->caption(), QStringLiteral("History"));
        QCOMPARE(tree.root(1)->icon(), 2);
        QCOMPARE(tree.root(1)->childCount(), 0);
    }

    // Whatever the damage, the load gives a tree with both roots, keeps
    // every node before the damage, moves the original aside whole and says
    // so in one message. %1 in the message is the original's new path.
    void aDamagedFileIsSalvaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("message");
        const QString designed = QStringLiteral("The web address file was damaged and nothing before the damage could "
                                                "be kept; the designed favorites take its place, and the original is "
                                                "kept as %1.");
        QTest::newRow("a level jump")
            << QByteArray("Favorites\r\n\tNews\r\n\t\thttp://a.test/\r\n\t\t\t\thttp://b.test/\r\nHistory\r\n")
            << QStringList({"Favorites", "\tNews", "\t\thttp://a.test/", "History"})
            << "The web address file was damaged. 1 address and 1 group before the damage were kept; the original "
               "is kept as %1.";
        QTest::newRow("binary bytes")
            << QByteArray("Favorites\r\n\tNews\r\n\t\thttp://a.test/\r\n\t\thttp://b.te\x01\xff\xfe\x80\n\x02\x90\x00z")
            << QStringList({"Favorites", "\tNews", "\t\thttp://a.test/", "History"})
            << "The web address file was damaged. 1 address and 1 group before the damage were kept; the original "
               "is kept as %1.";
        QTest::newRow("a NUL")
            << QByteArray("History\r\n\tMonday \xe2\x80\xa2 3/4/24\r\n\t\thttp://h.test/\r\n\t\thttp://i.test/\r\n"
                          "Favor\0ites\r\n", 77)
            << QStringList({"Favorites", "History", "\tMonday \u2022 3/4/24", "\t\thttp://h.test/", "\t\thttp://i.test/"})
            << "The web address file was damaged. 2 addresses and 1 group before the damage were kept; the original "
               "is kept as %1.";
        QTest::newRow("no History")
            << QByteArray("Favorites\r\n\tNews\r\n\t\thttp://a.test/\r\n\tSport\r\n")
            << QStringList({"Favorites", "\tNews", "\t\thttp://a.test/", "\tSport", "History"})
            << "The web address file was damaged. 1 address and 2 groups before the damage were kept; the original "
               "is kept as %1.";
        QTest::newRow("too deep")
            << QByteArray("Favorites\r\n\tNews\r\n\t\thttp://a.test/\r\n") + [] {
                   QByteArray deep;
                   for (int depth = 3; depth <= 101; ++depth)
                       deep += QByteArray(depth, '\t') + "x\r\n";
                   return deep;
               }() << QStringList() << QString();
        QTest::newRow("favorites in lower case")
            << QByteArray("favorites\r\nHistory\r\n") << QStringList() << designed;
        QTest::newRow("one line") << QByteArray("Favorites\r\n") << QStringList() << designed;
        QTest::newRow("empty") << QByteArray() << QStringList() << designed;
    }
    void aDamagedFileIsSalvaged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, tree);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("webaddresses.wam"));
        QVERIFY(TestFiles::write(path, bytes));
        ScriptedPrompter prompter;
        AddressTree loaded;
        QCOMPARE(AddressManagerFile::load(loaded, path, prompter), AddressManagerFile::Loaded::Salvaged);
        // Nothing is lost: the file waits under another name.
        QVERIFY(!QFile::exists(path));
        const QStringList aside = asideFiles(dir.path());
        QCOMPARE(aside.size(), 1);
        QCOMPARE(TestFiles::read(dir.filePath(aside.first())), bytes);
        QVERIFY(loaded.firstNodeOfKind(AddressNodeKind::nkFavoritesRoot));
        QVERIFY(loaded.firstNodeOfKind(AddressNodeKind::nkHistoryRoot));
        if (QTest::currentDataTag() == QLatin1String("too deep")) {
            // Kept down to the last line within reach.
            QCOMPARE(loaded.count(), 3 + 98 + 1);
            QCOMPARE(prompter.shown.size(), 1);
            return;
        }
        if (message.contains(QLatin1String("designed"))) {
            AddressTree designed;
            QVERIFY(AddressManagerFile::readDefaultTree(designed));
            tree = AddressTreeText::treeLines(designed);
        }
        QCOMPARE(AddressTreeText::treeLines(loaded), tree);
        QCOMPARE(prompter.texts(), QStringList({message.arg(dir.filePath(aside.first()))}));
        // Written, it is a file like any other.
        QVERIFY(AddressManagerFile::save(loaded, path));
        prompter.shown.clear();
        AddressTree again;
        QCOMPARE(AddressManagerFile::load(again, path, prompter), AddressManagerFile::Loaded::Read);
        QCOMPARE(AddressTreeText::treeLines(again), tree);
        QVERIFY(prompter.shown.isEmpty());
    }

    void anUnreadableFileIsKeptAside()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("webaddresses.wam"));
        QVERIFY(QDir().mkpath(path)); // a folder where the file belongs
        ScriptedPrompter prompter;
        AddressTree tree;
        QCOMPARE(AddressManagerFile::load(tree, path, prompter), AddressManagerFile::Loaded::Salvaged);
        const QStringList aside = asideFiles(dir.path());
        QCOMPARE(aside.size(), 1);
        QCOMPARE(prompter.texts(),
                 QStringList({QStringLiteral("The web address file could not be read; the designed favorites take its "
                                             "place, and the original is kept as %1.")
                                  .arg(dir.filePath(aside.first()))}));
        QCOMPARE(tree.count(), 120);
    }

    void historyFirstLoads()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("webaddresses.wam"));
        QVERIFY(TestFiles::write(path, "History\r\n\tMonday \x95 3/4/24\r\n\t\thttp://h.test/\r\nFavorites\r\n\tNews\r\n"));
        ScriptedPrompter prompter;
        AddressTree tree;
        QCOMPARE(AddressManagerFile::load(tree, path, prompter), AddressManagerFile::Loaded::Read);
        QCOMPARE(tree.firstNodeOfKind(AddressNodeKind::nkFavoritesRoot), tree.root(1));
        QCOMPARE(tree.nodeAt(1)->caption(), QStringLiteral("Monday \u2022 3/4/24"));
        QVERIFY(prompter.shown.isEmpty());
    }

    void savingWritesTheTree()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("webaddresses.wam"));
        QVERIFY(TestFiles::write(path, "Favorites\r\nHistory\r\n"));
        ScriptedPrompter prompter;
        AddressTree tree;
        QCOMPARE(AddressManagerFile::load(tree, path, prompter), AddressManagerFile::Loaded::Read);
        tree.appendChild(tree.root(0), QStringLiteral("News"), 4, 5);
        QVERIFY(AddressManagerFile::save(tree, path));
        QCOMPARE(TestFiles::read(path), QByteArray("Favorites\r\n\tNews\r\nHistory\r\n"));
        QVERIFY(prompter.shown.isEmpty());
    }

    void aFailedSaveToAFolderKeepsIt()
    {
        // A folder stands where the file belongs.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("webaddresses.wam"));
        QVERIFY(QDir().mkpath(path + QStringLiteral("/keep")));
        AddressTree tree;
        tree.appendChild(nullptr, QStringLiteral("Favorites"));
        const SafeSave::Outcome outcome = AddressManagerFile::save(tree, path);
        QVERIFY(!outcome);
        QCOMPARE(AddressManagerFile::saveFailureMessage(path, outcome),
                 QStringLiteral("Could not save the web addresses: a folder has that name. Nothing was written."));
        QVERIFY(QFileInfo(path + QStringLiteral("/keep")).isDir());
    }

    // A large file (a long history: a million addresses, 72 MB) loads in
    // time that grows with its size, into the tree and its view.
    void aLargeFileLoadsInSeconds()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("webaddresses.wam"));
        QByteArray bytes = "Favorites\r\n\tNews\r\n\t\thttp://news.test/\r\nHistory\r\n";
        const QByteArray address = "\t\thttps://www.example.test/a/rather/long/path/to/a/page.html?visit=";
        int days = 0;
        while (bytes.size() < 72 * 1000 * 1000) {
            bytes += "\tDay " + QByteArray::number(++days) + "\r\n";
            for (int i = 0; i < 1000; ++i)
                bytes += address + QByteArray::number(i) + "\r\n";
        }
        QVERIFY(TestFiles::write(path, bytes));
        bytes.clear();
        AddressTree tree;
        QTreeWidget widget;
        AddressIcons icons;
        AddressTreeView view(tree, &widget, icons);
        ScriptedPrompter prompter;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(AddressManagerFile::load(tree, path, prompter), AddressManagerFile::Loaded::Read);
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(tree.root(1)->childCount(), days);
        QCOMPARE(widget.topLevelItem(1)->childCount(), days);
        qInfo("loaded in %lld ms", elapsed);
        QVERIFY2(elapsed < 10000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
    }
};

QTEST_MAIN(TestAddressManagerFile)
#include "test_addressmanagerfile.moc"
