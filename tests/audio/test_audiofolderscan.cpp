#include "audio/audiofolderscan.h"
#include "support/audiofiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Finding the audio files of a folder for a new play list.
class TestAudioFolderScan : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
    void touch(const QString &relative) const { QVERIFY(TestFiles::write(path(relative), "x")); }
    QStringList relative(const QStringList &paths) const
    {
        QStringList result;
        for (const QString &p : paths)
            result << (p.startsWith(m_dir.path() + QLatin1Char('/')) ? p.mid(m_dir.path().size() + 1) : p);
        return result;
    }

private slots:
    void initTestCase()
    {
        for (const char *file : {"b.mp3", "A.MP3", "c.wma", "a.wma", "notes.txt", "song.mp3.bak", "mp3",
                                 "x/2.mp3", "x/1.wma", "x/deep/3.mp3", "y/4.mp3", ".hidden/5.mp3", ".h.mp3"})
            touch(QLatin1String(file));
        QVERIFY(QDir().mkpath(path(QStringLiteral("empty.mp3"))));
    }

    void findsAudioFilesInNameOrder_data()
    {
        QTest::addColumn<bool>("recursive");
        QTest::addColumn<QStringList>("found");
        // mp3 files first, even when a wma file's name sorts before them.
        QTest::newRow("single folder") << false << QStringList{"A.MP3", "b.mp3", "a.wma", "c.wma"};
        QTest::newRow("depth first") << true
                                     << QStringList{"A.MP3", "b.mp3", "a.wma", "c.wma", "x/2.mp3", "x/1.wma",
                                                    "x/deep/3.mp3", "y/4.mp3"};
    }
    void findsAudioFilesInNameOrder()
    {
        QFETCH(bool, recursive);
        QTEST(relative(AudioFolderScan::scan(m_dir.path(), recursive)), "found");
        // A trailing slash makes no difference.
        QTEST(relative(AudioFolderScan::scan(m_dir.path() + QLatin1Char('/'), recursive)), "found");
    }

    void linkLoopsEndAndEachFileComesOnce()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        QVERIFY(TestFiles::write(root + QStringLiteral("/a/one.mp3"), "x"));
        QVERIFY(TestFiles::write(root + QStringLiteral("/b/two.mp3"), "x"));
        // a/up leads back to the root, b/again to a, and a/same.mp3 is one.mp3.
        // Two loops that lead into each other: followed blindly, the scan
        // would branch at every level and not end in any time.
        QVERIFY(QFile::link(root, root + QStringLiteral("/a/up")));
        QVERIFY(QFile::link(root + QStringLiteral("/a"), root + QStringLiteral("/b/again")));
        QVERIFY(QFile::link(root + QStringLiteral("/a/one.mp3"), root + QStringLiteral("/a/same.mp3")));
        QVERIFY(QFile::link(root + QStringLiteral("/nowhere.mp3"), root + QStringLiteral("/a/broken.mp3")));
        const QStringList found = AudioFolderScan::scan(root, true);
        QCOMPARE(found, QStringList({root + QStringLiteral("/a/one.mp3"), root + QStringLiteral("/b/two.mp3")}));
    }

    void namesWithLineBreaksAreLeftOut()
    {
        QTemporaryDir dir;
        QVERIFY(TestFiles::write(dir.path() + QStringLiteral("/two\nlines.mp3"), "x"));
        QVERIFY(TestFiles::write(dir.path() + QStringLiteral("/fine.mp3"), "x"));
        QCOMPARE(AudioFolderScan::scan(dir.path(), false), QStringList{dir.path() + QStringLiteral("/fine.mp3")});
    }
};

QTEST_GUILESS_MAIN(TestAudioFolderScan)
#include "test_audiofolderscan.moc"
