#include "appearance/colourschemes.h"

#include "appearance/colormath.h"
#include "core/settings.h"

namespace {

constexpr int None = ColorMath::NoGlyphColour;
// Palette roles of "System Inherited", by the values they stand for.
constexpr int Window = -1, WindowText = -2, ButtonFace = -3, ButtonHighlight = -4, DarkShadow = -5, Workspace = -6;

constexpr int rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

struct Scheme
{
    const char *name;
    AppearanceValues values;
};

// Bevel, bar, glyph style, then the thirteen colours in profile order.
const Scheme Schemes[] = {
    {"System Default", {1, 0, 1, rgb(255, 0, 0), rgb(255, 255, 255), rgb(113, 111, 100), rgb(212, 208, 200), None,
                        rgb(128, 128, 128), rgb(228, 228, 228), rgb(89, 89, 89), rgb(128, 128, 128), rgb(212, 208, 200),
                        rgb(79, 79, 79), rgb(249, 249, 247), rgb(69, 69, 69)}},
    {"System Inherited", {1, 0, 1, rgb(255, 0, 0), Window, WindowText, ButtonFace, None, rgb(128, 128, 128),
                          ButtonHighlight, DarkShadow, Workspace, ButtonFace, Workspace, rgb(0, 0, 0),
                          rgb(192, 192, 192)}},
    {"2k Desert", {2, 0, 1, rgb(255, 0, 0), rgb(255, 255, 255), rgb(0, 0, 0), rgb(213, 204, 187), None,
                   rgb(128, 128, 128), rgb(77, 66, 49), rgb(216, 205, 190), rgb(162, 141, 104), rgb(213, 204, 187),
                   rgb(162, 141, 104), rgb(39, 34, 24), rgb(199, 187, 165)}},
    {"2k Evergreen", {2, 0, 2, rgb(0, 255, 128), rgb(0, 128, 0), rgb(128, 255, 128), rgb(0, 128, 0), rgb(0, 128, 0),
                      rgb(0, 128, 0), rgb(128, 255, 0), rgb(0, 0, 0), rgb(0, 128, 0), rgb(0, 106, 0), rgb(0, 64, 0),
                      rgb(0, 255, 128), rgb(0, 62, 0)}},
    {"2k Lilac", {1, 0, 0, rgb(255, 0, 0), rgb(255, 255, 255), rgb(0, 0, 0), rgb(174, 168, 217), rgb(157, 149, 208),
                  rgb(174, 168, 217), rgb(60, 51, 115), rgb(194, 187, 223), rgb(149, 114, 197), rgb(174, 168, 217),
                  rgb(44, 37, 84), rgb(231, 228, 243), rgb(45, 38, 89)}},
    {"2k Marine", {2, 0, 1, rgb(255, 0, 0), rgb(200, 224, 216), rgb(0, 0, 0), rgb(136, 192, 184), rgb(0, 128, 128),
                   rgb(72, 144, 136), rgb(44, 78, 71), rgb(136, 192, 184), rgb(75, 141, 132), rgb(136, 192, 184),
                   rgb(37, 69, 65), rgb(217, 234, 228), rgb(44, 78, 71)}},
    {"2k Plum", {1, 1, 1, rgb(255, 0, 0), rgb(216, 208, 200), rgb(0, 0, 0), rgb(168, 152, 144), rgb(149, 128, 119),
                 rgb(120, 96, 88), rgb(70, 61, 55), rgb(175, 162, 154), rgb(116, 99, 90), rgb(168, 152, 144),
                 rgb(104, 89, 81), rgb(0, 0, 0), rgb(192, 181, 175)}},
    {"2k Pumpkin", {2, 0, 1, rgb(255, 0, 0), rgb(255, 255, 255), rgb(0, 0, 0), rgb(236, 213, 157), None,
                    rgb(215, 165, 47), rgb(116, 88, 24), rgb(239, 220, 175), rgb(219, 196, 117), rgb(236, 213, 157),
                    rgb(87, 67, 19), rgb(247, 237, 215), rgb(66, 50, 13)}},
    {"2k Rainy Day", {1, 0, 1, rgb(255, 0, 0), rgb(160, 160, 164), rgb(216, 222, 231), rgb(79, 101, 125),
                      rgb(69, 89, 109), rgb(221, 221, 221), rgb(39, 50, 63), rgb(151, 167, 193), rgb(114, 114, 114),
                      rgb(131, 153, 177), rgb(89, 89, 89), rgb(236, 240, 244), rgb(56, 71, 88)}},
    {"2k Red Letter", {2, 0, 0, rgb(192, 192, 192), rgb(255, 255, 255), rgb(128, 0, 0), rgb(128, 0, 0),
                       rgb(128, 0, 0), rgb(128, 0, 0), rgb(128, 0, 0), rgb(160, 160, 164), rgb(102, 0, 0),
                       rgb(218, 218, 218), rgb(40, 0, 0), rgb(249, 249, 247), rgb(69, 69, 69)}},
    {"2k Rose", {2, 1, 1, rgb(255, 0, 0), rgb(255, 255, 255), rgb(0, 0, 0), rgb(207, 175, 183), None,
                 rgb(159, 96, 112), rgb(85, 51, 60), rgb(203, 171, 180), rgb(143, 86, 101), rgb(207, 175, 183),
                 rgb(99, 61, 70), rgb(0, 0, 0), rgb(196, 157, 169)}},
    {"2k Storm", {0, 0, 0, rgb(255, 0, 0), rgb(65, 65, 65), rgb(192, 192, 192), rgb(0, 0, 0), rgb(128, 0, 0),
                  rgb(0, 0, 0), rgb(128, 128, 128), rgb(0, 0, 0), rgb(0, 0, 0), rgb(128, 0, 0), rgb(28, 0, 0),
                  rgb(238, 221, 221), rgb(64, 0, 0)}},
    {"2k Wheat", {1, 0, 1, rgb(255, 0, 0), rgb(255, 255, 255), rgb(0, 0, 0), rgb(222, 222, 160), None,
                  rgb(128, 128, 128), rgb(66, 66, 23), rgb(222, 222, 160), rgb(188, 188, 65), rgb(222, 222, 160),
                  rgb(49, 49, 17), rgb(239, 239, 209), rgb(95, 95, 33)}},
    {"XP Blue", {1, 0, 0, rgb(255, 0, 0), rgb(255, 255, 255), rgb(0, 78, 152), rgb(122, 150, 223), rgb(92, 126, 216),
                 rgb(122, 150, 223), rgb(183, 198, 238), rgb(0, 67, 128), rgb(216, 228, 248), rgb(122, 150, 223),
                 rgb(157, 185, 235), rgb(3, 69, 118), rgb(183, 203, 240)}},
    {"XP Blue (dark)", {1, 0, 0, rgb(255, 0, 0), rgb(157, 185, 235), rgb(0, 78, 152), rgb(0, 78, 152),
                        rgb(0, 71, 136), rgb(0, 78, 152), rgb(0, 116, 221), rgb(0, 48, 70), rgb(0, 47, 94),
                        rgb(0, 78, 152), rgb(0, 39, 79), rgb(225, 226, 255), rgb(5, 83, 112)}},
    {"XP Olive", {1, 0, 0, rgb(255, 0, 0), rgb(255, 255, 255), rgb(0, 0, 0), rgb(147, 160, 112), rgb(128, 140, 94),
                  rgb(147, 160, 112), rgb(194, 201, 175), rgb(78, 77, 69), rgb(198, 210, 162), rgb(147, 160, 112),
                  rgb(139, 161, 105), rgb(94, 94, 47), rgb(212, 214, 186)}},
    {"XP Olive (dark)", {1, 1, 1, rgb(255, 0, 0), rgb(114, 129, 63), rgb(238, 241, 226), rgb(106, 114, 14),
                         rgb(98, 104, 13), rgb(114, 121, 15), rgb(182, 182, 107), rgb(0, 66, 0), rgb(0, 64, 0),
                         rgb(106, 114, 14), rgb(46, 79, 0), rgb(235, 235, 214), rgb(88, 88, 44)}},
    {"XP Silver", {1, 0, 1, rgb(255, 0, 0), rgb(255, 255, 255), rgb(128, 128, 128), rgb(160, 160, 164), None,
                   rgb(128, 128, 128), rgb(192, 192, 192), rgb(77, 77, 77), rgb(211, 211, 211), rgb(160, 160, 164),
                   rgb(168, 168, 168), rgb(96, 96, 96), rgb(192, 192, 192)}},
    {"XP Silver (dark)", {1, 0, 0, rgb(255, 0, 0), rgb(192, 192, 192), rgb(91, 91, 91), rgb(128, 128, 128),
                          rgb(88, 87, 104), rgb(128, 128, 128), rgb(132, 131, 152), rgb(0, 0, 0), rgb(77, 77, 77),
                          rgb(88, 87, 104), rgb(60, 60, 60), rgb(224, 223, 227), rgb(0, 0, 0)}},
};

int systemColour(int role, const QPalette &palette)
{
    // The desktop's colours of the roles the scheme names.
    switch (role) {
    case Window:
        return ColorMath::colourRef(palette.color(QPalette::Base));
    case WindowText:
        return ColorMath::colourRef(palette.color(QPalette::Text));
    case ButtonFace:
        return ColorMath::colourRef(palette.color(QPalette::Button));
    case ButtonHighlight:
        return ColorMath::colourRef(palette.color(QPalette::Light));
    case DarkShadow:
        return ColorMath::colourRef(palette.color(QPalette::Shadow));
    case Workspace:
        return ColorMath::colourRef(palette.color(QPalette::Mid));
    default:
        return role;
    }
}

} // namespace

