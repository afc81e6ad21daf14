#include "app/sessionkeeper.h"

#include "core/prompter.h"
#include "core/safesave.h"

SessionKeeper::SessionKeeper(BrowserGrid &grid, QString path, Prompter &prompter, QObject *parent)
    : QObject(parent), m_grid(grid), m_path(std::move(path)), m_prompter(prompter)
{
    connect(&m_timer, &QTimer::timeout, this, &SessionKeeper::saveNow);
}

void SessionKeeper::start(bool fileMatches, int intervalMs)
{
    m_written = GridSession::capture(m_grid);
    m_stale = !fileMatches;
    m_timer.start(intervalMs);
}

void SessionKeeper::stop()
{
    m_timer.stop();
}

void SessionKeeper::saveNow()
{
    const QList<GridSession::Pane> panes = GridSession::capture(m_grid);
    if (panes == m_written && !m_stale)
        return;
    const SafeSave::Outcome outcome = GridSession::save(m_path, panes);
    ++m_writes;
    if (outcome.ok) {
        m_written = panes;
        m_stale = false;
        m_failureTold = false;
        return;
    }
    m_stale = true; // tried again next round
    if (m_failureTold)
        return;
    m_failureTold = true;
    m_prompter.showInformation(SafeSave::failureMessage(QStringLiteral("the open panes"), m_path, outcome));
}
