#pragma once

#include "appearance/skinimages.h"

struct Settings;

// The window's skin tinted towards the colour settings: each strip towards
// its colour (the frame and grid edges the main colour, the status strips
// the status bar colour, the buttons the button colour), the glyphs' borders
// and bodies towards the glyph colours. The pane buttons are tinted by the
// pane look, by the pane's state.
namespace SkinTinter {

SkinImages tinted(const SkinImages &neutral, const Settings &settings);

// The pane buttons' faces and glyphs for an inactive (grid background) or
// active (active browser border) pane.
QImage paneButtonFaces(const SkinImages &neutral, const Settings &settings, bool active);
QImage paneButtonGlyphs(const SkinImages &neutral, const Settings &settings, bool active);

} // namespace SkinTinter
