#include "addresses/addressmanagerfile.h"
#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"

#include <QDir>
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
        QVERIFY(AddressManagerFile::load(tree, path, prompter));
        QVERIFY(prompter.shown.isEmpty());
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

    void aDamagedFileIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("favorites in lower case") << QByteArray("favorites\r\n\tNews\r\nHistory\r\n");
        QTest::newRow("a level jump") << QByteArray("Favorites\r\n\t\t\thttp://a.test/\r\nHistory\r\n");
        QTest::newRow("one line") << QByteArray("Favorites\r\n");
        QTest::newRow("no History") << QByteArray("Favorites\r\n\tNews\r\n");
    }
    void aDamagedFileIsKeptAside()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("webaddresses.wam"));
        QVERIFY(TestFiles::write(path, bytes));
        ScriptedPrompter prompter;
        AddressTree tree;
        QVERIFY(!AddressManagerFile::load(tree, path, prompter));
        QCOMPARE(prompter.texts(), QStringList({"The Web Address Manager file is damaged, resetting..."}));
        // Nothing is lost: the file waits under another name.
        QVERIFY(!QFile::exists(path));
        const QStringList aside = asideFiles(dir.path());
        QCOMPARE(aside.size(), 1);
        QCOMPARE(TestFiles::read(dir.filePath(aside.first())), bytes);
        // The next start makes the designed tree.
        prompter.shown.clear();
        QVERIFY(AddressManagerFile::load(tree, path, prompter));
        QVERIFY(prompter.shown.isEmpty());
        QCOMPARE(TestFiles::read(path).count("\r\n"), 120);
    }

    void anUnreadableFileIsKeptAside()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("webaddresses.wam"));
        QVERIFY(QDir().mkpath(path)); // a folder where the file belongs
        ScriptedPrompter prompter;
        AddressTree tree;
        QVERIFY(!AddressManagerFile::load(tree, path, prompter));
        QCOMPARE(prompter.texts(), QStringList({"The Web Address Manager file is damaged, resetting..."}));
        QCOMPARE(asideFiles(dir.path()).size(), 1);
    }

    void historyFirstLoads()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("webaddresses.wam"));
        QVERIFY(TestFiles::write(path, "History\r\n\tMonday \x95 3/4/24\r\n\t\thttp://h.test/\r\nFavorites\r\n\tNews\r\n"));
        ScriptedPrompter prompter;
        AddressTree tree;
        QVERIFY(AddressManagerFile::load(tree, path, prompter));
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
        QVERIFY(AddressManagerFile::load(tree, path, prompter));
        tree.appendChild(tree.root(0), QStringLiteral("News"), 4, 5);
        QVERIFY(AddressManagerFile::save(tree, path, prompter));
        QCOMPARE(TestFiles::read(path), QByteArray("Favorites\r\n\tNews\r\nHistory\r\n"));
        QVERIFY(prompter.shown.isEmpty());
    }

    void aFailedSaveLeavesTheOldFileWhole()
    {
        if (QFileInfo(QDir::rootPath()).isWritable())
            QSKIP("Run as root: a read-only folder does not stop the write.");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("webaddresses.wam"));
        const QByteArray old("Favorites\r\n\tNews\r\nHistory\r\n");
        QVERIFY(TestFiles::write(path, old));
        AddressTree tree;
        tree.appendChild(nullptr, QStringLiteral("Favorites"));
        tree.appendChild(nullptr, QStringLiteral("History"));
        // The folder refuses the temporary file.
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        ScriptedPrompter prompter;
        const bool saved = AddressManagerFile::save(tree, path, prompter);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!saved);
        QCOMPARE(prompter.texts(), QStringList({"The Web Address Manager file is damaged, resetting..."}));
        QCOMPARE(TestFiles::read(path), old);
    }

    void aFailedSaveToAFolderKeepsIt()
    {
        // Works for root as well: a folder stands where the file belongs.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("webaddresses.wam"));
        QVERIFY(QDir().mkpath(path + QStringLiteral("/keep")));
        AddressTree tree;
        tree.appendChild(nullptr, QStringLiteral("Favorites"));
        ScriptedPrompter prompter;
        QVERIFY(!AddressManagerFile::save(tree, path, prompter));
        QCOMPARE(prompter.texts(), QStringList({"The Web Address Manager file is damaged, resetting..."}));
        QVERIFY(QFileInfo(path + QStringLiteral("/keep")).isDir());
    }
};

QTEST_GUILESS_MAIN(TestAddressManagerFile)
#include "test_addressmanagerfile.moc"
