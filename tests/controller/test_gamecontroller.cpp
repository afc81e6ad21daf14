#include "controller/controlleractions.h"
#include "controller/gamecontroller.h"
#include "core/eventwait.h"
#include "support/gridharness.h"
#include "support/joysticksimulator.h"
#include "support/recordingshell.h"

#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// An engine-less control that also counts back and forward and prints.
class CountingControl : public FakeBrowserControl
{
public:
    using FakeBrowserControl::FakeBrowserControl;
    void goBack() override { ++backs; }
    void goForward() override { ++forwards; }
    bool printToPdf(int, QByteArray *pdf) override
    {
        *pdf = QByteArrayLiteral("%PDF-1.4\n");
        return true;
    }
    int backs = 0, forwards = 0;
};

class BrokenJoystickDevice : public JoystickDevice
{
public:
    bool start() override { return false; }
    bool open(int) override { return false; }
    void close() override {}
    bool isOpen() const override { return false; }
    Status read(JoystickSample &) override { return Status::Closed; }
};

// The controller over a real grid in a 900 x 600 view, read from a virtual
// joystick by its real polling thread.
struct Harness
{
    GridHarness h;
    RecordingShell shell;
    JoystickSimulator pad;
    QStringList calls;   // the sibling operations, in the order run
    QStringList failing; // those that report failure
    std::function<void()> duringBoss;
    int printed = 0;
    std::unique_ptr<GameController> controller;

    explicit Harness(std::unique_ptr<JoystickDevice> device = {})
    {
        h.scrollBox->setFrameShape(QFrame::NoFrame);
        h.scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        h.scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        h.grid->setControlFactory([](QWidget *parent) { return new CountingControl(parent); });
        h.window.activateWindow();
        const auto hook = [this](const char *name) {
            return [this, name] {
                calls << name;
                return !failing.contains(name);
            };
        };
        ControllerHooks hooks{hook("nextSong"),  hook("priorGenre"), hook("priorSong"), hook("startOrNextGenre"),
                              hook("stopAudio"), [this] { calls << "openNextQueuedAddress"; },
                              [this] {
                                  if (duringBoss)
                                      duringBoss();
                                  calls << "toggleBossButton";
                                  return !failing.contains("toggleBossButton");
                              }};
        controller = std::make_unique<GameController>(h.settings, h.flags, h.prompter, shell, *h.grid, hooks,
                                                      std::move(device));
        controller->setPrintPreview([this](QWidget *, const QByteArray &) {
            ++printed;
            return !failing.contains("print");
        });
        h.settings.dxId = pad.id();
        h.settings.dxEnabled = 1;
    }
    ~Harness() { controller.reset(); }

    bool start()
    {
        return QTest::qWaitForWindowActive(&h.window) && controller->applyControllerSettings()
               && controller->pollingActive();
    }
    // Waits until n more ticks have been handed over.
    bool ticks(int n)
    {
        const quint64 target = controller->ticks() + quint64(n);
        return QTest::qWaitFor([&] { return controller->ticks() >= target; }, 10000);
    }
    bool stillAfter(int milliseconds)
    {
        const quint64 before = controller->ticks();
        EventWait::forMilliseconds(milliseconds);
        return controller->ticks() == before;
    }
    void openPanes(int count)
    {
        for (int i = 0; i < count; ++i)
            h.open(QStringLiteral("http://p%1.test/").arg(i));
    }
    QScrollBar *hBar() const { return h.scrollBox->horizontalScrollBar(); }
    QScrollBar *vBar() const { return h.scrollBox->verticalScrollBar(); }
    // Holds a button until it has been seen, then lets it go.
    bool press(int button)
    {
        pad.setButton(button, true);
        const bool seen = ticks(2);
        pad.setButton(button, false);
        return seen && ticks(1);
    }
    CountingControl *control(int browserNo) const
    {
        BrowserPane *pane = h.grid->pane(browserNo);
        return pane ? static_cast<CountingControl *>(pane->control()) : nullptr;
    }
};

} // namespace

