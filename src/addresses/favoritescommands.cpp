#include "addresses/favoritescommands.h"

#include "addresses/addressactions.h"
#include "addresses/addresssearchbar.h"
#include "addresses/addresstree.h"
#include "addresses/addresstreeview.h"
#include "addresses/favoritestree.h"
#include "addresses/historydates.h"
#include "addresses/managerpanel.h"
#include "appearance/widgets/treeviewscroll.h"
#include "core/commandregistry.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDropEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

FavoritesCommands::FavoritesCommands(Context context, CommandRegistry &commands, QObject *parent)
    : QObject(parent), m_c(std::move(context)), m_commands(commands)
{
    ManagerPanel &panel = m_c.panel;
    m_search = new AddressSearchBar(m_c.view, m_c.prompter, panel.laFavoritesSearch, panel.edFavoritesSearch,
                                    panel.btnFavoritesPrior, panel.btnFavoritesNext,
                                    AddressSearchBar::NoHitsMessage, this);

    m_pmFavoritesMaster = new QMenu(&panel);
    m_pmFavoritesMaster->setObjectName(QStringLiteral("pmFavoritesMaster"));
    QMenu *master = m_pmFavoritesMaster;
    m_autoCollapse = item(master, "AutoCollapseExpandFavoritesMaster", QStringLiteral("Auto Collapse && Expand"),
                          &FavoritesCommands::toggleAutoCollapse);
    m_autoCollapse->setCheckable(true);
    m_fullCollapse = item(master, "FullCollapseFavoritesMaster", QStringLiteral("Full Collapse"),
                          &FavoritesCommands::fullCollapse);
    m_fullExpand = item(master, "FullExpandFavoritesMaster", QStringLiteral("Full Expand"),
                        &FavoritesCommands::fullExpand);
    m_searchItem = item(master, "SearchFavoritesMaster", QStringLiteral("Search"), &FavoritesCommands::toggleSearch);
    m_searchItem->setCheckable(true);
    master->addSeparator();
    QMenu *favoritesSub = master->addMenu(QStringLiteral("Favorites"));
    favoritesSub->setObjectName(QStringLiteral("FavoritesFavoritesMaster"));
    item(favoritesSub, "NewGroupFavoritesMaster", QStringLiteral("New Group"), &FavoritesCommands::newGroup);
    item(favoritesSub, "AlphaSortFavoritesMaster", QStringLiteral("Alpha Sort"), &FavoritesCommands::alphaSort);
    QMenu *historySub = master->addMenu(QStringLiteral("History"));
    historySub->setObjectName(QStringLiteral("HistoryFavoritesMaster"));
    item(historySub, "CalendarFavoritesMaster", QStringLiteral("Calendar"), &FavoritesCommands::showCalendar);
    item(historySub, "ClearFavoritesMaster", QStringLiteral("Clear"), &FavoritesCommands::clearHistory);
    m_addressesAndGroups = master->addMenu(QStringLiteral("Web Addresses && Groups"));
    m_addressesAndGroups->setObjectName(QStringLiteral("WebAddressesGroupsFavoritesMaster"));
    QMenu *sub = m_addressesAndGroups;
    m_masterSendAddress = item(sub, "SendWebAddresstotheQueueFavoritesMaster",
                               QStringLiteral("Send Web Address to the Queue"), &FavoritesCommands::sendAddressToQueue);
    m_masterOpen = item(sub, "OpenWebAddressNowFavoritesMaster", QStringLiteral("Open Web Address Now"),
                        &FavoritesCommands::openNow);
    m_masterEditAddress = item(sub, "EditWebAddressFavoritesMaster", QStringLiteral("Edit Web Address"),
                               &FavoritesCommands::editWebAddress);
    m_masterDeleteAddress = item(sub, "DeleteWebAddressFavoritesMaster", QStringLiteral("Delete Web Address"),
                                 &FavoritesCommands::deleteWebAddress);
    m_masterEmail = item(sub, "EmailWebAddressFavoritesMaster", QStringLiteral("Email Web Address"),
                         &FavoritesCommands::emailWebAddress);
    sub->addSeparator();
    m_masterSendGroup = item(sub, "SendGrouptotheQueueFavoritesMaster", QStringLiteral("Send Group to the Queue"),
                             &FavoritesCommands::sendGroupToQueue);
    m_masterInsert = item(sub, "InsertWebAddressFavoritesMaster", QStringLiteral("Insert Web Address"),
                          &FavoritesCommands::insertWebAddress);
    m_masterEditGroup = item(sub, "EditGroupFavoritesMaster", QStringLiteral("Edit Group"),
                             &FavoritesCommands::editGroup);
    m_masterDeleteGroup = item(sub, "DeleteGroupFavoritesMaster", QStringLiteral("Delete Group"),
                               &FavoritesCommands::deleteGroup);
    master->addSeparator();
    master->addAction(QStringLiteral("Cancel"));
    connect(master, &QMenu::aboutToShow, this, &FavoritesCommands::prepareMasterMenu);

    const auto popup = [&panel](const char *name) {
        auto *menu = new QMenu(&panel);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };
    m_pmFavoritesFavorites = popup("pmFavoritesFavorites");
    item(m_pmFavoritesFavorites, "NewGroupFavoritesFavorites", QStringLiteral("New Group"),
         &FavoritesCommands::newGroup);
    m_rootAlphaSort = item(m_pmFavoritesFavorites, "AlphaSortFavoritesFavorites", QStringLiteral("Alpha Sort"),
                           &FavoritesCommands::alphaSort);
    m_pmFavoritesHistory = popup("pmFavoritesHistory");
    m_historyCalendar = item(m_pmFavoritesHistory, "CalendarFavoritesHistory", QStringLiteral("Calendar"),
                             &FavoritesCommands::showCalendar);
    m_historyClear = item(m_pmFavoritesHistory, "ClearFavoritesHistory", QStringLiteral("Clear"),
                          &FavoritesCommands::clearHistory);
    m_pmFavoritesGroupSelected = popup("pmFavoritesGroupSelected");
    item(m_pmFavoritesGroupSelected, "SendGrouptotheQueueFavoritesGroupSelected",
         QStringLiteral("Send Group to the Queue"), &FavoritesCommands::sendGroupToQueue);
    m_groupInsert = item(m_pmFavoritesGroupSelected, "InsertWebAddressFavoritesGroupSelected",
                         QStringLiteral("Insert Web Address"), &FavoritesCommands::insertWebAddress);
    m_groupEdit = item(m_pmFavoritesGroupSelected, "EditGroupFavoritesGroupSelected", QStringLiteral("Edit Group"),
                       &FavoritesCommands::editGroup);
    m_groupDelete = item(m_pmFavoritesGroupSelected, "DeleteGroupFavoritesGroupSelected",
                         QStringLiteral("Delete Group"), &FavoritesCommands::deleteGroup);
    m_pmFavoritesAddressSelected = popup("pmFavoritesAddressSelected");
    item(m_pmFavoritesAddressSelected, "SendWebAddresstotheQueueFavoritesAddressSelected",
         QStringLiteral("Send Web Address to the Queue"), &FavoritesCommands::sendAddressToQueue);
    item(m_pmFavoritesAddressSelected, "OpenWebAddressNowFavoritesAddressSelected",
         QStringLiteral("Open Web Address Now"), &FavoritesCommands::openNow);
    m_addressEdit = item(m_pmFavoritesAddressSelected, "EditWebAddressFavoritesAddressSelected",
                         QStringLiteral("Edit Web Address"), &FavoritesCommands::editWebAddress);
    m_addressDelete = item(m_pmFavoritesAddressSelected, "DeleteWebAddressFavoritesAddressSelected",
                           QStringLiteral("Delete Web Address"), &FavoritesCommands::deleteWebAddress);
    item(m_pmFavoritesAddressSelected, "EmailWebAddressFavoritesAddressSelected",
         QStringLiteral("Email Web Address"), &FavoritesCommands::emailWebAddress);
    for (QMenu *menu : {m_pmFavoritesFavorites, m_pmFavoritesHistory, m_pmFavoritesGroupSelected,
                        m_pmFavoritesAddressSelected}) {
        menu->addSeparator();
        menu->addAction(QStringLiteral("Cancel"));
    }

    connect(panel.sbFavoritesMaster, &QToolButton::clicked, this,
            [this] { m_pmFavoritesMaster->popup(QCursor::pos()); });
    connect(panel.HistoryCalendar, &QCalendarWidget::clicked, this, &FavoritesCommands::calendarDayClicked);
    connect(panel.btnCalendarClose, &QAbstractButton::clicked, panel.pnCalendar, &QWidget::hide);

    TreeViewScroll *tree = panel.tvFavorites;
    // The tree does its own scrolling while a node is dragged over it.
    tree->setAutoScroll(false);
    tree->setDragEnabled(true);
    tree->setAcceptDrops(true);
    tree->setDragDropMode(QAbstractItemView::DragDrop);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    tree->installEventFilter(this);
    tree->viewport()->installEventFilter(this);
    connect(tree, &QWidget::customContextMenuRequested, this, [this, tree](const QPoint &pos) {
        AddressNode *node = m_c.view.nodeAt(pos);
        if (!node)
            return;
        m_c.view.select(node);
        if (QMenu *menu = popupFor(node))
            menu->popup(tree->viewport()->mapToGlobal(pos));
    });
    m_c.view.setEditFinisher([this](AddressNode *node, const QString &typed) { finishEditing(node, typed); });
}

