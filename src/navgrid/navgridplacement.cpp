#include "navgrid/navgridplacement.h"

#include <algorithm>

namespace NavGridPlacement {

bool panelPosition(int position, const GridArea &area, QPoint *topLeft)
{
    const int top = area.top;
    const int bottom = area.top + area.scrollBox.height() - PanelSize.height();
    const int left = 7;
    // Integer division rounds towards zero, as a pixel count should.
    const int centre = area.scrollBox.width() / 2 - PanelSize.width() / 2;
    const int right = area.windowWidth - 6 - PanelSize.width() - area.rightEdgeWidth;
    QPoint at;
    switch (position) {
    case 1: at = {left, top}; break;
    case 2: at = {centre, top}; break;
    case 3: at = {right, top}; break;
    case 4: at = {right, bottom}; break;
    case 5: at = {centre, bottom}; break;
    case 6: at = {left, bottom}; break;
    default: return false;
    }
    if (topLeft)
        *topLeft = at;
    return true;
}

bool panelFits(QSize window)
{
    return PanelSize.width() < window.width() && PanelSize.height() < window.height();
}

bool windowTooSmall(QSize window)
{
    return window.width() < PanelSize.width() || window.height() < PanelSize.height();
}

QPoint hintPosition(const QRect &panel, QSize hint, QSize gridPanel)
{
    // "More than half": compared doubled, so an odd width needs no rounding.
    const int left = 2 * panel.left() > gridPanel.width() ? panel.left() - hint.width() + 8
                                                          : panel.left() + panel.width() - 8;
    const int top = 2 * panel.top() > gridPanel.height() ? panel.top() - hint.height() + 8
                                                         : panel.top() + panel.height() - 8;
    return {left, top};
}

QSize clampHintSize(QSize size)
{
    return {std::clamp(size.width(), HintMinimum.width(), HintMaximum.width()),
            std::clamp(size.height(), HintMinimum.height(), HintMaximum.height())};
}

int squareAt(QPoint point)
{
    if (point.x() < 0 || point.y() < 0 || point.x() >= MapSize || point.y() >= MapSize)
        return -1;
    const int column = std::min(7, point.x() / SquarePitch);
    const int row = std::min(7, point.y() / SquarePitch);
    return row * 8 + column;
}

QPoint squareOrigin(int column, int row)
{
    return {column * SquarePitch, row * SquarePitch};
}

} // namespace NavGridPlacement
