#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "support/navgridharness.h"

#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

// The navigation grid over a grid of engine-less panes: the panel, the map's
// mouse and drops, the delete symbol and the hint.
class TestNavGrid : public QObject
{
    Q_OBJECT

    static QString cellCaption(BrowserPane *pane)
    {
        return pane->findChild<QWidget *>(QStringLiteral("laCellNo"))->property("text").toString();
    }

private slots:
    void everyControlByName()
    {
        NavGridHarness h;
        for (const char *name : {"pnNavGrid", "dgNavGrid", "pnNavBack", "pnNavDelete", "imNavDeleteGray",
                                 "imNavDeleteColor", "imNavGridTop", "imNavGridBottom", "imNavGridLeft",
                                 "imNavGridRight", "skNavTopLeft", "skNavTopCenter", "skNavTopRight",
                                 "skNavBottomRight", "skNavBottomCenter", "skNavBottomLeft", "skNavHintAddress",
                                 "skNavHintLock", "skNavHintResize", "pnNavHint", "laNavServer", "imNavHint",
                                 "mmNavURL", "imResizeHint", "laResizeHint", "pnHintBack", "spNavHint"})
            QVERIFY2(h.window.findChild<QWidget *>(QLatin1String(name)), name);
        QCOMPARE(h.nav->panel()->size(), QSize(183, 161));
        QCOMPARE(h.map()->size(), QSize(136, 136));
        for (const char *command : {"skNavGrid", "skNavTopLeft", "skNavBottomLeft", "skNavHintAddress",
                                    "skNavHintLock", "skNavHintResize"})
            QVERIFY2(h.commands.command(QLatin1String(command)), command);
    }

