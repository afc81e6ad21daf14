#include "audio/mpvbackend.h"
#include "support/audiofiles.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// Whether this machine has a sound device or a sound server to play to.
static bool machineHasSound()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR", QStringLiteral("/run/user/%1").arg(getuid()));
    return QFileInfo::exists(QStringLiteral("/dev/snd")) || QFileInfo::exists(runtime + QStringLiteral("/pulse/native"))
           || QFileInfo::exists(runtime + QStringLiteral("/pipewire-0"));
}

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

    // An output that cannot be opened is told apart from a file that
    // cannot be played: the file may even open, but ends at once, failed.
    void anOutputThatDoesNotOpen_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("song");
        QTest::addColumn<bool>("outputFailed");
        QTest::newRow("a device that is not there") << "alsa" << "alsa/vorlan-no-such-device" << true << true;
        QTest::newRow("the machine's own output, with no sound device") << "" << "" << true << true;
        QTest::newRow("no song, on a device that is not there")
            << "alsa" << "alsa/vorlan-no-such-device" << false << false;
        QTest::newRow("the silent output") << "null" << "" << true << false;
    }
    void anOutputThatDoesNotOpen()
    {
        QFETCH(QString, output);
        QFETCH(QString, device);
        QFETCH(bool, song);
        QFETCH(bool, outputFailed);
        if (output.isEmpty() && machineHasSound())
            QSKIP("This machine has a sound device.");
        MpvBackend media(output, device);
        QVERIFY(media.isReady());
        QSignalSpy ended(&media, &MediaBackend::endOfFile);
        const QString path = song ? AudioFiles::song(file(QStringLiteral("song.mp3")), 600)
                                  : AudioFiles::unplayable(file(QStringLiteral("text.mp3")));
        // mpv opens the output once the file has loaded: the failure may
        // come while the file opens, or just after.
        if (media.open(path)) {
            media.play();
            QVERIFY(ended.wait(5000));
            QCOMPARE(ended.first().first().toBool(), outputFailed);
        } else {
            QVERIFY(!song || outputFailed);
        }
        QCOMPARE(media.outputFailed(), outputFailed);
        // The next file starts afresh.
        QVERIFY(!media.open(file(QStringLiteral("gone.mp3"))));
        QVERIFY(!media.outputFailed());
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
