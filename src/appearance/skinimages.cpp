#include "appearance/skinimages.h"

#include "appearance/glyphpainter.h"
#include "appearance/paintkit.h"
#include "appearance/picturepainter.h"
#include "appearance/skinstrippainter.h"

static_assert(PaintKit::Key == SkinImages::TransparentKey);

SkinImages::SkinImages()
{
    for (int i = 0; i < int(m_strips.size()); ++i)
        m_strips[size_t(i)] = SkinStripPainter::paint(SkinStrip(i));
    for (int set = 0; set < GlyphSetCount; ++set)
        for (const GlyphStyle style : {GlyphStyle::Bevel, GlyphStyle::Color})
            m_glyphs[size_t(set * 2 + int(style))] = GlyphPainter::paintStrip(GlyphSet(set), style);
    for (int i = 0; i < int(m_pictures.size()); ++i)
        m_pictures[size_t(i)] = PicturePainter::paint(SkinPicture(i));
}

QImage SkinImages::strip(SkinStrip which) const
{
    const int i = int(which);
    return i >= 0 && i < int(m_strips.size()) ? m_strips[size_t(i)] : QImage();
}

QImage SkinImages::glyphStrip(GlyphSet set, GlyphStyle style) const
{
    const int i = int(set) * 2 + int(style);
    return i >= 0 && i < int(m_glyphs.size()) ? m_glyphs[size_t(i)] : QImage();
}

void SkinImages::setStrip(SkinStrip which, const QImage &image)
{
    const int i = int(which);
    if (i >= 0 && i < int(m_strips.size()))
        m_strips[size_t(i)] = image;
}

void SkinImages::setGlyphStrip(GlyphSet set, GlyphStyle style, const QImage &image)
{
    const int i = int(set) * 2 + int(style);
    if (i >= 0 && i < int(m_glyphs.size()))
        m_glyphs[size_t(i)] = image;
}

QImage SkinImages::bigGlyph(int index, GlyphStyle style) const
{
    if (index < 0 || index >= BigGlyphCount)
        return {};
    const QSize f = glyphFrameSize(GlyphSet::BigGlyph);
    return glyphStrip(GlyphSet::BigGlyph, style).copy(index * f.width(), 0, f.width(), f.height());
}

QImage SkinImages::picture(SkinPicture which) const
{
    const int i = int(which);
    return i >= 0 && i < int(m_pictures.size()) ? m_pictures[size_t(i)] : QImage();
}

QSize SkinImages::frameSize(SkinStrip which)
{
    switch (which) {
    case SkinStrip::SkinMain:
    case SkinStrip::SkinStatus:
        return {207, 33};
    case SkinStrip::GridTopBottom:
        return {150, 9};
    case SkinStrip::GridLeftRight:
        return {9, 150};
    case SkinStrip::Window:
    case SkinStrip::BrowserButton:
        return {44, 22};
    case SkinStrip::Main:
    case SkinStrip::MainOdd:
        return {87, 32};
    case SkinStrip::NavGridTopBottom:
        return {70, 7};
    case SkinStrip::NavGridLeftRight:
        return {7, 70};
    case SkinStrip::NavPos:
        return {23, 23};
    case SkinStrip::NavHint:
        return {20, 35};
    }
    return {};
}

int SkinImages::frameCount(SkinStrip which)
{
    switch (which) {
    case SkinStrip::SkinMain:
    case SkinStrip::GridTopBottom:
    case SkinStrip::Window:
    case SkinStrip::Main:
        return 6;
    case SkinStrip::GridLeftRight:
    case SkinStrip::SkinStatus:
    case SkinStrip::NavGridTopBottom:
    case SkinStrip::NavGridLeftRight:
        return 2;
    case SkinStrip::NavPos:
        return 18;
    case SkinStrip::NavHint:
        return 9;
    case SkinStrip::MainOdd:
        return 12;
    case SkinStrip::BrowserButton:
        return 3;
    }
    return 0;
}

const char *SkinImages::stripName(SkinStrip which)
{
    switch (which) {
    case SkinStrip::SkinMain:
        return "imSkinMainStrip";
    case SkinStrip::GridTopBottom:
        return "imGridTopBottomStrip";
    case SkinStrip::GridLeftRight:
        return "imGridLeftRightStrip";
    case SkinStrip::SkinStatus:
        return "imSkinStatusStrip";
    case SkinStrip::Window:
        return "imWindowStrip";
    case SkinStrip::Main:
        return "imMainStrip";
    case SkinStrip::MainOdd:
        return "imMainStripOdd";
    case SkinStrip::BrowserButton:
        return "imBrowserButtonStrip";
    case SkinStrip::NavGridTopBottom:
        return "imNavGridTopBottom";
    case SkinStrip::NavGridLeftRight:
        return "imNavGridLeftRight";
    case SkinStrip::NavPos:
        return "imNavPosStrip";
    case SkinStrip::NavHint:
        return "imNavHintStrip";
    }
    return "";
}

QSize SkinImages::glyphFrameSize(GlyphSet set)
{
    return GlyphPainter::layoutOf(set).size;
}

int SkinImages::glyphFrameCount(GlyphSet set)
{
    return GlyphPainter::layoutOf(set).count;
}

int SkinImages::glyphKind(GlyphSet set)
{
    return GlyphPainter::layoutOf(set).kind;
}

const char *SkinImages::glyphName(GlyphSet set, GlyphStyle style)
{
    const bool bevel = style == GlyphStyle::Bevel;
    switch (set) {
    case GlyphSet::Window:
        return bevel ? "imWindowBevel" : "imWindowColor";
    case GlyphSet::BigGlyph:
        return bevel ? "imBigGlyphBevel" : "imBigGlyphColor";
    case GlyphSet::BrowserButton:
        return bevel ? "imBrowserButtonBevel" : "imBrowserButtonColor";
    case GlyphSet::NavHint:
        return bevel ? "imNavBevel" : "imNavColor";
    }
    return "";
}

QPoint SkinImages::glyphKeyPoint(int kind, bool bevel)
{
    switch (kind) {
    case 0:
        return bevel ? QPoint(3, 22) : QPoint(2, 21);
    case 1:
        return bevel ? QPoint(4, 14) : QPoint(3, 13);
    case 2:
        return bevel ? QPoint(5, 14) : QPoint(6, 13);
    case 3:
        return bevel ? QPoint(6, 17) : QPoint(5, 17);
    default:
        return {-1, -1};
    }
}

QRgb SkinImages::glyphBorderKey(GlyphStyle style)
{
    return style == GlyphStyle::Bevel ? GlyphPainter::BevelBorder : GlyphPainter::ColorBorder;
}

QList<QImage> SkinImages::frames(const QImage &strip, QSize frame)
{
    QList<QImage> result;
    if (strip.isNull() || frame.width() <= 0 || frame.height() <= 0
        || frame.height() > strip.height())
        return result;
    for (int x = 0; x + frame.width() <= strip.width(); x += frame.width())
        result.append(strip.copy(x, 0, frame.width(), frame.height()));
    return result;
}
