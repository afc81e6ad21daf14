#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "support/gridharness.h"
#include "support/localwebserver.h"
#include "support/pagedialogs.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <memory>

class TestBrowserGrid : public QObject
{
    Q_OBJECT

private slots:
    void firstPane()
    {
        GridHarness h;
        QVERIFY(h.grid->openAddressInNewBrowser(QStringLiteral("http://a.test/"), BrowserType::btNormal));
        BrowserPane *pane = h.grid->pane(0);
        QVERIFY(pane);
        QCOMPARE(pane->objectName(), QStringLiteral("BrowserNo1"));
        QCOMPARE(pane->cellIndex, 0);
        QCOMPARE(pane->browserNo, 0);
        QCOMPARE(pane->findChild<QWidget *>(QStringLiteral("laCellNo"))->property("text").toString(),
                 QStringLiteral("0"));
        QCOMPARE(pane->size(), QSize(720, 460));
        QCOMPARE(h.flags.browserCount, 1);
        QCOMPARE(h.flags.activeBrowser, 0);
        QVERIFY(pane->isActive());
        QCOMPARE(h.control(0)->navigations, QStringList{"http://a.test/"});
        QVERIFY(!h.grid->model().cell(0).vacant);
        QVERIFY(!h.flags.backgroundSuspended());
    }

    void vacatedCellIsReusedFirst()
    {
        GridHarness h;
        for (int i = 0; i < 3; ++i)
            h.open();
        // Make the pane in cell 1 active and delete it.
        QVERIFY(h.grid->pane(1)->selectBrowser(true));
        QVERIFY(h.grid->deleteActiveBrowser());
        QCOMPARE(h.flags.activeBrowser, NoIndex);
        QCOMPARE(h.flags.browserCount, 2);
        QVERIFY(h.grid->model().cell(1).vacant);
        QVERIFY(!h.grid->pane(1));

        QVERIFY(h.grid->openAddressInNewBrowser(QStringLiteral("http://new.test/"), BrowserType::btNormal));
        BrowserPane *pane = h.grid->pane(1);
        QVERIFY(pane);
        QCOMPARE(pane->cellIndex, 1);
        QCOMPARE(pane->objectName(), QStringLiteral("BrowserNo4"));
        QCOMPARE(h.flags.browserCount, 3);
    }


