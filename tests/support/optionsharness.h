#pragma once

#include "appearance/skinimages.h"
#include "appearance/skinnedpanelook.h"
#include "appearance/widgets/bmpscrollbox.h"
#include "appearance/widgets/skinbutton.h"
#include "core/commandregistry.h"
#include "core/overlaypanels.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "options/custombutton.h"
#include "options/optionspanel.h"
#include "support/fakebrowsercontrol.h"
#include "support/scriptedfiledialogs.h"
#include "support/scriptedprompter.h"

#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The options panel in a 915 x 600 window over a real grid in a bitmap
// scroll box (engine-less panes). Every window hook records its name in
// `ran` and answers from `answers` (true unless planned otherwise).
struct OptionsHarness
{
    QTemporaryDir dir;
    Settings settings;
    RuntimeFlags flags;
    ScriptedPrompter prompter;
    ScriptedFileDialogs dialogs;
    SkinImages skin;
    SkinnedPaneLook look{settings, skin};
    CommandRegistry commands;
    QWidget window;
    BmpScrollBox *sbMainGrid;
    std::unique_ptr<BrowserGrid> grid;
    std::unique_ptr<OverlayPanels> overlays;
    SkinButton *skCustom;
    std::unique_ptr<CustomButton> custom;
    std::unique_ptr<OptionsPanel> panel;
    QStringList ran;
    QHash<QString, bool> answers;
    QStringList fatal;

    OptionsHarness()
    {
        flags.deleteDelay = 0;
        flags.dataFolder = dir.path() + QStringLiteral("/My Vorlan/");
        QDir().mkpath(flags.dataFolder + QStringLiteral("Aesthetic Profiles"));
        window.resize(915, 600);
        sbMainGrid = new BmpScrollBox(&window);
        sbMainGrid->setGeometry(10, 10, 880, 520);
        grid = std::make_unique<BrowserGrid>(settings, flags, prompter, look, sbMainGrid, &window);
        grid->setControlFactory([](QWidget *parent) { return new FakeBrowserControl(parent); });
        grid->layoutGrid(true);
        overlays = std::make_unique<OverlayPanels>(&window, flags, prompter);
        skCustom = new SkinButton(&window);
        skCustom->setObjectName(QStringLiteral("skCustom"));
        custom = std::make_unique<CustomButton>(settings, prompter, dialogs, skin, skCustom, commands);
        OptionsHooks hooks;
        const auto record = [this](const char *name) {
            return [this, name] {
                ran << QLatin1String(name);
                return answers.value(QLatin1String(name), true);
            };
        };
        hooks.connectionStateChanged = record("connectionStateChanged");
        hooks.renewHistoryDates = record("renewHistoryDates");
        hooks.resetScannerTimers = record("resetScannerTimers");
        hooks.applyAppearance = record("applyAppearance");
        hooks.applyColours = record("applyColours");
        hooks.applyButtonBarPosition = record("applyButtonBarPosition");
        hooks.applyAddressBarBevel = record("applyAddressBarBevel");
        hooks.applyGridBackgroundImage = [this] {
            ran << QStringLiteral("applyGridBackgroundImage");
            // As the window does it: the stored picture, or none.
            sbMainGrid->setBitmapBack(settings.gridBackgroundImage == 1 ? QImage(8, 8, QImage::Format_RGB32)
                                                                        : QImage());
            return answers.value(QStringLiteral("applyGridBackgroundImage"), true);
        };
        hooks.applyGridBackgroundSize = record("applyGridBackgroundSize");
        hooks.applyApplicationHints = record("applyApplicationHints");
        hooks.applyCornerHints = record("applyCornerHints");
        hooks.applyPaneSound = record("applyPaneSound");
        hooks.applyMusicHold = record("applyMusicHold");
        hooks.applyPagesOutOfView = record("applyPagesOutOfView");
        hooks.closeAfterFatalError = [this](const QString &message) { fatal << message; };
        panel = std::make_unique<OptionsPanel>(settings, flags, prompter, dialogs, *grid, *overlays, *custom, hooks,
                                               &window);
        window.show();
    }
    ~OptionsHarness() { grid->closeAllBrowsers(); }

    FeaturePair *pair(int page) const
    {
        switch (page) {
        case OptionsPanel::BrowserPage:
            return panel->browserFeatures();
        case OptionsPanel::AestheticsPage:
            return panel->aestheticsFeatures();
        case OptionsPanel::ExtrasPage:
            return panel->extrasFeatures();
        default:
            return panel->generalFeatures();
        }
    }
    QComboBox *featureBox(int page) const
    {
        return page == OptionsPanel::BrowserPage       ? panel->cbBroFeatures
               : page == OptionsPanel::AestheticsPage ? panel->cbAesFeatures
               : page == OptionsPanel::ExtrasPage     ? panel->cbExtraFeatures
                                                      : panel->cbGeneralFeatures;
    }
    QComboBox *actionBox(int page) const
    {
        return page == OptionsPanel::BrowserPage       ? panel->cbBroActions
               : page == OptionsPanel::AestheticsPage ? panel->cbAesActions
               : page == OptionsPanel::ExtrasPage     ? panel->cbExtraActions
                                                      : panel->cbGeneralActions;
    }
    // The user picks a feature by its text; false when the list has none.
    bool chooseFeature(int page, const QString &feature) const
    {
        const int index = featureBox(page)->findText(feature);
        if (index < 0)
            return false;
        emit featureBox(page)->activated(index);
        return true;
    }
    bool chooseAction(int page, const QString &action) const
    {
        const int index = actionBox(page)->findText(action);
        if (index < 0)
            return false;
        emit actionBox(page)->activated(index);
        return true;
    }
};
