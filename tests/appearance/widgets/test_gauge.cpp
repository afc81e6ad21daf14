#include "appearance/widgets/gauge.h"

#include <QTest>

#include <limits>

namespace {

constexpr int intMin = std::numeric_limits<int>::min();
constexpr int intMax = std::numeric_limits<int>::max();

} // namespace

class TestGauge : public QObject
{
    Q_OBJECT

private slots:
    void percentArithmetic_data()
    {
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("percent");
        QTest::newRow("half") << 0 << 100 << 50 << 50;
        QTest::newRow("truncated third") << 0 << 3 << 1 << 33;
        QTest::newRow("truncated two thirds") << 0 << 3 << 2 << 66;
        QTest::newRow("negative range") << -50 << 50 << 0 << 50;
        QTest::newRow("offset range") << 10 << 20 << 19 << 90;
        QTest::newRow("full") << 7 << 9 << 9 << 100;
        QTest::newRow("empty range") << 0 << 0 << 0 << 0;
        QTest::newRow("empty range elsewhere") << 42 << 42 << 42 << 0;
        QTest::newRow("whole int range") << intMin << intMax << 0 << 50;
        QTest::newRow("whole int range, top") << intMin << intMax << intMax << 100;
    }

    void percentArithmetic()
    {
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        QFETCH(int, progress);
        QFETCH(int, percent);
        QCOMPARE(GaugeRange::percentDone(minValue, maxValue, progress), percent);

        GaugeRange range;
        // Widen first so neither bound is refused on the way.
        QVERIFY(range.setMaxValue(intMax));
        QVERIFY(range.setMinValue(minValue));
        QVERIFY(range.setMaxValue(maxValue));
        range.setProgress(progress);
        QCOMPARE(range.percentDone(), percent);
    }

    void defaults()
    {
        GaugeRange range;
        QCOMPARE(range.minValue(), 0);
        QCOMPARE(range.maxValue(), 100);
        QCOMPARE(range.progress(), 0);

        Gauge gauge;
        QCOMPARE(gauge.kind(), Gauge::gkHorizontalBar);
        QCOMPARE(gauge.showText(), true);
        QCOMPARE(gauge.borderStyle(), Gauge::bsSingle);
        QCOMPARE(gauge.foreColor(), QColor(Qt::black));
        QCOMPARE(gauge.backColor(), QColor(Qt::white));
        QCOMPARE(gauge.size(), QSize(100, 100));
    }