class TestGameController : public QObject
{
    Q_OBJECT

private slots:
    void applyTakesOnlyValidValues_data()
    {
        QTest::addColumn<QList<int>>("given");  // enabled, id, grid pixels, browser pixels
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<QString>("status");
        QTest::newRow("enabled") << QList<int>{1, 3, 40, 7} << QList<int>{1, 3, 40, 7} << "Status:  Enabled";
        QTest::newRow("disabled") << QList<int>{0, 3, 22, 5} << QList<int>{0, 3, 22, 5} << "Status:  Disconnected";
        QTest::newRow("enabled 2 is off") << QList<int>{2, 0, 22, 5} << QList<int>{0, 0, 22, 5}
                                          << "Status:  Disconnected";
        QTest::newRow("id 16 is 0") << QList<int>{1, 16, 22, 5} << QList<int>{1, 0, 22, 5} << "Status:  Enabled";
        QTest::newRow("steps off the bars") << QList<int>{1, -1, 0, 101} << QList<int>{1, 0, 22, 5}
                                            << "Status:  Enabled";
    }
    void applyTakesOnlyValidValues()
    {
        QFETCH(QList<int>, given);
        Harness x;
        QSignalSpy status(x.controller.get(), &GameController::queueControllerStatusChanged);
        Settings &s = x.h.settings;
        s.dxEnabled = given[0];
        s.dxId = given[1];
        s.dxGridPixels = given[2];
        s.dxBrowserPixels = given[3];
        QVERIFY(x.controller->applyControllerSettings());
        QTEST((QList<int>{s.dxEnabled, s.dxId, s.dxGridPixels, s.dxBrowserPixels}), "stored");
        QCOMPARE(x.controller->pollingActive(), s.dxEnabled == 1);
        QCOMPARE(x.h.flags.controllerPolling, s.dxEnabled == 1);
        QCOMPARE(status.size(), 1);
        QTEST(status.last().at(0).toString(), "status");
        QCOMPARE(status.last().at(1).toString(), QStringLiteral("Open Button:  3"));
    }

    void failedApplyFallsBackToDefaults()
    {
        Harness x(std::make_unique<BrokenJoystickDevice>());
        Settings &s = x.h.settings;
        s.dxId = 4;
        s.dxGridPixels = 60;
        s.dxBrowserPixels = 30;
        s.dxUserPrompts = 0;
        s.dxGridCrosshairs = 0;
        std::fill(s.dxButtons + 2, s.dxButtons + 17, 9);
        QVERIFY(!x.controller->applyControllerSettings());
        QVERIFY(!x.controller->pollingActive());
        QCOMPARE((QList<int>{s.dxId, s.dxGridPixels, s.dxBrowserPixels}), (QList<int>{0, 22, 5}));
        QCOMPARE(s.dxButtons[2], 5);
        QCOMPARE(s.dxButtons[16], 4);
        // Enabled, prompts and crosshairs stay; the caller tells the user.
        QCOMPARE((QList<int>{s.dxEnabled, s.dxUserPrompts, s.dxGridCrosshairs}), (QList<int>{1, 0, 0}));
        QVERIFY(x.h.prompter.shown.isEmpty());
    }