    void sixtyFourPanesAndNoMore()
    {
        GridHarness h;
        for (int i = 0; i < 64; ++i)
            QVERIFY(h.grid->openAddressInNewBrowser(QStringLiteral("p%1").arg(i), BrowserType::btQueue));
        QCOMPARE(h.flags.browserCount, 64);
        QCOMPARE(h.grid->pane(63)->cellIndex, 63);
        QCOMPARE(h.grid->pane(63)->pos(), QPoint(5040, 3220));
        QCOMPARE(h.grid->gridContent()->size(), QSize(8 * 720, 8 * 460));
        const int serial = h.flags.browserSerial;
        QVERIFY(!h.grid->openAddressInNewBrowser(QStringLiteral("one too many"), BrowserType::btNormal));
        QCOMPARE(h.grid->openEmptyBrowser(), NoIndex);
        QCOMPARE(h.flags.browserCount, 64);
        QCOMPARE(h.flags.browserSerial, serial);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void refusedOpenKeepsAnOuterSuspension()
    {
        GridHarness h;
        for (int i = 0; i < 64; ++i)
            h.grid->openAddressInNewBrowser(QStringLiteral("p%1").arg(i), BrowserType::btQueue);
        // As while a confirmation box or a drag holds the background still.
        BackgroundSuspension outer(h.flags);
        QVERIFY(!h.grid->openAddressInNewBrowser(QStringLiteral("more"), BrowserType::btNormal));
        QVERIFY(h.flags.backgroundSuspended());
        QCOMPARE(h.grid->openEmptyBrowser(), NoIndex);
        QVERIFY(h.flags.backgroundSuspended());
        QCOMPARE(h.flags.suspensionDepth(), 1);
    }

    void openInsideAnOuterSuspensionKeepsIt()
    {
        GridHarness h;
        {
            BackgroundSuspension outer(h.flags);
            QVERIFY(h.grid->openEmptyBrowser() != NoIndex);
            h.open(QStringLiteral("a.test"));
            QVERIFY(h.flags.backgroundSuspended());
        }
        QVERIFY(!h.flags.backgroundSuspended());
    }

    void browserTypes_data()
    {
        QTest::addColumn<BrowserType>("type");
        QTest::addColumn<QString>("term");
        QTest::addColumn<QString>("navigated");
        QTest::addColumn<bool>("activated");
        QTest::newRow("normal") << BrowserType::btNormal << "news today" << "news today" << true;
        QTest::newRow("queue") << BrowserType::btQueue << "news today" << "news today" << false;
        QTest::newRow("search") << BrowserType::btSearchEngine << "news today" << "https://search.test/?q=news%20today"
                                << true;
        QTest::newRow("search for R&D") << BrowserType::btSearchEngine << "R&D" << "https://search.test/?q=R%26D" << true;
    }
    void browserTypes()
    {
        QFETCH(BrowserType, type);
        QFETCH(QString, term);
        QFETCH(QString, navigated);
        QFETCH(bool, activated);
        GridHarness h;
        h.settings.searchEngineAddress = QStringLiteral("https://search.test/?q=");
        h.open(QStringLiteral("first"));
        QCOMPARE(h.flags.activeBrowser, 0);
        QVERIFY(h.grid->openAddressInNewBrowser(term, type));
        QCOMPARE(h.control(1)->navigations, navigated.isEmpty() ? QStringList() : QStringList{navigated});
        QCOMPARE(h.flags.activeBrowser, activated ? 1 : 0);
        QCOMPARE(h.grid->pane(1)->isActive(), activated);
        QCOMPARE(h.grid->pane(0)->isActive(), !activated);
    }

    void layoutKeepsVacancyAndMovesPanes()
    {
        GridHarness h;
        for (int i = 0; i < 3; ++i)
            h.open();
        h.grid->pane(1)->selectBrowser(true);
        h.grid->deleteActiveBrowser();
        h.settings.browserWidth = 820;
        h.settings.browserHeight = 400;
        QVERIFY(h.grid->layoutGrid(false));
        QVERIFY(h.grid->model().cell(1).vacant);
        QVERIFY(!h.grid->model().cell(2).vacant);
        QCOMPARE(h.grid->pane(2)->geometry(), QRect(1640, 0, 820, 400));
        QCOMPARE(h.grid->pane(0)->geometry(), QRect(0, 0, 820, 400));
        QCOMPARE(h.scrollBox->horizontalScrollBar()->value(), 0);
    }

    void paneMadeWhileScrolledLandsOnItsCell()
    {
        GridHarness h;
        for (int i = 0; i < 10; ++i)
            h.grid->openAddressInNewBrowser(QStringLiteral("q"), BrowserType::btQueue);
        h.scrollBox->horizontalScrollBar()->setValue(1000);
        h.scrollBox->verticalScrollBar()->setValue(300);
        QVERIFY(h.grid->openAddressInNewBrowser(QStringLiteral("q"), BrowserType::btQueue));
        BrowserPane *pane = h.grid->pane(10);
        QCOMPARE(pane->cellIndex, 10);
        QCOMPARE(pane->pos(), QPoint(2 * 720, 460));
        // On screen it stands at the cell less the scroll positions.
        QCOMPARE(pane->mapTo(h.scrollBox->viewport(), QPoint(0, 0)),
                 QPoint(2 * 720 - h.scrollBox->horizontalScrollBar()->value(),
                        460 - h.scrollBox->verticalScrollBar()->value()));
    }

    void activationScrollsToTheCell()
    {
        GridHarness h;
        for (int i = 0; i < 12; ++i)
            h.grid->openAddressInNewBrowser(QStringLiteral("q"), BrowserType::btQueue);
        QVERIFY(h.grid->pane(9)->selectBrowser(true));
        QCOMPARE(h.scrollBox->horizontalScrollBar()->value(),
                 qMin(720, h.scrollBox->horizontalScrollBar()->maximum()));
        QCOMPARE(h.scrollBox->verticalScrollBar()->value(), qMin(460, h.scrollBox->verticalScrollBar()->maximum()));
        QVERIFY(h.scrollBox->verticalScrollBar()->value() > 0);
    }

    void closingAllStopsEveryPaneAndWaitsOnce()
    {
        GridHarness h;
        for (int i = 0; i < 10; ++i)
            h.grid->openAddressInNewBrowser(QStringLiteral("q"), BrowserType::btQueue);
        QList<QPointer<BrowserPane>> panes;
        for (int i = 0; i < 10; ++i)
            panes << h.grid->pane(i);
        h.flags.deleteDelay = 300;
        QElapsedTimer clock;
        clock.start();
        h.grid->closeAllBrowsers();
        // One DeleteDelay for all, not one per pane (that would be 3 s).
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(clock.elapsed() >= 300);
        for (const auto &pane : panes)
            QVERIFY(!pane);
    }

    void deleteWithoutActiveBrowser()
    {
        GridHarness h;
        QVERIFY(!h.grid->deleteActiveBrowser());
        h.grid->openAddressInNewBrowser(QStringLiteral("q"), BrowserType::btQueue);
        QVERIFY(!h.grid->deleteActiveBrowser());
        QCOMPARE(h.prompter.texts(), QStringList(2, QStringLiteral("No active browser, select one first.")));
        QCOMPARE(h.flags.browserCount, 1);
    }


    void newWindowOutcomes_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("keys");
        QTest::addColumn<bool>("scanner");
        QTest::addColumn<int>("outcome"); // 0 cancel, 1 own window, 2 new pane
        const int none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier,
                  alt = Qt::AltModifier;
        QTest::newRow("external, no keys") << 0 << none << false << 1;
        QTest::newRow("external, ctrl") << 0 << ctrl << false << 2;
        QTest::newRow("internal, no keys") << 1 << none << false << 2;
        QTest::newRow("internal, ctrl") << 1 << ctrl << false << 1;
        QTest::newRow("manual, no keys") << 2 << none << false << 0;
        QTest::newRow("manual, shift") << 2 << shift << false << 2;
        QTest::newRow("manual, shift ctrl") << 2 << (shift | ctrl) << false << 1;
        QTest::newRow("manual, alt") << 2 << alt << false << 1;
        QTest::newRow("unknown setting") << 5 << ctrl << false << 0;
        QTest::newRow("scanner running, alt") << 1 << alt << true << 0;
    }
    void newWindowOutcomes()
    {
        QFETCH(int, setting);
        QFETCH(int, keys);
        QFETCH(bool, scanner);
        QFETCH(int, outcome);
        GridHarness h;
        h.settings.popUpBrowser = setting;
        h.keys = Qt::KeyboardModifiers(keys);
        h.scanner = scanner;
        h.open();
        const NewWindowDecision decision = h.control(0)->requestNewWindow();
        const int expected[] = {int(NewWindowDecision::Kind::Cancel), int(NewWindowDecision::Kind::OwnWindow),
                                int(NewWindowDecision::Kind::IntoControl)};
        QCOMPARE(int(decision.kind), expected[outcome]);
        QCOMPARE(h.flags.browserCount, outcome == 2 ? 2 : 1);
        if (outcome == 2) {
            QCOMPARE(decision.control, h.grid->pane(1)->control());
            // The pop-up pane is not made active.
            QCOMPARE(h.flags.activeBrowser, 0);
            QVERIFY(!h.grid->pane(1)->isActive());
        }
        QVERIFY(h.prompter.closeRequests >= 2);
    }

