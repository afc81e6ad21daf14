#include "grid/gridmaintenance.h"
#include "grid/gridmodel.h"
#include "grid/gridsession.h"
#include "grid/selectbrowserlist.h"
#include "support/gridfeaturesharness.h"

#include <QScrollBar>
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
        // The delete button asks first; the list then names no pane.
        h.prompter.answers = {false, true};
        h.browserCommands()->deleteActive();
        QCOMPARE(h.flags.browserCount, 2);
        h.browserCommands()->deleteActive();
        QCOMPARE(h.flags.browserCount, 1);
        QCOMPARE(h.list->currentText(), QString());
        QCOMPARE(h.prompter.texts(), QStringList(2, QStringLiteral("Delete the active browser?")));
        h.browserCommands()->deleteActive();
        QCOMPARE(h.prompter.texts().last(), QStringLiteral("No active browser, select one first."));
    }

    // Whatever moved the panes, the closed list names the active pane where
    // it is now, or nothing when no pane is active; the grid shows that pane.
    void closedListNamesTheActivePane_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("activeCell"); // -1: no pane is active
        QTest::newRow("session restored") << "restore" << 41;
        QTest::newRow("defragmented") << "defragment" << 2;
        QTest::newRow("moved on the map") << "move" << 30;
        QTest::newRow("queued pane, none active") << "queue" << -1;
        QTest::newRow("another pane deleted") << "delete other" << 4;
    }
    void closedListNamesTheActivePane()
    {
        QFETCH(QString, change);
        QFETCH(int, activeCell);
        GridFeaturesHarness h;
        GridMaintenance maintenance(*h.grid, h.settings, h.flags, h.prompter);
        const auto address = [](int n) { return QStringLiteral("http://p%1.test/").arg(n); };
        if (change == QLatin1String("restore")) {
            GridSession::restore(*h.grid, {{20, 0, address(20)}, {41, 0, address(41)}, {5, 0, address(5)}});
        } else {
            for (int i = 0; i < 5; ++i)
                h.open(address(i));
            if (change == QLatin1String("defragment")) {
                for (int cell : {1, 2}) {
                    h.grid->paneInCell(cell)->selectBrowser(true);
                    h.grid->deleteActiveBrowser();
                }
                h.grid->paneInCell(4)->selectBrowser(true);
                QVERIFY(maintenance.defragment());
            } else if (change == QLatin1String("move")) {
                QVERIFY(h.grid->movePaneToCell(h.flags.activeBrowser, 30));
            } else if (change == QLatin1String("queue")) {
                h.grid->deleteActiveBrowser();
                QVERIFY(!h.grid->activePane());
                QVERIFY(h.grid->openAddressInNewBrowser(address(9), BrowserType::btQueue));
            } else if (change == QLatin1String("delete other")) {
                h.grid->paneInCell(1)->selectBrowser(true);
                h.grid->deleteActiveBrowser();
                h.grid->paneInCell(4)->selectBrowser(true);
                // A pane freed by the grid, not the active one.
                QVERIFY(h.grid->freePane(h.grid->paneInCell(0)->browserNo));
            }
        }
        BrowserPane *active = h.grid->activePane();
        QCOMPARE(active ? active->cellIndex : -1, activeCell);
        QCOMPARE(h.list->count(), h.flags.browserCount);
        if (!active) {
            QCOMPARE(h.list->currentText(), QString());
            return;
        }
        QCOMPARE(h.list->currentText(), QString::number(activeCell) + SelectBrowserList::Bullet + active->control()->locationUrl());
        if (change == QLatin1String("restore")) {
            const CellCoordinates &c = h.grid->model().cell(activeCell);
            QCOMPARE(h.scrollBox->horizontalScrollBar()->value(),
                     qMin(c.left, h.scrollBox->horizontalScrollBar()->maximum()));
            QCOMPARE(h.scrollBox->verticalScrollBar()->value(), qMin(c.top, h.scrollBox->verticalScrollBar()->maximum()));
        }
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
