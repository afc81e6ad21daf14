#include "app/singleinstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

#include <atomic>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

// A later launch runs in a thread of its own here, as it would in a process
// of its own: it waits for the running copy's answer, which comes from this
// thread's event loop.
class LaterLaunch
{
public:
    LaterLaunch(const QString &key, const QStringList &addresses, int waitMs = 10000)
        : m_thread([this, key, addresses, waitMs] {
              SingleInstance launch(key);
              m_claim = int(launch.claim(addresses, waitMs));
              m_done = true;
          })
    {
    }
    ~LaterLaunch() { m_thread.join(); }
    bool done() const { return m_done; }
    SingleInstance::Claim claim() const { return SingleInstance::Claim(m_claim.load()); }

private:
    std::atomic<int> m_claim{-1};
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

class TestSingleInstance : public QObject
{
    Q_OBJECT

    static QString newKey() { return QStringLiteral("vorlan-test-%1").arg(QUuid::createUuid().toString(QUuid::Id128)); }

private slots:
    void laterLaunchHandsOverItsAddresses()
    {
        const QString key = newKey();
        SingleInstance first(key);
        QCOMPARE(first.claim(), SingleInstance::Claim::First);
        QSignalSpy received(&first, &SingleInstance::addressesReceived);
        QSignalSpy woken(&first, &SingleInstance::activationRequested);
        const QStringList addresses{QStringLiteral("https://a.example/"), QStringLiteral("file:///tmp/b%20c.html"),
                                    QStringLiteral("https://d.example/?q=%C3%A9")};
        {
            LaterLaunch second(key, addresses);
            QTRY_VERIFY_WITH_TIMEOUT(second.done(), 5000);
            QCOMPARE(second.claim(), SingleInstance::Claim::HandedOver);
        }
        QCOMPARE(woken.size(), 1);
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.first().first().toStringList(), addresses);
        // A launch without addresses only wakes the first.
        {
            LaterLaunch third(key, {});
            QTRY_VERIFY_WITH_TIMEOUT(third.done(), 5000);
            QCOMPARE(third.claim(), SingleInstance::Claim::HandedOver);
        }
        QCOMPARE(woken.size(), 2);
        QCOMPARE(received.size(), 1);
    }

    // Launches that come while the running copy is busy (its event loop not
    // running, as during its start) wait for it; none becomes a second copy
    // and no address is lost.
    void launchesWhileTheFirstIsBusyWaitForIt()
    {
        const QString key = newKey();
        SingleInstance first(key);
        QCOMPARE(first.claim(), SingleInstance::Claim::First);
        QStringList received;
        connect(&first, &SingleInstance::addressesReceived, this, [&](const QStringList &a) { received += a; });
        constexpr int Launches = 40;
        std::vector<std::unique_ptr<LaterLaunch>> launches;
        QStringList sent;
        for (int i = 0; i < Launches; ++i) {
            sent << QStringLiteral("https://site%1.example/").arg(i);
            launches.push_back(std::make_unique<LaterLaunch>(key, QStringList{sent.last()}));
        }
        QThread::msleep(1500); // busy: nothing answers yet
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(launches.begin(), launches.end(), [](auto &l) { return l->done(); }),
                                 15000);
        for (const auto &launch : launches)
            QCOMPARE(launch->claim(), SingleInstance::Claim::HandedOver);
        received.sort();
        sent.sort();
        QCOMPARE(received, sent);
    }

    void staleSocketDoesNotBlockTheStart()
    {
        const QString key = newKey();
        // What a crashed run leaves behind: the socket's name, nobody listening.
        QFile stale(QDir::temp().filePath(key));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance instance(key);
        QCOMPARE(instance.claim(), SingleInstance::Claim::First);
        LaterLaunch later(key, {});
        QTRY_VERIFY_WITH_TIMEOUT(later.done(), 5000);
        QCOMPARE(later.claim(), SingleInstance::Claim::HandedOver);
    }

    // The lock goes with the copy that held it: after it ends, the next
    // launch is the first again.
    void theLockEndsWithTheCopy()
    {
        const QString key = newKey();
        {
            SingleInstance first(key);
            QCOMPARE(first.claim(), SingleInstance::Claim::First);
        }
        SingleInstance next(key);
        QCOMPARE(next.claim({}, 500), SingleInstance::Claim::First);
    }

    // A copy that holds the lock but never listens (hung in its start) is
    // not joined by a second copy: the launch gives up after its wait.
    void aCopyThatNeverAnswersIsNotJoined()
    {
        const QString key = newKey();
        const QByteArray lockPath = QFile::encodeName(QDir::temp().filePath(key + QStringLiteral(".lock")));
        const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT, 0600);
        QVERIFY(fd >= 0);
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        SingleInstance launch(key);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(launch.claim({QStringLiteral("https://a.example/")}, 700), SingleInstance::Claim::NoAnswer);
        QVERIFY2(clock.elapsed() >= 600 && clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        ::close(fd);
    }

    void keyNamesTheVersionAndUser()
    {
        QVERIFY(SingleInstance::defaultKey().startsWith(QStringLiteral("Vorlan Version 4.x.x-")));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"
