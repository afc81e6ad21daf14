#include "core/inifile.h"
#include "core/settingsstore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

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
};

QTEST_GUILESS_MAIN(TestProgram)
#include "test_program.moc"
