#include "grid/selectbrowserlist.h"
#include "support/gridfeaturesharness.h"

#include <QTest>

// The select-browser list, with engine-less panes.
class TestSelectBrowserList : public QObject
{
    Q_OBJECT

private slots:
    void selectListFollowsCells()
    {
        GridFeaturesHarness h;
        for (int i = 0; i < 4; ++i)
            h.grid->openAddressInNewBrowser(QStringLiteral("http://p%1.test/").arg(i), BrowserType::btQueue);
        // Keep the panes of cells 0 and 3 only.
        for (int cell : {1, 2}) {
            h.grid->paneInCell(cell)->selectBrowser(true);
            h.grid->deleteActiveBrowser();
        }
        QCOMPARE(SelectBrowserList::entries(*h.grid),
                 QStringList({QStringLiteral("0 \u2022 http://p0.test/"), QStringLiteral("3 \u2022 http://p3.test/")}));
        h.selectList()->populateSelectList();
        h.selectList()->entryPicked(QStringLiteral("3 \u2022 http://p3.test/"));
        QCOMPARE(h.grid->activePane()->cellIndex, 3);
        QCOMPARE(h.list->currentText(), QStringLiteral("3 \u2022 http://p3.test/"));
        QVERIFY(h.selectList()->selectListEntryForCell(0));
        QVERIFY(!h.selectList()->selectListEntryForCell(2));
        // The delete button asks first and clears the lists.
        h.prompter.answers = {false, true};
        h.browserCommands()->deleteActive();
        QCOMPARE(h.flags.browserCount, 2);
        h.browserCommands()->deleteActive();
        QCOMPARE(h.flags.browserCount, 1);
        QCOMPARE(h.list->count(), 0);
        QCOMPARE(h.prompter.texts(), QStringList(2, QStringLiteral("Delete the active browser?")));
        h.browserCommands()->deleteActive();
        QCOMPARE(h.prompter.texts().last(), QStringLiteral("No active browser, select one first."));
    }

    void listShowsTheActivePaneAfterABackgroundPane_data()
    {
        QTest::addColumn<bool>("popUp");
        QTest::newRow("pop-up pane") << true;
        QTest::newRow("queued pane") << false;
    }
    void listShowsTheActivePaneAfterABackgroundPane()
    {
        QFETCH(bool, popUp);
        GridFeaturesHarness h;
        for (int i = 0; i < 7; ++i)
            h.open(QStringLiteral("http://p%1.test/").arg(i));
        QCOMPARE(h.grid->activePane()->cellIndex, 6);
        if (popUp)
            QVERIFY(h.grid->openEmptyBrowser() != NoIndex);
        else
            h.grid->openAddressInNewBrowser(QStringLiteral("http://queued.test/"), BrowserType::btQueue);
        QCOMPARE(h.list->count(), 8);
        QCOMPARE(h.list->currentText(), QStringLiteral("6 \u2022 http://p6.test/"));
        QCOMPARE(h.grid->activePane()->cellIndex, 6);
    }
};

QTEST_MAIN(TestSelectBrowserList)
#include "test_selectbrowserlist.moc"
