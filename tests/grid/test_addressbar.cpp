#include "grid/addressbar.h"
#include "support/gridfeaturesharness.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// The web address bar and its modes, with engine-less panes.
class TestAddressBar : public QObject
{
    Q_OBJECT

    // Enter as the user presses it: alternately on the focused box (which
    // passes keys on to its text field itself) and on the field.
    static void typeAndEnter(GridFeaturesHarness &h, const QString &text)
    {
        static int n = 0;
        h.bar->setEditText(text);
        QWidget *target = n++ % 2 ? static_cast<QWidget *>(h.bar)
                                  : h.bar->lineEdit();
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
        GridFeaturesHarness h;
        typeAndEnter(h, QStringLiteral("   example.org/page  "));
        QCOMPARE(h.flags.browserCount, 1);
        QCOMPARE(h.control(0)->navigations, QStringList{"example.org/page"});
        QCOMPARE(h.flags.activeBrowser, 0);
        // Activation fills the list and puts the pane's address in the bar.
        QCOMPARE(items(h.list), QStringList{QStringLiteral("0 \u2022 example.org/page")});
        QCOMPARE(h.bar->currentText(), QStringLiteral("example.org/page"));
    }

    void searchTermsAreKeptOnce()
    {
        GridFeaturesHarness h;
        h.settings.searchEngineAddress = QStringLiteral("https://search.test/?q=");
        AddressBar *bar = h.addressBar();
        bar->setWebSearchMode();
        QCOMPARE(bar->mode(), AddressBar::Mode::WebSearch);
        typeAndEnter(h, QStringLiteral(" vorlan grid "));
        typeAndEnter(h, QStringLiteral("vorlan grid"));
        typeAndEnter(h, QStringLiteral("another"));
        QCOMPARE(bar->webSearchList(), QStringList({"another", "vorlan grid"}));
        QCOMPARE(items(h.bar).count(QStringLiteral("vorlan grid")), 1);
        QCOMPARE(h.control(0)->navigations, QStringList{"https://search.test/?q=vorlan%20grid"});
        QCOMPARE(h.flags.browserCount, 3);
        // Activation keeps the search mode.
        QCOMPARE(bar->mode(), AddressBar::Mode::WebSearch);
        QCOMPARE(h.bar->palette().color(QPalette::Base), QColor(0xEA, 0xFF, 0xEA));
        bar->setWebAddressMode();
        QCOMPARE(h.bar->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void searchPhrases_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("phrase");
        QTest::newRow("words") << "rust book testing page" << true;
        QTest::newRow("words with blanks around") << "  two words " << true;
        QTest::newRow("one word") << "vorlan" << false;
        QTest::newRow("host") << "example.org" << false;
        QTest::newRow("address with a blank in its path") << "example.org/a b" << false;
        QTest::newRow("scheme") << "http://a.test/?q=a b" << false;
        QTest::newRow("host and port") << "localhost:8080 x" << false;
        QTest::newRow("local path with blanks") << "/home/me/My Vorlan/page.html" << false;
        QTest::newRow("home path") << "~/My Vorlan/page.html" << false;
        QTest::newRow("empty") << "" << false;
    }
    void searchPhrases()
    {
        QFETCH(QString, text);
        QTEST(AddressBar::isSearchPhrase(text), "phrase");
    }

    void wordsAreSearchedForInAddressMode()
    {
        GridFeaturesHarness h;
        h.settings.searchEngineAddress = QStringLiteral("https://search.test/?q=");
        typeAndEnter(h, QStringLiteral("rust book testing page"));
        QCOMPARE(h.control(0)->navigations, QStringList{"https://search.test/?q=rust%20book%20testing%20page"});
        QCOMPARE(h.addressBar()->mode(), AddressBar::Mode::WebAddress);
        QCOMPARE(h.addressBar()->webSearchList(), QStringList{"rust book testing page"});
        // An address keeps being an address, a local file with blanks too.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("My Page.html"));
        QFile(file).open(QIODevice::WriteOnly);
        typeAndEnter(h, file);
        typeAndEnter(h, QStringLiteral("example.org"));
        QCOMPARE(h.control(1)->navigations, QStringList{file});
        QCOMPARE(h.control(2)->navigations, QStringList{"example.org"});
        // Redirecting the active pane searches the same way.
        h.bar->setEditText(QStringLiteral("two words"));
        QVERIFY(h.commands.trigger(QStringLiteral("skActiveRedir")));
        QCOMPARE(h.control(2)->navigations.last(), QStringLiteral("https://search.test/?q=two%20words"));
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
        GridFeaturesHarness h;
        for (int i = 0; i < 64; ++i)
            h.grid->openAddressInNewBrowser(QStringLiteral("p"), BrowserType::btQueue);
        h.prompter.answers = {answer};
        typeAndEnter(h, QStringLiteral(" overflow.test "));
        QCOMPARE(h.prompter.texts(), QStringList{"The browser limit has been reached, jump to IE?"});
        QCOMPARE(h.shell.opened, answer ? QStringList{"overflow.test"} : QStringList());
    }

    void redirect()
    {
        GridFeaturesHarness h;
        h.bar->setEditText(QStringLiteral("first.test"));
        h.commands.trigger(QStringLiteral("skActiveRedir")); // no active browser: a new pane
        QCOMPARE(h.flags.browserCount, 1);
        h.bar->setEditText(QStringLiteral(" second.test "));
        h.commands.trigger(QStringLiteral("skActiveRedir"));
        QCOMPARE(h.flags.browserCount, 1);
        QCOMPARE(h.control(0)->navigations, QStringList({"first.test", "second.test"}));
    }

    void linksModeWithoutActiveBrowser()
    {
        GridFeaturesHarness h;
        AddressBar *bar = h.addressBar();
        h.bar->addItem(QStringLiteral("stale"));
        bar->setActiveBrowserLinksMode();
        QCOMPARE(bar->mode(), AddressBar::Mode::ActiveBrowserLinks);
        QCOMPARE(h.bar->count(), 0);
        QVERIFY(h.prompter.shown.isEmpty());
        // Activating a pane leaves links mode.
        h.grid->openAddressInNewBrowser(QStringLiteral("a.test"), BrowserType::btNormal);
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
        GridFeaturesHarness h;
        h.dialogs.openAnswer = QStringLiteral("/tmp/page.html");
        if (searchMode)
            h.addressBar()->setWebSearchMode();
        h.addressBar()->doubleClicked(Qt::KeyboardModifiers(keys));
        QTEST(h.prompter.texts(), "messages");
        QTEST(h.bar->currentText(), "text");
        if (keys == Qt::ShiftModifier) {
            QCOMPARE(h.dialogs.asked, QStringList{"Open a local Internet file."});
            QCOMPARE(h.dialogs.folders.first(), h.flags.dataFolder + QStringLiteral("Web Saves/"));
        }
    }

    // A link, Back, Forward or a redirect in the active pane: the bar and
    // the list show where the pane is now; another pane moves neither.
    void theBarFollowsTheActivePane()
    {
        GridFeaturesHarness h;
        h.open(QStringLiteral("http://a.test/"));
        h.open(QStringLiteral("http://b.test/"));
        h.control(1)->navigate2(QStringLiteral("http://b.test/followed"));
        QCOMPARE(h.bar->currentText(), QStringLiteral("http://b.test/followed"));
        QCOMPARE(h.list->currentText(), QStringLiteral("1 \u2022 http://b.test/followed"));
        QVERIFY(items(h.bar).contains(QStringLiteral("http://b.test/followed")));
        h.control(0)->navigate2(QStringLiteral("http://a.test/elsewhere"));
        QCOMPARE(h.bar->currentText(), QStringLiteral("http://b.test/followed"));
        QCOMPARE(h.list->currentText(), QStringLiteral("1 \u2022 http://b.test/followed"));
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void whatTheUserTypesIsNeverOverwritten_data()
    {
        QTest::addColumn<bool>("focused");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<bool>("follows");
        QTest::newRow("typing") << true << true << false;
        QTest::newRow("focused, nothing typed") << true << false << true;
        QTest::newRow("typed, then left the bar") << false << true << true;
    }
    void whatTheUserTypesIsNeverOverwritten()
    {
        QFETCH(bool, focused);
        QFETCH(bool, typed);
        GridFeaturesHarness h;
        h.open(QStringLiteral("http://a.test/"));
        h.pnButtons.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.pnButtons));
        h.bar->lineEdit()->setFocus();
        QTRY_VERIFY(h.bar->lineEdit()->hasFocus());
        if (typed)
            QTest::keyClicks(h.bar->lineEdit(), QStringLiteral("xyz"));
        if (!focused)
            h.bar->lineEdit()->clearFocus();
        const QString before = h.bar->currentText();
        h.control(0)->navigate2(QStringLiteral("http://a.test/next"));
        QFETCH(bool, follows);
        QCOMPARE(h.bar->currentText(), follows ? QStringLiteral("http://a.test/next") : before);
        // The list follows either way: it holds no typing.
        QCOMPARE(h.list->currentText(), QStringLiteral("0 \u2022 http://a.test/next"));
    }

