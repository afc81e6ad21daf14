#include "core/textfile.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The program's own text files: UTF-8 with the Windows-1252 fallback, CR LF.
class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("plain") << QStringLiteral("plain");
        QTest::newRow("utf-8") << QByteArray("Caf\xc3\xa9 \xe2\x80\xa2") << QStringLiteral("Caf\u00e9 \u2022");
        QTest::newRow("bom skipped") << QByteArray("\xef\xbb\xbfGG") << QStringLiteral("GG");
        QTest::newRow("only a bom") << QByteArray("\xef\xbb\xbf") << QString();
        QTest::newRow("bom before a text's own U+FEFF") << QByteArray("\xef\xbb\xbf\xef\xbb\xbfGG")
                                                         << QStringLiteral("\uFEFFGG");
        QTest::newRow("windows bullet") << QByteArray("NG \x95 1") << QStringLiteral("NG \u2022 1");
        QTest::newRow("windows quotes and euro")
            << QByteArray("\x93q\x94 \x80") << QStringLiteral("\u201cq\u201d \u20ac");
        QTest::newRow("undefined bytes stay") << QByteArray("\x81\x8d\x8f\x90\x9d")
                                              << QStringLiteral("\u0081\u008d\u008f\u0090\u009d");
        QTest::newRow("latin-1 range") << QByteArray("\xe9\xff") << QStringLiteral("\u00e9\u00ff");
        // One bad sequence makes the whole file Windows-1252, valid UTF-8
        // pairs included: a file is one encoding or the other.
        QTest::newRow("mixed") << QByteArray("\xc3\xa9 \xe9") << QStringLiteral("\u00c3\u00a9 \u00e9");
        QTest::newRow("truncated sequence at the end") << QByteArray("ok\xe2\x80") << QStringLiteral("ok\u00e2\u20ac");
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QStringLiteral("\u00c0\u00af");
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QTEST(TextFile::decode(bytes), "text");
    }

    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("no line end") << "a" << QStringList{"a"};
        QTest::newRow("cr lf") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("lf") << "a\nb" << QStringList{"a", "b"};
        QTest::newRow("lone cr") << "a\rb\r" << QStringList{"a", "b"};
        QTest::newRow("empty lines kept") << "a\r\n\r\n\tb\r\n" << QStringList{"a", "", "\tb"};
        QTest::newRow("lf cr is two ends") << "a\n\rb" << QStringList{"a", "", "b"};
        QTest::newRow("only an end") << "\r\n" << QStringList{""};
    }
    void lines()
    {
        QFETCH(QString, text);
        QTEST(TextFile::lines(text), "lines");
    }

    void readsFilesWrittenOnEitherSystem_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::newRow("windows-1252") << "windows-1252.txt";
        QTest::newRow("utf-8 with bom") << "utf8-bom.txt";
    }
    void readsFilesWrittenOnEitherSystem()
    {
        QFETCH(QString, fixture);
        QStringList lines;
        QCOMPARE(TextFile::readLines(QStringLiteral(VORLAN_TEST_DATA "/") + fixture, &lines), TextFile::ReadResult::Read);
        QCOMPARE(lines.value(0), QStringLiteral("Favorites"));
        QVERIFY(lines.value(1).startsWith(QStringLiteral("\tNG \u2022 Caf\u00e9")));
        QCOMPARE(lines.value(2), QStringLiteral("History"));
        QCOMPARE(lines.size(), 3);
    }

    void missingAndUnreadable()
    {
        QTemporaryDir dir;
        QString text = QStringLiteral("stale");
        QCOMPARE(TextFile::read(dir.filePath(QStringLiteral("none.txt")), &text), TextFile::ReadResult::Missing);
        QVERIFY(text.isEmpty());
        // A folder where the file should be cannot be read as one.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
        QCOMPARE(TextFile::read(dir.filePath(QStringLiteral("folder.txt")), &text), TextFile::ReadResult::Unreadable);
    }

    void writesUtf8WithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.gpl"));
        QVERIFY(TextFile::writeLines(path, {QStringLiteral("Genre \u2022 1"), QString(), QStringLiteral("\tsong")}));
        QCOMPARE(TestFiles::read(path), QByteArray("Genre \xe2\x80\xa2 1\r\n\r\n\tsong\r\n"));
        QStringList back;
        QCOMPARE(TextFile::readLines(path, &back), TextFile::ReadResult::Read);
        QCOMPARE(back, QStringList({"Genre \u2022 1", "", "\tsong"}));
        QVERIFY(TextFile::writeLines(path, {}));
        QCOMPARE(TestFiles::read(path), QByteArray());
    }

    void failedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kept.txt"));
        QVERIFY(TextFile::writeLines(path, {QStringLiteral("old")}));
        QVERIFY(!TextFile::writeLines(dir.filePath(QStringLiteral("no/such/folder.txt")), {QStringLiteral("x")}));
        QVERIFY(!TextFile::writeLines(path + QStringLiteral("/under-a-file.txt"), {QStringLiteral("x")}));
        QCOMPARE(TestFiles::read(path), QByteArray("old\r\n"));
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool written = TextFile::writeLines(path, {QStringLiteral("new")});
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (written)
            QSKIP("the folder stays writable (running as root)");
        QCOMPARE(TestFiles::read(path), QByteArray("old\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
