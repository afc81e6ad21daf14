#include "grid/pagelifecycle.h"
#include "pane/enginesetup.h"
#include "pane/webenginebrowsercontrol.h"
#include "support/gridharness.h"
#include "support/localwebserver.h"

#include <QQuickWidget>
#include <QScrollBar>
#include <QTest>

using Lifecycle = BrowserControl::Lifecycle;

// Panes out of view are frozen or discarded by the choice; panes in view,
// the active one and one heard playing sound stay live; a page that is
// needed wakes.
class TestPageLifecycle : public QObject
{
    Q_OBJECT

    // Three panes in cells 0 to 2 of 720 x 460: cells 0 and 1 reach into
    // the 900 x 600 view, cell 2 lies beyond its right edge. Pane 0 active.
    static void openThree(GridHarness &h)
    {
        for (int i = 0; i < 3; ++i)
            h.open(QStringLiteral("http://%1.test/").arg(i));
        QVERIFY(h.grid->pane(0)->selectBrowser(true));
        h.grid->scrollBox()->horizontalScrollBar()->setValue(0);
        h.grid->scrollBox()->verticalScrollBar()->setValue(0);
    }
    static QString states(GridHarness &h)
    {
        QString text;
        for (int n = 0; n < 3; ++n) {
            switch (h.grid->pane(n)->control()->lifecycle()) {
            case Lifecycle::Active:
                text += QLatin1Char('a');
                break;
            case Lifecycle::Frozen:
                text += QLatin1Char('f');
                break;
            case Lifecycle::Discarded:
                text += QLatin1Char('d');
                break;
            }
        }
        return text;
    }

    // The colour the pane's drawing widget paints in its middle, from the
    // picture it keeps of the page, on black.
    static QColor painted(BrowserControl *control)
    {
        auto *view = qobject_cast<WebEngineBrowserControl *>(control)->view();
        auto *drawing = qobject_cast<QQuickWidget *>(view->focusProxy());
        if (!drawing)
            return {};
        QImage picture(drawing->size(), QImage::Format_RGB32);
        picture.fill(Qt::black);
        drawing->render(&picture);
        return picture.pixelColor(picture.width() / 2, picture.height() / 2);
    }

private slots:
    void initTestCase()
    {
        // As on a machine without a graphics card, where a pane at rest
        // gives up its picture.
        QCOMPARE(EngineSetup::chooseRendering(), EngineSetup::Rendering::Software);
    }

