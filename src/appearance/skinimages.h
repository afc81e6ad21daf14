#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>

#include <array>

// The skin strips of the main window: each a row of equal frames, tinted as
// a whole and then cut into frames (SkinImages::frames).
enum class SkinStrip {
    SkinMain,      // imSkinMainStrip: imBottomCenterLip, imTopCenterLip, imTopLeft,
                   //   imTopRight, imBottomLeft, imBottomRight
    GridTopBottom, // imGridTopBottomStrip: imGridTopLeft, imGripTopCenter, imGridTopRight,
                   //   imGridBottomLeft, imGridBottomCenter, imGridBottomRight
    GridLeftRight, // imGridLeftRightStrip: imGridLeft, imGridRight
    SkinStatus,    // imSkinStatusStrip: imTopCenterStatus, imBottomCenterStatus
    Window,        // imWindowStrip: minimise/maximise idle, over, down; close idle, over, down
    Main,          // imMainStrip: skNavGrid idle, over, down; skGridTools idle, over, down
    MainOdd,       // imMainStripOdd: skAddressMode, skAddressNew, skActiveStop,
                   //   skActiveFileTools, three frames (idle, over, down) each
    BrowserButton, // imBrowserButtonStrip: pane button idle, over, down
    NavGridTopBottom, // imNavGridTopBottom: imNavGridTop, imNavGridBottom (the map panel's edges)
    NavGridLeftRight, // imNavGridLeftRight: imNavGridLeft, imNavGridRight
    NavPos,        // imNavPosStrip: skNavTopLeft, skNavTopCenter, skNavTopRight, skNavBottomRight,
                   //   skNavBottomCenter, skNavBottomLeft, three frames each
    NavHint,       // imNavHintStrip: skNavHintAddress, skNavHintLock, skNavHintResize, three frames each
};
inline constexpr int SkinStripCount = 12;

// The glyph images, each in a bevel and a colour style.
enum class GlyphSet {
    Window,        // imWindowBevel / imWindowColor: minimise, maximise, close (kind 1)
    BigGlyph,      // imBigGlyphBevel / imBigGlyphColor: ilBigGlyphs (kind 0)
    BrowserButton, // imBrowserButtonBevel / imBrowserButtonColor: select, zoom (kind 3)
    NavHint,       // imNavBevel / imNavColor: hint address, hint lock, hint resize (kind 2)
};
inline constexpr int GlyphSetCount = 4;

enum class GlyphStyle { Bevel, Color };

// Pictures that are shown as they are, never tinted.
enum class SkinPicture {
    SecurityOn,   // imSecurityOn, 16 x 16: a closed padlock
    SecurityOff,  // imSecurityOff, 16 x 16: an open padlock
    MoveTabGray,  // imMoveTabGray, 18 x 18
    MoveTabColor, // imMoveTabColor, 18 x 18
    Busy,         // ImgBusy, 32 x 32: an hourglass
    ProgramIcon,  // the window icon, 32 x 32
    Resize,       // imResize, 20 x 20: the grip at the end of the bottom strip
    NavUnselected, // imNavUnselected, 16 x 16: an occupied square of the map
    NavSelected,   // imNavSelected, 16 x 16: drawn over it for the active browser
    NavSearch,     // imNavSearch, 16 x 16: drawn over it for a pane with search highlights
    NavDeleteGray, // imNavDeleteGray, 16 x 16: the map's delete symbol
    NavDeleteColor, // imNavDeleteColor, 16 x 16: the same while a pane is dragged over it
};
inline constexpr int SkinPictureCount = 12;

// Every skin picture of the program, painted once when the object is made
// (a few milliseconds). No image files are involved.
//
// Strips and glyphs are 24-bit looking pictures (QImage::Format_RGB32, every
// pixel opaque) whose transparent colour is TransparentKey, always found at
// column 0 of the bottom row. Strips are neutral greys: mid-grey is what
// tinting turns into the target colour, black and white stay.
//
// Glyphs: the pixel at glyphKeyPoint() of each frame is the border colour
// (glyphBorderKey()); tinting gives those pixels the glyph border colour and
// all other opaque pixels the glyph colour. The colour style is coloured
// pictures with a mid-grey outline; the bevel style is embossed greys whose
// dark lower-right edge is the border colour.
//
// The single pictures are Format_ARGB32_Premultiplied with real alpha (they
// are drawn as they are, over any background).
class SkinImages
{
public:
    static constexpr QRgb TransparentKey = 0xffff00ffu; // magenta

    // Image indices of ilBigGlyphs.
    enum BigGlyph : int {
        GlyphNavGrid = 0,
        GlyphManager = 1,
        GlyphGridTools = 2,
        GlyphScanner = 3,
        GlyphWebAddressMode = 4,
        GlyphFolder = 5,
        GlyphLinksMode = 6,
        GlyphWebSearchMode = 7,
        GlyphBack = 8,
        GlyphForward = 9,
        GlyphRefresh = 10,
        GlyphStop = 11,
        GlyphFileTools = 12,
        GlyphPrint = 13,
        GlyphDelete = 14,
        GlyphJump = 15,
        GlyphNewBrowser = 16,
        GlyphRedirect = 17,
        GlyphNextBrowser = 18,
        GlyphAppTools = 19,
        GlyphCustomHouse = 20, // 20..23: the custom button's choices "1".."4"
        GlyphCustomNote = 21,
        GlyphCustomHeart = 22,
        GlyphCustomLightning = 23,
        GlyphPriorBrowser = 24,
    };
    static constexpr int BigGlyphCount = 25;

    SkinImages();

    QImage strip(SkinStrip which) const;
    QImage glyphStrip(GlyphSet set, GlyphStyle style) const;
    // For a tinted copy (SkinTinter).
    void setStrip(SkinStrip which, const QImage &image);
    void setGlyphStrip(GlyphSet set, GlyphStyle style, const QImage &image);
    // One frame of ilBigGlyphs; a null image for an index out of range.
    QImage bigGlyph(int index, GlyphStyle style) const;
    QImage picture(SkinPicture which) const;

    static QSize frameSize(SkinStrip which);
    static int frameCount(SkinStrip which);
    // The name the strip goes by in the window ("imSkinMainStrip", ...).
    static const char *stripName(SkinStrip which);

    static QSize glyphFrameSize(GlyphSet set);
    static int glyphFrameCount(GlyphSet set);
    // The glyph kind that tinting uses for the set: 1, 0 or 3.
    static int glyphKind(GlyphSet set);
    static const char *glyphName(GlyphSet set, GlyphStyle style);
    // Where the border colour sits in every frame of a glyph of this kind
    // (0 big, 1 window, 2 navigation hint, 3 pane button); (-1, -1) for an
    // unknown kind.
    static QPoint glyphKeyPoint(int kind, bool bevel);
    static QRgb glyphBorderKey(GlyphStyle style);

    // Cuts a strip into frames of the given size, from the left. A frame that
    // would reach past the strip is not returned.
    static QList<QImage> frames(const QImage &strip, QSize frame);

private:
    std::array<QImage, SkinStripCount> m_strips;
    std::array<QImage, GlyphSetCount * 2> m_glyphs; // set * 2 + style
    std::array<QImage, SkinPictureCount> m_pictures;
};
