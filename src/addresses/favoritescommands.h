#pragma once

#include <QObject>

#include <functional>

class AddressActions;
class AddressNode;
class AddressSearchBar;
class AddressTreeView;
class CommandRegistry;
class FavoritesTree;
class HistoryDates;
class ManagerPanel;
class Prompter;
class QAction;
class QMenu;
class QTreeWidget;
struct RuntimeFlags;
struct Settings;

// The commands of the favorites tree tvFavorites: its master menu
// (sbFavoritesMaster) and the pop-ups by node kind, in-place editing, the
// search bar, the history calendar and what a drop on the tree does.
//
// Menu items are named after their command and the menu that holds them,
// without the "pm": "NewGroupFavoritesMaster" in pmFavoritesMaster,
// "NewGroupFavoritesFavorites" in pmFavoritesFavorites.
class FavoritesCommands : public QObject
{
    Q_OBJECT
public:
    struct Context
    {
        FavoritesTree &favorites;
        AddressTreeView &view;
        AddressTreeView &importsView; // the other source of drops
        ManagerPanel &panel;
        AddressActions &actions;
        const HistoryDates &dates;
        Settings &settings;
        RuntimeFlags &flags;
        Prompter &prompter;
        std::function<bool()> gridToGroup; // the Current Grid root dropped on Favorites
    };

    FavoritesCommands(Context context, CommandRegistry &commands, QObject *parent = nullptr);

    QMenu *masterMenu() const { return m_pmFavoritesMaster; }
    // The pop-up for a node's kind, set up for it; null for none.
    QMenu *popupFor(AddressNode *node);
    // The master menu set up for the selection.
    void prepareMasterMenu();
    AddressSearchBar *searchBar() const { return m_search; }

    // "Auto Collapse && Expand": the stored setting toggled, then applied.
    void toggleAutoCollapse();
    // The stored setting applied to the menu and the tree (1 on, 0 off,
    // anything else changes nothing).
    void applyAutoCollapse();
    void fullCollapse();
    void fullExpand();
    void toggleSearch();
    void newGroup();
    void alphaSort();
    void showCalendar();
    // A day clicked in the calendar: its date node selected, when there is one.
    void calendarDayClicked(QDate date);
    void clearHistory();
    void sendAddressToQueue();
    void openNow();
    void editWebAddress();
    void deleteWebAddress();
    void emailWebAddress();
    void sendGroupToQueue();
    void insertWebAddress();
    void editGroup();
    void deleteGroup();
    // F2: in-place editing of a favorite address or group; refused for
    // any other node.
    bool startEditing();
    // What an accepted edit does to a node.
    void finishEditing(AddressNode *node, const QString &typed);

    // A drop of the selected node of source on target: the receiving node,
    // or null when the drop was refused.
    AddressNode *dropOn(QTreeWidget *source, AddressNode *target);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *item(QMenu *menu, const char *name, const QString &text, void (FavoritesCommands::*slot)());
    AddressNode *selected() const;
    bool acceptsDragFrom(QObject *source) const;

    Context m_c;
    CommandRegistry &m_commands;
    AddressSearchBar *m_search;
    QMenu *m_pmFavoritesMaster;
    QMenu *m_addressesAndGroups;
    QMenu *m_pmFavoritesFavorites;
    QMenu *m_pmFavoritesHistory;
    QMenu *m_pmFavoritesGroupSelected;
    QMenu *m_pmFavoritesAddressSelected;
    QAction *m_autoCollapse;
    QAction *m_fullCollapse;
    QAction *m_fullExpand;
    QAction *m_searchItem;
    // Items whose enabling follows the selection, by menu.
    QAction *m_masterSendAddress, *m_masterOpen, *m_masterEditAddress, *m_masterDeleteAddress, *m_masterEmail;
    QAction *m_masterSendGroup, *m_masterInsert, *m_masterEditGroup, *m_masterDeleteGroup;
    QAction *m_rootAlphaSort, *m_historyCalendar, *m_historyClear;
    QAction *m_groupInsert, *m_groupEdit, *m_groupDelete;
    QAction *m_addressEdit, *m_addressDelete;
};