    void outOfViewByTheChoice_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("frozen");    // after the freeze delay only
        QTest::addColumn<QString>("discarded"); // after both delays
        QTest::newRow("keep all pages live") << 0 << "aaa" << "aaa";
        QTest::newRow("freeze pages out of view") << 1 << "aaf" << "aaf";
        QTest::newRow("discard pages out of view") << 2 << "aaf" << "aad";
    }
    void outOfViewByTheChoice()
    {
        QFETCH(int, choice);
        GridHarness h;
        h.settings.pagesOutOfView = choice;
        openThree(h);
        PageLifecycle lifecycle(*h.grid, h.settings);
        lifecycle.setDelays(0, 60 * 60 * 1000);
        lifecycle.update(); // the clock starts for the pane out of view
        QCOMPARE(states(h), QStringLiteral("aaa"));
        lifecycle.update();
        QTEST(states(h), "frozen");
        lifecycle.setDelays(0, 0);
        lifecycle.update();
        QTEST(states(h), "discarded");
        // Scrolled into view: live at once.
        h.grid->scrollBox()->horizontalScrollBar()->setValue(h.grid->pane(2)->x());
        QCOMPARE(h.grid->pane(2)->control()->lifecycle(), Lifecycle::Active);
        // Back to keeping all live wakes what is out of view now.
        lifecycle.update();
        lifecycle.update();
        h.settings.pagesOutOfView = 0;
        lifecycle.update();
        QCOMPARE(states(h), QStringLiteral("aaa"));
    }

    void theActivePaneAndOneHeardStayLive_data()
    {
        QTest::addColumn<int>("paneSound");
        QTest::addColumn<QString>("states");
        QTest::newRow("heard playing sound") << 0 << "aaa";
        QTest::newRow("playing sound, muted") << 2 << "aaf";
    }
    void theActivePaneAndOneHeardStayLive()
    {
        QFETCH(int, paneSound);
        GridHarness h;
        h.settings.paneSound = paneSound;
        PageLifecycle lifecycle(*h.grid, h.settings);
        lifecycle.setDelays(0, 60 * 60 * 1000);
        openThree(h);
        h.grid->applyPaneSound();
        h.control(2)->setAudible(true);
        lifecycle.update();
        lifecycle.update();
        QTEST(states(h), "states");
        // The active pane out of view stays live too.
        QVERIFY(h.grid->pane(2)->selectBrowser(true));
        h.grid->scrollBox()->horizontalScrollBar()->setValue(0);
        h.control(2)->setAudible(false);
        lifecycle.update();
        lifecycle.update();
        QCOMPARE(h.grid->pane(2)->control()->lifecycle(), Lifecycle::Active);
    }

    // The real engine: a live page out of view is hidden from the engine at
    // once, as a background tab (it loads and runs, but draws nothing), and
    // shown again when it comes into view; with "keep all pages live" it
    // stays as it was.
    void outOfViewPagesDrawNothing_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("outOfView");
        QTest::newRow("keep all pages live") << 0 << "visible";
        QTest::newRow("freeze pages out of view") << 1 << "hidden";
        QTest::newRow("discard pages out of view") << 2 << "hidden";
    }
    void outOfViewPagesDrawNothing()
    {
        QFETCH(int, choice);
        QFETCH(QString, outOfView);
        LocalWebServer server;
        // Counts the frames it draws where the program's scripts see it.
        server.addPage(QStringLiteral("/page.html"),
                       "<html><body style='background:#00ff00'><script>let n = 0;"
                       "(function f() { document.body.dataset.frames = ++n; requestAnimationFrame(f); })();"
                       "</script></body></html>");
        GridHarness h(true);
        h.settings.pagesOutOfView = choice;
        PageLifecycle lifecycle(*h.grid, h.settings);
        // Never put to rest here: only whether the page is shown counts.
        lifecycle.setDelays(60 * 60 * 1000, 60 * 60 * 1000);
        for (int i = 0; i < 3; ++i)
            QVERIFY(h.openAndLoad(server.url(QStringLiteral("/page.html"))));
        QVERIFY(h.grid->pane(0)->selectBrowser(true));
        h.grid->scrollBox()->horizontalScrollBar()->setValue(0);
        lifecycle.update();
        BrowserControl *near = h.grid->pane(1)->control();
        BrowserControl *far = h.grid->pane(2)->control();
        const auto visibility = [](BrowserControl *control) {
            QVariant state;
            return control->runScript(QStringLiteral("document.visibilityState"), 10000, &state) ? state.toString()
                                                                                                 : QString();
        };
        const auto framesIn = [](BrowserControl *control, int ms) {
            QVariant before, after;
            const QString frames = QStringLiteral("Number(document.body.dataset.frames)");
            control->runScript(frames, 10000, &before);
            QTest::qWait(ms);
            control->runScript(frames, 10000, &after);
            return after.toInt() - before.toInt();
        };
        QCOMPARE(visibility(near), QStringLiteral("visible"));
        QTRY_COMPARE_WITH_TIMEOUT(visibility(far), outOfView, 5000);
        QCOMPARE(far->lifecycle(), Lifecycle::Active);
        // A loaded machine may skip a frame or two, never all for seconds.
        QTRY_VERIFY_WITH_TIMEOUT(framesIn(near, 100) > 0, 5000);
        if (outOfView == QLatin1String("hidden"))
            QCOMPARE(framesIn(far, 300), 0);

        // A picture of it still shows the page, and the grid's next look
        // hides it again.
        const QImage picture = far->grabVisible(10000);
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.pixelColor(picture.width() / 2, picture.height() / 2), QColor(0, 255, 0));
        lifecycle.update();
        QTRY_COMPARE_WITH_TIMEOUT(visibility(far), outOfView, 5000);

        // The window shown again shows every view's page to the engine; the
        // grid's next look hides the one out of view.
        h.window.hide();
        h.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        lifecycle.update();
        QTRY_COMPARE_WITH_TIMEOUT(visibility(far), outOfView, 5000);
        QCOMPARE(visibility(near), QStringLiteral("visible"));

        // Scrolled into view: shown and drawing at once.
        h.grid->scrollBox()->horizontalScrollBar()->setValue(h.grid->scrollBox()->horizontalScrollBar()->maximum());
        QTRY_COMPARE_WITH_TIMEOUT(visibility(far), QStringLiteral("visible"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(framesIn(far, 100) > 0, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(painted(far), QColor(0, 255, 0), 10000);
    }

    // The real engine: a frozen page answers a search, a discarded one
    // comes back with its address when it is wanted.
    void realPagesWakeWhenNeeded()
    {
        LocalWebServer server;
        server.addPage(QStringLiteral("/page.html"),
                       "<html><body style='background:#00ff00'><p>needle in the hay</p></body></html>");
        GridHarness h(true);
        h.settings.pagesOutOfView = 2;
        PageLifecycle lifecycle(*h.grid, h.settings);
        lifecycle.setDelays(0, 60 * 60 * 1000);
        for (int i = 0; i < 3; ++i)
            QVERIFY(h.openAndLoad(server.url(QStringLiteral("/page.html"))));
        QVERIFY(h.grid->pane(0)->selectBrowser(true));
        h.grid->scrollBox()->horizontalScrollBar()->setValue(0);
        BrowserControl *far = h.grid->pane(2)->control();
        lifecycle.update();
        lifecycle.update();
        QCOMPARE(far->lifecycle(), Lifecycle::Frozen);

        // Scrolled into view, it shows its page again.
        const QColor green(0, 255, 0);
        QVERIFY(painted(far) != green);
        h.grid->scrollBox()->horizontalScrollBar()->setValue(h.grid->scrollBox()->horizontalScrollBar()->maximum());
        lifecycle.update();
        QCOMPARE(far->lifecycle(), Lifecycle::Active);
        QTRY_COMPARE_WITH_TIMEOUT(painted(far), green, 10000);
        h.grid->scrollBox()->horizontalScrollBar()->setValue(0);
        lifecycle.update();
        lifecycle.update();
        QCOMPARE(far->lifecycle(), Lifecycle::Frozen);

        // A script on the frozen page wakes it and gets its answer; the
        // document is the same one.
        QVariant text;
        QVERIFY(far->runScript(QStringLiteral("window.mark = 42; document.body.innerText"), 10000, &text));
        QVERIFY(text.toString().contains(QStringLiteral("needle")));
        QCOMPARE(far->lifecycle(), Lifecycle::Active);
        lifecycle.update();
        lifecycle.update();
        QCOMPARE(far->lifecycle(), Lifecycle::Frozen);
        QVERIFY(far->runScript(QStringLiteral("window.mark"), 10000, &text));
        QCOMPARE(text.toInt(), 42);

        // Discarded, it keeps its address and loads again when it is needed.
        lifecycle.setDelays(0, 0);
        lifecycle.update();
        lifecycle.update();
        QCOMPARE(far->lifecycle(), Lifecycle::Discarded);
        // Freed on purpose is no crash: no notice, no reload behind the back.
        QWidget *notice = h.grid->pane(2)->findChild<QWidget *>(QStringLiteral("laCrashNotice"));
        QVERIFY(notice && !notice->isVisibleTo(h.grid->pane(2)));
        QCOMPARE(far->locationUrl(), server.url(QStringLiteral("/page.html")).toString());
        QVERIFY(far->runScript(QStringLiteral("typeof window.mark + ' ' + document.body.innerText"), 20000, &text));
        // A fresh document: the mark is gone, the text is there.
        QVERIFY2(text.toString().startsWith(QLatin1String("undefined needle")), qPrintable(text.toString()));
        QCOMPARE(far->lifecycle(), Lifecycle::Active);
        QVERIFY(!notice->isVisibleTo(h.grid->pane(2)));
    }
};

QTEST_MAIN(TestPageLifecycle)
#include "test_pagelifecycle.moc"
