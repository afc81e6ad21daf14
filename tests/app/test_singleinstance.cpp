#include "app/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondClaimWakesTheFirst()
    {
        const QString key = QStringLiteral("vorlan-test-%1").arg(QUuid::createUuid().toString(QUuid::Id128));
        SingleInstance first(key);
        QVERIFY(first.claim());
        QSignalSpy woken(&first, &SingleInstance::activationRequested);
        SingleInstance second(key);
        QVERIFY(!second.claim());
        QVERIFY(woken.wait(2000));
        QCOMPARE(woken.count(), 1);
    }

    void laterLaunchHandsOverItsAddresses()
    {
        const QString key = QStringLiteral("vorlan-test-%1").arg(QUuid::createUuid().toString(QUuid::Id128));
        SingleInstance first(key);
        QVERIFY(first.claim());
        QSignalSpy received(&first, &SingleInstance::addressesReceived);
        QSignalSpy woken(&first, &SingleInstance::activationRequested);
        const QStringList addresses{QStringLiteral("https://a.example/"), QStringLiteral("file:///tmp/b%20c.html"),
                                    QStringLiteral("https://d.example/?q=%C3%A9")};
        SingleInstance second(key);
        QVERIFY(!second.claim(addresses));
        QVERIFY(woken.wait(2000));
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.first().first().toStringList(), addresses);
        // A launch without addresses only wakes the first.
        SingleInstance third(key);
        QVERIFY(!third.claim());
        QVERIFY(woken.wait(2000));
        QCOMPARE(received.size(), 1);
    }

    void staleSocketDoesNotBlockTheStart()
    {
        const QString key = QStringLiteral("vorlan-test-%1").arg(QUuid::createUuid().toString(QUuid::Id128));
        // What a crashed run leaves behind: the socket's name, nobody listening.
        QFile stale(QDir::temp().filePath(key));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance instance(key);
        QVERIFY(instance.claim());
        SingleInstance later(key);
        QVERIFY(!later.claim());
    }

    void keyNamesTheVersionAndUser()
    {
        QVERIFY(SingleInstance::defaultKey().startsWith(QStringLiteral("Vorlan Version 4.x.x-")));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"