    void showAndHideAtTheLastPosition_data()
    {
        QTest::addColumn<int>("barPosition");
        QTest::addColumn<int>("position");
        QTest::addColumn<QPoint>("topLeft");
        // The grid area begins below the top strip (31), and below the tool bar
        // (65) when that is on top, plus the grid's top edge (7).
        QTest::newRow("bar at the bottom, bottom left") << 0 << 6 << QPoint(7, 38 + 901 * 0 + 458 - 161);
        QTest::newRow("bar at the bottom, top right") << 0 << 3 << QPoint(915 - 6 - 183 - 7, 38);
        QTest::newRow("bar on top, top left") << 1 << 1 << QPoint(7, 31 + 65 + 7);
        QTest::newRow("bar on top, bottom centre") << 1 << 5 << QPoint(901 / 2 - 183 / 2, 103 + 458 - 161);
    }
    void showAndHideAtTheLastPosition()
    {
        QFETCH(int, barPosition);
        QFETCH(int, position);
        NavGridHarness h(barPosition);
        h.scrollBox->resize(901, 458);
        h.settings.navGridLastPosition = position;
        QVERIFY(h.commands.trigger(QStringLiteral("skNavGrid")));
        QVERIFY(h.nav->panel()->isVisible());
        QVERIFY(h.skNavGrid->isDown());
        QTEST(h.nav->panel()->pos(), "topLeft");
        QVERIFY(h.commands.trigger(QStringLiteral("skNavGrid")));
        QVERIFY(!h.nav->panel()->isVisible());
        QVERIFY(!h.skNavGrid->isDown());
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void snapButtonsMoveThePanelAndRememberIt()
    {
        NavGridHarness h;
        h.scrollBox->resize(901, 458);
        h.commands.trigger(QStringLiteral("skNavGrid"));
        QVERIFY(h.commands.trigger(QStringLiteral("skNavTopCenter")));
        QCOMPARE(h.nav->panel()->pos(), QPoint(359, 38));
        QCOMPARE(h.settings.navGridLastPosition, 2);
        // Snapping in resize mode leaves it and hides the hint.
        QVERIFY(h.commands.trigger(QStringLiteral("skNavHintResize")));
        QVERIFY(h.hint()->isVisible());
        QVERIFY(h.commands.trigger(QStringLiteral("skNavBottomRight")));
        QVERIFY(!h.hint()->resizeMode());
        QVERIFY(!h.hint()->isVisible());
        QVERIFY(!h.nav->panel()->skNavHintResize->isDown());
        QCOMPARE(h.settings.navGridLastPosition, 4);
    }

    void aSmallWindowRefusesThePanel()
    {
        NavGridHarness h;
        h.window.setMinimumSize(1, 1);
        h.window.resize(400, 150);
        QVERIFY(h.commands.trigger(QStringLiteral("skNavGrid")));
        QVERIFY(!h.nav->panel()->isVisible());
        QVERIFY(!h.skNavGrid->isDown());
        QCOMPARE(h.prompter.texts(), QStringList{"Resize, window is to small to show the nav grid panel."});
    }

    // A shown panel stays in a window just as high or as wide as itself and
    // goes only from one a pixel lower or narrower, when a snap places it.
    void aShownPanelStaysInAWindowItsOwnSize_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<bool>("stays");
        QTest::newRow("as high as the panel") << QSize(915, 161) << true;
        QTest::newRow("one pixel lower") << QSize(915, 160) << false;
        QTest::newRow("as wide as the panel") << QSize(183, 600) << true;
        QTest::newRow("one pixel narrower") << QSize(182, 600) << false;
    }
    void aShownPanelStaysInAWindowItsOwnSize()
    {
        QFETCH(QSize, window);
        QFETCH(bool, stays);
        NavGridHarness h;
        h.window.setMinimumSize(1, 1);
        QTest::mouseClick(h.skNavGrid, Qt::LeftButton);
        QVERIFY(h.nav->panel()->isVisible());
        h.window.resize(window);
        QCOMPARE(h.window.size(), window);
        QTest::mouseClick(h.nav->panel()->snapButtons[0], Qt::LeftButton);
        QCOMPARE(h.settings.navGridLastPosition, 1);
        QCOMPARE(h.nav->panel()->isVisible(), stays);
        QCOMPARE(h.skNavGrid->isDown(), stays);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void mapShowsOccupiedActiveAndHighlightedSquares()
    {
        NavGridHarness h;
        h.commands.trigger(QStringLiteral("skNavGrid"));
        h.open(QStringLiteral("http://a.test/"));
        h.open(QStringLiteral("http://b.test/"));
        QCOMPARE(h.map()->selectedSquare(), 1);
        h.grid->pane(0)->selectBrowser(true);
        QCOMPARE(h.map()->selectedSquare(), 0);
        const QImage picture = h.map()->grab().toImage();
        const QImage occupied = h.skin.picture(SkinPicture::NavUnselected);
        // The occupied picture in square 1, the free square 2 as the map's ground.
        QCOMPARE(picture.pixelColor(17 + 8, 8), QColor(occupied.pixel(8, 8)));
        QVERIFY(picture.pixelColor(2 * 17 + 8, 8) != QColor(occupied.pixel(8, 8)));
        // A page with search highlights gets the mark.
        h.control(1)->scriptResult = 3;
        h.grid->pane(1)->pages().highlightSearchText(QStringLiteral("x"), Qt::magenta, false);
        QVERIFY(h.grid->pane(1)->hasHighlights());
        const QImage marked = h.map()->grab().toImage();
        QCOMPARE(marked.pixelColor(17 + 11, 11), QColor(255, 0, 255));
        QVERIFY(picture.pixelColor(17 + 11, 11) != QColor(255, 0, 255));
    }

    // A page making sound wears a speaker in its square's top right,
    // crossed in red when muted; the hint says so.
    void aPaneMakingSoundWearsASpeaker_data()
    {
        QTest::addColumn<int>("browserNo");
        QTest::addColumn<QString>("caption");
        QTest::newRow("the active pane, heard") << 1 << "1: b.test - playing sound";
        QTest::newRow("a background pane, muted") << 0 << "0: a.test - playing sound, muted";
    }
    void aPaneMakingSoundWearsASpeaker()
    {
        QFETCH(int, browserNo);
        NavGridHarness h;
        h.commands.trigger(QStringLiteral("skNavGrid"));
        h.open(QStringLiteral("http://a.test/"));
        h.open(QStringLiteral("http://b.test/"));
        const bool muted = browserNo != h.flags.activeBrowser;
        const QImage silent = h.map()->grab().toImage();
        h.control(browserNo)->setAudible(true);
        const int cell = h.grid->pane(browserNo)->cellIndex;
        QVERIFY(h.map()->square(cell).sounding);
        QCOMPARE(h.map()->square(cell).muted, muted);
        const QImage marked = h.map()->grab().toImage();
        const QPoint corner(cell * 17 + 7, 1);
        QCOMPARE(marked.pixelColor(corner + QPoint(3, 3)), QColor(Qt::white)); // the cone
        if (muted)
            QCOMPARE(marked.pixelColor(corner + QPoint(5, 2)), QColor(255, 80, 80)); // the cross
        else
            QCOMPARE(marked.pixelColor(corner + QPoint(6, 3)), QColor(Qt::white)); // the sound wave
        QVERIFY(silent.pixelColor(corner + QPoint(3, 3)) != QColor(Qt::white));
        h.hover(cell, Qt::ControlModifier);
        QTEST(h.hint()->laNavServer->text(), "caption");
        // Silent again: the mark goes.
        h.control(browserNo)->setAudible(false);
        QCOMPARE(h.map()->grab().toImage(), silent);
    }

    // A page that does not answer is framed in red on the map and its hint
    // says so, until it answers again.
    void aPaneNotRespondingIsMarked()
    {
        NavGridHarness h;
        h.commands.trigger(QStringLiteral("skNavGrid"));
        h.open(QStringLiteral("http://a.test/"));
        h.open(QStringLiteral("http://b.test/"));
        const QImage answering = h.map()->grab().toImage();
        h.control(0)->setResponding(false);
        const int cell = h.grid->pane(0)->cellIndex;
        QVERIFY(h.map()->square(cell).notResponding);
        QVERIFY(!h.map()->square(h.grid->pane(1)->cellIndex).notResponding);
        const QImage marked = h.map()->grab().toImage();
        const QPoint origin(cell * 17, 0);
        QCOMPARE(marked.pixelColor(origin + QPoint(0, 7)), QColor(220, 30, 30));
        QCOMPARE(marked.pixelColor(origin + QPoint(7, 7)), QColor(Qt::white));
        h.hover(cell, Qt::ControlModifier);
        QCOMPARE(h.hint()->laNavServer->text(), QStringLiteral("0: a.test - not responding"));
        h.control(0)->setResponding(true);
        QCOMPARE(h.map()->grab().toImage(), answering);
    }

    // A pane that downloads has a bar along the bottom of its square, green
    // as far as the download has come, and its hint gives the percentage;
    // both go when the download ends.
    void aDownloadingPaneShowsItsProgress_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("green"); // pixels from the left of the 16
        QTest::newRow("starting") << 0 << 0;
        QTest::newRow("half") << 50 << 8;
        QTest::newRow("nearly") << 99 << 15;
        QTest::newRow("all") << 100 << 16;
    }
    void aDownloadingPaneShowsItsProgress()
    {
        QFETCH(int, percent);
        QFETCH(int, green);
        NavGridHarness h;
        h.commands.trigger(QStringLiteral("skNavGrid"));
        h.open(QStringLiteral("http://a.test/"));
        h.open(QStringLiteral("http://b.test/"));
        QVERIFY(QTest::qWaitForWindowExposed(h.map()));
        const QImage idle = h.map()->grab().toImage();
        // The map paints again by itself when the pane tells of its download.
        struct PaintCounter : QObject
        {
            int paints = 0;
            bool eventFilter(QObject *, QEvent *event) override
            {
                paints += event->type() == QEvent::Paint;
                return false;
            }
        } counter;
        h.map()->installEventFilter(&counter);
        emit h.control(0)->downloadProgressChanged(percent);
        QTRY_VERIFY(counter.paints > 0);
        QCOMPARE(h.grid->pane(0)->downloadProgress(), percent);
        const QImage marked = h.map()->grab().toImage();
        const int cell = h.grid->pane(0)->cellIndex;
        const QPoint foot(cell * 17, 14); // the square's row 14 of 16
        for (int x = 0; x < 16; ++x)
            QCOMPARE(marked.pixelColor(foot + QPoint(x, 0)), x < green ? NavGridMap::DownloadDone : NavGridMap::DownloadTrack);
        // The rest of the square and the other pane's square as they were.
        QCOMPARE(marked.copy(cell * 17, 0, 16, 12), idle.copy(cell * 17, 0, 16, 12));
        const int other = h.grid->pane(1)->cellIndex;
        QCOMPARE(marked.copy(other * 17, 0, 16, 16), idle.copy(other * 17, 0, 16, 16));
        h.hover(cell, Qt::ControlModifier);
        QCOMPARE(h.hint()->laNavServer->text(), QStringLiteral("0: a.test - downloading %1%").arg(percent));
        // Done, broken off or cancelled: the bar goes.
        counter.paints = 0;
        emit h.control(0)->downloadProgressChanged(-1);
        QTRY_VERIFY(counter.paints > 0);
        QCOMPARE(h.map()->grab().toImage(), idle);
        h.hover(other, Qt::ControlModifier);
        h.hover(cell, Qt::ControlModifier);
        QCOMPARE(h.hint()->laNavServer->text(), QStringLiteral("0: a.test"));
    }

