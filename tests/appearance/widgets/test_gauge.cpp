#include "appearance/widgets/gauge.h"

#include <QTest>

#include <climits>

class TestGauge : public QObject
{
    Q_OBJECT

private slots:
    void percentDone_data()
    {
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<int>("progress");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << 0 << 100 << 50 << "50%";
        QTest::newRow("truncated two thirds") << 0 << 3 << 2 << "66%";
        QTest::newRow("offset range") << 10 << 20 << 19 << "90%";
        QTest::newRow("empty range") << 42 << 42 << 42 << "0%";
        QTest::newRow("whole int range") << INT_MIN << INT_MAX << 0 << "50%";
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
        QTest::addColumn<QPoint>("lastFore");
        QTest::addColumn<QPoint>("firstBack");
        // 102 x 52 with a border leaves 100 x 50 inside; 30% of it.
        QTest::newRow("horizontal") << Gauge::gkHorizontalBar << QPoint(30, 25) << QPoint(31, 25);
        QTest::newRow("vertical") << Gauge::gkVerticalBar << QPoint(50, 36) << QPoint(50, 35);
    }

    void barPicture()
    {
        QFETCH(Gauge::Kind, kind);
        QFETCH(QPoint, lastFore);
        QFETCH(QPoint, firstBack);
        Gauge gauge;
        gauge.resize(102, 52);
        gauge.setKind(kind);
        gauge.setBorderStyle(Gauge::bsSingle);
        gauge.setShowText(false);
        gauge.setForeColor(Qt::blue);
        gauge.setBackColor(Qt::yellow);
        gauge.setProgress(30);
        const QImage picture = gauge.picture();
        QCOMPARE(picture.pixelColor(lastFore), QColor(Qt::blue));
        QCOMPARE(picture.pixelColor(firstBack), QColor(Qt::yellow));
        QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::black));
    }
};

QTEST_MAIN(TestGauge)
#include "test_gauge.moc"
