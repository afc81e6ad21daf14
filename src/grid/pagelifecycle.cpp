#include "grid/pagelifecycle.h"

#include "core/settings.h"
#include "grid/browsergrid.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

PageLifecycle::PageLifecycle(BrowserGrid &grid, const Settings &settings, QObject *parent)
    : QObject(parent), m_grid(grid), m_settings(settings), m_timer(new QTimer(this))
{
    m_timer->setInterval(CheckIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &PageLifecycle::update);
    m_timer->start();
    if (QScrollArea *box = m_grid.scrollBox()) {
        connect(box->horizontalScrollBar(), &QScrollBar::valueChanged, this, &PageLifecycle::update);
        connect(box->verticalScrollBar(), &QScrollBar::valueChanged, this, &PageLifecycle::update);
    }
    connect(&m_grid, &BrowserGrid::panesChanged, this, &PageLifecycle::update);
    connect(&m_grid, &BrowserGrid::gridRearranged, this, &PageLifecycle::update);
    connect(&m_grid, &BrowserGrid::browserActivated, this, &PageLifecycle::update);
}

void PageLifecycle::setDelays(int freezeAfterMs, int discardAfterMs)
{
    m_freezeAfter = freezeAfterMs;
    m_discardAfter = discardAfterMs;
}

bool PageLifecycle::mustStayLive(int browserNo) const
{
    BrowserPane *pane = m_grid.pane(browserNo);
    if (pane == m_grid.activePane())
        return true;
    // Music or a call in a background pane that is heard plays on.
    if (pane->audible() && !pane->audioMuted())
        return true;
    QScrollArea *box = m_grid.scrollBox();
    if (!box)
        return true;
    const QRect view(QPoint(box->horizontalScrollBar()->value(), box->verticalScrollBar()->value()),
                     box->viewport()->size());
    return pane->geometry().intersects(view);
}

void PageLifecycle::update()
{
    const int choice = m_settings.pagesOutOfView;
    for (int n = 0; n < GridModel::BrowserLimit; ++n) {
        BrowserPane *pane = m_grid.pane(n);
        QElapsedTimer &since = m_outOfViewSince[size_t(n)];
        if (!pane || pane->closing() || !pane->control()) {
            since.invalidate();
            continue;
        }
        BrowserControl *control = pane->control();
        if (choice == KeepAllLive || mustStayLive(n)) {
            since.invalidate();
            control->setLifecycle(BrowserControl::Lifecycle::Active);
            control->setInView(true);
            continue;
        }
        // Out of view: hidden from the engine at once (a page that draws
        // nobody sees costs the grid the most while many pages load), put to
        // rest after a while.
        control->setInView(false);
        if (!since.isValid()) {
            since.start();
            continue;
        }
        // A page still loading is left to finish first.
        if (control->busy())
            continue;
        const qint64 out = since.elapsed();
        if (choice == DiscardOutOfView && out >= m_discardAfter)
            control->setLifecycle(BrowserControl::Lifecycle::Discarded);
        else if (out >= m_freezeAfter && control->lifecycle() == BrowserControl::Lifecycle::Active)
            control->setLifecycle(BrowserControl::Lifecycle::Frozen);
    }
}
