#include "core/eventwait.h"
#include "grid/gridmaintenance.h"
#include "grid/gridsearch.h"
#include "support/gridharness.h"
#include "support/localwebserver.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The text search across the pages of the grid, on the real engine.
class TestGridSearch : public QObject
{
    Q_OBJECT

    LocalWebServer m_server;

    struct Harness : GridHarness
    {
        GridSearch search{*grid, flags, prompter};
        Harness() : GridHarness(true, {400, 300})
        {
            grid->setSearchOnDownloadSource([this] { return search.searchOnDownload(); });
        }
        QVariant eval(int browserNo, const QString &script)
        {
            QVariant value;
            return grid->pane(browserNo)->control()->runScript(script, 5000, &value) ? value : QVariant();
        }
        // The highlight spans of a page: their texts and colours.
        QStringList spans(int browserNo)
        {
            return eval(browserNo, QStringLiteral("Array.from(document.querySelectorAll('span[style^=\"background-color\"]'),"
                                                  " s => s.textContent + '|' + s.style.backgroundColor)"))
                .toStringList();
        }
    };

    static QByteArray page(const QByteArray &body)
    {
        return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>" + body + "</body></html>";
    }

private slots:
    void initTestCase()
    {
        m_server.addPage("/a", page("<p>an apple a day</p>"));
        m_server.addPage("/b", page("<p>no fruit here</p>"));
        m_server.addPage("/c", page("<p>Apple pie</p>"));
        // Its script keeps the page busy, so every answer from it is slow.
        m_server.addPage("/slow", page("<p>apple</p><script>setInterval(function () {"
                                       " var t = Date.now(); while (Date.now() - t < 250) {} }, 5);</script>"));
        m_server.addPage("/tricky", page("<p>say \"hi\" &lt;/script&gt; and C:\\path\\to 'x'</p><p>plain</p>"));
        QVERIFY(m_server.isListening());
    }

