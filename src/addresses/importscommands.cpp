#include "addresses/importscommands.h"

#include "addresses/addressactions.h"
#include "addresses/addresssearchbar.h"
#include "addresses/addresstree.h"
#include "addresses/addresstreeview.h"
#include "addresses/favoritestree.h"
#include "addresses/historydates.h"
#include "addresses/importstree.h"
#include "addresses/localfilescan.h"
#include "addresses/managerpanel.h"
#include "appearance/widgets/treeviewscroll.h"
#include "core/busycursor.h"
#include "core/commandregistry.h"
#include "core/filedialogs.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QThread>
#include <QToolButton>

#include <memory>

ImportsCommands::ImportsCommands(Context context, CommandRegistry &commands, QObject *parent)
    : QObject(parent), m_c(std::move(context)), m_commands(commands)
{
    ManagerPanel &panel = m_c.panel;
    m_search = new AddressSearchBar(m_c.view, m_c.prompter, panel.laImportsSearch, panel.edImportsSearch,
                                    panel.btnImportsPrior, panel.btnImportsNext,
                                    QStringLiteral("No hits found in the imports tree."), this);

    m_pmImportsMaster = new QMenu(&panel);
    m_pmImportsMaster->setObjectName(QStringLiteral("pmImportsMaster"));
    QMenu *master = m_pmImportsMaster;
    m_autoCollapse = item(master, "AutoCollapseExpandImportsMaster", QStringLiteral("Auto Collapse && Expand"),
                          &ImportsCommands::toggleAutoCollapse);
    m_autoCollapse->setCheckable(true);
    m_fullCollapse = item(master, "FullCollapseImportsMaster", QStringLiteral("Full Collapse"),
                          &ImportsCommands::fullCollapse);
    m_fullExpand = item(master, "FullExpandImportsMaster", QStringLiteral("Full Expand"), &ImportsCommands::fullExpand);
    m_searchItem = item(master, "SearchImportsMaster", QStringLiteral("Search"), &ImportsCommands::toggleSearch);
    m_searchItem->setCheckable(true);
    master->addSeparator();
    m_gridSub = master->addMenu(QStringLiteral("Current Grid"));
    m_gridSub->setObjectName(QStringLiteral("CurrentGridImportsMaster"));
    item(m_gridSub, "RefreshGridImportsMaster", QStringLiteral("Refresh"), &ImportsCommands::refreshCurrentGrid);
    item(m_gridSub, "GridtoGroupImportsMaster", QStringLiteral("Grid to Group"), &ImportsCommands::gridToGroupCommand);
    QMenu *systemSub = master->addMenu(QStringLiteral("System Favorites"));
    systemSub->setObjectName(QStringLiteral("SystemFavoritesImportsMaster"));
    item(systemSub, "RefreshSystemImportsMaster", QStringLiteral("Refresh"), &ImportsCommands::refreshSystemFavorites);
    QMenu *localSub = master->addMenu(QStringLiteral("Local Files"));
    localSub->setObjectName(QStringLiteral("LocalFilesImportsMaster"));

    m_pmImportLocal = new QMenu(&panel);
    m_pmImportLocal->setObjectName(QStringLiteral("pmImportLocal"));
    for (const auto &[menu, suffix] : {std::pair{localSub, "ImportsMaster"}, std::pair{m_pmImportLocal, "ImportLocal"}}) {
        const auto name = [suffix = suffix](const char *command) { return QByteArray(command) + suffix; };
        m_recursive << item(menu, name("RecursiveFolderSearch").constData(), QStringLiteral("Recursive Folder Search"),
                            &ImportsCommands::recursiveFolderSearch);
        m_single << item(menu, name("SingleFolderSearch").constData(), QStringLiteral("Single Folder Search"),
                         &ImportsCommands::singleFolderSearch);
        m_webSaves << item(menu, name("WebSaves").constData(), QStringLiteral("Web Saves"), &ImportsCommands::webSaves);
        m_file << item(menu, name("WebAddressManager").constData(), QStringLiteral("Web Address Manager"),
                       &ImportsCommands::importAddressManagerFile);
        // One source at a time: the menu's four items are one group.
        auto *sources = new QActionGroup(menu);
        sources->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
        for (QAction *a : {m_recursive.last(), m_single.last(), m_webSaves.last(), m_file.last()}) {
            a->setCheckable(true);
            sources->addAction(a);
        }
        menu->addSeparator();
        item(menu, name("Clear").constData(), QStringLiteral("Clear"), &ImportsCommands::clearLocalFiles);
    }

    m_addressesAndGroups = master->addMenu(QStringLiteral("Web Addresses && Groups"));
    m_addressesAndGroups->setObjectName(QStringLiteral("WebAddressesGroupsImportsMaster"));
    QMenu *sub = m_addressesAndGroups;
    m_masterSendAddress = item(sub, "SendWebAddresstotheQueueImportsMaster",
                               QStringLiteral("Send Web Address to the Queue"), &ImportsCommands::sendAddressToQueue);
    m_masterOpen = item(sub, "OpenWebAddressNowImportsMaster", QStringLiteral("Open Web Address Now"),
                        &ImportsCommands::openNow);
    m_masterEmail = item(sub, "EmailWebAddressImportsMaster", QStringLiteral("Email Web Address"),
                         &ImportsCommands::emailWebAddress);
    sub->addSeparator();
    m_masterSendGroup = item(sub, "SendGrouptotheQueueImportsMaster", QStringLiteral("Send Group to the Queue"),
                             &ImportsCommands::sendGroupToQueue);
    master->addSeparator();
    master->addAction(QStringLiteral("Cancel"));
    connect(master, &QMenu::aboutToShow, this, &ImportsCommands::prepareMasterMenu);

    const auto popup = [&panel](const char *name) {
        auto *menu = new QMenu(&panel);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };
    m_pmImportsSelectedGroup = popup("pmImportsSelectedGroup");
    item(m_pmImportsSelectedGroup, "SendGrouptotheQueueImportsSelectedGroup", QStringLiteral("Send Group to the Queue"),
         &ImportsCommands::sendGroupToQueue);
    m_pmImportsSelectedAddress = popup("pmImportsSelectedAddress");
    item(m_pmImportsSelectedAddress, "SendWebAddresstotheQueueImportsSelectedAddress",
         QStringLiteral("Send Web Address to the Queue"), &ImportsCommands::sendAddressToQueue);
    item(m_pmImportsSelectedAddress, "OpenWebAddressNowImportsSelectedAddress", QStringLiteral("Open Web Address Now"),
         &ImportsCommands::openNow);
    item(m_pmImportsSelectedAddress, "EmailWebAddressImportsSelectedAddress", QStringLiteral("Email Web Address"),
         &ImportsCommands::emailWebAddress);
    m_pmImportGrid = popup("pmImportGrid");
    m_gridRefresh = item(m_pmImportGrid, "RefreshImportGrid", QStringLiteral("Refresh"),
                         &ImportsCommands::refreshCurrentGrid);
    m_gridToGroup = item(m_pmImportGrid, "GridtoGroupImportGrid", QStringLiteral("Grid to Group"),
                         &ImportsCommands::gridToGroupCommand);
    m_pmImportSystem = popup("pmImportSystem");
    item(m_pmImportSystem, "RefreshImportSystem", QStringLiteral("Refresh"), &ImportsCommands::refreshSystemFavorites);
    for (QMenu *menu : {m_pmImportsSelectedGroup, m_pmImportsSelectedAddress, m_pmImportGrid, m_pmImportSystem,
                        m_pmImportLocal}) {
        menu->addSeparator();
        menu->addAction(QStringLiteral("Cancel"));
    }

    connect(panel.sbImportsMaster, &QToolButton::clicked, this, [this] { m_pmImportsMaster->popup(QCursor::pos()); });
    TreeViewScroll *tree = panel.tvImports;
    tree->setAutoScroll(false);
    tree->setDragEnabled(true);
    tree->setDragDropMode(QAbstractItemView::DragOnly);
    tree->setDefaultDropAction(Qt::CopyAction);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree, &QWidget::customContextMenuRequested, this, [this, tree](const QPoint &pos) {
        AddressNode *node = m_c.view.nodeAt(pos);
        if (!node)
            return;
        m_c.view.select(node);
        if (QMenu *menu = popupFor(node))
            menu->popup(tree->viewport()->mapToGlobal(pos));
    });
}

