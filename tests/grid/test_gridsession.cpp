#include "grid/gridsession.h"
#include "support/gridharness.h"
#include "support/smalldisk.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(QList<GridSession::Pane>)

namespace {

const QByteArray Header("Vorlan session 1\r\n");

QByteArray line(int cell, const QByteArray &address, int zoom = 0)
{
    return QByteArray::number(cell) + '\t' + QByteArray::number(zoom) + '\t' + address + "\r\n";
}

} // namespace

// The panes of a run kept for the next one.
class TestGridSession : public QObject
{
    Q_OBJECT

    QTemporaryDir m_pages; // local page files a user opened

    QString localPage(const QString &name)
    {
        const QString path = m_pages.filePath(name);
        TestFiles::write(path, "<p>local</p>");
        return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    }

private slots:
    void savedBytesAndRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = GridSession::filePath(dir.path() + QLatin1Char('/'));
        QCOMPARE(path, dir.filePath(QStringLiteral("Session/panes.txt")));
        const QString notes = localPage(QStringLiteral("Notes f\u00fcr.html"));
        QVERIFY(notes.endsWith(QLatin1String("/Notes%20f%C3%BCr.html")));
        const QList<GridSession::Pane> panes{{0, 0, QStringLiteral("https://a.example/")},
                                             {9, 3, QStringLiteral("https://b.example/q?x=1&y=%20#top")},
                                             {63, 5, notes}};
        // The folder is made on the way.
        QVERIFY(GridSession::save(path, panes));
        QCOMPARE(TestFiles::read(path), Header + "0\t0\thttps://a.example/\r\n"
                                                 "9\t3\thttps://b.example/q?x=1&y=%20#top\r\n"
                                                 "63\t5\t" + notes.toUtf8() + "\r\n");
        QList<GridSession::Pane> read;
        int skipped = -1;
        QCOMPARE(GridSession::read(path, &read, &skipped), GridSession::ReadResult::Read);
        QCOMPARE(read, panes);
        QCOMPARE(skipped, 0);
        // An empty grid leaves no file: the next start is empty too.
        QVERIFY(GridSession::save(path, {}));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(GridSession::read(path, &read), GridSession::ReadResult::Missing);
    }

    // Not one of ours at all: nothing of it is read.
    void damaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other header") << QByteArray("Vorlan session 2\r\n0\t0\thttps://a/\r\n");
        QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff", 4);
    }
    void damaged()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("panes.txt"));
        QVERIFY(TestFiles::write(path, bytes));
        QList<GridSession::Pane> read{{1, 1, QStringLiteral("https://kept/")}};
        QCOMPARE(GridSession::read(path, &read), GridSession::ReadResult::Damaged);
        QVERIFY(read.isEmpty());
    }

    // One bad line between two good ones: the good panes come back, the bad
    // line is counted. No script, data or unknown file address is ever
    // opened from the file.
    void aBadLineIsSkipped_data()
    {
        QTest::addColumn<QByteArray>("bad");
        QTest::newRow("two fields") << QByteArray("5\thttps://a/\r\n");
        QTest::newRow("four fields") << QByteArray("5\t0\thttps://a/\tx\r\n");
        QTest::newRow("cell 64") << line(64, "https://a/");
        QTest::newRow("cell -1") << line(-1, "https://a/");
        QTest::newRow("cell word") << QByteArray("six\t0\thttps://a/\r\n");
        QTest::newRow("zoom 6") << line(5, "https://a/", 6);
        QTest::newRow("no address") << QByteArray("5\t0\t\r\n");
        QTest::newRow("cell of an earlier line") << line(0, "https://again/");
        QTest::newRow("javascript") << line(5, "javascript:document.title='ran'");
        QTest::newRow("JavaScript upper case") << line(5, "JavaScript:alert(1)");
        QTest::newRow("data") << line(5, "data:text/html,<script>alert(1)</script>");
        QTest::newRow("view-source") << line(5, "view-source:https://a/");
        QTest::newRow("web address without host") << line(5, "https://");
        QTest::newRow("file that is not there") << line(5, "file:///nowhere/page.html");
        QTest::newRow("file of another kind") << line(5, "file:///etc/passwd");
        QTest::newRow("file on another host") << line(5, "file://server/share/page.html");
    }
    void aBadLineIsSkipped()
    {
        QFETCH(QByteArray, bad);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("panes.txt"));
        const QString page = localPage(QStringLiteral("page.htm"));
        QVERIFY(TestFiles::write(path, Header + line(0, "https://first.example/") + bad + line(7, page.toUtf8(), 2)));
        QList<GridSession::Pane> read;
        int skipped = 0;
        QCOMPARE(GridSession::read(path, &read, &skipped), GridSession::ReadResult::Read);
        const QList<GridSession::Pane> expected{{0, 0, QStringLiteral("https://first.example/")}, {7, 2, page}};
        QCOMPARE(read, expected);
        QCOMPARE(skipped, 1);
    }

    // 66 lines of which 3 are bad: the 63 good panes come back in their
    // cells, and the caller has the count for its message.
    void aFewBadLinesLoseNothingElse()
    {
        QByteArray bytes = Header;
        for (int cell = 0; cell < 63; ++cell) {
            bytes += line(cell, "https://site" + QByteArray::number(cell) + ".example/");
            if (cell % 20 == 10)
                bytes += "garbage\r\n";
        }
        QCOMPARE(bytes.count('\n'), 67);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("panes.txt"));
        QVERIFY(TestFiles::write(path, bytes));
        QList<GridSession::Pane> read;
        int skipped = 0;
        QCOMPARE(GridSession::read(path, &read, &skipped), GridSession::ReadResult::Read);
        QCOMPARE(read.size(), 63);
        QCOMPARE(skipped, 3);
        QCOMPARE(GridSession::skippedMessage(skipped),
                 QStringLiteral("3 lines of the saved panes could not be read and were skipped."));
        QCOMPARE(GridSession::skippedMessage(1),
                 QStringLiteral("1 line of the saved panes could not be read and was skipped."));

        GridHarness h;
        QCOMPARE(GridSession::restore(*h.grid, read), 63);
        for (int cell = 0; cell < 63; ++cell)
            QCOMPARE(h.grid->paneInCell(cell)->control()->locationUrl(),
                     QStringLiteral("https://site%1.example/").arg(cell));
    }

    // Caps: the first 64 sound lines, the first megabyte.
    void oversizedFilesAreCut_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("panes");
        QTest::addColumn<int>("skipped");
        QByteArray many = Header + "junk\r\n";
        for (int i = 0; i < 70; ++i)
            many += line(i % 64, "https://p" + QByteArray::number(i) + ".example/");
        // 64 distinct cells come first; the six after them would repeat.
        QTest::newRow("70 lines") << many << 64 << 7;
        QByteArray huge = Header + line(3, "https://kept.example/");
        const QByteArray filler = line(4, "https://" + QByteArray(200, 'x') + ".example/");
        while (huge.size() < 2 * GridSession::MaxBytes)
            huge += "not a pane line " + QByteArray(200, 'y') + "\r\n";
        huge += filler; // beyond the first megabyte: never seen
        QTest::newRow("over a megabyte") << huge << 1 << -1;
    }
    void oversizedFilesAreCut()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, panes);
        QFETCH(int, skipped);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("panes.txt"));
        QVERIFY(TestFiles::write(path, bytes));
        QList<GridSession::Pane> read;
        int notTaken = 0;
        QCOMPARE(GridSession::read(path, &read, &notTaken), GridSession::ReadResult::Read);
        QCOMPARE(read.size(), panes);
        if (skipped >= 0) {
            QCOMPARE(notTaken, skipped);
        } else {
            // Only the lines of the first megabyte were looked at.
            QVERIFY(notTaken > 1000);
            QVERIFY(notTaken < bytes.count('\n') * 3 / 4);
            QCOMPARE(read.first().address, QStringLiteral("https://kept.example/"));
        }
    }

    // Whatever hands panes to restore, a script address is not opened.
    void restoreOpensNoScript()
    {
        GridHarness h;
        const QList<GridSession::Pane> panes{{0, 0, QStringLiteral("javascript:document.title='ran'")},
                                             {1, 0, QStringLiteral("data:text/html,<b>x</b>")},
                                             {2, 0, QStringLiteral("https://ok.example/")}};
        QCOMPARE(GridSession::restore(*h.grid, panes), 1);
        QCOMPARE(h.flags.browserCount, 1);
        QCOMPARE(h.control(0)->navigations, QStringList{"https://ok.example/"});
        QCOMPARE(h.grid->pane(0)->cellIndex, 2);
    }

    // A write that fails names its cause and leaves the earlier file whole.
    void aFailedSaveKeepsTheEarlierFile()
    {
        QTemporaryDir dir;
        SmallDisk disk(dir.filePath(QStringLiteral("disk")));
        if (!disk.available())
            QSKIP("A small tmpfs cannot be mounted here (needs root).");
        const QString path = GridSession::filePath(disk.path() + QLatin1Char('/'));
        QVERIFY(GridSession::save(path, {{0, 0, QStringLiteral("https://old.example/")}}));
        const QByteArray old = TestFiles::read(path);
        QVERIFY(disk.setReadOnly(true));
        const SafeSave::Outcome outcome = GridSession::save(path, {{1, 0, QStringLiteral("https://new.example/")}});
        QVERIFY(!outcome);
        QCOMPARE(outcome.cause, QStringLiteral("the folder is on a read-only disk"));
        QCOMPARE(SafeSave::failureMessage(QStringLiteral("the open panes"), path, outcome),
                 QStringLiteral("Could not save the open panes: the folder is on a read-only disk. "
                                "The earlier file is kept."));
        // Removing the file for an empty grid fails the same way.
        const SafeSave::Outcome removal = GridSession::save(path, {});
        QVERIFY(!removal);
        QCOMPARE(removal.cause, QStringLiteral("the folder is on a read-only disk"));
        QCOMPARE(TestFiles::read(path), old);
        QVERIFY(disk.setReadOnly(false));
    }

    void captureAndRestoreIntoTheSameCells()
    {
        QList<GridSession::Pane> kept;
        {
            GridHarness h;
            for (const char *address : {"https://a.example/", "https://b.example/", "https://c.example/"})
                QVERIFY(h.grid->openAddressInNewBrowser(QLatin1String(address), BrowserType::btNormal));
            QVERIFY(h.grid->movePaneToCell(1, 12));
            QVERIFY(h.grid->movePaneToCell(2, 40));
            QVERIFY(h.grid->pane(1)->pages().zoomBrowser());
            QVERIFY(h.grid->pane(1)->pages().zoomBrowser());
            // A blank pane is not kept.
            QVERIFY(h.grid->openAddressInNewBrowser(QStringLiteral("about:blank"), BrowserType::btNormal));
            kept = GridSession::capture(*h.grid);
        }
        const QList<GridSession::Pane> expected{{0, 0, QStringLiteral("https://a.example/")},
                                                {12, 2, QStringLiteral("https://b.example/")},
                                                {40, 0, QStringLiteral("https://c.example/")}};
        QCOMPARE(kept, expected);
        GridHarness again;
        // A cell already taken: that pane goes to the first vacant one.
        QVERIFY(again.grid->openAddressInNewBrowser(QStringLiteral("https://first.example/"), BrowserType::btNormal));
        QVERIFY(again.grid->movePaneToCell(0, 40));
        QCOMPARE(GridSession::restore(*again.grid, kept), 3);
        QCOMPARE(again.grid->paneInCell(12)->control()->locationUrl(), QStringLiteral("https://b.example/"));
        QCOMPARE(again.grid->paneInCell(12)->zoomStep(), 2);
        QCOMPARE(again.grid->paneInCell(0)->control()->locationUrl(), QStringLiteral("https://a.example/"));
        QCOMPARE(again.grid->paneInCell(40)->control()->locationUrl(), QStringLiteral("https://first.example/"));
        QCOMPARE(again.grid->paneInCell(1)->control()->locationUrl(), QStringLiteral("https://c.example/"));
        QCOMPARE(again.flags.browserCount, 4);
    }
};

QTEST_MAIN(TestGridSession)
#include "test_gridsession.moc"
