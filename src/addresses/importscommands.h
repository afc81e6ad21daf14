#pragma once

#include "addresses/importstree.h"
#include "addresses/systemfavorites.h"

#include <QObject>
#include <QPointer>

class QThread;

class AddressActions;
class AddressNode;
class AddressSearchBar;
class AddressTreeView;
class BrowserGrid;
class CommandRegistry;
class FavoritesTree;
class FileDialogs;
class HistoryDates;
class ImportsTree;
class ManagerPanel;
class Prompter;
class QAction;
class QMenu;
struct RuntimeFlags;
struct Settings;

// The commands of the imports tree tvImports: its master menu
// (sbImportsMaster) and pop-ups, filling its three roots from the grid, the
// system favorites and the local files, and its search bar. Menu items are
// named as the favorites tree's are (command, then the menu without "pm").
class ImportsCommands : public QObject
{
    Q_OBJECT
public:
    struct Context
    {
        ImportsTree &imports;
        FavoritesTree &favorites;
        AddressTreeView &view;
        AddressTreeView &favoritesView; // where a grid group appears
        ManagerPanel &panel;
        AddressActions &actions;
        BrowserGrid &grid;
        const HistoryDates &dates;
        Settings &settings;
        RuntimeFlags &flags;
        Prompter &prompter;
        FileDialogs &dialogs;
        SystemFavorites::Sources sources;
    };

    ImportsCommands(Context context, CommandRegistry &commands, QObject *parent = nullptr);
    // Waits for a read of the system favorites still running.
    ~ImportsCommands() override;

    QMenu *masterMenu() const { return m_pmImportsMaster; }
    QMenu *popupFor(AddressNode *node);
    void prepareMasterMenu();
    AddressSearchBar *searchBar() const { return m_search; }

    // The open browsers and their addresses, in slot order.
    QList<ImportsTree::GridPane> gridPanes() const;
    QStringList gridAddresses() const;
    // FillCurrentGridNode: Current Grid emptied and filled afresh.
    bool fillCurrentGridNode();
    // "Refresh" of Current Grid.
    void refreshCurrentGrid();
    // Current Grid follows the browsers open now, keeping the nodes of
    // those that stay (and so the selection).
    void followCurrentGrid();
    // GridToGroup, and "Grid to Group" with its messages.
    bool gridToGroup();
    void gridToGroupCommand();
    // ReadSystemFavorites: the files are read on a thread of their own, so
    // the window keeps answering however large they are; when it ends, the
    // addresses go below "System Favorites" (on this thread), "Could not get
    // the system favorites." is shown when there were none, and one message
    // tells of any file refused or bookmarks left out. Then
    // systemFavoritesRead. Nothing starts while a read runs.
    void readSystemFavorites();
    bool readingSystemFavorites() const { return m_reader != nullptr; }
    void refreshSystemFavorites();
    // The sources of Local Files.
    void recursiveFolderSearch();
    void singleFolderSearch();
    void webSaves();
    void importAddressManagerFile();
    void clearLocalFiles();

    void toggleAutoCollapse();
    void applyAutoCollapse();
    void fullCollapse();
    void fullExpand();
    void toggleSearch();
    void sendAddressToQueue();
    void openNow();
    void emailWebAddress();
    void sendGroupToQueue();

signals:
    // A read of the system favorites ended; found: addresses were added.
    void systemFavoritesRead(bool found);

private:
    void systemFavoritesCollected(const SystemFavorites::Collected &collected);
    enum class Source { None, Recursive, Single, WebSaves, File };
    QAction *item(QMenu *menu, const char *name, const QString &text, void (ImportsCommands::*slot)());
    // Empties Local Files and moves the check mark to a source's items.
    void startLocalFiles(Source source);
    // The mark on the items of the source that filled Local Files last,
    // in every menu (a click checks an item by itself: this undoes it).
    void showSourceMarks();
    // A folder the user picks, trimmed; empty when cancelled or told to be
    // no folder.
    QString askFolder(const QString &title);

    Context m_c;
    CommandRegistry &m_commands;
    AddressSearchBar *m_search;
    QMenu *m_pmImportsMaster;
    QMenu *m_addressesAndGroups;
    QMenu *m_gridSub;
    QMenu *m_pmImportsSelectedGroup, *m_pmImportsSelectedAddress, *m_pmImportGrid, *m_pmImportSystem,
        *m_pmImportLocal;
    QAction *m_autoCollapse, *m_fullCollapse, *m_fullExpand, *m_searchItem;
    QAction *m_masterSendAddress, *m_masterOpen, *m_masterEmail, *m_masterSendGroup;
    QAction *m_gridRefresh, *m_gridToGroup;
    // The check-marked source items, master menu and pop-up.
    QList<QAction *> m_recursive, m_single, m_webSaves, m_file;
    Source m_source = Source::None;
    QThread *m_reader = nullptr;
};
