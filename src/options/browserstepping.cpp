#include "options/browserstepping.h"

#include "core/runtimeflags.h"
#include "grid/browsergrid.h"

BrowserStepping::BrowserStepping(BrowserGrid &grid, RuntimeFlags &flags) : m_grid(grid), m_flags(flags)
{
}

bool BrowserStepping::selectFrom(int from, int direction, bool skipCurrent)
{
    if (m_flags.browserCount < 1)
        return false;
    BackgroundSuspension suspended(m_flags);
    const int start = skipCurrent ? from + direction : from;
    for (int c = start; c >= 0 && c < GridModel::CellCount; c += direction) {
        if (m_grid.model().cell(c).vacant)
            continue;
        BrowserPane *pane = m_grid.paneInCell(c);
        return pane && pane->selectBrowser(true);
    }
    return false;
}

static int currentCell(BrowserGrid &grid)
{
    BrowserPane *active = grid.activePane();
    return active ? active->cellIndex : 0;
}

bool BrowserStepping::selectPrior()
{
    return selectFrom(currentCell(m_grid), -1, true);
}

bool BrowserStepping::selectNext()
{
    return selectFrom(currentCell(m_grid), 1, true);
}

bool BrowserStepping::selectFirst()
{
    return selectFrom(0, 1, false);
}

bool BrowserStepping::selectLast()
{
    return selectFrom(GridModel::CellCount - 1, -1, false);
}
