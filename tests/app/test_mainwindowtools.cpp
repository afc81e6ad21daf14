#include "options/bossbutton.h"
#include "options/optionspanel.h"
#include "support/windowharness.h"

#include <QAction>
#include <QTabWidget>
#include <QTest>

#include "core/commandregistry.h"

// The options panel, the boss button and the shortcuts as the user meets
// them in the real window: through the menu item and real key presses.
class TestMainWindowTools : public QObject
{
    Q_OBJECT

private slots:
    void optionsOpenFromTheMenuItem()
    {
        WindowHarness h;
        QVERIFY(h.started);
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        QAction *item = h.window->findChild<CommandRegistry *>()->command(QStringLiteral("Options1"));
        QVERIFY(item);
        item->trigger();
        OptionsPanel *panel = h.window->options();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->pcOptions->currentIndex(), 0);
        QCOMPARE(panel->pcOptions->tabText(2), QStringLiteral("Direct Input"));
        QVERIFY(panel->pcOptions->widget(2)->findChild<QWidget *>(QStringLiteral("cbDXEnabled")));
        // Centred in the window.
        QCOMPARE(panel->x(), h.window->width() / 2 - panel->width() / 2);
        QCOMPARE(panel->y(), h.window->height() / 2 - panel->height() / 2);
        // Escape while the panel is open does nothing.
        QTest::keyClick(h.window.get(), Qt::Key_Escape);
        QVERIFY(!h.window->bossButton()->active());
    }

    void escapeHidesAndRestores()
    {
        WindowHarness h;
        QVERIFY(h.started);
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        const QRect before = h.window->geometry();
        QTest::keyClick(h.window.get(), Qt::Key_Escape);
        QVERIFY(h.window->bossButton()->active());
        QCOMPARE(h.window->size(), QSize(BossButton::BossWidth, BossButton::BossHeight));
        QVERIFY(h.flags.suspendScanner);
        QVERIFY(h.flags.suspendQueue);
        QVERIFY(!h.flags.suspendController);
        QTest::keyClick(h.window.get(), Qt::Key_Escape);
        QVERIFY(!h.window->bossButton()->active());
        QTRY_COMPARE(h.window->geometry(), before);
        QVERIFY(!h.flags.suspendScanner);
        QVERIFY(!h.flags.suspendQueue);
    }

    void ctrlArrowsStepThroughTheBrowsers()
    {
        WindowHarness h;
        QVERIFY(h.started);
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        for (const char *address : {"https://a.example/", "https://b.example/", "https://c.example/"})
            QVERIFY(h.grid().openAddressInNewBrowser(QLatin1String(address), BrowserType::btNormal));
        QCOMPARE(h.flags.activeBrowser, 2);
        QTest::keyClick(h.window.get(), Qt::Key_Left, Qt::ControlModifier);
        QTRY_COMPARE(h.flags.activeBrowser, 1);
        QTest::keyClick(h.window.get(), Qt::Key_Up, Qt::ControlModifier);
        QTRY_COMPARE(h.flags.activeBrowser, 0);
        // Before the first: round to the last.
        QTest::keyClick(h.window.get(), Qt::Key_Left, Qt::ControlModifier);
        QTRY_COMPARE(h.flags.activeBrowser, 2);
        QTest::keyClick(h.window.get(), Qt::Key_Right, Qt::ControlModifier);
        QTRY_COMPARE(h.flags.activeBrowser, 0);
    }
};

QTEST_MAIN(TestMainWindowTools)
#include "test_mainwindowtools.moc"
