#pragma once

#include "addresses/addressmanager.h"
#include "addresses/importscommands.h"
#include "addresses/addresstree.h"
#include "addresses/addresstreeview.h"
#include "addresses/managerpanel.h"
#include "appearance/widgets/shadowlabel.h"
#include "appearance/widgets/skinbutton.h"
#include "appearance/widgets/treeviewscroll.h"
#include "core/overlaypanels.h"
#include "support/gridfeaturesharness.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QAction>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The address manager over a grid of engine-less panes, with the grid's
// tool bar features, in a 915 x 600 window laid out like the main window
// (strips 31 high, the tool bar 65, grid edges 7; the grid's client area
// 901 x 459). The data folder is a temporary one; the clock stands at
// Monday, 4 March 2024, 15:04:05, dates are en_US, and the system favorites
// are looked for in the temporary folder only. With realEngine the panes
// are Qt WebEngine pages.
struct AddressManagerHarness : GridFeaturesHarness
{
    QTemporaryDir scratch;
    std::unique_ptr<OverlayPanels> overlays;
    QWidget *pnMaster, *pnTop, *pnControls, *pnGridTop;
    SkinButton *skManager;
    ShadowLabel *laQueue;
    QDateTime now{QDate(2024, 3, 4), QTime(15, 4, 5)};
    std::unique_ptr<AddressManager> manager;

    explicit AddressManagerHarness(int buttonBarPosition = 0, bool realEngine = false)
    {
        if (realEngine)
            grid->setControlFactory({});
        settings.buttonBarPosition = buttonBarPosition;
        // As the settings store makes them when none are stored.
        settings.historyMinDate = QStringLiteral("3/4/24");
        settings.historyMaxDate = QStringLiteral("4/4/24");
        flags.dataFolder = scratch.filePath(QStringLiteral("My Vorlan")) + u'/';
        for (const char *sub : {"Web Address Manager", "Web Saves"})
            QDir().mkpath(flags.dataFolder + QLatin1String(sub));
        window.resize(915, 600);
        pnMaster = new QWidget(&window);
        pnMaster->setGeometry(0, 0, 915, 600);
        pnMaster->lower();
        pnTop = new QWidget(pnMaster);
        pnTop->setGeometry(0, 0, 915, 31);
        const bool barOnTop = buttonBarPosition != 0;
        pnControls = new QWidget(pnMaster);
        pnControls->setGeometry(0, barOnTop ? 31 : 600 - 31 - 65, 915, 65);
        const int gridTop = barOnTop ? 31 + 65 : 31;
        pnGridTop = new QWidget(pnMaster);
        pnGridTop->setGeometry(0, gridTop, 915, 7);
        scrollBox->setFrameShape(QFrame::NoFrame);
        scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scrollBox->setGeometry(7, gridTop + 7, 901, 600 - 62 - 65 - 14);
        skManager = new SkinButton(pnMaster);
        skManager->setObjectName(QStringLiteral("skManager"));
        laQueue = new ShadowLabel(pnMaster);
        laQueue->setObjectName(QStringLiteral("laQueue"));
        overlays = std::make_unique<OverlayPanels>(&window, flags, prompter);
        AddressManagerEnvironment environment;
        environment.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        environment.now = [this] { return now; };
        environment.sources = {scratch.filePath(QStringLiteral("Favorites")), scratch.filePath(QStringLiteral("config")),
                               scratch.filePath(QStringLiteral("mozilla"))};
        manager = std::make_unique<AddressManager>(settings, flags, prompter, shell, dialogs, commands, *overlays,
                                                   *grid, AddressManager::Parts{&window, scrollBox, pnMaster, pnTop,
                                                                                pnControls, pnGridTop, skManager,
                                                                                laQueue},
                                                   environment);
        // The system favorites are read on a thread of their own; the
        // commands that start a read wait here for it to end, as a user
        // would, so what follows sees the filled tree and its messages.
        for (const char *name : {"skManager", "RefreshImportSystem", "RefreshSystemImportsMaster"})
            if (QAction *action = commands.command(QLatin1String(name)))
                QObject::connect(action, &QAction::triggered, manager.get(), [this] { waitForSystemFavorites(); });
    }
    // Until no read of the system favorites runs; false after 20 s.
    bool waitForSystemFavorites() const
    {
        return QTest::qWaitFor([this] { return !manager->importsCommands().readingSystemFavorites(); }, 20000);
    }
    ~AddressManagerHarness()
    {
        grid->closeAllBrowsers();
        manager.reset();
    }

    QString wam() const { return manager->fileName(); }
    ManagerPanel *panel() const { return manager->panel(); }
    AddressTree &favorites() const { return manager->favoritesTree(); }
    AddressTree &imports() const { return manager->importsTree(); }
    // A favorites tree of the file's text loaded as at start-up.
    bool load(const QByteArray &bytes)
    {
        return TestFiles::write(wam(), bytes) && manager->startUp();
    }
    // The first node of the tree with this caption, or null.
    static AddressNode *find(const AddressTree &tree, const QString &caption)
    {
        for (AddressNode *node : tree.nodes())
            if (node->caption() == caption)
                return node;
        return nullptr;
    }
    // Selects a node of one of the trees, as a click does.
    void select(AddressNode *node) const
    {
        AddressTreeView &view =
            node->tree() == &manager->favoritesTree() ? manager->favoritesView() : manager->importsView();
        view.select(node);
    }
};
