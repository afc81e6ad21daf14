#pragma once

#include "addresses/addressqueue.h"
#include "addresses/historydates.h"
#include "addresses/systemfavorites.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class AddressActions;
class AddressIcons;
class AddressTree;
class AddressTreeView;
class BrowserGrid;
class CommandRegistry;
class FavoritesCommands;
class FavoritesTree;
class FileDialogs;
class GridFeatures;
class ImportsCommands;
class ImportsTree;
class ManagerPanel;
class OverlayPanels;
class Prompter;
class QScrollArea;
class QueueArea;
class Shell;
class ShadowLabel;
class SkinButton;
struct RuntimeFlags;
struct Settings;

// The clock, the date format and where the system favorites are, for the
// address manager; tests fix them.
struct AddressManagerEnvironment
{
    QLocale locale = QLocale::system();
    std::function<QDateTime()> now; // default: the system clock
    SystemFavorites::Sources sources = SystemFavorites::Sources::system();
};

// The web address manager: the favorites tree (Favorites and History) and
// its file "webaddresses.wam", the imports tree (Current Grid, System
// Favorites, Local Files), the address queue with its timer tmQueue, and
// the panel pnManager that shows them, opened by skManager.
class AddressManager : public QObject
{
    Q_OBJECT
public:
    static const QString TooSmallMessage; // "Resize, window is to small to show the address manager panel."

    // What the manager needs of the main window.
    struct Parts
    {
        QWidget *window;          // MN: holds pnManager
        QScrollArea *sbMainGrid;  // the panel's sizes follow the grid's client area
        QWidget *pnMaster, *pnTop, *pnControls, *pnGridTop; // the maximised panel's top
        SkinButton *skManager;
        ShadowLabel *laQueue;     // the corner label of the queue
    };

    // Registers skManager and every menu item of the panel under its name,
    // and records every address a pane reaches in History.
    AddressManager(Settings &settings, RuntimeFlags &flags, Prompter &prompter, Shell &shell, FileDialogs &dialogs,
                   CommandRegistry &commands, OverlayPanels &overlays, BrowserGrid &grid, Parts parts,
                   AddressManagerEnvironment environment = {}, QObject *parent = nullptr);
    ~AddressManager() override;

    // How long after a change of the favorites tree the file is written.
    static constexpr int SaveDelay = 5000;

    // Start-up step 6, once the settings are read: the queue takes the
    // stored delay and open type; the address manager file is loaded (a
    // damaged one is salvaged with its message: the start-up always goes
    // on), then the history retention applied ("Could not clear browser
    // history." when that fails). Always true.
    bool startUp();
    // LoadAddressManagerFile and ApplyHistoryRetention one by one.
    bool loadAddressManagerFile();
    bool applyHistoryRetention();
    // At shut-down, before the settings are saved: tmQueue off.
    void stopQueueTimer();
    // SaveAddressManagerFile, now: at shut-down, and SaveDelay after the
    // first change since the last write (later changes do not push it back,
    // so a stream of changes is still written every SaveDelay). A failure
    // is told once (SafeSave's message), until a save succeeds again.
    // Nothing is written before the file was loaded.
    bool saveAddressManagerFile();
    // Marks the favorites tree changed: the save timer starts unless it runs.
    void scheduleSave();
    const QTimer &saveTimer() const { return m_saveTimer; }
    // Writes done, successful or not (for tests).
    int saveAttempts() const { return m_saveAttempts; }
    QString fileName() const;

    // For the options panel: new retention dates after the retention
    // changed (false when they could not be set).
    bool renewHistoryDates();

    // OpenNextQueuedAddress, the controller's "Browser • open": the queue's
    // head in a new active browser, in open type 1 only. When the grid is
    // full the head stays, and GridLimitMessage is shown when "user prompts"
    // is 1.
    AddressQueue::OpenResult openNextQueuedAddress();
    // UpdateQueueControllerStatus's texts for Label70 and Label71.
    void setQueueControllerStatus(const QString &status, const QString &openButton);

    // The grid's features that make favorites: the address bar's
    // Ctrl+double-click group and the file tools' "Save to Favorite Group".
    void attachGridFeatures(GridFeatures &features);
    // For the address bar's Ctrl+double-click: a group "AB • <date time>"
    // made of the bar's list.
    std::function<bool(const QStringList &)> addressBarGroupMaker();
    // For "Save to Favorite Group": the groups, and an address added to one.
    QStringList favoriteGroups() const;
    bool insertIntoFavoriteGroup(const QString &group, const QString &address);

    // AddToHistory: an address a pane reached.
    void addToHistory(const QString &address);

    // skManager: the panel opened (when it is not open).
    void openManagerPanel();
    // The grid's panes were opened or closed (BrowserGrid::panesChanged):
    // while the panel is open, its Current Grid follows them, and the
    // address each pane goes to.
    void gridPanesChanged();
    // SizeManagerPanel: 1 the minimised panel, 2 the maximised one; the
    // mode is kept for the next opening. False when the window is too small.
    bool sizeManagerPanel(int mode);

    ManagerPanel *panel() const { return m_panel; }
    AddressTree &favoritesTree() const { return *m_favoritesTree; }
    AddressTree &importsTree() const { return *m_importsTree; }
    FavoritesTree &favorites() const { return *m_favorites; }
    ImportsTree &imports() const { return *m_imports; }
    AddressQueue &queue() const { return *m_queue; }
    AddressTreeView &favoritesView() const { return *m_favoritesView; }
    AddressTreeView &importsView() const { return *m_importsView; }
    FavoritesCommands &favoritesCommands() const { return *m_favoritesCommands; }
    ImportsCommands &importsCommands() const { return *m_importsCommands; }
    QueueArea &queueArea() const { return *m_queueArea; }
    const HistoryDates &dates() const { return m_dates; }

signals:
    // The queue's controller labels want their texts (UpdateQueueControllerStatus):
    // when the panel opens and when "Open By Direct Input" is chosen.
    void queueControllerStatusRequested();
    // The address manager file was written (true) or a write failed (false).
    void fileSaved(bool ok);

private:
    void followGrid();
    void openHelp();
    void resizeFromButton(int mode);

    Settings &m_settings;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    Shell &m_shell;
    OverlayPanels &m_overlays;
    BrowserGrid &m_grid;
    Parts m_parts;
    HistoryDates m_dates;
    std::unique_ptr<AddressIcons> m_icons;
    AddressTree *m_favoritesTree;
    AddressTree *m_importsTree;
    std::unique_ptr<FavoritesTree> m_favorites;
    std::unique_ptr<ImportsTree> m_imports;
    AddressQueue *m_queue;
    std::unique_ptr<AddressActions> m_actions;
    QPointer<ManagerPanel> m_panel;
    AddressTreeView *m_favoritesView;
    AddressTreeView *m_importsView;
    FavoritesCommands *m_favoritesCommands;
    ImportsCommands *m_importsCommands;
    QueueArea *m_queueArea;
    QTimer m_saveTimer;
    bool m_loaded = false;       // the file was read: saving may begin
    bool m_loading = false;      // the tree changes because it is being read
    bool m_saveHeld = false;     // a damaged original could not be set aside
    bool m_failureShown = false; // the last failure was told; not again until a save works
    int m_saveAttempts = 0;
};
