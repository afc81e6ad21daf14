#include "appearance/widgets/dropdowncombobox.h"
#include "appearance/widgets/skinbutton.h"
#include "grid/addressbar.h"
#include "grid/addresslabels.h"
#include "grid/browsercommands.h"
#include "grid/selectbrowserlist.h"
#include "support/windowharness.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

// The address bar, the select-browser list and the tool bar commands on a
// started window with engine-less panes.
class TestGridFeatures : public QObject
{
    Q_OBJECT

    // Enter as the user presses it: alternately on the focused box (which
    // passes keys on to its text field itself) and on the field.
    static void typeAndEnter(WindowHarness &h, const QString &text)
    {
        static int n = 0;
        h.frame().cbWebAddressBar->setEditText(text);
        QWidget *target = n++ % 2 ? static_cast<QWidget *>(h.frame().cbWebAddressBar)
                                  : h.frame().cbWebAddressBar->lineEdit();
        QTest::keyClick(target, Qt::Key_Return);
    }
    static QStringList items(QComboBox *box)
    {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    }

private slots:
    void enterOpensTheTrimmedText()
    {
        WindowHarness h;
        QVERIFY(h.started);
        typeAndEnter(h, QStringLiteral("   example.org/page  "));
        QCOMPARE(h.flags.browserCount, 1);
        QCOMPARE(h.fake(0)->navigations, QStringList{"example.org/page"});
        QCOMPARE(h.flags.activeBrowser, 0);
        // Activation fills the list and puts the pane's address in the bar.
        QCOMPARE(items(h.frame().cbSelectBrowserList), QStringList{QStringLiteral("0 \u2022 example.org/page")});
        QCOMPARE(h.frame().cbWebAddressBar->currentText(), QStringLiteral("example.org/page"));
    }