QAction *FavoritesCommands::item(QMenu *menu, const char *name, const QString &text, void (FavoritesCommands::*slot)())
{
    return m_commands.addMenuItem(menu, name, text, this, slot);
}

AddressNode *FavoritesCommands::selected() const
{
    return m_c.view.selectedNode();
}

QMenu *FavoritesCommands::popupFor(AddressNode *node)
{
    switch (AddressTree::getNodeKind(node)) {
    case AddressNodeKind::nkFavoritesRoot:
        m_rootAlphaSort->setEnabled(node->childCount() > 0);
        return m_pmFavoritesFavorites;
    case AddressNodeKind::nkHistoryRoot:
        m_historyCalendar->setEnabled(node->childCount() > 0);
        m_historyClear->setEnabled(node->childCount() > 0);
        return m_pmFavoritesHistory;
    case AddressNodeKind::nkGroup: {
        const bool favorite = FavoritesTree::isFavoriteGroup(node);
        for (QAction *a : {m_groupInsert, m_groupEdit, m_groupDelete})
            a->setEnabled(favorite);
        return m_pmFavoritesGroupSelected;
    }
    case AddressNodeKind::nkWebAddress: {
        const bool favorite = FavoritesTree::isFavoriteAddress(node);
        m_addressEdit->setEnabled(favorite);
        m_addressDelete->setEnabled(favorite);
        return m_pmFavoritesAddressSelected;
    }
    default:
        return nullptr;
    }
}

