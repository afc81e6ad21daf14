#include "app/mainwindow.h"
#include "app/windowframe.h"
#include "appearance/widgets/skinbutton.h"
#include "core/commandregistry.h"
#include "core/overlaypanels.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "grid/gridmaintenance.h"
#include "pane/sitepermissions.h"
#include "audio/audioplayer.h"
#include "audio/genrefolder.h"
#include "support/audiofiles.h"
#include "support/windowharness.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

// The main window as the composition root: its panels, menus and sizing, on a started window with engine-less panes.
class TestMainWindow : public QObject
{
    Q_OBJECT

    using Run = WindowHarness;

    // Three panes with a gap before them, packed with pauses long enough
    // for something to come while the defragment runs.
    static void makeSlowDefragment(Run &run)
    {
        for (int i = 0; i < 3; ++i)
            run.grid().openAddressInNewBrowser(QStringLiteral("p"), BrowserType::btQueue);
        run.grid().movePaneToCell(0, 9);
        run.flags.defragDelay = 40;
    }

    // Whether a library whose file name holds name is in this process.
    static bool inMemory(const QByteArray &name)
    {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
    }

private slots:
    // First, while nothing has played in this process: the window starts
    // without its audio engine, and libmpv with the libraries it pulls in
    // (some 37 MB) comes into memory with the first song.
    void theAudioEngineLoadsWithTheFirstSong()
    {
        Run h;
        QVERIFY(h.started);
        QVERIFY(!inMemory("libmpv.so"));
        AudioPlayer &player = *h.window->audioPlayer();
        const QString song = AudioFiles::song(h.dir.filePath(QStringLiteral("music/song.mp3")), 3000);
        QVERIFY(GenreFolder(GenreFolder::folderOf(h.flags.dataFolder)).save(QStringLiteral("Test"), {song}));
        QVERIFY(player.loadGenrePlayList(QStringLiteral("Test")));
        QVERIFY(!inMemory("libmpv.so"));
        QVERIFY(player.playNextSong());
        QVERIFY(inMemory("libmpv.so"));
        QVERIFY(player.isPlaying());
    }

    void aboutPanelOpensCentredAndClosesOnResize()
    {
        Run run;
        QVERIFY(run.started);
        run.window->resize(915, 600);
        QWidget *about = run.find("pnAbout");
        run.window->openAboutPanel();
        QVERIFY(about->isVisible());
        QCOMPARE(about->pos(), QPoint(915 / 2 - about->width() / 2, 600 / 2 - about->height() / 2));
        // Opening it again changes nothing.
        about->move(10, 10);
        run.window->openAboutPanel();
        QCOMPARE(about->pos(), QPoint(10, 10));
        run.window->resize(1000, 700);
        QVERIFY(!about->isVisible());
        QVERIFY(run.prompter.shown.isEmpty());
        // Too small a window: the panel stays shut, with a word why.
        run.window->setMinimumSize(205, 30);
        run.window->resize(300, 180);
        run.window->openAboutPanel();
        QCOMPARE(run.prompter.texts(), QStringList{"Resize, window is to small to show the about panel."});
        QVERIFY(!about->isVisible());
    }

    void automaticSizing_data()
    {
        QTest::addColumn<int>("autoSize");
        QTest::addColumn<QSize>("window");
        QTest::newRow("auto, 900 x 700") << 0 << QSize(900, 700);
        QTest::newRow("auto, 470 wide") << 0 << QSize(470, 700);
        QTest::newRow("manual") << 1 << QSize(900, 700);
    }

    void automaticSizing()
    {
        QFETCH(int, autoSize);
        QFETCH(QSize, window);
        Run run;
        QVERIFY(run.started);
        run.settings.autoSize = autoSize;
        run.window->setMinimumSize(205, 30);
        run.window->grid()->openAddressInNewBrowser(QStringLiteral("a"), BrowserType::btNormal);
        run.window->grid()->openAddressInNewBrowser(QStringLiteral("b"), BrowserType::btNormal);
        run.window->resize(window);
        QCoreApplication::processEvents();
        const QSize grid = run.find<QScrollArea>("sbMainGrid")->size();
        QSize expected(720, 460);
        if (autoSize == 0)
            expected = window.width() < 480 ? QSize(400, 300) : grid - QSize(60, 60);
        QCOMPARE(QSize(run.settings.browserWidth, run.settings.browserHeight), expected);
        QCOMPARE(run.window->grid()->pane(1)->geometry(), QRect(QPoint(expected.width(), 0), expected));
        QCOMPARE(run.flags.lastWidth, window.width());
    }

