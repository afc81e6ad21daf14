#include "grid/gridmaintenance.h"
#include "support/gridharness.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// Defragmenting and cleaning up the grid, with engine-less panes.
class TestGridMaintenance : public QObject
{
    Q_OBJECT

    struct Harness : GridHarness
    {
        GridMaintenance maintenance{*grid, settings, flags, prompter};
        QWidget other; // stands for the panels disabled meanwhile
        Harness()
        {
            flags.defragDelay = 1;
            flags.deleteDelay = 1;
            maintenance.setWidgetsDisabledDuring({&other});
        }
        // Panes of browser numbers 0, 1, ... moved into these cells.
        void panesIn(const QList<int> &cells)
        {
            for (int i = 0; i < cells.size(); ++i)
                open(QStringLiteral("http://p%1.test/").arg(i));
            for (int i = 0; i < cells.size(); ++i)
                grid->assignCell(i, 40 + i); // out of the way first
            grid->vacateAllCells();
            for (int i = 0; i < cells.size(); ++i)
                grid->assignCell(i, cells[i]);
        }
    };

private slots:
    void estimates_data()
    {
        QTest::addColumn<int>("browsers");
        QTest::addColumn<QString>("defrag");
        QTest::addColumn<QString>("cleanUp");
        QTest::newRow("none") << 0 << "0 browsers in use, this will take about 0sec."
                              << "0 browsers to delete, this will take about 0sec.";
        QTest::newRow("three") << 3 << "3 browsers in use, this will take about 0.9sec."
                               << "3 browsers to delete, this will take about 1.2sec.";
        QTest::newRow("ten") << 10 << "10 browsers in use, this will take about 3sec."
                             << "10 browsers to delete, this will take about 4sec.";
    }
    void estimates()
    {
        QFETCH(int, browsers);
        RuntimeFlags flags;
        flags.browserCount = browsers;
        Settings settings;
        GridHarness h;
        GridMaintenance maintenance(*h.grid, settings, flags, h.prompter);
        // The decimal point stays a point in a language that writes commas.
        QLocale::setDefault(QLocale(QLocale::German));
        QTEST(maintenance.defragEstimate(), "defrag");
        QTEST(maintenance.cleanUpEstimate(), "cleanUp");
        QLocale::setDefault(QLocale::c());
    }

