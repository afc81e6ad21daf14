#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"
#include "addresses/importstree.h"
#include "addresses/localfilescan.h"
#include "addresses/systemfavorites.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// What fills the imports tree: Internet shortcuts, Chromium and Firefox
// bookmarks, folder scans and another address manager file, from files
// prepared in a temporary folder.
class TestAddressImports : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    bool write(const QString &relative, const QByteArray &bytes) const
    {
        const QString file = path(relative);
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    // A places.sqlite as Firefox keeps it: folders, bookmarks by position,
    // a tag (which lists a bookmark again) and a smart query.
    static bool makePlaces(const QString &file, bool keepLogOpen, std::function<void()> whileOpen = {})
    {
        QDir().mkpath(QFileInfo(file).absolutePath());
        bool ok = true;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
            db.setDatabaseName(file);
            ok = db.open();
            QSqlQuery q(db);
            const QStringList statements{
                "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT)",
                "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER, parent INTEGER, "
                "position INTEGER, title TEXT, guid TEXT)",
                "INSERT INTO moz_places VALUES (1, 'https://toolbar-b.test/'), (2, 'https://toolbar-a.test/'), "
                "(3, 'https://menu.test/'), (4, 'place:sort=8&maxResults=10'), (5, 'https://deep.test/')",
                "INSERT INTO moz_bookmarks VALUES "
                "(1, 2, NULL, 0, 0, '', 'root________'), (2, 2, NULL, 1, 0, 'menu', 'menu________'), "
                "(3, 2, NULL, 1, 1, 'toolbar', 'toolbar_____'), (4, 2, NULL, 1, 2, 'tags', 'tags________'), "
                "(10, 1, 1, 3, 1, 'b', 'b'), (11, 1, 2, 3, 0, 'a', 'a'), (12, 1, 3, 2, 0, 'm', 'm'), "
                "(13, 1, 4, 2, 1, 'recent', 'r'), (14, 2, NULL, 2, 2, 'sub', 's'), (15, 1, 5, 14, 0, 'd', 'd'), "
                "(20, 2, NULL, 4, 0, 'news', 't'), (21, 1, 2, 20, 0, NULL, 'ta')"};
            for (const QString &s : statements)
                ok = ok && q.exec(s);
            if (keepLogOpen) {
                // The last bookmark waits in the write-ahead log, as while Firefox runs.
                ok = ok && q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && q.exec(QStringLiteral("PRAGMA wal_autocheckpoint=0"));
                ok = ok && q.exec(QStringLiteral("INSERT INTO moz_places VALUES (6, 'https://logged.test/')"));
                ok = ok && q.exec(QStringLiteral("INSERT INTO moz_bookmarks VALUES (16, 1, 6, 3, 2, 'l', 'l')"));
                if (whileOpen)
                    whileOpen();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
        return ok;
    }

    // A places.sqlite of generated rows: the statements run after the two
    // tables are made.
    static bool makeGeneratedPlaces(const QString &file, const QStringList &statements)
    {
        QDir().mkpath(QFileInfo(file).absolutePath());
        bool ok = true;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("generated"));
            db.setDatabaseName(file);
            ok = db.open();
            QSqlQuery q(db);
            ok = ok && q.exec(QStringLiteral("CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT)"))
                 && q.exec(QStringLiteral("CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, "
                                          "fk INTEGER, parent INTEGER, position INTEGER, title TEXT, guid TEXT)"));
            for (const QString &statement : statements)
                ok = ok && q.exec(statement);
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("generated"));
        return ok;
    }

