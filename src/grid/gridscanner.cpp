#include "grid/gridscanner.h"

#include "appearance/widgets/skinbutton.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsercommands.h"
#include "grid/browsergrid.h"
#include "pane/pageoperations.h"

#include <QAction>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

GridScanner::GridScanner(BrowserGrid &grid, Settings &settings, RuntimeFlags &flags, Prompter &prompter,
                         CommandRegistry &commands, SkinButton *skScanner, QObject *parent)
    : QObject(parent), m_grid(grid), m_settings(settings), m_flags(flags), m_prompter(prompter), m_button(skScanner),
      m_scanner(new QTimer(this)), m_refresher(new QTimer(this))
{
    m_scanner->setObjectName(QStringLiteral("tmScanner"));
    m_refresher->setObjectName(QStringLiteral("tmRefresher"));
    m_refresher->setInterval(18000);
    m_button->setLatching(true);
    connect(m_button->registerCommand(commands), &QAction::triggered, this, &GridScanner::toggle);
    connect(m_scanner, &QTimer::timeout, this, &GridScanner::scannerTick);
    connect(m_refresher, &QTimer::timeout, this, &GridScanner::refresherTick);
    // The period is shared among the panes there are now.
    connect(&grid, &BrowserGrid::panesChanged, this, [this] {
        if (m_refresher->isActive())
            m_refresher->setInterval(refresherInterval(m_settings.scannerRefreshInterval, m_flags.browserCount));
    });
    setIntervals();
}

int GridScanner::scannerInterval(int speed)
{
    static constexpr int Intervals[] = {1000, 5000, 10000, 20000, 30000};
    return speed >= 0 && speed < 5 ? Intervals[speed] : 5000;
}

int GridScanner::refresherInterval(int refreshSetting, int browsers)
{
    static constexpr int Periods[] = {300, 600, 1200, 1800};
    if (refreshSetting < 0 || refreshSetting > 3 || browsers < 1)
        return 18000;
    return Periods[refreshSetting] / browsers * 1000;
}

bool GridScanner::running() const
{
    return m_scanner->isActive();
}

void GridScanner::setIntervals()
{
    m_scanner->setInterval(scannerInterval(m_settings.scannerSpeed));
    m_refresher->setInterval(refresherInterval(m_settings.scannerRefreshInterval, m_flags.browserCount));
}

void GridScanner::resetPanes(bool silent)
{
    for (int n = 0; n < GridModel::BrowserLimit; ++n) {
        if (BrowserPane *pane = m_grid.pane(n)) {
            pane->setRefreshedThisCycle(false);
            pane->control()->setSilent(silent);
        }
    }
}

void GridScanner::toggle()
{
    if (running()) {
        stop();
        return;
    }
    if (m_flags.browserCount < 1) {
        m_button->setDown(false);
        m_prompter.showInformation(QStringLiteral("Nothing in the grid to scan."));
        return;
    }
    // The whole grid in view: there is nothing to scroll to.
    const QScrollArea *box = m_grid.scrollBox();
    if (box->horizontalScrollBar()->maximum() <= 0 && box->verticalScrollBar()->maximum() <= 0) {
        m_button->setDown(false);
        return;
    }
    if (!start()) {
        stop();
        m_prompter.showInformation(QStringLiteral("Could not start the grid scanner."));
    }
}

bool GridScanner::start()
{
    try {
        setIntervals();
        m_button->setDown(true);
        m_scanner->start();
        if (m_settings.scannerRefreshInterval != NoRefresh) {
            resetPanes(true);
            m_refresher->start();
        }
        return true;
    } catch (...) {
        m_scanner->stop();
        m_refresher->stop();
        m_button->setDown(false);
        resetPanes(false);
        return false;
    }
}

void GridScanner::stop()
{
    const bool refreshing = m_refresher->isActive();
    m_scanner->stop();
    m_refresher->stop();
    m_button->setDown(false);
    // "Do not use refresh" left the panes' silence as it was.
    if (refreshing)
        resetPanes(false);
}

void GridScanner::settingsChanged()
{
    if (!running()) {
        setIntervals();
        return;
    }
    stop();
    start();
}

void GridScanner::scannerTick()
{
    if (m_flags.suspendScanner)
        return;
    if (m_flags.browserCount < 1) {
        stop();
        return;
    }
    const BrowserPane *active = m_grid.activePane();
    const int cell = BrowserCommands::stepCell(
        active ? active->cellIndex : 0, true, [this](int c) { return !m_grid.model().cell(c).vacant; },
        [this](int c) {
            BrowserPane *pane = m_grid.paneInCell(c);
            return pane && pane->selectBrowser(true);
        });
    if (cell == NoIndex)
        stop();
}

void GridScanner::refresherTick()
{
    // A search, a defragment or the boss button holds the pages still.
    if (m_flags.suspendScanner)
        return;
    try {
        bool allDone = true;
        for (int n = 0; n < GridModel::BrowserLimit; ++n)
            if (BrowserPane *pane = m_grid.pane(n); pane && !pane->refreshedThisCycle())
                allDone = false;
        if (allDone)
            for (int n = 0; n < GridModel::BrowserLimit; ++n)
                if (BrowserPane *pane = m_grid.pane(n))
                    pane->setRefreshedThisCycle(false);
        for (int n = 0; n < GridModel::BrowserLimit; ++n) {
            if (BrowserPane *pane = m_grid.pane(n); pane && !pane->refreshedThisCycle()) {
                pane->pages().refreshOnce();
                break;
            }
        }
    } catch (...) {
    }
}
