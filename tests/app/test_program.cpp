#include "core/inifile.h"
#include "core/settingsstore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
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
};

QTEST_GUILESS_MAIN(TestProgram)
#include "test_program.moc"