    void dragAPaneToAFreeSquare()
    {
        NavGridHarness h;
        h.commands.trigger(QStringLiteral("skNavGrid"));
        h.open(QStringLiteral("http://a.test/"));
        h.open(QStringLiteral("http://b.test/"));
        h.scrollBox->horizontalScrollBar()->setValue(200);
        // Press on square 0 picks its pane up and makes it active.
        QTest::mousePress(h.map(), Qt::LeftButton, {}, NavGridHarness::square(0));
        QCOMPARE(h.flags.dragSource, 0);
        QCOMPARE(h.flags.activeBrowser, 0);
        QTest::mouseRelease(h.map(), Qt::LeftButton, {}, NavGridHarness::square(0));
        h.nav->dropOnSquare(19); // column 3, row 2
        BrowserPane *pane = h.grid->pane(0);
        QCOMPARE(pane->cellIndex, 19);
        QCOMPARE(cellCaption(pane), QStringLiteral("19"));
        QCOMPARE(pane->pos(), QPoint(3 * 400, 2 * 300));
        // Selected again, the view goes to its new cell.
        QScrollBar *across = h.scrollBox->horizontalScrollBar();
        QCOMPARE(across->value(), qMin(3 * 400, across->maximum()));
        QVERIFY(h.grid->model().cell(0).vacant);
        QVERIFY(!h.grid->model().cell(19).vacant);
        QCOMPARE(h.flags.dragSource, int(NoIndex));
        QVERIFY(!h.flags.backgroundSuspended());
        QVERIFY(h.prompter.shown.isEmpty());
        // The next page opens in the vacated cell.
        h.open(QStringLiteral("http://c.test/"));
        QCOMPARE(h.grid->activePane()->cellIndex, 0);
    }