namespace ColourSchemes {

AppearanceValues valuesOf(const Settings &s)
{
    return {s.addressBarBevel,        s.buttonBarPosition,     s.buttonGlyphStyle,       s.activeBrowserBorderColor,
            s.addressBarColor,        s.addressBarFontColor,   s.buttonColor,            s.buttonGlyphColor,
            s.buttonGlyphBorderColor, s.cornerFontColor,       s.cornerFontShadowColor,  s.gridBackgroundColor,
            s.mainColor,              s.statusBarColor,        s.statusBarFontColor,     s.statusBarFontShadowColor};
}

void setValues(Settings &s, const AppearanceValues &v)
{
    int *fields[16] = {&s.addressBarBevel,        &s.buttonBarPosition,     &s.buttonGlyphStyle,
                       &s.activeBrowserBorderColor, &s.addressBarColor,     &s.addressBarFontColor,
                       &s.buttonColor,            &s.buttonGlyphColor,      &s.buttonGlyphBorderColor,
                       &s.cornerFontColor,        &s.cornerFontShadowColor, &s.gridBackgroundColor,
                       &s.mainColor,              &s.statusBarColor,        &s.statusBarFontColor,
                       &s.statusBarFontShadowColor};
    for (int i = 0; i < 16; ++i)
        *fields[i] = v[size_t(i)];
}

QStringList names()
{
    QStringList list;
    for (const Scheme &scheme : Schemes)
        list << QLatin1String(scheme.name);
    return list;
}

bool isScheme(const QString &name)
{
    return names().contains(name);
}

bool values(const QString &name, const QPalette &palette, AppearanceValues *out)
{
    for (const Scheme &scheme : Schemes) {
        if (name != QLatin1String(scheme.name))
            continue;
        AppearanceValues v = scheme.values;
        for (size_t i = 3; i < v.size(); ++i)
            v[i] = systemColour(v[i], palette);
        if (out)
            *out = v;
        return true;
    }
    return false;
}

bool apply(const QString &name, Settings &settings, const QPalette &palette)
{
    AppearanceValues v;
    if (!values(name, palette, &v))
        return false;
    setValues(settings, v);
    return true;
}

QStringList colourObjects()
{
    return {QStringLiteral("Active browser border"), QStringLiteral("Address bar"), QStringLiteral("Address bar font"),
            QStringLiteral("Button"), QStringLiteral("Button glyph"), QStringLiteral("Button glyph border"),
            QStringLiteral("Corner font"), QStringLiteral("Corner font shadow"), QStringLiteral("Grid background"),
            QStringLiteral("Main"), QStringLiteral("Status Bar"), QStringLiteral("Status Bar font"),
            QStringLiteral("Status Bar font shadow")};
}

} // namespace ColourSchemes
