#include "addresses/addressactions.h"
#include "addresses/addresssearchbar.h"
#include "addresses/addresstreetext.h"
#include "addresses/favoritescommands.h"
#include "addresses/favoritestree.h"
#include "addresses/importscommands.h"
#include "addresses/importstree.h"
#include "addresses/queuearea.h"
#include "appearance/widgets/listboxstripes.h"
#include "core/eventwait.h"
#include "support/addressmanagerharness.h"
#include "support/smalldisk.h"
#include "support/localwebserver.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

// The address manager with its panel over a grid of engine-less panes: the
// start-up and close, the panel and its sizes, the commands of both trees
// and the queue.
class TestAddressManager : public QObject
{
    Q_OBJECT

    static const QByteArray Small;
    static QStringList lines(const AddressTree &tree) { return AddressTreeText::treeLines(tree); }
    static QString bullet() { return QStringLiteral("\u2022"); }
    static QAction *menuItem(QMenu *menu, const QString &name)
    {
        return menu->findChild<QAction *>(name);
    }

    // A click as the user makes it: through the window that holds the
    // widget, at a point of the widget.
    static void click(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget *top = widget->window();
        QTest::mouseClick(top->windowHandle(), button, {}, widget->mapTo(top, at));
    }
    // A click on a node of the imports tree.
    static void click(AddressManagerHarness &h, AddressNode *node, Qt::MouseButton button = Qt::LeftButton)
    {
        QTreeWidget *tree = h.panel()->tvImports;
        QTreeWidgetItem *item = h.manager->importsView().itemOf(node);
        tree->scrollToItem(item);
        click(tree->viewport(), tree->visualItemRect(item).center(), button);
    }
    // The pop-up menu open now, once it is shown.
    static QMenu *openMenu()
    {
        QMenu *menu = nullptr;
        const bool open = QTest::qWaitFor([&] {
            menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            return menu && menu->isVisible();
        }, 5000);
        return open ? menu : nullptr;
    }
    static bool chooseFrom(QMenu *menu, QAction *action)
    {
        if (!menu || !action || !menu->actions().contains(action))
            return false;
        click(menu, menu->actionGeometry(action).center());
        return QTest::qWaitFor([] { return !QApplication::activePopupWidget(); }, 5000);
    }
    // A Local Files source item chosen as the user does: from the pop-up of
    // the Local Files root, or from the master menu's "Local Files".
    static bool chooseSource(AddressManagerHarness &h, const QString &command, bool fromMaster)
    {
        if (!fromMaster) {
            click(h, h.manager->imports().localFilesRoot(), Qt::RightButton);
            return chooseFrom(openMenu(), menuItem(h.manager->importsCommands().popupFor(
                                                       h.manager->imports().localFilesRoot()),
                                                   command + "ImportLocal"));
        }
        QToolButton *master = h.panel()->sbImportsMaster;
        click(master, master->rect().center());
        QMenu *menu = openMenu();
        if (menu != h.manager->importsCommands().masterMenu())
            return false;
        QMenu *local = menu->findChild<QMenu *>(QStringLiteral("LocalFilesImportsMaster"));
        click(menu, menu->actionGeometry(local->menuAction()).center());
        if (!QTest::qWaitFor([local] { return local->isVisible(); }, 5000))
            return false;
        return chooseFrom(local, menuItem(local, command + "ImportsMaster"));
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void everyControlAndCommandByName()
    {
        AddressManagerHarness h;
        for (const char *name : {"pnManager", "pnManagerTitle", "btnMinManager", "btnMaxManager", "tvFavorites",
                                 "tvImports", "pnFavTitle", "pnImportsTitle", "pnQueueTitle", "pnQueuePlane",
                                 "lbQueueList", "sbFavoritesMaster", "sbImportsMaster", "sbQueueMaster",
                                 "edFavoritesSearch", "edImportsSearch", "cbQueueTimerInterval", "sbQueueTimerPause",
                                 "sbQueueTimerClear", "imTimer", "imDX", "Label66", "Label67", "Label68", "Label69",
                                 "Label70", "Label71", "pnCalendar", "HistoryCalendar"})
            QVERIFY2(h.window.findChild<QWidget *>(QLatin1String(name)), name);
        for (const char *command :
             {"skManager", "OpenByTimer1", "OpenByDirectInput1", "SendWebAddresstotheQueueFavoritesMaster",
              "NewGroupFavoritesFavorites", "ClearFavoritesHistory", "RecursiveFolderSearchImportLocal",
              "WebAddressManagerImportsMaster", "GridtoGroupImportGrid", "OpenWebAddressNowQueueSelected"})
            QVERIFY2(h.commands.command(QLatin1String(command)), command);
        QComboBox *delay = h.panel()->cbQueueTimerInterval;
        QCOMPARE(delay->count(), 8);
        QCOMPARE(delay->itemText(0), QStringLiteral("1sec."));
        QCOMPARE(delay->itemText(7), QStringLiteral("60sec."));
        QCOMPARE(h.panel()->Label66->text(), QStringLiteral("Status:   Stopped "));
        QCOMPARE(h.panel()->lbQueueList->toolTip(), QStringLiteral("Right click for pop up menu."));
        QVERIFY(!h.panel()->isVisible());
    }

    void aFreshStartMakesTheFileAndEditsSurviveTheClose()
    {
        AddressManagerHarness h;
        QVERIFY(h.manager->startUp());
        QVERIFY(h.prompter.shown.isEmpty());
        QCOMPARE(TestFiles::read(h.wam()).count("\r\n"), 120);
        // A run: a favorite deleted, a group made, two pages visited.
        AddressNode *news = h.find(h.favorites(), QStringLiteral("World News"));
        h.favorites().remove(news->child(0));
        h.manager->favorites().makeGroup(QStringLiteral("Mine"), {QStringLiteral("http://mine.test/")});
        h.open(QStringLiteral("http://visited.test/"));
        h.control(0)->navigate2(QStringLiteral("http://caf\u00e9.test/"));
        QVERIFY(h.manager->saveAddressManagerFile());
        const QByteArray saved = TestFiles::read(h.wam());
        QCOMPARE(saved.count("\r\n"), 124);
        QVERIFY(saved.endsWith("\r\n\tMine\r\n\t\thttp://mine.test/\r\nHistory\r\n\tMonday \xe2\x80\xa2 3/4/24\r\n"
                               "\t\thttp://visited.test/\r\n\t\thttp://caf\xc3\xa9.test/\r\n"));
        // The next run reads what this one wrote, and writes it back byte
        // for byte.
        h.favorites().clear();
        QVERIFY(h.manager->startUp());
        QVERIFY(h.find(h.favorites(), QStringLiteral("http://mine.test/")));
        QCOMPARE(h.find(h.favorites(), QStringLiteral("World News"))->childCount(), 73);
        QVERIFY(h.manager->saveAddressManagerFile());
        QCOMPARE(TestFiles::read(h.wam()), saved);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void aFileWrittenOnWindowsIsWrittenBackAsUtf8()
    {
        AddressManagerHarness h;
        QVERIFY(h.load("Favorites\r\n\tNG \x95 3/1/24\r\n\t\thttp://a.test/\r\nHistory\r\n"
                       "\tFriday \x95 3/1/24\r\n\t\thttp://h.test/\r\n"));
        QCOMPARE(h.favorites().nodeAt(1)->caption(), QStringLiteral("NG \u2022 3/1/24"));
        // Today's visits go under a node of their own.
        h.manager->addToHistory(QStringLiteral("http://h.test/"));
        QVERIFY(h.manager->saveAddressManagerFile());
        QCOMPARE(TestFiles::read(h.wam()),
                 QByteArray("Favorites\r\n\tNG \xe2\x80\xa2 3/1/24\r\n\t\thttp://a.test/\r\nHistory\r\n"
                            "\tFriday \xe2\x80\xa2 3/1/24\r\n\t\thttp://h.test/\r\n"
                            "\tMonday \xe2\x80\xa2 3/4/24\r\n\t\thttp://h.test/\r\n"));
    }

    void theQueueTakesTheStoredChoicesAtStartUp_data()
    {
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("openType");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("validType");
        QTest::newRow("5 seconds, by controller") << 1 << 1 << 5000 << 1;
        QTest::newRow("60 seconds, by timer") << 7 << 0 << 60000 << 0;
        QTest::newRow("delay 9, open type 2") << 9 << 2 << 30000 << 0;
    }
    void theQueueTakesTheStoredChoicesAtStartUp()
    {
        QFETCH(int, delay);
        QFETCH(int, openType);
        AddressManagerHarness h;
        // The settings are read after the window made its parts.
        h.settings.addressManagerQueueDelay = delay;
        h.settings.addressManagerQueueOpenType = openType;
        QVERIFY(h.manager->startUp());
        QTEST(h.manager->queue().timer().interval(), "interval");
        QTEST(h.settings.addressManagerQueueOpenType, "validType");
        QVERIFY(!h.manager->queue().timer().isActive());
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        QCOMPARE(h.panel()->cbQueueTimerInterval->currentText(),
                 AddressQueue::DelayChoices.at(AddressQueue::validDelay(delay)));
        QCOMPARE(h.panel()->Label66->isVisible(), openType != 1);
        QCOMPARE(h.panel()->Label70->isVisible(), openType == 1);
    }

    // A file damaged in its last third (binary bytes over it, as a crash of
    // the disk or another program leaves it): the start-up goes on with
    // every node that stands before the damage, the History root put back,
    // one message, and the original kept aside.
    void aDamagedFileIsSalvagedAtStartUp()
    {
        AddressManagerHarness h;
        QVERIFY(h.manager->startUp());
        h.manager->favorites().makeGroup(QStringLiteral("Mine"), {QStringLiteral("http://mine.test/")});
        h.manager->addToHistory(QStringLiteral("http://visited.test/"));
        QVERIFY(h.manager->saveAddressManagerFile());
        QByteArray bytes = TestFiles::read(h.wam());
        const qsizetype cut = bytes.size() * 2 / 3;
        QRandomGenerator random(1);
        for (qsizetype i = cut; i < bytes.size(); ++i)
            bytes[i] = char(random.bounded(256));
        QVERIFY(TestFiles::write(h.wam(), bytes));
        // What a reader of the intact part sees: the whole lines before the cut.
        const QList<QByteArray> intact = bytes.left(bytes.lastIndexOf("\r\n", cut) + 2).split('\n');
        int addresses = 0, groups = 0;
        QStringList before;
        for (const QByteArray &line : intact) {
            if (line.isEmpty())
                continue;
            before << QString::fromUtf8(line.chopped(1));
            addresses += line.startsWith("\t\t");
            groups += line.startsWith('\t') && !line.startsWith("\t\t");
        }
        QVERIFY(addresses > 40 && groups == 4);

        h.favorites().clear();
        h.prompter.shown.clear();
        QVERIFY(h.manager->startUp());
        const QStringList aside =
            QDir(QFileInfo(h.wam()).path()).entryList({QStringLiteral("webaddresses.wam.damaged-*")});
        QCOMPARE(aside.size(), 1);
        const QString asidePath = QFileInfo(h.wam()).path() + u'/' + aside.first();
        QCOMPARE(TestFiles::read(asidePath), bytes);
        QCOMPARE(h.prompter.texts(),
                 QStringList({QStringLiteral("The web address file was damaged. %1 addresses and %2 groups before the "
                                             "damage were kept; the original is kept as %3.")
                                  .arg(addresses)
                                  .arg(groups)
                                  .arg(asidePath)}));
        QCOMPARE(lines(h.favorites()), before + QStringList{"History"});
        QCOMPARE(h.favorites().root(1)->icon(), 2);
        // The salvaged tree is the file now: the next start reads it as it is.
        h.favorites().clear();
        h.prompter.shown.clear();
        QVERIFY(h.manager->startUp());
        QVERIFY(h.prompter.shown.isEmpty());
        QCOMPARE(lines(h.favorites()), before + QStringList{"History"});
    }

    // Every kind of change reaches the file within seconds, with no close:
    // a kill loses little.
    void changesAreWrittenSoonWithoutAClose_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QByteArray>("gone");
        QTest::newRow("group made") << 0 << QByteArray("\r\n\tMine\r\n\t\thttp://mine.test/\r\n") << QByteArray();
        QTest::newRow("group renamed") << 1 << QByteArray("\r\n\tHeadlines\r\n") << QByteArray("\tWorld News\r\n");
        QTest::newRow("group deleted") << 2 << QByteArray() << QByteArray("\tWorld News\r\n");
        QTest::newRow("favorite deleted") << 3 << QByteArray() << QByteArray("https://www.bbc.com/news");
        QTest::newRow("visit recorded")
            << 4 << QByteArray("History\r\n\tMonday \xe2\x80\xa2 3/4/24\r\n\t\thttp://visited.test/\r\n") << QByteArray();
    }
    void changesAreWrittenSoonWithoutAClose()
    {
        QFETCH(int, change);
        QFETCH(QByteArray, written);
        QFETCH(QByteArray, gone);
        AddressManagerHarness h;
        QVERIFY(h.manager->startUp());
        const int attempts = h.manager->saveAttempts(); // the first start wrote the file
        const QByteArray before = TestFiles::read(h.wam());
        const auto changed = [&](const QByteArray &bytes) {
            return (written.isEmpty() || bytes.contains(written)) && (gone.isEmpty() || !bytes.contains(gone));
        };
        QVERIFY(!changed(before));
        AddressNode *news = h.find(h.favorites(), QStringLiteral("World News"));
        switch (change) {
        case 0:
            h.manager->favorites().makeGroup(QStringLiteral("Mine"), {QStringLiteral("http://mine.test/")});
            break;
        case 1:
            h.manager->favorites().setCaption(news, QStringLiteral("Headlines"));
            break;
        case 2:
            h.favorites().remove(news);
            break;
        case 3:
            for (int i = news->childCount() - 1; i >= 0; --i)
                if (news->child(i)->caption().startsWith(QLatin1String("https://www.bbc.com/news")))
                    h.favorites().remove(news->child(i));
            break;
        default:
            h.open(QStringLiteral("http://visited.test/"));
            break;
        }
        QTRY_VERIFY_WITH_TIMEOUT(changed(TestFiles::read(h.wam())), 10000);
        QCOMPARE(h.manager->saveAttempts(), attempts + 1);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    // Changes one after another are written at most once every five seconds,
    // and still every five seconds: later changes do not push the write back.
    void aStreamOfChangesIsWrittenEveryFiveSeconds()
    {
        AddressManagerHarness h;
        QVERIFY(h.manager->startUp());
        QElapsedTimer clock;
        QList<qint64> writes;
        connect(h.manager.get(), &AddressManager::fileSaved, this, [&](bool ok) {
            QVERIFY(ok);
            writes << clock.elapsed();
        });
        clock.start();
        int visits = 0;
        while (clock.elapsed() < 12500) {
            h.manager->addToHistory(QStringLiteral("http://visit%1.test/").arg(++visits));
            QTest::qWait(100); // a page reached ten times a second
        }
        QCOMPARE(writes.size(), 2);
        QVERIFY2(writes.at(0) >= 4900 && writes.at(0) < 7000, qPrintable(QString::number(writes.at(0))));
        QVERIFY2(writes.at(1) - writes.at(0) >= 4900, qPrintable(QString::number(writes.at(1) - writes.at(0))));
        // What came after the last write follows within five seconds.
        const QByteArray last = QStringLiteral("http://visit%1.test/").arg(visits).toUtf8();
        QTRY_VERIFY_WITH_TIMEOUT(TestFiles::read(h.wam()).contains(last), 10000);
        QCOMPARE(writes.size(), 3);
    }

    // The folder of the file on a disk of its own (a small tmpfs, as root),
    // full or read-only: the old file stays byte for byte, no temporary file
    // is left, and the user hears the real cause once, until a save works.
    void aFailedSaveTellsTheCauseOnce_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("message");
        QTest::newRow("disk full") << false
                                   << "Could not save the web addresses: the disk is full. The earlier file is kept.";
        QTest::newRow("read-only disk")
            << true << "Could not save the web addresses: the folder is on a read-only disk. The earlier file is kept.";
    }
    void aFailedSaveTellsTheCauseOnce()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, message);
        AddressManagerHarness h;
        const QString folder = QFileInfo(h.wam()).path();
        SmallDisk disk(folder);
        if (!disk.available())
            QSKIP("A small tmpfs cannot be mounted here (needs root).");
        QVERIFY(h.manager->startUp());
        const int attempts = h.manager->saveAttempts();
        const QByteArray old = TestFiles::read(h.wam());
        QVERIFY(old.size() > 3000);
        if (readOnly)
            QVERIFY(disk.setReadOnly(true));
        else
            disk.fill();
        // Two rounds of changes, each written (and refused) in turn.
        for (int round = 0; round < 2; ++round) {
            h.manager->favorites().makeGroup(QStringLiteral("Round %1").arg(round), {QStringLiteral("http://r.test/")});
            QTRY_COMPARE_WITH_TIMEOUT(h.manager->saveAttempts(), attempts + round + 1, 10000);
        }
        QVERIFY(!h.manager->saveAddressManagerFile()); // and at close
        QCOMPARE(h.prompter.texts(), QStringList({message}));
        QCOMPARE(TestFiles::read(h.wam()), old);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({"webaddresses.wam"}));
        // Room again: the next save works, and a later failure is told again.
        if (readOnly)
            QVERIFY(disk.setReadOnly(false));
        else
            disk.empty();
        QVERIFY(h.manager->saveAddressManagerFile());
        QVERIFY(TestFiles::read(h.wam()).contains("\tRound 1\r\n"));
        if (readOnly)
            QVERIFY(disk.setReadOnly(true));
        else
            disk.fill();
        h.manager->favorites().makeGroup(QStringLiteral("Later"), {QStringLiteral("http://later.test/")});
        QVERIFY(!h.manager->saveAddressManagerFile());
        QCOMPARE(h.prompter.texts(), QStringList({message, message}));
    }

    void retentionAtStartUp_data()
    {
        QTest::addColumn<int>("retention");
        QTest::addColumn<QString>("maxDate");
        QTest::addColumn<int>("dateNodes");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("within 30 days") << 0 << "3/20/24" << 1 << QStringList();
        QTest::newRow("retention 0 and an old max date") << 0 << "2/1/24" << 0 << QStringList();
        QTest::newRow("every session") << 3 << "3/20/24" << 0 << QStringList();
        QTest::newRow("a date that is none") << 1 << "later" << 1 << QStringList({"Could not clear browser history."});
    }
    void retentionAtStartUp()
    {
        QFETCH(int, retention);
        QFETCH(QString, maxDate);
        AddressManagerHarness h;
        h.settings.historyRetention = retention;
        h.settings.historyMaxDate = maxDate;
        QVERIFY(h.load("Favorites\r\nHistory\r\n\tFriday \xe2\x80\xa2 3/1/24\r\n\t\thttp://h.test/\r\n"));
        QTEST(h.favorites().root(1)->childCount(), "dateNodes");
        QTEST(h.prompter.texts(), "messages");
    }

    void visitsLandUnderTodaysNodeOnce()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        h.open(QStringLiteral("http://a.test/"));
        h.control(0)->navigate2(QStringLiteral("http://b.test/"));
        h.control(0)->navigate2(QStringLiteral("http://a.test/"));
        h.open(QStringLiteral("http://a.test/")); // another pane
        QCOMPARE(lines(h.favorites()).mid(4),
                 QStringList({"History", "\tMonday \u2022 3/4/24", "\t\thttp://a.test/", "\t\thttp://b.test/"}));
    }

    void visitsOnTheRealEngineLandInHistory()
    {
        LocalWebServer server;
        const QByteArray head = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>";
        server.addPage(QStringLiteral("/start"), head + "<a id=\"next\" href=\"/next\">next</a></body></html>");
        server.addPage(QStringLiteral("/next"), head + "<p>next</p></body></html>");
        QVERIFY(server.isListening());
        AddressManagerHarness h(0, true);
        QVERIFY(h.load(Small));
        const QString start = server.url(QStringLiteral("/start")).toString();
        const QString next = server.url(QStringLiteral("/next")).toString();
        QVERIFY(h.openAndLoad(QUrl(start)));
        BrowserControl *control = h.grid->pane(0)->control();
        // The page leaves by its own link, then the user goes back to it.
        QVERIFY(control->runScript(QStringLiteral("document.getElementById('next').click()"), 5000));
        QTRY_COMPARE_WITH_TIMEOUT(control->locationUrl(), next, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!control->busy(), 20000);
        control->navigate2(start);
        QTRY_VERIFY_WITH_TIMEOUT(control->locationUrl() == start && !control->busy(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(lines(h.favorites()).mid(4),
                                  QStringList({"History", "\tMonday \u2022 3/4/24", "\t\t" + start, "\t\t" + next}),
                                  20000);
    }

    void panelSizes_data()
    {
        QTest::addColumn<int>("barPosition");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QRect>("otherGeometry");
        // The grid's client area is 901 x 459; 901 / 1.25 = 720.8, 459 / 1.25
        // = 367.2. Minimised, the panel is centred on the 915 x 600 window.
        const QRect minimised(915 / 2 - 721 / 2, 600 / 2 - 367 / 2, 721, 367);
        QTest::newRow("minimised") << 0 << 1 << minimised << QRect(7, 31 + 7, 901, 459);
        QTest::newRow("maximised, bar below") << 0 << 2 << QRect(7, 31 + 7, 901, 459) << minimised;
        QTest::newRow("maximised, bar on top") << 1 << 2 << QRect(7, 31 + 65 + 7, 901, 459) << minimised;
    }
    void panelSizes()
    {
        QFETCH(int, barPosition);
        QFETCH(int, mode);
        QFETCH(QRect, otherGeometry);
        AddressManagerHarness h(barPosition);
        QVERIFY(h.manager->startUp());
        h.flags.addressManagerState = mode;
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        QVERIFY(h.panel()->isVisible());
        QTEST(h.panel()->geometry(), "geometry");
        // A quarter of the height for the queue, a third of the width for
        // the imports.
        const QRect area = h.panel()->addressesArea();
        QCOMPARE(h.panel()->pnQueuePlane->height(), area.height() / 4);
        QCOMPARE(h.panel()->pnImports->width(), area.width() / 3);
        // The other size, kept for the next opening.
        (mode == 1 ? h.panel()->btnMaxManager : h.panel()->btnMinManager)->click();
        QCOMPARE(h.flags.addressManagerState, 3 - mode);
        QCOMPARE(h.panel()->geometry(), otherGeometry);
        QCOMPARE(h.panel()->pnQueuePlane->height(), h.panel()->addressesArea().height() / 4);
        h.panel()->btnCloseManager->click();
        QVERIFY(!h.panel()->isVisible());
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        QCOMPARE(h.panel()->geometry(), otherGeometry);
        // Neither size fits a window lower than 401 pixels.
        h.window.resize(915, 400);
        h.panel()->btnMinManager->click();
        h.panel()->btnMaxManager->click();
        QCOMPARE(h.panel()->geometry(), otherGeometry);
        const QString tooSmall = QStringLiteral("Resize, window is to small to show the address manager panel.");
        QCOMPARE(h.prompter.texts(), QStringList({"Could not get the system favorites.",
                                                  "Could not get the system favorites.", tooSmall, tooSmall}));
    }

    void aWindowTooSmallForThePanel_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<bool>("opens");
        QTest::newRow("400 high") << QSize(915, 400) << false;
        QTest::newRow("400 wide") << QSize(400, 600) << false;
        QTest::newRow("401 by 401") << QSize(401, 401) << true;
    }
    void aWindowTooSmallForThePanel()
    {
        QFETCH(QSize, window);
        QFETCH(bool, opens);
        AddressManagerHarness h;
        QVERIFY(TestFiles::write(h.scratch.filePath(QStringLiteral("Favorites/a.url")),
                            "[InternetShortcut]\r\nURL=http://shortcut.test/\r\n"));
        QVERIFY(h.manager->startUp());
        h.window.resize(window);
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        QCOMPARE(h.panel()->isVisible(), opens);
        QCOMPARE(h.prompter.texts(), opens ? QStringList() : QStringList({AddressManager::TooSmallMessage}));
        QCOMPARE(AddressManager::TooSmallMessage,
                 QStringLiteral("Resize, window is to small to show the address manager panel."));
        // Refused, nothing of the panel was filled.
        QCOMPARE(h.manager->imports().systemFavoritesRoot()->childCount(), opens ? 1 : 0);
    }

    void openingFillsTheImports()
    {
        AddressManagerHarness h;
        QVERIFY(h.manager->startUp());
        h.open(QStringLiteral("http://one.test/"));
        h.open(QStringLiteral("http://two.test/"));
        QVERIFY(TestFiles::write(h.scratch.filePath(QStringLiteral("Favorites/a.url")),
                            "[InternetShortcut]\r\nURL=http://shortcut.test/\r\n"));
        h.settings.favoritesAutoCollapse = 1;
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        QVERIFY(h.prompter.shown.isEmpty());
        QCOMPARE(lines(h.imports()), QStringList({"Current Grid", "\thttp://one.test/", "\thttp://two.test/",
                                                  "System Favorites", "\thttp://shortcut.test/", "Local Files"}));
        QVERIFY(h.manager->favoritesView().autoExpand());
        QVERIFY(!menuItem(h.manager->favoritesCommands().masterMenu(), "FullExpandFavoritesMaster")->isEnabled());
        QVERIFY(!h.manager->importsView().autoExpand());
        // The second opening reads the grid again, the system favorites not.
        h.panel()->btnCloseManager->click();
        h.open(QStringLiteral("http://three.test/"));
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        QCOMPARE(h.manager->imports().currentGridRoot()->childCount(), 3);
        QCOMPARE(h.manager->imports().systemFavoritesRoot()->childCount(), 1);
    }

    // While the panel stays open, Current Grid follows the panes: opened,
    // closed, or gone to another address. The node the user selected stays
    // selected while its pane is open, and the branch stays expanded.
    void currentGridFollowsThePanesWhileThePanelIsOpen_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("branch");
        QTest::addColumn<QString>("selected"); // empty: wherever the tree puts it
        QTest::newRow("a pane opened") << "open" << QStringList{"http://a.test/", "http://b.test/", "http://c.test/",
                                                                "http://d.test/"}
                                       << "http://b.test/";
        QTest::newRow("the selected pane went elsewhere")
            << "navigate 1" << QStringList{"http://a.test/", "http://b2.test/", "http://c.test/"} << "http://b2.test/";
        QTest::newRow("another pane went elsewhere")
            << "navigate 2" << QStringList{"http://a.test/", "http://b.test/", "http://c2.test/"} << "http://b.test/";
        QTest::newRow("a pane before it closed")
            << "close 0" << QStringList{"http://b.test/", "http://c.test/"} << "http://b.test/";
        QTest::newRow("the selected pane closed") << "close 1" << QStringList{"http://a.test/", "http://c.test/"}
                                                  << "";
        QTest::newRow("a pane closed, another opened in its slot")
            << "close 0, open" << QStringList{"http://d.test/", "http://b.test/", "http://c.test/"}
            << "http://b.test/";
        QTest::newRow("every pane closed") << "close all" << QStringList{} << "Current Grid";
    }
    void currentGridFollowsThePanesWhileThePanelIsOpen()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, branch);
        QFETCH(QString, selected);
        AddressManagerHarness h;
        QVERIFY(h.manager->startUp());
        for (const char *address : {"http://a.test/", "http://b.test/", "http://c.test/"})
            QVERIFY(h.open(QLatin1String(address)) != NoIndex);
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        QVERIFY(h.panel()->isVisible());
        AddressNode *root = h.manager->imports().currentGridRoot();
        QTreeWidgetItem *rootItem = h.manager->importsView().itemOf(root);
        rootItem->setExpanded(true);
        click(h, root->child(1));
        QCOMPARE(h.manager->importsView().selectedNode(), root->child(1));
        h.prompter.shown.clear();

        const auto closePane = [&h](int browserNo) {
            QVERIFY(h.grid->pane(browserNo)->selectBrowser(true));
            QVERIFY(h.grid->deleteActiveBrowser());
        };
        if (change == "open") {
            h.open(QStringLiteral("http://d.test/"));
        } else if (change.startsWith("navigate ")) {
            const int browserNo = change.mid(9).toInt();
            QString address = h.control(browserNo)->locationUrl();
            h.control(browserNo)->navigate2(address.insert(8, u'2'));
        } else if (change == "close all") {
            for (int browserNo = 0; browserNo < 3; ++browserNo)
                closePane(browserNo);
        } else {
            closePane(change.mid(6, 1).toInt());
            if (change.endsWith(", open"))
                h.open(QStringLiteral("http://d.test/"));
        }
        const auto shown = [root] {
            QStringList captions;
            for (int i = 0; i < root->childCount(); ++i)
                captions << root->child(i)->caption();
            return captions;
        };
        QTRY_COMPARE_WITH_TIMEOUT(shown(), branch, 5000);
        // The tree widget shows what the branch holds.
        QCOMPARE(rootItem->childCount(), int(branch.size()));
        for (int i = 0; i < branch.size(); ++i)
            QCOMPARE(rootItem->child(i)->text(0), branch.at(i));
        QVERIFY(rootItem->isExpanded());
        if (!selected.isEmpty())
            QCOMPARE(h.manager->importsView().selectedNode()->caption(), selected);
        QVERIFY(h.prompter.shown.isEmpty());

        // Closed, the panel leaves the branch alone; opened again, it reads
        // the grid afresh.
        h.panel()->btnCloseManager->click();
        h.open(QStringLiteral("http://e.test/"));
        QCOMPARE(shown(), branch);
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        QCOMPARE(shown().size(), branch.size() + 1);
        QVERIFY(shown().contains(QStringLiteral("http://e.test/")));
    }

    // A Chromium bookmarks file of a million entries (45 MB) is read apart
    // from the window, which keeps answering (its timers fire) the whole
    // time; the first 100,000 entries come, and the user hears of the rest.
    void aHugeBookmarksFileKeepsTheWindowAnswering()
    {
        AddressManagerHarness h;
        QVERIFY(h.manager->startUp());
        QByteArray json = "{\"roots\": {\"bookmark_bar\": {\"type\": \"folder\", \"children\": [";
        for (int i = 0; i < 1000000; ++i)
            json += (i ? ",{\"type\":\"url\",\"url\":\"https://s" : "{\"type\":\"url\",\"url\":\"https://s")
                    + QByteArray::number(i) + ".test/\"}";
        json += "]}}}";
        QVERIFY(json.size() < SystemFavorites::MaxFileSize);
        QVERIFY(TestFiles::write(h.scratch.filePath(QStringLiteral("config/chromium/Default/Bookmarks")), json));
        json.clear();
        QVERIFY(TestFiles::write(h.scratch.filePath(QStringLiteral("config/google-chrome/Default/Bookmarks")),
                                 "{\"roots\": {\"other\": {\"children\": [{\"type\": \"url\", \"url\": \"https://c.test/\"}]}}}"));
        QDir().mkpath(h.scratch.filePath(QStringLiteral("config/chromium/Profile 1")));
        QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"),
                                   {h.scratch.filePath(QStringLiteral("config/chromium/Profile 1/Bookmarks"))}),
                 0);

        QElapsedTimer clock;
        qint64 last = 0, largestGap = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            largestGap = std::max(largestGap, clock.elapsed() - last);
            last = clock.elapsed();
        });
        ticker.start(20);
        clock.start();
        QSignalSpy read(&h.manager->importsCommands(), &ImportsCommands::systemFavoritesRead);
        h.manager->importsCommands().refreshSystemFavorites();
        QVERIFY(h.manager->importsCommands().readingSystemFavorites());
        QTRY_COMPARE_WITH_TIMEOUT(read.count(), 1, 20000);
        const qint64 took = clock.elapsed();
        QVERIFY2(took < 10000, qPrintable(QStringLiteral("%1 ms").arg(took)));
        QVERIFY2(largestGap < 1000, qPrintable(QStringLiteral("the window stood still for %1 ms").arg(largestGap)));
        AddressNode *system = h.manager->imports().systemFavoritesRoot();
        QCOMPARE(system->childCount(), 99999 + 1); // the bar itself is one of the entries
        QCOMPARE(system->child(0)->caption(), QStringLiteral("https://s0.test/"));
        QCOMPARE(system->child(99998)->caption(), QStringLiteral("https://s99998.test/"));
        QCOMPARE(system->child(99999)->caption(), QStringLiteral("https://c.test/"));
        QCOMPARE(h.manager->importsView().itemOf(system)->childCount(), 100000);
        QCOMPARE(h.prompter.texts(),
                 QStringList({QStringLiteral("The file %1 was not read: it is not a regular file.\nSome Chromium bookmarks "
                                             "were left out: folders deeper than 100 levels or more than 100000 "
                                             "entries.")
                                  .arg(h.scratch.filePath(QStringLiteral("config/chromium/Profile 1/Bookmarks")))}));
        // Emptied again at once for a refresh.
        QElapsedTimer emptying;
        emptying.start();
        h.manager->importsCommands().refreshSystemFavorites();
        QCOMPARE(system->childCount(), 0);
        QVERIFY(emptying.elapsed() < 1000);
        QVERIFY(h.waitForSystemFavorites());
    }

    void noSystemFavoritesIsTold()
    {
        AddressManagerHarness h;
        QVERIFY(h.manager->startUp());
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        QCOMPARE(h.prompter.texts(), QStringList({"Could not get the system favorites."}));
        QVERIFY(h.panel()->isVisible());
        h.prompter.shown.clear();
        QVERIFY(h.commands.trigger(QStringLiteral("RefreshImportSystem")));
        QVERIFY(h.commands.trigger(QStringLiteral("RefreshImportGrid")));
        QCOMPARE(h.prompter.texts(),
                 QStringList({"Could not get the system favorites.", "Could not get the grid's web addresses."}));
    }

    void theQueueOpensOnePanePerTick()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        h.select(h.find(h.favorites(), QStringLiteral("News")));
        QVERIFY(h.commands.trigger(QStringLiteral("SendGrouptotheQueueFavoritesMaster")));
        ManagerPanel *p = h.panel();
        QCOMPARE(p->lbQueueList->count(), 2);
        QCOMPARE(p->Label66->text(), QStringLiteral("Status:   Started"));
        QCOMPARE(p->Label68->text(), QStringLiteral("2"));
        QCOMPARE(h.laQueue->text(), QStringLiteral("Queue") + bullet() + "2");
        QVERIFY(p->Label66->isVisible());
        QVERIFY(!p->Label70->isVisible());
        QVERIFY(h.manager->queue().timer().isActive());
        QCOMPARE(h.manager->queue().timer().interval(), 30000);
        h.manager->queue().tick();
        QCOMPARE(h.flags.browserCount, 1);
        QCOMPARE(h.grid->pane(0)->control()->locationUrl(), QStringLiteral("http://n.test/"));
        QCOMPARE(h.flags.activeBrowser, NoIndex); // a queued pane stays in the background
        QCOMPARE(p->lbQueueList->count(), 1);
        QCOMPARE(h.laQueue->text(), QStringLiteral("Queue") + bullet() + "1");
        h.manager->queue().tick();
        QCOMPARE(h.grid->pane(1)->control()->locationUrl(), QStringLiteral("http://m.test/"));
        QCOMPARE(p->Label66->text(), QStringLiteral("Status:   Stopped"));
        QCOMPARE(p->Label68->text(), QStringLiteral("0"));
        QCOMPARE(h.laQueue->text(), QString());
        QVERIFY(!h.manager->queue().timer().isActive());
        h.manager->stopQueueTimer();
    }

    void tmQueueOpensOnePanePerIntervalInOrder()
    {
        AddressManagerHarness h;
        h.settings.addressManagerQueueDelay = 0; // "1sec."
        QVERIFY(h.load(Small));
        // What the grid holds after each tick.
        QList<int> panesAfterTick;
        connect(&h.manager->queue().timer(), &QTimer::timeout, &h.window,
                [&h, &panesAfterTick] { panesAfterTick << h.flags.browserCount; });
        h.manager->queue().append({"http://a.test/", "http://b.test/", "http://c.test/"});
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(h.flags.browserCount, 3, 10000);
        QVERIFY(clock.elapsed() >= 2000); // three ticks, a second apart
        QTRY_VERIFY_WITH_TIMEOUT(!h.manager->queue().timer().isActive(), 2000);
        QCOMPARE(panesAfterTick, QList<int>({1, 2, 3}));
        QStringList opened;
        for (int n = 0; n < 3; ++n)
            opened << h.grid->pane(n)->control()->locationUrl();
        QCOMPARE(opened, QStringList({"http://a.test/", "http://b.test/", "http://c.test/"}));
        QCOMPARE(h.panel()->Label66->text(), QStringLiteral("Status:   Stopped"));
        QCOMPARE(h.laQueue->text(), QString());
    }

    void aSuspendedTickOpensNothing()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        h.manager->queue().append({"http://a.test/"});
        {
            // While a confirmation box is open, say.
            BackgroundSuspension suspended(h.flags);
            h.manager->queue().tick();
            QCOMPARE(h.flags.browserCount, 0);
        }
        h.manager->queue().tick();
        QCOMPARE(h.flags.browserCount, 1);
    }

    void dropsOnTheQueue()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        h.manager->addToHistory(QStringLiteral("http://h.test/"));
        QueueArea &queue = h.manager->queueArea();
        QTreeWidget *favorites = h.panel()->tvFavorites;
        h.select(h.favorites().root(0));
        QVERIFY(!queue.dropFrom(favorites));
        QCOMPARE(h.prompter.texts(),
                 QStringList({"Could not drop the node. The queue accepts web addresses\nand group nodes only."}));
        h.select(h.find(h.favorites(), QStringLiteral("Monday \u2022 3/4/24")));
        QVERIFY(queue.dropFrom(favorites));
        h.select(h.find(h.favorites(), QStringLiteral("http://m.test/")));
        QVERIFY(queue.dropFrom(favorites));
        QCOMPARE(h.manager->queue().items(), QStringList({"http://h.test/", "http://m.test/"}));
        h.select(h.manager->imports().localFilesRoot());
        QVERIFY(!queue.dropFrom(h.panel()->tvImports));
        QVERIFY(!queue.dropFrom(nullptr));
    }

    void queueMenusAndButtons()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        h.prompter.shown.clear();
        QueueArea &area = h.manager->queueArea();
        ManagerPanel *p = h.panel();
        // Nothing selected: nothing happens.
        QVERIFY(!area.selectedMenu()->actions().first()->isEnabled());
        h.manager->queue().append({"http://a.test/", "http://b.test/", "http://c.test/"});
        QVERIFY(area.selectedMenu()->actions().first()->isEnabled());
        QVERIFY(h.commands.trigger(QStringLiteral("DeleteWebAddressQueueSelected")));
        QCOMPARE(h.manager->queue().count(), 3);
        p->lbQueueList->setCurrentRow(1);
        QVERIFY(h.commands.trigger(QStringLiteral("OpenWebAddressNowQueueSelected")));
        QCOMPARE(h.grid->pane(0)->control()->locationUrl(), QStringLiteral("http://b.test/"));
        QCOMPARE(h.flags.activeBrowser, 0);
        p->lbQueueList->setCurrentRow(0);
        QVERIFY(h.commands.trigger(QStringLiteral("DeleteWebAddressQueueMaster")));
        QCOMPARE(h.manager->queue().items(), QStringList({"http://c.test/"}));
        // Pause, then clear after the question.
        p->sbQueueTimerPause->click();
        QCOMPARE(p->Label66->text(), QStringLiteral("Status:   Paused"));
        QCOMPARE(h.laQueue->text(), QStringLiteral("Queue") + bullet() + " -");
        h.prompter.answers = {false, true};
        p->sbQueueTimerClear->click();
        QCOMPARE(h.manager->queue().count(), 1);
        p->sbQueueTimerClear->click();
        QCOMPARE(h.manager->queue().count(), 0);
        QCOMPARE(p->lbQueueList->count(), 0);
        QCOMPARE(p->Label66->text(), QStringLiteral("Status:   Paused"));
        QCOMPARE(h.prompter.texts(), QStringList({"Clear the web address queue?", "Clear the web address queue?"}));
        // The delay choice.
        p->cbQueueTimerInterval->setCurrentIndex(0);
        emit p->cbQueueTimerInterval->activated(0);
        QCOMPARE(h.settings.addressManagerQueueDelay, 0);
        QCOMPARE(h.manager->queue().timer().interval(), 1000);
    }

    void aFullGridRefusesTheMenuOpening()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        for (int i = 0; i < 64; ++i)
            h.open(QStringLiteral("http://p%1.test/").arg(i));
        h.manager->queue().append({"http://late.test/"});
        h.panel()->lbQueueList->setCurrentRow(0);
        QVERIFY(h.commands.trigger(QStringLiteral("OpenWebAddressNowQueueMaster")));
        h.select(h.find(h.favorites(), QStringLiteral("http://m.test/")));
        QVERIFY(h.commands.trigger(QStringLiteral("OpenWebAddressNowFavoritesMaster")));
        const QString full = QStringLiteral(
            "Could not open the selected web address. The\nbrowser count would exceed the grid limit.");
        QCOMPARE(h.prompter.texts(), QStringList({full, full}));
        // The tick waits quietly until a pane closes.
        h.manager->queue().tick();
        QCOMPARE(h.manager->queue().count(), 1);
        QCOMPARE(h.prompter.shown.size(), 2);
    }

    void openByTheController()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        QSignalSpy wanted(h.manager.get(), &AddressManager::queueControllerStatusRequested);
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        QCOMPARE(wanted.count(), 1);
        QVERIFY(h.commands.trigger(QStringLiteral("OpenByDirectInput1")));
        QCOMPARE(wanted.count(), 2);
        QCOMPARE(h.settings.addressManagerQueueOpenType, 1);
        ManagerPanel *p = h.panel();
        QVERIFY(p->Label70->isVisible());
        QVERIFY(!p->Label66->isVisible());
        QVERIFY(!p->sbQueueTimerPause->isEnabled());
        h.manager->setQueueControllerStatus(QStringLiteral("Status:  Enabled"), QStringLiteral("Open Button:  3"));
        QCOMPARE(p->Label70->text(), QStringLiteral("Status:  Enabled"));
        QCOMPARE(p->Label71->text(), QStringLiteral("Open Button:  3"));
        h.manager->queue().append({" http://c.test/ "});
        QVERIFY(!h.manager->queue().timer().isActive());
        QCOMPARE(h.manager->openNextQueuedAddress(), AddressQueue::OpenResult::Opened);
        QCOMPARE(h.grid->pane(0)->control()->locationUrl(), QStringLiteral("http://c.test/"));
        QCOMPARE(h.manager->openNextQueuedAddress(), AddressQueue::OpenResult::Nothing);
    }

    void theControllerOnAFullGrid_data()
    {
        QTest::addColumn<int>("userPrompts");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("user prompts") << 1 << QStringList({AddressQueue::GridLimitMessage});
        QTest::newRow("no user prompts") << 0 << QStringList();
    }
    void theControllerOnAFullGrid()
    {
        QFETCH(int, userPrompts);
        AddressManagerHarness h;
        h.settings.addressManagerQueueOpenType = 1;
        h.settings.dxUserPrompts = userPrompts;
        QVERIFY(h.load(Small));
        for (int i = 0; i < 64; ++i)
            h.open(QStringLiteral("http://p%1.test/").arg(i));
        h.manager->queue().append({"http://late.test/"});
        QCOMPARE(h.manager->openNextQueuedAddress(), AddressQueue::OpenResult::Refused);
        QCOMPARE(h.manager->queue().items(), QStringList({"http://late.test/"}));
        QTEST(h.prompter.texts(), "messages");
        QCOMPARE(AddressQueue::GridLimitMessage,
                 QStringLiteral("Could not open the selected web address. The\nbrowser count would exceed the grid limit."));
    }

    void handingAnAddressOver()
    {
        AddressManagerHarness h;
        QVERIFY(h.load("Favorites\r\n\tNews\r\n\t\thttp://a.test/?x=1&y=2#z \r\nHistory\r\n"));
        h.select(h.find(h.favorites(), QStringLiteral("http://a.test/?x=1&y=2#z ")));
        QVERIFY(h.commands.trigger(QStringLiteral("EmailWebAddressFavoritesMaster")));
        QVERIFY(h.commands.trigger(QStringLiteral("OpenWebAddressNowFavoritesAddressSelected")));
        QVERIFY(h.commands.trigger(QStringLiteral("SendWebAddresstotheQueueFavoritesMaster")));
        QCOMPARE(h.shell.opened,
                 QStringList({"mailto:?subject=&Body=http://a.test/?x%3D1%26y%3D2%23z%20"}));
        QCOMPARE(h.grid->pane(0)->control()->locationUrl(), QStringLiteral("http://a.test/?x=1&y=2#z"));
        QCOMPARE(h.manager->queue().items(), QStringList({"http://a.test/?x=1&y=2#z"}));
        // A group selected: the address commands do nothing.
        h.select(h.find(h.favorites(), QStringLiteral("News")));
        QVERIFY(h.commands.trigger(QStringLiteral("OpenWebAddressNowFavoritesMaster")));
        QVERIFY(h.commands.trigger(QStringLiteral("SendWebAddresstotheQueueFavoritesMaster")));
        QCOMPARE(h.flags.browserCount, 1);
        QCOMPARE(h.manager->queue().count(), 1);
    }

    void popupsByKind()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        h.manager->addToHistory(QStringLiteral("http://h.test/"));
        FavoritesCommands &c = h.manager->favoritesCommands();
        const auto enabled = [](QMenu *menu) {
            QStringList list;
            for (QAction *a : menu->actions())
                if (!a->isSeparator())
                    list << a->text() + (a->isEnabled() ? "" : " (off)");
            return list;
        };
        QCOMPARE(enabled(c.popupFor(h.favorites().root(0))), QStringList({"New Group", "Alpha Sort", "Cancel"}));
        QCOMPARE(enabled(c.popupFor(h.find(h.favorites(), QStringLiteral("News")))),
                 QStringList({"Send Group to the Queue", "Insert Web Address", "Edit Group", "Delete Group", "Cancel"}));
        QCOMPARE(enabled(c.popupFor(h.find(h.favorites(), QStringLiteral("Monday \u2022 3/4/24")))),
                 QStringList({"Send Group to the Queue", "Insert Web Address (off)", "Edit Group (off)",
                              "Delete Group (off)", "Cancel"}));
        QCOMPARE(enabled(c.popupFor(h.find(h.favorites(), QStringLiteral("http://h.test/")))),
                 QStringList({"Send Web Address to the Queue", "Open Web Address Now", "Edit Web Address (off)",
                              "Delete Web Address (off)", "Email Web Address", "Cancel"}));
        QCOMPARE(enabled(c.popupFor(h.find(h.favorites(), QStringLiteral("http://n.test/")))),
                 QStringList({"Send Web Address to the Queue", "Open Web Address Now", "Edit Web Address",
                              "Delete Web Address", "Email Web Address", "Cancel"}));
        h.favorites().removeChildren(h.favorites().root(1));
        QCOMPARE(enabled(c.popupFor(h.favorites().root(1))), QStringList({"Calendar (off)", "Clear (off)", "Cancel"}));
        ImportsCommands &i = h.manager->importsCommands();
        QCOMPARE(enabled(i.popupFor(h.manager->imports().currentGridRoot())),
                 QStringList({"Refresh (off)", "Grid to Group (off)", "Cancel"}));
        QCOMPARE(enabled(i.popupFor(h.manager->imports().localFilesRoot())),
                 QStringList({"Recursive Folder Search", "Single Folder Search", "Web Saves", "Web Address Manager",
                              "Clear", "Cancel"}));
        QVERIFY(!c.popupFor(nullptr));
        // The master menu's submenu follows the selection.
        h.select(h.favorites().root(0));
        c.prepareMasterMenu();
        QVERIFY(!c.masterMenu()->findChild<QMenu *>(QStringLiteral("WebAddressesGroupsFavoritesMaster"))->isEnabled());
        h.select(h.find(h.favorites(), QStringLiteral("News")));
        c.prepareMasterMenu();
        QVERIFY(c.masterMenu()->findChild<QMenu *>(QStringLiteral("WebAddressesGroupsFavoritesMaster"))->isEnabled());
        QVERIFY(!menuItem(c.masterMenu(), "OpenWebAddressNowFavoritesMaster")->isEnabled());
        QVERIFY(menuItem(c.masterMenu(), "DeleteGroupFavoritesMaster")->isEnabled());
    }

    void deletingAfterTheQuestion()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        h.manager->addToHistory(QStringLiteral("http://h.test/"));
        h.prompter.answers = {false, true, true};
        h.select(h.find(h.favorites(), QStringLiteral("http://n.test/")));
        QVERIFY(h.commands.trigger(QStringLiteral("DeleteWebAddressFavoritesAddressSelected")));
        QVERIFY(h.find(h.favorites(), QStringLiteral("http://n.test/")));
        QVERIFY(h.commands.trigger(QStringLiteral("DeleteWebAddressFavoritesAddressSelected")));
        QVERIFY(!h.find(h.favorites(), QStringLiteral("http://n.test/")));
        h.select(h.find(h.favorites(), QStringLiteral("News")));
        QVERIFY(h.commands.trigger(QStringLiteral("DeleteGroupFavoritesMaster")));
        QVERIFY(!h.find(h.favorites(), QStringLiteral("News")));
        // History is removed only by "Clear".
        h.select(h.find(h.favorites(), QStringLiteral("http://h.test/")));
        QVERIFY(h.commands.trigger(QStringLiteral("DeleteWebAddressFavoritesMaster")));
        h.select(h.find(h.favorites(), QStringLiteral("Monday \u2022 3/4/24")));
        QVERIFY(h.commands.trigger(QStringLiteral("DeleteGroupFavoritesMaster")));
        QVERIFY(h.find(h.favorites(), QStringLiteral("http://h.test/")));
        QCOMPARE(h.prompter.texts(), QStringList({"Delete the selected web address?", "Delete the selected web address?",
                                                  "Delete the selected group?"}));
    }

    void clearingHistoryRenewsTheDates()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        h.manager->addToHistory(QStringLiteral("http://h.test/"));
        h.settings.historyMaxDate = QStringLiteral("1/1/99");
        h.prompter.answers = {false};
        QVERIFY(h.commands.trigger(QStringLiteral("ClearFavoritesHistory")));
        QCOMPARE(h.favorites().root(1)->childCount(), 1);
        QVERIFY(h.commands.trigger(QStringLiteral("ClearFavoritesMaster")));
        QCOMPARE(h.favorites().root(1)->childCount(), 0);
        QCOMPARE(h.settings.historyMinDate, QStringLiteral("3/4/24"));
        QCOMPARE(h.settings.historyMaxDate, QStringLiteral("4/4/24"));
        QCOMPARE(h.prompter.texts(),
                 QStringList({"Ready to clear the browser history?", "Ready to clear the browser history?"}));
        QVERIFY(h.manager->renewHistoryDates());
    }

    void editingInPlace()
    {
        AddressManagerHarness h;
        QVERIFY(h.load("Favorites\r\n\tNews\r\n\t\thttp://n.test/\r\n\tSport\r\nHistory\r\n"));
        h.manager->addToHistory(QStringLiteral("http://h.test/"));
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        TreeViewScroll *tree = h.panel()->tvFavorites;
        FavoritesCommands &c = h.manager->favoritesCommands();
        AddressTreeView &view = h.manager->favoritesView();
        // History cannot be edited.
        h.select(h.find(h.favorites(), QStringLiteral("http://h.test/")));
        QVERIFY(!c.startEditing());
        QVERIFY(!view.editedNode());
        // What is typed into the editor, committed with Enter (the commit
        // arrives through the event loop).
        const auto type = [&](const QString &typed) {
            // The editor of the last edit may linger until deleted later:
            // the one open now is the visible one.
            QLineEdit *editor = nullptr;
            EventWait::until([&] {
                for (QLineEdit *e : tree->findChildren<QLineEdit *>())
                    if (e->isVisible())
                        editor = e;
                return editor != nullptr;
            }, 5000);
            if (!editor || !view.editedNode())
                return false;
            editor->setText(typed);
            QTest::keyClick(editor, Qt::Key_Return);
            return EventWait::until([&] { return !view.editedNode(); }, 5000);
        };
        // F2, released, opens the editor on the selection.
        const auto rename = [&](const QString &caption, const QString &typed) {
            h.select(h.find(h.favorites(), caption));
            QTest::keyRelease(tree, Qt::Key_F2);
            return view.editedNode() == h.find(h.favorites(), caption) && type(typed);
        };
        QVERIFY(rename(QStringLiteral("News"), QStringLiteral("  World")));
        QCOMPARE(h.favorites().nodeAt(1)->caption(), QStringLiteral("World"));
        // The name of another group, in any letter case, is refused.
        QVERIFY(rename(QStringLiteral("World"), QStringLiteral("SPORT")));
        QCOMPARE(h.favorites().nodeAt(1)->caption(), QStringLiteral("World"));
        QVERIFY(rename(QStringLiteral("http://n.test/"), QStringLiteral("http://edited.test/\n")));
        QCOMPARE(h.favorites().nodeAt(2)->caption(), QStringLiteral("http://edited.test/"));
        // A new group starts in its editor under its default caption, which
        // a blank edit keeps.
        QVERIFY(h.commands.trigger(QStringLiteral("NewGroupFavoritesFavorites")));
        AddressNode *added = h.favorites().root(0)->child(2);
        QCOMPARE(view.editedNode(), added);
        QCOMPARE(h.flags.favoritesEditText, QStringLiteral("NG \u2022 3/4/24 3:04:05 PM"));
        QVERIFY(type(QStringLiteral("  ")));
        QCOMPARE(added->caption(), QStringLiteral("NG \u2022 3/4/24 3:04:05 PM"));
        // "Edit Group" keeps the caption it started from for a refused edit.
        h.select(added);
        QVERIFY(h.commands.trigger(QStringLiteral("EditGroupFavoritesMaster")));
        QVERIFY(type(QStringLiteral("Reading")));
        QCOMPARE(added->caption(), QStringLiteral("Reading"));
        QVERIFY(h.commands.trigger(QStringLiteral("EditGroupFavoritesMaster")));
        QVERIFY(type(QStringLiteral("world")));
        QCOMPARE(added->caption(), QStringLiteral("Reading"));
        // An inserted address comes first, in its editor.
        h.select(h.find(h.favorites(), QStringLiteral("Sport")));
        QVERIFY(h.commands.trigger(QStringLiteral("InsertWebAddressFavoritesGroupSelected")));
        AddressNode *inserted = h.find(h.favorites(), QStringLiteral("Sport"))->child(0);
        QCOMPARE(inserted->caption(), QStringLiteral("http://www."));
        QCOMPARE(view.editedNode(), inserted);
        QVERIFY(type(QStringLiteral("http://www.sport.test/")));
        QCOMPARE(inserted->caption(), QStringLiteral("http://www.sport.test/"));
    }

    void draggingIntoFavorites()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        h.open(QStringLiteral("http://grid.test/"));
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        FavoritesCommands &c = h.manager->favoritesCommands();
        QTreeWidget *imports = h.panel()->tvImports;
        // The Current Grid root on Favorites makes a grid group.
        h.select(h.manager->imports().currentGridRoot());
        QCOMPARE(c.dropOn(imports, h.favorites().root(0)), h.favorites().root(0));
        QCOMPARE(lines(h.favorites()).mid(4, 2),
                 QStringList({"\tGG \u2022 3/4/24 3:04:05 PM", "\t\thttp://grid.test/"}));
        // Anywhere else nothing happens.
        QVERIFY(!c.dropOn(imports, h.find(h.favorites(), QStringLiteral("News"))));
        h.select(h.find(h.imports(), QStringLiteral("http://grid.test/")));
        QCOMPARE(c.dropOn(imports, h.find(h.favorites(), QStringLiteral("News"))),
                 h.find(h.favorites(), QStringLiteral("News")));
        h.select(h.find(h.favorites(), QStringLiteral("http://n.test/")));
        QVERIFY(c.dropOn(h.panel()->tvFavorites, h.find(h.favorites(), QStringLiteral("GG \u2022 3/4/24 3:04:05 PM"))));
        QCOMPARE(lines(h.favorites()).mid(0, 7),
                 QStringList({"Favorites", "\tNews", "\t\thttp://m.test/", "\t\thttp://grid.test/",
                              "\tGG \u2022 3/4/24 3:04:05 PM", "\t\thttp://grid.test/", "\t\thttp://n.test/"}));
        QVERIFY(!c.dropOn(nullptr, h.favorites().root(0)));
    }

    void gridToGroupCommand()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        QVERIFY(h.commands.trigger(QStringLiteral("GridtoGroupImportsMaster")));
        QCOMPARE(h.prompter.texts(), QStringList({"Nothing in the grid to create a group with."}));
        h.open(QStringLiteral("http://a.test/"));
        h.open(QStringLiteral("http://b.test/"));
        QVERIFY(h.commands.trigger(QStringLiteral("GridtoGroupImportsMaster")));
        QCOMPARE(lines(h.favorites()).mid(4, 3),
                 QStringList({"\tGG \u2022 3/4/24 3:04:05 PM", "\t\thttp://a.test/", "\t\thttp://b.test/"}));
        QCOMPARE(h.prompter.shown.size(), 1);
        QVERIFY(!h.flags.backgroundSuspended());
    }

    void theAddressBarsGroupAndSaveToFavoriteGroup()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        h.manager->attachGridFeatures(*h.features);
        h.bar->addItems({"http://x.test/", "http://y.test/"});
        h.addressBar()->doubleClicked(Qt::ControlModifier);
        QVERIFY(h.prompter.shown.isEmpty());
        QCOMPARE(lines(h.favorites()).mid(4, 3),
                 QStringList({"\tAB \u2022 3/4/24 3:04:05 PM", "\t\thttp://x.test/", "\t\thttp://y.test/"}));
        QVERIFY(h.manager->favoritesView().itemOf(h.favorites().root(0)->child(1))->isExpanded());
        QVERIFY(!h.flags.backgroundSuspended());
        h.open(QStringLiteral("http://active.test/"));
        h.browserCommands()->fillFavoriteGroupMenu();
        QMenu *groups = h.browserCommands()->fileToolsMenu()->findChild<QMenu *>(QStringLiteral("SaveToFavoriteGroup"));
        QCOMPARE(groups->actions().size(), 2);
        QCOMPARE(groups->actions().first()->text(), QStringLiteral("News"));
        groups->actions().first()->trigger();
        QCOMPARE(h.find(h.favorites(), QStringLiteral("News"))->child(2)->caption(), QStringLiteral("http://active.test/"));
    }

    void theHistoryCalendar()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        h.manager->addToHistory(QStringLiteral("http://h.test/"));
        h.settings.historyMaxDate = QStringLiteral("4/4/24");
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        h.prompter.shown.clear();
        QVERIFY(h.commands.trigger(QStringLiteral("CalendarFavoritesHistory")));
        ManagerPanel *p = h.panel();
        QVERIFY(p->pnCalendar->isVisible());
        QCOMPARE(p->pnCalendar->x(), p->pnFavorites->width() - p->pnCalendar->width() - 12);
        QCOMPARE(p->pnCalendar->y(), p->addressesArea().top() + p->pnFavTitle->height() + 6);
        QCOMPARE(p->HistoryCalendar->selectedDate(), QDate(2024, 3, 4));
        QCOMPARE(p->HistoryCalendar->maximumDate(), QDate(2024, 4, 4));
        h.select(h.favorites().root(0));
        emit p->HistoryCalendar->clicked(QDate(2024, 3, 3)); // no node that day
        QCOMPARE(h.manager->favoritesView().selectedNode(), h.favorites().root(0));
        emit p->HistoryCalendar->clicked(QDate(2024, 3, 4));
        QCOMPARE(h.manager->favoritesView().selectedNode()->caption(), QStringLiteral("Monday \u2022 3/4/24"));
        p->btnCalendarClose->click();
        QVERIFY(!p->pnCalendar->isVisible());
    }

    void searchBars()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        h.prompter.shown.clear();
        ManagerPanel *p = h.panel();
        QVERIFY(!p->edFavoritesSearch->isVisible());
        QVERIFY(h.commands.trigger(QStringLiteral("SearchFavoritesMaster")));
        QVERIFY(p->edFavoritesSearch->isVisible());
        // The edit lies between its label and "Prior".
        QCOMPARE(p->edFavoritesSearch->x(), p->laFavoritesSearch->x() + p->laFavoritesSearch->width() + 12);
        QCOMPARE(p->edFavoritesSearch->width(), p->btnFavoritesPrior->x() - p->edFavoritesSearch->x() - 2);
        QTest::keyClicks(p->edFavoritesSearch, QStringLiteral(".TEST"));
        QTest::keyClick(p->edFavoritesSearch, Qt::Key_Return);
        QCOMPARE(h.manager->favoritesView().selectedNode()->caption(), QStringLiteral("http://n.test/"));
        p->btnFavoritesNext->click();
        p->btnFavoritesNext->click();
        QCOMPARE(h.manager->favoritesView().selectedNode()->caption(), QStringLiteral("http://m.test/"));
        p->btnFavoritesPrior->click();
        QCOMPARE(h.manager->favoritesView().selectedNode()->caption(), QStringLiteral("http://n.test/"));
        QVERIFY(h.prompter.shown.isEmpty());
        QVERIFY(h.commands.trigger(QStringLiteral("SearchImportsMaster")));
        p->edImportsSearch->setText(QStringLiteral("nothing"));
        p->btnImportsNext->click();
        p->btnImportsPrior->click();
        QTest::keyClick(p->edImportsSearch, Qt::Key_Return);
        QCOMPARE(h.prompter.texts(), QStringList({"No hits found in the imports tree.", "No hits were found.",
                                                  "No hits were found."}));
        QVERIFY(h.commands.trigger(QStringLiteral("SearchImportsMaster")));
        QVERIFY(!p->edImportsSearch->isVisible());
    }

    void localFilesSources()
    {
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        const QString folder = h.scratch.filePath(QStringLiteral("pages"));
        QVERIFY(TestFiles::write(folder + QStringLiteral("/a.html"), "x"));
        QVERIFY(TestFiles::write(folder + QStringLiteral("/sub/b.htm"), "x"));
        QVERIFY(TestFiles::write(h.flags.dataFolder + QStringLiteral("Web Saves/saved.html"), "x"));
        ImportsCommands &i = h.manager->importsCommands();
        const auto marked = [&h] {
            QStringList names;
            for (const QString &name : h.commands.names())
                if (QAction *a = h.commands.command(name); a->isCheckable() && a->isChecked() && name.contains("Import"))
                    names << name;
            return names;
        };
        const auto local = [&h] { return lines(h.imports()).mid(h.imports().indexOf(h.manager->imports().localFilesRoot()) + 1); };
        // Cancelled at the question: nothing changes.
        h.prompter.answers = {false};
        QVERIFY(h.commands.trigger(QStringLiteral("RecursiveFolderSearchImportsMaster")));
        QVERIFY(h.dialogs.asked.isEmpty());
        h.dialogs.folderAnswer = folder + QStringLiteral("  ");
        QVERIFY(h.commands.trigger(QStringLiteral("RecursiveFolderSearchImportLocal")));
        QCOMPARE(h.dialogs.asked.last(), QStringLiteral("Choose a root folder with sub-folders"));
        QCOMPARE(local(), QStringList({"\t" + folder + "/a.html", "\t" + folder + "/sub/b.htm"}));
        QCOMPARE(marked(), QStringList({"RecursiveFolderSearchImportsMaster", "RecursiveFolderSearchImportLocal"}));
        h.dialogs.folderAnswer = h.scratch.filePath(QStringLiteral("gone"));
        i.singleFolderSearch();
        QCOMPARE(h.dialogs.asked.last(), QStringLiteral("Choose a folder"));
        QVERIFY(local().isEmpty());
        QCOMPARE(marked(), QStringList({"SingleFolderSearchImportsMaster", "SingleFolderSearchImportLocal"}));
        i.webSaves();
        QCOMPARE(local(), QStringList({"\t" + h.flags.dataFolder + "Web Saves/saved.html"}));
        // A file name that is not there: told, and not made.
        h.dialogs.openAnswer = h.flags.dataFolder + QStringLiteral("Web Saves/typed.wam");
        i.importAddressManagerFile();
        QCOMPARE(h.dialogs.asked.last(), QStringLiteral("Open a Web Address Manager file"));
        QCOMPARE(h.dialogs.folders.last(), h.flags.dataFolder + QStringLiteral("Web Saves/"));
        QCOMPARE(h.dialogs.lastFilters, QStringList({"Web Address Manager (*.wam *.amf)"}));
        QVERIFY(!QFile::exists(h.dialogs.openAnswer));
        QVERIFY(TestFiles::write(h.dialogs.openAnswer, Small));
        i.importAddressManagerFile();
        QCOMPARE(local(), QStringList({"\tNews", "\t\thttp://n.test/", "\t\thttp://m.test/"}));
        QCOMPARE(marked(), QStringList({"WebAddressManagerImportsMaster", "WebAddressManagerImportLocal"}));
        QVERIFY(h.commands.trigger(QStringLiteral("ClearImportLocal")));
        QVERIFY(local().isEmpty());
        QVERIFY(marked().isEmpty());
        QCOMPARE(h.prompter.texts(), QStringList({"This search could take several minutes, proceed?",
                                                  "This search could take several minutes, proceed?",
                                                  "Invalid folder path.",
                                                  "Could not import the selected file, it may be damaged."}));
    }

    // The four Local Files sources are one exclusive group in each menu
    // that offers them. The mark is the program's: it moves when a source
    // starts (after the question, after the file was chosen), in every
    // menu at once, and a refused or cancelled source leaves it where it was.
    void localFilesMarksMoveOnlyWhenASourceStarts_data()
    {
        QTest::addColumn<QString>("before"); // the source that filled Local Files, from the pop-up
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("fromMaster");
        QTest::addColumn<bool>("answer"); // OK to the question, a folder or file chosen
        QTest::addColumn<QString>("marked");
        QTest::newRow("recursive refused after a single folder search")
            << "SingleFolderSearch" << "RecursiveFolderSearch" << true << false << "SingleFolderSearch";
        QTest::newRow("recursive refused, nothing before") << "" << "RecursiveFolderSearch" << false << false << "";
        QTest::newRow("recursive refused after a recursive search")
            << "RecursiveFolderSearch" << "RecursiveFolderSearch" << true << false << "RecursiveFolderSearch";
        QTest::newRow("file import cancelled after a file import")
            << "WebAddressManager" << "WebAddressManager" << true << false << "WebAddressManager";
        QTest::newRow("file import cancelled after web saves")
            << "WebSaves" << "WebAddressManager" << false << false << "WebSaves";
        QTest::newRow("recursive search after a file import")
            << "WebAddressManager" << "RecursiveFolderSearch" << true << true << "RecursiveFolderSearch";
        QTest::newRow("file import after a single folder search")
            << "SingleFolderSearch" << "WebAddressManager" << false << true << "WebAddressManager";
    }
    void localFilesMarksMoveOnlyWhenASourceStarts()
    {
        QFETCH(QString, before);
        QFETCH(QString, chosen);
        QFETCH(bool, fromMaster);
        QFETCH(bool, answer);
        QFETCH(QString, marked);
        AddressManagerHarness h;
        QVERIFY(h.load(Small));
        const QString folder = h.scratch.filePath(QStringLiteral("pages"));
        QVERIFY(TestFiles::write(folder + QStringLiteral("/a.html"), "x"));
        QVERIFY(TestFiles::write(h.flags.dataFolder + QStringLiteral("Web Saves/saved.html"), "x"));
        const QString file = h.flags.dataFolder + QStringLiteral("Web Saves/other.wam");
        QVERIFY(TestFiles::write(file, Small));
        QVERIFY(h.commands.trigger(QStringLiteral("skManager")));
        h.prompter.shown.clear();
        const auto answerWith = [&](bool yes) {
            h.prompter.answers = {yes};
            h.dialogs.folderAnswer = yes ? folder : QString();
            h.dialogs.openAnswer = yes ? file : QString();
        };
        AddressNode *local = h.manager->imports().localFilesRoot();
        const auto localLines = [&h, local] {
            return lines(h.imports()).mid(h.imports().indexOf(local));
        };
        if (!before.isEmpty()) {
            answerWith(true);
            QVERIFY(chooseSource(h, before, false));
            QVERIFY(local->childCount() > 0);
        }
        const QStringList filled = localLines();

        answerWith(answer);
        QVERIFY(chooseSource(h, chosen, fromMaster));
        QTRY_VERIFY(!QApplication::activePopupWidget());
        if (!answer)
            QCOMPARE(localLines(), filled);

        QMenu *menus[] = {h.manager->importsCommands().masterMenu()->findChild<QMenu *>(
                              QStringLiteral("LocalFilesImportsMaster")),
                          h.manager->importsCommands().popupFor(local)};
        for (QMenu *menu : menus) {
            const QString suffix = menu == menus[0] ? QStringLiteral("ImportsMaster") : QStringLiteral("ImportLocal");
            QStringList checked;
            QList<QActionGroup *> groups;
            for (const char *source :
                 {"RecursiveFolderSearch", "SingleFolderSearch", "WebSaves", "WebAddressManager"}) {
                QAction *item = menuItem(menu, QLatin1String(source) + suffix);
                QVERIFY(item);
                if (item->isChecked())
                    checked << QLatin1String(source);
                groups << item->actionGroup();
            }
            QCOMPARE(checked, marked.isEmpty() ? QStringList() : QStringList{marked});
            QVERIFY(groups.first() && groups.first()->isExclusive());
            QCOMPARE(groups.count(groups.first()), 4);
            QCOMPARE(groups.first()->actions().size(), 4);
        }
        // "Clear" takes the mark away in every menu.
        QVERIFY(chooseSource(h, QStringLiteral("Clear"), !fromMaster));
        for (QMenu *menu : menus)
            for (QAction *item : menu->actions())
                QVERIFY2(!item->isChecked(), qPrintable(item->objectName()));
    }
};

const QByteArray TestAddressManager::Small("Favorites\r\n\tNews\r\n\t\thttp://n.test/\r\n\t\thttp://m.test/\r\nHistory\r\n");

QTEST_MAIN(TestAddressManager)
#include "test_addressmanager.moc"
