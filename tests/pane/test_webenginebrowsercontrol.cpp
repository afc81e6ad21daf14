#include "core/eventwait.h"
#include "core/runtimeflags.h"
#include "pane/browserpage.h"
#include "pane/browserpane.h"
#include "pane/enginesetup.h"
#include "pane/popupbrowserwindow.h"
#include "pane/webenginebrowsercontrol.h"
#include "support/localwebserver.h"
#include "support/pagedialogs.h"
#include "support/paneharness.h"
#include "support/recordingpanehost.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QPointer>
#include <QTimer>
#include <QFile>
#include <QQuickWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include <memory>

// Panes on the real engine, with pages from a local server.
class TestWebEngineBrowserControl : public QObject
{
    Q_OBJECT

    // Panes in a window of their own; a pop-up pane is made when the host
    // is asked for one.
    struct Harness : PaneHarness
    {
        // Makes the first pane the active one and loads an address into it.
        bool openAndLoad(const QUrl &url)
        {
            pane()->selectBrowser(true);
            pane()->navigateTo(url.toString());
            BrowserControl *c = control();
            return EventWait::until([&] { return c->hasDocument() && !c->busy() && c->locationUrl() == url.toString(); },
                                    20000);
        }
    };

    LocalWebServer m_server;
    QStringList m_handedToDesktop;

    // The document title once the page's script has set it, as a result.
    static QString settledTitle(WebEngineBrowserControl *control)
    {
        QString title;
        EventWait::until([&] {
            title = control->page()->title();
            return title.startsWith(QLatin1String("read:")) || title == QLatin1String("refused");
        }, 10000);
        return title;
    }

public slots:
    // What the desktop would open for the test's own scheme.
    void openedByDesktop(const QUrl &url) { m_handedToDesktop << url.toString(); }

private slots:
    void initTestCase()
    {
        // Drawn as on a machine without a graphics card, where each view
        // keeps a picture of its page in memory.
        QCOMPARE(EngineSetup::chooseRendering(), EngineSetup::Rendering::Software);
        m_server.addPage("/green", "<html><body style='margin:0;background:#00ff00'>green</body></html>");
        m_server.addPage("/plain", "<html><head><title>Plain</title></head><body>plain page</body></html>");
        m_server.addPage("/a", "<html><body>A</body></html>");
        m_server.addPage("/b", "<html><body>B</body></html>");
        m_server.addPage("/opener", "<html><body><script>window.open('/popup');</script></body></html>");
        m_server.addPage("/popup", "<html><head><title>Popup</title></head><body>popup</body></html>");
        m_server.addPage("/closer-opener", "<html><body><script>window.open('/closer');</script></body></html>");
        m_server.addPage("/closer", "<html><body><script>setTimeout(function(){window.close();}, 0);</script></body></html>");
        m_server.addPage("/alert", "<html><body><script>alert('hello'); confirm('sure?');"
                                   "document.title = 'after';</script></body></html>");
        m_server.addPage("/ask-alert", "<html><body><script>setTimeout(function () {"
                                       " alert('hi'); document.title = 'seen'; }, 0);</script></body></html>");
        m_server.addPage("/ask-confirm", "<html><body><script>setTimeout(function () {"
                                         " document.title = String(confirm('sure?')); }, 0);</script></body></html>");
        m_server.addPage("/ask-prompt", "<html><body><script>setTimeout(function () {"
                                        " document.title = String(prompt('name?', '')); }, 0);</script></body></html>");
        m_server.addPage("/starter", "<html><body><script>location.href = 'vorlantest:run';</script></body></html>");
        m_server.addPage("/click-starter", "<html><body style='margin:0'><a href='vorlantest:click' "
                                           "style='display:block;height:200px'>start</a></body></html>");
        m_server.addPage("/frame-starter", "<html><body><iframe src='vorlantest:frame'></iframe></body></html>");
        m_server.addPage("/file-reader",
                         "<html><body><script>var x = new XMLHttpRequest();"
                         "x.onload = function () { document.title = 'read:' + x.responseText; };"
                         "x.onerror = function () { document.title = 'refused'; };"
                         "try { x.open('GET', 'file:///etc/hostname'); x.send(); }"
                         " catch (e) { document.title = 'refused'; }</script></body></html>");
        m_server.addPage("/file-jumper", "<html><body><script>location.href = 'file:///etc/hostname';</script></body></html>");
        QDesktopServices::setUrlHandler(QStringLiteral("vorlantest"), this, "openedByDesktop");
        QVERIFY(m_server.isListening());
    }

