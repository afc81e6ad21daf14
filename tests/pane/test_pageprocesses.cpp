#include "core/eventwait.h"
#include "pane/browserpage.h"
#include "pane/browserpane.h"
#include "pane/enginesetup.h"
#include "pane/popupbrowserwindow.h"
#include "pane/webenginebrowsercontrol.h"
#include "support/localwebserver.h"
#include "support/pagedialogs.h"
#include "support/paneharness.h"
#include "support/recordingpanehost.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <functional>
#include <memory>

// Pages of several sites side by side on the real engine, with the page
// processes set up as the program sets them up (a process per site): one
// page's endless script, crash, pop-up flood or box loop costs only itself.
class TestPageProcesses : public QObject
{
    Q_OBJECT

    struct Harness : PaneHarness
    {
        explicit Harness(int panes) : PaneHarness(panes, {1700, 400}) {}
        QString title(int browserNo) const { return control(browserNo)->page()->title(); }
        bool loaded(int browserNo) const
        {
            return control(browserNo)->hasDocument() && !control(browserNo)->busy();
        }
    };

    // Four sites, each on a loopback address of its own.
    std::vector<std::unique_ptr<LocalWebServer>> m_sites;

    LocalWebServer &site(int k) { return *m_sites.at(k); }

    // A page whose title counts up while its script runs.
    static QByteArray ticker()
    {
        return "<html><body><script>var t = 0; setInterval(function () { document.title = 'tick ' + (++t); }, 50);"
               "</script></body></html>";
    }
    static int ticks(const QString &title) { return title.startsWith(QLatin1String("tick ")) ? title.mid(5).toInt() : -1; }

private slots:
    void initTestCase()
    {
        EngineSetup::chooseRendering();
        for (int k = 1; k <= 4; ++k) {
            m_sites.push_back(std::make_unique<LocalWebServer>(QHostAddress(QStringLiteral("127.0.0.%1").arg(k))));
            QVERIFY2(site(k - 1).isListening(), qPrintable(site(k - 1).errorString()));
            site(k - 1).addPage("/ticker", ticker());
        }
    }

    // An endless script in one pane: the three panes of other sites beside
    // it go on, the hung one says so and ends on Refresh, and comes back.
    void aHungPageStallsOnlyItself()
    {
        site(0).addPage("/hang", "<html><head><title>will hang</title></head><body><script>setTimeout(function () {"
                                 " for (;;) {} }, 300);</script></body></html>");
        Harness h(4);
        h.host.panes[0]->navigateTo(site(0).url("/hang").toString());
        for (int i = 1; i < 4; ++i)
            h.host.panes[i]->navigateTo(site(i).url("/ticker").toString());
        QSignalSpy responding(h.control(0), &BrowserControl::respondingChanged);
        QSignalSpy status(h.control(0), &BrowserControl::statusTextChange);
        QTRY_VERIFY_WITH_TIMEOUT(!h.control(0)->responding(), 20000);
        QCOMPARE(responding.size(), 1);
        QVERIFY(status.contains(QVariantList{WebEngineBrowserControl::NotRespondingText}));
        // The others tick on while the page hangs.
        QList<int> before;
        for (int i = 1; i < 4; ++i)
            before << ticks(h.title(i));
        EventWait::forMilliseconds(1500);
        for (int i = 1; i < 4; ++i)
            QVERIFY2(ticks(h.title(i)) > before[i - 1] + 5,
                     qPrintable(QStringLiteral("pane %1: %2 then %3").arg(i).arg(before[i - 1]).arg(h.title(i))));
        // A page operation does not wait out its time on the hung page.
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!h.control(0)->runScript(QStringLiteral("1"), 10000));
        QVERIFY(clock.elapsed() < 1000);

