#include "appearance/skinnedpanelook.h"

#include "appearance/skinimages.h"
#include "appearance/skintinter.h"
#include "core/settings.h"

SkinnedPaneLook::SkinnedPaneLook(const Settings &settings, const SkinImages &skin)
    : m_settings(settings), m_skin(skin)
{
}

PaneColours SkinnedPaneLook::colours() const
{
    return {settingsColor(m_settings.activeBrowserBorderColor), settingsColor(m_settings.gridBackgroundColor),
            settingsColor(m_settings.statusBarFontColor), settingsColor(m_settings.statusBarFontShadowColor)};
}

PaneButtonSkin SkinnedPaneLook::buttonSkin(bool active, bool zoomButton) const
{
    // Tinted once per colour and style: panes ask on every selection.
    Cached &cached = m_cache[active ? 1 : 0];
    const int colour = active ? m_settings.activeBrowserBorderColor : m_settings.gridBackgroundColor;
    const std::array<int, 4> key{colour, m_settings.buttonGlyphStyle, m_settings.buttonGlyphColor,
                                 m_settings.buttonGlyphBorderColor};
    if (cached.key != key) {
        cached.key = key;
        cached.faces = SkinImages::frames(SkinTinter::paneButtonFaces(m_skin, m_settings, active),
                                          SkinImages::frameSize(SkinStrip::BrowserButton));
        cached.glyphs = m_settings.buttonGlyphStyle == 2
                            ? QList<QImage>()
                            : SkinImages::frames(SkinTinter::paneButtonGlyphs(m_skin, m_settings, active),
                                                 SkinImages::glyphFrameSize(GlyphSet::BrowserButton));
    }
    return {cached.faces.value(0), cached.faces.value(1), cached.faces.value(2),
            cached.glyphs.value(zoomButton ? 1 : 0)};
}

QImage SkinnedPaneLook::picture(PanePicture picture) const
{
    switch (picture) {
    case PanePicture::SecurityOn:
        return m_skin.picture(SkinPicture::SecurityOn);
    case PanePicture::SecurityOff:
        return m_skin.picture(SkinPicture::SecurityOff);
    case PanePicture::MoveTabGray:
        return m_skin.picture(SkinPicture::MoveTabGray);
    case PanePicture::MoveTabColor:
        return m_skin.picture(SkinPicture::MoveTabColor);
    case PanePicture::Busy:
        return m_skin.picture(SkinPicture::Busy);
    }
    return {};
}