    void defragmentPacksInBrowserOrder()
    {
        Harness h;
        h.panesIn({5, 2, 9});
        h.grid->pane(1)->selectBrowser(true);
        h.scrollBox->verticalScrollBar()->setValue(300);
        QSignalSpy progress(&h.maintenance, &GridMaintenance::progressChanged);
        QStringList statuses;
        connect(&h.maintenance, &GridMaintenance::statusChanged, this, [&](const QString &s) {
            statuses << s;
            QVERIFY(!h.other.isEnabled());
            QVERIFY(h.flags.backgroundSuspended());
        });
        QVERIFY(h.maintenance.defragment());
        QCOMPARE(h.prompter.texts(), QStringList{"Ready to defrag the grid?"});
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(h.grid->pane(i)->cellIndex, i);
            QCOMPARE(h.grid->pane(i)->pos(), QPoint(i * 720, 0));
        }
        for (int cell = 0; cell < 64; ++cell)
            QCOMPARE(h.grid->model().cell(cell).vacant, cell > 2);
        QCOMPARE(statuses, QStringList({"Stopping all downloading...", "Freeing up old coordinates...",
                                        "Repositioning the browsers...", "Finished defragmenting."}));
        QCOMPARE(progress.last().at(0).toInt(), 2 * 3 + 2);
        QCOMPARE(progress.last().at(1).toInt(), 2 * 3 + 2);
        QCOMPARE(h.flags.activeBrowser, 1);
        QVERIFY(h.other.isEnabled());
        QVERIFY(!h.flags.backgroundSuspended());
        QVERIFY(!h.grid->operationRunning());
    }

    void stopButtonSettingDuringDefragment_data()
    {
        QTest::addColumn<int>("stopButton");
        QTest::addColumn<QString>("shown");
        QTest::newRow("force about:blank") << 0 << "about:blank";
        QTest::newRow("inherited") << 1 << "http://p0.test/";
    }
    void stopButtonSettingDuringDefragment()
    {
        QFETCH(int, stopButton);
        Harness h;
        h.settings.stopButton = stopButton;
        h.panesIn({3, 7});
        QVERIFY(h.maintenance.defragment());
        QTEST(h.grid->pane(0)->control()->locationUrl(), "shown");
    }

    void nothingToDefragment_data()
    {
        QTest::addColumn<int>("panes");
        QTest::newRow("one") << 1;
        QTest::newRow("a full grid") << 64;
    }
    void nothingToDefragment()
    {
        QFETCH(int, panes);
        Harness h;
        for (int i = 0; i < panes; ++i)
            h.open();
        if (panes == 1)
            h.grid->movePaneToCell(0, 12);
        QVERIFY(!h.maintenance.defragment());
        QCOMPARE(h.maintenance.status(), QStringLiteral("Nothing to defragment."));
        QVERIFY(h.prompter.shown.isEmpty());
        if (panes == 1)
            QCOMPARE(h.grid->pane(0)->cellIndex, 12);
    }

    void cancelChangesNothing()
    {
        Harness h;
        h.panesIn({5, 2});
        h.prompter.answers = {false, false};
        QVERIFY(!h.maintenance.defragment());
        QVERIFY(!h.maintenance.cleanUp());
        QCOMPARE(h.grid->pane(0)->cellIndex, 5);
        QCOMPARE(h.flags.browserCount, 2);
        QCOMPARE(h.prompter.texts(), QStringList({"Ready to defrag the grid?", "Ready to clean up the grid?"}));
    }

    void cleanUpDeletesEveryPane()
    {
        Harness h;
        h.panesIn({4, 0, 8});
        QSignalSpy deleted(h.grid.get(), &BrowserGrid::activeBrowserDeleted);
        QSignalSpy estimates(&h.maintenance, &GridMaintenance::estimatesChanged);
        QVERIFY(h.maintenance.cleanUp());
        QCOMPARE(h.prompter.texts(), QStringList{"Ready to clean up the grid?"});
        QCOMPARE(h.flags.browserCount, 0);
        QCOMPARE(h.flags.activeBrowser, int(NoIndex));
        for (int n = 0; n < 64; ++n)
            QVERIFY(!h.grid->pane(n));
        QCOMPARE(h.maintenance.status(), QStringLiteral("Finished Cleaning up."));
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(estimates.last().at(1).toString(), QStringLiteral("0 browsers to clean up, this will take about 0sec."));
        // The next page opens in cell 0 again.
        h.open();
        QCOMPARE(h.grid->activePane()->cellIndex, 0);
        QVERIFY(h.maintenance.cleanUp());
        QCOMPARE(h.maintenance.status(), QStringLiteral("Finished Cleaning up."));
        QVERIFY(!h.maintenance.cleanUp());
        QCOMPARE(h.maintenance.status(), QStringLiteral("Nothing to clean up."));
    }

    // A pane freed while the defragment waits: the others are still packed
    // into the first cells, and the grid's count agrees with them.
    void aPaneFreedUnderADefragment()
    {
        Harness h;
        h.flags.defragDelay = 30;
        h.panesIn({5, 2, 9});
        QSignalSpy fatal(&h.maintenance, &GridMaintenance::fatalError);
        QTimer::singleShot(10, h.grid.get(), [&] { h.grid->freePane(1); });
        QVERIFY(h.maintenance.defragment());
        QCOMPARE(fatal.count(), 0);
        QCOMPARE(h.flags.browserCount, 2);
        QCOMPARE(h.grid->pane(0)->cellIndex, 0);
        QCOMPARE(h.grid->pane(2)->cellIndex, 1);
        QVERIFY(h.grid->model().cell(2).vacant);
        QVERIFY(h.other.isEnabled());
        QVERIFY(!h.flags.backgroundSuspended());
    }

    void noPaneIsMadeMeanwhile()
    {
        Harness h;
        h.flags.defragDelay = 20;
        h.panesIn({5, 2});
        int opened = -1;
        QTimer::singleShot(5, h.grid.get(), [&] { opened = h.grid->openEmptyBrowser(); });
        QVERIFY(h.maintenance.defragment());
        QCOMPARE(opened, int(NoIndex));
        QCOMPARE(h.flags.browserCount, 2);
    }
};

QTEST_MAIN(TestGridMaintenance)
#include "test_gridmaintenance.moc"
