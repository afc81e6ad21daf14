#pragma once

#include "grid/gridsession.h"

#include <QObject>
#include <QString>
#include <QTimer>

class BrowserGrid;
class Prompter;

// Keeps the session file in step with the open panes while the program
// runs, so a crash or a kill loses at most the last few seconds: every
// interval the panes are taken down and, when they differ from what was
// last written, written (safely). A failed write is told once, until a
// write succeeds again.
class SessionKeeper : public QObject
{
    Q_OBJECT
public:
    static constexpr int Interval = 5000;

    SessionKeeper(BrowserGrid &grid, QString path, Prompter &prompter, QObject *parent = nullptr);

    // Starts keeping. fileMatches: the file holds the panes open now (they
    // were just restored from it); otherwise the first round writes it.
    void start(bool fileMatches, int intervalMs = Interval);
    void stop();
    // Writes the panes now if they differ from the file (the close).
    void saveNow();
    int writes() const { return m_writes; }

private:
    BrowserGrid &m_grid;
    QString m_path;
    Prompter &m_prompter;
    QTimer m_timer;
    QList<GridSession::Pane> m_written;
    bool m_stale = true;
    bool m_failureTold = false;
    int m_writes = 0;
};