    void searchTermsAndLinksStayPut_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("web search") << int(AddressBar::Mode::WebSearch);
        QTest::newRow("active browser links") << int(AddressBar::Mode::ActiveBrowserLinks);
    }
    void searchTermsAndLinksStayPut()
    {
        QFETCH(int, mode);
        GridFeaturesHarness h;
        h.open(QStringLiteral("http://a.test/"));
        h.control(0)->scriptResult = QVariantList{QStringLiteral("http://a.test/link")};
        if (mode == int(AddressBar::Mode::WebSearch))
            h.addressBar()->setWebSearchMode();
        else
            h.addressBar()->setActiveBrowserLinksMode();
        QCOMPARE(int(h.addressBar()->mode()), mode);
        h.bar->setEditText(QStringLiteral("kept"));
        h.control(0)->navigate2(QStringLiteral("http://a.test/next"));
        QCOMPARE(h.bar->currentText(), QStringLiteral("kept"));
    }

    void aLongAddressShowsItsStart()
    {
        GridFeaturesHarness h;
        const QString address = QStringLiteral("https://a.test/") + QString(300, QLatin1Char('x'));
        h.open(QStringLiteral("http://a.test/"));
        h.bar->lineEdit()->setCursorPosition(h.bar->lineEdit()->text().size());
        h.control(0)->navigate2(address);
        QCOMPARE(h.bar->currentText(), address);
        QCOMPARE(h.bar->lineEdit()->cursorPosition(), 0);
    }

    // A script address typed or pasted into the bar is never run, in a new
    // pane or the active one; in search mode it is only words.
    void scriptAddressesAreNotRun_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("redirect");
        QTest::newRow("new pane") << "javascript:alert(document.cookie)" << false;
        QTest::newRow("any case") << "JavaScript:void(0)" << false;
        QTest::newRow("into the active pane") << "javascript:location='http://evil.test/'" << true;
    }
    void scriptAddressesAreNotRun()
    {
        QFETCH(QString, text);
        QFETCH(bool, redirect);
        GridFeaturesHarness h;
        h.open(QStringLiteral("http://a.test/"));
        h.bar->setEditText(text);
        if (redirect)
            h.addressBar()->redirectActiveBrowser();
        else
            h.addressBar()->openInNewBrowser();
        QCOMPARE(h.flags.browserCount, 1);
        QCOMPARE(h.control(0)->navigations, QStringList{"http://a.test/"});
        QCOMPARE(h.prompter.texts(),
                 QStringList{"Script addresses (javascript:) are not run from the web address bar."});
        QVERIFY(h.shell.opened.isEmpty());
    }

    void aScriptWordInSearchModeIsSearchedFor()
    {
        GridFeaturesHarness h;
        h.addressBar()->setWebSearchMode();
        h.bar->setEditText(QStringLiteral("javascript:alert"));
        h.addressBar()->openInNewBrowser();
        QCOMPARE(h.flags.browserCount, 1);
        QVERIFY(h.control(0)->navigations.first().startsWith(h.settings.searchEngineAddress));
        QVERIFY(h.prompter.shown.isEmpty());
    }
};

QTEST_MAIN(TestAddressBar)
#include "test_addressbar.moc"
