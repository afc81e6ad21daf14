#pragma once

#include "grid/gridmodel.h"

#include <QElapsedTimer>
#include <QObject>

#include <array>

class BrowserGrid;
class QTimer;
struct Settings;

// Keeps a full grid light: a pane out of the scroll box's view is frozen
// after a short while and, when "pages out of view" says so, discarded after
// a longer one. A pane in view, the active pane and a pane that is heard
// playing sound stay live. Anything that needs a page (search, preview,
// save, print, the refresher) wakes it through its control.
class PageLifecycle : public QObject
{
    Q_OBJECT
public:
    enum Choice { KeepAllLive = 0, FreezeOutOfView = 1, DiscardOutOfView = 2 };
    // How long a pane is out of view before it is frozen or discarded.
    static constexpr int FreezeAfterMs = 10 * 1000;
    static constexpr int DiscardAfterMs = 5 * 60 * 1000;
    // How often the grid is looked over.
    static constexpr int CheckIntervalMs = 1000;

    PageLifecycle(BrowserGrid &grid, const Settings &settings, QObject *parent = nullptr);

    // Looks the grid over now: panes in view live at once, the others by
    // how long they have been out of view (with "keep all pages live" every
    // pane wakes). Runs on its own every second and whenever the view
    // scrolls or the panes change.
    void update();
    // The times for tests and benchmarks.
    void setDelays(int freezeAfterMs, int discardAfterMs);

private:
    bool mustStayLive(int browserNo) const;

    BrowserGrid &m_grid;
    const Settings &m_settings;
    QTimer *m_timer;
    std::array<QElapsedTimer, GridModel::BrowserLimit> m_outOfViewSince{};
    int m_freezeAfter = FreezeAfterMs;
    int m_discardAfter = DiscardAfterMs;
};