    void dropOnAnOccupiedSquareChangesNothing_data()
    {
        QTest::addColumn<int>("target");
        QTest::newRow("another pane's square") << 1;
        QTest::newRow("its own square") << 0;
    }
    void dropOnAnOccupiedSquareChangesNothing()
    {
        QFETCH(int, target);
        NavGridHarness h;
        h.open(QStringLiteral("http://a.test/"));
        h.open(QStringLiteral("http://b.test/"));
        QTest::mousePress(h.map(), Qt::LeftButton, {}, NavGridHarness::square(0));
        h.nav->dropOnSquare(target);
        QCOMPARE(h.prompter.texts(), QStringList{"Can not drop the active browser here."});
        QCOMPARE(h.grid->pane(0)->cellIndex, 0);
        QCOMPARE(h.grid->pane(1)->cellIndex, 1);
        QVERIFY(!h.flags.backgroundSuspended());
    }

    // However a drag ends (here the platform has no drag loop, so it ends at
    // once), nothing stays suspended and nothing stays picked up.
    void aDragThatEndsLeavesNothingRaised()
    {
        NavGridHarness h;
        h.open(QStringLiteral("http://a.test/"));
        QTest::mousePress(h.map(), Qt::LeftButton, {}, NavGridHarness::square(0));
        QMouseEvent move(QEvent::MouseMove, QPointF(40, 40), h.map()->mapToGlobal(QPointF(40, 40)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h.map(), &move);
        QTest::mouseRelease(h.map(), Qt::LeftButton, {}, QPoint(40, 40));
        QVERIFY(!h.flags.backgroundSuspended());
        QCOMPARE(h.flags.suspensionDepth(), 0);
        QCOMPARE(h.flags.dragSource, int(NoIndex));
        QVERIFY(h.nav->panel()->imNavDeleteGray->isVisibleTo(h.nav->panel()));
        QCOMPARE(h.grid->pane(0)->cellIndex, 0);
    }

    void onlyDragsFromTheMapAreTaken()
    {
        NavGridHarness h;
        QMimeData data;
        data.setData(NavGrid::DragFormat, "0");
        // Outside a drag of the map there is no source: refused.
        QDropEvent drop(QPointF(10, 10), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QVERIFY(!h.nav->isMapDrag(&drop));
    }

    void deleteSymbol()
    {
        NavGridHarness h;
        h.nav->dropOnDelete();
        QCOMPARE(h.prompter.texts(), QStringList{"Drag and drop a browser here to delete it."});
        h.open(QStringLiteral("http://a.test/"));
        h.open(QStringLiteral("http://b.test/"));
        // The dragged pane is active: it goes at once, without a question.
        QTest::mousePress(h.map(), Qt::LeftButton, {}, NavGridHarness::square(0));
        h.nav->dropOnDelete();
        QCOMPARE(h.flags.browserCount, 1);
        QVERIFY(!h.grid->pane(0));
        QCOMPARE(h.prompter.texts().size(), 1);
        // Another pane made active meanwhile: nothing is deleted.
        QTest::mousePress(h.map(), Qt::LeftButton, {}, NavGridHarness::square(1));
        h.open(QStringLiteral("http://c.test/"));
        h.nav->dropOnDelete();
        QCOMPARE(h.flags.browserCount, 2);
        QVERIFY(h.nav->panel()->imNavDeleteGray->isVisibleTo(h.nav->panel()));
        QVERIFY(!h.flags.backgroundSuspended());
    }

    void hintWithCtrlOrTheLock_data()
    {
        QTest::addColumn<int>("lock");
        QTest::addColumn<int>("keys");
        QTest::addColumn<bool>("shown");
        QTest::newRow("locked, no key") << 1 << int(Qt::NoModifier) << true;
        QTest::newRow("unlocked, Ctrl") << 0 << int(Qt::ControlModifier) << true;
        QTest::newRow("unlocked, no key") << 0 << int(Qt::NoModifier) << false;
        QTest::newRow("unlocked, Shift") << 0 << int(Qt::ShiftModifier) << false;
    }
    void hintWithCtrlOrTheLock()
    {
        QFETCH(int, lock);
        QFETCH(int, keys);
        QFETCH(bool, shown);
        NavGridHarness h;
        h.commands.trigger(QStringLiteral("skNavGrid"));
        h.settings.navGridHintLock = lock;
        h.open(QStringLiteral("http://www.example.org:8080/a/b"));
        h.hover(0, Qt::KeyboardModifiers(keys));
        QCOMPARE(h.hint()->isVisible(), shown);
        QCOMPARE(h.flags.pointedCell, shown ? 0 : int(NoIndex));
        if (shown)
            QCOMPARE(h.hint()->laNavServer->text(), QStringLiteral("0: www.example.org:8080"));
        // An empty square hides it again.
        h.hover(5, Qt::KeyboardModifiers(keys));
        QVERIFY(!h.hint()->isVisible());
        QCOMPARE(h.flags.pointedCell, int(NoIndex));
    }

    void pictureOnlyForAnotherPane()
    {
        NavGridHarness h;
        h.commands.trigger(QStringLiteral("skNavGrid"));
        h.settings.navGridHintLock = 1;
        h.open(QStringLiteral("http://a.test/"));
        h.open(QStringLiteral("http://b.test/"));
        h.hover(0);
        QCOMPARE(h.control(0)->grabs, 1);
        h.hover(0, {}, QPoint(3, 3)); // within the same square
        QCOMPARE(h.control(0)->grabs, 1);
        h.hover(1);
        QCOMPARE(h.control(1)->grabs, 1);
        QVERIFY(!h.hint()->imNavHint->pixmap().isNull());
        // The hint stands beside the panel, overlapping it by 8.
        const QRect panel = h.nav->panel()->geometry();
        QCOMPARE(h.hint()->pos().x(), 2 * panel.left() > h.pnMainGrid->width() ? panel.left() - h.hint()->width() + 8
                                                                                : panel.right() + 1 - 8);
    }

    void addressMode()
    {
        NavGridHarness h;
        h.commands.trigger(QStringLiteral("skNavGrid"));
        h.settings.navGridHintLock = 1;
        h.open(QStringLiteral("https://docs.test/guide/index.html?x=1"));
        QVERIFY(h.commands.trigger(QStringLiteral("skNavHintAddress")));
        QVERIFY(h.nav->panel()->skNavHintAddress->isDown());
        h.hover(0);
        QCOMPARE(h.hint()->mmNavURL->toPlainText(), QStringLiteral("https://docs.test/guide/index.html?x=1"));
        QVERIFY(h.hint()->mmNavURL->isVisibleTo(h.hint()));
        QVERIFY(!h.hint()->imNavHint->isVisibleTo(h.hint()));
        QCOMPARE(h.control(0)->grabs, 0);
        QCOMPARE(h.hint()->laNavServer->text(), QStringLiteral("0: docs.test"));
    }

    void lockButton()
    {
        NavGridHarness h;
        h.settings.navGridHintLock = 1;
        h.commands.trigger(QStringLiteral("skNavGrid"));
        QVERIFY(h.nav->panel()->skNavHintLock->isDown());
        QVERIFY(h.commands.trigger(QStringLiteral("skNavHintLock")));
        QCOMPARE(h.settings.navGridHintLock, 0);
        QVERIFY(!h.nav->panel()->skNavHintLock->isDown());
    }

    // The grip: size at the press plus the pointer's way, kept inside the
    // limits all along, stored, and centred when let go.
    void resizeGrip_data()
    {
        QTest::addColumn<QPoint>("way");
        QTest::addColumn<QSize>("during");
        QTest::addColumn<QSize>("after");
        QTest::newRow("to 1000 x 50") << QPoint(1000 - 241, 50 - 153) << QSize(500, 100) << QSize(500, 100);
        QTest::newRow("a little bigger") << QPoint(20, 10) << QSize(261, 163) << QSize(261, 163);
        QTest::newRow("too small") << QPoint(-200, -200) << QSize(175, 100) << QSize(175, 100);
    }
    void resizeGrip()
    {
        QFETCH(QPoint, way);
        QFETCH(QSize, during);
        QFETCH(QSize, after);
        NavGridHarness h;
        h.commands.trigger(QStringLiteral("skNavGrid"));
        h.commands.trigger(QStringLiteral("skNavHintResize"));
        QWidget *grip = h.hint()->imResizeHint;
        QVERIFY(grip->isVisible());
        const QPoint start = grip->mapToGlobal(QPoint(10, 10));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(start), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(grip, &press);
        // Two moves: the second is measured from the press, not from the first.
        for (const QPoint &to : {start + way / 2, start + way}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(to), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(grip, &move);
        }
        QCOMPARE(h.hint()->size(), during);
        QCOMPARE(QSize(h.settings.navGridHintWidth, h.settings.navGridHintHeight), during);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10), QPointF(start + way), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grip, &release);
        QCOMPARE(h.hint()->size(), after);
        QCOMPARE(QSize(h.settings.navGridHintWidth, h.settings.navGridHintHeight), after);
        QCOMPARE(h.hint()->pos(), QPoint(915 / 2 - after.width() / 2, 600 / 2 - after.height() / 2));
    }

