#include "core/eventwait.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <algorithm>

// Waits that keep the event loop running. Conditions are often not pure: a
// test's condition clicks and then waits on a signal spy, a grid operation
// waits for pages. Such a condition must be asked one at a time and not
// again once it has said yes.
class TestEventWait : public QObject
{
    Q_OBJECT

private slots:
    void conditionsAreAskedOneAtATime_data()
    {
        QTest::addColumn<int>("trueFromCall");
        QTest::addColumn<int>("innerWaitMs");
        QTest::addColumn<int>("timeoutMs");
        QTest::addColumn<bool>("expected");
        QTest::newRow("met at once") << 1 << 0 << 1000 << true;
        QTest::newRow("met while polling") << 3 << 0 << 5000 << true;
        QTest::newRow("met after waits of its own") << 3 << 30 << 5000 << true;
        QTest::newRow("never met, waits of its own") << 1000000 << 30 << 300 << false;
        QTest::newRow("no time to wait") << 2 << 0 << 0 << false;
    }
    void conditionsAreAskedOneAtATime()
    {
        QFETCH(int, trueFromCall);
        QFETCH(int, innerWaitMs);
        QFETCH(int, timeoutMs);
        QFETCH(bool, expected);
        int calls = 0;
        int depth = 0;
        int deepest = 0;
        int callsAfterYes = 0;
        bool saidYes = false;
        QElapsedTimer clock;
        clock.start();
        const bool result = EventWait::until([&] {
            if (saidYes)
                ++callsAfterYes;
            ++calls;
            ++depth;
            deepest = std::max(deepest, depth);
            if (innerWaitMs > 0)
                EventWait::forMilliseconds(innerWaitMs);
            --depth;
            saidYes = calls >= trueFromCall;
            return saidYes;
        }, timeoutMs);
        QCOMPARE(result, expected);
        QCOMPARE(deepest, 1);
        QCOMPARE(callsAfterYes, 0);
        // The deadline holds even when each question takes a while.
        QVERIFY2(clock.elapsed() < timeoutMs + 2000, qPrintable(QString::number(clock.elapsed())));
    }

    // Events go on during the wait: a timer set before it fires inside it.
    void eventsRunDuringTheWait()
    {
        bool fired = false;
        QTimer::singleShot(20, this, [&] { fired = true; });
        QVERIFY(EventWait::until([&] { return fired; }, 5000));
        fired = false;
        QTimer::singleShot(10, this, [&] { fired = true; });
        EventWait::forMilliseconds(100);
        QVERIFY(fired);
    }
};

QTEST_GUILESS_MAIN(TestEventWait)
#include "test_eventwait.moc"
