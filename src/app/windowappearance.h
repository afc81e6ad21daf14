#pragma once

#include <functional>

class BrowserGrid;
class GridFeatures;
class NavGrid;
class Prompter;
class SkinImages;
class WindowFrame;
struct RuntimeFlags;
struct Settings;

// Paints the whole window from the appearance settings: the skin tinted
// towards the colours (ApplyColours), the button bar's side, the address
// bars' bevel and the grid's background picture, in the order of
// ApplyAppearance, each reporting its own failure.
class WindowAppearance
{
public:
    struct Parts
    {
        WindowFrame *frame;
        BrowserGrid *grid;
        GridFeatures *features;
        NavGrid *navGrid;
        // The controller's settings and the application hints, applied with
        // the rest (false: failed).
        std::function<bool()> applyController;
        std::function<bool()> applyHints;
    };

    // tinted is rewritten in place, so everything that holds it sees the new
    // colours.
    WindowAppearance(Settings &settings, RuntimeFlags &flags, Prompter &prompter, const SkinImages &neutral,
                     SkinImages &tinted, Parts parts);

    bool applyAppearance();
    bool applyColours();
    bool applyButtonBarPosition();
    bool applyAddressBarBevel();
    bool applyGridBackgroundImage();
    bool applyGridBackgroundSize();
    // The corner labels shown or hidden by "corner hints".
    void applyCornerLabels();

private:
    // Both address boxes' faces in "address bar color" whatever the bevel.
    void applyAddressBoxColours();

    Settings &m_settings;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    const SkinImages &m_neutral;
    SkinImages &m_tinted;
    Parts m_parts;
};
