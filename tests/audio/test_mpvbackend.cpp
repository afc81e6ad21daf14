#include "audio/mpvbackend.h"
#include "support/audiofiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The media player on the real libmpv, playing to no device.
class TestMpvBackend : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString file(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void opensPlaysAndEnds_data()
    {
        QTest::addColumn<QString>("name");
        // mpv goes by the content, whatever the name says.
        QTest::newRow("mp3") << "song.mp3";
        QTest::newRow("wma") << "song.wma";
    }
    void opensPlaysAndEnds()
    {
        QFETCH(QString, name);
        const QString path = AudioFiles::song(file(name), 1200);
        MpvBackend media(QStringLiteral("null"));
        QVERIFY(media.isReady());
        QSignalSpy ended(&media, &MediaBackend::endOfFile);
        QVERIFY(media.open(path));
        QVERIFY2(qAbs(media.length() - 1200) <= 20, qPrintable(QString::number(media.length())));
        QCOMPARE(media.position(), 0);
        QVERIFY(media.play());
        QTRY_VERIFY_WITH_TIMEOUT(media.position() > 0, 5000);
        QVERIFY(ended.wait(5000));
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.first().first().toBool(), false);
        // An ended file stands at its end until it is closed.
        QCOMPARE(media.position(), media.length());
        media.close();
        QCOMPARE(media.length(), 0);
        QCOMPARE(media.position(), 0);
        QVERIFY(!media.play());
    }

    void whatCannotPlayDoesNotOpen_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << file(QStringLiteral("gone.mp3"));
        QTest::newRow("not audio") << AudioFiles::unplayable(file(QStringLiteral("text.mp3")));
        QTest::newRow("a folder") << m_dir.path();
    }
    void whatCannotPlayDoesNotOpen()
    {
        QFETCH(QString, path);
        QVERIFY(!path.isEmpty());
        MpvBackend media(QStringLiteral("null"));
        QVERIFY(!media.open(path));
        QCOMPARE(media.length(), 0);
        QVERIFY(!media.play());
        // And the player is fine for the next file.
        QVERIFY(media.open(AudioFiles::song(file(QStringLiteral("fine.mp3")), 300)));
    }

    // The file closed by opening the next says nothing of its end: only
    // the file now open does.
    void openingAnotherFileClosesTheFirst()
    {
        MpvBackend media(QStringLiteral("null"));
        QSignalSpy ended(&media, &MediaBackend::endOfFile);
        QVERIFY(media.open(AudioFiles::song(file(QStringLiteral("first.mp3")), 3000)));
        QVERIFY(media.play());
        QTRY_VERIFY_WITH_TIMEOUT(media.position() > 0, 5000);
        QVERIFY(media.open(AudioFiles::song(file(QStringLiteral("second.mp3")), 600)));
        QVERIFY2(qAbs(media.length() - 600) <= 20, qPrintable(QString::number(media.length())));
        QCOMPARE(ended.size(), 0);
        QVERIFY(media.play());
        QVERIFY(ended.wait(5000));
        QCOMPARE(ended.size(), 1);
        QVERIFY2(qAbs(media.position() - 600) <= 20, "the second file's end");
    }
};

QTEST_GUILESS_MAIN(TestMpvBackend)
#include "test_mpvbackend.moc"
