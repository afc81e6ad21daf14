#include "appearance/skintinter.h"

#include "appearance/colormath.h"
#include "core/settings.h"

using namespace ColorMath;

namespace SkinTinter {

SkinImages tinted(const SkinImages &neutral, const Settings &s)
{
    SkinImages out = neutral;
    struct Entry
    {
        SkinStrip strip;
        int colour;
        bool all; // every pixel, no key
    };
    const Entry table[] = {
        {SkinStrip::SkinMain, s.mainColor, false},       {SkinStrip::GridTopBottom, s.mainColor, false},
        {SkinStrip::GridLeftRight, s.mainColor, false},  {SkinStrip::SkinStatus, s.statusBarColor, false},
        {SkinStrip::Window, s.buttonColor, false},       {SkinStrip::Main, s.buttonColor, false},
        {SkinStrip::MainOdd, s.buttonColor, false},      {SkinStrip::NavGridTopBottom, s.mainColor, true},
        {SkinStrip::NavGridLeftRight, s.mainColor, true}, {SkinStrip::NavPos, s.buttonColor, false},
        {SkinStrip::NavHint, s.buttonColor, false},
    };
    for (const Entry &e : table) {
        const QImage strip = neutral.strip(e.strip);
        out.setStrip(e.strip, e.all ? recolorAll(strip, e.colour) : recolorKeepTransparent(strip, e.colour));
    }
    // "None" shows no glyphs: they stay as they are.
    if (s.buttonGlyphStyle == 2)
        return out;
    for (const GlyphSet set : {GlyphSet::Window, GlyphSet::BigGlyph, GlyphSet::NavHint})
        for (const GlyphStyle style : {GlyphStyle::Bevel, GlyphStyle::Color})
            out.setGlyphStrip(set, style,
                              recolorGlyph(neutral.glyphStrip(set, style), SkinImages::glyphFrameSize(set).width(),
                                           SkinImages::glyphKind(set), style == GlyphStyle::Bevel,
                                           s.buttonGlyphBorderColor, s.buttonGlyphColor));
    return out;
}

QImage paneButtonFaces(const SkinImages &neutral, const Settings &s, bool active)
{
    return recolorKeepTransparent(neutral.strip(SkinStrip::BrowserButton),
                                  active ? s.activeBrowserBorderColor : s.gridBackgroundColor);
}

QImage paneButtonGlyphs(const SkinImages &neutral, const Settings &s, bool active)
{
    const GlyphSet set = GlyphSet::BrowserButton;
    const int state = active ? s.activeBrowserBorderColor : s.gridBackgroundColor;
    const int width = SkinImages::glyphFrameSize(set).width();
    const int kind = SkinImages::glyphKind(set);
    if (s.buttonGlyphStyle == 0)
        // Bevelled: the pane's colour for border and body alike.
        return recolorGlyph(neutral.glyphStrip(set, GlyphStyle::Bevel), width, kind, true, state, state);
    return recolorGlyph(neutral.glyphStrip(set, GlyphStyle::Color), width, kind, false, s.buttonGlyphBorderColor,
                        s.buttonGlyphColor);
}

} // namespace SkinTinter
