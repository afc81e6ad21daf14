#include "app/mainwindow.h"
#include "app/windowframe.h"
#include "appearance/widgets/skinbutton.h"
#include "core/commandregistry.h"
#include "core/overlaypanels.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "support/windowharness.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The main window's frame on a started window with engine-less panes.
class TestWindowFrame : public QObject
{
    Q_OBJECT

    using Run = WindowHarness;

private slots:
    void everyControlIsFoundByName()
    {
        Run run;
        QVERIFY(run.started);
        const QStringList names = {"pnMaster", "pnTop", "pnBottom", "pnCenter", "pnGrid", "pnControls", "pnButtons",
                                   "pnGridTop", "pnGridBottom", "pnGridLeft", "pnGridRight", "pnMainGrid", "sbMainGrid",
                                   "laHints", "laAudio", "laQueue", "laLocalIP", "laActiveIP", "laBrowserInfo",
                                   "imResize", "skAppClose", "skMaximize", "skMinimize", "cbWebAddressBar",
                                   "cbSelectBrowserList", "pnAbout", "imTopLeft", "imTopRight", "imGripTopCenter"};
        for (const QString &name : names)
            QVERIFY2(run.window->findChild<QWidget *>(name), qPrintable(name));
        const QStringList buttons = {"skNavGrid", "skManager", "skGridTools", "skScanner", "skAddressMode",
                                     "skAddressNew", "skAddressPrior", "skAddressNext", "skActiveBack",
                                     "skActiveForward", "skActiveRefresh", "skActiveStop", "skActivePrint",
                                     "skActiveDelete", "skActiveJump", "skActiveRedir", "skActiveFileTools",
                                     "skAppTools", "skCustom"};
        const QStringList onToolBar = run.frame().buttonNames();
        QCOMPARE(QSet<QString>(buttons.begin(), buttons.end()), QSet<QString>(onToolBar.begin(), onToolBar.end()));
        for (const QString &name : buttons) {
            auto *b = run.window->findChild<SkinButton *>(name);
            QVERIFY2(b, qPrintable(name));
            QCOMPARE(b->size(), QSize(87, 32));
            QVERIFY2(!b->toolTip().isEmpty(), qPrintable(name));
            QVERIFY(b->parentWidget() == run.find("pnButtons"));
        }
        QCOMPARE(run.find<SkinButton>("skAppTools")->toolTip(), QStringLiteral("Application tools: Options, Home Page..."));
        QCOMPARE(run.find<SkinButton>("skCustom")->toolTip(), QStringLiteral("Undefined"));
    }

    void fixedLayout_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("designed") << QSize(915, 600);
        QTest::newRow("wide") << QSize(1400, 800);
    }

    void fixedLayout()
    {
        QFETCH(QSize, size);
        Run run;
        QVERIFY(run.started);
        run.window->resize(size);
        const int w = size.width();
        QCOMPARE(run.find("pnTop")->geometry(), QRect(0, 0, w, 31));
        QCOMPARE(run.find("pnBottom")->geometry(), QRect(0, size.height() - 31, w, 31));
        QCOMPARE(run.find("pnControls")->height(), 65);
        QCOMPARE(run.find("skAppClose")->geometry(), QRect(w - 50, 4, 44, 22));
        QCOMPARE(run.find("skMaximize")->geometry(), QRect(w - 74, 4, 44, 22));
        QCOMPARE(run.find("skMinimize")->geometry(), QRect(w - 98, 4, 44, 22));
        QCOMPARE(run.find("laActiveIP")->geometry(), QRect(w - 165, 7, 157, 18));
        const QRect bar = run.find("cbWebAddressBar")->geometry();
        QCOMPARE(bar.topLeft(), QPoint(226, 4));
        QCOMPARE(bar.width(), run.find("skActiveRedir")->x() - 289);
        const QRect list = run.find("cbSelectBrowserList")->geometry();
        QCOMPARE(list.topLeft(), QPoint(394, 34));
        QCOMPARE(list.width(), run.find("skActiveFileTools")->x() - 401);
        // Nothing of the tool bar overlaps the two boxes.
        for (const QString &name : run.frame().buttonNames()) {
            const QRect face = run.find<QWidget>(qPrintable(name))->geometry().adjusted(20, 0, -20, 0);
            QVERIFY2(!face.intersects(bar) && !face.intersects(list), qPrintable(name));
        }
        // The grid: 7-pixel strips around the scroll box.
        const QRect grid = run.find("pnGrid")->geometry();
        QCOMPARE(run.find("pnMainGrid")->geometry(), QRect(7, 7, grid.width() - 14, grid.height() - 14));
        QCOMPARE(grid.height(), size.height() - 31 - 31 - 65);
    }

    void maximiseAndRestore()
    {
        Run run;
        QVERIFY(run.started);
        run.window->setGeometry(100, 100, 915, 600);
        run.window->frame()->maximizeOrRestore();
        QCOMPARE(run.window->geometry(), QRect(0, 0, 1600, 1000));
        run.window->frame()->maximizeOrRestore();
        QCOMPARE(run.window->geometry(), QRect(1600 / 2 - 458, 1000 / 2 - 300, 915, 600));
        // Same width as the work area: restored, not maximised.
        run.window->setGeometry(0, 0, 1600, 700);
        run.window->frame()->maximizeOrRestore();
        QCOMPARE(run.window->size(), QSize(915, 600));
        QVERIFY(!run.flags.backgroundSuspended());
    }

    void everyButtonTriggersItsCommand()
    {
        Run run;
        QVERIFY(run.started);
        const QStringList registered = run.window->commands().names();
        for (const char *name : {"skAddressMode", "skAddressNew", "skActiveRedir", "skAddressPrior", "skAddressNext",
                                 "skAppTools", "skActiveBack", "skActiveForward", "skActiveStop",
                                 "skActiveFileTools", "skActiveRefresh", "skActivePrint", "skActiveDelete",
                                 "skActiveJump", "skMinimize", "skMaximize", "skAppClose", "Options1", "Help1",
                                 "About1", "OpenLocal1", "SaveToFile", "EmailActiveWebAddress", "WebAddressMode",
                                 "ActiveBrowserLinksMode", "WebSearchMode"})
            QVERIFY2(registered.contains(QLatin1String(name)), name);
        // Each button's action is the command of its name; a click on the
        // face triggers the button's action, and a disabled one stays still.
        for (const QString &name : registered) {
            auto *button = run.window->findChild<SkinButton *>(name);
            if (!button)
                continue;
            QAction *command = run.window->commands().command(name);
            QVERIFY2(button->action() == command, qPrintable(name));
            QAction probe;
            QSignalSpy triggered(&probe, &QAction::triggered);
            button->setAction(&probe);
            probe.setEnabled(false);
            button->click();
            QCOMPARE(triggered.count(), 0);
            probe.setEnabled(true);
            button->click();
            QVERIFY2(triggered.count() == 1, qPrintable(name));
            button->setAction(command);
        }
    }

    void windowButtons()
    {
        Run run;
        QVERIFY(run.started);
        auto *close = run.find<SkinButton>("skAppClose");
        QTest::mouseClick(close, Qt::LeftButton, {}, QPoint(22, 11));
        QVERIFY(!run.window->isVisible());
        QVERIFY(QFile::exists(run.dir.filePath(QStringLiteral("config/Halvane/Vorlan.conf"))));
    }
};

QTEST_MAIN(TestWindowFrame)
#include "test_windowframe.moc"
