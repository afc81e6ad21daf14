#include "appearance/widgets/dropdowncombobox.h"
#include "appearance/widgets/gauge.h"
#include "appearance/widgets/skinbutton.h"
#include "core/commandregistry.h"
#include "core/overlaypanels.h"
#include "grid/gridmaintenance.h"
#include "grid/gridsearch.h"
#include "options/gridtoolspanel.h"
#include "support/gridharness.h"
#include "support/recordingshell.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

// The grid tools panel over engine-less panes and fixed memory figures.
class TestGridToolsPanel : public QObject
{
    Q_OBJECT

    struct FixedSystem : SystemInfo
    {
        MemoryStatus memory{4096ll << 20, 1024ll << 20, 0, 0};
        bool readable = true;
        bool memoryStatus(MemoryStatus *status) const override
        {
            *status = memory;
            return readable;
        }
        bool programMemory(qint64 *bytes) const override
        {
            *bytes = 300ll << 20;
            return true;
        }
    };

    struct Harness : GridHarness
    {
        RecordingShell shell;
        CommandRegistry commands;
        OverlayPanels overlays{&window, flags, prompter};
        GridSearch search{*grid, flags, prompter};
        GridMaintenance maintenance{*grid, settings, flags, prompter};
        FixedSystem system;
        SkinButton *skGridTools = new SkinButton(&window);
        std::unique_ptr<GridToolsPanel> panel;
        int audioChosen = 0;

        Harness()
        {
            window.resize(915, 600);
            skGridTools->setObjectName(QStringLiteral("skGridTools"));
            panel = std::make_unique<GridToolsPanel>(*grid, search, maintenance, flags, prompter, shell, overlays,
                                                     commands, skGridTools, system, &window);
            panel->setAudioPage(new QWidget, [this] { ++audioChosen; });
        }
    };

private slots:
    void opensCentredOnTheSearchPage()
    {
        Harness h;
        h.panel->pcGridTools->setCurrentIndex(2);
        QVERIFY(h.commands.trigger(QStringLiteral("skGridTools")));
        QVERIFY(h.panel->isVisible());
        QCOMPARE(h.panel->pos(), QPoint(915 / 2 - 404 / 2, 600 / 2 - 316 / 2));
        QCOMPARE(h.panel->pcGridTools->currentIndex(), 0);
        QCOMPARE(h.panel->Label31->text(), QStringLiteral("Stopped"));
        QCOMPARE(h.panel->pcGridTools->tabText(1), QStringLiteral(" Defrag && Clean Up "));
        QCOMPARE(h.panel->pcGridTools->count(), 4);
        QCOMPARE(h.panel->cbSearchColor->currentText(), QStringLiteral("Fuchsia"));
    }

    void tooSmallAWindow()
    {
        Harness h;
        h.window.setMinimumSize(1, 1);
        h.window.resize(404, 500);
        h.panel->open();
        QVERIFY(!h.panel->isVisible());
        QCOMPARE(h.prompter.texts(), QStringList{"Resize, window is to small to show grid tools panel."});
    }

