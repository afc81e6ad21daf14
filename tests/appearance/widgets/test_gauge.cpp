#include "appearance/widgets/gauge.h"

#include <QTest>

#include <limits>

class TestGauge : public QObject
{
    Q_OBJECT

private slots:
    void percentDone_data()
    {
        constexpr int intMin = std::numeric_limits<int>::min();
        constexpr int intMax = std::numeric_limits<int>::max();
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<int>("progress");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << 0 << 100 << 50 << "50%";
        QTest::newRow("truncated two thirds") << 0 << 3 << 2 << "66%";
        QTest::newRow("negative range") << -50 << 50 << 0 << "50%";
        QTest::newRow("offset range") << 10 << 20 << 19 << "90%";
        QTest::newRow("empty range") << 42 << 42 << 42 << "0%";
        QTest::newRow("whole int range") << intMin << intMax << 0 << "50%";
        QTest::newRow("whole int range, top") << intMin << intMax << intMax << "100%";
    }

    void percentDone()
    {
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        QFETCH(int, progress);
        QFETCH(QString, text);
        QCOMPARE(GaugeRange::percentText(GaugeRange::percentDone(minValue, maxValue, progress)), text);
    }

    void boundsAndClamping_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("value");
        QTest::addColumn<QList<int>>("after"); // min, max, progress
        QTest::addColumn<QString>("error"); // empty: accepted
        // Every row starts from 0 .. 100 with progress 50.
        QTest::newRow("progress above") << "progress" << 150 << QList<int>{0, 100, 100} << "";
        QTest::newRow("min raises progress") << "min" << 60 << QList<int>{60, 100, 60} << "";
        QTest::newRow("max lowers progress") << "max" << 40 << QList<int>{0, 40, 40} << "";
        QTest::newRow("max down to min") << "max" << 0 << QList<int>{0, 0, 0} << "";
        QTest::newRow("min above max") << "min" << 101 << QList<int>{0, 100, 50}
                                       << "Value must be between -2147483648 and 100";
        QTest::newRow("max below min") << "max" << -1 << QList<int>{0, 100, 50}
                                       << "Value must be between 0 and 2147483647";
    }

    void boundsAndClamping()
    {
        QFETCH(QString, change);
        QFETCH(int, value);
        QFETCH(QList<int>, after);
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
        QCOMPARE(ok, error.isEmpty());
        QCOMPARE(QList<int>({gauge.minValue(), gauge.maxValue(), gauge.progress()}), after);
        QCOMPARE(gauge.lastError(), error);
    }

    void barPicture_data()
    {
        QTest::addColumn<Gauge::Kind>("kind");
        QTest::addColumn<Gauge::BorderStyle>("border");
        QTest::addColumn<QPoint>("lastFore"); // x < 0: no bar
        QTest::addColumn<QPoint>("firstBack");
        // 102 x 52 with a border leaves 100 x 50 inside; 30% of it.
        QTest::newRow("horizontal, border") << Gauge::gkHorizontalBar << Gauge::bsSingle << QPoint(30, 25)
                                            << QPoint(31, 25);
        QTest::newRow("vertical, no border") << Gauge::gkVerticalBar << Gauge::bsNone << QPoint(50, 35)
                                             << QPoint(50, 34);
        QTest::newRow("only the number") << Gauge::gkText << Gauge::bsNone << QPoint(-1, 0) << QPoint(2, 25);
    }

    void barPicture()
    {
        QFETCH(Gauge::Kind, kind);
        QFETCH(Gauge::BorderStyle, border);
        QFETCH(QPoint, lastFore);
        QFETCH(QPoint, firstBack);
        Gauge gauge;
        gauge.resize(border == Gauge::bsSingle ? 102 : 100, border == Gauge::bsSingle ? 52 : 50);
        gauge.setKind(kind);
        gauge.setBorderStyle(border);
        gauge.setShowText(false);
        gauge.setForeColor(Qt::blue);
        gauge.setBackColor(Qt::yellow);
        gauge.setProgress(30);
        const QImage picture = gauge.picture();
        if (lastFore.x() >= 0)
            QCOMPARE(picture.pixelColor(lastFore), QColor(Qt::blue));
        QCOMPARE(picture.pixelColor(firstBack), QColor(Qt::yellow));
        if (border == Gauge::bsSingle)
            QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::black));
    }

    // The number inverts whatever lies under it, so it shows on both the
    // bar and the background.
    void textIsInverted_data()
    {
        QTest::addColumn<Gauge::Kind>("kind");
        QTest::newRow("horizontal bar") << Gauge::gkHorizontalBar;
        QTest::newRow("pie") << Gauge::gkPie;
        QTest::newRow("only the number") << Gauge::gkText;
    }

    void textIsInverted()
    {
        QFETCH(Gauge::Kind, kind);
        const QColor fore(0, 0, 160), back(255, 255, 0);
        Gauge gauge;
        gauge.resize(120, 60);
        gauge.setKind(kind);
        gauge.setForeColor(fore);
        gauge.setBackColor(back);
        gauge.setProgress(50);
        gauge.setShowText(false);
        const QImage plain = gauge.picture();
        gauge.setShowText(true);
        const QImage withText = gauge.picture();

        int changed = 0, overFore = 0, overBack = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x) {
                const QRgb before = plain.pixel(x, y);
                if (before == withText.pixel(x, y))
                    continue;
                ++changed;
                QCOMPARE(withText.pixel(x, y) & RGB_MASK, ~before & RGB_MASK);
                overFore += before == fore.rgb();
                overBack += before == back.rgb();
            }
        QVERIFY(changed > 20);
        QVERIFY(overBack > 0);
        QCOMPARE(overFore > 0, kind != Gauge::gkText);
    }
};

QTEST_MAIN(TestGauge)
#include "test_gauge.moc"