    void resetSizeByDoubleClick()
    {
        NavGridHarness h;
        h.settings.navGridHintWidth = 400;
        h.settings.navGridHintHeight = 300;
        h.commands.trigger(QStringLiteral("skNavHintResize"));
        QTest::mouseDClick(h.hint()->laResizeHint, Qt::LeftButton);
        QCOMPARE(h.hint()->size(), QSize(241, 153));
        QCOMPARE(QSize(h.settings.navGridHintWidth, h.settings.navGridHintHeight), QSize(241, 153));
    }

    void storedSizesAreBroughtInsideTheLimits()
    {
        Settings settings;
        settings.navGridHintWidth = 5000;
        settings.navGridHintHeight = 12;
        NavGridHarness h;
        h.settings.navGridHintWidth = 5000;
        h.settings.navGridHintHeight = 12;
        // A second navigation grid reads them as a start-up would.
        NavGrid again(*h.grid, h.settings, h.flags, h.prompter, *h.overlays, h.commands, h.skin,
                      {&h.window, h.pnMaster, h.pnTop, h.pnControls, h.pnGridTop, h.pnGridRight, h.pnMainGrid,
                       h.scrollBox, h.skNavGrid});
        QCOMPARE(again.hint()->size(), QSize(500, 100));
        QCOMPARE(QSize(h.settings.navGridHintWidth, h.settings.navGridHintHeight), QSize(500, 100));
    }
};

QTEST_MAIN(TestNavGrid)
#include "test_navgrid.moc"