    void popupIntoFullGridGetsItsOwnWindow()
    {
        GridHarness h;
        h.settings.popUpBrowser = 1;
        for (int i = 0; i < 64; ++i)
            h.grid->openAddressInNewBrowser(QStringLiteral("q"), BrowserType::btQueue);
        QCOMPARE(int(h.control(0)->requestNewWindow().kind), int(NewWindowDecision::Kind::OwnWindow));
    }

    void closedPaneIgnoresEverything()
    {
        GridHarness h;
        h.open(QStringLiteral("http://one.test/"));
        QSignalSpy info(h.grid.get(), &BrowserGrid::browserInfoChanged);
        QSignalSpy history(h.grid.get(), &BrowserGrid::historyAddressReached);
        BrowserPane *pane = h.grid->pane(0);
        FakeBrowserControl *control = h.control(0);
        pane->closeBrowserPane();
        QVERIFY(pane->closing());
        QVERIFY(control->silent());
        QCOMPARE(control->stops, 1);
        QCOMPARE(control->navigations.last(), QStringLiteral("about:blank"));
        emit control->statusTextChange(QStringLiteral("text"));
        control->navigate(QStringLiteral("http://two.test/"));
        QCOMPARE(info.count(), 0);
        QCOMPARE(history.count(), 0);
        QVERIFY(!pane->selectBrowser(true));
        QCOMPARE(int(control->requestNewWindow().kind), int(NewWindowDecision::Kind::Cancel));
        QCOMPARE(h.flags.browserCount, 1);
    }