    // Another scheme would go to the desktop, which starts the program
    // registered for it. The engine keeps scripts from it; a click on a link
    // is the pane's to refuse.
    void aPageStartsNoProgram_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("click");
        QTest::newRow("the page moves on") << "/starter" << false;
        QTest::newRow("a frame") << "/frame-starter" << false;
        QTest::newRow("a link the user clicks") << "/click-starter" << true;
    }
    void aPageStartsNoProgram()
    {
        QFETCH(QString, page);
        QFETCH(bool, click);
        Harness h;
        m_handedToDesktop.clear();
        QSignalSpy refused(h.control()->page(), &BrowserPage::otherSchemeRefused);
        QVERIFY(h.openAndLoad(m_server.url(page)));
        if (click) {
            QWidget *view = h.control()->view();
            // A click before the engine has laid out the link goes nowhere
            // (seen on a loaded machine): click again until one lands.
            QVERIFY(EventWait::until([&] {
                QTest::mouseClick(view->focusProxy() ? view->focusProxy() : view, Qt::LeftButton, {}, QPoint(30, 30));
                return refused.wait(1000);
            }, 20000));
            QVERIFY(h.host.browserInfo.contains(QStringLiteral("Pages do not open vorlantest: addresses")));
        }
        QVERIFY(!EventWait::until([&] { return !m_handedToDesktop.isEmpty(); }, 1500));
        QCOMPARE(h.control()->locationUrl(), m_server.url(page).toString());
    }

    // A web page reaches no local file; a local page reads no other file.
    void pagesReadNoLocalFiles()
    {
        Harness h;
        QVERIFY(h.openAndLoad(m_server.url("/file-reader")));
        QCOMPARE(settledTitle(h.control()), QStringLiteral("refused"));

        QVERIFY(h.openAndLoad(m_server.url("/file-jumper")));
        // Whatever the engine does with the jump, the page shown is never the file.
        QVERIFY(!EventWait::until([&] { return h.control()->locationUrl().startsWith(QLatin1String("file:")); }, 1500));

        QTemporaryDir dir;
        QFile secret(dir.filePath(QStringLiteral("secret.txt")));
        QVERIFY(secret.open(QIODevice::WriteOnly));
        secret.write("the settings of the program");
        secret.close();
        QFile reader(dir.filePath(QStringLiteral("reader.html")));
        QVERIFY(reader.open(QIODevice::WriteOnly));
        reader.write("<html><body><script>var x = new XMLHttpRequest();"
                     "x.onload = function () { document.title = 'read:' + x.responseText; };"
                     "x.onerror = function () { document.title = 'refused'; };"
                     "try { x.open('GET', 'secret.txt'); x.send(); } catch (e) { document.title = 'refused'; }"
                     "</script></body></html>");
        reader.close();
        QVERIFY(h.openAndLoad(QUrl::fromLocalFile(reader.fileName())));
        QCOMPARE(settledTitle(h.control()), QStringLiteral("refused"));
    }

    void loadsAPageAndReportsIt()
    {
        Harness h;
        QVERIFY(h.openAndLoad(m_server.url("/plain")));
        BrowserPane *pane = h.pane();
        QCOMPARE(pane->control()->locationUrl(), m_server.url("/plain").toString());
        QVERIFY(EventWait::until([&] { return h.host.history.count() == 1; }, 20000));
        QCOMPARE(h.host.history.first(), m_server.url("/plain").toString());
        QVERIFY(EventWait::until([&] { return h.host.browserInfo.value(h.host.browserInfo.size() - 1) == QStringLiteral("Done"); }, 20000));
        QVERIFY(!h.host.activeIP.isEmpty());
        QCOMPARE(h.host.activeIP.last(), QStringLiteral("Unresolved"));
        // A plain http page is not secure.
        QVERIFY(!pane->securityOn());
        QVERIFY(!pane->canGoBack());
    }

    void addressSeenTwiceGoesToHistoryOnce()
    {
        Harness h;
        QVERIFY(h.openAndLoad(m_server.url("/a")));
        BrowserPane *pane = h.pane();
        BrowserControl *c = pane->control();
        for (const char *path : {"/b", "/a"}) {
            QSignalSpy done(c, &BrowserControl::documentComplete);
            pane->navigateTo(m_server.url(QLatin1String(path)).toString());
            QVERIFY(done.wait(20000));
        }
        QCOMPARE(h.host.history, QStringList({m_server.url("/a").toString(), m_server.url("/b").toString()}));
        QVERIFY(EventWait::until([&] { return pane->canGoBack(); }, 20000));
    }

    void popUps_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("keys");
        QTest::addColumn<QString>("where"); // pane, window or none
        QTest::newRow("auto internal") << 1 << int(Qt::NoModifier) << "pane";
        QTest::newRow("auto external") << 0 << int(Qt::NoModifier) << "window";
        QTest::newRow("manual without keys") << 2 << int(Qt::NoModifier) << "none";
    }
    void popUps()
    {
        QFETCH(int, setting);
        QFETCH(int, keys);
        QFETCH(QString, where);
        Harness h;
        h.host.popUpSetting = setting;
        h.host.keys = Qt::KeyboardModifiers(keys);
        QVERIFY(h.openAndLoad(m_server.url("/opener")));
        // The pane has decided once the keys were read.
        QVERIFY(EventWait::until([&] { return h.host.keyReads > 0; }, 20000));
        QCOMPARE(h.host.keyReads, 1);
        if (where == QStringLiteral("none")) {
            QCOMPARE(h.host.panes.size(), 1);
            QVERIFY(PopupBrowserWindow::openWindows().isEmpty());
            return;
        }
        if (where == QStringLiteral("pane")) {
            QCOMPARE(h.host.panes.size(), 2);
            BrowserControl *popup = h.pane(1)->control();
            QVERIFY(EventWait::until([&] { return popup->locationUrl() == m_server.url("/popup").toString(); }, 20000));
            QVERIFY(PopupBrowserWindow::openWindows().isEmpty());
        } else {
            QCOMPARE(h.host.panes.size(), 1);
            QCOMPARE(PopupBrowserWindow::openWindows().size(), 1);
            PopupBrowserWindow *window = PopupBrowserWindow::openWindows().first();
            QVERIFY(window->isVisible());
            QVERIFY(EventWait::until([&] { return window->page()->url() == m_server.url("/popup"); }, 20000));
        }
    }

    void pageCannotCloseItsPane()
    {
        Harness h;
        h.host.popUpSetting = 1;
        QVERIFY(h.openAndLoad(m_server.url("/closer-opener")));
        QVERIFY(EventWait::until([&] { return h.host.panes.size() == 2; }, 20000));
        // The script-opened page may close its window: the engine asks, the
        // pane says no.
        QSignalSpy closing(h.pane(1)->control(), &BrowserControl::windowClosing);
        QVERIFY(closing.wait(20000));
        QCoreApplication::processEvents();
        QVERIFY(h.pane(1)->control());
        QVERIFY(h.control(1)->view()->isVisible());
    }

    void silentPagesShowNoDialogs()
    {
        Harness h;
        WebEngineBrowserControl *c = h.control();
        c->setSilent(true);
        h.pane()->navigateTo(m_server.url("/alert").toString());
        // A dialog would block the page's script; silent, the title follows.
        QVERIFY(EventWait::until([&] { return c->page()->title() == QStringLiteral("after"); }, 20000));
        QVERIFY2(!shownPageDialog(), "a script dialog was shown");
    }

    // The page's alert, confirm and prompt boxes answer as the user does;
    // a pane that closes cancels its open box at once, though the box's
    // loop is still under way.
    void scriptDialogs_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("button"); // the button clicked; 0: the pane closes instead
        QTest::addColumn<QString>("title");
        const int ok = 1; // OK; 2: Cancel
        const int cancel = 2;
        QTest::newRow("alert seen") << "/ask-alert" << "" << ok << "seen";
        QTest::newRow("confirm OK") << "/ask-confirm" << "" << ok << "true";
        QTest::newRow("confirm Cancel") << "/ask-confirm" << "" << cancel << "false";
        QTest::newRow("prompt answered") << "/ask-prompt" << "Ann" << ok << "Ann";
        QTest::newRow("prompt cancelled") << "/ask-prompt" << "Ann" << cancel << "null";
        QTest::newRow("alert, pane closed") << "/ask-alert" << "" << 0 << "";
        QTest::newRow("confirm, pane closed") << "/ask-confirm" << "" << 0 << "";
    }
    void scriptDialogs()
    {
        QFETCH(QString, page);
        QFETCH(QString, typed);
        QFETCH(int, button);
        QFETCH(QString, title);
        Harness h;
        QPointer<PageDialog> shown;
        bool acted = false;
        QTimer poll;
        // Runs inside the box's own loop, as the user's input does.
        connect(&poll, &QTimer::timeout, &poll, [&] {
            if (PageDialog *dialog = shownPageDialog())
                shown = dialog;
            if (acted || !shown)
                return;
            acted = true;
            if (button == 0) {
                h.pane()->closeBrowserPane();
                return;
            }
            if (!typed.isEmpty()) {
                auto *edit = shown->findChild<QLineEdit *>(QStringLiteral("pageDialogValue"));
                QVERIFY(edit);
                QTest::mouseClick(edit, Qt::LeftButton);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(QApplication::focusWidget(), typed);
            }
            auto *clicked = shown->findChild<QPushButton *>(button == 1 ? QStringLiteral("pageDialogOk")
                                                                          : QStringLiteral("pageDialogCancel"));
            QVERIFY(clicked);
            QTest::mouseClick(clicked, Qt::LeftButton);
        });
        poll.start(10);
        h.pane()->navigateTo(m_server.url(page).toString());
        QTRY_VERIFY_WITH_TIMEOUT(acted, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!shown, 5000);
        if (button == 0) {
            QTRY_COMPARE_WITH_TIMEOUT(h.control()->locationUrl(), QStringLiteral("about:blank"), 10000);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(h.control()->page()->title(), title, 10000);
    }

    // Enter answers a box the user is in; Esc cancels a confirm.
    void keysAnswerTheBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("title");
        QTest::newRow("Enter") << int(Qt::Key_Return) << "true";
        QTest::newRow("Esc") << int(Qt::Key_Escape) << "false";
    }
    void keysAnswerTheBox()
    {
        QFETCH(int, key);
        QFETCH(QString, title);
        m_server.addPage("/click-confirm", "<html><body style='margin:0'><button id=b style='width:300px;height:200px'"
                                           " onclick='document.title = String(confirm(\"sure?\"))'>ask</button>"
                                           "</body></html>");
        Harness h;
        QVERIFY(h.openAndLoad(m_server.url("/click-confirm")));
        QWidget *page = h.control()->view()->focusProxy() ? h.control()->view()->focusProxy() : h.control()->view();
        bool answered = false;
        bool focused = false;
        QTimer user;
        // Clicks the page's button until a box shows (a click before the
        // engine has laid the page out goes nowhere), then presses the key
        // on whatever has the focus.
        connect(&user, &QTimer::timeout, &user, [&] {
            if (answered)
                return;
            PageDialog *box = shownPageDialog();
            if (!box) {
                QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(100, 100));
                return;
            }
            QWidget *focus = QApplication::focusWidget();
            focused = focus && box->isAncestorOf(focus);
            answered = true;
            QTest::keyClick(focus ? focus : box, Qt::Key(key));
        });
        user.start(100);
        QTRY_VERIFY_WITH_TIMEOUT(answered, 20000);
        QVERIFY(focused);
        QTRY_COMPARE_WITH_TIMEOUT(h.control()->page()->title(), title, 10000);
    }

    void offlinePanesDoNotTouchTheNetwork()
    {
        Harness h;
        const int before = m_server.requestCount("/b");
        BrowserControl *c = h.control();
        c->setOffline(true);
        h.pane()->navigateTo(m_server.url("/b").toString());
        QVERIFY(EventWait::until([c] { return c->hasDocument() && !c->busy(); }, 20000));
        QCOMPARE(m_server.requestCount("/b"), before);

        c->setOffline(false);
        QSignalSpy done(c, &BrowserControl::documentComplete);
        h.pane()->navigateTo(m_server.url("/b").toString());
        QVERIFY(done.wait(20000));
        QCOMPARE(m_server.requestCount("/b"), before + 1);
    }

    // A pane put to rest gives up the picture its drawing widget keeps of
    // the page, also when it is resized at rest, and shows its page again
    // when it wakes.
    void aPaneAtRestGivesUpItsPicture_data()
    {
        QTest::addColumn<BrowserControl::Lifecycle>("rest");
        QTest::addColumn<bool>("resizedAtRest");
        // The window hidden and shown again at rest (the boss button, a
        // minimise, another workspace): the engine wakes the shown page by
        // itself, before the grid asks.
        QTest::addColumn<bool>("windowHiddenAtRest");
        QTest::newRow("frozen") << BrowserControl::Lifecycle::Frozen << false << false;
        QTest::newRow("frozen, resized") << BrowserControl::Lifecycle::Frozen << true << false;
        QTest::newRow("discarded, resized") << BrowserControl::Lifecycle::Discarded << true << false;
        QTest::newRow("frozen, window hidden") << BrowserControl::Lifecycle::Frozen << false << true;
        QTest::newRow("discarded, window hidden") << BrowserControl::Lifecycle::Discarded << false << true;
    }

    void aPaneAtRestGivesUpItsPicture()
    {
        QFETCH(BrowserControl::Lifecycle, rest);
        QFETCH(bool, resizedAtRest);
        QFETCH(bool, windowHiddenAtRest);
        Harness h;
        QVERIFY(h.openAndLoad(m_server.url("/green")));
        QWebEngineView *view = h.control()->view();
        const auto drawing = [view] { return qobject_cast<QQuickWidget *>(view->focusProxy()); };
        // What the drawing widget paints from its picture, in its middle, on
        // black. (Its grab() would draw the scene afresh instead.)
        const auto shown = [&] {
            QQuickWidget *widget = drawing();
            if (!widget)
                return QColor();
            QImage painted(widget->size(), QImage::Format_RGB32);
            painted.fill(Qt::black);
            widget->render(&painted);
            return painted.pixelColor(widget->width() / 2, widget->height() / 2);
        };
        const QColor green(0, 255, 0);
        QTRY_COMPARE_WITH_TIMEOUT(shown(), green, 10000);

        h.control()->setLifecycle(rest);
        QCOMPARE(h.control()->lifecycle(), rest);
        QVERIFY(shown() != green);
        if (resizedAtRest) {
            view->resize(view->width() - 40, view->height() - 30);
            QCoreApplication::sendPostedEvents();
            QVERIFY(shown() != green);
        }
        if (windowHiddenAtRest) {
            QWidget *window = view->window();
            window->hide();
            QCoreApplication::sendPostedEvents();
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QTRY_VERIFY_WITH_TIMEOUT(h.control()->page()->isVisible(), 10000);
        }

        h.control()->setLifecycle(BrowserControl::Lifecycle::Active);
        QCOMPARE(h.control()->lifecycle(), BrowserControl::Lifecycle::Active);
        // A frozen page is there at once, drawn from the engine's last frame.
        if (rest == BrowserControl::Lifecycle::Frozen)
            QCOMPARE(shown(), green);
        QTRY_COMPARE_WITH_TIMEOUT(shown(), green, 10000);
    }

    // The grid's round to put pages out of view to rest comes every second;
    // one that comes while a page operation waits for the page leaves it
    // awake, or the operation's answer could never come.
    void aPageIsNotPutToRestUnderAnOperation_data()
    {
        QTest::addColumn<BrowserControl::Lifecycle>("rest");
        QTest::newRow("frozen") << BrowserControl::Lifecycle::Frozen;
        QTest::newRow("discarded") << BrowserControl::Lifecycle::Discarded;
    }
    void aPageIsNotPutToRestUnderAnOperation()
    {
        QFETCH(BrowserControl::Lifecycle, rest);
        Harness h;
        QVERIFY(h.openAndLoad(m_server.url("/green")));
        BrowserControl *c = h.control();
        c->setLifecycle(BrowserControl::Lifecycle::Frozen);
        QCOMPARE(c->lifecycle(), BrowserControl::Lifecycle::Frozen);
        // Woken by the operation; the round comes while its script runs.
        bool roundCame = false;
        QTimer::singleShot(100, c, [&] {
            roundCame = true;
            c->setLifecycle(rest);
        });
        QVariant answer;
        QVERIFY(c->runScript(QStringLiteral("const end = Date.now() + 600; while (Date.now() < end) {} 'done'"), 10000,
                             &answer));
        QVERIFY(roundCame);
        QCOMPARE(answer.toString(), QStringLiteral("done"));
        QCOMPARE(c->lifecycle(), BrowserControl::Lifecycle::Active);
        // The next round, with no operation waiting, puts it to rest.
        c->setLifecycle(rest);
        QCOMPARE(c->lifecycle(), rest);
    }

    void freeingTheControlFreesThePage()
    {
        Harness h;
        QVERIFY(h.openAndLoad(m_server.url("/plain")));
        QPointer<QWebEnginePage> page = h.control()->page();
        QPointer<QWebEngineView> view = h.control()->view();
        h.pane()->closeBrowserPane();
        h.pane()->freeBrowserControl();
        QVERIFY(!page);
        QVERIFY(!view);
    }
};

QTEST_MAIN(TestWebEngineBrowserControl)
#include "test_webenginebrowsercontrol.moc"
