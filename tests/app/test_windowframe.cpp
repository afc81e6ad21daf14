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
#include <QToolTip>
#include <QWindow>

#include <memory>
#include <vector>

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

    // A press reaches the button whose face shows at that pixel, also where
    // the frames of neighbouring buttons overlap (the tab faces fit into
    // each other), through the window as a user clicks.
    void everyVisibleFacePixelClicksItsOwnButton()
    {
        Run run;
        QVERIFY(run.started);
        run.window->resize(915, 600);
        QStringList names = run.frame().buttonNames();
        names << "skMinimize" << "skMaximize" << "skAppClose";
        QList<SkinButton *> buttons;
        std::vector<std::unique_ptr<QAction>> probes;
        QHash<SkinButton *, int> clicks;
        for (const QString &name : names) {
            auto *b = run.find<SkinButton>(qPrintable(name));
            QVERIFY(b);
            buttons << b;
            probes.push_back(std::make_unique<QAction>());
            QObject::connect(probes.back().get(), &QAction::triggered, [&clicks, b] { ++clicks[b]; });
            b->setAction(probes.back().get());
        }
        // The button shown at a window point: the topmost sibling whose face
        // has an opaque pixel there.
        const auto faceAt = [&](const QPoint &windowPoint) -> SkinButton * {
            SkinButton *top = nullptr;
            int topOrder = -1;
            for (SkinButton *b : buttons) {
                const QPoint local = b->mapFrom(run.window.get(), windowPoint);
                const int order = int(b->parentWidget()->children().indexOf(b));
                if (b->isVisible() && b->rect().contains(local) && b->hitTest(local) && order > topOrder) {
                    top = b;
                    topOrder = order;
                }
            }
            return top;
        };
        QWindow *handle = run.window->windowHandle();
        QVERIFY(handle);
        int tried = 0;
        for (SkinButton *b : buttons) {
            int own = 0;
            for (int y = 0; y < b->height(); ++y) {
                for (int x = 0; x < b->width(); ++x) {
                    const QPoint at = b->mapTo(run.window.get(), QPoint(x, y));
                    if (!b->hitTest({x, y}) || faceAt(at) != b)
                        continue;
                    const int before = clicks.value(b);
                    QTest::mouseClick(handle, Qt::LeftButton, {}, at);
                    QVERIFY2(clicks.value(b) == before + 1,
                             qPrintable(QStringLiteral("%1 at window (%2, %3)").arg(b->objectName()).arg(at.x()).arg(at.y())));
                    ++own;
                }
            }
            QVERIFY2(own > 100, qPrintable(b->objectName()));
            tried += own;
        }
        int total = 0;
        for (int n : clicks)
            total += n;
        QCOMPARE(total, tried);
        qInfo() << tried << "face pixels clicked";
    }

    // "Drag." is the hint of the frame's strips, not of the pages inside it.
    void dragHintOnlyOnTheStrips_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("hint");
        QTest::newRow("pane margin") << "pnTopBro" << "";
        QTest::newRow("page") << "page" << "";
        QTest::newRow("pane button") << "skSelect" << "Click to select.";
        QTest::newRow("grid strip") << "pnGridLeft" << "Drag.";
        QTest::newRow("top strip") << "imTopCenterLip" << "Drag.";
    }
    void dragHintOnlyOnTheStrips()
    {
        QFETCH(QString, part);
        Run run;
        QVERIFY(run.started);
        run.grid().openAddressInNewBrowser(QStringLiteral("a.test"), BrowserType::btNormal);
        BrowserPane *pane = run.grid().pane(0);
        QWidget *target = part == QLatin1String("page") ? pane->control()->widget()
                                                        : run.window->findChild<QWidget *>(part);
        QVERIFY(target);
        QToolTip::hideText();
        const QPoint at = part == QLatin1String("skSelect") ? QPoint(12, 11) : target->rect().center();
        QHelpEvent help(QEvent::ToolTip, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &help);
        QTEST(QToolTip::isVisible() ? QToolTip::text() : QString(), "hint");
        QToolTip::hideText();
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