QAction *ImportsCommands::item(QMenu *menu, const char *name, const QString &text, void (ImportsCommands::*slot)())
{
    return m_commands.addMenuItem(menu, name, text, this, slot);
}

QMenu *ImportsCommands::popupFor(AddressNode *node)
{
    switch (AddressTree::getNodeKind(node)) {
    case AddressNodeKind::nkGroup:
        return m_pmImportsSelectedGroup;
    case AddressNodeKind::nkWebAddress:
        return m_pmImportsSelectedAddress;
    case AddressNodeKind::nkCurrentGridRoot:
        m_gridRefresh->setEnabled(m_c.flags.browserCount > 0);
        m_gridToGroup->setEnabled(m_c.flags.browserCount > 0);
        return m_pmImportGrid;
    case AddressNodeKind::nkSystemFavoritesRoot:
        return m_pmImportSystem;
    case AddressNodeKind::nkLocalFilesRoot:
        return m_pmImportLocal;
    default:
        return nullptr;
    }
}

void ImportsCommands::prepareMasterMenu()
{
    AddressNode *node = m_c.view.selectedNode();
    const bool address = FavoritesTree::isWebAddress(node);
    const bool group = FavoritesTree::isGroup(node);
    m_gridSub->setEnabled(m_c.flags.browserCount > 0);
    m_addressesAndGroups->setEnabled(address || group);
    m_masterSendAddress->setEnabled(address);
    m_masterOpen->setEnabled(address);
    m_masterEmail->setEnabled(address || group);
    m_masterSendGroup->setEnabled(group);
}

