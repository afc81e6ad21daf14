#include "controller/joystick.h"
#include "controller/sdljoystickdevice.h"
#include "support/joysticksimulator.h"

#include <QTest>

#include <memory>

// The joystick read through SDL2 from virtual devices: which one is used,
// how axes, buttons and the hat become inputs, and an unplugged device.
class TestJoystick : public QObject
{
    Q_OBJECT

    static std::unique_ptr<Joystick> started(int id)
    {
        auto joystick = std::make_unique<Joystick>(std::make_unique<SdlJoystickDevice>());
        joystick->setId(id);
        if (!joystick->start())
            return nullptr;
        return joystick;
    }

private slots:
    void readings_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("hat");
        QTest::addColumn<QList<int>>("buttons");
        QTest::addColumn<int>("convertedX");
        QTest::addColumn<int>("convertedY");
        QTest::addColumn<QList<int>>("inputs");
        QTest::newRow("at rest") << 0 << 0 << 0 << QList<int>{} << 0 << 0 << QList<int>{};
        QTest::newRow("full left") << -32768 << 0 << 0 << QList<int>{} << -1000 << 0 << QList<int>{InputLeft};
        QTest::newRow("three quarters down") << 0 << 24575 << 0 << QList<int>{} << 0 << 500 << QList<int>{InputDown};
        QTest::newRow("buttons 1, 2 and 32") << 0 << 0 << 0 << QList<int>{1, 2, 32} << 0 << 0
                                             << QList<int>{inputButton(1), inputButton(2), InputButton32};
        QTest::newRow("hat left and down") << 0 << 0 << int(SDL_HAT_LEFTDOWN) << QList<int>{} << 0 << 0
                                           << QList<int>{InputDown, InputLeft};
    }
    void readings()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, hat);
        QFETCH(QList<int>, buttons);
        QFETCH(int, convertedX);
        QFETCH(int, convertedY);
        QFETCH(QList<int>, inputs);
        JoystickSimulator device;
        QVERIFY(device.plugged());
        auto joystick = started(device.id());
        QVERIFY(joystick);
        QVERIFY(joystick->resolved());
        device.setAxis(0, x);
        device.setAxis(1, y);
        device.setHat(Uint8(hat));
        for (int b : buttons)
            device.setButton(b, true);
        QCOMPARE(joystick->update(true), Joystick::Reading::Read);
        QCOMPARE(joystick->x(), convertedX);
        QCOMPARE(joystick->y(), convertedY);
        InputStates expected;
        for (int i : inputs)
            expected.set(i);
        QCOMPARE(joystick->states(), expected);
    }

    void idCountsAmongPresentJoysticks()
    {
        JoystickSimulator first, second;
        first.setButton(3, true);
        second.setButton(7, true);
        auto joystick = started(first.id());
        QVERIFY(joystick);
        QCOMPARE(joystick->update(true), Joystick::Reading::Read);
        QVERIFY(joystick->states().test(inputButton(3)));

        joystick->setId(second.id());
        QCOMPARE(joystick->update(true), Joystick::Reading::Read);
        QVERIFY(joystick->states().test(inputButton(7)));
        QVERIFY(!joystick->states().test(inputButton(3)));

        // No joystick by that number: nothing to read, nothing reported.
        joystick->setId(15);
        QVERIFY(!joystick->resolved());
        QCOMPARE(joystick->update(true), Joystick::Reading::Nothing);
        QVERIFY(joystick->states().none());
    }

    void buttonsPastThirtyTwoAndMissingAxes()
    {
        JoystickSimulator device(40, 1);
        device.setButton(33, true);
        device.setButton(32, true);
        auto joystick = started(device.id());
        QVERIFY(joystick);
        // No dead zone: an axis the device lacks must read its exact centre.
        joystick->deadZoneY = 0;
        QCOMPARE(joystick->update(true), Joystick::Reading::Read);
        QCOMPARE(joystick->buttons(), 0x80000000u);
        QCOMPARE(joystick->y(), 0);
        InputStates expected;
        expected.set(InputButton32);
        QCOMPARE(joystick->states(), expected);
    }

    void unpluggedIsLostAndCanComeBack()
    {
        JoystickSimulator device;
        auto joystick = started(device.id());
        QVERIFY(joystick);
        QCOMPARE(joystick->update(true), Joystick::Reading::Read);
        device.unplug();
        QCOMPARE(joystick->update(true), Joystick::Reading::Lost);
        QVERIFY(!joystick->resolved());
        QCOMPARE(joystick->update(true), Joystick::Reading::Nothing);

        QVERIFY(device.plug());
        device.setButton(5, true);
        joystick->setId(device.id());
        QVERIFY(joystick->resolved());
        QCOMPARE(joystick->update(true), Joystick::Reading::Read);
        QVERIFY(joystick->states().test(inputButton(5)));
    }
};

QTEST_GUILESS_MAIN(TestJoystick)
#include "test_joystick.moc"