    void stickSteers_data()
    {
        QTest::addColumn<int>("axis");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("hat");
        QTest::addColumn<bool>("button1");
        QTest::addColumn<QPoint>("step");     // of the grid per tick
        QTest::addColumn<QString>("script"); // on the page per tick
        QTest::newRow("grid right") << 0 << 32767 << 0 << false << QPoint(22, 0) << "";
        QTest::newRow("grid up") << 1 << -32768 << 0 << false << QPoint(0, -22) << "";
        QTest::newRow("grid by the hat") << 0 << 0 << int(SDL_HAT_LEFTDOWN) << false << QPoint(-22, 22) << "";
        QTest::newRow("at the dead-zone edge") << 1 << -16384 << 0 << false << QPoint() << "";
        QTest::newRow("page left") << 0 << -32768 << 0 << true << QPoint() << "window.scrollBy(-5, 0); true";
        QTest::newRow("page down by the hat") << 0 << 0 << int(SDL_HAT_DOWN) << true << QPoint()
                                              << "window.scrollBy(0, 5); true";
    }
    void stickSteers()
    {
        QFETCH(int, axis);
        QFETCH(int, value);
        QFETCH(int, hat);
        QFETCH(bool, button1);
        QFETCH(QPoint, step);
        QFETCH(QString, script);
        Harness x;
        x.openPanes(17); // three rows: 5760 x 1380
        QVERIFY(x.start());
        x.hBar()->setValue(2400);
        x.vBar()->setValue(390);
        FakeBrowserControl *page = x.control(x.h.flags.activeBrowser);
        page->scripts.clear();
        x.pad.setButton(1, button1);
        x.pad.setAxis(axis, value);
        x.pad.setHat(Uint8(hat));
        const quint64 first = x.controller->ticks();
        QVERIFY(x.ticks(5));
        const int ticks = int(x.controller->ticks() - first);
        QCOMPARE(QPoint(x.hBar()->value(), x.vBar()->value()), QPoint(2400, 390) + ticks * step);
        QCOMPARE(page->scripts, script.isEmpty() ? QStringList() : QStringList(ticks, script));
    }

    void crosshairsFollowTheView()
    {
        Harness x;
        x.h.settings.activeBrowserBorderColor = 0x00FF00;
        x.openPanes(17);
        QVERIFY(x.start());
        x.vBar()->setValue(0);
        QWidget *lineX = x.h.window.findChild<QWidget *>(QStringLiteral("pnGameX"));
        QWidget *lineY = x.h.window.findChild<QWidget *>(QStringLiteral("pnGameY"));
        QVERIFY(lineX && lineY && !lineX->isVisible());
        // Above the grid, not under it.
        QVERIFY(x.h.window.children().indexOf(lineX) > x.h.window.children().indexOf(x.h.scrollBox));
        x.pad.setAxis(0, 32767);
        QTRY_COMPARE(x.hBar()->value(), 4860); // the right end
        QVERIFY(x.ticks(1));
        // Right of centre at the right end: (450 + 4860) * 900 / 5760, and
        // (300 + 0) * 600 / 1380 down the view.
        QCOMPARE(lineX->geometry(), QRect(830, 0, 1, 600));
        QCOMPARE(lineY->geometry(), QRect(0, 130, 900, 1));
        QVERIFY(lineX->isVisible() && lineY->isVisible());
        QCOMPARE(lineX->palette().color(QPalette::Window), QColor(0, 255, 0));
        x.pad.setAxis(0, 0);
        QTRY_VERIFY(!lineX->isVisible() && !lineY->isVisible());
        // The point lies at 5690, 130 of the grid: cell 7.
        x.h.settings.dxButtons[2] = ControllerActions::BrowserActiveSelect;
        QVERIFY(x.press(2));
        QCOMPARE(x.h.flags.activeBrowser, 7);
        QVERIFY(x.h.grid->pane(7)->isActive());
        // Without crosshairs the lines stay hidden.
        x.h.settings.dxGridCrosshairs = 0;
        x.pad.setAxis(0, -32768);
        QTRY_VERIFY(x.hBar()->value() < 4500);
        QVERIFY(!lineX->isVisible() && !lineY->isVisible());
    }

    void buttonsActOncePerPressInButtonOrder()
    {
        Harness x;
        x.h.settings.dxButtons[3] = ControllerActions::AudioPriorSong;
        x.h.settings.dxButtons[9] = ControllerActions::AudioNextSong;
        QVERIFY(x.start());
        // Pressed between two ticks, so one tick sees both; Button 1 and
        // those past 16 run nothing.
        for (int b : {32, 17, 9, 3, 1})
            x.pad.setButton(b, true);
        QVERIFY(x.ticks(20));
        QCOMPARE(x.calls, QStringList({"priorSong", "nextSong"}));
        x.pad.setButton(9, false);
        QVERIFY(x.ticks(2));
        x.pad.setButton(9, true);
        QVERIFY(x.ticks(2));
        QCOMPARE(x.calls, QStringList({"priorSong", "nextSong", "nextSong"}));
    }

