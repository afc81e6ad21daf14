#include "navgrid/navgridplacement.h"

#include <QTest>

// Where the map panel and its hint go, and which square a point is on.
class TestNavGridPlacement : public QObject
{
    Q_OBJECT

private slots:
    void snapPositions_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("placed");
        QTest::addColumn<QPoint>("topLeft");
        // Grid area at 38, a 901 x 458 scroll box, a 915 wide window, 7-pixel right edge:
        // centre 901 div 2 - 183 div 2 = 359; right 915 - 6 - 183 - 7 = 719; bottom 38 + 458 - 161 = 335.
        QTest::newRow("top left") << 1 << true << QPoint(7, 38);
        QTest::newRow("top centre") << 2 << true << QPoint(359, 38);
        QTest::newRow("top right") << 3 << true << QPoint(719, 38);
        QTest::newRow("bottom right") << 4 << true << QPoint(719, 335);
        QTest::newRow("bottom centre") << 5 << true << QPoint(359, 335);
        QTest::newRow("bottom left") << 6 << true << QPoint(7, 335);
        QTest::newRow("no such position") << 7 << false << QPoint();
        QTest::newRow("zero") << 0 << false << QPoint();
    }
    void snapPositions()
    {
        QFETCH(int, position);
        QFETCH(bool, placed);
        NavGridPlacement::GridArea area{38, QSize(901, 458), 915, 7};
        QPoint at(-1, -1);
        QCOMPARE(NavGridPlacement::panelPosition(position, area, &at), placed);
        if (placed)
            QTEST(at, "topLeft");
        else
            QCOMPARE(at, QPoint(-1, -1));
    }

    void hintBesideThePanel_data()
    {
        QTest::addColumn<QRect>("panel");
        QTest::addColumn<QPoint>("hint");
        // A 241 x 153 hint, a 901 x 458 grid panel; the hint overlaps the map panel by 8.
        QTest::newRow("top left: right and below") << QRect(7, 38, 183, 161) << QPoint(7 + 183 - 8, 38 + 161 - 8);
        QTest::newRow("bottom right: left and above")
            << QRect(719, 335, 183, 161) << QPoint(719 - 241 + 8, 335 - 153 + 8);
        QTest::newRow("exactly half: not more than half") << QRect(450, 229, 183, 161) << QPoint(450 + 175, 229 + 153);
        QTest::newRow("just over half") << QRect(451, 230, 183, 161) << QPoint(451 - 233, 230 - 145);
    }
    void hintBesideThePanel()
    {
        QFETCH(QRect, panel);
        QTEST(NavGridPlacement::hintPosition(panel, QSize(241, 153), QSize(901, 458)), "hint");
    }

    void hintSizeLimits_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("clamped");
        QTest::newRow("reset size") << QSize(241, 153) << QSize(241, 153);
        QTest::newRow("too wide, too low") << QSize(1000, 50) << QSize(500, 100);
        QTest::newRow("too narrow, too high") << QSize(10, 900) << QSize(175, 400);
        QTest::newRow("negative") << QSize(-40, -5) << QSize(175, 100);
        QTest::newRow("limits themselves") << QSize(500, 400) << QSize(500, 400);
    }
    void hintSizeLimits()
    {
        QFETCH(QSize, size);
        QTEST(NavGridPlacement::clampHintSize(size), "clamped");
    }

    void squares_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("cell");
        QTest::newRow("first") << QPoint(0, 0) << 0;
        QTest::newRow("its line") << QPoint(16, 16) << 0;
        QTest::newRow("next square") << QPoint(17, 0) << 1;
        QTest::newRow("column 3 row 2") << QPoint(3 * 17 + 5, 2 * 17 + 5) << 19;
        QTest::newRow("last") << QPoint(135, 135) << 63;
        QTest::newRow("off the right") << QPoint(136, 10) << -1;
        QTest::newRow("off the top") << QPoint(10, -1) << -1;
    }
    void squares()
    {
        QFETCH(QPoint, point);
        QTEST(NavGridPlacement::squareAt(point), "cell");
    }

    void panelFits_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<bool>("fits");
        QTest::newRow("designed window") << QSize(915, 600) << true;
        QTest::newRow("400 x 150") << QSize(400, 150) << false;
        QTest::newRow("as wide as the panel") << QSize(183, 600) << false;
        QTest::newRow("one pixel more each way") << QSize(184, 162) << true;
    }
    void panelFits()
    {
        QFETCH(QSize, window);
        QTEST(NavGridPlacement::panelFits(window), "fits");
    }
};

QTEST_GUILESS_MAIN(TestNavGridPlacement)
#include "test_navgridplacement.moc"
