#include "controller/controlleroptions.h"
#include "controller/controlleroptionspage.h"
#include "core/settings.h"
#include "support/scriptedprompter.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace {

// The page with hooks that count, shown or hidden as the options panel would be.
struct Page
{
    Settings settings;
    ScriptedPrompter prompter;
    int applied = 0, statusUpdates = 0;
    bool shown = true, applyWorks = true, toolStarts = false;
    ControllerOptionsPage page{settings, prompter,
                               ControllerOptionsPage::Hooks{[this] { ++applied; return applyWorks; },
                                                            [this] { ++statusUpdates; }, [this] { return shown; },
                                                            [this] { return toolStarts; }}};
};

} // namespace

// The options page "Direct Input".
class TestControllerOptionsPage : public QObject
{
    Q_OBJECT

private slots:
    void fillingChangesNothing()
    {
        Page p;
        p.shown = false;
        p.settings.dxEnabled = 1;
        p.settings.dxId = 3;
        p.settings.dxGridPixels = 40;
        p.settings.dxBrowserPixels = 9;
        p.page.fill();
        QCOMPARE(p.page.cbDXEnabled->currentIndex(), 1);
        QCOMPARE(p.page.cbDXID->currentText(), QStringLiteral(" 3"));
        QCOMPARE(p.page.Label9->text(), QStringLiteral("40"));
        QCOMPARE(p.page.Label58->text(), QStringLiteral("9"));
        QVERIFY(p.page.cbDXID->isEnabled());
        QCOMPARE(p.applied, 0);
        // The panel hidden: a moved bar stores nothing.
        p.page.tbDXGridPixels->setValue(70);
        QCOMPARE(p.settings.dxGridPixels, 40);
        QCOMPARE(p.applied, 0);
    }

    void enablingSwitchesTheOtherControls_data()
    {
        QTest::addColumn<int>("enabled");
        QTest::newRow("disabled") << 0;
        QTest::newRow("enabled") << 1;
    }
    void enablingSwitchesTheOtherControls()
    {
        QFETCH(int, enabled);
        Page p;
        p.page.selectEnabled(enabled);
        QCOMPARE(p.settings.dxEnabled, enabled);
        QCOMPARE(p.applied, 1);
        for (QWidget *w : std::initializer_list<QWidget *>{p.page.cbDXID, p.page.cbDXFeatures, p.page.cbDXActions,
                                                           p.page.tbDXGridPixels, p.page.tbDXBrowserPixels,
                                                           p.page.btnDXProperties, p.page.btnResetDXFeatures})
            QCOMPARE(w->isEnabled(), enabled == 1);
        QVERIFY(p.page.cbDXEnabled->isEnabled());
    }

    void barsStoreAndApply()
    {
        Page p;
        p.page.tbDXGridPixels->setValue(64);
        p.page.tbDXBrowserPixels->setValue(100);
        QCOMPARE(p.settings.dxGridPixels, 64);
        QCOMPARE(p.settings.dxBrowserPixels, 100);
        QCOMPARE(p.page.Label9->text(), QStringLiteral("64"));
        QCOMPARE(p.page.Label58->text(), QStringLiteral("100"));
        QCOMPARE(p.applied, 2);
        // The bar holds its range.
        p.page.tbDXGridPixels->setValue(500);
        QCOMPARE(p.settings.dxGridPixels, 100);
    }

    void assigningAButton()
    {
        Page p;
        const int button5 = ControllerOptions::features().indexOf(QStringLiteral("Button 5"));
        QVERIFY(button5 > 0);
        p.page.cbDXFeatures->setCurrentIndex(button5);
        p.page.selectFeature(button5);
        QCOMPARE(p.page.cbDXActions->count(), 16);
        QCOMPARE(p.page.cbDXActions->currentIndex(), p.settings.dxButtons[5]);
        p.page.cbDXActions->setCurrentIndex(11);
        p.page.selectAction(11);
        QCOMPARE(p.settings.dxButtons[5], 11);
        QCOMPARE(p.statusUpdates, 1);
        // Button 1 is reserved: one entry, nothing stored.
        const int button1 = ControllerOptions::features().indexOf(QStringLiteral("Button 1 (reserved)"));
        p.page.cbDXFeatures->setCurrentIndex(button1);
        p.page.selectFeature(button1);
        QCOMPARE(p.page.cbDXActions->count(), 1);
        const Settings before = p.settings;
        p.page.selectAction(0);
        QCOMPARE(std::equal(std::begin(p.settings.dxButtons), std::end(p.settings.dxButtons),
                            std::begin(before.dxButtons)),
                 true);
    }

    void reset_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void reset()
    {
        QFETCH(bool, ok);
        Page p;
        p.settings.dxEnabled = 1;
        p.settings.dxId = 2;
        p.page.tbDXGridPixels->setValue(90);
        p.settings.dxButtons[2] = 0;
        p.settings.dxUserPrompts = 0;
        const int applied = p.applied;
        p.prompter.answers = {ok};
        p.page.resetFeatures();
        QCOMPARE(p.prompter.texts(), QStringList{QStringLiteral("Reset features?")});
        QCOMPARE(p.settings.dxGridPixels, ok ? 22 : 90);
        QCOMPARE(p.settings.dxUserPrompts, ok ? 1 : 0);
        QCOMPARE(p.settings.dxButtons[2], ok ? Settings().dxButtons[2] : 0);
        QCOMPARE(p.page.Label9->text(), ok ? QStringLiteral("22") : QStringLiteral("90"));
        QCOMPARE(p.applied, applied + (ok ? 1 : 0));
        // Enabled and the ID stay.
        QCOMPARE(p.settings.dxEnabled, 1);
        QCOMPARE(p.settings.dxId, 2);
    }

    void failures()
    {
        Page p;
        p.applyWorks = false;
        p.page.selectId(4);
        QCOMPARE(p.settings.dxId, 4);
        p.page.openProperties();
        QCOMPARE(p.prompter.texts(), (QStringList{QStringLiteral("Could not initialize direct input."),
                                                  QStringLiteral("Could not open the Game Controller Properites window.")}));
        p.toolStarts = true;
        p.prompter.shown.clear();
        p.page.openProperties();
        QVERIFY(p.prompter.shown.isEmpty());
    }
};

QTEST_MAIN(TestControllerOptionsPage)
#include "test_controlleroptionspage.moc"
