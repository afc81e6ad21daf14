#include "grid/browsersizing.h"

#include <QTest>

// The automatic browser size of a window and its grid area.
class TestBrowserSizing : public QObject
{
    Q_OBJECT

private slots:
    void automaticBrowserSize_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QSize>("grid");
        QTest::addColumn<QSize>("size");
        QTest::newRow("900 x 700") << QSize(900, 700) << QSize(880, 520) << QSize(820, 460);
        QTest::newRow("470 wide") << QSize(470, 700) << QSize(450, 520) << QSize(400, 300);
        QTest::newRow("470 high") << QSize(900, 470) << QSize(880, 290) << QSize(400, 300);
        QTest::newRow("exactly 480") << QSize(480, 480) << QSize(460, 300) << QSize(400, 240);
        QTest::newRow("wide grid, no limit") << QSize(1500, 900) << QSize(1400, 700) << QSize(1340, 640);
    }
    void automaticBrowserSize()
    {
        QFETCH(QSize, window);
        QFETCH(QSize, grid);
        QTEST(BrowserSizing::automaticSize(window, grid), "size");
    }
};

QTEST_GUILESS_MAIN(TestBrowserSizing)
#include "test_browsersizing.moc"
