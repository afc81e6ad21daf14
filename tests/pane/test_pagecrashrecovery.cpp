#include "core/eventwait.h"
#include "pane/browserpage.h"
#include "pane/browserpane.h"
#include "pane/pagecrashrecovery.h"
#include "pane/webenginebrowsercontrol.h"
#include "support/localwebserver.h"
#include "support/recordingpanehost.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>

#include <csignal>
#include <sys/types.h>

Q_DECLARE_METATYPE(PageCrashRecovery::Step)

// A pane whose page's renderer dies: it comes back once by itself, and a
// second death within a minute leaves it to the user.
class TestPageCrashRecovery : public QObject
{
    Q_OBJECT

    // One pane on the real engine, alone in a window, showing a page of the
    // local server.
    struct Harness
    {
        LocalWebServer server;
        RecordingPaneHost host;
        PlainPaneLook look;
        QWidget window;
        BrowserPane *pane;

        Harness()
        {
            server.addPage(QStringLiteral("/page"), "<html><body><p id='p'>still here</p></body></html>");
            window.resize(500, 400);
            pane = new BrowserPane(host, look, &window);
            pane->setGeometry(0, 0, 420, 320);
            pane->initBrowserPane();
            window.show();
        }
        ~Harness()
        {
            pane->closeBrowserPane();
            pane->freeBrowserControl();
        }
        QWebEnginePage *page() const
        {
            return static_cast<WebEngineBrowserControl *>(pane->control())->page();
        }
        QLabel *notice() const { return pane->findChild<QLabel *>(QStringLiteral("laCrashNotice")); }
        bool load()
        {
            QSignalSpy done(pane->control(), &BrowserControl::documentComplete);
            pane->navigateTo(server.url(QStringLiteral("/page")).toString());
            return done.wait(20000) || !done.isEmpty();
        }
        // Kills the page's renderer as the system would, and waits until the
        // pane has heard of it.
        bool killRenderer()
        {
            const qint64 pid = page()->renderProcessPid();
            if (pid <= 0)
                return false;
            QSignalSpy gone(pane->control(), &BrowserControl::renderProcessGone);
            ::kill(pid_t(pid), SIGKILL);
            return gone.wait(20000) || !gone.isEmpty();
        }
        bool pageShowsText()
        {
            QVariant text;
            return pane->control()->runScript(QStringLiteral("document.getElementById('p').textContent"), 5000, &text)
                && text.toString() == QLatin1String("still here");
        }
    };

private slots:
    void steps_data()
    {
        QTest::addColumn<QList<int>>("secondsOfCrashes");
        QTest::addColumn<QList<PageCrashRecovery::Step>>("steps");
        using S = PageCrashRecovery::Step;
        QTest::newRow("once") << QList<int>{0} << QList<S>{S::ReloadNow};
        QTest::newRow("twice in a minute") << QList<int>{0, 59} << QList<S>{S::ReloadNow, S::OfferReload};
        QTest::newRow("a minute apart") << QList<int>{0, 60} << QList<S>{S::ReloadNow, S::ReloadNow};
        // A page that keeps crashing never loops: each death within a minute
        // of the one before waits for the user.
        QTest::newRow("again and again") << QList<int>{0, 30, 80, 200}
                                         << QList<S>{S::ReloadNow, S::OfferReload, S::OfferReload, S::ReloadNow};
    }
    void steps()
    {
        QFETCH(QList<int>, secondsOfCrashes);
        QFETCH(QList<PageCrashRecovery::Step>, steps);
        const QDateTime start(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC);
        QDateTime now = start;
        PageCrashRecovery recovery([&] { return now; });
        for (int i = 0; i < secondsOfCrashes.size(); ++i) {
            now = start.addSecs(secondsOfCrashes[i]);
            QCOMPARE(recovery.crashed(), steps[i]);
        }
    }

    void killedRendererComesBack()
    {
        Harness h;
        QVERIFY(h.load());
        QVERIFY(h.killRenderer());
        // The notice shows, the page loads again by itself and the notice goes.
        QVERIFY(h.notice()->isVisible());
        QCOMPARE(h.notice()->text(), PageCrashRecovery::ReloadingNotice);
        QTRY_VERIFY_WITH_TIMEOUT(!h.notice()->isVisible(), 20000);
        QVERIFY(h.pageShowsText());
        QCOMPARE(h.server.requestCount(QStringLiteral("/page")), 2);

        // Killed again at once: the page waits for the user's "Reload".
        QVERIFY(h.killRenderer());
        QVERIFY(h.notice()->isVisible());
        QCOMPARE(h.notice()->text(), PageCrashRecovery::StoppedNotice);
        QTest::qWait(0);
        QCOMPARE(h.server.requestCount(QStringLiteral("/page")), 2);
        QSignalSpy done(h.pane->control(), &BrowserControl::documentComplete);
        emit h.notice()->linkActivated(PageCrashRecovery::ReloadLink);
        QVERIFY(!h.notice()->isVisible());
        QVERIFY(done.wait(20000));
        QVERIFY(h.pageShowsText());
        QCOMPARE(h.server.requestCount(QStringLiteral("/page")), 3);
    }
};

QTEST_MAIN(TestPageCrashRecovery)
#include "test_pagecrashrecovery.moc"
