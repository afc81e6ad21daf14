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
#include "support/smalldisk.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QWebEngineProfile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include <memory>

#include <sys/stat.h>

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

    // A prompter whose user ticks the remember box as planned.
    struct TickingPrompter : ScriptedPrompter
    {
        struct Answer
        {
            bool yes;
            bool tick;
        };
        QList<Answer> plan;
        QStringList tickTexts;
        bool askRememberable(const QString &text, const QString &rememberText, bool *remember) override
        {
            shown.append({Kind::Confirmation, text});
            tickTexts << rememberText;
            const Answer answer = plan.isEmpty() ? Answer{false, false} : plan.takeFirst();
            *remember = answer.tick;
            return answer.yes;
        }
    };
    struct TickingHost : RecordingPaneHost
    {
        mutable TickingPrompter ticking;
        Prompter &prompter() const override { return ticking; }
        QStringList messages() const { return ticking.texts(); }
    };

    // A pane of its own in a window, opening a page of server that asks
    // for notifications; the question is answered by the plan.
    struct AskingPane
    {
        TickingHost host;
        PlainPaneLook look;
        QWidget window;
        BrowserPane *pane = nullptr;

        AskingPane(const LocalWebServer &server, TickingPrompter::Answer answer)
        {
            host.ticking.plan = {answer};
            window.resize(500, 400);
            pane = new BrowserPane(host, look, &window);
            pane->setGeometry(0, 0, 400, 300);
            pane->initBrowserPane();
            host.panes << pane;
            window.show();
            pane->navigateTo(server.url("/notify").toString());
        }
        ~AskingPane() { close(); }
        QString title() const
        {
            return qobject_cast<WebEngineBrowserControl *>(pane->control())->page()->title();
        }
        // The page's title said the answer it was given.
        bool answered(const QString &seen) const
        {
            return EventWait::until([&] { return title() == seen; }, 20000);
        }
        void close()
        {
            if (!pane->control())
                return;
            pane->closeBrowserPane();
            pane->freeBrowserControl();
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
    void init()
    {
        SitePermissions::forgetAll();
        SitePermissions::setStoreFile({});
    }

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

    // The question comes with a tick box: ticked, the answer is kept in the
    // permission file and holds at the next start without a question;
    // unticked, it holds for this run only. Either way a refusal reaches the
    // page as a denial.
    void rememberedAnswerOutlastsTheRun_data()
    {
        QTest::addColumn<bool>("allow");
        QTest::addColumn<bool>("tick");
        QTest::newRow("allowed, ticked") << true << true;
        QTest::newRow("refused, ticked") << false << true;
        QTest::newRow("allowed, unticked") << true << false;
        QTest::newRow("refused, unticked") << false << false;
    }
    void rememberedAnswerOutlastsTheRun()
    {
        QFETCH(bool, allow);
        QFETCH(bool, tick);
        const auto seen = [](bool allowed) { return allowed ? QStringLiteral("granted") : QStringLiteral("denied"); };
        QTemporaryDir folder;
        const QString file = SitePermissions::filePath(folder.path() + "/");
        QCOMPARE(file, folder.filePath("sitepermissions.txt"));
        QVERIFY(SitePermissions::setStoreFile(file).isEmpty());
        const QHostAddress site = freshSite();
        LocalWebServer server(site);
        server.addPage("/notify", page("asking", "<script>Notification.requestPermission().then("
                                                 "function (p) { document.title = p; });</script>"));
        const QString question = QStringLiteral("%1 wants to show you notifications. Allow?").arg(site.toString());
        {
            AskingPane asking(server, {allow, tick});
            const bool answered = asking.answered(seen(allow));
            const QString title = asking.title();
            asking.close();
            QVERIFY2(answered, qPrintable(title));
            QCOMPARE(asking.host.messages(), QStringList{question});
            QCOMPARE(asking.host.ticking.tickTexts,
                     QStringList{QStringLiteral("Remember this answer for %1").arg(site.toString())});
        }
        QCOMPARE(SitePermissions::answer(server.url("/"), QWebEnginePage::Notifications), std::optional<bool>(allow));
        QVERIFY(SitePermissions::lastSaveFailure().isEmpty());
        if (tick) {
            QFile kept(file);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(kept.readAll()),
                     QStringLiteral("http://%1:%2 %3 %4\n")
                         .arg(site.toString())
                         .arg(server.serverPort())
                         .arg(int(QWebEnginePage::Notifications))
                         .arg(allow ? "allow" : "deny"));
        } else {
            QVERIFY(!QFileInfo::exists(file));
        }

        // The next start: the answers of the run are gone, the file is read
        // again, and a page of an engine that has not been asked yet asks.
        SitePermissions::forgetAll();
        QVERIFY(SitePermissions::setStoreFile(file).isEmpty());
        QTemporaryDir storage;
        auto *profile = new QWebEngineProfile(QStringLiteral("NextStart%1").arg(s_nextSite));
        profile->setPersistentStoragePath(storage.path());
        auto *fresh = new QWebEnginePage(profile);
        RecordingPaneHost host;
        // Asked again (unticked): this time the other answer.
        host.scripted().answers = {!allow};
        auto *questions = new PageQuestions(fresh);
        questions->setHost(&host);
        fresh->load(server.url("/notify"));
        const QString expected = seen(tick ? allow : !allow);
        const bool reached = EventWait::until([&] { return fresh->title() == expected; }, 20000);
        const QString title = fresh->title();
        delete fresh;
        delete profile;
        QVERIFY2(reached, qPrintable(title));
        QCOMPARE(host.messages(), tick ? QStringList() : QStringList{question});
    }

    // A ticked answer that cannot be saved (a full disk) holds for the run,
    // and the user is told why it will not hold beyond it.
    void aRememberedAnswerThatCannotBeSavedIsSaid()
    {
        SmallDisk disk(QDir::homePath() + QStringLiteral("/small"));
        if (!disk.available())
            QSKIP("No small disk to fill: mounting a tmpfs needs root.");
        disk.fill();
        const QString file = SitePermissions::filePath(disk.path() + "/");
        QVERIFY(SitePermissions::setStoreFile(file).isEmpty());
        const QHostAddress site = freshSite();
        LocalWebServer server(site);
        server.addPage("/notify", page("asking", "<script>Notification.requestPermission().then("
                                                 "function (p) { document.title = p; });</script>"));
        AskingPane asking(server, {true, true});
        const bool granted = asking.answered(QStringLiteral("granted"));
        QTRY_COMPARE_WITH_TIMEOUT(asking.host.messages().size(), qsizetype(2), 5000);
        asking.close();
        SitePermissions::setStoreFile({});
        QVERIFY(granted);
        QCOMPARE(asking.host.messages(),
                 QStringList({QStringLiteral("%1 wants to show you notifications. Allow?").arg(site.toString()),
                              "Could not save the site permissions: the disk is full. Nothing was written."}));
        QVERIFY(!QFileInfo::exists(file));
    }

    // A permission file spoilt by hand, by a crash of another program or on
    // purpose: what can be used is used, line by line, the rest skipped
    // within bounds; the file as it was is kept aside and the new one holds
    // the good lines. Nothing of it stops the start.
    void damagedPermissionFileIsSalvaged_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("good");
        QTest::addColumn<QString>("notice");
        const QByteArray a = "https://cam.example:8443 3 allow";
        const QByteArray b = "https://where.example 1 deny";
        const QString two = "Some lines of the site permissions file could not be read; 2 remembered answers were kept.";
        QTest::newRow("whole, CR LF") << QByteArray(a + "\r\n" + b + "\r\n") << QStringList{a, b} << QString();
        QTest::newRow("bad lines among good")
            << QByteArray(a + "\njust words\nhttps://bad.example 0 maybe\nhttps://bad.example 99 allow\n"
                              "https://bad.example/path 0 allow\nhttps://bad.example 0 allow extra\n"
                              "bad.example 0 allow\n\x01\xff\xfe 0 allow\n\n"
                          + b + "\n")
            << QStringList{a, b} << two;
        QTest::newRow("endless line") << QByteArray(a + "\nhttps://bad.example 0 allow" + QByteArray(200000, 'x') + "\n" + b)
                                      << QStringList{a} << "Some lines of the site permissions file could not be read; "
                                                            "1 remembered answer was kept.";
        QTest::newRow("long line") << QByteArray("https://bad.example 0 allow" + QByteArray(5000, ' ') + "x\n" + a + "\n" + b)
                                   << QStringList{a, b} << two;
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919) % 251);
        QTest::newRow("binary") << noise << QStringList{}
                                << "Some lines of the site permissions file could not be read; 0 remembered answers were kept.";
    }
    void damagedPermissionFileIsSalvaged()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, good);
        QFETCH(QString, notice);
        QTemporaryDir folder;
        const QString file = folder.filePath("sitepermissions.txt");
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const QString said = SitePermissions::setStoreFile(file);
        QStringList damaged = QDir(folder.path()).entryList({"sitepermissions.txt.damaged-*"}, QDir::Files);
        if (notice.isEmpty()) {
            QCOMPARE(said, QString());
            QVERIFY(damaged.isEmpty());
        } else {
            QCOMPARE(damaged.size(), 1);
            QCOMPARE(said, notice + "\nThe file was kept as " + damaged.first() + ".");
            QFile original(folder.filePath(damaged.first()));
            QVERIFY(original.open(QIODevice::ReadOnly));
            QCOMPARE(original.readAll(), content);
            QFile rewritten(file);
            QVERIFY(rewritten.open(QIODevice::ReadOnly));
            QCOMPARE(rewritten.readAll(), good.isEmpty() ? QByteArray() : (good.join('\n') + '\n').toUtf8());
        }
        for (const QString &line : good) {
            const QStringList words = line.split(' ');
            QCOMPARE(SitePermissions::answer(QUrl(words[0] + "/page"), QWebEnginePage::Feature(words[1].toInt())),
                     std::optional<bool>(words[2] == "allow"));
        }
        QCOMPARE(SitePermissions::answer(QUrl("https://bad.example/"), QWebEnginePage::Notifications), std::nullopt);
        QCOMPARE(SitePermissions::answer(QUrl("https://bad.example/path"), QWebEnginePage::Notifications), std::nullopt);
        SitePermissions::setStoreFile({});
    }

    // Something that is not a plain file at the place of the permission
    // file (a folder, a pipe no one writes to) is not read, and the start
    // goes on at once.
    void notAFileIsNotRead_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("folder") << false;
        QTest::newRow("pipe") << true;
    }
    void notAFileIsNotRead()
    {
        QFETCH(bool, pipe);
        QTemporaryDir folder;
        const QString file = folder.filePath("sitepermissions.txt");
        if (pipe)
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else
            QVERIFY(QDir().mkdir(file));
        QElapsedTimer clock;
        clock.start();
        // A reader that waits on the pipe would never come back: it runs
        // on a thread of its own and is given a second.
        QString said = "not back";
        QThread *reader = QThread::create([&] { said = SitePermissions::setStoreFile(file); });
        reader->start();
        const bool back = reader->wait(QDeadlineTimer(1000));
        if (!back) {
            // Unblock it with a writer so the thread can end.
            QFile writer(file);
            if (writer.open(QIODevice::WriteOnly))
                writer.close();
            reader->wait();
        }
        delete reader;
        QVERIFY(back);
        QCOMPARE(said, QString());
        QVERIFY(QDir(folder.path()).entryList({"*.damaged-*"}).isEmpty());
        SitePermissions::setStoreFile({});
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
