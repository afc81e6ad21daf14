#pragma once

#include <QRect>

// Window arithmetic of the frame, kept apart from the widgets so it can be
// checked on its own.
namespace WindowGeometry {

// The 915 x 600 window centred in the work area (the restored window and the
// window of a first start).
QRect restoredBounds(const QRect &workArea);

// The maximise button: the target area when the window differs from it in
// both width and height, else the restored window.
QRect maximizeOrRestore(const QRect &window, const QRect &target, const QRect &workArea);

// Where a dropped panel ends up so it stays reachable: pulled back 20
// pixels inside the right and bottom edges, its top and left kept at 20
// when they were above or left of the client area.
QPoint keepPanelInside(const QRect &panel, const QSize &client);

// Top-left of a panel centred in the window.
QPoint centred(const QSize &panel, const QSize &window);

// The window edges under a point, for resizing a window without a system
// frame: within margin pixels of an edge.
Qt::Edges edgesAt(const QPoint &pos, const QSize &size, int margin);

} // namespace WindowGeometry
