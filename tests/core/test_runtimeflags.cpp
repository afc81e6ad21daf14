#include "core/runtimeflags.h"

#include <QTest>

// The background suspension: nested raises, each lowered once.
class TestRuntimeFlags : public QObject
{
    Q_OBJECT

    static bool allRaised(const RuntimeFlags &f) { return f.suspendScanner && f.suspendQueue && f.suspendController; }
    static bool noneRaised(const RuntimeFlags &f)
    {
        return !f.suspendScanner && !f.suspendQueue && !f.suspendController;
    }

private slots:
    void suspensionsNest()
    {
        RuntimeFlags flags;
        QVERIFY(noneRaised(flags));
        {
            BackgroundSuspension outer(flags);
            QVERIFY(allRaised(flags));
            {
                BackgroundSuspension inner(flags);
                QCOMPARE(flags.suspensionDepth(), 2);
            }
            // The inner one ended; the outer still holds.
            QVERIFY(allRaised(flags));
            flags.setBackgroundSuspended(true);
            flags.setBackgroundSuspended(false);
            QVERIFY(allRaised(flags));
        }
        QVERIFY(noneRaised(flags));
        QCOMPARE(flags.suspensionDepth(), 0);
    }

    void anUnmatchedLowerDoesNotGoBelowNothing()
    {
        RuntimeFlags flags;
        flags.setBackgroundSuspended(false);
        flags.setBackgroundSuspended(false);
        QCOMPARE(flags.suspensionDepth(), 0);
        // The next raise still raises.
        flags.setBackgroundSuspended(true);
        QVERIFY(allRaised(flags));
        flags.setBackgroundSuspended(false);
        QVERIFY(noneRaised(flags));
    }
};

QTEST_GUILESS_MAIN(TestRuntimeFlags)
#include "test_runtimeflags.moc"
