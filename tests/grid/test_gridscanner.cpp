#include "appearance/widgets/skinbutton.h"
#include "core/commandregistry.h"
#include "grid/gridscanner.h"
#include "support/gridharness.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The grid scanner and the refresher, with engine-less panes.
class TestGridScanner : public QObject
{
    Q_OBJECT

    struct Harness : GridHarness
    {
        CommandRegistry commands;
        SkinButton skScanner;
        std::unique_ptr<GridScanner> owned;
        GridScanner &scanner;
        Harness() : owned(makeScanner()), scanner(*owned) {}
        std::unique_ptr<GridScanner> makeScanner()
        {
            skScanner.setObjectName(QStringLiteral("skScanner"));
            return std::make_unique<GridScanner>(*grid, settings, flags, prompter, commands, &skScanner);
        }
        void tick() { QMetaObject::invokeMethod(scanner.scannerTimer(), "timeout", Qt::DirectConnection); }
        void refresh() { QMetaObject::invokeMethod(scanner.refresherTimer(), "timeout", Qt::DirectConnection); }
    };

private slots:
    void intervals_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("scanner");
        QTest::newRow("1 second") << 0 << 1000;
        QTest::newRow("30 seconds") << 4 << 30000;
        QTest::newRow("out of range") << 9 << 5000;
        QTest::newRow("negative") << -1 << 5000;
    }
    void intervals()
    {
        QFETCH(int, speed);
        QTEST(GridScanner::scannerInterval(speed), "scanner");
    }

    void refresherShareOfThePeriod_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("panes");
        QTest::addColumn<int>("interval");
        QTest::newRow("5 minutes, 4 panes") << 0 << 4 << 75000;
        QTest::newRow("5 minutes, 7 panes") << 0 << 7 << 42000; // 300 div 7 = 42
        QTest::newRow("30 minutes, 64 panes") << 3 << 64 << 28000;
        QTest::newRow("no panes") << 0 << 0 << 18000;
        QTest::newRow("no refresh") << 4 << 3 << 18000;
    }
    void refresherShareOfThePeriod()
    {
        QFETCH(int, setting);
        QFETCH(int, panes);
        QTEST(GridScanner::refresherInterval(setting, panes), "interval");
    }

    void startAndStop()
    {
        Harness h;
        QVERIFY(h.commands.trigger(QStringLiteral("skScanner")));
        QCOMPARE(h.prompter.texts(), QStringList{"Nothing in the grid to scan."});
        QVERIFY(!h.scanner.running());
        h.prompter.shown.clear();
        h.settings.scannerRefreshInterval = 0;
        for (int i = 0; i < 4; ++i)
            h.open();
        QVERIFY(h.commands.trigger(QStringLiteral("skScanner")));
        QVERIFY(h.scanner.running());
        QVERIFY(h.skScanner.isDown());
        QCOMPARE(h.scanner.refresherTimer()->interval(), 75000);
        QVERIFY(h.control(0)->silent());
        QVERIFY(h.commands.trigger(QStringLiteral("skScanner")));
        QVERIFY(!h.scanner.running());
        QVERIFY(!h.skScanner.isDown());
        QVERIFY(!h.control(0)->silent());
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void aGridThatFitsIsNotScanned()
    {
        Harness h;
        h.settings.browserWidth = 100;
        h.settings.browserHeight = 100;
        h.grid->layoutGrid(true);
        h.open();
        h.open();
        h.commands.trigger(QStringLiteral("skScanner"));
        QVERIFY(!h.scanner.running());
        QVERIFY(!h.skScanner.isDown());
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void ticksStepThroughThePanes()
    {
        Harness h;
        for (int i = 0; i < 3; ++i)
            h.open();
        h.grid->movePaneToCell(1, 9); // cells 0, 2, 9
        h.grid->pane(0)->selectBrowser(true);
        h.settings.scannerSpeed = 0;
        QVERIFY(h.scanner.start());
        QCOMPARE(h.scanner.scannerTimer()->interval(), 1000);
        QList<int> cells;
        for (int i = 0; i < 4; ++i) {
            h.tick();
            cells << h.grid->activePane()->cellIndex;
        }
        QCOMPARE(cells, QList<int>({2, 9, 0, 2}));
        // Held still during a search, a defragment or a confirmation.
        {
            BackgroundSuspension suspended(h.flags);
            h.tick();
            QCOMPARE(h.grid->activePane()->cellIndex, 2);
        }
        h.tick();
        QCOMPARE(h.grid->activePane()->cellIndex, 9);
    }

    void refresherReloadsEachPaneOncePerCycle()
    {
        Harness h;
        for (int i = 0; i < 3; ++i)
            h.open(QStringLiteral("http://p%1.test/").arg(i));
        h.settings.scannerRefreshInterval = 0;
        QVERIFY(h.scanner.start());
        const auto reloads = [&h](int n) { return int(h.control(n)->navigations.count(QStringLiteral("about:blank"))); };
        for (int i = 0; i < 3; ++i)
            h.refresh();
        QCOMPARE(QList<int>({reloads(0), reloads(1), reloads(2)}), QList<int>({1, 1, 1}));
        h.refresh(); // a new cycle
        QCOMPARE(reloads(0), 2);
        // The suspend flag holds the refresher too.
        BackgroundSuspension suspended(h.flags);
        h.refresh();
        QCOMPARE(reloads(1), 1);
    }

    void newOptionsTakeEffectWhileRunning()
    {
        Harness h;
        for (int i = 0; i < 4; ++i)
            h.open();
        h.settings.scannerRefreshInterval = 0;
        h.scanner.start();
        QCOMPARE(h.scanner.refresherTimer()->interval(), 75000);
        // More panes: the period is shared anew.
        for (int i = 0; i < 2; ++i)
            h.open();
        QCOMPARE(h.scanner.refresherTimer()->interval(), 50000);
        h.settings.scannerSpeed = 2;
        h.settings.scannerRefreshInterval = GridScanner::NoRefresh;
        h.scanner.settingsChanged();
        QVERIFY(h.scanner.running());
        QCOMPARE(h.scanner.scannerTimer()->interval(), 10000);
        QVERIFY(!h.scanner.refresherTimer()->isActive());
    }
};

QTEST_MAIN(TestGridScanner)
#include "test_gridscanner.moc"
