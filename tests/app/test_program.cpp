#include "core/inifile.h"
#include "core/settingsstore.h"
#include "support/localwebserver.h"
#include "support/testfiles.h"

#include <QDir>
#include <QHash>
#include <QHostAddress>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

#include <csignal>

// The real program as a user starts it: in the test's own HOME, headless.
class TestProgram : public QObject
{
    Q_OBJECT

    static QString dataFolder() { return QDir::homePath() + QStringLiteral("/Documents/My Vorlan/"); }
    static QString wam() { return dataFolder() + QStringLiteral("Web Address Manager/webaddresses.wam"); }
    static QString conf()
    {
        return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Halvane/Vorlan.conf");
    }

    static void startAndWaitUntilRunning(QProcess &program)
    {
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(VORLAN_BINARY), {});
        QVERIFY(program.waitForStarted());
        // The address manager file is the last thing the start-up makes.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(wam()), 20000);
    }

private slots:
    void init()
    {
        QDir(QDir::homePath() + QStringLiteral("/Documents")).removeRecursively();
        QFile::remove(conf());
    }

    void firstStartThenTermination()
    {
        QProcess program;
        startAndWaitUntilRunning(program);
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        IniFile ini;
        QCOMPARE(int(ini.read(conf())), int(IniFile::ReadResult::Read));
        QCOMPARE(ini.sections(), SettingsStore::sectionNames());
        QCOMPARE(ini.value("Main Window", "width"), QStringLiteral("915"));
        QCOMPARE(ini.value("Main Window", "height"), QStringLiteral("600"));
        QCOMPARE(ini.value("Options/Browsers", "browser width"), QStringLiteral("720"));
        QCOMPARE(ini.value("Options/General", "nav grid hint width"), QStringLiteral("241"));
        QCOMPARE(ini.names("Options/DX").size(), 21);
        for (const char *sub : {"Web Address Manager", "Genre Lists", "Web Saves", "Aesthetic Profiles"})
            QVERIFY2(QFileInfo(dataFolder() + QLatin1String(sub)).isDir(), sub);
        QVERIFY(QFile::exists(wam()));
    }

    void secondLaunchEndsAtOnce()
    {
        QProcess first;
        startAndWaitUntilRunning(first);
        // The start wrote the defaults; only the shut-down can bring it back.
        QVERIFY(QFile::remove(conf()));
        QProcess second;
        QElapsedTimer clock;
        clock.start();
        second.start(QStringLiteral(VORLAN_BINARY), {});
        QVERIFY(second.waitForFinished(5000));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        ::kill(pid_t(first.processId()), SIGINT);
        QVERIFY(first.waitForFinished(20000));
        QCOMPARE(first.exitCode(), 0);
        // Being woken by a second launch does not stop the first from saving.
        QVERIFY(QFile::exists(conf()));
    }

    // Addresses on the command line open in panes; a second launch with
    // addresses hands them to the running copy and ends with 0. The panes
    // show in the session the program writes at close.
    void addressesOnTheCommandLine()
    {
        const QString pages = QDir::homePath() + QStringLiteral("/pages");
        QVERIFY(QDir().mkpath(pages));
        for (const char *name : {"one.html", "two words.html", "three.html"}) {
            QFile page(pages + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(page.open(QIODevice::WriteOnly));
            page.write("<html><body>a page</body></html>");
        }
        QProcess first;
        first.setWorkingDirectory(pages);
        first.setProcessChannelMode(QProcess::ForwardedChannels);
        first.start(QStringLiteral(VORLAN_BINARY), {QStringLiteral("one.html")});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(wam()), 20000);
        QProcess second;
        second.setWorkingDirectory(pages);
        second.start(QStringLiteral(VORLAN_BINARY), {QStringLiteral("two words.html"), pages + QStringLiteral("/three.html")});
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 0);
        QTest::qWait(1000); // the running copy opens what it was handed
        ::kill(pid_t(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(20000));
        QCOMPARE(first.exitCode(), 0);
        QFile session(dataFolder() + QStringLiteral("Session/panes.txt"));
        QVERIFY(session.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(session.readAll());
        const QString base = QUrl::fromLocalFile(pages).toString(QUrl::FullyEncoded);
        QVERIFY2(text.contains(QStringLiteral("0\t0\t") + base + QStringLiteral("/one.html")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("1\t0\t") + base + QStringLiteral("/two%20words.html")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("2\t0\t") + base + QStringLiteral("/three.html")), qPrintable(text));
    }

    // A page's alert box is open (a nested event loop) when the program is
    // told to end: it ends cleanly and saves, and the next start has the pane.
    void terminationWhileAPageShowsAnAlert_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::newRow("alert") << QByteArray("alert('Hello from the page')");
        QTest::newRow("confirm") << QByteArray("confirm('Sure?')");
        QTest::newRow("prompt") << QByteArray("prompt('Name?', 'x')");
    }
    void terminationWhileAPageShowsAnAlert()
    {
        QFETCH(QByteArray, script);
        LocalWebServer server;
        // The page asks for /shown right before its box, so the test knows
        // the box is up.
        server.addPage(QStringLiteral("/dialog.html"),
                       "<html><body>a page<script>fetch('/shown').then(() => " + script + ")</script></body></html>");
        server.addPage(QStringLiteral("/shown"), "ok");
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(VORLAN_BINARY), {server.url(QStringLiteral("/dialog.html")).toString()});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount(QStringLiteral("/shown")) > 0, 30000);
        // The session follows the panes within a few seconds, box or not.
        const QString sessionPath = dataFolder() + QStringLiteral("Session/panes.txt");
        QTRY_VERIFY_WITH_TIMEOUT(QString::fromUtf8(TestFiles::read(sessionPath)).contains(QStringLiteral("dialog.html")),
                                 15000);
        QVERIFY(QFile::remove(conf()));
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(QFile::exists(conf()));
        QVERIFY(QString::fromUtf8(TestFiles::read(sessionPath)).contains(QStringLiteral("dialog.html")));
    }

    // The "page processes" choice of the settings file decides at the start
    // how the pages of two sites run: each in a process of its own, or both
    // in one.
    void pageProcessesFollowTheChoice_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("fewest"); // page processes
        QTest::addColumn<int>("most");
        // Two sites, two processes (the engine may keep a spare one ready).
        QTest::newRow("one per site") << 0 << 2 << 3;
        QTest::newRow("shared") << 1 << 1 << 1;
    }
    void pageProcessesFollowTheChoice()
    {
        QFETCH(int, choice);
        QFETCH(int, fewest);
        QFETCH(int, most);
        QVERIFY(TestFiles::write(conf(), QStringLiteral("[Options/Extras]\npage processes=%1\n").arg(choice).toUtf8()));
        LocalWebServer first(QHostAddress(QStringLiteral("127.0.0.1")));
        LocalWebServer second(QHostAddress(QStringLiteral("127.0.0.2")));
        for (LocalWebServer *site : {&first, &second})
            site->addPage(QStringLiteral("/page"), "<html><body>a page<script>fetch('/loaded')</script></body></html>");
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(VORLAN_BINARY), {first.url(QStringLiteral("/page")).toString(),
                                                      second.url(QStringLiteral("/page")).toString()});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(first.requestCount(QStringLiteral("/loaded")) > 0
                                     && second.requestCount(QStringLiteral("/loaded")) > 0,
                                 30000);
        // The engine's page processes: forked by its zygote, below the program.
        const auto pageProcessesBelow = [](qint64 root) {
            QHash<qint64, QList<qint64>> children;
            QHash<qint64, QByteArray> commandLines;
            for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
                bool ok = false;
                const qint64 pid = entry.toLongLong(&ok);
                if (!ok)
                    continue;
                const QByteArray stat = TestFiles::read(QStringLiteral("/proc/%1/stat").arg(pid));
                const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
                if (fields.size() > 1)
                    children[fields[1].toLongLong()] << pid;
                commandLines[pid] = TestFiles::read(QStringLiteral("/proc/%1/cmdline").arg(pid)).replace('\0', ' ');
            }
            int pages = 0;
            QList<qint64> tree{root};
            for (int i = 0; i < tree.size(); ++i) {
                for (qint64 child : children.value(tree[i])) {
                    tree << child;
                    // A page process keeps its zygote's command line; its
                    // parent is the zygote.
                    if (commandLines[child].contains("--type=renderer")
                        || (commandLines[child].contains("--type=zygote")
                            && commandLines[tree[i]].contains("--type=zygote")))
                        ++pages;
                }
            }
            return pages;
        };
        QTRY_VERIFY_WITH_TIMEOUT(pageProcessesBelow(program.processId()) >= fewest, 10000);
        QVERIFY2(pageProcessesBelow(program.processId()) <= most,
                 qPrintable(QString::number(pageProcessesBelow(program.processId()))));
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 0);
        // The choice stays in the file for the next start.
        QVERIFY(TestFiles::read(conf()).contains(QStringLiteral("page processes=%1").arg(choice).toUtf8()));
    }

    // Launches that come at once, with no copy running or while the first
    // is starting, leave one copy running, and it opens every address.
    void launchesAtOnceLeaveOneCopy_data()
    {
        QTest::addColumn<bool>("firstStartsAlone");
        QTest::addColumn<int>("launches");
        QTest::newRow("none running, 10 at once") << false << 10;
        QTest::newRow("30 while the first starts") << true << 30;
    }
    void launchesAtOnceLeaveOneCopy()
    {
        QFETCH(bool, firstStartsAlone);
        QFETCH(int, launches);
        const QString pages = QDir::homePath() + QStringLiteral("/pages");
        QVERIFY(QDir().mkpath(pages));
        std::vector<std::unique_ptr<QProcess>> programs;
        QStringList expected;
        for (int i = 0; i < launches; ++i) {
            const QString page = pages + QStringLiteral("/page%1.html").arg(i);
            QFile file(page);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.write("<html><body>a page</body></html>") > 0);
            file.close();
            expected << QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded);
            auto program = std::make_unique<QProcess>();
            program->setProcessChannelMode(QProcess::ForwardedChannels);
            program->start(QStringLiteral(VORLAN_BINARY), {page});
            QVERIFY(program->waitForStarted());
            programs.push_back(std::move(program));
            if (i == 0 && firstStartsAlone)
                QThread::msleep(100); // it has taken the lock, and is starting
        }
        // Every launch but one hands its address over and ends.
        auto running = [&] {
            return std::count_if(programs.begin(), programs.end(),
                                 [](const auto &p) { return p->state() != QProcess::NotRunning; });
        };
        QTRY_COMPARE_WITH_TIMEOUT(running(), 1, 30000);
        for (const auto &program : programs)
            if (program->state() == QProcess::NotRunning)
                QCOMPARE(program->exitCode(), 0);
        auto last = std::find_if(programs.begin(), programs.end(),
                                 [](const auto &p) { return p->state() != QProcess::NotRunning; });
        // The running copy opens what it was handed; the session it writes
        // lists every pane.
        const QString sessionPath = dataFolder() + QStringLiteral("Session/panes.txt");
        auto sessionHasAll = [&] {
            QFile session(sessionPath);
            if (!session.open(QIODevice::ReadOnly))
                return false;
            const QString text = QString::fromUtf8(session.readAll());
            return std::all_of(expected.begin(), expected.end(), [&](const QString &a) { return text.contains(a); });
        };
        QTRY_VERIFY_WITH_TIMEOUT(sessionHasAll(), 30000);
        ::kill(pid_t((*last)->processId()), SIGTERM);
        QVERIFY((*last)->waitForFinished(20000));
        QCOMPARE((*last)->exitCode(), 0);
        QVERIFY(sessionHasAll());
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "test_program.moc"