private slots:
    void internetShortcuts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("url");
        QTest::newRow("plain") << QByteArray("[InternetShortcut]\r\nURL=http://a.test/\r\n") << "http://a.test/";
        QTest::newRow("other sections and keys around it")
            << QByteArray("[DEFAULT]\r\nBASEURL=http://base.test/\r\n[InternetShortcut]\r\nIconIndex=0\r\n"
                          "url = http://b.test/?x=1;y=2 \r\n[Other]\r\nURL=http://c.test/\r\n")
            << "http://b.test/?x=1;y=2";
        QTest::newRow("a key of another section only")
            << QByteArray("[Other]\r\nURL=http://c.test/\r\n[InternetShortcut]\r\nIconFile=x\r\n") << "";
        QTest::newRow("no URL key") << QByteArray("[InternetShortcut]\r\n") << "";
        QTest::newRow("quoted") << QByteArray("[InternetShortcut]\nURL=\"http://q.test/\"\n") << "http://q.test/";
        QTest::newRow("Windows-1252") << QByteArray("[InternetShortcut]\r\nURL=http://caf\xe9.test/\r\n")
                                      << "http://caf\u00e9.test/";
        QTest::newRow("cut at 2047")
            << QByteArray("[InternetShortcut]\r\nURL=http://l.test/") + QByteArray(3000, 'x') + "\r\n"
            << QStringLiteral("http://l.test/") + QString(2047 - 14, u'x');
    }
    void internetShortcuts()
    {
        QFETCH(QByteArray, text);
        QVERIFY(write(QStringLiteral("one.url"), text));
        QTEST(SystemFavorites::readInternetShortcut(path(QStringLiteral("one.url"))), "url");
    }

    void shortcutFoldersAreReadDepthFirst()
    {
        const QString root = QStringLiteral("Favorites/");
        QVERIFY(write(root + "b.url", "[InternetShortcut]\r\nURL=http://b.test/\r\n"));
        QVERIFY(write(root + "a.url", "[InternetShortcut]\r\nURL=http://a.test/\r\n"));
        QVERIFY(write(root + "Links/c.url", "[InternetShortcut]\r\nURL=http://c.test/\r\n"));
        QVERIFY(write(root + "Links/none.url", "[InternetShortcut]\r\n"));
        QVERIFY(write(root + ".hidden/h.url", "[InternetShortcut]\r\nURL=http://h.test/\r\n"));
        QVERIFY(write(root + "readme.txt", "URL=http://t.test/"));
        // A link back up the tree is read once.
        QVERIFY(QFile::link(path(root), path(root + "Links/loop")));
        QCOMPARE(SystemFavorites::readShortcutFolder(path(root)),
                 QStringList({"http://a.test/", "http://b.test/", "http://c.test/", ""}));
    }

    void chromiumBookmarks()
    {
        const QByteArray json = "{\"checksum\": \"x\", \"roots\": {"
                                "\"other\": {\"type\": \"folder\", \"children\": ["
                                "{\"type\": \"url\", \"url\": \"https://other.test/\"}]},"
                                "\"synced\": {\"type\": \"folder\", \"children\": []},"
                                "\"bookmark_bar\": {\"type\": \"folder\", \"children\": ["
                                "{\"type\": \"url\", \"name\": \"A\", \"url\": \"https://bar-a.test/\"},"
                                "{\"type\": \"folder\", \"name\": \"F\", \"children\": ["
                                "{\"type\": \"url\", \"url\": \"https://in-folder.test/\"}]},"
                                "{\"type\": \"url\", \"url\": \"https://bar-b.test/\"}]}},"
                                "\"version\": 1}";
        QCOMPARE(SystemFavorites::chromiumBookmarkUrls(json),
                 QStringList({"https://bar-a.test/", "https://in-folder.test/", "https://bar-b.test/",
                              "https://other.test/"}));
        QVERIFY(SystemFavorites::chromiumBookmarkUrls("not json").isEmpty());
        QVERIFY(SystemFavorites::readChromiumBookmarks(path(QStringLiteral("missing/Bookmarks"))).isEmpty());
    }

    void firefoxPlacesFromACopy()
    {
        const QString places = path(QStringLiteral("mozilla/abc.default/places.sqlite"));
        QVERIFY(makePlaces(places, false));
        const QDateTime modified = QFileInfo(places).lastModified();
        QCOMPARE(SystemFavorites::readFirefoxPlaces(places),
                 QStringList({"https://menu.test/", "https://deep.test/", "https://toolbar-a.test/",
                              "https://toolbar-b.test/"}));
        // The profile's file is only copied.
        QCOMPARE(QFileInfo(places).lastModified(), modified);
        QVERIFY(!QFile::exists(places + QStringLiteral("-journal")));
        QVERIFY(SystemFavorites::readFirefoxPlaces(path(QStringLiteral("mozilla/none/places.sqlite"))).isEmpty());
        QVERIFY(write(QStringLiteral("mozilla/bad/places.sqlite"), "not a database"));
        QVERIFY(SystemFavorites::readFirefoxPlaces(path(QStringLiteral("mozilla/bad/places.sqlite"))).isEmpty());
    }

    void firefoxPlacesWithBookmarksStillInTheLog()
    {
        const QString places = path(QStringLiteral("running/p.default/places.sqlite"));
        QStringList read;
        QVERIFY(makePlaces(places, true, [&] { read = SystemFavorites::readFirefoxPlaces(places); }));
        QVERIFY(read.contains(QStringLiteral("https://logged.test/")));
    }

    void everySourceInItsOrder()
    {
        QTemporaryDir dir;
        const auto put = [&dir](const QString &relative, const QByteArray &bytes) {
            const QString file = dir.filePath(relative);
            QDir().mkpath(QFileInfo(file).absolutePath());
            QFile f(file);
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        };
        QVERIFY(put(QStringLiteral("Favorites/a.url"), "[InternetShortcut]\r\nURL=http://url.test/\r\n"));
        const QByteArray bookmarks =
            "{\"roots\": {\"bookmark_bar\": {\"children\": [{\"type\": \"url\", \"url\": \"%1\"}]}}}";
        QVERIFY(put(QStringLiteral("config/chromium/Default/Bookmarks"),
                    QString::fromLatin1(bookmarks).arg(QStringLiteral("https://chromium.test/")).toUtf8()));
        QVERIFY(put(QStringLiteral("config/google-chrome/Profile 1/Bookmarks"),
                    QString::fromLatin1(bookmarks).arg(QStringLiteral("https://chrome.test/")).toUtf8()));
        QVERIFY(makePlaces(dir.filePath(QStringLiteral("firefox/x.default/places.sqlite")), false));
        const SystemFavorites::Sources sources{dir.filePath(QStringLiteral("Favorites")),
                                               dir.filePath(QStringLiteral("config")),
                                               dir.filePath(QStringLiteral("firefox"))};
        QCOMPARE(SystemFavorites::collect(sources).addresses,
                 QStringList({"http://url.test/", "https://chromium.test/", "https://chrome.test/",
                              "https://menu.test/", "https://deep.test/", "https://toolbar-a.test/",
                              "https://toolbar-b.test/"}));
        QVERIFY(SystemFavorites::collect({dir.filePath(QStringLiteral("no")), {}, {}}).addresses.isEmpty());
    }

    void folderScans()
    {
        const QString root = QStringLiteral("scan/");
        for (const char *name : {"index.htm", "index.html", "b.txt", "A.TXT", "pic.JPG", "song.mp3", "sub/page.php",
                                 "sub/deeper/x.xml", "Sub2/y.gif"})
            QVERIFY(write(root + QLatin1String(name), "x"));
        const QString base = path(root);
        QCOMPARE(LocalFileScan::scan(base, false),
                 QStringList({base + "index.html", base + "A.TXT", base + "b.txt", base + "pic.JPG",
                              base + "index.htm"}));
        QCOMPARE(LocalFileScan::scan(base, true),
                 QStringList({base + "index.html", base + "A.TXT", base + "b.txt", base + "pic.JPG", base + "index.htm",
                              base + "Sub2/y.gif", base + "sub/page.php", base + "sub/deeper/x.xml"}));
        QVERIFY(LocalFileScan::scan(path(QStringLiteral("nowhere")), true).isEmpty());
    }

    void aLinkLoopInAScannedFolderEnds()
    {
        const QString root = QStringLiteral("loop/");
        QVERIFY(write(root + "a.html", "x"));
        QVERIFY(write(root + "inner/b.html", "x"));
        QVERIFY(QFile::link(path(root), path(root + "inner/up")));
        QVERIFY(QFile::link(path(root + "inner"), path(root + "inner/self")));
        const QString base = path(root);
        QCOMPARE(LocalFileScan::scan(base, true), QStringList({base + "a.html", base + "inner/b.html"}));
    }

    void importingAnAddressManagerFile()
    {
        AddressTree tree;
        ImportsTree imports(tree);
        QCOMPARE(tree.rootCount(), 3);
        QVERIFY(write(QStringLiteral("other.amf"), "History\r\n\tMonday\r\n\t\thttp://h.test/\r\nFavorites\r\n\tNews\r\n"
                                                   "\t\thttp://n.test/\r\n\tEmpty\r\n"));
        QVERIFY(imports.importFile(path(QStringLiteral("other.amf"))));
        QCOMPARE(AddressTreeText::treeLines(tree),
                 QStringList({"Current Grid", "System Favorites", "Local Files", "\tNews", "\t\thttp://n.test/",
                              "\tEmpty"}));
        QCOMPARE(tree.nodeAt(3)->icon(), 4);
        QCOMPARE(tree.nodeAt(4)->icon(), 6);
    }

    void importsThatAddNothingOrFail()
    {
        AddressTree tree;
        ImportsTree imports(tree);
        QVERIFY(write(QStringLiteral("history.wam"), "Favorites\r\nHistory\r\n\tMonday\r\n\t\thttp://h.test/\r\n"));
        QVERIFY(imports.importFile(path(QStringLiteral("history.wam"))));
        QCOMPARE(imports.localFilesRoot()->childCount(), 0);
        QVERIFY(write(QStringLiteral("damaged.wam"), "favorites\r\nHistory\r\n"));
        QVERIFY(!imports.importFile(path(QStringLiteral("damaged.wam"))));
        // A name that is not there stays not there.
        const QString missing = path(QStringLiteral("typed.wam"));
        QVERIFY(!imports.importFile(missing));
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(tree.count(), 3);
    }

    void fillingTheRoots()
    {
        AddressTree tree;
        ImportsTree imports(tree);
        QVERIFY(!imports.fillCurrentGrid({}));
        QVERIFY(imports.fillCurrentGrid({{0, "http://a.test/"}, {3, "http://a.test/"}}));
        QVERIFY(!imports.fillSystemFavorites({}));
        QVERIFY(imports.fillSystemFavorites({""}));
        imports.fillLocalFiles({"/x/y.html"});
        QCOMPARE(AddressTreeText::treeLines(tree),
                 QStringList({"Current Grid", "\thttp://a.test/", "\thttp://a.test/", "System Favorites", "\t",
                              "Local Files", "\t/x/y.html"}));
        QCOMPARE(AddressTree::getNodeKind(tree.nodeAt(1)), AddressNodeKind::nkWebAddress);
        QCOMPARE(AddressTree::getNodeKind(imports.currentGridRoot()), AddressNodeKind::nkCurrentGridRoot);
        QCOMPARE(AddressTree::getNodeKind(imports.systemFavoritesRoot()), AddressNodeKind::nkSystemFavoritesRoot);
        QCOMPARE(AddressTree::getNodeKind(imports.localFilesRoot()), AddressNodeKind::nkLocalFilesRoot);
    }

    // Another program's file that is no regular file (a FIFO: opening it
    // to read would wait for a writer for ever) or larger than 64 MB is not
    // read, at once, and the user is told why.
    void foreignFilesThatAreNoFilesOrTooLargeAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fifo");
        QTest::addColumn<QString>("cause");
        const QString notRegular = QStringLiteral("it is not a regular file");
        const QString tooLarge = QStringLiteral("it is larger than 64 MB");
        QTest::newRow("Chromium bookmarks, a FIFO") << "config/chromium/Default/Bookmarks" << true << notRegular;
        QTest::newRow("Chromium bookmarks, too large") << "config/chromium/Default/Bookmarks" << false << tooLarge;
        QTest::newRow("a shortcut, a FIFO") << "Favorites/a.url" << true << notRegular;
        QTest::newRow("a shortcut, too large") << "Favorites/a.url" << false << tooLarge;
        QTest::newRow("Firefox places, a FIFO") << "firefox/x.default/places.sqlite" << true << notRegular;
        QTest::newRow("Firefox places, too large") << "firefox/x.default/places.sqlite" << false << tooLarge;
    }
    void foreignFilesThatAreNoFilesOrTooLargeAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(bool, fifo);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        const QString file = dir.filePath(name);
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (fifo) {
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else {
            QFile big(file); // sparse: takes no room on the disk
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(SystemFavorites::MaxFileSize + 1));
        }
        // A read that blocks is let go by a writer that opens and closes the FIFO.
        SystemFavorites::Collected collected;
        std::atomic_bool done = false;
        std::thread reader([&] {
            collected = SystemFavorites::collect(
                {dir.filePath(QStringLiteral("Favorites")), dir.filePath(QStringLiteral("config")),
                 dir.filePath(QStringLiteral("firefox"))});
            done = true;
        });
        const bool quick = QTest::qWaitFor([&] { return done.load(); }, 3000);
        while (!done) {
            const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            QTest::qWait(50);
        }
        reader.join();
        QVERIFY2(quick, "the read waited on the file");
        QVERIFY(collected.addresses.isEmpty());
        QCOMPARE(collected.report.messages(),
                 QStringList({QStringLiteral("The file %1 was not read: %2.").arg(file, cause)}));
    }

    // Bookmarks too deep or too many to be of use are left out, without
    // recursion (300,000 nested folders once overflowed the stack), and the
    // user is told.
    void deepFirefoxFoldersAreCut()
    {
        const QString places = path(QStringLiteral("deep/x.default/places.sqlite"));
        // Folder 10 is at depth 1 below the root, folder k at depth k - 9.
        QVERIFY(makeGeneratedPlaces(
            places, {"INSERT INTO moz_places VALUES (1, 'https://shallow.test/'), (2, 'https://too-deep.test/')",
                     "INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', 'root________'), "
                     "(2, 1, 1, 59, 1, 'at depth 51', 'a'), (3, 1, 2, 159, 1, 'at depth 151', 'b')",
                     "WITH RECURSIVE n(i) AS (SELECT 10 UNION ALL SELECT i + 1 FROM n WHERE i < 300009) "
                     "INSERT INTO moz_bookmarks SELECT i, 2, NULL, CASE WHEN i = 10 THEN 1 ELSE i - 1 END, 0, 'f', "
                     "'g' || i FROM n"}));
        SystemFavorites::Report report;
        QCOMPARE(SystemFavorites::readFirefoxPlaces(places, &report), QStringList({"https://shallow.test/"}));
        QCOMPARE(report.messages(), QStringList({"Some Firefox bookmarks were left out: folders deeper than 100 "
                                                 "levels or more than 100000 entries."}));
    }

    void tooManyFirefoxBookmarksAreCut()
    {
        const QString places = path(QStringLiteral("many/x.default/places.sqlite"));
        QVERIFY(makeGeneratedPlaces(
            places, {"WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL SELECT i + 1 FROM n WHERE i < 150002) "
                     "INSERT INTO moz_places SELECT i, 'https://site' || i || '.test/' FROM n",
                     "INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', 'root________'), "
                     "(2, 2, NULL, 1, 0, 'toolbar', 'toolbar_____')",
                     "WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL SELECT i + 1 FROM n WHERE i < 150002) "
                     "INSERT INTO moz_bookmarks SELECT i, 1, i, 2, i, 'b', 'b' || i FROM n"}));
        SystemFavorites::Report report;
        const QStringList urls = SystemFavorites::readFirefoxPlaces(places, &report);
        QCOMPARE(urls.size(), SystemFavorites::MaxEntries - 2);
        QCOMPARE(urls.first(), QStringLiteral("https://site3.test/"));
        QCOMPARE(urls.last(), QStringLiteral("https://site100000.test/"));
        QVERIFY(report.firefoxLeftOut);
    }

    void deepChromiumFoldersAreCut()
    {
        // A bookmark in the folder at depth 50 and one at depth 150.
        QByteArray json = "{\"roots\": {\"bookmark_bar\": {\"type\": \"folder\", \"children\": [";
        for (int depth = 1; depth <= 150; ++depth) {
            json += "{\"type\": \"folder\", \"children\": [";
            if (depth == 50 || depth == 150)
                json += "{\"type\": \"url\", \"url\": \"https://depth" + QByteArray::number(depth) + ".test/\"},";
        }
        json += "{\"type\": \"url\", \"url\": \"https://bottom.test/\"}";
        for (int depth = 0; depth <= 150; ++depth)
            json += "]}";
        json += "}}";
        QVERIFY(!QJsonDocument::fromJson(json).isNull());
        SystemFavorites::Report report;
        QCOMPARE(SystemFavorites::chromiumBookmarkUrls(json, &report), QStringList({"https://depth50.test/"}));
        QCOMPARE(report.messages(), QStringList({"Some Chromium bookmarks were left out: folders deeper than 100 "
                                                 "levels or more than 100000 entries."}));
        // A shallow file tells nothing.
        SystemFavorites::Report none;
        QCOMPARE(SystemFavorites::chromiumBookmarkUrls(
                     "{\"roots\": {\"other\": {\"children\": [{\"type\": \"url\", \"url\": \"https://o.test/\"}]}}}",
                     &none),
                 QStringList({"https://o.test/"}));
        QVERIFY(none.messages().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAddressImports)
#include "test_addressimports.moc"
