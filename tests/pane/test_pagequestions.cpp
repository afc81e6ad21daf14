#include "core/eventwait.h"
#include "pane/browserpage.h"
#include "pane/browserpane.h"
#include "pane/enginesetup.h"
#include "pane/pagequestions.h"
#include "pane/popupbrowserwindow.h"
#include "pane/sitepermissions.h"
#include "pane/webenginebrowsercontrol.h"
#include "support/localwebserver.h"
#include "support/paneharness.h"
#include "support/recordingpanehost.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include <memory>

// What pages ask of the user, full screen and the page's menu, on the real
// engine with pages from local servers. The engine remembers answers per
// site for its session, so each case that needs a fresh question has a site
// (loopback address) of its own.
class TestPageQuestions : public QObject
{
    Q_OBJECT

    struct Harness : PaneHarness
    {
        // Loads url into a pane made active; true once its title is title.
        bool load(const QUrl &url, const QString &title, int browserNo = 0)
        {
            pane(browserNo)->selectBrowser(true);
            pane(browserNo)->navigateTo(url.toString());
            return titleBecomes(title, browserNo);
        }
        bool titleBecomes(const QString &title, int browserNo = 0) const
        {
            WebEngineBrowserControl *c = control(browserNo);
            return EventWait::until([&] { return c->page()->title() == title; }, 20000);
        }
        int asked(ScriptedPrompter::Kind kind)
        {
            int n = 0;
            for (const ScriptedPrompter::Shown &s : host.scripted().shown)
                n += s.kind == kind;
            return n;
        }
    };

    static int s_nextSite;
    // A loopback address no earlier case has used.
    static QHostAddress freshSite() { return QHostAddress(QStringLiteral("127.0.0.%1").arg(s_nextSite++)); }

    static QByteArray page(const QByteArray &title, const QByteArray &body = {})
    {
        return "<html><head><title>" + title + "</title></head><body style='margin:0'>" + body + "</body></html>";
    }

private slots:
    void initTestCase() { EngineSetup::chooseRendering(); }
    void init() { SitePermissions::forgetAll(); }