    void statusTextOnlyFromTheActivePane()
    {
        GridHarness h;
        h.open();
        h.grid->openAddressInNewBrowser(QStringLiteral("q"), BrowserType::btQueue);
        QSignalSpy info(h.grid.get(), &BrowserGrid::browserInfoChanged);
        emit h.control(1)->statusTextChange(QStringLiteral("from the other pane"));
        emit h.control(0)->statusTextChange(QStringLiteral("from the active pane"));
        QCOMPARE(info.count(), 1);
        QCOMPARE(info.first().first().toString(), QStringLiteral("from the active pane"));
    }


    void buttonStripDrag_data()
    {
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("top");
        QTest::newRow("down a little") << 40 << 35;
        QTest::newRow("above the home") << -3 << -5;
        QTest::newRow("below the pane") << 1000 << -5;
    }
    void buttonStripDrag()
    {
        QFETCH(int, dy);
        GridHarness h;
        h.open();
        BrowserPane *pane = h.grid->pane(0);
        QWidget *strip = pane->buttonStrip();
        QWidget *tab = pane->findChild<QWidget *>(QStringLiteral("imMoveTabColor"));
        QVERIFY(tab->isVisible());
        QCOMPARE(strip->y(), -5);
        QTest::mousePress(tab, Qt::LeftButton, {}, QPoint(5, 5));
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5 + dy), tab->mapToGlobal(QPointF(5, 5 + dy)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tab, &move);
        QTEST(strip->y(), "top");
        QCOMPARE(strip->x(), -5);
    }

    void clickOnAPaneSelectsItOnce_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QPoint>("at"); // in the part; (-1, -1) for its centre
        for (const char *margin : {"pnTopBro", "pnBottomBro", "pnLeftBro", "pnRightBro"})
            QTest::newRow(margin) << QString::fromLatin1(margin) << QPoint(-1, -1);
        QTest::newRow("pnButtons") << "pnButtons" << QPoint(134, 29);
        QTest::newRow("imSecurityOn") << "imSecurityOn" << QPoint(-1, -1);
        QTest::newRow("skSelect") << "skSelect" << QPoint(12, 11);
    }
    // Clicked through the window, as a user clicks: one press, one selection.
    void clickOnAPaneSelectsItOnce()
    {
        QFETCH(QString, part);
        QFETCH(QPoint, at);
        GridHarness h(false, {400, 300});
        h.open();
        h.grid->openAddressInNewBrowser(QStringLiteral("q"), BrowserType::btQueue);
        BrowserPane *pane = h.grid->pane(1);
        h.grid->scrollBox()->ensureWidgetVisible(pane);
        auto *target = pane->findChild<QWidget *>(part);
        QVERIFY(target);
        if (part == QLatin1String("imSecurityOn")) { // as on a secure page
            target->show();
            pane->findChild<QWidget *>("imSecurityOff")->hide();
        }
        if (at == QPoint(-1, -1))
            at = target->rect().center();
        const QPoint inWindow = target->mapTo(&h.window, at);
        QCOMPARE(h.window.childAt(inWindow), target);
        QSignalSpy activated(h.grid.get(), &BrowserGrid::browserActivated);
        QTest::mouseClick(h.window.windowHandle(), Qt::LeftButton, {}, inWindow);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.first().first().toInt(), 1);
        QVERIFY(pane->isActive());
        QVERIFY(!h.grid->pane(0)->isActive());
    }

    // Who is heard, pane by pane ("h" heard, "m" muted), with pane 1 active
    // and then with pane 2 made active.
    static QString heard(const GridHarness &h)
    {
        QString state;
        for (int n = 0; n < 3; ++n)
            state += h.grid->pane(n)->audioMuted() ? QLatin1Char('m') : QLatin1Char('h');
        return state;
    }
    // Three panes under the sound choice, pane 1 the active one.
    static void threePanes(GridHarness &h, int paneSound)
    {
        h.settings.paneSound = paneSound;
        for (int i = 0; i < 3; ++i)
            h.open();
        QVERIFY(h.grid->pane(1)->selectBrowser(true));
    }
    void whoIsHeard_data()
    {
        QTest::addColumn<int>("paneSound");
        QTest::addColumn<QString>("activeOne");
        QTest::addColumn<QString>("activeTwo");
        QTest::newRow("every pane") << 0 << "hhh" << "hhh";
        QTest::newRow("the active pane only") << 1 << "mhm" << "mmh";
        QTest::newRow("no pane") << 2 << "mmm" << "mmm";
        QTest::newRow("out of range reads as the default") << 7 << "mhm" << "mmh";
    }
    void whoIsHeard()
    {
        QFETCH(int, paneSound);
        GridHarness h;
        threePanes(h, paneSound);
        QTEST(heard(h), "activeOne");
        QVERIFY(h.grid->pane(2)->selectBrowser(true));
        QTEST(heard(h), "activeTwo");
    }

    void ctrlMTurnsTheActivePaneAlone_data()
    {
        QTest::addColumn<int>("paneSound");
        QTest::addColumn<QString>("toggled");     // pane 1 active, after Ctrl+M
        QTest::addColumn<QString>("movedOn");     // pane 0 made active
        QTest::newRow("every pane") << 0 << "hmh" << "hmh";
        QTest::newRow("the active pane only") << 1 << "mmm" << "hmm";
        QTest::newRow("no pane") << 2 << "mhm" << "mhm";
    }
    void ctrlMTurnsTheActivePaneAlone()
    {
        QFETCH(int, paneSound);
        GridHarness h;
        threePanes(h, paneSound);
        const QString before = heard(h);
        QSignalSpy changed(h.grid.get(), &BrowserGrid::paneSoundChanged);
        QVERIFY(h.grid->toggleActivePaneMute());
        QTEST(heard(h), "toggled");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toInt(), 1);
        // The pane keeps its word when another one is active.
        QVERIFY(h.grid->pane(0)->selectBrowser(true));
        QTEST(heard(h), "movedOn");
        // A new choice drops every word.
        QVERIFY(h.grid->pane(1)->selectBrowser(true));
        h.grid->resetPaneSound();
        QCOMPARE(heard(h), before);
        // Twice is back to the rule.
        QVERIFY(h.grid->toggleActivePaneMute());
        QVERIFY(h.grid->toggleActivePaneMute());
        QCOMPARE(heard(h), before);
    }

    void ctrlMWithoutAnActivePaneDoesNothing()
    {
        GridHarness h;
        QVERIFY(!h.grid->toggleActivePaneMute());
        h.open();
        QVERIFY(h.grid->deleteActiveBrowser());
        QVERIFY(!h.grid->toggleActivePaneMute());
    }

    // The music waits on this: sound of the active pane that is heard.
    void activeSoundingFollowsThePageAndTheActivePane()
    {
        GridHarness h;
        h.settings.paneSound = 0;
        h.open();
        h.open();
        QSignalSpy sounding(h.grid.get(), &BrowserGrid::activePaneSoundingChanged);
        QSignalSpy changed(h.grid.get(), &BrowserGrid::paneSoundChanged);
        h.control(0)->setAudible(true); // a background pane
        QCOMPARE(changed.count(), 1);
        QCOMPARE(sounding.count(), 0);
        h.control(1)->setAudible(true);
        QCOMPARE(sounding.count(), 1);
        QCOMPARE(sounding.last().first().toBool(), true);
        QVERIFY(h.grid->toggleActivePaneMute()); // muted: no longer heard
        QCOMPARE(sounding.last().first().toBool(), false);
        QVERIFY(h.grid->pane(0)->selectBrowser(true)); // another sounding pane
        QCOMPARE(sounding.last().first().toBool(), true);
        h.control(0)->setAudible(false);
        QCOMPARE(sounding.last().first().toBool(), false);
        h.control(0)->setAudible(true);
        QVERIFY(h.grid->deleteActiveBrowser());
        QCOMPARE(sounding.last().first().toBool(), false);
        QCOMPARE(sounding.count(), 6);
    }

    void aPressInAPageActivatesItsPane_data()
    {
        QTest::addColumn<bool>("clickActivates");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("activations");
        QTest::newRow("a background pane") << true << 0 << 1;
        QTest::newRow("the active pane") << true << 1 << 0;
        QTest::newRow("turned off") << false << 0 << 0;
    }
    void aPressInAPageActivatesItsPane()
    {
        QFETCH(bool, clickActivates);
        QFETCH(int, pressed);
        GridHarness h;
        h.settings.clickActivatesPane = clickActivates ? 1 : 0;
        h.open();
        h.open();
        QSignalSpy activated(h.grid.get(), &BrowserGrid::browserActivated);
        emit h.control(pressed)->pagePressed();
        QTEST(int(activated.count()), "activations");
        QCOMPARE(h.flags.activeBrowser, activated.isEmpty() ? 1 : pressed);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void onlyTheActivePaneMovesTheAddress()
    {
        GridHarness h;
        h.open(QStringLiteral("http://a.test/"));
        h.open(QStringLiteral("http://b.test/"));
        QSignalSpy moved(h.grid.get(), &BrowserGrid::activeAddressChanged);
        h.control(0)->navigate2(QStringLiteral("http://a.test/next"));
        QCOMPARE(moved.count(), 0);
        h.control(1)->navigate2(QStringLiteral("http://b.test/next"));
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.first().first().toString(), QStringLiteral("http://b.test/next"));
    }

    // A page's alert() box runs an event loop with the page on its stack.
    // Closing the grid (SIGTERM, the window closed) or deleting that pane
    // from inside it closes the box and frees the pane only after the box
    // has returned.
    void aPageDialogIsClosedBeforeItsPaneIsFreed_data()
    {
        QTest::addColumn<bool>("closeAll");
        QTest::newRow("closing all browsers") << true;
        QTest::newRow("deleting its pane") << false;
    }
    void aPageDialogIsClosedBeforeItsPaneIsFreed()
    {
        QFETCH(bool, closeAll);
        LocalWebServer server;
        server.addPage("/alert", "<!DOCTYPE html><html><body><p>alerting</p>"
                                 "<script>setTimeout(function () { alert('Hello'); }, 50);</script></body></html>");
        GridHarness h(true, {400, 300});
        const auto shownDialog = [] { return shownPageDialog(); };
        QPointer<PageDialog> dialog;
        bool acted = false;
        QTimer poll;
        // Fires inside the dialog's own loop, as the signal handler does.
        connect(&poll, &QTimer::timeout, &poll, [&] {
            if (acted || !(dialog = shownDialog()))
                return;
            acted = true;
            poll.stop();
            if (closeAll)
                h.grid->closeAllBrowsers();
            else
                QVERIFY(h.grid->deleteActiveBrowser());
        });
        poll.start(10);
        QVERIFY(h.open(server.url("/alert").toString()) != NoIndex);
        const QPointer<BrowserPane> pane = h.grid->pane(0);
        QTRY_VERIFY_WITH_TIMEOUT(acted, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog, 5000);
        QVERIFY(!shownDialog());
        QTRY_VERIFY_WITH_TIMEOUT(!pane, 5000);
        for (int n = 0; n < GridModel::BrowserLimit; ++n)
            QVERIFY(!h.grid->pane(n));
    }

    // Delete pressed while the pane's own page operation waits for its page
    // (here "Search on download" on a busy page): the pane leaves the grid at
    // once but is freed only when that wait has returned.
    void aPaneIsFreedAfterItsOwnPageOperation()
    {
        LocalWebServer server;
        server.addPage("/busy", "<!DOCTYPE html><html><body><p>apple</p><script>setInterval(function () {"
                                " var t = Date.now(); while (Date.now() - t < 250) {} }, 5);</script></body></html>");
        GridHarness h(true, {400, 300});
        h.grid->setSearchOnDownloadSource([] { return SearchOnDownload{QStringLiteral("apple"), Qt::magenta, false}; });
        QPointer<BrowserPane> pane;
        bool deleted = false;
        bool keptMeanwhile = false;
        QTimer poll;
        // The highlight has begun (its text is set) and has no answer yet.
        connect(&poll, &QTimer::timeout, &poll, [&] {
            if (deleted || !pane || pane->highlightedText().isEmpty() || pane->hasHighlights())
                return;
            deleted = h.grid->deleteActiveBrowser();
            keptMeanwhile = pane && pane->isHidden();
        });
        QVERIFY(h.open(server.url("/busy").toString()) != NoIndex);
        pane = h.grid->pane(0);
        poll.start(5);
        QTRY_VERIFY_WITH_TIMEOUT(deleted, 20000);
        QVERIFY(keptMeanwhile);
        QVERIFY(!h.grid->pane(0));
        QCOMPARE(h.flags.browserCount, 0);
        QTRY_VERIFY_WITH_TIMEOUT(!pane, 25000);
    }
};

QTEST_MAIN(TestBrowserGrid)
#include "test_browsergrid.moc"
