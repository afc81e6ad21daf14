#include "addresses/addressqueue.h"
#include "core/runtimeflags.h"
#include "core/settings.h"

#include <QSignalSpy>
#include <QTest>

// The address queue without its widgets: what each tick, toggle and menu
// command does to the items, the timer and the texts.
class TestAddressQueue : public QObject
{
    Q_OBJECT

    // A queue whose openings are recorded; the grid takes at most `room`.
    struct Fixture
    {
        Settings settings;
        RuntimeFlags flags;
        std::unique_ptr<AddressQueue> queue;
        QStringList queued, normal;
        int room = 64;

        explicit Fixture(int openType = 0, int delay = 4)
        {
            settings.addressManagerQueueOpenType = openType;
            settings.addressManagerQueueDelay = delay;
            queue = std::make_unique<AddressQueue>(settings, flags);
            queue->setOpeners(
                [this](const QString &a) { return open(queued, a); }, [this](const QString &a) { return open(normal, a); });
        }
        bool open(QStringList &into, const QString &address)
        {
            if (room <= 0)
                return false;
            --room;
            into << address;
            ++flags.browserCount;
            return true;
        }
    };
    static QString bullet() { return QStringLiteral("\u2022"); }

private slots:
    void storedChoicesAreMadeValid_data()
    {
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("openType");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("validType");
        QTest::newRow("1 second, timer") << 0 << 0 << 1000 << 0;
        QTest::newRow("60 seconds, controller") << 7 << 1 << 60000 << 1;
        QTest::newRow("delay 9, type 2") << 9 << 2 << 30000 << 0;
        QTest::newRow("delay -1, type -1") << -1 << -1 << 30000 << 0;
    }
    void storedChoicesAreMadeValid()
    {
        QFETCH(int, delay);
        QFETCH(int, openType);
        Fixture f(openType, delay);
        // The stored delay counts from the start.
        QTEST(f.queue->timer().interval(), "interval");
        QTEST(f.queue->openType(), "validType");
        QCOMPARE(f.queue->timer().objectName(), QStringLiteral("tmQueue"));
        QVERIFY(!f.queue->timer().isActive());
        QCOMPARE(f.queue->status(), QStringLiteral("Status:   Stopped "));
    }

    void oneAddressPerTickInOrder()
    {
        Fixture f;
        f.queue->append({" http://a.test/ ", "http://b.test/"});
        QCOMPARE(f.queue->status(), QStringLiteral("Status:   Started"));
        QVERIFY(f.queue->timer().isActive());
        QCOMPARE(f.queue->pendingText(), QStringLiteral("2"));
        QCOMPARE(f.queue->cornerText(), QStringLiteral("Queue") + bullet() + "2");
        f.queue->tick();
        QCOMPARE(f.queued, QStringList({"http://a.test/"}));
        QCOMPARE(f.queue->items(), QStringList({"http://b.test/"}));
        QCOMPARE(f.queue->cornerText(), QStringLiteral("Queue") + bullet() + "1");
        f.queue->tick();
        QCOMPARE(f.queued, QStringList({"http://a.test/", "http://b.test/"}));
        QCOMPARE(f.queue->status(), QStringLiteral("Status:   Stopped"));
        QCOMPARE(f.queue->pendingText(), QStringLiteral("0"));
        QCOMPARE(f.queue->cornerText(), QString());
        QVERIFY(!f.queue->timer().isActive());
        QVERIFY(f.normal.isEmpty());
    }

    void aTickDoesNothingWhileSuspended()
    {
        Fixture f;
        f.queue->append({"http://a.test/"});
        {
            BackgroundSuspension suspended(f.flags);
            QSignalSpy changed(f.queue.get(), &AddressQueue::changed);
            f.queue->tick();
            QVERIFY(f.queued.isEmpty());
            QCOMPARE(changed.count(), 0);
        }
        f.queue->tick();
        QCOMPARE(f.queued, QStringList({"http://a.test/"}));
    }

    void aFullGridKeepsTheHead()
    {
        Fixture f;
        f.room = 0;
        f.queue->append({"http://a.test/", "http://b.test/"});
        f.queue->tick();
        QCOMPARE(f.queue->count(), 2);
        f.flags.browserCount = 64;
        f.room = 5;
        f.queue->tick(); // not tried: the grid is full
        QVERIFY(f.queued.isEmpty());
        f.flags.browserCount = 63;
        f.queue->tick();
        QCOMPARE(f.queued, QStringList({"http://a.test/"}));
        QVERIFY(f.queue->timer().isActive());
    }

    void aBlankHeadIsHandedOnTrimmed()
    {
        Fixture f;
        f.queue->append({"   "});
        f.queue->tick();
        QCOMPARE(f.queued, QStringList({""}));
    }