QList<ImportsTree::GridPane> ImportsCommands::gridPanes() const
{
    QList<ImportsTree::GridPane> panes;
    for (int n = 0; n < GridModel::BrowserLimit; ++n)
        if (BrowserPane *pane = m_c.grid.pane(n))
            if (BrowserControl *control = pane->control())
                panes.append({n, control->locationUrl()});
    return panes;
}

QStringList ImportsCommands::gridAddresses() const
{
    QStringList addresses;
    for (const ImportsTree::GridPane &pane : gridPanes())
        addresses << pane.address;
    return addresses;
}

bool ImportsCommands::fillCurrentGridNode()
{
    BusyCursor busy;
    BackgroundSuspension suspended(m_c.flags);
    return m_c.imports.fillCurrentGrid(m_c.flags.browserCount < 1 ? QList<ImportsTree::GridPane>() : gridPanes());
}

void ImportsCommands::refreshCurrentGrid()
{
    if (!fillCurrentGridNode())
        m_c.prompter.showInformation(QStringLiteral("Could not get the grid's web addresses."));
}

void ImportsCommands::followCurrentGrid()
{
    m_c.imports.followCurrentGrid(gridPanes());
}

bool ImportsCommands::gridToGroup()
{
    BusyCursor busy;
    BackgroundSuspension suspended(m_c.flags);
    if (m_c.flags.browserCount < 1)
        return false;
    AddressNode *group = m_c.favorites.makeGroup(m_c.dates.groupCaption(QStringLiteral("GG"), false), gridAddresses());
    if (!group)
        return false;
    m_c.favoritesView.scrollTo(group);
    return true;
}

void ImportsCommands::gridToGroupCommand()
{
    if (m_c.flags.browserCount == 0) {
        m_c.prompter.showInformation(QStringLiteral("Nothing in the grid to create a group with."));
        return;
    }
    if (!gridToGroup())
        m_c.prompter.showInformation(QStringLiteral("Could not create a grid group."));
}

ImportsCommands::~ImportsCommands()
{
    if (m_reader) {
        m_reader->wait();
        delete m_reader;
    }
}

void ImportsCommands::readSystemFavorites()
{
    if (m_reader)
        return;
    auto collected = std::make_shared<SystemFavorites::Collected>();
    m_reader = QThread::create([collected, sources = m_c.sources] { *collected = SystemFavorites::collect(sources); });
    // finished comes from the reader's thread; this object's thread takes it.
    connect(m_reader, &QThread::finished, this, [this, collected] {
        m_reader->deleteLater();
        m_reader = nullptr;
        systemFavoritesCollected(*collected);
    });
    m_reader->start();
}

void ImportsCommands::systemFavoritesCollected(const SystemFavorites::Collected &collected)
{
    BusyCursor busy;
    const bool found = m_c.imports.fillSystemFavorites(collected.addresses);
    if (!found)
        m_c.prompter.showInformation(QStringLiteral("Could not get the system favorites."));
    const QStringList notes = collected.report.messages();
    if (!notes.isEmpty())
        m_c.prompter.showInformation(notes.join(u'\n'));
    emit systemFavoritesRead(found);
}

void ImportsCommands::refreshSystemFavorites()
{
    if (m_reader)
        return; // the read under way fills the root
    m_c.imports.tree().removeChildren(m_c.imports.systemFavoritesRoot());
    readSystemFavorites();
}

void ImportsCommands::startLocalFiles(Source source)
{
    m_c.imports.tree().removeChildren(m_c.imports.localFilesRoot());
    m_source = source;
    showSourceMarks();
}