void FavoritesCommands::prepareMasterMenu()
{
    AddressNode *node = selected();
    const bool address = FavoritesTree::isWebAddress(node);
    const bool group = FavoritesTree::isGroup(node);
    m_addressesAndGroups->setEnabled(address || group);
    for (QAction *a : {m_masterSendAddress, m_masterOpen, m_masterEmail})
        a->setEnabled(address);
    m_masterEditAddress->setEnabled(FavoritesTree::isFavoriteAddress(node));
    m_masterDeleteAddress->setEnabled(FavoritesTree::isFavoriteAddress(node));
    m_masterSendGroup->setEnabled(group);
    for (QAction *a : {m_masterInsert, m_masterEditGroup, m_masterDeleteGroup})
        a->setEnabled(FavoritesTree::isFavoriteGroup(node));
}

void FavoritesCommands::toggleAutoCollapse()
{
    m_c.settings.favoritesAutoCollapse = m_c.settings.favoritesAutoCollapse == 1 ? 0 : 1;
    applyAutoCollapse();
}

void FavoritesCommands::applyAutoCollapse()
{
    const int value = m_c.settings.favoritesAutoCollapse;
    if (value != 0 && value != 1)
        return;
    const bool on = value == 1;
    m_autoCollapse->setChecked(on);
    m_fullCollapse->setEnabled(!on);
    m_fullExpand->setEnabled(!on);
    m_c.view.setAutoExpand(on);
}

void FavoritesCommands::fullCollapse()
{
    if (!m_c.view.autoExpand())
        m_c.view.fullCollapse();
}

void FavoritesCommands::fullExpand()
{
    if (!m_c.view.autoExpand())
        m_c.view.fullExpand();
}

void FavoritesCommands::toggleSearch()
{
    m_search->setShown(!m_search->isShown());
    m_searchItem->setChecked(m_search->isShown());
}

void FavoritesCommands::newGroup()
{
    AddressNode *group = m_c.favorites.newGroup();
    if (!group)
        return;
    m_c.flags.favoritesEditText = group->caption();
    m_c.view.startEditing(group);
}

void FavoritesCommands::alphaSort()
{
    m_c.favorites.alphaSort();
}

void FavoritesCommands::showCalendar()
{
    ManagerPanel &panel = m_c.panel;
    QFrame *calendar = panel.pnCalendar;
    calendar->move(panel.pnFavorites->width() - calendar->width() - 12,
                   panel.addressesArea().top() + panel.pnFavTitle->height() + 6);
    const QDate today = m_c.dates.today();
    const QDate latest = m_c.dates.parseShortDate(m_c.settings.historyMaxDate);
    panel.HistoryCalendar->setMaximumDate(latest.isValid() && latest >= today ? latest : today);
    panel.HistoryCalendar->setSelectedDate(today);
    calendar->show();
    calendar->raise();
}

void FavoritesCommands::calendarDayClicked(QDate date)
{
    if (AddressNode *day = m_c.favorites.dateNode(m_c.dates.historyDateCaption(date)))
        m_c.view.select(day);
}

void FavoritesCommands::clearHistory()
{
    if (!m_c.favorites.historyRoot())
        return;
    if (!m_c.prompter.askConfirmation(QStringLiteral("Ready to clear the browser history?")))
        return;
    m_c.favorites.clearHistory();
    if (!m_c.dates.renewHistoryDates(m_c.settings))
        m_c.prompter.showInformation(QStringLiteral("Could not update the history dates."));
}

