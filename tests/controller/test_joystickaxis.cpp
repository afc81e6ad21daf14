#include "controller/joystickaxis.h"

#include <QTest>

// Raw axis positions to the program's scale, for the ranges devices report.
class TestJoystickAxis : public QObject
{
    Q_OBJECT

private slots:
    void convert_data()
    {
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("deadZone");
        QTest::addColumn<int>("expected");
        // 16-bit signed axes: the centre is 0, not half the travel.
        QTest::newRow("signed centre") << 0 << -32768 << 32767 << 50 << 0;
        QTest::newRow("signed left stop") << -32768 << -32768 << 32767 << 50 << -1000;
        QTest::newRow("signed right stop") << 32767 << -32768 << 32767 << 50 << 1000;
        QTest::newRow("signed three quarters left") << -24576 << -32768 << 32767 << 50 << -500;
        // |d| equal to the dead-zone width still reads 0.
        QTest::newRow("signed half-way left") << -16384 << -32768 << 32767 << 50 << 0;
        QTest::newRow("signed no dead zone, small") << 3276 << -32768 << 32767 << 0 << 100;
        // Unsigned axes of 0..65535.
        QTest::newRow("unsigned centre") << 32767 << 0 << 65535 << 50 << 0;
        QTest::newRow("unsigned right stop") << 65535 << 0 << 65535 << 50 << 1000;
        QTest::newRow("unsigned dead-zone edge") << 32767 + 16383 << 0 << 65535 << 50 << 0;
        QTest::newRow("unsigned just past the edge") << 32767 + 16400 << 0 << 65535 << 50 << 1;
        // A small symmetric range.
        QTest::newRow("small range, dead zone right") << 55 << -100 << 100 << 10 << 500;
        QTest::newRow("small range, dead zone left") << -55 << -100 << 100 << 10 << -500;
        // 0.61 and -0.61 of a step round to the nearest, not toward zero.
        QTest::newRow("signed rounds up") << 19 << -32768 << 32767 << 0 << 1;
        QTest::newRow("signed rounds down") << -21 << -32768 << 32767 << 0 << -1;
        // Dead zone taken as 0..100.
        QTest::newRow("dead zone 150 as 100") << 32767 << -32768 << 32767 << 150 << 0;
        QTest::newRow("dead zone -20 as 0") << 50 << -100 << 100 << -20 << 500;
        // Readings past the stops count as at the stop.
        QTest::newRow("past the right stop") << 70000 << 0 << 65535 << 50 << 1000;
        // Nothing to read on an axis without travel.
        QTest::newRow("no travel") << 7 << 7 << 7 << 50 << 0;
        QTest::newRow("reversed range") << 10 << 100 << -100 << 0 << 0;
    }
    void convert()
    {
        QFETCH(int, raw);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, deadZone);
        QFETCH(int, expected);
        QCOMPARE(JoystickAxis::convert(raw, maximum, minimum, 1000, deadZone), expected);
    }

    void mulDiv_data()
    {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<qint64>("numerator");
        QTest::addColumn<qint64>("denominator");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("exact") << qint64(6) << qint64(4) << qint64(3) << qint64(8);
        QTest::newRow("half up") << qint64(1) << qint64(1) << qint64(2) << qint64(1);
        QTest::newRow("half down, away from zero") << qint64(-1) << qint64(1) << qint64(2) << qint64(-1);
        QTest::newRow("negative above half") << qint64(-7) << qint64(1) << qint64(4) << qint64(-2);
        QTest::newRow("negative denominator") << qint64(7) << qint64(1) << qint64(-4) << qint64(-2);
        QTest::newRow("past 32 bits") << qint64(2147483647) << qint64(1000) << qint64(1000) << qint64(2147483647);
        QTest::newRow("by zero") << qint64(5) << qint64(1) << qint64(0) << qint64(-1);
    }
    void mulDiv()
    {
        QFETCH(qint64, number);
        QFETCH(qint64, numerator);
        QFETCH(qint64, denominator);
        QFETCH(qint64, expected);
        QCOMPARE(JoystickAxis::mulDiv(number, numerator, denominator), expected);
    }
};

QTEST_APPLESS_MAIN(TestJoystickAxis)
#include "test_joystickaxis.moc"
