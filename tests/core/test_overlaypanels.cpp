#include "core/overlaypanels.h"
#include "core/runtimeflags.h"
#include "support/scriptedprompter.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

// The floating panels over a plain window: one open at a time, centred,
// moved by their strips and kept reachable when dropped.
class TestOverlayPanels : public QObject
{
    Q_OBJECT

    struct Run
    {
        RuntimeFlags flags;
        ScriptedPrompter prompter;
        QWidget window;
        OverlayPanels panels{&window, flags, prompter};
        QWidget *first = new QWidget(&window);
        QWidget *second = new QWidget(&window);

        Run()
        {
            window.resize(915, 600);
            first->resize(400, 300);
            second->resize(100, 100);
            panels.addPanel(first);
            panels.addPanel(second);
            window.show();
        }
    };

private slots:
    void opensCentredOneAtATime()
    {
        Run run;
        QVERIFY(!run.first->isVisible());
        QVERIFY(run.panels.open(run.first, QStringLiteral("too small")));
        QCOMPARE(run.first->pos(), QPoint(915 / 2 - 200, 600 / 2 - 150));
        // Already open: nothing moves.
        run.first->move(10, 10);
        QVERIFY(!run.panels.open(run.first, QStringLiteral("too small")));
        QCOMPARE(run.first->pos(), QPoint(10, 10));
        QVERIFY(run.panels.open(run.second, QStringLiteral("too small")));
        QVERIFY(!run.first->isVisible());
        QVERIFY(run.panels.anyVisible());
        run.panels.hideAll();
        QVERIFY(!run.panels.anyVisible());
        QVERIFY(run.prompter.shown.isEmpty());
    }

    void panelTooLargeForTheWindow_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<bool>("opens");
        QTest::newRow("fits") << QSize(401, 301) << true;
        QTest::newRow("as wide as the window") << QSize(400, 600) << false;
        QTest::newRow("as high as the window") << QSize(915, 300) << false;
    }
    void panelTooLargeForTheWindow()
    {
        QFETCH(QSize, window);
        QFETCH(bool, opens);
        Run run;
        run.window.setMinimumSize(1, 1);
        run.window.resize(window);
        QVERIFY(run.panels.open(run.second, QStringLiteral("too small")));
        QCOMPARE(run.panels.open(run.first, QStringLiteral("Resize, window is too small.")), opens);
        QCOMPARE(run.first->isVisible(), opens);
        // A refused panel leaves the open one open.
        QCOMPARE(run.second->isVisible(), !opens);
        QCOMPARE(run.prompter.texts(), opens ? QStringList() : QStringList{"Resize, window is too small."});
    }

    void droppedPanelIsPulledBackInside()
    {
        Run run;
        QWidget *panel = run.first;
        panel->setGeometry(100, 100, 400, 300);
        QWidget strip(panel);
        strip.setGeometry(0, 0, 400, 20);
        run.panels.addTitleStrip(&strip);
        panel->show();
        QSignalSpy dropped(&run.panels, &OverlayPanels::panelDropped);
        QTest::mousePress(&strip, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(run.flags.dragging);
        QMouseEvent move(QEvent::MouseMove, QPointF(610, 5), strip.mapToGlobal(QPointF(610, 5)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&strip, &move);
        QCOMPARE(panel->pos(), QPoint(700, 95));
        QTest::mouseRelease(&strip, Qt::LeftButton, {}, QPoint(610, 5));
        // Beyond the right edge: back to 20 pixels inside it.
        QCOMPARE(panel->pos(), QPoint(915 - 400 - 20, 95));
        QVERIFY(!run.flags.dragging);
        QCOMPARE(dropped.count(), 1);
    }
};

QTEST_MAIN(TestOverlayPanels)
#include "test_overlaypanels.moc"
