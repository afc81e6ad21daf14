#include "core/windowgeometry.h"

namespace WindowGeometry {

QRect restoredBounds(const QRect &workArea)
{
    // Centred in the work area where it lies: a panel at the top or left of
    // the desktop moves the work area's origin.
    return QRect(workArea.left() + workArea.width() / 2 - 458, workArea.top() + workArea.height() / 2 - 300, 915, 600);
}

QRect maximizeOrRestore(const QRect &window, const QRect &target, const QRect &workArea)
{
    if (window.width() != target.width() && window.height() != target.height())
        return target;
    return restoredBounds(workArea);
}

QPoint keepPanelInside(const QRect &panel, const QSize &client)
{
    QPoint pos = panel.topLeft();
    if (panel.x() + panel.width() > client.width())
        pos.setX(client.width() - panel.width() - 20);
    if (panel.y() + panel.height() > client.height())
        pos.setY(client.height() - panel.height() - 20);
    if (pos.y() < 0)
        pos.setY(20);
    // Also the left edge: a panel dropped beyond it could not be reached.
    if (pos.x() < 0)
        pos.setX(20);
    return pos;
}

QPoint centred(const QSize &panel, const QSize &window)
{
    return QPoint(window.width() / 2 - panel.width() / 2, window.height() / 2 - panel.height() / 2);
}

Qt::Edges edgesAt(const QPoint &pos, const QSize &size, int margin)
{
    Qt::Edges edges;
    if (pos.x() < margin)
        edges |= Qt::LeftEdge;
    if (pos.x() >= size.width() - margin)
        edges |= Qt::RightEdge;
    if (pos.y() < margin)
        edges |= Qt::TopEdge;
    if (pos.y() >= size.height() - margin)
        edges |= Qt::BottomEdge;
    return edges;
}

} // namespace WindowGeometry
