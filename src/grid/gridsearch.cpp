#include "grid/gridsearch.h"

#include "core/busycursor.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "grid/browsergrid.h"
#include "grid/selectbrowserlist.h"
#include "pane/pageoperations.h"

#include <QCoreApplication>
#include <QPointer>

GridSearch::GridSearch(BrowserGrid &grid, RuntimeFlags &flags, Prompter &prompter, QObject *parent)
    : QObject(parent), m_grid(grid), m_flags(flags), m_prompter(prompter)
{
}

SearchOnDownload GridSearch::searchOnDownload() const
{
    return {m_onDownload ? m_text : QString(), m_colour, m_proximate};
}

void GridSearch::setStatus(const QString &status)
{
    m_status = status;
    emit statusChanged(status);
}

bool GridSearch::search()
{
    if (m_text.trimmed().isEmpty())
        return false;
    if (m_flags.browserCount < 1) {
        setStatus(QStringLiteral("Nothing to search on."));
        return false;
    }
    // One grid-wide operation at a time (a search started from the
    // controller or a second Enter while the first runs).
    if (m_grid.operationRunning()) {
        setStatus(m_grid.waitMessage());
        return false;
    }
    BusyCursor busy;
    BackgroundSuspension suspended(m_flags);
    // No pane is made or freed by the grid while the pages are searched.
    GridOperation operation(m_grid, QStringLiteral("search"));
    const int total = m_flags.browserCount;
    int done = 0;
    emit progressChanged(0, total);
    setStatus(QStringLiteral("Searching, Please wait...."));
    const QString colour = PageOperations::colourText(m_colour);
    for (int n = 0; n < GridModel::BrowserLimit; ++n) {
        // Held weakly: a pane that went away while an earlier page answered
        // is skipped.
        const QPointer<BrowserPane> pane = m_grid.pane(n);
        if (!pane || pane->closing())
            continue;
        setStatus(QStringLiteral("Searching: %1").arg(pane->cellIndex));
        // Each page answers in its own time; the window goes on meanwhile.
        pane->pages().highlightText(m_text, colour, m_proximate);
        emit progressChanged(++done, total);
    }
    emit resultsChanged();
    setStatus(QStringLiteral("Finished."));
    return true;
}

QList<GridSearch::Result> GridSearch::results() const
{
    QList<Result> list;
    for (int cell = 0; cell < GridModel::CellCount; ++cell) {
        for (int n = 0; n < GridModel::BrowserLimit; ++n) {
            BrowserPane *pane = m_grid.pane(n);
            if (pane && pane->cellIndex == cell && pane->hasHighlights()) {
                list.append({n, QString::number(cell) + SelectBrowserList::Bullet + pane->control()->locationUrl()});
                break;
            }
        }
    }
    return list;
}

bool GridSearch::selectResult(int browserNo)
{
    BrowserPane *pane = m_grid.pane(browserNo);
    if (!pane)
        return false;
    if (!pane->selectBrowser(true)) {
        m_prompter.showInformation(QStringLiteral("Could not select browser."));
        return false;
    }
    return true;
}

void GridSearch::reset()
{
    setStatus(QStringLiteral("Stopped"));
    emit progressChanged(0, qMax(1, m_flags.browserCount));
    m_text.clear();
    for (int n = 0; n < GridModel::BrowserLimit; ++n)
        if (BrowserPane *pane = m_grid.pane(n))
            pane->pages().clearHighlight();
    emit resultsChanged();
}
