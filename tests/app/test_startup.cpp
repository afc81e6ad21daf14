#include "addresses/addressmanager.h"
#include "addresses/managerpanel.h"
#include "app/mainwindow.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "support/testfiles.h"
#include "support/windowharness.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QTest>

// The start-up sequence and shut-down of the main window, on folders of the
// test's own.
class TestStartup : public QObject
{
    Q_OBJECT

    struct Run
    {
        QTemporaryDir dir;
        Settings settings;
        RuntimeFlags flags;
        ScriptedPrompter prompter;
        RecordingShell shell;
        StartupEnvironment env = testEnvironment(dir);

        QString wam() const { return dir.filePath(QStringLiteral("Documents/My Vorlan/Web Address Manager/webaddresses.wam")); }
    };

private slots:
    void normalStartAndClose()
    {
        Run run;
        MainWindow window(run.settings, run.flags, run.prompter, run.shell, run.env);
        QVERIFY(window.startUp());
        QVERIFY(run.prompter.shown.isEmpty());
        QCOMPARE(run.flags.dataFolder, run.dir.filePath(QStringLiteral("Documents/My Vorlan/")));
        QCOMPARE(run.flags.programFolder, run.env.programFolder);
        QCOMPARE(run.flags.activeBrowser, NoIndex);
        QVERIFY(window.grid());
        // A first start writes the designed favorites: two roots, four groups, 114 addresses.
        QFile wam(run.wam());
        QVERIFY(wam.open(QIODevice::ReadOnly));
        const QByteArray written = wam.readAll();
        QCOMPARE(written.count("\r\n"), 120);
        QVERIFY(written.startsWith("Favorites\r\n\t"));
        QVERIFY(written.endsWith("\r\nHistory\r\n"));

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(915, 600));
        window.resize(1000, 700);
        QFile::remove(run.env.settingsFile);
        QVERIFY(window.close());
        QVERIFY(QFile::exists(run.env.settingsFile));
        QCOMPARE(run.settings.width, 1000);
        QCOMPARE(run.settings.height, 700);
        QVERIFY(run.flags.backgroundSuspended());
    }

    // What the user adds to the favorites in one run is there in the next.
    void favoritesLastIntoTheNextRun()
    {
        Run run;
        QString group;
        {
            MainWindow window(run.settings, run.flags, run.prompter, run.shell, run.env);
            QVERIFY(window.startUp());
            window.show();
            const QStringList groups = window.addressManager()->favoriteGroups();
            QVERIFY(!groups.isEmpty());
            group = groups.last();
            QVERIFY(window.addressManager()->insertIntoFavoriteGroup(group, QStringLiteral("https://kept.example/")));
            QVERIFY(window.close());
        }
        QFile wam(run.wam());
        QVERIFY(wam.open(QIODevice::ReadOnly));
        QVERIFY(wam.readAll().contains("\t\thttps://kept.example/\r\n"));
        Settings settings;
        RuntimeFlags flags;
        MainWindow again(settings, flags, run.prompter, run.shell, run.env);
        QVERIFY(again.startUp());
        QVERIFY(again.addressManager()->favoriteGroups().contains(group));
        QVERIFY(run.prompter.shown.isEmpty());
        again.close();
        QVERIFY(wam.seek(0));
        QCOMPARE(wam.readAll().count("https://kept.example/"), 1);
    }

    // The panes of one run open in the same cells at the next start; with
    // "restore session" off, the grid starts empty.
    void panesComeBackInTheirCells_data()
    {
        QTest::addColumn<int>("restoreSession");
        QTest::newRow("restore") << 1;
        QTest::newRow("do not restore") << 0;
    }
    void panesComeBackInTheirCells()
    {
        QFETCH(int, restoreSession);
        WindowHarness first;
        QVERIFY(first.started);
        QVERIFY(first.grid().openAddressInNewBrowser(QStringLiteral("https://a.example/"), BrowserType::btNormal));
        QVERIFY(first.grid().openAddressInNewBrowser(QStringLiteral("https://b.example/"), BrowserType::btNormal));
        QVERIFY(first.grid().movePaneToCell(1, 20));
        first.settings.restoreSession = restoreSession;
        QVERIFY(first.window->close());
        QVERIFY(QFile::exists(first.dir.filePath(QStringLiteral("Documents/My Vorlan/Session/panes.txt"))));

        // The second run in the same folders, reading the settings the first wrote.
        Settings settings;
        RuntimeFlags flags;
        ScriptedPrompter prompter;
        RecordingShell shell;
        MainWindow again(settings, flags, prompter, shell, testEnvironment(first.dir));
        QVERIFY(again.startUp());
        again.grid()->setControlFactory([](QWidget *parent) { return new FakeBrowserControl(parent); });
        again.show();
        if (restoreSession == 1) {
            QTRY_COMPARE(flags.browserCount, 2);
            QCOMPARE(again.grid()->paneInCell(0)->control()->locationUrl(), QStringLiteral("https://a.example/"));
            QCOMPARE(again.grid()->paneInCell(20)->control()->locationUrl(), QStringLiteral("https://b.example/"));
        } else {
            QTest::qWait(50);
            QCOMPARE(flags.browserCount, 0);
        }
        QVERIFY(prompter.shown.isEmpty());
        again.close();
    }

    // A session file that is not ours is kept aside and nothing opens; one
    // with a few bad lines opens every sound pane in its cell, says how many
    // lines were skipped, and keeps the file as it was aside. A script
    // address in it never runs.
    void damagedSessionIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QList<int>>("cells");
        QTest::newRow("not ours") << QByteArray("Some other file\r\n0\t0\thttps://a/\r\n")
                                  << QStringLiteral("Could not restore the panes of the last session.\n"
                                                    "The session file was kept as panes.txt.damaged-")
                                  << QList<int>{};
        QTest::newRow("a cell out of range") << QByteArray("Vorlan session 1\r\n99\t0\thttps://a/\r\n")
                                             << QStringLiteral("1 line of the saved panes could not be read and "
                                                               "was skipped.\nThe session file was kept as "
                                                               "panes.txt.damaged-")
                                             << QList<int>{};
        QByteArray many = "Vorlan session 1\r\n";
        for (int cell = 0; cell < 63; ++cell)
            many += QByteArray::number(cell) + "\t0\thttp://site" + QByteArray::number(cell) + ".test/\r\n";
        many += "63\t0\tjavascript:alert(1)\r\n\x01\x02garbage\r\n63\tx\thttp://bad.test/\r\n";
        QList<int> all;
        for (int cell = 0; cell < 63; ++cell)
            all << cell;
        QTest::newRow("three bad among 66") << many
                                            << QStringLiteral("3 lines of the saved panes could not be read and "
                                                              "were skipped.\nThe session file was kept as "
                                                              "panes.txt.damaged-")
                                            << all;
    }
    void damagedSessionIsKeptAside()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, told);
        QFETCH(QList<int>, cells);
        Run run;
        const QString session = run.dir.filePath(QStringLiteral("Documents/My Vorlan/Session/panes.txt"));
        QVERIFY(TestFiles::write(session, file));
        MainWindow window(run.settings, run.flags, run.prompter, run.shell, run.env);
        QVERIFY(window.startUp());
        window.grid()->setControlFactory([](QWidget *parent) { return new FakeBrowserControl(parent); });
        window.show();
        QTRY_COMPARE(run.prompter.shown.size(), 1);
        QVERIFY2(run.prompter.texts().first().startsWith(told), qPrintable(run.prompter.texts().first()));
        const QStringList aside = QDir(QFileInfo(session).path()).entryList({QStringLiteral("panes.txt.damaged-*")});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(TestFiles::read(QFileInfo(session).path() + QLatin1Char('/') + aside.first()), file);
        QCOMPARE(run.flags.browserCount, int(cells.size()));
        for (int cell : cells) {
            QVERIFY(window.grid()->paneInCell(cell));
            QCOMPARE(window.grid()->paneInCell(cell)->control()->locationUrl(),
                     QStringLiteral("http://site%1.test/").arg(cell));
        }
        window.close();
    }

    void existingAddressFileIsLeftAlone()
    {
        Run run;
        QDir().mkpath(QFileInfo(run.wam()).absolutePath());
        QFile wam(run.wam());
        QVERIFY(wam.open(QIODevice::WriteOnly));
        wam.write("Favorites\r\n\tNews\r\nHistory\r\n");
        wam.close();
        MainWindow window(run.settings, run.flags, run.prompter, run.shell, run.env);
        QVERIFY(window.startUp());
        QVERIFY(wam.open(QIODevice::ReadOnly));
        QCOMPARE(wam.readAll(), QByteArray("Favorites\r\n\tNews\r\nHistory\r\n"));
    }

    void failedStepStopsTheRest_data()
    {
        QTest::addColumn<int>("step");
        QTest::newRow("settings") << 1;
        QTest::newRow("data folders") << 3;
    }
    void failedStepStopsTheRest()
    {
        QFETCH(int, step);
        Run run;
        QStringList expected;
        if (step == 1) {
            // The settings folder is a plain file: nothing can be written.
            QDir().mkpath(run.dir.filePath(QStringLiteral("config")));
            QFile blocker(run.dir.filePath(QStringLiteral("config/Halvane")));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        } else if (step == 3) {
            run.env.personalFolder = [] { return QStringLiteral("Not Found"); };
            run.env.programFolder = QStringLiteral("/proc/no-such-folder/");
            expected << QStringLiteral("Could not create My Vorlan folders under the current\n"
                                       "user account, setting folders to the default user.");
        }
        expected << MainWindow::startupMessages().at(step - 1);

        MainWindow window(run.settings, run.flags, run.prompter, run.shell, run.env);
        QVERIFY(!window.startUp());
        QVERIFY(window.startupAborted());
        QCOMPARE(run.prompter.texts(), expected);
        // The closing message is the plain box of the fatal start-up messages.
        QCOMPARE(int(run.prompter.shown.last().kind), int(ScriptedPrompter::Kind::Plain));
        QVERIFY(!window.grid());

        // Closing after a failed start saves nothing.
        const QByteArray before = [&] {
            QFile f(run.env.settingsFile);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        run.settings.browserWidth = 1111;
        window.close();
        QFile f(run.env.settingsFile);
        QCOMPARE(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(), before);
    }

    void minimiseSuspendsByTheSetting_data()
    {
        QTest::addColumn<int>("backgroundProcesses");
        QTest::addColumn<bool>("suspended");
        QTest::newRow("suspend on minimize") << 1 << true;
        QTest::newRow("no suspend on minimize") << 0 << false;
    }
    void minimiseSuspendsByTheSetting()
    {
        QFETCH(int, backgroundProcesses);
        Run run;
        MainWindow window(run.settings, run.flags, run.prompter, run.shell, run.env);
        QVERIFY(window.startUp());
        run.settings.backgroundProcesses = backgroundProcesses;
        window.show();
        window.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(window.isMinimized());
        QTEST(run.flags.backgroundSuspended(), "suspended");
        window.restoreAndRaise();
        QTRY_VERIFY(!window.isMinimized());
        QVERIFY(!run.flags.suspendScanner && !run.flags.suspendQueue && !run.flags.suspendController);
    }

    void minimiseKeepsAnOuterSuspension_data() { minimiseSuspendsByTheSetting_data(); }
    void minimiseKeepsAnOuterSuspension()
    {
        QFETCH(int, backgroundProcesses);
        Run run;
        MainWindow window(run.settings, run.flags, run.prompter, run.shell, run.env);
        QVERIFY(window.startUp());
        run.settings.backgroundProcesses = backgroundProcesses;
        window.show();
        // A box left open across a minimise and a restore.
        BackgroundSuspension box(run.flags);
        window.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(window.isMinimized());
        window.restoreAndRaise();
        QTRY_VERIFY(!window.isMinimized());
        QVERIFY(run.flags.backgroundSuspended());
        QCOMPARE(run.flags.suspensionDepth(), 1);
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
