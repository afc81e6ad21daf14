#include "addresses/addressmanager.h"

#include "addresses/addressactions.h"
#include "addresses/addressicons.h"
#include "addresses/addressmanagerfile.h"
#include "addresses/addresstree.h"
#include "addresses/addresstreeview.h"
#include "addresses/favoritescommands.h"
#include "addresses/favoritestree.h"
#include "addresses/importscommands.h"
#include "addresses/importstree.h"
#include "addresses/managerpanel.h"
#include "addresses/queuearea.h"
#include "appearance/widgets/skinbutton.h"
#include "appearance/widgets/treeviewscroll.h"
#include "core/busycursor.h"
#include "core/commandregistry.h"
#include "core/overlaypanels.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "core/shell.h"
#include "grid/addressbar.h"
#include "grid/browsercommands.h"
#include "grid/browsergrid.h"
#include "grid/gridfeatures.h"

#include <QAction>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollArea>

#include <cmath>

const QString AddressManager::TooSmallMessage =
    QStringLiteral("Resize, window is to small to show the address manager panel.");

AddressManager::AddressManager(Settings &settings, RuntimeFlags &flags, Prompter &prompter, Shell &shell,
                               FileDialogs &dialogs, CommandRegistry &commands, OverlayPanels &overlays,
                               BrowserGrid &grid, Parts parts, AddressManagerEnvironment environment,
                               QObject *parent)
    : QObject(parent), m_settings(settings), m_flags(flags), m_prompter(prompter), m_shell(shell),
      m_overlays(overlays), m_grid(grid), m_parts(parts), m_dates(environment.locale, environment.now),
      m_icons(std::make_unique<AddressIcons>()), m_favoritesTree(new AddressTree(this)),
      m_importsTree(new AddressTree(this))
{
    m_favorites = std::make_unique<FavoritesTree>(*m_favoritesTree, m_dates);
    m_imports = std::make_unique<ImportsTree>(*m_importsTree);
    m_queue = new AddressQueue(settings, flags, this);
    m_queue->setOpeners(
        [this](const QString &address) { return m_grid.openAddressInNewBrowser(address, BrowserType::btQueue); },
        [this](const QString &address) { return m_grid.openAddressInNewBrowser(address, BrowserType::btNormal); });
    m_actions = std::make_unique<AddressActions>(grid, *m_queue, prompter, shell);

    m_panel = new ManagerPanel(parts.window);
    m_overlays.addPanel(m_panel);
    m_overlays.addTitleStrip(m_panel->pnManagerTitle);
    m_overlays.addTitleStrip(m_panel->pnCalendarTitle);
    m_favoritesView = new AddressTreeView(*m_favoritesTree, m_panel->tvFavorites, *m_icons, this);
    m_importsView = new AddressTreeView(*m_importsTree, m_panel->tvImports, *m_icons, this);

    m_importsCommands = new ImportsCommands({*m_imports, *m_favorites, *m_importsView, *m_favoritesView, *m_panel,
                                             *m_actions, grid,
                                             m_dates, settings, flags, prompter, dialogs, environment.sources},
                                            commands, this);
    m_favoritesCommands = new FavoritesCommands(
        {*m_favorites, *m_favoritesView, *m_importsView, *m_panel, *m_actions, m_dates, settings, flags, prompter,
         [this] { return m_importsCommands->gridToGroup(); }},
        commands, this);
    m_queueArea = new QueueArea(*m_queue, *m_actions, *m_panel, *m_favoritesView, *m_importsView, prompter, commands,
                                parts.laQueue, this);
    connect(m_queueArea, &QueueArea::directInputChosen, this, &AddressManager::queueControllerStatusRequested);

    if (parts.skManager)
        connect(parts.skManager->registerCommand(commands), &QAction::triggered, this,
                &AddressManager::openManagerPanel);
    connect(m_panel->btnMinManager, &QPushButton::clicked, this, [this] { resizeFromButton(1); });
    connect(m_panel->btnMaxManager, &QPushButton::clicked, this, [this] { resizeFromButton(2); });
    connect(m_panel->btnHelpManager, &QPushButton::clicked, this, &AddressManager::openHelp);
    connect(m_panel->btnCloseManager, &QPushButton::clicked, this, [this] {
        m_panel->pnCalendar->hide();
        m_overlays.hideAll();
    });
    connect(&grid, &BrowserGrid::historyAddressReached, this, &AddressManager::addToHistory);
    connect(&grid, &BrowserGrid::panesChanged, this, &AddressManager::gridPanesChanged);

    // Every edit of Favorites and every visit recorded reaches the tree: it
    // is written a few seconds later, so a crash loses little.
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(SaveDelay);
    connect(&m_saveTimer, &QTimer::timeout, this, &AddressManager::saveAddressManagerFile);
    connect(m_favoritesTree, &AddressTree::changed, this, &AddressManager::scheduleSave);
}

