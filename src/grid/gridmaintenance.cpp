#include "grid/gridmaintenance.h"

#include "core/busycursor.h"
#include "core/eventwait.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "pane/pageoperations.h"

#include <QLocale>
#include <QScrollArea>
#include <QScrollBar>
#include <QWidget>

#include <stdexcept>

namespace {

// Lowers what an operation raised on every way out: the widgets, the
// suspension (the guard), the cursor (the guard) and the operation mark.
class Enabler
{
public:
    explicit Enabler(std::function<void(bool)> set) : m_set(std::move(set)) { m_set(false); }
    ~Enabler() { m_set(true); }
    Enabler(const Enabler &) = delete;
    Enabler &operator=(const Enabler &) = delete;

private:
    std::function<void(bool)> m_set;
};

} // namespace

GridMaintenance::GridMaintenance(BrowserGrid &grid, Settings &settings, RuntimeFlags &flags, Prompter &prompter,
                                 QObject *parent)
    : QObject(parent), m_grid(grid), m_settings(settings), m_flags(flags), m_prompter(prompter)
{
}

QString GridMaintenance::seconds(int browsers, int pauseMilliseconds)
{
    // The C locale: "0.9" in every language.
    return QLocale::c().toString(double(browsers) * pauseMilliseconds * 2 / 1000.0, 'g', 15);
}

QString GridMaintenance::defragEstimate() const
{
    const int n = m_flags.browserCount;
    return QStringLiteral("%1 browsers in use, this will take about %2sec.").arg(n).arg(seconds(n, m_flags.defragDelay));
}

QString GridMaintenance::cleanUpEstimate() const
{
    const int n = m_flags.browserCount;
    return QStringLiteral("%1 browsers to delete, this will take about %2sec.").arg(n).arg(seconds(n, m_flags.deleteDelay));
}

void GridMaintenance::setStatus(const QString &status)
{
    m_status = status;
    emit statusChanged(status);
}

void GridMaintenance::step()
{
    emit progressChanged(++m_progress, m_maximum);
}

void GridMaintenance::setWidgetsEnabled(bool enabled)
{
    for (const auto &w : m_disable)
        if (w)
            w->setEnabled(enabled);
}

void GridMaintenance::scrollToOrigin()
{
    m_grid.scrollBox()->horizontalScrollBar()->setValue(0);
    m_grid.scrollBox()->verticalScrollBar()->setValue(0);
}

bool GridMaintenance::defragment()
{
    const int n = m_flags.browserCount;
    // A single pane is never moved, and a full grid is not touched.
    if (n <= 1 || n >= 64) {
        setStatus(QStringLiteral("Nothing to defragment."));
        m_progress = 0;
        emit progressChanged(0, qMax(1, m_maximum));
        return false;
    }
    if (m_grid.operationRunning()) {
        setStatus(m_grid.waitMessage());
        m_prompter.showInformation(m_grid.waitMessage());
        return false;
    }
    if (!m_prompter.askConfirmation(QStringLiteral("Ready to defrag the grid?")))
        return false;
    bool finished = false;
    {
        BusyCursor busy;
        BackgroundSuspension suspended(m_flags);
        GridOperation operation(m_grid, QStringLiteral("defragment"));
        Enabler widgets([this](bool on) { setWidgetsEnabled(on); });
        m_progress = 0;
        m_maximum = 2 * n + 2;
        emit progressChanged(0, m_maximum);
        try {
            setStatus(QStringLiteral("Stopping all downloading..."));
            scrollToOrigin();
            for (int slot = 0; slot < GridModel::BrowserLimit; ++slot) {
                if (const QPointer<BrowserPane> pane = m_grid.pane(slot)) {
                    pane->pages().browserStop(m_settings.stopButton);
                    step();
                    EventWait::forMilliseconds(m_flags.defragDelay);
                }
            }
            setStatus(QStringLiteral("Freeing up old coordinates..."));
            step();
            m_grid.vacateAllCells();
            setStatus(QStringLiteral("Repositioning the browsers..."));
            int next = 0;
            for (int slot = 0; slot < GridModel::BrowserLimit; ++slot) {
                if (!m_grid.pane(slot))
                    continue;
                scrollToOrigin();
                m_grid.assignCell(slot, next);
                ++next;
                m_grid.scrollBox()->viewport()->update();
                emit m_grid.panesChanged();
                step();
                EventWait::forMilliseconds(m_flags.defragDelay);
            }
            // The count went wrong (a pane freed under the pauses): the grid
            // no longer matches its cells.
            if (next != m_flags.browserCount)
                throw std::runtime_error("inconsistent grid");
            m_grid.updateScrollRange();
            setStatus(QStringLiteral("Finished defragmenting."));
            step();
            emit m_grid.gridRearranged();
            finished = true;
        } catch (...) {
            finished = false;
        }
    }
    if (!finished)
        emit fatalError(QStringLiteral("Could not defragment to grid, closing Vorlan."));
    return finished;
}

bool GridMaintenance::cleanUp()
{
    const int n = m_flags.browserCount;
    if (n < 1) {
        setStatus(QStringLiteral("Nothing to clean up."));
        m_progress = 0;
        emit progressChanged(0, qMax(1, m_maximum));
        return false;
    }
    // A search steps through the panes with nested loops: the pane it works
    // on must not be freed under it.
    if (m_grid.operationRunning()) {
        setStatus(m_grid.waitMessage());
        m_prompter.showInformation(m_grid.waitMessage());
        return false;
    }
    if (!m_prompter.askConfirmation(QStringLiteral("Ready to clean up the grid?")))
        return false;
    bool finished = false;
    {
        BusyCursor busy;
        BackgroundSuspension suspended(m_flags);
        GridOperation operation(m_grid, QStringLiteral("clean up"));
        Enabler widgets([this](bool on) { setWidgetsEnabled(on); });
        scrollToOrigin();
        m_progress = 0;
        m_maximum = 2 * n + 2;
        emit progressChanged(0, m_maximum);
        try {
            setStatus(QStringLiteral("Stopping all downloading..."));
            for (int slot = 0; slot < GridModel::BrowserLimit; ++slot) {
                if (const QPointer<BrowserPane> pane = m_grid.pane(slot)) {
                    pane->closeBrowserPane();
                    step();
                    EventWait::forMilliseconds(m_flags.deleteDelay);
                }
            }
            setStatus(QStringLiteral("Freeing up old coordinates..."));
            step();
            m_grid.vacateAllCells();
            setStatus(QStringLiteral("Deleteing the browsers..."));
            for (int slot = 0; slot < GridModel::BrowserLimit; ++slot) {
                if (!m_grid.pane(slot))
                    continue;
                m_grid.freePane(slot);
                m_grid.scrollBox()->viewport()->update();
                step();
                EventWait::forMilliseconds(m_flags.deleteDelay);
            }
            setStatus(QStringLiteral("Finished Cleaning up."));
            step();
            m_flags.browserCount = 0;
            m_flags.activeBrowser = NoIndex;
            emit m_grid.activeBrowserDeleted();
            emit m_grid.gridRearranged();
            emit estimatesChanged(QStringLiteral("0 browsers in use, this will take about 0sec."),
                                  QStringLiteral("0 browsers to clean up, this will take about 0sec."));
            finished = true;
        } catch (...) {
            finished = false;
        }
    }
    if (!finished)
        emit fatalError(QStringLiteral("Could not clean up the grid, closing Vorlan."));
    return finished;
}
