#include "core/commandregistry.h"

#include <QAction>
#include <QMenu>
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

    // A menu item made as a command is on its menu, answers to its name and
    // calls its receiver; one with a taken name is only a menu item.
    void menuItemsAreCommands()
    {
        CommandRegistry registry;
        QMenu menu;
        int calls = 0;
        struct Counter : QObject
        {
            int *calls;
            void count() { ++*calls; }
        } counter;
        counter.calls = &calls;
        QAction *search =
            registry.addMenuItem(&menu, "SearchFavoritesMaster", QStringLiteral("Search"), &counter, &Counter::count);
        QCOMPARE(menu.actions(), QList<QAction *>{search});
        QCOMPARE(search->text(), QStringLiteral("Search"));
        QCOMPARE(registry.command(QStringLiteral("SearchFavoritesMaster")), search);
        QVERIFY(registry.trigger(QStringLiteral("SearchFavoritesMaster")));
        QCOMPARE(calls, 1);
        QAction *again = registry.addMenuItem(&menu, "SearchFavoritesMaster", QStringLiteral("Search again"), &counter,
                                              &Counter::count);
        QCOMPARE(menu.actions().size(), 2);
        QCOMPARE(registry.command(QStringLiteral("SearchFavoritesMaster")), search);
        again->trigger();
        QCOMPARE(calls, 2);
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
