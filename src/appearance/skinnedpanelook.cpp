#include "appearance/skinnedpanelook.h"

#include "appearance/skinimages.h"
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

PaneButtonSkin SkinnedPaneLook::buttonSkin(bool, bool zoomButton) const
{
    const QList<QImage> faces = SkinImages::frames(m_skin.strip(SkinStrip::BrowserButton),
                                                   SkinImages::frameSize(SkinStrip::BrowserButton));
    QImage glyph;
    if (m_settings.buttonGlyphStyle != 2) {
        const GlyphStyle style = m_settings.buttonGlyphStyle == 0 ? GlyphStyle::Bevel : GlyphStyle::Color;
        glyph = SkinImages::frames(m_skin.glyphStrip(GlyphSet::BrowserButton, style),
                                   SkinImages::glyphFrameSize(GlyphSet::BrowserButton))
                    .value(zoomButton ? 1 : 0);
    }
    return {faces.value(0), faces.value(1), faces.value(2), glyph};
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