    void highlightsAndListsThePanesWithHits()
    {
        Harness h;
        for (const char *path : {"/a", "/b", "/c"})
            QVERIFY(h.openAndLoad(m_server.url(QLatin1String(path))));
        QSignalSpy results(&h.search, &GridSearch::resultsChanged);
        h.search.setText(QStringLiteral("apple"));
        h.search.setColour(QColor(0x12, 0xAB, 0xEF));
        QVERIFY(h.search.search());
        QCOMPARE(h.search.status(), QStringLiteral("Finished."));
        QCOMPARE(results.count(), 1);
        const QList<GridSearch::Result> list = h.search.results();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].browserNo, 0);
        QCOMPARE(list[0].text, QStringLiteral("0 \u2022 ") + m_server.url("/a").toString());
        QCOMPARE(list[1].text, QStringLiteral("2 \u2022 ") + m_server.url("/c").toString());
        QCOMPARE(h.spans(0), QStringList{"apple|rgb(18, 171, 239)"});
        QCOMPARE(h.spans(2), QStringList{"Apple|rgb(18, 171, 239)"});
        QVERIFY(h.spans(1).isEmpty());
        QVERIFY(!h.flags.backgroundSuspended());
        // A pane moved after the search is still found by its result.
        QVERIFY(h.grid->movePaneToCell(2, 9));
        QVERIFY(h.search.selectResult(list[1].browserNo));
        QCOMPARE(h.grid->activePane()->cellIndex, 9);
    }

    void searchTextIsTakenLiterally()
    {
        Harness h;
        QVERIFY(h.openAndLoad(m_server.url("/tricky")));
        for (const QString &text : {QStringLiteral("\"hi\""), QStringLiteral("</script>"), QStringLiteral("C:\\path\\to"),
                                    QStringLiteral("'x'")}) {
            h.grid->pane(0)->pages().clearHighlight();
            h.search.setText(text);
            QVERIFY(h.search.search());
            QVERIFY2(h.spans(0).contains(text + QStringLiteral("|rgb(255, 0, 255)")), qPrintable(text));
        }
        QCOMPARE(h.eval(0, QStringLiteral("document.body.innerText.includes('plain')")).toBool(), true);
    }

    void nothingToSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("pane");
        QTest::addColumn<QString>("status");
        QTest::newRow("blank text") << "   " << true << "Stopped";
        QTest::newRow("no panes") << "apple" << false << "Nothing to search on.";
    }
    void nothingToSearch()
    {
        QFETCH(QString, text);
        QFETCH(bool, pane);
        Harness h;
        if (pane)
            QVERIFY(h.openAndLoad(m_server.url("/a")));
        h.search.setText(text);
        QVERIFY(!h.search.search());
        QTEST(h.search.status(), "status");
        QVERIFY(h.search.results().isEmpty());
    }

    void resetForgetsTheHits()
    {
        Harness h;
        QVERIFY(h.openAndLoad(m_server.url("/a")));
        h.search.setText(QStringLiteral("apple"));
        h.search.search();
        QCOMPARE(h.search.results().size(), 1);
        h.search.reset();
        QVERIFY(h.search.results().isEmpty());
        QCOMPARE(h.search.status(), QStringLiteral("Stopped"));
        QVERIFY(h.search.text().isEmpty());
        // The same text highlights again after a reset.
        h.search.setText(QStringLiteral("apple"));
        h.search.search();
        QCOMPARE(h.search.results().size(), 1);
    }

    void newPagesAreSearchedOnDownload()
    {
        Harness h;
        h.search.setText(QStringLiteral("apple"));
        h.search.setSearchOnDownload(true);
        QVERIFY(h.openAndLoad(m_server.url("/c")));
        QVERIFY(EventWait::until([&] { return h.grid->pane(0)->hasHighlights(); }, 20000));
        QCOMPARE(h.spans(0), QStringList{"Apple|rgb(255, 0, 255)"});
        // Off: the next page stays as it is.
        h.search.setSearchOnDownload(false);
        QVERIFY(h.openAndLoad(m_server.url("/a")));
        EventWait::forMilliseconds(200);
        QVERIFY(!h.grid->pane(1)->hasHighlights());
    }

    void noPaneIsMadeWhileTheSearchRuns()
    {
        Harness h;
        QVERIFY(h.openAndLoad(m_server.url("/a")));
        h.search.setText(QStringLiteral("apple"));
        int opened = -1;
        // A queued or pop-up pane asked for while the pages answer.
        connect(&h.search, &GridSearch::statusChanged, &h.search, [&](const QString &status) {
            if (status.startsWith(QLatin1String("Searching: ")))
                opened = h.grid->openEmptyBrowser();
        });
        h.search.search();
        QCOMPARE(opened, int(NoIndex));
        QCOMPARE(h.flags.browserCount, 1);
        QVERIFY(h.grid->openEmptyBrowser() != NoIndex);
    }

    // Delete (skActiveDelete) or the clean-up's Start while the search waits
    // for the page of the very pane: refused with a word to the user, the
    // pane searched to the end, and deleted afterwards.
    void noPaneIsFreedUnderTheSearch_data()
    {
        QTest::addColumn<bool>("cleanUp");
        QTest::newRow("delete the active browser") << false;
        QTest::newRow("clean up the grid") << true;
    }
    void noPaneIsFreedUnderTheSearch()
    {
        QFETCH(bool, cleanUp);
        Harness h;
        GridMaintenance maintenance(*h.grid, h.settings, h.flags, h.prompter);
        QVERIFY(h.openAndLoad(m_server.url("/a")));
        QVERIFY(h.openAndLoad(m_server.url("/slow")));
        const QPointer<BrowserPane> slow = h.grid->activePane();
        QCOMPARE(slow->cellIndex, 1);
        const auto remove = [&] { return cleanUp ? maintenance.cleanUp() : h.grid->deleteActiveBrowser(); };
        int tries = 0;
        bool removed = true;
        connect(&h.search, &GridSearch::statusChanged, &h.search, [&](const QString &status) {
            if (status != QLatin1String("Searching: 1"))
                return;
            // Runs while the search waits for the busy page's answer.
            QTimer::singleShot(0, &h.search, [&] {
                ++tries;
                removed = remove();
            });
        });
        h.search.setText(QStringLiteral("apple"));
        QVERIFY(h.search.search());
        QCOMPARE(tries, 1);
        QVERIFY(!removed);
        QVERIFY(slow);
        QCOMPARE(h.flags.browserCount, 2);
        QVERIFY(h.prompter.texts().contains(QStringLiteral("Wait until the search has finished.")));
        QCOMPARE(h.search.status(), QStringLiteral("Finished."));
        QCOMPARE(h.search.results().size(), 2);
        // Once the search is over, the same command goes through.
        QVERIFY(remove());
        QTRY_VERIFY_WITH_TIMEOUT(!slow, 5000);
    }
};

QTEST_MAIN(TestGridSearch)
#include "test_gridsearch.moc"