    void toolsMenuAndHelp()
    {
        Run run;
        QVERIFY(run.started);
        QStringList items;
        for (QAction *a : run.window->appToolsMenu()->actions())
            if (!a->isSeparator())
                items << a->text();
        QCOMPARE(items, QStringList({"Options", "Help", "About", "Downloads", "Cancel"}));
        // The downloads list opens the download folder.
        auto *downloads = run.window->appToolsMenu()->findChild<QMenu *>(QStringLiteral("pmDownloads"));
        QVERIFY(downloads);
        emit downloads->aboutToShow();
        QAction *folder = nullptr;
        for (QAction *a : downloads->actions())
            if (a->text() == QLatin1String("Open download folder"))
                folder = a;
        QVERIFY(folder);
        folder->trigger();
        QCOMPARE(run.shell.opened.size(), 1);
        QVERIFY(run.shell.opened.first().endsWith(QStringLiteral("Downloads")));
        run.shell.opened.clear();
        run.window->openHelp();
        QVERIFY(run.shell.opened.isEmpty()); // no help page beside the program
        // Installed: bin/vorlan and share/vorlan/Vorlan Help.html.
        QVERIFY(QDir().mkpath(run.dir.filePath(QStringLiteral("share/vorlan"))));
        QFile installed(run.dir.filePath(QStringLiteral("share/vorlan/Vorlan Help.html")));
        QVERIFY(installed.open(QIODevice::WriteOnly));
        installed.close();
        run.window->openHelp();
        QCOMPARE(run.shell.opened, QStringList{installed.fileName()});
        // One beside the program comes first.
        QFile page(run.flags.programFolder + QStringLiteral("Vorlan Help.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        run.window->openHelp();
        QCOMPARE(run.shell.opened.last(), page.fileName());
    }

    // The map panel follows the window: placed again on a resize, hidden
    // while the window maximises and back afterwards; never hidden with the
    // other panels.
    void navGridPanelFollowsTheWindow()
    {
        Run run;
        QVERIFY(run.started);
        run.window->setGeometry(100, 100, 915, 600);
        run.settings.navGridLastPosition = 4; // bottom right
        QVERIFY(run.window->commands().trigger(QStringLiteral("skNavGrid")));
        QWidget *panel = run.find("pnNavGrid");
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->geometry().right(), 915 - 6 - 7 - 1);
        run.window->resize(1000, 700);
        QCOMPARE(panel->geometry().right(), 1000 - 6 - 7 - 1);
        run.window->openAboutPanel();
        QVERIFY(panel->isVisible());
        run.window->frame()->maximizeOrRestore();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->geometry().right(), 1600 - 6 - 7 - 1);
        QVERIFY(run.prompter.shown.isEmpty());
    }

    // A close (a click, SIGTERM) during a maintenance pause waits for the
    // operation, then the window closes the normal way.
    void closeWaitsForAGridOperation()
    {
        Run run;
        QVERIFY(run.started);
        makeSlowDefragment(run);
        bool visibleAfterClose = false;
        QTimer::singleShot(20, run.window.get(), [&] {
            run.window->close();
            visibleAfterClose = run.window->isVisible();
        });
        QVERIFY(run.window->gridMaintenance()->defragment());
        QVERIFY(visibleAfterClose);
        QTRY_VERIFY(!run.window->isVisible());
        QCOMPARE(run.window->exitCode(), 0);
        QVERIFY(QFile::exists(run.dir.filePath(QStringLiteral("config/Halvane/Vorlan.conf"))));
    }

    void aFatalFailureClosesTheNormalWay()
    {
        Run run;
        QVERIFY(run.started);
        run.settings.browserWidth = 777;
        run.window->closeAfterFatalError(QStringLiteral("Could not clean up the grid, closing Vorlan."));
        QTRY_VERIFY(!run.window->isVisible());
        QCOMPARE(run.prompter.texts(), QStringList{"Could not clean up the grid, closing Vorlan."});
        QCOMPARE(run.window->exitCode(), 1);
        // The settings reached the file all the same.
        QFile conf(run.dir.filePath(QStringLiteral("config/Halvane/Vorlan.conf")));
        QVERIFY(conf.open(QIODevice::ReadOnly));
        QVERIFY(conf.readAll().contains("browser width=777"));
    }

