#include "controller/controllerstates.h"

#include <QTest>

// The press-once rule over runs of device readings.
class TestControllerStates : public QObject
{
    Q_OBJECT

    static InputStates set(const QString &inputs)
    {
        InputStates s;
        for (const QString &i : inputs.split(QLatin1Char(','), Qt::SkipEmptyParts))
            s.set(i.toInt());
        return s;
    }

private slots:
    // Each step: "raw | removed after the reading | expected states", as
    // input numbers (4 = Button 1, 5 = Button 2, ...).
    void rule_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("follows the device") << QStringList{"3||3", "3,5||3,5", "5||5", "||"};
        QTest::newRow("a taken-out button stays out while held")
            << QStringList{"5|5|", "5||", "5||", "||", "5||5"};
        QTest::newRow("released and pressed again counts again") << QStringList{"5|5|", "||", "5|5|", "||"};
        QTest::newRow("directions that are never taken out stay in") << QStringList{"2||2", "2||2", "2||2"};
        QTest::newRow("a held button does not hold back another")
            << QStringList{"5|5|", "5,6|6|", "5,6||", "6||", "5,6||5"};
        QTest::newRow("taken out after release is not pressed") << QStringList{"5||5", "||", "|5|"};
        QTest::newRow("the last input") << QStringList{"35|35|", "35||", "||", "35||35"};
    }
    void rule()
    {
        QFETCH(QStringList, steps);
        ControllerStates states;
        for (const QString &step : steps) {
            const QStringList parts = step.split(QLatin1Char('|'));
            states.update(set(parts[0]));
            for (const QString &r : parts[1].split(QLatin1Char(','), Qt::SkipEmptyParts))
                states.remove(InputState(r.toInt()));
            QCOMPARE(states.states(), set(parts[2]));
        }
    }

    void clearForgetsWhatWasHeld()
    {
        ControllerStates states;
        states.update(set("5"));
        states.remove(InputState(5));
        states.clear();
        // A new device holding the same button: a new press.
        states.update(set("5"));
        QVERIFY(states.contains(InputState(5)));
    }

    void buttonNumbers()
    {
        QCOMPARE(int(inputButton(1)), 4);
        QCOMPARE(int(inputButton(2)), 5);
        QCOMPARE(inputButton(32), InputButton32);
        QCOMPARE(int(InputButton32), 35);
    }
};

QTEST_APPLESS_MAIN(TestControllerStates)
#include "test_controllerstates.moc"
