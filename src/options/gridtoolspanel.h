#pragma once

#include "options/resourcefigures.h"

#include <QFrame>

#include <functional>
#include <memory>

class BrowserGrid;
class CommandRegistry;
class DropDownComboBox;
class Gauge;
class GridMaintenance;
class GridSearch;
class OverlayPanels;
class Prompter;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class Shell;
class SkinButton;
class SystemInfo;
struct RuntimeFlags;

// The grid tools panel (pnGridTools, 404 x 316): the "Browser Search" page
// over the grid search, the " Defrag && Clean Up " page over the grid
// maintenance, the "Resources" page with the browser and memory gauges, and
// the "Audio" page, which the window brings.
class GridToolsPanel : public QFrame
{
    Q_OBJECT
public:
    // Registers skGridTools, which opens the panel.
    GridToolsPanel(BrowserGrid &grid, GridSearch &search, GridMaintenance &maintenance, RuntimeFlags &flags,
                   Prompter &prompter, Shell &shell, OverlayPanels &overlays, CommandRegistry &commands,
                   SkinButton *skGridTools, const SystemInfo &system, QWidget *window);
    ~GridToolsPanel() override;

    // The audio page and what to do when it is chosen.
    void setAudioPage(QWidget *page, std::function<void()> chosen);

    // skGridTools: opens the panel on its first page, or says the window is
    // too small.
    void open();
    // The resources page's figures, shown; false when they could not be read.
    bool refreshResources();
    static constexpr QSize PanelSize{404, 316};

    QTabWidget *pcGridTools;
    QComboBox *cbSearchTextList, *cbSearchColor;
    QPushButton *btnStartSearch, *btnResetResultList, *btnDefragGrid, *btnCleanUpGrid, *btnRefreshResources;
    // The two Close buttons: the bottom strip's and the "Resources" page's.
    QPushButton *btnCloseGridTools, *btnCloseResources;
    QCheckBox *cbSearchDownloaded, *cbProximate;
    QLabel *Label31, *Label28, *Label8, *Label48;
    QProgressBar *puBrowserSearch, *puDefragCleanUp;
    DropDownComboBox *cbSearchResultList;
    Gauge *guBrowsers, *guRAM, *guSwap, *guVorlan;
    QLabel *Label33, *Label43, *Label34, *Label40, *Label45, *Label38, *Label41, *Label46, *Label39, *Label44,
        *Label36, *Label35;

    // The highlight colours of cbSearchColor, by name.
    static const QList<QPair<QString, QColor>> &searchColours();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildSearchPage();
    QWidget *buildMaintenancePage();
    QWidget *buildResourcesPage();
    void rememberSearchText();
    // Enter in cbSearchTextList: the search, unless the text is blank.
    void enterInSearchText();
    void startSearch();
    void fillResults();
    void pageChanged(int index);

    BrowserGrid &m_grid;
    GridSearch &m_search;
    GridMaintenance &m_maintenance;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    Shell &m_shell;
    OverlayPanels &m_overlays;
    const SystemInfo &m_system;
    QWidget *m_window;
    QWidget *m_audioPage = nullptr;
    std::function<void()> m_audioChosen;
};
