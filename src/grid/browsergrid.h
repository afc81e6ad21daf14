#pragma once

#include "grid/gridmodel.h"
#include "pane/browserpane.h"
#include "pane/panehost.h"

#include <QObject>
#include <QPointer>
#include <QScrollArea>
#include <QStringList>

#include <array>
#include <functional>

class PaneLook;
class Prompter;

struct RuntimeFlags;
struct Settings;

// How OpenAddressInNewBrowser opens its address: as the active browser, as
// a queued pane that stays in the background, or as a search term for the
// search engine's address.
enum class BrowserType { btNormal, btQueue, btSearchEngine };

// The browser grid: the 64 pane slots (Browsers) over the 8 x 8 cells,
// creating panes in the first vacant cell, laying them out, deleting the
// active one and freeing them all. It is also the window the panes talk to.
class BrowserGrid : public QObject, public PaneHost
{
    Q_OBJECT
public:
    // sbMainGrid: the scroll box that holds the panes; pnMainGrid: the panel
    // around it, hidden while the grid is laid out; look: how panes look.
    BrowserGrid(Settings &settings, RuntimeFlags &flags, Prompter &prompter, const PaneLook &look,
                QScrollArea *sbMainGrid, QWidget *pnMainGrid, QObject *parent = nullptr);
    ~BrowserGrid() override;

    bool layoutGrid(bool resetVacancy);
    // The automatic browser size for a window of this size (from the scroll
    // box's own size), and the grid laid out again for it.
    bool autoSizeBrowsers(QSize window);
    bool openAddressInNewBrowser(const QString &address, BrowserType browserType);
    // The search engine's address for a term (the term encoded as one value).
    QString searchAddress(const QString &term) const;
    int openEmptyBrowser() override;
    bool deleteActiveBrowser();
    void closeAllBrowsers();

    const GridModel &model() const { return m_model; }
    GridModel &model() { return m_model; }
    BrowserPane *pane(int browserNo) const;
    BrowserPane *activePane() const;
    // The pane standing in a cell, or null.
    BrowserPane *paneInCell(int cellIndex) const;
    QWidget *gridContent() const { return m_content; }
    QScrollArea *scrollBox() const { return m_scrollBox; }
    // Moves a pane to the place of its cell (the cell's grid coordinates).
    void placePane(BrowserPane *pane);
    // Moves a pane into a vacant cell: the old cell becomes vacant, the pane
    // takes the new cell's number and place. False when the cell is not
    // vacant or there is no such pane.
    bool movePaneToCell(int browserNo, int cellIndex);
    // For packing the grid: every cell vacant, then each pane given its new
    // cell (taken, numbered and placed) without touching the others.
    void vacateAllCells();
    bool assignCell(int browserNo, int cellIndex);
    // Frees one pane (after its CloseBrowserPane and delay): its control, the
    // pane, its slot, its cell; one browser fewer.
    bool freePane(int browserNo);

    // A long grid-wide operation (search, defragment, clean up) is running:
    // it steps through the panes with nested event loops, so no pane is made
    // or deleted meanwhile, and the window holds a close until it ends. name
    // says what runs ("search"), for the text that asks the user to wait.
    void beginOperation(const QString &name = QStringLiteral("grid operation"));
    void endOperation();
    bool operationRunning() const { return m_operations > 0; }
    // "Wait until the search has finished." for the operation that runs.
    QString waitMessage() const;
    // Who is heard, by "pane sound": every pane, the active pane only or no
    // pane; a pane's Ctrl+M word (its soundOverride) goes over the rule.
    void applyPaneSound();
    // The choice changed: every pane's Ctrl+M word is dropped, then applied.
    void resetPaneSound();
    // Ctrl+M: the active pane muted if it is heard, heard if it is muted.
    // False when there is no active pane.
    bool toggleActivePaneMute();
    // The active pane makes sound that is heard.
    bool activePaneSounding() const;

    // Scroll range follows the panes: the content is as large as the panes
    // reach.
    void updateScrollRange();