    // Addresses from the command line or a later launch: those beyond the
    // 64th are counted to the user; those that come during a grid-wide
    // operation wait for its end instead of being dropped.
    void addressesHandedToTheWindow_data()
    {
        QTest::addColumn<int>("open");
        QTest::addColumn<int>("handed");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("all fit") << 0 << 64 << QStringList();
        QTest::newRow("one too many") << 0 << 65 << QStringList{"The grid is full: 1 address was not opened."};
        QTest::newRow("three too many")
            << 60 << 7 << QStringList{"The grid is full: 3 addresses were not opened."};
    }
    void addressesHandedToTheWindow()
    {
        QFETCH(int, open);
        QFETCH(int, handed);
        QFETCH(QStringList, told);
        Run run;
        QVERIFY(run.started);
        for (int i = 0; i < open; ++i)
            QVERIFY(run.grid().openAddressInNewBrowser(QStringLiteral("http://open%1.test/").arg(i),
                                                       BrowserType::btNormal));
        QStringList addresses;
        for (int i = 0; i < handed; ++i)
            addresses << QStringLiteral("http://handed%1.test/").arg(i);
        run.window->openAddresses(addresses);
        // One pane a turn: the window answers (and the first pages load)
        // while the others are made.
        QCOMPARE(run.flags.browserCount, open + 1);
        QTRY_COMPARE(run.flags.browserCount, std::min(64, open + handed));
        QTRY_COMPARE(run.prompter.texts(), told);
        // In the order given, in the first free cells.
        for (int i = 0; open + i < 64 && i < handed; ++i)
            QCOMPARE(run.grid().paneInCell(open + i)->control()->locationUrl(), addresses[i]);
    }

    void addressesDuringAGridOperationWait()
    {
        Run run;
        QVERIFY(run.started);
        makeSlowDefragment(run);
        QTimer::singleShot(20, run.window.get(), [&] {
            run.window->openAddresses({QStringLiteral("http://later1.test/"), QStringLiteral("http://later2.test/")});
        });
        QVERIFY(run.window->gridMaintenance()->defragment());
        QTRY_COMPARE(run.flags.browserCount, 5);
        QCOMPARE(run.prompter.texts(), QStringList{"Ready to defrag the grid?"});
    }

    void windowClosedDuringADelete()
    {
        Run h;
        h.grid().openAddressInNewBrowser(QStringLiteral("a.test"), BrowserType::btNormal);
        h.flags.deleteDelay = 300;
        QTimer::singleShot(20, h.window.get(), &QWidget::close);
        QVERIFY(h.grid().deleteActiveBrowser());
        QVERIFY(!h.window->isVisible());
        QVERIFY(!h.grid().pane(0));
    }

    // The music waits while the active pane makes sound, and only then;
    // the choice turns it off.
    void theMusicWaitsForTheActivePane_data()
    {
        QTest::addColumn<int>("musicPauses");
        QTest::addColumn<bool>("held");
        QTest::newRow("on") << 1 << true;
        QTest::newRow("off") << 0 << false;
    }
    void theMusicWaitsForTheActivePane()
    {
        QFETCH(int, musicPauses);
        QFETCH(bool, held);
        Run h;
        QVERIFY(h.started);
        h.settings.musicPausesForPaneSound = musicPauses;
        AudioPlayer &player = *h.window->audioPlayer();
        const QString song = AudioFiles::song(h.dir.filePath(QStringLiteral("music/song.mp3")), 8000);
        QVERIFY(GenreFolder(GenreFolder::folderOf(h.flags.dataFolder)).save(QStringLiteral("Test"), {song}));
        QVERIFY(player.loadGenrePlayList(QStringLiteral("Test")));
        QVERIFY(player.playNextSong());
        h.grid().openAddressInNewBrowser(QStringLiteral("a.test"), BrowserType::btNormal);
        h.grid().openAddressInNewBrowser(QStringLiteral("b.test"), BrowserType::btNormal);
        h.fake(0)->setAudible(true); // a background pane: the music plays on
        QVERIFY(!player.heldForPane());
        h.fake(1)->setAudible(true);
        QCOMPARE(player.heldForPane(), held);
        h.fake(1)->setAudible(false);
        QVERIFY(!player.heldForPane());
        QVERIFY(player.isPlaying());
    }
    // The answers to sites the user ticked to remember are kept in the data
    // folder and known at the next start; a damaged file is said, not fatal.
    void rememberedSiteAnswersLiveInTheDataFolder()
    {
        SitePermissions::forgetAll();
        WindowHarness h;
        QVERIFY(h.started);
        const QUrl site(QStringLiteral("https://maps.test"));
        SitePermissions::remember(site, QWebEnginePage::Geolocation, true, true);
        const QString path = SitePermissions::filePath(h.flags.dataFolder);
        QVERIFY(QFile::exists(path));
        h.window.reset();

        // The next start, with a line another program spoiled.
        SitePermissions::forgetAll();
        QVERIFY(!SitePermissions::answer(site, QWebEnginePage::Geolocation));
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("garbage\n");
        file.close();
        Settings settings;
        RuntimeFlags flags;
        ScriptedPrompter prompter;
        RecordingShell shell;
        MainWindow again(settings, flags, prompter, shell, testEnvironment(h.dir));
        QVERIFY(again.startUp());
        QCOMPARE(SitePermissions::answer(site, QWebEnginePage::Geolocation), std::optional<bool>(true));
        QTRY_VERIFY(prompter.texts().join(QLatin1Char(' ')).contains(QStringLiteral("sitepermissions.txt.damaged-")));
        SitePermissions::forgetAll();
        SitePermissions::setStoreFile(QString());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
