#include "grid/gridsession.h"
#include "support/gridharness.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

} // namespace

Q_DECLARE_METATYPE(QList<GridSession::Pane>)

// The panes of a run kept for the next one.
class TestGridSession : public QObject
{
    Q_OBJECT

private slots:
    void savedBytesAndRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = GridSession::filePath(dir.path() + QLatin1Char('/'));
        QCOMPARE(path, dir.filePath(QStringLiteral("Session/panes.txt")));
        const QList<GridSession::Pane> panes{{0, 0, QStringLiteral("https://a.example/")},
                                             {9, 3, QStringLiteral("https://b.example/q?x=1&y=%20#top")},
                                             {63, 5, QStringLiteral("file:///home/u/Notes%20f%C3%BCr.html")}};
        // The folder is made on the way.
        QVERIFY(GridSession::save(path, panes));
        QCOMPARE(TestFiles::read(path), QByteArray("Vorlan session 1\r\n0\t0\thttps://a.example/\r\n"
                                           "9\t3\thttps://b.example/q?x=1&y=%20#top\r\n"
                                           "63\t5\tfile:///home/u/Notes%20f%C3%BCr.html\r\n"));
        QList<GridSession::Pane> read;
        QCOMPARE(GridSession::read(path, &read), GridSession::ReadResult::Read);
        QCOMPARE(read, panes);
        // An empty grid leaves no file: the next start is empty too.
        QVERIFY(GridSession::save(path, {}));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(GridSession::read(path, &read), GridSession::ReadResult::Missing);
    }

    void damaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other header") << QByteArray("Vorlan session 2\r\n0\t0\thttps://a/\r\n");
        QTest::newRow("two fields") << QByteArray("Vorlan session 1\r\n0\thttps://a/\r\n");
        QTest::newRow("four fields") << QByteArray("Vorlan session 1\r\n0\t0\thttps://a/\tx\r\n");
        QTest::newRow("cell 64") << QByteArray("Vorlan session 1\r\n64\t0\thttps://a/\r\n");
        QTest::newRow("cell -1") << QByteArray("Vorlan session 1\r\n-1\t0\thttps://a/\r\n");
        QTest::newRow("cell word") << QByteArray("Vorlan session 1\r\nsix\t0\thttps://a/\r\n");
        QTest::newRow("zoom 6") << QByteArray("Vorlan session 1\r\n1\t6\thttps://a/\r\n");
        QTest::newRow("same cell twice") << QByteArray("Vorlan session 1\r\n1\t0\thttps://a/\r\n1\t0\thttps://b/\r\n");
        QTest::newRow("no address") << QByteArray("Vorlan session 1\r\n1\t0\t\r\n");
        QByteArray many("Vorlan session 1\r\n");
        for (int i = 0; i < 65; ++i)
            many += QByteArray::number(i % 64) + "\t0\thttps://a/\r\n";
        QTest::newRow("65 panes") << many;
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
        QCOMPARE(read.size(), 1);
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
