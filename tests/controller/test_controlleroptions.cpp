#include "controller/controlleractions.h"
#include "controller/controlleroptions.h"
#include "core/settings.h"

#include <QTest>

// The action table, the "Direct Input" page's lists and what they store,
// and the queue panel's controller texts.
class TestControllerOptions : public QObject
{
    Q_OBJECT

    // The controller values: enabled, id, both steps, prompts, crosshairs,
    // then the buttons 2 to 16.
    static QList<int> values(const Settings &s)
    {
        QList<int> v{s.dxEnabled, s.dxId, s.dxGridPixels, s.dxBrowserPixels, s.dxUserPrompts, s.dxGridCrosshairs};
        for (int b = 2; b <= 16; ++b)
            v << s.dxButtons[b];
        return v;
    }

private slots:
    void actionTable()
    {
        QCOMPARE(ControllerActions::captions(),
                 QStringList({"Audio \u2022 next song", "Audio \u2022 prior genre", "Audio \u2022 prior song",
                              "Audio \u2022 start (next genre)", "Audio \u2022 stop", "Browser \u2022 active (select)",
                              "Browser \u2022 back", "Browser \u2022 delete", "Browser \u2022 forward",
                              "Browser \u2022 jump", "Browser \u2022 print", "Browser \u2022 open",
                              "Browser \u2022 refresh", "Browser \u2022 stop", "Browser \u2022 zoom",
                              "Window \u2022 boss button"}));
        QCOMPARE(ControllerActions::caption(16), QString());
        QCOMPARE(ControllerActions::failureMessage(11),
                 QStringLiteral("Could not open the selected web address. The\nbrowser count would exceed the grid limit."));
        QCOMPARE(ControllerActions::failureMessage(-1), QString());
        // Buttons 2..16 by default, agreeing with the settings' own defaults.
        const QList<int> defaults{5, 11, 14, 3, 15, 6, 8, 12, 13, 10, 7, 1, 2, 0, 4};
        QCOMPARE(values(Settings{}).mid(6), defaults);
        for (int b = 2; b <= 16; ++b)
            QCOMPARE(ControllerActions::defaultAssignment(b), defaults[b - 2]);
        QCOMPARE(ControllerActions::defaultAssignment(1), -1);
        QCOMPARE(ControllerActions::defaultAssignment(17), -1);
    }

    void lists()
    {
        QCOMPARE(ControllerOptions::enabledEntries(), QStringList({"Disabled", "Enabled"}));
        const QStringList ids = ControllerOptions::idEntries();
        QCOMPARE(ids.size(), 17);
        QCOMPARE(ids.first() + ids.last(), QStringLiteral(" 0 16"));
        const QStringList features = ControllerOptions::features();
        QCOMPARE(features.size(), 18);
        QCOMPARE(features.mid(0, 4), QStringList({"Grid crosshairs", "User prompts", "Button 1 (reserved)", "Button 2"}));
        QCOMPARE(features.last(), QStringLiteral("Button 16"));
        QCOMPARE(ControllerOptions::actions(ControllerOptions::UserPrompts), QStringList({"None", "Show"}));
        QCOMPARE(ControllerOptions::actions(ControllerOptions::Button1Reserved),
                 QStringList{"Browser \u2022 scrollbars (reserved)"});
        QCOMPARE(ControllerOptions::actions(ControllerOptions::Button16), ControllerActions::captions());
        QVERIFY(ControllerOptions::actions(18).isEmpty());
    }

    void chooseAndStore_data()
    {
        QTest::addColumn<int>("feature");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("changed"); // index in values(), or -1 for nothing stored
        QTest::newRow("crosshairs off") << int(ControllerOptions::GridCrosshairs) << 0 << 5;
        QTest::newRow("prompts off") << int(ControllerOptions::UserPrompts) << 0 << 4;
        QTest::newRow("button 2 opens") << int(ControllerOptions::Button2) << 11 << 6;
        QTest::newRow("button 16 zooms") << int(ControllerOptions::Button16) << 14 << 20;
        QTest::newRow("button 1 stores nothing") << int(ControllerOptions::Button1Reserved) << 0 << -1;
        QTest::newRow("crosshairs has two entries") << int(ControllerOptions::GridCrosshairs) << 2 << -1;
        QTest::newRow("button beyond the table") << int(ControllerOptions::Button2) << 16 << -1;
        QTest::newRow("unknown feature") << 18 << 0 << -1;
    }
    void chooseAndStore()
    {
        QFETCH(int, feature);
        QFETCH(int, action);
        QFETCH(int, changed);
        Settings settings;
        QList<int> expected = values(settings);
        if (changed >= 0)
            expected[changed] = action;
        QCOMPARE(ControllerOptions::storeAction(settings, feature, action), changed >= 0);
        QCOMPARE(values(settings), expected);
        if (changed >= 0)
            QCOMPARE(ControllerOptions::chosenAction(settings, feature), action);
    }

    void storedValuesTheListLacksSelectNothing()
    {
        Settings settings;
        QCOMPARE(ControllerOptions::chosenAction(settings, ControllerOptions::Button1Reserved), 0);
        settings.dxButtons[7] = 40;
        settings.dxGridCrosshairs = 3;
        QCOMPARE(ControllerOptions::chosenAction(settings, ControllerOptions::Button2 + 5), -1);
        QCOMPARE(ControllerOptions::chosenAction(settings, ControllerOptions::GridCrosshairs), -1);
    }

    void resetAndRestore()
    {
        Settings settings;
        settings.dxEnabled = 1;
        settings.dxId = 4;
        settings.dxGridPixels = 80;
        settings.dxBrowserPixels = 60;
        settings.dxUserPrompts = 0;
        settings.dxGridCrosshairs = 0;
        std::fill(settings.dxButtons + 2, settings.dxButtons + 17, 9);
        const QList<int> defaults = values(Settings{}).mid(6);

        Settings reset = settings;
        ControllerOptions::resetFeatures(reset);
        QCOMPARE(values(reset), QList<int>({1, 4, 22, 5, 1, 1}) + defaults);
        Settings restored = settings;
        ControllerOptions::restoreAfterFailure(restored);
        QCOMPARE(values(restored), QList<int>({1, 0, 22, 5, 0, 0}) + defaults);
    }

    void queueStatus_data()
    {
        QTest::addColumn<bool>("polling");
        QTest::addColumn<QList<int>>("openingButtons");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("openButton");
        QTest::newRow("off, none") << false << QList<int>{} << "Status:  Disconnected" << "Open Button:  Unassigned";
        QTest::newRow("on, one") << true << QList<int>{2} << "Status:  Enabled" << "Open Button:  2";
        QTest::newRow("the highest wins") << true << QList<int>{4, 9} << "Status:  Enabled" << "Open Button:  9";
        QTest::newRow("button 16") << false << QList<int>{16} << "Status:  Disconnected" << "Open Button:  16";
    }
    void queueStatus()
    {
        QFETCH(bool, polling);
        QFETCH(QList<int>, openingButtons);
        Settings settings;
        for (int b = 2; b <= 16; ++b)
            settings.dxButtons[b] = openingButtons.contains(b) ? ControllerActions::BrowserOpen : 0;
        const QueueControllerStatus texts = ControllerOptions::queueStatus(polling, settings);
        QTEST(texts.status, "status");
        QTEST(texts.openButton, "openButton");
    }
};

QTEST_APPLESS_MAIN(TestControllerOptions)
#include "test_controlleroptions.moc"