    void pausing()
    {
        Fixture f;
        f.queue->setPaused(true);
        f.queue->append({"http://a.test/"});
        // Down before the append: the status stays, the timer stays off.
        QCOMPARE(f.queue->status(), QStringLiteral("Status:   Paused"));
        QVERIFY(!f.queue->timer().isActive());
        f.queue->setPaused(false);
        QCOMPARE(f.queue->status(), QStringLiteral("Status:   Started"));
        QVERIFY(f.queue->timer().isActive());
        f.queue->setPaused(true);
        QCOMPARE(f.queue->cornerText(), QStringLiteral("Queue") + bullet() + " -");
        QVERIFY(f.queue->timer().isActive()); // its ticks only tell of the pause
        f.queue->tick();
        QVERIFY(f.queued.isEmpty());
        QCOMPARE(f.queue->status(), QStringLiteral("Status:   Paused"));
        QCOMPARE(f.queue->pendingText(), QStringLiteral("1"));
        QCOMPARE(f.queue->cornerText(), QStringLiteral("Queue") + bullet() + " -");
        // Cleared while down: paused, though nothing runs.
        f.queue->clear();
        QCOMPARE(f.queue->status(), QStringLiteral("Status:   Paused"));
        QVERIFY(!f.queue->timer().isActive());
        QCOMPARE(f.queue->cornerText(), QString());
        f.queue->setPaused(false);
        QCOMPARE(f.queue->status(), QStringLiteral("Status:   Stopped"));
        QVERIFY(f.queue->pauseEnabled());
    }

    void menuCommandsOnARow()
    {
        Fixture f;
        f.queue->append({"http://a.test/", "", " http://c.test/"});
        QCOMPARE(f.queue->openNow(-1), AddressQueue::OpenResult::Nothing);
        QCOMPARE(f.queue->openNow(1), AddressQueue::OpenResult::Nothing); // an empty text is left alone
        QVERIFY(!f.queue->deleteItem(1));
        QVERIFY(!f.queue->deleteItem(-1));
        QCOMPARE(f.queue->openNow(2), AddressQueue::OpenResult::Opened);
        QCOMPARE(f.normal, QStringList({"http://c.test/"}));
        f.room = 0;
        QCOMPARE(f.queue->openNow(0), AddressQueue::OpenResult::Refused);
        QCOMPARE(f.queue->items(), QStringList({"http://a.test/", ""}));
        QVERIFY(f.queue->deleteItem(0));
        QCOMPARE(f.queue->items(), QStringList({""}));
        QCOMPARE(f.queue->cornerText(), QStringLiteral("Queue") + bullet() + "1");
    }

    void theLastRowGoneStopsTheQueue()
    {
        Fixture f;
        f.queue->append({"http://a.test/"});
        QVERIFY(f.queue->deleteItem(0));
        QCOMPARE(f.queue->status(), QStringLiteral("Status:   Stopped"));
        QVERIFY(!f.queue->timer().isActive());
        QCOMPARE(f.queue->pendingText(), QStringLiteral("0"));
    }

    void openByController()
    {
        Fixture f(1);
        f.queue->append({" http://a.test/", "http://b.test/"});
        // Appending never starts the timer in this open type.
        QVERIFY(!f.queue->timer().isActive());
        QCOMPARE(f.queue->status(), QStringLiteral("Status:   Stopped "));
        QCOMPARE(f.queue->openNextQueuedAddress(), AddressQueue::OpenResult::Opened);
        QCOMPARE(f.normal, QStringList({"http://a.test/"}));
        f.room = 0;
        QCOMPARE(f.queue->openNextQueuedAddress(), AddressQueue::OpenResult::Refused);
        f.room = 1;
        QCOMPARE(f.queue->openNextQueuedAddress(), AddressQueue::OpenResult::Opened);
        QCOMPARE(f.queue->cornerText(), QString());
        QCOMPARE(f.queue->openNextQueuedAddress(), AddressQueue::OpenResult::Nothing);
        // Only in this open type.
        Fixture timer(0);
        timer.queue->append({"http://a.test/"});
        QCOMPARE(timer.queue->openNextQueuedAddress(), AddressQueue::OpenResult::Nothing);
    }

    void switchingTheOpenType()
    {
        Fixture f;
        f.queue->append({"http://a.test/"});
        f.queue->chooseOpenType(1);
        QCOMPARE(f.settings.addressManagerQueueOpenType, 1);
        QVERIFY(!f.queue->timer().isActive());
        QVERIFY(!f.queue->pauseEnabled());
        f.queue->chooseOpenType(0);
        QVERIFY(f.queue->timer().isActive());
        QVERIFY(f.queue->pauseEnabled());
        QCOMPARE(f.queue->status(), QStringLiteral("Status:   Started"));
    }

    void changingTheDelayKeepsARunningTimer()
    {
        Fixture f;
        f.queue->append({"http://a.test/"});
        f.queue->setDelay(2);
        QCOMPARE(f.settings.addressManagerQueueDelay, 2);
        QCOMPARE(f.queue->timer().interval(), 10000);
        QVERIFY(f.queue->timer().isActive());
    }

    void theTimerTicks()
    {
        Fixture f(0, 0);
        f.queue->append({"http://a.test/", "http://b.test/"});
        QTRY_COMPARE_WITH_TIMEOUT(f.queued.size(), 1, 2500);
        QCOMPARE(f.queue->count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestAddressQueue)
#include "test_addressqueue.moc"
