#include "controller/controllercrosshairs.h"

#include "core/runtimeflags.h"
#include "grid/gridmodel.h"

#include <cmath>

int ControllerCrosshairs::roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5)
        return int(below);
    if (fraction > 0.5)
        return int(below + 1);
    return std::fmod(below, 2.0) == 0.0 ? int(below) : int(below + 1);
}

namespace {
double offset(int client, int position, int range)
{
    return (client / 2.0 + position) * (double(client) / range);
}
} // namespace

int ControllerCrosshairs::lineOffset(int client, int position, int range)
{
    return range < 1 ? 0 : roundHalfEven(offset(client, position, range));
}

int ControllerCrosshairs::contentPoint(int client, int position, int range)
{
    return range < 1 ? 0 : roundHalfEven(offset(client, position, range) + position);
}

int ControllerCrosshairs::cellAt(const GridModel &model, QPoint point, QSize browserSize)
{
    for (int i = 0; i < GridModel::CellCount; ++i) {
        const CellCoordinates &c = model.cell(i);
        if (c.vacant)
            continue;
        if (c.left <= point.x() && point.x() <= c.left + browserSize.width() && c.top <= point.y()
            && point.y() <= c.top + browserSize.height())
            return i;
    }
    return NoIndex;
}
