#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The arithmetic of the map panel and its hint, apart from the widgets.
namespace NavGridPlacement {

inline constexpr QSize PanelSize{183, 161}; // pnNavGrid
inline constexpr int MapSize = 136;         // dgNavGrid, 8 squares of 16 and their lines
inline constexpr int SquarePitch = 17;      // a 16-pixel square and its line
inline constexpr QSize HintResetSize{241, 153};
inline constexpr QSize HintMinimum{175, 100};
inline constexpr QSize HintMaximum{500, 400};

// What a snap position is measured from.
struct GridArea
{
    int top = 0;          // the grid area's top edge in the window
    QSize scrollBox;      // sbMainGrid
    int windowWidth = 0;  // the main window
    int rightEdgeWidth = 0; // pnGridRight
};

// Top-left of the panel at position 1 top left, 2 top centre, 3 top right,
// 4 bottom right, 5 bottom centre, 6 bottom left; false for any other value
// (the panel then stays where it is).
bool panelPosition(int position, const GridArea &area, QPoint *topLeft);

// The panel can be shown in a window wider and higher than it is.
bool panelFits(QSize window);
// A shown panel is taken away only from a window narrower or lower than it
// is: one exactly as wide or as high keeps it.
bool windowTooSmall(QSize window);

// Where the hint goes beside the panel, towards the middle of the grid
// panel, overlapping the map panel by 8 pixels.
QPoint hintPosition(const QRect &panel, QSize hint, QSize gridPanel);

// A hint size within 175..500 x 100..400.
QSize clampHintSize(QSize size);

// The square under a point of the map (row * 8 + column), -1 off the map.
int squareAt(QPoint pointInMap);
// The top-left pixel of a square in the map.
QPoint squareOrigin(int column, int row);

} // namespace NavGridPlacement