void ImportsCommands::showSourceMarks()
{
    const std::pair<Source, QList<QAction *> *> marks[] = {
        {Source::Recursive, &m_recursive}, {Source::Single, &m_single}, {Source::WebSaves, &m_webSaves},
        {Source::File, &m_file}};
    for (const auto &[s, items] : marks)
        for (QAction *a : *items)
            a->setChecked(s == m_source);
}

QString ImportsCommands::askFolder(const QString &title)
{
    const QString folder = m_c.dialogs.getExistingDirectory(title).trimmed();
    if (folder.isEmpty())
        return {};
    if (!QFileInfo(folder).isDir()) {
        m_c.prompter.showInformation(QStringLiteral("Invalid folder path."));
        return {};
    }
    return folder;
}

void ImportsCommands::recursiveFolderSearch()
{
    // The item's own toggle on a click is no mark: the mark moves only when
    // a source starts, in every menu at once.
    showSourceMarks();
    if (!m_c.prompter.askConfirmation(QStringLiteral("This search could take several minutes, proceed?")))
        return;
    BusyCursor busy;
    startLocalFiles(Source::Recursive);
    const QString folder = askFolder(QStringLiteral("Choose a root folder with sub-folders"));
    if (!folder.isEmpty())
        m_c.imports.fillLocalFiles(LocalFileScan::scan(folder, true));
}

void ImportsCommands::singleFolderSearch()
{
    BusyCursor busy;
    startLocalFiles(Source::Single);
    const QString folder = askFolder(QStringLiteral("Choose a folder"));
    if (!folder.isEmpty())
        m_c.imports.fillLocalFiles(LocalFileScan::scan(folder, false));
}

void ImportsCommands::webSaves()
{
    BusyCursor busy;
    startLocalFiles(Source::WebSaves);
    const QString folder = m_c.flags.dataFolder + QStringLiteral("Web Saves/");
    if (QFileInfo(folder).isDir())
        m_c.imports.fillLocalFiles(LocalFileScan::scan(folder, true));
}

void ImportsCommands::importAddressManagerFile()
{
    showSourceMarks();
    const QString file = m_c.dialogs.getOpenFileName(
        QStringLiteral("Open a Web Address Manager file"), m_c.flags.dataFolder + QStringLiteral("Web Saves/"),
        QStringLiteral("Web Address Manager (*.wam *.amf)"), QStringLiteral("wam"));
    if (file.isEmpty())
        return;
    BusyCursor busy;
    startLocalFiles(Source::File);
    bool ok = false;
    try {
        ok = m_c.imports.importFile(file);
    } catch (...) {
        ok = false;
    }
    if (!ok)
        m_c.prompter.showInformation(QStringLiteral("Could not import the selected file, it may be damaged."));
}

void ImportsCommands::clearLocalFiles()
{
    startLocalFiles(Source::None);
}

void ImportsCommands::toggleAutoCollapse()
{
    m_c.settings.importsAutoCollapse = m_c.settings.importsAutoCollapse == 1 ? 0 : 1;
    applyAutoCollapse();
}

void ImportsCommands::applyAutoCollapse()
{
    const int value = m_c.settings.importsAutoCollapse;
    if (value != 0 && value != 1)
        return;
    const bool on = value == 1;
    m_autoCollapse->setChecked(on);
    m_fullCollapse->setEnabled(!on);
    m_fullExpand->setEnabled(!on);
    m_c.view.setAutoExpand(on);
}

void ImportsCommands::fullCollapse()
{
    if (!m_c.view.autoExpand())
        m_c.view.fullCollapse();
}

void ImportsCommands::fullExpand()
{
    if (!m_c.view.autoExpand())
        m_c.view.fullExpand();
}

void ImportsCommands::toggleSearch()
{
    m_search->setShown(!m_search->isShown());
    m_searchItem->setChecked(m_search->isShown());
}

void ImportsCommands::sendAddressToQueue()
{
    m_c.actions.sendAddressToQueue(m_c.view.selectedNode());
}

void ImportsCommands::openNow()
{
    m_c.actions.openNow(m_c.view.selectedNode());
}

void ImportsCommands::emailWebAddress()
{
    AddressNode *node = m_c.view.selectedNode();
    if (FavoritesTree::isWebAddress(node) || FavoritesTree::isGroup(node))
        m_c.actions.email(node);
}

void ImportsCommands::sendGroupToQueue()
{
    m_c.actions.sendGroupToQueue(m_c.view.selectedNode());
}
