#pragma once

#include <QPoint>
#include <QSize>

class GridModel;

// Where the crosshair lines stand and which cell the crosshair point picks.
// The point is not fixed in the middle of the view: it moves across the view
// in proportion to where the view lies within the whole grid, so every cell
// can be reached, the edge ones included.
class ControllerCrosshairs
{
public:
    // The nearest integer, halves to the even neighbour.
    static int roundHalfEven(double value);

    // Offset of a line within the view: (client / 2 + position) * (client /
    // range), for one direction (client width, horizontal position and
    // range, or the vertical ones). range must be at least 1.
    static int lineOffset(int client, int position, int range);

    // The crosshair point in the grid's content for one direction: the
    // line's offset plus the scroll position, rounded as a whole; 0 when the
    // range is empty.
    static int contentPoint(int client, int position, int range);

    // The first occupied cell whose pane holds the point, edges included (a
    // point on the edge two cells share picks the lower-numbered one), or
    // NoIndex.
    static int cellAt(const GridModel &model, QPoint point, QSize browserSize);
};