AddressManager::~AddressManager()
{
    delete m_panel.data();
}

QString AddressManager::fileName() const
{
    return AddressManagerFile::fileName(m_flags.dataFolder);
}

bool AddressManager::loadAddressManagerFile()
{
    m_loading = true;
    const AddressManagerFile::Loaded loaded = AddressManagerFile::load(*m_favoritesTree, fileName(), m_prompter);
    m_loading = false;
    m_loaded = true;
    m_saveHeld = loaded == AddressManagerFile::Loaded::LeftInPlace;
    m_saveTimer.stop();
    // A first start makes the file; a salvaged tree takes the place of the
    // original at once.
    if (loaded == AddressManagerFile::Loaded::Created || loaded == AddressManagerFile::Loaded::Salvaged)
        saveAddressManagerFile();
    return true;
}

bool AddressManager::applyHistoryRetention()
{
    try {
        return m_dates.applyHistoryRetention(*m_favoritesTree, m_settings);
    } catch (...) {
        return false;
    }
}

bool AddressManager::startUp()
{
    // The settings are read by now.
    m_queue->takeStoredSettings();
    loadAddressManagerFile();
    if (!applyHistoryRetention())
        m_prompter.showInformation(QStringLiteral("Could not clear browser history."));
    return true;
}

void AddressManager::stopQueueTimer()
{
    m_queue->timer().stop();
}

void AddressManager::scheduleSave()
{
    if (m_loading || !m_loaded || m_saveHeld)
        return;
    if (!m_saveTimer.isActive())
        m_saveTimer.start();
}

bool AddressManager::saveAddressManagerFile()
{
    m_saveTimer.stop();
    if (!m_loaded || m_saveHeld)
        return false;
    ++m_saveAttempts;
    const SafeSave::Outcome outcome = AddressManagerFile::save(*m_favoritesTree, fileName());
    if (outcome) {
        m_failureShown = false;
    } else if (!m_failureShown) {
        m_failureShown = true;
        m_prompter.showInformation(AddressManagerFile::saveFailureMessage(fileName(), outcome));
    }
    emit fileSaved(outcome.ok);
    return outcome.ok;
}

bool AddressManager::renewHistoryDates()
{
    return m_dates.renewHistoryDates(m_settings);
}

AddressQueue::OpenResult AddressManager::openNextQueuedAddress()
{
    const AddressQueue::OpenResult result = m_queue->openNextQueuedAddress();
    if (result == AddressQueue::OpenResult::Refused && m_settings.dxUserPrompts == 1)
        m_prompter.showInformation(AddressQueue::GridLimitMessage);
    return result;
}

void AddressManager::setQueueControllerStatus(const QString &status, const QString &openButton)
{
    m_queueArea->setControllerStatus(status, openButton);
}