    void eachActionReachesItsOperation_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("changes"); // what differs afterwards, "key=value;..."
        const char *hooks[] = {"nextSong", "priorGenre", "priorSong", "startOrNextGenre", "stopAudio"};
        for (int a = 0; a < 5; ++a)
            QTest::addRow("%d", a) << a << QStringLiteral("calls=%1").arg(hooks[a]);
        QTest::newRow("select") << 5 << "active=0";
        QTest::newRow("back") << 6 << "backs=1";
        QTest::newRow("delete") << 7 << "prompts=Delete the active browser?;count=1;active=777;page=-";
        QTest::newRow("forward") << 8 << "forwards=1";
        QTest::newRow("jump") << 9 << "opened=http://b.test/";
        QTest::newRow("print") << 10 << "printed=1";
        QTest::newRow("open") << 11 << "calls=openNextQueuedAddress";
        QTest::newRow("refresh") << 12 << "navigations=http://b.test/,about:blank,http://b.test/;stops=1";
        QTest::newRow("stop") << 13 << "stops=1";
        QTest::newRow("zoom") << 14 << "zoom=1.5";
        QTest::newRow("boss button") << 15 << "calls=toggleBossButton";
    }
    void eachActionReachesItsOperation()
    {
        QFETCH(int, action);
        QFETCH(QString, changes);
        Harness x;
        x.h.settings.dxButtons[2] = action;
        x.h.open(QStringLiteral("http://a.test/"));
        x.h.open(QStringLiteral("http://b.test/")); // active, in cell 1
        emit x.control(1)->commandStateChange(BrowserControl::CommandBack, true);
        emit x.control(1)->commandStateChange(BrowserControl::CommandForward, true);
        QVERIFY(x.start());
        x.hBar()->setValue(0); // the crosshair point in cell 0
        const auto observe = [&x] {
            QMap<QString, QString> seen{{"calls", x.calls.join(',')},
                                        {"active", QString::number(x.h.flags.activeBrowser)},
                                        {"count", QString::number(x.h.flags.browserCount)},
                                        {"printed", QString::number(x.printed)},
                                        {"opened", x.shell.opened.join(',')},
                                        {"prompts", x.h.prompter.texts().join(',')},
                                        {"page", x.control(1) ? "b" : "-"}};
            // The active pane's page, while it is there.
            if (CountingControl *c = x.control(1))
                seen.insert({{"backs", QString::number(c->backs)},
                             {"forwards", QString::number(c->forwards)},
                             {"navigations", c->navigations.join(',')},
                             {"stops", QString::number(c->stops)},
                             {"zoom", QString::number(c->zoomFactor())}});
            return seen;
        };
        QMap<QString, QString> expected = observe();
        for (const QString &change : changes.split(';')) {
            const QStringList kv = change.split('=');
            expected[kv[0]] = kv[1];
        }
        if (expected.value("page") == "-")
            for (const char *key : {"backs", "forwards", "navigations", "stops", "zoom"})
                expected.remove(key);
        QVERIFY(x.press(2));
        QCOMPARE(observe(), expected);
    }

    void failuresAreToldWithUserPrompts_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("told"); // "|" between texts
        const QString redirect = QStringLiteral("Could not redirect the active browser,\nit may be busy.");
        QTest::newRow("next song") << 0 << "Could not find the next song.";
        QTest::newRow("prior genre") << 1 << "Could not find the prior genre.";
        QTest::newRow("prior song") << 2 << "Could not find the prior song.";
        QTest::newRow("start") << 3 << "Could not start or select the next genre.";
        QTest::newRow("audio stop") << 4 << "";
        QTest::newRow("back") << 6 << redirect;
        QTest::newRow("delete") << 7 << "Delete the active browser?|Could not delete the active browser,\nit may be busy.";
        QTest::newRow("forward") << 8 << redirect;
        QTest::newRow("print") << 10 << "Could not print the active browser,\nit may be busy.";
        QTest::newRow("open") << 11 << ""; // the queue tells for itself
        QTest::newRow("refresh") << 12 << "Could not refresh the active browser,\nit may be busy.";
        QTest::newRow("stop") << 13 << "Could not stop the active browser,\nit may be busy.";
        QTest::newRow("zoom") << 14 << "Could not zoom the active browser,\nit may be busy.";
        QTest::newRow("boss button") << 15 << "Could not set the boss button.";
        QTest::newRow("no such action") << 16 << "";
    }
    void failuresAreToldWithUserPrompts()
    {
        QFETCH(int, action);
        QFETCH(QString, told);
        for (int prompts : {1, 0}) {
            Harness x;
            x.h.settings.dxUserPrompts = prompts;
            x.h.settings.dxButtons[2] = action;
            x.failing = QStringList{"nextSong", "priorGenre", "priorSong", "startOrNextGenre", "stopAudio",
                                    "toggleBossButton", "print"};
            x.h.open(QStringLiteral("http://a.test/"));
            if (action == ControllerActions::BrowserDelete)
                x.h.flags.activeBrowser = 5; // a slot without a pane
            else
                x.h.grid->pane(0)->closeBrowserPane(); // refuses every operation
            QVERIFY(x.start());
            QVERIFY(x.press(2));
            QStringList expected = told.isEmpty() ? QStringList() : told.split('|');
            if (prompts == 0)
                expected.removeIf([](const QString &t) { return t.startsWith(QLatin1String("Could not")); });
            QCOMPARE(x.h.prompter.texts(), expected);
        }
    }

    void deleteCancelledDeletesNothing()
    {
        Harness x;
        x.h.settings.dxButtons[2] = ControllerActions::BrowserDelete;
        x.h.open();
        x.h.prompter.answers = {false};
        QVERIFY(x.start());
        QVERIFY(x.press(2));
        QCOMPARE(x.h.prompter.texts(), QStringList{"Delete the active browser?"});
        QCOMPARE(x.h.flags.browserCount, 1);
    }

    void unpluggingStopsPollingWithTheMessage()
    {
        Harness x;
        x.openPanes(17);
        QVERIFY(x.start());
        QSignalSpy status(x.controller.get(), &GameController::queueControllerStatusChanged);
        x.pad.unplug();
        QTRY_VERIFY(!x.controller->pollingActive());
        QCOMPARE(x.h.prompter.texts(), QStringList{"Could not initialize direct input."});
        QCOMPARE(status.last().at(0).toString(), QStringLiteral("Status:  Disconnected"));
        QVERIFY(x.stillAfter(100));
        QCOMPARE(x.h.settings.dxEnabled, 1);

        // Plugged back and chosen again, it steers again.
        QVERIFY(x.pad.plug());
        x.h.settings.dxId = x.pad.id();
        QVERIFY(x.controller->applyControllerSettings());
        QCOMPARE(status.last().at(0).toString(), QStringLiteral("Status:  Enabled"));
        x.hBar()->setValue(2400);
        x.pad.setAxis(0, 32767);
        QTRY_VERIFY(x.hBar()->value() > 2400);
        QCOMPARE(x.h.prompter.shown.size(), 1);
    }

    void suspendedTicksDoNothing()
    {
        Harness x;
        x.h.settings.dxButtons[2] = ControllerActions::AudioNextSong;
        x.openPanes(17);
        QVERIFY(x.start());
        x.hBar()->setValue(2400);
        {
            BackgroundSuspension outer(x.h.flags);
            x.pad.setAxis(0, 32767);
            x.pad.setButton(2, true);
            {
                BackgroundSuspension inner(x.h.flags);
                QVERIFY(x.ticks(5));
            }
            // The inner one ending does not lower what the outer raised.
            QVERIFY(x.ticks(5));
            QCOMPARE(x.hBar()->value(), 2400);
            QVERIFY(x.calls.isEmpty());
        }
        QTRY_VERIFY(x.hBar()->value() > 2400);
        QTRY_COMPARE(x.calls, QStringList{"nextSong"});
    }

    void inTheBackgroundNothingIsSeen()
    {
        Harness x;
        x.h.settings.dxButtons[2] = ControllerActions::AudioNextSong;
        x.openPanes(17);
        QVERIFY(x.start());
        x.hBar()->setValue(2400);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        x.pad.setAxis(0, 32767);
        x.pad.setButton(2, true);
        QVERIFY(x.ticks(5));
        QCOMPARE(x.hBar()->value(), 2400);
        QVERIFY(x.calls.isEmpty());
        // Back in front, the button held all along is a new press.
        x.h.window.activateWindow();
        QTRY_COMPARE(x.calls, QStringList{"nextSong"});
        QTRY_VERIFY(x.hBar()->value() > 2400);
    }

    // The boss strip counts as the program in front: the user has gone on to
    // another window, and the same button brings the window back.
    void theBossButtonBringsTheWindowBack()
    {
        Harness x;
        x.h.settings.dxButtons[6] = ControllerActions::WindowBossButton;
        x.duringBoss = [&x] { x.h.flags.bossState = !x.h.flags.bossState; };
        QVERIFY(x.start());
        QVERIFY(x.press(6));
        QTRY_COMPARE(x.calls, QStringList{"toggleBossButton"});
        QVERIFY(x.h.flags.bossState);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(x.press(6));
        QTRY_COMPARE(x.calls, QStringList({"toggleBossButton", "toggleBossButton"}));
        QVERIFY(!x.h.flags.bossState);
        QVERIFY(x.h.prompter.shown.isEmpty());
        // Back to normal, a window in the background hears nothing.
        QVERIFY(x.press(6));
        QCOMPARE(x.calls.size(), 2);
    }

    void stoppingEndsTheThread()
    {
        // An action that ends polling while the thread waits for that very
        // tick (as the window closing from a dialog the action opened).
        Harness x;
        x.duringBoss = [&x] { x.controller->stopPolling(); };
        x.h.settings.dxButtons[2] = ControllerActions::WindowBossButton;
        QVERIFY(x.start());
        x.pad.setButton(2, true);
        QTRY_VERIFY(!x.controller->pollingActive());
        QVERIFY(x.stillAfter(100));
        // Started again, stopped at shut-down, freed while polling.
        x.pad.setButton(2, false);
        QVERIFY(x.controller->applyControllerSettings());
        QVERIFY(x.ticks(3));
        x.controller->stopPolling();
        QVERIFY(!x.h.flags.controllerPolling);
        QVERIFY(x.stillAfter(100));
        QVERIFY(x.controller->applyControllerSettings());
        QVERIFY(x.ticks(2));
        x.controller.reset();
        QVERIFY(!x.h.flags.controllerPolling);
    }

    void optionsPageOperations()
    {
        Harness x;
        QVERIFY(QTest::qWaitForWindowActive(&x.h.window));
        QSignalSpy status(x.controller.get(), &GameController::queueControllerStatusChanged);
        QVERIFY(x.controller->assignAction(12, ControllerActions::BrowserOpen)); // Button 11
        QCOMPARE(status.last().at(1).toString(), QStringLiteral("Open Button:  11"));

        x.h.settings.dxGridPixels = 70;
        x.h.prompter.answers = {false, true};
        QVERIFY(!x.controller->resetFeatures());
        QCOMPARE(x.h.settings.dxGridPixels, 70);
        QVERIFY(x.controller->resetFeatures());
        QCOMPARE(x.h.prompter.texts(), QStringList({"Reset features?", "Reset features?"}));
        QCOMPARE(x.h.settings.dxGridPixels, 22);
        QCOMPARE(x.h.settings.dxButtons[11], 10);
        QCOMPARE(x.h.settings.dxId, x.pad.id());
        QVERIFY(x.controller->pollingActive()); // applied: enabled stays 1

        QTemporaryDir bin;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        QVERIFY(!x.controller->openControllerProperties());
        QCOMPARE(x.h.prompter.texts().last(), QStringLiteral("Could not open the Game Controller Properites window."));
        QFile program(bin.filePath(QStringLiteral("jstest-gtk")));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.close();
        program.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(x.controller->openControllerProperties());
        qputenv("PATH", path);
        QCOMPARE(x.shell.started, QStringList{program.fileName()});
        QCOMPARE(x.h.prompter.shown.size(), 3);
    }
};

QTEST_MAIN(TestGameController)
#include "test_gamecontroller.moc"
