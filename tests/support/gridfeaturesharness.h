#pragma once

#include "appearance/widgets/dropdowncombobox.h"
#include "appearance/widgets/shadowlabel.h"
#include "appearance/widgets/skinbutton.h"
#include "core/commandregistry.h"
#include "grid/gridfeatures.h"
#include "support/gridharness.h"
#include "support/recordingshell.h"
#include "support/scriptedfiledialogs.h"

#include <QHash>
#include <QLineEdit>

// A grid with its tool bar controls (the address bar, the select list, the
// command buttons and the address labels) on a panel of their own, wired by
// the grid features as in the window. Panes use the engine-less control.
struct GridFeaturesHarness : GridHarness
{
    RecordingShell shell;
    ScriptedFileDialogs dialogs;
    CommandRegistry commands;
    QWidget pnButtons;
    DropDownComboBox *bar;
    DropDownComboBox *list;
    ShadowLabel *localIP, *activeIP, *browserInfo;
    QHash<QString, SkinButton *> buttons;
    std::unique_ptr<GridFeatures> features;

    GridFeaturesHarness()
    {
        flags.dataFolder = QStringLiteral("/data/My Vorlan/");
        pnButtons.resize(900, 65);
        bar = new DropDownComboBox(&pnButtons);
        bar->setObjectName(QStringLiteral("cbWebAddressBar"));
        bar->setEditable(true);
        bar->setInsertPolicy(QComboBox::NoInsert);
        bar->lineEdit()->installEventFilter(bar);
        bar->setGeometry(226, 4, 400, 24);
        list = new DropDownComboBox(&pnButtons);
        list->setObjectName(QStringLiteral("cbSelectBrowserList"));
        list->setGeometry(394, 34, 300, 24);
        localIP = new ShadowLabel(&pnButtons);
        activeIP = new ShadowLabel(&pnButtons);
        browserInfo = new ShadowLabel(&pnButtons);
        for (const char *name : {"skAddressMode", "skAddressNew", "skActiveRedir", "skActiveBack", "skActiveForward",
                                 "skActiveRefresh", "skActiveStop", "skActivePrint", "skActiveDelete", "skActiveJump",
                                 "skActiveFileTools", "skAddressPrior", "skAddressNext"}) {
            auto *b = new SkinButton(&pnButtons);
            b->setObjectName(QLatin1String(name));
            buttons.insert(QLatin1String(name), b);
        }
        const auto b = [this](const char *name) { return buttons.value(QLatin1String(name)); };
        GridFeatures::Parts parts{
            {bar, b("skAddressMode"), b("skAddressNew"), b("skActiveRedir"), &pnButtons},
            {b("skActiveBack"), b("skActiveForward"), b("skActiveRefresh"), b("skActiveStop"), b("skActivePrint"),
             b("skActiveDelete"), b("skActiveJump"), b("skActiveFileTools"), b("skAddressPrior"), b("skAddressNext"),
             bar, localIP, activeIP},
            list,
            browserInfo,
        };
        features = std::make_unique<GridFeatures>(*grid, settings, flags, prompter, shell, dialogs, commands, skin,
                                                  parts);
        pnButtons.show();
    }

    AddressBar *addressBar() const { return features->addressBar(); }
    SelectBrowserList *selectList() const { return features->selectList(); }
    BrowserCommands *browserCommands() const { return features->commands(); }
};