    // Sites see no engine name in the user agent, only the usual words of
    // a desktop browser.
    void userAgentNamesNoEngine()
    {
        LocalWebServer server;
        QByteArray agent;
        server.addResponder("/", [&agent](const QByteArray &request) {
            for (const QByteArray &line : request.split('\n'))
                if (line.toLower().startsWith("user-agent:"))
                    agent = line.mid(11).trimmed();
            const QByteArray body = page("Agent");
            return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size())
                   + "\r\nConnection: close\r\n\r\n" + body;
        });
        Harness h;
        QVERIFY(h.load(server.url("/"), "Agent"));
        QVERIFY2(!agent.contains("QtWebEngine"), agent.constData());
        QVERIFY2(agent.contains("Chrome/") && agent.startsWith("Mozilla/5.0"), agent.constData());
        QVariant scripted;
        QVERIFY(h.control()->runScript("navigator.userAgent", 5000, &scripted));
        QCOMPARE(scripted.toString().toUtf8(), agent);
    }

    // An invalid certificate is put to the user once per host; Yes shows
    // the page without the padlock, No leaves a status text.
    void invalidCertificate_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("refused") << false;
        QTest::newRow("accepted") << true;
    }
    void invalidCertificate()
    {
        QFETCH(bool, accept);
        QTemporaryDir folder;
        const QHostAddress site = freshSite();
        LocalSslWebServer server(folder.path(), site);
        if (!server.ready())
            QSKIP(qPrintable(QStringLiteral("No HTTPS server: %1").arg(server.failure())));
        server.addPage("/secret", page("Secret"));
        Harness h;
        h.addPane();
        h.host.scripted().answers = {accept};
        QSignalSpy lock(h.control(), &BrowserControl::setSecureLockIcon);
        const QString host = site.toString();
        for (int browserNo : {0, 1}) {
            h.pane(browserNo)->selectBrowser(true);
            h.pane(browserNo)->navigateTo(server.url("/secret").toString());
            if (accept) {
                QVERIFY(h.titleBecomes("Secret", browserNo));
            } else {
                const QString refused = PageQuestions::certificateRefusedText(host);
                QTRY_VERIFY_WITH_TIMEOUT(h.host.browserInfo.count(refused) == browserNo + 1, 20000);
                // It stays on the status line once the load has ended.
                QTRY_COMPARE_WITH_TIMEOUT(h.host.browserInfo.last(), refused, 20000);
                QVERIFY(h.control(browserNo)->page()->title() != "Secret");
            }
        }
        // Asked once for both panes.
        const QStringList texts = h.host.messages();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].startsWith(QStringLiteral("The certificate of %1 is not valid: ").arg(host))
                     && texts[0].endsWith(". Show the page anyway?"),
                 qPrintable(texts[0]));
        if (accept) {
            QTRY_VERIFY_WITH_TIMEOUT(!lock.isEmpty(), 10000);
            QCOMPARE(lock.last().at(0).toInt(), 0);
        }
    }

    // A site's wish is put to the user naming the site and the wish; the
    // answer reaches the page and holds for the site for the run.
    void permissionRequests_data()
    {
        QTest::addColumn<bool>("allow");
        QTest::addColumn<QString>("seen");
        QTest::newRow("refused") << false << "denied";
        QTest::newRow("allowed") << true << "granted";
    }
    void permissionRequests()
    {
        QFETCH(bool, allow);
        QFETCH(QString, seen);
        const QHostAddress site = freshSite();
        LocalWebServer server(site);
        server.addPage("/notify", page("asking", "<script>Notification.requestPermission().then("
                                                 "function (p) { document.title = p; });</script>"));
        Harness h;
        h.addPane();
        h.host.scripted().answers = {allow};
        QVERIFY(h.load(server.url("/notify"), seen, 0));
        QVERIFY(h.load(server.url("/notify"), seen, 1));
        QCOMPARE(h.host.messages(), QStringList{QStringLiteral("%1 wants to show you notifications. Allow?").arg(site.toString())});
        QCOMPARE(SitePermissions::answer(server.url("/"), QWebEnginePage::Notifications), std::optional<bool>(allow));
    }

    // Answers are kept in the permission file when there is one, and read
    // from it again.
    void permissionFile()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath("permissions");
        const QUrl camera("https://cam.example:8443/page");
        SitePermissions::setStoreFile(file);
        SitePermissions::remember(camera, QWebEnginePage::MediaVideoCapture, true);
        SitePermissions::remember(QUrl("https://where.example/"), QWebEnginePage::Geolocation, false);
        QVERIFY(SitePermissions::lastSaveFailure().isEmpty());
        SitePermissions::forgetAll();
        SitePermissions::setStoreFile(file);
        SitePermissions::setStoreFile({});
        QCOMPARE(SitePermissions::answer(QUrl("https://cam.example:8443/other"), QWebEnginePage::MediaVideoCapture),
                 std::optional<bool>(true));
        QCOMPARE(SitePermissions::answer(camera, QWebEnginePage::MediaAudioCapture), std::nullopt);
        QCOMPARE(SitePermissions::answer(QUrl("https://where.example/x"), QWebEnginePage::Geolocation),
                 std::optional<bool>(false));
        QCOMPARE(SitePermissions::question(camera, QWebEnginePage::MediaVideoCapture),
                 QStringLiteral("cam.example wants to use your camera. Allow?"));
    }

    // A sign-in is asked for with the host and realm, as often as the
    // server refuses; Cancel shows the server's own page.
    void signIn_data()
    {
        QTest::addColumn<QList<ScriptedPrompter::SignIn>>("answers");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("questions");
        using S = ScriptedPrompter::SignIn;
        QTest::newRow("right") << QList<S>{{true, "ann", "open sesame"}} << "Welcome ann" << 1;
        QTest::newRow("wrong twice") << QList<S>{{true, "ann", "guess"}, {true, "ann", "again"}, {true, "ann", "open sesame"}}
                                     << "Welcome ann" << 3;
        QTest::newRow("cancelled") << QList<S>{{false, {}, {}}} << "Members only" << 1;
    }
    void signIn()
    {
        QFETCH(QList<ScriptedPrompter::SignIn>, answers);
        QFETCH(QString, title);
        QFETCH(int, questions);
        const QHostAddress site = freshSite();
        LocalWebServer server(site);
        server.addResponder("/private", [](const QByteArray &request) {
            const QByteArray right = "Basic " + QByteArray("ann:open sesame").toBase64();
            bool signedIn = false;
            for (const QByteArray &line : request.split('\n'))
                signedIn = signedIn || (line.toLower().startsWith("authorization:") && line.mid(14).trimmed() == right);
            const QByteArray body = signedIn ? page("Welcome ann") : page("Members only");
            return (signedIn ? QByteArray("HTTP/1.1 200 OK\r\n")
                             : QByteArray("HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"Club\"\r\n"))
                   + "Content-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size())
                   + "\r\nConnection: close\r\n\r\n" + body;
        });
        Harness h;
        h.host.scripted().signIns = answers;
        QVERIFY(h.load(server.url("/private"), title));
        QCOMPARE(h.asked(ScriptedPrompter::Kind::Credentials), questions);
        QCOMPARE(h.host.messages(), QStringList(questions, Prompter::credentialsQuestion(site.toString(), "Club")));
    }

    // A page's full screen takes the whole screen and gives the pane its
    // page back, in place, on Esc or when the page leaves it.
    void fullScreen_data()
    {
        QTest::addColumn<bool>("byEsc");
        QTest::newRow("Esc") << true;
        QTest::newRow("page leaves") << false;
    }
    void fullScreen()
    {
        QFETCH(bool, byEsc);
        LocalWebServer server;
        server.addPage("/video", page("normal", "<div style='height:300px' onclick="
                                                "'document.documentElement.requestFullscreen()'>play</div>"
                                                "<script>document.onfullscreenchange = function () {"
                                                " document.title = document.fullscreenElement ? 'full' : 'normal'; };"
                                                "</script>"));
        Harness h;
        QVERIFY(h.load(server.url("/video"), "normal"));
        QWebEngineView *view = h.control()->view();
        QWidget *cell = view->parentWidget();
        const QRect place = view->geometry();
        const QRect paneGeometry = h.pane()->geometry();
        // A click before the engine has laid out the page goes nowhere:
        // click again until one lands.
        QVERIFY(EventWait::until([&] {
            if (h.control()->page()->title() == "full")
                return true;
            QTest::mouseClick(h.pageWidget(), Qt::LeftButton, {}, QPoint(50, 50));
            EventWait::forMilliseconds(500);
            return false;
        }, 20000));
        QTRY_VERIFY_WITH_TIMEOUT(view->window() != &h.window && view->window()->isFullScreen(), 5000);
        if (byEsc) {
            QTRY_VERIFY_WITH_TIMEOUT(QApplication::focusWidget() && QApplication::focusWidget()->window() == view->window(), 5000);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else {
            QVERIFY(h.control()->runScript("document.exitFullscreen(); true", 5000));
        }
        QVERIFY(h.titleBecomes("normal"));
        QTRY_COMPARE_WITH_TIMEOUT(view->parentWidget(), cell, 5000);
        QCOMPARE(view->geometry(), place);
        QVERIFY(view->isVisible());
        QCOMPARE(h.pane()->geometry(), paneGeometry);
    }

    // The page's menu on a link: its entries, and the link opened in the
    // grid's next pane, never a window of its own.
    void contextMenuOpensLinkInNewPane()
    {
        LocalWebServer server;
        server.addPage("/links", page("Links", "<a href='/target' style='display:block;height:250px'>go</a>"));
        server.addPage("/target", page("Target"));
        Harness h;
        QVERIFY(h.load(server.url("/links"), "Links"));
        QMenu *menu = nullptr;
        QVERIFY(EventWait::until([&] {
            if ((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())))
                return true;
            QTest::mouseClick(h.pageWidget(), Qt::RightButton, {}, QPoint(60, 60));
            EventWait::forMilliseconds(500);
            return false;
        }, 20000));
        QStringList texts;
        QAction *openLink = nullptr;
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            texts << action->text();
            if (action->text() == "Open link in new pane")
                openLink = action;
        }
        QCOMPARE(texts, QStringList({"Open link in new pane", "Copy link address", "Back", "Forward", "Reload", "Copy"}));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(openLink).center());
        QTRY_COMPARE_WITH_TIMEOUT(h.host.panes.size(), qsizetype(2), 5000);
        QVERIFY(h.titleBecomes("Target", 1));
        QCOMPARE(h.control(0)->page()->title(), QStringLiteral("Links"));
        QVERIFY(PopupBrowserWindow::openWindows().isEmpty());
    }
};

int TestPageQuestions::s_nextSite = 20;

QTEST_MAIN(TestPageQuestions)
#include "test_pagequestions.moc"
