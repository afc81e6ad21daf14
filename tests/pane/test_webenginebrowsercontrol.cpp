#include "app/eventwait.h"
#include "app/runtimeflags.h"
#include "app/settings.h"
#include "grid/browsergrid.h"
#include "pane/browserpage.h"
#include "pane/popupbrowserwindow.h"
#include "pane/webenginebrowsercontrol.h"
#include "support/localwebserver.h"
#include "support/gridharness.h"

#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

#include <memory>

// Panes on the real engine, with pages from a local server.
class TestWebEnginePane : public QObject
{
    Q_OBJECT

    struct Harness : GridHarness
    {
        Harness() : GridHarness(true, {400, 300}) {}
        WebEngineBrowserControl *control(int browserNo) const
        {
            return qobject_cast<WebEngineBrowserControl *>(grid->pane(browserNo)->control());
        }
    };

    LocalWebServer m_server;

private slots:
    void initTestCase()
    {
        m_server.addPage("/plain", "<html><head><title>Plain</title></head><body>plain page</body></html>");
        m_server.addPage("/a", "<html><body>A</body></html>");
        m_server.addPage("/b", "<html><body>B</body></html>");
        m_server.addPage("/opener", "<html><body><script>window.open('/popup');</script></body></html>");
        m_server.addPage("/popup", "<html><head><title>Popup</title></head><body>popup</body></html>");
        m_server.addPage("/closer-opener", "<html><body><script>window.open('/closer');</script></body></html>");
        m_server.addPage("/closer", "<html><body><script>setTimeout(function(){window.close();}, 0);</script></body></html>");
        m_server.addPage("/alert", "<html><body><script>alert('hello'); confirm('sure?');"
                                   "document.title = 'after';</script></body></html>");
        QVERIFY(m_server.isListening());
    }

    void loadsAPageAndReportsIt()
    {
        Harness h;
        QSignalSpy history(h.grid.get(), &BrowserGrid::historyAddressReached);
        QSignalSpy info(h.grid.get(), &BrowserGrid::browserInfoChanged);
        QSignalSpy activeIP(h.grid.get(), &BrowserGrid::activeIPChanged);
        QVERIFY(h.openAndLoad(m_server.url("/plain")));
        BrowserPane *pane = h.grid->pane(0);
        QCOMPARE(pane->control()->locationUrl(), m_server.url("/plain").toString());
        QVERIFY(EventWait::until([&] { return history.count() == 1; }, 20000));
        QCOMPARE(history.first().first().toString(), m_server.url("/plain").toString());
        QVERIFY(EventWait::until([&] { return !info.isEmpty() && info.last().first().toString() == QStringLiteral("Done"); }, 20000));
        QVERIFY(!activeIP.isEmpty());
        QCOMPARE(activeIP.last().first().toString(), QStringLiteral("Unresolved"));
        // A plain http page is not secure.
        QVERIFY(!pane->securityOn());
        QVERIFY(!pane->canGoBack());
    }