void FavoritesCommands::sendAddressToQueue()
{
    m_c.actions.sendAddressToQueue(selected());
}

void FavoritesCommands::openNow()
{
    m_c.actions.openNow(selected());
}

void FavoritesCommands::editWebAddress()
{
    if (FavoritesTree::isFavoriteAddress(selected()))
        m_c.view.startEditing(selected());
}

void FavoritesCommands::deleteWebAddress()
{
    AddressNode *node = selected();
    if (FavoritesTree::isFavoriteAddress(node)
        && m_c.prompter.askConfirmation(QStringLiteral("Delete the selected web address?")))
        m_c.favorites.tree().remove(node);
}

void FavoritesCommands::emailWebAddress()
{
    if (FavoritesTree::isWebAddress(selected()))
        m_c.actions.email(selected());
}

void FavoritesCommands::sendGroupToQueue()
{
    m_c.actions.sendGroupToQueue(selected());
}

void FavoritesCommands::insertWebAddress()
{
    if (AddressNode *address = m_c.favorites.insertWebAddress(selected()))
        m_c.view.startEditing(address);
}

void FavoritesCommands::editGroup()
{
    AddressNode *group = selected();
    if (!FavoritesTree::isFavoriteGroup(group))
        return;
    m_c.flags.favoritesEditText = group->caption();
    m_c.view.startEditing(group);
}

void FavoritesCommands::deleteGroup()
{
    AddressNode *group = selected();
    if (FavoritesTree::isFavoriteGroup(group)
        && m_c.prompter.askConfirmation(QStringLiteral("Delete the selected group?")))
        m_c.favorites.tree().remove(group);
}

bool FavoritesCommands::startEditing()
{
    AddressNode *node = selected();
    if (FavoritesTree::isFavoriteGroup(node)) {
        m_c.flags.favoritesEditText = node->caption();
        return m_c.view.startEditing(node);
    }
    if (FavoritesTree::isFavoriteAddress(node))
        return m_c.view.startEditing(node);
    return false;
}

void FavoritesCommands::finishEditing(AddressNode *node, const QString &typed)
{
    if (FavoritesTree::isFavoriteGroup(node))
        m_c.favorites.setCaption(node, m_c.favorites.groupCaptionAfterEdit(typed, m_c.flags.favoritesEditText));
    else if (FavoritesTree::isFavoriteAddress(node))
        m_c.favorites.setCaption(node, typed);
}

AddressNode *FavoritesCommands::dropOn(QTreeWidget *source, AddressNode *target)
{
    AddressNode *receiving = nullptr;
    if (source == m_c.view.widget()) {
        receiving = m_c.favorites.dropFromFavorites(m_c.view.selectedNode(), target);
    } else if (source == m_c.importsView.widget()) {
        AddressNode *dragged = m_c.importsView.selectedNode();
        if (AddressTree::getNodeKind(dragged) == AddressNodeKind::nkCurrentGridRoot) {
            if (AddressTree::getNodeKind(target) != AddressNodeKind::nkFavoritesRoot || !m_c.favorites.historyRoot())
                return nullptr;
            if (!m_c.gridToGroup || !m_c.gridToGroup()) {
                m_c.prompter.showInformation(QStringLiteral("Could not create a grid group."));
                return nullptr;
            }
            receiving = target;
        } else {
            receiving = m_c.favorites.dropFromImports(dragged, target);
        }
    }
    if (receiving)
        m_c.view.scrollTo(receiving);
    return receiving;
}

bool FavoritesCommands::acceptsDragFrom(QObject *source) const
{
    return source && (source == m_c.view.widget() || source == m_c.importsView.widget());
}

bool FavoritesCommands::eventFilter(QObject *watched, QEvent *event)
{
    TreeViewScroll *tree = m_c.panel.tvFavorites;
    if (watched == tree) {
        if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F2) {
            startEditing();
            return true;
        }
        return false;
    }
    if (watched != tree->viewport())
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!acceptsDragFrom(drag->source())) {
            drag->ignore();
            return true;
        }
        if (event->type() == QEvent::DragMove) {
            const int size = QFontInfo(tree->font()).pointSize();
            const int y = drag->position().toPoint().y();
            if (y < 2 * size)
                tree->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
            else if (tree->viewport()->height() - y < 3 * size)
                tree->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        }
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        auto *source = qobject_cast<QTreeWidget *>(drop->source());
        // The tree's own drop would move items behind the tree's back.
        if (acceptsDragFrom(source))
            dropOn(source, m_c.view.nodeAt(drop->position().toPoint()));
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        return true;
    }
    default:
        return false;
    }
}
