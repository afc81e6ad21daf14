#include "app/mainwindow.h"
#include "app/overlaypanels.h"
#include "app/runtimeflags.h"
#include "app/settings.h"
#include "app/windowframe.h"
#include "appearance/widgets/skinbutton.h"
#include "grid/browsergrid.h"
#include "support/windowharness.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QMouseEvent>
#include <QTest>

#include <memory>

// The main window's frame on a started window with engine-less panes.
class TestMainFrame : public QObject
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
    }

    void panelTooLargeForTheWindow()
    {
        Run run;
        QVERIFY(run.started);
        QWidget other(run.window.get());
        other.resize(100, 100);
        run.window->overlayPanels()->addPanel(&other);
        run.window->overlayPanels()->open(&other, QStringLiteral("unused"));
        QVERIFY(other.isVisible());
        // A small window: the about panel does not fit.
        run.window->overlayPanels()->hideAll();
        run.window->setMinimumSize(205, 30);
        run.window->resize(300, 180);
        run.window->overlayPanels()->open(&other, QStringLiteral("unused"));
        QVERIFY(other.isVisible());
        run.window->openAboutPanel();
        QCOMPARE(run.prompter.texts(), QStringList{"Resize, window is to small to show the about panel."});
        QVERIFY(!run.find("pnAbout")->isVisible());
        QVERIFY(other.isVisible());
    }

    void droppedPanelIsPulledBackInside()
    {
        Run run;
        run.window->resize(915, 600);
        QWidget panel(run.window.get());
        panel.setGeometry(100, 100, 400, 300);
        QWidget strip(&panel);
        strip.setGeometry(0, 0, 400, 20);
        run.window->overlayPanels()->addPanel(&panel);
        run.window->overlayPanels()->addTitleStrip(&strip);
        panel.show();
        QTest::mousePress(&strip, Qt::LeftButton, {}, QPoint(10, 10));
        QMouseEvent move(QEvent::MouseMove, QPointF(610, 5), strip.mapToGlobal(QPointF(610, 5)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&strip, &move);
        QCOMPARE(panel.pos(), QPoint(700, 95));
        QTest::mouseRelease(&strip, Qt::LeftButton, {}, QPoint(610, 5));
        // Beyond the right edge: back to 20 pixels inside it.
        QCOMPARE(panel.pos(), QPoint(915 - 400 - 20, 95));
        QVERIFY(!run.flags.dragging);
    }

    void maximiseAndRestore()
    {
        Run run;
        QVERIFY(run.started);
        run.window->setGeometry(100, 100, 915, 600);
        run.window->maximizeOrRestore();
        QCOMPARE(run.window->geometry(), QRect(0, 0, 1600, 1000));
        run.window->maximizeOrRestore();
        QCOMPARE(run.window->geometry(), QRect(1600 / 2 - 458, 1000 / 2 - 300, 915, 600));
        // Same width as the work area: restored, not maximised.
        run.window->setGeometry(0, 0, 1600, 700);
        run.window->maximizeOrRestore();
        QCOMPARE(run.window->size(), QSize(915, 600));
        QVERIFY(!run.flags.backgroundSuspended());
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
        run.window->grid()->openAddressInNewBrowser(QStringLiteral("a"), BrowserGrid::BtNormal);
        run.window->grid()->openAddressInNewBrowser(QStringLiteral("b"), BrowserGrid::BtNormal);
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
        QCOMPARE(items, QStringList({"Options", "Help", "About", "Cancel"}));
        run.window->openHelp();
        QVERIFY(run.shell.opened.isEmpty()); // no help page beside the program
        QFile page(run.flags.programFolder + QStringLiteral("Vorlan Help.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        run.window->openHelp();
        QCOMPARE(run.shell.opened, QStringList{page.fileName()});
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

QTEST_MAIN(TestMainFrame)
#include "test_mainframe.moc"