    void searchTermsAreKeptOnce()
    {
        WindowHarness h;
        h.settings.searchEngineAddress = QStringLiteral("https://search.test/?q=");
        AddressBar *bar = h.window->addressBar();
        bar->setWebSearchMode();
        QCOMPARE(bar->mode(), AddressBar::Mode::WebSearch);
        typeAndEnter(h, QStringLiteral(" vorlan grid "));
        typeAndEnter(h, QStringLiteral("vorlan grid"));
        typeAndEnter(h, QStringLiteral("another"));
        QCOMPARE(bar->webSearchList(), QStringList({"another", "vorlan grid"}));
        QCOMPARE(items(h.frame().cbWebAddressBar).count(QStringLiteral("vorlan grid")), 1);
        QCOMPARE(h.fake(0)->navigations, QStringList{"https://search.test/?q=vorlan grid"});
        QCOMPARE(h.flags.browserCount, 3);
        // Activation keeps the search mode.
        QCOMPARE(bar->mode(), AddressBar::Mode::WebSearch);
        QCOMPARE(h.frame().cbWebAddressBar->palette().color(QPalette::Base), QColor(0xEA, 0xFF, 0xEA));
        bar->setWebAddressMode();
        QCOMPARE(h.frame().cbWebAddressBar->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void fullGridOffersTheSystemBrowser_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }
    void fullGridOffersTheSystemBrowser()
    {
        QFETCH(bool, answer);
        WindowHarness h;
        for (int i = 0; i < 64; ++i)
            h.grid().openAddressInNewBrowser(QStringLiteral("p"), BrowserGrid::BtQueue);
        h.prompter.answers = {answer};
        typeAndEnter(h, QStringLiteral(" overflow.test "));
        QCOMPARE(h.prompter.texts(), QStringList{"The browser limit has been reached, jump to IE?"});
        QCOMPARE(h.shell.opened, answer ? QStringList{"overflow.test"} : QStringList());
    }

    void redirect()
    {
        WindowHarness h;
        AddressBar *bar = h.window->addressBar();
        h.frame().cbWebAddressBar->setEditText(QStringLiteral("first.test"));
        bar->redirectActiveBrowser(); // no active browser: a new pane
        QCOMPARE(h.flags.browserCount, 1);
        h.frame().cbWebAddressBar->setEditText(QStringLiteral(" second.test "));
        bar->redirectActiveBrowser();
        QCOMPARE(h.flags.browserCount, 1);
        QCOMPARE(h.fake(0)->navigations, QStringList({"first.test", "second.test"}));
    }

    void linksModeWithoutActiveBrowser()
    {
        WindowHarness h;
        AddressBar *bar = h.window->addressBar();
        h.frame().cbWebAddressBar->addItem(QStringLiteral("stale"));
        bar->setActiveBrowserLinksMode();
        QCOMPARE(bar->mode(), AddressBar::Mode::ActiveBrowserLinks);
        QCOMPARE(h.frame().cbWebAddressBar->count(), 0);
        QVERIFY(h.prompter.shown.isEmpty());
        // Activating a pane leaves links mode.
        h.grid().openAddressInNewBrowser(QStringLiteral("a.test"), BrowserGrid::BtNormal);
        QCOMPARE(bar->mode(), AddressBar::Mode::WebAddress);
    }

    void doubleClicks_data()
    {
        QTest::addColumn<int>("keys");
        QTest::addColumn<bool>("searchMode");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("text");
        const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        QTest::newRow("shift picks a file") << shift << false << QStringList() << "/tmp/page.html";
        QTest::newRow("ctrl, empty list") << ctrl << false << QStringList{"Could not create new web address group."} << "";
        QTest::newRow("ctrl in search mode")
            << ctrl << true << QStringList{"Could not create new web address group.\nThe web address bar is in search mode."}
            << "";
        QTest::newRow("both keys") << (shift | ctrl) << false << QStringList() << "";
        QTest::newRow("no keys") << 0 << false << QStringList() << "";
    }
    void doubleClicks()
    {
        QFETCH(int, keys);
        QFETCH(bool, searchMode);
        WindowHarness h;
        h.dialogs.openAnswer = QStringLiteral("/tmp/page.html");
        if (searchMode)
            h.window->addressBar()->setWebSearchMode();
        h.window->addressBar()->doubleClicked(Qt::KeyboardModifiers(keys));
        QTEST(h.prompter.texts(), "messages");
        QTEST(h.frame().cbWebAddressBar->currentText(), "text");
        if (keys == Qt::ShiftModifier) {
            QCOMPARE(h.dialogs.asked, QStringList{"Open a local Internet file."});
            QCOMPARE(h.dialogs.folders.first(), h.flags.dataFolder + QStringLiteral("Web Saves/"));
        }
    }

    void selectListFollowsCells()
    {
        WindowHarness h;
        for (int i = 0; i < 4; ++i)
            h.grid().openAddressInNewBrowser(QStringLiteral("http://p%1.test/").arg(i), BrowserGrid::BtQueue);
        // Keep the panes of cells 0 and 3 only.
        for (int cell : {1, 2}) {
            h.grid().paneInCell(cell)->selectBrowser(true);
            h.grid().deleteActiveBrowser();
        }
        QCOMPARE(SelectBrowserList::entries(h.grid()),
                 QStringList({QStringLiteral("0 \u2022 http://p0.test/"), QStringLiteral("3 \u2022 http://p3.test/")}));
        h.window->selectList()->populateSelectList();
        h.window->selectList()->entryPicked(QStringLiteral("3 \u2022 http://p3.test/"));
        QCOMPARE(h.grid().activePane()->cellIndex, 3);
        QCOMPARE(h.frame().cbSelectBrowserList->currentText(), QStringLiteral("3 \u2022 http://p3.test/"));
        QVERIFY(h.window->selectList()->selectListEntryForCell(0));
        QVERIFY(!h.window->selectList()->selectListEntryForCell(2));
        // The delete button asks first and clears the lists.
        h.prompter.answers = {false, true};
        h.window->commands()->deleteActive();
        QCOMPARE(h.flags.browserCount, 2);
        h.window->commands()->deleteActive();
        QCOMPARE(h.flags.browserCount, 1);
        QCOMPARE(h.frame().cbSelectBrowserList->count(), 0);
        QCOMPARE(h.prompter.texts(), QStringList(2, QStringLiteral("Delete the active browser?")));
        h.window->commands()->deleteActive();
        QCOMPARE(h.prompter.texts().last(), QStringLiteral("No active browser, select one first."));
    }

    void windowClosedDuringADelete()
    {
        WindowHarness h;
        h.grid().openAddressInNewBrowser(QStringLiteral("a.test"), BrowserGrid::BtNormal);
        h.flags.deleteDelay = 300;
        QTimer::singleShot(20, h.window.get(), &QWidget::close);
        QVERIFY(h.grid().deleteActiveBrowser());
        QVERIFY(!h.window->isVisible());
        QVERIFY(!h.grid().pane(0));
    }

    void commandsNeedAnActiveBrowser()
    {
        WindowHarness h;
        BrowserCommands *c = h.window->commands();
        for (auto command : {&BrowserCommands::back, &BrowserCommands::forward, &BrowserCommands::refresh,
                             &BrowserCommands::stop, &BrowserCommands::print, &BrowserCommands::jump,
                             &BrowserCommands::emailActiveWebAddress})
            (c->*command)();
        c->saveToFile();
        QStringList expected(7, QStringLiteral("No active browser, select one first."));
        expected << QStringLiteral("Select a browser first.");
        QCOMPARE(h.prompter.texts(), expected);
        QVERIFY(h.shell.opened.isEmpty());
        QMenu *menu = c->fileToolsMenu();
        for (QAction *a : menu->actions())
            if (a->objectName() == QLatin1String("SaveToFile") || a->objectName() == QLatin1String("EmailActiveWebAddress"))
                QVERIFY(!a->isEnabled());
    }

    void jumpAndMail()
    {
        WindowHarness h;
        h.grid().openAddressInNewBrowser(QStringLiteral("about:blank"), BrowserGrid::BtNormal);
        h.window->commands()->jump();
        h.window->commands()->emailActiveWebAddress();
        QCOMPARE(h.shell.opened, QStringList({"about:blank", "mailto:?subject=&Body=about:blank"}));
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void openLocalFileFillsTheBar()
    {
        WindowHarness h;
        h.dialogs.openAnswer = QStringLiteral("/home/me/Web Saves/page.html");
        h.window->commands()->openLocalFile();
        QCOMPARE(h.frame().cbWebAddressBar->currentText(), h.dialogs.openAnswer);
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
        WindowHarness h;
        h.window->commands()->nextBrowser();
        QCOMPARE(h.prompter.texts(), QStringList{"Nothing in the grid to select."});
        for (int i = 0; i < 3; ++i)
            h.grid().openAddressInNewBrowser(QStringLiteral("p"), BrowserGrid::BtQueue);
        h.window->commands()->nextBrowser(); // no active browser: from cell 0 up
        QCOMPARE(h.grid().activePane()->cellIndex, 1);
        h.window->commands()->nextBrowser();
        h.window->commands()->nextBrowser();
        QCOMPARE(h.grid().activePane()->cellIndex, 0);
        h.window->commands()->priorBrowser();
        QCOMPARE(h.grid().activePane()->cellIndex, 2);
        QVERIFY(!h.flags.backgroundSuspended());
    }

    void serverPart_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("server");
        QTest::newRow("http") << "http://www.example.org/a/b" << "www.example.org";
        QTest::newRow("upper-case scheme") << "HTTP://Example.org/x" << "Example.org";
        QTest::newRow("https") << "https://secure.example.org/login" << "secure.example.org";
        QTest::newRow("port") << "http://127.0.0.1:8080/page" << "127.0.0.1";
        QTest::newRow("no scheme") << "example.org/page" << "example.org";
        QTest::newRow("ipv6") << "http://[::1]:8080/" << "::1";
        QTest::newRow("about") << "about:blank" << "about";
    }
    void serverPart()
    {
        QFETCH(QString, address);
        QTEST(AddressLabels::serverPart(address), "server");
    }

    void localAddressSkipsLoopback()
    {
        const QHostAddress loop(QStringLiteral("127.0.1.1"));
        const QHostAddress lan(QStringLiteral("192.0.2.7"));
        const QHostAddress lan2(QStringLiteral("198.51.100.3"));
        QCOMPARE(AddressLabels::localIPAddress({loop}, {QHostAddress::LocalHost, lan}), QStringLiteral("192.0.2.7"));
        QCOMPARE(AddressLabels::localIPAddress({lan, lan2}, {}), QStringLiteral("198.51.100.3"));
        QCOMPARE(AddressLabels::localIPAddress({}, {}), QStringLiteral("Failed"));
        QCOMPARE(AddressLabels::localIPAddress({loop}, {QHostAddress::LocalHost}), QStringLiteral("127.0.1.1"));
    }

    void activeAddressLabel()
    {
        WindowHarness h;
        QCOMPARE(h.window->commands()->activeIPClicked(), QStringLiteral("No Active Browser"));
        h.grid().openAddressInNewBrowser(QStringLiteral("http://127.0.0.1:9/x"), BrowserGrid::BtNormal);
        QCOMPARE(h.window->commands()->activeIPClicked(), QStringLiteral("127.0.0.1"));
        h.flags.connectionState = 0;
        QCOMPARE(h.window->commands()->activeIPClicked(), QStringLiteral("Off Line"));
    }
};

QTEST_MAIN(TestGridFeatures)
#include "test_gridfeatures.moc"
