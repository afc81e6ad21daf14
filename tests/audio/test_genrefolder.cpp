#include "audio/genrefolder.h"
#include "support/audiofiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// The genre folder and its play list files.
class TestGenreFolder : public QObject
{
    Q_OBJECT

private slots:
    void playListRoundTripsByteForByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Mix.gpl"));
        const QStringList paths{QStringLiteral("/home/u/Music/Caf\u00e9 \u2022 Live/One.mp3"),
                                QStringLiteral("/home/u/Music/two  spaces .wma")};
        QVERIFY(GenreFolder::writePlayList(path, paths));
        const QByteArray written = TestFiles::read(path);
        QCOMPARE(written, QByteArray("/home/u/Music/Caf\xc3\xa9 \xe2\x80\xa2 Live/One.mp3\r\n"
                                     "/home/u/Music/two  spaces .wma\r\n"));
        QStringList read;
        QCOMPARE(GenreFolder::readPlayList(path, &read), TextFile::ReadResult::Read);
        QCOMPARE(read, paths);
        QVERIFY(GenreFolder::writePlayList(path, read));
        QCOMPARE(TestFiles::read(path), written);
    }

    void writtenPlayListReadsBack_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("plain") << QStringList{"/m/a.mp3", "/m/b.ogg"};
        // U+FEFF is also the byte order mark a reader skips.
        QTest::newRow("first path begins with U+FEFF") << QStringList{QStringLiteral("\uFEFF/m/a.mp3"), "/m/b.ogg"};
        QTest::newRow("a path that is only U+FEFF") << QStringList{QStringLiteral("\uFEFF")};
        QTest::newRow("U+FEFF in a later path") << QStringList{"/m/a.mp3", QStringLiteral("\uFEFF/m/b.ogg")};
    }
    void writtenPlayListReadsBack()
    {
        QFETCH(QStringList, paths);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Mix.gpl"));
        QVERIFY(GenreFolder::writePlayList(path, paths));
        QStringList read;
        QCOMPARE(GenreFolder::readPlayList(path, &read), TextFile::ReadResult::Read);
        QCOMPARE(read, paths);
    }

    void readsHandEditedAndWindowsFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("lone line ends and blank lines")
            << QByteArray("/a.mp3\n\n/b.mp3\r/c.mp3\r\n\r\n") << QStringList{"/a.mp3", "/b.mp3", "/c.mp3"};
        QTest::newRow("windows-1252") << QByteArray("/m/Caf\xe9 \x95 Song.mp3\r\n")
                                      << QStringList{QStringLiteral("/m/Caf\u00e9 \u2022 Song.mp3")};
        QTest::newRow("no line end at the end") << QByteArray("/a.mp3") << QStringList{"/a.mp3"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
    }
    void readsHandEditedAndWindowsFiles()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Old.gpl"));
        QVERIFY(TestFiles::write(path, bytes));
        QStringList read;
        QCOMPARE(GenreFolder::readPlayList(path, &read), TextFile::ReadResult::Read);
        QTEST(read, "paths");
    }

    void namesAreTheGplFilesSorted()
    {
        QTemporaryDir dir;
        const GenreFolder folder(dir.path() + QStringLiteral("/"));
        for (const char *file : {"rock.gpl", "Blues.gpl", "tmp.gpl", "Ambient.gpl", ".hidden.gpl", "notes.txt",
                                 "Upper.GPL", "Jazz.gpl.bak"})
            QVERIFY(TestFiles::write(dir.filePath(QLatin1String(file)), "/a.mp3\r\n"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Folder.gpl")));
        QCOMPARE(folder.names(), QStringList({".hidden", "Ambient", "Blues", "rock", "tmp"}));
        QVERIFY(folder.isReadable());
        QCOMPARE(folder.find(QStringLiteral("ROCK")), QStringLiteral("rock"));
        QCOMPARE(folder.find(QStringLiteral("Jazz")), QString());
        QVERIFY(folder.exists(QStringLiteral("tmp")));
        QVERIFY(!folder.exists(QStringLiteral("Folder")));
        QVERIFY(!GenreFolder(dir.filePath(QStringLiteral("missing/"))).isReadable());
    }

    void saveAndRemove()
    {
        QTemporaryDir dir;
        const GenreFolder folder(dir.path() + QStringLiteral("/"));
        QVERIFY(folder.save(QStringLiteral("Rock"), {QStringLiteral("/a.mp3")}));
        QCOMPARE(TestFiles::read(dir.filePath(QStringLiteral("Rock.gpl"))), QByteArray("/a.mp3\r\n"));
        QVERIFY(folder.remove(QStringLiteral("Rock")));
        QVERIFY(!folder.exists(QStringLiteral("Rock")));
        QVERIFY(folder.remove(QStringLiteral("Rock"))); // nothing left to remove
        QVERIFY(!folder.save(QStringLiteral("../Rock"), {QStringLiteral("/a.mp3")}));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("../Rock.gpl"))));
    }

    void usableNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("usable");
        QTest::newRow("plain") << "Rock" << true;
        QTest::newRow("spaces and dots inside") << "Rock n. Roll" << true;
        QTest::newRow("tmp is a genre like any") << "tmp" << true;
        QTest::newRow("unicode") << QStringLiteral("Caf\u00e9 \u2022") << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("climbing out") << "../x" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("tab") << "a\tb" << false;
        QTest::newRow("line break") << "a\nb" << false;
        QTest::newRow("delete character") << QStringLiteral("a\u007fb") << false;
    }
    void usableNames()
    {
        QFETCH(QString, name);
        QTEST(GenreFolder::isUsableName(name), "usable");
    }
};

QTEST_GUILESS_MAIN(TestGenreFolder)
#include "test_genrefolder.moc"