    void addressSeenTwiceGoesToHistoryOnce()
    {
        Harness h;
        QSignalSpy history(h.grid.get(), &BrowserGrid::historyAddressReached);
        QVERIFY(h.openAndLoad(m_server.url("/a")));
        BrowserPane *pane = h.grid->pane(0);
        BrowserControl *c = pane->control();
        for (const char *path : {"/b", "/a"}) {
            QSignalSpy done(c, &BrowserControl::documentComplete);
            pane->navigateTo(m_server.url(QLatin1String(path)).toString());
            QVERIFY(done.wait(20000));
        }
        QStringList reached;
        for (const auto &args : history)
            reached << args.first().toString();
        QCOMPARE(reached, QStringList({m_server.url("/a").toString(), m_server.url("/b").toString()}));
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
        h.settings.popUpBrowser = setting;
        h.keys = Qt::KeyboardModifiers(keys);
        QVERIFY(h.openAndLoad(m_server.url("/opener")));
        // The pane has decided once the keys were read.
        QVERIFY(EventWait::until([&] { return h.keyReads > 0; }, 20000));
        QCOMPARE(h.keyReads, 1);
        if (where == QStringLiteral("none")) {
            QCOMPARE(h.flags.browserCount, 1);
            QVERIFY(PopupBrowserWindow::openWindows().isEmpty());
            return;
        }
        if (where == QStringLiteral("pane")) {
            QCOMPARE(h.flags.browserCount, 2);
            QCOMPARE(h.flags.activeBrowser, 0);
            BrowserControl *popup = h.grid->pane(1)->control();
            QVERIFY(EventWait::until([&] { return popup->locationUrl() == m_server.url("/popup").toString(); }, 20000));
            QVERIFY(PopupBrowserWindow::openWindows().isEmpty());
        } else {
            QCOMPARE(h.flags.browserCount, 1);
            QCOMPARE(PopupBrowserWindow::openWindows().size(), 1);
            PopupBrowserWindow *window = PopupBrowserWindow::openWindows().first();
            QVERIFY(window->isVisible());
            QVERIFY(EventWait::until([&] { return window->page()->url() == m_server.url("/popup"); }, 20000));
        }
    }

    void pageCannotCloseItsPane()
    {
        Harness h;
        h.settings.popUpBrowser = 1;
        QVERIFY(h.openAndLoad(m_server.url("/closer-opener")));
        QVERIFY(EventWait::until([&] { return h.flags.browserCount == 2; }, 20000));
        // The script-opened page may close its window: the engine asks, the
        // pane says no.
        QSignalSpy closing(h.grid->pane(1)->control(), &BrowserControl::windowClosing);
        QVERIFY(closing.wait(20000));
        QCoreApplication::processEvents();
        QCOMPARE(h.flags.browserCount, 2);
        QVERIFY(h.grid->pane(1));
        QVERIFY(h.control(1)->view()->isVisible());
    }

    void silentPagesShowNoDialogs()
    {
        Harness h;
        QVERIFY(h.grid->openAddressInNewBrowser(QStringLiteral("about:blank"), BrowserGrid::BtNormal));
        WebEngineBrowserControl *c = h.control(0);
        c->setSilent(true);
        QSignalSpy done(c, &BrowserControl::documentComplete);
        h.grid->pane(0)->navigateTo(m_server.url("/alert").toString());
        // A dialog would block the page's script; silent, the title follows.
        QVERIFY(EventWait::until([&] { return c->page()->title() == QStringLiteral("after"); }, 20000));
        QVERIFY(QApplication::topLevelWidgets().size() >= 1);
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->inherits("QMessageBox") || !w->isVisible(), "a script dialog was shown");
    }

    void offlinePanesDoNotTouchTheNetwork()
    {
        Harness h;
        h.flags.connectionState = 0;
        const int before = m_server.requestCount("/b");
        QVERIFY(h.grid->openAddressInNewBrowser(m_server.url("/b").toString(), BrowserGrid::BtNormal));
        BrowserControl *c = h.grid->pane(0)->control();
        QVERIFY(c->offline());
        QVERIFY(EventWait::until([c] { return c->hasDocument() && !c->busy(); }, 20000));
        QCOMPARE(m_server.requestCount("/b"), before);

        h.flags.connectionState = 1;
        QVERIFY(h.openAndLoad(m_server.url("/b")));
        QCOMPARE(m_server.requestCount("/b"), before + 1);
    }

    void deletingFreesThePage()
    {
        Harness h;
        h.flags.deleteDelay = 100;
        QVERIFY(h.openAndLoad(m_server.url("/plain")));
        QPointer<QWebEnginePage> page = h.control(0)->page();
        QVERIFY(h.grid->deleteActiveBrowser());
        QVERIFY(!page);
        QCOMPARE(h.flags.browserCount, 0);
    }
};

QTEST_MAIN(TestWebEnginePane)
#include "test_webenginepane.moc"