void AddressManager::attachGridFeatures(GridFeatures &features)
{
    if (AddressBar *bar = features.addressBar())
        bar->setGroupMaker(addressBarGroupMaker());
    if (BrowserCommands *browserCommands = features.commands())
        browserCommands->setFavoriteGroups([this] { return favoriteGroups(); },
                                           [this](const QString &group, const QString &address) {
                                               return insertIntoFavoriteGroup(group, address);
                                           });
}

std::function<bool(const QStringList &)> AddressManager::addressBarGroupMaker()
{
    return [this](const QStringList &items) {
        BusyCursor busy;
        BackgroundSuspension suspended(m_flags);
        AddressNode *group = m_favorites->makeGroup(m_dates.groupCaption(QStringLiteral("AB"), true), items);
        if (!group)
            return false;
        m_favoritesView->expand(group);
        return true;
    };
}

QStringList AddressManager::favoriteGroups() const
{
    return m_favorites->favoriteGroups();
}

bool AddressManager::insertIntoFavoriteGroup(const QString &group, const QString &address)
{
    BusyCursor busy;
    return m_favorites->insertIntoGroup(group, address);
}

void AddressManager::addToHistory(const QString &address)
{
    m_favorites->addToHistory(address);
}

void AddressManager::openManagerPanel()
{
    if (m_panel->isVisible())
        return;
    m_overlays.hideAll();
    if (!sizeManagerPanel(m_flags.addressManagerState)) {
        m_prompter.showInformation(TooSmallMessage);
        return;
    }
    m_importsCommands->fillCurrentGridNode();
    // Read apart; the root fills (or the message comes) when the read ends.
    AddressNode *system = m_imports->systemFavoritesRoot();
    if (system && system->childCount() == 0)
        m_importsCommands->readSystemFavorites();
    emit queueControllerStatusRequested();
    m_queueArea->panelOpening();
    m_favoritesCommands->applyAutoCollapse();
    m_importsCommands->applyAutoCollapse();
    m_panel->show();
    m_panel->raise();
}

void AddressManager::gridPanesChanged()
{
    // A pane that goes to another address changes its node too.
    for (int n = 0; n < GridModel::BrowserLimit; ++n)
        if (BrowserPane *pane = m_grid.pane(n))
            if (BrowserControl *control = pane->control())
                connect(control, &BrowserControl::navigateComplete2, this, &AddressManager::followGrid,
                        Qt::UniqueConnection);
    followGrid();
}

void AddressManager::followGrid()
{
    // A closed panel reads the grid afresh when it opens.
    if (m_panel && m_panel->isVisible())
        m_importsCommands->followCurrentGrid();
}

bool AddressManager::sizeManagerPanel(int mode)
{
    m_flags.addressManagerState = mode;
    const QWidget *window = m_parts.window;
    if (window->width() < 401 || window->height() < 401)
        return false;
    const QSize client = m_parts.sbMainGrid->viewport()->size();
    if (mode == 1) {
        // Halves go to the even neighbour.
        const int w = int(std::nearbyint(client.width() / 1.25));
        const int h = int(std::nearbyint(client.height() / 1.25));
        m_panel->setGeometry(window->width() / 2 - w / 2, window->height() / 2 - h / 2, w, h);
    } else if (mode == 2) {
        int top = m_parts.pnMaster->y() + m_parts.pnTop->height() + m_parts.pnGridTop->height();
        if (m_settings.buttonBarPosition != 0)
            top += m_parts.pnControls->height();
        m_panel->setGeometry(7, top, client.width(), client.height());
    } else {
        return true;
    }
    m_panel->shareAreas();
    return true;
}

void AddressManager::resizeFromButton(int mode)
{
    if (!sizeManagerPanel(mode))
        m_prompter.showInformation(TooSmallMessage);
}

void AddressManager::openHelp()
{
    const QString page = m_flags.programFolder + QStringLiteral("Vorlan Help.html");
    if (QFileInfo::exists(page))
        m_shell.openWithDefaultHandler(page);
}