    void enterSearchesAndRemembersTheText()
    {
        Harness h;
        for (int i = 0; i < 3; ++i)
            h.open(QStringLiteral("http://p%1.test/").arg(i));
        for (int n : {0, 2})
            h.control(n)->scriptResult = 2; // these pages find the text
        h.control(1)->scriptResult = 0;
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        h.panel->open();
        // The user clicks into the field, types and presses Enter.
        QTest::mouseClick(h.panel->cbSearchTextList->lineEdit(), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("apple"));
        QCOMPARE(h.panel->cbSearchTextList->currentText(), QStringLiteral("apple"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(h.panel->Label31->text(), QStringLiteral("Finished."));
        QCOMPARE(h.panel->puBrowserSearch->value(), 3);
        QCOMPARE(h.panel->cbSearchTextList->count(), 1);
        QCOMPARE(h.panel->cbSearchResultList->count(), 2);
        QCOMPARE(h.panel->cbSearchResultList->itemText(1), QStringLiteral("2 \u2022 http://p2.test/"));
        QCOMPARE(h.panel->cbSearchResultList->itemData(1).toInt(), 2);
        // The chosen colour and the whole-word flag reach the page.
        h.panel->cbSearchColor->setCurrentText(QStringLiteral("Lime"));
        h.panel->cbProximate->setChecked(true);
        h.grid->pane(1)->pages().clearHighlight();
        h.panel->btnStartSearch->click();
        QVERIFY(h.control(1)->scripts.last().contains(QStringLiteral("[\"apple\",\"#00FF00\",true,1001]")));
        QCOMPARE(h.panel->cbSearchTextList->count(), 1);
        // Picking a result makes its pane active.
        emit h.panel->cbSearchResultList->activated(1);
        QCOMPARE(h.flags.activeBrowser, 2);
        h.panel->btnResetResultList->click();
        QCOMPARE(h.panel->cbSearchResultList->count(), 0);
        QCOMPARE(h.panel->cbSearchTextList->currentText(), QString());
    }

    // The list of earlier texts: Enter on one of them searches for it; a
    // blank text searches nothing.
    void enterOnTheListOfEarlierTexts()
    {
        Harness h;
        h.open(QStringLiteral("http://p0.test/"));
        h.control(0)->scriptResult = 1;
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        h.panel->open();
        QTest::mouseClick(h.panel->cbSearchTextList->lineEdit(), Qt::LeftButton);
        for (const QString &text : {QStringLiteral("apple"), QStringLiteral("pear")}) {
            QTest::keyClicks(QApplication::focusWidget(), text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        }
        QCOMPARE(h.panel->cbSearchTextList->count(), 2);
        h.panel->btnResetResultList->click();
        const qsizetype scripts = h.control(0)->scripts.size();
        // Blank: Enter starts nothing.
        QTest::mouseClick(h.panel->cbSearchTextList->lineEdit(), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("   "));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(h.panel->Label31->text(), QStringLiteral("Stopped"));
        QCOMPARE(h.control(0)->scripts.size(), scripts);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
        QAbstractItemView *list = h.panel->cbSearchTextList->view();
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
        QCOMPARE(list->currentIndex().data().toString(), QStringLiteral("apple"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(h.panel->Label31->text(), QStringLiteral("Finished."));
        QVERIFY(!list->isVisible());
        QCOMPARE(h.panel->cbSearchTextList->currentText(), QStringLiteral("apple"));
        QVERIFY(h.control(0)->scripts.size() > scripts);
        QVERIFY(h.control(0)->scripts.last().contains(QStringLiteral("[\"apple\",")));
        QCOMPARE(h.panel->cbSearchResultList->count(), 1);
        QCOMPARE(h.panel->cbSearchTextList->count(), 2);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    // Both Close buttons close the panel: the bottom strip's and the one on
    // the "Resources" page.
    void eitherCloseButtonClosesThePanel_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("hint");
        QTest::newRow("bottom strip") << 0 << "btnCloseGridTools" << "Close the grid tools panel.";
        QTest::newRow("resources page") << 2 << "btnCloseResources" << "Close.";
    }
    void eitherCloseButtonClosesThePanel()
    {
        QFETCH(int, page);
        QFETCH(QString, button);
        QFETCH(QString, hint);
        Harness h;
        QVERIFY(h.commands.trigger(QStringLiteral("skGridTools")));
        QTabBar *tabs = h.panel->pcGridTools->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
        QCOMPARE(h.panel->pcGridTools->currentIndex(), page);
        auto *close = h.panel->findChild<QPushButton *>(button);
        QVERIFY(close);
        QCOMPARE(close->text(), QStringLiteral("Close"));
        QCOMPARE(close->toolTip(), hint);
        QVERIFY(close->isVisible());
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!h.panel->isVisible());
    }

    void searchOnDownloadFollowsTheBox()
    {
        Harness h;
        h.panel->cbSearchTextList->setEditText(QStringLiteral("news"));
        QTest::mouseClick(h.panel->cbSearchDownloaded, Qt::LeftButton);
        QVERIFY(h.search.searchOnDownloadEnabled());
        QCOMPARE(h.search.searchOnDownload().text, QStringLiteral("news"));
        QCOMPARE(h.panel->cbSearchTextList->count(), 1);
    }

    void maintenancePageShowsTheEstimates()
    {
        Harness h;
        h.flags.deleteDelay = 200; // as the program has it
        for (int i = 0; i < 3; ++i)
            h.open();
        h.panel->open();
        h.panel->pcGridTools->setCurrentIndex(1);
        QCOMPARE(h.panel->Label8->text(), QStringLiteral("3 browsers in use, this will take about 0.9sec."));
        QCOMPARE(h.panel->Label48->text(), QStringLiteral("3 browsers to delete, this will take about 1.2sec."));
        QCOMPARE(h.panel->Label28->text(), QStringLiteral("Stopped"));
    }

    void resourcesPage()
    {
        Harness h;
        for (int i = 0; i < 60; ++i)
            h.open();
        h.panel->open();
        h.panel->pcGridTools->setCurrentIndex(2);
        QCOMPARE(h.panel->Label33->text(), QStringLiteral("60"));
        QCOMPARE(h.panel->Label43->text(), QStringLiteral("4"));
        QCOMPARE(h.panel->Label40->text(), QStringLiteral("4096"));
        QCOMPARE(h.panel->Label38->text(), QStringLiteral("3072"));
        QCOMPARE(h.panel->Label41->text(), QStringLiteral("0"));
        QCOMPARE(h.panel->Label44->text(), QStringLiteral("300"));
        QCOMPARE(h.panel->Label36->text(), QStringLiteral("3072"));
        QCOMPARE(h.panel->guBrowsers->progress(), 6);
        QCOMPARE(h.panel->guBrowsers->foreColor(), QColor(Qt::red));
        QCOMPARE(h.panel->guSwap->progress(), 0);
        QCOMPARE(h.panel->guRAM->progress(), 25);
        QVERIFY(h.prompter.shown.isEmpty());
        h.system.readable = false;
        h.panel->btnRefreshResources->click();
        QCOMPARE(h.prompter.texts(), QStringList{"Could not get the system resource information"});
    }

    void audioPageIsTold()
    {
        Harness h;
        h.panel->open();
        h.panel->pcGridTools->setCurrentIndex(3);
        QCOMPARE(h.audioChosen, 1);
    }
};

QTEST_MAIN(TestGridToolsPanel)
#include "test_gridtoolspanel.moc"
