#pragma once

#include "appearance/panelook.h"

#include <QList>

#include <array>

class SkinImages;
struct Settings;

// The pane look of the program's skin: colours from the settings, the pane
// button faces of the skin with the glyphs of the chosen glyph style.
class SkinnedPaneLook : public PaneLook
{
public:
    SkinnedPaneLook(const Settings &settings, const SkinImages &skin);

    PaneColours colours() const override;
    PaneButtonSkin buttonSkin(bool active, bool zoomButton) const override;
    QImage picture(PanePicture picture) const override;

private:
    struct Cached
    {
        std::array<int, 4> key{-1, -1, -1, -1};
        QList<QImage> faces;
        QList<QImage> glyphs;
    };

    const Settings &m_settings;
    const SkinImages &m_skin;
    mutable Cached m_cache[2]; // inactive, active
};
