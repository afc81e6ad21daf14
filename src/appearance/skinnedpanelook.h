#pragma once

#include "appearance/panelook.h"

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
    const Settings &m_settings;
    const SkinImages &m_skin;
};
