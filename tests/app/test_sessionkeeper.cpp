#include "app/sessionkeeper.h"
#include "core/textfile.h"
#include "support/gridharness.h"
#include "support/smalldisk.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The session file follows the open panes while the program runs, so a
// crash loses at most the last round.
class TestSessionKeeper : public QObject
{
    Q_OBJECT

    static QString sessionText(const QString &path) { return QString::fromUtf8(TestFiles::read(path)); }

private slots:
    void panesReachTheFileWithoutAClose()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Session/panes.txt"));
        GridHarness h;
        SessionKeeper keeper(*h.grid, path, h.prompter);
        keeper.start(true, 100);
        h.open(QStringLiteral("http://one.test/"));
        QTRY_VERIFY_WITH_TIMEOUT(sessionText(path).contains(QStringLiteral("0\t0\thttp://one.test/")), 5000);
        h.open(QStringLiteral("http://two.test/"));
        QTRY_VERIFY_WITH_TIMEOUT(sessionText(path).contains(QStringLiteral("1\t0\thttp://two.test/")), 5000);
        // The last pane closed: the file goes, so the next start is empty.
        h.grid->closeAllBrowsers();
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(path), 5000);
        QVERIFY(h.prompter.texts().isEmpty());
    }

    // A stream of changes is written once a round, not once a change; a
    // round with no change writes nothing.
    void writesAreBoundedByTheRound()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("panes.txt"));
        GridHarness h;
        SessionKeeper keeper(*h.grid, path, h.prompter);
        keeper.start(true, 400);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 12; ++i) {
            h.open(QStringLiteral("http://site%1.test/").arg(i));
            QTest::qWait(100);
        }
        const qint64 rounds = clock.elapsed() / 400 + 1;
        QTRY_VERIFY_WITH_TIMEOUT(sessionText(path).contains(QStringLiteral("http://site11.test/")), 5000);
        QVERIFY2(keeper.writes() <= rounds + 1, qPrintable(QStringLiteral("%1 writes in %2 rounds")
                                                               .arg(keeper.writes())
                                                               .arg(rounds)));
        const int writes = keeper.writes();
        QTest::qWait(1200);
        QCOMPARE(keeper.writes(), writes);
    }

    // Started without a restore (the choice is off), the first round writes
    // the grid as it is, so an old session does not come back later.
    void aStaleFileIsReplacedAtTheFirstRound()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("panes.txt"));
        QVERIFY(TestFiles::write(path, "Vorlan session 1\r\n5\t0\thttp://old.test/\r\n"));
        GridHarness h;
        SessionKeeper keeper(*h.grid, path, h.prompter);
        keeper.start(false, 100);
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(path), 5000);
    }

    // A full disk: the old file stays whole, the user is told the cause once,
    // and the panes are written once there is room again.
    void aFullDiskIsToldOnceAndTheOldFileKept()
    {
        SmallDisk disk(QDir::homePath() + QStringLiteral("/small"));
        if (!disk.available())
            QSKIP("A small tmpfs cannot be mounted here (needs root).");
        const QString path = disk.path() + QStringLiteral("/panes.txt");
        const QByteArray old = "Vorlan session 1\r\n0\t0\thttp://old.test/\r\n";
        QVERIFY(TestFiles::write(path, old));
        disk.fill();
        GridHarness h;
        SessionKeeper keeper(*h.grid, path, h.prompter);
        keeper.start(true, 100);
        for (int i = 0; i < 40; ++i)
            h.open(QStringLiteral("http://a-rather-long-address-to-fill-the-disk.test/page%1").arg(i));
        QTRY_COMPARE_WITH_TIMEOUT(h.prompter.texts().size(), 1, 5000);
        QCOMPARE(h.prompter.texts().first(),
                 QStringLiteral("Could not save the open panes: the disk is full. The earlier file is kept."));
        QTRY_VERIFY_WITH_TIMEOUT(keeper.writes() >= 3, 5000);
        QCOMPARE(h.prompter.texts().size(), 1);
        QCOMPARE(TestFiles::read(path), old);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary file left
        disk.empty();
        QTRY_VERIFY_WITH_TIMEOUT(sessionText(path).contains(QStringLiteral("page39")), 5000);
    }
};

QTEST_MAIN(TestSessionKeeper)
#include "test_sessionkeeper.moc"
