#include "grid/browsercommands.h"
#include "grid/gridsearch.h"
#include "support/gridfeaturesharness.h"

#include <QAction>
#include <QMenu>
#include <QTest>

// The tool bar commands on the active browser, with engine-less panes.
class TestBrowserCommands : public QObject
{
    Q_OBJECT

private slots:
    void commandsNeedAnActiveBrowser()
    {
        GridFeaturesHarness h;
        BrowserCommands *c = h.browserCommands();
        // By name, as the buttons, shortcuts and the controller trigger them.
        for (const char *name : {"skActiveBack", "skActiveForward", "skActiveRefresh", "skActiveStop",
                                 "skActivePrint", "skActiveJump", "EmailActiveWebAddress", "skActiveDelete"})
            QVERIFY2(h.commands.trigger(QLatin1String(name)), name);
        QVERIFY(h.commands.trigger(QStringLiteral("SaveToFile")));
        QStringList expected(8, QStringLiteral("No active browser, select one first."));
        expected << QStringLiteral("Select a browser first.");
        QCOMPARE(h.prompter.texts(), expected);
        QVERIFY(h.shell.opened.isEmpty());
        QMenu *menu = c->fileToolsMenu();
        for (QAction *a : menu->actions())
            if (a->objectName() == QLatin1String("SaveToFile") || a->objectName() == QLatin1String("EmailActiveWebAddress"))
                QVERIFY(!a->isEnabled());
    }

    // Delete pressed while the search steps through the panes: the user is
    // told to wait, not asked to confirm, and the pane is searched on.
    void deleteWaitsForTheSearch()
    {
        GridFeaturesHarness h;
        h.grid->openAddressInNewBrowser(QStringLiteral("http://a.test/"), BrowserType::btNormal);
        GridSearch search(*h.grid, h.flags, h.prompter);
        connect(&search, &GridSearch::statusChanged, &search, [&](const QString &status) {
            if (status == QLatin1String("Searching: 0"))
                h.commands.trigger(QStringLiteral("skActiveDelete"));
        });
        search.setText(QStringLiteral("a"));
        QVERIFY(search.search());
        QCOMPARE(h.prompter.texts(), QStringList{"Wait until the search has finished."});
        QVERIFY(h.grid->pane(0));
        QCOMPARE(h.flags.browserCount, 1);
        // Afterwards Delete asks and deletes.
        QVERIFY(h.commands.trigger(QStringLiteral("skActiveDelete")));
        QCOMPARE(h.prompter.texts().last(), QStringLiteral("Delete the active browser?"));
        QVERIFY(!h.grid->pane(0));
    }

    void jumpAndMail()
    {
        GridFeaturesHarness h;
        h.grid->openAddressInNewBrowser(QStringLiteral("about:blank"), BrowserType::btNormal);
        QVERIFY(h.commands.trigger(QStringLiteral("skActiveJump")));
        QVERIFY(h.commands.trigger(QStringLiteral("EmailActiveWebAddress")));
        QCOMPARE(h.shell.opened, QStringList({"about:blank", "mailto:?subject=&Body=about:blank"}));
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void mailBodyIsOneValue_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("mail");
        QTest::newRow("about:blank as it was") << "about:blank" << "mailto:?subject=&Body=about:blank";
        QTest::newRow("query and fragment")
            << "http://a.test/p?x=1&y=2#top" << "mailto:?subject=&Body=http://a.test/p?x%3D1%26y%3D2%23top";
    }
    void mailBodyIsOneValue()
    {
        QFETCH(QString, address);
        GridFeaturesHarness h;
        h.grid->openAddressInNewBrowser(address, BrowserType::btNormal);
        QVERIFY(h.commands.trigger(QStringLiteral("EmailActiveWebAddress")));
        QTEST(h.shell.opened.value(0), "mail");
    }

    void openLocalFileFillsTheBar()
    {
        GridFeaturesHarness h;
        h.dialogs.openAnswer = QStringLiteral("/home/me/Web Saves/page.html");
        QVERIFY(h.commands.trigger(QStringLiteral("OpenLocal1")));
        QCOMPARE(h.bar->currentText(), h.dialogs.openAnswer);
        QCOMPARE(h.flags.browserCount, 0);
    }

    void stepCells_data()
    {
        QTest::addColumn<QList<int>>("occupied");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("expected");
        QTest::newRow("next") << QList<int>{0, 5, 9} << 5 << true << 9;
        QTest::newRow("prior") << QList<int>{0, 5, 9} << 5 << false << 0;
        QTest::newRow("next wraps") << QList<int>{2, 5, 9} << 9 << true << 2;
        QTest::newRow("prior wraps") << QList<int>{2, 5, 9} << 2 << false << 9;
        QTest::newRow("one pane, next") << QList<int>{7} << 7 << true << 7;
        QTest::newRow("no active: next from 0") << QList<int>{0} << 0 << true << 0;
        QTest::newRow("no active: next above 0") << QList<int>{4, 6} << 0 << true << 4;
        QTest::newRow("empty") << QList<int>{} << 0 << true << int(NoIndex);
    }

    void stepCells()
    {
        QFETCH(QList<int>, occupied);
        QFETCH(int, current);
        QFETCH(bool, forward);
        const int cell = BrowserCommands::stepCell(
            current, forward, [&](int c) { return occupied.contains(c); }, [](int) { return true; });
        QTEST(cell, "expected");
    }

    void stepFallsBackWhenSelectionFails()
    {
        QList<int> tried;
        const int cell = BrowserCommands::stepCell(
            3, true, [](int c) { return c == 1 || c == 4; },
            [&](int c) {
                tried << c;
                return c != 4;
            });
        QCOMPARE(cell, 1);
        QCOMPARE(tried, QList<int>({4, 1}));
    }

    void priorAndNextOnTheGrid()
    {
        GridFeaturesHarness h;
        h.commands.trigger(QStringLiteral("skAddressNext"));
        QCOMPARE(h.prompter.texts(), QStringList{"Nothing in the grid to select."});
        for (int i = 0; i < 3; ++i)
            h.grid->openAddressInNewBrowser(QStringLiteral("p"), BrowserType::btQueue);
        h.commands.trigger(QStringLiteral("skAddressNext")); // no active browser: from cell 0 up
        QCOMPARE(h.grid->activePane()->cellIndex, 1);
        h.commands.trigger(QStringLiteral("skAddressNext"));
        h.commands.trigger(QStringLiteral("skAddressNext"));
        QCOMPARE(h.grid->activePane()->cellIndex, 0);
        h.commands.trigger(QStringLiteral("skAddressPrior"));
        QCOMPARE(h.grid->activePane()->cellIndex, 2);
        QVERIFY(!h.flags.backgroundSuspended());
    }
};

QTEST_MAIN(TestBrowserCommands)
#include "test_browsercommands.moc"
