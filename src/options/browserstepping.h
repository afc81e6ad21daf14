#pragma once

class BrowserGrid;
struct RuntimeFlags;

// Selecting the prior, next, first or last browser of the grid without a
// word to the user (the keyboard shortcuts report nothing when they fail).
class BrowserStepping
{
public:
    BrowserStepping(BrowserGrid &grid, RuntimeFlags &flags);

    // The nearest occupied cell below / above the active browser's (cell 0
    // when there is none). False when there is none or it could not be
    // selected.
    bool selectPrior();
    bool selectNext();
    // The lowest / highest occupied cell.
    bool selectFirst();
    bool selectLast();

private:
    bool selectFrom(int from, int direction, bool skipCurrent);

    BrowserGrid &m_grid;
    RuntimeFlags &m_flags;
};