        // Refresh ends the page's process and loads it again, here without
        // its endless script.
        site(0).addPage("/hang", "<html><head><title>back</title></head><body>back</body></html>");
        QSignalSpy gone(h.control(0), &BrowserControl::renderProcessGone);
        h.control(0)->reload();
        QTRY_COMPARE_WITH_TIMEOUT(h.title(0), QStringLiteral("back"), 20000);
        QVERIFY(h.control(0)->responding());
        QCOMPARE(gone.size(), 0); // not taken for a crash
        QVERIFY(h.control(0)->runScript(QStringLiteral("1"), 5000));
    }

    // The question that tells a hung page runs in the page's own script
    // world (a world of the program's own in each of 64 page processes
    // costs memory); a page whose scripts may not run must still answer it,
    // or it would be taken for hung.
    void aPageWithoutScriptsIsNotTakenForHung_data()
    {
        QTest::addColumn<QByteArray>("policy");
        QTest::newRow("sandboxed without scripts") << QByteArray("sandbox");
        QTest::newRow("no script allowed") << QByteArray("script-src 'none'");
        QTest::newRow("no eval allowed") << QByteArray("script-src 'self'");
    }
    void aPageWithoutScriptsIsNotTakenForHung()
    {
        QFETCH(QByteArray, policy);
        const QString path = QStringLiteral("/strict-") + QString::number(qHash(policy));
        site(1).addResponder(path, [policy](const QByteArray &) {
            const QByteArray body = "<html><head><title>strict</title></head><body>no scripts here"
                                    "<script>document.title = 'ran';</script></body></html>";
            return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Security-Policy: " + policy
                + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
        });
        Harness h(1);
        QSignalSpy responding(h.control(0), &BrowserControl::respondingChanged);
        h.host.panes[0]->navigateTo(site(1).url(path).toString());
        QTRY_VERIFY_WITH_TIMEOUT(h.loaded(0), 20000);
        QCOMPARE(h.title(0), QStringLiteral("strict")); // its own script did not run
        EventWait::forMilliseconds(WebEngineBrowserControl::HangMs + 2 * WebEngineBrowserControl::ProbeMs);
        QVERIFY(h.control(0)->responding());
        QCOMPARE(responding.size(), 0);
    }

    // With many live pages the program's questions are spread out, so that
    // they cost the grid no more than a bounded rate in all; a page that
    // hangs among them is still found within a few seconds.
    void manyLivePagesAreAskedAtABoundedRate()
    {
        using Control = WebEngineBrowserControl;
        const int panes = 40;
        site(1).addPage("/still", "<html><head><title>still</title></head><body>still</body></html>");
        Harness h(panes);
        for (int i = 0; i < panes; ++i)
            h.host.panes[i]->navigateTo(site(1).url(QStringLiteral("/still?%1").arg(i)).toString());
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (int i = 0; i < panes; ++i)
                    if (!h.loaded(i))
                        return false;
                return true;
            }(),
            30000);
        // A round for every page to be counted among those asked.
        EventWait::forMilliseconds(2 * Control::ProbeMs + 500);

        const quint64 before = Control::probesSent();
        QElapsedTimer clock;
        clock.start();
        EventWait::forMilliseconds(5000);
        const double perSecond = double(Control::probesSent() - before) * 1000.0 / double(clock.elapsed());
        QVERIFY2(perSecond <= Control::ProbesPerSecond * 1.3, qPrintable(QString::number(perSecond)));
        QVERIFY2(perSecond >= Control::ProbesPerSecond * 0.5, qPrintable(QString::number(perSecond)));

        // Every page shares the one process of its site: the hang holds all
        // forty, each found on its own.
        QSignalSpy responding(h.control(panes - 1), &BrowserControl::respondingChanged);
        QVERIFY(h.control(0)->runScript(
            QStringLiteral("setTimeout(function () { for (;;) {} }, 0); 1"), 5000));
        clock.restart();
        QTRY_VERIFY_WITH_TIMEOUT(!h.control(panes - 1)->responding(), 20000);
        const qint64 spread = qint64(panes) * 1000 / Control::ProbesPerSecond;
        QVERIFY2(clock.elapsed() <= Control::HangMs + 2 * spread + 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(responding.size(), 1);
        // Ended here: the panes go with the harness.
        ::kill(pid_t(h.control(0)->page()->renderProcessPid()), SIGKILL);
    }

    // A page process that dies takes only the panes of its site with it.
    void aKilledProcessReloadsOnlyItsSite()
    {
        Harness h(4);
        // Two panes of the first site, one each of two others.
        h.host.panes[0]->navigateTo(site(0).url("/ticker").toString());
        h.host.panes[1]->navigateTo(site(0).url("/ticker?second").toString());
        h.host.panes[2]->navigateTo(site(1).url("/ticker").toString());
        h.host.panes[3]->navigateTo(site(2).url("/ticker").toString());
        QTRY_VERIFY_WITH_TIMEOUT(h.loaded(0) && h.loaded(1) && h.loaded(2) && h.loaded(3), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(ticks(h.title(3)) > 0, 10000);
        QList<std::shared_ptr<QSignalSpy>> gone;
        for (int i = 0; i < 4; ++i)
            gone << std::make_shared<QSignalSpy>(h.control(i), &BrowserControl::renderProcessGone);
        const qint64 pid = h.control(0)->page()->renderProcessPid();
        QVERIFY(pid > 0);
        QVERIFY(h.control(2)->page()->renderProcessPid() != pid);
        QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
        QTRY_VERIFY_WITH_TIMEOUT(gone[0]->size() == 1 && gone[1]->size() == 1, 20000);
        const int before = ticks(h.title(3));
        EventWait::forMilliseconds(1000);
        QCOMPARE(gone[2]->size(), 0);
        QCOMPARE(gone[3]->size(), 0);
        QVERIFY(ticks(h.title(3)) > before);
        // The site's own panes load again (the first crash of a pane).
        QTRY_VERIFY_WITH_TIMEOUT(ticks(h.title(0)) > 0 && ticks(h.title(1)) > 0, 20000);
    }

    // A page that calls window.open in a loop gets a few windows, no more,
    // and the pane says why; a link the user clicks still opens one.
    void aPopUpFloodStaysUnderTheCap()
    {
        site(3).addPage("/flood", "<html><body style='margin:0'><a id=l href='/ticker' target=_blank "
                                  "style='display:block;height:200px'>open</a><script>setTimeout(function () {"
                                  " for (var i = 0; i < 50; ++i) window.open('/ticker?' + i); }, 0);</script>"
                                  "</body></html>");
        Harness h(1);
        h.host.popUpSetting = 1; // pop-ups open in panes of the grid
        QSignalSpy status(h.control(0), &BrowserControl::statusTextChange);
        h.host.panes[0]->navigateTo(site(3).url("/flood").toString());
        QTRY_VERIFY_WITH_TIMEOUT(status.contains(QVariantList{WebEngineBrowserControl::PopUpRefusedText}), 20000);
        EventWait::forMilliseconds(500);
        QCOMPARE(h.host.panes.size(), 1 + PopUpLimit::Allowed);
        QCOMPARE(PopupBrowserWindow::openWindows().size(), 0);
        // The user's own click is not counted against the page.
        QWidget *page = h.control(0)->view()->focusProxy() ? h.control(0)->view()->focusProxy() : h.control(0)->view();
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                if (h.host.panes.size() == 1 + PopUpLimit::Allowed)
                    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(100, 100));
                return h.host.panes.size() > 1 + PopUpLimit::Allowed;
            }(),
            20000);
    }

    // A page that shows box after box holds its own pane only: the box lies
    // over the pane, not over the window, and the window takes typing
    // meanwhile; from the second box the user can stop the page's boxes, and
    // the page goes on without them. The user's steps run from a timer, as
    // input comes in while a box waits in its own event loop.
    void anAlertLoopHoldsItsPaneOnly()
    {
        site(0).addPage("/alert-loop", "<html><body><script>var n = 0; setTimeout(function () {"
                                       " while (n < 500) alert('box ' + (++n)); document.title = 'boxes ' + n; }, 0);"
                                       "</script></body></html>");
        Harness h(1);
        auto *elsewhere = new QLineEdit(&h.window);
        elsewhere->setGeometry(0, 320, 200, 24);
        elsewhere->show();
        QStringList problems;
        auto expect = [&](bool ok, const char *what) {
            if (!ok)
                problems << QString::fromLatin1(what);
        };
        QPointer<PageDialog> first;
        const QList<std::function<bool()>> steps{
            [&] {
                if (!(first = shownPageDialog()))
                    return false;
                expect(!first->isWindow(), "the box is a window of its own");
                expect(first->parentWidget() == h.control(0)->view(), "the box is not over its pane's view");
                expect(!first->findChild<QCheckBox *>(QStringLiteral("pageDialogStop")), "the first box offers to stop");
                return true;
            },
            [&] {
                QTest::mouseClick(elsewhere, Qt::LeftButton);
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("typed"));
                expect(elsewhere->text() == QLatin1String("typed"), "the window took no typing");
                expect(shownPageDialog() == first, "the box went away");
                QTest::mouseClick(first->findChild<QPushButton *>(QStringLiteral("pageDialogOk")), Qt::LeftButton);
                return true;
            },
            [&] {
                PageDialog *second = shownPageDialog();
                if (!second || second == first)
                    return false;
                auto *stop = second->findChild<QCheckBox *>(QStringLiteral("pageDialogStop"));
                expect(stop, "the second box does not offer to stop");
                if (stop)
                    QTest::mouseClick(stop, Qt::LeftButton);
                QTest::mouseClick(second->findChild<QPushButton *>(QStringLiteral("pageDialogOk")), Qt::LeftButton);
                return true;
            },
        };
        int step = 0;
        QTimer user;
        connect(&user, &QTimer::timeout, &user, [&] {
            if (step < steps.size() && steps[step]())
                ++step;
        });
        user.start(20);
        h.host.panes[0]->navigateTo(site(0).url("/alert-loop").toString());
        QTRY_COMPARE_WITH_TIMEOUT(step, int(steps.size()), 30000);
        // No more boxes: the page's loop runs on unanswered.
        QTRY_COMPARE_WITH_TIMEOUT(h.title(0), QStringLiteral("boxes 500"), 10000);
        QVERIFY(!shownPageDialog());
        QCOMPARE(problems, QStringList());
    }
};

int main(int argc, char *argv[])
{
    // As the program starts: a page process per site.
    EngineSetup::applyBeforeApplication(EngineSetup::PageProcesses::PerSite);
    QApplication app(argc, argv);
    TestPageProcesses test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_pageprocesses.moc"