    void boundsAndClamping_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<int>("progress");
        QTest::addColumn<QString>("error");
        // Every row starts from 0 .. 100 with progress 50.
        QTest::newRow("progress above") << "progress" << 150 << true << 0 << 100 << 100 << "";
        QTest::newRow("progress below") << "progress" << -5 << true << 0 << 100 << 0 << "";
        QTest::newRow("min raises progress") << "min" << 60 << true << 60 << 100 << 60 << "";
        QTest::newRow("min below progress") << "min" << 20 << true << 20 << 100 << 50 << "";
        QTest::newRow("min up to max") << "min" << 100 << true << 100 << 100 << 100 << "";
        QTest::newRow("max lowers progress") << "max" << 40 << true << 0 << 40 << 40 << "";
        QTest::newRow("max down to min") << "max" << 0 << true << 0 << 0 << 0 << "";
        QTest::newRow("min above max") << "min" << 101 << false << 0 << 100 << 50
                                       << "Value must be between -2147483648 and 100";
        QTest::newRow("max below min") << "max" << -1 << false << 0 << 100 << 50
                                       << "Value must be between 0 and 2147483647";
    }

    void boundsAndClamping()
    {
        QFETCH(QString, change);
        QFETCH(int, value);
        QFETCH(bool, accepted);
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        QFETCH(int, progress);
        QFETCH(QString, error);

        Gauge gauge;
        gauge.setProgress(50);
        bool ok = true;
        if (change == QLatin1String("min"))
            ok = gauge.setMinValue(value);
        else if (change == QLatin1String("max"))
            ok = gauge.setMaxValue(value);
        else
            gauge.setProgress(value);
        QCOMPARE(ok, accepted);
        QCOMPARE(gauge.minValue(), minValue);
        QCOMPARE(gauge.maxValue(), maxValue);
        QCOMPARE(gauge.progress(), progress);
        QCOMPARE(gauge.lastError(), error);
    }

    void barLength_data()
    {
        QTest::addColumn<int>("extent");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("length");
        QTest::newRow("half of even") << 98 << 50 << 49;
        QTest::newRow("truncated") << 98 << 33 << 32;
        QTest::newRow("small extent") << 7 << 99 << 6;
        QTest::newRow("full") << 98 << 100 << 98;
        QTest::newRow("none") << 98 << 0 << 0;
        QTest::newRow("large extent does not overflow") << 40000000 << 75 << 30000000;
    }

    void barLength()
    {
        QFETCH(int, extent);
        QFETCH(int, percent);
        QFETCH(int, length);
        QCOMPARE(GaugeRange::barLength(extent, percent), length);
    }

    void percentText()
    {
        QCOMPARE(GaugeRange::percentText(0), QStringLiteral("0%"));
        QCOMPARE(GaugeRange::percentText(100), QStringLiteral("100%"));
        // An empty range reads "0%".
        GaugeRange range;
        QVERIFY(range.setMaxValue(0));
        QCOMPARE(GaugeRange::percentText(range.percentDone()), QStringLiteral("0%"));
    }

    void barPicture_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("border");
        QTest::addColumn<QPoint>("lastFore");
        QTest::addColumn<QPoint>("firstBack");
        // 102 x 52 with a border leaves 100 x 50 inside; 30% of it.
        QTest::newRow("horizontal, border") << int(Gauge::gkHorizontalBar) << int(Gauge::bsSingle)
                                            << QPoint(30, 25) << QPoint(31, 25);
        QTest::newRow("horizontal, no border") << int(Gauge::gkHorizontalBar) << int(Gauge::bsNone)
                                               << QPoint(29, 25) << QPoint(30, 25);
        QTest::newRow("vertical, border") << int(Gauge::gkVerticalBar) << int(Gauge::bsSingle)
                                          << QPoint(50, 36) << QPoint(50, 35);
        QTest::newRow("vertical, no border") << int(Gauge::gkVerticalBar) << int(Gauge::bsNone)
                                             << QPoint(50, 35) << QPoint(50, 34);
    }

    void barPicture()
    {
        QFETCH(int, kind);
        QFETCH(int, border);
        QFETCH(QPoint, lastFore);
        QFETCH(QPoint, firstBack);

        Gauge gauge;
        gauge.resize(border == Gauge::bsSingle ? 102 : 100, border == Gauge::bsSingle ? 52 : 50);
        gauge.setKind(Gauge::Kind(kind));
        gauge.setBorderStyle(Gauge::BorderStyle(border));
        gauge.setShowText(false);
        gauge.setForeColor(Qt::blue);
        gauge.setBackColor(Qt::yellow);
        gauge.setProgress(30);
        const QImage picture = gauge.picture();
        QCOMPARE(picture.pixelColor(lastFore), QColor(Qt::blue));
        QCOMPARE(picture.pixelColor(firstBack), QColor(Qt::yellow));
        const QColor corner = picture.pixelColor(0, 0);
        if (border == Gauge::bsSingle)
            QCOMPARE(corner, QColor(Qt::black));
        else
            QVERIFY(corner == QColor(Qt::blue) || corner == QColor(Qt::yellow));
    }

    void textKindShowsOnlyBackground()
    {
        Gauge gauge;
        gauge.setKind(Gauge::gkText);
        gauge.setShowText(false);
        gauge.setBackColor(Qt::green);
        gauge.setProgress(80);
        const QImage picture = gauge.picture();
        QCOMPARE(picture.pixelColor(5, 50), QColor(Qt::green));
        QCOMPARE(picture.pixelColor(94, 50), QColor(Qt::green));
    }

    // The number inverts whatever lies under it, so it shows on both the
    // bar and the background.
    void textIsInverted_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("horizontal bar") << int(Gauge::gkHorizontalBar);
        QTest::newRow("vertical bar") << int(Gauge::gkVerticalBar);
        QTest::newRow("pie") << int(Gauge::gkPie);
        QTest::newRow("needle") << int(Gauge::gkNeedle);
        QTest::newRow("text") << int(Gauge::gkText);
    }

    void textIsInverted()
    {
        QFETCH(int, kind);
        Gauge gauge;
        gauge.resize(120, 60);
        QFont big = gauge.font();
        big.setPixelSize(30);
        gauge.setFont(big);
        gauge.setKind(Gauge::Kind(kind));
        gauge.setForeColor(QColor(0, 0, 160));
        gauge.setBackColor(QColor(255, 255, 0));
        gauge.setProgress(50);

        gauge.setShowText(false);
        const QImage plain = gauge.picture();
        gauge.setShowText(true);
        const QImage withText = gauge.picture();

        int changed = 0;
        int overFore = 0;
        int overBack = 0;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                const QRgb before = plain.pixel(x, y);
                const QRgb after = withText.pixel(x, y);
                if (before == after)
                    continue;
                ++changed;
                QCOMPARE(after & RGB_MASK, ~before & RGB_MASK);
                if (before == QColor(0, 0, 160).rgb())
                    ++overFore;
                else if (before == QColor(255, 255, 0).rgb())
                    ++overBack;
            }
        }
        QVERIFY(changed > 20);
        QVERIFY(overBack > 0);
        if (kind == Gauge::gkHorizontalBar || kind == Gauge::gkVerticalBar)
            QVERIFY(overFore > 0);
    }
};

QTEST_MAIN(TestGauge)
#include "test_gauge.moc"
