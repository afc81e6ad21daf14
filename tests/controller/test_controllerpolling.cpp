#include "controller/controllerpolling.h"
#include "core/eventwait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <memory>

// The polling thread: it waits, hands the tick over and waits for it to
// finish; it stops at once and is joined without deadlock.
class TestControllerPolling : public QObject
{
    Q_OBJECT

private slots:
    void ticksRunOnTheUserInterfaceThreadAfterEachWait()
    {
        QList<qint64> starts, ends;
        bool elsewhere = false;
        QElapsedTimer clock;
        clock.start();
        ControllerPolling polling([&] {
            elsewhere = elsewhere || QThread::currentThread() != qApp->thread();
            starts << clock.nsecsElapsed();
            ends << clock.nsecsElapsed();
        });
        QCOMPARE(polling.interval(), 10);
        polling.start();
        QTRY_VERIFY_WITH_TIMEOUT(starts.size() >= 6, 10000);
        polling.requestStop();
        polling.join();
        QVERIFY(!elsewhere);
        // Each wait runs its full interval once the previous tick is done.
        for (int i = 1; i < starts.size(); ++i)
            QVERIFY2(starts[i] - ends[i - 1] >= 9'000'000, qPrintable(QString::number(starts[i] - ends[i - 1])));
    }

    void ticksNeverOverlapOrPileUp()
    {
        int depth = 0, deepest = 0, ticks = 0;
        ControllerPolling polling(
            [&] {
                ++ticks;
                deepest = qMax(deepest, ++depth);
                // A tick that runs the event loop (a dialog, a delete's wait).
                EventWait::forMilliseconds(40);
                --depth;
            },
            1);
        polling.start();
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 4, 10000);
        polling.requestStop();
        polling.join();
        QCOMPARE(deepest, 1);
    }

    void stopEndsTheWaitAtOnce()
    {
        int ticks = 0;
        auto polling = std::make_unique<ControllerPolling>([&] { ++ticks; }, 60'000);
        polling->start();
        QElapsedTimer clock;
        clock.start();
        polling->requestStop();
        polling->join();
        QVERIFY(polling->isFinished());
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(ticks, 0);
    }

    void destroyedWhileATickWaitsToBeDelivered()
    {
        int ticks = 0;
        auto polling = std::make_unique<ControllerPolling>([&] { ++ticks; }, 1);
        polling->start();
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 1, 10000);
        // Holds the user-interface thread so that the polling thread is
        // certainly blocked handing over its next tick when the stop comes.
        QTest::qSleep(30);
        const int before = ticks;
        polling.reset(); // stops and joins: must not hang
        QCoreApplication::processEvents();
        QCOMPARE(ticks, before);
    }

    void stopAskedFromInsideATick()
    {
        ControllerPolling *self = nullptr;
        int ticks = 0;
        ControllerPolling polling([&] {
            ++ticks;
            self->requestStop();
        });
        self = &polling;
        QSignalSpy finished(&polling, &ControllerPolling::finished);
        polling.start();
        QVERIFY(finished.wait(10000));
        polling.join();
        QCOMPARE(ticks, 1);
        QVERIFY(polling.isFinished());
    }
};

QTEST_GUILESS_MAIN(TestControllerPolling)
#include "test_controllerpolling.moc"