    // Seams set by the window (and tests).
    void setControlFactory(BrowserPane::ControlFactory factory) { m_controlFactory = std::move(factory); }
    void setKeyboardStateReader(std::function<Qt::KeyboardModifiers()> reader) { m_keyboardState = std::move(reader); }
    void setScannerRunningReader(std::function<bool()> reader) { m_scannerRunning = std::move(reader); }
    // "Search on download": what the grid search has set up.
    void setSearchOnDownloadSource(std::function<SearchOnDownload()> source) { m_searchOnDownload = std::move(source); }
    // Fills the select-browser list again (after a queued or pop-up pane).
    void setSelectListFiller(std::function<bool()> filler) { m_fillSelectList = std::move(filler); }
    // Widgets disabled while a pane is being deleted.
    void setWidgetsDisabledDuringDelete(QList<QPointer<QWidget>> widgets) { m_disableDuringDelete = std::move(widgets); }

    // PaneHost
    bool activateBrowser(int browserNo) override;
    BrowserControl *browserControl(int browserNo) const override;
    void addToHistory(const QString &address) override;
    void setBrowserInfo(const QString &text) override;
    void setActiveIP(const QString &text) override;
    Prompter &prompter() const override { return m_prompter; }
    int popUpBrowserSetting() const override;
    Qt::KeyboardModifiers keyboardModifiers() const override;
    bool scannerRunning() const override;
    SearchOnDownload searchOnDownload() const override;
    bool clickActivatesPane() const override;

signals:
    // An address a pane reached for the first time (for the History tree).
    void historyAddressReached(const QString &address);
    void browserInfoChanged(const QString &text);
    void activeIPChanged(const QString &text);
    // A pane became the active browser; the window follows with its list,
    // address bar and map.
    void browserActivated(int browserNo);
    // The active pane was deleted: the window clears its labels and lists.
    void activeBrowserDeleted();
    // The set of panes changed (a pane was made or freed).
    void panesChanged();
    // The panes were packed into other cells: lists built from the old
    // places are stale.
    void gridRearranged();
    // The last long operation ended.
    void operationsFinished();
    // A pane began or stopped making sound, or was muted or heard again.
    void paneSoundChanged(int browserNo);
    // A pane's page stopped or began again to answer.
    void paneRespondingChanged(int browserNo);
    // The active pane began or stopped making sound that is heard (or
    // another pane became the active one).
    void activePaneSoundingChanged(bool sounding);
    // The address shown in the active pane changed (a link, Back, Forward,
    // a redirect).
    void activeAddressChanged(const QString &address);

private:
    // A free slot and a vacant cell, and no delete under way.
    bool hasRoom() const;
    // Creates a pane in the lowest free slot and vacant cell (steps shared by
    // the two open operations); NoIndex when there is no room.
    int createPane();
    bool shouldMute(const BrowserPane *pane) const;
    void updateActiveSounding();

    Settings &m_settings;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    const PaneLook &m_look;
    QPointer<QScrollArea> m_scrollBox;
    QPointer<QWidget> m_pnMainGrid;
    QWidget *m_content;
    GridModel m_model;
    std::array<QPointer<BrowserPane>, GridModel::BrowserLimit> m_browsers{};
    QStringList m_operationNames; // the running operations, first begun first
    BrowserPane::ControlFactory m_controlFactory;
    std::function<Qt::KeyboardModifiers()> m_keyboardState;
    std::function<bool()> m_scannerRunning;
    std::function<bool()> m_fillSelectList;
    QList<QPointer<QWidget>> m_disableDuringDelete;
    bool m_deleting = false;
    int m_operations = 0;
    bool m_activeSounding = false;
    std::function<SearchOnDownload()> m_searchOnDownload;
};

// Marks a long grid operation for a scope, ended on every way out.
class GridOperation
{
public:
    explicit GridOperation(BrowserGrid &grid, const QString &name = QStringLiteral("grid operation")) : m_grid(grid)
    {
        m_grid.beginOperation(name);
    }
    ~GridOperation() { m_grid.endOperation(); }
    GridOperation(const GridOperation &) = delete;
    GridOperation &operator=(const GridOperation &) = delete;

private:
    BrowserGrid &m_grid;
};
