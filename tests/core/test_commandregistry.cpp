#include "core/commandregistry.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>

// Commands by their established names.
class TestCommandRegistry : public QObject
{
    Q_OBJECT

private slots:
    void namesAreTakenOnce()
    {
        CommandRegistry registry;
        QAction *back = registry.add(QStringLiteral("skActiveBack"), QStringLiteral("Back"));
        QVERIFY(back);
        QCOMPARE(back->objectName(), QStringLiteral("skActiveBack"));
        QCOMPARE(back->text(), QStringLiteral("Back"));
        QVERIFY(!registry.add(QStringLiteral("skActiveBack")));
        QVERIFY(!registry.add(QString()));
        QAction menuItem(QStringLiteral("Options"));
        QVERIFY(!registry.add(&menuItem)); // no object name
        menuItem.setObjectName(QStringLiteral("Options1"));
        QVERIFY(registry.add(&menuItem));
        QVERIFY(!registry.add(&menuItem));
        QCOMPARE(registry.names(), QStringList({"skActiveBack", "Options1"}));
        QCOMPARE(registry.command(QStringLiteral("Options1")), &menuItem);
        QVERIFY(!registry.command(QStringLiteral("skNone")));
    }

    void triggerByName()
    {
        CommandRegistry registry;
        QAction *next = registry.add(QStringLiteral("skAddressNext"));
        QSignalSpy triggered(next, &QAction::triggered);
        QVERIFY(registry.trigger(QStringLiteral("skAddressNext")));
        QCOMPARE(triggered.count(), 1);
        next->setEnabled(false);
        QVERIFY(!registry.trigger(QStringLiteral("skAddressNext")));
        QVERIFY(!registry.trigger(QStringLiteral("skUnknown")));
        QCOMPARE(triggered.count(), 1);
    }

    void aFreedMenuItemLeavesTheRegistry()
    {
        CommandRegistry registry;
        auto *item = new QAction;
        item->setObjectName(QStringLiteral("Help1"));
        QVERIFY(registry.add(item));
        delete item;
        QVERIFY(!registry.command(QStringLiteral("Help1")));
        QVERIFY(!registry.trigger(QStringLiteral("Help1")));
        QVERIFY(registry.names().isEmpty());
        QVERIFY(registry.add(QStringLiteral("Help1")));
        QCOMPARE(registry.names(), QStringList{"Help1"});
    }
};

QTEST_MAIN(TestCommandRegistry)
#include "test_commandregistry.moc"
