#include "core/eventwait.h"
#include "grid/gridsearch.h"
#include "support/gridharness.h"
#include "support/localwebserver.h"

#include <QSignalSpy>
#include <QTest>

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
};

QTEST_MAIN(TestGridSearch)
#include "test_gridsearch.moc"
