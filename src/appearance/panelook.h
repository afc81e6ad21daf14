#pragma once

#include <QColor>
#include <QImage>

// The four pictures of one pane button (select or zoom) in one look.
struct PaneButtonSkin
{
    QImage idle;
    QImage over;
    QImage down;
    QImage glyph;
};

enum class PanePicture { SecurityOn, SecurityOff, MoveTabGray, MoveTabColor, Busy };

// The colours a pane paints its edges and cell number with.
struct PaneColours
{
    QColor activeBorder;
    QColor gridBackground;
    QColor statusBarFont;
    QColor statusBarFontShadow;
};

// How a browser pane looks: its colours, its button skins and pictures. The
// appearance serves it from the settings and the skin, so a pane follows a
// changed colour scheme the next time it asks.
class PaneLook
{
public:
    virtual ~PaneLook() = default;

    virtual PaneColours colours() const = 0;
    virtual PaneButtonSkin buttonSkin(bool active, bool zoomButton) const = 0;
    virtual QImage picture(PanePicture picture) const = 0;
};
